#include "app/ExchangeFiles.h"
#include "settings/MessageTexts.h"

#include "app/BouquetCommands.h"
#include "settings/TextFile.h"
#include "settings/Unit_lib.h"

#include <filesystem>

namespace {

void AddCell(std::string& line, const std::string& value)
{
    line += value;
    line += '\t';
}

std::string PolarisationText(const std::string& index)
{
    std::int32_t i = 0;
    if (!TryParseInt(index, i) || i < 0 || static_cast<std::size_t>(i) >= PolarisationNames.size())
        return std::string();
    return PolarisationNames[static_cast<std::size_t>(i)];
}

void AddBouquetLines(std::string& out, const ARR_ENIG_UB& bouquets, const TChNumberIndex& index)
{
    for (const auto& ub : bouquets)
        for (const auto& e : ub.Entries) {
            std::int32_t number = 0;
            if (e.size() < 2 || e[0] != UB_ENTRY_SERVICE || !TryParseInt(e[1], number))
                continue;
            const std::int32_t i = index.Find(number);
            if (i < 0)
                continue;
            const TY_ENIG_CH& ch = Services[static_cast<std::size_t>(i)];
            if (ch.TpIndex < 0 || static_cast<std::size_t>(ch.TpIndex) >= Transponders.size())
                continue;
            const TY_ENIG_TP& tp = Transponders[static_cast<std::size_t>(ch.TpIndex)];
            std::string line;
            AddCell(line, "User Bouquets TV");
            AddCell(line, ub.Name);
            AddCell(line, ch.Name);
            AddCell(line, ch.Provider);
            AddCell(line, tp.Position);
            AddCell(line, tp.Frequency);
            AddCell(line, PolarisationText(tp.Polarisation));
            AddCell(line, tp.SymbolRate);
            AddCell(line, FecIndexToText(tp.Fec));
            AddCell(line, ch.Sid);
            AddCell(line, tp.Tsid);
            AddCell(line, tp.Onid);
            AddCell(line, tp.Namespace);
            for (const auto& pid : ch.Pids)
                AddCell(line, pid.str());
            out += line;
            out += "\r\n";
        }
}

} // namespace

std::string FormatUserBouquetFile(TListKind kind, std::int32_t listIndex)
{
    if (listIndex < 0 || listIndex >= ElementCount(kind))
        return std::string();
    const std::size_t count = kind == TListKind::Providers
                                  ? Providers[static_cast<std::size_t>(listIndex)].Members.size()
                                  : BouquetArray(kind)[static_cast<std::size_t>(listIndex)].Entries.size();
    std::vector<std::int32_t> all(count);
    for (std::size_t i = 0; i < count; ++i)
        all[i] = static_cast<std::int32_t>(i);
    std::string text;
    for (const std::string& line : EntryLinesOf(TakeEntries(kind, listIndex, all))) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void ExportUserBouquet(TListKind kind, std::int32_t listIndex, const std::string& path)
{
    WriteFileReplacing(path, FormatUserBouquetFile(kind, listIndex));
}

std::vector<std::string> UserBouquetLines(const std::string& text)
{
    std::vector<std::string> lines;
    TTextFile file = TTextFile::FromText(text);
    while (!file.Eof()) {
        const std::string_view line = file.ReadLine();
        if (!line.empty())
            lines.emplace_back(line);
    }
    return lines;
}

std::string BouquetNameFromFile(const std::string& path)
{
    std::string name = std::filesystem::path(path).filename().string();
    if (name.size() > 4 && ToUpperAscii(std::string_view(name).substr(name.size() - 4)) == ".CBU")
        name.resize(name.size() - 4);
    return name;
}

TImportResult ImportUserBouquet(TListKind kind, std::int32_t position, const std::string& path)
{
    const std::vector<std::string> lines = UserBouquetLines(ReadWholeFile(path));
    TImportResult result;
    result.Index = InsertUB(kind, position, BouquetNameFromFile(path));
    TPasteOptions options;
    options.EntryMode = true;
    result.Paste = PasteLines(lines, options);
    InsertEntries(kind, result.Index, 0, result.Paste.Entries);
    return result;
}

std::string FormatExportedTxt()
{
    std::string out =
        "Type,Bouquet Name, Service Name,\tPackage, Satellite position, Frequency ,Polarization, Symbolrate, FEC, "
        "Service ID, TSID. ONID, Namespace, VPID,\tAPID,\tTXTPID,\tPCRPID,\tAC3 PID\t\r\n\r\n";
    const TChNumberIndex index(Services);
    AddBouquetLines(out, TvBouquets, index);
    AddBouquetLines(out, RadioBouquets, index);
    return out;
}

std::string WriteExportedTxt(const std::string& folder)
{
    const std::string path = (std::filesystem::path(folder) / "exported.txt").string();
    WriteFileReplacing(path, FormatExportedTxt());
    return path;
}

std::string ExportedMessage(const std::string& path)
{
    return LoadRs(rs::ExportedTo) + path;
}
