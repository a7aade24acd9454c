#pragma once

// Device-independent bitmaps as the drawing code knows them: rows read and
// written through ScanLine in Windows byte order (blue, green, red[, alpha]),
// 1 and 4 bits per pixel packed with the leftmost pixel in the high bits.
//
// pf24bit and pf32bit live directly in a QImage (Format_BGR888 and
// Format_ARGB32, whose bytes are in exactly that order on little-endian
// machines), so pixel code and Qt share one buffer. pf1bit and pf4bit keep
// their packed rows and a 32-bit working surface for the canvas; the two are
// converted into each other when the other side is asked for.

#include "platform/Canvas.h"
#include "platform/Color.h"

#include <QImage>

#include <memory>
#include <vector>

namespace cf {

enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
using enum TPixelFormat;

enum class TTransparentMode { tmAuto, tmFixed };

class TBitmap : private TCanvasTarget {
public:
    TBitmap();
    TBitmap(int w, int h, TPixelFormat pf = pf24bit);
    ~TBitmap() override;
    TBitmap(const TBitmap& o);
    TBitmap& operator=(const TBitmap& o);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    void SetSize(int w, int h);  // keeps the overlapping pixels, new ones black
    void SetWidth(int w) { SetSize(w, height_); }
    void SetHeight(int h) { SetSize(width_, h); }

    TPixelFormat PixelFormat() const { return format_; }
    // Converts the pixels; pfDevice means pf32bit. 8/15/16 bits are kept as a
    // format tag over a 32-bit surface (nothing here reads their rows).
    void SetPixelFormat(TPixelFormat pf);
    bool Monochrome() const { return format_ == pf1bit; }
    void SetMonochrome(bool mono);

    // Row start in Windows byte order; the pointer is valid until the next
    // canvas call or format change. Out-of-range rows are a programming error.
    uint8_t* ScanLine(int row);
    int BytesPerLine() const;

    TCanvas& Canvas();
    // The pf32bit pixels as a QImage (Format_ARGB32, alpha not premultiplied);
    // other formats get their working surface.
    QImage& Image() { return Surface(); }

    // Palette of pf1bit / pf4bit (0x00BBGGRR entries).
    const std::vector<TColor>& Palette() const { return palette_; }
    void SetPalette(const std::vector<TColor>& pal);

    bool Transparent = false;
    TTransparentMode TransparentMode = TTransparentMode::tmAuto;
    // Auto: the bottom-left pixel; fixed: the colour set.
    TColor TransparentColor();
    void SetTransparentColor(TColor c);

    void Assign(const TBitmap& o) { *this = o; }
    // Loads a picture file Qt can read into pf24bit or pf32bit (with alpha).
    bool LoadFromFile(const std::string& path);
    static TBitmap FromImage(const QImage& img, TPixelFormat pf = pf32bit);

private:
    QImage& Surface() override;
    void Changed() override;
    void PackFromSurface();
    void UnpackToSurface();
    bool IsPacked() const { return format_ == pf1bit || format_ == pf4bit; }
    void Allocate();

    int width_ = 0;
    int height_ = 0;
    TPixelFormat format_ = pf24bit;
    QImage surface_;
    std::vector<uint8_t> packed_;
    std::vector<TColor> palette_;
    bool surfaceStale_ = false;  // packed rows hold the newer pixels
    bool packedStale_ = false;   // the surface holds the newer pixels
    TColor transparentColor_ = clNone;
    std::unique_ptr<TCanvas> canvas_;
};

} // namespace cf
