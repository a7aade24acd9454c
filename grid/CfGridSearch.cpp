// FindText and the type-to-search timer.

#include "grid/CfCustomGrid.h"
#include "grid/GridSearch.h"

using namespace cf;

int TCfCustomGrid::FindTextFrom(int ACol, const std::string& Text, int First) {
  const int count = GetRowCount();
  if (count == 0 || ACol < 0 || ACol >= FColumns->Count()) return -1;
  const TCaseBlindPrefix prefix(Text);
  return FindTextRow(
      count, First, prefix, [this](int row) { return RowVisible(row); },
      [this, ACol](int row) { return Cells(ACol, row); });
}

bool TCfCustomGrid::FindText(int ACol, const std::string& Text, bool FromStart) {
  const int row = FindTextFrom(ACol, Text, FromStart ? 0 : FSelectedRow + 1);
  if (row < 0) return false;
  SetSelectedRow(row);
  if (!Updating()) ScrollToRow(row);
  return true;
}
