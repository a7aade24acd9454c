// Protocol branches against a scripted fake server on 127.0.0.1.

#include "FakeServer.h"
#include "common/TestData.h"
#include "dbexport/uMysqlClient.h"
#include "dbexport/uMysqlErrors.h"
#include "dbexport/uMysqlNewPassword.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <chrono>
#include <fstream>
#include <thread>

namespace {

using namespace cftest;
using Clock = std::chrono::steady_clock;

const std::string kSalt = "abcdefghijklmnopqrst";
// Long password, long flag, connect with database, protocol 4.1, transactions, secure auth.
const uint16_t kCaps41 = 1 | 4 | 8 | 512 | 8192 | 32768;

struct Captured {
    uint8_t seq = 0xEE;
    std::string payload;
    bool got = false;
};

// Greeting, login (captured), OK.
void Handshake(FakeConn& c, uint16_t caps, Captured* login = nullptr)
{
    c.SendPacket(0, Greeting10(caps, kSalt));
    Captured l;
    l.got = c.ReadPacket(l.seq, l.payload);
    if (login)
        *login = l;
    c.SendPacket(2, OkPacket());
}

std::unique_ptr<TMysqlClient> NewClient(int timeout = 20)
{
    auto c = std::make_unique<TMysqlClient>();
    c->SetTimeout(timeout);
    c->SetReconnect(false);
    return c;
}

TEST(DbFakeLogin, PacketLayoutSendsTheWholeUserName)
{
    Captured login;
    FakeServer s([&](FakeConn& c) {
        Handshake(c, kCaps41, &login);
        uint8_t seq;
        std::string p;
        c.ReadPacket(seq, p); // quit
    });
    auto cl = NewClient();
    const std::string user = "abcdefghijklmnopqrstuvwx"; // 24 bytes
    ASSERT_TRUE(cl->RealConnect("127.0.0.1", user, "pw", "mydb", s.Port())) << cl->Error();
    cl->Close();
    s.Join();
    ASSERT_TRUE(login.got);
    EXPECT_EQ(login.seq, 1);
    const std::string& p = login.payload;
    ASSERT_GE(p.size(), 32u);
    uint32_t flags = uint8_t(p[0]) | (uint8_t(p[1]) << 8) | (uint8_t(p[2]) << 16) | (uint32_t(uint8_t(p[3])) << 24);
    EXPECT_EQ(flags, 1u | 4 | 8 | 512 | 8192 | 32768); // no local files, no compression offered
    EXPECT_EQ(p.substr(4, 4), std::string("\0\0\0\x01", 4));
    EXPECT_EQ(p.substr(8, 24), std::string(24, '\0'));
    std::string expected = user + '\0' + char(20) + Scramble41("pw", kSalt) + "mydb" + '\0';
    EXPECT_EQ(p.substr(32), expected);
    EXPECT_EQ(cl->ClientFlags(), flags);
}

TEST(DbFakeLogin, EmptyPasswordSendsAnEmptyScramble)
{
    Captured login;
    FakeServer s([&](FakeConn& c) { Handshake(c, kCaps41, &login); });
    auto cl = NewClient();
    ASSERT_TRUE(cl->RealConnect("127.0.0.1", "u", "", {}, s.Port())) << cl->Error();
    s.Join();
    EXPECT_EQ(login.payload.substr(32), std::string("u\0\0\0", 4));
}

TEST(DbFakeLogin, SwitchToOldSchemeSendsTheOldScramble)
{
    Captured reply;
    FakeServer s([&](FakeConn& c) {
        c.SendPacket(0, Greeting10(kCaps41, kSalt));
        uint8_t seq;
        std::string p;
        c.ReadPacket(seq, p);
        c.SendPacket(2, std::string(1, '\xFE'));
        reply.got = c.ReadPacket(reply.seq, reply.payload);
        c.SendPacket(4, OkPacket());
    });
    auto cl = NewClient();
    ASSERT_TRUE(cl->RealConnect("127.0.0.1", "u", "old pw", {}, s.Port())) << cl->Error();
    s.Join();
    ASSERT_TRUE(reply.got);
    EXPECT_EQ(reply.seq, 3);
    EXPECT_EQ(reply.payload, ScrambleOld("oldpw", "abcdefgh") + '\0');
    EXPECT_EQ(cl->Salt(), "abcdefgh");
}

TEST(DbFakeLogin, SwitchToOldSchemeRefusedWithSecureAuth)
{
    bool answered = true;
    FakeServer s([&](FakeConn& c) {
        c.SendPacket(0, Greeting10(kCaps41, kSalt));
        uint8_t seq;
        std::string p;
        c.ReadPacket(seq, p);
        c.SendPacket(2, std::string(1, '\xFE'));
        answered = c.ReadPacket(seq, p, 3000);
    });
    auto cl = NewClient();
    EXPECT_FALSE(cl->RealConnect("127.0.0.1", "u", "old pw", {}, s.Port(), CLIENT_SECURE_CONNECTION));
    EXPECT_EQ(cl->ErrorNo(), 2049);
    EXPECT_EQ(cl->Error(), "No secure authentication available to this MySQL server.");
    EXPECT_FALSE(cl->Connected());
    s.Join();
    EXPECT_FALSE(answered);
}

TEST(DbFakeLogin, SecureAuthAgainstAnOldServerFailsBeforeLogin)
{
    bool loginSent = true;
    FakeServer s([&](FakeConn& c) {
        c.SendPacket(0, Greeting10(1 | 4 | 8192, kSalt));
        uint8_t seq;
        std::string p;
        loginSent = c.ReadPacket(seq, p, 3000);
    });
    auto cl = NewClient();
    EXPECT_FALSE(cl->RealConnect("127.0.0.1", "u", "pw", {}, s.Port(), CLIENT_SECURE_CONNECTION));
    EXPECT_EQ(cl->ErrorNo(), 2049);
    s.Join();
    EXPECT_FALSE(loginSent);
}

TEST(DbFakeLogin, ProtocolNineServer)
{
    Captured login;
    Captured query;
    FakeServer s([&](FakeConn& c) {
        std::string g = std::string("\x09") + "3.22.fake" + '\0' + std::string("\x07\0\0\0", 4) + "abcdefgh" + '\0';
        c.SendPacket(0, g);
        login.got = c.ReadPacket(login.seq, login.payload);
        c.SendPacket(2, std::string("\0\x05\0", 3)); // OK: 5 rows, no status bytes
        query.got = c.ReadPacket(query.seq, query.payload);
        c.SendPacket(1, "\xFF" "Old style error");
    });
    auto cl = NewClient();
    ASSERT_TRUE(cl->RealConnect("127.0.0.1", "olduser", "secret", {}, s.Port())) << cl->Error();
    EXPECT_EQ(cl->ServerVersion(), "3.22.fake");
    EXPECT_EQ(cl->ThreadId(), 7u);
    EXPECT_EQ(cl->ServerStatus(), SERVER_STATUS_AUTOCOMMIT);
    EXPECT_NE(cl->Query("SELECT x"), 0);
    EXPECT_EQ(cl->ErrorNo(), 2000);
    EXPECT_EQ(cl->Error(), "Old style error");
    s.Join();
    ASSERT_TRUE(login.got);
    const std::string& p = login.payload;
    // 2 bytes of flags (no 4.1 bits: the server has none), 3 bytes of zero maximum size.
    ASSERT_GE(p.size(), 5u);
    uint16_t flags = static_cast<uint16_t>(uint8_t(p[0]) | (uint8_t(p[1]) << 8));
    EXPECT_EQ(flags & (512 | 32768 | 32 | 128), 0);
    EXPECT_EQ(p.substr(2, 3), std::string(3, '\0'));
    EXPECT_EQ(p.substr(5), "olduser" + std::string(1, '\0') + ScrambleOld("secret", "abcdefgh") +
                               std::string(2, '\0'));
    EXPECT_EQ(query.payload, "\x03SELECT x");
}

TEST(DbFakeLogin, UnknownProtocolVersion)
{
    FakeServer s([&](FakeConn& c) { c.SendPacket(0, Greeting10(kCaps41, kSalt, 11)); });
    auto cl = NewClient();
    EXPECT_FALSE(cl->RealConnect("127.0.0.1", "u", "p", {}, s.Port()));
    EXPECT_EQ(cl->ErrorNo(), 2007);
    EXPECT_EQ(cl->Error(), "Protocol mismatch. Server Version = 11 Client Version = 10");
    EXPECT_FALSE(cl->Connected());
}

TEST(DbFakeLogin, DamagedGreeting)
{
    FakeServer s([&](FakeConn& c) { c.SendPacket(0, std::string("\x0Ano terminator")); });
    auto cl = NewClient();
    EXPECT_FALSE(cl->RealConnect("127.0.0.1", "u", "p", {}, s.Port()));
    EXPECT_EQ(cl->ErrorNo(), 2012);
    EXPECT_EQ(cl->Error(), "Error in server handshake");
}

TEST(DbFakeLogin, ErrorPacketAsGreeting)
{
    FakeServer s([&](FakeConn& c) { c.SendPacket(0, ErrPacket(1040, "Too many connections")); });
    auto cl = NewClient();
    EXPECT_FALSE(cl->RealConnect("127.0.0.1", "u", "p", {}, s.Port()));
    EXPECT_EQ(cl->ErrorNo(), 1040);
    EXPECT_EQ(cl->Error(), "Too many connections");
}

// One connected client and a server script for what follows the login.
void WithSession(const std::function<void(FakeConn&)>& afterLogin,
                 const std::function<void(TMysqlClient&)>& client, uint16_t caps = kCaps41)
{
    FakeServer s([&](FakeConn& c) {
        Handshake(c, caps);
        afterLogin(c);
    });
    auto cl = NewClient();
    ASSERT_TRUE(cl->RealConnect("127.0.0.1", "u", "p", {}, s.Port())) << cl->Error();
    client(*cl);
    cl->Close();
    s.Join();
}

void ReadQuery(FakeConn& c)
{
    uint8_t seq;
    std::string p;
    c.ReadPacket(seq, p);
}

TEST(DbFakeReplies, ShortErrorPacket)
{
    WithSession([](FakeConn& c) { ReadQuery(c); c.SendPacket(1, std::string("\xFF\x01\x02", 3)); },
                [](TMysqlClient& cl) {
                    EXPECT_NE(cl.Query("SELECT 1"), 0);
                    EXPECT_EQ(cl.ErrorNo(), 2000);
                    EXPECT_EQ(cl.Error(), "Unknown MySQL error");
                    EXPECT_TRUE(cl.Connected());
                });
}

TEST(DbFakeReplies, LongErrorTextKeeps199Characters)
{
    const std::string text(300, 'e');
    WithSession([&](FakeConn& c) { ReadQuery(c); c.SendPacket(1, ErrPacket(1234, text)); },
                [&](TMysqlClient& cl) {
                    EXPECT_NE(cl.Query("SELECT 1"), 0);
                    EXPECT_EQ(cl.ErrorNo(), 1234);
                    EXPECT_EQ(cl.Error(), text.substr(0, 199));
                });
}

TEST(DbFakeReplies, WrongSequenceNumberLosesTheConnection)
{
    WithSession([](FakeConn& c) { ReadQuery(c); c.SendPacket(5, OkPacket()); },
                [](TMysqlClient& cl) {
                    EXPECT_NE(cl.Query("DO 1"), 0);
                    EXPECT_EQ(cl.ErrorNo(), 2013);
                    EXPECT_EQ(cl.Error(), "Lost connection to MySQL server during query");
                    EXPECT_FALSE(cl.Connected());
                });
}

TEST(DbFakeReplies, EmptyReplyLosesTheConnection)
{
    WithSession([](FakeConn& c) { ReadQuery(c); c.SendPacket(1, ""); },
                [](TMysqlClient& cl) {
                    EXPECT_NE(cl.Query("DO 1"), 0);
                    EXPECT_EQ(cl.ErrorNo(), 2013);
                    EXPECT_FALSE(cl.Connected());
                });
}

// A closed socket reads 0 bytes: that ends the wait at once.
TEST(DbFakeReplies, ServerClosingMidReplyFailsAtOnce)
{
    WithSession([](FakeConn& c) { ReadQuery(c); c.SendRaw(std::string("\x10\x00", 2)); c.Close(); },
                [](TMysqlClient& cl) {
                    auto start = Clock::now();
                    EXPECT_NE(cl.Query("DO 1"), 0);
                    EXPECT_LT(Clock::now() - start, std::chrono::seconds(10));
                    EXPECT_EQ(cl.ErrorNo(), 2013);
                    EXPECT_FALSE(cl.Connected());
                });
}

TEST(DbFakeReplies, OkPacketWithoutStatusLeavesStatus)
{
    // A server without transactions sends no status; a 4.1 one sends status and warnings.
    WithSession([](FakeConn& c) { ReadQuery(c); c.SendPacket(1, std::string("\0\x03\x09", 3)); },
                [](TMysqlClient& cl) {
                    EXPECT_EQ(cl.Query("DO 1"), 0);
                    EXPECT_EQ(cl.AffectedRows(), 3u);
                    EXPECT_EQ(cl.InsertId(), 9u);
                    EXPECT_EQ(cl.ServerStatus(), SERVER_STATUS_AUTOCOMMIT);
                },
                1 | 4 | 512 | 32768);
    WithSession([](FakeConn& c) {
                    ReadQuery(c);
                    c.SendPacket(1, OkPacket(1, 0, true, 3, 2, "Rows matched: 1  Changed: 1  Warnings: 2"));
                },
                [](TMysqlClient& cl) {
                    EXPECT_EQ(cl.Query("UPDATE t SET a = 1"), 0);
                    EXPECT_EQ(cl.ServerStatus(), 3);
                    EXPECT_EQ(cl.WarningCount(), 2);
                    EXPECT_EQ(cl.Info(), "Rows matched: 1  Changed: 1  Warnings: 2");
                });
}

// A 4.0 server: no 4.1 protocol, old column layout, old scramble.
TEST(DbFakeReplies, OldColumnLayoutAndNumericFlag)
{
    for (bool longFlag : {true, false}) {
        SCOPED_TRACE(longFlag ? "long flags" : "short flags");
        Captured login;
        FakeServer s([&](FakeConn& c) {
            c.SendPacket(0, Greeting10(static_cast<uint16_t>(1 | 8192 | (longFlag ? 4 : 0)), kSalt, 10, "4.0.30"));
            login.got = c.ReadPacket(login.seq, login.payload);
            c.SendPacket(2, OkPacket());
            ReadQuery(c);
            auto col = [&](const std::string& name, uint32_t length, uint8_t type, uint16_t flags) {
                std::string len{static_cast<char>(length & 0xFF), static_cast<char>((length >> 8) & 0xFF),
                                static_cast<char>(length >> 16)};
                std::string fl = longFlag ? std::string{static_cast<char>(flags & 0xFF),
                                                        static_cast<char>(flags >> 8), '\x02'}
                                          : std::string{static_cast<char>(flags & 0xFF), '\x02'};
                return LenText("t") + LenText(name) + LenText(len) + LenText(std::string(1, char(type))) +
                       LenText(fl);
            };
            c.SendPacket(1, LenInt(5));
            c.SendPacket(2, col("ts14", 14, FIELD_TYPE_TIMESTAMP, 0));
            c.SendPacket(3, col("ts19", 19, FIELD_TYPE_TIMESTAMP, 0));
            c.SendPacket(4, col("yr", 4, FIELD_TYPE_YEAR, 0));
            c.SendPacket(5, col("txt", 255, FIELD_TYPE_BLOB, 0x0101) + LenText("dflt"));
            c.SendPacket(6, col("n", 11, FIELD_TYPE_LONG, 1));
            c.SendPacket(7, std::string("\xFE", 1));
            c.SendPacket(8, LenText("20240229123456") + LenText("2024-02-29 12:34:56") + LenText("2024") +
                                LenText("") + "\xFB");
            c.SendPacket(9, std::string("\xFE", 1));
            ReadQuery(c); // quit
        });
        auto cl = NewClient();
        ASSERT_TRUE(cl->RealConnect("127.0.0.1", "old", "pw", {}, s.Port())) << cl->Error();
        ASSERT_EQ(cl->Query("SELECT * FROM t"), 0) << cl->Error();
        auto r = cl->UseResult();
        ASSERT_TRUE(r);
        ASSERT_EQ(r->FieldCount(), 5);
        const auto& f = r->Fields();
        EXPECT_EQ(f[0].Name.value_or(""), "ts14");
        EXPECT_EQ(f[0].Table.value_or(""), "t");
        EXPECT_FALSE(f[0].Db.has_value());
        EXPECT_EQ(f[0].Length, 14u);
        EXPECT_TRUE(f[0].Flags & NUM_FLAG);  // a 14-character timestamp is a number
        EXPECT_FALSE(f[1].Flags & NUM_FLAG); // a 19-character one is not
        EXPECT_TRUE(f[2].Flags & NUM_FLAG);  // year
        EXPECT_TRUE(f[3].Flags & BLOB_FLAG);
        EXPECT_EQ(f[3].Flags & 0xFF, 1u | BLOB_FLAG); // not null, plus the blob flag every blob kind gets
        EXPECT_EQ(f[3].Flags & 0x100, longFlag ? 0x100u : 0u);
        EXPECT_EQ(f[3].Decimals, 2);
        EXPECT_EQ(f[3].Def.value_or(""), "dflt");
        EXPECT_TRUE(f[4].Flags & NUM_FLAG);
        EXPECT_EQ(f[4].Type, FIELD_TYPE_LONG);
        ASSERT_FALSE(r->Eof());
        EXPECT_EQ(r->Row()[0].value_or(""), "20240229123456");
        EXPECT_EQ(r->Row()[3].value_or("?"), "");
        EXPECT_FALSE(r->Row()[4].has_value());
        EXPECT_FALSE(r->Next());
        r.reset();
        cl->Close();
        s.Join();
        ASSERT_TRUE(login.got);
        const std::string& p = login.payload;
        EXPECT_EQ(p.substr(2, 3), std::string(3, '\0'));
        EXPECT_EQ(p.substr(5), "old" + std::string(1, '\0') + ScrambleOld("pw", "abcdefgh") + std::string(2, '\0'));
    }
}

TEST(DbFakeReplies, MalformedRowIsReportedAndTheStreamStaysInStep)
{
    WithSession(
        [](FakeConn& c) {
            ReadQuery(c);
            c.SendPacket(1, LenInt(1));
            c.SendPacket(2, LenText("def") + LenText("") + LenText("") + LenText("") + LenText("a") +
                                LenText("") + LenText(std::string("\x21\0\x0a\0\0\0\xfd\0\0\0", 10)));
            c.SendPacket(3, std::string("\xFE\0\0\x02\0", 5));
            c.SendPacket(4, std::string("\x09" "abc", 4)); // says 9 bytes, holds 3
            c.SendPacket(5, LenText("ok"));
            c.SendPacket(6, std::string("\xFE\0\0\x02\0", 5));
            ReadQuery(c);
            c.SendPacket(1, OkPacket());
        },
        [](TMysqlClient& cl) {
            ASSERT_EQ(cl.Query("SELECT a"), 0);
            auto r = cl.UseResult();
            ASSERT_TRUE(r);
            EXPECT_TRUE(r->Eof());
            EXPECT_EQ(cl.ErrorNo(), 2000);
            EXPECT_EQ(cl.Error(), "Malformed packet");
            r.reset();
            EXPECT_EQ(cl.Query("DO 1"), 0) << cl.Error();
        });
}

TEST(DbFakeLocalFile, OnlyTheNamedFileIsSent)
{
    ScratchDir dir;
    const std::string named = (dir / "named.txt").string();
    const std::string secret = (dir / "secret.txt").string();
    std::ofstream(named) << "named\n";
    std::ofstream(secret) << "secret\n";
    for (bool option : {true, false}) {
        SCOPED_TRACE(option ? "option set" : "option not set");
        Captured sent;
        Captured login;
        FakeServer s([&](FakeConn& c) {
            c.SendPacket(0, Greeting10(kCaps41 | 128, kSalt));
            c.ReadPacket(login.seq, login.payload);
            c.SendPacket(2, OkPacket());
            ReadQuery(c);
            c.SendPacket(1, "\xFB" + secret); // asks for another file
            sent.got = c.ReadPacket(sent.seq, sent.payload);
            c.SendPacket(3, OkPacket());
            ReadQuery(c);
            c.SendPacket(1, OkPacket());
        });
        auto cl = NewClient();
        cl->SetLocalInfile(option);
        ASSERT_TRUE(cl->RealConnect("127.0.0.1", "u", "p", {}, s.Port()));
        EXPECT_EQ((cl->ClientFlags() & CLIENT_LOCAL_FILES) != 0, option);
        EXPECT_NE(cl->Query("LOAD DATA LOCAL INFILE '" + named + "' INTO TABLE t"), 0);
        EXPECT_EQ(cl->Error(), "The server asked for the local file '" + secret +
                                   "', which the statement did not name");
        // In step: the next statement works.
        EXPECT_EQ(cl->Query("DO 1"), 0) << cl->Error();
        cl->Close();
        s.Join();
        ASSERT_TRUE(sent.got);
        EXPECT_EQ(sent.seq, 2);
        EXPECT_EQ(sent.payload, ""); // the zero-length packet: no data at all
    }
}

TEST(DbFakeLocalFile, NamedFileIsSentInPackets)
{
    ScratchDir dir;
    const std::string file = (dir / "big name's.txt").string();
    std::string content;
    for (int i = 0; i < 70000; ++i)
        content += static_cast<char>('a' + i % 26);
    std::ofstream(file, std::ios::binary) << content;
    std::vector<size_t> sizes;
    std::string received;
    FakeServer s([&](FakeConn& c) {
        Handshake(c, kCaps41 | 128);
        ReadQuery(c);
        c.SendPacket(1, "\xFB" + file);
        for (;;) {
            uint8_t seq;
            std::string p;
            if (!c.ReadPacket(seq, p))
                break;
            sizes.push_back(p.size());
            received += p;
            if (p.empty())
                break;
        }
        c.SendPacket(static_cast<uint8_t>(2 + sizes.size()), OkPacket(1));
    });
    auto cl = NewClient();
    cl->SetLocalInfile(true);
    ASSERT_TRUE(cl->RealConnect("127.0.0.1", "u", "p", {}, s.Port()));
    std::string quoted = file;
    size_t q = quoted.find('\'');
    quoted.replace(q, 1, "\\'");
    EXPECT_EQ(cl->Query("LOAD DATA LOCAL INFILE '" + quoted + "' INTO TABLE t"), 0) << cl->Error();
    cl->Close();
    s.Join();
    EXPECT_EQ(sizes, (std::vector<size_t>{61440, 70000 - 61440, 0}));
    EXPECT_EQ(received, content);
}

TEST(DbLocalFileName, FromTheStatement)
{
    EXPECT_EQ(NamedLocalFile("LOAD DATA LOCAL INFILE '/tmp/a.txt' INTO TABLE t"), "/tmp/a.txt");
    EXPECT_EQ(NamedLocalFile("load data low_priority local infile \"x y\" into table t"), "x y");
    EXPECT_EQ(NamedLocalFile("/* c */ LOAD XML LOCAL INFILE 'it''s' INTO TABLE t"), "it's");
    EXPECT_EQ(NamedLocalFile("LOAD DATA LOCAL INFILE 'a\\\\b' INTO TABLE t"), "a\\b");
    EXPECT_EQ(NamedLocalFile("LOAD DATA INFILE '/tmp/a' INTO TABLE t"), "");
    EXPECT_EQ(NamedLocalFile("SELECT 'LOAD DATA LOCAL INFILE x'"), "");
    EXPECT_EQ(NamedLocalFile("SELECT 1; LOAD DATA LOCAL INFILE '/etc/passwd' INTO TABLE t"), "");
}

TEST(DbFakeTransport, RefusedPortFailsAtOnce)
{
    auto cl = NewClient(20);
    const int port = UnusedPort();
    auto start = Clock::now();
    EXPECT_FALSE(cl->RealConnect("127.0.0.1", "u", "p", {}, port));
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(cl->ErrorNo(), 2003);
    EXPECT_EQ(cl->Error(), "Can't connect to MySQL server on '127.0.0.1' (111)");
    EXPECT_FALSE(cl->Connected());
}

TEST(DbFakeTransport, SilentListenerTimesOut)
{
    FakeServer s([](FakeConn& c) {
        std::string ignored;
        c.ReadRaw(ignored, 1, 5000); // never speaks; waits for the client to give up
    });
    auto cl = NewClient(1);
    auto start = Clock::now();
    EXPECT_FALSE(cl->RealConnect("127.0.0.1", "u", "p", {}, s.Port()));
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(900));
    EXPECT_EQ(cl->ErrorNo(), 2003);
    EXPECT_EQ(cl->Error(), "Can't connect to MySQL server on '127.0.0.1' (110)");
    cl.reset();
    s.Join();
}

