#include "Peer.h"
#include "common/TestData.h"
#include "platform/net/FtpClient.h"
#include "platform/net/HttpClient.h"
#include "platform/net/TelnetClient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace cf::net;
namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFile(const fs::path& p, const std::string& text)
{
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

double SecondsSince(std::chrono::steady_clock::time_point t)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

struct FtpFixture {
    cftest::ScratchDir root;
    std::unique_ptr<cftest::Peer> peer;
    TIdFTP ftp;
    std::vector<std::string> status;

    explicit FtpFixture(std::vector<std::string> extra = {})
    {
        WriteFile(root / "etc/enigma2/lamedb", "eDVB services /4/\n");
        WriteFile(root / "etc/enigma2/userbouquet.favourites.tv", "#NAME Fav\n");
        WriteFile(root / "etc/enigma2/userbouquet.radio.radio", "#NAME R\n");
        WriteFile(root / "etc/enigma2/bouquets.tv", "#NAME Bouquets (TV)\n");
        fs::create_directories(root / "etc/tuxbox");
        std::vector<std::string> args{"--root", root.path().string(), "--user", "root", "--password", "secret"};
        args.insert(args.end(), extra.begin(), extra.end());
        peer = std::make_unique<cftest::Peer>("ftp_peer.py", args);
        ftp.Host = "127.0.0.1";
        ftp.Port = peer->port();
        ftp.Username = "root";
        ftp.Password = "secret";
        ftp.ReadTimeout = 2000;
        ftp.ConnectTimeout = 2000;
        ftp.OnStatus = [this](const std::string& s) { status.push_back(s); };
    }
};

} // namespace

class NetFtpModes : public ::testing::TestWithParam<bool> {};

TEST_P(NetFtpModes, ListGetPutDeleteAgainstRealServer)
{
    FtpFixture f;
    f.ftp.Passive = GetParam();
    f.ftp.Connect();
    f.ftp.Login();
    ASSERT_TRUE(f.ftp.Connected());

    std::vector<std::string> names;
    f.ftp.List("/etc/enigma2/*.tv", names);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"bouquets.tv", "userbouquet.favourites.tv"}));

    names.clear();
    f.ftp.List("/etc/enigma2/*", names);
    EXPECT_EQ(names.size(), 4u);

    cftest::ScratchDir local;
    f.ftp.Get("/etc/enigma2/lamedb", (local / "lamedb").string());
    EXPECT_EQ(ReadAll(local / "lamedb"), "eDVB services /4/\n");

    // Binary content, including CR LF and bytes above 127, arrives unchanged.
    std::string payload("line1\r\nline2\n\xc3\xa4\x00\xff", 16);
    WriteFile(local / "up", payload);
    f.ftp.Put((local / "up").string(), "/etc/tuxbox/satellites.xml");
    EXPECT_EQ(ReadAll(f.root / "etc/tuxbox/satellites.xml"), payload);

    f.ftp.Delete("/etc/enigma2/userbouquet.radio.radio");
    EXPECT_FALSE(fs::exists(f.root / "etc/enigma2/userbouquet.radio.radio"));

    f.ftp.Disconnect();
    EXPECT_FALSE(f.ftp.Connected());
    EXPECT_EQ(f.status.front(), "Connecting to 127.0.0.1.");
    EXPECT_NE(std::find(f.status.begin(), f.status.end(), "Connected."), f.status.end());
    EXPECT_EQ(f.status.back(), "Disconnected.");
}

INSTANTIATE_TEST_SUITE_P(NetPassiveAndActive, NetFtpModes, ::testing::Values(true, false),
                         [](const auto& i) { return i.param ? "Passive" : "Active"; });

TEST(NetFtp, LastReplyTextIsTheServersWithoutCode)
{
    FtpFixture f;
    f.ftp.Connect();
    EXPECT_EQ(f.ftp.LastReplyCode(), 220);
    ASSERT_FALSE(f.ftp.LastReplyText().empty());
    EXPECT_EQ(f.ftp.LastReplyText().front(), "Test receiver FTP ready.");
    f.ftp.Login();
    EXPECT_EQ(f.ftp.LastReplyCode(), 230);
    EXPECT_EQ(f.ftp.LastReplyText().front(), "Login successful.");
}

