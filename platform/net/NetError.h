#pragma once

#include <stdexcept>
#include <string>

namespace cf::net {

// Every failure of the network clients is an ENetError; callers that must
// tell a time-out apart (to drop a connection that is out of step) catch the
// narrower type.
class ENetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ENetTimeout : public ENetError {
public:
    using ENetError::ENetError;
};

} // namespace cf::net
