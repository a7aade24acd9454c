#include "platform/net/TcpSocket.h"

#include "platform/net/NetError.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace cf::net {

namespace {

std::string ErrnoText(int err)
{
    return std::strerror(err);
}

void SetNonBlocking(int fd)
{
    int flags = fcntl(fd, F_GETFL, 0);
    if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0)
        throw ENetError("Socket error: " + ErrnoText(errno));
}

// poll() that restarts after signals and keeps the overall time-out.
int PollFor(int fd, short events, int timeoutMs)
{
    using clock = std::chrono::steady_clock;
    auto deadline = clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now()).count();
        if (left < 0)
            left = 0;
        pollfd p{fd, events, 0};
        int r = ::poll(&p, 1, static_cast<int>(left));
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            throw ENetError("Socket error: " + ErrnoText(errno));
        return r == 0 ? 0 : p.revents;
    }
}

struct Resolved {
    std::vector<sockaddr_storage> addrs;
    std::vector<socklen_t> lens;
};

// Name resolution cannot be interrupted, so a name is resolved on a helper
// thread and waited for with the connect time-out; a late answer is dropped.
Resolved Resolve(const std::string& host, int port, int timeoutMs)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
    std::string service = std::to_string(port);
    auto collect = [](addrinfo* list) {
        Resolved r;
        for (addrinfo* a = list; a; a = a->ai_next) {
            sockaddr_storage s{};
            std::memcpy(&s, a->ai_addr, a->ai_addrlen);
            r.addrs.push_back(s);
            r.lens.push_back(a->ai_addrlen);
        }
        return r;
    };
    addrinfo* list = nullptr;
    if (getaddrinfo(host.c_str(), service.c_str(), &hints, &list) == 0) {
        Resolved r = collect(list);
        freeaddrinfo(list);
        return r;
    }

    struct Shared {
        std::mutex m;
        std::condition_variable cv;
        bool done = false;
        int rc = 0;
        Resolved result;
    };
    auto shared = std::make_shared<Shared>();
    hints.ai_flags = AI_NUMERICSERV;
    std::thread([shared, host, service, hints] {
        addrinfo* l = nullptr;
        int rc = getaddrinfo(host.c_str(), service.c_str(), &hints, &l);
        Resolved r;
        if (rc == 0) {
            for (addrinfo* a = l; a; a = a->ai_next) {
                sockaddr_storage s{};
                std::memcpy(&s, a->ai_addr, a->ai_addrlen);
                r.addrs.push_back(s);
                r.lens.push_back(a->ai_addrlen);
            }
            freeaddrinfo(l);
        }
        std::lock_guard lock(shared->m);
        shared->rc = rc;
        shared->result = std::move(r);
        shared->done = true;
        shared->cv.notify_all();
    }).detach();
    std::unique_lock lock(shared->m);
    if (!shared->cv.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return shared->done; }))
        throw ENetTimeout("Timed out resolving host name " + host);
    if (shared->rc != 0 || shared->result.addrs.empty())
        throw ENetError("Host not found: " + host);
    return std::move(shared->result);
}

std::string AddressText(const sockaddr_storage& s)
{
    char buf[INET6_ADDRSTRLEN] = {};
    if (s.ss_family == AF_INET)
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in&>(s).sin_addr, buf, sizeof buf);
    else if (s.ss_family == AF_INET6)
        inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6&>(s).sin6_addr, buf, sizeof buf);
    return buf;
}

int PortOf(const sockaddr_storage& s)
{
    if (s.ss_family == AF_INET)
        return ntohs(reinterpret_cast<const sockaddr_in&>(s).sin_port);
    if (s.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6&>(s).sin6_port);
    return 0;
}

} // namespace

TcpSocket& TcpSocket::operator=(TcpSocket&& o) noexcept
{
    if (this != &o) {
        Close();
        fd_ = o.fd_;
        o.fd_ = -1;
    }
    return *this;
}

void TcpSocket::Close()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

void TcpSocket::ShutdownWrite()
{
    if (fd_ >= 0)
        ::shutdown(fd_, SHUT_WR);
}

namespace {

TcpSocket ConnectResolved(const Resolved& r, std::chrono::steady_clock::time_point deadline,
                          const std::string& host)
{
    using clock = std::chrono::steady_clock;
    std::string lastError = "Could not connect to " + host;
    bool lastTimedOut = false;
    for (std::size_t i = 0; i < r.addrs.size(); ++i) {
        int fd = ::socket(r.addrs[i].ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) {
            lastError = "Socket error: " + ErrnoText(errno);
            lastTimedOut = false;
            continue;
        }
        TcpSocket s(fd);
        SetNonBlocking(fd);
        int rc = ::connect(fd, reinterpret_cast<const sockaddr*>(&r.addrs[i]), r.lens[i]);
        if (rc < 0 && errno != EINPROGRESS) {
            lastError = "Socket error: " + ErrnoText(errno);
            lastTimedOut = false;
            continue;
        }
        if (rc < 0) {
            // An even share of what is left, so a silent address cannot use
            // up the time of the ones after it; the last one gets the rest.
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now()).count();
            if (left < 0)
                left = 0;
            const auto share = left / static_cast<long long>(r.addrs.size() - i);
            int ev = PollFor(fd, POLLOUT, static_cast<int>(share));
            if (ev == 0) {
                lastError = "Connect timed out";
                lastTimedOut = true;
                continue;
            }
            int err = 0;
            socklen_t len = sizeof err;
            getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len);
            if (err != 0) {
                lastError = "Socket error: " + ErrnoText(err);
                lastTimedOut = false;
                continue;
            }
        }
        int one = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        return s;
    }
    if (lastTimedOut)
        throw ENetTimeout(lastError);
    throw ENetError(lastError);
}

} // namespace

