#pragma once
// The walk behind type-to-search and FindText: which rows are looked at, in
// which order, and what counts as a match. Kept apart from the control so
// that the order (and the wrap) reads in one place.

#include <string_view>

#include "platform/CaseFold.h"

// The first row that is shown and whose text begins with the search text
// (case-blind, whole characters), looking from First to the last row and
// then from row 0 up to First - 1; -1 when none does.
// Shown(row) -> bool, Text(row) -> something viewable as std::string_view.
template <class ShownFn, class TextFn>
int FindTextRow(int RowCount, int First, const cf::TCaseBlindPrefix& Prefix, ShownFn&& Shown, TextFn&& Text) {
  if (RowCount <= 0) return -1;
  if (First < 0) First = 0;
  if (First > RowCount) First = RowCount;
  auto matches = [&](int row) {
    if (!Shown(row)) return false;
    const auto& text = Text(row);
    return Prefix.Begins(std::string_view(text));
  };
  for (int row = First; row < RowCount; ++row)
    if (matches(row)) return row;
  for (int row = 0; row < First; ++row)
    if (matches(row)) return row;
  return -1;
}
