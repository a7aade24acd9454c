#pragma once

// What the drop-down and scrolling controls ask of the screen besides
// Screen.h: the work area of the monitor nearest to a rectangle, the system
// metrics of scroll bars and the pointer position.
//
// Tests install a fixed work area so that pop-up placement does not depend
// on the display the tests happen to run on.

#include "platform/Types.h"

#include <optional>

namespace cf {

// Work area (screen without task bars) of the monitor nearest to r.
TRect MonitorWorkArea(const TRect& r);
// A fixed work area for every monitor (tests); nullopt restores the real one.
void SetWorkAreaOverride(std::optional<TRect> area);

// Width of the arrow of a vertical scroll bar and height of a horizontal one
// (17 px on a classic desktop at 96 DPI).
int VScrollArrowWidth();
int HScrollArrowHeight();

// Mouse pointer position in screen coordinates; tests may pin it.
TPoint CursorPos();
void SetCursorPosOverride(std::optional<TPoint> p);

} // namespace cf
