#include "app/ClipboardBlock.h"

#include "settings/Fields.h"

#include <algorithm>

namespace {

void PutInt32(std::vector<std::uint8_t>& out, std::size_t at, std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i)
        out[at + i] = static_cast<std::uint8_t>(u >> (8 * i));
}

std::int32_t GetInt32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    std::uint32_t u = 0;
    for (std::size_t i = 0; i < 4; ++i)
        u |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
    return static_cast<std::int32_t>(u);
}

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Bytes of the escaped form of the character starting at text[i] of length len.
std::size_t EscapedSize(std::string_view ch) { return ch == "%" || ch == "|" ? 3 : ch.size(); }

// Drops whole characters from the end of `text` until its escaped form has
// shrunk by at least `excess` bytes (or it is empty); answers how much it shrank.
std::size_t ShortenBy(std::string& text, std::size_t excess)
{
    std::size_t saved = 0;
    while (saved < excess && !text.empty()) {
        std::size_t start = text.size() - 1;
        while (start > 0 && IsContinuationByte(text[start]))
            --start;
        saved += EscapedSize(std::string_view(text).substr(start));
        text.erase(start);
    }
    return saved;
}

bool IsHexOfWidth(std::string_view s, std::size_t width)
{
    if (s.size() != width)
        return false;
    return std::all_of(s.begin(), s.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    });
}

bool IsAllDigits(std::string_view s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool ParseInRange(std::string_view s, std::int32_t lo, std::int32_t hi, std::int32_t& value)
{
    return TryParseInt(s, value) && value >= lo && value <= hi;
}

TLineSlot Refuse(std::string why)
{
    TLineSlot slot;
    slot.Kind = TLineSlot::TKind::Invalid;
    slot.Problem = std::move(why);
    return slot;
}

} // namespace

std::vector<std::uint8_t> EncodeBlock(std::int32_t owner, const std::vector<std::string>& lines)
{
    std::vector<std::uint8_t> block(BlockHeaderSize + BlockSlotSize * lines.size(), 0);
    PutInt32(block, 0, owner);
    PutInt32(block, 4, static_cast<std::int32_t>(lines.size()));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t at = BlockHeaderSize + BlockSlotSize * i;
        const std::size_t len = std::min(lines[i].size(), MaxLineBytes);
        block[at] = static_cast<std::uint8_t>(len);
        std::copy_n(lines[i].data(), len, block.begin() + static_cast<std::ptrdiff_t>(at + 1));
    }
    return block;
}

bool DecodeBlock(std::span<const std::uint8_t> bytes, TDecodedBlock& out)
{
    out = TDecodedBlock();
    if (bytes.size() < BlockHeaderSize)
        return false;
    const std::int32_t count = GetInt32(bytes, 4);
    if (count < 0 || static_cast<std::uint64_t>(count) > (bytes.size() - BlockHeaderSize) / BlockSlotSize)
        return false;
    out.Owner = GetInt32(bytes, 0);
    out.Lines.reserve(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        const std::size_t at = BlockHeaderSize + BlockSlotSize * i;
        const std::size_t len = bytes[at];
        out.Lines.emplace_back(reinterpret_cast<const char*>(bytes.data() + at + 1), len);
    }
    return true;
}

std::string EscapeLineText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '%')
            out += "%25";
        else if (c == '|')
            out += "%7C";
        else
            out += c;
    }
    return out;
}

