#pragma once

// The text-entry and two-state controls: the single-line edit with its glyph
// and preview strip, number and spin edits, the button edit with its small
// buttons, the drop-down edit and combo box, and the check box and radio
// button. Every edit offers the typed value accessors and the two in-place
// flags a grid uses when it adopts the control as a cell editor.
//
// The text itself lives in a frameless line edit owned by the control; every
// way text can get into it (keys, paste by key, shortcut, context menu or
// middle click, input methods, drops) runs through the control's filters.

#include "controls/CfClasses.h"
#include "controls/CfScrollControl.h"
#include "platform/Bitmap.h"
#include "platform/ImageList.h"
#include "platform/Controls.h"
#include "platform/Timer.h"
#include "settings/Errors.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class QMenu;

namespace cf {

class TCfCustomEdit;
class TCfNativeEdit;
class TCfPopupControl;
class TCfPopupList;

using TNotifyEvent = std::function<void(QObject* sender)>;
using TCustomPreviewDrawEvent = std::function<void(QObject* sender, TRect previewRect)>;

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// The decimal separator the number edits accept and write.
extern char32_t DecimalSeparator;

// The program's one conversion error (shared with the settings readers and the grid).
using ::EConvertError;

// The class library's conversions, on UTF-8 text.
double StrToFloat(const std::string& s);            // raises EConvertError
bool TryStrToFloat(const std::string& s, double& v);
int StrToInt(const std::string& s);                 // raises EConvertError
bool StrToBool(const std::string& s);               // raises EConvertError
double StrToDateTime(const std::string& s);         // raises EConvertError; "" gives 0
std::string DateTimeToStr(double dt);
std::string FloatToStr(double v);                   // shortest, 15 significant digits
std::string FloatToStrFixed(double v, int decimals);

// ---------------------------------------------------------------- edit

class TCfEditMargins {
public:
    explicit TCfEditMargins(TCfCustomEdit* owner) : owner_(owner) {}
    int Left() const { return left_; }
    int Right() const { return right_; }
    void SetLeft(int v);
    void SetRight(int v);

private:
    TCfCustomEdit* owner_;
    int left_ = 0;
    int right_ = 0;
};

// The strip at the left of an edit: glyph and preview box.
class TCfEditInfo : public TWinControl {
public:
    explicit TCfEditInfo(TCfCustomEdit* edit);
    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    TCfCustomEdit* edit_;
};

class TCfCustomEdit : public TWinControl {
public:
    explicit TCfCustomEdit(QWidget* owner = nullptr);
    ~TCfCustomEdit() override;

