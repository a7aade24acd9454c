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
    // Keyboard users reach every choice of a dialog with Tab.
    SetTabStop(true);
}

void TCfTwoStateControl::DoEnter()
{
    Invalidate();
    TCfCanvasCellEditor::DoEnter();
}

void TCfTwoStateControl::DoExit()
{
    // A space bar let go elsewhere must not leave the box drawn pressed.
    pressed_ = false;
    Invalidate();
    TCfCanvasCellEditor::DoExit();
}

void TCfTwoStateControl::DrawFocusCue(TCanvas& canvas, const TRect& caption, const TRect& box)
{
    if (!Focused())
        return;
    // Around the caption, one pixel clear of its text; without a caption
    // around the box, so the focus never goes unseen.
    TRect cue = caption.IsEmpty() ? InflateRect(box, 1, 1) : InflateRect(caption, 1, 1);
    cue = IntersectRect(cue, ClientRect());
    if (cue.IsEmpty())
        return;
    canvas.DrawFocusRect(cue);
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
    TRect covered;
    if (!caption.empty()) {
        canvas.Font = Font;
        // Grey, as disabled text is everywhere, and legible on the window colour.
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
        covered = DrawTextBlockPlaced(canvas, r, caption, vertical_, TAlignment::taLeftJustify);
        canvas.Brush.Style = bsSolid;
    }
    DrawFocusCue(canvas, covered, box);
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
    TRect covered;
    if (!caption.empty()) {
        canvas.Font = Font;
        // The same legible grey as a disabled check box: the button-face
        // colour would vanish on the window colour.
        if (!isEnabled())
            canvas.Font.Color = clGrayText;
        canvas.Brush.Style = bsClear;
        TRect r = ClientRect();
        r.Left = box.Right + indent_;
        DrawTextRect(canvas, r, TAlignment::taLeftJustify, false, caption);
        canvas.Brush.Style = bsSolid;
        // The single line DrawTextRect lays out: vertically centred, cut at the right edge.
        int h = canvas.TextHeight(caption);
        int top = r.Top + (r.Height() - h) / 2;
        covered = TRect(r.Left, top, std::min(r.Right, r.Left + canvas.TextWidth(caption)), top + h);
    }
    DrawFocusCue(canvas, covered, box);
}

} // namespace cf
