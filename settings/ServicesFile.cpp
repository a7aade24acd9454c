#include "settings/ServicesFile.h"
#include "settings/ByteScan.h"
#include "settings/Fields.h"
#include "settings/HexDigits.h"
#include "settings/Lookups.h"
#include "settings/ServiceRefIndex.h"
#include "settings/TextFile.h"
#include "settings/Unit_lib.h"

#include "platform/LargeMemory.h"

#include <algorithm>
#include <bit>
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

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

const std::string ServicesFooter = "Powered by Kestro - www.chanforge.org";

namespace {

// Receivers compare the section lines exactly; a name or key line that
// merely contains "end" must not end a section.
bool IsLine(std::string_view line, std::string_view word)
{
    // Most lines start with a character of their own: no trimming for them.
    if (!line.empty() && static_cast<unsigned char>(line[0]) > ' ' && line[0] != word[0])
        return false;
    return Trim(line) == word;
}

// Collects the "bad number" lines of one read; after a few, only counts, so
// a file full of junk gives a readable report. The lines go to the report
// on Flush (at the latest when the read ends), so a reader can put a line
// about the whole file before them.
class TBadItems {
public:
    explicit TBadItems(std::string what) : what_(std::move(what)) {}
    ~TBadItems()
    {
        Flush();
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
            pending_.push_back("- " + what_ + " <" + shown + "> in services file not loaded (bad number)");
        }
    }
    void Flush()
    {
        for (const std::string& line : pending_)
            AddToErrorReport(line);
        pending_.clear();
    }

private:
    static constexpr int kShown = 20;
    std::string what_;
    std::vector<std::string> pending_;
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

// Room to reserve for the transponders of a section: its "/" lines, which
// close the entries, up to the first line that starts with "end" or
// "services", and never more than its text could hold in entries of the
// usual shape, so a damaged file gets no more room than it has text for.
// Only a size hint, found 64 bytes at a time; growing a list of records
// this large step by step would move every record several times.
std::size_t EstimateTransponders(std::string_view text)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    const std::size_t most = text.size() / 23 + 1;
    std::size_t entries = 0;
    std::uint64_t carry = 1; // the text starts a line
    for (; p < end; p += 64) {
        const std::uint64_t nl = bytescan::EqualAt(p, end, '\n');
        const std::uint64_t starts = nl << 1 | carry;
        carry = nl >> 63;
        const std::uint64_t slashes = starts & bytescan::EqualAt(p, end, '/');
        for (std::uint64_t words = starts & (bytescan::EqualAt(p, end, 'e') | bytescan::EqualAt(p, end, 's'));
             words != 0; words &= words - 1) {
            const int i = std::countr_zero(words);
            const std::string_view line(p + i, static_cast<std::size_t>(end - p - i));
            if (line.starts_with("end") || line.starts_with("services"))
                return std::min(most, entries + static_cast<std::size_t>(
                                                    std::popcount(slashes & ((std::uint64_t{1} << i) - 1))));
        }
        entries += static_cast<std::size_t>(std::popcount(slashes));
    }
    return std::min(most, entries);
}

// The n hex digits at p upper-cased into out; false when one is no hex
// digit. Without a branch per character: the letters come in any order.
bool UpperHex(const char* p, int n, char* out)
{
    bool ok = true;
    for (int i = 0; i < n; ++i) {
        const char c = p[i];
        const char upper = static_cast<char>(c & ~0x20);
        const bool digit = static_cast<unsigned char>(c - '0') < 10;
        ok &= digit | (static_cast<unsigned char>(upper - 'A') < 6);
        out[i] = digit ? c : upper;
    }
    return ok;
}

// Bit i set where p[i] is a colon, and where it is a digit, for the 64
// bytes from p; bytes at or past `readable` count as neither.
struct TColonsAndDigits {
    std::uint64_t colons = 0, digits = 0;

