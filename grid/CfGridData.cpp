// TCfGrid: the cell store behind the control, cells, rows and marks.

#include <algorithm>
#include <string>

#include "grid/CfGrid.h"

using namespace cf;

TCfGrid::TCfGrid(QWidget* Owner) : TCfCustomGrid(Owner) {
  FCells = std::make_unique<TCells>(this, FColumns.get());
  FCells->SetDefaultRowHeight(FRowSize);
  FCells->OnCellChange = [this](int ACol, int ARow) { CellChanged(ACol, ARow); };
  FCells->OnCompare = [this](const TCellRef& a, const TCellRef& b, int& compare) {
    if (OnCompare) OnCompare(this, a, b, compare);
  };
}

TCfGrid::~TCfGrid() {
  FDestroying = true;
  // Columns go before the store they index, with no one listening.
  FColumns->OnColumnsChange = nullptr;
  FColumns->OnColumnNotify = nullptr;
  FColumns.reset();
  FCells.reset();
}

void TCfGrid::ColumnChanged(int Kind, int Index) {
  if (FCells) FCells->ColumnChanged(Kind, Index);
  TCfCustomGrid::ColumnChanged(Kind, Index);
}

// ---- cells -------------------------------------------------------------------------

TCellRef TCfGrid::Cell(int ACol, int ARow) { return FCells->GetCell(ACol, ARow); }

namespace {
[[noreturn]] void OutOfBounds(int ACol, int ARow) {
  throw ECellOutOfBounds("Cell out of bounds (" + std::to_string(ACol) + ", " + std::to_string(ARow) + ")");
}
}  // namespace

std::string TCfGrid::Cells(int ACol, int ARow) {
  if (ARow < 0 || ARow >= FCells->RowCount() || ACol < 0 || ACol >= FColumns->Count()) OutOfBounds(ACol, ARow);
  return FCells->GetCell(ACol, ARow).AsString();
}

void TCfGrid::SetCells(int ACol, int ARow, const std::string& Value) {
  if (ARow < 0 || ARow >= FCells->RowCount() || ACol < 0 || ACol >= FColumns->Count()) OutOfBounds(ACol, ARow);
  FCells->GetCell(ACol, ARow).SetAsString(Value);
}

void TCfGrid::CellChanged(int ACol, int ARow) {
  if (Updating()) return;
  RefreshCell(ACol, ARow);
  if (OnChange) OnChange(this, ACol, ARow);
}

// ---- rows --------------------------------------------------------------------------------

int TCfGrid::RowHeight(int ARow) {
  int height = FCells->GetRow(ARow).Height;
  if (OnMeasuringRowHeight) OnMeasuringRowHeight(this, ARow, height);
  return height;
}

void TCfGrid::SetRowHeight(int ARow, int Height) {
  TRow& row = FCells->GetRow(ARow);
  if (row.Height == Height) {
    TCfCustomGrid::SetRowHeight(ARow, Height);
    return;
  }
  const int old = RowHeight(ARow);
  int top = 0;
  const bool inPage = GetRowTop(ARow, top);
  row.Height = Height;
  InvalidatePage();
  TCfCustomGrid::SetRowHeight(ARow, Height);
  if (Updating() || FGridStyle == gsSlides) return;
  if (inPage) {
    // The rows below slide by the difference; the row itself is drawn anew.
    ScrollBodyFrom(top + F3DTopWidth + std::min(old, Height) + FHorzLineWidth, RowHeight(ARow) - old);
    RefreshRow(ARow);
  }
  UpdateVertScrollBar();
}

bool TCfGrid::RowVisible(int ARow) { return FCells->GetRow(ARow).Displayed(); }

void TCfGrid::SetRowVisible(int ARow, bool Shown) {
  TRow& row = FCells->GetRow(ARow);
  if (row.Visible() == Shown) return;
  const bool affects = !Updating() && RowAffectsPage(ARow);
  int oldTop = 0;
  const bool wasInPage = affects && GetRowTop(ARow, oldTop);
  const int height = FGridStyle == gsSlides ? FSlideSize : RowHeight(ARow);
  FCells->SetVisible(ARow, Shown);
  TCfCustomGrid::SetRowVisible(ARow, row.Displayed());
  if (Updating()) {
    InvalidatePage();
    return;
  }
  if (affects) {
    InvalidatePage();
    const int step = height + RowSeparator();
    if (!Shown && wasInPage) {
      ScrollBodyFrom(oldTop, -step);
    } else if (Shown) {
      int top;
      if (GetRowTop(ARow, top)) {
        ScrollBodyFrom(top, step);
        RefreshRow(ARow);
      }
    }
    RefreshArea(gaIndicator);
  }
  UpdateVertScrollBar();
}

