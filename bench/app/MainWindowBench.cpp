// The main window on the offscreen platform: a real set loaded and shown, a
// generated 100,000-service folder loaded and shown, a filter switch on
// those 100,000 services, a paste of 10,000 services another running copy
// copied, and the delete of 10,000 of the 100,000 from the service list.

#include "bench/folder_io/BenchSet.h"

#include "app/ClipboardBlock.h"
#include "app/ClipboardFormat.h"
#include "app/Unit_Main.h"
#include "platform/Clipboard.h"
#include "controls/CfEdit.h"
#include "controls/ScriptedMessages.h"
#include "platform/LargeMemory.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_FONT_DPI", "96", 0);
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// A main window over a configuration of its own.
struct Window {
    fs::path root;
    cf::TScriptedMessages messages;
    std::unique_ptr<cf::TMessageServiceScope> scope;
    std::unique_ptr<TForm_Main> main;
    Window()
    {
        App();
        cf::RegisterProgramFonts();
        root = fs::temp_directory_path() / ("chanforge-bench-main-" + std::to_string(std::random_device{}()));
        fs::create_directories(root);
        setenv("CHANFORGE_CONFIG", (root / "config.ini").c_str(), 1);
        messages.Unscripted = cf::TScriptedMessages::TUnscripted::PressEnter;
        scope = std::make_unique<cf::TMessageServiceScope>(messages);
        main = std::make_unique<TForm_Main>();
        main->setWindowState(Qt::WindowNoState);
        main->SetBounds(0, 0, 1270, 760);
        main->Show();
    }
    ~Window()
    {
        main.reset();
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    bool Load(const fs::path& folder)
    {
        TheLoadDir = folder.string();
        return VerFile() && OpenFile();
    }
};

fs::path Multisat()
{
    const char* data = std::getenv("CHANFORGE_TESTDATA");
    const fs::path base = data ? fs::path(data) : fs::path(__FILE__).parent_path() / "../../tests/testdata";
    return base / "real" / "enigma2-v4-multisat";
}

// The generated folder of 100,000 services, written once and removed at
// exit (each run would otherwise leave one in the temporary folder).
const fs::path& HundredThousand()
{
    struct TFolder {
        fs::path path = fs::temp_directory_path() / ("chanforge-bench-100k-" + std::to_string(std::random_device{}()));
        TFolder()
        {
            fs::create_directories(path);
            benchset::BuildModel(100000, 8000, 300, 120);
            TheSaveDir = path.string();
            if (!SaveFile())
                std::abort();
            ClearModel();
        }
        ~TFolder()
        {
            std::error_code ec;
            fs::remove_all(path, ec);
        }
    };
    static const TFolder folder;
    return folder.path;
}

void BM_MultisatLoadedAndShown(benchmark::State& state)
{
    Window w;
    for (auto _ : state) {
        if (!w.Load(Multisat()))
            state.SkipWithError("load failed");
        QApplication::processEvents();
    }
    state.counters["services"] = static_cast<double>(w.main->LV_Serv->RowCount());
}
BENCHMARK(BM_MultisatLoadedAndShown)->Unit(benchmark::kMillisecond);

void BM_Generated100kLoadedAndShown(benchmark::State& state)
{
    const fs::path& folder = HundredThousand();
    Window w;
    for (auto _ : state) {
        if (!w.Load(folder))
            state.SkipWithError("load failed");
        QApplication::processEvents();
    }
    state.counters["services"] = static_cast<double>(w.main->LV_Serv->RowCount());
}
BENCHMARK(BM_Generated100kLoadedAndShown)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FilterSwitch100k(benchmark::State& state)
{
    const fs::path& folder = HundredThousand();
    Window w;
    if (!w.Load(folder)) {
        state.SkipWithError("load failed");
        return;
    }
    int type = 0;
    for (auto _ : state) {
        type = type == 0 ? 1 : 0; // "All" and "Television" in turn
        w.main->CB_Type->SetItemIndex(type);
        QApplication::processEvents();
    }
    state.counters["rows"] = static_cast<double>(w.main->LV_Serv->RowCount());
}
BENCHMARK(BM_FilterSwitch100k)->Unit(benchmark::kMillisecond);

// 10,000 services another copy put on the clipboard, none of them known
// here (their service ids are new), pasted into the service list.
void BM_Paste10000FromAnotherCopy(benchmark::State& state)
{
    const fs::path& folder = HundredThousand();
    Window w;
    cf::TMemoryClipboard mine(0x10);
    cf::TMemoryClipboard other(mine, 0x20);
    cf::SetClipboard(&mine);
    for (auto _ : state) {
        state.PauseTiming();
        if (!w.Load(folder)) {
            state.SkipWithError("load failed");
            break;
        }
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < 10000; ++i) {
            TY_ENIG_CH ch = Services[i];
            char sid[8];
            std::snprintf(sid, sizeof sid, "%04X", static_cast<unsigned>(0xC000 + i % 0x3FFF));
            ch.Sid = sid;
            ch.Name = "Pasted " + std::to_string(i);
            lines.push_back(ServiceLine(ch, Transponders[static_cast<std::size_t>(ch.TpIndex)], ch.TpIndex));
        }
        other.SetBlock(ClipboardFormat, EncodeBlock(other.OwnerHandle(), lines));
        state.ResumeTiming();
        w.main->Pop_Ch_PasteClick();
        QApplication::processEvents();
    }
    state.counters["rows"] = static_cast<double>(w.main->LV_Serv->RowCount());
    cf::SetClipboard(nullptr);
}
BENCHMARK(BM_Paste10000FromAnotherCopy)->Unit(benchmark::kMillisecond)->Iterations(3);

// 10,000 of 100,000 services selected in the service list and deleted (from
// the services and every bouquet), the list shown again.
void BM_Delete10000Of100000FromTheList(benchmark::State& state)
{
    const fs::path& folder = HundredThousand();
    Window w;
    for (auto _ : state) {
        state.PauseTiming();
        if (!w.Load(folder)) {
            state.SkipWithError("load failed");
            break;
        }
        w.main->LV_Serv->SelectRange(0, 9999, true);
        state.ResumeTiming();
        w.main->pop_ch_DeleteClick(); // the question is answered Yes
        QApplication::processEvents();
    }
    state.counters["rows"] = static_cast<double>(w.main->LV_Serv->RowCount());
}
BENCHMARK(BM_Delete10000Of100000FromTheList)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    cf::TuneAllocatorForLargeSets(); // as the program does, before its first allocation
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
