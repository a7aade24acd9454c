#include "controls/CfSharedDraw.h"
#include "controls/DeRudaduZevari.h"

#include "platform/WidgetPaint.h"

#include <cmath>

namespace cf {

namespace {

// The canvas area under (x, y, x + w, y + h) copied into a new bitmap.
TBitmap GrabCanvas(TCanvas& canvas, int x, int y, int w, int h, TPixelFormat pf)
{
    TBitmap back(w, h, pf);
    back.Canvas().CopyRect(TRect(0, 0, w, h), canvas, TRect(x, y, x + w, y + h));
    return back;
}

TColor PixelColor(const uint8_t* p)
{
    return RGB(p[2], p[1], p[0]);
}

void StorePixel(uint8_t* p, TColor c)
{
    p[0] = uint8_t(GetBValue(c));
    p[1] = uint8_t(GetGValue(c));
    p[2] = uint8_t(GetRValue(c));
}

} // namespace

void DrawGraphicAlpha(TCanvas& canvas, int x, int y, TBitmap& graphic)
{
    if (graphic.PixelFormat() != pf32bit || graphic.Empty()) {
        canvas.Draw(x, y, graphic);
        return;
    }
    const int w = graphic.Width(), h = graphic.Height();
    TBitmap result = graphic;
    TBitmap back = GrabCanvas(canvas, x, y, w, h, pf32bit);
    for (int row = 0; row < h; ++row) {
        const uint8_t* s = graphic.ScanLine(row);
        const uint8_t* b = back.ScanLine(row);
        uint8_t* d = result.ScanLine(row);
        for (int col = 0; col < w; ++col, s += 4, b += 4, d += 4)
            StorePixel(d, BlendColor(PixelColor(s), PixelColor(b), s[3]));  // alpha byte kept
    }
    canvas.Draw(x, y, result);
}

void TDrawProvider::DrawAlphaGraphic(TCanvas& canvas, int x, int y, TBitmap& graphic)
{
    if (graphic.PixelFormat() != pf32bit || graphic.Empty()) {
        canvas.Draw(x, y, graphic);
        return;
    }
    const int w = graphic.Width(), h = graphic.Height();
    TBitmap back = GrabCanvas(canvas, x, y, w, h, pf24bit);
    for (int row = 0; row < h; ++row) {
        const uint8_t* s = graphic.ScanLine(row);
        uint8_t* b = back.ScanLine(row);
        for (int col = 0; col < w; ++col, s += 4, b += 3) {
            const double a = s[3] / 255.0;
            // Red, green, blue in that order, as the bytes lie reversed.
            for (int ch = 2; ch >= 0; --ch) {
                int out = RoundHalfEven(s[ch] * a) + RoundHalfEven(b[ch] * (1.0 - a));
                b[ch] = uint8_t(std::clamp(out, 0, 255));
            }
        }
    }
    canvas.Draw(x, y, back);
}

void MakeGrayedGlyph(TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    const int w = bitmap.Width(), h = bitmap.Height();
    switch (bitmap.PixelFormat()) {
    case pf24bit:
    case pf32bit: {
        const int step = bitmap.PixelFormat() == pf24bit ? 3 : 4;
        for (int row = 0; row < h; ++row) {
            uint8_t* p = bitmap.ScanLine(row);
            for (int col = 0; col < w; ++col, p += step) {
                uint8_t grey = uint8_t((p[0] + p[1] + p[2]) / 3);
                p[0] = p[1] = p[2] = grey;
            }
        }
        break;
    }
    case pf4bit: {
        TCanvas& c = bitmap.Canvas();
        const TColor transparent = c.GetPixel(0, h - 1);
        bitmap.Transparent = true;
        bitmap.SetTransparentColor(transparent);
        // The mask is set where the glyph has ink: our monochrome conversion
        // with black as the brush colour takes every pixel nearer to black
        // than to white (the transparent colour never counts as ink).
        TBitmap mask(w, h, pf1bit);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                TColor p = c.GetPixel(x, y);
                int lum = GetRValue(p) + GetGValue(p) + GetBValue(p);
                if (p != transparent && lum < 3 * 128)
                    mask.Canvas().SetPixel(x, y, clWhite);
            }
        c.FillRect(TRect(0, 0, w, h), clBtnFace);
        TFont oldFont = c.Font;
        TBrush oldBrush = c.Brush;
        TColor oldBk = c.BkColor;
        c.Font.Color = clBlack;
        c.BkColor = clWhite;
        c.Brush.Style = bsSolid;
        c.Brush.Color = clBtnHighlight;
        c.BitBlt(1, 1, w, h, mask, 0, 0, 0x00E20746);
        c.Brush.Color = clBtnShadow;
        c.BitBlt(0, 0, w, h, mask, 0, 0, 0x00E20746);
        c.Font = oldFont;
        c.Brush = oldBrush;
        c.BkColor = oldBk;
        break;
    }
    default:
        break;
    }
}

void DrawGlassEffect(TCanvas& canvas, const TRect& rect)
{
    const int h = rect.Bottom / 2;  // the header band starts at 0
    const int w = rect.Width();
    if (h <= 0 || w <= 0)
        return;
    TBitmap bmp = GrabCanvas(canvas, rect.Left, rect.Top, w, h, pf24bit);
    int weight = 150;
    for (int row = 0; row < h && weight >= 0; ++row, weight -= 7) {
        uint8_t* p = bmp.ScanLine(row);
        for (int col = 0; col < w; ++col, p += 3)
            StorePixel(p, BlendColor(clWhite, PixelColor(p), weight));
    }
    canvas.Draw(rect.Left, rect.Top, bmp);
}

void DrawSheenGradient(TCanvas& canvas, const TRect& rect, TColor top, TColor bottom, int bandHeight)
{
    const int w = rect.Width(), h = rect.Height();
    if (w <= 0 || h <= 0)
        return;
    TBitmap bmp = GrabCanvas(canvas, rect.Left, rect.Top, w, h, pf24bit);
    const int c = w / 2;
    for (int y = 0; y < h; ++y) {
        TColor base = BlendColor(bottom, top, RoundHalfEven(double(y) / h * 255));
        if (y < bandHeight)
            base = BlendColor(base, clWhite, RoundHalfEven(double(y) / (2.0 * bandHeight) * 255));
        uint8_t* p = bmp.ScanLine(y);
        for (int x = 0; x < w; ++x, p += 3) {
            int k = std::clamp(std::abs(c - x) * 2 + 100, 0, 255);
            StorePixel(p, BlendColor(base, clWhite, k));
        }
    }
    canvas.Draw(rect.Left, rect.Top, bmp);
}

void DrawParentBackground(TControl* control, TCanvas& canvas)
{
    if (!control)
        return;
    QWidget* parent = control->parentWidget();
    if (!parent)
        return;
    TPoint p = control->ClientToParent(TPoint(0, 0));
    int saved = canvas.SaveState();
    struct Restore {
        TCanvas& c;
        int depth;
        ~Restore() { c.RestoreState(depth); }
    } restore{canvas, saved};
    canvas.MoveOrigin(-p.X, -p.Y);
    if (auto* pc = dynamic_cast<TControl*>(parent)) {
        // Erase, then paint, as the parent would for its own window.
        canvas.IntersectClipRect(pc->ClientRect());
        canvas.Brush.Color = pc->Color;
        canvas.Brush.Style = bsSolid;
        canvas.FillRect(pc->ClientRect());
        canvas.Font = pc->Font;
        pc->Paint(canvas);
    } else {
        // A plain Qt parent renders itself; its children stay out.
        PaintWidgetBackground(parent, canvas);
    }
}

} // namespace cf
