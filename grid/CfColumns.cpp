#include "grid/CfColumns.h"
#include "platform/SameText.h"

#include <algorithm>
#include <cmath>
#include <typeinfo>

namespace {
EListError IndexError(int index) { return EListError("List index out of bounds (" + std::to_string(index) + ")"); }
}  // namespace

// ---- TCfCustomColumn ----------------------------------------------------

TCfCustomColumn::TCfCustomColumn() {
  FHeader.OnChange = [this] { Notify(cnAppearance); };
  FFooter.OnChange = [this] { Notify(cnAppearance); };
  FSlideBounds.OnChange = [this] { Notify(cnSlideBounds); };
  auto repaint = [this](int area) {
    if (FCollection && FCollection->Grid()) FCollection->Grid()->RepaintColumn(this, area);
  };
  FHeader.OnRepaint = repaint;
  FFooter.OnRepaint = repaint;
}

TCfCustomColumn::~TCfCustomColumn() { delete FEditor.data(); }

int TCfCustomColumn::Index() const { return FCollection ? FCollection->IndexOf(this) : -1; }

void TCfCustomColumn::Notify(int note, int value) {
  if (FCollection) FCollection->ColumnNote(this, value, note);
}

int TCfCustomColumn::GetEditOptions() const {
  if (!FEnabled) return 0;
  if (!(GetCapabilities() & ccEditInPlace) && !FInplaceEdit) return 0;
  return (HasOption(coEditing) ? 1 : 0) | (HasOption(coCanInput) ? 2 : 0);
}

TCfCustomEdit* TCfCustomColumn::Editor() {
  if (FEditor) return FEditor.data();
  switch (GetEditorClass()) {
    case TColumnEditorClass::None: return nullptr;
    case TColumnEditorClass::Edit: FEditor = new TCfEdit; break;
    case TColumnEditorClass::ComboBox: FEditor = new TCfComboBox; break;
    case TColumnEditorClass::SpinEdit: FEditor = new TCfSpinEdit; break;
  }
  FEditor->SetVisible(false);
  return FEditor.data();
}

void TCfCustomColumn::PrepareEditor() {
  TCfCustomEdit* editor = Editor();
  if (!editor) return;
  editor->SetVisible(true);
  editor->SetAlignment(FAlignment);
  editor->SetBorderStyle(cf::TBorderStyle::bsNone);
  if (auto* edit = dynamic_cast<TCfEdit*>(editor)) edit->SetBorderWidth(0);
  editor->EditMargins().SetLeft(1);
}

int TCfCustomColumn::GetTextWidth(TCanvas& canvas, const std::string& text) const {
  const int width = canvas.TextWidth(text);
  return width < 2 ? 8 : width + 6;
}

const TFont& TCfCustomColumn::Font() const {
  if (FParentFont && FCollection && FCollection->Grid()) FFont = FCollection->Grid()->GridFont();
  return FFont;
}

void TCfCustomColumn::SetFont(const TFont& v) {
  FFont = v;
  FParentFont = false;
  Notify(cnAppearance);
}

void TCfCustomColumn::SetParentFont(bool v) {
  if (FParentFont == v) return;
  FParentFont = v;
  if (v && FCollection && FCollection->Grid()) FFont = FCollection->Grid()->GridFont();
  Notify(cnAppearance);
}

void TCfCustomColumn::SetMinWidth(int v) {
  FMinWidth = v;
  if (FWidth < FMinWidth) SetWidth(FMinWidth);
}

void TCfCustomColumn::SetOptions(TColumnOptions v) {
  const TColumnOptions old = FOptions;
  if ((v & coSearchColumn) && !(old & coSearchColumn) && FCollection) {
    // One search column per grid.
    for (int i = 0; i < FCollection->Count(); ++i) {
      TCfCustomColumn* other = FCollection->Item(i);
      if (other != this && other->HasOption(coSearchColumn))
        other->SetOptions(static_cast<TColumnOptions>(other->FOptions & ~coSearchColumn));
    }
  }
  FOptions = v;
  if (!((old & coAutoSize) && (v & coAutoSize)) && FCollection) FCollection->AutoSize(this, false);
  Notify(cnAppearance);
}

void TCfCustomColumn::SetPosition(int v) {
  if (FCollection && !FCollection->Loading()) FCollection->Move(FPosition, v);
  FPosition = v;
}

