#include "LinkFixture.h"

#include <chrono>

using cftest::FileNames;
using cftest::LinkTestBase;
using cftest::ReadText;
using cftest::Receiver;
using cftest::ReceiverOptions;
using cftest::RefusedPort;
using cftest::SilentListener;
using cftest::WriteText;
namespace fs = std::filesystem;

namespace {

const std::string E2Before = "/web/message?timeout=4&type=1&text=Chanforge%20Ver.1.3.7:%20Reloading%20your%20settings%20...";
const std::string E2Reload = "/web/servicelistreload?mode=0";
const std::string E2After = "/web/message?timeout=4&type=1&text=Chanforge%20Ver.1.3.7:%20Setting%20reload%20succesfully";

TY_ENIG_NEW_CH Ch(const char* sid, int type, const char* ns, const char* tsid, const char* onid, const char* name,
                  const char* f12)
{
    TY_ENIG_NEW_CH c;
    c.Sid = sid;
    c.ServiceType = type;
    c.Namespace = ns;
    c.Tsid = tsid;
    c.Onid = onid;
    c.Name = name;
    c.Field12 = f12;
    return c;
}

} // namespace

class LinkReload : public LinkTestBase {};

TEST_F(LinkReload, GetNewsCollectsTheServicesOfTheNewFoundBouquets)
{
    Receiver r;
    auto link = MakeLink(r.Profile(1));
    NewChannels.push_back(Ch("0001", 1, "00000000", "0001", "0001", "kept", ""));
    link->GetNews();
    // Worked out from the peer's replies: ";" -> ":", "::" -> ":", fields
    // split and padded; the type is read as the hexadecimal it is in a
    // service reference; the DVB emphasis codes C2 86 / C2 87 removed.
    std::vector<TY_ENIG_NEW_CH> expected{
        Ch("0001", 1, "00000000", "0001", "0001", "kept", ""),
        Ch("6D66", 1, "00C00000", "0437", "0001", "DAS ERSTE HD", "ARD"),
        Ch("2B66", 25, "00C00000", "03F3", "0001", "ZDF HD", "ZDF"),
        Ch("006F", 2, "00C00000", "000D", "0001", "BAYERN 3", "BR"),
    };
    EXPECT_EQ(NewChannels, expected);
    EXPECT_EQ(r.WebRequests(), (std::vector<std::string>{"/cgi-bin/getServices?ref=1:15:fffffffc:12:0:0:0:0:0:0:",
                                                         "/cgi-bin/getServices?ref=1:31:fffffffb:12:0:0:0:0:0:0:",
                                                         "/cgi-bin/getServices?ref=1:15:fffffffc:4:0:0:0:0:0:0:",
                                                         "/cgi-bin/getServices?ref=1:31:fffffffb:4:0:0:0:0:0:0:"}));
    EXPECT_TRUE(Logged(*link, "Trying to get new channels from receiver memory, please wait for a while ..."));
}

TEST_F(LinkReload, GetNewsWithWrongPasswordAddsNothing)
{
    Receiver r(ReceiverOptions().ProfilePassword("wrong"));
    auto link = MakeLink(r.Profile(1));
    link->GetNews();
    EXPECT_TRUE(NewChannels.empty());
}

TEST_F(LinkReload, ReadWithReadNewMarksNewServicesAndReloadsInTheProfilesGeneration)
{
    Receiver r;
    WriteText(r.root / "var/tuxbox/config/enigma/services", "s");
    WriteText(r.root / "var/tuxbox/config/enigma/bouquets", "b");
    ReadNew = true;
    SetEnigmaVer(4); // an Enigma 2 set is still loaded
    auto link = MakeLink(r.Profile(1));
    ASSERT_TRUE(link->Read());
    EXPECT_EQ(NewChannels.size(), 3u);
    EXPECT_TRUE(Logged(*link, "Reloading settings/UserBouquet from memory"));
    auto req = r.WebRequests();
    ASSERT_EQ(req.size(), 8u);
    EXPECT_EQ(req[5], "/cgi-bin/reloadSettings");
}

TEST_F(LinkReload, Enigma2OverTheWebInterface)
{
    Receiver r;
    SetEnigmaVer(2); // an Enigma 1 set is loaded: the profile decides, not the set
    auto link = MakeLink(r.Profile(3));
    EXPECT_TRUE(link->ReloadRec());
    EXPECT_EQ(r.WebRequests(), (std::vector<std::string>{E2Before, E2Reload, E2After}));
    EXPECT_TRUE(Logged(*link, "Reloading settings, please wait for a while ..."));
}

TEST_F(LinkReload, VersionTextBlanksAreEscaped)
{
    Receiver r;
    VersionText = "Ver 1.3.7";
    auto link = MakeLink(r.Profile(2));
    EXPECT_TRUE(link->ReloadRec());
    EXPECT_EQ(r.WebRequests().front(),
              "/web/message?timeout=4&type=1&text=Chanforge%20Ver%201.3.7:%20Reloading%20your%20settings%20...");
}

