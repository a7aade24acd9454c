#include "grid/CfCells.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <functional>
#include <cstdint>
#include <new>
#include <string_view>

#include "grid/CellSort.h"
#include "grid/CfColumns.h"

TCells::TCells(TCellsGrid* grid, TCfColumns* columns) : FGrid(grid), FColumns(columns) {}

TCells::~TCells() {
  ClearRows();
  ReleaseSpareBlocks();
}

void TCells::ReleaseSpareBlocks() {
  for (void* block : FSpareBlocks) ::operator delete(block);
  FSpareBlocks.clear();
}

void TCells::CheckRow(int ARow) const {
  if (ARow < 0 || ARow >= RowCount()) throw EListError("List index out of bounds (" + std::to_string(ARow) + ")");
}

void TCells::CheckCol(int ACol) const {
  if (ACol < 0 || ACol >= ColumnCount())
    throw EListError("List index out of bounds (" + std::to_string(ACol) + ")");
}

TCfCustomColumn* TCells::ColumnAt(int slot) const {
  if (!FColumns || slot < 0 || slot >= FColumns->Count()) return nullptr;
  return FColumns->Item(slot);
}

namespace {

// A column's data kind; a slot without a column holds text.
std::uint8_t KindOf(const TCfCustomColumn* column) { return column ? column->Kind() : 8; }

// Row indexes in the order of the rows' addresses. A refill lays a hundred
// thousand rows out this way before it writes them, so this is a radix sort
// of the addresses (three passes over the rows for a block of some hundred
// megabytes) rather than a comparison sort.
std::vector<std::uint32_t> MemoryOrder(const std::vector<TRow*>& rows) {
  const size_t n = rows.size();
  std::vector<std::uint32_t> order(n);
  if (n == 0) return order;
  std::uintptr_t lo = UINTPTR_MAX, hi = 0, bits = 0;
  for (const TRow* r : rows) {
    const auto a = reinterpret_cast<std::uintptr_t>(r);
    lo = std::min(lo, a);
    hi = std::max(hi, a);
  }
  for (const TRow* r : rows) bits |= reinterpret_cast<std::uintptr_t>(r) - lo;
  const int shift = bits == 0 ? 0 : std::countr_zero(bits);
  const std::uintptr_t span = (hi - lo) >> shift;
  if (span > UINT32_MAX) {
    // Rows spread over more than the key holds: compare the addresses.
    for (size_t i = 0; i < n; ++i) order[i] = static_cast<std::uint32_t>(i);
    const std::less<const TRow*> before;
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return before(rows[a], rows[b]); });
    return order;
  }
  // Offset in the high half, row index in the low half.
  std::vector<std::uint64_t> keys(n), spare(n);
  for (size_t i = 0; i < n; ++i)
    keys[i] = (static_cast<std::uint64_t>((reinterpret_cast<std::uintptr_t>(rows[i]) - lo) >> shift) << 32) | i;
  constexpr int kDigit = 11;
  constexpr size_t kBuckets = size_t{1} << kDigit;
  const int width = std::bit_width(static_cast<std::uint64_t>(span));
  std::vector<std::uint32_t> counts(kBuckets);
  for (int at = 0; at < width; at += kDigit) {
    std::fill(counts.begin(), counts.end(), 0);
    const int s = 32 + at;
    for (std::uint64_t k : keys) ++counts[(k >> s) & (kBuckets - 1)];
    std::uint32_t sum = 0;
    for (std::uint32_t& c : counts) {
      const std::uint32_t here = c;
      c = sum;
      sum += here;
    }
    for (std::uint64_t k : keys) spare[counts[(k >> s) & (kBuckets - 1)]++] = k;
    keys.swap(spare);
  }
  for (size_t i = 0; i < n; ++i) order[i] = static_cast<std::uint32_t>(keys[i]);
  return order;
}

std::uint32_t RoundToCell(std::size_t bytes) {
  return static_cast<std::uint32_t>((bytes + kCellAlign - 1) / kCellAlign * kCellAlign);
}

}  // namespace

