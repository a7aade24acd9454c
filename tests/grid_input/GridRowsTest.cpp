// Row operations: their bookkeeping, their events, and the current row
// staying on its record.

#include "GridInputFixture.h"

using namespace cf;

namespace {

struct RowOps : GridInput {
  std::vector<std::string> Changes;
  void SetUp() override {
    GridInput::SetUp();
    Grid->SetOptions(goHeader | goSelectFullRow | goMultiSelect);
    Columns({100, 80});
    Grid->OnDataChange = [this](QObject*, int kind, int index) {
      Changes.push_back(std::to_string(kind) + ":" + std::to_string(index));
    };
  }
  std::vector<std::string> Texts() {
    std::vector<std::string> t;
    for (int r = 0; r < Grid->RowCount(); ++r) t.push_back(Grid->Cells(0, r));
    return t;
  }
};

}  // namespace

TEST_F(RowOps, InsertRowMovesTheSelectionOneDownWhereverTheRowGoes) {
  NumberedRows(8);
  Grid->SetSelectedRow(2);
  Changes.clear();
  Grid->InsertRow(5);
  EXPECT_EQ(Grid->SelectedRow(), 3);
  EXPECT_EQ(Grid->LastAddedRow(), 5);
  EXPECT_EQ(Changes, std::vector<std::string>{"3:5"});
  EXPECT_EQ(Grid->Cells(0, 5), "");
  EXPECT_EQ(Grid->Cells(0, 6), "r5");
}

TEST_F(RowOps, TheCurrentRowStaysOnItsRecordWhenRowsShift) {
  struct Case {
    const char* name;
    std::function<void(TCfGrid&)> op;
    std::string current;  // text of the current row afterwards
    std::vector<int> marks;
  };
  const std::vector<Case> cases = {
      {"delete above", [](TCfGrid& g) { g.DeleteRow(1); }, "r5", {4}},
      {"delete below", [](TCfGrid& g) { g.DeleteRow(7); }, "r5", {5}},
      {"delete the current row: the next takes its place", [](TCfGrid& g) { g.DeleteRow(5); }, "r6", {5}},
      {"move it up", [](TCfGrid& g) { g.MoveRow(5, 0); }, "r5", {0}},
      {"move a row from above past it", [](TCfGrid& g) { g.MoveRow(0, 7); }, "r5", {4}},
      {"move a row from below above it", [](TCfGrid& g) { g.MoveRow(7, 0); }, "r5", {6}},
  };
  for (const Case& c : cases) {
    NewGrid();
    Grid->SetOptions(goHeader | goSelectFullRow);
    Columns({100});
    NumberedRows(8);
    Grid->SetSelectedRow(5);
    c.op(*Grid);
    ASSERT_GE(Grid->SelectedRow(), 0) << c.name;
    EXPECT_EQ(Grid->Cells(0, Grid->SelectedRow()), c.current) << c.name;
    EXPECT_EQ(Marks(), c.marks) << c.name;
    // The next key acts on the record the user sees as current.
    KeyVK(VK_DOWN);
    EXPECT_EQ(Marks(), std::vector<int>{Grid->SelectedRow()}) << c.name;
  }
}

TEST_F(RowOps, DeletingTheLastRowWhileCurrentMovesToTheNewLastRow) {
  NumberedRows(4);
  Grid->SetSelectedRow(3);
  std::vector<std::string> log;
  Grid->OnDeselectCell = [&](QObject*, int c, int r) { log.push_back("deselect " + std::to_string(c) + "," + std::to_string(r)); };
  Grid->OnSelectCell = [&](QObject*, int c, int r) { log.push_back("select " + std::to_string(c) + "," + std::to_string(r)); };
  Changes.clear();
  Grid->DeleteRow(3);
  EXPECT_EQ(Grid->SelectedRow(), 2);
  EXPECT_EQ(Marks(), std::vector<int>{2});
  EXPECT_EQ(log, (std::vector<std::string>{"deselect 0,3", "select 0,2"}));
  EXPECT_EQ(Changes, std::vector<std::string>{"5:3"});
}

TEST_F(RowOps, DeletingAParentTakesAllItsDescendants) {
  Rows({"a", "b", "c"});
  const int b1 = Grid->AddChildRow(1, true);
  Grid->SetCells(0, b1, "b1");
  const int b11 = Grid->AddChildRow(b1, true);
  Grid->SetCells(0, b11, "b11");
  const int b2 = Grid->AddChildRow(1, true);
  Grid->SetCells(0, b2, "b2");
  ASSERT_EQ(Texts(), (std::vector<std::string>{"a", "b", "b1", "b11", "b2", "c"}));
  Changes.clear();
  Grid->DeleteRow(1);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(Changes, std::vector<std::string>{"5:1"});
  // A child leaves its parent one child fewer: deleting the last child
  // leaves a row without a tree button (nothing to expand).
  const int a1 = Grid->AddChildRow(0, true);
  Grid->DeleteRow(a1);
  Grid->SetExpanded(0, false);
  EXPECT_TRUE(Grid->Expanded(0));
}

