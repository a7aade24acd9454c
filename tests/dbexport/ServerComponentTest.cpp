// The connection component against the real test server, and against the
// scripted stand-in for what a real server never says.

#include "FakeServer.h"
#include "ServerHelpers.h"
#include "dbexport/MySQLServer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace cftest;

std::string Scalar(TMySQLServer& s, const std::string& sql)
{
    TMySQLBase& d = s.DriverProperties();
    d.Query(s.Handle(), sql);
    TMySQLResultHandle r = d.UseResult(s.Handle());
    char** row = d.FetchRow(r);
    std::string v = row && row[0] ? row[0] : "<none>";
    while (d.FetchRow(r)) {
    }
    d.FreeResult(r);
    return v;
}

TEST(DbServerLive, ConnectExecuteAndVersions)
{
    TMySQLServer s;
    PointAtTestServer(s);
    int before = 0, after = 0;
    s.BeforeConnect = [&](TCustomConnection*) { ++before; };
    s.AfterConnect = [&](TCustomConnection*) { ++after; };
    s.Open();
    ASSERT_TRUE(s.Connected());
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 1);
    EXPECT_GE(s.ServerVer(), 50000);
    EXPECT_EQ(s.ClientVer(), 40114);
    EXPECT_NE(s.ServerVersion(), "-1");
    EXPECT_EQ(Scalar(s, "select database()"), kDatabase);
    EXPECT_TRUE(s.Execute("create table if not exists srv_t (id int primary key, v varchar(10));"));
    EXPECT_TRUE(s.Execute(std::vector<std::string>{"delete from srv_t;", "insert into srv_t values (1,'a');",
                                                   "insert into srv_t values (2,'b;c')"}));
    EXPECT_EQ(Scalar(s, "select group_concat(v order by id) from srv_t"), "a,b;c");
    EXPECT_FALSE(s.Execute(std::vector<std::string>{}));
    EXPECT_FALSE(s.Execute(std::vector<std::string>{"-- only a comment"}));
    EXPECT_TRUE(s.Execute("drop table srv_t"));
    s.Close();
    EXPECT_FALSE(s.Connected());
    EXPECT_EQ(s.ServerVersion(), "-1");
}

TEST(DbServerLive, FailedQueryRaisesServerNumberAndText)
{
    TMySQLServer s;
    PointAtTestServer(s);
    try {
        s.Execute("select * from no_such_table");
        FAIL();
    } catch (const EMySQLError& e) {
        const std::string m = e.what();
        EXPECT_EQ(e.ErrorNo, 1146);
        // The 4.1 protocol puts the SQL state ("#42S02") before the server's text.
        EXPECT_EQ(m.rfind("[1146] ", 0), 0u) << m;
        EXPECT_NE(m.find("Table 'cf_db.no_such_table' doesn't exist: \r\nClient:4.1.14\r\nServer:"), std::string::npos) << m;
    }
    EXPECT_TRUE(s.Connected());
}

// A wrong password: the number and the advice, never the password; the
// component is left closed and the next connect starts clean.
TEST(DbServerLive, FailedConnectLeavesNothingOpen)
{
    TMySQLServer s;
    PointAtTestServer(s);
    s.SetPassword("wrong-secret-xyz");
    try {
        s.Open();
        FAIL();
    } catch (const EMySQLError& e) {
        const std::string m = e.what();
        EXPECT_EQ(e.ErrorNo, 1045);
        EXPECT_EQ(m.rfind("[1045] ", 0), 0u) << m;
        EXPECT_NE(m.find("Access denied for user 'cf_new'"), std::string::npos) << m;
        EXPECT_NE(m.find(": Could not connect to mysql server using:\r\nUser: cf_new\r\nHost:127.0.0.1\r\nPort:" +
                         std::to_string(SharedMaria().port) + "\r\nDB:\r\nPlease check the following:\r\n"),
                  std::string::npos)
            << m;
        EXPECT_EQ(m.find("wrong-secret-xyz"), std::string::npos);
    }
    EXPECT_FALSE(s.Connected());
    EXPECT_EQ(s.Handle(), nullptr);
    s.SetPassword(kPassNew);
    s.Open();
    EXPECT_TRUE(s.Connected());
    EXPECT_EQ(Scalar(s, "select 7"), "7");
}

TEST(DbServerLive, ClientSectionOverridesProperties)
{
    TMySQLServer s;
    s.SetParams("[client]\r\nhost=127.0.0.1\r\nport=" + std::to_string(SharedMaria().port) +
                "\r\nuser=" + kUserNew + "\r\npassword=" + kPassNew + "\r\n");
    s.SetDatabaseName(kDatabase);
    s.Open();
    EXPECT_TRUE(s.Connected());
    EXPECT_EQ(s.Host(), "127.0.0.1");
    EXPECT_EQ(s.Port(), SharedMaria().port);
    EXPECT_EQ(s.UserName(), kUserNew);
}

TEST(DbServerComponent, ClientSectionPortNotANumberKeepsPort)
{
    TMySQLServer s;
    s.SetPort(static_cast<uint16_t>(UnusedPort()));
    const uint16_t port = s.Port();
    s.SetHost("127.0.0.1");
    s.SetParams("[client]\r\nport=abc\r\n");
    EXPECT_THROW(s.Open(), EMySQLError);
    EXPECT_EQ(s.Port(), port);
    EXPECT_FALSE(s.Connected());
}

