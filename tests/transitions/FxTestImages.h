#pragma once
// Test pictures and measures for the transition effects.

#include "transitions/FxBitmap.h"

#include <cstdint>
#include <cstdlib>

namespace fxtest {

inline uint32_t Rgb(int r, int g, int b)
{
  return 0xFF000000u | (static_cast<uint32_t>(r & 255) << 16) |
         (static_cast<uint32_t>(g & 255) << 8) | static_cast<uint32_t>(b & 255);
}
inline int Red(uint32_t p) { return (p >> 16) & 255; }
inline int Green(uint32_t p) { return (p >> 8) & 255; }
inline int Blue(uint32_t p) { return p & 255; }

inline uint32_t Pixel(const TFxBitmap& b, int x, int y) { return FxRow(b, y)[x]; }

template <class F>
TFxBitmap Make(int w, int h, F colour)
{
  TFxBitmap b = FxNewBitmap(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      FxRow(b, y)[x] = colour(x, y);
  return b;
}

// Smooth pictures of clearly different colour: the old frame is warm, the
// new picture cold, each a gentle gradient. No pixel of one equals the
// pixel of the other at the same place.
inline TFxBitmap SmoothOld(int w, int h)
{
  return Make(w, h, [w, h](int x, int y) {
    return Rgb(210 - x * 60 / w, 90 + y * 50 / h, 40 + (x + y) * 20 / (w + h));
  });
}
inline TFxBitmap SmoothNew(int w, int h)
{
  return Make(w, h, [w, h](int x, int y) {
    return Rgb(30 + y * 40 / h, 70 + x * 60 / w, 220 - (x + y) * 30 / (w + h));
  });
}

// Sum of absolute colour differences.
inline long long Distance(const TFxBitmap& a, const TFxBitmap& b)
{
  long long d = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const uint32_t p = Pixel(a, x, y), q = Pixel(b, x, y);
      d += std::abs(Red(p) - Red(q)) + std::abs(Green(p) - Green(q)) +
           std::abs(Blue(p) - Blue(q));
    }
  return d;
}

// Colour bytes only: the fourth byte of a pixel is unused.
inline bool SamePixels(const TFxBitmap& a, const TFxBitmap& b)
{
  if (a.size() != b.size())
    return false;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if ((Pixel(a, x, y) & 0xFFFFFF) != (Pixel(b, x, y) & 0xFFFFFF))
        return false;
  return true;
}

}  // namespace fxtest
