// How the folder load grows with the size of the set: generated folders of
// 50,000, 100,000 and 200,000 services. Google Benchmark times warm repeats;
// then every size is loaded in three fresh processes of their own (what a
// user gets on opening a folder), which also give the peak memory of a
// process that loads it. At the end a table prints the first and warm times, the
// lamedb load against reading and splitting the file into lines, the growth
// from one size to the next, and the save. The table's times are processor
// times of the loading thread (median of several runs).

#include "GeneratedFolder.h"

#include "platform/LargeMemory.h"

#include "settings/BouquetFiles.h"
#include "settings/FolderIO.h"
#include "settings/ListFileIo.h"
#include "settings/ServicesFile.h"
#include "settings/TextFile.h"
#include "settings/Unit_lib.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

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

// Processor time of this thread: on a machine shared with other work the
// wall clock measures the neighbours as much as the load.
double CpuMs()
{
    timespec t {};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

template <class F>
double MedianMs(int repeats, F&& f)
{
    std::vector<double> t;
    for (int i = 0; i < repeats; ++i) {
        const double start = CpuMs();
        f();
        t.push_back(CpuMs() - start);
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
    LoadLamedb(file); // warm repeats: the first load of a size is the table's
    for (auto _ : state) {
        LoadLamedb(file);
        benchmark::DoNotOptimize(Services.data());
    }
}

void BM_LoadFolder(benchmark::State& state)
{
    const fs::path dir = FolderOf(static_cast<int>(state.range(0)));
    LoadFolder(dir); // warm repeats: the first load of a size is the table's
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

// Peak resident memory of this process's address space in KiB. Not
// ru_maxrss: Linux carries that over fork and exec, so a child would
// report the parent's peak (the warm runs at 200,000 services).
long PeakRssKb()
{
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f)
        return 0;
    long kb = 0;
    char line[256];
    while (std::fgets(line, sizeof line, f))
        if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1)
            break;
    std::fclose(f);
    return kb;
}

// The child's side of a fresh-process load: one load of `dir`, then its
// time, the peak resident memory before and after it, and the services.
int FirstLoadChild(const char* dir)
{
    const long before = PeakRssKb();
    const double start = CpuMs();
    const bool ok = LoadFolder(dir);
    const double ms = CpuMs() - start;
    std::printf("%.3f %ld %ld %zu\n", ms, PeakRssKb(), before, Services.size());
    return ok ? 0 : 1;
}

struct TFirst {
    double ms = 0;
    long peakKb = 0;  // peak of the whole process
    long startKb = 0; // of which the program before the load
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
        std::sscanf(buf, "%lf %ld %ld", &r.ms, &r.peakKb, &r.startKb);
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
        // Before this process has read anything of it; the median of three
        // fresh processes, and the largest peak of them.
        std::vector<TFirst> firsts;
        for (int i = 0; i < 3; ++i)
            firsts.push_back(FirstLoadInFreshProcess(dir));
        std::sort(firsts.begin(), firsts.end(), [](const TFirst& a, const TFirst& b) { return a.ms < b.ms; });
        r.first = firsts[1];
        for (const TFirst& f : firsts)
            r.first.peakKb = std::max(r.first.peakKb, f.peakKb);
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
    cf::TuneAllocatorForLargeSets(); // as the program does
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
