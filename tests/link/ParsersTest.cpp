#include "link/NewServices.h"
#include "platform/net/TelnetParser.h"

#include <gtest/gtest.h>

using cf::net::TTelnetParser;

namespace {

std::string Bytes(std::initializer_list<int> b)
{
    std::string s;
    for (int c : b)
        s += static_cast<char>(c);
    return s;
}

} // namespace

TEST(NetTelnetParser, RefusesEverythingButTheTerminalType)
{
    // DO TTYPE, DO NAWS, WILL ECHO, WILL SGA, DONT LINEMODE, WONT STATUS.
    std::string in = Bytes({255, 253, 24, 255, 253, 31, 255, 251, 1, 255, 251, 3, 255, 254, 34, 255, 252, 5});
    TTelnetParser p;
    std::string text, answers;
    p.Feed(reinterpret_cast<const unsigned char*>(in.data()), in.size(), text, answers);
    EXPECT_EQ(text, "");
    // WILL TTYPE, WONT NAWS, DONT ECHO, DONT SGA; nothing for DONT/WONT.
    EXPECT_EQ(answers, Bytes({255, 251, 24, 255, 252, 31, 255, 254, 1, 255, 254, 3}));
}

TEST(NetTelnetParser, TerminalTypeRequestSplitAcrossReadsIsAnsweredDumb)
{
    std::string in = Bytes({'a', 255, 250, 24, 1, 255, 240, 'b', 255, 255, 'c'});
    for (std::size_t cut = 0; cut <= in.size(); ++cut) {
        TTelnetParser p;
        std::string text, answers;
        auto d = reinterpret_cast<const unsigned char*>(in.data());
        p.Feed(d, cut, text, answers);
        p.Feed(d + cut, in.size() - cut, text, answers);
        EXPECT_EQ(text, "ab\xff" "c") << cut; // a doubled 255 is one data byte
        EXPECT_EQ(answers, Bytes({255, 250, 24, 0, 'd', 'u', 'm', 'b', 255, 240})) << cut;
    }
}

TEST(LinkNewServiceLine, FieldsOfAServiceLine)
{
    TY_ENIG_NEW_CH c;
    ASSERT_TRUE(ParseNewServiceLine("1:0:1:6d66:437:1:c00000:0:0:0:;Das Erste HD;ARD", c));
    EXPECT_EQ(c.Sid, "6D66");
    EXPECT_EQ(c.ServiceType, 1);
    EXPECT_EQ(c.Namespace, "00C00000");
    EXPECT_EQ(c.Tsid, "0437");
    EXPECT_EQ(c.Onid, "0001");
    EXPECT_EQ(c.Name, "DAS ERSTE HD");
    EXPECT_EQ(c.Field12, "ARD");
    EXPECT_EQ(c.Spare, "");
    // Colons instead of semicolons give the same record.
    TY_ENIG_NEW_CH d;
    ASSERT_TRUE(ParseNewServiceLine("1:0:1:6d66:437:1:c00000:0:0:0:Das Erste HD:ARD", d));
    EXPECT_EQ(c, d);
}

TEST(LinkNewServiceLine, LinesThatHoldNoService)
{
    TY_ENIG_NEW_CH c;
    for (const char* line : {"", "error: no such bouquet", "1:0:1:6d66:437:1:c00000:0:0:0:;error;X",
                             "1:0:zz:6d66:437:1:c00000:0:0:0:;Name;P"})
        EXPECT_FALSE(ParseNewServiceLine(line, c)) << line;
}
