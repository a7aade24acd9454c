#include "platform/ScreenGrab.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace cf {

bool GrabScreen(const TRect& r, TBitmap& into)
{
    QScreen* s = QGuiApplication::primaryScreen();
    if (!s || r.IsEmpty())
        return false;
    const QPixmap shot = s->grabWindow(0, r.Left, r.Top, r.Width(), r.Height());
    if (shot.isNull() || shot.width() != r.Width() || shot.height() != r.Height())
        return false;
    into = TBitmap::FromImage(shot.toImage(), pf24bit);
    return true;
}

} // namespace cf
