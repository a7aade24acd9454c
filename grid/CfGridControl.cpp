// Creation, settings, the update bracket and the column notes.

#include <algorithm>
#include "platform/SameText.h"

#include <QApplication>

#include "controls/CfThemesSupport.h"
#include "grid/CfCustomGridControl.h"
#include "grid/CfHeaderStyles.h"

using namespace cf;

TCfCustomGridControl::TCfCustomGridControl(QWidget* Owner) : TCfScrollControl(Owner) {
  FColumns = std::make_unique<TCfColumns>(this);
  FColumns->OnColumnNotify = [this](TCfCustomColumn* c, int value, int kind) { ColumnNotify(c, value, kind); };
  FColumns->OnColumnsChange = [this](int kind, int index) { ColumnsStructureChanged(kind, index); };
  FStyleDisplays[hsAuto] = std::make_unique<TDefaultStyleDisplay>(this);
  FStyleDisplays[hsFlatBorders] = std::make_unique<TFlatStyleDisplay>(this);
  FStyleDisplays[hsOffice2007] = std::make_unique<TOffice2007StyleDisplay>(this);
  FStyleDisplays[hsOffice2010] = std::make_unique<TOffice2010StyleDisplay>(this);
  FStyleDisplays[hsOldStyle] = std::make_unique<TOldStyleDisplay>(this);
  FStyleDisplays[hsOutlook] = std::make_unique<TOutlookStyleDisplay>(this);
  FStyleDisplays[hsVista] = std::make_unique<TVistaStyleDisplay>(this);
  FDisplay = FStyleDisplays[hsAuto].get();
  SetTabStop(true);
  SetBorderStyle(TBorderStyle::bsSingle);
  resize(250, 150);
  HorzScrollBar()->LargeChange = 10;
  HorzScrollBar()->SmallChange = 5;
  VertScrollBar()->LargeChange = 10;
  VertScrollBar()->SetAutoHide(FHideScrollBar);
  UpdateLineWidths();
}

TCfCustomGridControl::~TCfCustomGridControl() {
  FDestroying = true;
  FDisplay = nullptr;
  FColumnDisplays.clear();
  FColumnPlays.clear();
  FColumns.reset();
  for (auto& d : FStyleDisplays) d.reset();
}

bool TCfCustomGridControl::GridFocused() const {
  if (FFocusOverride >= 0) return FFocusOverride != 0;
  if (Focused()) return true;
  return FEditor && FEditor->hasFocus();
}

bool TCfCustomGridControl::VisualStylesActive() const { return ThemesActive(); }

TColumnDisplay* TCfCustomGridControl::ColumnDisplay(TCfCustomColumn* Column) {
  auto& slot = FColumnDisplays[Column];
  if (!slot) slot = MakeColumnDisplay(Column);
  return slot.get();
}

TColumnPlay* TCfCustomGridControl::ColumnPlay(TCfCustomColumn* Column) {
  auto it = FColumnPlays.find(Column);
  if (it != FColumnPlays.end()) return it->second.get();
  auto play = MakeColumnPlay(Column);
  TColumnPlay* result = play.get();
  FColumnPlays[Column] = std::move(play);
  return result;
}

// ---- settings ---------------------------------------------------------------

void TCfCustomGridControl::UpdateLineWidths() {
  FVertLineWidth = FHorzLineWidth = F3DLeftWidth = F3DTopWidth = 0;
  if (HasOption(goGrid)) {
    if (FGridLinesStyle != lsHorizontalOnly && FGridLinesStyle != lsActiveHorzOnly) {
      FVertLineWidth = 1;
      if (HasAppearance(ao3DGridLines)) F3DLeftWidth = 1;
    }
    if (FGridLinesStyle != lsVerticalOnly) {
      FHorzLineWidth = 1;
      if (HasAppearance(ao3DGridLines)) F3DTopWidth = 1;
    }
  }
  InvalidatePage();
}

void TCfCustomGridControl::SetOptions(TGridOptions Value) {
  if (Value == FOptions) return;
  const bool indicatorChanged = ((Value ^ FOptions) & goIndicator) != 0;
  FOptions = Value;
  UpdateLineWidths();
  InvalidatePage();
  RefreshAll();
  RepositionEditor();
  UpdateHorzScrollBar();
  UpdateVertScrollBar();
  if (indicatorChanged && OnIndicatorChanged) OnIndicatorChanged(this);
}

void TCfCustomGridControl::SetAppearanceOptions(TAppearanceOptions Value) {
  if (Value == FAppearanceOptions) return;
  FAppearanceOptions = Value;
  UpdateLineWidths();
  RefreshAll();
  update();
}

