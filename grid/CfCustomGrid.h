#pragma once
// The grid control with its published behaviour: the column drag box and
// its arrows, cell plays, and (added by the input code) keys, mouse,
// incremental search and in-place editing.

#include <memory>

#include "grid/CfCustomGridControl.h"
#include "grid/CfGridDragBox.h"
#include "platform/HintWindow.h"
#include "platform/Timer.h"

class TCfCustomGrid : public TCfCustomGridControl {
 public:
  explicit TCfCustomGrid(QWidget* Owner = nullptr);
  ~TCfCustomGrid() override;

  TColumnDragBox& DragBox() { return *FDragBox; }
  TDragArrow& DragArrow(int Index) { return Index == 0 ? *FArrowDown : *FArrowUp; }
  // Places the arrows at a drop position (X, Y in client pixels, Y the top
  // of the header row) or hides them.
  void PlaceDragArrows(int X, int Y, bool Hide = false);
  // Sizes the drag box over a column's header and starts the drag at a
  // screen point.
  void StartColumnDrag(TCfCustomColumn* Column, TPoint ScreenPoint, bool Hidden = false);

  // ---- plays ----
  // Fills the column's play for a cell; false when the cell has none or
  // OnBeforeEdit refuses.
  virtual bool PreparePlay(int ACol, int ARow, const TRect& CellRect);
  virtual void FillPlayInfo(TColumnPlay& Play) = 0;
  virtual void PlayChanged(TColumnPlay* /*Play*/, bool /*Value*/) {}
  virtual void PlayExpand(TColumnPlay* /*Play*/) {}
  virtual void ClickOutside() {}

 protected:
  std::unique_ptr<TColumnDragBox> FDragBox;
  std::unique_ptr<TDragArrow> FArrowDown;  // direction 2, above the header
  std::unique_ptr<TDragArrow> FArrowUp;    // direction 1, below it
  int FPlayCol = -1, FPlayRow = -1;

  // ---- input (keys, mouse, search, editing) --------------------------------------
  // Declarations of the input handlers go below this line.
 public:
  // Keys (CfGridKeys.cpp).
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  virtual void HandleKey(uint16_t& Key, TShiftState Shift);
  // Keys the grid takes for itself: arrows always, Tab with WantTabs (and
  // columns, and rows or the input line), Return with WantReturns.
  bool WantsKey(uint16_t Key, TShiftState Shift) const;
  // Return and Escape stay with the grid while it edits (or, for Return,
  // while WantReturns moves the selection).
  bool ClaimsDialogKey(uint16_t Key, TShiftState Shift) const override;

  // Type-to-search and FindText (CfGridSearch.cpp).
  bool FindText(int ACol, const std::string& Text, bool FromStart);
  const std::string& SearchText() const { return FSearchText; }
  cf::TTimer& SearchTimer() { return FSearchTimer; }

