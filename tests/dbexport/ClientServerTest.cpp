// The client against a real MariaDB server on 127.0.0.1.

#include "FakeServer.h"
#include "MariaServer.h"
#include "common/TestData.h"
#include "dbexport/uMysqlClient.h"
#include "dbexport/uMysqlErrors.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <fstream>

namespace {

using namespace cftest;

class DbServerTest : public ::testing::Test {
protected:
    const MariaInfo& server = SharedMaria();

    std::unique_ptr<TMysqlClient> Connect(const std::string& user, const std::string& pass,
                                          const std::string& db = kDatabase, bool compress = false,
                                          uint32_t flags = 0)
    {
        auto c = std::make_unique<TMysqlClient>();
        c->SetTimeout(20);
        c->SetCompress(compress);
        if (!c->RealConnect("127.0.0.1", user, pass, db, server.port, flags)) {
            ADD_FAILURE() << "connect as " << user << ": [" << c->ErrorNo() << "] " << c->Error();
            return nullptr;
        }
        return c;
    }

    // All rows of a statement, NULL shown as the text "<NULL>".
    static std::vector<std::vector<std::string>> Rows(TMysqlClient& c, const std::string& sql)
    {
        std::vector<std::vector<std::string>> rows;
        if (c.Query(sql) != 0) {
            ADD_FAILURE() << sql << ": [" << c.ErrorNo() << "] " << c.Error();
            return rows;
        }
        auto r = c.UseResult();
        if (!r) {
            ADD_FAILURE() << sql << ": no result";
            return rows;
        }
        for (bool more = !r->Eof(); more; more = r->Next()) {
            std::vector<std::string> row;
            for (const auto& v : r->Row())
                row.push_back(v ? *v : "<NULL>");
            rows.push_back(row);
        }
        return rows;
    }