// Where each cell of a new row goes inside the row's block.
struct TCells::TRowLayout {
  std::vector<TCfCustomColumn*> columns;
  std::vector<std::uint8_t> kinds;
  std::vector<std::uint32_t> offsets;
  // What FinishCell gives each cell, read from the columns once per call
  // rather than once per cell (a column's font is worked out each time).
  std::vector<TFontStyles> styles;
  std::vector<TColor> colors;
  std::uint32_t bytes = 0;
};

TCells::TRowLayout TCells::Layout() const {
  TRowLayout layout;
  const size_t n = FColumnLists.size();
  layout.columns.reserve(n);
  layout.kinds.reserve(n);
  layout.offsets.reserve(n);
  layout.bytes = RoundToCell(sizeof(TRow));
  for (size_t c = 0; c < n; ++c) {
    TCfCustomColumn* column = ColumnAt(static_cast<int>(c));
    layout.columns.push_back(column);
    layout.kinds.push_back(KindOf(column));
    layout.offsets.push_back(layout.bytes);
    layout.bytes += static_cast<std::uint32_t>(CellSize(layout.kinds.back()));
    layout.styles.push_back(column ? column->Font().Style : TFontStyles{});
    layout.colors.push_back(column ? column->Color() : TColor{});
  }
  return layout;
}

void TCells::FinishCell(TCell* cell, TCfCustomColumn* column) {
  if (column) {
    cell->SetFontStyle(column->Font().Style);
    cell->SetColor({}, column->Color());
  }
  cell->SetFlags(static_cast<std::uint8_t>(cell->Flags() & ~TCell::kNoNotify));
}

std::unique_ptr<TCell> TCells::NewCell(TCfCustomColumn* column) {
  std::unique_ptr<TCell> cell = MakeCell(KindOf(column), this, column);
  FinishCell(cell.get(), column);
  return cell;
}

TCells::TCellList TCells::NewColumnList(int slot) {
  TCfCustomColumn* column = ColumnAt(slot);
  std::vector<std::unique_ptr<TCell>> made;
  made.reserve(FRows.size());
  for (size_t i = 0; i < FRows.size(); ++i) made.push_back(NewCell(column));
  TCellList list(made.size());
  for (size_t i = 0; i < made.size(); ++i) list[i] = made[i].release();
  return list;
}

TRow* TCells::NewRow(const TRowLayout& layout, TCell** cells) {
  void* block;
  if (!FSpareBlocks.empty() && FSpareBytes == layout.bytes) {
    block = FSpareBlocks.back();
    FSpareBlocks.pop_back();
  } else {
    block = ::operator new(layout.bytes);
  }
  TRow* row = new (block) TRow();
  row->Height = FDefaultRowHeight;
  row->FBlockBytes = layout.bytes;
  size_t made = 0;
  try {
    for (; made < layout.kinds.size(); ++made) {
      TCell* cell =
          MakeCellAt(static_cast<char*>(block) + layout.offsets[made], layout.kinds[made], this, layout.columns[made]);
      cells[made] = cell;
      // As FinishCell does, from the values read once.
      if (layout.columns[made]) {
        cell->SetFontStyle(layout.styles[made]);
        cell->SetColor({}, layout.colors[made]);
      }
      cell->SetFlags(static_cast<std::uint8_t>(cell->Flags() & ~TCell::kNoNotify));
    }
  } catch (...) {
    for (size_t c = 0; c < made; ++c) cells[c]->~TCell();
    FreeRow(row);
    throw;
  }
  return row;
}

void TCells::DestroyCell(const TRow* row, TCell* cell) {
  const auto at = reinterpret_cast<std::uintptr_t>(cell);
  const auto begin = reinterpret_cast<std::uintptr_t>(row);
  if (at >= begin && at < begin + row->FBlockBytes)
    cell->~TCell();
  else
    delete cell;
}

void TCells::FreeRow(TRow* row) {
  row->~TRow();
  ::operator delete(static_cast<void*>(row));
}