void TCfCustomColumn::SetSorted(bool v) {
  if (!v) {
    FSorted = false;
    Notify(cnSortedOff);
    return;
  }
  if (GetCapabilities() & ccNoSort) return;
  if (FCollection) {
    for (int i = 0; i < FCollection->Count(); ++i) {
      TCfCustomColumn* other = FCollection->Item(i);
      if (other != this && other->Sorted()) other->SetSorted(false);
    }
  }
  FSorted = true;
  Notify(cnSortedOn);
}

void TCfCustomColumn::SetVisible(bool v) {
  if (FVisible == v) return;
  FVisible = v;
  Notify(cnVisibility);
  if (FCollection && !FCollection->Loading()) {
    FCollection->Layout();
    FCollection->AutoSize();
  }
}

void TCfCustomColumn::StoreWidth(int v) {
  const int width = std::max(v, FMinWidth);
  if (width == FWidth) return;
  const int diff = width - FWidth;
  FWidth = width;
  if (FCollection && !FCollection->Loading()) FCollection->Layout();
  Notify(cnWidth, diff);
}

void TCfCustomColumn::SetWidth(int v) {
  const int old = FWidth;
  StoreWidth(v);
  if (FWidth != old && FCollection) FCollection->AutoSize(this, true);
}

void TCfCustomColumn::Assign(const TCfCustomColumn& source) {
  if (&source == this) return;
  SetAlignment(source.Alignment());
  SetColor(source.Color());
  SetCursor(source.Cursor());
  SetDefaultValue(source.DefaultValue());
  SetDrawingOptions(source.DrawingOptions());
  if (!source.ParentFont()) SetFont(source.Font());
  FHeader.Assign(source.Header());
  FFooter.Assign(source.Footer());
  SetInputCaption(source.InputCaption());
  SetInputValue(source.InputValue());
  SetOptions(source.Options());
  SetParentFont(source.ParentFont());
  // A position only means something inside this column's own collection.
  if (FCollection && source.Position() >= 0 && source.Position() < FCollection->Count())
    SetPosition(source.Position());
  FSlideBounds.Assign(source.SlideBounds());
  SetSorted(source.Sorted());
  SetSortKind(source.SortKind());
  SetVerticalAlignment(source.VerticalAlignment());
  SetVisible(source.Visible());
  SetWidth(source.Width());
  SetWrapKind(source.WrapKind());
  if (typeid(source) == typeid(*this)) AssignOwn(source);
}

// ---- TCfColumns --------------------------------------------------------

TCfColumns::TCfColumns(TColumnsGrid* grid) : FGrid(grid) {}

TCfColumns::~TCfColumns() {
  FDestroying = true;
  FDisplay.clear();
  FItems.clear();
}

TCfCustomColumn* TCfColumns::Item(int index) const {
  if (index < 0 || index >= Count()) throw IndexError(index);
  return FItems[index].get();
}

int TCfColumns::IndexOf(const TCfCustomColumn* column) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].get() == column) return static_cast<int>(i);
  return -1;
}

TCfCustomColumn* TCfColumns::ItemByPosition(int position) const {
  if (position < 0 || position >= static_cast<int>(FDisplay.size())) throw IndexError(position);
  return FDisplay[position];
}

TCfCustomColumn* TCfColumns::FirstVisibleEnabled() const {
  for (TCfCustomColumn* c : FDisplay)
    if (c->Visible() && c->Enabled()) return c;
  return nullptr;
}

TCfCustomColumn* TCfColumns::LastVisibleEnabled() const {
  for (auto it = FDisplay.rbegin(); it != FDisplay.rend(); ++it)
    if ((*it)->Visible() && (*it)->Enabled()) return *it;
  return nullptr;
}

TCfCustomColumn* TCfColumns::NextVisibleEnabled(TCfCustomColumn* column) const {
  auto it = std::find(FDisplay.begin(), FDisplay.end(), column);
  if (it == FDisplay.end()) return column;
  for (++it; it != FDisplay.end(); ++it)
    if ((*it)->Visible() && (*it)->Enabled()) return *it;
  return column;
}

TCfCustomColumn* TCfColumns::PriorVisibleEnabled(TCfCustomColumn* column) const {
  auto it = std::find(FDisplay.begin(), FDisplay.end(), column);
  if (it == FDisplay.end()) return column;
  while (it != FDisplay.begin()) {
    --it;
    if ((*it)->Visible() && (*it)->Enabled()) return *it;
  }
  return column;
}

int TCfColumns::VisibleCount() const {
  return static_cast<int>(std::count_if(FDisplay.begin(), FDisplay.end(), [](auto* c) { return c->Visible(); }));
}

