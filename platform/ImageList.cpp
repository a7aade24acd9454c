#include "platform/ImageList.h"

#include <algorithm>

namespace cf {

TCustomImageList::TCustomImageList(int width, int height, QObject* parent)
    : QObject(parent), width_(std::max(1, width)), height_(std::max(1, height))
{
}

int TCustomImageList::AddPieces(TBitmap& image, bool masked, TColor mask)
{
    if (image.Empty())
        return -1;
    const int first = Count();
    const bool alpha = image.PixelFormat() == pf32bit && !masked;
    const uint32_t key = ToPixel(mask) & 0xFFFFFFu;
    QImage& src = image.Canvas().Image();
    const int pieces = std::max(1, image.Width() / width_);
    for (int p = 0; p < pieces; ++p) {
        TBitmap piece(width_, height_, pf32bit);
        for (int y = 0; y < std::min(height_, image.Height()); ++y) {
            uint8_t* d = piece.ScanLine(y);
            for (int x = 0; x < width_; ++x) {
                int sx = p * width_ + x;
                if (sx >= image.Width())
                    break;
                uint32_t px = ReadPixel(src, sx, y);
                uint8_t a = 255;
                if (alpha)
                    a = uint8_t(reinterpret_cast<const uint32_t*>(src.constScanLine(y))[sx] >> 24);
                else if (masked && (px & 0xFFFFFFu) == key)
                    a = 0;
                d[4 * x] = uint8_t(px);
                d[4 * x + 1] = uint8_t(px >> 8);
                d[4 * x + 2] = uint8_t(px >> 16);
                d[4 * x + 3] = a;
            }
        }
        images_.push_back(std::move(piece));
    }
    return first;
}

int TCustomImageList::Add(TBitmap& image)
{
    return AddPieces(image, false, clNone);
}

int TCustomImageList::AddMasked(TBitmap& image, TColor maskColor)
{
    return AddPieces(image, true, maskColor);
}

void TCustomImageList::Delete(int index)
{
    if (index >= 0 && index < Count())
        images_.erase(images_.begin() + index);
}

void TCustomImageList::Clear()
{
    images_.clear();
}

TBitmap TCustomImageList::GetBitmap(int index) const
{
    if (index < 0 || index >= Count())
        return TBitmap();
    return images_[size_t(index)];
}

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count())
        return;
    TBitmap img = images_[size_t(index)];
    // The area under the picture, blended with the picture by its alpha.
    TBitmap back(width_, height_, pf32bit);
    back.Canvas().CopyRect(TRect(0, 0, width_, height_), canvas, TRect(x, y, x + width_, y + height_));
    for (int row = 0; row < height_; ++row) {
        uint8_t* s = img.ScanLine(row);
        uint8_t* b = back.ScanLine(row);
        for (int col = 0; col < width_; ++col, s += 4, b += 4) {
            int a = s[3];
            if (!enabled) {
                int grey = (s[0] + s[1] + s[2]) / 3;
                s[0] = s[1] = s[2] = uint8_t(grey);
                a /= 2;
            }
            for (int ch = 0; ch < 3; ++ch)
                b[ch] = uint8_t((s[ch] * a + b[ch] * (255 - a) + 127) / 255);
        }
    }
    // Where the picture is transparent the copy holds the old pixels.
    canvas.Draw(x, y, back);
}

} // namespace cf
