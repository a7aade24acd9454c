// Where everything lies: body, bands, columns, rows and cells, and the page
// of displayed rows from FirstRow down to the body's bottom. The page is
// kept so that asking for a row's place costs at most one page walk, never
// a walk over every row.

#include <algorithm>

#include "grid/CfCustomGridControl.h"

using namespace cf;

int TCfCustomGridControl::HorzPosition() const {
  return FGridStyle == gsReport ? HorzScrollBar()->Position() : 0;
}

TRect TCfCustomGridControl::GetBodyRect() const {
  const int cw = cf::TControl::ClientWidth(), ch = ClientHeight();
  if (FGridStyle == gsSlides) return TRect(0, HasOption(goHeader) ? FHeaderSize : 0, cw, ch);
  TRect r;
  r.Left = IndicatorWidth();
  r.Top = (HasOption(goHeader) ? FHeaderSize : 0) + (HasOption(goInput) ? FInputSize + 6 + FHorzLineWidth : 0);
  r.Right = std::min(r.Left + FColumns->VisibleWidth() - HorzPosition(), cw);
  r.Bottom = HasOption(goFooter) ? ch - FFooterSize - 4 - FHorzLineWidth : ch;
  return r;
}

TRect TCfCustomGridControl::GetHeaderRect() const {
  const int left = IndicatorWidth();
  return TRect(left, 0, left + FColumns->VisibleWidth() - HorzPosition(), FHeaderSize);
}

TRect TCfCustomGridControl::GetFooterRect() const {
  if (FGridStyle == gsSlides) return TRect();
  const int left = IndicatorWidth();
  return TRect(left, ClientHeight() - FFooterSize - 4 - FHorzLineWidth,
               left + FColumns->VisibleWidth() - HorzPosition(), ClientHeight());
}

TRect TCfCustomGridControl::GetInputRect() const {
  const int top = HasOption(goHeader) ? FHeaderSize : 0;
  const int left = IndicatorWidth();
  return TRect(left, top, left + FColumns->VisibleWidth() - HorzPosition(), top + FInputSize + 6 + FHorzLineWidth);
}

TRect TCfCustomGridControl::GetIndicatorRect() const { return TRect(0, 0, kIndicatorWidth, ClientHeight()); }

TRect TCfCustomGridControl::GetScrollableRect() const {
  return TRect(FColumns->FixedWidth() + IndicatorWidth(), 0, cf::TControl::ClientWidth(), ClientHeight());
}

bool TCfCustomGridControl::IsFixedColumn(const TCfCustomColumn* Column) const {
  return Column->Position() < FColumns->FixedCols();
}

int TCfCustomGridControl::ColumnLeft(const TCfCustomColumn* Column) const {
  return IndicatorWidth() + Column->Left() - (IsFixedColumn(Column) ? 0 : HorzPosition());
}

std::vector<TCfCustomColumn*> TCfCustomGridControl::VisibleColumns() const {
  std::vector<TCfCustomColumn*> result;
  for (int p = 0, n = FColumns->Count(); p < n; ++p) {
    TCfCustomColumn* c = FColumns->ItemByPosition(p);
    if (c->Visible()) result.push_back(c);
  }
  return result;
}

bool TCfCustomGridControl::ColumnInView(const TCfCustomColumn* Column) const {
  const int left = ColumnLeft(Column), right = left + Column->Width();
  if (right <= IndicatorWidth() || left >= cf::TControl::ClientWidth()) return false;
  // A scrolled column wholly under the fixed ones is not drawn.
  if (!IsFixedColumn(Column) && right <= GetScrollableRect().Left) return false;
  return true;
}

TRect TCfCustomGridControl::GetHeaderCellRect(int ACol) const {
  const TCfCustomColumn* c = FColumns->Item(ACol);
  const int left = ColumnLeft(c);
  return TRect(left, 0, left + c->Width(), FHeaderSize);
}

TRect TCfCustomGridControl::GetInputCellRect(int ACol) const {
  const TCfCustomColumn* c = FColumns->Item(ACol);
  const int left = ColumnLeft(c), top = HasOption(goHeader) ? FHeaderSize : 0;
  return TRect(left, top, left + c->Width(), top + FInputSize);
}

TRect TCfCustomGridControl::GetFooterCellRect(int ACol) const {
  const TCfCustomColumn* c = FColumns->Item(ACol);
  const int left = ColumnLeft(c);
  const int top = ClientHeight() - FFooterSize - 4 - FHorzLineWidth + 4;
  return TRect(left, top, left + c->Width(), ClientHeight());
}

// ---- rows ----------------------------------------------------------------------------

int TCfCustomGridControl::DisplayedRowHeight(int ARow) {
  if (ARow >= GetRowCount()) return FGridStyle == gsSlides ? FSlideSize : FRowSize;
  if (!RowVisible(ARow)) return 0;
  return FGridStyle == gsSlides ? FSlideSize : RowHeight(ARow);
}

bool TCfCustomGridControl::AllRowsDisplayed() { return ShownRowCount() == GetRowCount(); }

void TCfCustomGridControl::SetFirstRowInternal(int Row) {
  Row = std::max(0, Row);
  if (Row == FFirstRow) return;
  FFirstRow = Row;
  InvalidatePage();
}

