// The data side: cells, rows, defaults and footer values.

#include "GridControlFixture.h"
#include "grid/CfCell.h"

using namespace cf;

TEST(GridData, CellsOutsideTheGridRaise) {
  GridHarness h;
  h.AddTextColumns({60, 60});
  h.AddRows(2);
  h.Grid->SetCells(1, 1, "abc");
  EXPECT_EQ(h.Grid->Cells(1, 1), "abc");
  EXPECT_EQ(h.Grid->Cell(1, 1).AsString(), "abc");
  struct Case {
    int col, row;
    const char* message;
  };
  for (const Case& c : {Case{0, 2, "Cell out of bounds (0, 2)"}, Case{2, 0, "Cell out of bounds (2, 0)"},
                        Case{-1, 0, "Cell out of bounds (-1, 0)"}, Case{0, -1, "Cell out of bounds (0, -1)"}}) {
    try {
      h.Grid->Cells(c.col, c.row);
      ADD_FAILURE() << c.message;
    } catch (const ECellOutOfBounds& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_THROW(h.Grid->SetCells(c.col, c.row, "x"), ECellOutOfBounds);
  }
}

TEST(GridData, AddRowReturnsTheLastRowAndTellsOnce) {
  GridHarness h;
  h.AddTextColumns({60});
  std::vector<std::pair<int, int>> changes;
  h.Grid->OnDataChange = [&](QObject*, int type, int index) { changes.push_back({type, index}); };
  EXPECT_EQ(h.Grid->AddRow(0), -1);
  EXPECT_EQ(h.Grid->AddRow(3), 2);
  EXPECT_EQ(changes, (std::vector<std::pair<int, int>>{{1, 2}}));
  EXPECT_EQ(h.Grid->AddRow(0), 2);
  EXPECT_EQ(h.Grid->RowCount(), 3);
}

TEST(GridData, DefaultValuesFillNewRows) {
  GridHarness h;
  auto* number = h.Grid->Columns().Add<TCfNumberColumn>();
  number->SetDefaultValue("0");
  auto* check = h.Grid->Columns().Add<TCfCheckBoxColumn>();
  check->SetDefaultValue("False");
  auto* text = h.Grid->Columns().Add<TCfTextColumn>();
  text->SetDefaultValue("new");
  h.Grid->SetOptions(goHeader | goUseDefaultValues);
  h.Grid->AddRow(2);
  for (int r = 0; r < 2; ++r) {
    EXPECT_EQ(h.Grid->Cell(0, r).AsInteger(), 0);
    EXPECT_FALSE(h.Grid->Cell(1, r).AsBoolean());
    EXPECT_EQ(h.Grid->Cells(2, r), "new");
  }
}

TEST(GridData, ABadDefaultValueRaisesBeforeAnyRowIsAdded) {
  GridHarness h;
  h.Grid->Columns().Add<TCfTextColumn>()->SetDefaultValue("fine");
  h.Grid->Columns().Add<TCfNumberColumn>()->SetDefaultValue("twelve");
  h.Grid->SetOptions(goHeader | goUseDefaultValues);
  int changes = 0;
  h.Grid->OnDataChange = [&](QObject*, int, int) { ++changes; };
  EXPECT_THROW(h.Grid->AddRow(3), EConvertError);
  EXPECT_EQ(h.Grid->RowCount(), 0);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(h.Grid->LastAddedRow(), -1);
}

TEST(GridData, ClearRowsResetsTheSelectionAndTop) {
  GridHarness h;
  h.AddTextColumns({60});
  h.AddRows(50);
  h.Grid->UpdateVertScrollBar();
  h.Grid->SelectCell(0, 30);
  h.Grid->VertScrollBar()->SetPosition(20);
  h.Grid->ClearRows();
  EXPECT_EQ(h.Grid->RowCount(), 0);
  EXPECT_EQ(h.Grid->SelectedRow(), -1);
  EXPECT_EQ(h.Grid->SelectedColumn(), 0);
  EXPECT_EQ(h.Grid->FirstRow(), 0);
  EXPECT_EQ(h.Grid->VertScrollBar()->Position(), 0);
}

TEST(GridData, RowBookkeepingFollowsVisibility) {
  GridHarness h;
  h.AddTextColumns({60});
  h.AddRows(6);
  EXPECT_EQ(h.Grid->GetFirstRow(), 0);
  EXPECT_EQ(h.Grid->GetLastRow(), 5);
  h.Grid->SetRowVisible(0, false);
  h.Grid->SetRowVisible(5, false);
  EXPECT_EQ(h.Grid->GetFirstRow(), 1);
  EXPECT_EQ(h.Grid->GetLastRow(), 4);
  EXPECT_EQ(h.Grid->ShownRowCount(), 4);
  h.Grid->SetRowVisible(0, true);
  EXPECT_EQ(h.Grid->GetFirstRow(), 0);
  EXPECT_FALSE(h.Grid->RowVisible(5));
}

TEST(GridData, SelectRangeNeedsAnOrderedValidRange) {
  GridHarness h;
  h.AddTextColumns({60});
  h.AddRows(6);
  h.Grid->SelectRange(4, 2, true);
  h.Grid->SelectRange(2, 6, true);
  EXPECT_EQ(h.Grid->SelectedCount(), 0);
  h.Grid->SelectRange(1, 3, true);
  EXPECT_EQ(h.Grid->SelectedCount(), 3);
  EXPECT_TRUE(h.Grid->Selected(1) && h.Grid->Selected(3) && !h.Grid->Selected(4));
}

TEST(GridData, CellChangesRepaintAndTell) {
  GridHarness h;
  h.AddTextColumns({60, 60});
  h.AddRows(2);
  std::vector<std::pair<int, int>> changes;
  h.Grid->OnChange = [&](QObject*, int c, int r) { changes.push_back({c, r}); };
  h.Grid->Cell(1, 0).SetAsString("a");
  h.Grid->SetCells(0, 1, "b");
  EXPECT_EQ(changes, (std::vector<std::pair<int, int>>{{1, 0}, {0, 1}}));
}

// ---- footer ------------------------------------------------------------------------

namespace {
struct FooterGrid : GridHarness {
  TCfCustomColumn* Numbers;
  TCfCustomColumn* Texts;
  FooterGrid(std::initializer_list<double> numbers, std::initializer_list<const char*> texts) {
    Numbers = Grid->Columns().Add<TCfNumberColumn>();
    Texts = Grid->Columns().Add<TCfTextColumn>();
    Grid->SetOptions(goHeader | goFooter);
    auto n = numbers.begin();
    auto t = texts.begin();
    for (; n != numbers.end(); ++n, ++t) {
      const int r = Grid->AddRow();
      Grid->Cell(0, r).SetAsFloat(*n);
      Grid->SetCells(1, r, *t);
    }
  }
};
}  // namespace

TEST(GridFooter, FormulasOverAllOrDisplayedRows) {
  struct Case {
    TFormulaKind kind;
    bool displayedOnly;
    double value;
  };
  // Values 1, 2, 3, 10; row 1 (the 2) hidden when only displayed rows count.
  const Case cases[] = {
      {fkSum, false, 16},     {fkSum, true, 14},     {fkAverage, false, 4},   {fkAverage, true, 14.0 / 3},
      {fkCount, false, 4},    {fkCount, true, 3},    {fkMaximum, false, 10},  {fkMinimum, false, 1},
      {fkMinimum, true, 1},   {fkDistinct, false, 4},
  };
  for (const Case& c : cases) {
    FooterGrid g({1, 2, 3, 10}, {"a", "b", "c", "d"});
    g.Grid->SetRowVisible(1, false);
    g.Numbers->Footer().SetFormulaKind(c.kind);
    g.Grid->UpdateFooter(c.displayedOnly);
    EXPECT_DOUBLE_EQ(g.Numbers->Footer().Value(), c.value) << int(c.kind) << " displayed " << c.displayedOnly;
  }
}

TEST(GridFooter, ExtremesStartFromTheFirstCountingRow) {
  struct Case {
    TFormulaKind kind;
    std::initializer_list<double> values;
    const char* caption;
  };
  const Case cases[] = {{fkMaximum, {-5, -2, -9}, "-2"}, {fkMinimum, {3, 5, 7}, "3"}, {fkMinimum, {0.5, -1.5}, "-1.5"}};
  for (const Case& c : cases) {
    FooterGrid g(c.values, {"a", "b", "c"});
    g.Numbers->Footer().SetFormulaKind(c.kind);
    g.Grid->UpdateFooter();
    EXPECT_EQ(g.Numbers->Footer().Caption(), c.caption);
  }
}

TEST(GridFooter, NoCountingRowGivesZero) {
  for (TFormulaKind kind : {fkAverage, fkMaximum, fkMinimum, fkSum, fkCount}) {
    FooterGrid g({4, 8}, {"a", "b"});
    g.Grid->SetRowVisible(0, false);
    g.Grid->SetRowVisible(1, false);
    g.Numbers->Footer().SetFormulaKind(kind);
    g.Grid->UpdateFooter(true);
    EXPECT_EQ(g.Numbers->Footer().Caption(), "0") << int(kind);
    FooterGrid empty({}, {});
    empty.Numbers->Footer().SetFormulaKind(kind);
    empty.Grid->UpdateFooter();
    EXPECT_EQ(empty.Numbers->Footer().Caption(), "0") << int(kind);
  }
}

TEST(GridFooter, TextsThatAreNotNumbersAreLeftOut) {
  struct Case {
    TFormulaKind kind;
    const char* caption;
  };
  // "1.5", "abc", "2", "": only 1.5 and 2 are numbers.
  for (const Case& c : {Case{fkSum, "3.5"}, Case{fkAverage, "1.75"}, Case{fkMaximum, "2"}, Case{fkMinimum, "1.5"}}) {
    FooterGrid g({0, 0, 0, 0}, {"1.5", "abc", "2", ""});
    g.Texts->Footer().SetFormulaKind(c.kind);
    EXPECT_NO_THROW(g.Grid->UpdateFooter());
    EXPECT_EQ(g.Texts->Footer().Caption(), c.caption) << int(c.kind);
  }
}

TEST(GridFooter, DistinctIgnoresCaseAndEventsAdjust) {
  FooterGrid g({1, 2, 3}, {"Astra", "ASTRA", "Hotbird"});
  g.Texts->Footer().SetFormulaKind(fkDistinct);
  g.Numbers->Footer().SetFormulaKind(fkCustom);
  g.Grid->OnColumnFooterValue = [](QObject*, int, double& v) { v = 42; };
  g.Grid->OnFooterCalculate = [](QObject*, int col, double& v) {
    if (col == 1) v *= 10;
  };
  g.Grid->UpdateFooter();
  EXPECT_EQ(g.Texts->Footer().Caption(), "20");
  EXPECT_EQ(g.Numbers->Footer().Caption(), "42");
}

TEST(GridFooter, TextAsDrawnThroughItsMask) {
  struct Case {
    const char* caption;
    const char* mask;
    TFormatMaskKind kind;
    const char* before;
    const char* after;
    const char* text;
  };
  const Case cases[] = {
      {"16", "", mkText, "", "", "16"},
      {"16", "0.00", mkFloat, "", "", "16.00"},
      {"1234.5", "#,##0.0", mkFloat, "Sum: ", " MB", "Sum: 1,234.5 MB"},
      {"abc", "0.0", mkFloat, "", "", "0.0"},
      {"1234", "00-00;0;_", mkText, "", "", "12-34"},
      {"12", "00-00;0;_", mkText, "(", ")", "(12-__)"},
  };
  for (const Case& c : cases) {
    TCfTextColumn column;
    column.Footer().SetCaption(c.caption);
    column.Footer().SetFormatMask(c.mask);
    column.Footer().SetFormatMaskKind(c.kind);
    column.Footer().SetTextBefore(c.before);
    column.Footer().SetTextAfter(c.after);
    EXPECT_EQ(TStyleDisplay::FooterText(column), c.text) << c.caption << " " << c.mask;
  }
}

// ---- repaints outside the page cost no walk over the rows ---------------------------

TEST(GridData, WorkOutsideThePageReadsNoRowBetweenItAndTheTop) {
  GridHarness h;
  h.AddTextColumns({100, 100});
  h.Grid->CellStore().AddRows(100000);
  h.Grid->AddRow();  // through the grid, so it knows the rows
  h.Grid->Render();
  long reads = 0;
  h.Grid->OnMeasuringRowHeight = [&](QObject*, int, int&) { ++reads; };
  h.Grid->SetOptions(goHeader | goSelectFullRow | goMultiSelect);
  reads = 0;
  h.Grid->SelectRange(50000, 99999, true);
  EXPECT_LT(reads, 100) << "marking a range";
  reads = 0;
  for (int r = 90000; r < 91000; ++r) h.Grid->SetCells(0, r, "x");
  EXPECT_LT(reads, 100) << "writing cells";
  reads = 0;
  for (int r = 80000; r < 81000; ++r) h.Grid->SetRowVisible(r, false);
  EXPECT_LT(reads, 1000 * 40) << "hiding rows";
  EXPECT_EQ(h.Grid->ShownRowCount(), 100001 - 1000);
}
