#pragma once
// The one place that says what the transition code draws on. Frames are
// 32-bit images whose pixels lie in memory as blue, green, red, unused
// (Windows device-independent order), addressed a row at a time. Switching
// to the platform bitmap later means changing only this header.

#include <QImage>
#include <QRegion>

#include <cstdint>

using TFxBitmap = QImage;   // always QImage::Format_RGB32
using TFxRegion = QRegion;

// A new frame bitmap of the given size (empty when either side is 0).
inline TFxBitmap FxNewBitmap(int Width, int Height)
{
  if (Width <= 0 || Height <= 0)
    return TFxBitmap();
  TFxBitmap b(Width, Height, QImage::Format_RGB32);
  b.fill(0xFF000000u);
  return b;
}

inline int FxWidth(const TFxBitmap& b) { return b.width(); }
inline int FxHeight(const TFxBitmap& b) { return b.height(); }
inline bool FxIsEmpty(const TFxBitmap& b) { return b.isNull(); }

// A deep copy with pixels of its own.
inline TFxBitmap FxClone(const TFxBitmap& b) { return b.copy(); }

// 32 bits per pixel, blue, green, red, unused.
inline bool FxIs32(const TFxBitmap& b) { return b.format() == QImage::Format_RGB32; }
inline TFxBitmap FxAs32(const TFxBitmap& b) { return b.convertToFormat(QImage::Format_RGB32); }
inline void FxMake32(TFxBitmap& b)
{
  if (!b.isNull() && !FxIs32(b))
    b = FxAs32(b);
}

// Row access. The const overload never detaches, so reading a picture can
// never write into it.
inline uint32_t* FxRow(TFxBitmap& b, int y)
{
  return reinterpret_cast<uint32_t*>(b.scanLine(y));
}
inline const uint32_t* FxRow(const TFxBitmap& b, int y)
{
  return reinterpret_cast<const uint32_t*>(b.constScanLine(y));
}

// True when both bitmaps share the same pixel memory (a copy of the screen
// onto itself).
inline bool FxSameBits(const TFxBitmap& a, const TFxBitmap& b)
{
  return !a.isNull() && a.constBits() == b.constBits();
}

// GDI-style rectangle (right and bottom exclusive) to a region.
inline TFxRegion FxRectRegion(int Left, int Top, int Right, int Bottom)
{
  if (Right <= Left || Bottom <= Top)
    return TFxRegion();
  return TFxRegion(Left, Top, Right - Left, Bottom - Top);
}
