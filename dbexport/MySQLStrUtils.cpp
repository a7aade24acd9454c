#include "dbexport/MySQLStrUtils.h"

#include "platform/DecimalText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace {

constexpr int kDateDelta = 693594; // days from 0001-01-01 (day 1) to 1899-12-30

bool IsLeap(int y) { return (y % 4 == 0) && (y % 100 != 0 || y % 400 == 0); }

int DaysInMonth(int y, int m)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

using cf::SameText;

// Non-numbers count as 0.
int WordNumber(std::string_view w)
{
    int v = 0;
    auto r = std::from_chars(w.data(), w.data() + w.size(), v);
    if (r.ec != std::errc() || r.ptr != w.data() + w.size())
        return 0;
    return v;
}

int DigitsAt(std::string_view text, size_t pos, size_t count)
{
    if (pos >= text.size())
        return 0;
    return WordNumber(text.substr(pos, count));
}

const char kDateDelims[] = "-/\\.: ";

// Lines at CR LF, LF or CR.
std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(text.substr(start, i - start));
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

struct Section {
    std::string header;
    std::vector<std::string> lines;
};

std::vector<Section> ParseSections(std::string_view text)
{
    std::vector<Section> sections;
    for (std::string_view line : SplitLines(text)) {
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            sections.push_back({std::string(line), {}});
            continue;
        }
        if (!sections.empty())
            sections.back().lines.emplace_back(line);
    }
    return sections;
}

Section* FindSection(std::vector<Section>& sections, std::string_view name)
{
    std::string header = "[" + std::string(name) + "]";
    for (auto& s : sections)
        if (SameText(s.header, header))
            return &s;
    return nullptr;
}

// Index of the first line whose name part (text before the first "=") is key.
int FindKey(const std::vector<std::string>& lines, std::string_view key)
{
    for (size_t i = 0; i < lines.size(); ++i) {
        size_t eq = lines[i].find('=');
        if (eq != std::string::npos && SameText(std::string_view(lines[i]).substr(0, eq), key))
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

const TDateTime InvalidDateTime = 1.0 - kDateDelta;

std::string TSBStringList::GetText() const
{
    std::string out;
    for (const auto& l : Lines) {
        out += l;
        out += LineSeparator;
    }
    return out;
}

void TSBStringList::SetText(std::string_view text)
{
    Lines.clear();
    if (LineSeparator.empty()) {
        if (!text.empty())
            Lines.emplace_back(text);
        return;
    }
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || LineSeparator.find(text[i]) != std::string::npos) {
            if (i > start)
                Lines.emplace_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
}

std::string UpperCase(std::string_view text)
{
    std::string s(text);
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool InNameList(std::string_view list, std::string_view name)
{
    std::string l = UpperCase(list);
    std::replace(l.begin(), l.end(), ';', ',');
    return ("," + l + ",").find("," + UpperCase(name) + ",") != std::string::npos;
}

std::string ExtractWord(int n, std::string_view text, std::string_view delimiters)
{
    if (n < 1)
        return {};
    int count = 0;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && delimiters.find(text[i]) != std::string_view::npos)
            ++i;
        if (i >= text.size())
            break;
        size_t start = i;
        while (i < text.size() && delimiters.find(text[i]) == std::string_view::npos)
            ++i;
        if (++count == n)
            return std::string(text.substr(start, i - start));
    }
    return {};
}

bool TryEncodeDate(int year, int month, int day, TDateTime& out)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        return false;
    int days = day;
    for (int m = 1; m < month; ++m)
        days += DaysInMonth(year, m);
    int y = year - 1;
    out = static_cast<double>(y * 365 + y / 4 - y / 100 + y / 400 + days - kDateDelta);
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, TDateTime& out)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return false;
    out = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    return true;
}

void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& minute,
                    int& second)
{
    double whole = std::trunc(value);
    double frac = std::fabs(value - whole);
    long long secs = std::llround(frac * 86400.0);
    if (secs >= 86400)
        secs = 86399;
    hour = static_cast<int>(secs / 3600);
    minute = static_cast<int>(secs / 60 % 60);
    second = static_cast<int>(secs % 60);
    long long d = static_cast<long long>(whole) + kDateDelta; // 1 = 0001-01-01
    year = 1;
    // Walk in 400-year cycles, then years, then months.
    long long cycles = (d - 1) / 146097;
    year += static_cast<int>(cycles * 400);
    d -= cycles * 146097;
    for (;;) {
        int len = IsLeap(year) ? 366 : 365;
        if (d <= len)
            break;
        d -= len;
        ++year;
    }
    month = 1;
    while (d > DaysInMonth(year, month)) {
        d -= DaysInMonth(year, month);
        ++month;
    }
    day = static_cast<int>(d);
}

TDateTime MySQLStrToDate(std::string_view text)
{
    int parts[3];
    for (int i = 0; i < 3; ++i) {
        parts[i] = WordNumber(ExtractWord(i + 1, text, kDateDelims));
        if (parts[i] == 0)
            parts[i] = 1;
    }
    TDateTime d;
    return TryEncodeDate(parts[0], parts[1], parts[2], d) ? d : InvalidDateTime;
}

