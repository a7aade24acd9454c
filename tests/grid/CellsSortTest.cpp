// Sorting the cell store: every sort type, the in-place reversal, failures
// that must leave the rows alone, and a large random check.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "GridFixture.h"
#include "grid/CellSort.h"
#include "grid/CellText.h"

namespace {

std::vector<std::string> Column(TCells& cells, int col) {
  std::vector<std::string> out;
  for (int r = 0; r < cells.RowCount(); ++r) out.push_back(cells.GetCell(col, r).AsString());
  return out;
}

std::vector<TRow*> RowOrder(TCells& cells) {
  std::vector<TRow*> out;
  for (int r = 0; r < cells.RowCount(); ++r) out.push_back(&cells.GetRow(r));
  return out;
}

// A store with one column of the given kind filled with texts, and a second
// integer column holding each row's original index.
struct Filled : GridFixture {
  Filled(std::uint8_t kind, const std::vector<std::string>& texts) {
    AddKind(kind);
    AddKind(7);
    Cells.AddRows(static_cast<int>(texts.size()));
    for (size_t r = 0; r < texts.size(); ++r) {
      Cells.GetCell(0, static_cast<int>(r)).SetAsString(texts[r]);
      Cells.GetCell(1, static_cast<int>(r)).SetAsInteger(static_cast<int>(r));
    }
  }
  std::vector<std::string> Keys() { return Column(Cells, 0); }
  std::vector<std::string> Ids() { return Column(Cells, 1); }
};

using Texts = std::vector<std::string>;

TEST(GridCellsSort, AlphabeticComparesCodeUnits) {
  Filled f(8, {"b", "B", "a", "A", "\xC3\xA9", "_"});  // é
  f.Cells.Sort(0, stAlphabetic, false, false);
  EXPECT_EQ(f.Keys(), (Texts{"A", "B", "_", "a", "b", "\xC3\xA9"}));
  f.Cells.Sort(0, stAlphabetic, true, true);
  EXPECT_EQ(f.Keys(), (Texts{"\xC3\xA9", "b", "a", "_", "B", "A"}));
}

TEST(GridCellsSort, AlphabeticPutsCharactersAboveU_FFFFBeforeU_E000) {
  // UTF-16 code units: U+1F600 is D83D DE00 and sorts before U+FF21.
  const std::string fullwidthA = "\xEF\xBC\xA1", emoji = "\xF0\x9F\x98\x80";
  Filled f(8, {fullwidthA, emoji, "z", "\xED\x9F\xBF"});  // U+D7FF
  f.Cells.Sort(0, stAlphabetic, false, false);
  EXPECT_EQ(f.Keys(), (Texts{"z", "\xED\x9F\xBF", emoji, fullwidthA}));
}

TEST(GridCellsSort, TextsAlikeInTheirFirstBytesCompareInFull) {
  const std::string fullwidthA = "\xEF\xBC\xA1", emoji = "\xF0\x9F\x98\x80";
  Filled f(8, {"abcdefgh" + fullwidthA, "abcdefgh" + emoji, "abcdefghZ", "abcdefgh", "abcdefghZ\x01"});
  f.Cells.Sort(0, stAlphabetic, false, false);
  EXPECT_EQ(f.Keys(), (Texts{"abcdefgh", "abcdefghZ", "abcdefghZ\x01", "abcdefgh" + emoji, "abcdefgh" + fullwidthA}));
  Filled g(8, {"ABCDEFGHb", "abcdefghA", "AbCdEfGh_"});
  g.Cells.Sort(0, stCaseInsensitive, false, false);
  EXPECT_EQ(g.Keys(), (Texts{"AbCdEfGh_", "abcdefghA", "ABCDEFGHb"}));
}

TEST(GridCellsSort, CaseInsensitiveLowersAsciiLettersFirst) {
  Filled f(8, {"b", "B", "a", "_", "A", "Ab"});
  f.Cells.Sort(0, stCaseInsensitive, false, false);
  Texts keys = f.Keys();
  for (auto& k : keys)
    for (auto& ch : k) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  EXPECT_EQ(keys, (Texts{"_", "a", "a", "ab", "b", "b"}));
}

TEST(GridCellsSort, BooleanPutsFalseFirst) {
  GridFixture g;
  g.AddColumn<TCfCheckBoxColumn>();
  g.Cells.AddRows(4);
  g.Cells.GetCell(0, 0).SetAsBoolean(true);
  g.Cells.GetCell(0, 2).SetAsBoolean(true);
  g.Cells.Sort(0, stBoolean, false, false);
  EXPECT_EQ(Column(g.Cells, 0), (Texts{"False", "False", "True", "True"}));
  g.Cells.Sort(0, stBoolean, false, true);
  EXPECT_EQ(Column(g.Cells, 0), (Texts{"True", "True", "False", "False"}));
}

TEST(GridCellsSort, NumericComparesValuesNotTexts) {
  Filled f(8, {"10", "9", "100", "-2.5"});
  f.Cells.Sort(0, stNumeric, false, false);
  EXPECT_EQ(f.Keys(), (Texts{"-2.5", "9", "10", "100"}));
  f.Cells.Sort(0, stAlphabetic, false, false);
  EXPECT_EQ(f.Keys(), (Texts{"-2.5", "10", "100", "9"}));
}

TEST(GridCellsSort, NumericOnIntegerAndFloatCells) {
  Filled ints(7, {"10", "-2", "3", "0"});
  ints.Cells.Sort(0, stNumeric, false, true);
  EXPECT_EQ(ints.Keys(), (Texts{"10", "3", "0", "-2"}));
  Filled floats(4, {"1.5", "-0.25", "1E20", "0"});
  floats.Cells.Sort(0, stNumeric, false, false);
  EXPECT_EQ(floats.Keys(), (Texts{"-0.25", "0", "1.5", "1E20"}));
}

TEST(GridCellsSort, DateComparesDateTimes) {
  Filled f(3, {"2020-01-01 18:00", "1999-12-31", "2020-01-01", ""});
  f.Cells.Sort(0, stDate, false, false);
  EXPECT_EQ(f.Keys(), (Texts{"1899-12-30", "1999-12-31", "2020-01-01", "2020-01-01 18:00:00"}));
}

TEST(GridCellsSort, IpAscendingPutsTheGreaterAddressFirst) {
  Filled f(8, {"10.0.0.2", "10.0.0.10", "9.0.0.1"});
  f.Cells.Sort(0, stIP, false, false);
  EXPECT_EQ(f.Keys(), (Texts{"10.0.0.10", "10.0.0.2", "9.0.0.1"}));
  f.Cells.Sort(0, stIP, true, true);
  EXPECT_EQ(f.Keys(), (Texts{"9.0.0.1", "10.0.0.2", "10.0.0.10"}));
}

TEST(GridCellsSort, IpComparesTheFourthNumberFirst) {
  // Other characters are skipped; an empty text reads as 0.0.0.0.
  Filled f(8, {"4.3.2.1", "1.2.3.4", "", "x1.1.1.2 "});
  f.Cells.Sort(0, stIP, false, false);
  EXPECT_EQ(f.Keys(), (Texts{"1.2.3.4", "x1.1.1.2 ", "4.3.2.1", ""}));
}

TEST(GridCellsSort, CustomAsksTheHandlerWithBothCellsAndTheirPositions) {
  Filled f(8, {"ccc", "a", "bb", "dddd"});
  std::set<int> rowsSeen;
  bool startedAtZero = true;
  f.Cells.OnCompare = [&](const TCellRef& a, const TCellRef& b, int& compare) {
    startedAtZero = startedAtZero && compare == 0;
    EXPECT_EQ(a.Col(), 0);
    EXPECT_EQ(&a.Cell(), &f.Cells.GetCell(0, a.Row()).Cell()) << "the position is the cell's own";
    rowsSeen.insert(a.Row());
    rowsSeen.insert(b.Row());
    compare = static_cast<int>(a.AsString().size()) - static_cast<int>(b.AsString().size());
  };
  f.Cells.Sort(0, stCustom, false, false);
  EXPECT_TRUE(startedAtZero);
  EXPECT_EQ(rowsSeen, (std::set<int>{0, 1, 2, 3}));
  EXPECT_EQ(f.Keys(), (Texts{"a", "bb", "ccc", "dddd"}));
  f.Cells.Sort(0, stCustom, true, true);
  EXPECT_EQ(f.Keys(), (Texts{"dddd", "ccc", "bb", "a"}));
}

TEST(GridCellsSort, CustomWithoutHandlerKeepsTheRowsAndMarksSorted) {
  Filled f(8, {"c", "a", "b"});
  f.Cells.Sort(0, stCustom, false, false);
  EXPECT_EQ(f.Keys(), (Texts{"c", "a", "b"}));
  EXPECT_TRUE(f.Cells.IsSorted());
}

TEST(GridCellsSort, InconsistentCustomHandlerStillGivesAPermutation) {
  Filled f(8, Texts(200, "x"));
  std::mt19937 rng(7);
  f.Cells.OnCompare = [&](const TCellRef&, const TCellRef&, int& compare) { compare = int(rng() % 3) - 1; };
  const std::vector<TRow*> before = RowOrder(f.Cells);
  f.Cells.Sort(0, stCustom, false, false);
  std::vector<TRow*> after = RowOrder(f.Cells);
  std::sort(after.begin(), after.end());
  std::vector<TRow*> sortedBefore = before;
  std::sort(sortedBefore.begin(), sortedBefore.end());
  EXPECT_EQ(after, sortedBefore);
}

TEST(GridCellsSort, FlippingASortedColumnReversesRowsEqualKeysToo) {
  Filled f(7, {"2", "1", "1", "2", "1"});
  f.Cells.Sort(0, stNumeric, false, false);
  const std::vector<TRow*> ascending = RowOrder(f.Cells);
  f.Cells.Sort(0, stNumeric, false, true);
  std::vector<TRow*> expected(ascending.rbegin(), ascending.rend());
  EXPECT_EQ(RowOrder(f.Cells), expected);
  EXPECT_TRUE(f.Cells.SortDescending());
  f.Cells.Sort(0, stNumeric, false, false);
  EXPECT_EQ(RowOrder(f.Cells), ascending);
}

TEST(GridCellsSort, ReversalOnlyWhenSortedByThatColumnTypeAndOtherDirection) {
  // A handler that changes its mind tells a reversal from a real sort.
  Filled f(8, {"a", "b", "c", "d"});
  bool byLetter = true;
  f.Cells.OnCompare = [&](const TCellRef& a, const TCellRef& b, int& compare) {
    int x = f.Cells.GetCell(1, a.Row()).AsInteger(), y = f.Cells.GetCell(1, b.Row()).AsInteger();
    if (!byLetter) x = (x % 2) * 10 + x, y = (y % 2) * 10 + y;  // evens first: 0 2 1 3
    compare = x - y;
  };
  f.Cells.Sort(0, stCustom, false, false);
  byLetter = false;
  f.Cells.Sort(0, stCustom, false, true);  // flip: reversal, the handler is not asked
  EXPECT_EQ(f.Keys(), (Texts{"d", "c", "b", "a"}));
  f.Cells.Sort(0, stCustom, true, false);  // full resort by the new sense
  EXPECT_EQ(f.Keys(), (Texts{"a", "c", "b", "d"}));
  f.Cells.Sort(0, stCustom, true, true);  // full resort, descending
  EXPECT_EQ(f.Keys(), (Texts{"d", "b", "c", "a"}));

  // Same direction again: a real sort, not a reversal.
  Filled g(7, {"3", "1", "2"});
  g.Cells.Sort(0, stNumeric, false, false);
  g.Cells.Sort(0, stNumeric, false, false);
  EXPECT_EQ(g.Keys(), (Texts{"1", "2", "3"}));
  // Another sort type on the same column is a real sort too.
  Filled h(8, {"10", "9", "100"});
  h.Cells.Sort(0, stAlphabetic, false, false);  // 10 100 9
  h.Cells.Sort(0, stNumeric, false, true);
  EXPECT_EQ(h.Keys(), (Texts{"100", "10", "9"}));
}

TEST(GridCellsSort, ZeroOrOneRowChangesNothingAndMarksSorted) {
  GridFixture g;
  g.AddKind(8);
  g.Cells.Sort(0, stAlphabetic, false, true);
  EXPECT_TRUE(g.Cells.IsSorted());
  EXPECT_EQ(g.Cells.SortedColumn(), 0);
  EXPECT_TRUE(g.Cells.SortDescending());
  g.Cells.AddRows(1);
  g.Cells.GetCell(0, 0).SetAsString("x");
  TRow* only = &g.Cells.GetRow(0);
  g.Cells.Sort(0, stNumeric, false, false);  // "x" is no number, but nothing is compared
  EXPECT_TRUE(g.Cells.IsSorted());
  g.Cells.Sort(0, stNumeric, false, true);
  EXPECT_EQ(&g.Cells.GetRow(0), only);
}

// A key that does not convert leaves the rows as they were.
TEST(GridCellsSort, KeyThatFailsToConvertLeavesRowsAndState) {
  struct Bad { TSortType type; Texts texts; };
  const std::vector<Bad> bad = {
      {stNumeric, {"3", "2", "x", "1"}},
      {stDate, {"2020-01-01", "1999-01-01", "soon", ""}},
      {stBoolean, {"True", "False", "yes", "0"}},
      {stIP, {"10.0.0.1", "1..2", "9.0.0.1", "1.1.1.1"}},
  };
  for (const Bad& b : bad) {
    Filled f(8, b.texts);
    f.Cells.Sort(1, stNumeric, false, true);  // sorted by the id column, descending
    const std::vector<TRow*> before = RowOrder(f.Cells);
    const Texts keys = f.Keys();
    EXPECT_THROW(f.Cells.Sort(0, b.type, false, false), EConvertError) << int(b.type);
    EXPECT_EQ(RowOrder(f.Cells), before) << int(b.type);
    EXPECT_EQ(f.Keys(), keys);
    EXPECT_TRUE(f.Cells.IsSorted());
    EXPECT_EQ(f.Cells.SortedColumn(), 1);
    EXPECT_TRUE(f.Cells.SortDescending());
  }
}

TEST(GridCellsSort, HandlerThatRemovesRowsStopsTheSort) {
  Filled f(8, {"c", "a", "b", "d"});
  f.Cells.OnCompare = [&](const TCellRef&, const TCellRef&, int& compare) {
    if (f.Cells.RowCount() > 2) f.Cells.DeleteRow(0);
    compare = 1;
  };
  EXPECT_THROW(f.Cells.Sort(0, stCustom, false, false), EListError);
  EXPECT_EQ(f.Keys(), (Texts{"a", "b", "d"})) << "only the handler's own deletion";
}

TEST(GridCellsSort, ThrowingCompareHandlerLeavesRows) {
  Filled f(8, {"c", "a", "b"});
  f.Cells.OnCompare = [](const TCellRef&, const TCellRef&, int&) { throw std::runtime_error("stop"); };
  const std::vector<TRow*> before = RowOrder(f.Cells);
  EXPECT_THROW(f.Cells.Sort(0, stCustom, false, false), std::runtime_error);
  EXPECT_EQ(RowOrder(f.Cells), before);
  EXPECT_FALSE(f.Cells.IsSorted());
}

// ---- 10,000 random rows -------------------------------------------------------

struct RandomRows {
  GridFixture g;
  struct Values { int i; std::string s; double f; bool b; };
  std::map<const TRow*, Values> byRow;

