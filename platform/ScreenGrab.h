#pragma once

// A copy of what the desktop shows in a screen rectangle.

#include "platform/Bitmap.h"
#include "platform/Types.h"

namespace cf {

// The desktop's pixels at r (screen coordinates) as a pf24bit bitmap; false
// (and the bitmap left alone) where the platform cannot read the screen.
bool GrabScreen(const TRect& r, TBitmap& into);

} // namespace cf
