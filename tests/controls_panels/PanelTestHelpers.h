#pragma once

#include "platform/Canvas.h"
#include "platform/Color.h"
#include "platform/Controls.h"

#include <QApplication>
#include <QMouseEvent>

// Pixel of a control's window (frame included) after painting it afresh.
inline cf::TColor PixelAt(cf::TControl& c, int x, int y)
{
    c.Render();
    return cf::FromPixel(cf::ReadPixel(c.BackBuffer(), x, y));
}

inline cf::TColor Rgb(cf::TColor c)
{
    return cf::ColorToRGB(c);
}

// Mouse event at a client point of a control.
inline void SendMouse(cf::TControl& c, QEvent::Type type, int x, int y, Qt::MouseButton button = Qt::LeftButton)
{
    QPointF local(x + c.ClientOffset().X, y + c.ClientOffset().Y);
    Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    if (type == QEvent::MouseMove)
        held = Qt::NoButton;
    QMouseEvent e(type, local, c.mapToGlobal(local), type == QEvent::MouseMove ? Qt::NoButton : button, held,
                  Qt::NoModifier);
    QApplication::sendEvent(&c, &e);
}

inline void Press(cf::TControl& c, int x, int y) { SendMouse(c, QEvent::MouseButtonPress, x, y); }
inline void Release(cf::TControl& c, int x, int y) { SendMouse(c, QEvent::MouseButtonRelease, x, y); }

inline void SendKey(QWidget* w, int key, QEvent::Type type = QEvent::KeyPress)
{
    QString text = key == Qt::Key_Space ? QString(" ") : key == Qt::Key_Return ? QString("\r") : QString();
    QKeyEvent e(type, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &e);
}

// Shows a top-level window and makes it active (the offscreen platform
// activates nothing by itself), so focus works as on a desktop.
inline void ShowActive(QWidget& w)
{
    w.show();
    QApplication::setActiveWindow(&w);
    QApplication::processEvents();
}