  explicit RandomRows(int n, unsigned seed) {
    g.AddKind(7);
    g.AddKind(8);
    g.AddKind(4);
    g.AddColumn<TCfCheckBoxColumn>();
    g.Cells.AddRows(n);
    std::mt19937 rng(seed);
    for (int r = 0; r < n; ++r) {
      Values v;
      v.i = static_cast<int>(rng() % 2000) - 1000;  // many equal keys
      for (int k = 1 + static_cast<int>(rng() % 6); k > 0; --k) {
        int c = static_cast<int>(rng() % 30);
        v.s += c < 26 ? static_cast<char>((rng() % 2 ? 'a' : 'A') + c) : "_[~0"[c - 26];
      }
      v.f = std::ldexp(static_cast<double>(rng() % 100000) - 50000, -static_cast<int>(rng() % 8));
      v.b = rng() % 2;
      g.Cells.GetCell(0, r).SetAsInteger(v.i);
      g.Cells.GetCell(1, r).SetAsString(v.s);
      g.Cells.GetCell(2, r).SetAsFloat(v.f);
      g.Cells.GetCell(3, r).SetAsBoolean(v.b);
      byRow[&g.Cells.GetRow(r)] = v;
    }
  }

  // Every row is a row from before, each once, with all four of its values.
  void ExpectPermutationWithRowsIntact() {
    std::set<const TRow*> seen;
    for (int r = 0; r < g.Cells.RowCount(); ++r) {
      const TRow* row = &g.Cells.GetRow(r);
      ASSERT_TRUE(byRow.count(row)) << r;
      ASSERT_TRUE(seen.insert(row).second) << "row twice at " << r;
      const Values& v = byRow[row];
      ASSERT_EQ(g.Cells.GetCell(0, r).AsInteger(), v.i) << r;
      ASSERT_EQ(g.Cells.GetCell(1, r).AsString(), v.s) << r;
      ASSERT_EQ(g.Cells.GetCell(2, r).AsFloat(), v.f) << r;
      ASSERT_EQ(g.Cells.GetCell(3, r).AsBoolean(), v.b) << r;
    }
    EXPECT_EQ(seen.size(), byRow.size());
  }