int TCfColumns::VisibleWidth() const {
  int width = 0;
  for (TCfCustomColumn* c : FDisplay)
    if (c->Visible()) width += c->Width();
  return width;
}

void TCfColumns::SetFixedCols(int value) {
  FFixedCols = std::max(0, value);
  Layout();
}

void TCfColumns::Layout(bool renumber) {
  int left = 0, visibleIndex = 0;
  FFixedWidth = 0;
  for (size_t pos = 0; pos < FDisplay.size(); ++pos) {
    TCfCustomColumn* c = FDisplay[pos];
    if (renumber) c->FPosition = static_cast<int>(pos);
    if (c->Visible()) {
      c->FLeft = left;
      c->FVisibleIndex = visibleIndex++;
      left += c->Width();
      if (static_cast<int>(pos) < FFixedCols) FFixedWidth += c->Width();
    } else {
      c->FVisibleIndex = -1;
    }
  }
}

void TCfColumns::AutoSize(TCfCustomColumn* from, bool after) {
  if (Loading() || !FGrid) return;
  int start = 0;
  size_t startPos = 0;
  if (from) {
    const auto it = std::find(FDisplay.begin(), FDisplay.end(), from);
    if (it == FDisplay.end()) return;
    startPos = static_cast<size_t>(it - FDisplay.begin());
    if (after) {
      start = from->Visible() ? from->Left() + from->Width() : from->Left();
      ++startPos;
    } else {
      start = from->Left();
    }
  }
  // Column edges are measured from the right of the indicator.
  const int space = FGrid->ClientWidth() - (FGrid->ShowsIndicator() ? 12 : 0) - start;
  int total = 0, fixed = 0;
  for (size_t pos = startPos; pos < FDisplay.size(); ++pos) {
    TCfCustomColumn* c = FDisplay[pos];
    if (!c->Visible()) continue;
    (c->HasOption(coAutoSize) ? total : fixed) += c->Width();
  }
  if (total <= 0) return;
  const double share = static_cast<double>(space - fixed) / total;
  for (size_t pos = startPos; pos < FDisplay.size(); ++pos) {
    TCfCustomColumn* c = FDisplay[pos];
    if (c->Visible() && c->HasOption(coAutoSize))
      c->StoreWidth(static_cast<int>(std::nearbyint(c->Width() * share)));
  }
  Layout();
}

TCfCustomColumn* TCfColumns::Add(std::unique_ptr<TCfCustomColumn> column) {
  TCfCustomColumn* c = column.get();
  c->FCollection = this;
  if (c->FParentFont && FGrid) c->FFont = FGrid->GridFont();
  FItems.push_back(std::move(column));
  FDisplay.push_back(c);
  c->FPosition = static_cast<int>(FDisplay.size()) - 1;
  Layout();
  AutoSize();
  if (OnColumnsChange) OnColumnsChange(0, Count() - 1);
  return c;
}

void TCfColumns::Remove(TCfCustomColumn* column) {
  const int index = IndexOf(column);
  if (index < 0) return;
  std::unique_ptr<TCfCustomColumn> owned = std::move(FItems[index]);
  FItems.erase(FItems.begin() + index);
  FDisplay.erase(std::find(FDisplay.begin(), FDisplay.end(), column));
  owned->FCollection = nullptr;
  if (OnColumnsChange) OnColumnsChange(1, index);
  if (!FDestroying && !(FGrid && FGrid->IsDestroying())) Layout(true);
}

void TCfColumns::Move(int FromPosition, int ToPosition) {
  const int n = static_cast<int>(FDisplay.size());
  if (FromPosition < 0 || FromPosition >= n) throw IndexError(FromPosition);
  if (ToPosition < 0 || ToPosition >= n) throw IndexError(ToPosition);
  if (FromPosition == ToPosition) return;
  TCfCustomColumn* c = FDisplay[FromPosition];
  FDisplay.erase(FDisplay.begin() + FromPosition);
  FDisplay.insert(FDisplay.begin() + ToPosition, c);
  Layout(true);
  ColumnNote(c, FromPosition, cnPosition);
}

void TCfColumns::ColumnNote(TCfCustomColumn* column, int value, int kind) {
  if (OnColumnNotify) OnColumnNotify(column, value, kind);
}

cf::TTranslatable* TCfCustomColumn::ObjectProperty(const std::string& name)
{
  if (cf::SameText(name, "Header")) return &FHeader;
  if (cf::SameText(name, "Footer")) return &FFooter;
  return nullptr;
}