void TCfCustomGridControl::SetCaption(const std::string& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  const TRect body = GetBodyRect();
  InvalidateRect(TRect(body.Left, body.Top, ClientWidth(), body.Top + 4 + 2 * std::max(16, FRowSize)));
}

void TCfCustomGridControl::SetEnableVisualStyles(bool Value) {
  if (Value == FEnableVisualStyles) return;
  FEnableVisualStyles = Value;
  RefreshAll();
  update();
}

void TCfCustomGridControl::SetFixedCols(int Value) {
  FColumns->SetFixedCols(Value);
  RefreshAll();
}

void TCfCustomGridControl::SetFooterSize(int Value) {
  if (Value == FFooterSize) return;
  FFooterSize = Value;
  InvalidatePage();
  RefreshAll();
}

void TCfCustomGridControl::SetGridLinesColor(TColor Value) {
  if (Value == FGridLinesColor) return;
  FGridLinesColor = Value;
  RefreshAll();
}

void TCfCustomGridControl::SetGridLinesStyle(TGridLinesStyle Value) {
  if (Value == FGridLinesStyle) return;
  FGridLinesStyle = Value;
  UpdateLineWidths();
  RefreshAll();
}

void TCfCustomGridControl::SetGridStyle(TGridStyle Value) {
  if (Value == FGridStyle) return;
  FGridStyle = Value;
  GridStyleChanged();
  if (Value == gsSlides) {
    EndEditing();
    FInputSelected = false;
  }
  InvalidatePage();
  RefreshAll();
  RepositionEditor();
  UpdateHorzScrollBar();
  UpdateVertScrollBar();
}

void TCfCustomGridControl::SetHeaderSize(int Value) {
  if (Value == FHeaderSize) return;
  FHeaderSize = Value;
  InvalidatePage();
  RefreshAll();
  RepositionEditor();
}

void TCfCustomGridControl::SetHeaderStyle(THeaderStyle Value) {
  if (Value == FHeaderStyle) return;
  FHeaderStyle = Value;
  FDisplay = FStyleDisplays[Value].get();
  FDisplay->Canvas = &Canvas();
  RefreshAll();
  update();
}

void TCfCustomGridControl::SetHideScrollBar(bool Value) {
  FHideScrollBar = Value;
  VertScrollBar()->SetAutoHide(Value);
}

void TCfCustomGridControl::SetHighlightedTextColor(TColor Value) {
  if (Value == FHighlightedTextColor) return;
  FHighlightedTextColor = Value;
  RefreshSelection();
}

void TCfCustomGridControl::SetInactiveSelectionColor(TColor Value) {
  if (Value == FInactiveSelectionColor) return;
  FInactiveSelectionColor = Value;
  RefreshAll();
}

void TCfCustomGridControl::SetInputSize(int Value) {
  if (Value == FInputSize) return;
  FInputSize = Value;
  InvalidatePage();
  RefreshAll();
}

void TCfCustomGridControl::SetRowSize(int Value) {
  if (Value <= 0 || Value == FRowSize) return;
  FRowSize = Value;
  InvalidatePage();
  RefreshArea(gaBody);
  RefreshArea(gaInput);
  RefreshArea(gaIndicator);
  RepositionEditor();
}

void TCfCustomGridControl::SetSlidesOptions(TSlideOptions Value) {
  if (Value == FSlidesOptions) return;
  FSlidesOptions = Value;
  RefreshAll();
}

void TCfCustomGridControl::SetSlideSelectionColor(TColor Value) {
  if (Value == FSlideSelectionColor) return;
  FSlideSelectionColor = Value;
  RefreshAll();
}

void TCfCustomGridControl::SetSlideSize(int Value) {
  if (Value == FSlideSize) return;
  FSlideSize = Value;
  InvalidatePage();
  UpdateVertScrollBar();
  RefreshAll();
}

void TCfCustomGridControl::SetSortedStyle(TSortedStyle Value) {
  if (Value == FSortedStyle) return;
  FSortedStyle = Value;
  RefreshAll();
}

void TCfCustomGridControl::SetGridBorderStyle(TBorderStyle Value) {
  SetBorderStyle(Value);
  InvalidatePage();
}

// ---- update bracket -------------------------------------------------------------

void TCfCustomGridControl::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  if (FUpdateCount > 0) return;
  InvalidatePage();
  if (FFullRepaintDue) {
    RefreshAll();
  } else {
    RefreshArea(gaBody);
    RefreshArea(gaHeader);
    RefreshArea(gaIndicator);
  }
  UpdateVertScrollBar();
}

// ---- rows at the base ----------------------------------------------------------

