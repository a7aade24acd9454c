// Random row operations on a real grid against a plain reference of
// records: rows, marks, levels, what is displayed and the current row agree
// after every step, the displayed-row indexes stay valid, and the control's
// pixels equal a fresh paint.

#include <algorithm>
#include <random>

#include "GridInputFixture.h"
#include "platform/Canvas.h"

using namespace cf;

namespace {

struct Rec {
  int id = 0;
  int level = 0;
  int parent = -1;  // id
  int children = 0;
  bool expanded = true;
  bool visible = true;
  bool shown = true;
  bool selected = false;
  bool Displayed() const { return visible && shown; }
};

// What the grid promises, written as plainly as possible.
struct Reference {
  std::vector<Rec> rows;
  int current = -1, anchor = -1;
  bool marked = false;
  int nextId = 0;

  int Count() const { return static_cast<int>(rows.size()); }
  int Descendants(int i) const {
    int j = i + 1;
    while (j < Count() && rows[j].level > rows[i].level) ++j;
    return j - i - 1;
  }
  int IndexOf(int id) const {
    for (int i = 0; i < Count(); ++i)
      if (rows[i].id == id) return i;
    return -1;
  }
  // SelectCell without modifiers, marks may be cleared (full-row multi-select).
  void Select(int row) {
    if (marked) {
      for (Rec& r : rows) r.selected = false;
      marked = false;
      current = -1;
    }
    const int old = current;
    current = row;
    if (old != row && !marked && old >= 0 && old < Count()) rows[old].selected = false;
    if (row >= 0 && row < Count()) rows[row].selected = true;
    anchor = row;
  }
  void CtrlSelect(int row) {
    current = row;
    anchor = row;
    marked = true;
    rows[row].selected = !rows[row].selected;
  }
  void Add() { rows.push_back(Rec{nextId++}); }
  void Insert(int i) {
    rows.insert(rows.begin() + i, Rec{nextId++});
    if (anchor >= i) ++anchor;
    Select(current + 1);
  }
  // Deletes the flagged rows the way DeleteRow on each does.
  void Delete(const std::vector<bool>& doomed) {
    const int n = Count();
    const bool gone = current >= 0 && current < n && doomed[current];
    int keepCurrent = -1;  // id
    if (current >= 0 && current < n && !gone) keepCurrent = rows[current].id;
    if (gone) {
      for (int r = current + 1; r < n && keepCurrent < 0; ++r)
        if (!doomed[r] && rows[r].Displayed()) keepCurrent = rows[r].id;
      for (int r = current - 1; r >= 0 && keepCurrent < 0; --r)
        if (!doomed[r] && rows[r].Displayed()) keepCurrent = rows[r].id;
    }
    int keepAnchor = anchor >= 0 && anchor < n && !doomed[anchor] ? rows[anchor].id : -2;
    for (int r = 0; r < n; ++r)
      if (doomed[r] && rows[r].parent >= 0) {
        const int p = IndexOf(rows[r].parent);
        if (p >= 0) --rows[p].children;
      }
    std::vector<Rec> kept;
    for (int r = 0; r < n; ++r)
      if (!doomed[r]) kept.push_back(rows[r]);
    rows = kept;
    for (Rec& r : rows)
      if (r.parent >= 0 && IndexOf(r.parent) < 0) r.parent = -1;
    current = keepCurrent >= 0 ? IndexOf(keepCurrent) : -1;
    anchor = keepAnchor >= 0 ? IndexOf(keepAnchor) : current;
    if (gone && current >= 0 && !marked) rows[current].selected = true;
    if (rows.empty()) marked = false;
  }
  void DeleteRow(int i) {
    std::vector<bool> doomed(rows.size(), false);
    for (int k = i; k <= i + Descendants(i); ++k) doomed[k] = true;
    Delete(doomed);
  }
  void DeleteMarked() {
    std::vector<bool> doomed(rows.size(), false);
    for (int r = 0; r < Count(); ++r)
      if (rows[r].selected)
        for (int k = r; k <= r + Descendants(r); ++k) doomed[k] = true;
    if (std::find(doomed.begin(), doomed.end(), true) != doomed.end()) Delete(doomed);
  }
  static int Follow(int row, int from, int to) {
    if (row == from) return to;
    if (from < to && row > from && row <= to) return row - 1;
    if (from > to && row >= to && row < from) return row + 1;
    return row;
  }
  void Move(int from, int to) {
    if (from == to) return;
    Rec r = rows[from];
    rows.erase(rows.begin() + from);
    rows.insert(rows.begin() + to, r);
    current = Follow(current, from, to);
    anchor = Follow(anchor, from, to);
  }
  void Exchange(int a, int b) { std::swap(rows[a], rows[b]); }
  int AddChild(int i, bool after) {
    const int pos = after ? i + Descendants(i) + 1 : i + 1;
    Rec r{nextId++, rows[i].level + 1, rows[i].id};
    r.shown = rows[i].expanded;
    ++rows[i].children;
    rows.insert(rows.begin() + pos, r);
    if (current >= pos) ++current;
    if (anchor >= pos) ++anchor;
    return pos;
  }
  void Expand(int i, bool value) {
    if (rows[i].children == 0 || rows[i].expanded == value) return;
    for (int r = i + 1; r < Count() && rows[r].level > rows[i].level; ++r) {
      if (value) {
        rows[r].shown = true;
        if (!rows[r].expanded && rows[r].children > 0) r += Descendants(r);
      } else {
        rows[r].shown = false;
      }
    }
    rows[i].expanded = value;
  }
  void Sort(bool ascending) {
    const int cur = current >= 0 && current < Count() ? rows[current].id : -1;
    const int anc = anchor >= 0 && anchor < Count() ? rows[anchor].id : -1;
    auto text = [](const Rec& r) { return "n" + std::to_string(r.id); };
    std::stable_sort(rows.begin(), rows.end(), [&](const Rec& a, const Rec& b) {
      return ascending ? text(a) < text(b) : text(a) > text(b);
    });
    if (cur >= 0) current = IndexOf(cur);
    if (anc >= 0) anchor = IndexOf(anc);
  }
};

}  // namespace

