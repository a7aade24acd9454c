// Effects that reveal the picture through a clip region: curved and
// elliptic edges, bars, shreds, speckle, polygons and zigzags.

#include "transitions/RevealFxProcs.h"
#include "transitions/RevealFxRegions.h"
#include "transitions/RevealFxRoutines.h"

#include <initializer_list>
#include <vector>

namespace {

TFxRegion Poly(std::initializer_list<int> Coords)
{
  const std::vector<int> c(Coords);
  return PolygonRegion(c.data(), static_cast<int>(c.size()) - 1);
}

TFxRegion Whole(int W, int H) { return FxRectRegion(0, 0, W, H); }

}  // namespace

// Rounded-rectangle and elliptic reveals.
FX(58) { RevealRegion(Screen, Picture, RoundRectRegion(-2 * W, 0, 2 * X, H + 1, 2 * W, 2 * W)); }
FX(59) { RevealRegion(Screen, Picture, RoundRectRegion(W - 2 * X, 0, 3 * W, H + 1, 2 * W, 2 * W)); }
FX(69) { RevealRegion(Screen, Picture, RoundRectRegion(0, -2 * H, W + 1, 2 * Y, 2 * H, 2 * H)); }
FX(70) { RevealRegion(Screen, Picture, RoundRectRegion(0, H - 2 * Y, W + 1, 3 * H, 2 * H, 2 * H)); }
FX(80)
{
  RevealRegion(Screen, Picture, RoundRectRegion(-W, -H, 3 * X / 2, 3 * Y / 2, 2 * W, 2 * H));
}
FX(81)
{
  RevealRegion(Screen, Picture,
               RoundRectRegion(W - 3 * X / 2, -H, 2 * W, 3 * Y / 2, 2 * W, 2 * H));
}
FX(82)
{
  RevealRegion(Screen, Picture,
               RoundRectRegion(-W, H - 3 * Y / 2, 3 * X / 2, 2 * H, 2 * W, 2 * H));
}
FX(83)
{
  RevealRegion(Screen, Picture,
               RoundRectRegion(W - 3 * X / 2, H - 3 * Y / 2, 2 * W, 2 * H, 2 * W, 2 * H));
}
FX(84)
{
  RevealRegion(Screen, Picture,
               RoundRectRegion(W / 2 - X, H / 2 - Y, W / 2 + X, H / 2 + Y, 9 * X / 5, 9 * Y / 5));
}
FX(85)
{
  const TFxRegion inner = RoundRectRegion(X - W / 2, Y - H / 2, 3 * (W / 2) - X,
                                          3 * (H / 2) - Y, 9 * (W - X) / 5, 9 * (H - Y) / 5);
  RevealRegion(Screen, Picture, Whole(W, H).xored(inner));
}

// Bars.
FX(60) { RevealRegion(Screen, Picture, BarsRegion(2 * X, 0, W, H, 1, 0)); }
FX(61) { RevealRegion(Screen, Picture, BarsRegion(2 * X, 0, W, H, 2, 0)); }
FX(62) { RevealRegion(Screen, Picture, BarsRegion(2 * X, 0, W, H, 4, 0)); }
FX(63) { RevealRegion(Screen, Picture, BarsRegion(2 * X, 0, W, H, 5, 0)); }
FX(64) { RevealRegion(Screen, Picture, BarsRegion(X, 0, W, H, 3, 0)); }
FX(71) { RevealRegion(Screen, Picture, BarsRegion(0, 2 * Y, W, H, 0, 1)); }
FX(72) { RevealRegion(Screen, Picture, BarsRegion(0, 2 * Y, W, H, 0, 2)); }
FX(73) { RevealRegion(Screen, Picture, BarsRegion(0, 2 * Y, W, H, 0, 4)); }
FX(74) { RevealRegion(Screen, Picture, BarsRegion(0, 2 * Y, W, H, 0, 5)); }
FX(75) { RevealRegion(Screen, Picture, BarsRegion(0, Y, W, H, 0, 3)); }
FX(86) { RevealRegion(Screen, Picture, BarsRegion(2 * X, 2 * Y, W, H, 1, 1)); }
FX(87) { RevealRegion(Screen, Picture, BarsRegion(2 * X, 2 * Y, W, H, 1, 2)); }
FX(88) { RevealRegion(Screen, Picture, BarsRegion(2 * X, 2 * Y, W, H, 2, 1)); }
FX(89) { RevealRegion(Screen, Picture, BarsRegion(2 * X, 2 * Y, W, H, 2, 2)); }
FX(90) { RevealRegion(Screen, Picture, BarsRegion(2 * X, 2 * Y, W, H, 4, 4)); }
FX(91) { RevealRegion(Screen, Picture, BarsRegion(2 * X, 2 * Y, W, H, 4, 5)); }
FX(92) { RevealRegion(Screen, Picture, BarsRegion(2 * X, 2 * Y, W, H, 5, 4)); }
FX(93) { RevealRegion(Screen, Picture, BarsRegion(2 * X, 2 * Y, W, H, 5, 5)); }
FX(94) { RevealRegion(Screen, Picture, BarsRegion(X, Y, W, H, 1, 3)); }
FX(95) { RevealRegion(Screen, Picture, BarsRegion(X, Y, W, H, 2, 3)); }
FX(96) { RevealRegion(Screen, Picture, BarsRegion(X, Y, W, H, 3, 1)); }
FX(97) { RevealRegion(Screen, Picture, BarsRegion(X, Y, W, H, 3, 2)); }
FX(98) { RevealRegion(Screen, Picture, BarsRegion(X, Y, W, H, 3, 3)); }
FX(99)
{
  const TFxRegion a = BarsRegion(2 * X, 2 * Y, W, H, 1, 1);
  RevealRegion(Screen, Picture, a.intersected(BarsRegion(2 * X, 2 * Y, W, H, 2, 2)));
}

