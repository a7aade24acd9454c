#include "controls/CfPanel.h"
#include "platform/SameText.h"

#include "controls/CfSharedDraw.h"
#include "platform/DrawText.h"

#include <QImage>

namespace cf {

TCfPanel::TCfPanel(QWidget* parent) : TWinControl(parent)
{
    setFocusPolicy(Qt::NoFocus);
    SetBounds(0, 0, 185, 41);
    pen_.Color = clBlack;
    pen_.Width = 1;
    pen_.Style = psSolid;
    margins_.SetMargins(0, 0, 0, 0);
    margins_.OnChange = [this] {
        Realign();
        Invalidate();
    };
    RegisterSchemeControl(this);
}

TCfPanel::~TCfPanel()
{
    UnregisterSchemeControl(this);
}

void TCfPanel::SetAdaptiveColors(bool on)
{
    adaptive_ = on;
    Invalidate();
}

void TCfPanel::SetBackgroundStyle(TCfPanelBackgroundStyle s)
{
    style_ = s;
    Invalidate();
}

void TCfPanel::SetBorderPen(const TPen& p)
{
    pen_ = p;
    Invalidate();
}

void TCfPanel::SetColorScheme(TColorScheme s)
{
    scheme_ = s;
    Invalidate();
}

void TCfPanel::SetInnerMargins(const TCfMargins& m)
{
    margins_.Assign(m);
}

void TCfPanel::SetPanelBorders(TPanelBorders b)
{
    borders_ = b & AllPanelBorders;
    Invalidate();
}

void TCfPanel::SetColor(TColor c)
{
    Color = c;
    Invalidate();
}

void TCfPanel::SetFont(const TFont& f)
{
    Font = f;
    AdjustSize();
    Invalidate();
}

void TCfPanel::SetCaption(const std::string& s)
{
    TControl::SetCaption(s);
    AdjustSize();
}

void TCfPanel::SetAutoSize(bool on)
{
    autoSize_ = on;
    AdjustSize();
}

TSize TCfPanel::MinimumAutoSize()
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas c(&scratch);
    c.Font = Font;
    TSize t = c.TextExtent(Caption());
    return {t.cx + margins_.Left() + margins_.Right() + 2, t.cy + margins_.Top() + margins_.Bottom()};
}

void TCfPanel::AdjustSize()
{
    if (!autoSize_)
        return;
    TSize m = MinimumAutoSize();
    if (Width() < m.cx || Height() < m.cy)
        SetBounds(Left(), Top(), std::max(Width(), m.cx), std::max(Height(), m.cy));
}

TColor TCfPanel::BackgroundColor() const
{
    return adaptive_ ? SchemeColor(3, scheme_) : Color;
}

TRect TCfPanel::BackgroundRect() const
{
    TRect r = ClientRect();
    if (pen_.Style != psSolid)
        return r;
    int w = pen_.Width;
    if (borders_ & boLeft)
        r.Left += w;
    if (borders_ & boTop)
        r.Top += w;
    if (borders_ & boRight)
        r.Right -= w;
    if (borders_ & boBottom)
        r.Bottom -= w;
    return r;
}

TRect TCfPanel::AlignRect() const
{
    TRect r = ClientRect();
    return TRect(r.Left + margins_.Left(), r.Top + margins_.Top(), r.Right - margins_.Right(),
                 r.Bottom - margins_.Bottom());
}

void TCfPanel::moveEvent(QMoveEvent* e)
{
    // What shows through changes with the position.
    if (style_ == pbTransparent)
        Invalidate();
    TWinControl::moveEvent(e);
}

void TCfPanel::Paint(TCanvas& canvas)
{
    const TColor c = BackgroundColor();
    const TRect bg = BackgroundRect();
    switch (style_) {
    case pbControl:
        if (ThemesActive())
            DrawThemedPart(this, canvas, bg, 1, 1, "edit");
        else
            canvas.FillRect(bg, c);
        break;
    case pbHorzGradient: DrawHorzGradient(canvas, bg, clWindow, c); break;
    case pbSolid: canvas.FillRect(bg, c); break;
    case pbTransparent: {
        int state = canvas.SaveState();
        canvas.IntersectClipRect(bg);
        DrawParentBackground(this, canvas);
        canvas.RestoreState(state);
        break;
    }
    case pbVertGradient: DrawVertGradient(canvas, bg, clWindow, c); break;
    }

    if (!Caption().empty()) {
        canvas.Font = Font;
        canvas.Brush.Style = bsClear;
        DrawTextRect(canvas, ClientRect(), taCenter, true, Caption());
        canvas.Brush.Style = bsSolid;
    }

    if (borders_ == 0 || pen_.Style == psClear)
        return;
    const int w = pen_.Width;
    const int cw = ClientWidth(), ch = ClientHeight();
    TPen saved = canvas.Pen;
    canvas.Pen = pen_;
    auto line = [&](int x0, int y0, int x1, int y1) {
        canvas.MoveTo(x0, y0);
        canvas.LineTo(x1, y1);
    };
    if (borders_ & boLeft)
        line(w / 2, 0, w / 2, ch);
    if (borders_ & boTop)
        line(0, w / 2, cw, w / 2);
    if (borders_ & boBottom)
        line(0, ch - (w + 1) / 2, cw, ch - (w + 1) / 2);
    if (borders_ & boRight)
        line(cw - (w + 1) / 2, 0, cw - (w + 1) / 2, ch);
    canvas.Pen = saved;
}


bool TCfPanel::SetTextProperty(const std::string& name, const std::string& value)
{
    if (!SameText(name, "Caption"))
        return TControl::SetTextProperty(name, value);
    SetCaption(value);
    return true;
}

} // namespace cf
