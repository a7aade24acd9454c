// The current cell, row marks, row and column moves.

#include <set>

#include "GridControlFixture.h"

using namespace cf;

namespace {
std::set<int> Marked(TCfGrid& g) {
  std::set<int> rows;
  for (int r = 0; r < g.RowCount(); ++r)
    if (g.Selected(r)) rows.insert(r);
  return rows;
}

struct Step {
  int col, row;
  TShiftState shift;
  bool clear;
};
}  // namespace

TEST(GridSelection, SelectCellMarksRowsByOptionsAndModifiers) {
  const TGridOptions multi = goHeader | goSelectFullRow | goMultiSelect;
  const TGridOptions single = goHeader | goSelectFullRow;
  struct Case {
    const char* name;
    TGridOptions options;
    std::vector<Step> steps;
    std::set<int> marked;
    int anchor, row;
  };
  const Case cases[] = {
      {"cell selection touches no mark", goHeader, {{1, 2, 0, true}}, {}, -1, 2},
      {"full row moves its mark", single, {{0, 1, 0, true}, {0, 3, 0, true}}, {3}, 3, 3},
      {"full row ignores Ctrl without multi-select", single, {{0, 1, 0, true}, {0, 3, ssCtrl, true}}, {3}, 3, 3},
      {"Ctrl adds a row", multi, {{0, 1, 0, true}, {0, 3, ssCtrl, true}}, {1, 3}, 3, 3},
      {"Ctrl again takes it away", multi, {{0, 1, 0, true}, {0, 3, ssCtrl, true}, {0, 3, ssCtrl, true}}, {1}, 3, 3},
      {"Shift marks from the anchor", multi, {{0, 1, 0, true}, {0, 4, ssShift, true}}, {1, 2, 3, 4}, 1, 4},
      {"a shorter Shift range drops the rest",
       multi,
       {{0, 1, 0, true}, {0, 4, ssShift, true}, {0, 2, ssShift, true}},
       {1, 2},
       1,
       2},
      {"Shift upwards from the anchor", multi, {{0, 4, 0, true}, {0, 2, ssShift, true}}, {2, 3, 4}, 4, 2},
      {"Ctrl+Shift keeps the marks outside the range",
       multi,
       {{0, 0, 0, true}, {0, 5, ssCtrl, true}, {0, 3, ssCtrl | ssShift, true}},
       {0, 3, 4, 5},
       5,
       3},
      {"a plain click clears the marks",
       multi,
       {{0, 1, 0, true}, {0, 3, ssCtrl, true}, {0, 2, 0, true}},
       {2},
       2,
       2},
      {"without ClearMarks the marks stay",
       multi,
       {{0, 1, 0, true}, {0, 3, ssCtrl, true}, {0, 2, 0, false}},
       {1, 2, 3},
       2,
       2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GridHarness h;
    h.AddTextColumns({60, 60});
    h.AddRows(6);
    h.Grid->SetOptions(c.options);
    for (const Step& s : c.steps) h.Grid->SelectCell(s.col, s.row, s.shift, s.clear);
    EXPECT_EQ(Marked(*h.Grid), c.marked);
    EXPECT_EQ(h.Grid->AnchorRow(), c.anchor);
    EXPECT_EQ(h.Grid->SelectedRow(), c.row);
  }
}

TEST(GridSelection, EventsTellTheOldAndNewCell) {
  GridHarness h;
  h.AddTextColumns({60, 60});
  h.AddRows(4);
  std::vector<std::string> log;
  h.Grid->OnSelectCell = [&](QObject*, int c, int r) { log.push_back("select " + std::to_string(c) + "," + std::to_string(r)); };
  h.Grid->OnDeselectCell = [&](QObject*, int c, int r) { log.push_back("leave " + std::to_string(c) + "," + std::to_string(r)); };
  h.Grid->SelectCell(1, 2);
  h.Grid->SelectCell(1, 2);  // re-confirmed
  h.Grid->SelectCell(0, 3);
  EXPECT_EQ(log, (std::vector<std::string>{"select 1,2", "select 1,2", "leave 1,2", "select 0,3"}));
}

TEST(GridSelection, RefusedOrDisabledCellsAreNotSelected) {
  GridHarness h;
  auto cols = h.AddTextColumns({60, 60});
  h.AddRows(4);
  h.Grid->SelectCell(0, 1);
  h.Grid->OnBeforeSelect = [](QObject*, int, int r, bool& accept) { accept = r != 3; };
  h.Grid->SelectCell(0, 3);
  EXPECT_EQ(h.Grid->SelectedRow(), 1);
  cols[1]->SetEnabled(false);
  h.Grid->SelectCell(1, 2);
  EXPECT_EQ(h.Grid->SelectedColumn(), 0);
  EXPECT_EQ(h.Grid->SelectedRow(), 1);
}

TEST(GridSelection, SelectedRowWritesStayInsideTheGrid) {
  GridHarness h;
  h.AddTextColumns({60});
  h.Grid->SetSelectedRow(0);  // no rows: nothing
  EXPECT_EQ(h.Grid->SelectedRow(), -1);
  h.AddRows(3);
  h.Grid->SetSelectedRow(2);
  EXPECT_EQ(h.Grid->SelectedRow(), 2);
  for (int bad : {3, -2, 100}) {
    h.Grid->SetSelectedRow(bad);
    EXPECT_EQ(h.Grid->SelectedRow(), 2) << bad;
  }
  h.Grid->SetSelectedRow(-1);
  EXPECT_EQ(h.Grid->SelectedRow(), -1);
}

TEST(GridSelection, SelectAllNeedsMultiSelectAndFullRow) {
  for (TGridOptions options : {TGridOptions(goSelectFullRow), TGridOptions(goMultiSelect),
                               TGridOptions(goMultiSelect | goSelectFullRow)}) {
    GridHarness h;
    h.AddTextColumns({60});
    h.AddRows(5);
    h.Grid->SetOptions(goHeader | options);
    h.Grid->SelectAll();
    const bool all = options == TGridOptions(goMultiSelect | goSelectFullRow);
    EXPECT_EQ(h.Grid->SelectedCount(), all ? 5 : 0) << options;
    EXPECT_EQ(h.Grid->RowsMarked(), all);
  }
}

TEST(GridSelection, RowMovesSkipHiddenAndRefusedRowsAndStayWhenNoneIsLeft) {
  GridHarness h;
  h.AddTextColumns({60});
  h.AddRows(6);
  h.Grid->SetRowVisible(3, false);
  h.Grid->SetRowVisible(4, false);
  h.Grid->SetRowVisible(5, false);
  h.Grid->SetSelectedRow(1);
  h.Grid->MoveToNextRow(0, false);
  EXPECT_EQ(h.Grid->SelectedRow(), 2);
  // Only hidden rows lie below: the selection stays where it is.
  h.Grid->MoveToNextRow(0, false);
  EXPECT_EQ(h.Grid->SelectedRow(), 2);
  h.Grid->OnBeforeSelect = [](QObject*, int, int r, bool& accept) { accept = r != 1 && r != 0; };
  h.Grid->MoveToPriorRow(0);
  EXPECT_EQ(h.Grid->SelectedRow(), 2);
  h.Grid->OnBeforeSelect = nullptr;
  h.Grid->MoveToPriorRow(0);
  EXPECT_EQ(h.Grid->SelectedRow(), 1);
}

TEST(GridSelection, PriorRowFromTheFirstEntersTheInputLine) {
  GridHarness h;
  h.AddTextColumns({60});
  h.AddRows(3);
  h.Grid->SetOptions(goHeader | goInput);
  h.Grid->SetSelectedRow(0);
  h.Grid->MoveToPriorRow(0);
  EXPECT_TRUE(h.Grid->InputLineSelected());
  h.Grid->MoveToNextRow(0, false);
  EXPECT_FALSE(h.Grid->InputLineSelected());
  EXPECT_EQ(h.Grid->SelectedRow(), 0);
}

TEST(GridSelection, ColumnMovesAskOnSelectionMove) {
  GridHarness h;
  h.AddTextColumns({60, 60, 60, 60});
  h.AddRows(3);
  h.Grid->SetSelectedRow(1);
  std::vector<int> keys;
  h.Grid->OnSelectionMove = [&](QObject*, int& col, int, TMoveSelectionKey key) {
    keys.push_back(key);
    if (col == 1) col = 2;  // the application skips column 1
  };
  h.Grid->MoveToNextColumn(mskArrow);
  EXPECT_EQ(h.Grid->SelectedColumn(), 2);
  h.Grid->MoveToNextColumn(mskArrow);
  EXPECT_EQ(h.Grid->SelectedColumn(), 3);
  h.Grid->MoveToNextColumn(mskArrow);  // the last column: an arrow stays
  EXPECT_EQ(h.Grid->SelectedColumn(), 3);
  // Tab at the last column goes on to the first column of the next row.
  h.Grid->MoveToNextColumn(mskTab);
  EXPECT_EQ(h.Grid->SelectedRow(), 2);
  EXPECT_EQ(h.Grid->SelectedColumn(), 0);
  // Shift+Tab at the first column goes back to the last column of the row above.
  h.Grid->MoveToPriorColumn(mskTab);
  EXPECT_EQ(h.Grid->SelectedRow(), 1);
  EXPECT_EQ(h.Grid->SelectedColumn(), 3);
  EXPECT_EQ(keys, (std::vector<int>{mskArrow, mskArrow, mskTab, mskTab}));
}

TEST(GridSelection, TabOnTheLastCellLeavesAndWrapsToTheFirstRow) {
  GridHarness h;
  h.AddTextColumns({60, 60});
  h.AddRows(3);
  h.Grid->SelectCell(1, 2);
  h.Grid->MoveToNextColumn(mskTab);
  EXPECT_EQ(h.Grid->SelectedRow(), 0);
  EXPECT_EQ(h.Grid->SelectedColumn(), 0);
}

TEST(GridSelection, HighlightRule) {
  struct Case {
    const char* name;
    TGridOptions options;
    TAppearanceOptions appearance;
    bool focused;
    int col, row;
    bool highlighted;
  };
  // Current cell (1, 2); rows 2 and 3 marked in the full-row cases.
  const TGridOptions full = goHeader | goSelectFullRow | goMultiSelect;
  const Case cases[] = {
      {"cell selection: the current cell", goHeader, 0, true, 1, 2, true},
      {"cell selection: another cell", goHeader, 0, true, 0, 2, false},
      {"unfocused with HideSelection", goHeader, aoHideSelection, false, 1, 2, false},
      {"unfocused without HideSelection", goHeader, 0, false, 1, 2, true},
      {"full row: a marked row", full, 0, true, 0, 3, true},
      {"full row: the current cell", full, 0, true, 1, 2, true},
      {"full row: the current cell with IndicateSelectedCell", full, aoIndicateSelectedCell, true, 1, 2, false},
      {"full row: an unmarked row", full, 0, true, 0, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GridHarness h;
    h.AddTextColumns({60, 60});
    h.AddRows(5);
    h.Grid->SetOptions(c.options);
    h.Grid->SetAppearanceOptions(c.appearance);
    h.Grid->SelectCell(1, 2);
    if (c.options & goMultiSelect) h.Grid->SelectCell(1, 3, ssCtrl);
    if (c.options & goMultiSelect) h.Grid->SelectCell(1, 2, ssCtrl | ssShift);
    h.Grid->SetFocusOverride(c.focused ? 1 : 0);
    EXPECT_EQ(h.Grid->IsCellHighlighted(c.col, c.row), c.highlighted);
  }
}

TEST(GridSelection, CellBackgroundColours) {
  GridHarness h;
  auto cols = h.AddTextColumns({60, 60});
  h.AddRows(3);
  h.Grid->Cell(1, 1).SetColor(RGB(200, 100, 40));
  h.Grid->SelectCell(1, 1);
  // Focused: the selection colour.
  EXPECT_EQ(h.Grid->GetCellBackground(1, 1), clHighlight);
  // Alpha blended: 0.25 x highlight (51, 153, 255) + 0.75 x the cell (200, 100, 40):
  // 162.75, 113.25, 93.75, rounded.
  h.Grid->SetAppearanceOptions(aoAlphaBlendedSelection);
  EXPECT_EQ(h.Grid->GetCellBackground(1, 1), RGB(163, 113, 94));
  // Unfocused (HideSelection off): the inactive colour.
  h.Grid->SetFocusOverride(0);
  EXPECT_EQ(h.Grid->GetCellBackground(1, 1), clBtnFace);
  // A sorted column darkens: 245 x channel / 256, truncated.
  h.Grid->SetAppearanceOptions(aoIndicateSortedColumn);
  cols[1]->SetSorted(true);
  EXPECT_EQ(h.Grid->GetCellBackground(1, 0), RGB(244, 244, 244));
}