TEST(DbFakeTransport, TimeOutsBeyondWhatPollCountsStillWait)
{
    // poll counts in an int of milliseconds. Past 2^31 ms a cast turns the
    // wait endless; past 2^32 ms (4294968 s) it wraps to 704 ms and the
    // client would give up long before its time-out.
    for (int seconds : {2147484, 4294968}) {
        SCOPED_TRACE(seconds);
        FakeServer s([](FakeConn& c) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1500));
            Handshake(c, kCaps41);
        });
        auto cl = NewClient(seconds);
        EXPECT_TRUE(cl->RealConnect("127.0.0.1", "u", "p", {}, s.Port())) << cl->Error();
        cl.reset();
        s.Join();
    }
}

TEST(DbFakeTransport, ServerSilentAfterQueryTimesOut)
{
    FakeServer s([](FakeConn& c) {
        Handshake(c, kCaps41);
        ReadQuery(c);
        std::string ignored;
        c.ReadRaw(ignored, 1, 5000);
    });
    auto cl = NewClient(1);
    ASSERT_TRUE(cl->RealConnect("127.0.0.1", "u", "p", {}, s.Port()));
    EXPECT_NE(cl->Query("DO SLEEP(100)"), 0);
    EXPECT_EQ(cl->ErrorNo(), 2013);
    EXPECT_FALSE(cl->Connected());
    cl.reset();
    s.Join();
}

