#include "settings/Fields.h"
#include "settings/ByteScan.h"
#include "settings/Unit_lib.h"

#include <charconv>
#include <iterator>
#include <cstdio>

std::size_t SplitFieldViews(std::string_view line, std::size_t count, char separator, std::string_view* out)
{
    if (!line.empty() && line.front() == separator)
        line.remove_prefix(1);
    // The working text is `rest` followed by one separator that is not in
    // the line when the line does not end with one (`pendingSep`); no copy.
    std::string_view rest = line;
    bool pendingSep = line.empty() || line.back() != separator;
    for (std::size_t n = 0; n < count; ++n) {
        std::string_view field;
        const std::size_t sep = bytescan::FindShort(rest, separator);
        if (sep != std::string_view::npos) {
            field = rest.substr(0, sep);
            rest.remove_prefix(sep + 1);
        } else if (pendingSep) {
            field = rest;
            rest = {};
            pendingSep = false;
        } // else: nothing left, the field is empty
        out[n] = field;
    }
    // Text left after the listed fields, without its final separator.
    if (pendingSep) {
        out[count] = rest;
        return count + 1;
    }
    if (!rest.empty()) {
        out[count] = rest.substr(0, rest.size() - 1);
        return count + 1;
    }
    return count;
}

void AssignField(std::string& out, std::string_view field, int width)
{
    if (width > 0) {
        const std::size_t w = static_cast<std::size_t>(width);
        out.assign(w > field.size() ? w - field.size() : 0, '0');
        out.append(field.size() > w ? field.substr(field.size() - w) : field);
    } else {
        out.assign(field);
    }
    if (width >= 0)
        for (char& c : out)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
}

void SplitFieldsTo(std::vector<std::string>& out, std::string_view line, std::span<const int> widths,
                   char separator)
{
    // Views on the stack for the usual few fields.
    std::string_view local[16];
    std::vector<std::string_view> many;
    std::string_view* views = local;
    if (widths.size() + 1 > std::size(local)) {
        many.resize(widths.size() + 1);
        views = many.data();
    }
    const std::size_t n = SplitFieldViews(line, widths.size(), separator, views);
    out.resize(n);
    for (std::size_t i = 0; i < widths.size(); ++i)
        AssignField(out[i], views[i], widths[i]);
    if (n > widths.size())
        out[widths.size()].assign(views[widths.size()]);
}

void SplitFieldsTo(std::vector<std::string>& out, std::string_view line,
                   std::initializer_list<int> widths, char separator)
{
    SplitFieldsTo(out, line, std::span<const int>(widths.begin(), widths.size()), separator);
}

void SplitFields(std::string_view line, std::span<const int> widths, char separator)
{
    SplitFieldsTo(SplitResult, line, widths, separator);
}

void SplitFields(std::string_view line, std::initializer_list<int> widths, char separator)
{
    SplitFieldsTo(SplitResult, line, widths, separator);
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string Quote(std::string_view text)
{
    std::string s = "'";
    s.append(text);
    s += "' is not a valid integer value";
    return s;
}

} // namespace

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    return text;
}

std::string ToUpperAscii(std::string_view text)
{
    std::string s(text);
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string ToLowerAscii(std::string_view text)
{
    std::string s(text);
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool TryParseInt(std::string_view text, std::int32_t& value)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || (text.front() != '-' && !IsDigit(text.front())))
        return false;
    std::int32_t v = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || ptr != text.data() + text.size())
        return false;
    value = v;
    return true;
}

bool TryParseHex(std::string_view text, std::int32_t& value)
{
    // Up to 32 bits, as the receivers write them; more digits are only
    // accepted as leading zeros.
    if (text.empty())
        return false;
    std::uint32_t v = 0;
    for (char c : text) {
        const int d = HexValue(c);
        if (d < 0 || (v >> 28) != 0)
            return false;
        v = (v << 4) | static_cast<std::uint32_t>(d);
    }
    value = static_cast<std::int32_t>(v);
    return true;
}

std::int32_t ParseInt(std::string_view text)
{
    std::int32_t v = 0;
    if (!TryParseInt(text, v))
        throw EConvertError(Quote(text));
    return v;
}

std::int32_t ParseHex(std::string_view text)
{
    std::int32_t v = 0;
    if (!TryParseHex(text, v))
        throw EConvertError(Quote(text));
    return v;
}

bool IsNumeric(std::string_view text, bool allowDecimal)
{
    for (char c : text) {
        if (IsDigit(c) || c == '-')
            continue;
        if (allowDecimal && (c == ',' || c == '.'))
            continue;
        return false;
    }
    return true;
}

bool IsHex4(std::string_view text)
{
    if (text.size() > 4)
        return false;
    for (char c : text)
        if (c != '-' && HexValue(c) < 0)
            return false;
    return true;
}

std::string HexToDecStr(const std::string& hex)
{
    if (hex.empty())
        return {};
    return std::to_string(ParseHex(hex));
}

