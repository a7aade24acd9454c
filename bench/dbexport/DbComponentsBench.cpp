// The database components against a private MariaDB on 127.0.0.1: fetching
// 100,000 rows of 8 columns into a dataset and walking them. Rows per second
// are printed as the rows_per_second counter.

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

void BM_FetchAndWalk100k(benchmark::State& state)
{
    TMySQLServer admin;
    Point(admin, "");
    admin.Execute(std::vector<std::string>{
        "drop database if exists cf_bench;", "create database cf_bench;", "use cf_bench;",
        "create table r (id int primary key, a varchar(20), b int, c double, d date, e varchar(40), f bigint,"
        " g datetime);",
        "insert into r select seq, concat('name ', seq), seq * 3, seq / 7, '2024-01-02',"
        " concat('provider ', seq mod 97), seq * 1000003, '2024-01-02 03:04:05' from seq_1_to_100000;"});
    TMySQLServer server;
    Point(server, "cf_bench");
    int64_t rows = 0;
    for (auto _ : state) {
        TMySQLDataset ds;
        ds.SetServer(&server);
        ds.SetSQLText("select * from r");
        ds.Open();
        size_t bytes = 0;
        while (!ds.Eof()) {
            for (const auto& f : ds.Fields)
                bytes += f->AsString().size();
            ++rows;
            ds.Next();
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["rows_per_second"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
    admin.Execute("drop database cf_bench");
}
BENCHMARK(BM_FetchAndWalk100k)->Unit(benchmark::kMillisecond)->UseRealTime();


} // namespace
