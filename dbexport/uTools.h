#pragma once

#include <cstdint>

inline uint32_t RotateLeft32(uint32_t v, unsigned n)
{
    n &= 31;
    return n == 0 ? v : (v << n) | (v >> (32 - n));
}

// out[i] = a[i] ^ b[i] for 20 bytes; out may be a or b.
void Xor20(const uint8_t* a, const uint8_t* b, uint8_t* out);
