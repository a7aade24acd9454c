// Painting a page of a large grid, and scrolling it by a line.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include <QApplication>
#include <QImage>

#include "grid/CfGrid.h"
#include "platform/Canvas.h"

namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "bench_grid_paint";
  static char* argv[] = {name, nullptr};
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (!std::getenv("QT_FONT_DPI")) setenv("QT_FONT_DPI", "96", 1);
  // Left to the process's end: widgets must not outlive it in static teardown.
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// 800 x 600 client, 8 columns, 100,000 rows like a large service list.
std::unique_ptr<TCfGrid> MakeGrid() {
  App();
  auto grid = std::make_unique<TCfGrid>();
  grid->SetBorderStyle(cf::TBorderStyle::bsNone);
  grid->resize(800, 600);
  grid->SetOptions(goHeader | goGrid | goIndicator | goFooter | goSelectFullRow | goMultiSelect);
  for (int c = 0; c < 8; ++c) {
    auto* column = grid->Columns().Add<TCfTextColumn>();
    column->SetWidth(95);
    column->Header().SetCaption("Column " + std::to_string(c));
  }
  grid->BeginUpdate();
  grid->AddRow(100000);
  for (int r = 0; r < 100000; ++r)
    for (int c = 0; c < 8; ++c) grid->Cell(c, r).SetAsString("cell " + std::to_string(r) + "/" + std::to_string(c));
  grid->EndUpdate();
  grid->SelectCell(1, 50010);
  grid->SetFocusOverride(1);
  grid->UpdateVertScrollBar();
  return grid;
}

TCfGrid& Grid() {
  static TCfGrid* grid = MakeGrid().release();  // lives as long as the process
  return *grid;
}

void BM_PaintPage(benchmark::State& state) {
  TCfGrid& grid = Grid();
  const int first = static_cast<int>(state.range(0));
  grid.VertScrollBar()->BeginUpdate();
  grid.VertScrollBar()->SetPosition(first);
  grid.VertScrollBar()->EndUpdate();
  // The position is set without scrolling; FirstRow follows by the walk.
  grid.GetVertScrollDelta(grid.FirstRow(), first);
  QImage image(grid.ClientWidth(), grid.ClientHeight(), QImage::Format_RGB32);
  for (auto _ : state) {
    cf::TCanvas canvas(&image);
    canvas.Font = grid.Font;
    grid.Paint(canvas);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["FirstRow"] = grid.FirstRow();
}
BENCHMARK(BM_PaintPage)->Arg(0)->Arg(50000)->Arg(99960)->Unit(benchmark::kMillisecond);

// The same page mid-list in each header style (0 is the default, hsAuto),
// with a sorted column so the styles' sort marks are drawn too.
void BM_PaintPageInStyle(benchmark::State& state) {
  TCfGrid& grid = Grid();
  grid.SetHeaderStyle(static_cast<THeaderStyle>(state.range(0)));
  grid.Columns().Item(1)->SetSorted(true);
  grid.VertScrollBar()->BeginUpdate();
  grid.VertScrollBar()->SetPosition(50000);
  grid.VertScrollBar()->EndUpdate();
  grid.GetVertScrollDelta(grid.FirstRow(), 50000);
  QImage image(grid.ClientWidth(), grid.ClientHeight(), QImage::Format_RGB32);
  for (auto _ : state) {
    cf::TCanvas canvas(&image);
    canvas.Font = grid.Font;
    grid.Paint(canvas);
    benchmark::DoNotOptimize(image.constBits());
  }
  grid.Columns().Item(1)->SetSorted(false);
  grid.SetHeaderStyle(hsAuto);
}
BENCHMARK(BM_PaintPageInStyle)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

// One line down and back up again: two scrolls per iteration.
void BM_ScrollOneLine(benchmark::State& state) {
  TCfGrid& grid = Grid();
  grid.VertScrollBar()->SetPosition(50000);
  grid.Render();
  for (auto _ : state) {
    grid.VertScrollBar()->SetPosition(50001);
    grid.VertScrollBar()->SetPosition(50000);
  }
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_ScrollOneLine)->Unit(benchmark::kMillisecond);

// A full repaint of the control's buffer, for comparison with the scroll.
void BM_FullRepaint(benchmark::State& state) {
  TCfGrid& grid = Grid();
  grid.VertScrollBar()->SetPosition(50000);
  for (auto _ : state) grid.RefreshAll();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
