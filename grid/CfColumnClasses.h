#pragma once
// The column classes the forms use. They differ only in their hooks: data
// kind, in-place editor, painter, play object, capabilities, the text they
// paint and the keys that start editing.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "grid/CfColumns.h"

// Plain text cells edited with a single-line edit.
class TCfTextColumn : public TCfCustomColumn {
 public:
  TCfTextColumn();
  TColumnEditorClass GetEditorClass() const override { return TColumnEditorClass::Edit; }
  TColumnDisplayClass GetDisplayClass() const override { return TColumnDisplayClass::Text; }
  int GetCapabilities() const override { return 42; }
  // The shared text measure plus 5.
  int GetTextWidth(TCanvas& canvas, const std::string& text) const override;
  bool IsMultiLine(bool Default) const override { return FMultiLine ? true : Default; }
  // TextBefore + text + TextAfter, all masked when PasswordChar is set.
  std::string GetDrawText(const TCellInfo& info) const override;
  bool IsKeyAccepted(char32_t key) const override { return key > 32; }
  // The editor is embedded and takes MaxLength and PasswordChar.
  void PrepareEditor() override;

  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int v) { FMaxLength = v; }
  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool v) { SetNoted(FMultiLine, v, cnAppearance); }
  char32_t PasswordChar() const { return FPasswordChar; }  // 0: none
  void SetPasswordChar(char32_t v) { SetNoted(FPasswordChar, v, cnAppearance); }
  const std::string& TextAfter() const { return FTextAfter; }
  void SetTextAfter(const std::string& v) { SetNoted(FTextAfter, v, cnAppearance); }
  const std::string& TextBefore() const { return FTextBefore; }
  void SetTextBefore(const std::string& v) { SetNoted(FTextBefore, v, cnAppearance); }

 protected:
  void AssignOwn(const TCfCustomColumn& source) override;

 private:
  int FMaxLength = 0;
  bool FMultiLine = false;
  char32_t FPasswordChar = 0;
  std::string FTextAfter, FTextBefore;
};

// Base of the columns edited through a pop-up editor; a subclass names it.
class TCfPopupColumn : public TCfTextColumn {
 public:
  TColumnEditorClass GetEditorClass() const override = 0;

  std::function<void(TCfCustomColumn* Sender)> OnCloseUp;
  std::function<void(TCfCustomColumn* Sender)> OnSelect;

 protected:
  TCfPopupColumn() = default;
};

// Base of the columns that pick from a list of texts; a subclass names a
// combo box as its editor.
class TCfStringsColumn : public TCfPopupColumn {
 public:
  TColumnDisplayClass GetDisplayClass() const override { return TColumnDisplayClass::Strings; }
  // The combo box takes the list settings, a copy of Items and a preview
  // (without border) unless only text is shown.
  void PrepareEditor() override;

  bool AutoDropDown() const { return FAutoDropDown; }
  void SetAutoDropDown(bool v) { FAutoDropDown = v; }
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int v) { FDropDownCount = v; }
  TDisplayMode DisplayMode() const { return FDisplayMode; }
  void SetDisplayMode(TDisplayMode v) { SetNoted(FDisplayMode, v, cnAppearance); }
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* v) { SetNoted(FImages, v, cnAppearance); }
  std::vector<std::string>& Items() { return FItems; }
  const std::vector<std::string>& Items() const { return FItems; }
  void SetItems(const std::vector<std::string>& v) { FItems = v; }
  int ListWidth() const { return FListWidth; }
  void SetListWidth(int v) { FListWidth = v; }

 protected:
  TCfStringsColumn() = default;
  void AssignOwn(const TCfCustomColumn& source) override;

 private:
  bool FAutoDropDown = false;
  int FDropDownCount = 8;
  TDisplayMode FDisplayMode = dmTextOnly;
  TCustomImageList* FImages = nullptr;
  std::vector<std::string> FItems;
  int FListWidth = 0;
};

class TCfComboBoxColumn : public TCfStringsColumn {
 public:
  TCfComboBoxColumn() = default;
  TColumnEditorClass GetEditorClass() const override { return TColumnEditorClass::ComboBox; }
  // Style 1 (pick from the list): a key is accepted when an item begins with
  // it, or the list drops down by itself.
  bool IsKeyAccepted(char32_t key) const override;
  // Style 1 makes the combo a pick list; AutoComplete and DataMode follow.
  void PrepareEditor() override;
  // Style 1: the item whose text equals the editor's text is selected.
  void AfterEdit() override;

  bool AutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(bool v) { FAutoComplete = v; }
  TItemsDisplayMode DataMode() const { return FDataMode; }
  void SetDataMode(TItemsDisplayMode v) { FDataMode = v; }
  int Style() const { return FStyle; }
  void SetStyle(int v) { FStyle = v; }

 protected:
  void AssignOwn(const TCfCustomColumn& source) override;

 private:
  bool FAutoComplete = false;
  TItemsDisplayMode FDataMode = dmDefault;
  int FStyle = 0;
};

class TCfCheckBoxColumn : public TCfCustomColumn {
 public:
  TCfCheckBoxColumn();
  TColumnDisplayClass GetDisplayClass() const override { return TColumnDisplayClass::CheckBox; }
  TColumnPlayClass GetPlayClass() const override { return TColumnPlayClass::CheckBox; }
  int GetCapabilities() const override { return 10; }

