#include "controls/GlossButton.h"

#include "controls/GlossPanel.h"
#include "platform/Frame3D.h"
#include "platform/DrawText.h"
#include "platform/Forms.h"

namespace cf {

namespace {

struct ButtonScheme {
    TGlossColors normal, over, down;
    TColor focus;
};

constexpr TColor Black = 0x000000;

// Face, grad, dark, light, border, text per state. The plain schemes leave
// the gradient colours alone (their grad entries are not applied).
constexpr ButtonScheme ButtonSchemes[] = {
    // csNeoDesert
    {{0xE6F7FF, 0x70CFFF, 0x1FA6F0, 0xF2FBFF, 0x00699B, Black},
     {0xDDF3FF, 0x4DBFFF, 0x008FD5, 0xFFFFFF, 0x005A85, Black},
     {0x5AB8F0, 0x9DDCFF, 0xC7ECFF, 0x0080C0, 0x004A70, Black}, 0x1493DC},
    // csNeoSky
    {{0xFFF4EA, 0xFFBF80, 0xF0A060, 0xFFFAF5, 0xB35900, Black},
     {0xFFF0E0, 0xFFAA55, 0xE08A3A, 0xFFFFFF, 0x994C00, Black},
     {0xF0A060, 0xFFD5AA, 0xFFE8D1, 0xC06A20, 0x804000, Black}, 0xDC9B14},
    // csNeoGrass
    {{0xEAFBF1, 0x80E0A8, 0x4CC07A, 0xF5FDF8, 0x156F37, Black},
     {0xE0F8EA, 0x5CD48D, 0x35A862, 0xFFFFFF, 0x115C2D, Black},
     {0x5CC288, 0xA8EEC6, 0xCFF5DF, 0x2C8C50, 0x0D4722, Black}, 0x2E9A55},
    // csNeoSilver
    {{0xF3F3F3, 0xBCBCBC, 0xA7A7A7, 0xF7F7F7, 0x626262, Black},
     {0xF0F0F0, 0xA6A6A6, 0x979797, 0xFFFFFF, 0x555555, Black},
     {0xCACACA, 0xDADADA, 0xF0F0F0, 0x8C8C8C, 0x4E4E4E, Black}, 0xADADAD},
    // csNeoRose
    {{0xF0F0FF, 0x9999FF, 0x6666E6, 0xF8F8FF, 0x00009D, Black},
     {0xE8E8FF, 0x7A7AFF, 0x4D4DD6, 0xFFFFFF, 0x000080, Black},
     {0x7070F0, 0xB8B8FF, 0xDADAFF, 0x2A2AB0, 0x000060, Black}, 0x3D3DD6},
    // csNeoSun
    {{0xEAFFFF, 0x80F0F0, 0x40C8C8, 0xF5FFFF, 0x006464, Black},
     {0xE0FFFF, 0x5CE6E6, 0x20B0B0, 0xFFFFFF, 0x005050, Black},
     {0x5CD0D0, 0xA8F5F5, 0xCFFAFA, 0x208080, 0x003C3C, Black}, 0x14A0A0},
    // csDesert
    {{0xA4E1FF, 0, 0x4DBFFF, 0xD9F1FF, 0x00699B, Black},
     {0x8CD8FF, 0, 0x008FD5, 0xE6F6FF, 0x00699B, Black},
     {0x75CFFF, 0, 0xD9F1FF, 0x008FD5, 0x005075, Black}, 0x1493DC},
    // csGrass
    {{0xB0F2CB, 0, 0x6ED597, 0xD9F9E6, 0x156F37, Black},
     {0x9AEBBB, 0, 0x3EB56A, 0xE6FBEF, 0x156F37, Black},
     {0x84E4AB, 0, 0xD9F9E6, 0x3EB56A, 0x0F5229, Black}, 0x2E9A55},
    // csSky
    {{0xFFE0C1, 0, 0xFFA953, 0xFFECD9, 0xB35900, Black},
     {0xFFD3A8, 0, 0xF0964D, 0xFFF2E6, 0xB35900, Black},
     {0xFFC891, 0, 0xFFECD9, 0xF0964D, 0x8C4600, Black}, 0xDC9B14},
    // csSun
    {{0xBFFFFF, 0, 0x4DE6E6, 0xDFFFFF, 0x006464, Black},
     {0xA6F7F7, 0, 0x009595, 0xECFFFF, 0x006464, Black},
     {0x8CF0F0, 0, 0xDFFFFF, 0x009595, 0x004848, Black}, 0x14A0A0},
    // csRose
    {{0xCCCCFF, 0, 0x8080FF, 0xE6E6FF, 0x00009D, Black},
     {0xB8B8FF, 0, 0x0651CC, 0xF0F0FF, 0x00009D, Black},
     {0xA3A3FF, 0, 0xE6E6FF, 0x0651CC, 0x000070, Black}, 0x3D3DD6},
    // csSilver
    {{0xE0E0E0, 0, 0xAEAEAE, 0xF7F7F7, 0x626262, Black},
     {0xCFCFCF, 0, 0x797979, 0xEEEEEE, 0x757575, Black},
     {0xD3D3D3, 0, 0xE9E9E9, 0x7C7C7C, 0x4E4E4E, Black}, 0x8A8A8A},
};

constexpr TGlossColors NeoDisabled{0xEEEEEE, 0xFFFFFF, 0xD2D2D2, 0xFFFFFF, 0x808080, 0x808080};
constexpr TGlossColors PlainDisabled{0xE2E2E2, 0, 0xD8D8D8, 0xEAEAEA, 0xC4C4C4, 0x808080};

bool IsNeo(TGlossButtonScheme s)
{
    return int(s) <= int(TGlossButtonScheme::csNeoSun);
}

void ApplyPlain(TGlossColors& target, const TGlossColors& from)
{
    TColor grad = target.Grad;
    target = from;
    target.Grad = grad;
}

} // namespace

TGlossButton::TGlossButton(QWidget* parent) : TWinControl(parent)
{
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
    SetColorScheme(TGlossButtonScheme::csNeoDesert);
    over_.Grad = clWhite;
    down_.Grad = clWhite;
    disabled_.Grad = clWhite;
}

void TGlossButton::showEvent(QShowEvent* e)
{
    EnableAccelerators(this);
    TWinControl::showEvent(e);
}

void TGlossButton::SetColour(TColor& field, TColor c)
{
    field = c;
    scheme_ = TGlossButtonScheme::csCustom;
    Invalidate();
}

void TGlossButton::SetColorScheme(TGlossButtonScheme s)
{
    scheme_ = s;
    if (s != TGlossButtonScheme::csCustom) {
        const ButtonScheme& b = ButtonSchemes[int(s)];
        if (IsNeo(s)) {
            normal_ = b.normal;
            over_ = b.over;
            down_ = b.down;
            disabled_ = NeoDisabled;
        } else {
            ApplyPlain(normal_, b.normal);
            ApplyPlain(over_, b.over);
            ApplyPlain(down_, b.down);
            ApplyPlain(disabled_, PlainDisabled);
        }
        focusRect_ = b.focus;
    }
    Invalidate();
}

void TGlossButton::SetGradient(bool on)
{
    gradient_ = on;
    Invalidate();
}

void TGlossButton::SetCtl3D(bool on)
{
    TWinControl::SetCtl3D(on);
    Invalidate();
}

void TGlossButton::SetLayout(TButtonLayout l)
{
    layout_ = l;
    Invalidate();
}

void TGlossButton::SetSpacing(int s)
{
    spacing_ = s;
    Invalidate();
}

void TGlossButton::SetGlyph(const TBitmap& b)
{
    glyph_ = b;
    Invalidate();
}

void TGlossButton::SetTransparentGlyph(bool on)
{
    transparentGlyph_ = on;
    Invalidate();
}

void TGlossButton::SetDefault(bool on)
{
    default_ = on;
    // The form re-evaluates which button answers Enter on every key, so
    // there is nothing to notify beyond a repaint.
    Invalidate();
}

const TGlossColors& TGlossButton::PaintColors() const
{
    if (!Enabled())
        return disabled_;
    switch (state_) {
    case TGlossState::gsHot: return over_;
    case TGlossState::gsPressed: return down_;
    case TGlossState::gsNormal: break;
    }
    return normal_;
}

void TGlossButton::Paint(TCanvas& canvas)
{
    const TGlossColors& c = PaintColors();
    TRect r = ClientRect();
    canvas.FillRect(r, c.Face);
    if (gradient_)
        GlossGradient(canvas, r, c.Face, c.Grad, fdVertical);

    int shift = state_ == TGlossState::gsPressed ? 1 : 0;
    canvas.Font = Font;
    canvas.Font.Color = c.Text;
    canvas.Brush.Style = bsClear;
    std::string text = Caption();
    TRect textRect = r;
    if (!glyph_.Empty()) {
        TSize ts = text.empty() ? TSize(0, 0) : canvas.TextExtent(text);
        int gap = text.empty() ? 0 : spacing_;
        int gw = glyph_.Width(), gh = glyph_.Height();
        int gx = 0, gy = 0;
        bool horizontal = layout_ == TButtonLayout::blGlyphLeft || layout_ == TButtonLayout::blGlyphRight;
        if (horizontal) {
            int total = gw + gap + ts.cx;
            int left = (r.Width() - total) / 2;
            gy = (r.Height() - gh) / 2;
            if (layout_ == TButtonLayout::blGlyphLeft) {
                gx = left;
                textRect = TRect(left + gw + gap, 0, left + total, r.Height());
            } else {
                gx = left + ts.cx + gap;
                textRect = TRect(left, 0, left + ts.cx, r.Height());
            }
        } else {
            int total = gh + gap + ts.cy;
            int top = (r.Height() - total) / 2;
            gx = (r.Width() - gw) / 2;
            if (layout_ == TButtonLayout::blGlyphTop) {
                gy = top;
                textRect = TRect(0, top + gh + gap, r.Width(), top + total);
            } else {
                gy = top + ts.cy + gap;
                textRect = TRect(0, top, r.Width(), top + ts.cy);
            }
        }
        TBitmap g = glyph_;
        g.Transparent = transparentGlyph_;
        if (transparentGlyph_) {
            g.TransparentMode = TTransparentMode::tmFixed;
            g.SetTransparentColor(glyph_.Canvas().GetPixel(0, 0));
        }
        canvas.Draw(gx + shift, gy + shift, g);
    }
    if (!text.empty())
        DrawText(canvas, text, OffsetRect(textRect, shift, shift), DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    canvas.Brush.Style = bsSolid;

    canvas.Brush.Color = c.Border;
    canvas.FrameRect(r);
    if (Ctl3D()) {
        TRect inner = InflateRect(r, -1, -1);
        Frame3D(canvas, inner, c.Light, c.Dark, 1);
    }
    if (Focused()) {
        canvas.Brush.Color = focusRect_;
        canvas.FrameRect(InflateRect(r, -3, -3));
    }
}

void TGlossButton::SetState(TGlossState s)
{
    if (s == state_)
        return;
    state_ = s;
    Invalidate();
}

bool TGlossButton::CanTakeFocus() const
{
    return isEnabled() && isVisible() && TabStop();
}

void TGlossButton::Click()
{
    if (auto* form = dynamic_cast<TForm*>(window()))
        form->SetModalResult(ModalResult);
    SetState(TGlossState::gsNormal);
    Repaint();
    TWinControl::Click();
}

void TGlossButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && Enabled()) {
        mouseHeld_ = true;
        SetState(TGlossState::gsPressed);
        if (TabStop() && !Focused())
            SetFocus();
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TGlossButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        mouseHeld_ = false;
        bool inside = x > 0 && y > 0 && x < ClientWidth() - 1 && y < ClientHeight() - 1;
        SetState(inside && HotTrack ? TGlossState::gsHot : TGlossState::gsNormal);
    }
    TWinControl::MouseUp(button, shift, x, y);
}

