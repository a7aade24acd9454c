#include "platform/Utf8.h"

#include <gtest/gtest.h>

namespace {

struct Utf8Case {
    char32_t cp;
    const char* bytes;
};

// One character at each end of every encoded length.
TEST(Utf8Test, EncodesEachLengthAtItsBounds)
{
    const Utf8Case cases[] = {
        {U'\0', "\x00"},           {U'A', "A"},
        {0x7F, "\x7F"},            {0x80, "\xC2\x80"},
        {0xE9, "\xC3\xA9"},        {0x7FF, "\xDF\xBF"},
        {0x800, "\xE0\xA0\x80"},   {0x20AC, "\xE2\x82\xAC"},
        {0xFFFF, "\xEF\xBF\xBF"},  {0x10000, "\xF0\x90\x80\x80"},
        {0x1F600, "\xF0\x9F\x98\x80"}, {0x10FFFF, "\xF4\x8F\xBF\xBF"},
    };
    for (const auto& c : cases) {
        const std::string want = c.cp == 0 ? std::string(1, '\0') : std::string(c.bytes);
        EXPECT_EQ(cf::Utf8(c.cp), want) << std::hex << static_cast<unsigned>(c.cp);
    }
}

TEST(Utf8Test, AppendKeepsWhatIsThere)
{
    std::string s = "ab";
    cf::AppendUtf8(s, 0xE9);
    cf::AppendUtf8(s, U'c');
    EXPECT_EQ(s, "ab\xC3\xA9" "c");
}

} // namespace
