#pragma once

// Synthetic input for the edit controls: keys and text go to the line edit
// inside the control, as a user's typing would.

#include "controls/CfEdit.h"
#include "controls/CfNativeEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QResizeEvent>

#include <string>

namespace cf::testing {

inline void SendKey(QWidget* target, int qtKey, const QString& text = QString(),
                    Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, mods, text);
    QApplication::sendEvent(target, &release);
}

inline int QtKeyForChar(char32_t c)
{
    if (c >= U'a' && c <= U'z')
        return int(c - U'a' + U'A');
    return int(c);
}

// Delivers the resize a hidden widget would only get when first shown.
inline void SendResize(QWidget* w)
{
    QResizeEvent ev(w->size(), QSize());
    QApplication::sendEvent(w, &ev);
}

// Types each character of text into the control's line edit.
inline void Type(TCfCustomEdit& edit, const std::u32string& text)
{
    for (char32_t c : text)
        SendKey(edit.NativeEdit(), QtKeyForChar(c), QString::fromUcs4(&c, 1));
}

inline void Type(TCfCustomEdit& edit, const std::string& utf8)
{
    Type(edit, QString::fromStdString(utf8).toStdU32String());
}

} // namespace cf::testing
