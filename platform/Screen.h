#pragma once

// What the class library's screen object tells: the desktop size, the work
// area, the message font and the application-wide cursor.

#include "platform/Controls.h"
#include "platform/GraphicsObjects.h"
#include "platform/Types.h"

namespace cf {

int ScreenWidth();
int ScreenHeight();
TRect WorkAreaRect();

// The font message boxes use; fixed (Tahoma 8) like the system colours, so
// dialogs lay out the same everywhere.
TFont MessageFont();

// Cursor shown over every window while not crDefault (e.g. crHourGlass
// during long work).
TCursor ScreenCursor();
void SetScreenCursor(TCursor c);

} // namespace cf