void TCells::DestroyRow(size_t ARow) {
  TRow* row = FRows[ARow];
  for (auto& list : FColumnLists) DestroyCell(row, list[ARow]);
  // The block is kept for the next row of its size: a filter switch drops
  // and adds back thousands of rows, and handing each block to the
  // allocator and asking for it again costs more than the rows' contents.
  const std::uint32_t bytes = row->FBlockBytes;
  if (FSpareBlocks.size() < kMaxSpareBlocks) {
    if (FSpareBytes != bytes) {
      ReleaseSpareBlocks();
      FSpareBytes = bytes;
    }
    row->~TRow();
    FSpareBlocks.push_back(row);
    return;
  }
  FreeRow(row);
}

void TCells::PopRowsTo(size_t count) {
  while (FRows.size() > count) {
    DestroyRow(FRows.size() - 1);
    FRows.pop_back();
    for (auto& list : FColumnLists) list.pop_back();
  }
}

TCellRef TCells::GetCell(int ACol, int ARow) {
  CheckCol(ACol);
  CheckRow(ARow);
  return TCellRef(*FColumnLists[ACol][ARow], ACol, ARow);
}

TRow& TCells::GetRow(int ARow) {
  CheckRow(ARow);
  return *FRows[ARow];
}

int TCells::IndexOfRow(const TRow* row) const {
  for (size_t i = 0; i < FRows.size(); ++i)
    if (FRows[i] == row) return static_cast<int>(i);
  return -1;
}

int TCells::DescendantCount(int ARow) {
  CheckRow(ARow);
  const int level = FRows[ARow]->Level;
  int i = ARow + 1;
  while (i < RowCount() && FRows[i]->Level > level) ++i;
  return i - ARow - 1;
}

int TCells::ChildRowCount(int ARow) {
  CheckRow(ARow);
  const int level = FRows[ARow]->Level;
  int count = 0;
  for (int i = ARow + 1; i < RowCount() && FRows[i]->Level > level; ++i)
    if (FRows[i]->Level == level + 1) ++count;
  return count;
}

void TCells::AddRows(int Count) {
  FIsSorted = false;
  if (Count <= 0) return;
  const size_t oldCount = FRows.size();
  const size_t newCount = oldCount + static_cast<size_t>(Count);
  const TRowLayout layout = Layout();
  // Room first, then rows: a failure leaves the store as it was.
  FRows.reserve(newCount);
  for (auto& list : FColumnLists) list.reserve(newCount);
  std::vector<TCell*> cells(FColumnLists.size());
  try {
    for (int i = 0; i < Count; ++i) {
      TRow* row = NewRow(layout, cells.data());
      FRows.push_back(row);
      for (size_t c = 0; c < FColumnLists.size(); ++c) FColumnLists[c].push_back(cells[c]);
    }
  } catch (...) {
    PopRowsTo(oldCount);
    throw;
  }
  FShownRowCount += Count;
}

TRow* TCells::InsertNewRow(int ARow) {
  FRows.reserve(FRows.size() + 1);
  for (auto& list : FColumnLists) list.reserve(list.size() + 1);
  std::vector<TCell*> cells(FColumnLists.size());
  // The row is whole before it goes in, so a failure changes nothing.
  TRow* row = NewRow(Layout(), cells.data());
  for (size_t c = 0; c < FColumnLists.size(); ++c) FColumnLists[c].insert(FColumnLists[c].begin() + ARow, cells[c]);
  FRows.insert(FRows.begin() + ARow, row);
  return row;
}

void TCells::InsertRow(int ARow) {
  if (ARow != RowCount()) CheckRow(ARow);
  InsertNewRow(ARow);
  ++FShownRowCount;
  FIsSorted = false;
}

void TCells::AddChildRow(int AParent, int APosition) {
  CheckRow(AParent);
  if (APosition != RowCount()) CheckRow(APosition);
  TRow* parent = FRows[AParent];
  TRow* row = InsertNewRow(APosition);
  row->ParentRow = parent;
  row->FShown = parent->Expanded;
  row->Level = parent->Level + 1;
  if (row->Displayed()) ++FShownRowCount;
  ++parent->ChildCount;
  // A new row among sorted ones breaks the order.
  FIsSorted = false;
}