void TGlossButton::MouseEnter()
{
    if (Enabled()) {
        if (mouseHeld_)
            SetState(TGlossState::gsPressed);
        else if (HotTrack)
            SetState(TGlossState::gsHot);
    }
    TWinControl::MouseEnter();
}

void TGlossButton::MouseLeave()
{
    SetState(TGlossState::gsNormal);
    TWinControl::MouseLeave();
}

void TGlossButton::KeyDown(uint16_t& key, TShiftState shift)
{
    TWinControl::KeyDown(key, shift);
    if (key == VK_SPACE) {
        SetState(TGlossState::gsPressed);
    } else if (key == VK_RETURN) {
        key = 0;
        Click();
    }
}

void TGlossButton::KeyUp(uint16_t& key, TShiftState shift)
{
    TWinControl::KeyUp(key, shift);
    if (key == VK_SPACE && state_ == TGlossState::gsPressed) {
        SetState(TGlossState::gsNormal);
        Click();
    }
}

void TGlossButton::DoEnter()
{
    Invalidate();
    TWinControl::DoEnter();
}

void TGlossButton::DoExit()
{
    if (!mouseHeld_)
        SetState(TGlossState::gsNormal);
    Invalidate();
    TWinControl::DoExit();
}

void TGlossButton::EnabledChanged()
{
    if (!Enabled()) {
        mouseHeld_ = false;
        state_ = TGlossState::gsNormal;
    }
    Invalidate();
}

bool TGlossButton::DialogKey(uint16_t key, TShiftState shift)
{
    if (shift != 0 || !CanTakeFocus())
        return false;
    // A focused push button answers Enter in place of the default one, so
    // that tabbing to "No" and pressing Enter answers No.
    if ((key == VK_RETURN && ActsAsDefaultButton(this, default_)) || (key == VK_ESCAPE && Cancel)) {
        Click();
        return true;
    }
    return false;
}

bool TGlossButton::DialogChar(char32_t ch)
{
    if (!Enabled() || !IsAccel(ch, Caption()))
        return false;
    Click();
    return true;
}

} // namespace cf
