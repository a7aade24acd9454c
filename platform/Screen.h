#pragma once

// What the class library's screen object tells: the desktop size, the work
// area, the message font, the system metrics of scroll bars and the
// application-wide cursor that overrides every control's own while it is set.
//
// Tests install a fixed work area so that pop-up placement does not depend
// on the display the tests happen to run on.

#include "platform/Controls.h"
#include "platform/GraphicsObjects.h"
#include "platform/Types.h"

#include <optional>

namespace cf {

int ScreenWidth();
int ScreenHeight();
TRect WorkAreaRect();

// The font message boxes use; fixed (Tahoma 8) like the system colours, so
// dialogs lay out the same everywhere.
TFont MessageFont();

// Work area (screen without task bars) of the monitor nearest to r.
TRect MonitorWorkArea(const TRect& r);
// A fixed work area for every monitor (tests); nullopt restores the real one.
void SetWorkAreaOverride(std::optional<TRect> area);

// Width of the arrow of a vertical scroll bar and height of a horizontal one
// (17 px on a classic desktop at 96 DPI).
int VScrollArrowWidth();
int HScrollArrowHeight();

// Cursor shown over every window while not crDefault (e.g. crHourGlass
// during long work).
TCursor ScreenCursor();
void SetScreenCursor(TCursor c);

// Mouse pointer position in screen coordinates; tests may pin it.
TPoint CursorPos();
void SetCursorPosOverride(std::optional<TPoint> p);

} // namespace cf