void TCells::DeleteRow(int ARow) {
  CheckRow(ARow);
  TRow* row = FRows[ARow];
  if (row->Displayed()) --FShownRowCount;
  if (row->ChildCount > 0) {
    // Children the caller left behind must not point at a freed row.
    for (TRow* r : FRows)
      if (r->ParentRow == row) r->ParentRow = nullptr;
  }
  DestroyRow(static_cast<size_t>(ARow));
  for (auto& list : FColumnLists) list.erase(list.begin() + ARow);
  FRows.erase(FRows.begin() + ARow);
}

void TCells::ClearRows() {
  PopRowsTo(0);
  FShownRowCount = 0;
  FIsSorted = false;
}

void TCells::MoveRow(int AFrom, int ATo) {
  CheckRow(AFrom);
  CheckRow(ATo);
  auto move = [&](auto& list) {
    if (AFrom < ATo)
      std::rotate(list.begin() + AFrom, list.begin() + AFrom + 1, list.begin() + ATo + 1);
    else if (AFrom > ATo)
      std::rotate(list.begin() + ATo, list.begin() + AFrom, list.begin() + AFrom + 1);
  };
  for (auto& list : FColumnLists) move(list);
  move(FRows);
  FIsSorted = false;
}

void TCells::ExchangeRows(int A, int B) {
  CheckRow(A);
  CheckRow(B);
  for (auto& list : FColumnLists) std::swap(list[A], list[B]);
  std::swap(FRows[A], FRows[B]);
  FIsSorted = false;
}

void TCells::SetShown(int ARow, bool Value) {
  TRow& row = GetRow(ARow);
  if (row.FShown == Value) return;
  row.FShown = Value;
  if (row.FVisible) FShownRowCount += Value ? 1 : -1;
}

void TCells::SetVisible(int ARow, bool Value) {
  TRow& row = GetRow(ARow);
  if (row.FVisible == Value) return;
  row.FVisible = Value;
  if (row.FShown) FShownRowCount += Value ? 1 : -1;
}

void TCells::ColumnChanged(int Kind, int Index, int NewIndex) {
  switch (Kind & 0x7F) {
    case ccAdd: {
      if (!FColumns || FColumns->Count() == 0) return;
      // The new list takes the kind of the column just added, the last one.
      FColumnLists.push_back(NewColumnList(FColumns->Count() - 1));
      break;
    }
    case ccDelete:
      CheckCol(Index);
      for (size_t i = 0; i < FRows.size(); ++i) DestroyCell(FRows[i], FColumnLists[Index][i]);
      FColumnLists.erase(FColumnLists.begin() + Index);
      if (FSortedColumn == Index)
        FIsSorted = false;
      else if (FSortedColumn > Index)
        --FSortedColumn;
      if (FColumnLists.empty()) ClearRows();
      break;
    case ccClear:
      ClearRows();
      FColumnLists.clear();
      break;
    case ccInsert: {
      if (Index != ColumnCount()) CheckCol(Index);
      TCellList list = NewColumnList(Index);
      FColumnLists.insert(FColumnLists.begin() + Index, std::move(list));
      if (FSortedColumn >= Index) ++FSortedColumn;
      FIsSorted = false;
      break;
    }
    case ccMove: {
      CheckCol(Index);
      CheckCol(NewIndex);
      if (Index < NewIndex)
        std::rotate(FColumnLists.begin() + Index, FColumnLists.begin() + Index + 1,
                    FColumnLists.begin() + NewIndex + 1);
      else if (Index > NewIndex)
        std::rotate(FColumnLists.begin() + NewIndex, FColumnLists.begin() + Index,
                    FColumnLists.begin() + Index + 1);
      // The sort state follows its column to the new slot.
      if (FSortedColumn == Index)
        FSortedColumn = NewIndex;
      else if (Index < FSortedColumn && FSortedColumn <= NewIndex)
        --FSortedColumn;
      else if (NewIndex <= FSortedColumn && FSortedColumn < Index)
        ++FSortedColumn;
      break;
    }
    default:
      break;
  }
}

void TCells::CellChanged(int ACol, int ARow) {
  // The flag goes first so that a handler that raises cannot leave a
  // changed store marked sorted.
  FIsSorted = false;
  if (OnCellChange) OnCellChange(ACol, ARow);
}

// ---- sorting -----------------------------------------------------------

