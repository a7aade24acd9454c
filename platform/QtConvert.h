#pragma once

// The one place where our exclusive-edge rectangles meet Qt's.

#include "platform/Types.h"

#include <QPoint>
#include <QRect>

namespace cf {

inline QRect ToQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

inline TRect FromQRect(const QRect& r)
{
    return TRect(r.x(), r.y(), r.x() + r.width(), r.y() + r.height());
}

inline QPoint ToQPoint(TPoint p) { return QPoint(p.X, p.Y); }
inline TPoint FromQPoint(QPoint p) { return TPoint(p.x(), p.y()); }

} // namespace cf
