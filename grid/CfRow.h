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
  bool Shown = true;             // False inside a collapsed branch
  bool Visible = true;           // the row's own visibility

  // A row is displayed when it is both visible and shown.
  bool Displayed() const { return Visible && Shown; }
};
