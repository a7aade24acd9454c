#include "platform/net/FtpReplies.h"

#include <gtest/gtest.h>

#include <string>

using cf::net::ExtendedPassivePort;
using cf::net::PassivePort;

// Passive replies come from whatever answers on the receiver's address: the
// port must come out right for real servers and as "none" for anything else,
// never from an overflowing number.
TEST(NetFtpReplies, PassivePortTable)
{
    struct Case {
        std::string reply;
        int port;
    } cases[] = {
        {"227 Entering Passive Mode (127,0,0,1,195,80).", 195 * 256 + 80},
        {"227 Entering Passive Mode (127,0,0,1,0,21)", 21},
        {"227 Entering Passive Mode ( 10,1,2,3,4,5)", 4 * 256 + 5},
        {"227 =127,0,0,1,19,137", 19 * 256 + 137},               // no brackets
        {"227 Entering Passive Mode (127,0,0,1,256,1).", -1},     // byte out of range
        {"227 Entering Passive Mode (127,0,0,1,99999999999999999999,1).", -1},
        {"227 Entering Passive Mode (127,0,0,1,-1,80).", -1},
        {"227 Entering Passive Mode (127,0,0,1,80).", -1},        // too few numbers
        {"227 Entering Passive Mode (a,b,c,d,e,f).", -1},
        {"227 Entering Passive Mode", -1},
        {"", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PassivePort(c.reply), c.port) << c.reply;
}

TEST(NetFtpReplies, ExtendedPassivePortTable)
{
    struct Case {
        std::string reply;
        int port;
    } cases[] = {
        {"229 Entering Extended Passive Mode (|||50123|)", 50123},
        {"229 Entering Extended Passive Mode (|||65535|)", 65535},
        {"229 Entering Extended Passive Mode (|||65536|)", -1},
        {"229 Entering Extended Passive Mode (|||0|)", -1},
        {"229 Entering Extended Passive Mode (|||99999999999999999999|)", -1},
        {"229 Entering Extended Passive Mode (|||x|)", -1},
        {"229 Entering Extended Passive Mode", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtendedPassivePort(c.reply), c.port) << c.reply;
}
