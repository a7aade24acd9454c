#include "transitions/RevealFxRoutines.h"

#include "transitions/StretchCopy.h"

#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

uint8_t* Bytes(uint32_t* p) { return reinterpret_cast<uint8_t*>(p); }
const uint8_t* Bytes(const uint32_t* p) { return reinterpret_cast<const uint8_t*>(p); }

inline uint32_t AddToColour(uint32_t pixel, int offset)
{
  uint8_t* b = Bytes(&pixel);
  for (int k = 0; k < 3; ++k)  // blue, green, red; the fourth byte is unused
    b[k] = static_cast<uint8_t>(std::clamp(b[k] + offset, 0, 255));
  return pixel;
}

}  // namespace

std::vector<int> ShadeProfile(int Amount, int Count)
{
  std::vector<int> offsets;
  if (Count < 2 || Amount <= 0)
    return offsets;
  offsets.resize(static_cast<size_t>(Count));
  const int half = Count / 2;
  // Either several steps per line or one step every few lines.
  const int step = half < Amount ? Amount / half : 1;
  const int every = half < Amount ? 1 : half / Amount;
  for (int i = 0; i < Count; ++i) {
    const int rise = i <= half ? i : 2 * half - i;  // up to the middle, then down
    offsets[static_cast<size_t>(i)] = std::min(-Amount + rise / every * step, 0);
  }
  return offsets;
}

void ShadeColumns(TFxBitmap& Screen, int Amount, int FirstColumn, int Count)
{
  const std::vector<int> offsets = ShadeProfile(Amount, Count);
  if (offsets.empty() || FxIsEmpty(Screen))
    return;
  const int first = std::max(FirstColumn, 0);
  const int last = std::min(FirstColumn + Count, FxWidth(Screen));
  for (int y = 0; y < FxHeight(Screen); ++y) {
    uint32_t* row = FxRow(Screen, y);
    for (int x = first; x < last; ++x)
      row[x] = AddToColour(row[x], offsets[static_cast<size_t>(x - FirstColumn)]);
  }
}

void ShadeRows(TFxBitmap& Screen, int Amount, int FirstRow, int Count)
{
  const std::vector<int> offsets = ShadeProfile(Amount, Count);
  if (offsets.empty() || FxIsEmpty(Screen))
    return;
  const int first = std::max(FirstRow, 0);
  const int last = std::min(FirstRow + Count, FxHeight(Screen));
  for (int y = first; y < last; ++y) {
    uint32_t* row = FxRow(Screen, y);
    const int offset = offsets[static_cast<size_t>(y - FirstRow)];
    for (int x = 0; x < FxWidth(Screen); ++x)
      row[x] = AddToColour(row[x], offset);
  }
}

void BlendRect(TFxBitmap& Screen, const TFxBitmap& Picture, int Percent,
               int Height, int Width, int Top, int Left)
{
  if (FxIsEmpty(Screen) || FxIsEmpty(Picture))
    return;
  const int a = 256 * Percent / 100;
  const int left = std::max(Left, 0);
  const int top = std::max(Top, 0);
  const int right = std::min({Left + Width, FxWidth(Screen), FxWidth(Picture)});
  const int bottom = std::min({Top + Height, FxHeight(Screen), FxHeight(Picture)});
  for (int y = top; y < bottom; ++y) {
    uint8_t* s = Bytes(FxRow(Screen, y));
    const uint8_t* n = Bytes(FxRow(Picture, y));
    for (int x = left; x < right; ++x)
      for (int k = 0; k < 3; ++k) {
        const int i = x * 4 + k;
        s[i] = static_cast<uint8_t>(s[i] + ((a * (n[i] - s[i])) >> 8));
      }
  }
}

void RotateBitmap(TFxBitmap& Screen, const TFxBitmap& Picture, int PivotX,
                  double Angle, int PivotY)
{
  if (FxIsEmpty(Screen) || FxIsEmpty(Picture))
    return;
  const int64_t c = std::llround(std::cos(Angle) * 65536.0);
  const int64_t s = std::llround(std::sin(Angle) * 65536.0);
  const int pw = FxWidth(Picture), ph = FxHeight(Picture);
  for (int y = 0; y < FxHeight(Screen); ++y) {
    uint32_t* row = FxRow(Screen, y);
    const int64_t dy = y - PivotY;
    for (int x = 0; x < FxWidth(Screen); ++x) {
      const int64_t dx = x - PivotX;
      const int64_t sx = PivotX + ((dx * c - dy * s) >> 16);
      const int64_t sy = PivotY + ((dx * s + dy * c) >> 16);
      if (sx >= 0 && sx < pw && sy >= 0 && sy < ph)
        row[x] = FxRow(Picture, static_cast<int>(sy))[sx];
    }
  }
}

