// Column records of client libraries older than 4.1: a driver bound to a
// library that reports an old version reads the record in that version's
// layout. No old library is at hand, so the records are made here.

#include "dbexport/MySQLDrivers.h"
#include "dbexport/MySQLFieldLayouts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// What the stand-in library answers.
const char* g_clientVersion = "4.1.14";
void* g_record = nullptr;
int g_fetched = 0;
int g_connection = 0;

// A driver over a stand-in library that hands out one crafted column record.
class OldLibraryDriver : public TMySQLBase {
protected:
    void BindTable() override
    {
        TMySQLBase::BindTable();
        ops_.mysql_init = [](TMySQLHandle) -> TMySQLHandle { return &g_connection; };
        ops_.mysql_options = [](TMySQLHandle, int, const void*) { return 0; };
        ops_.mysql_real_connect = [](TMySQLHandle h, const char*, const char*, const char*,
                                     const char*, unsigned, const char*, unsigned long) { return h; };
        ops_.mysql_close = [](TMySQLHandle) {};
        ops_.mysql_get_client_info = []() { return g_clientVersion; };
        ops_.mysql_get_server_info = [](TMySQLHandle) { return "4.0.20-log"; };
        ops_.mysql_fetch_field = [](TMySQLResultHandle) -> void* {
            return g_fetched++ == 0 ? g_record : nullptr;
        };
    }
};

char* C(const char* s) { return const_cast<char*>(s); }

TEST(DbFieldLayout, RecordReadByTheLibrarysVersion)
{
    TMySQLField41 r41{};
    r41.name = C("pos");
    r41.org_name = C("position");
    r41.table = C("s");
    r41.org_table = C("satellites");
    r41.db = C("afs");
    r41.def = C("0");
    r41.length = 11;
    r41.max_length = 4;
    r41.flags = 2 | 1;
    r41.decimals = 0;
    r41.type = 3;

    TMySQLField40 r40{C("name"), C("s"), C("garbage"), C("garbage"), nullptr, 60, 17, 4, 0, 253};
    TMySQLField323 r323{C("freq"), C("t"), C("12000"), 3, 11, 5, 32 | 1, 2, };

    struct Expected {
        const char* version;
        void* record;
        int clientVer;
        TMySQLFieldDesc desc;
    };
    const Expected cases[] = {
        {"4.1.14", &r41, 40114,
         {"pos", "position", "s", "satellites", "afs", "0", true, 11, 4, 3, 0, 3}},
        // 4.1.0 never filled origin table and database.
        {"4.1.0", &r41, 40100, {"pos", "position", "s", "", "", "0", true, 11, 4, 3, 0, 3}},
        // 4.0: its origin table and database are not taken; no default.
        {"4.0.20", &r40, 40020, {"name", "", "s", "", "", "", false, 60, 17, 4, 0, 253}},
        {"3.23.58-log", &r323, 32358, {"freq", "", "t", "", "", "12000", true, 11, 5, 33, 2, 3}},
    };
    for (const Expected& c : cases) {
        SCOPED_TRACE(c.version);
        g_clientVersion = c.version;
        g_record = c.record;
        g_fetched = 0;
        OldLibraryDriver d;
        d.Connect("localhost", "root", "", 0, 3306, "");
        EXPECT_EQ(d.ClientVer(), c.clientVer);
        int result = 0;
        const TMySQLFieldDesc got = d.FetchField(&result);
        const TMySQLFieldDesc& want = c.desc;
        EXPECT_EQ(got.Name, want.Name);
        EXPECT_EQ(got.OrgName, want.OrgName);
        EXPECT_EQ(got.Table, want.Table);
        EXPECT_EQ(got.OrgTable, want.OrgTable);
        EXPECT_EQ(got.Database, want.Database);
        EXPECT_EQ(got.Default, want.Default);
        EXPECT_EQ(got.HasDefault, want.HasDefault);
        EXPECT_EQ(got.Length, want.Length);
        EXPECT_EQ(got.MaxLength, want.MaxLength);
        EXPECT_EQ(got.Flags, want.Flags);
        EXPECT_EQ(got.Decimals, want.Decimals);
        EXPECT_EQ(got.Type, want.Type);
        // Past the last column the name is empty.
        EXPECT_EQ(d.FetchField(&result).Name, "");
    }
}

} // namespace
