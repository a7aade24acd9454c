// In-place editing of cells and the input line: opening a column's editor
// over a cell, the editor's keys, writing the text back, closing, and
// turning the input line into a row.

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

#include "controls/CfNativeEdit.h"
#include "grid/CfCell.h"
#include "grid/CfCustomGrid.h"

using namespace cf;

namespace {

void CaretToEnd(TCfCustomEdit* editor) {
  editor->SetSelStart(static_cast<int>(QString::fromStdString(editor->Text()).size()));
  editor->SetSelLength(0);
}

bool FocusInside(QWidget* w) {
  QWidget* f = QApplication::focusWidget();
  return w && f && (f == w || w->isAncestorOf(f));
}

}  // namespace

// ---- where the editor lies ---------------------------------------------------------

TRect TCfCustomGrid::EditorBounds(int ACol, int ARow) {
  TRect r = CellRect(ACol, ARow);
  if (r.IsEmpty()) return r;
  TCfCustomColumn* column = FColumns->Item(ACol);
  int left = r.Left;
  column->AdjustIndent(GetRowLevel(ARow), left);
  r.Left = std::min(left, r.Right);
  r = InflateRect(r, -1, -1);
  const TRect body = GetBodyRect();
  r.Left = std::max({r.Left, 0, body.Left});
  r.Right -= FVertLineWidth + (HasOption(goGrid) ? 0 : 1);
  return r;
}

void TCfCustomGrid::PlaceEditor(const TRect& R, bool Hidden, TCfCustomColumn*) {
  if (!FEditor) return;
  if (Hidden || R.IsEmpty()) {
    FEditor->hide();
    return;
  }
  FEditor->SetBounds(R.Left, R.Top, R.Width(), R.Height());
  FEditor->show();
}

void TCfCustomGrid::RepositionEditor() {
  if (!FEditor) return;
  if (FCellEditing) {
    const TRect cell = CellRect(FEditCol, FEditRow);
    const bool hidden = cell.IsEmpty() || cell.Top < GetBodyRect().Top;
    PlaceEditor(EditorBounds(FEditCol, FEditRow), hidden, FColumns->Item(FEditCol));
  } else if (FInputEditing && FInputColumn >= 0 && FInputColumn < FColumns->Count()) {
    TRect r = InflateRect(GetInputCellRect(FInputColumn), -1, -1);
    r.Left = std::max(r.Left, IndicatorWidth());
    PlaceEditor(r, false, FColumns->Item(FInputColumn));
  }
}

// ---- adopting an editor -----------------------------------------------------------------

void TCfCustomGrid::AdoptEditor(TCfCustomEdit* Editor) {
  Editor->OnChange = nullptr;
  if (Editor->parentWidget() != this) {
    Editor->hide();
    Editor->setParent(this);
  }
  Editor->SetText(std::string());
  Editor->SetWantTabs(FWantTabs);
  Editor->InplaceEdit = true;
  FEditor = Editor;
}

void TCfCustomGrid::AttachEditor() {
  if (!FEditor) return;
  QPointer<TCfCustomGrid> self(this);
  FEditor->OnChange = [self](QObject*) {
    if (!self || self->FSettingEditorText || !self->FCellEditing || !self->FEditor) return;
    if (self->OnEdit) self->OnEdit(self, self->FEditCol, self->FEditRow, self->FEditor->Text());
  };
  FEditor->OnEnter = [self](TControl*) {
    if (self && !self->Focused()) self->RefreshSelection();
  };
  FEditor->OnExit = [self](TControl*) {
    if (self) self->EditorExit();
  };
  FEditor->OnKeyDown = [self](TControl*, uint16_t& key, TShiftState shift) {
    if (self) self->EditorKeyDown(key, shift);
  };
  FEditor->OnKeyPress = [self](TControl*, char32_t& key) {
    if (self) self->KeyPress(key);
  };
  FEditor->OnKeyUp = [self](TControl*, uint16_t& key, TShiftState shift) {
    if (self) self->KeyUp(key, shift);
  };
}

TCfCustomEdit* TCfCustomGrid::OpenCellEditor(int ACol, int ARow) {
  if (FCellEditing && FEditCol == ACol && FEditRow == ARow) return nullptr;
  if (ACol < 0 || ACol >= FColumns->Count() || ARow < 0 || ARow >= GetRowCount()) return nullptr;
  TCfCustomColumn* column = FColumns->Item(ACol);
  if (!(column->GetEditOptions() & 1) || FReadOnly || !CanEdit()) return nullptr;
  TCfCustomEdit* own = column->InplaceEdit();
  TCfCustomEdit* editor = own ? own : column->Editor();
  if (!editor) return nullptr;
  bool accept = true;
  if (OnBeforeEdit) OnBeforeEdit(this, ACol, ARow, accept);
  if (!accept) return nullptr;
  ApplyEditing();
  EndEditing();
  FCellEditing = true;
  FEditCol = ACol;
  FEditRow = ARow;
  AdoptEditor(editor);
  if (own) {
    if (!HasOption(goInplaceEditEvents)) AttachEditor();
  } else {
    AttachEditor();
    column->PrepareEditor();
    editor->SetBorderStyle(TBorderStyle::bsNone);
    editor->Color = GetCellColor(ACol, ARow);
    editor->Font = column->Font();
  }
  return editor;
}

