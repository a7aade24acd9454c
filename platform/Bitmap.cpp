#include "platform/Bitmap.h"

#include <QPainter>

#include <cassert>
#include <cstring>
#include <stdexcept>

namespace cf {

namespace {

int BitsOf(TPixelFormat pf)
{
    switch (pf) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf24bit: return 24;
    default: return 32;
    }
}

QImage::Format SurfaceFormat(TPixelFormat pf)
{
    switch (pf) {
    case pf24bit: return QImage::Format_BGR888;
    case pf1bit:
    case pf4bit: return QImage::Format_RGB32;
    default: return QImage::Format_ARGB32;
    }
}

// The 16 colours of the Windows default palette.
std::vector<TColor> Default16()
{
    return {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
            0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
}

int Nearest(const std::vector<TColor>& pal, uint32_t argb)
{
    int r = int((argb >> 16) & 0xFF), g = int((argb >> 8) & 0xFF), b = int(argb & 0xFF);
    int best = 0;
    long bestD = -1;
    for (size_t i = 0; i < pal.size(); ++i) {
        int dr = GetRValue(pal[i]) - r, dg = GetGValue(pal[i]) - g, db = GetBValue(pal[i]) - b;
        long d = long(dr) * dr + long(dg) * dg + long(db) * db;
        if (bestD < 0 || d < bestD) {
            bestD = d;
            best = int(i);
        }
    }
    return best;
}

} // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int w, int h, TPixelFormat pf)
{
    format_ = pf == pfDevice ? pf32bit : pf;
    width_ = std::max(0, w);
    height_ = std::max(0, h);
    Allocate();
}

TBitmap::~TBitmap() = default;

TBitmap::TBitmap(const TBitmap& o) : TCanvasTarget()
{
    *this = o;
}

TBitmap& TBitmap::operator=(const TBitmap& o)
{
    if (this == &o)
        return *this;
    width_ = o.width_;
    height_ = o.height_;
    format_ = o.format_;
    surface_ = o.surface_.copy();
    packed_ = o.packed_;
    palette_ = o.palette_;
    surfaceStale_ = o.surfaceStale_;
    packedStale_ = o.packedStale_;
    Transparent = o.Transparent;
    TransparentMode = o.TransparentMode;
    transparentColor_ = o.transparentColor_;
    return *this;
}

void TBitmap::Allocate()
{
    surface_ = QImage(std::max(width_, 0), std::max(height_, 0), SurfaceFormat(format_));
    // New pixels are black; a new 32-bit bitmap is also fully transparent.
    surface_.fill(format_ == pf32bit ? 0x00000000u : 0xFF000000u);
    if (format_ == pf1bit)
        palette_ = {0x000000, 0xFFFFFF};
    else if (format_ == pf4bit && palette_.size() != 16)
        palette_ = Default16();
    packed_.clear();
    if (IsPacked()) {
        packed_.assign(size_t(BytesPerLine()) * size_t(std::max(height_, 0)), 0);
    }
    surfaceStale_ = packedStale_ = false;
}

int TBitmap::BytesPerLine() const
{
    return ((width_ * BitsOf(format_) + 31) / 32) * 4;
}

void TBitmap::SetSize(int w, int h)
{
    w = std::max(0, w);
    h = std::max(0, h);
    if (w == width_ && h == height_)
        return;
    QImage old = Surface().copy();
    width_ = w;
    height_ = h;
    Allocate();
    if (!old.isNull() && w > 0 && h > 0) {
        int cw = std::min(w, old.width()), ch = std::min(h, old.height());
        for (int y = 0; y < ch; ++y) {
            if (format_ == pf32bit)
                std::memcpy(surface_.scanLine(y), old.constScanLine(y), size_t(cw) * 4);
            else
                for (int x = 0; x < cw; ++x)
                    WritePixel(surface_, x, y, ReadPixel(old, x, y));
        }
        packedStale_ = IsPacked();
    }
}

void TBitmap::SetPixelFormat(TPixelFormat pf)
{
    if (pf == pfDevice)
        pf = pf32bit;
    if (pf == format_)
        return;
    QImage old = Surface().copy();
    format_ = pf;
    Allocate();
    if (Empty())
        return;
    if (pf == pf32bit) {
        // Pixels keep their colour and come out opaque.
        QImage src = old.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < height_; ++y)
            std::memcpy(surface_.scanLine(y), src.constScanLine(y), size_t(width_) * 4);
    } else if (pf == pf24bit) {
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                WritePixel(surface_, x, y, ReadPixel(old, x, y));
    } else {
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                WritePixel(surface_, x, y, ReadPixel(old, x, y));
        if (IsPacked()) {
            // Reduce to the palette at once, so the surface shows what the rows hold.
            PackFromSurface();
            UnpackToSurface();
        }
    }
}