    // Kills a connection and waits until the server has let it go, so the
    // victim's next command cannot slip in before the kill takes hold.
    static void KillAndWait(TMysqlClient& killer, uint32_t id)
    {
        ASSERT_TRUE(killer.Kill(id)) << killer.Error();
        const std::string sql =
            "SELECT COUNT(*) FROM information_schema.PROCESSLIST WHERE ID = " + std::to_string(id);
        for (int i = 0; i < 100 && Scalar(killer, sql) != "0"; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }

    static std::string Scalar(TMysqlClient& c, const std::string& sql)
    {
        auto rows = Rows(c, sql);
        return rows.size() == 1 && rows[0].size() == 1 ? rows[0][0] : "<no single value>";
    }
};

TEST_F(DbServerTest, LoginMatrix)
{
    struct Account {
        const char* user;
        const char* pass;
    } accounts[] = {{kUserNew, kPassNew}, {kUserOld, kPassOld}, {kUserEmpty, ""}};
    for (const auto& a : accounts)
        for (bool compress : {false, true})
            for (const char* db : {"", kDatabase}) {
                SCOPED_TRACE(std::string(a.user) + (compress ? " compressed" : " plain") +
                             (*db ? " with database" : " without database"));
                auto c = Connect(a.user, a.pass, db, compress);
                ASSERT_TRUE(c);
                EXPECT_EQ(c->Net().Compression(), compress);
                auto rows = Rows(*c, "SELECT CURRENT_USER(), DATABASE()");
                ASSERT_EQ(rows.size(), 1u);
                EXPECT_EQ(rows[0][0], std::string(a.user) + "@%");
                EXPECT_EQ(rows[0][1], *db ? db : "<NULL>");
            }
}

TEST_F(DbServerTest, LongUserNameIsSentWhole)
{
    auto c = Connect(kUserLong, kPassLong);
    ASSERT_TRUE(c);
    EXPECT_EQ(Scalar(*c, "SELECT CURRENT_USER()"), std::string(kUserLong) + "@%");
}

TEST_F(DbServerTest, OldSchemeIsRefusedWhenSecureAuthenticationIsAsked)
{
    TMysqlClient c;
    c.SetTimeout(20);
    EXPECT_FALSE(c.RealConnect("127.0.0.1", kUserOld, kPassOld, {}, server.port,
                               CLIENT_SECURE_CONNECTION));
    EXPECT_EQ(c.ErrorNo(), 2049);
    EXPECT_EQ(c.Error(), "No secure authentication available to this MySQL server.");
    EXPECT_FALSE(c.Connected());
    // The 4.1 account is unaffected by the flag.
    TMysqlClient d;
    EXPECT_TRUE(d.RealConnect("127.0.0.1", kUserNew, kPassNew, {}, server.port,
                              CLIENT_SECURE_CONNECTION));
}

TEST_F(DbServerTest, WrongPasswordsAreRejected)
{
    for (auto [user, pass] : {std::pair{kUserNew, "wrong"}, std::pair{kUserOld, "old"},
                              std::pair{kUserOld, "oldpw x"}, std::pair{kUserEmpty, "x"}}) {
        TMysqlClient c;
        c.SetTimeout(20);
        EXPECT_FALSE(c.RealConnect("127.0.0.1", user, pass, {}, server.port)) << user;
        EXPECT_EQ(c.ErrorNo(), 1045) << user << " " << c.Error();
        EXPECT_EQ(c.Error().substr(0, 6), "#28000") << c.Error();
        EXPECT_FALSE(c.Connected());
    }
}

TEST_F(DbServerTest, OldSchemeIgnoresBlanksInThePassword)
{
    auto c = Connect(kUserOld, "o l d p w");
    ASSERT_TRUE(c);
    EXPECT_EQ(Scalar(*c, "SELECT CURRENT_USER()"), std::string(kUserOld) + "@%");
}

TEST_F(DbServerTest, UnknownDatabaseFailsTheConnect)
{
    TMysqlClient c;
    EXPECT_FALSE(c.RealConnect("127.0.0.1", kUserNew, kPassNew, "no_such_db", server.port));
    EXPECT_EQ(c.ErrorNo(), 1049);
    EXPECT_EQ(c.Error(), "#42000Unknown database 'no_such_db'");
}

TEST_F(DbServerTest, LocalSocketConnection)
{
    TMysqlClient c;
    c.SetNamedPipe(true, false);
    ASSERT_TRUE(c.RealConnect({}, kUserNew, kPassNew, kDatabase, 0, 0, false, server.socket))
        << c.Error();
    EXPECT_EQ(c.Net().Kind(), vkNamedPipe);
    EXPECT_EQ(Scalar(c, "SELECT 7*6"), "42");
}

// Framing at the size limits, through the server and back, with and without
// compression. The command payload is the statement plus the command byte;
// a row payload is the value plus its length prefix (1 byte below 251,
// 3 bytes below 65536, 4 bytes below 2^24).
TEST_F(DbServerTest, PacketSizesRoundTrip)
{
    for (bool compress : {false, true}) {
        SCOPED_TRACE(compress ? "compressed" : "plain");
        auto c = Connect(kUserNew, kPassNew, kDatabase, compress);
        ASSERT_TRUE(c);
        c->SetReconnect(false);
        for (size_t size : {size_t(49), size_t(50), size_t(8192), size_t(0xFFFFFE)}) {
            SCOPED_TRACE(size);
            // Out: "SELECT LENGTH('" + k bytes + "')" is k + 17 bytes, plus the command byte.
            size_t k = size - 18;
            std::string sql = "SELECT LENGTH('" + std::string(k, 'q') + "')";
            ASSERT_EQ(sql.size() + 1, size);
            EXPECT_EQ(Scalar(*c, sql), std::to_string(k));
            // In: one row of one value.
            size_t prefix = size - 1 < 251 ? 1 : size - 3 < 65536 ? 3 : 4;
            size_t m = size - prefix;
            auto rows = Rows(*c, "SELECT REPEAT('z', " + std::to_string(m) + ")");
            ASSERT_EQ(rows.size(), 1u);
            EXPECT_EQ(rows[0][0].size(), m);
            EXPECT_EQ(rows[0][0].find_first_not_of('z'), std::string::npos);
        }
        // A whole 0xFFFFFF-byte packet is refused before anything is sent.
        std::string big = "SELECT LENGTH('" + std::string(0xFFFFFF - 18, 'q') + "')";
        EXPECT_NE(c->Query(big), 0);
        EXPECT_EQ(c->ErrorNo(), 2020);
        EXPECT_EQ(c->Error(), "Got packet bigger than 'max_allowed_packet'");
        EXPECT_EQ(Scalar(*c, "SELECT 1"), "1");
        // A row that needs a continuation packet is reported, not cut.
        EXPECT_EQ(c->Query("SELECT REPEAT('z', " + std::to_string(0xFFFFFF - 4) + ")"), 0);
        auto r = c->UseResult();
        ASSERT_TRUE(r);
        EXPECT_TRUE(r->Eof());
        EXPECT_EQ(c->ErrorNo(), 2020);
        EXPECT_FALSE(c->Connected());
        // The buffer is back to its normal size after a large result.
        auto d = Connect(kUserNew, kPassNew, kDatabase, compress);
        ASSERT_TRUE(d);
        EXPECT_EQ(Rows(*d, "SELECT REPEAT('z', 100000)").size(), 1u);
        EXPECT_EQ(d->Net().BufferSize(), kNetBufferSize);
    }
}

// The zero-length packet: the end of a local file, here an empty one.
TEST_F(DbServerTest, LocalFileLoadSendsOnlyTheNamedFile)
{
    ScratchDir dir;
    const std::string data = (dir / "rows.txt").string();
    const std::string empty = (dir / "empty.txt").string();
    {
        std::ofstream(data) << "1\tone\n2\ttwo\n";
        std::ofstream{empty};
    }
    for (bool compress : {false, true}) {
        SCOPED_TRACE(compress ? "compressed" : "plain");
        TMysqlClient c;
        c.SetCompress(compress);
        c.SetLocalInfile(true);
        ASSERT_TRUE(c.RealConnect("127.0.0.1", kUserNew, kPassNew, kDatabase, server.port));
        const std::string table = compress ? "load_c" : "load_p";
        ASSERT_EQ(c.Query("CREATE OR REPLACE TABLE " + table + " (id INT, name VARCHAR(10))"), 0) << c.Error();
        ASSERT_EQ(c.Query("LOAD DATA LOCAL INFILE '" + data + "' INTO TABLE " + table), 0) << c.Error();
        EXPECT_EQ(c.AffectedRows(), 2u);
        EXPECT_EQ(c.Info(), "Records: 2  Deleted: 0  Skipped: 0  Warnings: 0");
        ASSERT_EQ(c.Query("LOAD DATA LOCAL INFILE '" + empty + "' INTO TABLE " + table), 0) << c.Error();
        EXPECT_EQ(c.AffectedRows(), 0u);
        // A missing file: the server gets an empty file, the caller an error, the connection goes on.
        EXPECT_NE(c.Query("LOAD DATA LOCAL INFILE '" + data + ".gone' INTO TABLE " + table), 0);
        EXPECT_EQ(c.Error().substr(0, 6), "File '");
        EXPECT_EQ(Scalar(c, "SELECT COUNT(*) FROM " + table), "2");
    }
    // Without the option the client does not offer local files at all.
    auto c = Connect(kUserNew, kPassNew);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->ClientFlags() & CLIENT_LOCAL_FILES, 0u);
    ASSERT_EQ(c->Query("CREATE OR REPLACE TABLE load_off (id INT, name VARCHAR(10))"), 0);
    EXPECT_NE(c->Query("LOAD DATA LOCAL INFILE '" + data + "' INTO TABLE load_off"), 0);
    // Refused by the server itself (1148, or 4166 in MariaDB), not by the client.
    EXPECT_TRUE(c->ErrorNo() == 1148 || c->ErrorNo() == 4166) << c->ErrorNo() << " " << c->Error();
    EXPECT_EQ(Scalar(*c, "SELECT COUNT(*) FROM load_off"), "0");
}

TEST_F(DbServerTest, ErrorPacketsKeepSqlStateInTheText)
{
    auto c = Connect(kUserNew, kPassNew);
    ASSERT_TRUE(c);
    EXPECT_NE(c->Query("SELECT * FROM no_such_table"), 0);
    EXPECT_EQ(c->ErrorNo(), 1146);
    EXPECT_EQ(c->Error(), "#42S02Table 'cf_db.no_such_table' doesn't exist");
    EXPECT_TRUE(c->Connected());
    EXPECT_NE(c->Query("SELEKT 1"), 0);
    EXPECT_EQ(c->ErrorNo(), 1064);
    // After an error the next statement runs normally.
    EXPECT_EQ(Scalar(*c, "SELECT 'ok'"), "ok");
}

TEST_F(DbServerTest, OkPacketInfoAndWarningCount)
{
    auto c = Connect(kUserNew, kPassNew);
    ASSERT_TRUE(c);
    ASSERT_EQ(c->Query("CREATE OR REPLACE TABLE okp (id INT PRIMARY KEY AUTO_INCREMENT, v INT)"), 0);
    ASSERT_EQ(c->Query("INSERT INTO okp (v) VALUES (1), (1), (2)"), 0);
    EXPECT_EQ(c->AffectedRows(), 3u);
    EXPECT_EQ(c->InsertId(), 1u);
    EXPECT_EQ(c->Info(), "Records: 3  Duplicates: 0  Warnings: 0");
    ASSERT_EQ(c->Query("INSERT IGNORE INTO okp (id, v) VALUES (1, 5), (10, 6)"), 0);
    EXPECT_EQ(c->AffectedRows(), 1u);
    EXPECT_EQ(c->WarningCount(), 1u);
    EXPECT_EQ(c->Info(), "Records: 2  Duplicates: 1  Warnings: 1");
    ASSERT_EQ(c->Query("UPDATE okp SET v = 2 WHERE v IN (1, 2)"), 0);
    EXPECT_EQ(c->AffectedRows(), 2u);
    EXPECT_EQ(c->Info(), "Rows matched: 3  Changed: 2  Warnings: 0");
    ASSERT_EQ(c->Query("DELETE FROM okp WHERE id = 10"), 0);
    EXPECT_EQ(c->AffectedRows(), 1u);
    EXPECT_EQ(c->Info(), "");
}

TEST_F(DbServerTest, ResultSetColumnTypesNullsAndEmptyTexts)
{
    auto c = Connect(kUserNew, kPassNew);
    ASSERT_TRUE(c);
    ASSERT_EQ(c->Query(
                  "CREATE OR REPLACE TABLE types (c_tiny TINYINT, c_short SMALLINT, c_long INT, c_longlong BIGINT,"
                  " c_int24 MEDIUMINT, c_year YEAR, c_float FLOAT, c_double DOUBLE,"
                  " c_decimal DECIMAL(10,2), c_timestamp TIMESTAMP NULL DEFAULT NULL,"
                  " c_datetime DATETIME, c_date DATE, c_time TIME, c_varchar VARCHAR(20),"
                  " c_char CHAR(5), c_bit BIT(8), c_enum ENUM('a','b'), c_set SET('x','y'),"
                  " c_tinyblob TINYBLOB, c_blob BLOB, c_mediumblob MEDIUMBLOB, c_longblob LONGBLOB,"
                  " c_text TEXT)"),
              0)
        << c->Error();
    ASSERT_EQ(c->Query("INSERT INTO types VALUES (1, -2, 3, 9223372036854775807, -8388608, 2024,"
                       " 1.5, 2.25, 12.34, '2024-02-29 12:34:56', '2024-02-29 23:59:59',"
                       " '2024-02-29', '-838:59:59', '', '', b'10100101', 'b', 'x,y',"
                       " '', x'00FF', 'm', 'l', '\xC3\xA4')"),
              0)
        << c->Error();
    ASSERT_EQ(c->Query("INSERT INTO types () VALUES ()"), 0) << c->Error();

    ASSERT_EQ(c->Query("SELECT *, NULL AS c_null FROM types ORDER BY c_tiny IS NULL"), 0);
    auto r = c->UseResult();
    ASSERT_TRUE(r);
    struct Expect {
        const char* name;
        uint8_t type;
        bool numeric;
        bool blob;
        std::string value;
    };
    const std::vector<Expect> expect = {
        {"c_tiny", FIELD_TYPE_TINY, true, false, "1"},
        {"c_short", FIELD_TYPE_SHORT, true, false, "-2"},
        {"c_long", FIELD_TYPE_LONG, true, false, "3"},
        {"c_longlong", FIELD_TYPE_LONGLONG, true, false, "9223372036854775807"},
        {"c_int24", FIELD_TYPE_INT24, true, false, "-8388608"},
        {"c_year", FIELD_TYPE_YEAR, true, false, "2024"},
        {"c_float", FIELD_TYPE_FLOAT, true, false, "1.5"},
        {"c_double", FIELD_TYPE_DOUBLE, true, false, "2.25"},
        {"c_decimal", FIELD_TYPE_NEWDECIMAL, false, false, "12.34"},
        {"c_timestamp", FIELD_TYPE_TIMESTAMP, false, false, "2024-02-29 12:34:56"},
        {"c_datetime", FIELD_TYPE_DATETIME, false, false, "2024-02-29 23:59:59"},
        {"c_date", FIELD_TYPE_DATE, false, false, "2024-02-29"},
        {"c_time", FIELD_TYPE_TIME, false, false, "-838:59:59"},
        {"c_varchar", FIELD_TYPE_VAR_STRING, false, false, ""},
        {"c_char", FIELD_TYPE_STRING, false, false, ""},
        {"c_bit", FIELD_TYPE_BIT, false, false, "\xA5"},
        {"c_enum", FIELD_TYPE_STRING, false, false, "b"},
        {"c_set", FIELD_TYPE_STRING, false, false, "x,y"},
        {"c_tinyblob", 0, false, true, ""},
        {"c_blob", 0, false, true, std::string("\0\xFF", 2)},
        {"c_mediumblob", 0, false, true, "m"},
        {"c_longblob", 0, false, true, "l"},
        {"c_text", 0, false, true, "\xC3\xA4"},
        {"c_null", FIELD_TYPE_NULL, true, false, "<NULL>"},
    };
    ASSERT_EQ(r->FieldCount(), static_cast<int>(expect.size()));
    for (size_t i = 0; i < expect.size(); ++i) {
        const TMysqlField& f = r->Fields()[i];
        const Expect& e = expect[i];
        SCOPED_TRACE(e.name);
        EXPECT_EQ(f.Name.value_or("?"), e.name);
        if (e.blob) {
            EXPECT_GE(f.Type, FIELD_TYPE_TINY_BLOB);
            EXPECT_LE(f.Type, FIELD_TYPE_BLOB);
            EXPECT_TRUE(f.Flags & BLOB_FLAG);
        } else {
            EXPECT_EQ(f.Type, e.type);
            EXPECT_FALSE(f.Flags & BLOB_FLAG);
        }
        if (e.numeric) {
            EXPECT_TRUE(f.Flags & NUM_FLAG);
        }
        if (i < expect.size() - 1) {
            EXPECT_EQ(f.Table.value_or("?"), "types");
            EXPECT_EQ(f.Db.value_or("?"), kDatabase);
        }
        ASSERT_FALSE(r->Eof());
        const auto& v = r->Row()[i];
        if (e.value == "<NULL>") {
            EXPECT_FALSE(v.has_value());
        } else {
            ASSERT_TRUE(v.has_value());
            EXPECT_EQ(*v, e.value);
            EXPECT_EQ(r->Lengths()[i], e.value.size());
        }
    }
    EXPECT_EQ(r->Fields()[16].Flags & 256, 256u); // enum
    EXPECT_EQ(r->Fields()[17].Flags & 2048, 2048u); // set
    // Second row: every column NULL, length 0.
    ASSERT_TRUE(r->Next());
    for (size_t i = 0; i < expect.size(); ++i) {
        EXPECT_FALSE(r->Row()[i].has_value()) << expect[i].name;
        EXPECT_EQ(r->Lengths()[i], 0u);
    }
    EXPECT_FALSE(r->Next());
    EXPECT_TRUE(r->Eof());
    EXPECT_EQ(r->RowCount(), 2u);
    EXPECT_EQ(c->AffectedRows(), 2u);
    EXPECT_EQ(c->Status(), 0);
}

TEST_F(DbServerTest, CommandsOutOfSyncAndDroppedResults)
{
    auto c = Connect(kUserNew, kPassNew);
    ASSERT_TRUE(c);
    ASSERT_EQ(c->Query("SELECT seq FROM seq_1_to_1000"), 0) << c->Error();
    // Rows pending: another statement must wait.
    EXPECT_NE(c->Query("SELECT 1"), 0);
    EXPECT_EQ(c->ErrorNo(), 2014);
    EXPECT_EQ(c->Error(), "Commands out of sync;  You can't run this command now");
    {
        auto r = c->UseResult();
        ASSERT_TRUE(r);
        EXPECT_EQ(r->Row()[0].value_or(""), "1");
        ASSERT_TRUE(r->Next());
        EXPECT_NE(c->Query("SELECT 1"), 0);
        EXPECT_EQ(c->ErrorNo(), 2014);
        // Dropped with 998 rows still on the wire.
    }
    EXPECT_EQ(Scalar(*c, "SELECT 'after'"), "after");
    EXPECT_FALSE(c->UseResult());
    EXPECT_EQ(c->ErrorNo(), 2014);
}

TEST_F(DbServerTest, DatabaseCommands)
{
    auto c = Connect(kUserNew, kPassNew, "");
    ASSERT_TRUE(c);
    EXPECT_TRUE(c->Ping());
    EXPECT_TRUE(c->SelectDb(kDatabase));
    EXPECT_EQ(c->Database(), kDatabase);
    EXPECT_EQ(Scalar(*c, "SELECT DATABASE()"), kDatabase);
    EXPECT_FALSE(c->SelectDb("no_such_db"));
    EXPECT_EQ(c->ErrorNo(), 1049);
    EXPECT_EQ(c->Database(), kDatabase);
    // The server no longer knows the old commands; the statements stand in.
    ASSERT_TRUE(c->CreateDb("cf made`x")) << c->Error();
    EXPECT_EQ(Scalar(*c, "SELECT COUNT(*) FROM information_schema.schemata WHERE schema_name = 'cf made`x'"), "1");
    EXPECT_FALSE(c->CreateDb("cf made`x"));
    EXPECT_EQ(c->ErrorNo(), 1007);
    EXPECT_TRUE(c->DropDb("cf made`x")) << c->Error();
    EXPECT_EQ(Scalar(*c, "SELECT COUNT(*) FROM information_schema.schemata WHERE schema_name = 'cf made`x'"), "0");
    EXPECT_FALSE(c->DropDb("cf made`x"));
    EXPECT_EQ(c->ErrorNo(), 1008);
}

TEST_F(DbServerTest, KilledConnectionFailsAtOnce)
{
    auto victim = Connect(kUserNew, kPassNew);
    auto killer = Connect(kUserNew, kPassNew);
    ASSERT_TRUE(victim && killer);
    victim->SetReconnect(false);
    const uint32_t id = victim->ThreadId();
    EXPECT_EQ(Scalar(*victim, "SELECT CONNECTION_ID()"), std::to_string(id));
    KillAndWait(*killer, id);
    // The victim has a 20 s time-out; the failure must come from the closed
    // socket, not from waiting it out.
    auto start = std::chrono::steady_clock::now();
    EXPECT_NE(victim->Query("SELECT 1"), 0);
    auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(10));
    EXPECT_TRUE(victim->ErrorNo() == 2013 || victim->ErrorNo() == 1927)
        << victim->ErrorNo() << " " << victim->Error();
    EXPECT_NE(victim->Query("SELECT 1"), 0);
    EXPECT_FALSE(victim->Connected());
    EXPECT_EQ(victim->ErrorNo(), 2006);

