#pragma once

#include "platform/Errors.h"

#include <stdexcept>
#include <string>

// A text that should hold a number does not. One class for the whole
// program (the platform's), so the grid and the readers raise the same error.
using cf::EConvertError;

// A file could not be opened, read or written.
class EInOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
