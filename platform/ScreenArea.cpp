#include "platform/ScreenArea.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace cf {

namespace {
std::optional<TRect> g_workArea;
std::optional<TPoint> g_cursorPos;
} // namespace

TRect MonitorWorkArea(const TRect& r)
{
    if (g_workArea)
        return *g_workArea;
    QScreen* best = QGuiApplication::primaryScreen();
    QPoint centre((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    if (QScreen* s = QGuiApplication::screenAt(centre))
        best = s;
    if (!best)
        return TRect(0, 0, 1024, 768);
    QRect a = best->availableGeometry();
    return TRect(a.left(), a.top(), a.left() + a.width(), a.top() + a.height());
}

void SetWorkAreaOverride(std::optional<TRect> area)
{
    g_workArea = area;
}

int VScrollArrowWidth()
{
    return 17;
}

int HScrollArrowHeight()
{
    return 17;
}

TPoint CursorPos()
{
    if (g_cursorPos)
        return *g_cursorPos;
    QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

void SetCursorPosOverride(std::optional<TPoint> p)
{
    g_cursorPos = p;
}

} // namespace cf
