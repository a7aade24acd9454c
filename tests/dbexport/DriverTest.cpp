// The driver layer and the connection component without a server: quoting,
// escaping, version numbers, neutral answers, the splitter, the settings rules.

#include "dbexport/MySQLDrivers.h"
#include "dbexport/MySQLServer.h"
#include "dbexport/MySQLSplitter.h"
#include "dbexport/uMysqlHelpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(DbDriver, QuoteNameTable)
{
    TMySQLDirect d;
    const struct {
        std::string in, out;
    } cases[] = {
        {"satellites", "satellites"},
        {"order", "`order`"},
        {"ORDER", "`ORDER`"},
        {"2nd", "`2nd`"},
        {"afs.my table", "afs.`my table`"},
        {"afs.satellites.name", "afs.satellites.name"},
        {"db.select", "db.`select`"},
        {"sat$_1", "sat$_1"},
        {"Straße", "`Straße`"},
        {"a`b c", "`a``b c`"},
        {"", ""},
        {"`done`", "`done`"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(d.QuoteName(c.in), c.out) << c.in;
}

TEST(DbDriver, ReservedWordsAreWholeWords)
{
    TMySQLDirect d;
    EXPECT_EQ(d.ReservedWords.rfind(",ACTION,ADD,ALL,ALTER,ANALYZE,AND,AS,ASC,", 0), 0u);
    EXPECT_TRUE(d.IsReservedWord("select"));
    EXPECT_TRUE(d.IsReservedWord("Order"));
    EXPECT_FALSE(d.IsReservedWord("sel"));
    EXPECT_FALSE(d.IsReservedWord("satellites"));
}

TEST(DbDriver, EscapeTable)
{
    TMySQLDirect d;
    const struct {
        std::string in, out;
    } cases[] = {
        {"a'b", "a\\'b"},
        {"a\tb", "a\\tb"},
        {std::string("a\0b", 3), "a\\0b"},
        {"a\nb\rc", "a\\nb\\rc"},
        {"say \"hi\"", "say \\\"hi\\\""},
        {"back\\slash", "back\\\\slash"},
        {"Hot Bird 13°E", "Hot Bird 13°E"},
        {"x'); drop table t; --", "x\\'); drop table t; --"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(d.Escape(c.in), c.out);
        EXPECT_EQ(MySQLEscape(c.in), c.out);
    }
}

TEST(DbDriver, VersionNumbers)
{
    EXPECT_EQ(MySQLVersionNumber("4.1.14"), 40114);
    EXPECT_EQ(MySQLVersionNumber("3.20.32"), 32032);
    EXPECT_EQ(MySQLVersionNumber("5.0.96-fake"), 50096);
    EXPECT_EQ(MySQLVersionNumber("4.0.30a-log"), 40030);
    EXPECT_EQ(MySQLVersionNumber("10.11.6-MariaDB"), 101106);
    EXPECT_EQ(MySQLVersionNumber("5"), 52100);
    EXPECT_EQ(MySQLVersionNumber(""), 32100);
}

TEST(DbDriver, NeutralAnswersWithoutHandle)
{
    TMySQLDirect d;
    EXPECT_EQ(d.ErrorNo(nullptr), 0);
    EXPECT_EQ(d.ErrorText(nullptr), "");
    EXPECT_EQ(d.HostInfo(nullptr), "No server connection");
    EXPECT_EQ(d.ServerVersion(nullptr), "-1");
    EXPECT_EQ(d.ProtoInfo(nullptr), 0u);
    EXPECT_FALSE(d.Ping(nullptr));
    EXPECT_EQ(d.ThreadId(nullptr), 0u);
    EXPECT_FALSE(d.Kill(nullptr, 1));
    EXPECT_FALSE(d.CreateDb(nullptr, "x"));
    EXPECT_FALSE(d.SelectDb(nullptr, "x"));
    EXPECT_FALSE(d.DropDb(nullptr, "x"));
    EXPECT_EQ(d.NumFields(nullptr), 0u);
    EXPECT_EQ(d.NumRows(nullptr), 0u);
    EXPECT_EQ(d.FetchRow(nullptr), nullptr);
    EXPECT_EQ(d.FetchField(nullptr).Name, "");
    TMySQLResultHandle none = nullptr;
    d.FreeResult(none);
    TMySQLHandle h = nullptr;
    d.Close(h);
    EXPECT_EQ(d.ClientVersion(), "4.1.14");
}

TEST(DbDriver, ErrorRaiserTexts)
{
    TMySQLDirect d;
    try {
        d.RaiseError("Could not initialize mysql driver.");
        FAIL();
    } catch (const EMySQLError& e) {
        EXPECT_STREQ(e.what(), "Could not initialize mysql driver.");
        EXPECT_EQ(e.ErrorNo, -1);
    }
    try {
        d.RaiseError("text", nullptr, 2003);
        FAIL();
    } catch (const EMySQLError& e) {
        EXPECT_STREQ(e.what(), "[2003] text");
        EXPECT_EQ(e.ErrorNo, 2003);
    }
}

TEST(DbDriver, MissingLibraryNamesItself)
{
    TMySQLLibrary lib;
    try {
        lib.Load();
        FAIL();
    } catch (const std::exception& e) {
        const std::string m = e.what();
        EXPECT_NE(m.find("libmysql.dll"), std::string::npos) << m;
        EXPECT_NE(m.find("libmysql.dll", m.find("libmysql.dll") + 1), std::string::npos) << m;
    }
    EXPECT_FALSE(lib.Loaded());
}

TEST(DbSplitter, Table)
{
    const struct {
        std::string in;
        std::vector<std::string> out;
    } cases[] = {
        {"insert into t set a=1; insert into t set a=2",
         {"insert into t set a=1;", "insert into t set a=2"}},
        {"insert into t set a='x;y';", {"insert into t set a='x;y';"}},
        {"select 1 -- a;b\n;", {"select 1 ;"}},
        {"select  1   from\n\n  t", {"select 1 from t"}},
        {"/* a;b */ select 2 # c;d\n", {"select 2"}},
        {"", {}},
        {";;", {";", ";"}},
        {"update t set n=\"a;\\\"b\" where id=1;\r\n", {"update t set n=\"a;\\\"b\" where id=1;"}},
        {"select [$FIELDS] from [$TABLENAME] [WHERE]", {"select [$FIELDS] from [$TABLENAME] [WHERE]"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitStatements(c.in), c.out) << c.in;
}

TEST(DbServerComponent, DefaultsAndSetters)
{
    TMySQLServer s;
    EXPECT_EQ(s.Host(), "localhost");
    EXPECT_EQ(s.Port(), 3306);
    EXPECT_EQ(s.UserName(), "root");
    EXPECT_EQ(s.Password(), "");
    EXPECT_EQ(s.DatabaseName(), "");
    EXPECT_FALSE(s.LoginPrompt);
    EXPECT_EQ(s.DriverKind(), dtDirect);
    EXPECT_EQ(s.Protocol(), ptTCP);
    EXPECT_EQ(s.Options(), static_cast<uint32_t>(coInteractive | coTransactions | coProtocol41));
    EXPECT_FALSE(s.Compression());
    EXPECT_FALSE(s.Connected());
    EXPECT_EQ(s.ClientVersion(), "4.1.14");
    EXPECT_EQ(s.ServerVersion(), "-1");

    s.SetProtocol(ptPipe);
    EXPECT_EQ(s.Params(), "[direct]\r\nprotocol=pipe\r\n");
    EXPECT_EQ(s.DriverProperties().Options(), "protocol=pipe\r\n");
    s.SetDriverKind(dtLibrary);
    EXPECT_EQ(s.Params(), "[direct]\r\nprotocol=pipe\r\n[client]\r\nprotocol=pipe\r\n");
    s.SetCompression(true);
    EXPECT_TRUE(s.Options() & coCompress);
}

} // namespace
