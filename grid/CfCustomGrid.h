#pragma once
// The grid control with its published behaviour: the column drag box and
// its arrows, cell plays, and (added by the input code) keys, mouse,
// incremental search and in-place editing.

#include <memory>

#include "grid/CfCustomGridControl.h"
#include "grid/CfGridDragBox.h"

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
};