    TColonsAndDigits(const char* p, const char* readable)
    {
        char tail[64];
        if (readable - p < 64) {
            const std::size_t left = static_cast<std::size_t>(readable - p);
            std::memset(tail, 0, sizeof tail);
            std::memcpy(tail, p, left);
            p = tail;
        }
#if defined(__SSE2__)
        const __m128i colon = _mm_set1_epi8(':');
        const __m128i belowZero = _mm_set1_epi8('0' - 1);
        const __m128i aboveNine = _mm_set1_epi8('9' + 1);
        for (int i = 0; i < 4; ++i) {
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
            const auto shift = 16 * i;
            colons |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(
                          _mm_movemask_epi8(_mm_cmpeq_epi8(b, colon))))
                      << shift;
            digits |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_movemask_epi8(
                          _mm_and_si128(_mm_cmpgt_epi8(b, belowZero), _mm_cmplt_epi8(b, aboveNine)))))
                      << shift;
        }
#else
        for (int i = 0; i < 64; ++i) {
            colons |= static_cast<std::uint64_t>(p[i] == ':') << i;
            digits |= static_cast<std::uint64_t>(p[i] >= '0' && p[i] <= '9') << i;
        }
#endif
    }
};

// Bits [from, to) of a 64-bit mask; none from bit 64 on.
std::uint64_t BitsBetween(unsigned from, unsigned to)
{
    const auto below = [](unsigned n) { return n >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << n) - 1; };
    return below(to) & ~below(from);
}

