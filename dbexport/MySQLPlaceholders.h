#pragma once

// The "?" parameter markers of a statement turned into numbered macro
// references, as a provider's statements reach the dataset.

#include <string>

// Each "?" becomes open + n + close, n counting from 1. A "?" inside a
// quoted text, a quoted name or a comment is part of it and stays.
std::string NumberPlaceholders(const std::string& sql, const std::string& open, const std::string& close,
                               int* count = nullptr);
