// Cell painters and plays.

#include "grid/CfColumnDisplays.h"

#include <algorithm>
#include <cmath>

#include "grid/CfColumnClasses.h"
#include "platform/DrawText.h"
#include "platform/Themes.h"

using namespace cf;

// ---- text --------------------------------------------------------------------------------

unsigned TColumnDisplay::TextFlags(bool drawing) const {
  unsigned flags = DT_NOPREFIX;
  if (Column->BiDiMode() != bdLeftToRight) flags |= DT_RTLREADING;
  switch (Column->Alignment()) {
    case taRightJustify: flags |= DT_RIGHT; break;
    case taCenter: flags |= DT_CENTER; break;
    default: break;
  }
  switch (Column->VerticalAlignment()) {
    case taAlignBottom: flags |= DT_BOTTOM; break;
    case taVerticalCenter: flags |= DT_VCENTER; break;
    default: break;
  }
  switch (Column->WrapKind()) {
    case wkEllipsis:
      if (drawing) flags |= DT_END_ELLIPSIS;
      break;
    case wkPathEllipsis:
      if (drawing) flags |= DT_PATH_ELLIPSIS;
      break;
    case wkWordWrap: flags |= DT_WORDBREAK; break;
    default: break;
  }
  if (Column->WrapKind() != wkWordWrap && !Column->IsMultiLine(false)) flags |= DT_SINGLELINE;
  return flags;
}

void TColumnDisplay::DrawCellText(TRect Rect, bool calc) {
  TCanvas& c = *Canvas;
  unsigned flags = TextFlags(!calc);
  if (calc) {
    DrawText(c, Text, Rect, flags | DT_CALCRECT | DT_NOCLIP);
    CellRect = Rect;
    return;
  }
  const bool several = !(flags & DT_SINGLELINE);
  if (several && (flags & (DT_BOTTOM | DT_VCENTER))) {
    // Several lines: measure first, then move the block down.
    TRect measured = Rect;
    DrawText(c, Text, measured, (flags & ~(DT_BOTTOM | DT_VCENTER)) | DT_CALCRECT);
    const int spare = Rect.Height() - measured.Height();
    if (flags & DT_BOTTOM)
      Rect.Top = Rect.Bottom - measured.Height();
    else
      Rect.Top += static_cast<int>(std::lround(spare / 2.0));
    flags &= ~(DT_BOTTOM | DT_VCENTER);
  }
  c.Brush.Style = bsClear;
  DrawText(c, Text, Rect, flags);
}

void TColumnDisplay::Draw() { DrawCellText(CellRect); }

void TColumnDisplay::DrawMark() {
  TCanvas& c = *Canvas;
  const TRect& r = CellRect;
  c.Pen.Style = psSolid;
  c.Pen.Mode = pmCopy;
  c.Pen.Color = RGB(255, 0, 0);
  c.Brush.Style = bsSolid;
  c.Brush.Color = RGB(255, 0, 0);
  c.Polygon({{r.Right - 5, r.Top}, {r.Right - 1, r.Top}, {r.Right - 1, r.Top + 4}});
}

int TColumnDisplay::MeasureWidth() {
  TRect r(0, 0, 0x3FFFFFFF, 0);
  TRect saved = CellRect;
  DrawCellText(r, true);
  const int w = CellRect.Width();
  CellRect = saved;
  return w;
}

int TColumnDisplay::MeasureHeight() {
  TRect r(0, 0, std::max(1, CellRect.Width()), 0);
  TRect saved = CellRect;
  DrawCellText(r, true);
  const int h = CellRect.Height();
  CellRect = saved;
  return h;
}

// ---- check box ----------------------------------------------------------------------------

TRect TCheckBoxColumnDisplay::BoxRect(const TCfCustomColumn& Column, const TRect& Cell, bool Themed) {
  const int size = Themed ? 13 : 11;
  int x = Cell.Left, y = Cell.Top;
  switch (Column.Alignment()) {
    case taRightJustify: x = Cell.Right - size; break;
    case taCenter: x = Cell.Left + (Cell.Width() - size) / 2; break;
    default: break;
  }
  switch (Column.VerticalAlignment()) {
    case taAlignBottom: y = Cell.Bottom - size; break;
    case taVerticalCenter: y = Cell.Top + (Cell.Height() - size) / 2; break;
    default: break;
  }
  return TRect(x, y, x + size, y + size);
}

