// The export of the developer form against the real test server: the 45
// satellites of a real multi-satellite set, read back and compared.

#include "dbexport/ServerHelpers.h"
#include "common/TestData.h"
#include "dbexport/MySQLDataset.h"
#include "app/SatelliteExport.h"
#include "settings/NameTables.h"
#include "settings/SatellitesXml.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>
#include <map>
#include <sstream>

namespace {

using namespace cftest;

const char* const kSchema =
    "create table satellites (id int not null auto_increment primary key, name varchar(100) not null,"
    " position varchar(10) not null);"
    "create table transponders (id int not null auto_increment primary key, sat_id int not null,"
    " frequency int not null, polarity varchar(1), symbolrate int, fec varchar(10), inversion varchar(10),"
    " system varchar(10), modulation varchar(10), rolloff varchar(12), pilot varchar(10),"
    " foreign key (sat_id) references satellites(id)) engine=InnoDB;";

ARR_ENIG_SAT RealSatellites()
{
    std::ifstream in(RealSet("enigma2-v4-multisat") / "satellites.xml", std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    ARR_ENIG_SAT sats;
    std::vector<std::string> problems;
    ParseSatellitesXml(ss.str(), sats, problems);
    return sats;
}

std::vector<std::vector<std::string>> Rows(TMySQLServer& s, const std::string& sql)
{
    std::vector<std::vector<std::string>> out;
    TMySQLBase& d = s.DriverProperties();
    s.ConnectWhenNeeded();
    d.Query(s.Handle(), sql);
    TMySQLResultHandle r = d.UseResult(s.Handle());
    const unsigned n = d.NumFields(r);
    while (char** row = d.FetchRow(r)) {
        std::vector<std::string> v;
        for (unsigned i = 0; i < n; ++i)
            v.push_back(row[i] ? row[i] : "<NULL>");
        out.push_back(v);
    }
    d.FreeResult(r);
    return out;
}

class DbExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        schema.Admin().SetDatabaseName(schema.Name());
        schema.Admin().Execute(std::vector<std::string>{kSchema});
        PointAtTestServer(server, schema.Name());
        ds.SetServer(&server);
    }

    Schema schema{"cf_export"};
    TMySQLServer server;
    TMySQLDataset ds;
    std::vector<std::string> log;
    std::function<void(const std::string&)> logger = [this](const std::string& l) { log.push_back(l); };
};

// Every satellite and every transponder, in order, as the model holds them;
// a satellite already in the table does not shift the transponders' ids.
TEST_F(DbExport, RealMultiSatelliteSetReadsBackAsTheModel)
{
    const ARR_ENIG_SAT sats = RealSatellites();
    ASSERT_EQ(sats.size(), 45u);
    schema.Admin().Execute("insert into satellites set name='already here', position='000.0E'");

    ExportSatellites(ds, sats, logger);

    ASSERT_EQ(log.size(), 45u);
    EXPECT_EQ(log[0], sats[0].PositionText);
    const auto satRows = Rows(schema.Admin(), "select id, name, position from satellites where id > 1 order by id");
    ASSERT_EQ(satRows.size(), 45u);
    size_t total = 0;
    for (size_t i = 0; i < sats.size(); ++i) {
        SCOPED_TRACE(sats[i].Name);
        EXPECT_EQ(satRows[i][1], sats[i].Name);
        EXPECT_EQ(satRows[i][2], sats[i].PositionText);
        const auto tps = Rows(schema.Admin(),
                              "select frequency, polarity, symbolrate, fec, inversion, system, modulation,"
                              " rolloff, pilot from transponders where sat_id=" + satRows[i][0] + " order by id");
        ASSERT_EQ(tps.size(), sats[i].Transponders.size());
        for (size_t j = 0; j < tps.size(); ++j) {
            const TY_ENIG_SAT_DATA& tp = sats[i].Transponders[j];
            const std::vector<std::string> want = {
                std::to_string(tp[SAT_FREQUENCY]),
                PolarisationNames[static_cast<size_t>(tp[SAT_POLARISATION])].substr(0, 1),
                std::to_string(tp[SAT_SYMBOLRATE]),
                FecNames[static_cast<size_t>(tp[SAT_FEC])],
                InversionNames[static_cast<size_t>(tp[SAT_INVERSION])],
                SystemNames[static_cast<size_t>(tp[SAT_SYSTEM])],
                ModulationNames[static_cast<size_t>(tp[SAT_MODULATION])],
                RollOffNames[static_cast<size_t>(tp[SAT_ROLLOFF])],
                PilotNames[static_cast<size_t>(tp[SAT_PILOT])]};
            EXPECT_EQ(tps[j], want) << "transponder " << j;
        }
        total += tps.size();
    }
    EXPECT_EQ(total, 1156u);
    EXPECT_EQ(Rows(schema.Admin(), "select count(*) from transponders")[0][0], "1156");
}