void RotatePoints(QPoint* Points, int Count, int CentreX, double Angle, int CentreY)
{
  const double c = std::cos(Angle), s = std::sin(Angle);
  for (int i = 0; i < Count; ++i) {
    const double dx = Points[i].x() - CentreX, dy = Points[i].y() - CentreY;
    Points[i] = QPoint(CentreX + static_cast<int>(std::nearbyint(c * dx - s * dy)),
                       CentreY + static_cast<int>(std::nearbyint(s * dx + c * dy)));
  }
}

TFxRegion SectorRegion(int CentreX, int CentreY, int Radius, int Segments,
                       double EndAngle, double StartAngle)
{
  if (Segments <= 0)
    return TFxRegion();
  std::vector<QPoint> pts;
  pts.reserve(static_cast<size_t>(Segments) + 1);
  pts.emplace_back(CentreX, CentreY);
  for (int k = 0; k < Segments; ++k) {
    const double a = StartAngle + k * (EndAngle - StartAngle) / Segments;
    pts.emplace_back(CentreX + static_cast<int>(std::nearbyint(Radius * std::cos(a))),
                     CentreY + static_cast<int>(std::nearbyint(Radius * std::sin(a))));
  }
  return PolygonRegion(pts);
}

TFxRegion PolygonRegion(const std::vector<QPoint>& Points)
{
  if (Points.size() < 3)
    return TFxRegion();
  return TFxRegion(QPolygon(QList<QPoint>(Points.begin(), Points.end())), Qt::WindingFill);
}

TFxRegion PolygonRegion(const int* Points, int High)
{
  std::vector<QPoint> pts;
  for (int i = 0; i + 1 <= High; i += 2)
    pts.emplace_back(Points[i], Points[i + 1]);
  return PolygonRegion(pts);
}

TFxRegion RoundRectRegion(int Left, int Top, int Right, int Bottom,
                          int CornerWidth, int CornerHeight)
{
  if (Right < Left)
    std::swap(Left, Right);
  if (Bottom < Top)
    std::swap(Top, Bottom);
  if (Right == Left || Bottom == Top)
    return TFxRegion();
  const double rx = std::min(std::abs(CornerWidth), Right - Left) / 2.0;
  const double ry = std::min(std::abs(CornerHeight), Bottom - Top) / 2.0;
  std::vector<QRect> rects;
  int runTop = Top, runL = 0, runR = 0;
  bool have = false;
  auto flush = [&](int y) {
    if (have && runR > runL)
      rects.emplace_back(runL, runTop, runR - runL, y - runTop);
  };
  for (int y = Top; y < Bottom; ++y) {
    const double yc = y + 0.5;
    double dy = 0;
    if (ry > 0 && yc < Top + ry)
      dy = Top + ry - yc;
    else if (ry > 0 && yc > Bottom - ry)
      dy = yc - (Bottom - ry);
    int inset = 0;
    if (dy > 0) {
      const double t = dy / ry;
      inset = static_cast<int>(std::lround(rx - rx * std::sqrt(std::max(0.0, 1.0 - t * t))));
    }
    const int l = Left + inset, r = Right - inset;
    if (!have || l != runL || r != runR) {
      flush(y);
      runTop = y;
      runL = l;
      runR = r;
      have = true;
    }
  }
  flush(Bottom);
  TFxRegion region;
  for (const QRect& r : rects)
    region += r;
  return region;
}

TFxRegion EllipseRegion(int Left, int Top, int Right, int Bottom)
{
  return RoundRectRegion(Left, Top, Right, Bottom, Right - Left, Bottom - Top);
}

void CopyPicture(TFxBitmap& Screen, const TFxBitmap& Picture, int Left, int Top,
                 int Width, int Height)
{
  CopyBlock(Screen, Left, Top, Picture, Left, Top, Width, Height);
}

void RevealRegion(TFxBitmap& Screen, const TFxBitmap& Picture, const TFxRegion& Region)
{
  if (FxIsEmpty(Screen))
    return;
  const TFxRegion clipped = Region.intersected(TFxRegion(0, 0, FxWidth(Screen), FxHeight(Screen)));
  for (const QRect& r : clipped)
    CopyPicture(Screen, Picture, r.left(), r.top(), r.width(), r.height());
}
