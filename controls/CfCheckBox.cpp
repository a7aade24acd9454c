#include "controls/CfEdit.h"

#include "controls/CfSharedDraw.h"
#include "controls/DeRudaduZevari.h"
#include "platform/DrawText.h"
#include "platform/FrameControls.h"
#include "platform/Themes.h"

namespace cf {

// ---------------------------------------------------------------- canvas cell editor

TCfCanvasCellEditor::TCfCanvasCellEditor(QWidget* owner) : TWinControl(owner)
{
    Color = clWindow;
    SetBorderStyle(TBorderStyle::bsSingle);
    SetTabStop(false);
}

void TCfCanvasCellEditor::PaintNonClient(TCanvas& canvas)
{
    if (BorderStyle() == TBorderStyle::bsSingle && ThemeServices().Active()) {
        int state = canvas.SaveState();
        TRect whole(0, 0, Width(), Height());
        canvas.ExcludeClipRect(InflateRect(whole, -2, -2));
        bool drawn = ThemeServices().DrawPart(canvas, whole, "edit", 1, isEnabled() ? 1 : 4);
        canvas.RestoreState(state);
        if (drawn)
            return;
    }
    TWinControl::PaintNonClient(canvas);
}

void TCfCanvasCellEditor::SetAlignment(TAlignment a)
{
    alignment_ = a;
    Invalidate();
}

void TCfCanvasCellEditor::SetMargin(int m)
{
    margin_ = m;
    Invalidate();
}

void TCfCanvasCellEditor::SetVerticalAlignment(TVerticalAlignment v)
{
    vertical_ = v;
    Invalidate();
}

// ---------------------------------------------------------------- two-state controls

TCfTwoStateControl::TCfTwoStateControl(QWidget* owner) : TCfCanvasCellEditor(owner)
{
    SetBounds(0, 0, 75, 21);
}

void TCfTwoStateControl::SetIndent(int v)
{
    indent_ = v;
    Invalidate();
}

void TCfTwoStateControl::SetOptions(TCheckBoxOptions o)
{
    options_ = o;
    Invalidate();
}

void TCfTwoStateControl::SetChecked(bool v)
{
    if (v == checked_)
        return;
    checked_ = v;
    InvalidateBox();
    if (OnChange)
        OnChange(this);
}

TRect TCfTwoStateControl::BoxRect() const
{
    TSize s = BoxSize();
    TPoint p;
    TCalcProvider::AlignInRect(s.cx, s.cy, p, vertical_, alignment_, InflateRect(ClientRect(), 1, 1), 2);
    return Bounds(p.X, p.Y, s.cx, s.cy);
}

TRect TCfTwoStateControl::ActiveRect() const
{
    return (options_ & coExpandActiveRect) ? ClientRect() : BoxRect();
}

void TCfTwoStateControl::InvalidateBox()
{
    Invalidate();
}

void TCfTwoStateControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (CanFocus() && !Focused())
        SetFocus();
    if (button == mbLeft && PtInRect(ActiveRect(), TPoint(x, y))) {
        pressed_ = true;
        InvalidateBox();
    }
    TCfCanvasCellEditor::MouseDown(button, shift, x, y);
}

void TCfTwoStateControl::MouseMove(TShiftState shift, int x, int y)
{
    bool h = PtInRect(ActiveRect(), TPoint(x, y));
    if (h != hot_) {
        hot_ = h;
        InvalidateBox();
    }
    TCfCanvasCellEditor::MouseMove(shift, x, y);
}

void TCfTwoStateControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && PtInRect(ActiveRect(), TPoint(x, y)))
        Activate();
    if (pressed_) {
        pressed_ = false;
        InvalidateBox();
    }
    TCfCanvasCellEditor::MouseUp(button, shift, x, y);
}

void TCfTwoStateControl::MouseLeave()
{
    if (hot_) {
        hot_ = false;
        InvalidateBox();
    }
    TCfCanvasCellEditor::MouseLeave();
}

void TCfTwoStateControl::KeyDown(uint16_t& key, TShiftState shift)
{
    if (key == VK_SPACE && !pressed_) {
        pressed_ = true;
        InvalidateBox();
    }
    TCfCanvasCellEditor::KeyDown(key, shift);
}

void TCfTwoStateControl::KeyUp(uint16_t& key, TShiftState shift)
{
    if (key == VK_SPACE && pressed_) {
        pressed_ = false;
        InvalidateBox();
        Activate();
    }
    TCfCanvasCellEditor::KeyUp(key, shift);
}