    // With reconnecting allowed the next statement runs on a new connection.
    auto again = Connect(kUserNew, kPassNew);
    ASSERT_TRUE(again);
    const uint32_t first = again->ThreadId();
    KillAndWait(*killer, first);
    EXPECT_EQ(Scalar(*again, "SELECT DATABASE()"), kDatabase);
    EXPECT_NE(again->ThreadId(), first);
}

TEST_F(DbServerTest, NoSilentReconnectInsideATransaction)
{
    auto c = Connect(kUserNew, kPassNew);
    auto killer = Connect(kUserNew, kPassNew);
    ASSERT_TRUE(c && killer);
    ASSERT_EQ(c->Query("CREATE OR REPLACE TABLE tx (v INT) ENGINE=InnoDB"), 0);
    ASSERT_EQ(c->Query("START TRANSACTION"), 0);
    ASSERT_EQ(c->Query("INSERT INTO tx VALUES (1)"), 0);
    EXPECT_TRUE(c->ServerStatus() & SERVER_STATUS_IN_TRANS);
    KillAndWait(*killer, c->ThreadId());
    // The insert is gone with the connection: the next statement must fail,
    // not run on a fresh connection as if nothing happened.
    EXPECT_NE(c->Query("INSERT INTO tx VALUES (2)"), 0);
    EXPECT_EQ(c->ErrorNo(), 2006);
    // Once that was reported, the one after it may reconnect.
    EXPECT_EQ(c->Query("INSERT INTO tx VALUES (3)"), 0) << c->Error();
    EXPECT_EQ(Scalar(*c, "SELECT GROUP_CONCAT(v) FROM tx"), "3");
}

