// The dataset on real tables: open, walk, field types, editing with the
// statements it generates (caught through OnExecSQL), cached updates,
// locate, filter and master/detail, blobs, refresh.

#include "ServerHelpers.h"
#include "dbexport/MySQLDataset.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace cftest;

class DbDataset : public ::testing::Test {
protected:
    void SetUp() override
    {
        schema.Admin().SetDatabaseName(schema.Name());
        schema.Admin().Execute(std::vector<std::string>{
            "create table t (id int not null auto_increment primary key, c varchar(20), n int, f double,"
            " d date, dt datetime, b blob, tx text, e enum('Y','N'), ub bigint unsigned, sb bigint,"
            " ti tinyint, big varchar(3000));",
            "insert into t (c, n, f, d, dt, b, tx, e, ub, sb, ti) values"
            " ('Astra', 1, 1.5, '2024-02-29', '2024-02-29 12:34:56', 0x00FF01, 'memo', 'Y',"
            "  18446744073709551615, -9000000000, 7),"
            " ('Hotbird', 2, NULL, NULL, NULL, NULL, NULL, 'N', NULL, NULL, NULL),"
            " ('Eutelsat', 3, -2.25, '1999-12-31', NULL, NULL, '', NULL, 0, 0, 0),"
            " ('Thor', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL),"
            " ('Turksat', 5, 0, NULL, NULL, NULL, NULL, 'Y', 1, 1, 1);"});
        PointAtTestServer(server, schema.Name());
        ds.SetServer(&server);
        ds.OnExecSQL = [this](TMySQLDatasetBase*, std::string& s, bool&) { sent.push_back(s); };
    }

    std::string Scalar(const std::string& sql)
    {
        TMySQLServer& a = schema.Admin();
        a.ConnectWhenNeeded();
        TMySQLBase& d = a.DriverProperties();
        d.Query(a.Handle(), sql);
        TMySQLResultHandle r = d.UseResult(a.Handle());
        char** row = d.FetchRow(r);
        std::string v = row ? (row[0] ? std::string(row[0], d.FetchLengths(r)[0]) : "<NULL>") : "<none>";
        while (d.FetchRow(r)) {
        }
        d.FreeResult(r);
        return v;
    }

    Schema schema{"cf_dataset"};
    TMySQLServer server;
    TMySQLDataset ds;
    std::vector<std::string> sent;
};

