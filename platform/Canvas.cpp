#include "platform/Canvas.h"

#include "platform/Bitmap.h"
#include "platform/QtConvert.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace cf {

class TCanvas::ImageTarget : public TCanvasTarget {
public:
    explicit ImageTarget(QImage* img) : img_(img) {}
    QImage& Surface() override { return *img_; }

private:
    QImage* img_;
};

// ---------------------------------------------------------------- pixels

uint32_t ReadPixel(const QImage& img, int x, int y)
{
    switch (img.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        return reinterpret_cast<const uint32_t*>(img.constScanLine(y))[x];
    case QImage::Format_BGR888: {
        const uchar* p = img.constScanLine(y) + 3 * x;
        return 0xFF000000u | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
    }
    default:
        return img.pixel(x, y);
    }
}

void WritePixel(QImage& img, int x, int y, uint32_t argb)
{
    switch (img.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        reinterpret_cast<uint32_t*>(img.scanLine(y))[x] = argb | 0xFF000000u;
        break;
    case QImage::Format_BGR888: {
        uchar* p = img.scanLine(y) + 3 * x;
        p[0] = uchar(argb);
        p[1] = uchar(argb >> 8);
        p[2] = uchar(argb >> 16);
        break;
    }
    default:
        img.setPixel(x, y, argb | 0xFF000000u);
    }
}

uint32_t Rop2(int rop2, uint32_t p, uint32_t d)
{
    unsigned table = unsigned(rop2 - 1) & 0xF;
    uint32_t out = 0;
    for (int pb = 0; pb < 2; ++pb)
        for (int db = 0; db < 2; ++db)
            if (table & (1u << (pb * 2 + db)))
                out |= (pb ? p : ~p) & (db ? d : ~d);
    return (out & 0x00FFFFFFu) | 0xFF000000u;
}

uint32_t Rop3(uint32_t rop, uint32_t p, uint32_t s, uint32_t d)
{
    unsigned table = (rop >> 16) & 0xFF;
    switch (table) {
    case 0xCC: return s | 0xFF000000u;
    case 0xF0: return p | 0xFF000000u;
    case 0xAA: return d;
    default: break;
    }
    uint32_t out = 0;
    for (int i = 0; i < 8; ++i)
        if (table & (1u << i))
            out |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    return (out & 0x00FFFFFFu) | 0xFF000000u;
}

namespace {

int PenRop2(TPenMode m)
{
    // Windows R2_* values of the pen modes, in the order of TPenMode.
    static const int map[] = {1, 16, 11, 6, 13, 4, 14, 5, 12, 3, 15, 2, 9, 8, 7, 10};
    return map[int(m)];
}

constexpr int R2_COPYPEN = 13;

// Cosmetic dash patterns (on, off, ...) in pixels.
const std::vector<int>& DashPattern(TPenStyle s)
{
    static const std::vector<int> solid{};
    static const std::vector<int> dash{18, 6};
    static const std::vector<int> dot{3, 3};
    static const std::vector<int> dashDot{9, 6, 3, 6};
    static const std::vector<int> dashDotDot{9, 3, 3, 3, 3, 3};
    switch (s) {
    case psDash: return dash;
    case psDot: return dot;
    case psDashDot: return dashDot;
    case psDashDotDot: return dashDotDot;
    default: return solid;
    }
}

bool HatchOn(TBrushStyle s, int x, int y)
{
    int hx = x & 7, hy = y & 7;
    switch (s) {
    case bsHorizontal: return hy == 7;
    case bsVertical: return hx == 7;
    case bsFDiagonal: return ((hx - hy) & 7) == 0;
    case bsBDiagonal: return ((hx + hy) & 7) == 7;
    case bsCross: return hx == 7 || hy == 7;
    case bsDiagCross: return ((hx - hy) & 7) == 0 || ((hx + hy) & 7) == 7;
    default: return true;
    }
}

QRegion Erode(const QRegion& r, int w, int h)
{
    return r.intersected(r.translated(w, 0))
        .intersected(r.translated(-w, 0))
        .intersected(r.translated(0, h))
        .intersected(r.translated(0, -h));
}

QRegion RectRegion(int l, int t, int r, int b)
{
    if (r <= l || b <= t)
        return {};
    return QRegion(l, t, r - l, b - t);
}

} // namespace

