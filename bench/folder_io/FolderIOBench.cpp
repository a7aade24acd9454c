// Loading and saving a whole settings folder the size of a well-filled
// receiver: 50,000 services on 5,000 transponders, 200 providers, 120 user
// bouquets, a satellite list; headless, as the receiver link and tests do.

#include "BenchSet.h"

#include <benchmark/benchmark.h>

namespace fs = std::filesystem;
using benchset::BenchFolder;
using benchset::Folder;

namespace {

void BM_LoadFolder(benchmark::State& state)
{
    BenchFolder& f = Folder();
    for (auto _ : state) {
        TheLoadDir = f.set.string();
        if (!VerFile() || !OpenFile())
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(Services.data());
    }
    state.counters["services"] = static_cast<double>(Services.size());
    state.counters["bouquets"] = static_cast<double>(TvBouquets.size() + RadioBouquets.size());
}
BENCHMARK(BM_LoadFolder)->Unit(benchmark::kMillisecond);

void BM_SaveFolder(benchmark::State& state)
{
    BenchFolder& f = Folder();
    TheLoadDir = f.set.string();
    if (!VerFile() || !OpenFile())
        state.SkipWithError("load failed");
    const fs::path out = f.root / "out";
    fs::create_directories(out);
    for (auto _ : state) {
        TheSaveDir = out.string();
        if (!SaveFile())
            state.SkipWithError("save failed");
    }
    std::uintmax_t bytes = 0;
    for (auto& e : fs::directory_iterator(out))
        bytes += e.file_size();
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SaveFolder)->Unit(benchmark::kMillisecond);

} // namespace
