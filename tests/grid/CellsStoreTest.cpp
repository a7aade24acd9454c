// Rows, row records, shown-row count, column slots and change notification
// of the cell store.

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>
#include <vector>

#include "GridFixture.h"

namespace {

const std::type_info& TypeOf(TCells& cells, int col, int row) {
  TCell& cell = cells.GetCell(col, row).Cell();
  return typeid(cell);
}

TEST(GridCellsStore, NewRowRecordHasItsDefaults) {
  GridFixture g;
  g.AddKind(8);
  g.Cells.SetDefaultRowHeight(21);
  g.Cells.AddRows(1);
  const TRow& r = g.Cells.GetRow(0);
  EXPECT_EQ(r.ChildCount, 0);
  EXPECT_TRUE(r.Expanded);
  EXPECT_EQ(r.RowTag, -1);
  EXPECT_EQ(r.Level, 0);
  EXPECT_EQ(r.ParentRow, nullptr);
  EXPECT_EQ(r.Height, 21);
  EXPECT_FALSE(r.Selected);
  EXPECT_TRUE(r.Shown());
  EXPECT_TRUE(r.Visible());
}

TEST(GridCellsStore, EmptyStoreIsUnsortedWithoutRows) {
  TCfColumns cols;
  TCells cells(nullptr, &cols);
  EXPECT_EQ(cells.RowCount(), 0);
  EXPECT_EQ(cells.ColumnCount(), 0);
  EXPECT_EQ(cells.ShownRowCount(), 0);
  EXPECT_FALSE(cells.IsSorted());
}

TEST(GridCellsStore, CellClassFollowsTheColumnKind) {
  GridFixture g;
  struct K { std::uint8_t kind; const std::type_info& type; };
  const std::vector<K> kinds = {{0, typeid(TIncrementCell)}, {1, typeid(TBooleanCell)}, {2, typeid(TStringCell)},
                                {3, typeid(TDateTimeCell)},  {4, typeid(TFloatCell)},   {5, typeid(TStringCell)},
                                {6, typeid(TGuidCell)},      {7, typeid(TIntegerCell)}, {8, typeid(TStringCell)},
                                {11, typeid(TVirtualCell)},  {12, typeid(TStringCell)}};
  for (const K& k : kinds) g.AddKind(k.kind);
  g.AddColumn<TCfCheckBoxColumn>();
  g.AddColumn<TCfNumberColumn>();
  g.AddColumn<TCfImageColumn>();
  g.AddColumn<TCfTextColumn>();
  g.Cells.AddRows(1);
  g.Cells.InsertRow(0);
  g.Cells.AddChildRow(0, 1);
  for (int row = 0; row < 3; ++row) {
    for (size_t c = 0; c < kinds.size(); ++c)
      EXPECT_EQ(TypeOf(g.Cells, static_cast<int>(c), row), kinds[c].type) << "kind " << int(kinds[c].kind);
    const int n = static_cast<int>(kinds.size());
    EXPECT_EQ(TypeOf(g.Cells, n, row), typeid(TBooleanCell));
    EXPECT_EQ(TypeOf(g.Cells, n + 1, row), typeid(TFloatCell));
    EXPECT_EQ(TypeOf(g.Cells, n + 2, row), typeid(TIntegerCell));
    EXPECT_EQ(TypeOf(g.Cells, n + 3, row), typeid(TStringCell));
  }
}

TEST(GridCellsStore, NewCellsTakeTheColumnStyleAndColourAndNotify) {
  GridFixture g;
  auto* col = g.AddKind(8);
  TFont f;
  f.Style = fsBold | fsItalic;
  col->SetFont(f);
  col->SetColor(0x00112233);
  g.Cells.AddRows(1);
  TCellRef cell = g.Cells.GetCell(0, 0);
  EXPECT_EQ(cell.FontStyle(), fsBold | fsItalic);
  EXPECT_EQ(cell.Color(), 0x00112233u);
  EXPECT_EQ(cell.Cell().Flags() & TCell::kNoNotify, 0) << "a finished cell notifies";
  EXPECT_EQ(cell.Cell().Owner(), &g.Cells);
}

// Rows added after others were deleted (a filter switch shrinking and then
// growing the list) start as new rows do: nothing of a deleted row's
// values, colours, styles, hints or record shows in them, and the rows kept
// keep theirs.
TEST(GridCellsStore, RowsAddedAfterDeletesStartAfresh) {
  GridFixture g;
  auto* text = g.AddKind(8);
  g.AddKind(7);
  TFont f;
  f.Style = fsBold;
  text->SetFont(f);
  text->SetColor(0x00445566);
  g.Cells.AddRows(6);
  for (int r = 0; r < 6; ++r) {
    g.Cells.GetCell(0, r).SetAsString("old " + std::to_string(r));
    g.Cells.GetCell(0, r).SetColor(0x00FF0000);
    g.Cells.GetCell(0, r).SetFontStyle(fsItalic);
    g.Cells.GetCell(0, r).SetHint("hint " + std::to_string(r));
    g.Cells.GetCell(1, r).SetAsInteger(100 + r);
    g.Cells.GetRow(r).Selected = true;
    g.Cells.GetRow(r).RowTag = 7;
  }
  for (const bool byFlags : {true, false}) {
    SCOPED_TRACE(byFlags ? "deleted together" : "deleted one by one");
    std::vector<std::string> kept;
    for (int r : {0, 2, 5}) kept.push_back(g.Cells.GetCell(0, r).AsString() + "/" + g.Cells.GetCell(0, r).Hint());
    if (byFlags)
      g.Cells.DeleteRows({0, 1, 0, 1, 1, 0});  // rows 1, 3 and 4 go
    else
      for (int r : {4, 3, 1}) g.Cells.DeleteRow(r);
    ASSERT_EQ(g.Cells.RowCount(), 3);
    for (int r = 0; r < 3; ++r)
      EXPECT_EQ(g.Cells.GetCell(0, r).AsString() + "/" + g.Cells.GetCell(0, r).Hint(), kept[static_cast<size_t>(r)])
          << "a kept row keeps its cells";
    g.Cells.AddRows(3);
    for (int r = 3; r < 6; ++r) {
      EXPECT_EQ(g.Cells.GetCell(0, r).AsString(), "") << r;
      EXPECT_EQ(g.Cells.GetCell(0, r).Color(), 0x00445566u) << r;
      EXPECT_EQ(g.Cells.GetCell(0, r).FontStyle(), fsBold) << r;
      EXPECT_EQ(g.Cells.GetCell(0, r).Hint(), "") << r;
      EXPECT_EQ(g.Cells.GetCell(1, r).AsInteger(), 0) << r;
      EXPECT_FALSE(g.Cells.GetRow(r).Selected) << r;
      EXPECT_EQ(g.Cells.GetRow(r).RowTag, -1) << r;
    }
    // Back to six rows of old values for the second round.
    for (int r = 3; r < 6; ++r) {
      g.Cells.GetCell(0, r).SetAsString("old " + std::to_string(r));
      g.Cells.GetCell(0, r).SetHint("hint " + std::to_string(r));
      g.Cells.GetRow(r).Selected = true;
      g.Cells.GetRow(r).RowTag = 7;
    }
  }
}

TEST(GridCellsStore, ChangeNotificationCarriesTheAddressedPosition) {
  GridFixture g;
  g.AddKind(8);
  g.AddKind(7);
  g.Cells.AddRows(4);
  std::vector<std::pair<int, int>> seen;
  g.Cells.OnCellChange = [&](int c, int r) { seen.emplace_back(c, r); };
  g.Cells.GetCell(1, 3).SetAsInteger(5);
  g.Cells.GetCell(0, 2).SetColor(0x00FF0000);
  g.Cells.GetCell(0, 1).Clear();
  // Looking at another cell in between does not shift where a change lands.
  TCellRef kept = g.Cells.GetCell(1, 0);
  (void)g.Cells.GetCell(0, 3).AsString();
  kept.SetAsString("8");
  EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{1, 3}, {0, 2}, {0, 1}, {1, 0}}));
}

