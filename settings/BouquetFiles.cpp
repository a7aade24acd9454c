#include "settings/BouquetFiles.h"
#include "settings/ByteScan.h"

#include "settings/Errors.h"
#include "settings/Fields.h"
#include "settings/ListFileIo.h"
#include "settings/LoadedFiles.h"
#include "settings/TextFile.h"
#include "settings/Unit_lib.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

std::vector<std::string> UnreadBouquetFiles;

namespace {

std::string_view TrimLeft(std::string_view s)
{
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    return s;
}

// Removes a UTF-8 byte order mark that some editors put in front.
std::string_view WithoutBom(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    return text;
}

// The first fields of a reference (the text after "#SERVICE"), split at
// ":" as the settings splitter does: a leading ":" is dropped and
// fields that are not there are empty. Views into the line, no copies.
struct TRefFields {
    static constexpr size_t Max = 7;
    std::string_view f[Max];
};

void SplitReference(std::string_view ref, TRefFields& out)
{
    if (!ref.empty() && ref.front() == ':')
        ref.remove_prefix(1);
    for (size_t i = 0; i < TRefFields::Max; ++i) {
        size_t sep = bytescan::FindShort(ref, ':');
        if (sep == std::string_view::npos) {
            out.f[i] = ref;
            ref = {};
        } else {
            out.f[i] = ref.substr(0, sep);
            ref.remove_prefix(sep + 1);
        }
    }
}

// A reference is a marker when its flags field is 64 (type 1, flags 64):
// "1:64:...". Only the fields count, so a service whose SID or TSID happens
// to read 64, 998 or 999 stays a service.
bool IsMarker(const TRefFields& r)
{
    return Trim(r.f[0]) == "1" && Trim(r.f[1]) == "64";
}

bool IsDecimal(std::string_view s)
{
    s = Trim(s);
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// A reference to a service of the services file: type 1, flags 0 and
// nothing after the ten fields of the key (no path, no name of its own).
bool IsPlainServiceRef(const TRefFields& r, std::string_view ref)
{
    if (Trim(r.f[0]) != "1" || Trim(r.f[1]) != "0")
        return false;
    size_t at = 0;
    for (int colons = 0; colons < 10; ++colons) {
        at = bytescan::FindShort(ref, ':', at);
        if (at == std::string_view::npos)
            return true;
        ++at;
    }
    for (char c : ref.substr(at))
        if (c != ':' && static_cast<unsigned char>(c) > ' ')
            return false;
    return true;
}

// The reference text of a "#SERVICE" line: what follows "#SERVICE" and
// an optional ":", without the blanks in front.
std::string_view ReferenceText(std::string_view line)
{
    line.remove_prefix(std::string_view("#SERVICE").size());
    if (!line.empty() && line.front() == ':')
        line.remove_prefix(1);
    return TrimLeft(line);
}

// The bouquet file a "FROM BOUQUET" reference names, when it is a plain
// file name; empty otherwise.
std::string SubBouquetName(std::string_view ref)
{
    const size_t from = ref.find("FROM BOUQUET");
    if (from == std::string_view::npos)
        return {};
    const size_t q1 = ref.find('"', from);
    const size_t q2 = q1 == std::string_view::npos ? q1 : ref.find('"', q1 + 1);
    if (q2 == std::string_view::npos)
        return {};
    std::string name(ref.substr(q1 + 1, q2 - q1 - 1));
    if (name.empty() || name.front() == '.' || name.find('/') != std::string::npos ||
        name.find('\\') != std::string::npos)
        return {};
    return name;
}

// Text of a "#DESCRIPTION" line: what follows "#DESCRIPTION:" (the colon
// may be missing, as some writers leave it out), trimmed.
std::string DescriptionText(std::string_view line)
{
    line = TrimLeft(line);
    line.remove_prefix(std::string_view("#DESCRIPTION").size());
    if (!line.empty() && line.front() == ':')
        line.remove_prefix(1);
    return Utf8ToAnsiClean(Trim(line));
}

// Cuts a text to at most `max` bytes without splitting a UTF-8 character.
std::string_view CutUtf8(std::string_view s, size_t max)
{
    if (s.size() <= max)
        return s;
    size_t n = max;
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80)
        --n;
    return s.substr(0, n);
}

std::string Hex(std::uint32_t value, int digits)
{
    return HexUpper(value, digits);
}

std::string BaseName(std::string_view path)
{
    size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// The lines of a bouquet file that no reader takes: not blank and not a
// "#" line ("#SERVICE", "#DESCRIPTION", "#NAME" and the receivers' other
// marks). As "line 4" or "lines 4, 9, 12"; empty when there are none.
std::string DamagedLines(std::string_view text)
{
    constexpr int Shown = 10;
    // Line by line over the text, as SplitListLines would cut it; the line
    // end does not matter here (a CR counts as blank).
    text = WithoutBom(text);
    std::string list;
    int count = 0;
    size_t n = 0;
    for (size_t start = 0; start < text.size(); ++n) {
        const size_t end = static_cast<size_t>(bytescan::Find(text.data() + start, text.data() + text.size(), '\n') -
                                               text.data());
        const std::string_view t = TrimLeft(text.substr(start, end - start));
        start = end + 1;
        if (t.empty() || t.front() == '#')
            continue;
        if (++count <= Shown)
            list += (count > 1 ? ", " : "") + std::to_string(n + 1);
    }
    if (count == 0)
        return {};
    if (count > Shown)
        list += " and " + std::to_string(count - Shown) + " more";
    return (count == 1 ? "line " : "lines ") + list;
}

// Keeps the files that the bouquet's sub-bouquet references name (and
// those they name in turn), so a save writes them back with the set.
void KeepSubBouquets(const TY_ENIG_UB& bouquet, const TFolderNames& folder)
{
    std::vector<std::string> pending;
    for (const auto& e : bouquet.Entries)
        if (e.size() >= 2 && e[0] == UB_ENTRY_KEPT)
            if (std::string name = SubBouquetName(e[1]); !name.empty())
                pending.push_back(std::move(name));
    while (!pending.empty()) {
        const std::string path = folder.Find(pending.back());
        pending.pop_back();
        if (path.empty())
            continue;
        const std::string name = std::filesystem::path(path).filename().string();
        if (LoadReadBouquetFile(name))
            continue;
        TY_KEPT_FILE kept{name, {}};
        try {
            kept.Text = ReadListFile(path);
        } catch (const EInOutError& e) {
            // Left in the folder as it stands; the save must not replace it.
            AddToErrorReport("- Sub-bouquet file <" + name + "> cannot be read : not loaded (" + e.what() + ")");
            UnreadBouquetFiles.push_back(name);
            continue;
        }
        for (std::string_view line : SplitListLines(kept.Text)) {
            line = TrimLeft(line);
            if (line.starts_with("#SERVICE"))
                if (std::string next = SubBouquetName(ReferenceText(line)); !next.empty())
                    pending.push_back(std::move(next));
        }
        LoadedFiles.SubBouquets.push_back(std::move(kept));
    }
}

void LoadUserBouquets(bool radio)
{
    const std::string& listFileName = radio ? RadioListFileName : TvListFileName;
    std::string& listName = radio ? RadioListName : TvListName;
    ARR_ARR_OF_STRING& entries = radio ? RadioListEntries : TvListEntries;
    ARR_ENIG_UB& bouquets = radio ? RadioBouquets : TvBouquets;
    std::int32_t& counter = radio ? RadioBouquetCounter : TvBouquetCounter;

    TFolderNames folder(TheLoadDir);
    std::string listPath = folder.Find(listFileName);
    if (listPath.empty())
        listPath = TheLoadDir + "/" + listFileName;
    std::string listText = ReadListFile(listPath);

    entries.clear();
    bouquets.clear();
    const std::string kind = radio ? "Radio Bouquet" : "Tv Bouquet";
    ParseBouquetList(listText, EnigmaVersion, radio, listName, entries, [&](const std::string& path) {
        if (!folder.Find(path.substr(1)).empty())
            return true;
        AddToErrorReport("- " + kind + " file <" + path.substr(1) + "> not found : bouquet not loaded");
        return false;
    });

    TSettingsView* view = SettingsView();
    if (view)
        view->ProgressStart(0, static_cast<std::int32_t>(entries.size()));
    // The load's shared index when there is one (the radio list uses the
    // one the TV list built), else one of our own.
    std::unique_ptr<TServiceKeyIndex> own;
    TSharedServiceIndexes* shared = LoadIndexes();
    if (!entries.empty() && !(shared && shared->Covers(Services)))
        own = std::make_unique<TServiceKeyIndex>(Services);
    const TServiceKeyIndex* index = own ? own.get() : entries.empty() ? nullptr : &shared->Keys();
    counter = 0;
    bouquets.reserve(entries.size());
    (radio ? LoadedFiles.RadioList : LoadedFiles.TvList) = true;
    for (size_t c = 0; c < entries.size(); ++c) {
        if (view)
            view->ProgressPosition(static_cast<std::int32_t>(c));
        std::string path = folder.Find(entries[c][0].substr(1));
        const std::string fileName = std::filesystem::path(path).filename().string();
        std::string text;
        try {
            text = ReadListFile(path);
        } catch (const EInOutError& e) {
            // One unreadable bouquet must not cost the whole set; the save
            // must not take the file for one of ours to replace either.
            AddToErrorReport("- " + kind + " file <" + fileName + "> cannot be read : bouquet not loaded (" +
                             e.what() + ")");
            UnreadBouquetFiles.push_back(fileName);
            continue;
        }
        LoadedFiles.BouquetFiles.push_back(fileName);
        TY_ENIG_UB bouquet;
        bool missing = false;
        ParseUserBouquet(text, EnigmaVersion, *index, bouquet, missing);
        if (const std::string damaged = DamagedLines(text); !damaged.empty())
            AddToErrorReport("- " + kind + " <" + bouquet.Name + "> : damaged " + damaged + " not loaded");
        KeepSubBouquets(bouquet, folder);
        bouquet.FileId = entries[c][1];
        std::int32_t id = 0;
        if (IsHex4(bouquet.FileId) && TryParseHex(bouquet.FileId, id))
            counter = std::max(counter, id);
        ++counter;
        if (missing)
            AddToErrorReport(std::string(radio ? RadioBouquetMissingPrefix : TvBouquetMissingPrefix) +
                             bouquet.Name + BouquetMissingSuffix);
        bouquets.push_back(std::move(bouquet));
    }
}

void WriteBouquetList(bool radio)
{
    ARR_ENIG_UB& bouquets = radio ? RadioBouquets : TvBouquets;
    // A list the load read is written back even empty: its absence is not
    // what the receiver had.
    if (bouquets.empty() && !(radio ? LoadedFiles.RadioList : LoadedFiles.TvList))
        return;
    const std::string& fileName = radio ? RadioListFileName : TvListFileName;
    const std::string& listName = radio ? RadioListName : TvListName;
    WriteFileReplacing(TheSaveDir + "/" + fileName,
                  FormatBouquetList(bouquets, radio, EnigmaVersion, listName, SaveProfileSdir()));
    for (size_t i = 0; i < bouquets.size(); ++i)
        bouquets[i].FileId = UserBouquetId(static_cast<std::int32_t>(i));
}

} // namespace

std::int32_t CountUBouquetText(std::string_view text)
{
    std::int32_t count = 0;
    TRefFields ref;
    for (std::string_view line : SplitListLines(text)) {
        std::string_view t = TrimLeft(line);
        if (t.starts_with("#DESCRIPTION")) {
            ++count;
        } else if (t.starts_with("#SERVICE")) {
            SplitReference(t.substr(8), ref);
            if (!IsMarker(ref))
                ++count;
        }
    }
    return count;
}

std::int32_t CountUBouquet(const std::string& path)
{
    std::filesystem::path p(path);
    std::string found = FindFileNoCase(p.parent_path().string(), p.filename().string());
    if (found.empty())
        return 0;
    return CountUBouquetText(ReadListFile(found));
}

void ParseBouquetList(std::string_view text, std::int32_t version, bool radio, std::string& listName,
                      ARR_ARR_OF_STRING& entries, const std::function<bool(const std::string&)>& exists)
{
    std::vector<std::string_view> lines = SplitListLines(WithoutBom(text));
    listName.clear();
    size_t i = 0;
    if (!lines.empty() && TrimLeft(lines[0]).starts_with("#NAME")) {
        std::string_view first = TrimLeft(lines[0]);
        listName = std::string(CutUtf8(first.size() > 6 ? first.substr(6) : std::string_view(), 100));
        i = 1;
    }
    const std::string suffix = radio ? ".RADIO" : ".TV";
    std::vector<std::string> fields;
    for (; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        size_t at = line.find("#SERVICE");
        if (at == std::string_view::npos)
            continue;
        SplitFieldsTo(fields, line.substr(at + 8), {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, ':');
        if (fields.size() < 11)
            continue;
        std::string ref = fields[10];
        if (version != 2) {
            size_t from = ref.find("FROM");
            if (from != std::string::npos) {
                size_t q1 = ref.find('"', from);
                size_t q2 = q1 == std::string::npos ? q1 : ref.find('"', q1 + 1);
                if (q2 == std::string::npos)
                    continue;
                ref = ref.substr(q1 + 1, q2 - q1 - 1);
            }
        }
        // Enigma 1 lists name the file by its full path on the receiver;
        // the file itself sits in the folder that is read.
        std::string path(1, '/');
        path += Trim(BaseName(ref));
        if (path.size() < 2 || !exists(path))
            continue;
        std::string id;
        if (version == 2) {
            id = std::string(Trim(fields[3]));
        } else {
            size_t dot = path.find('.');
            id = dot == std::string::npos ? std::string() : path.substr(dot + 1);
            for (size_t s; (s = id.find(suffix)) != std::string::npos;)
                id.erase(s, suffix.size());
        }
        entries.push_back({path, id, std::string()});
    }
}

void ParseUserBouquet(std::string_view text, std::int32_t version, const TServiceKeyIndex& index,
                      TY_ENIG_UB& bouquet, bool& missing)
{
    std::vector<std::string_view> lines = SplitListLines(WithoutBom(text));
    bouquet.Entries.clear();
    bouquet.Name.clear();
    size_t i = 0;
    if (!lines.empty() && TrimLeft(lines[0]).starts_with("#NAME")) {
        std::string_view first = TrimLeft(lines[0]);
        bouquet.Name = Utf8ToAnsiClean(first.size() > 6 ? first.substr(6) : std::string_view());
        i = 1;
    }
    // Both receiver generations read the type field as hexadecimal.
    (void)version;

    // First pass: what each line is; service references are prepared and
    // their table slots fetched ahead.
    enum class TKind : std::uint8_t { Other, Marker, Service, BadService, Kept, Description };
    struct TLine {
        TKind kind = TKind::Other;
        std::uint32_t probe = 0;
    };
    std::vector<TLine> kinds(lines.size());
    std::vector<TServiceKeyIndex::TProbe> probes;
    TRefFields ref;
    for (size_t l = i; l < lines.size(); ++l) {
        std::string_view line = TrimLeft(lines[l]);
        if (line.starts_with("#SERVICE")) {
            SplitReference(line.substr(8), ref);
            if (IsMarker(ref)) {
                kinds[l].kind = TKind::Marker;
                continue;
            }
            // A well-formed reference that names no service of the file (a
            // stream, a sub-bouquet, a spacer, a service with a name of its
            // own) stays as it is.
            if (IsDecimal(ref.f[0]) && IsDecimal(ref.f[1]) && !IsPlainServiceRef(ref, ReferenceText(line))) {
                kinds[l].kind = TKind::Kept;
                continue;
            }
            std::int32_t type = 0;
            std::string_view typeText = Trim(ref.f[2]);
            if (!TryParseHex(typeText, type)) {
                kinds[l].kind = TKind::BadService;
                continue;
            }
            kinds[l] = {TKind::Service, static_cast<std::uint32_t>(probes.size())};
            probes.emplace_back();
            index.Prepare(ref.f[3], ref.f[6], ref.f[4], ref.f[5], type, probes.back());
            index.Prefetch(probes.back());
        } else if (line.starts_with("#DESCRIPTION")) {
            kinds[l].kind = TKind::Description;
        }
    }

    bouquet.Entries.reserve(probes.size() + 8);
    std::int32_t services_n = 0;
    bool markerPending = false;   // the last reference was a marker without its text yet
    bool serviceBefore = false;   // the last reference became a service or kept entry
    auto flushMarker = [&] {
        // A marker that comes without its text keeps its place (with an
        // empty text) rather than vanishing from the bouquet.
        if (markerPending)
            bouquet.Entries.push_back({UB_ENTRY_MARKER, std::string(), std::string()});
        markerPending = false;
    };
    for (size_t l = i; l < lines.size(); ++l) {
        switch (kinds[l].kind) {
        case TKind::Other:
            break;
        case TKind::Marker:
            flushMarker();
            serviceBefore = false;
            markerPending = true;
            break;
        case TKind::Service:
        case TKind::BadService: {
            flushMarker();
            serviceBefore = false;
            std::int32_t number = 0;
            if (kinds[l].kind == TKind::BadService || !index.Find(probes[kinds[l].probe], number)) {
                // The entry is dropped, and with it a description that
                // belongs to it.
                missing = true;
                break;
            }
            bouquet.Entries.push_back({UB_ENTRY_SERVICE, std::to_string(number), std::string()});
            ++services_n;
            serviceBefore = true;
            break;
        }
        case TKind::Kept:
            flushMarker();
            bouquet.Entries.push_back({UB_ENTRY_KEPT, std::string(ReferenceText(TrimLeft(lines[l]))), std::string()});
            serviceBefore = true;
            break;
        case TKind::Description:
            if (markerPending) {
                bouquet.Entries.push_back({UB_ENTRY_MARKER, DescriptionText(lines[l]), std::string()});
                markerPending = false;
            } else if (serviceBefore) {
                bouquet.Entries.back()[2] = DescriptionText(lines[l]);
            }
            break;
        }
    }
    flushMarker();
    bouquet.ServiceCount = services_n;
}

void Load_UB_Tv()
{
    LoadUserBouquets(false);
}

void Load_UB_Radio()
{
    LoadUserBouquets(true);
}

std::string UserBouquetId(std::int32_t position)
{
    return Hex(static_cast<std::uint32_t>(UserBouquetBaseId + position), 4);
}

std::string FormatBouquetList(const ARR_ENIG_UB& bouquets, bool radio, std::int32_t version,
                              const std::string& listName, const std::string& sdir)
{
    const char* ext = radio ? ".radio" : ".tv";
    std::string out = "#NAME " + listName + "\n";
    for (size_t i = 0; i < bouquets.size(); ++i) {
        std::string id = UserBouquetId(static_cast<std::int32_t>(i));
        if (version == 2) {
            std::string file = sdir + "/userbouquet." + id + ext;
            out += "#SERVICE: 4097:7:0:" + id + ":0:0:0:0:0:0:" + file + "\n";
            out += "#TYPE 16385\n";
            out += file + "\n";
        } else {
            out += "#SERVICE: 1:7:1:0:0:0:0:0:0:0:userbouquet." + id + ext + "\n";
        }
    }
    return out;
}

TBouquetRefs::TBouquetRefs(const ARR_ENIG_CH& services, const ARR_ENIG_TP& transponders, std::int32_t version)
    : numbers_(services)
{
    starts_.reserve(services.size() + 1);
    // Offsets are 32-bit: 48 bytes a line leaves room for 80 million services.
    text_.reserve(services.size() * 48);
    for (const auto& ch : services) {
        starts_.push_back(static_cast<std::uint32_t>(text_.size()));
        const TY_ENIG_TP* tp = TransponderOf(ch, transponders);
        if (!tp)
            continue; // no line: the entry is left out
        text_ += "#SERVICE: 1:0:";
        // Hexadecimal, as both receiver generations read it: Enigma 2's own
        // files pad it to two digits, Enigma 1's do not.
        text_ += Hex(static_cast<std::uint32_t>(ch.ServiceType), version == 2 ? 1 : 2);
        text_ += ':';
        text_ += ch.Sid;
        text_ += ':';
        text_ += tp->Tsid;
        text_ += ':';
        text_ += tp->Onid;
        text_ += ':';
        text_ += tp->Namespace;
        text_ += ":0:0:0:\n";
    }
    starts_.push_back(static_cast<std::uint32_t>(text_.size()));
}

std::string_view TBouquetRefs::Line(std::int32_t number) const
{
    return LineAt(numbers_.Find(number));
}

std::string_view TBouquetRefs::LineAt(std::int32_t index) const
{
    if (index < 0)
        return {};
    size_t at = static_cast<size_t>(index);
    return std::string_view(text_).substr(starts_[at], starts_[at + 1] - starts_[at]);
}

void TBouquetRefs::PrefetchLine(std::int32_t index) const
{
    if (index >= 0)
        __builtin_prefetch(text_.data() + starts_[static_cast<size_t>(index)]);
}

std::string FormatUserBouquet(const TY_ENIG_UB& bouquet, const TBouquetRefs& refs, std::int32_t& markerNumber)
{
    std::string out;
    AppendUserBouquet(out, bouquet, refs, markerNumber);
    return out;
}

void AppendUserBouquet(std::string& out, const TY_ENIG_UB& bouquet, const TBouquetRefs& refs,
                       std::int32_t& markerNumber)
{
    out += "#NAME ";
    out += bouquet.Name;
    out += '\n';
    // The service of every entry first, its line fetched ahead; then the
    // text in entry order.
    std::vector<std::int32_t> index(bouquet.Entries.size(), -1);
    for (size_t e = 0; e < bouquet.Entries.size(); ++e) {
        const auto& entry = bouquet.Entries[e];
        std::int32_t number = 0;
        if (entry.size() >= 2 && entry[0] == UB_ENTRY_SERVICE && TryParseInt(entry[1], number)) {
            index[e] = refs.IndexOf(number);
            refs.PrefetchLine(index[e]);
        }
    }
    for (size_t e = 0; e < bouquet.Entries.size(); ++e) {
        const auto& entry = bouquet.Entries[e];
        if (entry.size() < 2)
            continue;
        if (entry[0] == UB_ENTRY_KEPT) {
            out += "#SERVICE ";
            out += entry[1];
            out += '\n';
            if (entry.size() > 2 && !entry[2].empty()) {
                out += "#DESCRIPTION ";
                out += entry[2];
                out += '\n';
            }
            continue;
        }
        if (entry[0] == UB_ENTRY_MARKER) {
            out += "#SERVICE: 1:64:";
            out += Hex(static_cast<std::uint32_t>(markerNumber++), 3);
            out += ":0:0:0:0:0:0:0:\n#DESCRIPTION: ";
            out += entry[1];
            out += '\n';
            continue;
        }
        std::string_view line = refs.LineAt(index[e]);
        if (line.empty())
            continue;
        out += line;
        if (entry.size() > 2 && !entry[2].empty()) {
            out += "#DESCRIPTION: ";
            out += entry[2];
            out += '\n';
        }
    }
}

void SaveUbList()
{
    WriteBouquetList(false);
    WriteBouquetList(true);
}

void SaveUbBouquet()
{
    TBouquetRefs refs(Services, Transponders, EnigmaVersion);
    std::int32_t markerNumber = 1;
    std::string text; // one buffer for every file
    std::vector<std::string> written;
    for (bool radio : {false, true}) {
        const ARR_ENIG_UB& bouquets = radio ? RadioBouquets : TvBouquets;
        for (size_t i = 0; i < bouquets.size(); ++i) {
            std::string name = "userbouquet." + UserBouquetId(static_cast<std::int32_t>(i)) + (radio ? ".radio" : ".tv");
            text.clear();
            AppendUserBouquet(text, bouquets[i], refs, markerNumber);
            WriteFileReplacing(TheSaveDir + "/" + name, text);
            written.push_back(ToLowerAscii(name));
        }
    }
    // The sub-bouquet files go with the set as they were read; a bouquet
    // this save numbered into the same name wins.
    for (const auto& kept : LoadedFiles.SubBouquets) {
        const std::string lower = ToLowerAscii(kept.Name);
        if (std::find(written.begin(), written.end(), lower) != written.end() || lower == ToLowerAscii(TvListFileName) ||
            lower == ToLowerAscii(RadioListFileName))
            continue;
        WriteFileReplacing(TheSaveDir + "/" + kept.Name, kept.Text);
        written.push_back(lower);
    }
}

std::string SaveProfileSdir()
{
    if (SaveProfile < 0 || static_cast<size_t>(SaveProfile) >= Profiles.size())
        return {};
    return Profiles[static_cast<size_t>(SaveProfile)].PRO_Sdir;
}
