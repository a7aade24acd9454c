// Loading and saving a large lamedb: 10 services per transponder, names,
// providers, PIDs, CA ids and flags as real files carry them.

#include "settings/ServicesFile.h"
#include "settings/Unit_lib.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include <unistd.h>

namespace {

// A scratch folder of this run, removed at exit.
struct TScratch {
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("chanforge-bench-" + std::to_string(::getpid()));
    TScratch() { std::filesystem::create_directories(dir); }
    ~TScratch()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

std::filesystem::path BenchDir()
{
    static const TScratch scratch;
    return scratch.dir;
}

// Writes a lamedb with `services` services on services / 10 transponders
// and returns its path (made once per size).
std::string MakeLamedb(int services)
{
    const auto path = BenchDir() / ("lamedb-" + std::to_string(services));
    if (std::filesystem::exists(path))
        return path.string();
    std::string out = "eDVB services /4/\ntransponders\n";
    const int tps = services / 10;
    char buf[256];
    for (int t = 0; t < tps; ++t) {
        const int pos = 130 + (t % 7) * 62;
        std::snprintf(buf, sizeof buf, "%04x0000:%04x:%04x\n", pos, t % 65536, 1 + t / 65536);
        out += buf;
        if (t % 3 == 0)
            std::snprintf(buf, sizeof buf, "\ts %d:%d:%d:%d:%d:2:0\n/\n", 10700000 + (t % 400) * 5000, 27500000,
                          t % 2, 3, pos);
        else
            std::snprintf(buf, sizeof buf, "\ts %d:%d:%d:%d:%d:2:0:1:2:0:2\n/\n", 10700000 + (t % 400) * 5000,
                          22000000, t % 2, 4, pos);
        out += buf;
    }
    out += "end\nservices\n";
    for (int s = 0; s < services; ++s) {
        const int t = s / 10;
        const int pos = 130 + (t % 7) * 62;
        std::snprintf(buf, sizeof buf, "%04x:%04x0000:%04x:%04x:%d:0:0\n", s % 65536, pos, t % 65536, 1 + t / 65536,
                      s % 5 == 0 ? 2 : 25);
        out += buf;
        std::snprintf(buf, sizeof buf, "Channel %d HD %s\n", s, s % 11 == 0 ? "Первый канал" : "Television");
        out += buf;
        std::snprintf(buf, sizeof buf, "p:Provider %d,c:00%04x,c:01%04x,c:03%04x,c:050001,C:0d05,C:1830,f:40\n",
                      s % 97, 0x100 + s % 50, 0x200 + s % 50, 0x100 + s % 50);
        out += buf;
    }
    out += "end\n";
    std::ofstream(path, std::ios::binary) << out;
    return path.string();
}

void BM_LoadLamedb(benchmark::State& state)
{
    const std::string path = MakeLamedb(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        ClearModel();
        state.ResumeTiming();
        LoadTp(Transponders, path);
        LoadChannel(Services, Transponders, true, path);
        benchmark::DoNotOptimize(Services.data());
    }
    state.counters["services"] = static_cast<double>(Services.size());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
}

void BM_SaveLamedb(benchmark::State& state)
{
    const std::string path = MakeLamedb(static_cast<int>(state.range(0)));
    ClearModel();
    LoadTp(Transponders, path);
    LoadChannel(Services, Transponders, true, path);
    const auto outDir = BenchDir() / ("out-" + std::to_string(state.range(0)));
    std::filesystem::create_directories(outDir);
    TheSaveDir = outDir.string();
    for (auto _ : state)
        SaveService();
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(outDir / ServicesFileName)));
}

} // namespace

BENCHMARK(BM_LoadLamedb)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveLamedb)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);
