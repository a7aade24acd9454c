// Frames per second of a 640 x 480 transition played through the picture
// show control, against the bare effect on the same frames. The control's
// share (copying the old frame, putting the frame on the window, the
// events) should leave the frame time to the effect.
//
// Styles: the slowest effects of bench_transitions plus two quick ones.

#include "platform/Bitmap.h"
#include "transitions/RevealFx.h"
#include "transitions/RevealView.h"
#include "transitions/StretchCopy.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

TFxBitmap Filled(int w, int h, uint32_t seed)
{
  TFxBitmap b = FxNewBitmap(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      FxRow(b, y)[x] = 0xFF000000u | ((x * 7 + y * 3 + seed) * 2654435761u >> 8 & 0xFFFFFF);
  return b;
}

const int kStyles[] = {121, 127, 169, 124, 126, 164, 1, 51};

// Every frame of a transition through the control in Manual mode: each
// SetProgress composes the frame and copies it to the window.
void BM_ViewFrame(benchmark::State& state)
{
  const int style = static_cast<int>(state.range(0));
  TRevealView view;
  view.SetBounds(0, 0, 640, 480);
  view.SetThreaded(false);
  view.SetManual(true);
  view.SetStyle(style);
  view.SetPicture(cf::TBitmap::FromImage(Filled(640, 480, 2), cf::pf32bit));
  view.Execute();
  int p = 1;
  for (auto _ : state) {
    view.SetProgress(p);
    p = p % 99 + 1;
  }
  view.Stop();
  state.SetItemsProcessed(state.iterations());
  state.SetLabel(Effects[static_cast<size_t>(style)].Name);
}

void BM_EffectOnly(benchmark::State& state)
{
  const int style = static_cast<int>(state.range(0));
  const TFxBitmap old = Filled(640, 480, 1);
  const TFxBitmap picture = Filled(640, 480, 2);
  TFxBitmap screen = old.copy();
  TFxRandom rnd(12345);
  int p = 1;
  for (auto _ : state) {
    CopyBlock(screen, 0, 0, old, 0, 0, 640, 480);
    DrawEffect(style, screen, picture, p, rnd);
    benchmark::DoNotOptimize(screen.constBits());
    p = p % 99 + 1;
  }
  state.SetItemsProcessed(state.iterations());
  state.SetLabel(Effects[static_cast<size_t>(style)].Name);
}

void Styles(benchmark::internal::Benchmark* b)
{
  for (int s : kStyles)
    b->Arg(s);
}

}  // namespace

BENCHMARK(BM_ViewFrame)->Apply(Styles)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EffectOnly)->Apply(Styles)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
