#include "controls/CfEdit.h"

#include "controls/CfNativeEdit.h"
#include "platform/FrameControls.h"
#include "platform/ScreenArea.h"
#include "platform/Themes.h"

#include <cmath>
#include <limits>

namespace cf {

// ---------------------------------------------------------------- spin buttons

TCfSpinButtons::TCfSpinButtons(QWidget* owner) : TWinControl(owner)
{
    setFocusPolicy(Qt::NoFocus);
    delay_.SetEnabled(false);
    delay_.SetInterval(400);
    delay_.SetOnTimer([this](TTimer*) {
        delay_.SetEnabled(false);
        repeat_.SetEnabled(true);
    });
    repeat_.SetEnabled(false);
    repeat_.SetInterval(20);
    repeat_.SetOnTimer([this](TTimer*) {
        if (pressed_ != 0 && OnSpin)
            OnSpin(pressed_);
    });
}

uint8_t TCfSpinButtons::PartAt(int y) const
{
    return y < ClientHeight() / 2 ? 1 : 2;
}

void TCfSpinButtons::SetHotPart(uint8_t p)
{
    if (hot_ == p)
        return;
    hot_ = p;
    Invalidate();
}

void TCfSpinButtons::SetPressed(uint8_t part)
{
    if (part == 0) {
        pressed_ = 0;
        delay_.SetEnabled(false);
        repeat_.SetEnabled(false);
        Invalidate();
        return;
    }
    pressed_ = part;
    repeat_.SetEnabled(false);
    delay_.SetEnabled(false);
    delay_.SetEnabled(true);
    if (OnSpin)
        OnSpin(part);
    Invalidate();
}

void TCfSpinButtons::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft)
        SetPressed(PartAt(y));
    TWinControl::MouseDown(button, shift, x, y);
}

void TCfSpinButtons::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft)
        SetPressed(0);
    TWinControl::MouseUp(button, shift, x, y);
}

void TCfSpinButtons::MouseMove(TShiftState shift, int x, int y)
{
    SetHotPart(PartAt(y));
    TWinControl::MouseMove(shift, x, y);
}

void TCfSpinButtons::MouseLeave()
{
    SetHotPart(0);
    TWinControl::MouseLeave();
}

void TCfSpinButtons::Paint(TCanvas& canvas)
{
    int half = ClientHeight() / 2;
    TRect up(0, 0, ClientWidth(), half);
    TRect down(0, half, ClientWidth(), ClientHeight());
    bool disabled = !EditEnabled || !isEnabled();
    if (ThemeServices().Active()) {
        auto state = [&](uint8_t part) {
            return disabled ? 4 : pressed_ == part ? 3 : (hot_ == part || hot_ == 3) ? 2 : 1;
        };
        if (ThemeServices().DrawPart(canvas, up, "spin", 1, state(1)) &&
            ThemeServices().DrawPart(canvas, down, "spin", 2, state(2)))
            return;
    }
    DrawArrowFrame(canvas, up, TFrameArrow::faUp, pressed_ == 1, false, disabled);
    DrawArrowFrame(canvas, down, TFrameArrow::faDown, pressed_ == 2, false, disabled);
}

// ---------------------------------------------------------------- spin edit

TCfSpinEdit::TCfSpinEdit(QWidget* owner) : TCfCustomNumberEdit(owner)
{
    precision_ = 0;
    buttons_ = new TCfSpinButtons(this);
    buttons_->OnSpin = [this](TSpinButtonSet b) { Spin(b); };
    buttons_->show();
    PlaceButtons();
    UpdateMargins();
    SetValue(0);
}

void TCfSpinEdit::SetSpinButtons(bool v)
{
    spinButtons_ = v;
    PlaceButtons();
    UpdateMargins();
}

void TCfSpinEdit::PlaceButtons()
{
    if (!buttons_)
        return;
    bool single = BorderStyle() == TBorderStyle::bsSingle;
    int w = VScrollArrowWidth();
    // Client coordinates, as every child's bounds.
    buttons_->SetBounds(ClientWidth() - w, single ? 1 : 0, w, ClientHeight() - (single ? 2 : 0) + 1);
    buttons_->setVisible(spinButtons_);
}

void TCfSpinEdit::GetMargins(int& left, int& right)
{
    TCfCustomNumberEdit::GetMargins(left, right);
    if (buttons_ && spinButtons_)
        right += VScrollArrowWidth();
}

void TCfSpinEdit::Resize()
{
    PlaceButtons();
    TCfCustomNumberEdit::Resize();
}

void TCfSpinEdit::EnabledChanged()
{
    buttons_->EditEnabled = isEnabled();
    buttons_->Invalidate();
    TCfCustomNumberEdit::EnabledChanged();
}

void TCfSpinEdit::Spin(TSpinButtonSet b)
{
    if (ReadOnly())
        return;
    if (isVisible() && !Focused())
        SetFocus();
    double v = Value();
    bool limited = Min != 0 || Max != 0;
    if (b & 1) {
        if (limited && v + Increment > Max)
            return;
        SetValue(v + Increment);
    } else if (b & 2) {
        if (v == 0 && !(options_ & eoAllowSigns))
            return;
        // Without signs the value never goes below zero.
        if (!(options_ & eoAllowSigns) && v - Increment < 0)
            return;
        if (limited && v - Increment < Min)
            return;
        SetValue(v - Increment);
    } else {
        return;
    }
    edit_->end(false);
    if (OnSpin)
        OnSpin(this, b);
    SetModified(true);
}

int TCfSpinEdit::GetAsInteger()
{
    double v = std::nearbyint(Value());
    if (!(v >= double(std::numeric_limits<int>::min())))
        return std::numeric_limits<int>::min();
    if (v > double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return int(v);
}

void TCfSpinEdit::EditingStarted()
{
    TCfCustomNumberEdit::EditingStarted();
    buttons_->Invalidate();
}

void TCfSpinEdit::EditKeyDown(uint16_t& key, TShiftState shift)
{
    if (!Embedded && spinButtons_ && !(shift & ssAlt)) {
        if (key == VK_UP) {
            buttons_->SetPressed(1);
            key = 0;
            return;
        }
        if (key == VK_DOWN) {
            buttons_->SetPressed(2);
            key = 0;
            return;
        }
    }
    TCfCustomNumberEdit::EditKeyDown(key, shift);
}

void TCfSpinEdit::EditKeyUp(uint16_t& key, TShiftState shift)
{
    if (buttons_->PressedPart() != 0)
        buttons_->SetPressed(0);
    TCfCustomNumberEdit::EditKeyUp(key, shift);
}

bool TCfSpinEdit::MouseWheel(TShiftState shift, int delta, TPoint mousePos)
{
    if (!Embedded && spinButtons_) {
        uint8_t part = delta > 0 ? 1 : 2;
        buttons_->SetPressed(part);
        buttons_->SetPressed(0);
        return true;
    }
    return TCfCustomNumberEdit::MouseWheel(shift, delta, mousePos);
}

void TCfSpinEdit::MouseEnter()
{
    buttons_->SetHotPart(3);
    TCfCustomNumberEdit::MouseEnter();
}

} // namespace cf
