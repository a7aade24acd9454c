#include "platform/SameText.h"

#include <gtest/gtest.h>

namespace {

TEST(SameTextTest, OnlyAsciiLettersFold)
{
    EXPECT_TRUE(cf::SameText("LOAD", "load"));
    EXPECT_TRUE(cf::SameText("Local InFile", "LOCAL INFILE"));
    EXPECT_TRUE(cf::SameText("", ""));
    EXPECT_TRUE(cf::SameText("a1_[@", "A1_[@"));
    EXPECT_FALSE(cf::SameText("load", "loads"));
    EXPECT_FALSE(cf::SameText("[", "{")) << "'[' and '{' differ by 32 but are not letters";
    EXPECT_FALSE(cf::SameText("@", "`"));
    EXPECT_FALSE(cf::SameText("\xC3\xA9", "\xC3\x89")) << "e-acute and E-acute: no locale folding";
}

} // namespace
