// What a provider asks of the dataset, on real tables: statements with "?"
// parameters, transactions, keys, order, table name, errors, parameters.

#include "ServerHelpers.h"
#include "dbexport/MySQLDataset.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace cftest;

class DbProvider : public ::testing::Test {
protected:
    void SetUp() override
    {
        schema.Admin().SetDatabaseName(schema.Name());
        schema.Admin().Execute(std::vector<std::string>{
            "create table sat (id int not null auto_increment primary key, name varchar(40),"
            " pos int, note varchar(40), unique key by_name (name)) engine=InnoDB;",
            "create table tp (freq int not null, pol char(1) not null, sr int,"
            " unique key by_freq (freq, pol)) engine=InnoDB;",
            "insert into sat (name, pos) values ('Astra', 192), ('Hotbird', 130);",
            "insert into tp values (11778, 'V', 27500), (12188, 'H', 27500);"});
        PointAtTestServer(server, schema.Name());
        ds.SetServer(&server);
        ds.OnExecSQL = [this](TMySQLDatasetBase*, std::string& s, bool&) { sent.push_back(s); };
    }

    std::vector<std::string> Column(const std::string& sql)
    {
        TMySQLDataset q;
        q.SetServer(&server);
        q.SetSQLText(sql);
        q.Open();
        std::vector<std::string> out;
        for (; !q.Eof(); q.Next())
            out.push_back(q.Fields[0]->IsNull() ? "<NULL>" : q.Fields[0]->AsString());
        return out;
    }

    Schema schema{"cf_provider"};
    TMySQLServer server;
    TMySQLDataset ds;
    std::vector<std::string> sent;
};

TEST_F(DbProvider, StatementParametersGoInAsWritten)
{
    IProviderSupport& ps = ds;
    const std::string name = "O'Neil \"?\" \\ x'); drop table sat; --";
    EXPECT_EQ(ps.PSExecuteStatement("insert into sat (name, pos, note) values (?, ?, ?)",
                                    {TParam{"", ftString, ptUnknown, name}, TParam{"", ftInteger, ptUnknown, int64_t{-50}},
                                     TParam{"", ftString, ptUnknown, TValue{}}}),
              1);
    // A "?" inside a quoted text is part of it, not a parameter.
    EXPECT_EQ(ps.PSExecuteStatement("update sat set note='why?' where pos>?",
                                    {TParam{"", ftInteger, ptUnknown, int64_t{100}}}),
              2);
    EXPECT_EQ(Column("select name from sat order by id"),
              (std::vector<std::string>{"Astra", "Hotbird", name}));
    EXPECT_EQ(Column("select note from sat order by id"), (std::vector<std::string>{"why?", "why?", "<NULL>"}));
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1], "update sat set note='why?' where pos>100");
    EXPECT_EQ(ps.PSExecuteStatement("delete from sat where pos=?", {TParam{"", ftInteger, ptUnknown, int64_t{7}}}), 0);
}

// Started before anything connected, the transaction still holds the
// statements that follow: the rollback takes them back.
TEST_F(DbProvider, TransactionEndsWithCommitOrRollback)
{
    ds.SetOptions(ds.Options() | doTransactions);
    IProviderSupport& ps = ds;
    EXPECT_FALSE(ps.PSInTransaction());
    ps.PSStartTransaction();
    EXPECT_TRUE(ps.PSInTransaction());
    ps.PSExecuteStatement("insert into sat (name) values (?)", {TParam{"", ftString, ptInput, std::string("Thor")}});
    ps.PSEndTransaction(false);
    EXPECT_FALSE(ps.PSInTransaction());
    EXPECT_EQ(Column("select count(*) from sat where name='Thor'"), std::vector<std::string>{"0"});

    ps.PSStartTransaction();
    ps.PSExecuteStatement("insert into sat (name) values (?)", {TParam{"", ftString, ptInput, std::string("Thor")}});
    ps.PSEndTransaction(true);
    EXPECT_EQ(Column("select count(*) from sat where name='Thor'"), std::vector<std::string>{"1"});
}

