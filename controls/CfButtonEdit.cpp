#include "controls/CfEdit.h"

#include "controls/CfNativeEdit.h"
#include "controls/CfPopupControl.h"
#include "controls/CfSharedDraw.h"
#include "controls/DeRudaduZevari.h"
#include "platform/FrameControls.h"
#include "platform/Themes.h"

namespace cf {

// ---------------------------------------------------------------- small buttons

TCfSmallButton::TCfSmallButton(TCfCustomEdit* edit, QWidget* parent) : TWinControl(parent), edit_(edit)
{
    setFocusPolicy(Qt::NoFocus);
}

void TCfSmallButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        if (edit_ && edit_->isVisible() && !edit_->Focused())
            edit_->SetFocus();
        Down = true;
        Invalidate();
        if (OnPress)
            OnPress();
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TCfSmallButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (Down) {
        Down = false;
        Invalidate();
        if (OnRelease)
            OnRelease();
    }
    TWinControl::MouseUp(button, shift, x, y);
}

void TCfSmallButton::MouseEnter()
{
    Hot = true;
    Invalidate();
    TWinControl::MouseEnter();
}

void TCfSmallButton::MouseLeave()
{
    Hot = false;
    Invalidate();
    TWinControl::MouseLeave();
}

TCfExecuteButton::TCfExecuteButton(TCfCustomEdit* edit, QWidget* parent) : TCfSmallButton(edit, parent)
{
    resize(21, height());
}

void TCfExecuteButton::Paint(TCanvas& canvas)
{
    TRect r = ClientRect();
    bool disabled = edit_ && !edit_->isEnabled();
    bool themed = false;
    if (ThemeServices().Active()) {
        int state = disabled ? 4 : Down ? 3 : Hot ? 2 : 1;
        themed = ThemeServices().DrawPart(canvas, InflateRect(r, 1, 1), "button", 1, state);
    }
    if (!themed) {
        if (Down) {
            canvas.Brush.Style = bsSolid;
            canvas.Brush.Color = clBtnFace;
            canvas.Pen.Color = clBtnShadow;
            canvas.Rectangle(r);
        } else {
            DrawPushFrame(canvas, r, false, disabled);
        }
    }
    if (!ButtonGlyph.Empty())
        canvas.Draw((r.Width() - ButtonGlyph.Width()) / 2, (r.Height() - ButtonGlyph.Height()) / 2, ButtonGlyph);
    if (!ButtonCaption.empty()) {
        canvas.Font = Font;
        canvas.Font.Color = disabled ? clGrayText : clBtnText;
        DrawTextRect(canvas, r, TAlignment::taCenter, true, ButtonCaption);
    }
}

TDropDownButton::TDropDownButton(TCfCustomEdit* edit, QWidget* parent) : TCfSmallButton(edit, parent)
{
    resize(16, height());
}

void TDropDownButton::Paint(TCanvas& canvas)
{
    TRect r = ClientRect();
    canvas.FillRect(r, clWindow);
    bool disabled = edit_ && !edit_->isEnabled();
    if (ThemeServices().Active()) {
        int state = disabled ? 4 : Down ? 3 : Hot ? 2 : 1;
        if (ThemeServices().DrawPart(canvas, r, "combobox", 1, state))
            return;
    }
    DrawArrowFrame(canvas, r, TFrameArrow::faCombo, Down, Down, disabled);
}

// ---------------------------------------------------------------- button edit

TCfCustomButtonEdit::TCfCustomButtonEdit(QWidget* owner) : TCfEdit(owner)
{
    InitButton(new TCfExecuteButton(this, this));
}

TCfCustomButtonEdit::~TCfCustomButtonEdit() = default;

void TCfCustomButtonEdit::InitButton(TCfSmallButton* button)
{
    delete button_;
    button_ = button;
    button_->OnPress = [this] { ButtonDown(); };
    button_->OnRelease = [this] { ButtonClick(); };
    button_->hide();
    PlaceButton();
    UpdateMargins();
}

void TCfCustomButtonEdit::SetShowButton(bool v)
{
    showButton_ = v;
    PlaceButton();
    UpdateMargins();
}

void TCfCustomButtonEdit::PlaceButton()
{
    if (!button_)
        return;
    int w = button_->Width();
    // Client coordinates, as every child's bounds.
    button_->SetBounds(ClientWidth() - w, 0, w, ClientHeight());
    button_->setVisible(showButton_);
}

void TCfCustomButtonEdit::GetMargins(int& left, int& right)
{
    TCfEdit::GetMargins(left, right);
    right = (button_ && showButton_) ? button_->Width() : 0;
}

void TCfCustomButtonEdit::Resize()
{
    PlaceButton();
    TCfEdit::Resize();
}

void TCfCustomButtonEdit::EditingStarted()
{
    TCfEdit::EditingStarted();
    if (button_)
        button_->Invalidate();
}

void TCfCustomButtonEdit::MouseEnter()
{
    if (button_) {
        button_->Hot = true;
        button_->Invalidate();
    }
    TCfEdit::MouseEnter();
}

void TCfCustomButtonEdit::MouseLeave()
{
    if (button_) {
        button_->Hot = false;
        button_->Invalidate();
    }
    TCfEdit::MouseLeave();
}

void TCfCustomButtonEdit::ButtonClick()
{
    if (OnButtonClick)
        OnButtonClick(this);
}

void TCfCustomButtonEdit::ButtonDown()
{
    if (OnButtonDown)
        OnButtonDown(this);
}

void TCfCustomButtonEdit::EditKeyDown(uint16_t& key, TShiftState shift)
{
    if ((Options & epDisableTyping) && (key == VK_BACK || key == VK_CLEAR || key == VK_DELETE)) {
        key = 0;
        return;
    }
    TCfEdit::EditKeyDown(key, shift);
}

void TCfCustomButtonEdit::EditKeyPress(char32_t& key)
{
    if (Options & epDisableTyping) {
        key = 0;
        return;
    }
    TCfEdit::EditKeyPress(key);
}

void TCfCustomButtonEdit::PasteText(const std::string& text)
{
    if (Options & epDisablePaste)
        return;
    TCfEdit::PasteText(text);
}

void TCfCustomButtonEdit::ApplyText(const std::string& text)
{
    SetText(text);
}

void TCfCustomButtonEdit::PopupSelected(int, const std::string& text)
{
    ApplyText(text);
    if (popup_)
        popup_->hide();
    if (button_) {
        button_->Hot = false;
        button_->Down = false;
        button_->Invalidate();
    }
}

} // namespace cf
