#include "controls/CfSharedDraw.h"

namespace cf {

bool IsPointOutsideTolerance(TPoint p, TPoint q, int n)
{
    return p.X < q.X - n || p.X > q.X + n || p.Y < q.Y - n || p.Y > q.Y + n;
}

void FlipPointsVertically(std::vector<TPoint>& points, const TRect& rect)
{
    int m = rect.Top + (rect.Bottom - rect.Top) / 2;
    for (TPoint& p : points)
        p.Y = 2 * m - p.Y;
}

void SetCanvasClipRect(TCanvas& canvas, const TRect& rect)
{
    canvas.SetClipRect(rect);
}

} // namespace cf
