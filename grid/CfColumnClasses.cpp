#include "grid/CfColumnClasses.h"

#include "grid/CellText.h"
#include "grid/FormatFloat.h"
#include "platform/Utf8.h"

namespace {

size_t CodePointCount(const std::string& text) {
  size_t n = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

// First character of a UTF-8 text (U+FFFD for a broken sequence).
char32_t FirstCodePoint(const std::string& text) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const size_t n = text.size();
  if (n == 0) return 0;
  if (s[0] < 0x80) return s[0];
  int len = s[0] >= 0xF0 ? 4 : s[0] >= 0xE0 ? 3 : s[0] >= 0xC0 ? 2 : 0;
  if (len == 0 || n < static_cast<size_t>(len)) return 0xFFFD;
  char32_t cp = s[0] & (0x7F >> len);
  for (int i = 1; i < len; ++i) {
    if ((s[i] & 0xC0) != 0x80) return 0xFFFD;
    cp = (cp << 6) | (s[i] & 0x3F);
  }
  return cp;
}

// Letter case folding for the first-letter match: ASCII and Latin-1.
char32_t FoldCase(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  return c;
}

}  // namespace

// ---- text columns ------------------------------------------------------

TCfTextColumn::TCfTextColumn() { FOptions |= coShowTextFitHint; }

int TCfTextColumn::GetTextWidth(TCanvas& canvas, const std::string& text) const {
  return cf::WideTextWidth(canvas, text) + 5;
}

std::string TCfTextColumn::GetDrawText(const TCellInfo& info) const {
  if (FPasswordChar == 0) return FTextBefore + info.Text + FTextAfter;
  // One mark per character; the text itself is never put together.
  const std::string mask = cf::Utf8(FPasswordChar);
  const size_t count = CodePointCount(FTextBefore) + CodePointCount(info.Text) + CodePointCount(FTextAfter);
  std::string out;
  out.reserve(count * mask.size());
  for (size_t i = count; i > 0; --i) out += mask;
  return out;
}

void TCfTextColumn::PrepareEditor() {
  TCfCustomColumn::PrepareEditor();
  TCfCustomEdit* editor = Editor();
  if (!editor) return;
  editor->Embedded = true;
  editor->SetMaxLength(FMaxLength);
  editor->SetPasswordChar(FPasswordChar);
}

void TCfTextColumn::AssignOwn(const TCfCustomColumn& source) {
  const auto& s = static_cast<const TCfTextColumn&>(source);
  SetMaxLength(s.FMaxLength);
  SetMultiLine(s.FMultiLine);
  SetPasswordChar(s.FPasswordChar);
  SetTextAfter(s.FTextAfter);
  SetTextBefore(s.FTextBefore);
}

void TCfStringsColumn::PrepareEditor() {
  TCfPopupColumn::PrepareEditor();
  auto* combo = dynamic_cast<TCfComboBox*>(Editor());
  if (!combo) return;
  combo->AutoDropDown = FAutoDropDown;
  combo->DropDownCount = FDropDownCount;
  combo->Images = FImages;
  combo->SetItems(FItems);
  combo->ListWidth = FListWidth;
  combo->SetPreviewBorder(false);
  combo->SetShowPreview(FDisplayMode != dmTextOnly);
}

void TCfStringsColumn::AssignOwn(const TCfCustomColumn& source) {
  TCfPopupColumn::AssignOwn(source);
  const auto& s = static_cast<const TCfStringsColumn&>(source);
  SetAutoDropDown(s.FAutoDropDown);
  SetDropDownCount(s.FDropDownCount);
  SetDisplayMode(s.FDisplayMode);
  SetImages(s.FImages);
  SetItems(s.FItems);
  SetListWidth(s.FListWidth);
}

bool TCfComboBoxColumn::IsKeyAccepted(char32_t key) const {
  if (FStyle != 1) return TCfStringsColumn::IsKeyAccepted(key);
  if (AutoDropDown()) return true;
  const char32_t folded = FoldCase(key);
  for (const std::string& item : Items())
    if (!item.empty() && FoldCase(FirstCodePoint(item)) == folded) return true;
  return false;
}

void TCfComboBoxColumn::PrepareEditor() {
  TCfStringsColumn::PrepareEditor();
  auto* combo = dynamic_cast<TCfComboBox*>(Editor());
  if (!combo) return;
  combo->SetStyle(FStyle == 1 ? cf::TDropDownStyle::dsDropDownList : cf::TDropDownStyle::dsDropDown);
  combo->AutoComplete = FAutoComplete;
  combo->DisplayMode = FDataMode;
}

