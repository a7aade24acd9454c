#pragma once

// Drag and drop between the program's own controls, run inside the
// application (QDrag's blocking loop cannot run headless, and nothing leaves
// the program).
//
// A drag is armed by TControl::BeginDrag. From then until the mouse button
// is released the drag owns the mouse: moves and the release do not reach
// the controls. An armed drag starts once the mouse has moved `threshold`
// pixels or more from the press along either axis (at once when immediate).
// While it runs, the control under the mouse is its target and hears
// DragOver (enter, move, leave); the cursor shows whether it accepts.
// Releasing over an accepting target drops there (DragDrop); releasing
// anywhere else, releasing before the drag started, or Esc cancels: the
// source hears DragCanceled. Either way the source hears DoEndDrag last,
// with the target or null. The drag's state is cleared before any of these
// calls, so a drop handler may open a modal dialog or start a new drag.

#include "platform/Controls.h"

namespace cf {

// Pixels the mouse must move before an armed drag starts, as the class
// library's default.
constexpr int DefaultDragThreshold = 5;

// True while a drag is armed or running.
bool DragPending();
// True once the armed drag has started.
bool DragActive();
TControl* DragSource();
// The control the mouse is over while the drag runs (null over nothing).
TControl* DragTarget();
// Whether the current target accepts the drop.
bool DragAccepted();
// Ends the drag as Esc does; nothing without one.
void CancelDrag();

} // namespace cf
