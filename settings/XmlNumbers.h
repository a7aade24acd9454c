#pragma once

#include <cstdint>
#include <string_view>

// A decimal integer with an optional sign and surrounding blanks, within
// 32 bits. False for anything else (empty, letters, overflow).
bool ParseXmlInt(std::string_view text, std::int32_t& value);
