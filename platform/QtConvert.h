#pragma once

// The one place where our exclusive-edge rectangles, and our UTF-8 text
// where it is handled a character at a time, meet Qt's.

#include "platform/Types.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <string>

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

// UTF-8 text as code points and back, for edits that work per character.
inline std::u32string ToU32(const std::string& s)
{
    return QString::fromStdString(s).toStdU32String();
}

inline std::string FromU32(const std::u32string& s)
{
    return QString::fromStdU32String(s).toStdString();
}

} // namespace cf