  // Mouse (CfGridMouse.cpp, CfGridColumnDrag.cpp, CfGridHints.cpp).
  // The area under a client point: 1 body, 2 footer, 3 header, 4 indicator,
  // 5 input line, 0 none.
  int HitArea(int X, int Y);
  void GetCellAtPos(TPoint P, TPoint& Cell);
  void MouseDown(cf::TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(cf::TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool MouseWheel(TShiftState Shift, int Delta, TPoint MousePos) override;
  bool DoMouseWheelDown(TShiftState Shift);
  bool DoMouseWheelUp(TShiftState Shift);
  void MouseEnter() override;
  void MouseLeave() override;
  void DragCanceled() override;
  void DoEnter() override;
  void DoExit() override;
  void Resize() override;
  // A scroll closes the editor (a vertical one only a cell editor).
  void BeforeScroll(int Kind) override;
  // The application lost the activation (drags and presses end).
  void ApplicationDeactivated();
  // Column dropped from the drag box at a screen point.
  void ColumnDropped(int X, int Y);
  void ColumnDragMoved(int X, int Y);
  // Display position a column dragged to client X would take (-1 when it
  // keeps its place).
  int DropPosition(TCfCustomColumn* Dragged, int X);
  bool RowDragging() const { return FRowDragging; }
  int DropRow() const { return FDropRow; }
  // Shows the row-drop marker where a drop from another control would land:
  // above row ARow, or under the last row for RowCount; -1 takes it away.
  void ShowDropMarker(int ARow);
  // The control's painting with the drop marker, while one is shown, on top.
  void Paint(cf::TCanvas& canvas) override;
  bool ColumnResizing() const { return FColumnResizing; }
  bool ColumnDragging() const { return FColumnDragging; }
  int HintKind() const { return FHintKind; }
  cf::THintWindow* HintWindow() const { return FHintWindow.get(); }
  void ReleaseHint();
  int HotColumn() const { return FHotColumn; }
  // Registers the grid's cursors (column divider, no drop, row divider, indicator).
  static void RegisterGridCursors();

  // In-place editing and the input line (CfGridEditing.cpp).
  void EditCell(int ACol, int ARow, const std::string& Text) override;
  void EndEditing() override;
  bool ApplyEditing() override;
  void AttachEditor() override;
  void AcceptInput() override;
  void RepositionEditor() override;
  // Opens the editor of an input cell, after a click (with the text it
  // shows, the column's InputValue when none) or a typed key.
  void OpenInputEditor(int ACol, bool ByKey, char32_t Key = 0, const std::string* Text = nullptr);
  bool CellEditing() const { return FCellEditing; }
  bool InputEditing() const { return FInputEditing; }
  // Where an editor for the cell lies (client pixels); empty when hidden.
  TRect EditorBounds(int ACol, int ARow);

 protected:
  // Sets up the search timer, the hint window and the cursors (constructor).
  void InitInput();
  bool event(QEvent* e) override;
  // A key typed into a cell opens its editor with that character.
  void EditCellByKey(int ACol, int ARow, char32_t Key);
  // Steps shared by a click and a key: checks, OnBeforeEdit, adoption.
  TCfCustomEdit* OpenCellEditor(int ACol, int ARow);
  void AdoptEditor(TCfCustomEdit* Editor);
  void EditorKeyDown(uint16_t& Key, TShiftState Shift);
  void PlaceEditor(const TRect& R, bool Hidden, TCfCustomColumn* Column);
  void SendCharToEditor(char32_t Key);
  // Editor focus left for something else than the grid.
  void EditorExit();
  // Marks rows From .. To for Home and End.
  void MarkKeyRange(int From, int To);
  void PageUp(TShiftState Shift);
  void PageDown(TShiftState Shift);
  int FindTextFrom(int ACol, const std::string& Text, int First);
  // Mouse pieces.
  void BodyMouseDown(cf::TMouseButton Button, TShiftState Shift, int X, int Y);
  void HeaderMouseDown(cf::TMouseButton Button, TShiftState Shift, int X, int Y);
  void IndicatorMouseDown(TShiftState Shift, int X, int Y);
  void DoubleClickAt(int X, int Y);
  int ColumnAtX(int X, bool Header = true);
  int DividerColumnAt(int X);
  int RowDividerAt(int X, int Y);
  void BodyMouseMove(TShiftState Shift, int X, int Y);
  void RowDragMove(int Y);
  void DrawDropMarker(int Row, bool Erase);
  // The marker's line for a drop before Row; false where there is no place.
  bool DropMarkerY(int Row, int& Y);
  void PaintDropMarker(cf::TCanvas& c, int y);
  void InvertColumnLines();
  void InvertRowLine();
  void ShowHintAt(int Kind, const TRect& ClientRect, const std::string& Text, int MaxWidth = 0);
  void CellHints(int ACol, int ARow, int X, int Y);
  void ResetMouseState();

  // Search.
  std::string FSearchText;
  cf::TTimer FSearchTimer;
  // Mouse state.
  int FPressedColumn = -1;
  int FClickedColumn = -1;
  TPoint FDownPoint{-1, -1};
  TPoint FDownCell{-1, -1};
  bool FMouseDown = false;
  int FHotColumn = -1;
  int FDividerColumn = -1;
  int FResizeColumn = -1;
  int FResizeChange = 0;
  int FHeaderHintColumn = -1;
  int FFooterHintColumn = -1;
  int FResizeRow = -1;
  int FRowLinePos = -1;
  int FDragSourceRow = -1;
  int FDropRow = -1;
  int FLastClientHeight = 0;
  int FLastClientWidth = 0;
  TPoint FMouseCell{-1, -1};
  bool FSecondClick = false;
  bool FPendingReselect = false;
  int FHintKind = 0;
  bool FLinesShown = false;
  std::unique_ptr<cf::THintWindow> FHintWindow;
  TCfCustomColumn* FDragColumn = nullptr;
};