TEST(GridCellsStore, EveryKindOfChangeClearsTheSortedFlag) {
  GridFixture g;
  g.AddKind(8);
  g.Cells.AddRows(3);
  const std::vector<std::function<void(TCellRef)>> changes = {
      [](TCellRef c) { c.SetAsString("z"); }, [](TCellRef c) { c.SetAsInteger(1); },
      [](TCellRef c) { c.SetAsBoolean(true); }, [](TCellRef c) { c.SetAsFloat(1); },
      [](TCellRef c) { c.SetAsDateTime(1); }, [](TCellRef c) { c.Clear(); },
      [](TCellRef c) { c.SetColor(5); }};
  for (size_t i = 0; i < changes.size(); ++i) {
    g.Cells.Sort(0, stAlphabetic, false, false);
    ASSERT_TRUE(g.Cells.IsSorted());
    changes[i](g.Cells.GetCell(0, 1));
    EXPECT_FALSE(g.Cells.IsSorted()) << "change " << i;
  }
}

TEST(GridCellsStore, RowOperationsAndTheSortedFlag) {
  // Deleting or hiding keeps the order; adding, inserting, child rows,
  // moving and exchanging break it.
  GridFixture g;
  g.AddKind(7);
  struct Op { const char* name; std::function<void(TCells&)> run; bool keepsSorted; };
  const std::vector<Op> ops = {
      {"DeleteRow", [](TCells& s) { s.DeleteRow(1); }, true},
      {"SetVisible", [](TCells& s) { s.SetVisible(1, false); }, true},
      {"SetShown", [](TCells& s) { s.SetShown(1, false); }, true},
      {"AddRows", [](TCells& s) { s.AddRows(1); }, false},
      {"InsertRow", [](TCells& s) { s.InsertRow(1); }, false},
      {"AddChildRow", [](TCells& s) { s.AddChildRow(0, 1); }, false},
      {"MoveRow", [](TCells& s) { s.MoveRow(0, 2); }, false},
      {"ExchangeRows", [](TCells& s) { s.ExchangeRows(0, 2); }, false},
      {"ClearRows", [](TCells& s) { s.ClearRows(); }, false},
  };
  for (const Op& op : ops) {
    g.Cells.ClearRows();
    g.Cells.AddRows(4);
    g.Cells.Sort(0, stNumeric, false, false);
    op.run(g.Cells);
    EXPECT_EQ(g.Cells.IsSorted(), op.keepsSorted) << op.name;
  }
}

