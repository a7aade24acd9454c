#pragma once

#include <string>

namespace cf::net {

// The data port a server names in its PASV reply ("227 ... (h1,h2,h3,h4,p1,p2)"),
// or -1 when the reply does not hold one. Replies come from the network, so
// every number is bounded before it is used.
int PassivePort(const std::string& text);

// The data port of an EPSV reply ("229 ... (|||port|)"), or -1.
int ExtendedPassivePort(const std::string& text);

} // namespace cf::net
