#pragma once

// What the controls ask of the screen: the work area of the monitor nearest
// to a rectangle, the system metrics of scroll bars, and the screen-wide
// cursor that overrides every control's own while it is set.
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

// The screen cursor: crDefault lets each control show its own.
int ScreenCursor();
void SetScreenCursor(int cursorNumber);

// Mouse pointer position in screen coordinates; tests may pin it.
TPoint CursorPos();
void SetCursorPosOverride(std::optional<TPoint> p);

} // namespace cf