    std::string Text() const;
    void SetText(const std::string& s);
    // Translatable texts: Text, and the control's Caption and Hint.
    std::optional<std::string> TextProperty(const std::string& name) const override;
    bool SetTextProperty(const std::string& name, const std::string& value) override;
    int SelStart() const;
    int SelLength() const;
    void SetSelStart(int v);
    void SetSelLength(int v);
    std::string SelText() const;
    void SelectAll();
    bool Modified() const;
    void SetModified(bool v);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    bool AutoSelect = true;
    // While on (and with a single border) the height follows the font: the
    // font's line height and the border, 8 px with the 3-D edge, 6 without.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    // Changes the font of the text (and, with AutoSize, the height).
    void SetFont(const TFont& font);
    void SetBorderStyle(TBorderStyle s);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase c);
    TCfEditMargins& EditMargins() { return margins_; }
    TBitmap& Glyph() { return glyph_; }
    void SetGlyph(const TBitmap& b);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int n);
    char32_t PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char32_t c);
    bool PreviewBorder() const { return previewBorder_; }
    void SetPreviewBorder(bool v);
    bool ReadOnly() const { return readOnly_; }
    virtual void SetReadOnly(bool v);
    bool ShowPreview() const { return showPreview_; }
    void SetShowPreview(bool v);
    void SetWantTabs(bool v) { WantTabs = v; }
    bool ListDropped() const { return listDropped_; }

    TNotifyEvent OnChange;
    TCustomPreviewDrawEvent OnCustomPreviewDraw;
    TNotifyEvent OnGlyphClick;

    // Set by a grid for the time it edits a cell through this control.
    // Meanwhile Return and Escape belong to the grid (commit, cancel), never
    // to the form's default and cancel buttons.
    bool InplaceEdit = false;
    // Set once by a grid column that adopts the control.
    bool Embedded = false;

    // Typed value accessors.
    virtual bool GetAsBoolean();
    virtual double GetAsDateTime();
    virtual double GetAsFloat();
    virtual int GetAsInteger();
    virtual std::string GetAsString();
    virtual bool HasEditableText() const { return true; }
    virtual TRect GetPreviewRect() const;
    virtual void InfoMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void PaintTextArea(TCanvas& canvas);
    virtual void DrawPreview(TCanvas& canvas, const TRect& r);
    virtual void SetAsBoolean(bool v);
    virtual void SetAsDateTime(double v);
    virtual void SetAsFloat(double v);
    virtual void SetAsInteger(int v);
    virtual void SetAsString(const std::string& v);
    virtual void GetMargins(int& left, int& right);
    virtual void EditingDone() {}
    virtual void EditingStarted() {}

    void UpdateMargins();
    void PlaceInfo();
    void RefreshPreview();
    TCfEditInfo* Info() const { return info_; }
    TCfNativeEdit* NativeEdit() const { return edit_; }
    TRect TextRect() const;  // where the line edit sits, client coordinates

    // Input from the line edit; the filters of the derived controls hook in here.
    virtual void EditKeyDown(uint16_t& key, TShiftState shift);
    virtual void EditKeyPress(char32_t& key);
    virtual void EditKeyUp(uint16_t& key, TShiftState shift);
    // The paste message: the clipboard's text through PasteText.
    void WMPaste();
    // Text arriving as a whole (paste, middle click, drop) at the caret.
    virtual void PasteText(const std::string& text);
    // The context menu of the text, whose Paste runs WMPaste.
    QMenu* CreateContextMenu();
    // The text changed (by the user or by code).
    virtual void Change();
    virtual void TextChanged() {}

    bool ClaimsDialogKey(uint16_t key, TShiftState shift) const override;
    void Resize() override;
    void Paint(TCanvas& canvas) override;
    void EnabledChanged() override;
    // Keys reaching the control itself (list style, where the text is not
    // edited) take the same path as keys in the text.
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void KeyUp(uint16_t& key, TShiftState shift) override;
    // Shows or hides the line edit (hidden while the text is not editable).
    void UpdateTextVisibility();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void ApplyCharCase();
    void ApplyInsets();
    void AdjustHeight();
    bool autoSize_ = true;
    int borderWidth_ = 0;
    bool changing_ = false;
    TCfNativeEdit* edit_;
    TCfEditInfo* info_;
    bool listDropped_ = false;
    TCfEditMargins margins_;
    TBitmap glyph_;
    bool previewBorder_ = true;
    bool showPreview_ = false;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TEditCharCase charCase_ = TEditCharCase::ecNormal;
    int maxLength_ = 0;
    char32_t passwordChar_ = 0;
    bool readOnly_ = false;
    int marginLeft_ = 0;
    int marginRight_ = 0;
};

class TCfEdit : public TCfCustomEdit {
public:
    explicit TCfEdit(QWidget* owner = nullptr);
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void EditingStarted() override;
    void Paint(TCanvas& canvas) override;
    void PaintNonClient(TCanvas& canvas) override;
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int w);
};

// ---------------------------------------------------------------- number edits

enum TCfNumberEditOption : unsigned {
    eoAllowAll = 1, eoAllowFloat = 2, eoAllowSigns = 4, eoDisablePaste = 8, eoDisableTyping = 16
};
using TCfNumberEditOptions = unsigned;

class TCfCustomNumberEdit : public TCfEdit {
public:
    explicit TCfCustomNumberEdit(QWidget* owner = nullptr);

    double Max = 0;
    double Min = 0;
    const std::string& NullText() const { return nullText_; }
    void SetNullText(const std::string& s);
    TCfNumberEditOptions Options() const { return options_; }
    void SetOptions(TCfNumberEditOptions o) { options_ = o; }
    int Precision() const { return precision_; }
    void SetPrecision(int p);
    const std::string& TextAfter() const { return textAfter_; }
    void SetTextAfter(const std::string& s);
    const std::string& TextBefore() const { return textBefore_; }
    void SetTextBefore(const std::string& s);
    // Reading never changes the text; bad text gives the last good value.
    double Value() const;
    void SetValue(double v);
    std::string FormatValue(double v) const;
    double LastGoodValue() const { return lastGood_; }