TcpSocket TcpSocket::Connect(const std::string& host, int port, int timeoutMs)
{
    if (port <= 0 || port > 65535)
        throw ENetError("Invalid port " + std::to_string(port));
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    return ConnectResolved(Resolve(host, port, timeoutMs), deadline, host);
}

TcpSocket TcpSocket::ConnectAny(const std::vector<TEndpoint>& endpoints, int timeoutMs, const std::string& host)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    Resolved all;
    for (const auto& e : endpoints) {
        if (e.Port <= 0 || e.Port > 65535)
            throw ENetError("Invalid port " + std::to_string(e.Port));
        // Numeric addresses only: nothing to wait for.
        Resolved one = Resolve(e.Address, e.Port, 0);
        all.addrs.insert(all.addrs.end(), one.addrs.begin(), one.addrs.end());
        all.lens.insert(all.lens.end(), one.lens.begin(), one.lens.end());
    }
    return ConnectResolved(all, deadline, host);
}

TcpSocket TcpSocket::ListenBeside(const TcpSocket& like)
{
    sockaddr_storage local{};
    socklen_t len = sizeof local;
    if (getsockname(like.fd_, reinterpret_cast<sockaddr*>(&local), &len) < 0)
        throw ENetError("Socket error: " + ErrnoText(errno));
    if (local.ss_family == AF_INET)
        reinterpret_cast<sockaddr_in&>(local).sin_port = 0;
    else
        reinterpret_cast<sockaddr_in6&>(local).sin6_port = 0;
    int fd = ::socket(local.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw ENetError("Socket error: " + ErrnoText(errno));
    TcpSocket s(fd);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&local), len) < 0 || ::listen(fd, 1) < 0)
        throw ENetError("Socket error: " + ErrnoText(errno));
    SetNonBlocking(fd);
    return s;
}

TcpSocket TcpSocket::Accept(int timeoutMs)
{
    if (PollFor(fd_, POLLIN, timeoutMs) == 0)
        throw ENetTimeout("Timed out waiting for the data connection");
    int fd = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0)
        throw ENetError("Socket error: " + ErrnoText(errno));
    return TcpSocket(fd);
}

void TcpSocket::SendAll(const void* data, std::size_t size, int timeoutMs)
{
    auto p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = ::send(fd_, p, size, MSG_NOSIGNAL);
        if (n > 0) {
            p += n;
            size -= static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (PollFor(fd_, POLLOUT, timeoutMs) == 0)
                throw ENetTimeout("Write timed out");
            continue;
        }
        throw ENetError("Socket error: " + ErrnoText(errno));
    }
}

bool TcpSocket::WaitReadable(int timeoutMs) const
{
    if (fd_ < 0)
        return false;
    return PollFor(fd_, POLLIN, timeoutMs) != 0;
}

std::size_t TcpSocket::Receive(void* buf, std::size_t size, int timeoutMs)
{
    for (;;) {
        ssize_t n = ::recv(fd_, buf, size, 0);
        if (n >= 0)
            return static_cast<std::size_t>(n);
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (PollFor(fd_, POLLIN, timeoutMs) == 0)
                throw ENetTimeout("Read timed out");
            continue;
        }
        if (errno == ECONNRESET)
            throw ENetError("Connection reset by peer");
        throw ENetError("Socket error: " + ErrnoText(errno));
    }
}

std::string TcpSocket::LocalAddress() const
{
    sockaddr_storage s{};
    socklen_t len = sizeof s;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&s), &len);
    return AddressText(s);
}

int TcpSocket::LocalPort() const
{
    sockaddr_storage s{};
    socklen_t len = sizeof s;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&s), &len);
    return PortOf(s);
}

std::string TcpSocket::PeerAddress() const
{
    sockaddr_storage s{};
    socklen_t len = sizeof s;
    getpeername(fd_, reinterpret_cast<sockaddr*>(&s), &len);
    return AddressText(s);
}

bool TcpSocket::IsIPv6() const
{
    sockaddr_storage s{};
    socklen_t len = sizeof s;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&s), &len);
    return s.ss_family == AF_INET6;
}

} // namespace cf::net
