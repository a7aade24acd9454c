// The export of the developer form against a private MariaDB on 127.0.0.1:
// 10,000 transponders of 10 satellites written one INSERT at a time. Rows
// per second are printed as the rows_per_second counter.

#include "app/SatelliteExport.h"
#include "dbexport/MariaServer.h"
#include "dbexport/MySQLDataset.h"
#include "dbexport/MySQLServer.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace cftest;

void Point(TMySQLServer& s, const std::string& db)
{
    s.SetHost("127.0.0.1");
    s.SetPort(static_cast<uint16_t>(SharedMaria().port));
    s.SetUserName(kUserNew);
    s.SetPassword(kPassNew);
    s.SetDatabaseName(db);
}

void BM_Export10kTransponders(benchmark::State& state)
{
    TMySQLServer admin;
    Point(admin, "");
    admin.Execute(std::vector<std::string>{
        "drop database if exists cf_bench_export;", "create database cf_bench_export;", "use cf_bench_export;",
        "create table satellites (id int auto_increment primary key, name varchar(100), position varchar(10));",
        "create table transponders (id int auto_increment primary key, sat_id int, frequency int,"
        " polarity varchar(1), symbolrate int, fec varchar(10), inversion varchar(10), system varchar(10),"
        " modulation varchar(10), rolloff varchar(12), pilot varchar(10));"});
    ARR_ENIG_SAT sats(10);
    for (size_t i = 0; i < sats.size(); ++i) {
        sats[i].Name = "Satellite " + std::to_string(i);
        sats[i].PositionText = "0" + std::to_string(10 + i) + ".0E";
        for (int j = 0; j < 1000; ++j) {
            TY_ENIG_SAT_DATA tp{};
            tp[SAT_FREQUENCY] = 10700000 + j * 1000;
            tp[SAT_SYMBOLRATE] = 27500000;
            tp[SAT_POLARISATION] = j % 2;
            tp[SAT_FEC] = 3;
            sats[i].Transponders.push_back(tp);
        }
    }
    TMySQLServer server;
    Point(server, "cf_bench_export");
    int64_t rows = 0;
    for (auto _ : state) {
        TMySQLDataset ds;
        ds.SetServer(&server);
        ExportSatellites(ds, sats, nullptr);
        rows += 10000;
        state.PauseTiming();
        admin.Execute(std::vector<std::string>{"delete from cf_bench_export.transponders;",
                                               "delete from cf_bench_export.satellites;"});
        state.ResumeTiming();
    }
    state.counters["rows_per_second"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
    admin.Execute("drop database cf_bench_export");
}
BENCHMARK(BM_Export10kTransponders)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace
