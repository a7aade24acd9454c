// The current cell, the row marks and the highlight colours.

#include <algorithm>
#include <cmath>

#include "controls/CfSharedDraw.h"
#include "grid/CfCustomGridControl.h"

using namespace cf;

void TCfCustomGridControl::SelectCell(int ACol, int ARow, TShiftState Shift, bool ClearMarks) {
  if (!CanSelectCell(ACol, ARow)) return;
  const bool shift = (Shift & ssShift) != 0, ctrl = (Shift & ssCtrl) != 0;
  if (FRowsMarked && !shift && !ctrl && ClearMarks) {
    BeginUpdate();
    ClearSelection();
    LeaveQuietUpdate();  // the marks were repainted one by one; no full repaint here
    FRowsMarked = false;
    FSelectedRow = -1;
    FSelectedColumn = 0;
  }
  if (ACol < 0 || ACol >= FColumns->Count() || !FColumns->Item(ACol)->Enabled()) return;

  const int oldCol = FSelectedColumn, oldRow = FSelectedRow;
  FSelectedColumn = ACol;
  FSelectedRow = ARow;
  const bool cellChanged = oldCol != ACol || oldRow != ARow;
  const bool rowChanged = oldRow != ARow;
  if (cellChanged) {
    if (oldRow >= 0 && oldRow < GetRowCount() && OnDeselectCell) OnDeselectCell(this, oldCol, oldRow);
    if (FEditCol >= 0) EndEditing();
  }
  if (FAutoScroll && ARow >= 0 && ARow < GetRowCount()) ScrollToRow(ARow);

  if (FInputSelected) {
    if (oldCol != ACol) {
      if (OnInputSelectCell) OnInputSelectCell(this, ACol);
      if (ACol < FColumns->Count()) InvalidateRect(GetInputCellRect(ACol));
      if (oldCol >= 0 && oldCol < FColumns->Count()) InvalidateRect(GetInputCellRect(oldCol));
    }
    return;
  }
  if (GetRowCount() == 0) return;

  auto refreshRowMark = [this](int row) {
    if (FGridStyle == gsSlides)
      RefreshSlide(row);
    else
      RefreshIndicatorCell(row);
  };

  if (!HasOption(goSelectFullRow)) {
    if (cellChanged) {
      if (rowChanged) {
        refreshRowMark(ARow);
        refreshRowMark(oldRow);
      }
      RefreshCell(ACol, ARow);
      RefreshCell(oldCol, oldRow);
    }
    if (OnSelectCell) OnSelectCell(this, ACol, ARow);
    return;
  }

  if (HasOption(goMultiSelect) && (shift || ctrl)) {
    if (ctrl && !shift) {
      FAnchorRow = ARow;
      FRowsMarked = true;
      if (ARow >= 0 && ARow < GetRowCount()) SetSelected(ARow, !GetSelected(ARow));
      if (rowChanged) RefreshRow(oldRow);
      if (OnSelectCell) OnSelectCell(this, ACol, ARow);
      return;
    }
    FRowsMarked = true;
    const int anchor = FAnchorRow < 0 ? ARow : FAnchorRow;
    const int from = std::max(0, std::min(anchor, ARow)), to = std::min(std::max(anchor, ARow), GetRowCount() - 1);
    if (!ctrl) {
      // Only the rows that carry a mark are visited.
      for (int r = 0, n = GetRowCount(); r < n; ++r) {
        if (r == from) {
          r = to;
          continue;
        }
        if (GetSelected(r)) SetSelected(r, false);
      }
    }
    SelectRange(from, to, true);
    if (rowChanged) {
      RefreshRow(ARow);
      RefreshRow(oldRow);
    }
    if (OnSelectCell) OnSelectCell(this, ACol, ARow);
    return;
  }

  if (!rowChanged && HasAppearance(aoIndicateSelectedCell) && oldCol != ACol) {
    RefreshCell(ACol, ARow);
    RefreshCell(oldCol, ARow);
  }
  if (rowChanged && !FRowsMarked && oldRow >= 0 && oldRow < GetRowCount()) SetSelected(oldRow, false);
  if (ARow >= 0 && ARow < GetRowCount()) SetSelected(ARow, true);
  FAnchorRow = ARow;
  if (!Updating()) {
    RefreshRow(ARow);
    RefreshRow(oldRow);
  }
  if (OnSelectCell) OnSelectCell(this, ACol, ARow);
}

