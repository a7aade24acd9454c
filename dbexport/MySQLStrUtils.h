#pragma once

// Small text routines shared by the database components: a string list with
// a free line separator, word extraction, sectioned settings texts and the
// conversion of the server's textual dates, times and numbers.

// SQL keywords, field, option and macro names compare with cf::SameText:
// only ASCII letters fold, whatever the process locale, so that a UTF-8
// name never changes bytes and "i" always meets "I".
#include "platform/SameText.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Days since 1899-12-30; the fraction is the time of day.
using TDateTime = double;

// The value used for a date or time that cannot be formed: 0001-01-01 00:00.
extern const TDateTime InvalidDateTime;

class TSBStringList {
public:
    TSBStringList() = default;

    std::string LineSeparator = "\r\n";

    // Every line followed by the separator, the last one too.
    std::string GetText() const;
    // Cuts at any character of the separator; runs of them give no empty lines.
    void SetText(std::string_view text);

    std::vector<std::string> Lines;

    int Count() const { return static_cast<int>(Lines.size()); }
    void Add(std::string line) { Lines.push_back(std::move(line)); }
    void Clear() { Lines.clear(); }
    const std::string& operator[](int i) const { return Lines.at(static_cast<size_t>(i)); }
};

// The text with its ASCII letters in upper case; other bytes stay as they are.
std::string UpperCase(std::string_view text);

// Whether name is one of the entries of a list separated by "," or ";",
// without regard to case.
bool InNameList(std::string_view list, std::string_view name);

// The n-th (1-based) maximal run of characters that are not delimiters.
std::string ExtractWord(int n, std::string_view text, std::string_view delimiters);

inline std::string ChooseStr(bool flag, const std::string& whenSet, const std::string& otherwise)
{
    return flag ? whenSet : otherwise;
}

// Date and time arithmetic in the TDateTime scale; false when the parts do
// not form a valid date or time.
bool TryEncodeDate(int year, int month, int day, TDateTime& out);
bool TryEncodeTime(int hour, int minute, int second, TDateTime& out);
void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& minute,
                    int& second);

TDateTime MySQLStrToDate(std::string_view text);
TDateTime MySQLStrToTime(std::string_view text);
TDateTime MySQLStrToDateTime(std::string_view text);
// YYYYMMDDHHMMSS, as old servers send timestamps.
TDateTime MySQLTimeStampToDateTime(std::string_view text);

// Numbers with "." as decimal separator whatever the locale. StrToFloatDot
// throws std::invalid_argument for a text that is not a number.
double StrToFloatDot(std::string_view text);
bool TryStrToFloatDot(std::string_view text, double& out);
std::string FloatToStrDot(double value);

// Whole-text decimal integer (leading blanks allowed); false otherwise.
bool TryStrToInt(std::string_view text, int& out);

// Sectioned settings texts: "[name]" lines start sections, "key=value" lines
// follow; empty lines and lines beginning with ";" are ignored.
std::string ReadSectionValue(std::string_view text, std::string_view section,
                             std::string_view key, const std::string& def);
int ReadSectionInteger(std::string_view text, std::string_view section, std::string_view key,
                       int def);
bool ReadSectionBool(std::string_view text, std::string_view section, std::string_view key,
                     bool def);
// Writes one key (an empty value deletes an existing key) and returns the
// whole text rebuilt with CR LF line ends.
std::string SetSectionValue(std::string_view text, std::string_view section,
                            std::string_view key, std::string_view value);
// The lines of a section, each followed by CR LF; def when there is none.
std::string ExtractSection(std::string_view text, std::string_view section,
                           const std::string& def);
