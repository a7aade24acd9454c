// TCfGrid's row operations: insert, delete (one row, the marked rows, rows
// from the top), move, child rows, expanding and sorting. The current row
// and the anchor follow their records while rows shift, so they never point
// at a record whose mark says otherwise.

#include <algorithm>

#include "grid/CfGrid.h"

using namespace cf;

namespace {

// Where a row of the old numbering lands once the runs are gone.
class TRunMap {
 public:
  explicit TRunMap(const std::vector<std::pair<int, int>>& runs) : FRuns(runs) {
    int total = 0;
    for (const auto& r : FRuns) {
      FBefore.push_back(total);
      total += r.second - r.first + 1;
    }
    FTotal = total;
  }
  int Total() const { return FTotal; }
  // Index of the first run that ends at or after Row.
  std::size_t RunAtOrAfter(int Row) const {
    auto it = std::lower_bound(FRuns.begin(), FRuns.end(), Row,
                               [](const std::pair<int, int>& r, int row) { return r.second < row; });
    return static_cast<std::size_t>(it - FRuns.begin());
  }
  bool Doomed(int Row) const {
    const std::size_t i = RunAtOrAfter(Row);
    return i < FRuns.size() && FRuns[i].first <= Row;
  }
  // Rows deleted before Row.
  int Before(int Row) const {
    const std::size_t i = RunAtOrAfter(Row);
    if (i == FRuns.size()) return FTotal;
    int n = FBefore[i];
    if (FRuns[i].first < Row) n += Row - FRuns[i].first;
    return n;
  }
  // The new index of an old row that stays (or of the first one after a
  // deleted row).
  int NewIndex(int Row) const { return Row - Before(Row); }
  // The first old row at or after Row that is not deleted.
  int NextKept(int Row) const {
    const std::size_t i = RunAtOrAfter(Row);
    if (i < FRuns.size() && FRuns[i].first <= Row) return FRuns[i].second + 1;
    return Row;
  }
  // The last old row at or before Row that is not deleted.
  int PriorKept(int Row) const {
    const std::size_t i = RunAtOrAfter(Row);
    if (i < FRuns.size() && FRuns[i].first <= Row) return FRuns[i].first - 1;
    return Row;
  }

 private:
  const std::vector<std::pair<int, int>>& FRuns;
  std::vector<int> FBefore;
  int FTotal = 0;
};

}  // namespace

void TCfGrid::RecountShownBounds() {
  const int count = FCells->RowCount();
  FFirstShownRow = FLastShownRow = 0;
  for (int r = 0; r < count; ++r)
    if (FCells->GetRow(r).Displayed()) {
      FFirstShownRow = r;
      break;
    }
  for (int r = count - 1; r >= 0; --r)
    if (FCells->GetRow(r).Displayed()) {
      FLastShownRow = r;
      break;
    }
}

// ---- insert ---------------------------------------------------------------------

void TCfGrid::InsertRow(int Index) {
  if (Index != FCells->RowCount()) FCells->GetRow(Index);  // an index outside raises
  TCfCustomGrid::InsertRow(Index);
  FLastAddedRow = Index;
  FCells->InsertRow(Index);
  if (FAnchorRow >= Index) ++FAnchorRow;
  if (FPlayRow >= Index) FPlayRow = -1;
  RecountShownBounds();
  InvalidatePage();
  if (!Updating()) RefreshAll();
  // The selection moves one row down wherever the new row went.
  SetSelectedRow(FSelectedRow + 1);
  UpdateVertScrollBar();
  if (OnDataChange) OnDataChange(this, dcRowInserted, Index);
}

// ---- delete ---------------------------------------------------------------------

void TCfGrid::DeleteRow(int Index) {
  FCells->GetRow(Index);  // an index outside raises
  const int last = Index + FCells->DescendantCount(Index);
  DeleteRowRuns({{Index, last}}, {Index});
}

void TCfGrid::DeleteSelectedRows() {
  const int count = FCells->RowCount();
  TRowRuns runs;
  std::vector<int> events;
  for (int r = 0; r < count;) {
    if (!FCells->GetRow(r).Selected) {
      ++r;
      continue;
    }
    // A marked row goes with its subtree; marked rows inside it still report.
    const int last = r + FCells->DescendantCount(r);
    for (int k = r; k <= last; ++k)
      if (FCells->GetRow(k).Selected) events.push_back(k);
    if (!runs.empty() && runs.back().second + 1 == r)
      runs.back().second = last;
    else
      runs.emplace_back(r, last);
    r = last + 1;
  }
  if (runs.empty()) return;
  std::reverse(events.begin(), events.end());
  DeleteRowRuns(runs, events);
}