TEST_F(LinkReload, Enigma1ChainStopsAtTheFirstRefusedReload)
{
    struct Case {
        const char* refuse;
        bool result;
        std::vector<std::string> requests;
    };
    const std::string before = "/cgi-bin/xmessage?timeout=4&caption=Chanforge%20Ver.1.3.7&body=Reloading%20your%20settings%20...";
    const std::string after = "/cgi-bin/xmessage?timeout=4&caption=Chanforge%20Ver.1.3.7&body=Setting%20reload%20succesfully";
    for (const auto& c : {
             Case{"", true, {before, "/cgi-bin/reloadSettings", "/cgi-bin/reloadUserBouquets", after}},
             Case{"reload", false, {before, "/cgi-bin/reloadSettings"}},
             Case{"reload-bouquets", false, {before, "/cgi-bin/reloadSettings", "/cgi-bin/reloadUserBouquets"}},
             // The messages on screen are courtesy: their failure decides nothing.
             Case{"message-before,message-after", true,
                  {before, "/cgi-bin/reloadSettings", "/cgi-bin/reloadUserBouquets", after}},
         }) {
        SCOPED_TRACE(c.refuse);
        Receiver r(ReceiverOptions().Web({"--refuse", c.refuse}));
        auto link = MakeLink(r.Profile(4));
        EXPECT_EQ(link->ReloadRec(), c.result);
        EXPECT_EQ(r.WebRequests(), c.requests);
        EXPECT_TRUE(link->LogLines().size() == 1); // no Telnet for Enigma 1
    }
}

TEST_F(LinkReload, Enigma2MessageRefusedStillReloads)
{
    Receiver r(ReceiverOptions().Web({"--refuse", "message-before"}));
    auto link = MakeLink(r.Profile(3));
    EXPECT_TRUE(link->ReloadRec());
    EXPECT_EQ(r.WebRequests(), (std::vector<std::string>{E2Before, E2Reload, E2After}));
}

TEST_F(LinkReload, Enigma2FallsBackToTelnet)
{
    Receiver r(ReceiverOptions().Web({"--refuse", "reload"}).Telnet());
    auto link = MakeLink(r.Profile(3), &r);
    EXPECT_TRUE(link->ReloadRec());
    EXPECT_EQ(r.WebRequests(), (std::vector<std::string>{E2Before, E2Reload}));
    for (const char* line : {"Telnet : Connected.", "Sending username ", "Sending password", "Sending reload command",
                             "Reload command sent", "Telnet : Disconnected."})
        EXPECT_TRUE(Logged(*link, line)) << line;
    EXPECT_FALSE(link->IdTelnet.Connected());
    // The peer saw the log-in and the command.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    std::vector<std::string> seen;
    while (std::chrono::steady_clock::now() < deadline) {
        seen = r.TelnetLines();
        if (std::find(seen.begin(), seen.end(), "CMD killall -9 enigma2") != seen.end())
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_NE(std::find(seen.begin(), seen.end(), "USER root"), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), "PASS secret"), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), "CMD killall -9 enigma2"), seen.end());
}

TEST_F(LinkReload, HttpRefusedAndSilentTelnetPeerFailsWithinTheDeadline)
{
    Receiver r(ReceiverOptions().Telnet("silent").ProfilePassword("wrong"));
    auto link = MakeLink(r.Profile(3), &r);
    link->Timeouts.TelnetDialogue = 500;
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_FALSE(link->ReloadRec());
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(), 5.0);
    EXPECT_TRUE(Logged(*link, "Telnet : Connected."));
    EXPECT_TRUE(Logged(*link, "Error sending telnet command"));
    EXPECT_FALSE(link->IdTelnet.Connected());
}

TEST_F(LinkReload, TelnetRefusedConnection)
{
    Receiver r(ReceiverOptions().Web({"--refuse", "reload"}));
    auto link = MakeLink(r.Profile(2));
    RefusedPort refused;
    link->TelnetPort = refused.port();
    EXPECT_FALSE(link->ReloadRec());
    EXPECT_TRUE(Logged(*link, "Connect error in telnet session "));
}

TEST_F(LinkReload, WebInterfaceThatNeverAnswersIsBounded)
{
    Receiver r(ReceiverOptions().Web({"--silent"}));
    auto link = MakeLink(r.Profile(1));
    link->Timeouts.HttpRead = 300;
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_FALSE(link->ReloadRec());
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(), 5.0);
    EXPECT_EQ(r.WebRequests().size(), 1u); // nobody there: no reload request waits again
}

TEST_F(LinkReload, TelnetDialogueSteps)
{
    Receiver r;
    auto link = MakeLink(r.Profile(3));
    // Not connected: the answers go nowhere, the steps are what matters.
    link->TelnetDataAvailable("receiver login: #");
    EXPECT_EQ(link->TelnetState(), 0); // the user name only
    EXPECT_TRUE(Logged(*link, "Sending username "));
    EXPECT_FALSE(Logged(*link, "Sending reload command"));
    link->TelnetDataAvailable("Password: ");
    EXPECT_TRUE(Logged(*link, "Sending password"));
    link->TelnetDataAvailable("\r\nroot@receiver:~# ");
    EXPECT_EQ(link->TelnetState(), 1);
    EXPECT_FALSE(link->TelnetTimerRunning());
    link->TelnetDataAvailable("killall -9 enigma2\r\n");
    EXPECT_EQ(link->TelnetState(), 2);
    EXPECT_TRUE(link->TelnetTimerRunning());
    link->TelnetDataAvailable("root@receiver:~# ");
    EXPECT_EQ(link->TelnetState(), 2);
    link->TelnetTimer();
    EXPECT_FALSE(link->TelnetTimerRunning());
    EXPECT_EQ(link->LogLines().back(), "Reload command sent");
}
