#include "dbexport/uMysqlNet.h"

#include "dbexport/uMysqlErrors.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace {

// Large enough for a whole packet plus what was left over from the last
// inflated block; anything bigger is a damaged or hostile header.
constexpr size_t kMaxBufferSize = 2 * 0x1000000 + 4096;

uint32_t Le24(const uint8_t* p) { return p[0] | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16); }

void PutLe24(uint8_t* p, size_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
}

struct StateGuard {
    uint8_t& state;
    StateGuard(uint8_t& s, uint8_t v) : state(s) { state = v; }
    ~StateGuard() { state = 0; }
};

} // namespace

int TMysqlNet::Open(uint8_t kind, const std::string& host, bool tcpFallback, int timeoutSec, int port,
                    const std::string& pipeName)
{
    if (vio_.IsOpen())
        return 0;
    if (vio_.Connect(kind, host, tcpFallback, timeoutSec, port, pipeName) != 0)
        return -1;
    buf_.assign(kNetBufferSize, 0);
    buf_.shrink_to_fit();
    writePos_ = readPos_ = 0;
    seq_ = 0;
    compress_ = false;
    state_ = 0;
    protocol_ = 10;
    cFilled_ = cNext_ = 0;
    cSavedPos_ = SIZE_MAX;
    return 0;
}

void TMysqlNet::Close()
{
    vio_.Close();
    buf_.clear();
    buf_.shrink_to_fit();
    writePos_ = readPos_ = 0;
    cFilled_ = cNext_ = 0;
    cSavedPos_ = SIZE_MAX;
}

void TMysqlNet::Clear()
{
    seq_ = 0;
    writePos_ = 0;
    // Inflated bytes nobody asked for must not pass as the next answer.
    RestoreSavedByte();
    cFilled_ = cNext_ = 0;
}

bool TMysqlNet::EnsureBuffer(size_t needed)
{
    if (needed <= buf_.size())
        return true;
    size_t size = (needed + 4095) / 4096 * 4096;
    if (size > kMaxBufferSize) {
        vio_.SetLastError(ER_NET_PACKET_TOO_LARGE, "Packet too large");
        return false;
    }
    buf_.resize(size);
    return true;
}

bool TMysqlNet::ReadFully(uint8_t* dst, size_t len, int& retries)
{
    size_t got = 0;
    while (got < len) {
        size_t chunk = std::min<size_t>(len - got, 1u << 30);
        int n = vio_.Read(dst + got, static_cast<int>(chunk));
        if (n > 0) {
            got += static_cast<size_t>(n);
            continue;
        }
        if (vio_.WasInterrupted())
            continue;
        if (vio_.ShouldRetry() && retries < 2) {
            ++retries;
            continue;
        }
        return false;
    }
    return true;
}

long TMysqlNet::ReadPacket()
{
    if (!vio_.IsOpen() || buf_.empty())
        return -1;
    StateGuard g(state_, 1);
    return compress_ ? ReadCompressedPacket() : ReadPlainPacket();
}

long TMysqlNet::ReadPlainPacket()
{
    int retries = 0;
    readPos_ = 0;
    if (!ReadFully(buf_.data(), 4, retries))
        return -1;
    if (buf_[3] != seq_)
        return -1;
    ++seq_;
    size_t len = Le24(buf_.data());
    // A full-length packet announces a continuation, which this client
    // does not join: refuse it rather than hand out half a row.
    if (len >= kMaxPacketPayload) {
        vio_.SetLastError(ER_NET_PACKET_TOO_LARGE, "Packet too large");
        return -1;
    }
    if (!EnsureBuffer(len + 1))
        return -1;
    if (!ReadFully(buf_.data(), len, retries))
        return -1;
    buf_[len] = 0;
    return static_cast<long>(len);
}

void TMysqlNet::RestoreSavedByte()
{
    if (cSavedPos_ != SIZE_MAX && cSavedPos_ < buf_.size())
        buf_[cSavedPos_] = cSavedByte_;
    cSavedPos_ = SIZE_MAX;
}

long TMysqlNet::ReadCompressedPacket()
{
    RestoreSavedByte();
    int retries = 0;
    for (;;) {
        size_t avail = cFilled_ - cNext_;
        if (avail >= 4) {
            size_t len = Le24(buf_.data() + cNext_);
            if (len >= kMaxPacketPayload) {
                vio_.SetLastError(ER_NET_PACKET_TOO_LARGE, "Packet too large");
                return -1;
            }
            if (avail >= 4 + len) {
                readPos_ = cNext_ + 4;
                size_t end = readPos_ + len;
                if (!EnsureBuffer(end + 1))
                    return -1;
                cSavedPos_ = end;
                cSavedByte_ = buf_[end];
                buf_[end] = 0;
                cNext_ = end;
                return static_cast<long>(len);
            }
        }
        // Keep the unfinished packet at the start and inflate the next block after it.
        if (cNext_ > 0) {
            std::memmove(buf_.data(), buf_.data() + cNext_, avail);
            cFilled_ = avail;
            cNext_ = 0;
        }
        uint8_t hdr[7];
        if (!ReadFully(hdr, 7, retries))
            return -1;
        if (hdr[3] != seq_)
            return -1;
        ++seq_;
        size_t clen = Le24(hdr);
        size_t ulen = Le24(hdr + 4);
        if (!EnsureBuffer(cFilled_ + std::max(clen, ulen) + 1))
            return -1;
        if (!ReadFully(buf_.data() + cFilled_, clen, retries))
            return -1;
        if (ulen == 0) {
            cFilled_ += clen;
            continue;
        }
        std::vector<uint8_t> out(ulen);
        uLongf destLen = ulen;
        if (uncompress(out.data(), &destLen, buf_.data() + cFilled_, clen) != Z_OK || destLen != ulen)
            return -1;
        std::memcpy(buf_.data() + cFilled_, out.data(), ulen);
        cFilled_ += ulen;
    }
}