namespace {

// Caption rectangle from x to the right edge, placed vertically as the text block asks.
void DrawCaptionBlock(TCanvas& canvas, TRect r, const std::string& text, TVerticalAlignment vertical)
{
    TRect measured = r;
    DrawText(canvas, text, measured, DT_NOPREFIX | DT_WORDBREAK | DT_CALCRECT);
    int h = measured.Height();
    if (vertical == TVerticalAlignment::taVerticalCenter)
        r.Top += (r.Height() - h) / 2;
    else if (vertical == TVerticalAlignment::taAlignBottom)
        r.Top = r.Bottom - h;
    r.Bottom = r.Top + h;
    TGraphicsProvider::DrawTextBlock(canvas, r, false, text, TAlignment::taLeftJustify);
}

int ThemeState(bool hot, bool checked, bool pressed, bool disabled)
{
    int s;
    if (!hot)
        s = checked ? 5 : 1;
    else if (!checked)
        s = pressed ? 3 : 2;
    else
        s = pressed ? 7 : 6;
    return disabled ? s + 3 : s;
}

} // namespace

TCfCheckBox::TCfCheckBox(QWidget* owner) : TCfTwoStateControl(owner) {}

TSize TCfCheckBox::BoxSize() const
{
    return ThemeServices().Active() ? TSize(13, 13) : TSize(11, 11);
}

void TCfCheckBox::Paint(TCanvas& canvas)
{
    canvas.FillRect(ClientRect(), Color);
    TRect box = BoxRect();
    bool themed = ThemeServices().Active() &&
                  ThemeServices().DrawPart(canvas, box, "button", 3, ThemeState(hot_, checked_, pressed_, !isEnabled()));
    if (!themed) {
        canvas.Pen.Color = clBtnShadow;
        canvas.Pen.Style = psSolid;
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = pressed_ ? clBtnFace : clWindow;
        canvas.Rectangle(box);
        if (checked_) {
            canvas.Pen.Color = clWindowText;
            int l = box.Left, t = box.Top;
            for (int d = 0; d < 3; ++d)
                canvas.Polyline({{l + 2, t + 4 + d}, {l + 4, t + 6 + d}, {l + 9, t + 1 + d}});
        }
    }
    std::string caption = Caption();
    if (caption.empty())
        return;
    canvas.Font = Font;
    if (!isEnabled())
        canvas.Font.Color = clGrayText;
    canvas.Brush.Style = bsClear;
    TRect r = ClientRect();
    if (alignment_ == TAlignment::taRightJustify) {
        int w = canvas.TextWidth(caption);
        r.Left = box.Left - w - indent_;
        r.Right = box.Left - indent_;
    } else {
        r.Left = box.Right + indent_;
    }
    DrawCaptionBlock(canvas, r, caption, vertical_);
    canvas.Brush.Style = bsSolid;
}

TCfRadioButton::TCfRadioButton(QWidget* owner) : TCfTwoStateControl(owner) {}

TSize TCfRadioButton::BoxSize() const
{
    return ThemeServices().Active() ? TSize(13, 13) : TSize(12, 12);
}

void TCfRadioButton::SetChecked(bool v)
{
    if (v == checked_)
        return;
    checked_ = v;
    if (v) {
        if (QWidget* parent = parentWidget()) {
            for (QObject* o : parent->children()) {
                auto* sibling = dynamic_cast<TCfRadioButton*>(o);
                if (sibling && sibling != this)
                    sibling->SetChecked(false);
            }
        }
    }
    InvalidateBox();
    if (OnChange)
        OnChange(this);
}

void TCfRadioButton::Paint(TCanvas& canvas)
{
    canvas.FillRect(ClientRect(), Color);
    TRect box = BoxRect();
    bool themed = ThemeServices().Active() &&
                  ThemeServices().DrawPart(canvas, box, "button", 2, ThemeState(hot_, checked_, pressed_, !isEnabled()));
    if (!themed)
        DrawRadioFrame(canvas, box, checked_, pressed_, !isEnabled());
    std::string caption = Caption();
    if (caption.empty())
        return;
    canvas.Font = Font;
    if (!isEnabled())
        canvas.Font.Color = clBtnFace;
    canvas.Brush.Style = bsClear;
    TRect r = ClientRect();
    r.Left = box.Right + indent_;
    DrawTextRect(canvas, r, TAlignment::taLeftJustify, false, caption);
    canvas.Brush.Style = bsSolid;
}

} // namespace cf