// The transponder at the start of `text` when it has the shape receivers
// write: a key line of three hex fields at their full width, a data line of
// plain numbers and a "/" line, each ended by LF. It is appended to
// `transponders` as the general reader below would read it, and the length
// of its lines is returned; 0 for an entry of any other shape, which is then
// left to the general reader, nothing changed.
std::size_t ReadPlainTransponder(std::string_view text, std::int32_t version, ARR_ENIG_TP& transponders)
{
    const char* const p = text.data();
    const char* const end = p + text.size();
    if (text.size() < 23 || p[8] != ':' || p[13] != ':' || p[18] != '\n')
        return 0;
    char key[16];
    if (!UpperHex(p, 8, key) || !UpperHex(p + 9, 4, key + 8) || !UpperHex(p + 14, 4, key + 12))
        return 0;

    const char* const dataStart = p + 19;
    const char* const nl = bytescan::Find(dataStart, end, '\n');
    if (end - nl < 2 || nl[1] != '/' || (end - nl > 2 && nl[2] != '\n'))
        return 0;
    const std::size_t used = static_cast<std::size_t>(nl - p) + (end - nl > 2 ? 3 : 2);

    const std::string_view data = Trim(std::string_view(dataStart, static_cast<std::size_t>(nl - dataStart)));
    if (data.size() < 2 || data.size() > 64)
        return 0;
    char kind = data[0];
    if (kind >= 'a' && kind <= 'z')
        kind = static_cast<char>(kind - 'a' + 'A');
    if (kind < 'A' || kind > 'Z')
        return 0;
    unsigned start = 1;
    while (static_cast<unsigned char>(data[start]) <= ' ')
        ++start; // stops at the data's last character, which is no blank
    const auto size = static_cast<unsigned>(data.size());

    // Frequency, symbol rate, polarisation, FEC, position (or the field in
    // its place), inversion: numbers that need no sign, trimming or padding
    // and fit in 32 bits, found from the colons without a look per byte.
    const TColonsAndDigits masks(data.data(), end);
    std::uint64_t colons = masks.colons & BitsBetween(start, size);
    unsigned bounds[7];
    bounds[0] = start;
    for (int i = 1; i <= 6; ++i) {
        if (colons == 0) {
            if (i < 6)
                return 0;
            bounds[i] = size;
            break;
        }
        bounds[i] = static_cast<unsigned>(std::countr_zero(colons));
        colons &= colons - 1;
    }
    // Fields i from bounds[i] (after a colon but the first) to bounds[i + 1].
    std::uint64_t allowed = masks.digits | masks.colons;
    const unsigned posStart = bounds[4] + 1;
    const bool west = kind == 'S' && data[posStart] == '-';
    if (west)
        allowed |= std::uint64_t{1} << posStart;
    if ((BitsBetween(start, bounds[6]) & ~allowed) != 0)
        return 0;
    const auto field = [&](int i) {
        const unsigned from = i == 0 ? bounds[0] : bounds[i] + 1;
        return data.substr(from, bounds[i + 1] - from);
    };
    std::string_view f[6];
    for (int i = 0; i < 6; ++i)
        f[i] = field(i);
    if (west)
        f[4].remove_prefix(1);
    const auto between = [](std::string_view s, std::size_t low, std::size_t high) {
        return s.size() >= low && s.size() <= high;
    };
    if (!between(f[0], 1, 9) || !between(f[1], 1, 9) || f[2].size() != 1 || !between(f[3], 1, 9) ||
        f[5].size() != 1 || (kind == 'S' && f[4].empty()))
        return 0;
    // QB-One's terrestrial entries are left to the general reader.
    if (version == VER_QBONE && kind == 'S' && f[1] == "800000")
        return 0;

    // The extras: after the inversion's ":", without one final ":".
    const bool hasExtras = bounds[6] + 1 < size;
    std::string_view extras;
    std::int32_t values[5] = {};
    int read = 0;
    if (hasExtras) {
        unsigned at = bounds[6] + 1;
        unsigned extrasEnd = data.back() == ':' ? size - 1 : size;
        extras = data.substr(at, extrasEnd - at);
        const int known = KnownExtras(version);
        while (read < known) {
            const std::uint64_t after = masks.colons & BitsBetween(at, extrasEnd);
            const unsigned stop = after ? static_cast<unsigned>(std::countr_zero(after)) : extrasEnd;
            if (stop == at || stop - at > 9 || (BitsBetween(at, stop) & ~masks.digits) != 0)
                return 0;
            std::int32_t v = 0;
            for (unsigned i = at; i < stop; ++i)
                v = v * 10 + (data[i] - '0');
            values[read++] = v;
            if (stop == extrasEnd) {
                extras = {};
                break;
            }
            at = stop + 1;
            extras = data.substr(at, extrasEnd - at);
        }
    }

    TY_ENIG_TP& tp = transponders.emplace_back();
    tp.Namespace.assign(key, 8);
    tp.Tsid.assign(key + 8, 4);
    tp.Onid.assign(key + 12, 4);
    tp.Key.assign(key, 16);
    tp.Kind.assign(1, kind);
    tp.Frequency.assign(f[0]);
    tp.SymbolRate.assign(f[1]);
    tp.Polarisation.assign(f[2]);
    tp.Fec.assign(f[3]);
    if (kind != 'S') {
        tp.Position = kind == 'C' ? "Cable" : "Terrestrial";
        tp.PositionField.assign(f[4]);
    } else {
        // The last four digits, as "ddd.d" and the side.
        char digits[4] = {'0', '0', '0', '0'};
        const std::size_t take = std::min<std::size_t>(f[4].size(), 4);
        for (std::size_t i = 0; i < take; ++i)
            digits[4 - take + i] = f[4][f[4].size() - take + i];
        const char position[6] = {digits[0], digits[1], digits[2], '.', digits[3], west ? 'W' : 'E'};
        tp.Position.assign(position, 6);
    }
    tp.Inversion = f[5][0] - '0';
    tp.ExtrasVersion = version;
    if (hasExtras) {
        std::int32_t* fields3[] = {&tp.System, &tp.Modulation, &tp.RollOff};
        std::int32_t* fields4[] = {&tp.ScanFlags, &tp.System, &tp.Modulation, &tp.RollOff, &tp.Pilot};
        std::int32_t** fields = version == VER_ENIGMA2_3 ? fields3 : fields4;
        for (int i = 0; i < read; ++i)
            *fields[i] = values[i];
        tp.ExtrasRead = read;
        tp.ExtraFields.assign(extras);
    }
    return used;
}

bool HasField(std::string_view data, std::string_view tag)
{
    if (data.size() >= 2 && data[0] == tag[0] && data[1] == tag[1])
        return true; // where receivers put "p:"
    for (std::size_t start = 0;;) {
        if (data.compare(start, tag.size(), tag) == 0)
            return true;
        const std::size_t comma = data.find(',', start);
        if (comma == std::string_view::npos)
            return false;
        start = comma + 1;
    }
}

