// Calculated fields on a real table: set in OnCalcFields for each row read,
// read back per row, cleared for a new record, never sent to the server.

#include "ServerHelpers.h"
#include "dbexport/MySQLDataset.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace cftest;

class DbCalcFields : public ::testing::Test {
protected:
    void SetUp() override
    {
        schema.Admin().SetDatabaseName(schema.Name());
        schema.Admin().Execute(std::vector<std::string>{
            "create table sat (id int not null auto_increment primary key, name varchar(30), pos int);",
            "insert into sat (name, pos) values ('Astra', 192), ('Hotbird', 130), ('Thor', -8),"
            " ('Unknown', NULL);"});
        PointAtTestServer(server, schema.Name());
        ds.SetServer(&server);
        ds.SetSQLText("select * from sat order by id");
        ds.OnExecSQL = [this](TMySQLDatasetBase*, std::string& s, bool&) { sent.push_back(s); };
        ds.AddCalculatedField("label", ftString, 12);
        ds.AddCalculatedField("east", ftBoolean);
        ds.AddCalculatedField("degrees", ftFloat);
        ds.OnCalcFields = [this](TDataSet* d) {
            ++calcRuns;
            TField* pos = d->FieldByName("pos");
            d->FieldByName("label")->SetAsString(d->FieldByName("name")->AsString() + " " +
                                                 pos->AsString());
            if (!pos->IsNull()) {
                d->FieldByName("east")->SetAsBoolean(pos->AsInteger() >= 0);
                d->FieldByName("degrees")->SetAsFloat(pos->AsInteger() / 10.0);
            }
        };
    }

    Schema schema{"cf_calc"};
    TMySQLServer server;
    TMySQLDataset ds;
    std::vector<std::string> sent;
    int calcRuns = 0;
};

TEST_F(DbCalcFields, EachRowReadsItsOwnValues)
{
    ds.Open();
    ASSERT_EQ(ds.Fields.size(), 6u);
    TField* label = ds.FieldByName("label");
    EXPECT_EQ(label->FieldKind, fkCalculated);
    EXPECT_LE(label->FieldNo, 0);
    // Text cut at the field's size (12): "Hotbird 130" fits, "Unknown " does too.
    const struct {
        const char* label;
        bool hasPos;
        bool east;
        double degrees;
    } rows[] = {{"Astra 192", true, true, 19.2},
                {"Hotbird 130", true, true, 13.0},
                {"Thor -8", true, false, -0.8},
                {"Unknown ", false, false, 0}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.label);
        ASSERT_FALSE(ds.Eof());
        EXPECT_EQ(label->AsString(), r.label);
        // A NULL position leaves the others unset: NULL, not the last row's values.
        EXPECT_EQ(ds.FieldByName("east")->IsNull(), !r.hasPos);
        if (r.hasPos) {
            EXPECT_EQ(ds.FieldByName("east")->AsBoolean(), r.east);
            EXPECT_DOUBLE_EQ(ds.FieldByName("degrees")->AsFloat(), r.degrees);
        }
        ds.Next();
    }
    // Back to an earlier row: computed again from that row.
    ds.First();
    ds.Next();
    EXPECT_EQ(label->AsString(), "Hotbird 130");

    // Reopened: the calculated fields are made again.
    ds.Close();
    ds.Open();
    EXPECT_EQ(ds.FieldByName("label")->AsString(), "Astra 192");
}

TEST_F(DbCalcFields, TextLongerThanTheFieldIsCut)
{
    ds.OnCalcFields = [](TDataSet* d) { d->FieldByName("label")->SetAsString("Eutelsat Hotbird 13C"); };
    ds.Open();
    EXPECT_EQ(ds.FieldByName("label")->AsString(), "Eutelsat Hot");
}

TEST_F(DbCalcFields, NewRecordStartsClearedAndFollowsItsFields)
{
    ds.Open();
    ds.Last();
    ds.Prior();
    EXPECT_EQ(ds.FieldByName("label")->AsString(), "Thor -8");
    ds.Insert();
    // Nothing of the row the insert started on.
    EXPECT_TRUE(ds.FieldByName("label")->IsNull());
    EXPECT_TRUE(ds.FieldByName("east")->IsNull());
    ds.FieldByName("name")->SetAsString("Amos");
    ds.FieldByName("pos")->SetAsInteger(-40);
    EXPECT_EQ(ds.FieldByName("label")->AsString(), "Amos -40");
    EXPECT_FALSE(ds.FieldByName("east")->AsBoolean());
    ds.Post();
    EXPECT_EQ(ds.FieldByName("label")->AsString(), "Amos -40");

    // The server got the data columns only.
    ASSERT_FALSE(sent.empty());
    std::string insert;
    for (const std::string& s : sent)
        if (s.rfind("insert", 0) == 0)
            insert = s;
    EXPECT_EQ(insert, "insert into sat set name='Amos',pos=-40");
}

TEST_F(DbCalcFields, OnlyCalculatedFieldsTakeValuesWhileCalculating)
{
    std::string error;
    ds.OnCalcFields = [&](TDataSet* d) {
        try {
            d->FieldByName("name")->SetAsString("changed");
        } catch (const EDatabaseError& e) {
            error = e.what();
        }
    };
    ds.Open();
    EXPECT_EQ(error, "Field 'name' cannot be modified");
    EXPECT_EQ(ds.FieldByName("name")->AsString(), "Astra");
    // Outside editing a calculated field is not written either.
    EXPECT_THROW(ds.FieldByName("label")->SetAsString("x"), EDatabaseError);
    ds.Close();
    EXPECT_THROW(ds.AddCalculatedField("label", ftString), EDatabaseError);
}

} // namespace