void TCells::LayRowsInMemoryOrder() {
  for (const TRow* r : FRows)
    if (r->ParentRow || r->ChildCount > 0) return;
  const std::less<const TRow*> before;
  if (std::is_sorted(FRows.begin(), FRows.end(), before)) return;
  std::vector<std::uint32_t> order = MemoryOrder(FRows);
  ApplyOrder(order);
  FIsSorted = false;
}

void TCells::ReverseRows() {
  for (auto& list : FColumnLists) std::reverse(list.begin(), list.end());
  std::reverse(FRows.begin(), FRows.end());
}

void TCells::ApplyOrder(const std::vector<std::uint32_t>& order) {
  const size_t n = order.size();
  TCellList cells(n);
  for (auto& list : FColumnLists) {
    for (size_t i = 0; i < n; ++i) cells[i] = list[order[i]];
    list.swap(cells);
  }
  std::vector<TRow*> rows(n);
  for (size_t i = 0; i < n; ++i) rows[i] = FRows[order[i]];
  FRows.swap(rows);
}

namespace {

// NaN sorts after every number so the order stays total.
int CompareDouble(double a, double b) {
  const bool na = std::isnan(a), nb = std::isnan(b);
  if (na || nb) return na == nb ? 0 : (na ? 1 : -1);
  return a < b ? -1 : (a > b ? 1 : 0);
}

// Cells live apart on the heap and, after a few sorts, in no particular
// order: fetching a few ahead hides most of the wait when keys are read.
template <class List>
inline void Prefetch(const List& list, size_t i) {
  constexpr size_t kAhead = 8;
  if (i + kAhead < list.size()) __builtin_prefetch(list[i + kAhead]);
}

// A key next to the index of its row, so that sorting walks one array.
template <class Key>
struct Keyed {
  Key key;
  std::uint32_t index;
};

template <class Key, class Cmp>
std::vector<std::uint32_t> OrderByKeys(std::vector<Keyed<Key>>& items, Cmp cmp, bool descending) {
  if (descending)
    cellsort::StableOrder(items, [&](const Keyed<Key>& a, const Keyed<Key>& b) { return cmp(a, b) > 0; });
  else
    cellsort::StableOrder(items, [&](const Keyed<Key>& a, const Keyed<Key>& b) { return cmp(a, b) < 0; });
  std::vector<std::uint32_t> order(items.size());
  for (size_t i = 0; i < items.size(); ++i) order[i] = items[i].index;
  return order;
}

}  // namespace

