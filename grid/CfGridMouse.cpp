// Mouse: hit areas, the cell under a point, presses, moves and releases in
// the body, header, indicator, input line and footer, row dragging, the
// wheel, and the focus and size messages.

#include <algorithm>
#include <cstdlib>

#include <QApplication>

#include "controls/CfSharedDraw.h"
#include "grid/CfCustomGrid.h"
#include "platform/Cursors.h"
#include "platform/DragDrop.h"

using namespace cf;

namespace {
constexpr int crColumnDivider = 3000, crColumnNoDrag = 3001, crRowDivider = 3003, crIndicatorSelect = 3006;
}

void TCfCustomGrid::RegisterGridCursors() {
  const std::pair<int, const char*> cursors[] = {{crColumnDivider, "HORZSPLIT"},
                                                 {crColumnNoDrag, "COLUMNNODRAG"},
                                                 {crRowDivider, "VERTSPLIT"},
                                                 {crIndicatorSelect, "INDICATORSELECT"}};
  for (const auto& [number, name] : cursors)
    if (auto c = ProgramCursor(name)) SetCustomCursor(number, *c);
}

void TCfCustomGrid::InitInput() {
  RegisterGridCursors();
  FSearchTimer.SetEnabled(false);
  FSearchTimer.SetInterval(700);
  FSearchTimer.SetOnTimer([this](TTimer* timer) {
    FSearchText.clear();
    timer->SetEnabled(false);
  });
  FDragBox->OnDragMove = [this](QObject*, int x, int y) { ColumnDragMoved(x, y); };
  FDragBox->OnDragDrop = [this](QObject*, int x, int y) { ColumnDropped(x, y); };
}

// ---- where things are -----------------------------------------------------------

int TCfCustomGrid::HitArea(int X, int Y) {
  const TPoint p(X, Y);
  if (FGridStyle == gsSlides) return HasOption(goHeader) && Y >= 0 && Y < FHeaderSize ? gaHeader : gaBody;
  if (HasOption(goHeader) && PtInRect(GetHeaderRect(), p)) return gaHeader;
  if (HasOption(goInput) && PtInRect(GetInputRect(), p)) return gaInput;
  if (PtInRect(GetBodyRect(), p)) return gaBody;
  if (HasOption(goFooter) && PtInRect(GetFooterRect(), p)) return gaFooter;
  if (HasOption(goIndicator) && PtInRect(GetIndicatorRect(), p)) return gaIndicator;
  return gaClient;
}

int TCfCustomGrid::ColumnAtX(int X, bool) {
  for (TCfCustomColumn* c : VisibleColumns()) {
    const int left = ColumnLeft(c);
    if (X >= left && X <= left + c->Width()) return c->Index();
  }
  return -1;
}

int TCfCustomGrid::DividerColumnAt(int X) {
  const int scrollLeft = GetScrollableRect().Left;
  for (TCfCustomColumn* c : VisibleColumns()) {
    const int right = ColumnLeft(c) + c->Width();
    if (X < right - 3 || X > right + 2) continue;
    if (c->HasOption(coFixedSize)) continue;
    if (!IsFixedColumn(c) && right <= scrollLeft) continue;
    return c->Index();
  }
  return -1;
}

void TCfCustomGrid::GetCellAtPos(TPoint P, TPoint& Cell) {
  Cell = TPoint(-1, -1);
  const int count = GetRowCount();
  const TRect body = GetBodyRect();
  if (FGridStyle == gsSlides) {
    const int sep = RowSeparator();
    int row = count, top = body.Top;
    if (P.Y < body.Top) {
      row = FFirstRow;
    } else {
      for (int r = FFirstRow; r < count && top <= body.Bottom; ++r) {
        if (!RowVisible(r)) continue;
        if (top + FSlideSize >= P.Y) {
          row = r;
          break;
        }
        top += FSlideSize + sep;
      }
    }
    Cell.Y = row;
    const int slideTop = row < count ? GetSlideTop(row) : -1;
    if (slideTop >= 0)
      for (TCfCustomColumn* c : VisibleColumns())
        if (PtInRect(SlideCellRect(c, slideTop), P)) {
          Cell.X = c->Index();
          break;
        }
    return;
  }
  Cell.X = ColumnAtX(P.X);
  if (P.Y < body.Top || P.Y >= body.Bottom) return;
  int top = body.Top;
  for (int r = FFirstRow; r < count && top < body.Bottom; ++r) {
    const int h = DisplayedRowHeight(r);
    if (h <= 0) continue;
    if (top + h + F3DTopWidth >= P.Y) {
      Cell.Y = r;
      return;
    }
    top += h + F3DTopWidth + FHorzLineWidth;
  }
}

