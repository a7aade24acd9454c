#include "settings/ServicesFile.h"
#include "settings/Fields.h"
#include "settings/Lookups.h"
#include "settings/ServiceRefIndex.h"
#include "settings/TextFile.h"
#include "settings/Unit_lib.h"

#include "platform/LargeMemory.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include <sys/stat.h>

const std::string ServicesFooter = "Powered by Kestro - www.chanforge.org";

namespace {

// Receivers compare the section lines exactly; a name or key line that
// merely contains "end" must not end a section.
bool IsLine(std::string_view line, std::string_view word) { return Trim(line) == word; }

// Collects the "bad number" lines of one read; after a few, only counts, so
// a file full of junk gives a readable report.
class TBadItems {
public:
    explicit TBadItems(std::string what) : what_(std::move(what)) {}
    ~TBadItems()
    {
        if (count_ > kShown)
            AddToErrorReport("- " + std::to_string(count_ - kShown) + " more " + what_ +
                             " in services file not loaded (bad number)");
    }
    void Add(std::string_view line)
    {
        if (++count_ <= kShown) {
            std::string shown(line.substr(0, 60));
            for (char& c : shown)
                if (static_cast<unsigned char>(c) < ' ')
                    c = '?';
            AddToErrorReport("- " + what_ + " <" + shown + "> in services file not loaded (bad number)");
        }
    }

private:
    static constexpr int kShown = 20;
    std::string what_;
    int count_ = 0;
};

bool IsHexText(std::string_view s)
{
    if (s.empty())
        return false;
    for (char c : s)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

bool IsDigits(std::string_view s)
{
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Number of the known extra fields of a transponder line in a version.
int KnownExtras(std::int32_t version)
{
    return version == VER_ENIGMA2_3 ? 3 : version == VER_ENIGMA2_4 ? 5 : 0;
}

// Parses the extras of a data line into `tp`; false on a bad number.
bool ReadExtras(TY_ENIG_TP& tp, std::string_view extras, std::int32_t version)
{
    const int known = KnownExtras(version);
    std::int32_t* fields3[] = {&tp.System, &tp.Modulation, &tp.RollOff};
    std::int32_t* fields4[] = {&tp.ScanFlags, &tp.System, &tp.Modulation, &tp.RollOff, &tp.Pilot};
    std::int32_t** fields = version == VER_ENIGMA2_3 ? fields3 : fields4;
    tp.ExtrasVersion = version;
    int n = 0;
    while (n < known) {
        const std::size_t sep = extras.find(':');
        const std::string_view f = Trim(extras.substr(0, sep));
        if (!f.empty() && !TryParseInt(f, *fields[n]))
            return false;
        ++n;
        if (sep == std::string_view::npos) {
            extras = {};
            break;
        }
        extras.remove_prefix(sep + 1);
    }
    tp.ExtrasRead = n;
    tp.ExtraFields.assign(extras);
    return true;
}

// One service entry of the services section after the repair pass.
struct TServiceLines {
    std::string_view ref, name, data;
};

bool HasField(std::string_view data, std::string_view tag)
{
    for (std::size_t start = 0;;) {
        if (data.compare(start, tag.size(), tag) == 0)
            return true;
        const std::size_t comma = data.find(',', start);
        if (comma == std::string_view::npos)
            return false;
        start = comma + 1;
    }
}

// Position of `c` in `s` or npos: for the short fields of a line a plain
// loop beats a library call per field.
inline std::size_t FindShort(std::string_view s, char c)
{
    for (std::size_t i = 0; i < s.size(); ++i)
        if (s[i] == c)
            return i;
    return std::string_view::npos;
}

// The fields of a line one after the other, split at ":" as the settings
// splitter does: a leading ":" is dropped, one final ":" ends the line
// without opening an empty field, and fields that are not there are empty.
class TLineFields {
public:
    explicit TLineFields(std::string_view line)
    {
        if (!line.empty() && line.front() == ':')
            line.remove_prefix(1);
        rest_ = line;
        pendingSep_ = line.empty() || line.back() != ':';
    }
    std::string_view Next()
    {
        const std::size_t sep = FindShort(rest_, ':');
        std::string_view field;
        if (sep != std::string_view::npos) {
            field = rest_.substr(0, sep);
            rest_.remove_prefix(sep + 1);
        } else if (pendingSep_) {
            field = rest_;
            rest_ = {};
            pendingSep_ = false;
        }
        return field;
    }

private:
    std::string_view rest_;
    bool pendingSep_ = true;
};

// `field` into out[0..width) zero-padded in front, its rightmost `width`
// characters kept, upper case; false when a character is no hex digit.
bool PadUpperHex(std::string_view field, std::size_t width, char* out)
{
    if (field.size() > width)
        field.remove_prefix(field.size() - width);
    const std::size_t pad = width - field.size();
    std::fill(out, out + pad, '0');
    for (std::size_t i = 0; i < field.size(); ++i) {
        char c = field[i];
        if (c >= 'a' && c <= 'f')
            c = static_cast<char>(c - 'a' + 'A');
        else if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')))
            return false;
        out[pad + i] = c;
    }
    return true;
}

// The LFs in `text`, counted in blocks with a narrow counter, which the
// compiler turns into wide vector compares (std::count's 64-bit counter
// halves that).
std::size_t CountLineEnds(std::string_view text)
{
    std::size_t total = 0;
    const char* p = text.data();
    for (std::size_t left = text.size(); left > 0;) {
        const std::size_t n = std::min<std::size_t>(left, 1u << 16);
        std::uint32_t count = 0;
        for (std::size_t i = 0; i < n; ++i)
            count += p[i] == '\n' ? 1u : 0u;
        total += count;
        p += n;
        left -= n;
    }
    return total;
}

// Reads the services section from the line after "services". A data line
// without a "p:" field (a name broken over two lines, say) is replaced by
// the next line that has one; the lines in between are dropped. Only the
// copy in memory is repaired: the user's file stays as it is.
std::vector<TServiceLines> ReadServiceSection(TTextFile& file, bool& repaired)
{
    std::vector<TServiceLines> entries;
    // An entry takes three lines at least: room for all of them at once
    // rather than a growth that copies and faults in the list several times.
    const std::string_view rest = file.Rest();
    entries.reserve(CountLineEnds(rest) / 3 + 1);
    cf::AdviseLargePages(entries.data(), entries.capacity() * sizeof(TServiceLines));
    repaired = false;
    while (!file.Eof()) {
        TServiceLines e;
        e.ref = file.ReadLine();
        if (IsLine(e.ref, "end"))
            break;
        e.name = file.ReadLine();
        e.data = file.ReadLine();
        if (!HasField(e.data, "p:")) {
            repaired = true;
            while (!file.Eof()) {
                e.data = file.ReadLine();
                if (HasField(e.data, "p:"))
                    break;
            }
        }
        entries.push_back(e);
    }
    return entries;
}

// Positions the file after the line "services"; false when there is none.
bool SkipToServices(TTextFile& file)
{
    while (!file.Eof())
        if (file.ReadLine() == "services")
            return true;
    return false;
}

// What tells one state of a file from another without reading it: a file
// replaced by rename is another inode, one rewritten in place has a new
// change time, and both show in the size most of the time as well.
struct TFileStamp {
    std::string path;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t modifiedNs = 0, changedNs = 0;
    bool operator==(const TFileStamp&) const = default;
};

std::optional<TFileStamp> StampOf(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    const auto ns = [](const timespec& t) { return std::int64_t{t.tv_sec} * 1000000000 + t.tv_nsec; };
    return TFileStamp{path, st.st_dev, st.st_ino, st.st_size, ns(st.st_mtim), ns(st.st_ctim)};
}

// LoadTp and LoadChannel read the same file one after the other (a folder
// load, the compare dialog). LoadTp leaves the text it read here and the
// LoadChannel that follows takes it, as long as the file on disk still has
// the size and time it had before that read; otherwise it reads again.
class TServicesTextCache {
public:
    TTextFile ReadAndKeep(const std::string& path)
    {
        // Stamped before the read: a change during the read gives a newer
        // stamp, so the text kept is never taken for a later state.
        const std::optional<TFileStamp> stamp = StampOf(path);
        TTextFile file(path);
        std::lock_guard lock(mutex_);
        stamp_ = stamp;
        text_ = stamp ? file.Shared() : nullptr;
        return file;
    }

    TTextFile Take(const std::string& path)
    {
        {
            std::lock_guard lock(mutex_);
            if (stamp_ && stamp_->path == path) {
                const bool same = StampOf(path) == stamp_;
                stamp_.reset();
                std::shared_ptr<const std::string> text = std::move(text_);
                text_.reset();
                if (same)
                    return TTextFile::FromShared(std::move(text));
            }
        }
        return TTextFile(path);
    }

private:
    std::mutex mutex_;
    std::optional<TFileStamp> stamp_;
    std::shared_ptr<const std::string> text_;
};

TServicesTextCache& ServicesTextCache()
{
    static TServicesTextCache cache;
    return cache;
}

void AppendInt(std::string& out, std::int64_t v)
{
    char buf[24];
    auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, p);
}

} // namespace

void LoadTp(ARR_ENIG_TP& transponders, const std::string& path)
{
    TTextFile file = ServicesTextCache().ReadAndKeep(path);

    const std::string_view header = file.ReadLine();
    const std::size_t slash = header.find('/');
    const char digit = slash != std::string_view::npos && slash + 1 < header.size() ? header[slash + 1] : '\0';
    if (!(digit >= '0' && digit <= '9' && SetEnigmaVer(digit - '0')))
        AddToErrorReport("- Bad version in services file header : read as " + VersionName(EnigmaVersion));
    const std::int32_t version = EnigmaVersion;

    bool found = false;
    while (!file.Eof())
        if (file.ReadLine() == "transponders") {
            found = true;
            break;
        }
    if (!found) {
        AddToErrorReport(NoTransponderSectionText);
        return;
    }

    TBadItems bad("Transponder");
    std::vector<std::string> f;
    while (!file.Eof()) {
        const std::string_view keyLine = file.ReadLine();
        if (IsLine(keyLine, "end") || IsLine(keyLine, "services"))
            break;
        TY_ENIG_TP tp;
        SplitFieldsTo(f, keyLine, {8, 4, 4}, ':');
        bool ok = IsHexText(f[0]) && IsHexText(f[1]) && IsHexText(f[2]);
        tp.Namespace = f[0];
        tp.Tsid = f[1];
        tp.Onid = f[2];
        tp.Key = tp.Namespace + tp.Tsid + tp.Onid;

        // A missing data line must not take the next transponder with it.
        const std::string_view data = IsLine(file.PeekLine(), "/") ? std::string_view() : Trim(file.ReadLine());
        ok = ok && !data.empty();
        tp.Kind = data.empty() ? std::string() : ToUpperAscii(data.substr(0, 1));
        SplitFieldsTo(f, Trim(data.empty() ? data : data.substr(1)), {0, 0, 1, 0, 0, 1}, ':');
        tp.Frequency = f[0];
        tp.SymbolRate = f[1];
        tp.Polarisation = f[2];
        tp.Fec = f[3];
        // The texts are kept as read, but they must be the numbers they
        // stand for, and the kind a letter.
        std::int32_t number = 0;
        ok = ok && tp.Kind.size() == 1 && tp.Kind[0] >= 'A' && tp.Kind[0] <= 'Z' &&
             TryParseInt(tp.Frequency, number) && TryParseInt(tp.SymbolRate, number) &&
             IsDigits(tp.Polarisation) && TryParseInt(tp.Fec, number);
        if (tp.Kind != "S") {
            tp.Position = tp.Kind == "C" ? "Cable" : "Terrestrial";
            tp.PositionField = Trim(f[4]);
        } else {
            std::string_view pos = f[4];
            const bool west = !pos.empty() && pos.front() == '-';
            if (west)
                pos = Trim(pos.substr(1));
            ok = ok && IsDigits(pos);
            std::string p4 = pos.size() >= 4 ? std::string(pos.substr(pos.size() - 4))
                                             : std::string(4 - pos.size(), '0') + std::string(pos);
            tp.Position = p4.substr(0, 3) + "." + p4.substr(3, 1) + (west ? "W" : "E");
        }
        ok = ok && TryParseInt(f[5], tp.Inversion);
        if (f.size() > 6)
            ok = ok && ReadExtras(tp, f[6], version);
        else
            tp.ExtrasVersion = version;

        // QB-One stores its terrestrial transponders as satellite entries
        // with symbol rate 800000 and the frequency raised by 12 MHz.
        if (ok && version == VER_QBONE && tp.SymbolRate == "800000" && tp.Kind == "S") {
            std::int32_t freq = 0;
            ok = TryParseInt(tp.Frequency, freq) && freq >= INT32_MIN + 12000000;
            if (ok) {
                tp.Kind = "t";
                tp.Position = "Terrestrial";
                tp.PositionField = Trim(f[4]);
                tp.Frequency = std::to_string(freq - 12000000);
            }
        }

        if (IsLine(file.PeekLine(), "/"))
            file.ReadLine();
        if (ok)
            transponders.push_back(std::move(tp));
        else
            bad.Add(keyLine);
    }
}

std::int32_t CountServices(const std::string& path)
{
    TTextFile file(path);
    if (!SkipToServices(file))
        return 0;
    bool repaired = false;
    const auto entries = ReadServiceSection(file, repaired);
    if (repaired)
        AddToErrorReport("- Error(s) in services file");
    return static_cast<std::int32_t>(entries.size());
}

void LoadChannel(ARR_ENIG_CH& services, const ARR_ENIG_TP& transponders, bool setCounter,
                 const std::string& path)
{
    TTextFile file = ServicesTextCache().Take(path);
    std::vector<TServiceLines> entries;
    if (!SkipToServices(file)) {
        AddToErrorReport(NoServiceSectionText);
    } else {
        bool repaired = false;
        entries = ReadServiceSection(file, repaired);
        if (repaired)
            AddToErrorReport("- Error(s) in services file");
    }

    TSettingsView* view = SettingsView();
    if (view)
        view->ProgressStart(0, static_cast<std::int32_t>(entries.size()));

    const TTpKeyIndex tpIndex(transponders);
    if (services.capacity() < services.size() + entries.size()) {
        // The records and their texts: room at the heap's top, rather than
        // a mapping of their own faulted in afresh on every load.
        cf::PrepareHeapFor((services.size() + entries.size()) * (sizeof(TY_ENIG_CH) + 192));
        services.reserve(services.size() + entries.size());
        cf::AdviseLargePages(services.data() + services.size(),
                             (services.capacity() - services.size()) * sizeof(TY_ENIG_CH));
    }
    std::int32_t loaded = 0;
    std::int32_t skipped = 0;
    std::int32_t position = 0;
    TBadItems bad("Channel");
    std::vector<std::string_view> extras;
    for (const TServiceLines& e : entries) {
        if (view)
            view->ProgressPosition(++position);
        // The key fields as the settings splitter gives them (zero-padded
        // to their width, the rightmost digits kept, upper case), made in
        // place: no text is built for a line.
        TLineFields fields(e.ref);
        char key[16];
        char sid[4];
        std::int32_t type = 0;
        const bool hex = PadUpperHex(fields.Next(), 4, sid) && PadUpperHex(fields.Next(), 8, key) &&
                         PadUpperHex(fields.Next(), 4, key + 8) && PadUpperHex(fields.Next(), 4, key + 12);
        if (!hex || !TryParseInt(fields.Next(), type)) {
            bad.Add(e.ref);
            continue;
        }
        const std::int32_t tp = tpIndex.Find(std::string_view(key, sizeof key));
        if (tp < 0) {
            ++skipped;
            continue;
        }

        // The fields of the data line first, the uninterpreted ones
        // gathered, so that the record's list is made once in its size.
        bool ok = true;
        std::string_view provider;
        bool hasProvider = false;
        std::array<std::string_view, PID_COUNT> pids;
        std::array<bool, PID_COUNT> hasPid {};
        std::int32_t flags = 0;
        extras.clear();
        std::string_view data = e.data;
        while (ok && !data.empty()) {
            const std::size_t comma = FindShort(data, ',');
            const std::string_view part = data.substr(0, comma);
            data = comma == std::string_view::npos ? std::string_view() : data.substr(comma + 1);
            if (part.empty())
                continue;
            if (part.starts_with("p:")) {
                provider = part.substr(2);
                hasProvider = true;
            } else if (part.size() >= 4 && part.starts_with("c:0") && part[3] >= '0' && part[3] <= '4') {
                const std::string_view pid = part.substr(4, 4);
                ok = pid.empty() || IsHexText(pid);
                pids[static_cast<std::size_t>(part[3] - '0')] = pid;
                hasPid[static_cast<std::size_t>(part[3] - '0')] = true;
            } else if (part.starts_with("f:")) {
                ok = TryParseHex(Trim(part.substr(2)), flags);
            } else {
                extras.push_back(part);
            }
        }
        if (!ok) {
            bad.Add(e.ref);
            continue;
        }

        TY_ENIG_CH& ch = services.emplace_back();
        if (hasProvider)
            ch.Provider.assign(provider);
        for (std::size_t k = 0; k < PID_COUNT; ++k)
            if (hasPid[k])
                ch.Pids[k].assign(pids[k]);
        ch.Flags = flags;
        ch.ExtraData.assign(extras.begin(), extras.end());
        ch.Sid.assign(sid, sizeof sid);
        ch.TpIndex = tp;
        ch.ServiceType = type;
        // Sid, transponder key, type: made in place (the key is held
        // inline, no text is built for it).
        const std::string& tpKeyText = transponders[static_cast<std::size_t>(tp)].Key;
        if (tpKeyText.size() <= 32) {
            char keyText[4 + 32 + 16];
            std::memcpy(keyText, sid, sizeof sid);
            std::memcpy(keyText + sizeof sid, tpKeyText.data(), tpKeyText.size());
            char* const typeAt = keyText + sizeof sid + tpKeyText.size();
            const auto typeEnd = std::to_chars(typeAt, keyText + sizeof keyText, type).ptr;
            ch.Key.assign(keyText, static_cast<std::size_t>(typeEnd - keyText));
        } else {
            ch.Key = ch.Sid + tpKeyText + std::to_string(type);
        }
        ch.Number = 200 + loaded;
        // A name of control characters only is cleaned to nothing: shown and
        // saved as the nameless service it would read back as.
        if (e.name.find('\xC2') == std::string_view::npos)
            ch.Name = e.name;
        else
            ch.Name = Utf8ToAnsiClean(e.name);
        ch.Unnamed = ch.Name.empty();
        if (ch.Unnamed)
            ch.Name = ".";
        ++loaded;
    }
    if (skipped > 0)
        AddToErrorReport("- Some channels in services not loaded (no tp reference)");
    if (setCounter)
        ServiceCounter = loaded > 0 ? services.back().Number + 1 : 200;
}

namespace {

void AppendTransponder(std::string& out, const TY_ENIG_TP& tp, std::int32_t version, bool qbOneProfile)
{
    out += tp.Namespace;
    out += ':';
    out += tp.Tsid;
    out += ':';
    out += tp.Onid;
    out += '\n';

    out += '\t';
    std::int32_t freq = 0;
    if (qbOneProfile && tp.Kind == "t" && TryParseInt(Trim(tp.Frequency), freq)) {
        out += "s ";
        AppendInt(out, static_cast<std::int64_t>(freq) + 12000000);
    } else {
        out += ToLowerAscii(tp.Kind);
        out += ' ';
        out += tp.Frequency;
    }
    out += ':';
    out += tp.SymbolRate;
    out += ':';
    out += tp.Polarisation;
    out += ':';
    // Enigma 1 knows only the DVB-S code rates; the higher ones go out as
    // "Auto" while the model keeps the real rate.
    std::int32_t fec = 0;
    if (version == VER_ENIGMA1 && TryParseInt(Trim(tp.Fec), fec) && fec > 5)
        out += '0';
    else
        out += tp.Fec;
    out += ':';
    if (tp.Kind == "S") {
        if (tp.Position.size() >= 6 && tp.Position[5] == 'W')
            out += '-';
        std::string digits;
        for (char c : tp.Position)
            if (c != '.')
                digits += c;
        out += digits.substr(0, 4);
    } else if (!tp.PositionField.empty() || tp.ExtrasVersion != 0) {
        // The FEC of a cable line, the constellation of a terrestrial one,
        // as read, even empty; the default is for one made in the editor.
        out += tp.PositionField;
    } else {
        out += '3';
    }
    out += ':';
    AppendInt(out, tp.Inversion);
    out += ':';

    // Extras: what was read is written back as read (field count and any
    // unknown trailing fields); otherwise the version's rule.
    const int known = KnownExtras(version);
    const std::int32_t values3[] = {tp.System, tp.Modulation, tp.RollOff};
    const std::int32_t values4[] = {tp.ScanFlags, tp.System, tp.Modulation, tp.RollOff, tp.Pilot};
    const std::int32_t* values = version == VER_ENIGMA2_3 ? values3 : values4;
    int lastSet = 0; // 1 + index of the last non-zero known field
    for (int i = 0; i < known; ++i)
        if (values[i] != 0)
            lastSet = i + 1;
    const bool sameLayout = tp.ExtrasVersion == version;
    const int systemField = version == VER_ENIGMA2_4 ? 1 : 0; // index of System among the extras
    int count = 0;
    if (sameLayout && !tp.ExtraFields.empty())
        count = known;
    else if (sameLayout && tp.ExtrasRead > 0 && (tp.System == 0 || tp.ExtrasRead > systemField))
        count = std::max(tp.ExtrasRead, lastSet);
    else if (known > 0 && tp.System != 0)
        count = known;
    else if (version == VER_ENIGMA2_4 && tp.ScanFlags != 0)
        count = 1;
    // A line of another version has no pilot, which the receiver takes as
    // Auto; writing the model's 0 on converting would switch it off.
    const bool pilotUnread = tp.ExtrasVersion != 0 && tp.ExtrasVersion != VER_ENIGMA2_4;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            out += ':';
        if (version == VER_ENIGMA2_4 && i == 4 && pilotUnread && values[i] == 0)
            out += '2';
        else
            AppendInt(out, values[i]);
    }
    if (sameLayout && !tp.ExtraFields.empty()) {
        if (count > 0)
            out += ':';
        out += tp.ExtraFields;
        // A reader takes one final ":" for the line's end mark; an empty
        // last field needs it doubled to come back. A line is trimmed of
        // blanks and control bytes at its end, so a field ending in one is
        // closed with that mark too.
        const unsigned char last = static_cast<unsigned char>(tp.ExtraFields.back());
        if (last == ':' || last <= ' ')
            out += ':';
    }
    out += "\n/\n";
}

} // namespace