void TCfCustomGrid::EditCell(int ACol, int ARow, const std::string& Text) {
  TCfCustomEdit* editor = OpenCellEditor(ACol, ARow);
  if (!editor) return;
  TCfCustomColumn* column = FColumns->Item(ACol);
  if (Text.empty()) {
    // The editor shows the cell's own value: filling it is no edit.
    std::string text = Cells(ACol, ARow);
    FSettingEditorText = true;
    if (OnApplyEditText) OnApplyEditText(this, ACol, ARow, text);
    editor->SetText(text);
    EditorOpened();
    column->AfterEdit();
    FSettingEditorText = false;
  } else {
    editor->SetText(Text);
    EditorOpened();
    column->AfterEdit();
  }
  RepositionEditor();
  if (!FEditor) return;
  FEditor->SetFocus();
  if (column->HasOption(coEditorAutoSelect))
    FEditor->SelectAll();
  else
    CaretToEnd(FEditor);
}

void TCfCustomGrid::SendCharToEditor(char32_t Key) {
  if (!FEditor) return;
  QWidget* target = FEditor->NativeEdit() && FEditor->NativeEdit()->isVisibleTo(FEditor)
                        ? static_cast<QWidget*>(FEditor->NativeEdit())
                        : static_cast<QWidget*>(FEditor.data());
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(&Key, 1));
  QApplication::sendEvent(target, &press);
}

void TCfCustomGrid::EditCellByKey(int ACol, int ARow, char32_t Key) {
  if (!OpenCellEditor(ACol, ARow)) return;
  RepositionEditor();
  if (!FEditor) return;
  FEditor->SetFocus();
  SendCharToEditor(Key);
  if (FEditor) CaretToEnd(FEditor);
}

// ---- the editor's keys and focus ---------------------------------------------------------

void TCfCustomGrid::EditorKeyDown(uint16_t& Key, TShiftState Shift) {
  if (!FEditor) return;
  switch (Key) {
    case VK_TAB:
      ApplyEditing();
      EndEditing();
      SetFocus();
      break;
    case VK_RETURN:
      if (FCellEditing) {
        TCfCustomColumn* column = FColumns->Item(FEditCol);
        const bool multiLine = (column->GetCapabilities() & 64) || column->IsMultiLine(false);
        if ((Shift & ssCtrl) || multiLine) break;
        ApplyEditing();
        EndEditing();
        SetFocus();
      } else if (FInputEditing) {
        TCfCustomColumn* column = FColumns->Item(FInputColumn);
        ApplyEditing();
        AcceptInput();
        if (FEditor) {
          FSettingEditorText = true;
          FEditor->SetText(column->InputValue());
          FSettingEditorText = false;
        }
      }
      break;
    case VK_ESCAPE:
      if (HasOption(goEscClearEdit)) {
        FEditor->SetText(std::string());
      } else {
        EndEditing();
        SetFocus();
      }
      Key = 0;
      return;
    default:
      break;
  }
  if (Key != 0) HandleKey(Key, Shift);
  if (Key == VK_TAB) Key = 0;
}

void TCfCustomGrid::EditorExit() {
  if (!FEditor) return;
  QWidget* to = QApplication::focusWidget();
  if (to == this || FocusInside(FEditor)) {
    if (!Focused()) RefreshSelection();
    return;
  }
  // The focus left grid and editor alike: the edit is applied and closed.
  if (FCellEditing || FInputEditing) ApplyEditing();
  EndEditing();
  RefreshSelection();
}

// ---- writing back and closing --------------------------------------------------------------