TEST(NetFtp, MultiLineGreetingIsReadWhole)
{
    // A long greeting comes as "220-Welcome...", inner lines, then "220 ".
    FtpFixture f({"--banner", "Welcome to the receiver\\n 220 is not the end\\nThird line, long enough for "
                              "the server to send the greeting on several lines"});
    f.ftp.Connect();
    EXPECT_EQ(f.ftp.LastReplyCode(), 220);
    ASSERT_EQ(f.ftp.LastReplyText().size(), 4u);
    EXPECT_EQ(f.ftp.LastReplyText()[0], "Welcome to the receiver");
    EXPECT_EQ(f.ftp.LastReplyText()[1], " 220 is not the end");
    f.ftp.Login(); // still in step with the server
    EXPECT_EQ(f.ftp.LastReplyCode(), 230);
}

TEST(NetFtp, WrongPasswordFailsAtLoginNotAtConnect)
{
    FtpFixture f;
    f.ftp.Password = "wrong";
    ASSERT_NO_THROW(f.ftp.Connect());
    try {
        f.ftp.Login();
        FAIL() << "login accepted";
    } catch (const EFtpReplyError& e) {
        EXPECT_EQ(e.Code, 530);
    }
}

TEST(NetFtp, RefusedPortFailsAtConnect)
{
    cftest::RefusedPort port;
    TIdFTP ftp;
    ftp.Host = "127.0.0.1";
    ftp.Port = port.port();
    ftp.ConnectTimeout = 2000;
    EXPECT_THROW(ftp.Connect(), ENetError);
    EXPECT_FALSE(ftp.Connected());
}

TEST(NetFtp, ServerThatNeverGreetsTimesOutAtConnect)
{
    cftest::SilentListener silent;
    TIdFTP ftp;
    ftp.Host = "127.0.0.1";
    ftp.Port = silent.port();
    ftp.ReadTimeout = 300;
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_THROW(ftp.Connect(), ENetTimeout);
    EXPECT_LT(SecondsSince(t0), 5.0);
    EXPECT_FALSE(ftp.Connected());
}

TEST(NetFtp, MissingFileLeavesNoLocalFileAndTheConnectionUsable)
{
    FtpFixture f;
    f.ftp.Connect();
    f.ftp.Login();
    cftest::ScratchDir local;
    try {
        f.ftp.Get("/etc/enigma2/whitelist", (local / "whitelist").string());
        FAIL() << "download of a missing file succeeded";
    } catch (const EFtpReplyError& e) {
        EXPECT_EQ(e.Code, 550);
    }
    EXPECT_TRUE(fs::is_empty(local.path()));
    ASSERT_TRUE(f.ftp.Connected());
    f.ftp.Get("/etc/enigma2/lamedb", (local / "lamedb").string());
    EXPECT_TRUE(fs::exists(local / "lamedb"));
}

TEST(NetFtp, ServerThatStopsAnsweringMidTransferIsBoundedAndDropped)
{
    FtpFixture f({"--hang", "RETR"});
    f.ftp.ReadTimeout = 300;
    f.ftp.Connect();
    f.ftp.Login();
    cftest::ScratchDir local;
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_THROW(f.ftp.Get("/etc/enigma2/lamedb", (local / "lamedb").string()), ENetTimeout);
    EXPECT_LT(SecondsSince(t0), 5.0);
    EXPECT_FALSE(f.ftp.Connected());
    EXPECT_TRUE(fs::is_empty(local.path()));
    // Later calls fail at once instead of waiting again.
    EXPECT_THROW(f.ftp.Get("/etc/enigma2/lamedb", (local / "lamedb").string()), ENetError);
}

TEST(NetFtp, UploadRefusedByServerRaisesReplyError)
{
    FtpFixture f({"--readonly", "etc/tuxbox"});
    f.ftp.Connect();
    f.ftp.Login();
    cftest::ScratchDir local;
    WriteFile(local / "satellites.xml", "<satellites/>");
    EXPECT_THROW(f.ftp.Put((local / "satellites.xml").string(), "/etc/tuxbox/satellites.xml"), EFtpReplyError);
    EXPECT_FALSE(fs::exists(f.root / "etc/tuxbox/satellites.xml"));
    EXPECT_TRUE(f.ftp.Connected());
}