// Uneven shreds.
FX(65) { RevealRegion(Screen, Picture, ShredRegion(X, Y, W, H, 1, 0, Random)); }
FX(66) { RevealRegion(Screen, Picture, ShredRegion(X, Y, W, H, 2, 0, Random)); }
FX(67) { RevealRegion(Screen, Picture, ShredRegion(X, Y, W, H, 3, 0, Random)); }
FX(68) { RevealRegion(Screen, Picture, ShredRegion(X, Y, W, H, 4, 0, Random)); }
FX(76) { RevealRegion(Screen, Picture, ShredRegion(X, Y, W, H, 0, 1, Random)); }
FX(77) { RevealRegion(Screen, Picture, ShredRegion(X, Y, W, H, 0, 2, Random)); }
FX(78) { RevealRegion(Screen, Picture, ShredRegion(X, Y, W, H, 0, 3, Random)); }
FX(79) { RevealRegion(Screen, Picture, ShredRegion(X, Y, W, H, 0, 4, Random)); }
FX(100) { RevealRegion(Screen, Picture, ShredRegion(X, Y, W, H, 1, 1, Random)); }
FX(101) { RevealRegion(Screen, Picture, ShredRegion(X, Y, W, H, 1, 2, Random)); }
FX(102) { RevealRegion(Screen, Picture, ShredRegion(X, Y, W, H, 2, 1, Random)); }
FX(103) { RevealRegion(Screen, Picture, ShredRegion(X, Y, W, H, 2, 2, Random)); }
FX(104) { RevealRegion(Screen, Picture, ShredRegion(X, Y, W, H, 1, 3, Random)); }
FX(105) { RevealRegion(Screen, Picture, ShredRegion(X, Y, W, H, 2, 3, Random)); }
FX(106) { RevealRegion(Screen, Picture, ShredRegion(X, Y, W, H, 3, 1, Random)); }
FX(107) { RevealRegion(Screen, Picture, ShredRegion(X, Y, W, H, 3, 2, Random)); }
FX(108) { RevealRegion(Screen, Picture, ShredRegion(X, Y, W, H, 3, 3, Random)); }
FX(109) { RevealRegion(Screen, Picture, ShredRegion(X, Y, W, H, 4, 4, Random)); }

// Speckle.
FX(124) { RevealRegion(Screen, Picture, SpeckleRegion(X, Y, W, H, 1, 0, Random)); }
FX(125) { RevealRegion(Screen, Picture, SpeckleRegion(X, Y, W, H, 2, 0, Random)); }
FX(126) { RevealRegion(Screen, Picture, SpeckleRegion(X, Y, W, H, 0, 1, Random)); }
FX(127) { RevealRegion(Screen, Picture, SpeckleRegion(X, Y, W, H, 0, 2, Random)); }