    double GetAsFloat() override { return Value(); }
    int GetAsInteger() override;
    void SetAsFloat(double v) override;
    void SetAsInteger(int v) override;
    void EditingDone() override;

    void EditKeyDown(uint16_t& key, TShiftState shift) override;
    void EditKeyPress(char32_t& key) override;
    void PasteText(const std::string& text) override;
    void DoExit() override;
    void Change() override;

    // The digits, signs and separator reading keeps; allowSeparator and
    // allowSigns say which of them may stay.
    static std::u32string CleanNumberText(const std::u32string& text, bool allowSeparator, bool allowSigns);

protected:
    double Clamp(double v) const;
    std::optional<double> Parse(const std::string& text) const;
    std::string nullText_;
    TCfNumberEditOptions options_ = eoAllowFloat | eoAllowSigns;
    int precision_ = 2;
    std::string textAfter_;
    std::string textBefore_;
    double lastGood_ = 0;
};

class TCfNumberEdit : public TCfCustomNumberEdit {
public:
    explicit TCfNumberEdit(QWidget* owner = nullptr);
};

using TSpinButtonSet = unsigned;  // 1 up, 2 down
using TSpinEvent = std::function<void(QObject* sender, TSpinButtonSet buttons)>;

class TCfSpinButtons : public TWinControl {
public:
    explicit TCfSpinButtons(QWidget* owner);
    uint8_t HotPart() const { return hot_; }
    uint8_t PressedPart() const { return pressed_; }
    void SetHotPart(uint8_t p);
    void SetPressed(uint8_t part);
    std::function<void(TSpinButtonSet)> OnSpin;
    TTimer& DelayTimer() { return delay_; }
    TTimer& RepeatTimer() { return repeat_; }
    bool EditEnabled = true;

    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseLeave() override;

private:
    uint8_t PartAt(int y) const;
    uint8_t hot_ = 0;
    uint8_t pressed_ = 0;
    TTimer delay_;
    TTimer repeat_;
};

class TCfSpinEdit : public TCfCustomNumberEdit {
public:
    explicit TCfSpinEdit(QWidget* owner = nullptr);
    double Increment = 1.0;
    bool SpinButtons() const { return spinButtons_; }
    void SetSpinButtons(bool v);
    TSpinEvent OnSpin;
    TCfSpinButtons* Buttons() const { return buttons_; }
    void Spin(TSpinButtonSet buttons);

    int GetAsInteger() override;
    void SetAsFloat(double v) override { SetValue(v); }
    void SetAsInteger(int v) override { SetValue(v); }
    void GetMargins(int& left, int& right) override;
    void EditingStarted() override;
    void EditKeyDown(uint16_t& key, TShiftState shift) override;
    void EditKeyUp(uint16_t& key, TShiftState shift) override;
    bool MouseWheel(TShiftState shift, int delta, TPoint mousePos) override;
    void MouseEnter() override;
    void Resize() override;
    void EnabledChanged() override;

private:
    void PlaceButtons();
    TCfSpinButtons* buttons_ = nullptr;
    bool spinButtons_ = true;
};

// ---------------------------------------------------------------- button edit

class TCfSmallButton : public TWinControl {
public:
    TCfSmallButton(TCfCustomEdit* edit, QWidget* parent);
    std::string ButtonCaption;
    bool Down = false;
    bool Hot = false;
    std::function<void()> OnPress;
    std::function<void()> OnRelease;
    TBitmap ButtonGlyph;
    TCfCustomEdit* Edit() const { return edit_; }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;

protected:
    TCfCustomEdit* edit_;
};

class TCfExecuteButton : public TCfSmallButton {
public:
    TCfExecuteButton(TCfCustomEdit* edit, QWidget* parent);
    void Paint(TCanvas& canvas) override;
};

class TDropDownButton : public TCfSmallButton {
public:
    TDropDownButton(TCfCustomEdit* edit, QWidget* parent);
    void Paint(TCanvas& canvas) override;
};

