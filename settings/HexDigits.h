#pragma once

// Hex digits as the settings files hold them in keys, ids and PIDs, read
// without a branch per character: a large set has millions of them.

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

// Value of each byte as a hex digit of either case, -1 for any other byte.
inline constexpr std::array<std::int8_t, 256> kHexDigit = [] {
    std::array<std::int8_t, 256> t {};
    for (int c = 0; c < 256; ++c)
        t[static_cast<std::size_t>(c)] = c >= '0' && c <= '9'   ? static_cast<std::int8_t>(c - '0')
                                         : c >= 'A' && c <= 'F' ? static_cast<std::int8_t>(c - 'A' + 10)
                                         : c >= 'a' && c <= 'f' ? static_cast<std::int8_t>(c - 'a' + 10)
                                                                : std::int8_t{-1};
    return t;
}();

// Appends the n hex digits at p (either case) to v, four bits each, the
// first the most significant; false when one is no hex digit (v is then of
// no use). All n are looked at, without a branch per character.
inline bool AppendHexDigits(std::uint64_t& v, const char* p, std::size_t n)
{
    // In a local: a store through `v` could change the characters.
    std::uint64_t value = v;
    int bad = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const int d = kHexDigit[static_cast<unsigned char>(p[i])];
        bad |= d;
        value = value << 4 | static_cast<std::uint64_t>(d & 15);
    }
    v = value;
    return bad >= 0;
}

// The value of eight upper-case hex digits at p, the first the most
// significant; false when one is no such digit. All eight are checked and
// converted at once.
inline bool PackEight(const char* p, std::uint32_t& value)
{
    std::uint64_t x;
    std::memcpy(&x, p, sizeof x);
    if constexpr (std::endian::native == std::endian::big)
        x = __builtin_bswap64(x);
    constexpr std::uint64_t ones = 0x0101010101010101u;
    constexpr std::uint64_t high = 0x8080808080808080u;
    // High bit of each byte set where the byte is at least k (bytes below
    // 0x80 only, so no borrow crosses into the next byte).
    const auto atLeast = [x](std::uint64_t k) { return ((x | high) - k * ones) & high; };
    const std::uint64_t digit = atLeast('0') & ~atLeast('9' + 1);
    const std::uint64_t letter = atLeast('A') & ~atLeast('F' + 1);
    if ((x & high) != 0 || (digit | letter) != high)
        return false;
    // One nibble per byte, the first character in the lowest byte.
    std::uint64_t v = (x & 0x0F0F0F0F0F0F0F0Fu) + (letter >> 7) * 9;
    v = __builtin_bswap64(v);
    v = (v | v >> 4) & 0x00FF00FF00FF00FFu;
    v = (v | v >> 8) & 0x0000FFFF0000FFFFu;
    v = (v | v >> 16) & 0x00000000FFFFFFFFu;
    value = static_cast<std::uint32_t>(v);
    return true;
}
