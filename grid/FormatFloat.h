#pragma once
#include <string>
#include <string_view>

// Formats a number by a mask: "0" a digit, "#" a digit only when needed,
// "." the decimal point, "," thousands grouping, text in quotes and any
// other character copied; up to three sections separated by ";" for
// positive, negative and zero values. Exponent notation is not supported.
std::string FormatFloat(std::string_view mask, double value);