// Compressed framing: 7-byte header (compressed length, sequence,
// uncompressed length; 0 = stored as is).
struct Compressed {
    size_t clen = 0;
    uint8_t seq = 0;
    size_t ulen = 0;
    std::string body;
};

bool ReadCompressed(FakeConn& c, Compressed& out)
{
    std::string h;
    if (!c.ReadRaw(h, 7))
        return false;
    auto le24 = [&](size_t i) {
        return size_t(uint8_t(h[i])) | (size_t(uint8_t(h[i + 1])) << 8) | (size_t(uint8_t(h[i + 2])) << 16);
    };
    out.clen = le24(0);
    out.seq = static_cast<uint8_t>(h[3]);
    out.ulen = le24(4);
    std::string raw;
    if (!c.ReadRaw(raw, out.clen))
        return false;
    if (out.ulen == 0) {
        out.body = raw;
        return true;
    }
    out.body.resize(out.ulen);
    uLongf n = out.ulen;
    return uncompress(reinterpret_cast<Bytef*>(out.body.data()), &n,
                      reinterpret_cast<const Bytef*>(raw.data()), raw.size()) == Z_OK && n == out.ulen;
}

std::string Packet(uint8_t seq, const std::string& payload)
{
    std::string h;
    h += static_cast<char>(payload.size() & 0xFF);
    h += static_cast<char>((payload.size() >> 8) & 0xFF);
    h += static_cast<char>((payload.size() >> 16) & 0xFF);
    h += static_cast<char>(seq);
    return h + payload;
}