void TCfGrid::SetStartRowCount(int Value) {
  if (Value < 0 || Value == FStartRowCount) return;
  if (Value > FStartRowCount) {
    AddRow(Value - FStartRowCount);
  } else {
    const int count = FCells->RowCount();
    int times = count > FStartRowCount ? FStartRowCount - Value : count - Value;
    // Rows leave from the top, one subtree a time, while any are left.
    int end = 0;
    std::vector<int> events;
    while (times-- > 0 && end < count) {
      end += FCells->DescendantCount(end) + 1;
      events.push_back(0);
    }
    if (end > 0) DeleteRowRuns({{0, end - 1}}, events);
  }
  FStartRowCount = Value;
  RefreshAll();
}

void TCfGrid::DeleteRowRuns(const TRowRuns& Runs, const std::vector<int>& Events) {
  EndEditing();
  const int count = FCells->RowCount();
  const TRunMap map(Runs);
  const int remaining = count - map.Total();
  auto displayed = [&](int oldRow) { return FCells->GetRow(oldRow).Displayed(); };

  // Where the current row goes: its own record, or when that goes, the
  // first shown row after it, else the last shown row before it.
  const int oldCurrent = FSelectedRow;
  const bool currentGone = oldCurrent >= 0 && oldCurrent < count && map.Doomed(oldCurrent);
  int newCurrent = oldCurrent;
  if (oldCurrent >= count) newCurrent = -1;
  if (oldCurrent >= 0 && oldCurrent < count && !currentGone) newCurrent = map.NewIndex(oldCurrent);
  if (currentGone) {
    newCurrent = -1;
    for (int r = map.NextKept(oldCurrent); r < count; r = map.NextKept(r + 1))
      if (displayed(r)) {
        newCurrent = map.NewIndex(r);
        break;
      }
    if (newCurrent < 0)
      for (int r = map.PriorKept(oldCurrent); r >= 0; r = map.PriorKept(r - 1))
        if (displayed(r)) {
          newCurrent = map.NewIndex(r);
          break;
        }
    // The leaving row is told while its record can still be read.
    if (OnDeselectCell) OnDeselectCell(this, FSelectedColumn, oldCurrent);
  }
  int newAnchor = FAnchorRow;
  if (FAnchorRow >= 0 && FAnchorRow < count)
    newAnchor = map.Doomed(FAnchorRow) ? newCurrent : map.NewIndex(FAnchorRow);
  const int newFirst = std::min(map.NewIndex(std::min(FFirstRow, count)), std::max(0, remaining - 1));

  if (Runs.size() == 1 && Runs[0].first == Runs[0].second) {
    // Children of a parent that stays: it has one child fewer.
    if (TRow* parent = FCells->GetRow(Runs[0].first).ParentRow) --parent->ChildCount;
    FCells->DeleteRow(Runs[0].first);
  } else {
    std::vector<std::uint8_t> doomed(static_cast<std::size_t>(count), 0);
    for (const auto& run : Runs) std::fill(doomed.begin() + run.first, doomed.begin() + run.second + 1, 1);
    FCells->DeleteRows(doomed);
  }

  FSelectedRow = newCurrent;
  FAnchorRow = newAnchor;
  if (currentGone && newCurrent >= 0 && !FRowsMarked && HasOption(goSelectFullRow))
    FCells->GetRow(newCurrent).Selected = true;
  if (remaining == 0) {
    FRowsMarked = false;
    FSelectedColumn = 0;
  }
  FPlayRow = FPlayCol = -1;
  FDragSourceRow = FDropRow = -1;
  FMouseCell = TPoint(-1, -1);
  if (FLastAddedRow >= remaining) FLastAddedRow = remaining - 1;
  FFirstRow = newFirst;
  RecountShownBounds();
  InvalidatePage();
  VertScrollBar()->BeginUpdate();
  VertScrollBar()->SetPosition(ShownRowsBetween(0, FFirstRow));
  VertScrollBar()->EndUpdate();
  RefreshAll();
  UpdateVertScrollBar();
  if (currentGone && newCurrent >= 0 && OnSelectCell) OnSelectCell(this, FSelectedColumn, newCurrent);
  if (OnDataChange)
    for (int e : Events) OnDataChange(this, dcRowDeleted, e);
}

// ---- move -------------------------------------------------------------------------