  template <class Key>
  void ExpectSortedBy(Key key, bool descending) {
    for (int r = 1; r < g.Cells.RowCount(); ++r) {
      auto a = key(byRow[&g.Cells.GetRow(r - 1)]);
      auto b = key(byRow[&g.Cells.GetRow(r)]);
      ASSERT_TRUE(descending ? !(a < b) : !(b < a)) << "rows " << r - 1 << " and " << r;
    }
  }
};

TEST(GridCellsSortRandom, TenThousandRowsEveryTypeBothDirections) {
  RandomRows t(10000, 12345);
  auto lower = [](std::string s) {
    for (auto& c : s)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
  };
  for (bool desc : {false, true}) {
    SCOPED_TRACE(desc ? "descending" : "ascending");
    t.g.Cells.Sort(0, stNumeric, false, desc);
    t.ExpectPermutationWithRowsIntact();
    t.ExpectSortedBy([](const RandomRows::Values& v) { return v.i; }, desc);

    t.g.Cells.Sort(1, stAlphabetic, false, desc);
    t.ExpectPermutationWithRowsIntact();
    t.ExpectSortedBy([](const RandomRows::Values& v) { return v.s; }, desc);

    t.g.Cells.Sort(1, stCaseInsensitive, false, desc);
    t.ExpectPermutationWithRowsIntact();
    t.ExpectSortedBy([&](const RandomRows::Values& v) { return lower(v.s); }, desc);

    t.g.Cells.Sort(2, stNumeric, false, desc);
    t.ExpectPermutationWithRowsIntact();
    t.ExpectSortedBy([](const RandomRows::Values& v) { return v.f; }, desc);

    t.g.Cells.Sort(3, stBoolean, false, desc);
    t.ExpectPermutationWithRowsIntact();
    t.ExpectSortedBy([](const RandomRows::Values& v) { return v.b; }, desc);

    t.g.Cells.Sort(0, stAlphabetic, false, desc);
    t.ExpectPermutationWithRowsIntact();
    t.ExpectSortedBy([](const RandomRows::Values& v) { return celltext::IntToText(v.i); }, desc);
  }
}

TEST(GridCellsSortRandom, TenThousandRowsFlipIsAnExactReversal) {
  RandomRows t(10000, 777);
  t.g.Cells.Sort(1, stCaseInsensitive, false, false);
  const std::vector<TRow*> ascending = RowOrder(t.g.Cells);
  t.g.Cells.Sort(1, stCaseInsensitive, false, true);
  EXPECT_EQ(RowOrder(t.g.Cells), std::vector<TRow*>(ascending.rbegin(), ascending.rend()));
  t.ExpectPermutationWithRowsIntact();
}

}  // namespace

