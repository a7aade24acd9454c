#pragma once

// English names of Windows locale ids, as Windows shows them
// ("English (United States)" for 1033). The stored "Languages" value is one
// of these names, so they must not change.

#include <string>

// The name of `lcid`; "Language <lcid>" for an id the table lacks.
std::string LcidName(int lcid);
