// Effects that reveal the picture through many small cells, sweeps and
// rotating shapes.

#include "transitions/ComplexRegion.h"
#include "transitions/RevealFxProcs.h"
#include "transitions/RevealFxRoutines.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

void RevealRects(TFxBitmap& Screen, const TFxBitmap& Picture, TComplexRegion& Rgn)
{
  if (const auto region = Rgn.CreateRegion())
    RevealRegion(Screen, Picture, *region);
}

// Cell size of the square grids: a tenth of the shorter side, at least 1.
int CellSize(int W, int H) { return std::min(W, H) / 10 + 1; }

}  // namespace

// Triangular shred.
FX(118)
{
  const int rx = W / 10 + 1, r = H / 10 + 1;
  const int a = rx * P / 50, b = r * P / 50;
  TFxRegion region;
  for (int y = 0; y + r - b < H; y += 2 * (H / 10) + 2)
    for (int x = rx; x - a < W; x += 2 * rx)
      region += PolygonRegion(
          std::vector<QPoint>{{x - a, y + r - b}, {x, y + r + b}, {x + a, y + r - b}});
  RevealRegion(Screen, Picture, region);
}

// Blinds.
FX(137)
{
  const int n = W / 40 + 1, a = n * P / 100;
  TComplexRegion rgn;
  for (int s = 0; s < W; s += 2 * (W / 40) + 2)
    rgn.AddRect(s + n - a, 0, s + n + a, H);
  RevealRects(Screen, Picture, rgn);
}
FX(138)
{
  const int n = H / 40 + 1, a = n * P / 100;
  TComplexRegion rgn;
  for (int s = 0; s < H; s += 2 * (H / 40) + 2)
    rgn.AddRect(0, s + n - a, W, s + n + a);
  RevealRects(Screen, Picture, rgn);
}
FX(139)
{
  if (X == 0)
    return;
  const int a = X * P / 100;
  TComplexRegion rgn;
  for (int s = 0; s < W; s += X)
    rgn.AddRect(s, 0, s + a, H);
  RevealRects(Screen, Picture, rgn);
}
FX(140)
{
  if (X == 0)
    return;
  const int a = X * P / 100;
  TComplexRegion rgn;
  for (int s = W; s > 0; s -= X)
    rgn.AddRect(s - a, 0, s, H);
  RevealRects(Screen, Picture, rgn);
}
FX(141)
{
  if (Y == 0)
    return;
  const int a = Y * P / 100;
  TComplexRegion rgn;
  for (int s = 0; s < H; s += Y)
    rgn.AddRect(0, s, W, s + a);
  RevealRects(Screen, Picture, rgn);
}
FX(142)
{
  if (Y == 0)
    return;
  const int a = Y * P / 100;
  TComplexRegion rgn;
  for (int s = H; s > 0; s -= Y)
    rgn.AddRect(0, s - a, W, s);
  RevealRects(Screen, Picture, rgn);
}

// Rectangular shred.
FX(143)
{
  const int n = CellSize(W, H), a = n * P / 100;
  TComplexRegion rgn;
  for (int s = 0; s < W; s += 2 * n)
    for (int t = 0; t < H; t += 2 * n)
      rgn.AddRect(s + n - a, t + n - a, s + n + a, t + n + a);
  RevealRects(Screen, Picture, rgn);
}

namespace {

// Stripes across the picture plus bars that grow along it. Rows: the
// stripes lie along the rows (bars are columns every Period); otherwise the
// axes swap. FromFar: the bars grow from the right (bottom).
void StripesAndBars(TFxBitmap& Screen, const TFxBitmap& Picture, int W, int H, int Period,
                    int P, bool Rows, bool FromFar)
{
  const int across = Rows ? H : W, along = Rows ? W : H;
  const int unit = across / 20;
  if (Period == 0 || unit == 0)
    return;
  TComplexRegion rgn;
  auto add = [&](int a0, int c0, int a1, int c1) {  // along, across
    if (Rows)
      rgn.AddRect(a0, c0, a1, c1);
    else
      rgn.AddRect(c0, a0, c1, a1);
  };
  const int half = unit * P / 100;
  for (int c = -unit; c - half < across; c += 3 * unit)
    add(0, c - half, along, c + half);
  const int grow = Period * P / 100;
  if (FromFar)
    for (int s = along; s > 0; s -= Period)
      add(s - grow, 0, s, across);
  else
    for (int s = 0; s < along; s += Period)
      add(s, 0, s + grow, across);
  RevealRects(Screen, Picture, rgn);
}

}  // namespace