// Sends bytes as stored (uncompressed) compressed packets cut every `step` bytes.
void SendCompressedPieces(FakeConn& c, const std::string& bytes, size_t step, uint8_t& seq)
{
    for (size_t i = 0; i < bytes.size(); i += step) {
        std::string piece = bytes.substr(i, step);
        std::string h;
        h += static_cast<char>(piece.size() & 0xFF);
        h += static_cast<char>((piece.size() >> 8) & 0xFF);
        h += static_cast<char>((piece.size() >> 16) & 0xFF);
        h += static_cast<char>(seq++);
        h += std::string(3, '\0');
        c.SendRaw(h + piece);
    }
}

TEST(DbFakeCompression, ThresholdOf50Bytes)
{
    std::vector<Compressed> loads;
    FakeServer s([&](FakeConn& c) {
        Handshake(c, kCaps41 | 32);
        for (int i = 0; i < 3; ++i) {
            Compressed in;
            if (!ReadCompressed(c, in))
                return;
            loads.push_back(in);
            uint8_t seq = 1;
            SendCompressedPieces(c, Packet(1, OkPacket()), 100, seq);
        }
    });
    auto cl = NewClient();
    cl->SetCompress(true);
    ASSERT_TRUE(cl->RealConnect("127.0.0.1", "u", "p", {}, s.Port()));
    ASSERT_TRUE(cl->Net().Compression());
    // 4-byte header + command byte + statement.
    const std::string q49 = "DO '" + std::string(39, 'a') + "'";
    const std::string q50 = "DO '" + std::string(40, 'a') + "'";
    std::string noisy = "DO '";
    uint32_t x = 12345;
    while (noisy.size() < 59) {
        x = x * 1103515245 + 12345;
        noisy += static_cast<char>('!' + (x >> 16) % 90);
    }
    ASSERT_EQ(q49.size() + 5, 49u);
    ASSERT_EQ(q50.size() + 5, 50u);
    EXPECT_EQ(cl->Query(q49), 0) << cl->Error();
    EXPECT_EQ(cl->Query(q50), 0) << cl->Error();
    EXPECT_EQ(cl->Query(noisy), 0) << cl->Error();
    cl->Close();
    s.Join();
    ASSERT_EQ(loads.size(), 3u);
    EXPECT_EQ(loads[0].ulen, 0u); // 49 bytes go as they are
    EXPECT_EQ(loads[0].clen, 49u);
    EXPECT_EQ(loads[0].body, Packet(0, "\x03" + q49));
    EXPECT_EQ(loads[1].ulen, 50u); // 50 compressible bytes are compressed
    EXPECT_LT(loads[1].clen, 50u);
    EXPECT_EQ(loads[1].body, Packet(0, "\x03" + q50));
    EXPECT_EQ(loads[2].ulen, 0u); // compressing would not make it shorter
    EXPECT_EQ(loads[2].body, Packet(0, "\x03" + noisy));
    for (const auto& l : loads)
        EXPECT_EQ(l.seq, 0);
}