TEST(GridCellsStore, ExchangeThenFlipSortsInsteadOfReversing) {
  GridFixture g;
  g.AddKind(7);
  g.Cells.AddRows(3);
  for (int r = 0; r < 3; ++r) g.Cells.GetCell(0, r).SetAsInteger(r + 1);  // 1 2 3
  g.Cells.Sort(0, stNumeric, false, false);
  g.Cells.ExchangeRows(0, 1);  // 2 1 3
  g.Cells.Sort(0, stNumeric, false, true);
  EXPECT_EQ(g.Cells.GetCell(0, 0).AsInteger(), 3);
  EXPECT_EQ(g.Cells.GetCell(0, 1).AsInteger(), 2);
  EXPECT_EQ(g.Cells.GetCell(0, 2).AsInteger(), 1);
}

TEST(GridCellsStore, InsertRowPlacesTheNewRowBeforeTheIndex) {
  GridFixture g;
  g.AddKind(7);
  g.AddKind(8);
  g.Cells.AddRows(2);
  TRow* first = &g.Cells.GetRow(0);
  TRow* second = &g.Cells.GetRow(1);
  g.Cells.GetCell(0, 0).SetAsInteger(10);
  g.Cells.GetCell(1, 1).SetAsString("b");
  g.Cells.InsertRow(1);
  ASSERT_EQ(g.Cells.RowCount(), 3);
  EXPECT_EQ(&g.Cells.GetRow(0), first);
  EXPECT_EQ(&g.Cells.GetRow(2), second);
  EXPECT_EQ(g.Cells.GetCell(0, 1).AsInteger(), 0);
  EXPECT_EQ(g.Cells.GetCell(1, 1).AsString(), "");
  EXPECT_EQ(g.Cells.GetCell(1, 2).AsString(), "b");
  g.Cells.InsertRow(3);  // at the end
  EXPECT_EQ(g.Cells.RowCount(), 4);
  EXPECT_EQ(g.Cells.ShownRowCount(), 4);
}

