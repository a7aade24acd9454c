#pragma once

// The class library's errors that more than one layer raises and catches.
// Header-only and free of Qt, so the settings model (which runs without a
// display) shares them with the controls and the grid: a caller catches a
// cell's conversion failure and a settings reader's alike.

#include <stdexcept>

namespace cf {

// A text does not convert to the asked type, or a value does not fit it.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An index outside a list.
class EListError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

// An operation the object's present state does not allow (a control of the
// wrong kind put into a container, for one).
class EInvalidOperation : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

} // namespace cf
