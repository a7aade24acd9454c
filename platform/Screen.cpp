#include "platform/Screen.h"

#include "platform/Cursors.h"
#include "platform/QtConvert.h"

#include <QGuiApplication>
#include <QScreen>

namespace cf {

namespace {

TCursor g_cursor = crDefault;

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

} // namespace cf
