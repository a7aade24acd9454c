// Keys: navigation (HandleKey), typed characters (plays, editing, search)
// and which keys the grid takes from the form.

#include <QKeyEvent>

#include "grid/CfCustomGrid.h"
#include "platform/Utf8.h"

using namespace cf;

bool TCfCustomGrid::WantsKey(uint16_t Key, TShiftState) const {
  switch (Key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      return true;
    case VK_TAB:
      return FWantTabs && FColumns->Count() > 0 &&
             (const_cast<TCfCustomGrid*>(this)->GetRowCount() > 0 || FInputSelected);
    case VK_RETURN:
      return FWantReturns;
    default:
      return false;
  }
}

bool TCfCustomGrid::ClaimsDialogKey(uint16_t Key, TShiftState Shift) const {
  const bool editing = FCellEditing || FInputEditing;
  if (Key == VK_RETURN) return FWantReturns || editing;
  if (Key == VK_ESCAPE) return editing;
  return TCfCustomGridControl::ClaimsDialogKey(Key, Shift);
}

bool TCfCustomGrid::event(QEvent* e) {
  if (e->type() == QEvent::WindowDeactivate) ApplicationDeactivated();
  // Tab reaches the grid's key handling only when the grid asks for it;
  // otherwise it moves the focus as in any dialog.
  if (e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && WantsKey(VK_TAB, 0)) {
      keyPressEvent(k);
      return true;
    }
  }
  return TCfCustomGridControl::event(e);
}

void TCfCustomGrid::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCfCustomGridControl::KeyDown(Key, Shift);  // OnKeyDown first
  if (Key != 0) HandleKey(Key, Shift);
}

void TCfCustomGrid::MarkKeyRange(int From, int To) {
  if (!HasOption(goMultiSelect) || !HasOption(goSelectFullRow)) return;
  From = std::max(From, 0);
  To = std::min(To, GetRowCount() - 1);
  if (To <= From) return;  // a single row (or none) is no range
  FRowsMarked = true;
  for (int r = From; r <= To; ++r)
    if (RowVisible(r)) SetSelected(r, true);
}

void TCfCustomGrid::HandleKey(uint16_t& Key, TShiftState Shift) {
  if (HasOption(goDisableKeys)) return;
  const bool editorOpen = FCellEditing || FInputEditing;
  const TShiftState shift = Shift & ssShift;
  switch (Key) {
    case VK_TAB:
      if (Shift & ssShift)
        MoveToPriorColumn(mskTab);
      else
        MoveToNextColumn(mskTab);
      break;
    case VK_LEFT:
    case VK_RIGHT: {
      if (editorOpen) return;
      const bool byColumn =
          FInputSelected || !HasOption(goSelectFullRow) || HasAppearance(aoIndicateSelectedCell);
      if (byColumn)
        Key == VK_LEFT ? MoveToPriorColumn(mskArrow) : MoveToNextColumn(mskArrow);
      else
        Key == VK_LEFT ? HorzScrollBar()->Prior() : HorzScrollBar()->Next();
      break;
    }
    case VK_UP:
      if (editorOpen) return;
      MoveToPriorRow(shift);
      break;
    case VK_DOWN:
      if (editorOpen) return;
      MoveToNextRow(shift, false, mskArrow);
      break;
    case VK_HOME:
      if (editorOpen) return;
      MarkKeyRange(0, FSelectedRow);
      if (FHomeEndBehaviour == hebTopBottom) {
        if (FSelectedColumn >= 0 && FSelectedColumn < FColumns->Count()) SelectFirstRow(shift);
      } else if (TCfCustomColumn* first = FColumns->FirstVisibleEnabled()) {
        SelectColumn(first->Index());
        ScrollColumnIntoView(first->Index());
      }
      break;
    case VK_END:
      if (editorOpen) return;
      // Without a current row the range starts at the top, not at row -1.
      if (FSelectedRow < 0 && FAnchorRow < 0) FAnchorRow = 0;
      MarkKeyRange(std::max(FSelectedRow, 0), GetRowCount() - 1);
      if (FHomeEndBehaviour == hebTopBottom) {
        SelectLastRow(shift);
      } else if (TCfCustomColumn* last = FColumns->LastVisibleEnabled()) {
        SelectColumn(last->Index());
        ScrollColumnIntoView(last->Index());
      }
      break;
    case VK_PRIOR:
      PageUp(shift);
      break;
    case VK_NEXT:
      PageDown(shift);
      break;
    default:
      break;
  }
}

