// Settings at creation, their effects, and the geometry they give.

#include "GridControlFixture.h"

using namespace cf;

TEST(GridSettings, CreationValues) {
  TCfGrid grid;
  EXPECT_EQ(grid.Options(), TGridOptions(goHeader));
  EXPECT_EQ(grid.AppearanceOptions(), TAppearanceOptions(aoHideSelection | aoHighlightSlideCells));
  EXPECT_FALSE(grid.AutoScroll());
  EXPECT_EQ(grid.GridBorderStyle(), TBorderStyle::bsSingle);
  EXPECT_EQ(grid.Caption(), "");
  EXPECT_TRUE(grid.EnableVisualStyles());
  EXPECT_EQ(grid.FixedCols(), 0);
  EXPECT_EQ(grid.FooterSize(), 18);
  EXPECT_EQ(grid.GridLinesColor(), clBtnFace);
  EXPECT_EQ(grid.GridLinesStyle(), lsNormal);
  EXPECT_EQ(grid.GridStyle(), gsReport);
  EXPECT_EQ(grid.HeaderSize(), 18);
  EXPECT_EQ(grid.HeaderStyle(), hsAuto);
  EXPECT_TRUE(grid.HideScrollBar());
  EXPECT_EQ(grid.HighlightedTextColor(), clHighlightText);
  EXPECT_EQ(grid.HomeEndBehaviour(), hebTopBottom);
  EXPECT_EQ(grid.InactiveSelectionColor(), clBtnFace);
  EXPECT_EQ(grid.InputEnterMode(), imEditing);
  EXPECT_EQ(grid.InputSize(), 16);
  EXPECT_FALSE(grid.ReadOnly());
  EXPECT_EQ(grid.RowSize(), 16);
  EXPECT_EQ(grid.SelectionColor(), clHighlight);
  EXPECT_EQ(grid.SelectionMoveDirection(), mdDown);
  EXPECT_EQ(grid.SlidesOptions(), TSlideOptions(soFrame | soHideSelection));
  EXPECT_EQ(grid.SlideSelectionColor(), clWindow);
  EXPECT_EQ(grid.SlideSize(), 80);
  EXPECT_EQ(grid.SortedStyle(), soDefault);
  EXPECT_TRUE(grid.TabLeaveControl());
  EXPECT_EQ(grid.Version(), "5.2.5");
  EXPECT_FALSE(grid.WantReturns());
  EXPECT_FALSE(grid.GridWantTabs());
  EXPECT_EQ(grid.Width(), 250);
  EXPECT_EQ(grid.Height(), 150);
  EXPECT_TRUE(grid.TabStop());
  EXPECT_EQ(grid.Color, clWindow);
  EXPECT_EQ(grid.SelectedRow(), -1);
  EXPECT_EQ(grid.SelectedColumn(), 0);
  EXPECT_EQ(grid.FirstRow(), 0);
  EXPECT_EQ(grid.CurrentDisplay(), grid.StyleDisplay(hsAuto));
  EXPECT_NE(dynamic_cast<TDefaultStyleDisplay*>(grid.CurrentDisplay()), nullptr);
}

TEST(GridSettings, VersionAndRowSizeRefuseOtherValues) {
  TCfGrid grid;
  grid.SetVersion("9.9");
  EXPECT_EQ(grid.Version(), "5.2.5");
  for (int bad : {0, -3}) {
    grid.SetRowSize(bad);
    EXPECT_EQ(grid.RowSize(), 16) << bad;
  }
  grid.SetRowSize(20);
  EXPECT_EQ(grid.RowSize(), 20);
  EXPECT_EQ(grid.CellStore().DefaultRowHeight(), 20);
}

TEST(GridSettings, HeaderStyleSwitchesThePainter) {
  TCfGrid grid;
  grid.SetHeaderStyle(hsVista);
  EXPECT_EQ(grid.CurrentDisplay(), grid.StyleDisplay(hsVista));
  grid.SetHeaderStyle(hsAuto);
  EXPECT_EQ(grid.CurrentDisplay(), grid.StyleDisplay(hsAuto));
}

TEST(GridSettings, LineWidthsFollowOptionsAndStyle) {
  struct Case {
    bool grid, threeD;
    TGridLinesStyle style;
    int vert, horz, left3d, top3d;
  };
  const Case cases[] = {
      {false, true, lsNormal, 0, 0, 0, 0},          {true, false, lsNormal, 1, 1, 0, 0},
      {true, true, lsNormal, 1, 1, 1, 1},           {true, true, lsHorizontalOnly, 0, 1, 0, 1},
      {true, true, lsActiveHorzOnly, 0, 1, 0, 1},   {true, true, lsVerticalOnly, 1, 0, 1, 0},
      {true, false, lsFramed, 1, 1, 0, 0},          {true, false, lsActiveRows, 1, 1, 0, 0},
  };
  for (const Case& c : cases) {
    TCfGrid grid;
    grid.SetOptions(goHeader | (c.grid ? TGridOptions{goGrid} : TGridOptions{0}));
    grid.SetAppearanceOptions(c.threeD ? ao3DGridLines : 0);
    grid.SetGridLinesStyle(c.style);
    SCOPED_TRACE(testing::Message() << "grid " << c.grid << " 3d " << c.threeD << " style " << int(c.style));
    EXPECT_EQ(grid.VertLineWidth(), c.vert);
    EXPECT_EQ(grid.HorzLineWidth(), c.horz);
    EXPECT_EQ(grid.Line3DLeftWidth(), c.left3d);
    EXPECT_EQ(grid.Line3DTopWidth(), c.top3d);
    EXPECT_EQ(grid.RowSeparator(), c.top3d + c.horz);
  }
}