TEST_F(DbServerTest, ConnectAgainReusesTheStoredHost)
{
    TMysqlClient c;
    EXPECT_FALSE(c.RealConnect({}, kUserNew, kPassNew, {}, server.port));
    ASSERT_TRUE(c.RealConnect("127.0.0.1", kUserNew, kPassNew, {}, server.port));
    EXPECT_TRUE(c.RealConnect("ignored.invalid", kUserNew, kPassNew)); // already connected
    c.Close();
    EXPECT_FALSE(c.Connected());
    EXPECT_EQ(c.ServerVersion(), "");
    ASSERT_TRUE(c.RealConnect({}, kUserEmpty, "", kDatabase, server.port)) << c.Error();
    EXPECT_EQ(Scalar(c, "SELECT CURRENT_USER()"), std::string(kUserEmpty) + "@%");
}

TEST_F(DbServerTest, OneClientSharedByThreads)
{
    auto c = Connect(kUserNew, kPassNew);
    ASSERT_TRUE(c);
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 50; ++i)
                if (c->Query("SET @v" + std::to_string(t) + " = " + std::to_string(i)) != 0 || !c->Ping())
                    ++failures;
        });
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(Scalar(*c, "SELECT CONCAT(@v0, @v1, @v2, @v3)"), "49494949");
}