TEST_F(DbDataset, OpenWalkAndFieldTypes)
{
    ds.SetSQLText("select * from t order by id");
    ds.Open();
    ASSERT_TRUE(ds.Active());
    EXPECT_EQ(sent, std::vector<std::string>{"select * from t order by id"});
    EXPECT_EQ(ds.RecordCount(), 5);
    const struct {
        const char* name;
        TFieldType type;
        int size;
    } types[] = {{"id", ftAutoInc, 0}, {"c", ftString, 80}, {"n", ftInteger, 0}, {"f", ftFloat, 0},
                 {"d", ftDate, 0},     {"dt", ftDateTime, 0}, {"b", ftBlob, 65535}, {"tx", ftMemo, 262140},
                 {"e", ftString, 4},   {"ub", ftString, 20}, {"sb", ftLargeint, 0}, {"ti", ftSmallint, 0},
                 {"big", ftMemo, 12000}};
    for (const auto& t : types) {
        SCOPED_TRACE(t.name);
        TField* f = ds.FieldByName(t.name);
        EXPECT_EQ(f->DataType, t.type);
        if (t.size) {
            EXPECT_EQ(f->Size, t.size);
        }
    }
    EXPECT_TRUE(ds.FieldByName("id")->ReadOnly);
    EXPECT_EQ(ds.FieldByName("c")->Origin, "t.c");

    // First row: every value; the blob keeps its NUL byte.
    EXPECT_EQ(ds.FieldByName("id")->AsInteger(), 1);
    EXPECT_EQ(ds.FieldByName("c")->AsString(), "Astra");
    EXPECT_DOUBLE_EQ(ds.FieldByName("f")->AsFloat(), 1.5);
    EXPECT_EQ(ds.FieldByName("d")->AsString(), "2024-02-29");
    EXPECT_EQ(ds.FieldByName("dt")->AsString(), "2024-02-29 12:34:56");
    EXPECT_EQ(ds.FieldByName("b")->AsString(), std::string("\x00\xFF\x01", 3));
    EXPECT_EQ(ds.FieldByName("ub")->AsString(), "18446744073709551615");
    EXPECT_EQ(ds.FieldByName("sb")->AsInteger(), -9000000000LL);
    EXPECT_EQ(ds.FieldByName("e")->AsString(), "Y");
    ds.Next();
    // Second row: NULLs read as NULL, not as zero dates or numbers.
    for (const char* n : {"f", "d", "dt", "b", "tx", "ub", "sb", "ti", "big"})
        EXPECT_TRUE(ds.FieldByName(n)->IsNull()) << n;
    ds.Next();
    EXPECT_TRUE(ds.FieldByName("tx")->IsNull()); // an empty memo reads as NULL
    int seen = 3;
    while (!ds.Eof()) {
        ds.Next();
        if (!ds.Eof())
            ++seen;
    }
    EXPECT_EQ(seen, 5);
    EXPECT_EQ(ds.FieldByName("c")->AsString(), "Turksat");
    ds.Prior();
    EXPECT_EQ(ds.FieldByName("c")->AsString(), "Thor");
    EXPECT_TRUE(ds.FieldByName("n")->IsNull());
    ds.First();
    EXPECT_TRUE(ds.Bof());
    ds.Last();
    EXPECT_EQ(ds.RecNo(), 4);
    const TBookmark mark = ds.GetBookmark();
    ds.First();
    ds.GotoBookmark(mark);
    EXPECT_EQ(ds.FieldByName("c")->AsString(), "Turksat");
    EXPECT_EQ(ds.CompareBookmarks(0, mark), -1);
    EXPECT_EQ(ds.CompareBookmarks(-1, 0), -1);
    EXPECT_EQ(ds.CompareBookmarks(0, 99), 1);
}

TEST_F(DbDataset, EditPostsTheTemplateUpdate)
{
    ds.SetSQLText("select id, c, n from t");
    ds.Open();
    ASSERT_TRUE(ds.Locate("id", {TValue{int64_t{5}}}, 0));
    sent.clear();
    ds.Edit();
    ds.FieldByName("c")->SetAsString("x");
    ds.Post();
    EXPECT_EQ(sent, std::vector<std::string>{"update t set c='x' where (id=5)"});
    EXPECT_EQ(Scalar("select c from t where id=5"), "x");
    EXPECT_EQ(ds.FieldByName("c")->AsString(), "x");

    // Nothing changed: every column is written.
    sent.clear();
    ds.Edit();
    ds.Post();
    EXPECT_EQ(sent, std::vector<std::string>{"update t set c='x',n=5 where (id=5)"});

    // Cancel puts the old text back.
    ds.Edit();
    ds.FieldByName("c")->SetAsString("changed");
    ds.Cancel();
    EXPECT_EQ(ds.FieldByName("c")->AsString(), "x");
    EXPECT_EQ(Scalar("select c from t where id=5"), "x");
}

TEST_F(DbDataset, InsertTakesTheAutoIncrementKeyAndDeleteRemoves)
{
    ds.SetSQLText("select id, c, n from t order by id");
    ds.Open();
    sent.clear();
    ds.Append();
    ds.FieldByName("c")->SetAsString("Nilesat 'new'");
    ds.FieldByName("n")->SetAsInteger(70);
    ds.Post();
    EXPECT_EQ(sent, std::vector<std::string>{"insert into t set c='Nilesat \\'new\\'',n=70"});
    EXPECT_EQ(ds.FieldByName("id")->AsInteger(), 6);
    EXPECT_EQ(ds.InsertId(), "6");
    EXPECT_EQ(ds.RecordCount(), 6);
    EXPECT_EQ(Scalar("select c from t where id=6"), "Nilesat 'new'");

    sent.clear();
    ASSERT_TRUE(ds.Locate("c", {TValue{std::string("Hotbird")}}, 0));
    ds.Delete();
    EXPECT_EQ(sent, std::vector<std::string>{"delete from t where (id=2)"});
    EXPECT_EQ(ds.RecordCount(), 5);
    EXPECT_EQ(Scalar("select count(*) from t where id=2"), "0");
    EXPECT_EQ(ds.FieldByName("c")->AsString(), "Eutelsat");
    ds.First();
    ds.Next();
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_EQ(ds.FieldByName("id")->AsInteger(), 3);
}

