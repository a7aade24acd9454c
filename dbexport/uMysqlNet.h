#pragma once

// Frames the byte stream into protocol packets: 3-byte length, sequence
// number, optional compression, and error packets mapped to a number and text.

#include "dbexport/uMysqlVio.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A packet payload of this many bytes or more cannot go out as one packet.
constexpr size_t kMaxPacketPayload = 0xFFFFFF;
constexpr size_t kNetBufferSize = 8192;

class TMysqlNet {
public:
    TMysqlNet() = default;
    ~TMysqlNet() { Close(); }
    TMysqlNet(const TMysqlNet&) = delete;
    TMysqlNet& operator=(const TMysqlNet&) = delete;

    // 0 on success (also when already open), negative on failure.
    int Open(uint8_t kind, const std::string& host, bool tcpFallback, int timeoutSec, int port,
             const std::string& pipeName);
    void Close();
    // Before every command: sequence 0, nothing buffered.
    void Clear();

    // Buffered, not flushed. false when refused (1153) or a send failed.
    bool WritePacket(const void* data, size_t len);
    // Buffered and flushed.
    bool WriteCommand(uint8_t command, const void* arg, size_t len);
    bool Flush();

    // One packet: its payload length, or -1. The payload is at ReadPos(),
    // NUL-terminated, valid until the next read.
    long ReadPacket();
    // A server answer: a failed read closes the transport (2013, or 2020 for
    // a packet too large); an error packet sets the server's number and text.
    long ReadReply();
    const uint8_t* ReadPos() const { return buf_.data() + readPos_; }

    void SetCompression(bool on) { compress_ = on; }
    bool Compression() const { return compress_; }
    // Gives back a large buffer once nothing is pending in it.
    void ShrinkBuffer();
    size_t BufferSize() const { return buf_.size(); }

    int LastErrorNo() const { return vio_.LastErrorNo(); }
    const std::string& LastError() const { return vio_.LastError(); }
    void SetLastError(int number, const std::string& text) { vio_.SetLastError(number, text); }
    void ClearLastError() { vio_.ClearLastError(); }

    uint8_t Kind() const { return vio_.Kind(); }
    bool IsOpen() const { return vio_.IsOpen(); }
    uint8_t ProtocolVersion() const { return protocol_; }
    void SetProtocolVersion(uint8_t v) { protocol_ = v; }
    uint8_t Sequence() const { return seq_; }
    TMysqlVio& Vio() { return vio_; }

private:
    bool ReadFully(uint8_t* dst, size_t len, int& retries);
    bool EnsureBuffer(size_t needed);
    long ReadPlainPacket();
    long ReadCompressedPacket();
    bool WriteBuffered(const uint8_t* data, size_t len);
    bool SendLoad(const uint8_t* data, size_t len);
    void RestoreSavedByte();

    TMysqlVio vio_;
    std::vector<uint8_t> buf_;
    size_t writePos_ = 0;
    size_t readPos_ = 0;
    uint8_t seq_ = 0;
    bool compress_ = false;
    uint8_t state_ = 0; // 0 idle, 1 reading, 2 writing
    uint8_t protocol_ = 10;
    // Compressed reading: inflated bytes in buf_[0, cFilled_), next packet at
    // cNext_, and the byte under the terminating NUL of the last one handed out.
    size_t cFilled_ = 0;
    size_t cNext_ = 0;
    size_t cSavedPos_ = SIZE_MAX;
    uint8_t cSavedByte_ = 0;
};