std::vector<std::uint32_t> TCells::SortOrder(int ACol, TSortType SortType, bool Descending) {
  const size_t n = FRows.size();
  std::vector<std::uint32_t> order(n);
  for (size_t i = 0; i < n; ++i) order[i] = static_cast<std::uint32_t>(i);
  if (n < 2) return order;  // nothing to compare
  const TCellList& list = FColumnLists[ACol];
  auto at = [&](size_t i) { return TCellAt{ACol, static_cast<int>(i)}; };
  auto index = [](size_t i) { return static_cast<std::uint32_t>(i); };

  switch (SortType) {
    case stAlphabetic:
    case stCaseInsensitive: {
      // Every text is read once into one buffer as its weights, so the
      // comparisons walk that buffer instead of cells all over the heap.
      // The first eight bytes decide most comparisons without a text access.
      const bool fold = SortType == stCaseInsensitive;
      std::string weights;
      std::vector<std::uint32_t> start(n + 1);
      std::vector<Keyed<std::uint64_t>> items(n);
      for (size_t i = 0; i < n; ++i) {
        Prefetch(list, i);
        const TCell* cell = list[i];
        start[i] = static_cast<std::uint32_t>(weights.size());
        if (const std::string* stored = cell->StoredText())
          cellsort::AppendWeights(weights, *stored, fold);
        else
          cellsort::AppendWeights(weights, cell->GetAsString(at(i)), fold);
        if (weights.size() > UINT32_MAX) throw EListError("Texts too long to sort");
      }
      start[n] = static_cast<std::uint32_t>(weights.size());
      const std::string_view all(weights);
      auto text = [&](std::uint32_t i) { return all.substr(start[i], start[i + 1] - start[i]); };
      // Texts that share their first eight bytes ("Service 1..", "Sky
      // Sport ..") are mostly told apart by the next eight, kept aside in
      // one array rather than read from the texts.
      std::vector<std::uint64_t> next(n);
      for (size_t i = 0; i < n; ++i) {
        const std::string_view t = text(index(i));
        items[i] = {cellsort::WeightPrefix(t), index(i)};
        next[i] = t.size() > 8 ? cellsort::WeightPrefix(t.substr(8)) : 0;
      }
      return OrderByKeys(
          items,
          [&](const Keyed<std::uint64_t>& a, const Keyed<std::uint64_t>& b) {
            if (a.key != b.key) return a.key < b.key ? -1 : 1;
            if (next[a.index] != next[b.index]) return next[a.index] < next[b.index] ? -1 : 1;
            return cellsort::CompareWeights(text(a.index), text(b.index));
          },
          Descending);
    }
    case stBoolean: {
      // Two keys: a stable split is the whole sort.
      std::vector<std::uint8_t> keys(n);
      for (size_t i = 0; i < n; ++i) keys[i] = list[i]->GetAsBoolean(at(i)) ? 1 : 0;
      const std::uint8_t first = Descending ? 1 : 0;
      size_t k = 0;
      for (size_t i = 0; i < n; ++i)
        if (keys[i] == first) order[k++] = index(i);
      for (size_t i = 0; i < n; ++i)
        if (keys[i] != first) order[k++] = index(i);
      return order;
    }
    case stNumeric:
    case stDate: {
      std::vector<Keyed<double>> items(n);
      for (size_t i = 0; i < n; ++i) {
        Prefetch(list, i);
        items[i] = {SortType == stNumeric ? list[i]->GetAsFloat(at(i)) : list[i]->GetAsDateTime(at(i)), index(i)};
      }
      return OrderByKeys(
          items, [](const Keyed<double>& a, const Keyed<double>& b) { return CompareDouble(a.key, b.key); },
          Descending);
    }
    case stIP: {
      std::vector<Keyed<cellsort::TIpAddress>> items(n);
      for (size_t i = 0; i < n; ++i) items[i] = {cellsort::ParseIp(list[i]->GetAsString(at(i))), index(i)};
      // The greater address comes first in an ascending sort.
      return OrderByKeys(
          items,
          [](const Keyed<cellsort::TIpAddress>& a, const Keyed<cellsort::TIpAddress>& b) {
            return cellsort::CompareIp(a.key, b.key);
          },
          !Descending);
    }
    case stCustom: {
      auto compare = [&](std::uint32_t a, std::uint32_t b) {
        // A handler that adds or removes rows would leave the indexes pointing nowhere.
        if (list.size() != n || FRows.size() != n) throw EListError("Rows changed while sorting");
        int result = 0;
        if (OnCompare)
          OnCompare(TCellRef(*list[a], ACol, static_cast<int>(a)), TCellRef(*list[b], ACol, static_cast<int>(b)),
                    result);
        return result;
      };
      if (Descending)
        cellsort::StableOrder(order, [&](std::uint32_t a, std::uint32_t b) { return compare(a, b) > 0; });
      else
        cellsort::StableOrder(order, [&](std::uint32_t a, std::uint32_t b) { return compare(a, b) < 0; });
      return order;
    }
  }
  return order;
}

void TCells::Sort(int ACol, TSortType SortType, bool FullResort, bool Descending) {
  CheckCol(ACol);
  if (FIsSorted && FSortedColumn == ACol && FSortedType == SortType && FSortDescending != Descending &&
      !FullResort) {
    // Re-sorting the sorted column the other way round: reverse in place.
    FSortDescending = Descending;
    ReverseRows();
  } else {
    // Keys are read and ordered before anything moves: a failing key or
    // compare handler leaves the rows and the sort state untouched.
    std::vector<std::uint32_t> order = SortOrder(ACol, SortType, Descending);
    FSortDescending = Descending;
    ApplyOrder(order);
  }
  FSortedColumn = ACol;
  FSortedType = SortType;
  FIsSorted = true;
}