TEST_F(DbDataset, TransactionsWrapThePost)
{
    ds.SetOptions(ds.Options() | doTransactions);
    ds.SetSQLText("select id, c from t");
    ds.Open();
    sent.clear();
    ds.Edit();
    ds.FieldByName("c")->SetAsString("T");
    ds.Post();
    EXPECT_EQ(sent, (std::vector<std::string>{"start transaction;", "update t set c='T' where (id=1)", "commit;"}));
    EXPECT_FALSE(ds.InTransaction());
}

TEST_F(DbDataset, CachedUpdatesCollectUntilRefresh)
{
    ds.SetSQLText("select id, c from t order by id");
    ds.Open();
    ds.SetCachedUpdates(true);
    sent.clear();
    ds.Append();
    ds.FieldByName("c")->SetAsString("cached");
    ds.Post();
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(ds.SQLCached, "insert into t set c='cached';\r\n");
    EXPECT_EQ(Scalar("select count(*) from t"), "5");
    ds.Refresh();
    EXPECT_EQ(ds.SQLCached, "");
    EXPECT_EQ(Scalar("select count(*) from t where c='cached'"), "1");
    EXPECT_EQ(ds.RecordCount(), 6);
}

TEST_F(DbDataset, LocateAndLookup)
{
    ds.SetSQLText("select id, c, n from t order by id");
    ds.Open();
    EXPECT_TRUE(ds.Locate("c", {TValue{std::string("Ast")}}, loPartialKey));
    EXPECT_EQ(ds.FieldByName("id")->AsInteger(), 1);
    ds.Last();
    EXPECT_FALSE(ds.Locate("c", {TValue{std::string("stra")}}, loPartialKey));
    EXPECT_EQ(ds.FieldByName("c")->AsString(), "Turksat"); // stays where it was
    EXPECT_TRUE(ds.Locate("c", {TValue{std::string("THOR")}}, loCaseInsensitive));
    EXPECT_FALSE(ds.Locate("c", {TValue{std::string("THOR")}}, 0));
    EXPECT_TRUE(ds.Locate("c;n", {TValue{std::string("Eutelsat")}, TValue{std::string("3")}}, 0));
    EXPECT_TRUE(ds.Locate("n", {TValue{}}, 0)); // NULL compares as empty text
    EXPECT_EQ(ds.FieldByName("c")->AsString(), "Thor");
    const auto v = ds.Lookup("c", {TValue{std::string("Hotbird")}}, "id;n");
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(ValueText(v[0]), "2");
    EXPECT_TRUE(ds.Lookup("c", {TValue{std::string("none")}}, "id").empty());
}

TEST_F(DbDataset, FilterRewritesSelect)
{
    ds.SetSQLText("select id, c, n from t order by n");
    ds.SetFilter("n>=3");
    ds.SetFiltered(true);
    ds.Open();
    EXPECT_EQ(sent.back(), "select id, c, n from t where (n>=3) order by n");
    EXPECT_EQ(ds.RecordCount(), 2);
    ds.Close();
    ds.SetSQLText("select id, c from t where id<5");
    ds.Open();
    EXPECT_EQ(sent.back(), "select id, c from t where (n>=3) and id<5");
    EXPECT_EQ(ds.RecordCount(), 1);
    ds.SetFiltered(false);
    EXPECT_EQ(sent.back(), "select id, c from t where id<5");
    EXPECT_EQ(ds.RecordCount(), 4);
}