int TCfCustomGrid::RowDividerAt(int X, int Y) {
  if (!HasOption(goRowResizing) || X > kIndicatorWidth) return -1;
  const TRect body = GetBodyRect();
  int sum = body.Top;
  for (int r = FFirstRow, count = GetRowCount(); r < count && sum < body.Bottom; ++r) {
    const int h = DisplayedRowHeight(r);
    if (h <= 0) continue;
    sum += h + FVertLineWidth;
    if (Y > sum - 3 - 1 && Y < sum + 1) return r;
  }
  return -1;
}

// ---- inverted tracking lines ------------------------------------------------------

void TCfCustomGrid::InvertColumnLines() {
  if (FResizeColumn < 0) return;
  TCfCustomColumn* c = FColumns->Item(FResizeColumn);
  const int left = ColumnLeft(c), h = ClientHeight();
  const int leftLine = c->VisibleIndex() == 0 ? left : left - 1;
  const int rightLine = left + c->Width() + FResizeChange - 1;
  Canvas().InvertRect(TRect(leftLine, 0, leftLine + 1, h));
  Canvas().InvertRect(TRect(rightLine, 0, rightLine + 1, h));
  update();
}

void TCfCustomGrid::InvertRowLine() {
  if (FResizeRow < 0) return;
  Canvas().InvertRect(TRect(0, FRowLinePos, ClientWidth(), FRowLinePos + 1));
  update();
}

// ---- press ------------------------------------------------------------------------

void TCfCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCfCustomGridControl::MouseDown(Button, Shift, X, Y);  // OnMouseDown, roll
  if (Button == mbMiddle) {
    if (!Focused() && isVisible() && isEnabled()) SetFocus();
    return;
  }
  FDownPoint = TPoint(X, Y);
  GetCellAtPos(FDownPoint, FDownCell);
  FMouseDown = true;
  if (Shift & ssDouble) {
    DoubleClickAt(X, Y);
    FDownPoint = TPoint(-1, -1);
    return;
  }
  if (!Focused() && isVisible() && isEnabled()) SetFocus();
  if (FColumns->Count() == 0) return;
  const int area = HitArea(X, Y);
  if (Button == mbLeft && area == gaHeader && FGridStyle == gsReport) {
    const int divider = DividerColumnAt(X);
    if (divider >= 0) {
      FColumnResizing = true;
      FResizeColumn = divider;
      FResizeChange = 0;
      InvertColumnLines();
      return;
    }
  }
  switch (area) {
    case gaBody:
      BodyMouseDown(Button, Shift, X, Y);
      break;
    case gaHeader:
      if (Button == mbLeft) HeaderMouseDown(Button, Shift, X, Y);
      break;
    case gaIndicator:
      IndicatorMouseDown(Shift, X, Y);
      break;
    case gaInput:
      break;
    default:
      ApplyEditing();
      EndEditing();
      ClickOutside();
      break;
  }
}

void TCfCustomGrid::DoubleClickAt(int X, int Y) {
  const int area = HitArea(X, Y);
  if (area == gaHeader) {
    const int divider = DividerColumnAt(X);
    if (divider >= 0 && (FColumns->Item(divider)->GetCapabilities() & 8)) {
      AutoSizeColumn(divider, true, true);
      return;
    }
    if (OnHeaderDblClick) OnHeaderDblClick(this, ColumnAtX(X));
    return;
  }
  if (area == gaIndicator && HasOption(goRowResizing)) {
    const int row = RowDividerAt(X, Y);
    if (row >= 0) AutoHeightRow(row);
    return;
  }
  if (area == gaBody && FDownCell.X >= 0 && FDownCell.Y >= 0 && FDownCell.Y < GetRowCount() && OnCellDblClick)
    OnCellDblClick(this, FDownCell.X, FDownCell.Y);
}

