// The column drag box and the drop arrows.

#include "grid/CfGridDragBox.h"

#include <QApplication>
#include <QMouseEvent>

#include "grid/CfCustomGridControl.h"

using namespace cf;

TColumnDragBox::TColumnDragBox(TCfCustomGridControl* Grid)
    : TCfFlyoutControl(Grid), FGrid(Grid), FDisplay(std::make_unique<TDefaultStyleDisplay>(Grid)) {}

TColumnDragBox::~TColumnDragBox() = default;

void TColumnDragBox::StartDrag(int X, int Y, bool Hidden, TCfCustomColumn* Column) {
  FDisplay->ClearState();
  FDisplay->Canvas = &Canvas();
  Canvas().Font = FGrid ? FGrid->Font : Font;
  if (!Hidden) show();
  FColumn = Column;
  FGrab = ScreenToClient(TPoint(X, Y));
  // The box takes the mouse as if the button had gone down on it.
  SetMouseCapture(true);
  MouseDown(mbLeft, ssLeft, FGrab.X, FGrab.Y);
}

void TColumnDragBox::Paint(TCanvas& canvas) {
  TCfFlyoutControl::Paint(canvas);
  const TRect r = ClientRect();
  if (FColumn) {
    FDisplay->Canvas = &canvas;
    canvas.Font = FGrid ? FGrid->Font : Font;
    FDisplay->DrawHeaderCell(FColumn, r);
  }
  canvas.Pen.Style = psSolid;
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Color = clBlack;
  canvas.MoveTo(0, r.Height() - 1);
  canvas.LineTo(r.Width() - 1, r.Height() - 1);
  canvas.LineTo(r.Width() - 1, -1);
}

void TColumnDragBox::MouseMove(TShiftState Shift, int X, int Y) {
  TCfFlyoutControl::MouseMove(Shift, X, Y);
  if (!MouseCapture()) return;
  const TPoint p = ClientToScreen(TPoint(X, Y));
  if (OnDragMove) OnDragMove(this, p.X, p.Y);
  SetBounds(p.X - Width() / 2, p.Y - Height() + 4, Width(), Height());
}

void TColumnDragBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCfFlyoutControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  const TPoint p = ClientToScreen(TPoint(X, Y));
  SetMouseCapture(false);
  hide();
  if (OnDragDrop) OnDragDrop(this, p.X, p.Y);
}

// ---- arrows ------------------------------------------------------------------------------

TDragArrow::TDragArrow(QWidget* Owner) : TCfFlyoutControl(Owner) { resize(9, 9); }

TRegion TDragArrow::Shape(int Direction) {
  if (Direction == 1)
    return TRegion::FromPolygon({{-1, 5}, {4, -1}, {9, 5}, {6, 5}, {6, 9}, {3, 9}, {3, 4}, {0, 5}});
  if (Direction == 2)
    return TRegion::FromPolygon({{5, 0}, {3, 0}, {3, 4}, {0, 4}, {4, 9}, {9, 4}, {6, 4}, {6, 0}});
  return TRegion();
}

void TDragArrow::SetDirection(int Value) {
  FDirection = Value;
  SetWindowRegion(Shape(Value));
}

void TDragArrow::Paint(TCanvas& canvas) { canvas.FillRect(ClientRect(), RGB(255, 0, 0)); }