TEST_F(DbDataset, MasterDetailFollowsTheMaster)
{
    schema.Admin().Execute(std::vector<std::string>{
        "create table tp (id int auto_increment primary key, sat_id int, freq int);",
        "insert into tp (sat_id, freq) values (1, 10714), (1, 10729), (3, 11000);"});
    TMySQLDataset master;
    master.SetServer(&server);
    master.SetSQLText("select id, c from t order by id");
    master.Open();
    ds.SetSQLText("select sat_id, freq from tp order by freq");
    ds.SetMasterSource(&master);
    ds.SetMasterFields("sat_id=id");
    ds.Open();
    EXPECT_EQ(sent.back(), "select sat_id, freq from tp where (sat_id=1) order by freq");
    EXPECT_EQ(ds.RecordCount(), 2);
    master.Next();
    EXPECT_EQ(ds.RecordCount(), 0);
    master.Next();
    EXPECT_EQ(sent.back(), "select sat_id, freq from tp where (sat_id=3) order by freq");
    EXPECT_EQ(ds.RecordCount(), 1);
    EXPECT_EQ(ds.FieldByName("freq")->AsInteger(), 11000);
    EXPECT_THROW(master.SetMasterSource(&ds), EDatabaseError); // a circle
}

TEST_F(DbDataset, BlobWithNulBytesThroughTheStream)
{
    ds.SetSQLText("select id, b from t where id=2");
    ds.Open();
    const std::string bytes("\x00\x01\x02\xFF\x00z", 6);
    ds.Edit();
    {
        TMySQLBlobStream s(ds.FieldByName("b"), TMySQLBlobStream::bmWrite);
        s.Write(bytes.data(), bytes.size());
    }
    sent.clear();
    ds.Post();
    EXPECT_EQ(sent, std::vector<std::string>{"update t set b=0x000102FF007A where (id=2)"});
    EXPECT_EQ(Scalar("select b from t where id=2"), bytes);
    TMySQLBlobStream r(ds.FieldByName("b"), TMySQLBlobStream::bmRead);
    std::string back(r.Size(), '\0');
    EXPECT_EQ(r.Read(back.data(), back.size()), bytes.size());
    EXPECT_EQ(back, bytes);
    EXPECT_THROW(TMySQLBlobStream(ds.FieldByName("b"), TMySQLBlobStream::bmWrite), EMySQLError);
}

TEST_F(DbDataset, RefreshAfterTheColumnsChanged)
{
    ds.SetSQLText("select * from t");
    ds.Open();
    schema.Admin().Execute("alter table t add column extra int");
    try {
        ds.Refresh();
        FAIL();
    } catch (const EMySQLError& e) {
        EXPECT_STREQ(e.what(), "Columns have changed. Please close and reopen.");
    }
    EXPECT_FALSE(ds.Active());
    ds.Open();
    EXPECT_NE(ds.FindField("extra"), nullptr);
}

TEST_F(DbDataset, SqlTextChangesAndStatementsWithoutRows)
{
    ds.SetSQLText("insert into t set c='a'; insert into t set c='b'");
    ds.Open();
    EXPECT_EQ(sent, (std::vector<std::string>{"insert into t set c='a';", "insert into t set c='b'"}));
    EXPECT_TRUE(ds.Active());
    EXPECT_TRUE(ds.Fields.empty());
    EXPECT_EQ(ds.RecordCount(), 0);
    ds.SetSQLText("INSERT INTO t SET c='a'; INSERT INTO t SET c='b'");
    EXPECT_TRUE(ds.Active()); // same text in other letter case
    ds.SetSQLText("select 1");
    EXPECT_FALSE(ds.Active());
    EXPECT_EQ(Scalar("select count(*) from t"), "7");
    ds.SetSQLText("");
    EXPECT_THROW(ds.Open(), EMySQLError);
    TMySQLDataset lone;
    try {
        lone.Open();
        FAIL();
    } catch (const EMySQLError& e) {
        EXPECT_STREQ(e.what(), "No dataset server selected for open");
        EXPECT_EQ(e.ErrorNo, -1);
    }
}

