// Effects that work on the pixels of the whole picture: pivots, fade,
// pixelate, dissolve, random bars and squares, channel mix.

#include "transitions/ComplexRegion.h"
#include "transitions/RevealFxProcs.h"
#include "transitions/RevealFxRoutines.h"
#include "transitions/StretchCopy.h"

#include <algorithm>
#include <cstdint>
#include <numbers>

// Pivots: the picture swings into place about one of its corners.
FX(120) { RotateBitmap(Screen, Picture, -1, (100 - P) * std::numbers::pi / 200, -1); }
FX(121) { RotateBitmap(Screen, Picture, -1, (P - 100) * std::numbers::pi / 200, H); }
FX(122) { RotateBitmap(Screen, Picture, W, (P - 100) * std::numbers::pi / 200, -1); }
FX(123) { RotateBitmap(Screen, Picture, W, (100 - P) * std::numbers::pi / 200, H); }

// Fade.
FX(119) { BlendRect(Screen, Picture, P, H, W, 0, 0); }

// Pixelate: the old frame zooms into coarse blocks through the middle of
// the run, and the picture zooms out of them.
FX(168)
{
  int k, dx, dy;
  if (P <= 50) {
    k = 180 - 82 * P / 50;
    dx = X * k / 100;
    dy = Y * k / 100;
  } else {
    k = 180 + 82 * (P - 100) / 50;
    dx = (W - X) * k / 100;
    dy = (H - Y) * k / 100;
  }
  const int sw = std::max(W - 2 * dx, 2), sh = std::max(H - 2 * dy, 2);
  const TFxBitmap* source = P <= 50 ? &Screen : &Picture;
  if (P > 40 && P < 60) {
    BlendRect(Screen, Picture, 5 * P - 200, sh, sw, dy, dx);
    source = &Screen;
  }
  StretchCopy(Screen, -2 * dx, -2 * dy, W + 4 * dx, H + 4 * dy, *source, dx, dy, sw, sh);
}

// Dissolve: every pixel has its own turn.
FX(169)
{
  TFxRandom chooser = Random.Restarted();
  for (int y = 0; y < H; ++y) {
    uint32_t* s = FxRow(Screen, y);
    const uint32_t* n = FxRow(Picture, y);
    for (int x = 0; x < W; ++x)
      if (chooser.Next(100) < P)
        s[x] = n[x];
  }
}

// Random bars.
FX(170)
{
  TFxRandom chooser = Random.Restarted();
  for (int y = 0; y < H; ++y)
    if (chooser.Next(100) < P)
      MoveRow(FxRow(Screen, y), FxRow(Picture, y), W);
}
FX(171)
{
  TFxRandom chooser = Random.Restarted();
  for (int x = 0; x < W; ++x)
    if (chooser.Next(100) < P)
      for (int y = 0; y < H; ++y)
        FxRow(Screen, y)[x] = FxRow(Picture, y)[x];
}

// Random squares.
FX(128)
{
  TFxRandom chooser = Random.Restarted();
  const int side = std::min(W, H) / 50 * 2 + 2;
  TComplexRegion rgn;
  for (int x = 0; x < W; x += side)
    for (int y = 0; y < H; y += side)
      if (chooser.Next(100) < P)
        rgn.AddRect(x, y, x + side, y + side);
  if (const auto region = rgn.CreateRegion())
    RevealRegion(Screen, Picture, *region);
}

// Channel mix: one colour channel after the other moves to the picture.
FX(172)
{
  TFxRandom chooser = Random.Restarted();
  const int k1 = chooser.Next(3);
  const int k2 = (k1 + 1 + chooser.Next(2)) % 3;
  const int k3 = 3 - k1 - k2;
  int weight[3] = {0, 0, 0};
  if (P <= 33) {
    weight[k1] = 256 * P / 33;
  } else if (P <= 66) {
    weight[k1] = 256;
    weight[k2] = 256 * (P - 33) / 33;
  } else {
    weight[k1] = weight[k2] = 256;
    weight[k3] = 256 * (P - 66) / 33;
  }
  for (int y = 0; y < H; ++y) {
    uint8_t* s = reinterpret_cast<uint8_t*>(FxRow(Screen, y));
    const uint8_t* n = reinterpret_cast<const uint8_t*>(FxRow(Picture, y));
    for (int x = 0; x < W; ++x)
      for (int k = 0; k < 3; ++k) {
        const int i = x * 4 + k;
        s[i] = static_cast<uint8_t>(s[i] + ((weight[k] * (n[i] - s[i])) >> 8));
      }
  }
}
