#pragma once

// The desktop's "open" of a web address (the default browser).

#include <functional>
#include <string>

namespace cf {

// Opens `address`; false when the desktop could not. Goes through the handler
// set below when there is one (tests record the address instead).
bool ShellOpen(const std::string& address);
void SetShellOpenHandler(std::function<bool(const std::string&)> handler);

} // namespace cf