void TCfCustomGridControl::SetSelectedRow(int Value) {
  const int count = GetRowCount();
  if (count == 0 || Value < -1 || Value >= count) return;
  SetInputSelected(false);
  SelectCell(FSelectedColumn, Value, 0, true);
}

void TCfCustomGridControl::SelectFirstRow(TShiftState Shift) {
  SetInputSelected(false);
  SelectCell(FSelectedColumn, GetFirstRow(), Shift);
  VertScrollBar()->First();
}

void TCfCustomGridControl::SelectLastRow(TShiftState Shift) {
  SetInputSelected(false);
  SelectCell(FSelectedColumn, GetLastRow(), Shift);
  VertScrollBar()->Last();
}

void TCfCustomGridControl::SelectColumn(int Index) {
  if (FColumns->Count() == 0 || Index < 0 || Index >= FColumns->Count()) return;
  SelectCell(Index, FSelectedRow);
}

void TCfCustomGridControl::SelectAll() {
  if (!HasOption(goMultiSelect) || !HasOption(goSelectFullRow)) return;
  BeginUpdate();
  for (int r = 0, n = GetRowCount(); r < n; ++r) SetSelected(r, true);
  FRowsMarked = true;
  EndUpdate();
}

void TCfCustomGridControl::ClearSelection() {
  for (int r = 0, n = GetRowCount(); r < n; ++r)
    if (GetSelected(r)) SetSelected(r, false);
}

void TCfCustomGridControl::SetInputSelected(bool Value) {
  if (FInputSelected == Value) return;
  FInputSelected = Value;
  RefreshArea(gaInput);
  RefreshRow(FSelectedRow);
}

void TCfCustomGridControl::MoveToNextRow(TShiftState Shift, bool LeaveAtEnd, TMoveSelectionKey Key) {
  const int count = GetRowCount();
  if (count == 0) return;
  int target = -1;
  if (FInputSelected) {
    SetInputSelected(false);
    target = GetFirstRow();
  } else {
    if (FSelectedRow < 0) return;
    if (FSelectedRow >= count - 1) {
      if (LeaveAtEnd) {
        TabToNextControl();
        if (Key == mskTab) SelectFirstRow(0);
      }
      return;
    }
    for (int r = FSelectedRow + 1; r < count; ++r)
      if (RowVisible(r) && CanSelectCell(FSelectedColumn, r)) {
        target = r;
        break;
      }
    // No shown, accepted row lies below: the selection stays.
    if (target < 0) return;
  }
  SelectCell(FSelectedColumn, target, Shift, true);
  int top;
  if (!GetRowTop(target, top) && target >= FFirstRow) {
    VertScrollBar()->Next();
  } else if (GetRowTop(target, top) && top + DisplayedRowHeight(target) >= GetBodyRect().Bottom) {
    VertScrollBar()->Next();
  }
}

void TCfCustomGridControl::MoveToPriorRow(TShiftState Shift) {
  if (FSelectedRow < 0 || GetRowCount() == 0) return;
  if (FSelectedRow == GetFirstRow() && HasOption(goInput) && FGridStyle == gsReport) {
    SetInputSelected(true);
    return;
  }
  int target = -1;
  for (int r = std::min(FSelectedRow, GetRowCount()) - 1; r >= 0; --r)
    if (RowVisible(r) && CanSelectCell(FSelectedColumn, r)) {
      target = r;
      break;
    }
  // No shown, accepted row lies above: the selection stays.
  if (target < 0) return;
  SelectCell(FSelectedColumn, target, Shift, true);
  if (target < FFirstRow) VertScrollBar()->Prior();
}

