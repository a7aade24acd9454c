#pragma once

// A control other than a push button that answers the Alt+character
// accelerators of its window (the page control, for its tab captions).
// EnableAccelerators (DialogKeys.h) offers the characters to these as it
// does to the push buttons; unlike a push button, having the focus does not
// take the Enter key from the form's default button.

namespace cf {

class TAcceleratorTarget {
public:
    virtual ~TAcceleratorTarget() = default;
    // True when the character was taken.
    virtual bool DialogChar(char32_t ch) = 0;
};

} // namespace cf
