#include "controls/CfSplitter.h"

#include "controls/CfSharedDraw.h"

namespace cf {

TCfSplitter::TCfSplitter(QWidget* parent) : TGraphicControl(parent)
{
    SetBounds(0, 0, 9, 100);
    SetAlign(alLeft);
    UpdateCursor();
    RegisterSchemeControl(this);
}

TCfSplitter::~TCfSplitter()
{
    UnregisterSchemeControl(this);
}

void TCfSplitter::SetAdaptiveColors(bool on)
{
    adaptive_ = on;
    Invalidate();
}

void TCfSplitter::SetColorScheme(TColorScheme s)
{
    scheme_ = s;
    Invalidate();
}

void TCfSplitter::UpdateCursor()
{
    SetCursor(Horizontal() ? crVSplit : crHSplit);
}

TControl* TCfSplitter::ResizedControl() const
{
    QWidget* p = parentWidget();
    if (!p)
        return nullptr;
    for (QObject* o : p->children()) {
        auto* c = dynamic_cast<TControl*>(o);
        if (!c || c == this || c->isHidden() || c->Align() != Align())
            continue;
        switch (Align()) {
        case alLeft:
            if (c->Left() + c->Width() == Left())
                return c;
            break;
        case alRight:
            if (c->Left() == Left() + Width())
                return c;
            break;
        case alTop:
            if (c->Top() + c->Height() == Top())
                return c;
            break;
        case alBottom:
            if (c->Top() == Top() + Height())
                return c;
            break;
        default: break;
        }
    }
    return nullptr;
}

void TCfSplitter::Paint(TCanvas& canvas)
{
    const int w = ClientWidth(), h = ClientHeight();
    TColor from = adaptive_ ? SchemeColor(22, scheme_) : clWhite;
    TColor to = adaptive_ ? SchemeColor(23, scheme_) : Color;
    TColor edge = SchemeColor(2, scheme_);
    TColor light = SchemeColor(6, scheme_);
    TColor dark = SchemeColor(2, scheme_);
    if (Horizontal()) {
        DrawVertGradient(canvas, TRect(0, 2, w, h - 1), from, to);
        canvas.FillRect(TRect(0, 0, w, 1), edge);
        canvas.FillRect(TRect(0, 1, w, 2), clWhite);
        canvas.FillRect(TRect(0, h - 1, w, h), edge);
    } else {
        DrawHorzGradient(canvas, TRect(2, 0, w - 1, h), from, to);
        canvas.FillRect(TRect(0, 0, 1, h), edge);
        canvas.FillRect(TRect(1, 0, 2, h), clWhite);
        canvas.FillRect(TRect(w - 1, 0, w, h), edge);
    }
    // Five grip dots 4 pixels apart, centred along the splitter.
    const int span = 5 * 4 - 2;
    for (int i = 0; i < 5; ++i) {
        int x, y;
        if (Horizontal()) {
            x = (w - span) / 2 + i * 4;
            y = h / 2 - 1;
        } else {
            x = w / 2 - 1;
            y = (h - span) / 2 + i * 4;
        }
        canvas.Brush.Color = dark;
        canvas.FrameRect(Bounds(x + 1, y + 1, 2, 2));
        canvas.Brush.Color = light;
        canvas.FrameRect(Bounds(x, y, 2, 2));
        canvas.SetPixel(x, y, clWhite);
    }
}

void TCfSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        dragged_ = ResizedControl();
        downAt_ = ClientToScreen(TPoint(x, y));
        if (dragged_)
            startSize_ = Horizontal() ? dragged_->Height() : dragged_->Width();
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TCfSplitter::MouseMove(TShiftState shift, int x, int y)
{
    UpdateCursor();
    if (dragged_) {
        TPoint now = ClientToScreen(TPoint(x, y));
        int delta = Horizontal() ? now.Y - downAt_.Y : now.X - downAt_.X;
        if (Align() == alRight || Align() == alBottom)
            delta = -delta;
        int size = std::max(MinSize, startSize_ + delta);
        if (Horizontal())
            dragged_->SetHeight(size);
        else
            dragged_->SetWidth(size);
    }
    TGraphicControl::MouseMove(shift, x, y);
}

void TCfSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    bool moved = dragged_ != nullptr;
    dragged_ = nullptr;
    TGraphicControl::MouseUp(button, shift, x, y);
    if (moved && OnMoved)
        OnMoved(this);
}

} // namespace cf