enum TCfEditOption : unsigned { epDisablePaste = 1, epDisableTyping = 2 };
using TCfEditOptions = unsigned;

class TCfCustomButtonEdit : public TCfEdit {
public:
    explicit TCfCustomButtonEdit(QWidget* owner = nullptr);
    ~TCfCustomButtonEdit() override;

    TCfEditOptions Options = 0;
    bool ShowButton() const { return showButton_; }
    void SetShowButton(bool v);
    TNotifyEvent OnButtonClick;
    TNotifyEvent OnButtonDown;
    TCfSmallButton* Button() const { return button_; }
    TCfPopupControl* Popup() const { return popup_.get(); }

    virtual void CreatePopup() {}
    virtual void ApplyText(const std::string& text);
    virtual void PreparePopup(TPoint p) { (void)p; }
    virtual void PopupSelected(int index, const std::string& text);
    virtual void PlaceButton();
    virtual void ButtonClick();
    virtual void ButtonDown();

    void GetMargins(int& left, int& right) override;
    void EditingStarted() override;
    void EditKeyDown(uint16_t& key, TShiftState shift) override;
    void EditKeyPress(char32_t& key) override;
    void PasteText(const std::string& text) override;
    void Resize() override;
    void MouseEnter() override;
    void MouseLeave() override;

protected:
    // Creates the button; derived controls pass their own class.
    void InitButton(TCfSmallButton* button);
    TCfSmallButton* button_ = nullptr;
    std::unique_ptr<TCfPopupControl> popup_;
    bool showButton_ = true;
};

// ---------------------------------------------------------------- drop-down edit and combo box

enum class TDropDownStyle { dsDropDown, dsDropDownList };

class TCfPopupEdit : public TCfCustomButtonEdit {
public:
    explicit TCfPopupEdit(QWidget* owner = nullptr);
    ~TCfPopupEdit() override;

    bool HideFocus = false;
    TDropDownStyle Style() const { return style_; }
    virtual void SetStyle(TDropDownStyle s);
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnSelect;
    bool Dropped() const { return dropped_; }
    // byKeyboard: the list opens armed, so the user's first click in it counts.
    void SetDropped(bool value, bool byKeyboard = false);

    bool HasEditableText() const override { return style_ != TDropDownStyle::dsDropDownList; }
    // While the list is open, Return and Escape close it.
    bool ClaimsDialogKey(uint16_t key, TShiftState shift) const override;
    void ButtonDown() override;
    void PopupSelected(int index, const std::string& text) override;
    void PaintTextArea(TCanvas& canvas) override;
    void InfoMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void EditKeyDown(uint16_t& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void DoExit() override;
    void DoEnter() override;
    void CancelMode();

protected:
    // The list window for this edit; the combo box gives a list.
    virtual TCfPopupControl* NewPopup();
    void EnsurePopup();
    TDropDownStyle style_ = TDropDownStyle::dsDropDown;
    bool dropped_ = false;
    bool changingVisibility_ = false;
    bool event(QEvent* e) override;
};

struct TCfItemState {
    bool Selected = false;
};
using TCfDrawItemEvent = std::function<void(QObject* sender, int index, TRect rect, TCfItemState state)>;

class TCfComboBox : public TCfPopupEdit {
public:
    explicit TCfComboBox(QWidget* owner = nullptr);
    ~TCfComboBox() override;

    bool AutoComplete = false;
    int AutoCompleteDelay = 750;
    bool AutoDropDown = false;
    TItemsDisplayMode DisplayMode = TItemsDisplayMode::dmDefault;
    TDrawingOptions DrawingOptions = TDrawingOptions::doNormal;
    TColor DropDownColor = clWindow;
    int DropDownCount = 8;
    TColor HighlightTextColor = clHighlightText;
    // Referenced, not owned; forgotten when the list is destroyed.
    QPointer<TCustomImageList> Images;
    int ItemHeight = 16;
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int v);
    std::vector<std::string>& Items() { return items_; }
    void SetItems(const std::vector<std::string>& items) { items_ = items; }
    // Translatable: Items line by line, besides the edit's texts.
    std::unique_ptr<TTextLines> LinesProperty(const std::string& name) override;
    int ListWidth = 0;
    TColor SelectionColor = clHighlight;
    TCfDrawItemEvent OnDrawItem;
    // OnClick (inherited) reports a choice made by type-ahead; a mouse click
    // on the box itself is no "click" of a combo box.
    void Click() override {}
    // Set while a form is being read: ItemIndex does not touch the text.
    bool Loading = false;
    void Loaded();

