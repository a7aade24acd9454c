#include "platform/CaseFold.h"

#include <QChar>

namespace cf {

char32_t FoldCase(char32_t c)
{
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
    return QChar::toCaseFolded(c);
}

char32_t NextCodePoint(std::string_view s, std::size_t& i)
{
    constexpr char32_t bad = 0xFFFD;
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char b = byte(i);
    if (b < 0x80) {
        ++i;
        return b;
    }
    int extra = 0;
    char32_t cp = 0, min = 0;
    if ((b & 0xE0) == 0xC0) {
        extra = 1, cp = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        extra = 2, cp = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        extra = 3, cp = b & 0x07, min = 0x10000;
    } else {
        ++i;
        return bad;
    }
    if (i + extra >= s.size()) {
        ++i;
        return bad;
    }
    for (int k = 1; k <= extra; ++k) {
        unsigned char c = byte(i + k);
        if ((c & 0xC0) != 0x80) {
            ++i;
            return bad;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return bad;
    }
    i += extra + 1;
    return cp;
}

TCaseBlindPrefix::TCaseBlindPrefix(std::string_view utf8)
{
    for (std::size_t i = 0; i < utf8.size();)
        folded_ += FoldCase(NextCodePoint(utf8, i));
}

bool TCaseBlindPrefix::Begins(std::string_view text) const
{
    std::size_t i = 0;
    for (char32_t want : folded_) {
        if (i >= text.size())
            return false;
        if (FoldCase(NextCodePoint(text, i)) != want)
            return false;
    }
    return true;
}

} // namespace cf