bool TCfGrid::GetSelected(int ARow) { return FCells->GetRow(ARow).Selected; }

void TCfGrid::SetSelected(int ARow, bool Value) {
  if (ARow < 0 || ARow >= FCells->RowCount()) return;
  TRow& row = FCells->GetRow(ARow);
  if (row.Selected == Value) return;
  row.Selected = Value;
  RefreshRow(ARow);
}

void TCfGrid::SelectRange(int FromRow, int ToRow, bool Value) {
  const int count = FCells->RowCount();
  if (FromRow < 0 || FromRow >= count || ToRow < 0 || ToRow >= count || ToRow < FromRow) return;
  for (int r = FromRow; r <= ToRow; ++r) FCells->GetRow(r).Selected = Value;
  // One repaint for the part of the range that is on the page.
  RefreshRows(FromRow, ToRow);
}

int TCfGrid::Level(int ARow) { return FCells->GetRow(ARow).Level; }
bool TCfGrid::Expanded(int ARow) { return FCells->GetRow(ARow).Expanded; }

int TCfGrid::GetParentRow(int ARow) {
  if (ARow < 0 || ARow >= FCells->RowCount()) return -1;
  const TRow* parent = FCells->GetRow(ARow).ParentRow;
  return parent ? FCells->IndexOfRow(parent) : -1;
}

int TCfGrid::NextSibling(int ARow) {
  const int level = Level(ARow);
  for (int r = ARow + 1, n = FCells->RowCount(); r < n; ++r) {
    const int l = FCells->GetRow(r).Level;
    if (l == level) return r;
    if (l < level) return -1;
  }
  return -1;
}

void TCfGrid::SetRowSize(int Value) {
  if (Value <= 0) return;
  FCells->SetDefaultRowHeight(Value);
  TCfCustomGrid::SetRowSize(Value);
}

void TCfGrid::ApplyDefaultValues(int From, int To) {
  for (int c = 0; c < FColumns->Count(); ++c) {
    TCfCustomColumn* column = FColumns->Item(c);
    if (column->DefaultValue().empty()) continue;
    for (int r = From; r <= To; ++r) SetCells(c, r, column->DefaultValue());
  }
}

int TCfGrid::AddRow(int Count) {
  if (Count < 1) return FLastAddedRow;
  const bool defaults = HasOption(goUseDefaultValues);
  if (defaults) {
    // Every default is converted once before any row is added, so a value
    // its column cannot hold raises with the grid unchanged.
    for (int c = 0; c < FColumns->Count(); ++c) {
      TCfCustomColumn* column = FColumns->Item(c);
      if (column->DefaultValue().empty() || column->Kind() == 11) continue;
      MakeCell(column->Kind(), nullptr, column)->SetAsString(TCellAt{c, 0}, column->DefaultValue());
    }
  }
  const int before = FCells->RowCount();
  const bool affects = !Updating() && RowAffectsPage(before);
  FCells->AddRows(Count);
  if (affects) InvalidatePage();
  if (defaults) ApplyDefaultValues(before, FCells->RowCount() - 1);
  FLastAddedRow = FCells->RowCount() - 1;
  FLastShownRow = FLastAddedRow;
  if (!Updating()) {
    if (FGridLinesStyle == lsFramed && HasOption(goGrid) && FCells->RowCount() > 1 && before > 0)
      RefreshRow(before - 1);
    if (affects) RefreshRows(before, FLastAddedRow);
    UpdateVertScrollBar();
  }
  if (before == 0 && FCells->RowCount() > 0) RefreshAll();  // the empty caption goes
  if (OnDataChange) OnDataChange(this, dcRowAdded, FLastAddedRow);
  return FLastAddedRow;
}

void TCfGrid::AddRows(int Count) {
  FCells->AddRows(Count);
  FLastAddedRow = FCells->RowCount() - 1;
  FLastShownRow = FLastAddedRow;
  InvalidatePage();
  RefreshAll();
  UpdateVertScrollBar();
  UpdateHorzScrollBar();
}

void TCfGrid::ClearRows() {
  TCfCustomGrid::ClearRows();
  FCells->ClearRows();
  FFirstRow = FFirstShownRow = FLastShownRow = 0;
  FLastAddedRow = -1;
  InvalidatePage();
  VertScrollBar()->BeginUpdate();
  VertScrollBar()->SetPosition(0);
  VertScrollBar()->EndUpdate();
  RefreshAll();
  UpdateVertScrollBar();
  UpdateHorzScrollBar();
}

