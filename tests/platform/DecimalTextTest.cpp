#include "platform/DecimalText.h"

#include <gtest/gtest.h>

namespace {

TEST(DecimalTextTest, AcceptsPlainAndExponentNotation)
{
    for (const char* s : {"0", "7", "-7", "+7", "1.5", "-.5", ".5", "5.", "1E5", "1e-5", "2.5E+10",
                          "007", "-0.0"})
        EXPECT_TRUE(cf::IsDecimalNumber(s)) << s;
}

TEST(DecimalTextTest, RefusesEverythingElse)
{
    for (const char* s : {"", "+", "-", ".", "-.", "E5", ".E5", "1E", "1E+", "1.5.2", "1,5", " 1", "1 ",
                          "--1", "+-1", "1e5e5", "inf", "-INF", "nan", "0x1A", "1f", "12a"})
        EXPECT_FALSE(cf::IsDecimalNumber(s)) << '"' << s << '"';
}

} // namespace