void TCfCustomGrid::HeaderMouseDown(TMouseButton, TShiftState, int X, int) {
  const int col = ColumnAtX(X);
  FPressedColumn = -1;
  if (col < 0 || !FColumns->Item(col)->HasOption(coCanClick)) return;
  FPressedColumn = col;
  FHeaderPressed = true;
  FClickedColumn = col;
  if (FDisplay) FDisplay->PressedColumn = FColumns->Item(col);
  InvalidateRect(GetHeaderCellRect(col));
}

void TCfCustomGrid::IndicatorMouseDown(TShiftState, int X, int Y) {
  const int divider = RowDividerAt(X, Y);
  if (divider >= 0) {
    FResizeRow = divider;
    FRowLinePos = Y;
    InvertRowLine();
    return;
  }
  TPoint cell;
  GetCellAtPos(TPoint(GetBodyRect().Left, Y), cell);
  if (cell.Y >= 0) SetSelectedRow(cell.Y);
}

void TCfCustomGrid::BodyMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FCellEditing) {
    ApplyEditing();
  } else if (FInputEditing) {
    ApplyEditing();
    AcceptInput();
  }
  EndEditing();
  if (FGridStyle == gsReport) SetInputSelected(false);
  FSecondClick = FDownCell.X == FSelectedColumn && FDownCell.Y == FSelectedRow && FDownCell.Y >= 0;
  const int count = GetRowCount();
  const bool rowExists = FDownCell.Y >= 0 && FDownCell.Y < count;
  const bool marked = rowExists && GetSelected(FDownCell.Y);
  bool clearAllowed = Button == mbLeft;
  if (HasOption(goMultiSelect) && HasOption(goSelectFullRow)) {
    if (Button == mbRight && !marked) {
      clearAllowed = true;
      FPendingReselect = true;
    } else if (Button == mbLeft && marked && Dragging()) {
      // A press that may start dragging the marked rows keeps them; a
      // release without a drag selects the row alone again.
      clearAllowed = false;
      FPendingReselect = true;
    }
  }
  if (!rowExists) return;
  FDragSourceRow = FDownCell.Y;
  const int col = FDownCell.X < 0 ? FSelectedColumn : FDownCell.X;
  if (col < 0 || col >= FColumns->Count()) return;
  TCfCustomColumn* column = FColumns->Item(col);
  if (Button == mbLeft && !FReadOnly && column->GetPlayClass() != TColumnPlayClass::None &&
      (column->HasOption(coEditing) || (column->GetCapabilities() & 1))) {
    TColumnPlay* play = ColumnPlay(column);
    if (play && PreparePlay(col, FDownCell.Y, CellRect(col, FDownCell.Y))) play->Click(TPoint(X, Y));
  }
  SelectCell(col, FDownCell.Y, Shift & (ssShift | ssCtrl), clearAllowed);
  if (FGridStyle == gsReport) {
    const TRect r = GetRowRect(FDownCell.Y);
    if (r.IsEmpty() || r.Bottom > GetBodyRect().Bottom) ScrollToRow(FDownCell.Y);
  } else {
    const int top = GetSlideTop(FDownCell.Y);
    if (top >= 0 && top + FSlideSize > GetBodyRect().Bottom) VertScrollBar()->Next();
  }
}

// ---- move -------------------------------------------------------------------------

void TCfCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
  TCfCustomGridControl::MouseMove(Shift, X, Y);
  if (FColumnResizing && FResizeColumn >= 0) {
    TCfCustomColumn* c = FColumns->Item(FResizeColumn);
    InvertColumnLines();
    FResizeChange = X - (ColumnLeft(c) + c->Width());
    if (c->Width() + FResizeChange < c->MinWidth()) FResizeChange = c->MinWidth() - c->Width();
    InvertColumnLines();
    return;
  }
  if (FResizeRow >= 0) {
    InvertRowLine();
    int top = 0;
    GetRowTop(FResizeRow, top);
    FRowLinePos = std::max(Y, top + 8);
    InvertRowLine();
    return;
  }
  switch (HitArea(X, Y)) {
    case gaHeader: {
      const int divider = DividerColumnAt(X);
      SetCursor(divider >= 0 && FGridStyle == gsReport ? crColumnDivider : crDefault);
      if (FPressedColumn >= 0 && (Shift & ssLeft) && !FColumnDragging) {
        TCfCustomColumn* c = FColumns->Item(FPressedColumn);
        if (!c->HasOption(coDisableMoving) && !HasOption(goDisableColumnMoving) &&
            IsPointOutsideTolerance(TPoint(X, Y), FDownPoint, 3)) {
          FColumnDragging = true;
          FDragColumn = c;
          FHeaderPressed = false;
          ReleaseHint();
          StartColumnDrag(c, ClientToScreen(TPoint(X, Y)));
          return;
        }
      }
      const int col = ColumnAtX(X);
      if (col != FHotColumn) {
        const int old = FHotColumn;
        FHotColumn = col;
        if (col >= 0 && !FColumns->Item(col)->Header().Hint().empty())
          ShowHintAt(2, TRect(ColumnLeft(FColumns->Item(col)), FHeaderSize + 2, 0, 0),
                     FColumns->Item(col)->Header().Hint());
        else if (FHintKind == 2)
          ReleaseHint();
        if (FDisplay && (FDisplay->GetStyleOptions() & TStyleDisplay::soHotTracking)) {
          FDisplay->HotColumn = col >= 0 ? FColumns->Item(col) : nullptr;
          if (old >= 0 && old < FColumns->Count()) InvalidateRect(GetHeaderCellRect(old));
          if (col >= 0) InvalidateRect(GetHeaderCellRect(col));
        }
      }
      break;
    }
    case gaFooter: {
      const int col = ColumnAtX(X);
      if (col != FFooterHintColumn) {
        FFooterHintColumn = col;
        if (col >= 0 && !FColumns->Item(col)->Footer().Hint().empty())
          ShowHintAt(1, TRect(ColumnLeft(FColumns->Item(col)), ClientHeight() + 2, 0, 0),
                     FColumns->Item(col)->Footer().Hint());
        else
          ReleaseHint();
      }
      break;
    }
    case gaBody:
      BodyMouseMove(Shift, X, Y);
      break;
    case gaIndicator:
      if (RowDividerAt(X, Y) >= 0) {
        SetCursor(crRowDivider);
      } else {
        TPoint cell;
        GetCellAtPos(TPoint(GetBodyRect().Left, Y), cell);
        SetCursor(cell.Y >= 0 ? crIndicatorSelect : crDefault);
      }
      break;
    default:
      if (FRowDragging) RowDragMove(Y);
      ReleaseHint();
      SetCursor(crDefault);
      break;
  }
  if (HitArea(X, Y) != gaHeader && FHotColumn >= 0) {
    const int old = FHotColumn;
    FHotColumn = -1;
    if (FDisplay && FDisplay->HotColumn) {
      FDisplay->HotColumn = nullptr;
      if (old < FColumns->Count()) InvalidateRect(GetHeaderCellRect(old));
    }
  }
}

void TCfCustomGrid::BodyMouseMove(TShiftState Shift, int X, int Y) {
  TPoint cell;
  GetCellAtPos(TPoint(X, Y), cell);
  const bool newCell = cell.X != FMouseCell.X || cell.Y != FMouseCell.Y;
  FMouseCell = cell;
  if (!FRowDragging && FDragSourceRow >= 0 && HasOption(goRowMoving) && (Shift & ssLeft) &&
      FDownPoint.X >= 0 && IsPointOutsideTolerance(TPoint(X, Y), FDownPoint, 5)) {
    FRowDragging = true;
    FDropRow = -2;
    ReleaseHint();
    SetCursor(crDrag);
  }
  if (FRowDragging) {
    RowDragMove(Y);
    return;
  }
  if (cell.X < 0 || cell.Y < 0) {
    ReleaseHint();
    return;
  }
  if (cell.X == FEditCol && cell.Y == FEditRow) {
    ReleaseHint();
    return;
  }
  SetCursor(FColumns->Item(cell.X)->Cursor());
  if (newCell) CellHints(cell.X, cell.Y, X, Y);
}