void TCheckBoxColumnDisplay::Draw() {
  TCanvas& c = *Canvas;
  const TRect box = BoxRect(*Column, CellRect, Themed && ThemeServices().Active());
  if (Themed && ThemeServices().Active()) {
    // Check-box states of the "Button" class: unchecked 1..4, checked 5..8.
    const int base = BoolValue ? 5 : 1;
    const int state = MouseOver ? (ButtonDown ? base + 2 : base + 1) : base;
    if (ThemeServices().DrawPart(c, box, "Button", 3, state)) return;
  }
  c.Brush.Style = bsSolid;
  c.Brush.Color = MouseOver && ButtonDown ? clBtnFace : clWindow;
  c.Pen.Style = psSolid;
  c.Pen.Mode = pmCopy;
  c.Pen.Width = 1;
  c.Pen.Color = clBtnShadow;
  c.Rectangle(box);
  if (!BoolValue) return;
  c.Pen.Color = clWindowText;
  const int x = box.Left, y = box.Top;
  for (int k = 0; k < 3; ++k) c.Polyline({{x + 2, y + 4 + k}, {x + 4, y + 6 + k}, {x + 9, y + 1 + k}});
}

int TCheckBoxColumnDisplay::MeasureWidth() { return Themed && ThemeServices().Active() ? 13 : 11; }
int TCheckBoxColumnDisplay::MeasureHeight() { return MeasureWidth(); }

// ---- image ----------------------------------------------------------------------------------

void TImageColumnDisplay::Draw() {
  auto* column = dynamic_cast<TCfImageColumn*>(Column);
  if (!column || !column->Images()) return;
  TCustomImageList* images = column->Images();
  const int index = IntValue;
  if (index < 0 || index >= images->Count()) return;
  int x = CellRect.Left, y = CellRect.Top;
  switch (Column->Alignment()) {
    case taRightJustify: x = CellRect.Right - images->Width(); break;
    case taCenter: x = CellRect.Left + (CellRect.Width() - images->Width()) / 2; break;
    default: break;
  }
  switch (Column->VerticalAlignment()) {
    case taAlignBottom: y = CellRect.Bottom - images->Height(); break;
    case taVerticalCenter: y = CellRect.Top + (CellRect.Height() - images->Height()) / 2; break;
    default: break;
  }
  images->Draw(*Canvas, x, y, index);
}

int TImageColumnDisplay::MeasureWidth() {
  auto* column = dynamic_cast<TCfImageColumn*>(Column);
  return column && column->Images() ? column->Images()->Width() : 0;
}

int TImageColumnDisplay::MeasureHeight() {
  auto* column = dynamic_cast<TCfImageColumn*>(Column);
  return column && column->Images() ? column->Images()->Height() : 0;
}

// ---- strings and combo box ------------------------------------------------------------------

int TStringsColumnDisplay::ImageIndex() const {
  if (auto* combo = dynamic_cast<const TCfComboBoxColumn*>(Column)) {
    const auto& items = combo->Items();
    const auto it = std::find(items.begin(), items.end(), StrValue);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
  }
  return IntValue;
}

void TStringsColumnDisplay::Draw() {
  auto* column = dynamic_cast<TCfStringsColumn*>(Column);
  if (!column) {
    TColumnDisplay::Draw();
    return;
  }
  TCustomImageList* images = column->Images();
  const TDisplayMode mode = column->DisplayMode();
  if (mode != dmTextOnly && images) {
    const int index = ImageIndex();
    // Only an index the list holds is drawn.
    if (index >= 0 && index < images->Count())
      images->Draw(*Canvas, CellRect.Left + 2, CellRect.Top + (CellRect.Height() - images->Height()) / 2, index);
  }
  if (mode == dmImageOnly) return;
  TRect r = CellRect;
  if (images && mode != dmTextOnly) r.Left += images->Width() + 4;
  DrawCellText(r);
}

int TStringsColumnDisplay::MeasureWidth() {
  auto* column = dynamic_cast<TCfStringsColumn*>(Column);
  if (!column) return TColumnDisplay::MeasureWidth();
  const int imageWidth = column->Images() ? column->Images()->Width() : 0;
  switch (column->DisplayMode()) {
    case dmImageOnly: return imageWidth;
    case dmTextAndImage: return TColumnDisplay::MeasureWidth() + (column->Images() ? imageWidth + 4 : 0);
    default: return TColumnDisplay::MeasureWidth();
  }
}

