// Mouse scripts: the cell under a point, header clicks and sorting, column
// resizing, column drag and drop, row dragging with auto-scroll, marks with
// the mouse, footer clicks and the wheel.

#include "GridInputFixture.h"
#include "platform/DragDrop.h"

#include <QWheelEvent>

using namespace cf;

namespace {

struct MouseGrid : GridInput {
  void SetUp() override {
    GridInput::SetUp();
    Grid->SetOptions(goHeader | goSelectFullRow | goMultiSelect);
    Columns({100, 80, 60});  // columns span 0-100, 100-180, 180-240
  }
  std::vector<std::string> Texts() {
    std::vector<std::string> t;
    for (int r = 0; r < Grid->RowCount(); ++r) t.push_back(Grid->Cells(0, r));
    return t;
  }
};

}  // namespace

TEST_F(MouseGrid, TheCellUnderAPointInReportStyle) {
  NumberedRows(20);
  Grid->SetOptions(goHeader | goIndicator | goSelectFullRow);  // indicator: columns start at 12
  struct Case {
    int x, y, col, row;
  } cases[] = {
      {20, 5, 0, -1},    // header: no row
      {20, 18, 0, 0},    // first pixel of the body
      {20, 34, 0, 0},    // 18 + 16: a row's bottom edge is still the row
      {20, 35, 0, 1},
      {112, 51, 0, 2},   // a column's right edge belongs to it
      {113, 51, 1, 2},
      {260, 51, -1, 2},  // right of the last column
      {20, 199, 0, 11},  // the partly shown row at the bottom
  };
  for (const Case& c : cases) {
    TPoint cell;
    Grid->GetCellAtPos(TPoint(c.x, c.y), cell);
    EXPECT_EQ(cell, TPoint(c.col, c.row)) << c.x << "," << c.y;
  }
  Grid->VertScrollBar()->SetPosition(4);
  TPoint cell;
  Grid->GetCellAtPos(TPoint(20, 20), cell);
  EXPECT_EQ(cell, TPoint(0, 4));
}

TEST_F(MouseGrid, TheCellUnderAPointInSlidesStyle) {
  NumberedRows(5);
  Grid->SetGridStyle(gsSlides);  // slides of 80 under an 18-pixel header
  auto place = [](TCfSlideBounds& b, int l, int t, int w, int h) {
    b.SetLeft(l);
    b.SetTop(t);
    b.SetWidth(w);
    b.SetHeight(h);
  };
  place(Grid->Columns().Item(0)->SlideBounds(), 10, 10, 100, 20);
  place(Grid->Columns().Item(1)->SlideBounds(), 10, 40, 100, 20);
  place(Grid->Columns().Item(2)->SlideBounds(), 300, 300, 10, 10);
  struct Case {
    int x, y, col, row;
  } cases[] = {{20, 5, -1, 0}, {20, 30, 0, 0}, {20, 60, 1, 0}, {200, 60, -1, 0}, {20, 110, 0, 1}};
  for (const Case& c : cases) {
    TPoint cell;
    Grid->GetCellAtPos(TPoint(c.x, c.y), cell);
    EXPECT_EQ(cell, TPoint(c.col, c.row)) << c.x << "," << c.y;
  }
}

TEST_F(MouseGrid, HeaderClicksSortAlternatelyAndKeepTheCurrentRow) {
  Rows({"b", "d", "a", "c"});
  Grid->SetSelectedRow(1);  // "d"
  std::vector<int> clicks;
  Grid->OnHeaderClick = [&](QObject*, int c) { clicks.push_back(c); };
  ClickAt(50, 9);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"a", "b", "c", "d"}));
  ClickAt(50, 9);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"d", "c", "b", "a"}));
  ClickAt(50, 9);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(Grid->Cells(0, Grid->SelectedRow()), "d");
  // Without coCanSort a click only reports.
  Grid->Columns().Item(1)->SetOptions(Grid->Columns().Item(1)->Options() & ~coCanSort);
  ClickAt(140, 9);
  EXPECT_FALSE(Grid->Columns().Item(1)->Sorted());
  EXPECT_EQ(clicks, (std::vector<int>{0, 0, 0, 1}));
}

