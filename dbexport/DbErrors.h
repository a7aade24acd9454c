#pragma once

// The error classes of the small database framework the components stand on.

#include <stdexcept>
#include <string>

class EDatabaseError : public std::runtime_error {
public:
    explicit EDatabaseError(const std::string& message) : std::runtime_error(message) {}
};

// The silent abort: ends an operation without a message to the user.
class EAbort : public std::runtime_error {
public:
    EAbort() : std::runtime_error("Operation aborted") {}
};

// Raised by the database components; ErrorNo is -1 when the failure has no
// server or client error number.
class EMySQLError : public EDatabaseError {
public:
    EMySQLError(const std::string& message, int errorNo = -1)
        : EDatabaseError(message), ErrorNo(errorNo) {}
    int ErrorNo;
};