TEST_F(DbServerTest, LocalSocketFallsBackToTcp)
{
    TMysqlClient c;
    c.SetNamedPipe(true, true);
    ASSERT_TRUE(c.RealConnect("127.0.0.1", kUserNew, kPassNew, {}, server.port, 0, true,
                              server.socket + ".missing"))
        << c.Error();
    EXPECT_EQ(c.Net().Kind(), vkTcpIp);
    EXPECT_FALSE(c.UseNamedPipe());
    EXPECT_EQ(c.PipeName(), "");
    TMysqlClient d;
    d.SetNamedPipe(true, false);
    EXPECT_FALSE(d.RealConnect("127.0.0.1", kUserNew, kPassNew, {}, server.port, 0, false,
                               server.socket + ".missing"));
    EXPECT_EQ(d.ErrorNo(), 2002);
    EXPECT_EQ(d.Error(), "Can't connect to local MySQL server through socket '" +
                             (server.socket + ".missing").substr(0, 64) + "' (2)");
}

} // namespace

TEST_F(DbServerTest, CloseOnAnotherThreadWhileRowsAreRead)
{
    // The reader finds its result ended, whenever the close comes.
    for (int round = 0; round < 30; ++round) {
        SCOPED_TRACE(round);
        auto c = Connect(kUserNew, kPassNew);
        ASSERT_TRUE(c);
        ASSERT_EQ(c->Query("SELECT seq FROM seq_1_to_100000"), 0) << c->Error();
        auto r = c->UseResult();
        ASSERT_TRUE(r);
        std::atomic<bool> reading{false};
        std::thread closer([&] {
            while (!reading.load())
                std::this_thread::yield();
            c->Close();
        });
        uint64_t rows = 1;
        while (r->Next()) {
            ++rows;
            reading.store(true);
        }
        reading.store(true); // a result read to its end before the close
        closer.join();
        EXPECT_TRUE(r->Eof());
        EXPECT_FALSE(r->Next());
        EXPECT_FALSE(c->Connected());
        EXPECT_LE(rows, 100000u);
    }
}

