#pragma once

// Escaping of texts for statements: NUL, tab, line feed, carriage return,
// both quotes and the backslash get a backslash in front; the first four are
// then written as 0, t, n and r. Nothing else changes.

#include <cstddef>
#include <string>
#include <string_view>

std::string MySQLEscape(std::string_view text);
// Writes the escaped text and a closing NUL into to (room for 2 * len + 1);
// returns the escaped length.
size_t MySQLEscapeInto(char* to, const char* from, size_t len);