// Polygons.
FX(110) { RevealRegion(Screen, Picture, Poly({0, 0, 2 * X, 0, 0, 2 * Y})); }
FX(111) { RevealRegion(Screen, Picture, Poly({W, 0, W - 2 * X, 0, W, 2 * Y})); }
FX(112) { RevealRegion(Screen, Picture, Poly({0, H, 2 * X, H, 0, H - 2 * Y})); }
FX(113) { RevealRegion(Screen, Picture, Poly({W, H, W - 2 * X, H, W, H - 2 * Y})); }
FX(114)
{
  RevealRegion(Screen, Picture,
               Poly({0, H, 0, 0, X, H}).united(Poly({W, H, W, 0, W - X, 0})));
}
FX(115)
{
  RevealRegion(Screen, Picture,
               Poly({W, 0, 0, 0, W, Y}).united(Poly({W, H, 0, H, 0, H - Y})));
}
FX(116)
{
  const int cx = W / 2, cy = H / 2;
  TFxRegion r = Poly({cx, cy, 0, 0, X, 0});
  r += Poly({cx, cy, 0, H, 0, H - Y});
  r += Poly({cx, cy, W, H, W - X, H});
  r += Poly({cx, cy, W, 0, W, Y});
  RevealRegion(Screen, Picture, r);
}
FX(117)
{
  const int cx = W / 2, cy = H / 2;
  TFxRegion r = Poly({cx, cy, 0, 0, 0, Y});
  r += Poly({cx, cy, 0, H, X, H});
  r += Poly({cx, cy, W, H, W, H - Y});
  r += Poly({cx, cy, W, 0, W - X, 0});
  RevealRegion(Screen, Picture, r);
}
FX(154) { RevealRegion(Screen, Picture, Poly({0, H / 2 - Y, 2 * X, H / 2, 0, H / 2 + Y})); }
FX(155) { RevealRegion(Screen, Picture, Poly({W, H / 2 - Y, W - 2 * X, H / 2, W, H / 2 + Y})); }
FX(156) { RevealRegion(Screen, Picture, Poly({W / 2 - X, 0, W / 2, 2 * Y, W / 2 + X, 0})); }
FX(157) { RevealRegion(Screen, Picture, Poly({W / 2 - X, H, W / 2, H - 2 * Y, W / 2 + X, H})); }
FX(158)
{
  RevealRegion(Screen, Picture,
               Poly({0, H / 2 - Y, X, H / 2, 0, H / 2 + Y})
                   .united(Poly({W, H / 2 - Y, W - X, H / 2, W, H / 2 + Y})));
}
FX(159)
{
  RevealRegion(Screen, Picture,
               Poly({W / 2 - X, 0, W / 2, 2 * Y, W / 2 + X, 0})
                   .united(Poly({W / 2 - X, H, W / 2, H - 2 * Y, W / 2 + X, H})));
}

namespace {

// Four triangles standing on the edge midpoints: DepthX deep from the left
// and right edges, DepthY from the top and bottom, each with a half-base of
// the other axis' depth.
std::vector<TFxRegion> EdgeTriangles(int W, int H, int DepthX, int DepthY)
{
  return {Poly({0, H / 2 - DepthY, DepthX, H / 2, 0, H / 2 + DepthY}),
          Poly({W, H / 2 - DepthY, W - DepthX, H / 2, W, H / 2 + DepthY}),
          Poly({W / 2 - DepthX, 0, W / 2, DepthY, W / 2 + DepthX, 0}),
          Poly({W / 2 - DepthX, H, W / 2, H - DepthY, W / 2 + DepthX, H})};
}

}  // namespace

FX(160)
{
  TFxRegion r;
  for (const TFxRegion& t : EdgeTriangles(W, H, X / 2, Y / 2))
    r += t;
  RevealRegion(Screen, Picture, r);
}
FX(161)
{
  TFxRegion r = Whole(W, H);
  for (const TFxRegion& t : EdgeTriangles(W, H, (W - X) / 2, (H - Y) / 2))
    r = r.xored(t);
  RevealRegion(Screen, Picture, r);
}
FX(165)
{
  RevealRegion(Screen, Picture,
               Poly({W / 2 - X, H / 2, W / 2, H / 2 - Y, W / 2 + X, H / 2, W / 2, H / 2 + Y}));
}
FX(166)
{
  const TFxRegion inner = Poly({X - W / 2, H / 2, W / 2, Y - H / 2, 3 * (W / 2) - X, H / 2,
                                W / 2, 3 * (H / 2) - Y});
  RevealRegion(Screen, Picture, Whole(W, H).xored(inner));
}
FX(167)
{
  const TFxRegion outer =
      Poly({-X / 2, H / 2, W / 2, -Y / 2, W + X / 2, H / 2, W / 2, H + Y / 2});
  const TFxRegion inner =
      Poly({X / 2, H / 2, W / 2, Y / 2, W - X / 2, H / 2, W / 2, H - Y / 2});
  RevealRegion(Screen, Picture, outer.xored(inner));
}

namespace {

// A zigzag band of 24 points across the picture: Step apart along the
// Length axis, Amplitude high, half as wide as HalfWidth, around Middle.
// Horizontal bands run along x; vertical ones swap the axes.
TFxRegion Zigzag(bool Horizontal, int Step, int Amplitude, int HalfWidth, int Middle)
{
  std::vector<QPoint> pts;
  auto add = [&](int along, int across) {
    pts.push_back(Horizontal ? QPoint(along, across) : QPoint(across, along));
  };
  for (int i = 0; i < 12; ++i)
    add(i * Step, i % 2 == 0 ? Middle + Amplitude - HalfWidth : Middle - Amplitude - HalfWidth);
  for (int i = 11; i >= 0; --i)
    add(i * Step, i % 2 == 0 ? Middle + Amplitude + HalfWidth : Middle - Amplitude + HalfWidth);
  return PolygonRegion(pts);
}

}  // namespace

FX(162)
{
  const int n = H / 10;
  RevealRegion(Screen, Picture, Zigzag(true, W / 10, n, n * P / 100 + Y / 2, H / 2));
}
FX(163)
{
  const int n = W / 10;
  RevealRegion(Screen, Picture, Zigzag(false, H / 10, n, n * P / 100 + X / 2, W / 2));
}
