// Scrolling a list by one line moves the pixels and paints one row; a full
// repaint paints every row. Both on a 30-row drop-down list.

#include "controls/CfEdit.h"
#include "controls/CfPopupControl.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

using namespace cf;

namespace {


struct Fixture {
    TCfComboBox combo;
    Fixture()
    {
        std::vector<std::string> items;
        for (int i = 0; i < 200; ++i)
            items.push_back("Service number " + std::to_string(i));
        combo.SetItems(items);
        combo.DropDownCount = 30;
        combo.SetBounds(0, 0, 300, 21);
        combo.SetDropped(true, true);
        combo.List()->Render();
    }
};

void BM_ScrollOneLine(benchmark::State& state)
{
    Fixture f;
    TCfVertScrollBar* bar = f.combo.List()->ScrollBar();
    int step = 1;
    for (auto _ : state) {
        if (bar->Position() >= bar->Max() || (bar->Position() <= 0 && step < 0))
            step = -step;
        bar->MoveBy(step);
    }
}
BENCHMARK(BM_ScrollOneLine);

void BM_FullRepaint(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state)
        f.combo.List()->Render();
}
BENCHMARK(BM_FullRepaint);

} // namespace

// The application lives in main() and ends there, before the program's
// static objects: a function-local static one outlived the font and
// platform objects it depends on and crashed at exit.
int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
