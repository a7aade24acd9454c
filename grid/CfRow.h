#pragma once
#include <cstdint>

// One record per grid row, kept in step with the cells of the row.
struct TRow {
  std::int32_t ChildCount = 0;   // direct child rows
  bool Expanded = true;          // the row's children are displayed
  std::int32_t RowTag = -1;      // handed to the column painter; the grid never changes it
  std::int32_t Level = 0;        // tree depth
  TRow* ParentRow = nullptr;     // not owned
  std::int32_t Height = 0;       // pixels
  bool Selected = false;         // multi-select mark

  // False inside a collapsed branch.
  bool Shown() const { return FShown; }
  // The row's own visibility.
  bool Visible() const { return FVisible; }
  // A row is displayed when it is both visible and shown.
  bool Displayed() const { return FVisible && FShown; }

 private:
  // Written only by the store (SetShown, SetVisible), which counts the
  // displayed rows as they change.
  friend class TCells;
  bool FShown = true;
  bool FVisible = true;
  // The store keeps a row and the cells it was made with in one block of
  // this many bytes; a cell outside it was made on its own.
  std::uint32_t FBlockBytes = 0;
};