// The LFs in `text`.
std::size_t CountLineEnds(std::string_view text)
{
    return bytescan::Count(text.data(), text.data() + text.size(), '\n');
}

// One service entry of the services section: its reference, name and
// data lines.
struct TServiceLines {
    std::string_view ref, name, data;
};

// The lines of a text one after the other, as TTextFile gives them (LF or
// CR LF ends, further CRs before the LF dropped), with one search for line
// ends that runs on through the text: the services section is three short
// lines an entry, and a search set up afresh for each line costs more than
// the line.
class TLineCursor {
public:
    explicit TLineCursor(std::string_view text) noexcept
        : pos_(text.data()), end_(text.data() + text.size()), ends_(pos_, end_, end_, '\n')
    {
    }
    bool Eof() const noexcept { return pos_ >= end_; }
    std::string_view ReadLine() noexcept
    {
        if (pos_ >= end_)
            return {};
        const char* const begin = pos_;
        const char* const nl = ends_.Next();
        pos_ = nl < end_ ? nl + 1 : end_;
        const char* last = nl;
        while (last > begin && last[-1] == '\r')
            --last;
        return {begin, static_cast<std::size_t>(last - begin)};
    }
    // The text not read yet.
    std::string_view Rest() const noexcept { return {pos_, static_cast<std::size_t>(end_ - pos_)}; }

private:
    const char* pos_;
    const char* end_;
    bytescan::TFinder ends_;
};

// Reads the next entry of the services section; false at its "end" or the
// end of the file. A data line without a "p:" field (a name broken over two
// lines, say) is replaced by the next line that has one and `repaired` is
// set; the lines in between are dropped. Only the copy in memory is
// repaired: the user's file stays as it is.
bool ReadServiceEntry(TLineCursor& lines, TServiceLines& e, bool& repaired)
{
    if (lines.Eof())
        return false;
    e.ref = lines.ReadLine();
    if (IsLine(e.ref, "end"))
        return false;
    e.name = lines.ReadLine();
    e.data = lines.ReadLine();
    if (!HasField(e.data, "p:")) {
        repaired = true;
        while (!lines.Eof()) {
            e.data = lines.ReadLine();
            if (HasField(e.data, "p:"))
                break;
        }
    }
    return true;
}

// The lines after the line "services"; false when there is none.
bool SkipToServices(TLineCursor& lines)
{
    while (!lines.Eof())
        if (lines.ReadLine() == "services")
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
        kept_.reset();
        if (stamp)
            kept_ = file; // shares the text, at its first line
        return file;
    }

    TTextFile Take(const std::string& path)
    {
        {
            std::lock_guard lock(mutex_);
            if (stamp_ && stamp_->path == path) {
                const bool same = StampOf(path) == stamp_;
                stamp_.reset();
                std::optional<TTextFile> kept = std::move(kept_);
                kept_.reset();
                if (same && kept)
                    return std::move(*kept);
            }
        }
        return TTextFile(path);
    }

private:
    std::mutex mutex_;
    std::optional<TFileStamp> stamp_;
    std::optional<TTextFile> kept_;
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