TEST_F(MouseGrid, DraggingAColumnDividerResizesWithinTheMinimumWidth) {
  NumberedRows(3);
  struct Case {
    int to;
    int width;
  } cases[] = {{130, 130}, {60, 60}, {5, 8}};  // the divider of column 0 is at 100
  for (const Case& c : cases) {
    Grid->Columns().Item(0)->SetWidth(100);
    Press(99, 9);
    EXPECT_TRUE(Grid->ColumnResizing());
    Move(c.to, 9);
    Release(c.to, 9);
    EXPECT_EQ(Grid->Columns().Item(0)->Width(), c.width);
    EXPECT_FALSE(Grid->ColumnResizing());
  }
}

TEST_F(MouseGrid, AColumnDraggedByItsHeaderLandsWhereItIsDropped) {
  NumberedRows(3);
  auto order = [&] {
    std::vector<int> o;
    for (int p = 0; p < 3; ++p) o.push_back(Grid->Columns().ItemByPosition(p)->Index());
    return o;
  };
  struct Case {
    const char* name;
    TGridOptions extra;
    int dropX, dropY;
    std::vector<int> order;
    bool column0Visible;
  };
  const Case cases[] = {
      {"past the middle of the last column", 0, 230, 9, {1, 2, 0}, true},
      {"before the middle of the second column", 0, 110, 9, {0, 1, 2}, true},
      {"past the middle of the second column", 0, 170, 9, {1, 0, 2}, true},
      {"below the header without goCanHideColumn", 0, 170, 120, {0, 1, 2}, true},
      {"below the header with goCanHideColumn", goCanHideColumn, 170, 120, {0, 1, 2}, false},
      {"locked fixed columns", goLockFixedCols, 230, 9, {0, 1, 2}, true},
  };
  for (const Case& c : cases) {
    NewGrid();
    Grid->SetOptions(goHeader | goSelectFullRow | c.extra);
    Columns({100, 80, 60});
    if (c.extra & goLockFixedCols) Grid->SetFixedCols(1);
    Press(40, 9);
    Move(50, 9);  // more than 3 pixels: the drag box takes over
    ASSERT_TRUE(Grid->ColumnDragging()) << c.name;
    const TPoint screen = Grid->ClientToScreen(TPoint(c.dropX, c.dropY));
    Grid->ColumnDragMoved(screen.X, screen.Y);
    Grid->ColumnDropped(screen.X, screen.Y);
    EXPECT_EQ(order(), c.order) << c.name;
    EXPECT_EQ(Grid->Columns().Item(0)->Visible(), c.column0Visible) << c.name;
    EXPECT_FALSE(Grid->ColumnDragging()) << c.name;
  }
}

TEST_F(MouseGrid, TheDropPositionFollowsTheMiddleOfTheColumnUnderTheMouse) {
  TCfCustomColumn* middle = Grid->Columns().Item(1);  // at 100-180, position 1
  struct Case {
    int x, position;
  } cases[] = {{10, 0}, {60, 1}, {120, 1}, {150, 1}, {200, 1}, {215, 2}, {400, 2}};
  for (const Case& c : cases) EXPECT_EQ(Grid->DropPosition(middle, c.x), c.position) << c.x;
}

TEST_F(MouseGrid, RowDraggingMovesTheRowAndScrollsAtThePageEnd) {
  Grid->SetOptions(goHeader | goSelectFullRow | goRowMoving);
  NumberedRows(30);
  std::vector<std::string> moves;
  Grid->OnRowMove = [&](QObject*, int from, int to, bool&) { moves.push_back(std::to_string(from) + ">" + std::to_string(to)); };
  // Row 1 (y 34-50) dragged into the lower half of row 4 (y 82-98).
  Press(50, 40);
  Move(50, 60);
  EXPECT_TRUE(Grid->RowDragging());
  Move(50, 92);
  EXPECT_EQ(Grid->DropRow(), 5);
  Release(50, 92);
  EXPECT_EQ(moves, std::vector<std::string>{"1>4"});
  EXPECT_EQ(Grid->Cells(0, 4), "r1");
  EXPECT_EQ(Grid->SelectedRow(), 4);
  // Dragging to the row just past the page scrolls the page one row.
  Press(50, 40);
  Move(50, 60);
  Move(50, 196);  // the upper half of row 11, the first row not wholly shown
  EXPECT_EQ(Grid->FirstRow(), 1);
  Release(50, 196);
  EXPECT_FALSE(Grid->RowDragging());
}

