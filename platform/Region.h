#pragma once

// Regions as GDI builds them: pixel sets made of rectangles, rounded
// rectangles, ellipses and winding polygons, combined by the four set
// operations. The pixel set is what matters; QRegion holds it.

#include "platform/Types.h"

#include <QRegion>

#include <vector>

namespace cf {

enum class TRegionOp { Or, And, Diff, Xor };

class TRegion {
public:
    TRegion() = default;
    explicit TRegion(const QRegion& r) : region_(r) {}

    static TRegion FromRect(const TRect& r);
    static TRegion FromRects(const std::vector<TRect>& rects);
    // Corner ellipse of cw x ch, as CreateRoundRectRgn.
    static TRegion FromRoundRect(const TRect& r, int cw, int ch);
    static TRegion FromEllipse(const TRect& r);
    static TRegion FromPolygon(const std::vector<TPoint>& pts);

    TRegion Combined(const TRegion& other, TRegionOp op) const;
    TRegion United(const TRegion& o) const { return Combined(o, TRegionOp::Or); }
    TRegion Intersected(const TRegion& o) const { return Combined(o, TRegionOp::And); }
    TRegion Subtracted(const TRegion& o) const { return Combined(o, TRegionOp::Diff); }
    TRegion Xored(const TRegion& o) const { return Combined(o, TRegionOp::Xor); }
    TRegion Offset(int dx, int dy) const;

    bool Contains(TPoint p) const { return region_.contains(QPoint(p.X, p.Y)); }
    bool IsEmpty() const { return region_.isEmpty(); }
    TRect BoundingRect() const;
    std::vector<TRect> Rects() const;

    const QRegion& qregion() const { return region_; }
    friend bool operator==(const TRegion& a, const TRegion& b) { return a.region_ == b.region_; }

private:
    QRegion region_;
};

// Pixels whose centres lie inside the polygon under the non-zero winding rule,
// the rule a filled polygon uses too.
QRegion PolygonPixels(const std::vector<TPoint>& pts);
// Pixels of an ellipse inscribed in r (right/bottom exclusive).
QRegion EllipsePixels(const TRect& r);

} // namespace cf