std::string DecToHex4(const std::string& dec)
{
    if (dec.empty())
        return {};
    const std::int32_t v = ParseInt(Trim(dec));
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04X", static_cast<std::uint32_t>(v));
    return buf;
}

void AppendHexUpper(std::string& out, std::uint32_t value, int minDigits)
{
    // Writers call this once or more per service: no formatted printing.
    char buf[8];
    int n = 0;
    do {
        buf[n++] = "0123456789ABCDEF"[value & 0xF];
        value >>= 4;
    } while (value != 0);
    for (int pad = minDigits - n; pad > 0; --pad)
        out += '0';
    while (n > 0)
        out += buf[--n];
}

std::string HexUpper(std::uint32_t value, int minDigits)
{
    std::string s;
    AppendHexUpper(s, value, minDigits);
    return s;
}

std::string PadHexUpper(const std::string& text, int width)
{
    if (text.empty() || width <= 0)
        return width <= 0 ? std::string() : text;
    const std::size_t w = static_cast<std::size_t>(width);
    std::string s = text.size() >= w ? text.substr(text.size() - w) : std::string(w - text.size(), '0') + text;
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::int32_t StrToIntNoDots(const std::string& text)
{
    std::string s;
    for (char c : Trim(text))
        if (c != '.')
            s += c;
    if (s.empty())
        return 0;
    return ParseInt(s);
}

std::size_t PosEx(std::string_view pattern, std::string_view text, std::size_t start)
{
    if (pattern.empty() || start == 0 || start > text.size())
        return 0;
    const std::size_t p = text.find(pattern, start - 1);
    return p == std::string_view::npos ? 0 : p + 1;
}

std::size_t CountOccurrences(std::string_view pattern, std::string_view text)
{
    if (pattern.empty() || text.empty())
        return 0;
    std::size_t count = 0;
    for (std::size_t p = text.find(pattern); p != std::string_view::npos;
         p = text.find(pattern, p + pattern.size()))
        ++count;
    return count;
}

namespace {

// Decodes one UTF-8 character at s[i]; a byte that starts no valid sequence
// comes back as itself with length 1 and `valid` false.
char32_t DecodeUtf8(std::string_view s, std::size_t i, std::size_t& len, bool& valid)
{
    const unsigned char c = static_cast<unsigned char>(s[i]);
    valid = true;
    len = 1;
    if (c < 0x80)
        return c;
    std::size_t need = 0;
    char32_t cp = 0;
    if ((c & 0xE0) == 0xC0) { need = 1; cp = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { need = 2; cp = c & 0x0F; }
    else if ((c & 0xF8) == 0xF0) { need = 3; cp = c & 0x07; }
    else { valid = false; return c; }
    if (i + need >= s.size()) { valid = false; return c; }
    for (std::size_t k = 1; k <= need; ++k) {
        const unsigned char d = static_cast<unsigned char>(s[i + k]);
        if ((d & 0xC0) != 0x80) { valid = false; return c; }
        cp = (cp << 6) | (d & 0x3F);
    }
    len = need + 1;
    return cp;
}

// Simple case mapping for the alphabets channel names use: Latin (with
// Latin-1 and Latin Extended-A), Greek and Cyrillic.
char32_t ToUpperCp(char32_t c)
{
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    if (c >= 0x100 && c <= 0x17F && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
        const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddUpper ? (c % 2 == 0) : (c % 2 == 1)) return c - 1;
        return c;
    }
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 32;
    if (c >= 0x430 && c <= 0x44F) return c - 32;
    if (c >= 0x450 && c <= 0x45F) return c - 80;
    return c;
}

char32_t ToLowerCp(char32_t c)
{
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x138 && c != 0x149 && c != 0x178 && c != 0x17F) {
        const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddUpper ? (c % 2 == 1) : (c % 2 == 0)) return c + 1;
        return c;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 32;
    if (c >= 0x410 && c <= 0x42F) return c + 32;
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    return c;
}

} // namespace

void TitleCase(std::string& text)
{
    std::string out;
    out.reserve(text.size());
    bool upperNext = true;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size() && chars < 31; ++chars) {
        std::size_t len = 1;
        bool valid = true;
        const char32_t cp = DecodeUtf8(text, i, len, valid);
        if (!valid)
            out += text[i];
        else
            AppendUtf8(out, upperNext ? ToUpperCp(cp) : ToLowerCp(cp));
        upperNext = (cp == ' ');
        i += len;
    }
    text = std::move(out);
}

std::string Utf8ToAnsiClean(std::string_view utf8)
{
    if (utf8.find('\xC2') == std::string_view::npos)
        return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\xC2' && i + 1 < utf8.size() && (utf8[i + 1] == '\x86' || utf8[i + 1] == '\x87')) {
            ++i;
            continue;
        }
        out += utf8[i];
    }
    return out;
}

