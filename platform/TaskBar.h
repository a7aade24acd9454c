#pragma once

// Where the desktop's task bar stands, as the app-bar query reports it.
// Desktops here have no such query; the task bar is inferred from the part
// of the primary screen that its work area leaves out. Tests install a
// fixed answer.

#include "platform/Types.h"

#include <functional>
#include <optional>

namespace cf {

enum class TAppBarEdge { abeLeft, abeTop, abeRight, abeBottom };

struct TAppBarData {
    TRect Rect;
    TAppBarEdge Edge = TAppBarEdge::abeBottom;
};

// nullopt when no task bar can be found.
std::optional<TAppBarData> TaskBarPos();
// A fixed answer for tests; an empty function restores the real query.
void SetTaskBarOverride(std::function<std::optional<TAppBarData>()> query);

} // namespace cf
