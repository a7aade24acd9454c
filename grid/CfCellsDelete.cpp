#include <cstddef>
#include <unordered_set>

#include "grid/CfCells.h"

void TCells::DeleteRows(const std::vector<std::uint8_t>& Doomed) {
  const std::size_t n = FRows.size();
  if (Doomed.size() != n) throw EListError("List index out of bounds (" + std::to_string(Doomed.size()) + ")");
  // Parents that stay lose the children that go; children that stay lose a
  // parent that goes, so that no row points at a freed one.
  std::unordered_set<const TRow*> goneParents;
  for (std::size_t i = 0; i < n; ++i) {
    TRow* row = FRows[i];
    if (!Doomed[i]) continue;
    if (row->ParentRow) row->ParentRow->ChildCount -= 1;
    if (row->ChildCount > 0) goneParents.insert(row);
  }
  if (!goneParents.empty())
    for (std::size_t i = 0; i < n; ++i)
      if (!Doomed[i] && FRows[i]->ParentRow && goneParents.count(FRows[i]->ParentRow)) FRows[i]->ParentRow = nullptr;
  std::size_t kept = 0;
  int shownGone = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (Doomed[i]) {
      if (FRows[i]->Displayed()) ++shownGone;
      DestroyRow(i);
      continue;
    }
    if (kept != i) {
      FRows[kept] = FRows[i];
      for (auto& list : FColumnLists) list[kept] = list[i];
    }
    ++kept;
  }
  FRows.resize(kept);
  for (auto& list : FColumnLists) list.resize(kept);
  FShownRowCount -= shownGone;
}