// ---------------------------------------------------------------- canvas

TCanvas::TCanvas(TCanvasTarget* target) : target_(target) {}

TCanvas::TCanvas(QImage* image) : ownTarget_(new ImageTarget(image))
{
    target_ = ownTarget_;
}

TCanvas::~TCanvas()
{
    delete ownTarget_;
}

QImage& TCanvas::Image()
{
    return target_->Surface();
}

int TCanvas::DeviceWidth() { return Image().width(); }
int TCanvas::DeviceHeight() { return Image().height(); }

void TCanvas::Changed()
{
    target_->Changed();
}

QRegion TCanvas::DeviceClip()
{
    QImage& img = Image();
    QRegion bounds(0, 0, img.width(), img.height());
    return clip_ ? clip_->intersected(bounds) : bounds;
}

void TCanvas::SetClipRect(const TRect& r)
{
    clip_ = RectRegion(r.Left + origin_.X, r.Top + origin_.Y, r.Right + origin_.X, r.Bottom + origin_.Y);
}

void TCanvas::SetClipRegion(const TRegion& r)
{
    clip_ = r.qregion().translated(origin_.X, origin_.Y);
}

void TCanvas::IntersectClipRect(const TRect& r)
{
    QRegion add = RectRegion(r.Left + origin_.X, r.Top + origin_.Y, r.Right + origin_.X, r.Bottom + origin_.Y);
    clip_ = clip_ ? clip_->intersected(add) : add;
}

void TCanvas::ExcludeClipRect(const TRect& r)
{
    QRegion cut = RectRegion(r.Left + origin_.X, r.Top + origin_.Y, r.Right + origin_.X, r.Bottom + origin_.Y);
    clip_ = DeviceClip().subtracted(cut);
}

void TCanvas::ClearClip()
{
    clip_.reset();
}

TRect TCanvas::ClipRect()
{
    QRegion c = DeviceClip();
    if (c.isEmpty())
        return {};
    return OffsetRect(FromQRect(c.boundingRect()), -origin_.X, -origin_.Y);
}

TRegion TCanvas::ClipRegion()
{
    return TRegion(DeviceClip().translated(-origin_.X, -origin_.Y));
}

int TCanvas::SaveState()
{
    saved_.push_back({Font, Pen, Brush, PenPos, origin_, clip_, CopyMode, BkColor});
    return int(saved_.size());
}

void TCanvas::RestoreState(int depth)
{
    if (saved_.empty())
        return;
    if (depth < 0)
        depth = int(saved_.size());
    if (depth < 1 || depth > int(saved_.size()))
        return;
    State s = saved_[size_t(depth - 1)];
    saved_.resize(size_t(depth - 1));
    Font = s.font;
    Pen = s.pen;
    Brush = s.brush;
    PenPos = s.penPos;
    origin_ = s.origin;
    clip_ = s.clip;
    CopyMode = s.copyMode;
    BkColor = s.bkColor;
}

void TCanvas::FillDevice(const QRegion& rgn, uint32_t pixel, int rop2)
{
    QRegion r = rgn.intersected(DeviceClip());
    if (r.isEmpty())
        return;
    QImage& img = Image();
    bool hatch = Brush.Style != bsSolid && Brush.Style != bsClear && rop2 < 0;
    if (rop2 < 0)
        rop2 = R2_COPYPEN;
    bool fast32 = rop2 == R2_COPYPEN && !hatch &&
                  (img.format() == QImage::Format_RGB32 || img.format() == QImage::Format_ARGB32);
    for (const QRect& q : r) {
        for (int y = q.top(); y <= q.bottom(); ++y) {
            if (fast32) {
                uint32_t* line = reinterpret_cast<uint32_t*>(img.scanLine(y));
                std::fill(line + q.left(), line + q.right() + 1, pixel | 0xFF000000u);
                continue;
            }
            for (int x = q.left(); x <= q.right(); ++x) {
                if (hatch && !HatchOn(Brush.Style, x, y))
                    continue;
                uint32_t d = ReadPixel(img, x, y);
                WritePixel(img, x, y, rop2 == R2_COPYPEN ? pixel : Rop2(rop2, pixel, d));
            }
        }
    }
    Changed();
}

void TCanvas::FillRect(const TRect& r)
{
    if (Brush.Style == bsClear)
        return;
    TRect d = OffsetRect(r, origin_.X, origin_.Y);
    FillDevice(RectRegion(d.Left, d.Top, d.Right, d.Bottom), ToPixel(Brush.Color), -1);
}

void TCanvas::FillRect(const TRect& r, TColor c)
{
    TRect d = OffsetRect(r, origin_.X, origin_.Y);
    FillDevice(RectRegion(d.Left, d.Top, d.Right, d.Bottom), ToPixel(c), R2_COPYPEN);
}

void TCanvas::FrameRect(const TRect& r)
{
    if (Brush.Style == bsClear || r.IsEmpty())
        return;
    TRect d = OffsetRect(r, origin_.X, origin_.Y);
    QRegion outer = RectRegion(d.Left, d.Top, d.Right, d.Bottom);
    QRegion inner = RectRegion(d.Left + 1, d.Top + 1, d.Right - 1, d.Bottom - 1);
    FillDevice(outer.subtracted(inner), ToPixel(Brush.Color), R2_COPYPEN);
}

void TCanvas::FillRegion(const TRegion& rgn)
{
    if (Brush.Style == bsClear)
        return;
    FillDevice(rgn.qregion().translated(origin_.X, origin_.Y), ToPixel(Brush.Color), -1);
}

void TCanvas::FrameRegion(const TRegion& rgn, int w, int h)
{
    if (Brush.Style == bsClear)
        return;
    QRegion r = rgn.qregion().translated(origin_.X, origin_.Y);
    FillDevice(r.subtracted(Erode(r, std::max(1, w), std::max(1, h))), ToPixel(Brush.Color), R2_COPYPEN);
}

void TCanvas::InvertRect(const TRect& r)
{
    TRect d = OffsetRect(r, origin_.X, origin_.Y);
    FillDevice(RectRegion(d.Left, d.Top, d.Right, d.Bottom), 0, 6 /* R2_NOT */);
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    if (r.IsEmpty())
        return;
    TRect d = OffsetRect(r, origin_.X, origin_.Y);
    // A 50% pattern aligned to the device, exclusive-or'ed on: drawing it a
    // second time removes it.
    QRegion edges = RectRegion(d.Left, d.Top, d.Right, d.Top + 1);
    if (d.Height() > 1)
        edges += RectRegion(d.Left, d.Bottom - 1, d.Right, d.Bottom);
    QRegion sides = RectRegion(d.Left, d.Top + 1, d.Left + 1, d.Bottom - 1);
    QRegion right = RectRegion(d.Right - 1, d.Top + 1, d.Right, d.Bottom - 1);
    QRegion clip = DeviceClip();
    QImage& img = Image();
    auto apply = [&](const QRegion& rg) {
        for (const QRect& q : rg.intersected(clip))
            for (int y = q.top(); y <= q.bottom(); ++y)
                for (int x = q.left(); x <= q.right(); ++x)
                    if (((x + y) & 1) == 0)
                        WritePixel(img, x, y, ReadPixel(img, x, y) ^ 0x00FFFFFFu);
    };
    apply(edges);
    apply(sides);
    apply(right);  // twice over where the rectangle is one pixel wide, as GDI does
    Changed();
}