    TCfPopupList* List();
    const std::u32string& TypeAhead() const { return typeAhead_; }
    // Text shown for an item by DisplayMode.
    std::string ItemText(int index) const;
    bool SelectItem(std::u32string text);

    void PreparePopup(TPoint p) override;
    void PopupSelected(int index, const std::string& text) override;
    void ApplyText(const std::string&) override {}
    void SetStyle(TDropDownStyle s) override;
    void TextChanged() override;
    void DrawPreview(TCanvas& canvas, const TRect& r) override;
    void EditKeyDown(uint16_t& key, TShiftState shift) override;
    void EditKeyPress(char32_t& key) override;
    bool MouseWheel(TShiftState shift, int delta, TPoint mousePos) override;

protected:
    TCfPopupControl* NewPopup() override;

private:
    void ArrowKey(uint16_t& key, TShiftState shift);
    void TypedChar(char32_t& key);
    int itemIndex_ = -1;
    std::vector<std::string> items_;
    std::u32string typeAhead_;
    uint64_t lastKeyTime_ = 0;
    bool haveLastKey_ = false;
    bool settingIndex_ = false;
};

// ---------------------------------------------------------------- check box and radio button

class TCfCanvasCellEditor : public TWinControl {
public:
    explicit TCfCanvasCellEditor(QWidget* owner = nullptr);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    int Margin() const { return margin_; }
    void SetMargin(int m);
    TVerticalAlignment VerticalAlignment() const { return vertical_; }
    void SetVerticalAlignment(TVerticalAlignment v);
    bool AutoSize = false;
    void PaintNonClient(TCanvas& canvas) override;

protected:
    TAlignment alignment_ = TAlignment::taLeftJustify;
    int margin_ = 0;
    TVerticalAlignment vertical_ = TVerticalAlignment::taVerticalCenter;
};

enum TCheckBoxOption : unsigned { coExpandActiveRect = 1 };
using TCheckBoxOptions = unsigned;

// Shared behaviour of the check box and the radio button.
class TCfTwoStateControl : public TCfCanvasCellEditor {
public:
    explicit TCfTwoStateControl(QWidget* owner = nullptr);
    bool Checked() const { return checked_; }
    virtual void SetChecked(bool v);
    bool Grayed() const { return grayed_; }
    void SetGrayed(bool v) { grayed_ = v; }
    bool Hot() const { return hot_; }
    bool Pressed() const { return pressed_; }
    int Indent() const { return indent_; }
    void SetIndent(int v);
    TNotifyEvent OnChange;
    TCheckBoxOptions Options() const { return options_; }
    void SetOptions(TCheckBoxOptions o);

    virtual TSize BoxSize() const = 0;
    TRect BoxRect() const;
    TRect ActiveRect() const;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyUp(uint16_t& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;

protected:
    virtual void Activate() = 0;  // what a click or the space bar does
    // The dotted focus rectangle around the caption's text (or the box when
    // there is no caption) while the control has the focus.
    void DrawFocusCue(TCanvas& canvas, const TRect& caption, const TRect& box);
    void InvalidateBox();
    bool checked_ = false;
    bool grayed_ = false;
    bool hot_ = false;
    bool pressed_ = false;
    int indent_ = 4;
    TCheckBoxOptions options_ = 0;
};

class TCfCheckBox : public TCfTwoStateControl {
public:
    explicit TCfCheckBox(QWidget* owner = nullptr);
    TSize BoxSize() const override;
    void Paint(TCanvas& canvas) override;

protected:
    void Activate() override { SetChecked(!checked_); }
};

class TCfRadioButton : public TCfTwoStateControl {
public:
    explicit TCfRadioButton(QWidget* owner = nullptr);
    TSize BoxSize() const override;
    void SetChecked(bool v) override;
    void Paint(TCanvas& canvas) override;

protected:
    void Activate() override { SetChecked(true); }
};

} // namespace cf
