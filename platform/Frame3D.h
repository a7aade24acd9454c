#pragma once

// The class library's 3-D frame: width nested one-pixel frames, top and left
// in one colour, bottom and right in the other (which also takes the
// top-right and bottom-left corners). r shrinks by width on every side.

#include "platform/Canvas.h"

namespace cf {

inline void Frame3D(TCanvas& canvas, TRect& r, TColor topColor, TColor bottomColor, int width)
{
    TPen saved = canvas.Pen;
    canvas.Pen.Width = 1;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Mode = pmCopy;
    r.Bottom -= 1;
    r.Right -= 1;
    while (width-- > 0) {
        canvas.Pen.Color = topColor;
        canvas.Polyline({{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}});
        canvas.Pen.Color = bottomColor;
        canvas.Polyline({{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left - 1, r.Bottom}});
        r = InflateRect(r, -1, -1);
    }
    r.Bottom += 1;
    r.Right += 1;
    canvas.Pen = saved;
}

} // namespace cf
