#pragma once

// Case-blind comparison of names, keywords and keys: only the ASCII letters
// fold, so it is exact for the protocol keywords, section keys and effect
// names it serves and never depends on a locale. Header-only and free of Qt.

#include <cstddef>
#include <string_view>

namespace cf {

inline char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

} // namespace cf