TEST(GridCellsStore, ChildRowsFollowTheirParent) {
  GridFixture g;
  g.AddKind(8);
  g.Cells.AddRows(2);
  g.Cells.AddChildRow(0, 1);  // child of row 0 at 1
  g.Cells.AddChildRow(1, 2);  // grandchild at 2
  g.Cells.AddChildRow(0, 3);  // second child of row 0
  ASSERT_EQ(g.Cells.RowCount(), 5);
  EXPECT_EQ(g.Cells.GetRow(1).ParentRow, &g.Cells.GetRow(0));
  EXPECT_EQ(g.Cells.GetRow(1).Level, 1);
  EXPECT_EQ(g.Cells.GetRow(2).Level, 2);
  EXPECT_EQ(g.Cells.GetRow(0).ChildCount, 2);
  EXPECT_EQ(g.Cells.DescendantCount(0), 3);
  EXPECT_EQ(g.Cells.ChildRowCount(0), 2);
  EXPECT_EQ(g.Cells.DescendantCount(1), 1);
  EXPECT_EQ(g.Cells.DescendantCount(4), 0);
  EXPECT_EQ(g.Cells.IndexOfRow(&g.Cells.GetRow(3)), 3);
  TRow outside;
  EXPECT_EQ(g.Cells.IndexOfRow(&outside), -1);
}

TEST(GridCellsStore, ChildOfCollapsedParentIsNotShown) {
  GridFixture g;
  g.AddKind(8);
  g.Cells.AddRows(1);
  g.Cells.GetRow(0).Expanded = false;
  g.Cells.AddChildRow(0, 1);
  EXPECT_FALSE(g.Cells.GetRow(1).Shown());
  EXPECT_EQ(g.Cells.RowCount(), 2);
  EXPECT_EQ(g.Cells.ShownRowCount(), 1);
}

TEST(GridCellsStore, ShownRowCountCountsRowsBothVisibleAndShown) {
  GridFixture g;
  g.AddKind(8);
  g.Cells.AddRows(4);
  g.Cells.SetShown(0, false);    // inside a collapsed branch
  g.Cells.SetVisible(0, false);  // and hidden itself: still one row fewer
  EXPECT_EQ(g.Cells.ShownRowCount(), 3);
  g.Cells.SetShown(0, true);  // still hidden
  EXPECT_EQ(g.Cells.ShownRowCount(), 3);
  g.Cells.SetShown(1, false);
  g.Cells.SetShown(1, false);  // no change, no count
  EXPECT_EQ(g.Cells.ShownRowCount(), 2);
  // Deleting rows that are not displayed leaves the count alone.
  g.Cells.DeleteRow(1);  // visible but not shown
  EXPECT_EQ(g.Cells.ShownRowCount(), 2);
  g.Cells.DeleteRow(0);  // shown but not visible
  EXPECT_EQ(g.Cells.ShownRowCount(), 2);
  g.Cells.DeleteRow(0);
  g.Cells.DeleteRow(0);
  EXPECT_EQ(g.Cells.RowCount(), 0);
  EXPECT_EQ(g.Cells.ShownRowCount(), 0);
}

TEST(GridCellsStore, DeletingAParentLeavesNoDanglingParentLink) {
  GridFixture g;
  g.AddKind(8);
  g.Cells.AddRows(1);
  g.Cells.AddChildRow(0, 1);
  g.Cells.DeleteRow(0);
  EXPECT_EQ(g.Cells.GetRow(0).ParentRow, nullptr);
}

