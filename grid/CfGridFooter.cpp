// Footer values of the formula columns.

#include <algorithm>
#include <optional>
#include <set>

#include "grid/CellText.h"
#include "grid/CfGrid.h"
#include "platform/SameText.h"

using namespace cf;

namespace {
std::string FoldCase(const std::string& text) {
  std::string folded = text;
  for (char& ch : folded) ch = AsciiLower(ch);
  return folded;
}
}  // namespace

void TCfGrid::UpdateFooter(bool DisplayedOnly) {
  const int count = FCells->RowCount();
  auto counts = [&](int r) { return !DisplayedOnly || RowVisible(r); };
  ++FUpdateCount;  // captions are drawn together below
  for (int c = 0; c < FColumns->Count(); ++c) {
    TCfCustomColumn* column = FColumns->Item(c);
    TColumnFooter& footer = column->Footer();
    const TFormulaKind kind = footer.FormulaKind();
    if (kind == fkNone) continue;
    double value = 0;
    int counted = 0;
    if (kind == fkCustom) {
      if (OnColumnFooterValue) OnColumnFooterValue(this, c, value);
    } else if (kind == fkCount) {
      for (int r = 0; r < count; ++r)
        if (counts(r)) ++counted;
      value = counted;
    } else if (kind == fkDistinct) {
      std::set<std::string> seen;
      for (int r = 0; r < count; ++r)
        if (counts(r)) seen.insert(FoldCase(FCells->GetCell(c, r).AsString()));
      value = static_cast<double>(seen.size());
    } else {
      std::optional<double> best;
      double sum = 0;
      for (int r = 0; r < count; ++r) {
        if (!counts(r)) continue;
        double v;
        // A cell that does not read as a number is left out.
        try {
          v = FCells->GetCell(c, r).AsFloat();
        } catch (const std::exception&) {
          continue;
        }
        ++counted;
        sum += v;
        if (!best || (kind == fkMaximum ? v > *best : v < *best)) best = v;
      }
      switch (kind) {
        case fkSum: value = sum; break;
        case fkAverage: value = counted > 0 ? sum / counted : 0; break;
        default: value = best.value_or(0); break;
      }
    }
    if (OnFooterCalculate) OnFooterCalculate(this, c, value);
    footer.SetValue(value);
    footer.SetCaption(count == 0 ? std::string("0") : celltext::FloatToText(value));
  }
  LeaveQuietUpdate();
  RefreshArea(gaFooter);
}