TEST_F(RowOps, DeletingTheMarkedRowsEqualsDeletingEachFromTheLast) {
  NumberedRows(10);
  for (int r : {1, 2, 5, 9}) Grid->SelectCell(0, r, ssCtrl);
  Grid->SelectCell(0, 7, ssCtrl);  // the current row, marked
  Changes.clear();
  Grid->DeleteSelectedRows();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"r0", "r3", "r4", "r6", "r8"}));
  EXPECT_EQ(Changes, (std::vector<std::string>{"5:9", "5:7", "5:5", "5:2", "5:1"}));
  EXPECT_EQ(Grid->Cells(0, Grid->SelectedRow()), "r8");  // the row after the deleted current one
  EXPECT_TRUE(Marks().empty());
}

TEST_F(RowOps, ShrinkingStartRowCountTakesRowsFromTheTop) {
  struct Case {
    int rows, from, to;
    std::vector<std::string> left;
    int changes;
  };
  const Case cases[] = {
      {5, 5, 3, {"r2", "r3", "r4"}, 2},       // the grid has no more rows than StartRowCount
      {8, 5, 3, {"r2", "r3", "r4", "r5", "r6", "r7"}, 2},  // more rows: StartRowCount - Value
      {2, 5, 0, {}, 2},                       // not more rows left than there are
  };
  for (const Case& c : cases) {
    NewGrid();
    Columns({100});
    Grid->SetStartRowCount(c.from);
    for (int r = 0; r < Grid->RowCount(); ++r) Grid->SetCells(0, r, "r" + std::to_string(r));
    for (int r = Grid->RowCount(); r < c.rows; ++r) Grid->SetCells(0, Grid->AddRow(), "r" + std::to_string(r));
    while (Grid->RowCount() > c.rows) Grid->DeleteRow(Grid->RowCount() - 1);
    int changes = 0;
    Grid->OnDataChange = [&](QObject*, int kind, int index) {
      EXPECT_EQ(kind, 5);
      EXPECT_EQ(index, 0);
      ++changes;
    };
    Grid->SetStartRowCount(c.to);
    EXPECT_EQ(Texts(), c.left) << c.rows << " " << c.from << ">" << c.to;
    EXPECT_EQ(changes, c.changes);
    EXPECT_EQ(Grid->StartRowCount(), c.to);
  }
}

TEST_F(RowOps, ExpandingSkipsTheChildrenOfACollapsedChild) {
  Rows({"p"});
  const int c1 = Grid->AddChildRow(0, true);
  const int c11 = Grid->AddChildRow(c1, true);
  const int c2 = Grid->AddChildRow(0, true);
  std::vector<int> expanded;
  Grid->OnExpand = [&](QObject*, int row) { expanded.push_back(row); };
  Grid->SetExpanded(c1, false);
  Grid->SetExpanded(0, false);
  EXPECT_FALSE(Grid->RowVisible(c1));
  EXPECT_FALSE(Grid->RowVisible(c11));
  EXPECT_FALSE(Grid->RowVisible(c2));
  Grid->SetExpanded(0, true);
  EXPECT_TRUE(Grid->RowVisible(c1));
  EXPECT_FALSE(Grid->RowVisible(c11));  // its parent is still collapsed
  EXPECT_TRUE(Grid->RowVisible(c2));
  EXPECT_EQ(expanded, (std::vector<int>{c1, 0, 0}));
  Grid->SetExpanded(c11, false);  // no children: nothing happens
  EXPECT_EQ(expanded.size(), 3u);
}

TEST_F(RowOps, SortingKeepsTheSelectedRowAndReSortingReverses) {
  Rows({"Delta", "alpha", "Charlie", "bravo"});
  Grid->SetSelectedRow(2);  // "Charlie"
  std::vector<std::string> log;
  Grid->OnSortColumn = [&](QObject*, int c, bool asc) { log.push_back("sort " + std::to_string(c) + (asc ? " up" : " down")); };
  Grid->OnAfterSort = [&](QObject*, int c) { log.push_back("after " + std::to_string(c)); };
  Grid->Columns().Item(0)->SetSortType(stCaseInsensitive);
  Grid->SortColumn(0, true);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"alpha", "bravo", "Charlie", "Delta"}));
  EXPECT_EQ(Grid->Cells(0, Grid->SelectedRow()), "Charlie");
  Grid->SortColumn(0, false);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Delta", "Charlie", "bravo", "alpha"}));
  EXPECT_EQ(Grid->Cells(0, Grid->SelectedRow()), "Charlie");
  EXPECT_EQ(log, (std::vector<std::string>{"sort 0 up", "after 0", "sort 0 down", "after 0"}));
  // A column without coCanSort is left alone.
  Grid->Columns().Item(1)->SetOptions(Grid->Columns().Item(1)->Options() & ~coCanSort);
  Grid->SortColumn(1, true);
  EXPECT_EQ(log.size(), 4u);
}