void TCfCustomGridControl::EnsurePage() {
  const TRect body = GetBodyRect();
  if (FPageValid && body.Top == FPageBodyTop && body.Bottom == FPageBodyBottom) return;
  FPageBodyTop = body.Top;
  FPageBodyBottom = body.Bottom;
  FPageRows.clear();
  FPageTops.clear();
  const int count = GetRowCount(), sep = RowSeparator();
  int top = body.Top + F3DTopWidth;
  int r = FFirstRow;
  for (; r < count && top < body.Bottom; ++r) {
    const int h = DisplayedRowHeight(r);
    if (h <= 0 && !(FGridStyle == gsSlides && RowVisible(r))) continue;
    FPageRows.push_back(r);
    FPageTops.push_back(top);
    top += h + (h > 0 ? sep : 0);
  }
  FPageEnd = r;
  FPageFull = top >= body.Bottom;
  FPageValid = true;
}

bool TCfCustomGridControl::GetRowTop(int ARow, int& Top) {
  if (ARow < FFirstRow || ARow >= GetRowCount()) return false;
  EnsurePage();
  if (ARow >= FPageEnd) return false;
  auto it = std::lower_bound(FPageRows.begin(), FPageRows.end(), ARow);
  if (it == FPageRows.end() || *it != ARow) return false;
  Top = FPageTops[static_cast<size_t>(it - FPageRows.begin())];
  return true;
}

TRect TCfCustomGridControl::GetRowRect(int ARow) {
  int top;
  if (!GetRowTop(ARow, top)) return TRect();
  const TRect body = GetBodyRect();
  const int h = DisplayedRowHeight(ARow);
  if (FGridStyle == gsSlides) return TRect(0, top, cf::TControl::ClientWidth(), top + h + FHorzLineWidth);
  return TRect(body.Left, top, body.Right, top + h + FHorzLineWidth);
}

int TCfCustomGridControl::GetSlideTop(int ARow) {
  int top;
  return GetRowTop(ARow, top) ? top : -1;
}

TRect TCfCustomGridControl::SlideCellRect(const TCfCustomColumn* Column, int SlideTop) const {
  const TCfSlideBounds& b = Column->SlideBounds();
  return TRect(b.Left(), SlideTop + b.Top(), b.Left() + b.Width(), SlideTop + b.Top() + b.Height());
}

void TCfCustomGridControl::GetCellRect(int ACol, int ARow, TRect& Rect) {
  Rect = TRect();
  if (ACol < 0 || ACol >= FColumns->Count()) return;
  const TCfCustomColumn* c = FColumns->Item(ACol);
  int top;
  if (!GetRowTop(ARow, top)) return;
  if (FGridStyle == gsSlides) {
    Rect = SlideCellRect(c, top);
    return;
  }
  const int left = ColumnLeft(c);
  Rect = TRect(left, top, left + c->Width(), top + DisplayedRowHeight(ARow));
}

int TCfCustomGridControl::RowsPerPage(bool Above) {
  const TRect body = GetBodyRect();
  const int space = body.Height(), sep = RowSeparator();
  const int count = GetRowCount();
  int used = 0, n = 0;
  if (!Above) {
    if (AllRowsDisplayed() && FGridStyle == gsSlides) return std::max(0, space / (FSlideSize + sep));
    for (int r = FFirstRow; r < count; ++r) {
      const int h = DisplayedRowHeight(r);
      if (h <= 0) continue;
      if (used + h + sep > space) break;
      used += h + sep;
      ++n;
    }
    return n;
  }
  for (int r = FFirstRow - 1; r >= 0; --r) {
    const int h = DisplayedRowHeight(r);
    if (h <= 0) continue;
    if (used + h + sep > space) break;
    used += h + sep;
    ++n;
  }
  return n;
}

int TCfCustomGridControl::LastFullRow() {
  EnsurePage();
  const int bottom = GetBodyRect().Bottom;
  int last = -1;
  for (size_t i = 0; i < FPageRows.size(); ++i) {
    if (FPageTops[i] + DisplayedRowHeight(FPageRows[i]) > bottom) break;
    last = FPageRows[i];
  }
  return last;
}

int TCfCustomGridControl::ShownRowsBetween(int From, int To) {
  From = std::max(0, From);
  To = std::min(To, GetRowCount());
  if (To <= From) return 0;
  if (AllRowsDisplayed()) return To - From;
  int n = 0;
  for (int r = From; r < To; ++r)
    if (RowVisible(r)) ++n;
  return n;
}

int TCfCustomGridControl::WalkShownRows(int Row, int K, int& Pixels, int PixelLimit) {
  Pixels = 0;
  const int count = GetRowCount(), sep = RowSeparator();
  if (count == 0) return 0;
  const bool flat = AllRowsDisplayed();
  if (K > 0) {
    if (flat) {
      const int target = std::min(Row + K, count);
      for (int r = Row; r < target && Pixels <= PixelLimit; ++r) Pixels += DisplayedRowHeight(r) + sep;
      return target;
    }
    int r = Row;
    while (K > 0 && r < count) {
      if (RowVisible(r)) {
        if (Pixels <= PixelLimit) Pixels += DisplayedRowHeight(r) + sep;
        --K;
      }
      ++r;
    }
    return r;
  }
  if (K < 0) {
    if (flat) {
      const int target = std::max(Row + K, 0);
      for (int r = Row - 1; r >= target && Pixels <= PixelLimit; --r) Pixels += DisplayedRowHeight(r) + sep;
      return target;
    }
    int r = Row;
    while (K < 0 && r > 0) {
      --r;
      if (RowVisible(r)) {
        if (Pixels <= PixelLimit) Pixels += DisplayedRowHeight(r) + sep;
        ++K;
      }
    }
    return r;
  }
  return Row;
}
