#include "controls/CfSharedDraw.h"

#include <cmath>

namespace cf {

void DrawVertGradient(TCanvas& canvas, const TRect& rect, TColor from, TColor to)
{
    int extent = rect.Height();
    if (extent <= 0 || rect.Width() <= 0)
        return;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        canvas.FillRect(TRect(rect.Left, y, rect.Right, y + 1),
                        BlendColorRatio(from, to, double(y - rect.Top) / extent));
}

void DrawHorzGradient(TCanvas& canvas, const TRect& rect, TColor from, TColor to)
{
    int extent = rect.Width();
    if (extent <= 0 || rect.Height() <= 0)
        return;
    for (int x = rect.Left; x < rect.Right; ++x)
        canvas.FillRect(TRect(x, rect.Top, x + 1, rect.Bottom),
                        BlendColorRatio(from, to, double(x - rect.Left) / extent));
}

void DrawMultiGradient(TCanvas& canvas, const TRect& rect, bool horizontal, const std::vector<TColor>& colors)
{
    if (colors.size() < 2)
        throw EMathError("Please specify at least two colors");
    const int length = horizontal ? rect.Width() : rect.Height();
    if (length <= 0)
        return;
    const int bands = int(colors.size()) - 1;
    const int bandLength = RoundHalfEven(double(length) / bands);
    TPen saved = canvas.Pen;
    canvas.Pen.Width = 1;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Mode = pmCopy;
    for (int i = 0; i < bands; ++i) {
        int start = i * bandLength;
        // With more bands than lines the rounded band length runs out early:
        // the remaining bands have no room and are not drawn.
        if (start >= length)
            break;
        int len = i == bands - 1 ? length - start - 1 : bandLength;
        // The lines of a band never leave the rectangle.
        int last = std::min(len, length - 1 - start);
        TColor c0 = ColorToRGB(colors[size_t(i)]), c1 = ColorToRGB(colors[size_t(i) + 1]);
        for (int k = 0; k <= last; ++k) {
            // A band of length 0 is a single line in its first colour.
            auto ch = [&](int a, int b) {
                return len <= 0 ? a : RoundHalfEven(a + double(b - a) * k / len);
            };
            canvas.Pen.Color = RGB(ch(GetRValue(c0), GetRValue(c1)), ch(GetGValue(c0), GetGValue(c1)),
                                   ch(GetBValue(c0), GetBValue(c1)));
            if (horizontal) {
                canvas.MoveTo(rect.Left + start + k, rect.Top);
                canvas.LineTo(rect.Left + start + k, rect.Bottom);
            } else {
                canvas.MoveTo(rect.Left, rect.Top + start + k);
                canvas.LineTo(rect.Right, rect.Top + start + k);
            }
        }
    }
    canvas.Pen = saved;
}

} // namespace cf