namespace {

// A refill lays the rows out in memory order first: each row keeps its own
// cells, the rows then lie at rising addresses, and the store no longer
// claims the old sort. A tree keeps its order, which its levels depend on.
TEST(GridCellsSort, RowsLaidInMemoryOrderKeepTheirCells) {
  Filled f(8, {"d", "b", "e", "a", "c", "f"});
  f.Cells.Sort(0, stAlphabetic, false, true);  // descending: rows move about
  std::map<const TRow*, std::pair<std::string, std::string>> before;
  for (int r = 0; r < f.Cells.RowCount(); ++r)
    before[&f.Cells.GetRow(r)] = {f.Keys()[static_cast<size_t>(r)], f.Ids()[static_cast<size_t>(r)]};
  f.Cells.LayRowsInMemoryOrder();
  EXPECT_FALSE(f.Cells.IsSorted());
  const auto rows = RowOrder(f.Cells);
  EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), std::less<const TRow*>()));
  for (int r = 0; r < f.Cells.RowCount(); ++r)
    EXPECT_EQ(before.at(rows[static_cast<size_t>(r)]),
              std::make_pair(f.Keys()[static_cast<size_t>(r)], f.Ids()[static_cast<size_t>(r)]))
        << r;

  GridFixture tree;
  tree.AddKind(8);
  tree.Cells.AddRows(2);
  tree.Cells.AddChildRow(1, 2);
  tree.Cells.AddChildRow(0, 1);
  tree.Cells.ExchangeRows(0, 2);  // breaks nothing the store checks, and is not memory order
  const auto treeRows = RowOrder(tree.Cells);
  tree.Cells.LayRowsInMemoryOrder();
  EXPECT_EQ(RowOrder(tree.Cells), treeRows);
}

}  // namespace

