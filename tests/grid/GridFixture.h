#pragma once
// A cell store wired to its column collection the way the grid wires them.

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "grid/CfCells.h"
#include "grid/CfColumnClasses.h"
#include "grid/CfColumns.h"

// A column of any data kind (the system's own classes use only 1, 4, 7, 8).
class TKindColumn : public TCfCustomColumn {
 public:
  explicit TKindColumn(std::uint8_t kind = 8) { SetKind(kind); }
};

// A column that keeps the text of its virtual cells itself.
class TVirtualTextColumn : public TCfCustomColumn {
 public:
  TVirtualTextColumn() { SetKind(11); }
  std::string GetVirtualText(int ACol, int ARow) const override {
    auto it = Texts.find({ACol, ARow});
    return it == Texts.end() ? std::string() : it->second;
  }
  void SetVirtualText(int ACol, int ARow, const std::string& text) override { Texts[{ACol, ARow}] = text; }
  std::map<std::pair<int, int>, std::string> Texts;
};

struct GridFixture {
  TCfColumns Columns;
  TCells Cells{nullptr, &Columns};

  GridFixture() {
    Columns.OnColumnsChange = [this](int kind, int index) { Cells.ColumnChanged(kind, index); };
  }

  template <class T>
  T* AddColumn() {
    return Columns.Add<T>();
  }
  TCfCustomColumn* AddKind(std::uint8_t kind) { return Columns.Add(std::make_unique<TKindColumn>(kind)); }
};