void TCfCustomGrid::PageUp(TShiftState) {
  const int count = GetRowCount();
  if (count == 0) return;
  const int page = std::max(1, RowsPerPage());
  if (FSelectedRow > FFirstRow) {
    SetSelectedRow(FFirstRow < count && RowVisible(FFirstRow) ? FFirstRow : GetFirstRow());
    return;
  }
  // P shown rows up, never above the first shown row.
  int target = FSelectedRow, moved = 0;
  for (int r = FSelectedRow - 1; r >= 0 && moved < page; --r)
    if (RowVisible(r)) {
      target = r;
      ++moved;
    }
  if (target < GetFirstRow()) target = GetFirstRow();
  if (target != FSelectedRow) SetSelectedRow(target);
  VertScrollBar()->MoveBy(-page);
}

void TCfCustomGrid::PageDown(TShiftState) {
  const int count = GetRowCount();
  if (count == 0) return;
  const int page = std::max(1, RowsPerPage());
  if (FSelectedRow < FFirstRow + page - 1) {
    // The page's last row; in a list shorter than a page, the last shown row.
    int target = -1, seen = 0;
    for (int r = std::max(FFirstRow, 0); r < count && seen < page; ++r)
      if (RowVisible(r)) {
        target = r;
        ++seen;
      }
    if (target < 0) target = GetLastRow();
    SetSelectedRow(target);
    return;
  }
  if (FSelectedRow + page > count) {
    SelectLastRow(0);
    return;
  }
  int target = FSelectedRow, moved = 0;
  for (int r = FSelectedRow + 1; r < count && moved < page; ++r)
    if (RowVisible(r)) {
      target = r;
      ++moved;
    }
  if (target > GetLastRow()) target = GetLastRow();
  if (target != FSelectedRow) SetSelectedRow(target);
  VertScrollBar()->MoveBy(page);
}

void TCfCustomGrid::KeyPress(char32_t& Key) {
  TCfCustomGridControl::KeyPress(Key);  // OnKeyPress first
  if (Key == 0 || FCellEditing || FInputEditing || HasOption(goDisableKeys) || Key == 27) return;

  if (Key == '\r' && FWantReturns) {
    if (!FInputSelected) {
      switch (FSelectionMoveDirection) {
        case mdUp: MoveToPriorRow(0); break;
        case mdDown: MoveToNextRow(0, false, mskEnter); break;
        case mdLeft: MoveToPriorColumn(mskEnter); break;
        case mdRight: MoveToNextColumn(mskEnter); break;
        case mdNone: break;
      }
    } else if (FInputEnterMode == imAllways) {
      ApplyEditing();
      AcceptInput();
    }
  }

  const int count = GetRowCount();
  if (FSelectedColumn < 0 || FSelectedColumn >= FColumns->Count()) return;
  if (!FInputSelected && (FSelectedRow < 0 || FSelectedRow >= count)) return;
  TCfCustomColumn* column = FColumns->Item(FSelectedColumn);

  if (!FInputSelected && !FReadOnly && column->GetPlayClass() != TColumnPlayClass::None &&
      (column->HasOption(coEditing) || (column->GetCapabilities() & 1))) {
    TColumnPlay* play = ColumnPlay(column);
    if (play && PreparePlay(FSelectedColumn, FSelectedRow, CellRect(FSelectedColumn, FSelectedRow)))
      play->KeyPress(Key);
  }

  if (Key != '\r' && Key != '\t' && Key >= 32 && column->IsKeyAccepted(Key)) {
    if (FInputSelected)
      OpenInputEditor(FSelectedColumn, true, Key);
    else
      EditCellByKey(FSelectedColumn, FSelectedRow, Key);
  }

  if (FInputSelected || column->HasOption(coEditing) || count == 0 || Key < 32) return;
  int searchColumn = -1;
  for (int c = 0; c < FColumns->Count() && searchColumn < 0; ++c)
    if (FColumns->Item(c)->HasOption(coSearchColumn)) searchColumn = c;
  if (searchColumn < 0) return;
  FSearchTimer.SetEnabled(false);
  FSearchTimer.SetEnabled(true);
  const bool growing = !FSearchText.empty();
  AppendUtf8(FSearchText, Key);
  // A growing text keeps a current row that still matches; a first letter
  // looks after the current row, so repeating it steps through the matches.
  const int first = growing ? std::max(FSelectedRow, 0) : FSelectedRow + 1;
  const int row = FindTextFrom(searchColumn, FSearchText, first);
  if (row >= 0) {
    SetSelectedRow(row);
    if (!Updating()) ScrollToRow(row);
  }
}
