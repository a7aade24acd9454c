#include "dbexport/uMysqlVio.h"

#include "dbexport/uMysqlErrors.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <climits>
#include <algorithm>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

const char* const kMysqlDefaultSocket = "/run/mysqld/mysqld.sock";

void TMysqlVio::SetLastError(int number, const std::string& text)
{
    errNo_ = number;
    errText_ = text.substr(0, kMaxErrorText);
}

bool TMysqlVio::WasInterrupted() const { return sysErr_ == EINTR; }

bool TMysqlVio::ShouldRetry() const
{
    if (!IsOpen())
        return false;
    return sysErr_ == EINTR || sysErr_ == EAGAIN || sysErr_ == EWOULDBLOCK || sysErr_ == EINPROGRESS;
}

int TMysqlVio::Wait(short events)
{
    using clock = std::chrono::steady_clock;
    const auto deadline = clock::now() + std::chrono::seconds(timeout_);
    for (;;) {
        auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - clock::now());
        if (left.count() < 0)
            left = std::chrono::milliseconds(0);
        // poll counts in an int of milliseconds (about 24.8 days): a longer
        // time-out waits in slices rather than wrapping into a negative
        // (endless) or a short wait.
        const int slice = static_cast<int>(std::min<std::chrono::milliseconds::rep>(left.count(), INT_MAX));
        pollfd p{fd_, events, 0};
        int r = ::poll(&p, 1, slice);
        if (r > 0)
            return 1;
        if (r == 0) {
            if (clock::now() < deadline)
                continue;
            sysErr_ = ETIMEDOUT;
            return 0;
        }
        if (errno != EINTR) {
            sysErr_ = errno;
            return -1;
        }
    }
}

int TMysqlVio::Connect(uint8_t kind, const std::string& host, bool tcpFallback, int timeoutSec,
                       int port, const std::string& pipeName)
{
    if (IsOpen()) {
        SetLastError(CR_UNKNOWN_ERROR, "Connection is already open");
        return -1;
    }
    if (kind == vkEncrypted) {
        SetLastError(CR_UNKNOWN_ERROR, "Encrypted connections are not supported");
        return -1;
    }
    timeout_ = timeoutSec > 0 ? timeoutSec : kMysqlDefaultTimeout;
    if (kind == vkNamedPipe) {
        if (ConnectLocal(pipeName.empty() ? kMysqlDefaultSocket : pipeName) == 0) {
            ClearLastError();
            return 0;
        }
        if (!tcpFallback)
            return -1;
    }
    if (ConnectTcp(host.empty() ? "localhost" : host, port > 0 ? port : kMysqlDefaultPort) != 0)
        return -1;
    ClearLastError();
    return 0;
}

int TMysqlVio::ConnectLocal(const std::string& path)
{
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (path.size() >= sizeof addr.sun_path) {
        SetLastError(CR_CONNECTION_ERROR, ClientErrorText(CR_CONNECTION_ERROR, path, {}, ENAMETOOLONG));
        return -1;
    }
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0) {
        sysErr_ = errno;
        SetLastError(CR_SOCKET_CREATE_ERROR, ClientErrorText(CR_SOCKET_CREATE_ERROR, {}, {}, sysErr_));
        return -1;
    }
    if (::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        sysErr_ = errno;
        ::close(fd_);
        fd_ = -1;
        SetLastError(CR_CONNECTION_ERROR, ClientErrorText(CR_CONNECTION_ERROR, path, {}, sysErr_));
        return -1;
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
    flags_ = 1;
    // The server speaks first.
    if (Wait(POLLIN) != 1) {
        ::close(fd_);
        fd_ = -1;
        flags_ = 0;
        SetLastError(CR_CONNECTION_ERROR, ClientErrorText(CR_CONNECTION_ERROR, path, {}, sysErr_));
        return -1;
    }
    kind_ = vkNamedPipe;
    return 0;
}