// The statement of the form for one transponder, with the ids of the server.
TEST_F(DbExport, StatementsAsTheFormWritesThem)
{
    TY_ENIG_SAT_DATA tp{};
    tp[SAT_FREQUENCY] = 11778000;
    tp[SAT_SYMBOLRATE] = 27500000;
    tp[SAT_POLARISATION] = 1;
    tp[SAT_FEC] = 3;
    tp[SAT_SYSTEM] = 1;
    tp[SAT_MODULATION] = 2;
    tp[SAT_ROLLOFF] = 0;
    tp[SAT_PILOT] = 2;
    EXPECT_EQ(TransponderStatement(ds, "7", tp),
              "insert into transponders set sat_id=7,frequency=11778000,polarity=\"V\",symbolrate=27500000,"
              "fec=\"3/4\",inversion=\"Off\",system=\"DVB-S2\",modulation=\"M8psk\",rolloff=\"Alpha 0/35\","
              "pilot=\"Unknown\"");
    TY_ENIG_SAT sat;
    sat.Name = "Astra 1KR/1L/1M/1N";
    sat.PositionText = "019.2E";
    EXPECT_EQ(SatelliteStatement(ds, sat), "insert into satellites set name=\"Astra 1KR/1L/1M/1N\",position=\"019.2E\"");
}

// Any name goes in as written: quotes, backslashes, statement text.
TEST_F(DbExport, NamesWithQuotesAndStatementTextGoInAsWritten)
{
    ARR_ENIG_SAT sats(3);
    sats[0].Name = "Hot \"Bird\" 13°E";
    sats[1].Name = "x\", position=\"hack\"; drop table satellites; -- ";
    sats[2].Name = "back\\slash 'single'";
    for (size_t i = 0; i < sats.size(); ++i) {
        sats[i].PositionText = "01" + std::to_string(i) + ".0E";
        TY_ENIG_SAT_DATA tp{};
        tp[SAT_FREQUENCY] = 10714 + static_cast<int>(i);
        sats[i].Transponders = {tp, tp}; // two identical rows: both are written
    }
    ExportSatellites(ds, sats, logger);
    const auto rows = Rows(schema.Admin(), "select name, position from satellites order by id");
    ASSERT_EQ(rows.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(rows[i][0], sats[i].Name);
        EXPECT_EQ(rows[i][1], sats[i].PositionText);
    }
    EXPECT_EQ(Rows(schema.Admin(), "select count(*) from transponders")[0][0], "6");
}

// A constraint violation in the middle: the server's error stops the
// export there, with its number and text; what went in stays.
TEST_F(DbExport, ConstraintViolationStopsAndKeepsWhatWentIn)
{
    schema.Admin().Execute("create unique index one_position on satellites (position)");
    ARR_ENIG_SAT sats = RealSatellites();
    sats.resize(4);
    sats[2].PositionText = sats[0].PositionText;
    try {
        ExportSatellites(ds, sats, logger);
        FAIL();
    } catch (const EMySQLError& e) {
        EXPECT_EQ(e.ErrorNo, 1062);
        EXPECT_EQ(std::string(e.what()).rfind("[1062] ", 0), 0u) << e.what();
        EXPECT_NE(std::string(e.what()).find("Duplicate entry '" + sats[0].PositionText + "'"), std::string::npos);
    }
    EXPECT_EQ(log.size(), 3u);
    EXPECT_EQ(Rows(schema.Admin(), "select count(*) from satellites")[0][0], "2");
    EXPECT_EQ(Rows(schema.Admin(), "select count(*) from transponders")[0][0],
              std::to_string(sats[0].Transponders.size() + sats[1].Transponders.size()));
}

// The connection dies in the middle (the server ends it): the export stops
// with the client's error and keeps what was inserted.
TEST_F(DbExport, LostConnectionStopsAndKeepsWhatWentIn)
{
    ARR_ENIG_SAT sats = RealSatellites();
    sats.resize(3);
    int sent = 0;
    ds.OnExecSQL = [&](TMySQLDatasetBase* d, std::string&, bool&) {
        if (++sent == 5) {
            const unsigned long id = d->Driver().ThreadId(d->Handle());
            schema.Admin().Execute("kill " + std::to_string(id));
            // Wait until the server has let it go, so the next statement meets a dead line.
            for (int i = 0; i < 100; ++i) {
                if (Rows(schema.Admin(), "select count(*) from information_schema.processlist where id=" +
                                             std::to_string(id))[0][0] == "0")
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        }
    };
    try {
        ExportSatellites(ds, sats, logger);
        FAIL();
    } catch (const EMySQLError& e) {
        EXPECT_GE(e.ErrorNo, 2000) << e.what();
    }
    EXPECT_EQ(Rows(schema.Admin(), "select count(*) from satellites")[0][0], "1");
    EXPECT_EQ(Rows(schema.Admin(), "select count(*) from transponders")[0][0], "3");
}

TEST_F(DbExport, NoSatellitesSendsNothingAndConnectsNot)
{
    ExportSatellites(ds, {}, logger);
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(server.Connected());
}

} // namespace