std::string UnescapeLineText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const std::string code = ToUpperAscii(text.substr(i + 1, 2));
            if (code == "25" || code == "7C") {
                out += code == "25" ? '%' : '|';
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string ServiceLine(const TY_ENIG_CH& ch, const TY_ENIG_TP& tp, std::int32_t tpIndex)
{
    std::string name = ch.Name;
    std::string provider = ch.Provider;
    auto build = [&] {
        std::string line;
        line.reserve(160);
        auto add = [&line](std::string_view field) {
            line += field;
            line += '|';
        };
        add(tp.Namespace);
        add(tp.Tsid);
        add(tp.Onid);
        add(tp.Kind);
        add(tp.Frequency);
        add(tp.SymbolRate);
        add(tp.Polarisation);
        add(tp.Fec);
        add(tp.Position);
        for (std::int32_t b : {tp.Inversion, tp.ScanFlags, tp.System, tp.Modulation, tp.RollOff, tp.Pilot})
            add(std::to_string(b));
        add(ch.Sid);
        add(std::to_string(tpIndex));
        add(std::to_string(ch.ServiceType));
        add(std::to_string(ch.Number));
        add(EscapeLineText(name));
        add(EscapeLineText(provider));
        for (const auto& pid : ch.Pids)
            add(PadHexUpper(pid.str(), 4));
        add(std::to_string(ch.Flags));
        add(std::to_string(ch.Black));
        line += std::to_string(ch.White);
        return line;
    };
    std::string line = build();
    if (line.size() <= MaxLineBytes)
        return line;
    std::size_t excess = line.size() - MaxLineBytes;
    excess -= std::min(excess, ShortenBy(name, excess));
    ShortenBy(provider, excess);
    line = build();
    // Only a damaged model (tuning texts of hundreds of characters) gets here;
    // such a line is refused when read back, like any cut line.
    if (line.size() > MaxLineBytes)
        line.resize(MaxLineBytes);
    return line;
}

std::string MarkerLine(std::string_view text)
{
    const std::string head = std::string(MarkerTag) + "|";
    std::string raw(text);
    std::string escaped = EscapeLineText(raw);
    if (head.size() + escaped.size() > MaxLineBytes) {
        ShortenBy(raw, head.size() + escaped.size() - MaxLineBytes);
        escaped = EscapeLineText(raw);
    }
    return head + escaped;
}

TLineSlot ParseLine(std::string_view line)
{
    std::vector<std::string_view> f;
    f.reserve(ServiceLineFields);
    for (std::size_t start = 0;;) {
        const std::size_t bar = line.find('|', start);
        f.push_back(line.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
        if (bar == std::string_view::npos || f.size() > ServiceLineFields)
            break;
        start = bar + 1;
    }

    if (f.size() >= 2 && ToUpperAscii(f[0]) == MarkerTag) {
        TLineSlot slot;
        slot.Kind = TLineSlot::TKind::Marker;
        slot.MarkerText = UnescapeLineText(line.substr(line.find('|') + 1));
        return slot;
    }
    if (f.size() != ServiceLineFields)
        return Refuse("not a service or description line");

    if (!IsHexOfWidth(f[0], 8) || !IsHexOfWidth(f[1], 4) || !IsHexOfWidth(f[2], 4))
        return Refuse("bad transponder id");
    if (!IsHexOfWidth(f[15], 4))
        return Refuse("bad service id");
    const bool kindOk = f[3].size() == 1 && ((f[3][0] >= 'A' && f[3][0] <= 'Z') || (f[3][0] >= 'a' && f[3][0] <= 'z'));
    std::int32_t number = 0;
    if (!kindOk || !TryParseInt(f[4], number) || !TryParseInt(f[5], number) || !IsAllDigits(f[6]) ||
        !TryParseInt(f[7], number) || f[8].empty())
        return Refuse("bad tuning data");

    TLineSlot slot;
    TY_ENIG_TP& tp = slot.Tp;
    TY_ENIG_CH& ch = slot.Ch;
    std::int32_t* bytes[] = {&tp.Inversion, &tp.ScanFlags, &tp.System, &tp.Modulation, &tp.RollOff, &tp.Pilot};
    for (std::size_t i = 0; i < 6; ++i)
        if (!ParseInRange(f[9 + i], 0, 255, *bytes[i]))
            return Refuse("bad tuning data");
    std::int32_t writerTp = 0;
    if (!TryParseInt(f[16], writerTp) || !TryParseInt(f[17], ch.ServiceType) ||
        !TryParseInt(f[18], ch.Number) || !ParseInRange(f[26], 0, INT32_MAX, ch.Flags) ||
        !ParseInRange(f[27], 0, 1, ch.Black) || !ParseInRange(f[28], 0, 1, ch.White))
        return Refuse("bad service number, type, flags or marks");
    for (std::size_t k = 0; k < PID_COUNT; ++k) {
        const std::string_view pid = f[21 + k];
        if (!pid.empty() && !IsHexOfWidth(pid, 4))
            return Refuse("bad PID");
        ch.Pids[k] = ToUpperAscii(pid);
    }

    tp.Namespace = ToUpperAscii(f[0]);
    tp.Tsid = ToUpperAscii(f[1]);
    tp.Onid = ToUpperAscii(f[2]);
    tp.Key = tp.Namespace + tp.Tsid + tp.Onid;
    tp.Kind = std::string(f[3]);
    tp.Frequency = std::string(f[4]);
    tp.SymbolRate = std::string(f[5]);
    tp.Polarisation = std::string(f[6]);
    tp.Fec = std::string(f[7]);
    tp.Position = std::string(f[8]);
    ch.Sid = ToUpperAscii(f[15]);
    ch.Key = ch.Sid + tp.Key + std::to_string(ch.ServiceType);
    ch.Name = UnescapeLineText(f[19]);
    ch.Provider = UnescapeLineText(f[20]);
    slot.Kind = TLineSlot::TKind::Service;
    return slot;
}
