#include "platform/Region.h"

#include "platform/QtConvert.h"

#include <algorithm>
#include <cmath>

namespace cf {

namespace {

// Horizontal span of an ellipse inside [l, r) at pixel row y (centre y + 0.5).
bool EllipseSpan(double cx, double cy, double rx, double ry, int y, int& x0, int& x1)
{
    if (rx <= 0 || ry <= 0)
        return false;
    double dy = (y + 0.5 - cy) / ry;
    double q = 1.0 - dy * dy;
    if (q < 0)
        return false;
    double half = rx * std::sqrt(q);
    x0 = int(std::ceil(cx - half - 0.5));
    x1 = int(std::floor(cx + half - 0.5)) + 1;
    return x1 > x0;
}

QRegion FromSpans(const std::vector<QRect>& rows)
{
    QRegion out;
    out.setRects(rows.data(), int(rows.size()));
    return out;
}

} // namespace

QRegion EllipsePixels(const TRect& r)
{
    std::vector<QRect> rows;
    double cx = (r.Left + r.Right) / 2.0, cy = (r.Top + r.Bottom) / 2.0;
    double rx = r.Width() / 2.0, ry = r.Height() / 2.0;
    for (int y = r.Top; y < r.Bottom; ++y) {
        int x0, x1;
        if (EllipseSpan(cx, cy, rx, ry, y, x0, x1))
            rows.push_back(QRect(x0, y, x1 - x0, 1));
    }
    return FromSpans(rows);
}

QRegion PolygonPixels(const std::vector<TPoint>& pts)
{
    std::vector<QRect> rows;
    if (pts.size() < 3)
        return {};
    int ymin = pts[0].Y, ymax = pts[0].Y;
    for (auto& p : pts) {
        ymin = std::min(ymin, p.Y);
        ymax = std::max(ymax, p.Y);
    }
    struct Cross {
        double x;
        int dir;
    };
    std::vector<Cross> xs;
    size_t n = pts.size();
    for (int y = ymin; y < ymax; ++y) {
        double sy = y + 0.5;
        xs.clear();
        for (size_t i = 0; i < n; ++i) {
            TPoint a = pts[i], b = pts[(i + 1) % n];
            if (a.Y == b.Y)
                continue;
            int dir = b.Y > a.Y ? 1 : -1;
            double y0 = std::min(a.Y, b.Y), y1 = std::max(a.Y, b.Y);
            if (sy < y0 || sy >= y1)
                continue;
            double x = a.X + (sy - a.Y) * double(b.X - a.X) / double(b.Y - a.Y);
            xs.push_back({x, dir});
        }
        std::sort(xs.begin(), xs.end(), [](const Cross& p, const Cross& q) { return p.x < q.x; });
        int wind = 0;
        for (size_t i = 0; i + 1 < xs.size(); ++i) {
            wind += xs[i].dir;
            if (wind != 0) {
                // pixel centres x + 0.5 in [xs[i].x, xs[i+1].x)
                int x0 = int(std::ceil(xs[i].x - 0.5));
                int x1 = int(std::ceil(xs[i + 1].x - 0.5));
                if (x1 > x0) {
                    if (!rows.empty() && rows.back().y() == y && rows.back().right() + 1 >= x0)
                        rows.back().setRight(std::max(rows.back().right(), x1 - 1));
                    else
                        rows.push_back(QRect(x0, y, x1 - x0, 1));
                }
            }
        }
    }
    return FromSpans(rows);
}

TRegion TRegion::FromRect(const TRect& r)
{
    if (r.IsEmpty())
        return {};
    return TRegion(QRegion(ToQRect(r)));
}

TRegion TRegion::FromRects(const std::vector<TRect>& rects)
{
    QRegion q;
    for (auto& r : rects)
        if (!r.IsEmpty())
            q += ToQRect(r);
    return TRegion(q);
}

TRegion TRegion::FromRoundRect(const TRect& r, int cw, int ch)
{
    if (r.IsEmpty())
        return {};
    cw = std::min(std::abs(cw), r.Width());
    ch = std::min(std::abs(ch), r.Height());
    if (cw < 2 || ch < 2)
        return FromRect(r);
    std::vector<QRect> rows;
    double rx = cw / 2.0, ry = ch / 2.0;
    // Corners are quarter ellipses; in between the rows are full.
    double cxl = r.Left + rx, cxr = r.Right - rx;
    double cyt = r.Top + ry, cyb = r.Bottom - ry;
    for (int y = r.Top; y < r.Bottom; ++y) {
        double sy = y + 0.5;
        double cy = sy < cyt ? cyt : (sy > cyb ? cyb : sy);
        double dy = (sy - cy) / ry;
        double qv = 1.0 - dy * dy;
        if (qv < 0)
            continue;
        double half = rx * std::sqrt(qv);
        int x0 = int(std::ceil(cxl - half - 0.5));
        int x1 = int(std::floor(cxr + half - 0.5)) + 1;
        x0 = std::max(x0, r.Left);
        x1 = std::min(x1, r.Right);
        if (x1 > x0)
            rows.push_back(QRect(x0, y, x1 - x0, 1));
    }
    return TRegion(FromSpans(rows));
}

TRegion TRegion::FromEllipse(const TRect& r)
{
    return TRegion(EllipsePixels(r));
}

TRegion TRegion::FromPolygon(const std::vector<TPoint>& pts)
{
    return TRegion(PolygonPixels(pts));
}

TRegion TRegion::Combined(const TRegion& o, TRegionOp op) const
{
    switch (op) {
    case TRegionOp::Or: return TRegion(region_.united(o.region_));
    case TRegionOp::And: return TRegion(region_.intersected(o.region_));
    case TRegionOp::Diff: return TRegion(region_.subtracted(o.region_));
    case TRegionOp::Xor: return TRegion(region_.xored(o.region_));
    }
    return *this;
}

TRegion TRegion::Offset(int dx, int dy) const
{
    return TRegion(region_.translated(dx, dy));
}

TRect TRegion::BoundingRect() const
{
    return region_.isEmpty() ? TRect{} : FromQRect(region_.boundingRect());
}

std::vector<TRect> TRegion::Rects() const
{
    std::vector<TRect> out;
    for (const QRect& r : region_)
        out.push_back(FromQRect(r));
    return out;
}

} // namespace cf
