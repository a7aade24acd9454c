#pragma once

// Encoding one character as UTF-8, the form all text takes in memory.
// Header-only and free of Qt so that file readers and writers can use it
// without pulling in the widget layer.

#include <string>

namespace cf {

// Appends the UTF-8 bytes of code point `cp` to `out`.
inline void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The UTF-8 text of a single code point.
inline std::string Utf8(char32_t cp)
{
    std::string out;
    AppendUtf8(out, cp);
    return out;
}

} // namespace cf
