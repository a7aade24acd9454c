#pragma once

#include <string>

// Percent-encodes a value taken from the receiver's own replies before it goes
// back into a request line: a reference holding a blank, "&", "#" or a control
// character would otherwise make a malformed request or change its meaning.
// Characters a service reference is made of (letters, digits, ":", "/", ".",
// "-", "_", "~") pass unchanged, so ordinary references go out as they were.
std::string EscapeQueryValue(const std::string& value);