TColor TCanvas::GetPixel(int x, int y)
{
    TPoint d = ToDevice({x, y});
    if (!DeviceClip().contains(QPoint(d.X, d.Y)))
        return CLR_INVALID;
    return FromPixel(ReadPixel(Image(), d.X, d.Y));
}

void TCanvas::SetPixel(int x, int y, TColor c)
{
    TPoint d = ToDevice({x, y});
    if (!DeviceClip().contains(QPoint(d.X, d.Y)))
        return;
    WritePixel(Image(), d.X, d.Y, ToPixel(c));
    Changed();
}

// ---------------------------------------------------------------- lines

void TCanvas::BeginPen()
{
    penClip_ = DeviceClip();
    penImg_ = &Image();
}

void TCanvas::PlotPen(int x, int y, bool on)
{
    if (!penClip_.contains(QPoint(x, y)))
        return;
    uint32_t d = ReadPixel(*penImg_, x, y);
    uint32_t c = on ? ToPixel(Pen.Color) : ToPixel(Brush.Color);
    WritePixel(*penImg_, x, y, Rop2(PenRop2(Pen.Mode), c, d));
}

void TCanvas::DrawLineSegment(TPoint a, TPoint b, bool drawLast)
{
    // Bresenham from a to b in device coordinates; b itself is not drawn
    // unless asked.
    int x0 = a.X, y0 = a.Y, x1 = b.X, y1 = b.Y;
    int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    const std::vector<int>& pat = DashPattern(Pen.Style);
    int patLen = 0;
    for (int v : pat)
        patLen += v;
    bool gaps = !pat.empty() && Brush.Style != bsClear;
    int steps = std::max(dx, dy);
    int err = (dx > dy ? dx : -dy) / 2;
    int x = x0, y = y0;
    int half = Pen.Width > 1 ? Pen.Width / 2 : 0;
    for (int i = 0; i <= steps; ++i) {
        if (i == steps && !drawLast)
            break;
        bool on = true;
        if (patLen > 0) {
            int p = dashPos_ % patLen, k = 0;
            while (p >= pat[size_t(k)]) {
                p -= pat[size_t(k)];
                ++k;
            }
            on = (k % 2) == 0;
            ++dashPos_;
        }
        if (on || gaps) {
            if (half == 0 && Pen.Width <= 1)
                PlotPen(x, y, on);
            else
                for (int yy = y - half; yy < y - half + Pen.Width; ++yy)
                    for (int xx = x - half; xx < x - half + Pen.Width; ++xx)
                        PlotPen(xx, yy, on);
        }
        int e2 = err;
        if (e2 > -dx) {
            err -= dy;
            x += sx;
        }
        if (e2 < dy) {
            err += dx;
            y += sy;
        }
    }
}

void TCanvas::LineTo(int x, int y)
{
    if (Pen.Style != psClear) {
        BeginPen();
        dashPos_ = 0;
        DrawLineSegment(ToDevice(PenPos), ToDevice({x, y}), false);
        Changed();
    }
    PenPos = {x, y};
}

void TCanvas::Polyline(const std::vector<TPoint>& pts)
{
    if (pts.empty())
        return;
    if (Pen.Style != psClear) {
        BeginPen();
        dashPos_ = 0;
        for (size_t i = 1; i < pts.size(); ++i)
            DrawLineSegment(ToDevice(pts[i - 1]), ToDevice(pts[i]), false);
        Changed();
    }
}

void TCanvas::PaintShape(const QRegion& outer, const QRegion& inner)
{
    int rop2 = PenRop2(Pen.Mode);
    if (Brush.Style != bsClear)
        FillDevice(inner, ToPixel(Brush.Color), Brush.Style == bsSolid ? rop2 : -1);
    if (Pen.Style != psClear)
        FillDevice(outer.subtracted(inner), ToPixel(Pen.Color), rop2);
}

