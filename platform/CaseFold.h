#pragma once

// Case-blind matching of what a user types against text in the lists, over
// the whole of Unicode (Cyrillic, Greek and accented names fold as Latin
// ones do), one character at a time so that scanning many cells allocates
// nothing.

#include <string>
#include <string_view>

namespace cf {

// The simple (one character to one character) case folding of a code point.
char32_t FoldCase(char32_t c);

// Reads the code point at text[i] and moves i past it; a broken UTF-8
// sequence reads as U+FFFD and takes one byte.
char32_t NextCodePoint(std::string_view text, std::size_t& i);

// A search text, folded once, to be matched against the start of many texts.
class TCaseBlindPrefix {
public:
    explicit TCaseBlindPrefix(std::string_view utf8);
    // Characters (code points) in the search text.
    std::size_t Length() const { return folded_.size(); }
    // True when text, cut to Length() characters, equals the search text
    // without regard to case; a shorter text never does.
    bool Begins(std::string_view text) const;

private:
    std::u32string folded_;
};

} // namespace cf
