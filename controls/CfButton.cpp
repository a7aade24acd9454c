#include "controls/CfButton.h"

#include "controls/CfSharedDraw.h"
#include "controls/CfThemesSupport.h"
#include "platform/Frame3D.h"
#include "platform/DrawText.h"
#include "platform/Forms.h"

#include <QApplication>
#include <QMouseEvent>

namespace cf {

TCfButton::TCfButton(QWidget* parent) : TWinControl(parent)
{
    SetBounds(0, 0, 75, 23);
    SetTabStop(true);
}

void TCfButton::showEvent(QShowEvent* e)
{
    EnableAccelerators(this);
    TWinControl::showEvent(e);
}

void TCfButton::mouseDoubleClickEvent(QMouseEvent* e)
{
    // Without double-click style the second press is an ordinary press.
    if (EnableDblClick)
        TWinControl::mouseDoubleClickEvent(e);
    else
        mousePressEvent(e);
}

void TCfButton::SetDefault(bool on)
{
    default_ = on;
    Invalidate();
}

void TCfButton::SetDown(bool on)
{
    down_ = on;
    Invalidate();
}

void TCfButton::SetGlyph(const TBitmap& b)
{
    glyph_ = b;
    RebuildGrayed();
    Invalidate();
}

void TCfButton::SetGlyphSpacing(int s)
{
    glyphSpacing_ = s;
    Invalidate();
}

void TCfButton::SetLayout(TCfButtonLayout l)
{
    layout_ = l;
    Invalidate();
}

void TCfButton::SetShowArrow(bool on)
{
    showArrow_ = on;
    Invalidate();
}

void TCfButton::SetTransparent(bool on)
{
    transparent_ = on;
    Invalidate();
}

void TCfButton::RebuildGrayed()
{
    grayed_ = glyph_;
    MakeGrayedGlyph(grayed_);
}

void TCfButton::PrepareGlyph(TBitmap& b) const
{
    // Transparent: the bottom-left pixel drops out.
    b.Transparent = transparent_;
    b.TransparentMode = TTransparentMode::tmAuto;
}

bool TCfButton::LooksPressed() const
{
    return (mouseHeld_ && hot_) || down_ || spaceHeld_;
}

bool TCfButton::ActsAsDefault() const
{
    return ActsAsDefaultButton(this, default_);
}

void TCfButton::Paint(TCanvas& canvas)
{
    TRect r = ClientRect();
    if (ThemesActive()) {
        canvas.FillRect(r, Color);
        int state = 1;
        if (!Enabled())
            state = 4;
        else if (spaceHeld_ || (hot_ && (mouseHeld_ || down_)) || (!hot_ && down_))
            state = 3;
        else if (hot_)
            state = 2;
        else if (Focused())
            state = 5;
        DrawThemedPart(this, canvas, r, 1, state, "button");
    } else {
        if (Focused()) {
            canvas.Brush.Color = clWindowFrame;
            canvas.FrameRect(r);
            r = InflateRect(r, -1, -1);
        }
        if (LooksPressed()) {
            canvas.FillRect(r, clBtnFace);
            canvas.Brush.Color = clBtnShadow;
            canvas.FrameRect(r);
        } else {
            canvas.FillRect(r, clBtnFace);
            TRect in = r;
            Frame3D(canvas, in, clBtnHighlight, cl3DDkShadow, 1);
            if (!in.IsEmpty()) {
                canvas.FillRect(TRect(in.Right - 1, in.Top, in.Right, in.Bottom), clBtnShadow);
                canvas.FillRect(TRect(in.Left, in.Bottom - 1, in.Right, in.Bottom), clBtnShadow);
            }
        }
    }

    canvas.Font = Font;
    canvas.Brush.Style = bsClear;
    const int cw = ClientWidth(), ch = ClientHeight();
    std::string text = Caption();
    TBitmap& source = Enabled() ? glyph_ : grayed_;
    if (!Enabled())
        canvas.Font.Color = clGrayText;
    if (source.Empty()) {
        TRect tr(0, 0, cw, ch - 1);
        if (Enabled())
            DrawText(canvas, text, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        else
            DrawGrayedText(canvas, tr, text, false, taCenter);
    } else {
        int spacing = text.empty() ? 0 : glyphSpacing_;
        int tw = text.empty() ? 0 : canvas.TextWidth(text);
        int th = canvas.TextHeight(text.empty() ? std::string("Wg") : text);
        int x = cw / 2 - source.Width() / 2;
        int y = ch / 2 - source.Height() / 2;
        TRect tr;
        unsigned align = DT_LEFT;
        switch (layout_) {
        case TCfButtonLayout::blGlyphLeft:
            x -= tw / 2;
            tr = TRect(x + source.Width() + spacing, 0, cw, ch);
            break;
        case TCfButtonLayout::blGlyphRight:
            x += tw / 2;
            tr = TRect(x - spacing - tw, 0, cw, ch);
            break;
        case TCfButtonLayout::blGlyphTop:
            y -= th / 2;
            tr = TRect(0, y + source.Height(), cw, y + source.Height() + th);
            align = DT_CENTER;
            break;
        case TCfButtonLayout::blGlyphBottom:
            y += th / 2;
            tr = TRect(0, y - th, cw, y);
            align = DT_CENTER;
            break;
        }
        TBitmap g = source;
        PrepareGlyph(g);
        canvas.Draw(x, y, g);
        if (!text.empty()) {
            if (Enabled())
                DrawText(canvas, text, tr, align | DT_VCENTER | DT_SINGLELINE);
            else
                DrawGrayedText(canvas, tr, text, false, align == DT_CENTER ? taCenter : taLeftJustify);
        }
    }
    canvas.Brush.Style = bsSolid;

    if (showArrow_) {
        int x = cw - 20, y = ch / 2 - 2;
        canvas.Pen.Color = clBlack;
        canvas.Brush.Color = clBlack;
        canvas.Polygon({{x + 1, y}, {x + 8, y}, {x + 4, y + 4}, {x, y}});
    }
}

void TCfButton::Click()
{
    if (auto* form = dynamic_cast<TForm*>(window()))
        form->SetModalResult(ModalResult);
    TWinControl::Click();
}

void TCfButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        mouseHeld_ = true;
        // The press has asked for the focus already; when the control being
        // left kept it (its exit check refused), asking again would run
        // that check, and its message, a second time.
        Invalidate();
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TCfButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        mouseHeld_ = false;
        Invalidate();
    }
    TWinControl::MouseUp(button, shift, x, y);
}

