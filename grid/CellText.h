#pragma once
// Text conversions used by the cells: one place that decides how numbers,
// Booleans, dates and GUIDs look as text and which texts they accept.
// Failures raise EConvertError; nothing here depends on a locale (the
// decimal separator is always ".").

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Errors.h"

namespace celltext {

std::string IntToText(std::int32_t value);
// Optional sign and decimal digits, leading blanks allowed. Raises on any
// other text and on values outside the 32-bit range.
std::int32_t TextToInt(std::string_view text);

// Shortest text that reads back as the same double ("1.5", "1E20").
std::string FloatToText(double value);
// Decimal or exponent notation, blanks around allowed. No infinities or NaN.
double TextToFloat(std::string_view text);

std::string BoolToText(bool value);  // "True" / "False"
// A number (non-zero is True) or "True"/"False" in any letter case.
bool TextToBool(std::string_view text);

// Round to nearest, ties to even, and truncate toward zero; both raise when
// the result does not fit a 32-bit signed integer (NaN included).
std::int32_t RoundToInt(double value);
std::int32_t TruncToInt(double value);

// Date-times are days since 1899-12-30, the time of day as the fraction.
// Text form: "yyyy-mm-dd", followed by " hh:nn:ss" unless it is midnight.
std::string DateTimeToText(double value);
// Accepts "yyyy-mm-dd", "yyyy-mm-dd hh:nn[:ss]" and "hh:nn[:ss]".
std::optional<double> TryTextToDateTime(std::string_view text);
double TextToDateTime(std::string_view text);  // raises when it does not parse
double EncodeDate(int year, int month, int day);
double Today();

// 16 bytes in the order of the braced text form.
using TGuid = std::array<std::uint8_t, 16>;
TGuid NewGuid();
std::string GuidToText(const TGuid& guid);  // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
TGuid TextToGuid(std::string_view text);    // raises unless braced form

}  // namespace celltext