void TCfCustomGridControl::MoveToNextColumn(TMoveSelectionKey Key) {
  if (FSelectedColumn < 0 || FSelectedColumn >= FColumns->Count()) return;
  TCfCustomColumn* current = FColumns->Item(FSelectedColumn);
  TCfCustomColumn* next = FColumns->NextVisibleEnabled(current);
  if (next == current) {
    if (Key != mskTab) return;
    if (FInputSelected) {
      if (FTabLeaveControl) TabToNextControl();
      return;
    }
    MoveToNextRow(0, FTabLeaveControl, mskTab);
    TCfCustomColumn* first = FColumns->FirstVisibleEnabled();
    int col = first ? first->Index() : 0;
    if (OnSelectionMove) OnSelectionMove(this, col, FSelectedRow, mskTab);
    SelectColumn(col);
    ScrollColumnIntoView(col);
    return;
  }
  int col = next->Index();
  if (OnSelectionMove) OnSelectionMove(this, col, FSelectedRow, Key);
  SelectCell(col, FSelectedRow);
  ScrollColumnIntoView(col);
}

void TCfCustomGridControl::MoveToPriorColumn(TMoveSelectionKey Key) {
  if (FSelectedColumn < 0 || FSelectedColumn >= FColumns->Count()) return;
  TCfCustomColumn* current = FColumns->Item(FSelectedColumn);
  TCfCustomColumn* prior = FColumns->PriorVisibleEnabled(current);
  if (prior == current) {
    if (Key != mskTab) return;
    if (!FInputSelected && FSelectedRow > GetFirstRow()) {
      MoveToPriorRow(0);
      TCfCustomColumn* last = FColumns->LastVisibleEnabled();
      int col = last ? last->Index() : 0;
      if (OnSelectionMove) OnSelectionMove(this, col, FSelectedRow, mskTab);
      SelectColumn(col);
      ScrollColumnIntoView(col);
    } else if (FTabLeaveControl) {
      TabToPriorControl();
    }
    return;
  }
  int col = prior->Index();
  if (OnSelectionMove) OnSelectionMove(this, col, FSelectedRow, Key);
  SelectCell(col, FSelectedRow);
  ScrollColumnIntoView(col);
}

// ---- highlight and colours ----------------------------------------------------------

bool TCfCustomGridControl::IsCellHighlighted(int ACol, int ARow) {
  if (FGridStyle == gsSlides && !HasAppearance(aoHighlightSlideCells)) return false;
  if (FInputSelected) return false;
  if (ACol < 0 || ACol >= FColumns->Count()) return false;
  if (FColumns->Item(ACol)->HasOption(coDontHighlight)) return false;
  if (!GridFocused() && HasAppearance(aoHideSelection)) return false;
  const bool current = ACol == FSelectedColumn && ARow == FSelectedRow;
  const bool editing = ACol == FEditCol && ARow == FEditRow;
  if (HasOption(goSelectFullRow)) {
    if (ARow < 0 || ARow >= GetRowCount() || !GetSelected(ARow)) return false;
    if (!current) return true;
    return !HasAppearance(aoIndicateSelectedCell) && !editing;
  }
  return current && !editing;
}

static TColor Darkened(TColor c) { return BlendColor(clBlack, c, 10); }

TColor TCfCustomGridControl::GetCellBackground(int ACol, int ARow) {
  TColor color = GetCellColor(ACol, ARow);
  if (HasAppearance(aoIndicateSortedColumn) && ACol >= 0 && ACol < FColumns->Count() &&
      FColumns->Item(ACol)->Sorted())
    color = Darkened(color);
  if (!IsCellHighlighted(ACol, ARow)) return color;
  if (!GridFocused()) return FInactiveSelectionColor;
  if (HasAppearance(aoAlphaBlendedSelection)) {
    const TColor h = ColorToRGB(clHighlight), c = ColorToRGB(color);
    auto mix = [](int a, int b) { return static_cast<int>(std::lround(0.25 * a + 0.75 * b)); };
    return RGB(mix(GetRValue(h), GetRValue(c)), mix(GetGValue(h), GetGValue(c)), mix(GetBValue(h), GetBValue(c)));
  }
  return FSelectionColor;
}

TColor TCfCustomGridControl::GetCellTextColor(int ACol, int ARow) {
  if (IsCellHighlighted(ACol, ARow) && GridFocused()) return FHighlightedTextColor;
  if (ACol < 0 || ACol >= FColumns->Count()) return clWindowText;
  return FColumns->Item(ACol)->Font().Color;
}
