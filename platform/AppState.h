#pragma once

// The application as a whole gaining or losing the user's attention.

#include <functional>

class QObject;

namespace cf {

// Calls `fn` each time the application stops being the active one (another
// program's window took over), for as long as `owner` lives.
void WhenApplicationDeactivates(QObject* owner, std::function<void()> fn);

} // namespace cf
