#pragma once

// The byte stream under the database client: a TCP/IP socket or a local
// (Unix domain) socket, every wait bounded by the time-out.

#include <cstdint>
#include <string>

enum : uint8_t {
    vkClosed = 0,
    vkTcpIp = 1,
    vkLocalSocket = 2, // counts as open; never produced
    vkNamedPipe = 3,   // a local socket here
    vkEncrypted = 4,   // not supported
};

// Process-wide default wait limit in seconds.
constexpr int kMysqlDefaultTimeout = 30;
constexpr int kMysqlDefaultPort = 3306;
// Where the local socket is when no path is given.
extern const char* const kMysqlDefaultSocket;

class TMysqlVio {
public:
    TMysqlVio() = default;
    ~TMysqlVio() { Close(); }
    TMysqlVio(const TMysqlVio&) = delete;
    TMysqlVio& operator=(const TMysqlVio&) = delete;

    // 0 on success, negative on failure (error number and text set).
    // For vkNamedPipe the pipe name is the local socket's path.
    int Connect(uint8_t kind, const std::string& host, bool tcpFallback, int timeoutSec, int port,
                const std::string& pipeName);
    void Close();
    // Bytes read or -1. Waits up to the time-out for data first; a closed
    // peer (0 bytes) is a failure that is not retried.
    int Read(void* buf, int size);
    int Write(const void* buf, int size);
    void SetBlocking(bool on);
    bool IsBlocking() const { return (flags_ & 1u) == 0; }
    void SetKeepAlive(bool on);

    int LastErrorNo() const { return errNo_; }
    const std::string& LastError() const { return errText_; }
    void SetLastError(int number, const std::string& text);
    void ClearLastError() { SetLastError(0, {}); }
    int SystemError() const { return sysErr_; }
    bool WasInterrupted() const;
    bool ShouldRetry() const;

    uint8_t Kind() const { return kind_; }
    bool IsOpen() const { return kind_ != vkClosed; }
    int Handle() const { return fd_; }
    int Timeout() const { return timeout_; }

private:
    int ConnectTcp(const std::string& host, int port);
    int ConnectLocal(const std::string& path);
    // Waits for the socket to become readable (or writable); 1 ready, 0 time-out, -1 error.
    int Wait(short events);

    int fd_ = -1;
    uint32_t flags_ = 0; // bit 0: non-blocking
    uint8_t kind_ = vkClosed;
    std::string errText_;
    int errNo_ = 0;
    int sysErr_ = 0;
    int timeout_ = kMysqlDefaultTimeout;
};