FX(146) { StripesAndBars(Screen, Picture, W, H, X, P, true, false); }
FX(147) { StripesAndBars(Screen, Picture, W, H, X, P, true, true); }
FX(148) { StripesAndBars(Screen, Picture, W, H, Y, P, false, false); }
FX(149) { StripesAndBars(Screen, Picture, W, H, Y, P, false, true); }

// Circular shred.
FX(153)
{
  const int n = CellSize(W, H), r = 3 * n * P / 200;
  TFxRegion region;
  if (r > 0)
    for (int s = 0; s < W; s += 2 * n)
      for (int t = 0; t < H; t += 2 * n)
        region += EllipseRegion(s + n - r, t + n - r, s + n + r, t + n + r);
  RevealRegion(Screen, Picture, region);
}

// Diamond shred.
FX(164)
{
  const int n = CellSize(W, H), d = n * P / 50;
  TFxRegion region;
  if (d > 0)
    for (int cx = n; cx - d < W; cx += 2 * n)
      for (int cy = n; cy - d < H; cy += 2 * n)
        region += PolygonRegion(
            std::vector<QPoint>{{cx - d, cy}, {cx, cy - d}, {cx + d, cy}, {cx, cy + d}});
  RevealRegion(Screen, Picture, region);
}

// Sweeps round the centre.
namespace {

void Sweep(TFxBitmap& Screen, const TFxBitmap& Picture, int W, int H, int P, double EndAngle)
{
  const int radius = static_cast<int>(std::ceil(std::hypot(W / 2, H / 2)));
  RevealRegion(Screen, Picture,
               SectorRegion(W / 2, H / 2, radius, P, EndAngle, -std::numbers::pi / 2));
}

}  // namespace

FX(144) { Sweep(Screen, Picture, W, H, P, P * std::numbers::pi / 50 - std::numbers::pi / 2); }
FX(145) { Sweep(Screen, Picture, W, H, P, -P * std::numbers::pi / 50 - std::numbers::pi / 2); }

// Rotating shapes.
namespace {

double TurnAngle(int P, const TFxRandom& Random)
{
  const double a = P * std::numbers::pi / 50;
  return Random.Reversed() ? -a : a;
}

void RevealTurned(TFxBitmap& Screen, const TFxBitmap& Picture, std::vector<QPoint> Points,
                  int CentreX, int CentreY, double Angle)
{
  RotatePoints(Points.data(), static_cast<int>(Points.size()), CentreX, Angle, CentreY);
  RevealRegion(Screen, Picture, PolygonRegion(Points));
}

std::vector<QPoint> CentredRect(int W, int H, int X, int Y)
{
  return {{W / 2 - X / 2, H / 2 - Y / 2},
          {W / 2 + X / 2, H / 2 - Y / 2},
          {W / 2 + X / 2, H / 2 + Y / 2},
          {W / 2 - X / 2, H / 2 + Y / 2}};
}

}  // namespace

FX(150) { RevealTurned(Screen, Picture, CentredRect(W, H, X, Y), W / 2, H / 2, TurnAngle(P, Random)); }
FX(151)
{
  const int cx = W / 2, cy = H / 2;
  RevealTurned(Screen, Picture,
               {{cx - 2 * X, cy},
                {cx - X / 2, cy - Y / 2},
                {cx, cy - 2 * Y},
                {cx + X / 2, cy - Y / 2},
                {cx + 2 * X, cy},
                {cx + X / 2, cy + Y / 2},
                {cx, cy + 2 * Y},
                {cx - X / 2, cy + Y / 2}},
               cx, cy, TurnAngle(P, Random));
}
FX(152) { RevealTurned(Screen, Picture, CentredRect(W, H, X, Y), X, Y, TurnAngle(P, Random)); }