void TCanvas::Polygon(const std::vector<TPoint>& pts)
{
    if (pts.size() < 2)
        return;
    std::vector<TPoint> dev;
    dev.reserve(pts.size());
    for (auto& p : pts)
        dev.push_back(ToDevice(p));
    if (Brush.Style != bsClear)
        FillDevice(PolygonPixels(dev), ToPixel(Brush.Color),
                   Brush.Style == bsSolid ? PenRop2(Pen.Mode) : -1);
    if (Pen.Style != psClear) {
        BeginPen();
        dashPos_ = 0;
        for (size_t i = 0; i < dev.size(); ++i)
            DrawLineSegment(dev[i], dev[(i + 1) % dev.size()], false);
        Changed();
    }
}

void TCanvas::Rectangle(int l, int t, int r, int b)
{
    TRect d = OffsetRect(TRect(l, t, r, b), origin_.X, origin_.Y);
    if (Pen.Style == psClear) {
        // With no pen GDI fills one pixel less to the right and bottom.
        PaintShape(QRegion(), RectRegion(d.Left, d.Top, d.Right - 1, d.Bottom - 1));
        return;
    }
    int w = std::max(1, Pen.Width);
    PaintShape(RectRegion(d.Left, d.Top, d.Right, d.Bottom),
               RectRegion(d.Left + w, d.Top + w, d.Right - w, d.Bottom - w));
}

void TCanvas::Ellipse(int l, int t, int r, int b)
{
    TRect d = OffsetRect(TRect(l, t, r, b), origin_.X, origin_.Y);
    if (Pen.Style == psClear) {
        PaintShape(QRegion(), EllipsePixels(TRect(d.Left, d.Top, d.Right - 1, d.Bottom - 1)));
        return;
    }
    int w = std::max(1, Pen.Width);
    PaintShape(EllipsePixels(d), EllipsePixels(InflateRect(d, -w, -w)));
}

void TCanvas::RoundRect(int l, int t, int r, int b, int cw, int ch)
{
    TRect d = OffsetRect(TRect(l, t, r, b), origin_.X, origin_.Y);
    if (Pen.Style == psClear) {
        PaintShape(QRegion(), TRegion::FromRoundRect(TRect(d.Left, d.Top, d.Right - 1, d.Bottom - 1), cw, ch).qregion());
        return;
    }
    int w = std::max(1, Pen.Width);
    PaintShape(TRegion::FromRoundRect(d, cw, ch).qregion(),
               TRegion::FromRoundRect(InflateRect(d, -w, -w), cw - 2 * w, ch - 2 * w).qregion());
}

// ---------------------------------------------------------------- pictures

void TCanvas::BlitImage(int x, int y, int w, int h, const QImage& src, int sx, int sy, uint32_t rop,
                        bool monoSource, std::optional<uint32_t> transparent)
{
    if (w <= 0 || h <= 0)
        return;
    TPoint d = ToDevice({x, y});
    QRegion r = RectRegion(d.X, d.Y, d.X + w, d.Y + h).intersected(DeviceClip());
    // Only where the source has pixels.
    r = r.intersected(QRegion(d.X - sx, d.Y - sy, src.width(), src.height()));
    if (r.isEmpty())
        return;
    QImage& img = Image();
    uint32_t pat = ToPixel(Brush.Color);
    uint32_t fore = ToPixel(Font.Color), back = ToPixel(BkColor == clNone ? Brush.Color : BkColor);
    for (const QRect& q : r) {
        for (int yy = q.top(); yy <= q.bottom(); ++yy) {
            int srow = yy - d.Y + sy;
            for (int xx = q.left(); xx <= q.right(); ++xx) {
                uint32_t s = ReadPixel(src, xx - d.X + sx, srow) | 0xFF000000u;
                if (transparent && (s & 0x00FFFFFFu) == (*transparent & 0x00FFFFFFu))
                    continue;
                if (monoSource)
                    s = (s & 0x00FFFFFFu) == 0 ? fore : back;
                uint32_t dst = ReadPixel(img, xx, yy);
                WritePixel(img, xx, yy, Rop3(rop, pat, s, dst));
            }
        }
    }
    Changed();
}