TEST_F(DbDataset, JoinNamesAndTypeOptions)
{
    schema.Admin().Execute(std::vector<std::string>{"create table a (id int primary key, x int);",
                                                    "create table b (id int primary key, y int);",
                                                    "insert into a values (1, 10); insert into b values (1, 20);"});
    ds.SetSQLText("select * from a join b on a.id=b.id");
    ds.Open();
    ASSERT_EQ(ds.Fields.size(), 4u);
    EXPECT_EQ(ds.Fields[0]->FieldName, "a.id");
    EXPECT_EQ(ds.Fields[1]->FieldName, "x");
    EXPECT_EQ(ds.Fields[2]->FieldName, "b.id");
    EXPECT_EQ(ds.Fields[3]->FieldName, "y");
    ds.Close();

    ds.SetSQLText("select big, e from t");
    ds.SetOptions((ds.Options() & ~static_cast<uint32_t>(do2KStrToMemo)) | doEnumToBool | doRetrieveFieldValues);
    ds.Open();
    EXPECT_EQ(ds.FieldByName("big")->DataType, ftString);
    EXPECT_EQ(ds.FieldByName("e")->DataType, ftBoolean);
    EXPECT_TRUE(ds.FieldByName("e")->AsBoolean());
    auto* e = dynamic_cast<TMySQLStringField*>(ds.FindField("big"));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->StringType(), stNormal);
}

TEST_F(DbDataset, EnumAsBooleanWritesItsMembers)
{
    ds.SetOptions(ds.Options() | doEnumToBool | doRetrieveFieldValues);
    ds.SetSQLText("select id, e from t where id=1");
    ds.Open();
    ASSERT_EQ(ds.FieldByName("e")->DataType, ftBoolean);
    sent.clear();
    ds.Edit();
    ds.FieldByName("e")->SetAsBoolean(false);
    ds.Post();
    EXPECT_EQ(sent, std::vector<std::string>{"update t set e='N' where (id=1)"});
    ds.Edit();
    ds.FieldByName("e")->SetAsBoolean(true);
    ds.Post();
    EXPECT_EQ(Scalar("select e from t where id=1"), "Y");
}

TEST_F(DbDataset, DeleteWithoutKeyUsesEveryPlainColumn)
{
    schema.Admin().Execute(std::vector<std::string>{"create table nk (a int, s varchar(5), f float, m text);",
                                                    "insert into nk values (1, 'p', 0.5, 'x'), (2, 'q', 1, 'y');"});
    ds.SetSQLText("select * from nk order by a");
    ds.Open();
    sent.clear();
    ds.Delete();
    EXPECT_EQ(sent, std::vector<std::string>{"delete from nk where (a=1) AND (s='p')"});
    EXPECT_EQ(Scalar("select count(*) from nk"), "1");
}

TEST_F(DbDataset, MacrosExpandByTheirTable)
{
    ds.SetTableName("t");
    ds.SetSQLText("select [$FIELDS] from [$TABLENAME] [WHERE] [ORDER] [unknown]");
    ds.FindMacro("ORDER")->Value = std::string("order by id desc");
    ds.Open();
    EXPECT_EQ(sent.back(), "select * from t  order by id desc ");
    EXPECT_EQ(ds.FieldByName("id")->AsInteger(), 5);
    EXPECT_EQ(ds.MacroValue("$TABLENAME"), "t");
    EXPECT_EQ(ds.MacroValue("$DATABASENAME"), "");
    EXPECT_EQ(ds.MacroValue("c"), "'Turksat'");
    EXPECT_EQ(ds.MacroValue("no such name"), "");
    ds.SetMacroDel("{,}");
    EXPECT_EQ(ds.MacroDel(), "{,}");
    EXPECT_EQ(ds.SQLText(), "select {$FIELDS} from {$TABLENAME} {WHERE} {ORDER} {unknown}\r\n");
    EXPECT_EQ(ds.SQLUpdate, "update {$TABLENAME} set {$MODIFIED$FIELDS&VALUES} where {$PRIMARYFIELDS&VALUES}");
}

