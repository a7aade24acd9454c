#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace cf::net {

// One numeric address and port to connect to.
struct TEndpoint {
    std::string Address;
    int Port = 0;
};

// A blocking-style TCP socket whose every wait is bounded: the descriptor is
// non-blocking and each operation polls with its own time-out in milliseconds.
class TcpSocket {
public:
    TcpSocket() = default;
    explicit TcpSocket(int fd) : fd_(fd) {}
    ~TcpSocket() { Close(); }
    TcpSocket(TcpSocket&& o) noexcept : fd_(o.fd_) { o.fd_ = -1; }
    TcpSocket& operator=(TcpSocket&& o) noexcept;
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;

    // Resolves host (a numeric address or a name; resolution is bounded too)
    // and connects within timeoutMs. Throws ENetError / ENetTimeout.
    static TcpSocket Connect(const std::string& host, int port, int timeoutMs);
    // Connects to the first of `endpoints` that answers, in order, all within
    // timeoutMs: each address in turn gets an even share of the time left, so
    // one that never answers (a dead route, a full queue) leaves time for the
    // next. `host` names the target in messages.
    static TcpSocket ConnectAny(const std::vector<TEndpoint>& endpoints, int timeoutMs, const std::string& host);

    // A listening socket on the local address of `like` (the control
    // connection), any free port; for active-mode data connections.
    static TcpSocket ListenBeside(const TcpSocket& like);

    // Accepts one connection within timeoutMs.
    TcpSocket Accept(int timeoutMs);

    bool IsOpen() const { return fd_ >= 0; }
    int Handle() const { return fd_; }
    void Close();
    // Half-close: tells the peer no more data comes (end of an upload).
    void ShutdownWrite();

    void SendAll(const void* data, std::size_t size, int timeoutMs);
    void SendAll(const std::string& s, int timeoutMs) { SendAll(s.data(), s.size(), timeoutMs); }

    // Waits up to timeoutMs for data; returns the bytes read, 0 at end of
    // stream. Throws ENetTimeout when nothing arrived in time.
    std::size_t Receive(void* buf, std::size_t size, int timeoutMs);

    // Waits up to timeoutMs for the socket to become readable (data or end of
    // stream); false when the time ran out. A negative time-out returns at once.
    bool WaitReadable(int timeoutMs) const;

    // Numeric local and peer address and port.
    std::string LocalAddress() const;
    int LocalPort() const;
    std::string PeerAddress() const;
    bool IsIPv6() const;

private:
    int fd_ = -1;
};

} // namespace cf::net