// The transponder of `keyLine` and the lines after it, read by the general
// rule: a damaged one is skipped with a line in the report.
void ReadTransponder(TTextFile& lines, std::string_view keyLine, std::int32_t version,
                     ARR_ENIG_TP& transponders, TBadItems& bad)
{
    std::string_view f[8];
    std::string inversion;
    char position[8];
    // Filled in place and taken back when the entry is damaged.
    TY_ENIG_TP& tp = transponders.emplace_back();
    SplitFieldViews(keyLine, 3, ':', f);
    AssignField(tp.Namespace, f[0], 8);
    AssignField(tp.Tsid, f[1], 4);
    AssignField(tp.Onid, f[2], 4);
    bool ok = IsHexText(tp.Namespace) && IsHexText(tp.Tsid) && IsHexText(tp.Onid);
    tp.Key.reserve(16);
    tp.Key.append(tp.Namespace).append(tp.Tsid).append(tp.Onid);

    // A missing data line must not take the next transponder with it.
    const std::string_view data = IsLine(lines.PeekLine(), "/") ? std::string_view() : Trim(lines.ReadLine());
    ok = ok && !data.empty();
    if (!data.empty())
        AssignField(tp.Kind, data.substr(0, 1), 0);
    const std::size_t dataFields = SplitFieldViews(Trim(data.empty() ? data : data.substr(1)), 6, ':', f);
    AssignField(tp.Frequency, f[0], 0);
    AssignField(tp.SymbolRate, f[1], 0);
    AssignField(tp.Polarisation, f[2], 1);
    AssignField(tp.Fec, f[3], 0);
    // The texts are kept as read, but they must be the numbers they
    // stand for, and the kind a letter.
    std::int32_t number = 0;
    ok = ok && tp.Kind.size() == 1 && tp.Kind[0] >= 'A' && tp.Kind[0] <= 'Z' &&
         TryParseInt(tp.Frequency, number) && TryParseInt(tp.SymbolRate, number) &&
         IsDigits(tp.Polarisation) && TryParseInt(tp.Fec, number);
    if (tp.Kind != "S") {
        tp.Position = tp.Kind == "C" ? "Cable" : "Terrestrial";
        AssignField(tp.PositionField, Trim(f[4]), 0);
    } else {
        std::string_view pos = f[4];
        const bool west = !pos.empty() && pos.front() == '-';
        if (west)
            pos = Trim(pos.substr(1));
        ok = ok && IsDigits(pos);
        // The last four digits, as "ddd.d" and the side.
        char digits[4] = {'0', '0', '0', '0'};
        const std::size_t take = std::min<std::size_t>(pos.size(), 4);
        for (std::size_t i = 0; i < take; ++i)
            digits[4 - take + i] = pos[pos.size() - take + i];
        std::memcpy(position, digits, 3);
        position[3] = '.';
        position[4] = digits[3];
        position[5] = west ? 'W' : 'E';
        tp.Position.assign(position, 6);
    }
    AssignField(inversion, f[5], 1);
    ok = ok && TryParseInt(inversion, tp.Inversion);
    if (dataFields > 6)
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
            AssignField(tp.PositionField, Trim(f[4]), 0);
            tp.Frequency = std::to_string(freq - 12000000);
        }
    }

    if (IsLine(lines.PeekLine(), "/"))
        lines.ReadLine();
    if (!ok) {
        transponders.pop_back();
        bad.Add(keyLine);
    }
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
    transponders.reserve(transponders.size() + EstimateTransponders(file.Rest()));
    while (!file.Eof()) {
        if (const std::size_t used = ReadPlainTransponder(file.Rest(), version, transponders)) {
            file.Skip(used);
            continue;
        }
        const std::string_view keyLine = file.ReadLine();
        if (IsLine(keyLine, "end") || IsLine(keyLine, "services"))
            break;
        ReadTransponder(file, keyLine, version, transponders, bad);
    }
}

std::int32_t CountServices(const std::string& path)
{
    const TTextFile file(path);
    TLineCursor lines(file.Rest());
    if (!SkipToServices(lines))
        return 0;
    bool repaired = false;
    std::int32_t count = 0;
    for (TServiceLines e; ReadServiceEntry(lines, e, repaired);)
        ++count;
    if (repaired)
        AddToErrorReport("- Error(s) in services file");
    return count;
}

namespace {

// The eight hex digits of the low 32 bits of v, upper case, computed for
// all eight at once.
void HexDigits8(std::uint64_t v, char* out)
{
    std::uint64_t x = v & 0xFFFFFFFFu;
    // One nibble per byte, the most significant in the highest byte.
    x = ((x & 0xFFFF0000u) << 16) | (x & 0x0000FFFFu);
    x = ((x & 0x0000FF000000FF00u) << 8) | (x & 0x000000FF000000FFu);
    x = ((x & 0x00F000F000F000F0u) << 4) | (x & 0x000F000F000F000Fu);
    // '0' + n, and 7 more for the letters.
    const std::uint64_t letters = ((x + 0x0606060606060606u) >> 4) & 0x0101010101010101u;
    x += 0x3030303030303030u + letters * 7;
    // The most significant digit first in memory, in one store.
    if constexpr (std::endian::native == std::endian::little)
        x = __builtin_bswap64(x);
    std::memcpy(out, &x, sizeof x);
}

// The key of a service reference line "sid:namespace:tsid:onid:type:..."
// read in one pass, with the rules of the settings splitter: a leading ":"
// dropped, missing fields empty, each hex field zero-padded to its width
// with only its rightmost `width` digits kept (and only those checked).
struct TRefKey {
    std::uint64_t sid = 0;
    std::uint64_t packed = 0; // namespace << 32 | tsid << 16 | onid
    std::int32_t type = 0;