TEST(DbFakeCompression, PacketsSplitAcrossCompressedBlocks)
{
    for (size_t step : {size_t(1), size_t(3), size_t(10), size_t(1000)}) {
        SCOPED_TRACE(step);
        FakeServer s([&](FakeConn& c) {
            Handshake(c, kCaps41 | 32);
            Compressed in;
            ReadCompressed(c, in);
            std::string reply;
            reply += Packet(1, LenInt(2));
            for (uint8_t i = 0; i < 2; ++i)
                reply += Packet(static_cast<uint8_t>(2 + i),
                                LenText("def") + LenText("db") + LenText("t") + LenText("t") +
                                    LenText(i ? "b" : "a") + LenText(i ? "b" : "a") +
                                    LenText(std::string("\x21\0\x0a\0\0\0\xfd\0\0\0", 10)));
            reply += Packet(4, std::string("\xFE\0\0\x02\0", 5));
            reply += Packet(5, LenText("x") + "\xFB");
            reply += Packet(6, LenText("") + LenText(std::string(300, 'y')));
            reply += Packet(7, std::string("\xFE\0\0\x02\0", 5));
            uint8_t seq = 1;
            SendCompressedPieces(c, reply, step, seq);
            ReadCompressed(c, in); // quit
        });
        auto cl = NewClient();
        cl->SetCompress(true);
        ASSERT_TRUE(cl->RealConnect("127.0.0.1", "u", "p", {}, s.Port()));
        ASSERT_EQ(cl->Query("SELECT a, b FROM t"), 0) << cl->Error();
        auto r = cl->UseResult();
        ASSERT_TRUE(r);
        ASSERT_EQ(r->FieldCount(), 2);
        EXPECT_EQ(r->Fields()[1].Name.value_or(""), "b");
        ASSERT_FALSE(r->Eof());
        EXPECT_EQ(r->Row()[0].value_or("?"), "x");
        EXPECT_FALSE(r->Row()[1].has_value());
        ASSERT_TRUE(r->Next());
        EXPECT_EQ(r->Row()[0].value_or("?"), "");
        EXPECT_EQ(r->Row()[1].value_or("?"), std::string(300, 'y'));
        EXPECT_FALSE(r->Next());
        r.reset();
        cl->Close();
        s.Join();
    }
}

