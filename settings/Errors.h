#pragma once

#include <stdexcept>
#include <string>

// A text that should hold a number does not.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file could not be opened, read or written.
class EInOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