    bool Read(std::string_view line)
    {
        const char* p = line.data();
        const char* const end = p + line.size();
        std::uint64_t ns = 0, tsid = 0, onid = 0;
        // As receivers write it, every field at its full width: read at
        // fixed places without looking for the separators.
        if (line.size() >= 24 && line[4] == ':' && line[13] == ':' && line[18] == ':' && line[23] == ':' &&
            FixedHex<4>(p, sid) && FixedHex<8>(p + 5, ns) && FixedHex<4>(p + 14, tsid) && FixedHex<4>(p + 19, onid)) {
            p += 24;
        } else {
            if (p < end && *p == ':')
                ++p;
            if (!HexField(p, end, 4, sid) || !HexField(p, end, 8, ns) || !HexField(p, end, 4, tsid) ||
                !HexField(p, end, 4, onid))
                return false;
        }
        packed = ns << 32 | tsid << 16 | onid;
        // Types are a few digits: read here; any other form (a sign, spaces,
        // a long number) as the settings number reader takes it.
        std::int32_t small = 0;
        const char* d = p;
        for (; d < end && d - p < 5 && static_cast<unsigned>(*d - '0') < 10; ++d)
            small = small * 10 + (*d - '0');
        if (d > p && d - p < 5 && (d == end || *d == ':')) {
            type = small;
            return true;
        }
        const std::string_view rest(p, static_cast<std::size_t>(end - p));
        return TryParseInt(rest.substr(0, bytescan::FindShort(rest, ':')), type);
    }

private:
    // The value of the n hex digits at p; false when one is no hex digit.
    template <int N>
    static bool FixedHex(const char* p, std::uint64_t& value)
    {
        value = 0;
        return AppendHexDigits(value, p, N);
    }

    static bool HexField(const char*& p, const char* end, std::ptrdiff_t width, std::uint64_t& value)
    {
        const char* const start = p;
        const char* lastBad = nullptr;
        std::uint64_t v = 0;
        for (; p < end && *p != ':'; ++p) {
            const std::int8_t d = kHexDigit[static_cast<unsigned char>(*p)];
            if (d < 0)
                lastBad = p;
            else
                v = v << 4 | static_cast<std::uint64_t>(d);
        }
        const char* const fieldEnd = p;
        if (p < end)
            ++p;
        if (lastBad && lastBad >= fieldEnd - std::min(width, fieldEnd - start))
            return false;
        value = v & ((std::uint64_t{1} << (4 * width)) - 1);
        return true;
    }
};

// Writes a service's key as it is kept: sid, transponder key, type, in
// upper-case digits and the type in decimal; the sid also on its own.
// Services come grouped by transponder and share a few types, so the part
// after the sid is made once for a run of them.
class TKeyWriter {
public:
    void Write(const TRefKey& ref, TText32& key, TText8& sidText)
    {
        if (!made_ || ref.packed != packed_ || ref.type != type_)
            MakeTail(ref.packed, ref.type);
        // The sid is the low half of eight digits.
        char sidDigits[8];
        HexDigits8(ref.sid, sidDigits);
        const char* const sid = sidDigits + 4;
        std::memcpy(sidText.WriteInPlace(4), sid, 4);
        const std::size_t n = 4 + tailLength_;
        if (n <= TText32::kInline) {
            char* const out = key.WriteInPlace(n);
            std::memcpy(out, sid, 4);
            // The tail is 17 to 27 characters: two moves that overlap.
            std::memcpy(out + 4, tail_, 16);
            std::memcpy(out + n - 16, tail_ + tailLength_ - 16, 16);
        } else {
            char text[4 + sizeof tail_];
            std::memcpy(text, sid, 4);
            std::memcpy(text + 4, tail_, tailLength_);
            key.assign(text, n);
        }
    }

private:
    void MakeTail(std::uint64_t packed, std::int32_t type)
    {
        HexDigits8(packed >> 32, tail_);
        HexDigits8(packed & 0xFFFFFFFFu, tail_ + 8);
        tailLength_ = static_cast<std::size_t>(std::to_chars(tail_ + 16, tail_ + sizeof tail_, type).ptr - tail_);
        packed_ = packed;
        type_ = type;
        made_ = true;
    }