TEST_F(DbDataset, CreateTableScriptFromDefinitions)
{
    TMySQLTable table;
    table.SetServer(&server);
    table.SetTableName("made");
    table.SetOptions(table.Options() | doDropIfExists);
    TFieldDef id{"id", ftAutoInc};
    TFieldDef name{"name", ftString, 40};
    name.Required = true;
    TFieldDef note{"order", ftMemo, 70000};
    table.FieldDefs = {id, name, note};
    TIndexDef pk{"PRIMARY", "id", true, true};
    TIndexDef byName{"by name", "name", false, true};
    table.IndexDefs = {pk, byName};
    EXPECT_EQ(table.CreateTableScript(false),
              "use " + schema.Name() + ";\r\ndrop table if exists made;\r\ncreate  table if not exists made ("
              "id int not null auto_increment,name varchar(40) not null,`order` mediumtext ,"
              " primary key (id), unique index `by name` (name));\r\n");
    table.CreateTableScript(true);
    EXPECT_EQ(Scalar("select count(*) from information_schema.columns where table_name='made'"), "3");
}

} // namespace

namespace {

using namespace cftest;

// The rest of the column types, each once with a value and once NULL.
TEST(DbDatasetTypes, EveryColumnTypeWithNulls)
{
    Schema schema("cf_types");
    schema.Admin().SetDatabaseName(schema.Name());
    schema.Admin().Execute(std::vector<std::string>{
        "create table ty (k int primary key, tu tinyint unsigned, sm smallint, md mediumint, iu int unsigned,"
        " yr year, tm time, ts timestamp null default null, de decimal(8,3), fl float, b1 bit(1), b20 bit(20),"
        " st set('a','b','c'), en enum('x','y','z'), ch char(3));",
        "insert into ty values (1, 250, -300, 8000000, 4000000000, 2024, '12:34:56', '2024-02-29 01:02:03',"
        " 12.5, 0.25, b'1', b'101', 'a,c', 'y', 'abc');",
        "insert into ty (k) values (2);"});
    TMySQLServer server;
    PointAtTestServer(server, schema.Name());
    TMySQLDataset ds;
    ds.SetServer(&server);
    ds.SetOptions(ds.Options() | doSetToWord);
    ds.SetSQLText("select * from ty order by k");
    ds.Open();
    const struct {
        const char* name;
        TFieldType type;
        const char* text;
    } cases[] = {{"tu", ftWord, "250"},       {"sm", ftSmallint, "-300"},  {"md", ftInteger, "8000000"},
                 {"iu", ftLargeint, "4000000000"}, {"yr", ftWord, "2024"}, {"tm", ftTime, "12:34:56"},
                 {"ts", ftDateTime, "2024-02-29 01:02:03"}, {"de", ftFloat, "12.5"}, {"fl", ftFloat, "0.25"},
                 {"b1", ftWord, nullptr},     {"st", ftWord, "5"},        {"en", ftString, "y"},
                 {"ch", ftString, "abc"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TField* f = ds.FieldByName(c.name);
        EXPECT_EQ(f->DataType, c.type);
        if (c.text) {
            EXPECT_EQ(f->AsString(), c.text);
        }
        EXPECT_FALSE(f->IsNull());
    }
    EXPECT_EQ(ds.FieldByName("b20")->DataType, ftString);
    auto* en = dynamic_cast<TMySQLStringField*>(ds.FieldByName("en"));
    ASSERT_NE(en, nullptr);
    EXPECT_EQ(en->StringType(), stEnum);
    EXPECT_EQ(en->StringValues(), (std::vector<std::string>{"x", "y", "z"}));
    ds.Next();
    for (const auto& c : cases)
        EXPECT_TRUE(ds.FieldByName(c.name)->IsNull()) << c.name;
}

} // namespace