TDateTime MySQLStrToTime(std::string_view text)
{
    int parts[3];
    for (int i = 0; i < 3; ++i)
        parts[i] = WordNumber(ExtractWord(i + 1, text, kDateDelims));
    TDateTime t;
    return TryEncodeTime(parts[0], parts[1], parts[2], t) ? t : InvalidDateTime;
}

TDateTime MySQLStrToDateTime(std::string_view text)
{
    TDateTime d = MySQLStrToDate(ExtractWord(1, text, " "));
    TDateTime t = MySQLStrToTime(ExtractWord(2, text, " "));
    if (d == InvalidDateTime || t == InvalidDateTime)
        return InvalidDateTime;
    // Before 1899-12-30 the time of day still counts forward from midnight.
    return d >= 0 ? d + t : d - t;
}

TDateTime MySQLTimeStampToDateTime(std::string_view text)
{
    int year = DigitsAt(text, 0, 4);
    if (year < 1 || year > 9999)
        year = 1;
    int month = DigitsAt(text, 4, 2);
    int day = DigitsAt(text, 6, 2);
    if (day == 0)
        day = 1;
    int hour = DigitsAt(text, 8, 2);
    if (hour > 23)
        hour = 0;
    int minute = DigitsAt(text, 10, 2);
    if (minute >= 60)
        minute = 0;
    int second = DigitsAt(text, 12, 2);
    if (second >= 60)
        second = 0;
    TDateTime d, t;
    if (!TryEncodeDate(year, month, day, d) || !TryEncodeTime(hour, minute, second, t))
        return InvalidDateTime;
    return d >= 0 ? d + t : d - t;
}

bool TryStrToFloatDot(std::string_view text, double& out)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    // from_chars alone would also take "inf" and "nan".
    if (!cf::IsDecimalNumber(text))
        return false;
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() == '+' || text.front() == '-')
        return false;
    double v = 0;
    auto r = std::from_chars(text.data(), text.data() + text.size(), v,
                             std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size())
        return false;
    out = negative ? -v : v;
    return true;
}

double StrToFloatDot(std::string_view text)
{
    double v;
    if (!TryStrToFloatDot(text, v))
        throw std::invalid_argument("'" + std::string(text) + "' is not a valid floating point value");
    return v;
}

std::string FloatToStrDot(double value)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", value);
    // The C library prints in the "C" locale here only if nobody changed it:
    // make sure the separator is a dot whatever the process locale is.
    std::string s(buf);
    for (char& c : s)
        if (c == ',')
            c = '.';
    // Exponents are written without "+" and leading zeros: 1E20, 1E-5.
    size_t e = s.find('E');
    if (e != std::string::npos) {
        std::string mant = s.substr(0, e);
        std::string exp = s.substr(e + 1);
        bool neg = !exp.empty() && exp[0] == '-';
        if (!exp.empty() && (exp[0] == '+' || exp[0] == '-'))
            exp.erase(0, 1);
        while (exp.size() > 1 && exp[0] == '0')
            exp.erase(0, 1);
        s = mant + "E" + (neg ? "-" : "") + exp;
    }
    return s;
}

bool TryStrToInt(std::string_view text, int& out)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return false;
    long long v = 0;
    auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size())
        return false;
    if (negative)
        v = -v;
    if (v < INT32_MIN || v > INT32_MAX)
        return false;
    out = static_cast<int>(v);
    return true;
}

std::string ReadSectionValue(std::string_view text, std::string_view section,
                             std::string_view key, const std::string& def)
{
    auto sections = ParseSections(text);
    Section* s = FindSection(sections, section);
    if (!s)
        return def;
    int k = FindKey(s->lines, key);
    if (k < 0)
        return def;
    const std::string& line = s->lines[static_cast<size_t>(k)];
    return line.substr(line.find('=') + 1);
}

int ReadSectionInteger(std::string_view text, std::string_view section, std::string_view key,
                       int def)
{
    std::string v = ReadSectionValue(text, section, key, std::to_string(def));
    int out;
    return TryStrToInt(v, out) ? out : def;
}

bool ReadSectionBool(std::string_view text, std::string_view section, std::string_view key,
                     bool def)
{
    return SameText(ReadSectionValue(text, section, key, def ? "True" : "False"), "True");
}

std::string SetSectionValue(std::string_view text, std::string_view section,
                            std::string_view key, std::string_view value)
{
    auto sections = ParseSections(text);
    Section* s = FindSection(sections, section);
    if (!s) {
        sections.push_back({"[" + std::string(section) + "]", {}});
        s = &sections.back();
    }
    int k = FindKey(s->lines, key);
    std::string line = std::string(key) + "=" + std::string(value);
    if (k < 0)
        s->lines.push_back(line);
    else if (value.empty())
        s->lines.erase(s->lines.begin() + k);
    else
        s->lines[static_cast<size_t>(k)] = line;

    std::string out;
    for (const auto& sec : sections) {
        out += sec.header + "\r\n";
        for (const auto& l : sec.lines)
            out += l + "\r\n";
    }
    return out;
}

std::string ExtractSection(std::string_view text, std::string_view section, const std::string& def)
{
    auto sections = ParseSections(text);
    Section* s = FindSection(sections, section);
    if (!s)
        return def;
    std::string out;
    for (const auto& l : s->lines)
        out += l + "\r\n";
    return out;
}
