// How the folder load grows with the size of the set: generated folders of
// 50,000, 100,000 and 200,000 services. Google Benchmark times warm repeats;
// before that, every size is loaded once more in a fresh process of its own
// (what a user gets on opening a folder), which also gives the peak memory
// of one load. At the end a table prints the first and warm times, the
// lamedb load against reading and splitting the file into lines, the growth
// from one size to the next, and the save.

#include "GeneratedFolder.h"

#include "settings/BouquetFiles.h"
#include "settings/FolderIO.h"
#include "settings/ListFileIo.h"
#include "settings/ServicesFile.h"
#include "settings/TextFile.h"
#include "settings/Unit_lib.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const int kSizes[] = {50000, 100000, 200000};

struct TScratch {
    fs::path root;
    TScratch()
    {
        std::random_device rd;
        root = fs::temp_directory_path() / ("chanforge-scale-" + std::to_string(::getpid()) + "-" +
                                            std::to_string(rd()));
        fs::create_directories(root);
    }
    ~TScratch()
    {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

TScratch& Scratch()
{
    static TScratch s;
    return s;
}

fs::path FolderOf(int services)
{
    const fs::path dir = Scratch().root / ("set-" + std::to_string(services));
    if (!fs::exists(dir / "lamedb"))
        genfolder::Write(dir, services);
    return dir;
}

double Ms(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

template <class F>
double MedianMs(int repeats, F&& f)
{
    std::vector<double> t;
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        f();
        t.push_back(Ms(std::chrono::steady_clock::now() - start));
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

bool LoadFolder(const fs::path& dir)
{
    TheLoadDir = dir.string();
    return VerFile() && OpenFile();
}

std::size_t ReadAndSplit(const fs::path& file)
{
    const std::string text = ReadWholeFile(file.string());
    return SplitListLines(text).size();
}

void LoadLamedb(const fs::path& file)
{
    ClearModel();
    LoadTp(Transponders, file.string());
    LoadChannel(Services, Transponders, true, file.string());
}

void BM_ReadAndSplitLamedb(benchmark::State& state)
{
    const fs::path file = FolderOf(static_cast<int>(state.range(0))) / "lamedb";
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadAndSplit(file));
}

void BM_LoadLamedb(benchmark::State& state)
{
    const fs::path file = FolderOf(static_cast<int>(state.range(0))) / "lamedb";
    for (auto _ : state) {
        LoadLamedb(file);
        benchmark::DoNotOptimize(Services.data());
    }
}

void BM_LoadFolder(benchmark::State& state)
{
    const fs::path dir = FolderOf(static_cast<int>(state.range(0)));
    for (auto _ : state)
        if (!LoadFolder(dir))
            state.SkipWithError("load failed");
    state.counters["services"] = static_cast<double>(Services.size());
}

void BM_SaveFolder(benchmark::State& state)
{
    const fs::path dir = FolderOf(static_cast<int>(state.range(0)));
    if (!LoadFolder(dir))
        state.SkipWithError("load failed");
    const fs::path out = Scratch().root / ("out-" + std::to_string(state.range(0)));
    fs::create_directories(out);
    TheSaveDir = out.string();
    for (auto _ : state)
        if (!SaveFile())
            state.SkipWithError("save failed");
}

BENCHMARK(BM_ReadAndSplitLamedb)->Arg(50000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLamedb)->Arg(50000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFolder)->Arg(50000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFolder)->Arg(50000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

// The child's side of a fresh-process load: one load of `dir`, then its
// time and the peak resident memory on stdout.
int FirstLoadChild(const char* dir)
{
    const auto start = std::chrono::steady_clock::now();
    const bool ok = LoadFolder(dir);
    const double ms = Ms(std::chrono::steady_clock::now() - start);
    struct rusage ru {};
    ::getrusage(RUSAGE_SELF, &ru);
    std::printf("%.3f %ld %zu\n", ms, ru.ru_maxrss, Services.size());
    return ok ? 0 : 1;
}

struct TFirst {
    double ms = 0;
    long peakKb = 0;
};

TFirst FirstLoadInFreshProcess(const fs::path& dir)
{
    int pipeFd[2];
    if (::pipe(pipeFd) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeFd[1], STDOUT_FILENO);
        ::close(pipeFd[0]);
        ::close(pipeFd[1]);
        ::execl("/proc/self/exe", "bench_folder_scale", "--first-load", dir.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeFd[1]);
    char buf[128] = {};
    const ssize_t n = ::read(pipeFd[0], buf, sizeof buf - 1);
    ::close(pipeFd[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    TFirst r;
    if (n > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0)
        std::sscanf(buf, "%lf %ld", &r.ms, &r.peakKb);
    return r;
}

void PrintTable()
{
    struct TRow {
        double split = 0, lamedb = 0, bouquets = 0, folder = 0, save = 0;
        TFirst first;
    };
    std::map<int, TRow> rows;
    for (int n : kSizes) {
        const fs::path dir = FolderOf(n);
        TRow& r = rows[n];
        r.first = FirstLoadInFreshProcess(dir); // before this process has read anything of it
        r.split = MedianMs(7, [&] { benchmark::DoNotOptimize(ReadAndSplit(dir / "lamedb")); });
        r.lamedb = MedianMs(7, [&] { LoadLamedb(dir / "lamedb"); });
        LoadFolder(dir);
        r.bouquets = MedianMs(7, [&] {
            TheLoadDir = dir.string();
            Load_UB_Tv();
            Load_UB_Radio();
        });
        r.folder = MedianMs(7, [&] { LoadFolder(dir); });
        const fs::path out = Scratch().root / ("table-out-" + std::to_string(n));
        fs::create_directories(out);
        TheSaveDir = out.string();
        r.save = MedianMs(5, [] { SaveFile(); });
    }
    std::printf("\n%9s %10s %10s %7s %10s %10s %10s %9s %10s\n", "services", "split ms", "lamedb ms", "ratio",
                "bouquets", "folder ms", "first ms", "peak MB", "save ms");
    for (const auto& [n, r] : rows)
        std::printf("%9d %10.2f %10.2f %7.2f %10.2f %10.2f %10.2f %9.1f %10.2f\n", n, r.split, r.lamedb,
                    r.lamedb / r.split, r.bouquets, r.folder, r.first.ms, r.first.peakKb / 1024.0, r.save);
    std::printf("\ngrowth per doubling  %10s %10s %10s %10s %10s\n", "lamedb", "bouquets", "folder", "first", "save");
    for (std::size_t i = 1; i < std::size(kSizes); ++i) {
        const TRow& a = rows[kSizes[i - 1]];
        const TRow& b = rows[kSizes[i]];
        std::printf("%7d / %-7d      %10.2f %10.2f %10.2f %10.2f %10.2f\n", kSizes[i], kSizes[i - 1],
                    b.lamedb / a.lamedb, b.bouquets / a.bouquets, b.folder / a.folder, b.first.ms / a.first.ms,
                    b.save / a.save);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--first-load") == 0)
        return FirstLoadChild(argv[2]);
    for (int n : kSizes)
        FolderOf(n);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintTable();
    ClearModel();
    return 0;
}