TEST(DbServerLive, HostSetterDisconnectsOnlyOnChange)
{
    TMySQLServer s;
    PointAtTestServer(s);
    s.Open();
    s.SetHost("127.0.0.1");
    EXPECT_TRUE(s.Connected());
    s.SetHost("127.0.0.1 ");
    EXPECT_FALSE(s.Connected());
    s.SetHost("127.0.0.1");
    s.Open();
    s.SetPort(s.Port());
    EXPECT_TRUE(s.Connected());
    s.SetUserName("CF_NEW");
    EXPECT_FALSE(s.Connected());
}

TEST(DbServerLive, AssignCopiesSettingsAndLeavesTargetClosed)
{
    TMySQLServer a, b;
    PointAtTestServer(a);
    a.LoginPrompt = true;
    a.SetParams("[direct]\r\nconnect_timeout=5\r\n");
    PointAtTestServer(b);
    b.Open();
    b.Assign(a);
    EXPECT_FALSE(b.Connected());
    EXPECT_EQ(b.Password(), kPassNew);
    EXPECT_EQ(b.Host(), "127.0.0.1");
    EXPECT_EQ(b.DatabaseName(), kDatabase);
    EXPECT_TRUE(b.LoginPrompt);
    EXPECT_EQ(b.Params(), a.Params());
    EXPECT_EQ(b.DriverProperties().Options(), "connect_timeout=5\r\n");
}

TEST(DbServerLive, AutoCreateRunsTheDatabaseScript)
{
    TMySQLServer s;
    PointAtTestServer(s, "cf_autocreated");
    s.SetOptions(s.Options() | soAutoCreate | soDropIfExists);
    s.Open();
    EXPECT_EQ(Scalar(s, "select database()"), "cf_autocreated");
    s.Execute("create table keep_me (id int)");
    s.Close();
    s.Open(); // dropped and made again: the table is gone
    EXPECT_EQ(Scalar(s, "select count(*) from information_schema.tables where table_schema='cf_autocreated'"), "0");
    s.Execute("drop database cf_autocreated");
}

TEST(DbServerLive, LoginDialogCancelAndOk)
{
    struct Restore {
        ~Restore() { MySQLLoginDialog = nullptr; }
    } restore;
    TMySQLServer s;
    PointAtTestServer(s);
    s.SetPassword("");
    s.LoginPrompt = true;
    TMySQLLoginValues shown;
    MySQLLoginDialog = [&](TMySQLLoginValues& v) {
        shown = v;
        return false;
    };
    EXPECT_NO_THROW(s.Open());
    EXPECT_FALSE(s.Connected());
    EXPECT_EQ(shown.Host, "127.0.0.1");
    EXPECT_EQ(shown.Port, std::to_string(SharedMaria().port));
    EXPECT_EQ(shown.UserName, kUserNew);
    MySQLLoginDialog = [&](TMySQLLoginValues& v) {
        v.Password = kPassNew;
        return true;
    };
    s.Open();
    EXPECT_TRUE(s.Connected());
    EXPECT_EQ(s.Password(), kPassNew);
}

TEST(DbServerLive, DriverCloseOfLastHandleUnloads)
{
    TMySQLServer s;
    PointAtTestServer(s);
    s.Open();
    TMySQLBase& d = s.DriverProperties();
    EXPECT_TRUE(d.Loaded());
    s.Close();
    EXPECT_FALSE(d.Loaded());
    EXPECT_EQ(d.ServerVer(), 0);
    EXPECT_EQ(d.ClientVersion(), "4.1.14"); // loads again
    EXPECT_TRUE(d.Loaded());
}

TEST(DbServerLive, ExternalClientLibraryDriver)
{
    TMySQLServer s;
    s.SetDriverKind(dtLibrary);
    static_cast<TMySQLLibrary&>(s.DriverProperties()).LibraryName = "libmariadb.so.3";
    PointAtTestServer(s);
    s.Open();
    ASSERT_TRUE(s.Connected());
    EXPECT_EQ(Scalar(s, "select concat('a', 'b')"), "ab");
    EXPECT_EQ(s.Escape("a'b"), "a\\'b");
    // The library has no mysql_create_db: the call says so instead of failing silently.
    try {
        s.DriverProperties().CreateDb(s.Handle(), "x");
        FAIL();
    } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find("mysql_create_db"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(s.Connected());
}

// A server too old is refused after the handshake, and left disconnected.
TEST(DbServerComponent, RefusesServerOlderThan321)
{
    FakeServer fake([](FakeConn& c) {
        c.SendPacket(0, Greeting10(1 | 4 | 8192, "abcdefgh", 10, "3.20.32"));
        uint8_t seq;
        std::string payload;
        c.ReadPacket(seq, payload);
        c.SendPacket(2, OkPacket());
        c.ReadPacket(seq, payload, 2000); // quit
    });
    TMySQLServer s;
    s.SetHost("127.0.0.1");
    s.SetPort(static_cast<uint16_t>(fake.Port()));
    s.SetOptions(coLongPassword | coLongFlag | coTransactions);
    try {
        s.Open();
        FAIL();
    } catch (const EMySQLError& e) {
        const std::string m = e.what();
        EXPECT_EQ(m.rfind("Only compatible with MySQL Server 3.21.xx and higher. Your version: 32032", 0), 0u) << m;
    }
    EXPECT_FALSE(s.Connected());
    fake.Join();
}

} // namespace
