#pragma once

// The program's own cursors and small bitmaps, looked up by the resource
// names the code uses ("ROLL", "HORZSPLIT", "CLOSEBTN", ...), and the
// cursor table that maps cursor numbers (crArrow, custom numbers) to cursors.

#include "platform/Bitmap.h"

#include <QCursor>

#include <optional>
#include <string>
#include <vector>

namespace cf {

// Our drawings of the named cursors; nullopt for an unknown name.
std::optional<QCursor> ProgramCursor(const std::string& name);
// Our drawings of the named bitmaps (pf24bit); an empty bitmap for an unknown name.
TBitmap ProgramBitmap(const std::string& name);
std::vector<std::string> ProgramCursorNames();
std::vector<std::string> ProgramBitmapNames();

// Cursor of a cursor number: the standard numbers map to Qt's shapes,
// positive numbers to cursors registered with SetCustomCursor.
QCursor CursorFor(int cursorNumber);
void SetCustomCursor(int cursorNumber, const QCursor& c);

} // namespace cf
