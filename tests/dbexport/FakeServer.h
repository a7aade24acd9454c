#pragma once

// A scripted stand-in for a database server on 127.0.0.1, for the protocol
// branches a real server never takes. The script runs in its own thread on
// the first accepted connection.

#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace cftest {

class FakeConn {
public:
    explicit FakeConn(int fd) : fd_(fd) {}
    // One packet with a 4-byte header.
    void SendPacket(uint8_t seq, const std::string& payload);
    void SendRaw(const std::string& bytes);
    // One packet: false when the peer closed or nothing came within the time.
    bool ReadPacket(uint8_t& seq, std::string& payload, int timeoutMs = 5000);
    bool ReadRaw(std::string& bytes, size_t n, int timeoutMs = 5000);
    void Close();
    int Fd() const { return fd_; }

private:
    int fd_;
};

class FakeServer {
public:
    using Script = std::function<void(FakeConn&)>;
    // Listens at once; with silent set the connection is accepted and left alone.
    explicit FakeServer(Script script);
    ~FakeServer();
    int Port() const { return port_; }
    // Waits for the script to end.
    void Join();

private:
    int listenFd_ = -1;
    int port_ = 0;
    std::thread thread_;
};

// A greeting of protocol 10 with 4.1 capabilities; salt is 20 characters.
std::string Greeting10(uint16_t caps, const std::string& salt, uint8_t protocol = 10,
                       const std::string& version = "5.0.96-fake");
std::string OkPacket(uint64_t affected = 0, uint64_t insertId = 0, bool withStatus = true,
                     uint16_t status = 2, uint16_t warnings = 0, const std::string& info = {});
std::string ErrPacket(uint16_t number, const std::string& text);
std::string LenInt(uint64_t v);
std::string LenText(const std::string& s);

// A port on 127.0.0.1 with nothing listening.
int UnusedPort();

} // namespace cftest
