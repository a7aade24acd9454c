// The components as a stored form keeps them: which properties are written,
// the text they make and read back, the older forms' properties, and the
// connection component's connect after loading.

#include "ServerHelpers.h"
#include "dbexport/DbPropertyStream.h"
#include "dbexport/MySQLDataset.h"
#include "dbexport/MySQLServer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace cftest;

std::vector<std::string> Names(const TPropertyStream& s)
{
    std::vector<std::string> out;
    for (const TStoredProperty& p : s.Properties())
        out.push_back(p.Name);
    return out;
}

TEST(DbStoredForm, DatasetStoresOnlyWhatDiffers)
{
    using Names_ = std::vector<std::string>;
    const struct {
        const char* what;
        bool table;
        std::function<void(TMySQLDatasetBase&)> change;
        Names_ stored;
    } cases[] = {
        {"a new dataset", false, [](TMySQLDatasetBase&) {}, {}},
        {"a new table", true, [](TMySQLDatasetBase&) {}, {}},
        {"a table with the dataset's options", true, [](TMySQLDatasetBase& d) { d.SetOptions(kDatasetDefaultOptions); },
         {"Options"}},
        {"the templates in other letter case", false,
         [](TMySQLDatasetBase& d) {
             d.SetSQLText("SELECT [$fields] FROM [$TABLENAME] [JOIN] [WHERE] [GROUPBY] [ORDER] [LIMIT]");
             d.SQLUpdate = "UPDATE [$TABLENAME] SET [$MODIFIED$FIELDS&VALUES] WHERE [$PRIMARYFIELDS&VALUES]";
         },
         {}},
        {"other statements", false,
         [](TMySQLDatasetBase& d) {
             d.SetSQLText("select * from sat");
             d.SQLDelete = "delete from sat where id=[$FIELDNAME$VALUE]";
         },
         {"SQL.Strings", "SQLDelete.Strings"}},
        // New delimiters rewrite the four templates, which then differ.
        {"other macro delimiters", false, [](TMySQLDatasetBase& d) { d.SetMacroDel("<<,>>"); },
         {"MacroDel", "SQL.Strings", "SQLUpdate.Strings", "SQLInsert.Strings", "SQLDelete.Strings"}},
        {"a batch", false, [](TMySQLDatasetBase& d) { d.SQLBatch = "delete from log"; }, {"SQLBatch.Strings"}},
        // Macros only when enabled and not rebuilt from the statements.
        {"macros rebuilt from the statements", false,
         [](TMySQLDatasetBase& d) { d.FindMacro("WHERE")->Value = std::string("where id>3"); }, {}},
        {"macros kept", false,
         [](TMySQLDatasetBase& d) {
             d.SetOptions(d.Options() & ~static_cast<uint32_t>(doMacroCheck));
             d.FindMacro("WHERE")->Value = std::string("where id>3");
         },
         {"Options", "Macros"}},
        {"macros disabled", false,
         [](TMySQLDatasetBase& d) { d.SetOptions(d.Options() & ~static_cast<uint32_t>(doMacroCheck | doMacrosEnabled)); },
         {"Options"}},
        // Definitions only when the dataset makes its table.
        {"auto-create without a table", false,
         [](TMySQLDatasetBase& d) {
             d.SetOptions(d.Options() | doAutoCreate);
             d.FieldDefs.push_back(TFieldDef{"name", ftString, 30});
         },
         {"Options"}},
        {"auto-create with a table", false,
         [](TMySQLDatasetBase& d) {
             d.SetOptions(d.Options() | doAutoCreate);
             d.SetTableName("sat");
             d.FieldDefs.push_back(TFieldDef{"name", ftString, 30});
             d.IndexDefs.push_back(TIndexDef{"PRIMARY", "name", true, true});
         },
         {"Options", "TableName", "FieldDefs", "IndexDefs"}},
        {"custom field definitions", false,
         [](TMySQLDatasetBase& d) { d.CustomFieldDefs.push_back(TFieldDef{"extra", ftInteger}); },
         {"CustomFieldDefs"}},
        {"filter, read-only, cursor, result type", false,
         [](TMySQLDatasetBase& d) {
             d.SetFilter("pos>0");
             d.SetFiltered(true);
             d.ReadOnly = true;
             d.Cursor = 0;
             d.SetShareConnection(false);
             d.SetResultType(rtIncremental);
         },
         {"Options", "ResultType", "ReadOnly", "Cursor", "Filter", "Filtered"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TMySQLDataset plain;
        TMySQLTable table;
        TMySQLDatasetBase& d = c.table ? static_cast<TMySQLDatasetBase&>(table) : plain;
        c.change(d);
        TPropertyStream written;
        d.WriteProperties(written);
        EXPECT_EQ(Names(written), c.stored);

        // The text reads back to the same properties, and a dataset made
        // from it stores the same again.
        const std::string text = written.Text();
        EXPECT_EQ(TPropertyStream::Parse(text), written) << text;
        TMySQLDataset plain2;
        TMySQLTable table2;
        TMySQLDatasetBase& again = c.table ? static_cast<TMySQLDatasetBase&>(table2) : plain2;
        again.ReadProperties(TPropertyStream::Parse(text));
        TPropertyStream rewritten;
        again.WriteProperties(rewritten);
        EXPECT_EQ(rewritten.Text(), text);
        EXPECT_EQ(again.Options(), d.Options());
        EXPECT_EQ(again.SQLText(), d.SQLText());
        EXPECT_EQ(again.SQLDelete, d.SQLDelete);
        EXPECT_EQ(again.MacroDel(), d.MacroDel());
    }
}

TEST(DbStoredForm, OlderFormsPropertiesSetTheirOptions)
{
    const struct {
        const char* text;
        uint32_t set, cleared;
    } cases[] = {
        {"AllFieldValues = True\n", doRetrieveFieldValues, 0},
        {"AllFieldValues = False\n", 0, doRetrieveFieldValues},
        {"MacrosEnabled = False\n", 0, doMacrosEnabled},
        {"Options = [doShareConnection]\nMacrosEnabled = True\nAllFieldValues = True\n",
         doShareConnection | doMacrosEnabled | doRetrieveFieldValues, doMacroCheck | doUseCursor},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TMySQLTable t;
        t.SetOptions(kDatasetDefaultOptions | doRetrieveFieldValues);
        t.ReadProperties(TPropertyStream::Parse(c.text));
        EXPECT_EQ(t.Options() & (c.set | c.cleared), c.set);
        // Written again as part of Options, never under the old names.
        TPropertyStream s;
        t.WriteProperties(s);
        EXPECT_EQ(s.Find("AllFieldValues"), nullptr);
        EXPECT_EQ(s.Find("MacrosEnabled"), nullptr);
    }
}

TEST(DbStoredForm, TextsAndDamage)
{
    TPropertyStream s;
    s.WriteString("Password", "it's\r\n\tend");
    s.WriteLines("SQL.Strings", {"select *", "", "from 'x'"});
    s.WriteInteger("Port", 3307);
    s.WriteSet("Options", {});
    EXPECT_EQ(s.Text(), "Password = 'it''s'#13#10#9'end'\n"
                        "SQL.Strings = (\n  'select *'\n  ''\n  'from ''x''')\n"
                        "Port = 3307\n"
                        "Options = []\n");
    EXPECT_EQ(TPropertyStream::Parse(s.Text()), s);

    const struct {
        const char* text;
        const char* message;
    } damaged[] = {
        {"Host = 'open\n", "Stored properties damaged in line 1: a closing quote expected"},
        {"Host 'x'\n", "Stored properties damaged in line 1: '=' expected"},
        {"Port = 3306\nHost = #999\n", "Stored properties damaged in line 2: a character number expected"},
        {"SQL.Strings = (\n  'a'\n", "Stored properties damaged in line 3: a quoted line or ')' expected"},
        {"Port = 99999999999999999999\n", "Stored properties damaged in line 1: a number expected"},
    };
    for (const auto& d : damaged) {
        try {
            TPropertyStream::Parse(d.text);
            ADD_FAILURE() << d.text;
        } catch (const EDatabaseError& e) {
            EXPECT_STREQ(e.what(), d.message);
        }
    }
    TMySQLDataset ds;
    EXPECT_THROW(ds.ReadProperties(TPropertyStream::Parse("Colour = clRed\n")), EDatabaseError);
    TMySQLServer server;
    EXPECT_THROW(server.ReadProperties(TPropertyStream::Parse("Port = 70000\n")), EDatabaseError);
    EXPECT_THROW(server.ReadProperties(TPropertyStream::Parse("Options = [coNothing]\n")), EDatabaseError);
}

TEST(DbStoredForm, ServerStoresOnlyWhatDiffersAndConnectsAfterLoading)
{
    TMySQLServer fresh;
    TPropertyStream none;
    fresh.WriteProperties(none);
    EXPECT_TRUE(none.Properties().empty());

    // Stored connected: the loaded copy connects.
    TMySQLServer server;
    PointAtTestServer(server, "");
    server.SetOptions(server.Options() | coCompress);
    server.SetParams("[direct]\r\nconnect_timeout=5\r\n");
    server.Open();
    TPropertyStream stored;
    server.WriteProperties(stored);
    EXPECT_EQ(Names(stored),
              (std::vector<std::string>{"Host", "Port", "UserName", "Password", "Options", "Params.Strings", "Connected"}));
    TMySQLServer loaded;
    loaded.ReadProperties(TPropertyStream::Parse(stored.Text()));
    EXPECT_TRUE(loaded.Connected());
    EXPECT_EQ(loaded.Params(), server.Params());
    EXPECT_TRUE(loaded.Compression());

    // Nothing listens there: raised at run time, shown to the designer at
    // design time; left disconnected either way.
    TPropertyStream dead = TPropertyStream::Parse("Host = '127.0.0.1'\nPort = 1\nConnected = True\n");
    TMySQLServer running;
    EXPECT_THROW(running.ReadProperties(dead), EMySQLError);
    EXPECT_FALSE(running.Connected());
    TMySQLServer designed;
    designed.Designing = true;
    std::string shown;
    designed.DesignerMessage = [&](const std::string& m) { shown = m; };
    EXPECT_NO_THROW(designed.ReadProperties(dead));
    EXPECT_FALSE(designed.Connected());
    EXPECT_NE(shown.find("Could not connect to mysql server using:"), std::string::npos);
    EXPECT_EQ(shown.find(kPassNew), std::string::npos);
}

} // namespace