void TCfGrid::MoveRow(int FromPos, int ToPos) {
  TCfCustomGrid::MoveRow(FromPos, ToPos);
  if (FromPos == ToPos) return;
  FCells->MoveRow(FromPos, ToPos);
  auto follow = [&](int row) {
    if (row == FromPos) return ToPos;
    if (FromPos < ToPos && row > FromPos && row <= ToPos) return row - 1;
    if (FromPos > ToPos && row >= ToPos && row < FromPos) return row + 1;
    return row;
  };
  FSelectedRow = follow(FSelectedRow);
  FAnchorRow = follow(FAnchorRow);
  FPlayRow = FPlayCol = -1;
  RecountShownBounds();
  InvalidatePage();
  RefreshAll();
}

// ---- child rows and expanding -------------------------------------------------------

int TCfGrid::AddChildRow(int Index, bool AfterChildren) {
  FCells->GetRow(Index);  // an index outside raises
  const int pos = AfterChildren ? Index + FCells->DescendantCount(Index) + 1 : Index + 1;
  if (HasOption(goUseDefaultValues))
    for (int c = 0; c < FColumns->Count(); ++c) {
      TCfCustomColumn* column = FColumns->Item(c);
      if (column->DefaultValue().empty() || column->Kind() == 11) continue;
      MakeCell(column->Kind(), nullptr, column)->SetAsString(TCellAt{c, 0}, column->DefaultValue());
    }
  FCells->AddChildRow(Index, pos);
  if (HasOption(goUseDefaultValues)) ApplyDefaultValues(pos, pos);
  // Rows at and below the new one shift; the current row stays on its record.
  if (FSelectedRow >= pos) ++FSelectedRow;
  if (FAnchorRow >= pos) ++FAnchorRow;
  if (FPlayRow >= pos) FPlayRow = -1;
  RecountShownBounds();
  InvalidatePage();
  if (!Updating()) RefreshAll();
  FLastAddedRow = pos;
  UpdateVertScrollBar();
  return pos;
}

void TCfGrid::SetExpanded(int ARow, bool Value) {
  TRow& row = FCells->GetRow(ARow);
  if (row.ChildCount == 0 || row.Expanded == Value) return;
  const int count = FCells->RowCount(), level = row.Level;
  for (int r = ARow + 1; r < count && FCells->GetRow(r).Level > level; ++r) {
    TRow& child = FCells->GetRow(r);
    if (Value) {
      FCells->SetShown(r, true);
      // A collapsed child keeps its own children hidden.
      if (!child.Expanded && child.ChildCount > 0) r += FCells->DescendantCount(r);
    } else if (child.Shown()) {
      FCells->SetShown(r, false);
    }
  }
  row.Expanded = Value;
  RecountShownBounds();
  InvalidatePage();
  RefreshAll();
  UpdateVertScrollBar();
  if (OnExpand) OnExpand(this, ARow);
}

void TCfGrid::PlayExpand(TColumnPlay* Play) {
  if (!Play || Play->Row < 0 || Play->Row >= FCells->RowCount()) return;
  SetExpanded(Play->Row, !FCells->GetRow(Play->Row).Expanded);
}

// ---- sorting ----------------------------------------------------------------------------

void TCfGrid::SortColumn(TCfCustomColumn* Column) {
  if (!Column) return;
  SortColumn(Column->Index(), Column->SortKind() == skAscending);
}

void TCfGrid::SortColumn(int ACol, bool Ascending) {
  if (ACol < 0 || ACol >= FColumns->Count()) return;
  TCfCustomColumn* column = FColumns->Item(ACol);
  if (!column->HasOption(coCanSort)) return;
  EndEditing();
  FSortColumn = ACol;
  if (OnSortColumn) OnSortColumn(this, ACol, Ascending);
  const int count = FCells->RowCount();
  const TRow* current = FSelectedRow >= 0 && FSelectedRow < count ? &FCells->GetRow(FSelectedRow) : nullptr;
  const TRow* anchor = FAnchorRow >= 0 && FAnchorRow < count ? &FCells->GetRow(FAnchorRow) : nullptr;
  FCells->Sort(ACol, column->SortType(), column->HasOption(coFullResort), !Ascending);
  if (current) FSelectedRow = FCells->IndexOfRow(current);
  if (anchor) FAnchorRow = FCells->IndexOfRow(anchor);
  FPlayRow = FPlayCol = -1;
  RecountShownBounds();
  // The top row is the row at the bar's position, counting displayed rows.
  int k = VertScrollBar()->Position(), top = 0;
  for (int r = 0; r < count; ++r) {
    if (!FCells->GetRow(r).Displayed()) continue;
    top = r;
    if (k-- == 0) break;
  }
  SetFirstRowInternal(top);
  InvalidatePage();
  if (FSelectedRow >= 0) ScrollToRow(FSelectedRow);
  RefreshAll();
  if (OnAfterSort) OnAfterSort(this, ACol);
}
