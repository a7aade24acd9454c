// Fitting a column's width to its content and a row's height to its cells.

#include <algorithm>

#include "grid/CfCustomGridControl.h"

using namespace cf;

void TCfCustomGridControl::AutoSizeColumn(int ACol, bool RowsOnly, bool ShownOnly) {
  if (ACol < 0 || ACol >= FColumns->Count()) return;
  TCfCustomColumn* column = FColumns->Item(ACol);
  TCanvas& canvas = Canvas();
  TCanvas* saved = FCanvas;
  FCanvas = &canvas;
  int width = 8;
  if (!RowsOnly) {
    canvas.Font = Font;
    width = std::max(width, canvas.TextWidth(column->Header().Caption()));
  }
  TColumnDisplay* display = ColumnDisplay(column);
  display->Canvas = &canvas;
  for (int r = 0, n = GetRowCount(); r < n; ++r) {
    if (ShownOnly && !RowVisible(r)) continue;
    FormatCell(ACol, r, 0);
    GetCellInfo(ACol, r, *display);
    std::string text;
    GetDrawText(ACol, r, text);
    BeforeDrawText(ACol, r, 0, text);
    display->Text = std::move(text);
    display->Tree = TTreeInfo();
    PrepareTreeInfo(ACol, r, display->Tree);
    width = std::max(width, display->MeasureWidth());
  }
  FCanvas = saved;
  column->SetWidth(2 * column->Padding() + width + 5);
}

void TCfCustomGridControl::AutoHeightRow(int ARow) {
  if (ARow < 0 || ARow >= GetRowCount()) return;
  TCanvas& canvas = Canvas();
  TCanvas* saved = FCanvas;
  FCanvas = &canvas;
  int height = FRowSize;
  for (TCfCustomColumn* column : VisibleColumns()) {
    const int ACol = column->Index();
    TColumnDisplay* display = ColumnDisplay(column);
    display->Canvas = &canvas;
    display->CellRect = TRect(0, 0, column->Width() - 2 * column->Padding(), FRowSize);
    FormatCell(ACol, ARow, 0);
    GetCellInfo(ACol, ARow, *display);
    std::string text;
    GetDrawText(ACol, ARow, text);
    BeforeDrawText(ACol, ARow, 0, text);
    display->Text = std::move(text);
    height = std::max(height, display->MeasureHeight());
  }
  FCanvas = saved;
  SetRowHeight(ARow, height);
}
