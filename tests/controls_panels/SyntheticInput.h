#pragma once

// Mouse clicks and key strokes sent straight to a control, as a user would
// make them, for the window tests that drive the program's own controls.

#include "platform/Controls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QString>
#include <QWidget>

#include <string>

// A left click (press and release) at `at`, in the control's coordinates.
inline void Click(cf::TControl& c, QPointF at)
{
    QMouseEvent press(QEvent::MouseButtonPress, at, c.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&c, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, c.mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&c, &release);
}

// A left click in the middle of the control.
inline void Click(cf::TControl& c) { Click(c, QPointF(c.width() / 2, c.height() / 2)); }

// One key pressed and released, carrying `text`.
inline void Key(QWidget* w, int key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

// Plain (Latin-1) text typed a character at a time.
inline void Type(QWidget* w, const std::string& text)
{
    for (char ch : text)
        Key(w, 0, QString(QChar::fromLatin1(ch)));
}
