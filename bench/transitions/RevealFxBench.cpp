// Time to draw one frame of each effect on a 640 x 480 picture halfway
// through its transition (the splash animates at 40 ms a frame).

#include "transitions/RevealFx.h"
#include "transitions/StretchCopy.h"

#include <benchmark/benchmark.h>

namespace {

TFxBitmap Filled(int w, int h, uint32_t seed)
{
  TFxBitmap b = FxNewBitmap(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      FxRow(b, y)[x] = 0xFF000000u | ((x * 7 + y * 3 + seed) * 2654435761u >> 8 & 0xFFFFFF);
  return b;
}

void BM_Effect(benchmark::State& state)
{
  const int style = static_cast<int>(state.range(0));
  const TFxBitmap old = Filled(640, 480, 1);
  const TFxBitmap picture = Filled(640, 480, 2);
  TFxBitmap screen = old.copy();
  TFxRandom rnd(12345);
  for (auto _ : state) {
    CopyBlock(screen, 0, 0, old, 0, 0, 640, 480);
    DrawEffect(style, screen, picture, 50, rnd);
    benchmark::DoNotOptimize(screen.constBits());
  }
  state.SetLabel(Effects[static_cast<size_t>(style)].Name);
}

}  // namespace

BENCHMARK(BM_Effect)->DenseRange(1, EffectCount)->Unit(benchmark::kMicrosecond);