void TCfCustomGridControl::SetRowCount(int Count) {
  if (Count < 0) return;
  if (Count > GetRowCount()) AddRow(Count - GetRowCount());
  while (GetRowCount() > Count) DeleteRow(GetRowCount() - 1);
}

void TCfCustomGridControl::SetRowHeight(int Index, int Height) {
  if (OnChangeRowHeight) OnChangeRowHeight(this, Index, Height);
}

void TCfCustomGridControl::SetRowVisible(int ARow, bool Shown) {
  if (Shown) {
    if (ARow < FFirstShownRow) FFirstShownRow = ARow;
    if (ARow > FLastShownRow) FLastShownRow = ARow;
    return;
  }
  const int count = GetRowCount();
  if (ARow == FFirstShownRow) {
    for (int r = ARow; r < count; ++r)
      if (RowVisible(r)) {
        FFirstShownRow = r;
        break;
      }
  }
  for (int r = std::min(FLastShownRow, count - 1); r >= 0; --r)
    if (RowVisible(r)) {
      FLastShownRow = r;
      break;
    }
}

int TCfCustomGridControl::GetSelectedCount() {
  int n = 0;
  for (int r = 0, count = GetRowCount(); r < count; ++r)
    if (GetSelected(r)) ++n;
  return n;
}

int TCfCustomGridControl::VisibleRowCount() {
  if (GetRowCount() == 0 || FColumns->Count() == 0) return 0;
  return ShownRowCount();
}

int TCfCustomGridControl::GetHiddenWidth() {
  const int total = FColumns->VisibleWidth() + IndicatorWidth();
  return std::max(0, total - ClientWidth());
}

void TCfCustomGridControl::GetGridText(char Separator, std::string& Text) {
  Text.assign(1, Separator);
  const int count = GetRowCount();
  for (int r = 0; r < count; ++r) {
    if (r > 0) {
      Text += "\r\n";
      Text += Separator;
    }
    for (int c = 0; c < FColumns->Count(); ++c) {
      if (c > 0) Text += Separator;
      std::string cell = Cells(c, r);
      for (char ch : cell) {
        if (ch == '\n') Text += "%";
        Text += ch;
      }
    }
  }
}

void TCfCustomGridControl::ClearRows() {
  FFirstRow = 0;
  FSelectedColumn = 0;
  FSelectedRow = -1;
  FAnchorRow = -1;
  FRowsMarked = false;
  InvalidatePage();
  EndEditing();
}

void TCfCustomGridControl::InsertRow(int Index) {
  EndEditing();
  if (Index < FFirstShownRow) FFirstShownRow = Index;
  if (VertScrollBar()->Position() == 0) SetFirstRowInternal(FFirstShownRow);
}

void TCfCustomGridControl::MoveRow(int, int) {
  RefreshAll();
  EndEditing();
}

void TCfCustomGridControl::SortColumn(TCfCustomColumn* Column) {
  if (!Column || !Column->HasOption(coCanSort)) return;
  EndEditing();
  FSortColumn = Column->Index();
  if (OnSortColumn) OnSortColumn(this, FSortColumn, Column->SortKind() == skAscending);
}

void TCfCustomGridControl::EndEditing() {
  if (FEditCol < 0 && !FCellEditing) return;
  FEditCol = FEditRow = -1;
  FCellEditing = false;
  if (OnEditExit) OnEditExit(this);
}

void TCfCustomGridControl::SetEditCellText(const std::string& Value) { SetCells(FEditCol, FEditRow, Value); }

bool TCfCustomGridControl::CanSelectCell(int ACol, int ARow) {
  bool accept = true;
  if (OnBeforeSelect) OnBeforeSelect(this, ACol, ARow, accept);
  return accept;
}

TColor TCfCustomGridControl::GetCellColor(int ACol, int) {
  if (ACol < 0 || ACol >= FColumns->Count()) return Color;
  return FColumns->Item(ACol)->Color();
}

void TCfCustomGridControl::GetCellHint(int ACol, int ARow, std::string& Value) {
  if (OnCellHint) OnCellHint(this, ACol, ARow, Value);
}

bool TCfCustomGridControl::FormatCell(int ACol, int ARow, TCellState CellState) {
  TCfCustomColumn* column = FColumns->Item(ACol);
  FCanvas->Font = column->Font();
  FCanvas->Font.Color = isEnabled() ? GetCellTextColor(ACol, ARow) : clGrayText;
  if (CellState & csBoldText) FCanvas->Font.Style |= fsBold;
  return false;
}

// ---- focus ------------------------------------------------------------------------

void TCfCustomGridControl::DoEnter() {
  RefreshArea(gaIndicator);
  RefreshSelection();
  TCfScrollControl::DoEnter();
}