long TMysqlNet::ReadReply()
{
    long len = ReadPacket();
    if (len <= 0) {
        int number = LastErrorNo() == ER_NET_PACKET_TOO_LARGE ? CR_NET_PACKET_TOO_LARGE : CR_SERVER_LOST;
        vio_.Close();
        vio_.SetLastError(number, ClientErrorText(number));
        return -1;
    }
    const uint8_t* p = ReadPos();
    if (p[0] == 0xFF) {
        if (len < 4) {
            vio_.SetLastError(CR_UNKNOWN_ERROR, ClientErrorText(CR_UNKNOWN_ERROR));
        } else if (protocol_ < 10) {
            vio_.SetLastError(CR_UNKNOWN_ERROR,
                              std::string(reinterpret_cast<const char*>(p + 1),
                                          std::min<size_t>(static_cast<size_t>(len - 1), 199)));
        } else {
            int number = p[1] | (p[2] << 8);
            vio_.SetLastError(number,
                              std::string(reinterpret_cast<const char*>(p + 3),
                                          std::min<size_t>(static_cast<size_t>(len - 3), 199)));
        }
        return -1;
    }
    return len;
}

bool TMysqlNet::WriteBuffered(const uint8_t* data, size_t len)
{
    while (len > 0) {
        size_t room = buf_.size() - writePos_;
        if (len <= room) {
            std::memcpy(buf_.data() + writePos_, data, len);
            writePos_ += len;
            return true;
        }
        std::memcpy(buf_.data() + writePos_, data, room);
        data += room;
        len -= room;
        writePos_ = 0;
        if (!SendLoad(buf_.data(), buf_.size()))
            return false;
    }
    return true;
}

bool TMysqlNet::WritePacket(const void* data, size_t len)
{
    if (len >= kMaxPacketPayload) {
        vio_.SetLastError(ER_NET_PACKET_TOO_LARGE, "Packet too large");
        return false;
    }
    if (!vio_.IsOpen() || buf_.empty())
        return false;
    uint8_t hdr[4];
    PutLe24(hdr, len);
    hdr[3] = compress_ ? 0 : seq_++;
    return WriteBuffered(hdr, 4) && WriteBuffered(static_cast<const uint8_t*>(data), len);
}

bool TMysqlNet::WriteCommand(uint8_t command, const void* arg, size_t len)
{
    if (len + 1 >= kMaxPacketPayload) {
        vio_.SetLastError(ER_NET_PACKET_TOO_LARGE, "Packet too large");
        return false;
    }
    if (!vio_.IsOpen() || buf_.empty())
        return false;
    uint8_t hdr[5];
    PutLe24(hdr, len + 1);
    hdr[3] = compress_ ? 0 : seq_++;
    hdr[4] = command;
    return WriteBuffered(hdr, 5) && WriteBuffered(static_cast<const uint8_t*>(arg), len) && Flush();
}

bool TMysqlNet::Flush()
{
    if (writePos_ == 0)
        return true;
    size_t n = writePos_;
    writePos_ = 0;
    return SendLoad(buf_.data(), n);
}

bool TMysqlNet::SendLoad(const uint8_t* data, size_t len)
{
    StateGuard g(state_, 2);
    std::vector<uint8_t> packet;
    if (compress_) {
        std::vector<uint8_t> packed;
        bool useCompressed = false;
        if (len > 49) {
            uLongf clen = len * 120 / 100 + 12;
            packed.resize(clen);
            if (compress(packed.data(), &clen, data, len) == Z_OK && clen < len) {
                packed.resize(clen);
                useCompressed = true;
            }
        }
        const uint8_t* body = useCompressed ? packed.data() : data;
        size_t bodyLen = useCompressed ? packed.size() : len;
        packet.resize(7 + bodyLen);
        PutLe24(packet.data(), bodyLen);
        packet[3] = seq_++;
        PutLe24(packet.data() + 4, useCompressed ? len : 0);
        std::memcpy(packet.data() + 7, body, bodyLen);
        data = packet.data();
        len = packet.size();
    }
    const bool wasBlocking = vio_.IsBlocking();
    int retries = 0;
    size_t sent = 0;
    bool ok = true;
    while (sent < len) {
        size_t chunk = std::min<size_t>(len - sent, 1u << 30);
        int n = vio_.Write(data + sent, static_cast<int>(chunk));
        if (n >= 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        if (vio_.WasInterrupted())
            continue;
        if (retries < 2 && (!vio_.IsBlocking() || vio_.ShouldRetry())) {
            ++retries;
            vio_.SetBlocking(true);
            continue;
        }
        ok = false;
        break;
    }
    vio_.SetBlocking(wasBlocking);
    return ok;
}

void TMysqlNet::ShrinkBuffer()
{
    if (state_ != 0 || buf_.size() <= kNetBufferSize || writePos_ != 0 || cNext_ != cFilled_)
        return;
    RestoreSavedByte();
    cFilled_ = cNext_ = 0;
    readPos_ = 0;
    buf_.assign(kNetBufferSize, 0);
    buf_.shrink_to_fit();
}