TEST_F(MouseGrid, ShiftAndCtrlClicksMarkRows) {
  NumberedRows(10);
  ClickCell(0, 2);
  ClickCell(0, 5, Qt::ShiftModifier);
  EXPECT_EQ(Marks(), (std::vector<int>{2, 3, 4, 5}));
  ClickCell(0, 8, Qt::ControlModifier);
  EXPECT_EQ(Marks(), (std::vector<int>{2, 3, 4, 5, 8}));
  ClickCell(0, 3, Qt::ControlModifier);
  EXPECT_EQ(Marks(), (std::vector<int>{2, 4, 5, 8}));
  ClickCell(0, 6);
  EXPECT_EQ(Marks(), std::vector<int>{6});
}

TEST_F(MouseGrid, APressOnMarkedRowsThatStartsNoDragSelectsTheRowAlone) {
  NumberedRows(10);
  ClickCell(0, 2);
  ClickCell(0, 4, Qt::ShiftModifier);
  // The application starts a drag from its mouse-down handler.
  Grid->OnMouseDown = [](TControl* c, TMouseButton, TShiftState, int, int) { c->BeginDrag(false); };
  const TPoint p = CellCentre(0, 3);
  Press(p.X, p.Y);
  EXPECT_EQ(Marks(), (std::vector<int>{2, 3, 4}));  // kept for the drag
  Release(p.X, p.Y);
  EXPECT_FALSE(DragPending());
  EXPECT_EQ(Marks(), std::vector<int>{3});
  EXPECT_EQ(Grid->SelectedRow(), 3);
}

TEST_F(MouseGrid, FooterClicksAndTheWheel) {
  Grid->SetOptions(goHeader | goFooter | goSelectFullRow);
  NumberedRows(40);
  std::vector<int> footer;
  Grid->OnFooterClick = [&](QObject*, int c) { footer.push_back(c); };
  ClickAt(150, 190);
  EXPECT_EQ(footer, std::vector<int>{1});
  QWheelEvent down(QPointF(50, 50), QPointF(Grid->mapToGlobal(QPoint(50, 50))), QPoint(), QPoint(0, -120),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Grid, &down);
  EXPECT_EQ(Grid->FirstRow(), 1);
  QWheelEvent pageDown(QPointF(50, 50), QPointF(Grid->mapToGlobal(QPoint(50, 50))), QPoint(), QPoint(0, -120),
                       Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Grid, &pageDown);
  EXPECT_GT(Grid->FirstRow(), 5);
  QWheelEvent up(QPointF(50, 50), QPointF(Grid->mapToGlobal(QPoint(50, 50))), QPoint(), QPoint(0, 120),
                 Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  const int before = Grid->FirstRow();
  QApplication::sendEvent(Grid, &up);
  EXPECT_EQ(Grid->FirstRow(), before - 1);
}

TEST_F(MouseGrid, DoubleClicksReportTheCellOrTheHeader) {
  NumberedRows(5);
  std::vector<std::string> log;
  Grid->OnCellDblClick = [&](QObject*, int c, int r) { log.push_back("cell " + std::to_string(c) + "," + std::to_string(r)); };
  Grid->OnHeaderDblClick = [&](QObject*, int c) { log.push_back("header " + std::to_string(c)); };
  const TPoint p = CellCentre(1, 2);
  DoubleClickAt(p.X, p.Y);
  DoubleClickAt(140, 9);
  EXPECT_EQ(log, (std::vector<std::string>{"cell 1,2", "header 1"}));
  // On a divider the column fits its cells instead.
  Grid->SetCells(0, 0, "a rather long service name indeed");
  DoubleClickAt(100, 9);
  EXPECT_GT(Grid->Columns().Item(0)->Width(), 100);
}