int TMysqlVio::ConnectTcp(const std::string& host, int port)
{
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0) {
        sysErr_ = errno;
        SetLastError(CR_IPSOCK_ERROR, ClientErrorText(CR_IPSOCK_ERROR, {}, {}, sysErr_));
        return -1;
    }
    auto fail = [&](int number, int sysErr) {
        sysErr_ = sysErr;
        ::close(fd_);
        fd_ = -1;
        flags_ = 0;
        SetLastError(number, ClientErrorText(number, host, {}, sysErr));
        return -1;
    };
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    if (::inet_pton(AF_INET, host.c_str(), &addr.sin_addr) != 1) {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* res = nullptr;
        int r = ::getaddrinfo(host.c_str(), nullptr, &hints, &res);
        if (r != 0 || !res)
            return fail(CR_UNKNOWN_HOST, r == EAI_SYSTEM ? errno : r);
        addr.sin_addr = reinterpret_cast<sockaddr_in*>(res->ai_addr)->sin_addr;
        ::freeaddrinfo(res);
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
    flags_ = 1;
    if (::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        if (errno != EINPROGRESS && errno != EINTR)
            return fail(CR_CONN_HOST_ERROR, errno);
        // The connect goes on in the background: wait for it, then ask how it ended.
        int w = Wait(POLLOUT);
        if (w != 1)
            return fail(CR_CONN_HOST_ERROR, w == 0 ? ETIMEDOUT : sysErr_);
        int soError = 0;
        socklen_t len = sizeof soError;
        if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &soError, &len) != 0)
            return fail(CR_CONN_HOST_ERROR, errno);
        if (soError != 0)
            return fail(CR_CONN_HOST_ERROR, soError);
    }
    int one = 1;
    ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    ::setsockopt(fd_, SOL_SOCKET, SO_KEEPALIVE, &one, sizeof one);
    // The server speaks first: a listener that never does is no server.
    int w = Wait(POLLIN);
    if (w != 1)
        return fail(CR_CONN_HOST_ERROR, w == 0 ? ETIMEDOUT : sysErr_);
    kind_ = vkTcpIp;
    return 0;
}

void TMysqlVio::Close()
{
    if (fd_ >= 0) {
        ::shutdown(fd_, SHUT_RDWR);
        ::close(fd_);
    }
    fd_ = -1;
    kind_ = vkClosed;
    flags_ = 0;
}

int TMysqlVio::Read(void* buf, int size)
{
    if (!IsOpen()) {
        sysErr_ = EBADF;
        return -1;
    }
    int w = Wait(POLLIN);
    if (w != 1)
        return -1;
    ssize_t n = ::recv(fd_, buf, static_cast<size_t>(size), 0);
    if (n == 0) {
        sysErr_ = ECONNRESET;
        return -1;
    }
    if (n < 0) {
        sysErr_ = errno;
        return -1;
    }
    return static_cast<int>(n);
}

int TMysqlVio::Write(const void* buf, int size)
{
    if (!IsOpen()) {
        sysErr_ = EBADF;
        return -1;
    }
    ssize_t n = ::send(fd_, buf, static_cast<size_t>(size), MSG_NOSIGNAL);
    if (n < 0) {
        sysErr_ = errno;
        return -1;
    }
    return static_cast<int>(n);
}

void TMysqlVio::SetBlocking(bool on)
{
    if (fd_ < 0 || on == IsBlocking())
        return;
    int fl = ::fcntl(fd_, F_GETFL);
    if (on) {
        ::fcntl(fd_, F_SETFL, fl & ~O_NONBLOCK);
        // A blocking send still may not wait for ever on a stuck peer.
        timeval tv{timeout_, 0};
        ::setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
        flags_ &= ~1u;
    } else {
        ::fcntl(fd_, F_SETFL, fl | O_NONBLOCK);
        flags_ |= 1u;
    }
}

void TMysqlVio::SetKeepAlive(bool on)
{
    if (fd_ < 0)
        return;
    int v = on ? 1 : 0;
    ::setsockopt(fd_, SOL_SOCKET, SO_KEEPALIVE, &v, sizeof v);
}
