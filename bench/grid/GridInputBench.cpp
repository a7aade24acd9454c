// Input work on a 100,000-row grid: select all and delete, and one key of
// type-to-search that finds only the last row (scrolling included).

#include <benchmark/benchmark.h>

#include <QApplication>

#include <string>

#include "grid/CfGrid.h"
#include "platform/Timer.h"

namespace {

constexpr int kRows = 100000;

// An 800 x 600 grid with the service list's eight columns.
std::unique_ptr<TCfGrid> MakeGrid() {
  auto grid = std::make_unique<TCfGrid>();
  grid->SetBorderStyle(cf::TBorderStyle::bsNone);
  grid->resize(800, 600);
  grid->SetOptions(goHeader | goGrid | goIndicator | goSelectFullRow | goMultiSelect);
  for (int c = 0; c < 8; ++c) grid->Columns().Add<TCfTextColumn>()->SetWidth(95);
  grid->Columns().Item(0)->SetOptions(grid->Columns().Item(0)->Options() | coSearchColumn);
  return grid;
}

void Fill(TCfGrid& grid) {
  grid.BeginUpdate();
  grid.AddRow(kRows);
  for (int r = 0; r < kRows; ++r) {
    grid.SetCells(0, r, "Service " + std::to_string(r));
    grid.SetCells(2, r, "ARD");
  }
  grid.SetCells(0, kRows - 1, "Zebra TV");
  grid.EndUpdate();
}

void BM_SelectAllAndDelete(benchmark::State& state) {
  auto grid = MakeGrid();
  for (auto _ : state) {
    state.PauseTiming();
    Fill(*grid);
    grid->SetSelectedRow(kRows / 2);
    state.ResumeTiming();
    grid->SelectAll();
    grid->DeleteSelectedRows();
    benchmark::DoNotOptimize(grid->RowCount());
  }
}
BENCHMARK(BM_SelectAllAndDelete)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SearchKeyFindsTheLastRow(benchmark::State& state) {
  cf::TManualClock clock;
  cf::SetClock(&clock);
  auto grid = MakeGrid();
  Fill(*grid);
  for (auto _ : state) {
    state.PauseTiming();
    clock.Advance(800);  // the previous search text has expired
    grid->SetSelectedRow(0);
    grid->ScrollToRow(0);
    state.ResumeTiming();
    char32_t key = U'z';
    grid->KeyPress(key);
    benchmark::DoNotOptimize(grid->SelectedRow());
  }
  if (grid->SelectedRow() != kRows - 1) state.SkipWithError("the last row was not found");
  grid.reset();
  cf::SetClock(nullptr);
}
BENCHMARK(BM_SearchKeyFindsTheLastRow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QT_FONT_DPI", "96", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