void TCfCustomGrid::RowDragMove(int Y) {
  const TRect body = GetBodyRect();
  int drop = -1;
  if (Y >= body.Top) {
    TPoint cell;
    GetCellAtPos(TPoint(body.Left, std::min(Y, body.Bottom - 1)), cell);
    if (cell.Y >= 0) {
      drop = cell.Y;
      const TRect r = GetRowRect(cell.Y);
      if (!r.IsEmpty() && Y >= r.Top + r.Height() / 2) ++drop;
    } else {
      drop = GetRowCount();
    }
  }
  if (drop == FDropRow) return;
  DrawDropMarker(FDropRow, true);
  FDropRow = drop;
  if (drop >= 0) {
    // Near the page's ends the rows scroll one step under the mouse.
    if (drop == FFirstRow && FFirstRow > 0) {
      VertScrollBar()->Prior();
    } else {
      const int last = LastFullRow();
      if (last >= 0 && drop == last + 1 && drop < GetRowCount()) VertScrollBar()->Next();
    }
  }
  DrawDropMarker(FDropRow, false);
}

bool TCfCustomGrid::DropMarkerY(int Row, int& Y) {
  if (Row < 0) return false;
  const TRect body = GetBodyRect();
  Y = body.Top;
  if (Row == FFirstRow) return true;
  const TRect r = Row < GetRowCount() ? GetRowRect(Row) : TRect();
  if (!r.IsEmpty()) {
    Y = r.Top - 1;
    return true;
  }
  // Past the last row: under the last displayed one.
  const TRect last = GetRowRect(GetLastRow());
  if (last.IsEmpty()) return false;
  Y = last.Bottom - 1;
  return true;
}

void TCfCustomGrid::PaintDropMarker(TCanvas& c, int y) {
  const int right = ClientWidth();
  c.Pen.Color = clRed;
  c.Brush.Color = clRed;
  c.Brush.Style = bsSolid;
  c.FillRect(TRect(8, y, right - 8, y + 1));
  // Seven-point arrow heads pointing at the line from both ends.
  c.Polygon({TPoint(1, y - 3), TPoint(4, y - 3), TPoint(4, y - 1), TPoint(7, y), TPoint(4, y + 1),
             TPoint(4, y + 3), TPoint(1, y + 3)});
  c.Polygon({TPoint(right - 2, y - 3), TPoint(right - 5, y - 3), TPoint(right - 5, y - 1), TPoint(right - 8, y),
             TPoint(right - 5, y + 1), TPoint(right - 5, y + 3), TPoint(right - 2, y + 3)});
}

void TCfCustomGrid::DrawDropMarker(int Row, bool Erase) {
  int y = 0;
  if (!DropMarkerY(Row, y)) return;
  if (Erase) {
    // The band is painted again without the marker, which a repaint would
    // otherwise draw back while FDropRow still names it.
    const int keep = FDropRow;
    FDropRow = -1;
    InvalidateRect(TRect(0, y - 4, ClientWidth(), y + 5));
    FDropRow = keep;
    return;
  }
  PaintDropMarker(Canvas(), y);
  update();
}

void TCfCustomGrid::Paint(TCanvas& canvas) {
  TCfCustomGridControl::Paint(canvas);
  // A marker shown during a drag stays through any repaint until it goes.
  int y = 0;
  if (DropMarkerY(FDropRow, y)) PaintDropMarker(canvas, y);
}

void TCfCustomGrid::ShowDropMarker(int ARow) {
  if (ARow < -1 || ARow > GetRowCount()) ARow = -1;
  if (ARow == FDropRow) return;
  DrawDropMarker(FDropRow, true);
  FDropRow = ARow;
  DrawDropMarker(FDropRow, false);
}

// ---- release ------------------------------------------------------------------------

void TCfCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCfCustomGridControl::MouseUp(Button, Shift, X, Y);
  FMouseDown = false;
  if (FRowDragging) {
    FRowDragging = false;
    SetCursor(crDefault);
    int drop = FDropRow;
    DrawDropMarker(FDropRow, true);
    FDropRow = -1;
    const int source = FDragSourceRow;
    FDragSourceRow = -1;
    if (drop >= 0 && source >= 0 && source < GetRowCount()) {
      if (source < drop) --drop;
      drop = std::min(drop, GetRowCount() - 1);
      bool accept = true;
      if (OnRowMove) OnRowMove(this, source, drop, accept);
      if (accept) {
        MoveRow(source, drop);
        if (OnAfterRowMove) OnAfterRowMove(this, source, drop);
        SetSelectedRow(drop);
      }
    }
    return;
  }
  FDragSourceRow = -1;
  if (FColumnResizing) {
    InvertColumnLines();
    TCfCustomColumn* c = FResizeColumn >= 0 ? FColumns->Item(FResizeColumn) : nullptr;
    const int change = FResizeChange;
    FColumnResizing = false;
    FResizeColumn = -1;
    FResizeChange = 0;
    if (c && change != 0) c->SetWidth(c->Width() + change);
    return;
  }
  if (FResizeRow >= 0) {
    InvertRowLine();
    const int row = FResizeRow;
    FResizeRow = -1;
    int top = 0;
    if (GetRowTop(row, top)) SetRowHeight(row, FRowLinePos - top);
    return;
  }
  const int pressed = FPressedColumn;
  const bool wasPressed = FHeaderPressed;
  FHeaderPressed = false;
  FPressedColumn = -1;
  if (FDisplay) FDisplay->PressedColumn = nullptr;
  if (wasPressed && pressed >= 0 && pressed < FColumns->Count()) {
    if (OnHeaderClick) OnHeaderClick(this, pressed);
    InvalidateRect(GetHeaderCellRect(pressed));
  }
  if (FColumnDragging) return;
  const int area = HitArea(X, Y);
  if (Button != mbLeft) EndEditing();
  TPoint cell;
  GetCellAtPos(TPoint(X, Y), cell);
  switch (area) {
    case gaBody: {
      if (Button != mbLeft) break;
      const bool sameCell = cell.X == FDownCell.X && cell.Y == FDownCell.Y;
      if (sameCell && cell.X >= 0 && cell.Y >= 0 && OnCellClick) OnCellClick(this, cell.X, cell.Y);
      if (FRowsMarked && HasOption(goMultiSelect)) {
        if (cell.Y < 0) {
          BeginUpdate();
          ClearSelection();
          LeaveQuietUpdate();
          FRowsMarked = false;
        }
        break;
      }
      if (!sameCell || cell.X < 0 || cell.Y < 0 || cell.Y >= GetRowCount()) break;
      const TRect editRect = EditorBounds(cell.X, cell.Y);
      const bool inEditor = !editRect.IsEmpty() && PtInRect(InflateRect(editRect, 1, 1), TPoint(X, Y));
      if (inEditor && (!HasOption(goSecondClickEdit) || FSecondClick) && CanSelectCell(cell.X, cell.Y))
        EditCell(cell.X, cell.Y, std::string());
      break;
    }
    case gaFooter:
      if (cell.X >= 0 && OnFooterClick) OnFooterClick(this, cell.X);
      break;
    case gaHeader:
      if (Button == mbLeft && wasPressed && cell.X == pressed && cell.X >= 0) {
        TCfCustomColumn* c = FColumns->Item(cell.X);
        if (c->HasOption(coCanSort)) {
          // A sort that cannot read a key leaves the rows as they were.
          try {
            if (c->Sorted())
              c->SetSortKind(c->SortKind() == skAscending ? skDescending : skAscending);
            else
              c->SetSorted(true);
          } catch (const std::exception&) {
          }
        }
      }
      break;
    case gaInput:
      if (cell.X >= 0) OpenInputEditor(cell.X, false);
      break;
    case gaIndicator:
      break;
    default:
      if (FRowsMarked) {
        BeginUpdate();
        ClearSelection();
        LeaveQuietUpdate();
        FRowsMarked = false;
      }
      break;
  }
}

// ---- column drag ----------------------------------------------------------------------