void TCfCustomGridControl::DoExit() {
  if (FEditCol >= 0) {
    ApplyEditing();
    EndEditing();
  }
  RefreshArea(gaIndicator);
  RefreshSelection();
  TCfScrollControl::DoExit();
}

void TCfCustomGridControl::Resize() {
  TCfScrollControl::Resize();
  InvalidatePage();
  if (!FDestroying && FColumns) {
    FColumns->AutoSize();
    UpdateHorzScrollBar();
    UpdateVertScrollBar();
  }
}

// ---- column notes ------------------------------------------------------------------

void TCfCustomGridControl::ColumnsStructureChanged(int Kind, int Index) {
  if (FDestroying) return;
  if (Kind == 1) {
    // The column object is gone from the collection: forget its painters.
    for (auto it = FColumnDisplays.begin(); it != FColumnDisplays.end();)
      it = FColumns->IndexOf(it->first) < 0 ? FColumnDisplays.erase(it) : std::next(it);
    for (auto it = FColumnPlays.begin(); it != FColumnPlays.end();)
      it = FColumns->IndexOf(it->first) < 0 ? FColumnPlays.erase(it) : std::next(it);
  }
  ColumnChanged(Kind, Index);
  if (Index < 0 || !OnDataChange) return;
  const int type = Kind == 1 ? dcColumnDeleted : Kind == 3 ? dcColumnInserted : dcColumn;
  OnDataChange(this, type, Index);
}

void TCfCustomGridControl::ColumnChanged(int Kind, int Index) {
  if (Kind == 1 || Kind == 2) {
    EndEditing();
    if (Kind == 1 && FSortColumn == Index) FSortColumn = -1;
    if (Kind == 1 && FSortColumn > Index) --FSortColumn;
    if (FSelectedColumn >= FColumns->Count()) FSelectedColumn = std::max(0, FColumns->Count() - 1);
  }
  UpdateHorzScrollBar();
  RefreshAll();
}

void TCfCustomGridControl::ColumnsChange(int Kind) {
  if (Kind != 2) RepositionEditor();
  RefreshAll();
}

void TCfCustomGridControl::ColumnNotify(TCfCustomColumn* Column, int Value, int Kind) {
  if (FDestroying || !Column) return;
  const int index = Column->Index();
  if (FEditCol >= 0 && (Kind == cnPosition || Kind == cnSortedOn || Kind == cnVisibility || Kind == cnWidth))
    RepositionEditor();
  switch (Kind) {
    case cnInputValue:
      RefreshColumn(Column, gaInput);
      break;
    case cnPosition:
      if (OnColumnMove) OnColumnMove(this, index, Value, Column->Position());
      RefreshAll();
      break;
    case cnSlideBounds:
      RefreshAll();
      if (OnSlideChange) OnSlideChange(this, index);
      break;
    case cnAppearance:
      RefreshColumn(Column, gaClient);
      break;
    case cnVisibility:
      UpdateHorzScrollBar();
      RefreshAll();
      break;
    case cnSortedOff:
      RefreshColumn(Column, gaHeader);
      if (HasAppearance(aoIndicateSortedColumn)) RefreshColumn(Column, gaBody);
      if (FSortColumn == index) FSortColumn = -1;
      break;
    case cnWidth:
      if (!Updating()) {
        const int right = ColumnLeft(Column) + Column->Width();
        // What lies right of the column slides by the width difference (only
        // the header band in slides style); the column itself is drawn afresh.
        const int bottom = FGridStyle == gsSlides ? (HasOption(goHeader) ? FHeaderSize : 0) : ClientHeight();
        if (Value != 0) ScrollPixels(Value, 0, TRect(std::min(right, right - Value), 0, ClientWidth(), bottom));
        RefreshColumn(Column, gaClient);
      }
      if (OnColumnResize) OnColumnResize(this, index);
      UpdateHorzScrollBar();
      break;
    case cnSortedOn:
    case cnSortKind:
      if (Column->Sorted()) {
        RefreshColumn(Column, gaHeader);
        SortColumn(Column);
      }
      break;
    default:
      break;
  }
}
std::optional<std::string> TCfCustomGridControl::TextProperty(const std::string& name) const
{
  if (SameText(name, "Caption")) return FCaption;
  return TCfScrollControl::TextProperty(name);
}

bool TCfCustomGridControl::SetTextProperty(const std::string& name, const std::string& value)
{
  if (!SameText(name, "Caption")) return TCfScrollControl::SetTextProperty(name, value);
  SetCaption(value);
  return true;
}

cf::TTranslatable* TCfCustomGridControl::CollectionItem(const std::string& name, int index)
{
  if (!SameText(name, "Columns") || index < 0 || index >= FColumns->Count()) return nullptr;
  return FColumns->Item(index);
}
