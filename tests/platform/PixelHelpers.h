#pragma once

#include "platform/Canvas.h"

#include <QImage>

#include <string>
#include <vector>

// A white RGB32 surface and a readable dump of a pixel row for failures.
inline QImage WhiteImage(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(0xFFFFFFFFu);
    return img;
}

inline cf::TColor Px(const QImage& img, int x, int y)
{
    return cf::FromPixel(cf::ReadPixel(img, x, y));
}

// Bounding box of every pixel that differs from the background colour.
inline cf::TRect InkBox(const QImage& img, cf::TColor background = cf::clWhite)
{
    int l = img.width(), t = img.height(), r = -1, b = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (Px(img, x, y) != background) {
                l = std::min(l, x);
                t = std::min(t, y);
                r = std::max(r, x);
                b = std::max(b, y);
            }
    if (r < 0)
        return {};
    return {l, t, r + 1, b + 1};
}
