#pragma once
#include <string>
#include <string_view>

// Formats a number by a mask: "0" a digit, "#" a digit only when needed,
// "." the decimal point, "," thousands grouping, text in quotes and any
// other character copied; up to three sections separated by ";" for
// positive, negative and zero values. "E+" or "E-" (or "e+", "e-") and the
// "0"s after it write the value in exponent notation: as many significant
// digits as the mask has placeholders, the integer part filling its
// placeholders, the exponent with at least as many digits as those "0"s and
// its sign always ("+") or only when negative ("-").
std::string FormatFloat(std::string_view mask, double value);
