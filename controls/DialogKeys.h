#pragma once

// What the push buttons (TCfButton, TGlossButton) share on a form: which of
// them answers Enter, and the Alt+letter accelerators of their captions.
// Enter and Esc themselves reach the buttons through the form's dialog keys
// (TControl::DialogKey), offered to every control of the form in turn.

#include <QWidget>

#include <string>

namespace cf {

class TPushButtonBase {
public:
    virtual ~TPushButtonBase() = default;
    // An Alt+character accelerator; true when taken.
    virtual bool DialogChar(char32_t ch) = 0;
};

// Whether the push button self answers Enter now: while a push button of
// the form has the focus only that one does (Enter on a focused "No"
// answers No); otherwise the default button.
bool ActsAsDefaultButton(const QWidget* self, bool isDefault);

// Makes Alt+letter reach the push buttons of w's window; harmless to call again.
void EnableAccelerators(QWidget* w);

// True when the caption has "&c" for ch (any case; "&&" is no accelerator).
bool IsAccel(char32_t ch, const std::string& caption);

} // namespace cf