namespace {

// Service names often share their first eight bytes or more ("Sky Sport
// News", "Sky Sport Action", "Service 120 HD"): such texts still sort by
// their whole text, case-blind or not, equal texts keeping their order, in
// both directions.
TEST(GridCellsSortRandom, TextsSharingLongBeginningsSortByTheirWholeText) {
  std::mt19937 rng(4242);
  const std::vector<std::string> starts = {"", "Service ", "Sky Sport ", "SKY SPORT ", "sky sports news ", "abcdefgh"};
  Texts texts;
  for (int i = 0; i < 6000; ++i) {
    std::string t = starts[rng() % starts.size()];
    for (int k = static_cast<int>(rng() % 14); k > 0; --k) t += "aAbB0 9_\x01"[rng() % 9];
    texts.push_back(t);
  }
  for (TSortType type : {stAlphabetic, stCaseInsensitive})
    for (bool desc : {false, true}) {
      SCOPED_TRACE(std::string(type == stAlphabetic ? "alphabetic" : "case-blind") + (desc ? " descending" : ""));
      Filled f(8, texts);
      f.Cells.Sort(0, type, false, desc);
      std::vector<int> expected(texts.size());
      for (size_t i = 0; i < expected.size(); ++i) expected[i] = static_cast<int>(i);
      std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
        const std::string& x = texts[static_cast<size_t>(a)];
        const std::string& y = texts[static_cast<size_t>(b)];
        const int c = type == stAlphabetic ? cellsort::CompareCodeUnits(x, y) : cellsort::CompareCodeUnitsFolded(x, y);
        return desc ? c > 0 : c < 0;
      });
      Texts expectedIds;
      for (int i : expected) expectedIds.push_back(std::to_string(i));
      EXPECT_EQ(f.Ids(), expectedIds);
    }
}

// Many rows scattered by a sort are laid out by address again, each with
// its own cells.
TEST(GridCellsSort, ManyRowsLaidInMemoryOrderKeepTheirCells) {
  Texts texts;
  for (int i = 0; i < 5000; ++i) texts.push_back(std::to_string((i * 7919) % 5000));
  Filled f(8, texts);
  f.Cells.Sort(0, stAlphabetic, false, false);
  std::map<const TRow*, std::string> idOf;
  for (int r = 0; r < f.Cells.RowCount(); ++r) idOf[&f.Cells.GetRow(r)] = f.Ids()[static_cast<size_t>(r)];
  f.Cells.LayRowsInMemoryOrder();
  const auto rows = RowOrder(f.Cells);
  EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), std::less<const TRow*>()));
  const Texts ids = f.Ids();
  const Texts keys = f.Keys();
  for (int r = 0; r < f.Cells.RowCount(); ++r) {
    ASSERT_EQ(ids[static_cast<size_t>(r)], idOf.at(rows[static_cast<size_t>(r)])) << r;
    ASSERT_EQ(keys[static_cast<size_t>(r)], texts[static_cast<size_t>(std::stoi(ids[static_cast<size_t>(r)]))]) << r;
  }
}

}  // namespace
