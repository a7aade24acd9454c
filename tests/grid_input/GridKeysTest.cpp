// Every navigation key against the options that change it: where the
// current cell lands, which rows are marked, and where the page starts.

#include "GridInputFixture.h"

using namespace cf;

namespace {

struct KeyCase {
  const char* name;
  TGridOptions options;
  int rows;
  int startRow;  // -1: no current row
  uint16_t key;
  TShiftState shift;
  int row;                 // current row after the key
  std::vector<int> marks;  // rows marked after the key
  int firstRow;            // top row of the page after the key
};

}  // namespace

TEST_F(GridInput, NavigationKeysMoveTheCurrentRowAndMarks) {
  // 11 whole rows fit on a page (182 / 16).
  const TGridOptions full = goHeader | goSelectFullRow, multi = full | goMultiSelect;
  const KeyCase cases[] = {
      {"down", full, 20, 3, VK_DOWN, 0, 4, {4}, 0},
      {"up", full, 20, 3, VK_UP, 0, 2, {2}, 0},
      {"up at the top stays", full, 20, 0, VK_UP, 0, 0, {0}, 0},
      {"down at the end stays", full, 20, 19, VK_DOWN, 0, 19, {19}, 9},
      {"down past the page scrolls one row", full, 20, 10, VK_DOWN, 0, 11, {11}, 1},
      {"home", full, 20, 7, VK_HOME, 0, 0, {0}, 0},
      {"end", full, 20, 7, VK_END, 0, 19, {19}, 9},
      {"home without shift leaves only the first row marked", multi, 20, 7, VK_HOME, 0, 0, {0}, 0},
      {"shift+home marks up to the current row", multi, 20, 7, VK_HOME, ssShift, 0, {0, 1, 2, 3, 4, 5, 6, 7}, 0},
      {"shift+end marks down from the current row", multi, 10, 7, VK_END, ssShift, 9, {7, 8, 9}, 0},
      {"shift+end without a current row marks from the top", multi, 5, -1, VK_END, ssShift, 4, {0, 1, 2, 3, 4}, 0},
      {"end without a current row", multi, 5, -1, VK_END, 0, 4, {4}, 0},
      {"shift+down extends the marks", multi, 20, 3, VK_DOWN, ssShift, 4, {3, 4}, 0},
      {"page down to the page's last row", full, 30, 0, VK_NEXT, 0, 10, {10}, 0},
      {"page down from the page's last row", full, 30, 10, VK_NEXT, 0, 21, {21}, 11},
      {"page down near the end selects the last row", full, 20, 10, VK_NEXT, 0, 19, {19}, 9},
      {"page down in a list shorter than a page", full, 5, 0, VK_NEXT, 0, 4, {4}, 0},
      {"page down without a current row", full, 5, -1, VK_NEXT, 0, 4, {4}, 0},
      {"page up to the page's top row", full, 30, 8, VK_PRIOR, 0, 0, {0}, 0},
      {"keys disabled", full | goDisableKeys, 20, 3, VK_DOWN, 0, 3, {3}, 0},
  };
  for (const KeyCase& c : cases) {
    NewGrid();
    Grid->SetOptions(c.options);
    Columns({80, 80});
    NumberedRows(c.rows);
    if (c.startRow >= 0) Grid->SetSelectedRow(c.startRow);
    if (c.startRow >= 11) Grid->ScrollToRow(c.startRow);
    KeyVK(c.key, c.shift);
    EXPECT_EQ(Grid->SelectedRow(), c.row) << c.name;
    EXPECT_EQ(Marks(), c.marks) << c.name;
    EXPECT_EQ(Grid->FirstRow(), c.firstRow) << c.name;
  }
}
