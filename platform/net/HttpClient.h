#pragma once

#include "platform/net/NetError.h"

#include <cstddef>
#include <string>

namespace cf::net {

// An HTTP request that did not give a 2xx answer; the message is the
// server's status line ("HTTP/1.1 401 Unauthorized") or the transport error.
class EIdHTTPError : public ENetError {
public:
    EIdHTTPError(int code, const std::string& text) : ENetError(text), ResponseCode(code) {}
    int ResponseCode; // 0 when no answer came
};

// HTTP GET of a URL into a string, with optional basic authentication.
// Connecting is bounded by ConnectTimeout; after that the request fails when
// no data moves for ReadTimeout (both in ms). TotalTimeout, when not 0,
// bounds the whole request (connect, headers, body), so a server that
// trickles bytes cannot hold the caller longer. BodyLimit, when not 0, cuts
// a longer body to that many bytes and ends the transfer there (without
// it a body above 64 MB fails).
class TIdHTTP {
public:
    std::string Username;
    std::string Password;
    bool BasicAuthentication = false;
    int ConnectTimeout = 5000;
    int ReadTimeout = 5000;
    int TotalTimeout = 0;
    std::size_t BodyLimit = 0;
    std::string Accept = "text/html, */*";
    // Empty: the library's own name and version.
    std::string UserAgent;

    // The reply body; throws EIdHTTPError.
    std::string Get(const std::string& url);
    int ResponseCode() const { return responseCode_; }

private:
    int responseCode_ = 0;
};

} // namespace cf::net