int TCfCustomGrid::DropPosition(TCfCustomColumn* Dragged, int X) {
  if (!Dragged) return -1;
  const std::vector<TCfCustomColumn*> visible = VisibleColumns();
  if (visible.empty()) return -1;
  const int old = Dragged->Position();
  TCfCustomColumn* over = nullptr;
  for (TCfCustomColumn* c : visible) {
    const int left = ColumnLeft(c);
    if (X >= left && X <= left + c->Width()) {
      over = c;
      break;
    }
  }
  if (!over) return X < ColumnLeft(visible.front()) ? visible.front()->Position() : visible.back()->Position();
  if (over == Dragged) return old;
  if (!IsFixedColumn(over) && ColumnLeft(over) < GetScrollableRect().Left) return old;
  const bool after = X >= ColumnLeft(over) + over->Width() / 2;
  if (over->Position() < old) return after ? over->Position() + 1 : over->Position();
  if (after) return over->Position();
  // Before a column right of the dragged one: the place of the visible column before it.
  int prior = old;
  for (TCfCustomColumn* c : visible) {
    if (c == over) break;
    prior = c->Position();
  }
  return std::max(prior, old);
}

void TCfCustomGrid::ColumnDragMoved(int X, int Y) {
  const TPoint p = ScreenToClient(TPoint(X, Y));
  const TRect header = GetHeaderRect();
  const bool inBand = p.Y >= 0 && p.Y < FHeaderSize && p.X >= 0 && p.X < std::min(header.Right, ClientWidth());
  const int old = FDragColumn ? FDragColumn->Position() : -1;
  const int pos = inBand ? DropPosition(FDragColumn, p.X) : -1;
  const bool allowed =
      pos >= 0 && !(HasOption(goLockFixedCols) && (pos < FColumns->FixedCols() || old < FColumns->FixedCols()));
  if (!allowed) {
    PlaceDragArrows(0, 0, true);
    SetCursor(crColumnNoDrag);
    return;
  }
  SetCursor(crDefault);
  // The arrows mark the seam under the mouse.
  const int col = ColumnAtX(p.X);
  int seam = p.X;
  if (col >= 0) {
    TCfCustomColumn* c = FColumns->Item(col);
    const int left = ColumnLeft(c);
    seam = p.X >= left + c->Width() / 2 ? left + c->Width() : left;
  }
  PlaceDragArrows(seam, 0);
}

void TCfCustomGrid::ColumnDropped(int X, int Y) {
  SetCursor(crDefault);
  PlaceDragArrows(0, 0, true);
  TCfCustomColumn* column = FDragColumn;
  FDragColumn = nullptr;
  FColumnDragging = false;
  FPressedColumn = -1;
  FHeaderPressed = false;
  if (FDisplay) FDisplay->PressedColumn = nullptr;
  if (!column) return;
  const TPoint p = ScreenToClient(TPoint(X, Y));
  const TRect header = GetHeaderRect();
  const bool inBand = p.Y >= 0 && p.Y < FHeaderSize && p.X >= 0 && p.X < std::min(header.Right, ClientWidth());
  if (inBand) {
    const int old = column->Position();
    const int pos = DropPosition(column, p.X);
    const bool allowed =
        pos >= 0 && !(HasOption(goLockFixedCols) && (pos < FColumns->FixedCols() || old < FColumns->FixedCols()));
    if (allowed && pos != old) FColumns->Move(old, pos);
  } else if (HasOption(goCanHideColumn)) {
    column->SetVisible(false);
  }
  RefreshArea(gaHeader);
  RefreshAll();
}

// ---- wheel ----------------------------------------------------------------------------

bool TCfCustomGrid::DoMouseWheelDown(TShiftState Shift) {
  if (FCellEditing) return true;
  TCfScrollBar* v = VertScrollBar();
  if (v->Max() > 0 && !v->AtEnd()) {
    (Shift & ssCtrl) ? v->PageDown() : v->Next();
  } else if (FGridStyle == gsReport && HorzScrollBar()->Max() > 0 && !v->Visible()) {
    (Shift & ssCtrl) ? HorzScrollBar()->PageDown() : HorzScrollBar()->Next();
  }
  return true;
}

