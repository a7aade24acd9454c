// The published grid: drag box and arrows, and the plays of check-box and
// tree cells.

#include "grid/CfCustomGrid.h"

using namespace cf;

TCfCustomGrid::TCfCustomGrid(QWidget* Owner) : TCfCustomGridControl(Owner) {
  Color = clWindow;
  FDragBox = std::make_unique<TColumnDragBox>(this);
  FArrowDown = std::make_unique<TDragArrow>(this);
  FArrowDown->SetDirection(2);
  FArrowUp = std::make_unique<TDragArrow>(this);
  FArrowUp->SetDirection(1);
  InitInput();
}

TCfCustomGrid::~TCfCustomGrid() {
  FDragBox.reset();
  FArrowDown.reset();
  FArrowUp.reset();
}

void TCfCustomGrid::PlaceDragArrows(int X, int Y, bool Hide) {
  if (Hide) {
    FArrowDown->hide();
    FArrowUp->hide();
    return;
  }
  const TPoint down = ClientToScreen(TPoint(X - 4, Y - 12));
  const TPoint up = ClientToScreen(TPoint(X - 4, Y + FHeaderSize - 1));
  FArrowDown->SetBounds(down.X, down.Y, 9, 9);
  FArrowUp->SetBounds(up.X, up.Y, 9, 9);
  FArrowDown->show();
  FArrowUp->show();
}

void TCfCustomGrid::StartColumnDrag(TCfCustomColumn* Column, TPoint ScreenPoint, bool Hidden) {
  if (!Column) return;
  const TPoint topLeft = ClientToScreen(TPoint(ColumnLeft(Column), 0));
  FDragBox->Font = Font;
  FDragBox->SetBounds(topLeft.X, topLeft.Y, Column->Width(), FHeaderSize);
  FDragBox->StartDrag(ScreenPoint.X, ScreenPoint.Y, Hidden, Column);
}

bool TCfCustomGrid::PreparePlay(int ACol, int ARow, const TRect& CellRect) {
  if (ACol < 0 || ACol >= FColumns->Count() || ARow < 0 || ARow >= GetRowCount()) return false;
  TCfCustomColumn* column = FColumns->Item(ACol);
  TColumnPlay* play = ColumnPlay(column);
  if (!play) return false;
  bool accept = true;
  if (OnBeforeEdit) OnBeforeEdit(this, ACol, ARow, accept);
  if (!accept) return false;
  play->Canvas = &Canvas();
  play->CellRect = CellRect;
  play->Col = ACol;
  play->Row = ARow;
  play->Themed = FEnableVisualStyles && VisualStylesActive();
  play->Tree = TTreeInfo();
  PrepareTreeInfo(ACol, ARow, play->Tree);
  FillPlayInfo(*play);
  play->OnValueChanged = [this](TColumnPlay* p, bool value) { PlayChanged(p, value); };
  play->OnToggled = [this](TColumnPlay* p) { PlayExpand(p); };
  FPlayCol = ACol;
  FPlayRow = ARow;
  return true;
}