TEST(GridCellsStore, MoveRowHasListMoveSemantics) {
  GridFixture g;
  g.AddKind(7);
  g.AddKind(8);
  g.Cells.AddRows(5);
  for (int r = 0; r < 5; ++r) {
    g.Cells.GetCell(0, r).SetAsInteger(r);
    g.Cells.GetCell(1, r).SetAsString(std::string(1, char('a' + r)));
  }
  g.Cells.MoveRow(1, 3);  // 0 2 3 1 4
  g.Cells.MoveRow(4, 0);  // 4 0 2 3 1
  const int expected[] = {4, 0, 2, 3, 1};
  for (int r = 0; r < 5; ++r) {
    EXPECT_EQ(g.Cells.GetCell(0, r).AsInteger(), expected[r]);
    EXPECT_EQ(g.Cells.GetCell(1, r).AsString(), std::string(1, char('a' + expected[r])));
  }
}

TEST(GridCellsStore, OutOfRangeIndexesRaiseListErrors) {
  GridFixture g;
  g.AddKind(8);
  g.Cells.AddRows(2);
  EXPECT_THROW(g.Cells.GetCell(1, 0), EListError);
  EXPECT_THROW(g.Cells.GetCell(0, 2), EListError);
  EXPECT_THROW(g.Cells.GetCell(-1, 0), EListError);
  EXPECT_THROW(g.Cells.GetRow(2), EListError);
  EXPECT_THROW(g.Cells.DeleteRow(2), EListError);
  EXPECT_THROW(g.Cells.MoveRow(0, 2), EListError);
  EXPECT_THROW(g.Cells.ExchangeRows(-1, 0), EListError);
  EXPECT_THROW(g.Cells.InsertRow(3), EListError);
  EXPECT_THROW(g.Cells.AddChildRow(2, 0), EListError);
  EXPECT_THROW(g.Cells.Sort(1, stAlphabetic, false, false), EListError);
  EXPECT_EQ(g.Cells.RowCount(), 2);
}

// ---- column changes --------------------------------------------------------

TEST(GridCellsStoreColumns, AddedColumnGetsOneCellPerRowOfItsKind) {
  GridFixture g;
  g.AddKind(8);
  g.Cells.AddRows(3);
  g.AddColumn<TCfNumberColumn>();
  ASSERT_EQ(g.Cells.ColumnCount(), 2);
  for (int r = 0; r < 3; ++r) EXPECT_EQ(TypeOf(g.Cells, 1, r), typeid(TFloatCell));
}

TEST(GridCellsStoreColumns, DeletedColumnTakesItsCellsAndTheLastTakesTheRows) {
  GridFixture g;
  auto* a = g.AddKind(7);
  auto* b = g.AddKind(8);
  g.Cells.AddRows(3);
  g.Cells.GetCell(1, 2).SetAsString("kept");
  g.Columns.Remove(a);
  ASSERT_EQ(g.Cells.ColumnCount(), 1);
  EXPECT_EQ(g.Cells.GetCell(0, 2).AsString(), "kept");
  EXPECT_EQ(g.Cells.RowCount(), 3);
  g.Columns.Remove(b);
  EXPECT_EQ(g.Cells.ColumnCount(), 0);
  EXPECT_EQ(g.Cells.RowCount(), 0);
  EXPECT_EQ(g.Cells.ShownRowCount(), 0);
}

TEST(GridCellsStoreColumns, ClearFreesEveryColumnAndRow) {
  GridFixture g;
  g.AddKind(7);
  g.AddKind(8);
  g.Cells.AddRows(3);
  g.Cells.ColumnChanged(TCells::ccClear, 0);
  EXPECT_EQ(g.Cells.ColumnCount(), 0);
  EXPECT_EQ(g.Cells.RowCount(), 0);
  EXPECT_EQ(g.Cells.ShownRowCount(), 0);
}