TEST_F(GridInput, RandomRowOperationsAgreeWithTheReference) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    NewGrid();
    Grid->SetOptions(goHeader | goGrid | goIndicator | goSelectFullRow | goMultiSelect);
    Grid->SetFocusOverride(1);
    Columns({90, 90});
    Grid->Columns().Add<TCfTreeColumn>()->SetWidth(60);
    Reference ref;
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto label = [](int id) { return "n" + std::to_string(id); };
    for (int i = 0; i < 12; ++i) {
      ref.Add();
      Grid->SetCells(0, Grid->AddRow(), label(ref.rows.back().id));
    }
    std::string history;
    for (int step = 0; step < 250; ++step) {
      const int n = ref.Count();
      const int op = pick(n == 0 ? 2 : 13);
      switch (op) {
        case 0:
        case 1: {
          ref.Add();
          Grid->SetCells(0, Grid->AddRow(), label(ref.rows.back().id));
          history += " add";
          break;
        }
        case 2: {
          const int i = pick(n);
          ref.Insert(i);
          Grid->InsertRow(i);
          Grid->SetCells(0, i, label(ref.rows[i].id));
          history += " insert" + std::to_string(i);
          break;
        }
        case 3: {
          const int i = pick(n);
          ref.DeleteRow(i);
          Grid->DeleteRow(i);
          history += " delete" + std::to_string(i);
          break;
        }
        case 4:
          ref.DeleteMarked();
          Grid->DeleteSelectedRows();
          history += " deleteMarked";
          break;
        case 5: {
          const int a = pick(n), b = pick(n);
          ref.Move(a, b);
          Grid->MoveRow(a, b);
          history += " move" + std::to_string(a) + ">" + std::to_string(b);
          break;
        }
        case 6: {
          const int a = pick(n), b = pick(n);
          ref.Exchange(a, b);
          Grid->ExchangeRows(a, b);
          history += " exchange" + std::to_string(a) + "," + std::to_string(b);
          break;
        }
        case 7: {
          const int i = pick(n);
          const bool after = pick(2) == 1;
          const int pos = ref.AddChild(i, after);
          EXPECT_EQ(Grid->AddChildRow(i, after), pos);
          Grid->SetCells(0, pos, label(ref.rows[pos].id));
          history += " child" + std::to_string(i);
          break;
        }
        case 8: {
          const int i = pick(n);
          const bool v = pick(2) == 1;
          ref.Expand(i, v);
          Grid->SetExpanded(i, v);
          history += (v ? " expand" : " collapse") + std::to_string(i);
          break;
        }
        case 9: {
          const bool asc = pick(2) == 1;
          ref.Sort(asc);
          Grid->SortColumn(0, asc);
          history += asc ? " sortUp" : " sortDown";
          break;
        }
        case 10: {
          const int i = pick(n);
          const bool v = pick(3) != 0;
          ref.rows[i].visible = v;
          Grid->SetRowVisible(i, v);
          history += (v ? " show" : " hide") + std::to_string(i);
          break;
        }
        case 11: {
          const int i = pick(n);
          ref.CtrlSelect(i);
          Grid->SelectCell(0, i, ssCtrl);
          history += " ctrl" + std::to_string(i);
          break;
        }
        case 12: {
          const int i = pick(n);
          ref.Select(i);
          Grid->SelectCell(0, i);
          history += " select" + std::to_string(i);
          break;
        }
      }
      ASSERT_EQ(Grid->RowCount(), ref.Count()) << "seed " << seed << history;
      int first = -1, last = -1;
      for (int r = 0; r < ref.Count(); ++r) {
        ASSERT_EQ(Grid->Cells(0, r), label(ref.rows[r].id)) << "seed " << seed << history;
        ASSERT_EQ(Grid->Selected(r), ref.rows[r].selected) << "row " << r << " seed " << seed << history;
        ASSERT_EQ(Grid->Level(r), ref.rows[r].level) << "seed " << seed << history;
        ASSERT_EQ(Grid->RowVisible(r), ref.rows[r].Displayed()) << "row " << r << " seed " << seed << history;
        if (ref.rows[r].Displayed()) {
          if (first < 0) first = r;
          last = r;
        }
      }
      ASSERT_EQ(Grid->SelectedRow(), ref.current) << "seed " << seed << history;
      ASSERT_EQ(Grid->AnchorRow(), ref.anchor) << "seed " << seed << history;
      ASSERT_EQ(Grid->GetFirstRow(), std::max(first, 0)) << "seed " << seed << history;
      ASSERT_EQ(Grid->GetLastRow(), std::max(last, 0)) << "seed " << seed << history;
      ASSERT_GE(Grid->FirstRow(), 0);
      ASSERT_LE(Grid->FirstRow(), std::max(0, ref.Count() - 1)) << "seed " << seed << history;
      if (step % 25 == 24) {
        Grid->Render();
        const TPoint o = Grid->ClientOffset();
        const QImage buffer = Grid->BackBuffer().copy(o.X, o.Y, Grid->ClientWidth(), Grid->ClientHeight());
        QImage fresh(Grid->ClientWidth(), Grid->ClientHeight(), QImage::Format_RGB32);
        TCanvas canvas(&fresh);
        canvas.Font = Grid->Font;
        canvas.Brush.Color = Grid->Color;
        Grid->Paint(canvas);
        ASSERT_TRUE(buffer == fresh.convertToFormat(buffer.format())) << "seed " << seed << history;
      }
    }
  }
}