  std::function<void(TCfCustomColumn* Sender)> OnChange;
};

class TCfImageColumn : public TCfCustomColumn {
 public:
  TCfImageColumn();
  TColumnDisplayClass GetDisplayClass() const override { return TColumnDisplayClass::Image; }
  int GetCapabilities() const override { return 8; }

  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* v) { SetNoted(FImages, v, cnAppearance); }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v) { SetNoted(FTransparent, v, cnAppearance); }

 protected:
  void AssignOwn(const TCfCustomColumn& source) override;

 private:
  TCustomImageList* FImages = nullptr;
  bool FTransparent = true;
};

class TCfCustomNumberColumn : public TCfCustomColumn {
 public:
  TCfCustomNumberColumn();
  TColumnDisplayClass GetDisplayClass() const override { return TColumnDisplayClass::Number; }
  int GetCapabilities() const override { return 42; }
  // EmptyCaption for 0 with HideWhenEmpty; else the value by FormatMask, or
  // its shortest text, between TextBefore and TextAfter.
  std::string GetDrawText(const TCellInfo& info) const override;
  bool IsKeyAccepted(char32_t key) const override;

  TCfNumberEditOptions EditOptions() const { return FEditOptions; }
  void SetEditOptions(TCfNumberEditOptions v) { FEditOptions = v; }
  const std::string& EmptyCaption() const { return FEmptyCaption; }
  void SetEmptyCaption(const std::string& v) { SetNoted(FEmptyCaption, v, cnAppearance); }
  const std::string& FormatMask() const { return FFormatMask; }
  void SetFormatMask(const std::string& v) { SetNoted(FFormatMask, v, cnAppearance); }
  bool HideWhenEmpty() const { return FHideWhenEmpty; }
  void SetHideWhenEmpty(bool v) { SetNoted(FHideWhenEmpty, v, cnAppearance); }
  double Max() const { return FMax; }
  void SetMax(double v) { FMax = v; }
  double Min() const { return FMin; }
  void SetMin(double v) { FMin = v; }
  const std::string& TextAfter() const { return FTextAfter; }
  void SetTextAfter(const std::string& v) { SetNoted(FTextAfter, v, cnAppearance); }
  const std::string& TextBefore() const { return FTextBefore; }
  void SetTextBefore(const std::string& v) { SetNoted(FTextBefore, v, cnAppearance); }

 protected:
  void AssignOwn(const TCfCustomColumn& source) override;

 private:
  TCfNumberEditOptions FEditOptions = eoAllowFloat;
  std::string FEmptyCaption;
  std::string FFormatMask;
  bool FHideWhenEmpty = false;
  double FMax = 0, FMin = 0;
  std::string FTextAfter, FTextBefore;
};

class TCfNumberColumn : public TCfCustomNumberColumn {
 public:
  TCfNumberColumn();
  TColumnEditorClass GetEditorClass() const override { return TColumnEditorClass::SpinEdit; }
  // The spin edit takes EditOptions, Increment, Max, Min and SpinButtons.
  void PrepareEditor() override;
  // The spin edit takes Precision.
  void AfterEdit() override;

  double Increment() const { return FIncrement; }
  void SetIncrement(double v) { FIncrement = v; }
  int Precision() const { return FPrecision; }
  void SetPrecision(int v) { FPrecision = v; }
  bool SpinButtons() const { return FSpinButtons; }
  void SetSpinButtons(bool v) { FSpinButtons = v; }

 protected:
  void AssignOwn(const TCfCustomColumn& source) override;

 private:
  double FIncrement = 1.0;
  int FPrecision = 0;
  bool FSpinButtons = true;
};

class TCfTreeColumn : public TCfCustomColumn {
 public:
  TCfTreeColumn() = default;
  TColumnEditorClass GetEditorClass() const override { return TColumnEditorClass::Edit; }
  TColumnDisplayClass GetDisplayClass() const override { return TColumnDisplayClass::Tree; }
  TColumnPlayClass GetPlayClass() const override { return TColumnPlayClass::Tree; }
  int GetCapabilities() const override { return 15; }
  bool IsKeyAccepted(char32_t key) const override { return key > 32; }
  // X moves right by 19 pixels per level, 16 for the button and the image width.
  void AdjustIndent(int level, int& x) const override;

  bool ExpandLock() const { return FExpandLock; }
  void SetExpandLock(bool v) { FExpandLock = v; }
  bool HighlightButton() const { return FHighlightButton; }
  void SetHighlightButton(bool v) { SetNoted(FHighlightButton, v, cnAppearance); }
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* v) { SetNoted(FImages, v, cnAppearance); }
  bool ShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool v) { SetNoted(FShowButtons, v, cnAppearance); }
  bool ShowLines() const { return FShowLines; }
  void SetShowLines(bool v) { SetNoted(FShowLines, v, cnAppearance); }

 protected:
  void AssignOwn(const TCfCustomColumn& source) override;

 private:
  bool FExpandLock = false;
  bool FHighlightButton = false;
  TCustomImageList* FImages = nullptr;
  bool FShowButtons = true;
  bool FShowLines = false;
};
