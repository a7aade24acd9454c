#include "platform/FrameControls.h"

#include <vector>

namespace cf {

namespace {

void Ring(TCanvas& c, TRect q, TColor tl, TColor br)
{
    if (q.IsEmpty())
        return;
    c.FillRect(TRect(q.Left, q.Top, q.Right - 1, q.Top + 1), tl);
    c.FillRect(TRect(q.Left, q.Top, q.Left + 1, q.Bottom - 1), tl);
    c.FillRect(TRect(q.Left, q.Bottom - 1, q.Right, q.Bottom), br);
    c.FillRect(TRect(q.Right - 1, q.Top, q.Right, q.Bottom), br);
}

} // namespace

void DrawRaisedEdge(TCanvas& canvas, const TRect& r, TColor face)
{
    canvas.FillRect(r, face);
    Ring(canvas, r, cl3DLight, cl3DDkShadow);
    Ring(canvas, InflateRect(r, -1, -1), clBtnHighlight, clBtnShadow);
}

void DrawPushFrame(TCanvas& canvas, const TRect& r, bool pushed, bool)
{
    if (pushed) {
        canvas.FillRect(r, clBtnFace);
        Ring(canvas, r, clBtnShadow, clBtnShadow);
        return;
    }
    DrawRaisedEdge(canvas, r, clBtnFace);
}

void DrawArrowFrame(TCanvas& canvas, const TRect& r, TFrameArrow arrow, bool pushed, bool flat, bool inactive)
{
    if (r.IsEmpty())
        return;
    if (pushed && flat) {
        canvas.FillRect(r, clBtnFace);
        Ring(canvas, r, clBtnShadow, clBtnShadow);
    } else {
        DrawPushFrame(canvas, r, pushed, inactive);
    }
    int shift = pushed ? 1 : 0;
    // A triangle whose height is a third of the smaller side, at least 2 px.
    int size = std::max(2, std::min(r.Width(), r.Height()) / 3);
    int cx = (r.Left + r.Right) / 2 + shift;
    int cy = (r.Top + r.Bottom) / 2 + shift;
    TColor colour = inactive ? clGrayText : clBtnText;
    auto row = [&](int x0, int x1, int y) { canvas.FillRect(TRect(x0, y, x1, y + 1), colour); };
    auto col = [&](int y0, int y1, int x) { canvas.FillRect(TRect(x, y0, x + 1, y1), colour); };
    int half = size - 1;
    switch (arrow) {
    case TFrameArrow::faUp:
        for (int i = 0; i < size; ++i)
            row(cx - i, cx + i + 1, cy - half / 2 + i - 1);
        break;
    case TFrameArrow::faDown:
    case TFrameArrow::faCombo:
        for (int i = 0; i < size; ++i)
            row(cx - (half - i), cx + (half - i) + 1, cy - half / 2 + i);
        break;
    case TFrameArrow::faLeft:
        for (int i = 0; i < size; ++i)
            col(cy - i, cy + i + 1, cx - half / 2 + i - 1);
        break;
    case TFrameArrow::faRight:
        for (int i = 0; i < size; ++i)
            col(cy - (half - i), cy + (half - i) + 1, cx - half / 2 + i);
        break;
    }
}

void DrawRadioFrame(TCanvas& canvas, const TRect& r, bool checked, bool pushed, bool inactive)
{
    TRect box(r.Left, r.Top, r.Left + 12, r.Top + 12);
    TBrush saveBrush = canvas.Brush;
    TPen savePen = canvas.Pen;
    canvas.Pen.Color = clBtnShadow;
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = (pushed || inactive) ? clBtnFace : clWindow;
    canvas.Ellipse(box);
    if (checked) {
        canvas.Pen.Color = inactive ? clGrayText : clWindowText;
        canvas.Brush.Color = canvas.Pen.Color;
        canvas.Ellipse(TRect(box.Left + 4, box.Top + 4, box.Left + 8, box.Top + 8));
    }
    canvas.Brush = saveBrush;
    canvas.Pen = savePen;
}

} // namespace cf