// ---- tree -------------------------------------------------------------------------------------

TRect TTreeColumnDisplay::ButtonRect(const TRect& Cell, int Level) {
  const int x = Cell.Left + Level * 19 + 2;
  const int y = Cell.Top + Cell.Height() / 2 - 5;
  return TRect(x, y, x + 9, y + 9);
}

void TTreeColumnDisplay::Draw() {
  TCanvas& c = *Canvas;
  auto* column = dynamic_cast<TCfTreeColumn*>(Column);
  const TRect button = ButtonRect(CellRect, Tree.Level);
  if (Tree.HasChildren && (!column || column->ShowButtons())) {
    c.Brush.Style = bsSolid;
    c.Brush.Color = clWindow;
    c.Pen.Style = psSolid;
    c.Pen.Mode = pmCopy;
    c.Pen.Color = clBtnShadow;
    c.Rectangle(button);
    c.Pen.Color = clWindowText;
    const int cy = button.Top + 4;
    c.MoveTo(button.Left + 2, cy);
    c.LineTo(button.Right - 2, cy);
    if (!Tree.Expanded) {
      const int cx = button.Left + 4;
      c.MoveTo(cx, button.Top + 2);
      c.LineTo(cx, button.Bottom - 2);
    }
  }
  TRect r = CellRect;
  int x = CellRect.Left;
  Column->AdjustIndent(Tree.Level, x);
  r.Left = x;
  DrawCellText(r);
}

int TTreeColumnDisplay::MeasureWidth() {
  int x = 0;
  Column->AdjustIndent(Tree.Level, x);
  return x + TColumnDisplay::MeasureWidth();
}

std::unique_ptr<TColumnDisplay> MakeColumnDisplay(TCfCustomColumn* Column) {
  switch (Column->GetDisplayClass()) {
    case TColumnDisplayClass::Strings: return std::make_unique<TStringsColumnDisplay>(Column);
    case TColumnDisplayClass::CheckBox: return std::make_unique<TCheckBoxColumnDisplay>(Column);
    case TColumnDisplayClass::Image: return std::make_unique<TImageColumnDisplay>(Column);
    case TColumnDisplayClass::Number: return std::make_unique<TNumberColumnDisplay>(Column);
    case TColumnDisplayClass::Tree: return std::make_unique<TTreeColumnDisplay>(Column);
    default: return std::make_unique<TTextColumnDisplay>(Column);
  }
}

// ---- plays ------------------------------------------------------------------------------------

void TCheckBoxPlay::Flip() {
  BoolValue = !BoolValue;
  StrValue = BoolValue ? "True" : "False";
  if (OnValueChanged) OnValueChanged(this, BoolValue);
  if (auto* column = dynamic_cast<TCfCheckBoxColumn*>(Column); column && column->OnChange) column->OnChange(column);
}

bool TCheckBoxPlay::KeyPress(char32_t Key) {
  if (Key != U' ') return false;
  Flip();
  return true;
}

bool TCheckBoxPlay::Click(TPoint P) {
  TRect box = TCheckBoxColumnDisplay::BoxRect(*Column, CellRect, Themed && ThemeServices().Active());
  box = InflateRect(box, 1, 1);
  if (!PtInRect(box, P)) return false;
  Flip();
  return true;
}

bool TTreePlay::KeyPress(char32_t Key) {
  auto* column = dynamic_cast<TCfTreeColumn*>(Column);
  if (column && column->ExpandLock()) return false;
  if (Key != U'+' && Key != U'-') return false;
  if ((Key == U'+') == Tree.Expanded) return false;
  if (OnToggled) OnToggled(this);
  return true;
}

bool TTreePlay::Click(TPoint P) {
  auto* column = dynamic_cast<TCfTreeColumn*>(Column);
  if (column && column->ExpandLock()) return false;
  if (!PtInRect(TTreeColumnDisplay::ButtonRect(CellRect, Tree.Level), P)) return false;
  if (OnToggled) OnToggled(this);
  return true;
}

std::unique_ptr<TColumnPlay> MakeColumnPlay(TCfCustomColumn* Column) {
  switch (Column->GetPlayClass()) {
    case TColumnPlayClass::CheckBox: return std::make_unique<TCheckBoxPlay>(Column);
    case TColumnPlayClass::Tree: return std::make_unique<TTreePlay>(Column);
    default: return nullptr;
  }
}