void TCfGrid::ExchangeRows(int A, int B) {
  FCells->ExchangeRows(A, B);
  RecountShownBounds();  // a hidden row may have changed places with a shown one
  InvalidatePage();
  if (Updating()) return;
  RefreshRow(A);
  RefreshRow(B);
}

// ---- painting side --------------------------------------------------------------------------

void TCfGrid::GetCellInfo(int ACol, int ARow, TVirtualColElement& Element) {
  TCellRef cell = FCells->GetCell(ACol, ARow);
  TCfCustomColumn* column = FColumns->Item(ACol);
  Element.Col = ACol;
  Element.Row = ARow;
  Element.RowTag = FCells->GetRow(ARow).RowTag;
  // Painting never raises: a value that does not convert shows as empty.
  try {
    switch (column->Kind()) {
      case 0: Element.IntValue = ARow; break;
      case 1: Element.BoolValue = cell.AsBoolean(); break;
      case 3: Element.DateTimeValue = cell.AsDateTime(); break;
      case 4: Element.FloatValue = cell.AsFloat(); break;
      case 7: Element.IntValue = cell.AsInteger(); break;
      default: Element.StrValue = cell.AsString(); break;
    }
  } catch (const std::exception&) {
    Element.IntValue = -1;
  }
  if (column->GetDisplayClass() == TColumnDisplayClass::Strings && column->Kind() != 7) {
    // A strings cell picks its image by the number its text holds.
    Element.IntValue = -1;
    try {
      Element.IntValue = cell.AsInteger();
    } catch (const std::exception&) {
      Element.IntValue = -1;
    }
  }
}

void TCfGrid::GetDrawText(int ACol, int ARow, std::string& Text) {
  TCfCustomColumn* column = FColumns->Item(ACol);
  TCellInfo info;
  info.Col = ACol;
  info.Row = ARow;
  try {
    TCellRef cell = FCells->GetCell(ACol, ARow);
    info.Text = cell.AsString();
    if (column->GetDisplayClass() == TColumnDisplayClass::Number) info.Value = cell.AsFloat();
    Text = column->GetDrawText(info);
  } catch (const std::exception&) {
    Text = info.Text;
  }
  if (OnApplyCell) OnApplyCell(this, ACol, ARow, Text);
}

void TCfGrid::GetHintText(int ACol, int ARow, std::string& Text) { GetCellHint(ACol, ARow, Text); }

void TCfGrid::GetCellHint(int ACol, int ARow, std::string& Value) {
  Value = FCells->GetCell(ACol, ARow).Hint();
  if (OnCellHint) OnCellHint(this, ACol, ARow, Value);
}

TColor TCfGrid::GetCellColor(int ACol, int ARow) {
  if (ACol < 0 || ACol >= FColumns->Count() || ARow < 0 || ARow >= FCells->RowCount()) return Color;
  if (FColumns->Item(ACol)->ParentCellColor()) return Color;
  return FCells->GetCell(ACol, ARow).Color();
}

bool TCfGrid::FormatCell(int ACol, int ARow, TCellState CellState) {
  TCfCustomGrid::FormatCell(ACol, ARow, CellState);
  TFontStyles style = FCells->GetCell(ACol, ARow).FontStyle();
  if (CellState & csBoldText) style |= fsBold;
  TColor color = FCanvas->Font.Color;
  if (OnCellFormating) OnCellFormating(this, ACol, ARow, color, style, CellState);
  FCanvas->Font.Style = style;
  FCanvas->Font.Color = color;
  return true;
}

void TCfGrid::PrepareTreeInfo(int, int ARow, TTreeInfo& Info) {
  if (ARow < 0 || ARow >= FCells->RowCount()) return;
  const TRow& row = FCells->GetRow(ARow);
  Info.Level = row.Level;
  Info.HasChildren = row.ChildCount > 0;
  Info.Expanded = row.Expanded;
}

void TCfGrid::FillPlayInfo(TColumnPlay& Play) { GetCellInfo(Play.Col, Play.Row, Play); }

void TCfGrid::PlayChanged(TColumnPlay* Play, bool Value) {
  bool accept = true;
  const std::string text = Value ? "True" : "False";
  if (OnEditAccept) OnEditAccept(this, Play->Col, Play->Row, text, accept);
  if (!accept) return;
  TCellRef cell = FCells->GetCell(Play->Col, Play->Row);
  cell.SetAsBoolean(Value);
  if (OnAfterEdit) OnAfterEdit(this, Play->Col, Play->Row, cell.AsString());
}