void TCanvas::Draw(int x, int y, TBitmap& bmp)
{
    if (bmp.Empty())
        return;
    QImage& src = bmp.Canvas().Image();
    std::optional<uint32_t> tr;
    if (bmp.Transparent)
        tr = ToPixel(bmp.TransparentColor());
    if (&src == &Image()) {
        QImage copy = src.copy();
        BlitImage(x, y, copy.width(), copy.height(), copy, 0, 0, SRCCOPY, false, tr);
    } else {
        BlitImage(x, y, src.width(), src.height(), src, 0, 0, SRCCOPY, false, tr);
    }
}

void TCanvas::BitBlt(int x, int y, int w, int h, TCanvas* src, int sx, int sy, uint32_t rop)
{
    if (!src) {
        // Operations without a source: the pattern and the destination only.
        QImage none(1, 1, QImage::Format_RGB32);
        none.fill(0);
        TPoint d = ToDevice({x, y});
        QRegion r = RectRegion(d.X, d.Y, d.X + w, d.Y + h).intersected(DeviceClip());
        QImage& img = Image();
        uint32_t pat = ToPixel(Brush.Color);
        for (const QRect& q : r)
            for (int yy = q.top(); yy <= q.bottom(); ++yy)
                for (int xx = q.left(); xx <= q.right(); ++xx)
                    WritePixel(img, xx, yy, Rop3(rop, pat, 0, ReadPixel(img, xx, yy)));
        Changed();
        return;
    }
    TPoint so = src->Origin();
    QImage& simg = src->Image();
    if (&simg == &Image()) {
        QImage copy = simg.copy();
        BlitImage(x, y, w, h, copy, sx + so.X, sy + so.Y, rop, false, std::nullopt);
    } else {
        BlitImage(x, y, w, h, simg, sx + so.X, sy + so.Y, rop, false, std::nullopt);
    }
}

void TCanvas::BitBlt(int x, int y, int w, int h, TBitmap& src, int sx, int sy, uint32_t rop)
{
    if (src.Empty())
        return;
    bool mono = src.PixelFormat() == TPixelFormat::pf1bit;
    QImage& simg = src.Canvas().Image();
    if (&simg == &Image()) {
        QImage copy = simg.copy();
        BlitImage(x, y, w, h, copy, sx, sy, rop, mono, std::nullopt);
    } else {
        BlitImage(x, y, w, h, simg, sx, sy, rop, mono, std::nullopt);
    }
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& src, const TRect& srcRect)
{
    StretchBlt(dest, src, srcRect, CopyMode);
}

namespace {

// Nearest-neighbour scaling of the source rectangle onto a w x h image;
// negative extents mirror.
QImage ScaleNearest(const QImage& src, int sl, int st, int sw, int sh, int dw, int dh, bool& mirrorX, bool& mirrorY)
{
    mirrorX = (sw < 0) != (dw < 0);
    mirrorY = (sh < 0) != (dh < 0);
    int aw = std::abs(dw), ah = std::abs(dh);
    int asw = std::abs(sw), ash = std::abs(sh);
    int sx0 = sw < 0 ? sl + sw : sl;
    int sy0 = sh < 0 ? st + sh : st;
    QImage out(aw, ah, QImage::Format_ARGB32);
    out.fill(0);
    for (int y = 0; y < ah; ++y) {
        int yy = mirrorY ? ah - 1 - y : y;
        int sy = sy0 + int(int64_t(yy) * ash / ah);
        uint32_t* row = reinterpret_cast<uint32_t*>(out.scanLine(y));
        if (sy < 0 || sy >= src.height())
            continue;
        for (int x = 0; x < aw; ++x) {
            int xx = mirrorX ? aw - 1 - x : x;
            int sx = sx0 + int(int64_t(xx) * asw / aw);
            if (sx < 0 || sx >= src.width())
                continue;
            row[x] = ReadPixel(src, sx, sy) | 0xFF000000u;
        }
    }
    return out;
}

} // namespace