TEST_F(DbProvider, KeysOrderAndTableName)
{
    TMySQLTable table; // retrieves index definitions
    table.SetServer(&server);
    IProviderSupport& ps = table;
    EXPECT_EQ(ps.PSGetTableName(), "PleaseSpecifyATableNameProperty");
    EXPECT_EQ(ps.PSGetQuoteChar(), "`");
    EXPECT_TRUE(ps.PSIsSQLBased());
    EXPECT_TRUE(ps.PSIsSQLSupported());

    const struct {
        const char* sql;
        const char* keys;
        const char* order;
        const char* table;
    } cases[] = {
        {"select * from sat", "id", "id", "sat"},
        // The primary key is not selected: the first unique index whose fields all are.
        {"select name, pos from sat", "name", "id", "sat"},
        {"select s.pos from sat s", "", "id", "sat"},
        {"select * from tp", "freq;pol", "", "tp"},
        {"select freq, sr from tp", "", "", "tp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        table.Close();
        table.SetSQLText(c.sql);
        ps.PSExecute();
        ASSERT_TRUE(table.Active());
        EXPECT_EQ(ps.PSGetKeyFields(), c.keys);
        const auto order = ps.PSGetDefaultOrder();
        EXPECT_EQ(order ? order->Fields : std::string(), c.order);
        EXPECT_EQ(ps.PSGetTableName(), c.table);
    }
    // The framework's own answer comes first.
    table.FieldByName("sr")->InKey = true;
    EXPECT_EQ(ps.PSGetKeyFields(), "sr");
    table.SetTableName("tp_archive");
    EXPECT_EQ(ps.PSGetTableName(), "tp_archive");
}

// What a resolver does with the answers: an UPDATE made from the table
// name, the quote character and the key fields, run inside the dataset's
// transaction with the row's values as parameters.
TEST_F(DbProvider, ResolverAppliesAnUpdateFromTheAnswers)
{
    TMySQLTable table;
    table.SetServer(&server);
    table.SetOptions(table.Options() | doTransactions);
    table.SetSQLText("select * from sat order by id");
    IProviderSupport& ps = table;
    ps.PSExecute();
    table.Next(); // Hotbird
    const std::string q = ps.PSGetQuoteChar();
    const std::string key = ps.PSGetKeyFields();
    ASSERT_EQ(key, "id");
    const std::string sql = "update " + q + ps.PSGetTableName() + q + " set " + q + "pos" + q + "=? where " + q +
                            key + q + "=?";
    ps.PSStartTransaction();
    const int64_t rows = ps.PSExecuteStatement(
        sql, {TParam{"", ftInteger, ptUnknown, int64_t{-130}},
              TParam{"", ftInteger, ptUnknown, table.FieldByName(key)->Value()}});
    ps.PSEndTransaction(true);
    EXPECT_EQ(rows, 1);
    EXPECT_FALSE(ps.PSInTransaction());
    EXPECT_EQ(Column("select pos from sat order by id"), (std::vector<std::string>{"192", "-130"}));
}

TEST_F(DbProvider, UpdateErrorsAndParameters)
{
    IProviderSupport& ps = ds;
    const EUpdateError unmapped = ps.PSGetUpdateException(nullptr, nullptr);
    EXPECT_STREQ(unmapped.what(), "SQL Error: Error mapping failed");
    try {
        ps.PSExecuteStatement("insert into sat (id, name) values (?, ?)",
                              {TParam{"", ftInteger, ptUnknown, int64_t{1}}, TParam{"", ftString, ptUnknown, std::string("dup")}});
        FAIL() << "a duplicate key went in";
    } catch (const EMySQLError& e) {
        const EUpdateError mapped = ps.PSGetUpdateException(&e, &unmapped);
        EXPECT_EQ(mapped.ErrorCode, 1062);
        EXPECT_EQ(mapped.PreviousError, 1);
        EXPECT_NE(std::string(mapped.what()).find("Duplicate entry '1'"), std::string::npos);
    }

    // Parameters are the macros; setting them closes the dataset; the
    // command text is the statement.
    ps.PSSetCommandText("select * from sat where pos > [min]");
    EXPECT_EQ(ds.SQLText(), "select * from sat where pos > [min]\r\n");
    ps.PSSetParams({TParam{"min", ftInteger, ptInput, int64_t{150}}});
    ds.Open();
    EXPECT_EQ(ds.RecordCount(), 1);
    ps.PSSetParams({TParam{"min", ftInteger, ptInput, int64_t{0}}});
    EXPECT_FALSE(ds.Active());
    bool found = false;
    for (const TParam& p : ps.PSGetParams())
        if (p.Name == "min") {
            found = true;
            EXPECT_EQ(std::get<int64_t>(p.Value), 0);
        }
    EXPECT_TRUE(found);
    ds.Open();
    EXPECT_EQ(ds.RecordCount(), 2);
}

} // namespace