bool TCfCustomGrid::DoMouseWheelUp(TShiftState Shift) {
  if (FCellEditing) return true;
  TCfScrollBar* v = VertScrollBar();
  if (v->Max() > 0) {
    (Shift & ssCtrl) ? v->PageUp() : v->Prior();
  } else if (FGridStyle == gsReport && HorzScrollBar()->Max() > 0) {
    (Shift & ssCtrl) ? HorzScrollBar()->PageUp() : HorzScrollBar()->Prior();
  }
  return true;
}

bool TCfCustomGrid::MouseWheel(TShiftState Shift, int Delta, TPoint MousePos) {
  if (!MouseWheelEnabled) return false;
  int notches = Delta / 120;
  if (notches == 0) return true;
  for (; notches < 0; ++notches) DoMouseWheelDown(Shift);
  for (; notches > 0; --notches) DoMouseWheelUp(Shift);
  (void)MousePos;
  return true;
}

// ---- enter, leave, focus, size ----------------------------------------------------------

void TCfCustomGrid::MouseEnter() { TCfCustomGridControl::MouseEnter(); }

void TCfCustomGrid::MouseLeave() {
  if (FRowDragging) DrawDropMarker(FDropRow, true);
  ReleaseHint();
  if (FHotColumn >= 0) {
    const int old = FHotColumn;
    FHotColumn = -1;
    if (FDisplay) FDisplay->HotColumn = nullptr;
    if (old < FColumns->Count()) InvalidateRect(GetHeaderCellRect(old));
  }
  FMouseCell = TPoint(-1, -1);
  TCfCustomGridControl::MouseLeave();
}

void TCfCustomGrid::ResetMouseState() {
  FPressedColumn = FClickedColumn = -1;
  FDownPoint = FDownCell = TPoint(-1, -1);
  FMouseDown = false;
  FColumnResizing = FHeaderPressed = FRowDragging = false;
  if (!FColumnDragging) FDragColumn = nullptr;
  FResizeColumn = FResizeRow = -1;
  FDragSourceRow = FDropRow = -1;
  FMouseCell = TPoint(-1, -1);
  if (FDisplay) FDisplay->PressedColumn = nullptr;
}

void TCfCustomGrid::DragCanceled() {
  TCfCustomGridControl::DragCanceled();
  if (!FPendingReselect) return;
  FPendingReselect = false;
  SelectCell(FSelectedColumn, FSelectedRow, 0, true);
}

void TCfCustomGrid::ApplicationDeactivated() {
  FPressedColumn = -1;
  FDownPoint = FDownCell = TPoint(-1, -1);
  FColumnDragging = FRowDragging = false;
  PlaceDragArrows(0, 0, true);
  FDragBox->hide();
  SetCursor(crDefault);
  RefreshSelection();
}

void TCfCustomGrid::DoEnter() {
  TCfCustomGridControl::DoEnter();
  if (GetRowCount() == 0 && HasOption(goInput)) SetInputSelected(true);
}

void TCfCustomGrid::DoExit() {
  QWidget* to = QApplication::focusWidget();
  const bool toEditor = FEditor && to && (to == FEditor || FEditor->isAncestorOf(to));
  ReleaseHint();
  ResetMouseState();
  if (FHotColumn >= 0) {
    const int old = FHotColumn;
    FHotColumn = -1;
    if (FDisplay) FDisplay->HotColumn = nullptr;
    if (old < FColumns->Count()) InvalidateRect(GetHeaderCellRect(old));
  }
  if (toEditor) {
    // The grid's own editor took the focus: nothing closes.
    RefreshSelection();
    TCfScrollControl::DoExit();
    return;
  }
  // The focus leaves for good: an open editor is applied and closed, and no
  // conversion error escapes the focus change.
  try {
    if (FCellEditing || FInputEditing) ApplyEditing();
  } catch (const std::exception&) {
  }
  EndEditing();
  TCfCustomGridControl::DoExit();
}

void TCfCustomGrid::Resize() {
  TCfCustomGridControl::Resize();
  if (FCellEditing) EndEditing();
  FLastClientHeight = ClientHeight();
  FLastClientWidth = ClientWidth();
}

void TCfCustomGrid::BeforeScroll(int Kind) {
  TCfCustomGridControl::BeforeScroll(Kind);
  if (Kind == 0 ? (FCellEditing || FInputEditing) : FCellEditing) EndEditing();
}