void TCanvas::StretchBlt(const TRect& dest, TCanvas& src, const TRect& srcRect, uint32_t rop)
{
    int dw = dest.Width(), dh = dest.Height();
    int sw = srcRect.Width(), sh = srcRect.Height();
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0)
        return;
    TPoint so = src.Origin();
    bool mx, my;
    QImage scaled = ScaleNearest(src.Image(), srcRect.Left + so.X, srcRect.Top + so.Y, sw, sh, dw, dh, mx, my);
    int l = std::min(dest.Left, dest.Right), t = std::min(dest.Top, dest.Bottom);
    BlitImage(l, t, std::abs(dw), std::abs(dh), scaled, 0, 0, rop, false, std::nullopt);
}

void TCanvas::StretchDraw(const TRect& dest, TBitmap& bmp)
{
    if (bmp.Empty())
        return;
    int dw = dest.Width(), dh = dest.Height();
    if (dw == 0 || dh == 0)
        return;
    QImage& src = bmp.Canvas().Image();
    bool mx, my;
    QImage scaled = ScaleNearest(src, 0, 0, src.width(), src.height(), dw, dh, mx, my);
    std::optional<uint32_t> tr;
    if (bmp.Transparent)
        tr = ToPixel(bmp.TransparentColor());
    int l = std::min(dest.Left, dest.Right), t = std::min(dest.Top, dest.Bottom);
    BlitImage(l, t, std::abs(dw), std::abs(dh), scaled, 0, 0, SRCCOPY, false, tr);
}

// ---------------------------------------------------------------- text

int TCanvas::TextWidth(const std::string& text)
{
    return TextExtent(text).cx;
}

int TCanvas::TextHeight(const std::string& text)
{
    return TextExtent(text).cy;
}

TSize TCanvas::TextExtent(const std::string& text)
{
    QFontMetrics fm(Font.ToQFont());
    return {fm.horizontalAdvance(QString::fromStdString(text)), fm.height()};
}

void TCanvas::DrawTextLineRaw(int x, int y, const std::string& text, const TRect* clip, bool opaque, bool rtl)
{
    QImage& img = Image();
    if (img.isNull() || text.empty())
        return;
    QPainter p(&img);
    QRegion c = DeviceClip();
    if (clip)
        c = c.intersected(RectRegion(clip->Left + origin_.X, clip->Top + origin_.Y, clip->Right + origin_.X,
                                     clip->Bottom + origin_.Y));
    p.setClipRegion(c);
    p.setRenderHint(QPainter::Antialiasing, false);
    QFont f = Font.ToQFont();
    p.setFont(f);
    QFontMetrics fm(f);
    QString s = QString::fromStdString(text);
    p.translate(x + origin_.X, y + origin_.Y);
    if (Font.Orientation != 0)
        p.rotate(-Font.Orientation / 10.0);
    if (opaque)
        p.fillRect(QRect(0, 0, fm.horizontalAdvance(s), fm.height()), ToQColor(Brush.Color));
    p.setPen(ToQColor(Font.Color));
    if (rtl)
        p.setLayoutDirection(Qt::RightToLeft);
    p.drawText(QPoint(0, fm.ascent()), s);
    p.end();
    Changed();
}

void TCanvas::DrawUnderline(int x0, int x1, int top)
{
    QFontMetrics fm(Font.ToQFont());
    int y = top + fm.ascent() + std::max(1, fm.underlinePos());
    TPoint a = ToDevice({x0, y}), b = ToDevice({x1, y});
    FillDevice(RectRegion(a.X, a.Y, b.X, a.Y + std::max(1, fm.lineWidth())), ToPixel(Font.Color), R2_COPYPEN);
}

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    DrawTextLineRaw(x, y, text, nullptr, Brush.Style != bsClear);
    PenPos = {x + TextWidth(text), y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text)
{
    if (Brush.Style != bsClear)
        FillRect(r, Brush.Color);
    DrawTextLineRaw(x, y, text, &r, false);
}

} // namespace cf