void TBitmap::SetMonochrome(bool mono)
{
    if (mono)
        SetPixelFormat(pf1bit);
    else if (format_ == pf1bit)
        SetPixelFormat(pf24bit);
}

void TBitmap::SetPalette(const std::vector<TColor>& pal)
{
    if (!IsPacked())
        return;
    size_t n = format_ == pf1bit ? 2 : 16;
    Surface();  // make sure the rows are current before the colours change
    if (packedStale_)
        PackFromSurface();
    palette_ = pal;
    palette_.resize(n, 0);
    UnpackToSurface();
}

void TBitmap::PackFromSurface()
{
    int bpl = BytesPerLine();
    for (int y = 0; y < height_; ++y) {
        uint8_t* row = packed_.data() + size_t(y) * size_t(bpl);
        std::memset(row, 0, size_t(bpl));
        const uint32_t* s = reinterpret_cast<const uint32_t*>(surface_.constScanLine(y));
        for (int x = 0; x < width_; ++x) {
            int idx = Nearest(palette_, s[x]);
            if (format_ == pf1bit) {
                if (idx)
                    row[x >> 3] |= uint8_t(0x80 >> (x & 7));
            } else {
                row[x >> 1] |= uint8_t((x & 1) ? idx : idx << 4);
            }
        }
    }
    packedStale_ = false;
}

void TBitmap::UnpackToSurface()
{
    int bpl = BytesPerLine();
    for (int y = 0; y < height_; ++y) {
        const uint8_t* row = packed_.data() + size_t(y) * size_t(bpl);
        uint32_t* d = reinterpret_cast<uint32_t*>(surface_.scanLine(y));
        for (int x = 0; x < width_; ++x) {
            int idx = format_ == pf1bit ? ((row[x >> 3] >> (7 - (x & 7))) & 1)
                                        : ((x & 1) ? row[x >> 1] & 0xF : row[x >> 1] >> 4);
            d[x] = ToPixel(palette_[size_t(idx) % palette_.size()]);
        }
    }
    surfaceStale_ = false;
}

QImage& TBitmap::Surface()
{
    if (IsPacked() && surfaceStale_)
        UnpackToSurface();
    return surface_;
}

void TBitmap::Changed()
{
    // The surface of a palette bitmap shows only what its rows can hold:
    // every drawing step is reduced to the palette at once.
    if (IsPacked()) {
        PackFromSurface();
        UnpackToSurface();
    }
}

uint8_t* TBitmap::ScanLine(int row)
{
    if (row < 0 || row >= height_)
        throw std::out_of_range("Scan line index out of range");
    if (IsPacked()) {
        if (packedStale_)
            PackFromSurface();
        surfaceStale_ = true;  // the caller may write through the pointer
        return packed_.data() + size_t(row) * size_t(BytesPerLine());
    }
    return surface_.scanLine(row);
}

TCanvas& TBitmap::Canvas()
{
    if (!canvas_)
        canvas_ = std::make_unique<TCanvas>(static_cast<TCanvasTarget*>(this));
    return *canvas_;
}

TColor TBitmap::TransparentColor()
{
    if (TransparentMode == TTransparentMode::tmFixed && transparentColor_ != clNone)
        return transparentColor_;
    if (Empty())
        return clNone;
    return FromPixel(ReadPixel(Surface(), 0, height_ - 1));
}

void TBitmap::SetTransparentColor(TColor c)
{
    transparentColor_ = c;
    TransparentMode = c == clDefault ? TTransparentMode::tmAuto : TTransparentMode::tmFixed;
}

TBitmap TBitmap::FromImage(const QImage& img, TPixelFormat pf)
{
    TBitmap b(img.width(), img.height(), pf);
    if (pf == pf32bit) {
        QImage src = img.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < b.height_; ++y)
            std::memcpy(b.surface_.scanLine(y), src.constScanLine(y), size_t(b.width_) * 4);
    } else {
        QImage src = img.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < b.height_; ++y)
            for (int x = 0; x < b.width_; ++x)
                WritePixel(b.surface_, x, y, reinterpret_cast<const uint32_t*>(src.constScanLine(y))[x]);
        if (b.IsPacked()) {
            b.PackFromSurface();
            b.UnpackToSurface();
        }
    }
    return b;
}

bool TBitmap::LoadFromFile(const std::string& path)
{
    QImage img;
    if (!img.load(QString::fromStdString(path)))
        return false;
    *this = FromImage(img, img.hasAlphaChannel() ? pf32bit : pf24bit);
    return true;
}

} // namespace cf
