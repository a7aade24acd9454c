// Filling and sorting the cell store at the sizes of a large service list.

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "grid/CfCells.h"
#include "grid/CfColumnClasses.h"
#include "grid/CfColumns.h"

namespace {

// The shape of the main service list: numbers, names, texts, a flag.
struct ServiceGrid {
  TCfColumns Columns;
  TCells Cells{nullptr, &Columns};

  ServiceGrid() {
    Columns.OnColumnsChange = [this](int kind, int index) { Cells.ColumnChanged(kind, index); };
    Columns.Add<TCfImageColumn>();      // 0 type image
    Columns.Add<TCfNumberColumn>();     // 1 running number
    Columns.Add<TCfTextColumn>();       // 2 name
    Columns.Add<TCfTextColumn>();       // 3 provider
    Columns.Add<TCfTextColumn>();       // 4 position
    Columns.Add<TCfCheckBoxColumn>();   // 5 flag
    Columns.Add<TCfTextColumn>();       // 6 SID text
    Columns.Add<TCfImageColumn>();      // 7 hidden index
  }

  void Fill(int n, unsigned seed) {
    const Data& d = DataFor(n, seed);
    Cells.AddRows(n);
    for (int r = 0; r < n; ++r) {
      const Row& v = d.rows[r];
      Cells.GetCell(0, r).SetAsInteger(v.type);
      Cells.GetCell(1, r).SetAsFloat(r + 1);
      Cells.GetCell(2, r).SetAsString(v.name);
      Cells.GetCell(3, r).SetAsString(v.provider);
      Cells.GetCell(4, r).SetAsString(v.position);
      Cells.GetCell(5, r).SetAsBoolean(v.flag);
      Cells.GetCell(6, r).SetAsString(v.sid);
      Cells.GetCell(7, r).SetAsInteger(r);
    }
  }

 private:
  // Row values are made once per size, outside the timings.
  struct Row {
    int type;
    std::string name, provider, position, sid;
    bool flag;
  };
  struct Data {
    std::vector<Row> rows;
  };
  static const Data& DataFor(int n, unsigned seed) {
    static std::map<std::pair<int, unsigned>, Data> cache;
    Data& d = cache[{n, seed}];
    if (!d.rows.empty()) return d;
    std::mt19937 rng(seed);
    for (int r = 0; r < n; ++r) {
      Row v;
      for (int k = 4 + static_cast<int>(rng() % 12); k > 0; --k)
        v.name += static_cast<char>((rng() % 4 ? 'a' : 'A') + rng() % 26);
      v.type = static_cast<int>(rng() % 5);
      v.provider = rng() % 2 ? "ARD" : "ZDFvision";
      v.position = std::to_string(rng() % 3600 / 10) + ".0E";
      v.flag = rng() % 2;
      v.sid = std::to_string(rng() % 65536);
      d.rows.push_back(std::move(v));
    }
    return d;
  }
};

// The whole job the requirement names: fill n rows of 8 columns, sort by name.
void BM_FillAndSort(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    auto g = std::make_unique<ServiceGrid>();
    g->Fill(n, 42);
    g->Cells.Sort(2, stCaseInsensitive, false, false);
    benchmark::DoNotOptimize(g->Cells.IsSorted());
    state.PauseTiming();  // freeing the store is not part of the job
    g.reset();
    state.ResumeTiming();
  }
  state.SetComplexityN(n);
}
BENCHMARK(BM_FillAndSort)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_Fill(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    auto g = std::make_unique<ServiceGrid>();
    g->Fill(n, 42);
    benchmark::DoNotOptimize(g->Cells.RowCount());
    state.PauseTiming();
    g.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Fill)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Sorting alone, by column and type; the store is refilled outside the timing.
void BM_Sort(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const int col = static_cast<int>(state.range(1));
  const auto type = static_cast<TSortType>(state.range(2));
  ServiceGrid g;
  g.Fill(n, 42);
  bool desc = false;
  for (auto _ : state) {
    // Alternate with the full-resort flag so every pass really sorts.
    g.Cells.Sort(col, type, true, desc);
    desc = !desc;
    benchmark::DoNotOptimize(g.Cells.IsSorted());
  }
  state.SetLabel(std::string(type == stCaseInsensitive ? "case-insensitive"
                             : type == stAlphabetic    ? "alphabetic"
                             : type == stNumeric       ? "numeric"
                                                       : "boolean") +
                 " col " + std::to_string(col));
}
BENCHMARK(BM_Sort)
    ->Args({100000, 2, stCaseInsensitive})
    ->Args({100000, 2, stAlphabetic})
    ->Args({100000, 1, stNumeric})
    ->Args({100000, 6, stNumeric})
    ->Args({100000, 5, stBoolean})
    ->Args({10000, 2, stCaseInsensitive})
    ->Unit(benchmark::kMillisecond);

// A header click on the sorted column: the rows are reversed in place.
void BM_FlipSortedColumn(benchmark::State& state) {
  ServiceGrid g;
  g.Fill(static_cast<int>(state.range(0)), 42);
  g.Cells.Sort(2, stCaseInsensitive, false, false);
  bool desc = true;
  for (auto _ : state) {
    g.Cells.Sort(2, stCaseInsensitive, false, desc);
    desc = !desc;
  }
}
BENCHMARK(BM_FlipSortedColumn)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
