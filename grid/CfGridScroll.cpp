// Both scroll bars, the pixel distance of a scroll, and bringing rows and
// columns into view.

#include <algorithm>

#include "grid/CfCustomGridControl.h"

using namespace cf;

void TCfCustomGridControl::UpdateHorzScrollBar() {
  if (FDestroying) return;
  TCfScrollBar* bar = HorzScrollBar();
  bar->BeginUpdate();
  if (FGridStyle == gsSlides) {
    bar->SetPosition(0);
    bar->SetMax(0);
    bar->SetVisible(false);
    bar->EndUpdate();
    return;
  }
  const int max = FColumns->VisibleWidth() + IndicatorWidth();
  const int page = cf::TControl::ClientWidth() + 1;
  bar->SetPageSize(page);
  bar->SetMax(max);
  bar->LargeChange = std::max(1, page - 10);
  bar->SetVisible(page < max);
  const int old = bar->Position();
  const int limit = std::max(0, max - page + 1);
  int pos = std::min(GetTrackPosition(bar), limit);
  if (page >= max) pos = 0;
  bar->SetPosition(pos);
  bar->EndUpdate();
  if (bar->Position() != old) {
    InvalidatePage();
    RefreshAll();
  }
}

void TCfCustomGridControl::UpdateVertScrollBar() {
  if (FDestroying || Updating()) return;
  TCfScrollBar* bar = VertScrollBar();
  const int count = GetRowCount();
  const int n = count == 1 ? 0 : ShownRowCount();
  const int f = RowsPerPage();
  bar->BeginUpdate();
  if (f < n) {
    bar->SetPageSize(f + 1);
    bar->SetMax(n);
    bar->LargeChange = f + 1;
  } else {
    bar->SetMax(0);
  }
  if (f + 1 >= n) bar->SetPosition(ShownRowsBetween(0, FFirstRow));
  bar->EndUpdate();
}

int TCfCustomGridControl::GetHorzScrollDelta(int OldPosition, int NewPosition) {
  return OldPosition - NewPosition;
}

int TCfCustomGridControl::GetVertScrollDelta(int OldPosition, int NewPosition) {
  const int k = NewPosition - OldPosition;
  if (k == 0) return 0;
  // Beyond one body height every pixel is drawn afresh anyway.
  const int limit = GetBodyRect().Height() + 1;
  int pixels = 0;
  const int row = WalkShownRows(FFirstRow, k, pixels, limit);
  SetFirstRowInternal(row);
  return k > 0 ? -pixels : pixels;
}

void TCfCustomGridControl::ScrollToRow(int Row) {
  if (Row < 0 || Row >= GetRowCount()) return;
  int count = 0;
  if (Row < FFirstRow) {
    count = -ShownRowsBetween(Row, FFirstRow);
  } else {
    const int last = std::max(LastFullRow(), FFirstRow);
    if (Row <= last) return;
    count = ShownRowsBetween(last + 1, Row + 1);
  }
  if (count == 0) return;
  VertScrollBar()->MoveBy(count);
  RowsScrolled(count);
}

void TCfCustomGridControl::ScrollColumnIntoView(int ACol) {
  if (FGridStyle != gsReport || ACol < 0 || ACol >= FColumns->Count()) return;
  TCfCustomColumn* c = FColumns->Item(ACol);
  if (IsFixedColumn(c) || !c->Visible()) return;
  const TRect area = GetScrollableRect();
  const int left = ColumnLeft(c), right = left + c->Width();
  int delta = 0;
  if (right > area.Right) delta = right - area.Right;
  if (left - delta < area.Left) delta = left - area.Left;
  if (delta != 0) HorzScrollBar()->MoveBy(delta);
}

void TCfCustomGridControl::AfterScroll(int Kind) {
  TCfScrollControl::AfterScroll(Kind);
  if (!GridFocused() || FInputSelected || HasAppearance(aoHideFocus)) return;
  if (HasOption(goSelectFullRow))
    RefreshRow(FSelectedRow);
  else
    RefreshCell(FSelectedColumn, FSelectedRow);
}
