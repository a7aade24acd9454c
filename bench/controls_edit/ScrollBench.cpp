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

QApplication& App()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(argc, argv);
    return app;
}

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
    App();
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
    App();
    Fixture f;
    for (auto _ : state)
        f.combo.List()->Render();
}
BENCHMARK(BM_FullRepaint);

} // namespace
