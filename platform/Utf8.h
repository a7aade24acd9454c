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

#include <cstddef>
#include <cstdint>

namespace cf {

// UTF-8 text of `bytes` read as UTF-16 little-endian. A surrogate without
// its partner becomes U+FFFD; an odd trailing byte is dropped.
inline std::string Utf16LeToUtf8(const std::uint8_t* bytes, std::size_t size)
{
    std::string out;
    out.reserve(size);
    const std::size_t units = size / 2;
    auto unit = [bytes](std::size_t i) { return char32_t(bytes[2 * i] | (bytes[2 * i + 1] << 8)); };
    for (std::size_t i = 0; i < units; ++i) {
        char32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
            const char32_t low = unit(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        if (u >= 0xD800 && u <= 0xDFFF)
            u = 0xFFFD;
        AppendUtf8(out, u);
    }
    return out;
}

} // namespace cf
