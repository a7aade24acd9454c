#pragma once

// The one grammar for numbers written as text: [sign] digits [. digits]
// [E [sign] digits], with at least one digit before the exponent and one in
// it. The edits and the grid's cells agree on it; each decides for itself
// about blanks, the decimal separator and values a double cannot hold.
// Header-only and free of Qt.

#include <cstddef>
#include <string_view>

namespace cf {

// Whether `s`, exactly as it stands (no blanks), is a decimal number with a
// full stop as its separator. Infinities, NaN and hexadecimal are not.
inline bool IsDecimalNumber(std::string_view s)
{
    const auto digit = [&](std::size_t at) { return at < s.size() && s[at] >= '0' && s[at] <= '9'; };
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (digit(i))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (digit(i))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        while (digit(i))
            ++i, ++expDigits;
        if (expDigits == 0)
            return false;
    }
    return i == s.size();
}

} // namespace cf