    char tail_[16 + 12];
    std::size_t tailLength_ = 0;
    std::uint64_t packed_ = 0;
    std::int32_t type_ = 0;
    bool made_ = false;
};

// Reads the data line of a service into its record in one pass, split at
// its commas: provider, PIDs, flags and the fields kept as they are.
class TDataFields {
public:
    // False on a bad PID or flags value; the record is then only partly
    // filled.
    bool Read(std::string_view data, const char* textEnd, TY_ENIG_CH& ch)
    {
        if (data.empty())
            return true;
        // The uninterpreted fields mostly follow each other in the line, and
        // that run is the text they are written back as; otherwise each one
        // is taken from `extras_`.
        std::string_view run;
        bool runWhole = true;
        extras_.clear();
        const char* const end = data.data() + data.size();
        bytescan::TFinder commas(data.data(), end, textEnd, ',');
        for (const char* start = data.data(); start <= end;) {
            const char* const comma = commas.Next();
            const std::string_view part(start, static_cast<std::size_t>(comma - start));
            start = comma + 1;
            if (part.empty())
                continue;
            if (part.size() >= 2 && part[1] == ':') {
                // The value after the tag (the size is known: no checked cut).
                const std::string_view value(part.data() + 2, part.size() - 2);
                if (part[0] == 'p') {
                    ch.Provider.assign(value);
                    continue;
                }
                if (part[0] == 'c' && part.size() >= 4 && part[2] == '0' && part[3] >= '0' && part[3] <= '4') {
                    const std::string_view pid(part.data() + 4, std::min<std::size_t>(part.size() - 4, 4));
                    const auto digit = [&](std::size_t i) { return kHexDigit[static_cast<unsigned char>(pid[i])]; };
                    std::int8_t digits = 0;
                    if (pid.size() == 4) // as receivers write them: no loop to run
                        digits = static_cast<std::int8_t>(digit(0) | digit(1) | digit(2) | digit(3));
                    else
                        for (std::size_t i = 0; i < pid.size(); ++i)
                            digits |= digit(i);
                    if (digits < 0)
                        return false;
                    ch.Pids[static_cast<std::size_t>(part[3] - '0')].assign(pid);
                    continue;
                }
                if (part[0] == 'f') {
                    if (!ReadFlags(value, ch.Flags))
                        return false;
                    continue;
                }
            }
            if (run.empty()) {
                run = part;
            } else if (runWhole && run.data() + run.size() + 1 == part.data()) {
                run = std::string_view(run.data(), run.size() + 1 + part.size());
            } else {
                // Only now are the fields needed one by one: the run holds
                // those so far, none empty, joined by single commas.
                if (runWhole) {
                    runWhole = false;
                    for (std::size_t from = 0;;) {
                        const std::size_t at = bytescan::FindShort(run, ',', from);
                        extras_.push_back(run.substr(from, at - from));
                        if (at == std::string_view::npos)
                            break;
                        from = at + 1;
                    }
                }
                extras_.push_back(part);
            }
        }
        if (runWhole)
            ch.ExtraData.AssignJoined(run);
        else
            ch.ExtraData.assign(extras_.begin(), extras_.end());
        return true;
    }

private:
    std::vector<std::string_view> extras_;

    // Flags as receivers write them, up to eight hex digits, read here;
    // anything else as the settings reader takes it.
    static bool ReadFlags(std::string_view text, std::int32_t& flags)
    {
        if (text.empty() || text.size() > 8)
            return TryParseHex(Trim(text), flags);
        std::uint64_t v = 0;
        if (!AppendHexDigits(v, text.data(), text.size()))
            return TryParseHex(Trim(text), flags);
        flags = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
        return true;
    }
};

} // namespace

