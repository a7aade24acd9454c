#pragma once

// SHA-1 (FIPS 180-1), used only for the login scramble.

#include <array>
#include <cstdint>
#include <string_view>

using TSha1Digest = std::array<uint8_t, 20>;

class TSha1 {
public:
    TSha1() { Reset(); }
    void Reset();
    void Update(const void* data, size_t len);
    TSha1Digest Final();

private:
    void Block(const uint8_t* p);
    uint32_t h_[5];
    uint8_t buf_[64];
    size_t bufLen_ = 0;
    uint64_t total_ = 0;
};

TSha1Digest Sha1(std::string_view data);
TSha1Digest Sha1(const void* data, size_t len);

// Checks the implementation against the published digest of "abc".
bool Sha1SelfTest();
