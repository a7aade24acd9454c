#pragma once
// The floating copy of a column header that follows the mouse while a column
// is dragged, and the two red arrows that mark where it would land.

#include <functional>

#include "controls/CfFlyoutControl.h"
#include "grid/CfStyleDisplay.h"

class TCfCustomColumn;
class TCfCustomGridControl;

class TColumnDragBox : public cf::TCfFlyoutControl {
 public:
  using TDragEvent = std::function<void(QObject* Sender, int X, int Y)>;

  explicit TColumnDragBox(TCfCustomGridControl* Grid);
  ~TColumnDragBox() override;

  TCfCustomGridControl* Grid() const { return FGrid; }
  TCfCustomColumn* Column() const { return FColumn; }
  TDefaultStyleDisplay& Display() { return *FDisplay; }
  TPoint GrabPoint() const { return FGrab; }

  // (X, Y) on the screen. The grid sizes and places the box over the
  // column's header first.
  void StartDrag(int X, int Y, bool Hidden, TCfCustomColumn* Column);

  TDragEvent OnDragMove;
  TDragEvent OnDragDrop;

  void Paint(cf::TCanvas& canvas) override;
  void MouseMove(cf::TShiftState Shift, int X, int Y) override;
  void MouseUp(cf::TMouseButton Button, cf::TShiftState Shift, int X, int Y) override;

 private:
  TCfCustomGridControl* FGrid;
  std::unique_ptr<TDefaultStyleDisplay> FDisplay;
  TCfCustomColumn* FColumn = nullptr;
  TPoint FGrab;
};

class TDragArrow : public cf::TCfFlyoutControl {
 public:
  explicit TDragArrow(QWidget* Owner = nullptr);
  int Direction() const { return FDirection; }  // 0 none, 1 up, 2 down
  void SetDirection(int Value);
  static cf::TRegion Shape(int Direction);
  void Paint(cf::TCanvas& canvas) override;

 private:
  int FDirection = 0;
};
