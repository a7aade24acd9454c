#include "controls/DeRudaduZevari.h"

#include "platform/DrawText.h"

#include <algorithm>

namespace cf {

bool TCalcProvider::RectsIntersect(const TRect& a, const TRect& b)
{
    return !(a.Right < b.Left || a.Left > b.Right || a.Bottom < b.Top || a.Top > b.Bottom);
}

void TCalcProvider::AlignInRect(int width, int height, TPoint& point, TVerticalAlignment vertical,
                                TAlignment horizontal, const TRect& rect, int margin)
{
    switch (horizontal) {
    case taLeftJustify: point.X = rect.Left + margin; break;
    case taRightJustify: point.X = rect.Right - width - margin; break;
    case taCenter: point.X = rect.Left + rect.Width() / 2 - width / 2; break;
    }
    switch (vertical) {
    case taAlignTop: point.Y = rect.Top + margin; break;
    case taAlignBottom: point.Y = rect.Bottom - height - margin; break;
    case taVerticalCenter: point.Y = rect.Top + rect.Height() / 2 - height / 2; break;
    }
}

TRect TCalcProvider::OffsetRectBy(const TRect& r, int dl, int dt, int dr, int db)
{
    return TRect(r.Left + dl, r.Top + dt, r.Right + dr, r.Bottom + db);
}

void TGraphicsProvider::SetClipRect(TCanvas& canvas, const TRect& rect)
{
    canvas.SetClipRect(rect);
}

void TGraphicsProvider::DrawButtonFace(TCanvas& canvas, const TRect& rect, bool pressed)
{
    if (rect.IsEmpty())
        return;
    canvas.FillRect(rect, clBtnFace);
    TPen saved = canvas.Pen;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    canvas.Pen.Mode = pmCopy;
    const int l = rect.Left, t = rect.Top, r = rect.Right - 1, b = rect.Bottom - 1;
    // Top-left first, then bottom-right over the two shared corners.
    canvas.Pen.Color = clBtnHighlight;
    canvas.Polyline({{l, b}, {l, t}, {r, t}});
    canvas.Pen.Color = pressed ? clWindowFrame : clBtnShadow;
    canvas.Polyline({{r, t}, {r, b}, {l - 1, b}});
    canvas.Pen = saved;
}

void TGraphicsProvider::DrawFocusFrame(TCanvas& canvas, const TRect& rect, bool solid)
{
    if (solid) {
        TBrush saved = canvas.Brush;
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = clHighlight;
        canvas.FrameRect(rect);
        canvas.Brush = saved;
        return;
    }
    TFont font = canvas.Font;
    TBrush brush = canvas.Brush;
    canvas.Font.Color = clBlack;
    canvas.Brush.Color = clWhite;
    canvas.DrawFocusRect(rect);
    canvas.Font = font;
    canvas.Brush = brush;
}

void TGraphicsProvider::DrawVertGradientTo(TCanvas& canvas, const TRect& rect, TColor topColor, TColor bottomColor)
{
    DrawVertGradient(canvas, rect, topColor, bottomColor);
}

void TGraphicsProvider::DrawHorzGradientTo(TCanvas& canvas, const TRect& rect, TColor leftColor, TColor rightColor)
{
    if (rect.Right <= rect.Left)
        return;
    TPen saved = canvas.Pen;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    canvas.Pen.Mode = pmCopy;
    for (int x = rect.Left; x < rect.Right; ++x) {
        canvas.Pen.Color = BlendColorRatio(leftColor, rightColor, double(x - rect.Left) / (rect.Right - rect.Left));
        canvas.MoveTo(x, rect.Top);
        canvas.LineTo(x, rect.Bottom);
    }
    canvas.Pen = saved;
}

void TGraphicsProvider::DrawTextLine(TCanvas& canvas, const TRect& rect, bool rightToLeft, const std::string& text,
                                     TAlignment alignment)
{
    cf::DrawTextLine(canvas, rect, alignment, text, rightToLeft);
}

void TGraphicsProvider::DrawTextBlock(TCanvas& canvas, TRect& rect, bool measure, const std::string& text,
                                      TAlignment alignment)
{
    unsigned flags = DT_NOPREFIX | DT_WORDBREAK;  // 0x800, plus 0x802 / 0x801 for right / centre
    if (alignment == taRightJustify)
        flags |= DT_RIGHT;
    else if (alignment == taCenter)
        flags |= DT_CENTER;
    if (measure)
        DrawText(canvas, text, rect, flags | DT_CALCRECT);
    TBrushStyle old = canvas.Brush.Style;
    canvas.Brush.Style = bsClear;
    TRect r = rect;
    DrawText(canvas, text, r, flags);
    canvas.Brush.Style = old;
}

void ClipCanvasToRect(TCanvas& canvas, const TRect& rect)
{
    canvas.SetClipRect(rect);
}

TRect DrawTextBlockPlaced(TCanvas& canvas, const TRect& rect, const std::string& text, TVerticalAlignment vertical,
                          TAlignment alignment)
{
    TRect measured = rect;
    DrawText(canvas, text, measured, DT_NOPREFIX | DT_WORDBREAK | DT_CALCRECT);
    int h = measured.Height();
    TRect r = rect;
    if (h < rect.Height()) {
        if (vertical == TVerticalAlignment::taVerticalCenter)
            r.Top += (rect.Height() - h) / 2;
        else if (vertical == TVerticalAlignment::taAlignBottom)
            r.Top = rect.Bottom - h;
    }
    r.Bottom = r.Top + h;
    TGraphicsProvider::DrawTextBlock(canvas, r, false, text, alignment);
    int w = std::min(measured.Width(), rect.Width());
    TRect covered = r;
    if (alignment == taRightJustify)
        covered.Left = r.Right - w;
    else if (alignment == taCenter)
        covered.Left = r.Left + (r.Width() - w) / 2;
    covered.Right = covered.Left + w;
    return covered;
}

} // namespace cf
