// Both bars, the walk of FirstRow, ScrollToRow and the column notes.

#include "GridControlFixture.h"

using namespace cf;

TEST(GridScroll, VerticalBarFollowsShownRowsAndThePage) {
  struct Case {
    int rows;
    bool lines;
    int max, page;
  };
  // Client 400 x 200, header 18: a body of 182 pixels holds 11 rows of 16,
  // or 10 rows of 16 + 1 with grid lines.
  const Case cases[] = {{1, false, 0, 1},    {11, false, 0, 1},   {12, false, 12, 12},
                        {100, false, 100, 12}, {11, true, 11, 11}, {10, true, 0, 1}};
  for (const Case& c : cases) {
    GridHarness h;
    h.AddTextColumns({100});
    if (c.lines) h.Grid->SetOptions(goHeader | goGrid);
    h.AddRows(c.rows);
    h.Grid->UpdateVertScrollBar();
    SCOPED_TRACE(testing::Message() << c.rows << " rows, lines " << c.lines);
    EXPECT_EQ(h.Grid->VertScrollBar()->Max(), c.max);
    if (c.max > 0) {
      EXPECT_EQ(h.Grid->VertScrollBar()->PageSize(), c.page);
      EXPECT_EQ(h.Grid->VertScrollBar()->LargeChange, c.page);
    }
  }
}

TEST(GridScroll, HorizontalBarCoversColumnsAndIndicator) {
  GridHarness h;
  h.AddTextColumns({300, 200});
  h.Grid->SetOptions(goHeader | goIndicator);
  h.Grid->UpdateHorzScrollBar();
  EXPECT_EQ(h.Grid->HorzScrollBar()->Max(), 512);
  EXPECT_EQ(h.Grid->HorzScrollBar()->PageSize(), 401);
  EXPECT_EQ(h.Grid->HorzScrollBar()->LargeChange, 391);
  EXPECT_TRUE(h.Grid->HorzScrollBar()->Visible());
  h.Grid->SetGridStyle(gsSlides);
  EXPECT_FALSE(h.Grid->HorzScrollBar()->Visible());
}

TEST(GridScroll, BarPositionWalksShownRowsOnly) {
  GridHarness h;
  h.AddTextColumns({100});
  h.AddRows(100);
  h.Grid->SetRowVisible(3, false);
  h.Grid->SetRowVisible(4, false);
  h.Grid->UpdateVertScrollBar();
  // Five shown rows down: 0, 1, 2, 5, 6 are passed.
  EXPECT_EQ(h.Grid->GetVertScrollDelta(0, 5), -5 * 16);
  EXPECT_EQ(h.Grid->FirstRow(), 7);
  // Two back: 6 and 5.
  EXPECT_EQ(h.Grid->GetVertScrollDelta(5, 3), 2 * 16);
  EXPECT_EQ(h.Grid->FirstRow(), 5);
}

TEST(GridScroll, ScrollToRowBringsRowsIntoView) {
  struct Case {
    int first, row, expectedFirst;
  };
  // 100 rows of 16 in a body of 182: rows FirstRow .. FirstRow + 10 fit whole.
  const Case cases[] = {
      {0, 5, 0}, {0, 10, 0}, {0, 11, 1}, {0, 50, 40}, {40, 20, 20}, {40, 45, 40},
      // Rows outside the grid leave it alone.
      {40, -1, 40}, {40, 100, 40}, {40, 5000, 40},
  };
  for (const Case& c : cases) {
    GridHarness h;
    h.AddTextColumns({100});
    h.AddRows(100);
    h.Grid->UpdateVertScrollBar();
    h.Grid->VertScrollBar()->SetPosition(c.first);
    ASSERT_EQ(h.Grid->FirstRow(), c.first);
    h.Grid->ScrollToRow(c.row);
    EXPECT_EQ(h.Grid->FirstRow(), c.expectedFirst) << "from " << c.first << " to row " << c.row;
  }
}

TEST(GridScroll, AutoScrollFollowsTheSelection) {
  for (bool autoScroll : {false, true}) {
    GridHarness h;
    h.AddTextColumns({100});
    h.AddRows(100);
    h.Grid->UpdateVertScrollBar();
    h.Grid->SetAutoScroll(autoScroll);
    h.Grid->SetSelectedRow(30);
    EXPECT_EQ(h.Grid->FirstRow(), autoScroll ? 20 : 0);
  }
}

TEST(GridScroll, ColumnNotesReachTheirEvents) {
  GridHarness h;
  auto cols = h.AddTextColumns({100, 80, 60});
  std::vector<std::string> log;
  h.Grid->OnColumnMove = [&](QObject*, int c, int from, int to) {
    log.push_back("move " + std::to_string(c) + " " + std::to_string(from) + "->" + std::to_string(to));
  };
  h.Grid->OnColumnResize = [&](QObject*, int c) { log.push_back("resize " + std::to_string(c)); };
  h.Grid->OnSlideChange = [&](QObject*, int c) { log.push_back("slide " + std::to_string(c)); };
  h.Grid->OnSortColumn = [&](QObject*, int c, bool asc) {
    log.push_back("sort " + std::to_string(c) + (asc ? " up" : " down"));
  };
  h.Grid->OnDataChange = [&](QObject*, int type, int index) {
    log.push_back("data " + std::to_string(type) + " " + std::to_string(index));
  };
  cols[2]->SetPosition(0);
  cols[1]->SetWidth(90);
  cols[0]->SlideBounds().SetLeft(4);
  cols[0]->SlideBounds().SetWidth(80);  // unchanged: no note
  cols[1]->SetSorted(true);
  cols[1]->SetSortKind(skDescending);
  h.Grid->Columns().Add<TCfTextColumn>();
  h.Grid->Columns().Remove(cols[0]);
  EXPECT_EQ(log, (std::vector<std::string>{"move 2 2->0", "resize 1", "slide 0", "sort 1 up", "sort 1 down",
                                           "data 0 3", "data 4 0"}));
  EXPECT_EQ(h.Grid->SortColumnIndex(), 0);  // column 1 became column 0
}

TEST(GridScroll, UpdateBracketHoldsOnlyRowRepaints) {
  GridHarness h;
  h.AddTextColumns({100});
  h.AddRows(3);
  int changes = 0;
  h.Grid->OnChange = [&](QObject*, int, int) { ++changes; };
  h.Grid->BeginUpdate();
  h.Grid->SetCells(0, 1, "x");
  h.Grid->SetSelectedRow(2);  // selection still runs
  h.Grid->EndUpdate();
  EXPECT_EQ(h.Grid->SelectedRow(), 2);
  EXPECT_EQ(h.Grid->Cells(0, 1), "x");
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(h.Grid->UpdateCount(), 0);
  h.Grid->EndUpdate();  // an extra end stays at 0
  EXPECT_EQ(h.Grid->UpdateCount(), 0);
}
