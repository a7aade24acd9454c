// Load and save of the providers file and the user-bouquet files of a large
// generated set: N services on N/10 transponders, 200 providers sharing all
// services, 120 TV bouquets growing linearly up to N/10 entries (5,000 for
// N = 50,000), with a marker every 50 entries and a description every 20.
// Run with N = 25,000, 50,000 and 100,000 to see the growth.
//
// The files go to the temporary folder (TMPDIR). Saving the bouquets
// creates 121 files per run; on a busy ext4 disk the kernel's file creation
// can outweigh the editor's own work, which TMPDIR=/dev/shm shows alone.

#include "settings/BouquetFiles.h"
#include "settings/ProvidersFile.h"
#include "settings/Unit_lib.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>

namespace fs = std::filesystem;

namespace {

std::string Hex(unsigned v, int digits)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*X", digits, v);
    return buf;
}

struct GeneratedSet {
    fs::path dir;
    std::int64_t bouquetEntries = 0;
};

void BuildModel(int services)
{
    ClearModel();
    SetEnigmaVer(4);
    const int tps = std::max(1, services / 10);
    Transponders.resize(static_cast<size_t>(tps));
    for (int t = 0; t < tps; ++t) {
        TY_ENIG_TP& tp = Transponders[static_cast<size_t>(t)];
        tp.Namespace = "00C00000";
        tp.Tsid = Hex(static_cast<unsigned>(t + 1), 4);
        tp.Onid = "0001";
        tp.Key = tp.Namespace + tp.Tsid + tp.Onid;
    }
    Services.resize(static_cast<size_t>(services));
    for (int s = 0; s < services; ++s) {
        TY_ENIG_CH& ch = Services[static_cast<size_t>(s)];
        ch.Sid = Hex(static_cast<unsigned>(s % 0xFFFF + 1), 4);
        ch.TpIndex = s % tps;
        ch.ServiceType = s % 7 == 0 ? 2 : (s % 3 == 0 ? 25 : 1);
        ch.Key = ch.Sid + Transponders[static_cast<size_t>(ch.TpIndex)].Key + std::to_string(ch.ServiceType);
        ch.Number = 200 + s;
        ch.Name = "Service " + std::to_string(s);
    }
    Providers.resize(200);
    for (int p = 0; p < 200; ++p) {
        Providers[static_cast<size_t>(p)].Id = p + 1;
        Providers[static_cast<size_t>(p)].Name = "Provider " + std::to_string(p);
    }
    for (int s = 0; s < services; ++s)
        Providers[static_cast<size_t>(s % 200)].Members.push_back(200 + s);
    std::mt19937 rng(42);
    const int maxEntries = services / 10;
    TvBouquets.resize(120);
    for (int b = 0; b < 120; ++b) {
        TY_ENIG_UB& ub = TvBouquets[static_cast<size_t>(b)];
        ub.Name = "Bouquet " + std::to_string(b);
        int n = maxEntries * (b + 1) / 120;
        for (int e = 0; e < n; ++e) {
            if (e % 50 == 0)
                ub.Entries.push_back({"D", "--- group " + std::to_string(e / 50) + " ---", ""});
            int s = static_cast<int>(rng() % static_cast<unsigned>(services));
            ub.Entries.push_back({"S", std::to_string(200 + s), e % 20 == 0 ? "note" : ""});
            ++ub.ServiceCount;
        }
    }
    TvListName = "Bouquets (TV)";
}

// The files of a generated set of `services` services, written once per
// size into a temporary folder.
const GeneratedSet& SetOf(int services)
{
    static std::map<int, GeneratedSet> sets;
    auto it = sets.find(services);
    if (it != sets.end()) {
        BuildModel(services);
        return it->second;
    }
    GeneratedSet set;
    set.dir = fs::temp_directory_path() / ("chanforge-bench-lists-" + std::to_string(::getpid()) + "-" +
                                           std::to_string(services));
    fs::remove_all(set.dir);
    fs::create_directories(set.dir);
    BuildModel(services);
    TheSaveDir = set.dir.string();
    SavePr();
    SaveUbList();
    SaveUbBouquet();
    for (const auto& ub : TvBouquets)
        set.bouquetEntries += static_cast<std::int64_t>(ub.Entries.size());
    return sets.emplace(services, std::move(set)).first->second;
}

struct Cleanup {
    ~Cleanup()
    {
        std::error_code ec;
        for (auto& e : fs::directory_iterator(fs::temp_directory_path(), ec))
            if (e.path().filename().string().rfind("chanforge-bench-lists-" + std::to_string(::getpid()) + "-", 0) == 0)
                fs::remove_all(e.path(), ec);
    }
} cleanup;

void BM_LoadProviders(benchmark::State& state)
{
    const GeneratedSet& set = SetOf(static_cast<int>(state.range(0)));
    TheLoadDir = set.dir.string();
    for (auto _ : state) {
        ErrorReport.clear();
        LoadPr();
        benchmark::DoNotOptimize(Providers.data());
    }
    if (!ErrorReport.empty() || Providers.size() != 200)
        state.SkipWithError("providers not loaded completely");
    state.counters["services"] = static_cast<double>(state.range(0));
}

void BM_SaveProviders(benchmark::State& state)
{
    const GeneratedSet& set = SetOf(static_cast<int>(state.range(0)));
    fs::path out = set.dir / "out";
    fs::create_directories(out);
    TheSaveDir = out.string();
    for (auto _ : state)
        SavePr();
    state.counters["services"] = static_cast<double>(state.range(0));
}

void BM_LoadBouquets(benchmark::State& state)
{
    const GeneratedSet& set = SetOf(static_cast<int>(state.range(0)));
    TheLoadDir = set.dir.string();
    for (auto _ : state) {
        ErrorReport.clear();
        Load_UB_Tv();
        benchmark::DoNotOptimize(TvBouquets.data());
    }
    if (!ErrorReport.empty() || TvBouquets.size() != 120)
        state.SkipWithError("bouquets not loaded completely");
    state.counters["entries"] = static_cast<double>(set.bouquetEntries);
}

void BM_SaveBouquets(benchmark::State& state)
{
    const GeneratedSet& set = SetOf(static_cast<int>(state.range(0)));
    fs::path out = set.dir / "out";
    fs::create_directories(out);
    TheSaveDir = out.string();
    for (auto _ : state) {
        SaveUbList();
        SaveUbBouquet();
    }
    state.counters["entries"] = static_cast<double>(set.bouquetEntries);
}

// As a folder save writes them: into the empty staging folder, so every file
// is new.
void BM_SaveBouquetsNewFiles(benchmark::State& state)
{
    const GeneratedSet& set = SetOf(static_cast<int>(state.range(0)));
    const fs::path out = set.dir / "staged";
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(out);
        fs::create_directories(out);
        TheSaveDir = out.string();
        state.ResumeTiming();
        SaveUbList();
        SaveUbBouquet();
    }
    state.counters["entries"] = static_cast<double>(set.bouquetEntries);
}

} // namespace

BENCHMARK(BM_LoadProviders)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveProviders)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadBouquets)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveBouquets)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveBouquetsNewFiles)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);