TEST(GridGeometry, BodyRectangleForEachBand) {
  struct Case {
    TGridOptions options;
    TGridStyle style;
    TRect body;
  };
  // Client 400 x 200, columns 100 + 80 wide.
  const Case cases[] = {
      {goHeader, gsReport, TRect(0, 18, 180, 200)},
      {0, gsReport, TRect(0, 0, 180, 200)},
      {goHeader | goIndicator, gsReport, TRect(12, 18, 192, 200)},
      // Input line 16 + 6 + the horizontal line; footer 18 + 4 + the line.
      {goHeader | goInput | goGrid, gsReport, TRect(0, 41, 180, 200)},
      {goHeader | goFooter, gsReport, TRect(0, 18, 180, 178)},
      {goHeader | goFooter | goGrid | goIndicator | goInput, gsReport, TRect(12, 41, 192, 177)},
      {goHeader | goFooter | goInput, gsSlides, TRect(0, 18, 400, 200)},
      {goFooter, gsSlides, TRect(0, 0, 400, 200)},
  };
  for (const Case& c : cases) {
    GridHarness h;
    h.AddTextColumns({100, 80});
    h.Grid->SetOptions(c.options);
    h.Grid->SetGridStyle(c.style);
    EXPECT_EQ(h.Grid->GetBodyRect(), c.body) << "options " << c.options << " style " << int(c.style);
  }
}

TEST(GridGeometry, RowsFollowTheShownRowsAboveThem) {
  GridHarness h;
  h.AddTextColumns({100, 80});
  h.Grid->SetOptions(goHeader | goGrid | goIndicator);
  h.AddRows(6);
  h.Grid->SetRowVisible(1, false);
  h.Grid->SetRowHeight(3, 30);
  // Row tops: 18 (row 0), row 1 hidden, 35 (row 2), 52 (row 3, 30 tall), 83 (row 4).
  struct Case {
    int row;
    TRect cell0;
  };
  const Case cases[] = {{0, TRect(12, 18, 112, 34)},
                        {1, TRect()},
                        {2, TRect(12, 35, 112, 51)},
                        {3, TRect(12, 52, 112, 82)},
                        {4, TRect(12, 83, 112, 99)}};
  for (const Case& c : cases) EXPECT_EQ(h.Grid->CellRect(0, c.row), c.cell0) << c.row;
  EXPECT_EQ(h.Grid->CellRect(1, 4), TRect(112, 83, 192, 99));
}

TEST(GridGeometry, ThreeDLinesAddTheirRowToEachSeparator) {
  GridHarness h;
  h.AddTextColumns({100});
  h.Grid->SetOptions(goHeader | goGrid);
  h.Grid->SetAppearanceOptions(ao3DGridLines);
  h.AddRows(3);
  // Body top 18, one 3D line above the first row, then 16 + 2 per row.
  EXPECT_EQ(h.Grid->CellRect(0, 0), TRect(0, 19, 100, 35));
  EXPECT_EQ(h.Grid->CellRect(0, 2), TRect(0, 55, 100, 71));
}

TEST(GridGeometry, FixedColumnsStayWhileTheRestScroll) {
  GridHarness h;
  h.AddTextColumns({100, 300, 300});
  h.Grid->SetFixedCols(1);
  h.Grid->SetOptions(goHeader | goIndicator);
  h.AddRows(2);
  h.Grid->UpdateHorzScrollBar();
  h.Grid->HorzScrollBar()->SetPosition(30);
  EXPECT_EQ(h.Grid->HorzPosition(), 30);
  EXPECT_EQ(h.Grid->CellRect(0, 0), TRect(12, 18, 112, 34));
  EXPECT_EQ(h.Grid->CellRect(1, 0), TRect(82, 18, 382, 34));
  EXPECT_EQ(h.Grid->GetScrollableRect().Left, 112);
  EXPECT_EQ(h.Grid->GetHeaderCellRect(2), TRect(382, 0, 682, 18));
}

TEST(GridGeometry, SlidesPlaceCellsByTheirBounds) {
  GridHarness h;
  auto cols = h.AddTextColumns({100, 80});
  cols[1]->SlideBounds().SetLeft(120);
  cols[1]->SlideBounds().SetTop(30);
  h.Grid->SetGridStyle(gsSlides);
  h.AddRows(3);
  // Slides from the body top (18), 80 high each, no lines.
  EXPECT_EQ(h.Grid->CellRect(0, 0), TRect(8, 26, 88, 42));
  EXPECT_EQ(h.Grid->CellRect(1, 1), TRect(120, 18 + 80 + 30, 200, 18 + 80 + 46));
  EXPECT_EQ(h.Grid->RowsPerPage(), 2);  // 182 pixels of body hold two whole slides
}