void SaveService()
{
    const std::int32_t version = EnigmaVersion;
    const bool qbOneProfile = SaveProfileType() == 4;

    std::string out;
    out.reserve(Transponders.size() * 64 + Services.size() * 96 + 256);
    out += "eDVB services /";
    AppendInt(out, version);
    out += "/\ntransponders\n";
    // Every transponder, also one no service uses: a receiver scans and
    // tunes it all the same, and a plain load and save must not drop it.
    for (const auto& tp : Transponders)
        AppendTransponder(out, tp, version, qbOneProfile);
    out += "end\nservices\n";

    for (const auto& s : Services) {
        const TY_ENIG_TP* tp = TransponderOf(s, Transponders);
        if (!tp)
            continue; // no transponder to write it against
        AppendServiceRef(out, s, *tp);
        out += ':';
        AppendInt(out, s.Number);
        out += '\n';
        // "." stands for a service the file gave no name; the receiver
        // would show the dot.
        if (!(s.Unnamed && s.Name == "."))
            out += s.Name;
        out += '\n';
        out += "p:";
        out += s.Provider;
        static const char* const tags[PID_COUNT] = {",c:00", ",c:01", ",c:02", ",c:03", ",c:04"};
        for (int k = 0; k < PID_COUNT; ++k)
            if (!s.Pids[static_cast<std::size_t>(k)].empty()) {
                out += tags[k];
                out += s.Pids[static_cast<std::size_t>(k)];
            }
        if (!s.ExtraData.empty()) {
            out += ',';
            out += s.ExtraData.Joined();
        }
        if (s.Flags != 0) {
            out += ",f:";
            AppendHexUpper(out, static_cast<std::uint32_t>(s.Flags) & ~static_cast<std::uint32_t>(FLAG_NEW), 4);
        }
        out += '\n';
    }
    out += "end\n";
    out += ServicesFooter;
    out += '\n';

    WriteFileReplacing(TheSaveDir + "/" + ServicesFileName, out);
}
