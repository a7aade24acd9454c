#pragma once

// Enter, Esc and accelerator keys of a form, handed to its buttons as the
// class library does: a key the focused control does not use itself goes
// first to the focused button, then to every button of the form in creation
// order until one takes it. A control that uses Enter or Esc itself (a grid
// editing a cell, a multi-line edit) says so with WantDialogKeys.

#include "platform/Keys.h"

#include <QWidget>

namespace cf {

class TDialogKeyTarget {
public:
    virtual ~TDialogKeyTarget() = default;
    // Enter or Esc (virtual key) without Shift, Ctrl or Alt; true when taken.
    virtual bool DialogKey(uint16_t key, TShiftState shift) = 0;
    // An Alt+character accelerator; true when taken.
    virtual bool DialogChar(char32_t ch) { (void)ch; return false; }
};

// Makes the dialog keys of w's window reach the buttons; harmless to call again.
void EnableDialogKeys(QWidget* w);
void SetWantDialogKeys(QWidget* control, bool want);

// True when the caption has "&c" for ch (any case; "&&" is no accelerator).
bool IsAccel(char32_t ch, const std::string& caption);

} // namespace cf