void TCfButton::MouseEnter()
{
    hot_ = true;
    Invalidate();
    TWinControl::MouseEnter();
}

void TCfButton::MouseLeave()
{
    hot_ = false;
    Invalidate();
    TWinControl::MouseLeave();
}

void TCfButton::KeyDown(uint16_t& key, TShiftState shift)
{
    if (key == VK_SPACE) {
        spaceHeld_ = true;
        Invalidate();
    }
    TWinControl::KeyDown(key, shift);
}

void TCfButton::KeyUp(uint16_t& key, TShiftState shift)
{
    bool wasSpace = key == VK_SPACE && spaceHeld_;
    spaceHeld_ = false;
    Invalidate();
    TWinControl::KeyUp(key, shift);
    if (wasSpace)
        Click();
}

void TCfButton::DoEnter()
{
    Invalidate();
    TWinControl::DoEnter();
}

void TCfButton::DoExit()
{
    spaceHeld_ = false;
    Invalidate();
    TWinControl::DoExit();
}

bool TCfButton::DialogKey(uint16_t key, TShiftState shift)
{
    if (shift != 0 || !Enabled())
        return false;
    if ((key == VK_RETURN && ActsAsDefault()) || (key == VK_ESCAPE && Cancel)) {
        Click();
        return true;
    }
    return false;
}

bool TCfButton::DialogChar(char32_t ch)
{
    if (!Enabled() || !IsAccel(ch, Caption()))
        return false;
    Click();
    return true;
}

} // namespace cf
