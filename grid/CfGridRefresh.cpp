// Repaints of the smallest rectangle: a cell, a column's span in one band, a
// row, an indicator cell, a slide, a band. A row outside the page costs one
// lookup in the page and nothing more.

#include <algorithm>

#include "grid/CfCustomGridControl.h"

using namespace cf;

void TCfCustomGridControl::RefreshCell(int ACol, int ARow) {
  if (ACol < 0 || ACol >= FColumns->Count() || ARow < 0 || ARow >= GetRowCount()) return;
  TRect r;
  GetCellRect(ACol, ARow, r);
  if (r.IsEmpty()) return;
  r.Bottom += FHorzLineWidth;
  InvalidateRect(r);
}

void TCfCustomGridControl::RefreshColumn(TCfCustomColumn* Column, int Area) {
  if (Updating() || !Column || !Column->Visible()) return;
  const int left = ColumnLeft(Column), right = left + Column->Width();
  TRect band;
  switch (Area) {
    case gaBody: band = GetBodyRect(); break;
    case gaFooter: band = GetFooterRect(); break;
    case gaHeader: band = GetHeaderRect(); break;
    case gaIndicator: band = GetIndicatorRect(); break;
    case gaInput: band = GetInputRect(); break;
    default: band = ClientRect(); break;
  }
  if (FGridStyle == gsSlides && (Area == gaBody || Area == gaClient)) {
    RefreshAll();
    return;
  }
  InvalidateRect(TRect(left, band.Top, right, band.Bottom));
}

void TCfCustomGridControl::RefreshAll() {
  if (Updating()) {
    FFullRepaintDue = true;
    return;
  }
  FFullRepaintDue = false;
  InvalidateRect(ClientRect());
}

void TCfCustomGridControl::LeaveQuietUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  if (!Updating() && FFullRepaintDue) RefreshAll();
}

void TCfCustomGridControl::RefreshColumnAll(TCfCustomColumn*) { RefreshAll(); }

void TCfCustomGridControl::RefreshRow(int ARow) {
  if (Updating() || ARow < 0 || ARow >= GetRowCount()) return;
  if (FGridStyle == gsSlides) {
    RefreshSlide(ARow);
    return;
  }
  TRect r = GetRowRect(ARow);
  if (r.IsEmpty()) return;
  r.Top -= F3DTopWidth;
  r.Left = 0;
  r.Right = ClientWidth();
  InvalidateRect(r);
}

void TCfCustomGridControl::RefreshIndicatorCell(int ARow) {
  if (!HasOption(goIndicator) || ARow < 0 || ARow >= GetRowCount()) return;
  TRect r = GetRowRect(ARow);
  if (r.IsEmpty()) return;
  InvalidateRect(TRect(0, r.Top - F3DTopWidth, kIndicatorWidth, r.Bottom));
}

void TCfCustomGridControl::RefreshSlide(int ARow, bool ValidateInner) {
  if (ARow < 0 || ARow >= GetRowCount()) return;
  TRect r = GetRowRect(ARow);
  if (r.IsEmpty()) return;
  r.Top -= F3DTopWidth;
  if (!ValidateInner) {
    InvalidateRect(r);
    return;
  }
  // Only the frame band around the slide's inside is drawn again.
  const TRect inner(r.Left + 3, r.Top + 4, r.Right - 3, r.Bottom - 4);
  InvalidateRect(TRect(r.Left, r.Top, r.Right, inner.Top));
  InvalidateRect(TRect(r.Left, inner.Bottom, r.Right, r.Bottom));
  InvalidateRect(TRect(r.Left, inner.Top, inner.Left, inner.Bottom));
  InvalidateRect(TRect(inner.Right, inner.Top, r.Right, inner.Bottom));
}

void TCfCustomGridControl::RefreshRows(int FromRow, int ToRow) {
  if (Updating()) return;
  if (FromRow > ToRow) std::swap(FromRow, ToRow);
  EnsurePage();
  // Only the rows of the page are drawn; the rest are out of sight.
  const int from = std::max(FromRow, FFirstRow), to = std::min(ToRow, FPageEnd - 1);
  if (from > to) return;
  int top = -1, bottom = -1;
  for (size_t i = 0; i < FPageRows.size(); ++i) {
    const int row = FPageRows[i];
    if (row < from || row > to) continue;
    if (top < 0) top = FPageTops[i] - F3DTopWidth;
    bottom = FPageTops[i] + DisplayedRowHeight(row) + FHorzLineWidth;
  }
  if (top < 0) return;
  InvalidateRect(TRect(0, top, ClientWidth(), bottom));
}

void TCfCustomGridControl::RefreshArea(int Area) {
  switch (Area) {
    case gaBody: {
      const TRect b = GetBodyRect();
      InvalidateRect(TRect(0, b.Top, ClientWidth(), b.Bottom));
      break;
    }
    case gaFooter:
      if (HasOption(goFooter)) InvalidateRect(TRect(0, GetFooterRect().Top, ClientWidth(), ClientHeight()));
      break;
    case gaHeader:
      if (HasOption(goHeader)) InvalidateRect(TRect(0, 0, ClientWidth(), FHeaderSize));
      break;
    case gaIndicator:
      if (HasOption(goIndicator)) InvalidateRect(GetIndicatorRect());
      break;
    case gaInput:
      if (HasOption(goInput)) {
        const TRect r = GetInputRect();
        InvalidateRect(TRect(0, r.Top, ClientWidth(), r.Bottom));
      }
      break;
    default:
      RefreshAll();
      break;
  }
}

void TCfCustomGridControl::RefreshSelection() {
  if (FInputSelected) RefreshArea(gaInput);
  if (!HasOption(goSelectFullRow)) {
    RefreshCell(FSelectedColumn, FSelectedRow);
    return;
  }
  EnsurePage();
  const std::vector<int> rows = FPageRows;
  for (int row : rows)
    if (GetSelected(row) || row == FSelectedRow) RefreshRow(row);
}

bool TCfCustomGridControl::RowAffectsPage(int ARow) {
  if (ARow < FFirstRow) return false;
  EnsurePage();
  return ARow < FPageEnd || !FPageFull;
}

void TCfCustomGridControl::ScrollBodyFrom(int Top, int Delta) {
  InvalidatePage();
  if (Updating() || Delta == 0) return;
  const TRect body = GetBodyRect();
  if (Top >= body.Bottom) return;
  ScrollPixels(0, Delta, TRect(0, Top - F3DTopWidth, ClientWidth(), body.Bottom));
}
