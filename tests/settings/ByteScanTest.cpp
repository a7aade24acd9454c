// Line ends and separators found in blocks of 64 bytes must be exactly the
// ones a byte-by-byte look finds, at block edges and at the end of a text
// as much as anywhere.

#include "settings/ByteScan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Texts of every length up to a few blocks, with the byte looked for at
// pseudo-random places (often at 63/64/65 and at the very end).
std::vector<std::string> Texts()
{
    std::vector<std::string> texts;
    std::uint32_t x = 7;
    for (std::size_t n = 0; n <= 200; ++n)
        for (int variant = 0; variant < 4; ++variant) {
            std::string t(n, 'a');
            for (std::size_t i = 0; i < n; ++i) {
                x = x * 1664525u + 1013904223u;
                if ((x >> 24) % (variant + 2) == 0)
                    t[i] = ',';
                else if ((x >> 16) % 7 == 0)
                    t[i] = static_cast<char>(x >> 8); // any byte, also 0 and >= 0x80
            }
            if (variant == 3 && n > 0)
                t[n - 1] = ',';
            texts.push_back(t);
        }
    return texts;
}

std::vector<std::size_t> PlainPositions(const std::string& t, std::size_t from, std::size_t to)
{
    std::vector<std::size_t> at;
    for (std::size_t i = from; i < to; ++i)
        if (t[i] == ',')
            at.push_back(i);
    return at;
}

TEST(ByteScan, FindAndCountAgreeWithAPlainLook)
{
    for (const std::string& t : Texts()) {
        // The text alone in its buffer: nothing after it may be read.
        const std::vector<char> own(t.begin(), t.end());
        const char* b = own.data();
        const char* e = b + own.size();
        const auto at = PlainPositions(t, 0, t.size());
        EXPECT_EQ(bytescan::Count(b, e, ','), at.size()) << t.size();
        for (std::size_t from = 0; from <= t.size(); from += 13) {
            const auto rest = PlainPositions(t, from, t.size());
            const char* found = bytescan::Find(b + from, e, ',');
            EXPECT_EQ(found, rest.empty() ? e : b + rest.front()) << t.size() << " from " << from;
        }
    }
}

TEST(ByteScan, FinderStopsAtItsEndThoughItReadsFurther)
{
    for (const std::string& t : Texts())
        for (std::size_t stop = 0; stop <= t.size(); stop += 17) {
            const char* b = t.data();
            bytescan::TFinder finder(b, b + stop, b + t.size(), ',');
            std::vector<std::size_t> got;
            for (const char* p = finder.Next(); p != b + stop; p = finder.Next())
                got.push_back(static_cast<std::size_t>(p - b));
            EXPECT_EQ(got, PlainPositions(t, 0, stop)) << t.size() << " stop " << stop;
            EXPECT_EQ(finder.Next(), b + stop); // and stays there
        }
}

} // namespace