TEST_F(DbServerTest, MultiStatementQueriesLeaveTheConnectionInStep)
{
    struct Case {
        const char* sql;
        bool queryOk;          // what Query gives
        const char* firstRow;  // the first statement's single value, when it is a SELECT
        bool rowsOk;           // reading that result to its end succeeds
        int errorNo;           // the error of the failing statement, 0 for none
        const char* variables; // @a..@c afterwards
    };
    const Case cases[] = {
        {"SET @a = 1; SET @b = 2; SET @c = 3", true, nullptr, true, 0, "123"},
        {"SELECT 7; SET @a = 1; SELECT 8; SET @b = 2", true, "7", true, 0, "12-"},
        {"SET @a = 1; SELECT no_such_column; SET @b = 2", false, nullptr, true, 1054, "1--"},
        {"SELECT 7; SELECT no_such_column; SET @a = 1", true, "7", false, 1054, "---"},
    };
    auto c = Connect(kUserNew, kPassNew, kDatabase, false, CLIENT_MULTI_STATEMENTS);
    ASSERT_TRUE(c);
    c->SetReconnect(false); // a lost connection must show, not be mended quietly
    for (const auto& t : cases) {
        SCOPED_TRACE(t.sql);
        ASSERT_EQ(c->Query("SET @a = NULL, @b = NULL, @c = NULL"), 0) << c->Error();
        const int q = c->Query(t.sql);
        EXPECT_EQ(q == 0, t.queryOk) << c->Error();
        if (t.firstRow) {
            auto r = c->UseResult();
            ASSERT_TRUE(r);
            EXPECT_EQ(r->Row()[0].value_or("<NULL>"), t.firstRow);
            EXPECT_FALSE(r->Next());
            EXPECT_EQ(c->ErrorNo() == 0, t.rowsOk) << c->Error();
        }
        EXPECT_EQ(c->ErrorNo(), t.errorNo) << c->Error();
        EXPECT_EQ(Scalar(*c, "SELECT CONCAT(IFNULL(@a, '-'), IFNULL(@b, '-'), IFNULL(@c, '-'))"), t.variables);
        EXPECT_TRUE(c->Connected());
    }
}