void TCfComboBoxColumn::AfterEdit() {
  auto* combo = dynamic_cast<TCfComboBox*>(CreatedEditor());
  if (!combo || FStyle != 1) return;
  const std::string text = combo->Text();
  const std::vector<std::string>& items = combo->Items();
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i] == text) {
      combo->SetItemIndex(static_cast<int>(i));
      return;
    }
}

void TCfComboBoxColumn::AssignOwn(const TCfCustomColumn& source) {
  TCfStringsColumn::AssignOwn(source);
  const auto& s = static_cast<const TCfComboBoxColumn&>(source);
  SetAutoComplete(s.FAutoComplete);
  SetDataMode(s.FDataMode);
  SetStyle(s.FStyle);
}

// ---- check box and image columns -----------------------------------------

TCfCheckBoxColumn::TCfCheckBoxColumn() {
  SetKind(1);
  FSortType = stBoolean;
}

TCfImageColumn::TCfImageColumn() {
  SetKind(7);
  FDefaultValue.assign(1, '0');  // assign(n, c): GCC 12 -O3 warns falsely on a literal
  FSortType = stNumeric;
}

void TCfImageColumn::AssignOwn(const TCfCustomColumn& source) {
  const auto& s = static_cast<const TCfImageColumn&>(source);
  SetImages(s.FImages);
  SetTransparent(s.FTransparent);
}

// ---- number columns ------------------------------------------------------

TCfCustomNumberColumn::TCfCustomNumberColumn() {
  SetKind(4);
  FDefaultValue.assign(1, '0');  // assign(n, c): GCC 12 -O3 warns falsely on a literal
  FSortType = stNumeric;
}

std::string TCfCustomNumberColumn::GetDrawText(const TCellInfo& info) const {
  if (FHideWhenEmpty && info.Value == 0) return FEmptyCaption;
  if (!FFormatMask.empty()) return FTextBefore + FormatFloat(FFormatMask, info.Value) + FTextAfter;
  return FTextBefore + celltext::FloatToText(info.Value) + FTextAfter;
}

bool TCfCustomNumberColumn::IsKeyAccepted(char32_t key) const {
  if (key >= '0' && key <= '9') return true;
  if ((key == '+' || key == '-') && (FEditOptions & eoAllowSigns)) return true;
  // The separator the number edits accept, so a key that starts editing is
  // one the editor then takes.
  return key == cf::DecimalSeparator && (FEditOptions & eoAllowFloat);
}

void TCfCustomNumberColumn::AssignOwn(const TCfCustomColumn& source) {
  const auto& s = static_cast<const TCfCustomNumberColumn&>(source);
  SetEditOptions(s.FEditOptions);
  SetEmptyCaption(s.FEmptyCaption);
  SetFormatMask(s.FFormatMask);
  SetHideWhenEmpty(s.FHideWhenEmpty);
  SetMax(s.FMax);
  SetMin(s.FMin);
  SetTextAfter(s.FTextAfter);
  SetTextBefore(s.FTextBefore);
}

TCfNumberColumn::TCfNumberColumn() { FAlignment = taRightJustify; }

void TCfNumberColumn::PrepareEditor() {
  TCfCustomNumberColumn::PrepareEditor();
  auto* spin = dynamic_cast<TCfSpinEdit*>(Editor());
  if (!spin) return;
  spin->SetOptions(EditOptions());
  spin->Increment = FIncrement;
  spin->Max = Max();
  spin->Min = Min();
  spin->SetSpinButtons(FSpinButtons);
}

void TCfNumberColumn::AfterEdit() {
  if (auto* spin = dynamic_cast<TCfSpinEdit*>(CreatedEditor())) spin->SetPrecision(FPrecision);
}

void TCfNumberColumn::AssignOwn(const TCfCustomColumn& source) {
  TCfCustomNumberColumn::AssignOwn(source);
  const auto& s = static_cast<const TCfNumberColumn&>(source);
  SetIncrement(s.FIncrement);
  SetPrecision(s.FPrecision);
  SetSpinButtons(s.FSpinButtons);
}

// ---- tree column -----------------------------------------------------------

void TCfTreeColumn::AdjustIndent(int level, int& x) const {
  x = level * 19 + x + 16 + (FImages ? FImages->Width() : 0);
}

void TCfTreeColumn::AssignOwn(const TCfCustomColumn& source) {
  const auto& s = static_cast<const TCfTreeColumn&>(source);
  SetExpandLock(s.FExpandLock);
  SetHighlightButton(s.FHighlightButton);
  SetImages(s.FImages);
  SetShowButtons(s.FShowButtons);
  SetShowLines(s.FShowLines);
}
