#include "FakeServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace cftest {

namespace {

int ListenLocal(int& port)
{
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(fd, 4) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    port = ntohs(a.sin_port);
    return fd;
}

} // namespace

int UnusedPort()
{
    int port = 0;
    int fd = ListenLocal(port);
    ::close(fd);
    return port;
}

void FakeConn::SendRaw(const std::string& bytes)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        sent += static_cast<size_t>(n);
    }
}

void FakeConn::SendPacket(uint8_t seq, const std::string& payload)
{
    std::string h;
    h += static_cast<char>(payload.size() & 0xFF);
    h += static_cast<char>((payload.size() >> 8) & 0xFF);
    h += static_cast<char>((payload.size() >> 16) & 0xFF);
    h += static_cast<char>(seq);
    SendRaw(h + payload);
}

bool FakeConn::ReadRaw(std::string& bytes, size_t n, int timeoutMs)
{
    bytes.clear();
    while (bytes.size() < n) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) != 1)
            return false;
        char buf[65536];
        ssize_t r = ::recv(fd_, buf, std::min(sizeof buf, n - bytes.size()), 0);
        if (r <= 0)
            return false;
        bytes.append(buf, static_cast<size_t>(r));
    }
    return true;
}

bool FakeConn::ReadPacket(uint8_t& seq, std::string& payload, int timeoutMs)
{
    std::string h;
    if (!ReadRaw(h, 4, timeoutMs))
        return false;
    size_t len = static_cast<uint8_t>(h[0]) | (static_cast<uint8_t>(h[1]) << 8) |
                 (static_cast<uint8_t>(h[2]) << 16);
    seq = static_cast<uint8_t>(h[3]);
    return ReadRaw(payload, len, timeoutMs);
}

void FakeConn::Close()
{
    if (fd_ >= 0) {
        ::shutdown(fd_, SHUT_RDWR);
        ::close(fd_);
    }
    fd_ = -1;
}

FakeServer::FakeServer(Script script)
{
    listenFd_ = ListenLocal(port_);
    thread_ = std::thread([this, script = std::move(script)] {
        pollfd p{listenFd_, POLLIN, 0};
        if (::poll(&p, 1, 20000) != 1)
            return;
        int fd = ::accept(listenFd_, nullptr, nullptr);
        if (fd < 0)
            return;
        FakeConn c(fd);
        script(c);
        c.Close();
    });
}

void FakeServer::Join()
{
    if (thread_.joinable())
        thread_.join();
}

FakeServer::~FakeServer()
{
    Join();
    ::close(listenFd_);
}

std::string LenInt(uint64_t v)
{
    std::string s;
    if (v < 251) {
        s += static_cast<char>(v);
    } else if (v < 65536) {
        s += static_cast<char>(252);
        s += static_cast<char>(v & 0xFF);
        s += static_cast<char>(v >> 8);
    } else if (v < 0x1000000) {
        s += static_cast<char>(253);
        for (int i = 0; i < 3; ++i)
            s += static_cast<char>((v >> (8 * i)) & 0xFF);
    } else {
        s += static_cast<char>(254);
        for (int i = 0; i < 8; ++i)
            s += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    return s;
}

std::string LenText(const std::string& s) { return LenInt(s.size()) + s; }

std::string Greeting10(uint16_t caps, const std::string& salt, uint8_t protocol,
                       const std::string& version)
{
    std::string g;
    g += static_cast<char>(protocol);
    g += version;
    g += '\0';
    g += std::string("\x2A\x00\x00\x00", 4); // thread id 42
    g += salt.substr(0, 8);
    g += '\0';
    g += static_cast<char>(caps & 0xFF);
    g += static_cast<char>(caps >> 8);
    g += static_cast<char>(8);                 // character set
    g += std::string("\x02\x00", 2);           // status: autocommit
    g += std::string(13, '\0');
    g += salt.substr(8);
    g += '\0';
    return g;
}

std::string OkPacket(uint64_t affected, uint64_t insertId, bool withStatus, uint16_t status,
                     uint16_t warnings, const std::string& info)
{
    std::string p(1, '\0');
    p += LenInt(affected) + LenInt(insertId);
    if (withStatus) {
        p += static_cast<char>(status & 0xFF);
        p += static_cast<char>(status >> 8);
        p += static_cast<char>(warnings & 0xFF);
        p += static_cast<char>(warnings >> 8);
    }
    if (!info.empty())
        p += LenText(info);
    return p;
}

std::string ErrPacket(uint16_t number, const std::string& text)
{
    std::string p(1, '\xFF');
    p += static_cast<char>(number & 0xFF);
    p += static_cast<char>(number >> 8);
    return p + text;
}

} // namespace cftest