TEST(GridCellsStoreColumns, InsertAndMoveShiftTheSlots) {
  // The store mirrors the collection: a column that the collection holds at
  // index 1 but the store has no slot for yet is inserted there.
  GridFixture g;
  g.AddKind(7);  // slot 0
  g.Cells.AddRows(2);
  g.Columns.OnColumnsChange = nullptr;
  g.AddKind(1);  // collection only
  g.Columns.OnColumnsChange = [&](int kind, int index) { g.Cells.ColumnChanged(kind, index); };
  g.AddKind(4);  // slot 1, of the last column's kind
  g.Cells.GetCell(1, 0).SetAsFloat(2.5);
  g.Cells.GetCell(1, 1).SetAsFloat(7.5);
  g.Cells.Sort(1, stNumeric, false, false);
  g.Cells.ColumnChanged(TCells::ccInsert | 0x80, 1);  // high bit ignored
  ASSERT_EQ(g.Cells.ColumnCount(), 3);
  EXPECT_EQ(TypeOf(g.Cells, 1, 0), typeid(TBooleanCell));
  EXPECT_DOUBLE_EQ(g.Cells.GetCell(2, 0).AsFloat(), 2.5);
  EXPECT_FALSE(g.Cells.IsSorted());

  g.Cells.Sort(2, stNumeric, false, false);
  g.Cells.ColumnChanged(TCells::ccMove, 2, 0);
  EXPECT_DOUBLE_EQ(g.Cells.GetCell(0, 0).AsFloat(), 2.5);
  EXPECT_EQ(TypeOf(g.Cells, 1, 0), typeid(TIntegerCell));
  EXPECT_EQ(TypeOf(g.Cells, 2, 0), typeid(TBooleanCell));
  EXPECT_TRUE(g.Cells.IsSorted());
  EXPECT_EQ(g.Cells.SortedColumn(), 0) << "the sort state follows its column";
}

TEST(GridCellsStoreColumns, DeletingTheSortedColumnEndsTheSortedState) {
  // Otherwise a later flip on the column that took its slot would only
  // reverse rows that were never sorted by it.
  GridFixture g;
  g.AddKind(7);
  auto* b = g.AddKind(7);
  g.AddKind(7);
  g.Cells.AddRows(3);
  for (int r = 0; r < 3; ++r) {
    g.Cells.GetCell(1, r).SetAsInteger(r);
    g.Cells.GetCell(2, r).SetAsInteger(r == 1 ? 0 : (r == 0 ? 5 : 9));  // 5 0 9
  }
  g.Cells.Sort(1, stNumeric, false, false);
  g.Columns.Remove(b);
  EXPECT_FALSE(g.Cells.IsSorted());
  g.Cells.Sort(1, stNumeric, false, true);
  EXPECT_EQ(g.Cells.GetCell(1, 0).AsInteger(), 9);
  EXPECT_EQ(g.Cells.GetCell(1, 2).AsInteger(), 0);
}

TEST(GridCellsStoreColumns, DeletingAnEarlierColumnKeepsTheSortedColumn) {
  GridFixture g;
  auto* a = g.AddKind(7);
  g.AddKind(7);
  g.Cells.AddRows(2);
  g.Cells.Sort(1, stNumeric, false, false);
  g.Columns.Remove(a);
  EXPECT_TRUE(g.Cells.IsSorted());
  EXPECT_EQ(g.Cells.SortedColumn(), 0);
}

TEST(GridCellsStoreColumns, MoreThan1024ColumnsStayAligned) {
  GridFixture g;
  const int n = 1100;
  for (int c = 0; c < n; ++c) g.AddKind(c % 2 ? 7 : 8);
  g.Cells.AddRows(3);
  ASSERT_EQ(g.Cells.ColumnCount(), n);
  g.Cells.GetCell(n - 1, 2).SetAsInteger(77);
  g.Cells.GetCell(n - 1, 0).SetAsInteger(5);
  g.Cells.Sort(n - 1, stNumeric, false, true);
  EXPECT_EQ(g.Cells.GetCell(n - 1, 0).AsInteger(), 77);
  g.Cells.InsertRow(0);
  g.Cells.DeleteRow(3);
  EXPECT_EQ(g.Cells.RowCount(), 3);
  EXPECT_EQ(TypeOf(g.Cells, n - 1, 0), typeid(TIntegerCell));
  EXPECT_EQ(TypeOf(g.Cells, n - 2, 0), typeid(TStringCell));
}

}  // namespace
