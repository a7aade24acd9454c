#pragma once

// Geometry as the rest of the program expects it from the Windows class
// library: rectangles are Left, Top, Right, Bottom with Right and Bottom
// exclusive. Conversion to Qt happens only in QtConvert.h.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ostream>

namespace cf {

struct TPoint {
    int X = 0;
    int Y = 0;
    constexpr TPoint() = default;
    constexpr TPoint(int x, int y) : X(x), Y(y) {}
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    constexpr TSize() = default;
    constexpr TSize(int w, int h) : cx(w), cy(h) {}
    friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr TRect() = default;
    constexpr TRect(int l, int t, int r, int b) : Left(l), Top(t), Right(r), Bottom(b) {}
    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

inline std::ostream& operator<<(std::ostream& os, const TPoint& p)
{
    return os << "(" << p.X << ", " << p.Y << ")";
}
inline std::ostream& operator<<(std::ostream& os, const TRect& r)
{
    return os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

constexpr TPoint Point(int x, int y) { return {x, y}; }
constexpr TRect Rect(int l, int t, int r, int b) { return {l, t, r, b}; }
constexpr TRect Bounds(int l, int t, int w, int h) { return {l, t, l + w, t + h}; }

constexpr bool IsRectEmpty(const TRect& r) { return r.IsEmpty(); }

// Right and bottom edges do not belong to the rectangle.
constexpr bool PtInRect(const TRect& r, TPoint p)
{
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

constexpr TRect OffsetRect(TRect r, int dx, int dy)
{
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

constexpr TRect InflateRect(TRect r, int dx, int dy)
{
    return {r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy};
}

// An empty intersection is returned as the all-zero rectangle, as on Windows.
constexpr TRect IntersectRect(const TRect& a, const TRect& b)
{
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    return r.IsEmpty() ? TRect{} : r;
}

constexpr TRect UnionRect(const TRect& a, const TRect& b)
{
    if (a.IsEmpty())
        return b.IsEmpty() ? TRect{} : b;
    if (b.IsEmpty())
        return a;
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}

// a * b / c through a 64-bit intermediate, halves rounded away from zero;
// -1 for a zero divisor or a result that does not fit.
constexpr int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    int64_t num = int64_t(a) * int64_t(b);
    bool neg = (num < 0) != (c < 0);
    uint64_t n = num < 0 ? uint64_t(-num) : uint64_t(num);
    uint64_t d = c < 0 ? uint64_t(-int64_t(c)) : uint64_t(c);
    uint64_t q = (n + d / 2) / d;
    if (q > uint64_t(INT32_MAX) + (neg ? 1 : 0))
        return -1;
    return neg ? int(-int64_t(q)) : int(q);
}

// Nearest integer, halves to even (the image effects use this).
inline int RoundHalfEven(double v)
{
    return int(std::nearbyint(v));  // default FE_TONEAREST rounds halves to even
}

} // namespace cf