TEST(NetFtp, ListingOfMissingFolderFails)
{
    FtpFixture f;
    f.ftp.Connect();
    f.ftp.Login();
    std::vector<std::string> names;
    EXPECT_THROW(f.ftp.List("/var/tuxbox/config/enigma/*.tv", names), EFtpReplyError);
    EXPECT_TRUE(names.empty());
}

TEST(NetFtp, AListingLargerThanTheBoundIsRefused)
{
    FtpFixture f;
    // 60 user bouquets: 1440 bytes of names and line ends, or more with paths.
    for (int i = 0; i < 60; ++i) {
        char name[40];
        std::snprintf(name, sizeof name, "userbouquet.dbe%02x.tv", i);
        WriteFile(f.root / "etc/enigma2" / name, "#NAME x\n");
    }
    struct Case {
        std::size_t bound;
        bool refused;
    };
    for (const Case c : {Case{8u << 20, false}, Case{1000, true}}) {
        SCOPED_TRACE(c.bound);
        f.ftp.MaxListingBytes = c.bound;
        if (!f.ftp.Connected()) {
            f.ftp.Connect();
            f.ftp.Login();
        }
        std::vector<std::string> names;
        if (!c.refused) {
            f.ftp.List("/etc/enigma2/*.tv", names);
            EXPECT_EQ(names.size(), 62u); // the 60, the favourites and bouquets.tv
            EXPECT_TRUE(f.ftp.Connected());
            continue;
        }
        try {
            f.ftp.List("/etc/enigma2/*.tv", names);
            FAIL() << "an oversized listing was read";
        } catch (const ENetError& e) {
            EXPECT_NE(std::string(e.what()).find("larger than 1000 bytes"), std::string::npos) << e.what();
        }
        EXPECT_TRUE(names.empty());
        // Its final reply is out of step: the connection goes, later calls fail at once.
        EXPECT_FALSE(f.ftp.Connected());
    }
}

namespace {

// A listener whose queue is full: a further connect is never answered, as
// with an address behind a dead route.
struct DeadAddress {
    int listener = -1, port = 0;
    std::vector<int> fillers;
    DeadAddress()
    {
        listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(listener, 0);
        socklen_t len = sizeof a;
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&a), &len);
        port = ntohs(a.sin_port);
        for (int i = 0; i < 3; ++i) {
            int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
            fillers.push_back(fd);
        }
    }
    ~DeadAddress()
    {
        for (int fd : fillers)
            ::close(fd);
        ::close(listener);
    }
};

} // namespace

TEST(NetConnect, AnAddressThatNeverAnswersLeavesTimeForTheNext)
{
    DeadAddress dead;
    {
        // The dead address alone: a time-out within the bound.
        auto t0 = std::chrono::steady_clock::now();
        EXPECT_THROW(TcpSocket::ConnectAny({{"127.0.0.1", dead.port}}, 500, "box"), ENetTimeout);
        EXPECT_LT(SecondsSince(t0), 5.0);
    }
    // The dead address first, a live one after it: connected to the live one.
    FtpFixture f;
    auto t0 = std::chrono::steady_clock::now();
    TcpSocket s = TcpSocket::ConnectAny({{"127.0.0.1", dead.port}, {"127.0.0.1", f.peer->port()}}, 1000, "box");
    EXPECT_LT(SecondsSince(t0), 5.0);
    ASSERT_TRUE(s.IsOpen());
    ASSERT_TRUE(s.WaitReadable(2000)); // the server's greeting
    char buf[64];
    const std::size_t n = s.Receive(buf, sizeof buf, 2000);
    EXPECT_EQ(std::string(buf, std::min<std::size_t>(n, 3)), "220");
}

// ---- HTTP --------------------------------------------------------------

struct WebFixture {
    cftest::ScratchDir dir;
    std::unique_ptr<cftest::Peer> peer;
    explicit WebFixture(std::vector<std::string> extra = {})
    {
        std::vector<std::string> args{"--user", "root", "--password", "secret", "--log", (dir / "requests").string()};
        args.insert(args.end(), extra.begin(), extra.end());
        peer = std::make_unique<cftest::Peer>("web_peer.py", args);
    }
    std::string base() const { return "http://127.0.0.1:" + std::to_string(peer->port()); }
};

