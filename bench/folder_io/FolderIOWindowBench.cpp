// The same load with the main window's progress window showing it (offscreen):
// painting the progress must cost little next to the load itself.

#include "BenchSet.h"

#include "app/FolderUi.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_FONT_DPI", "96", 0);
    // Kept to the end of the process: Qt's own clean-up at exit needs it.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

void BM_LoadFolderWithProgressWindow(benchmark::State& state)
{
    App();
    cf::RegisterProgramFonts();
    QWidget main;
    main.setGeometry(0, 0, 1070, 700);
    main.show();
    cf::TCfProgress progress(&main);
    SetUpMainProgress(progress);
    TProgressWindowSink sink(progress, &main);
    TWidgetFolderWindow window(&main);
    benchset::BenchFolder& f = benchset::Folder();
    SetFolderUi({&sink, nullptr, &window});
    for (auto _ : state) {
        TheLoadDir = f.set.string();
        if (!VerFile() || !OpenFile())
            state.SkipWithError("load failed");
    }
    SetFolderUi({});
    state.counters["services"] = static_cast<double>(Services.size());
}
BENCHMARK(BM_LoadFolderWithProgressWindow)->Unit(benchmark::kMillisecond);

void BM_LoadFolderHeadless(benchmark::State& state)
{
    benchset::BenchFolder& f = benchset::Folder();
    for (auto _ : state) {
        TheLoadDir = f.set.string();
        if (!VerFile() || !OpenFile())
            state.SkipWithError("load failed");
    }
}
BENCHMARK(BM_LoadFolderHeadless)->Unit(benchmark::kMillisecond);

} // namespace
