#pragma once

// The line splitter that every reader uses and the small text and number
// conversions shared by the readers, writers and editor windows.

#include "platform/Utf8.h"
#include "settings/Errors.h"
#include "settings/InlineText.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Splits `line` at `separator` into SplitResult, one element per width:
// width -1 keeps the field as is, 0 upper-cases it, w > 0 upper-cases it and
// zero-pads it to exactly w characters (the rightmost w are kept). Text left
// after the listed fields becomes one more element (inner separators kept),
// so the element count tells whether optional trailing fields were present.
void SplitFields(std::string_view line, std::span<const int> widths, char separator);
void SplitFields(std::string_view line, std::initializer_list<int> widths, char separator);
// The same into a caller's vector (readers that must not share SplitResult).
void SplitFieldsTo(std::vector<std::string>& out, std::string_view line, std::span<const int> widths,
                   char separator);
void SplitFieldsTo(std::vector<std::string>& out, std::string_view line,
                   std::initializer_list<int> widths, char separator);
// The splitter's two halves, for a reader that keeps views into its line:
// the first `count` fields into out[0..count), then the text left after them
// into out[count] when there is any; returns count or count + 1. `out` has
// room for count + 1.
std::size_t SplitFieldViews(std::string_view line, std::size_t count, char separator, std::string_view* out);
// One field as the splitter gives it for `width` (see SplitFields).
void AssignField(std::string& out, std::string_view field, int width);

// Every character is a digit, or "-" (and with allowDecimal also "," and
// "."). An empty text is numeric.
bool IsNumeric(std::string_view text, bool allowDecimal);
// At most 4 characters, each "-", 0-9, A-F or a-f. Empty is valid.
bool IsHex4(std::string_view text);
// Hexadecimal text as decimal text; empty stays empty. EConvertError on junk.
std::string HexToDecStr(const std::string& hex);
// Decimal text as upper-case hexadecimal of at least 4 digits; empty stays
// empty. EConvertError on junk.
std::string DecToHex4(const std::string& dec);
// `value` in upper-case hexadecimal, zero-padded to at least `minDigits`
// digits (as printf's "%0*X"); appended to `out`, or as a text of its own.
void AppendHexUpper(std::string& out, std::uint32_t value, int minDigits);
std::string HexUpper(std::uint32_t value, int minDigits);
// Zeros in front, the rightmost `width` characters, upper-cased; empty stays
// empty.
std::string PadHexUpper(const std::string& text, int width);
// Trims, "" counts as 0, removes every "." and converts the decimal rest.
// EConvertError on junk.
std::int32_t StrToIntNoDots(const std::string& text);
// 1-based position of `pattern` in `text` at or after `start`, 0 if absent.
std::size_t PosEx(std::string_view pattern, std::string_view text, std::size_t start = 1);
// Non-overlapping occurrences of `pattern` in `text`; 0 when either is empty.
std::size_t CountOccurrences(std::string_view pattern, std::string_view text);
// First letter and every letter after a blank upper-case, the rest lower
// case; cut to 31 characters (never inside a UTF-8 character).
void TitleCase(std::string& text);
template <std::size_t N>
void TitleCase(TInlineText<N>& text)
{
    std::string s(text.view());
    TitleCase(s);
    text = s;
}
// Removes the DVB emphasis on/off codes (UTF-8 C2 86 and C2 87). The text
// stays UTF-8: no character of any language is lost.
std::string Utf8ToAnsiClean(std::string_view utf8);
// Appends the UTF-8 form of the code point `cp`.
using cf::AppendUtf8;

// Checked number parsing for the readers: whole text, optional sign, no
// blanks; false on anything else or on overflow of 32 bits.
bool TryParseInt(std::string_view text, std::int32_t& value);
bool TryParseHex(std::string_view text, std::int32_t& value);
// Throwing variants (EConvertError naming the text).
std::int32_t ParseInt(std::string_view text);
std::int32_t ParseHex(std::string_view text);

// Whitespace and control characters (<= ' ') trimmed from both ends.
std::string_view Trim(std::string_view text);
std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);
