#include "platform/Screen.h"

#include "platform/Cursors.h"
#include "platform/QtConvert.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace cf {

namespace {

TCursor g_cursor = crDefault;
std::optional<TRect> g_workArea;
std::optional<TPoint> g_cursorPos;

QScreen* Primary()
{
    return QGuiApplication::primaryScreen();
}

} // namespace

int ScreenWidth()
{
    return Primary() ? Primary()->geometry().width() : 1024;
}

int ScreenHeight()
{
    return Primary() ? Primary()->geometry().height() : 768;
}

TRect WorkAreaRect()
{
    return Primary() ? FromQRect(Primary()->availableGeometry()) : TRect(0, 0, 1024, 768);
}

TFont MessageFont()
{
    TFont f;
    f.Name = "Tahoma";
    f.Size = 8;
    return f;
}

TRect MonitorWorkArea(const TRect& r)
{
    if (g_workArea)
        return *g_workArea;
    QScreen* best = Primary();
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

TCursor ScreenCursor()
{
    return g_cursor;
}

void SetScreenCursor(TCursor c)
{
    if (c == g_cursor)
        return;
    if (g_cursor != crDefault)
        QGuiApplication::restoreOverrideCursor();
    g_cursor = c;
    if (c != crDefault)
        QGuiApplication::setOverrideCursor(CursorFor(c));
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
