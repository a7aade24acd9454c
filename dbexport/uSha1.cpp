#include "dbexport/uSha1.h"

#include "dbexport/uTools.h"

#include <cstring>

void TSha1::Reset()
{
    h_[0] = 0x67452301;
    h_[1] = 0xEFCDAB89;
    h_[2] = 0x98BADCFE;
    h_[3] = 0x10325476;
    h_[4] = 0xC3D2E1F0;
    bufLen_ = 0;
    total_ = 0;
}

void TSha1::Block(const uint8_t* p)
{
    uint32_t w[80];
    for (int i = 0; i < 16; ++i)
        w[i] = (uint32_t(p[4 * i]) << 24) | (uint32_t(p[4 * i + 1]) << 16) |
               (uint32_t(p[4 * i + 2]) << 8) | uint32_t(p[4 * i + 3]);
    for (int i = 16; i < 80; ++i)
        w[i] = RotateLeft32(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);
    uint32_t a = h_[0], b = h_[1], c = h_[2], d = h_[3], e = h_[4];
    for (int i = 0; i < 80; ++i) {
        uint32_t f, k;
        if (i < 20) {
            f = (b & c) | (~b & d);
            k = 0x5A827999;
        } else if (i < 40) {
            f = b ^ c ^ d;
            k = 0x6ED9EBA1;
        } else if (i < 60) {
            f = (b & c) | (b & d) | (c & d);
            k = 0x8F1BBCDC;
        } else {
            f = b ^ c ^ d;
            k = 0xCA62C1D6;
        }
        uint32_t t = RotateLeft32(a, 5) + f + e + k + w[i];
        e = d;
        d = c;
        c = RotateLeft32(b, 30);
        b = a;
        a = t;
    }
    h_[0] += a;
    h_[1] += b;
    h_[2] += c;
    h_[3] += d;
    h_[4] += e;
}

void TSha1::Update(const void* data, size_t len)
{
    const uint8_t* p = static_cast<const uint8_t*>(data);
    total_ += len;
    while (len > 0) {
        size_t n = std::min(len, sizeof buf_ - bufLen_);
        std::memcpy(buf_ + bufLen_, p, n);
        bufLen_ += n;
        p += n;
        len -= n;
        if (bufLen_ == 64) {
            Block(buf_);
            bufLen_ = 0;
        }
    }
}

TSha1Digest TSha1::Final()
{
    uint64_t bits = total_ * 8;
    uint8_t pad = 0x80;
    Update(&pad, 1);
    uint8_t zero = 0;
    while (bufLen_ != 56)
        Update(&zero, 1);
    uint8_t len[8];
    for (int i = 0; i < 8; ++i)
        len[i] = static_cast<uint8_t>(bits >> (56 - 8 * i));
    Update(len, 8);
    TSha1Digest out;
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 4; ++j)
            out[4 * i + j] = static_cast<uint8_t>(h_[i] >> (24 - 8 * j));
    Reset();
    return out;
}

TSha1Digest Sha1(const void* data, size_t len)
{
    TSha1 s;
    s.Update(data, len);
    return s.Final();
}

TSha1Digest Sha1(std::string_view data) { return Sha1(data.data(), data.size()); }

bool Sha1SelfTest()
{
    static const uint8_t expected[20] = {0xA9, 0x99, 0x3E, 0x36, 0x47, 0x06, 0x81, 0x6A, 0xBA, 0x3E,
                                         0x25, 0x71, 0x78, 0x50, 0xC2, 0x6C, 0x9C, 0xD0, 0xD8, 0x9D};
    TSha1Digest d = Sha1("abc");
    return std::memcmp(d.data(), expected, 20) == 0;
}
