// Header, footer, text-fit and cell hints.

#include <algorithm>

#include "grid/CfCustomGrid.h"

using namespace cf;

void TCfCustomGrid::ShowHintAt(int Kind, const TRect& At, const std::string& Text, int MaxWidth) {
  if (Text.empty()) {
    ReleaseHint();
    return;
  }
  if (!FHintWindow) FHintWindow = std::make_unique<THintWindow>();
  // The text wraps inside the window's own margins so the window stays
  // within MaxWidth.
  TRect size = FHintWindow->CalcHintRect(MaxWidth > 0 ? MaxWidth - 8 : 1000, Text);
  const int width = MaxWidth > 0 ? std::min(size.Width(), MaxWidth) : size.Width();
  const TPoint origin = ClientToScreen(TPoint(At.Left, At.Top));
  FHintWindow->ActivateHint(Bounds(origin.X, origin.Y, width, size.Height()), Text);
  FHintKind = Kind;
}

void TCfCustomGrid::ReleaseHint() {
  if (FHintWindow && FHintWindow->HandleAllocated()) FHintWindow->ReleaseHandle();
  FHintKind = 0;
  FHeaderHintColumn = FFooterHintColumn = -1;
}

void TCfCustomGrid::CellHints(int ACol, int ARow, int, int) {
  TCfCustomColumn* column = FColumns->Item(ACol);
  const TRect cell = CellRect(ACol, ARow);
  if (cell.IsEmpty()) {
    ReleaseHint();
    return;
  }
  if (column->HasOption(coShowTextFitHint)) {
    std::string text;
    GetDrawText(ACol, ARow, text);
    TCanvas& c = Canvas();
    c.Font = column->Font();
    if (!text.empty() && column->Width() < c.TextWidth(text) + 5) {
      ShowHintAt(3, TRect(cell.Left, cell.Top, 0, 0), text);
      return;
    }
  }
  std::string hint;
  GetCellHint(ACol, ARow, hint);
  if (hint.empty()) {
    ReleaseHint();
    return;
  }
  ShowHintAt(4, TRect(cell.Right, cell.Top - 20, 0, 0), hint, 250);
}