TEST(DbFakeCommands, CreateAndDropDatabase)
{
    std::vector<std::string> received;
    FakeServer s([&](FakeConn& c) {
        Handshake(c, kCaps41);
        uint8_t seq;
        std::string p;
        // An old server knows the create command.
        c.ReadPacket(seq, p);
        received.push_back(p);
        c.SendPacket(1, OkPacket(1));
        // A new one does not: the statement follows.
        c.ReadPacket(seq, p);
        received.push_back(p);
        c.SendPacket(1, ErrPacket(1047, "#08S01Unknown command"));
        c.ReadPacket(seq, p);
        received.push_back(p);
        c.SendPacket(1, OkPacket(0));
        // Any other refusal stands.
        c.ReadPacket(seq, p);
        received.push_back(p);
        c.SendPacket(1, ErrPacket(1044, "#42000Access denied"));
        c.ReadPacket(seq, p); // quit
    });
    auto cl = NewClient();
    ASSERT_TRUE(cl->RealConnect("127.0.0.1", "u", "p", {}, s.Port()));
    EXPECT_TRUE(cl->CreateDb("one"));
    EXPECT_TRUE(cl->DropDb("two"));
    EXPECT_FALSE(cl->CreateDb("three"));
    EXPECT_EQ(cl->ErrorNo(), 1044);
    cl->Close();
    s.Join();
    EXPECT_EQ(received, (std::vector<std::string>{"\x05one", "\x06two", "\x03" "DROP DATABASE `two`",
                                                   "\x05three"}));
}

TEST(DbFakeCommands, ReconnectOnlyWhenAllowed)
{
    // The first connection dies after login; the second one answers.
    int connections = 0;
    FakeServer s([&](FakeConn& c) {
        ++connections;
        Handshake(c, kCaps41);
        c.Close();
    });
    auto cl = NewClient();
    ASSERT_TRUE(cl->RealConnect("127.0.0.1", "u", "p", {}, s.Port()));
    s.Join();
    EXPECT_FALSE(cl->Ping());
    EXPECT_EQ(cl->ErrorNo(), 2013);
    EXPECT_FALSE(cl->Connected());
    // Reconnecting is refused: the port no longer answers and the option is off.
    EXPECT_FALSE(cl->Ping());
    EXPECT_EQ(cl->ErrorNo(), 2006);
    EXPECT_EQ(cl->Error(), "MySQL server has gone away");
    EXPECT_EQ(connections, 1);
}

} // namespace