bool TCfCustomGrid::ApplyEditing() {
  if (!FEditor) return false;
  if (FCellEditing) {
    const int col = FEditCol, row = FEditRow;
    if (col < 0 || col >= FColumns->Count()) return false;
    std::string text = FEditor->Text();
    FColumns->Item(col)->ApplyEditorText(text);
    bool accept = true;
    if (OnEditAccept) OnEditAccept(this, col, row, text, accept);
    if (GetRowCount() == 0 || row < 0 || row >= GetRowCount() || !accept) return false;
    if (OnEditText) OnEditText(this, col, row, text);
    // Text the cell cannot take leaves it as a refused edit would.
    try {
      SetEditCellText(text);
    } catch (const std::exception&) {
      return false;
    }
    if (OnAfterEdit) OnAfterEdit(this, col, row, Cells(col, row));
    return true;
  }
  if (FInputEditing && FInputColumn >= 0 && FInputColumn < FColumns->Count())
    FColumns->Item(FInputColumn)->SetInputValue(FEditor->Text());
  return false;
}

void TCfCustomGrid::EndEditing() {
  const bool wasCell = FCellEditing;
  TCfCustomEdit* editor = FEditor.data();
  const int col = FEditCol, row = FEditRow, input = FInputColumn;
  FCellEditing = FInputEditing = false;
  FEditCol = FEditRow = -1;
  FInputColumn = -1;
  FEditor = nullptr;
  if (editor) {
    // The grid takes the focus back before the editor vanishes, so that it
    // does not wander to another control.
    if (FocusInside(editor)) SetFocus();
    editor->hide();
    editor->InplaceEdit = false;
  }
  if (wasCell && row >= 0 && row < GetRowCount()) RefreshCell(col, row);
  if (input >= 0 && input < FColumns->Count()) InvalidateRect(GetInputCellRect(input));
  if (wasCell && OnEditExit) OnEditExit(this);
}

// ---- the input line --------------------------------------------------------------------------

void TCfCustomGrid::OpenInputEditor(int ACol, bool ByKey, char32_t Key, const std::string* Text) {
  if (ACol < 0 || ACol >= FColumns->Count()) return;
  SetInputSelected(true);
  if (!ByKey && FSelectedColumn != ACol) {
    const int old = FSelectedColumn;
    FSelectedColumn = ACol;
    if (old >= 0 && old < FColumns->Count()) InvalidateRect(GetInputCellRect(old));
    InvalidateRect(GetInputCellRect(ACol));
  }
  ApplyEditing();
  EndEditing();
  TCfCustomColumn* column = FColumns->Item(ACol);
  TCfCustomEdit* own = column->InplaceEdit();
  TCfCustomEdit* editor = own ? own : column->Editor();
  if (!editor || !(column->GetEditOptions() & 2) || FReadOnly) return;
  FInputEditing = true;
  AdoptEditor(editor);
  if (own) {
    if (!HasOption(goInplaceEditEvents)) AttachEditor();
  } else {
    AttachEditor();
    column->PrepareEditor();
    editor->SetBorderStyle(TBorderStyle::bsNone);
    editor->Color = column->Color();
    editor->AutoSelect = false;
    editor->Font.Color = column->Font().Color;
  }
  FInputColumn = ACol;
  FEditCol = ByKey ? -1 : ACol;
  FEditRow = -1;
  RepositionEditor();
  editor->SetFocus();
  FSettingEditorText = true;
  if (ByKey) {
    SendCharToEditor(Key);
  } else {
    editor->SetText(Text ? *Text : column->InputValue());
    column->AfterEdit();
  }
  FSettingEditorText = false;
  if (!FEditor) return;
  if (column->HasOption(coEditorAutoSelect))
    FEditor->SelectAll();
  else
    CaretToEnd(FEditor);
  if (OnInputSelectCell) OnInputSelectCell(this, ACol);
}

void TCfCustomGrid::AcceptInput() {
  bool accept = true;
  if (OnInputAccept) OnInputAccept(this, accept);
  if (!accept) return;
  const int columns = FColumns->Count();
  std::vector<std::string> values(static_cast<std::size_t>(columns));
  for (int c = 0; c < columns; ++c) {
    TCfCustomColumn* column = FColumns->Item(c);
    values[c] = column->InputValue().empty() ? column->DefaultValue() : column->InputValue();
  }
  // Every value is converted before the row exists: one that its column
  // cannot take adds nothing and the input line keeps what was typed.
  try {
    for (int c = 0; c < columns; ++c) {
      TCfCustomColumn* column = FColumns->Item(c);
      if (values[c].empty() || column->Kind() == 11) continue;
      MakeCell(column->Kind(), nullptr, column)->SetAsString(TCellAt{c, 0}, values[c]);
    }
  } catch (const std::exception&) {
    return;
  }
  int row = -1;
  try {
    row = AddRow(1);
  } catch (const std::exception&) {
    return;
  }
  for (int c = 0; c < columns; ++c)
    if (!values[c].empty()) SetCells(c, row, values[c]);
  for (int c = 0; c < columns; ++c) FColumns->Item(c)->SetInputValue(std::string());
  if (OnInputAdded) OnInputAdded(this);
}