void LoadChannel(ARR_ENIG_CH& services, const ARR_ENIG_TP& transponders, bool setCounter,
                 const std::string& path)
{
    const TTextFile file = ServicesTextCache().Take(path);
    TLineCursor lines(file.Rest());
    const bool hasSection = SkipToServices(lines);
    if (!hasSection)
        AddToErrorReport(NoServiceSectionText);
    const std::string_view section = hasSection ? lines.Rest() : std::string_view();

    // An entry takes three lines: from that count the progress range and
    // the room for the records, so the text is read only once.
    const auto expected = static_cast<std::int32_t>(CountLineEnds(section) / 3);
    TSettingsView* view = SettingsView();
    if (view)
        view->ProgressStart(0, expected);
    if (services.capacity() < services.size() + static_cast<std::size_t>(expected) + 1) {
        const std::size_t room = services.size() + static_cast<std::size_t>(expected) + 1;
        // The records and their texts: room at the heap's top, rather than
        // a mapping of their own faulted in afresh on every load.
        cf::PrepareHeapFor(room * (sizeof(TY_ENIG_CH) + 192));
        services.reserve(room);
        cf::AdviseLargePages(services.data() + services.size(),
                             (services.capacity() - services.size()) * sizeof(TY_ENIG_CH));
    }

    const TTpKeyIndex tpIndex(transponders);
    std::uint64_t lastKey = 0;
    std::int32_t lastTp = -1;
    std::int32_t loaded = 0;
    std::int32_t skipped = 0;
    std::int32_t position = 0;
    bool repaired = false;
    TBadItems bad("Channel");
    TDataFields fields;
    TKeyWriter keys;
    // Blocks may be read up to the end of the text, past a line's end.
    const char* const textEnd = section.data() + section.size();
    for (TServiceLines e; ReadServiceEntry(lines, e, repaired);) {
        const std::string_view ref = e.ref, name = e.name, data = e.data;
        if (view)
            view->ProgressPosition(++position);

        // The key fields as the settings splitter gives them (zero-padded
        // to their width, the rightmost digits kept, upper case), made in
        // place: no text is built for a line.
        TRefKey refKey;
        if (!refKey.Read(ref)) {
            bad.Add(ref);
            continue;
        }
        const std::int32_t type = refKey.type;
        // Services come grouped by transponder, mostly in the transponders' order.
        const std::uint64_t packedKey = refKey.packed;
        if (lastTp < 0 || packedKey != lastKey) {
            lastTp = tpIndex.FindPacked(packedKey, lastTp);
            lastKey = packedKey;
        }
        const std::int32_t tp = lastTp;
        if (tp < 0) {
            ++skipped;
            continue;
        }

        // Filled in place and taken back when the data line is damaged.
        TY_ENIG_CH& ch = services.emplace_back();
        if (!fields.Read(data, textEnd, ch)) {
            services.pop_back();
            bad.Add(ref);
            continue;
        }
        // Sid, transponder key, type. The transponder's key is the text of
        // the digits just read: a key of 16 hex digits is found only by its
        // own text.
        keys.Write(refKey, ch.Key, ch.Sid);
        ch.TpIndex = tp;
        ch.ServiceType = type;
        ch.Number = 200 + loaded;
        // A name of control characters only is cleaned to nothing: shown and
        // saved as the nameless service it would read back as.
        if (!bytescan::Contains(name.data(), name.data() + name.size(), textEnd, '\xC2'))
            ch.Name = name;
        else
            ch.Name = Utf8ToAnsiClean(name);
        ch.Unnamed = ch.Name.empty();
        if (ch.Unnamed)
            ch.Name = ".";
        ++loaded;
    }
    if (view && position != expected) {
        // The range was counted from lines; a repaired file has fewer entries.
        view->ProgressStart(0, position);
        view->ProgressPosition(position);
    }
    if (repaired)
        AddToErrorReport("- Error(s) in services file");
    bad.Flush();
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
