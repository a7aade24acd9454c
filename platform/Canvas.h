#pragma once

// A GDI-like canvas over a QImage. The rules the drawing code was written
// against hold here: no antialiasing on shapes, right and bottom edges
// exclusive, the end point of a line not drawn, polygons filled by the
// winding rule, the pen's binary raster operation on lines and shape
// outlines, opaque text backgrounds unless the brush is clear.

#include "platform/Color.h"
#include "platform/GraphicsObjects.h"
#include "platform/Region.h"
#include "platform/Types.h"

#include <QImage>

#include <optional>
#include <string>
#include <vector>

class QPainter;

namespace cf {

class TBitmap;

// What a canvas draws on. A bitmap or a control's back buffer hands out its
// surface and is told when drawing changed it.
class TCanvasTarget {
public:
    virtual ~TCanvasTarget() = default;
    virtual QImage& Surface() = 0;
    virtual void Changed() {}
};

// Ternary raster operations (bit-block transfers) the controls use.
constexpr uint32_t BLACKNESS = 0x00000042;
constexpr uint32_t NOTSRCERASE = 0x001100A6;
constexpr uint32_t NOTSRCCOPY = 0x00330008;
constexpr uint32_t SRCERASE = 0x00440328;
constexpr uint32_t DSTINVERT = 0x00550009;
constexpr uint32_t PATINVERT = 0x005A0049;
constexpr uint32_t SRCINVERT = 0x00660046;
constexpr uint32_t SRCAND = 0x008800C6;
constexpr uint32_t MERGEPAINT = 0x00BB0226;
constexpr uint32_t MERGECOPY = 0x00C000CA;
constexpr uint32_t SRCCOPY = 0x00CC0020;
constexpr uint32_t SRCPAINT = 0x00EE0086;
constexpr uint32_t PATCOPY = 0x00F00021;
constexpr uint32_t PATPAINT = 0x00FB0A09;
constexpr uint32_t WHITENESS = 0x00FF0062;
using TCopyMode = uint32_t;
constexpr TCopyMode cmSrcCopy = SRCCOPY;

constexpr TColor CLR_INVALID = 0xFFFFFFFF;

class TCanvas {
public:
    explicit TCanvas(TCanvasTarget* target);
    explicit TCanvas(QImage* image);  // not owned; must outlive the canvas
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TFont Font;
    TPen Pen;
    TBrush Brush;
    TPoint PenPos;
    TCopyMode CopyMode = cmSrcCopy;
    // Background colour of the device, used where a monochrome source meets
    // a colour target (its set bits take this colour, clear bits the font
    // colour). clNone: the brush colour, as the class library selects it.
    TColor BkColor = clNone;

    QImage& Image();  // the surface itself, for code that works on pixels directly
    int DeviceWidth();
    int DeviceHeight();

    // Logical (0, 0) lands on device point Origin().
    TPoint Origin() const { return origin_; }
    void SetOrigin(TPoint p) { origin_ = p; }
    void MoveOrigin(int dx, int dy) { origin_.X += dx; origin_.Y += dy; }

    // Clipping in logical coordinates; no clip means the whole surface.
    void SetClipRect(const TRect& r);
    void SetClipRegion(const TRegion& r);
    void IntersectClipRect(const TRect& r);
    void ExcludeClipRect(const TRect& r);
    void ClearClip();
    bool HasClip() const { return clip_.has_value(); }
    TRect ClipRect();          // bounding rectangle of what may be drawn
    TRegion ClipRegion();

    int SaveState();          // returns the new depth
    void RestoreState(int depth = -1);  // -1: the last saved state

    // Shapes
    void MoveTo(int x, int y) { PenPos = {x, y}; }
    void LineTo(int x, int y);
    void Polyline(const std::vector<TPoint>& pts);
    void Polygon(const std::vector<TPoint>& pts);
    void Rectangle(int l, int t, int r, int b);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void Ellipse(int l, int t, int r, int b);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(int l, int t, int r, int b, int cw, int ch);
    void FillRect(const TRect& r);
    void FillRect(const TRect& r, TColor c);  // solid fill, brush untouched
    void FrameRect(const TRect& r);
    void FillRegion(const TRegion& rgn);
    void FrameRegion(const TRegion& rgn, int w, int h);
    void InvertRect(const TRect& r);
    void DrawFocusRect(const TRect& r);

    TColor GetPixel(int x, int y);
    void SetPixel(int x, int y, TColor c);

    // Pictures
    void Draw(int x, int y, TBitmap& bmp);
    void StretchDraw(const TRect& dest, TBitmap& bmp);
    void CopyRect(const TRect& dest, TCanvas& src, const TRect& srcRect);
    // Bit-block transfer with a ternary raster operation; the pattern is the brush.
    void BitBlt(int x, int y, int w, int h, TCanvas* src, int sx, int sy, uint32_t rop);
    void BitBlt(int x, int y, int w, int h, TBitmap& src, int sx, int sy, uint32_t rop);
    void StretchBlt(const TRect& dest, TCanvas& src, const TRect& srcRect, uint32_t rop = SRCCOPY);

    // Text
    void TextOut(int x, int y, const std::string& text);
    void TextRect(const TRect& r, int x, int y, const std::string& text);
    int TextWidth(const std::string& text);
    int TextHeight(const std::string& text);
    TSize TextExtent(const std::string& text);

    // For the text layout: raw output of one line at (x, y) top-left with the
    // current font, optional opaque background, clipped to clip (logical).
    void DrawTextLineRaw(int x, int y, const std::string& text, const TRect* clip, bool opaque,
                         bool rtl = false);
    void DrawUnderline(int x0, int x1, int top);

    // Pixel helpers for effects in device coordinates (no origin, no clip).
    TPoint ToDevice(TPoint p) const { return {p.X + origin_.X, p.Y + origin_.Y}; }

private:
    struct State {
        TFont font;
        TPen pen;
        TBrush brush;
        TPoint penPos;
        TPoint origin;
        std::optional<QRegion> clip;
        TCopyMode copyMode;
        TColor bkColor;
    };

    class ImageTarget;
    QRegion DeviceClip();  // clip in device coordinates bounded by the surface
    void Changed();
    void FillDevice(const QRegion& rgn, uint32_t pixel, int rop2);
    void PlotPen(int x, int y, bool on);
    void DrawLineSegment(TPoint a, TPoint b, bool drawLast);
    void BeginPen();
    void PaintShape(const QRegion& outer, const QRegion& inner);
    void BlitImage(int x, int y, int w, int h, const QImage& src, int sx, int sy, uint32_t rop,
                   bool monoSource, std::optional<uint32_t> transparent);

    TCanvasTarget* target_;
    ImageTarget* ownTarget_ = nullptr;
    TPoint origin_;
    std::optional<QRegion> clip_;  // device coordinates
    std::vector<State> saved_;
    // pen run state
    QRegion penClip_;
    QImage* penImg_ = nullptr;
    int dashPos_ = 0;
};

// Low-level pixel access on the surfaces we use (RGB32, ARGB32, BGR888).
uint32_t ReadPixel(const QImage& img, int x, int y);
void WritePixel(QImage& img, int x, int y, uint32_t argb);
// Windows binary raster operation (1..16) of pen P onto destination D.
uint32_t Rop2(int rop2, uint32_t p, uint32_t d);
// Ternary raster operation of pattern P, source S, destination D.
uint32_t Rop3(uint32_t rop, uint32_t p, uint32_t s, uint32_t d);

} // namespace cf