TEST(NetHttp, BasicAuthenticationGetsTheBody)
{
    WebFixture w;
    TIdHTTP http;
    http.BasicAuthentication = true;
    http.Username = "root";
    http.Password = "secret";
    EXPECT_EQ(http.Get(w.base() + "/cgi-bin/reloadSettings"), "+ok");
    EXPECT_EQ(http.ResponseCode(), 200);
}

TEST(NetHttp, WrongPasswordRaisesWithTheStatusLine)
{
    WebFixture w;
    TIdHTTP http;
    http.BasicAuthentication = true;
    http.Username = "root";
    http.Password = "nope";
    try {
        http.Get(w.base() + "/web/servicelistreload?mode=0");
        FAIL() << "401 taken as success";
    } catch (const EIdHTTPError& e) {
        EXPECT_EQ(e.ResponseCode, 401);
        EXPECT_STREQ(e.what(), "HTTP/1.0 401 Unauthorized");
    }
}

TEST(NetHttp, RefusedPortRaises)
{
    cftest::RefusedPort port;
    TIdHTTP http;
    EXPECT_THROW(http.Get("http://127.0.0.1:" + std::to_string(port.port()) + "/"), EIdHTTPError);
}

TEST(NetHttp, SilentServerIsBoundedByTheReadTimeout)
{
    WebFixture w({"--silent"});
    TIdHTTP http;
    http.ReadTimeout = 300;
    http.ConnectTimeout = 300;
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_THROW(http.Get(w.base() + "/web/message"), EIdHTTPError);
    EXPECT_LT(SecondsSince(t0), 5.0);
}

// ---- Telnet ------------------------------------------------------------

TEST(NetTelnet, RefusesOptionsAnswersTerminalTypeAndDeliversText)
{
    cftest::ScratchDir dir;
    cftest::Peer peer("telnet_peer.py", {"--log", (dir / "log").string(), "--password", "pw"});
    TIdTelnet t;
    t.Host = "127.0.0.1";
    t.Port = peer.port();
    std::string text;
    t.OnDataAvailable = [&](const std::string& s) { text += s; };
    t.Connect();
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (text.find("login:") == std::string::npos && std::chrono::steady_clock::now() < deadline)
        t.Poll(100);
    ASSERT_NE(text.find("receiver login: "), std::string::npos);
    EXPECT_EQ(text.find('\xff'), std::string::npos); // no negotiation bytes in the text
    t.Send("root\r");
    while (text.find("Password:") == std::string::npos && std::chrono::steady_clock::now() < deadline)
        t.Poll(100);
    t.Disconnect();
    // Give the peer a moment to write its log.
    for (int i = 0; i < 50 && ReadAll(dir / "log").find("USER root") == std::string::npos; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::string log = ReadAll(dir / "log");
    EXPECT_NE(log.find("NEG 251 24"), std::string::npos) << log; // WILL TERMINAL-TYPE
    EXPECT_NE(log.find("NEG 254 1"), std::string::npos) << log;  // DONT ECHO
    EXPECT_NE(log.find("SB 1800" + std::string("64756d62")), std::string::npos) << log; // IS "dumb"
    EXPECT_NE(log.find("USER root"), std::string::npos) << log;
}

TEST(NetTelnet, SilentPeerGivesNoDataAndRefusedPortRaises)
{
    cftest::ScratchDir dir;
    cftest::Peer peer("telnet_peer.py", {"--log", (dir / "log").string(), "--mode", "silent"});
    TIdTelnet t;
    t.Host = "127.0.0.1";
    t.Port = peer.port();
    int events = 0;
    t.OnDataAvailable = [&](const std::string&) { ++events; };
    t.Connect();
    EXPECT_FALSE(t.Poll(200));
    EXPECT_EQ(events, 0);
    EXPECT_TRUE(t.Connected());

    cftest::RefusedPort refused;
    TIdTelnet r;
    r.Host = "127.0.0.1";
    r.Port = refused.port();
    EXPECT_THROW(r.Connect(), ENetError);
}
