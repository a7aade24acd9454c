// Case-blind prefix matching of typed text against list texts.

#include "platform/CaseFold.h"

#include <gtest/gtest.h>

#include <string>

using namespace cf;

TEST(CaseFoldTest, ATextBeginsWithTheSearchTextWholeCharactersAndCaseBlind)
{
    struct Case {
        const char* search;
        const char* text;
        bool begins;
    };
    const Case cases[] = {
        {"ar", "ARD Das Erste", true},
        {"ARD", "ard", true},
        {"ard", "ar", false},                            // a shorter text never matches
        {"", "anything", true},                          // nothing typed matches every text
        {"пер", "Первый канал", true},                   // Cyrillic, two bytes a letter
        {"ПЕРВ", "первый", true},
        {"пес", "Первый", false},
        {"ελλ", "ΕΛΛΗΝΙΚΗ", true},                       // Greek
        {"élan", "ÉLAN TV", true},                       // accented Latin
        {"e", "É", false},                               // an accent is a different letter
        {"ç", "Çanakkale", true},
        {"\xF0\x9F\x93\xBA", "\xF0\x9F\x93\xBA TV", true},  // four-byte character
        {"a", "\xC3", false},                            // a cut sequence is one broken character
        {"\xEF\xBF\xBD" "b", "\xFF" "b", true},          // a broken byte reads as U+FFFD
    };
    for (const Case& c : cases)
        EXPECT_EQ(TCaseBlindPrefix(c.search).Begins(c.text), c.begins) << c.search << " / " << c.text;
}

TEST(CaseFoldTest, LengthCountsCharactersNotBytes)
{
    EXPECT_EQ(TCaseBlindPrefix("Первый").Length(), 6u);
    EXPECT_EQ(TCaseBlindPrefix("ab").Length(), 2u);
    EXPECT_EQ(TCaseBlindPrefix("\xF0\x9F\x93\xBA").Length(), 1u);
}

TEST(CaseFoldTest, OverlongAndSurrogateSequencesAreBroken)
{
    const char* bad[] = {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE0\x80"};
    for (const char* s : bad) {
        std::string_view v(s);
        std::size_t i = 0;
        EXPECT_EQ(NextCodePoint(v, i), char32_t(0xFFFD)) << testing::PrintToString(v);
        EXPECT_EQ(i, 1u);
    }
}
