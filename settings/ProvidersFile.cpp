#include "settings/ProvidersFile.h"

#include "settings/ListFileIo.h"
#include "settings/ServiceRefIndex.h"

#include <memory>
#include "settings/TextFile.h"
#include "settings/Unit_lib.h"

#include <cstdlib>

namespace {

// Each provider ends with a line "/".
std::int32_t CountProviders(std::string_view text)
{
    std::int32_t count = 0;
    for (std::string_view line : SplitListLines(text))
        if (Trim(line) == "/")
            ++count;
    return count;
}

} // namespace

std::int32_t CountBouquet()
{
    std::string path = FindFileNoCase(TheLoadDir, ProvidersFileName);
    if (path.empty())
        return 0;
    return CountProviders(ReadListFile(path));
}

void ParseProviders(std::string_view text, const ARR_ENIG_CH& services, ARR_ENIG_PR& providers,
                    std::int32_t& counter, std::vector<std::string>& problems,
                    const std::function<void(std::int32_t)>& progress)
{
    std::vector<std::string_view> lines = SplitListLines(text);
    std::unique_ptr<TServiceKeyIndex> own;
    TSharedServiceIndexes* shared = LoadIndexes();
    if (!(shared && shared->Covers(services)))
        own = std::make_unique<TServiceKeyIndex>(services);
    const TServiceKeyIndex& index = own ? *own : shared->Keys();
    std::vector<std::string> fields;
    std::string key;
    bool missing = false;
    bool damaged = false;
    std::int64_t largest = 0;

    size_t i = 0;
    while (i < lines.size() && Trim(lines[i]) != "bouquets")
        ++i;
    ++i;
    while (i < lines.size()) {
        std::string_view idLine = Trim(lines[i++]);
        if (idLine == "end")
            break;
        if (idLine.empty())
            continue;
        if (progress)
            progress(static_cast<std::int32_t>(providers.size()));
        TY_ENIG_PR provider;
        bool good = TryParseInt(idLine, provider.Id);
        if (i >= lines.size()) {
            // An id without its name: the file was cut short.
            damaged = true;
            break;
        }
        provider.Name = Utf8ToAnsiClean(lines[i++]);
        bool closed = false;
        bool ended = false;
        while (i < lines.size()) {
            std::string_view line = lines[i++];
            std::string_view trimmed = Trim(line);
            if (trimmed == "/") {
                closed = true;
                break;
            }
            if (trimmed == "end") {
                ended = true;
                break;
            }
            SplitFieldsTo(fields, line, {4, 8, 4, 4, 0}, ':');
            std::int32_t number = 0;
            if (fields.size() >= 5) {
                key.assign(fields[0]).append(fields[1]).append(fields[2]).append(fields[3]).append(fields[4]);
                if (index.Find(key, number)) {
                    provider.Members.push_back(number);
                    continue;
                }
            }
            missing = true;
        }
        if (!closed)
            damaged = true;
        if (!good) {
            // A provider whose id is not a number cannot be referred to;
            // it is left out with its members.
            damaged = true;
        } else {
            largest = std::max<std::int64_t>(largest, std::llabs(static_cast<long long>(provider.Id)));
            providers.push_back(std::move(provider));
        }
        if (ended)
            break;
    }
    counter = static_cast<std::int32_t>(std::min<std::int64_t>(largest + 1, INT32_MAX));
    if (missing)
        problems.push_back(ProvidersMissingText);
    if (damaged)
        problems.push_back(ProvidersErrorText);
}

std::string FormatProviders(const ARR_ENIG_PR& providers, const ARR_ENIG_CH& services,
                            const ARR_ENIG_TP& transponders, std::int32_t version)
{
    TServiceNumberMap numbers(services);
    std::string out;
    out += "eDVB bouquets /" + std::to_string(version) + "/\n";
    out += "bouquets\n";
    for (const auto& provider : providers) {
        out += std::to_string(provider.Id);
        out += '\n';
        out += provider.Name;
        out += '\n';
        for (std::int32_t number : provider.Members) {
            std::int32_t si = numbers.Find(number);
            if (si < 0)
                continue;
            const TY_ENIG_CH& ch = services[static_cast<size_t>(si)];
            if (const TY_ENIG_TP* tp = TransponderOf(ch, transponders)) {
                AppendServiceRef(out, ch, *tp);
                out += '\n';
            }
        }
        out += "/\n";
    }
    out += "end\n";
    return out;
}

void LoadPr()
{
    Providers.clear();
    const std::string text = ReadListFile(PathInFolder(TheLoadDir, ProvidersFileName));
    const std::int32_t count = CountProviders(text);
    Providers.reserve(static_cast<size_t>(count));
    TSettingsView* view = SettingsView();
    if (view)
        view->ProgressStart(0, count);
    std::vector<std::string> problems;
    ParseProviders(text, Services, Providers, ProviderCounter, problems, [view](std::int32_t pos) {
        if (view)
            view->ProgressPosition(pos);
    });
    for (const auto& p : problems)
        AddToErrorReport(p);
}

void SavePr()
{
    WriteFileReplacing(TheSaveDir + "/" + ProvidersFileName,
                  FormatProviders(Providers, Services, Transponders, EnigmaVersion));
}
