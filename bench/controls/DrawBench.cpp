#include "controls/CfSharedDraw.h"
#include "platform/DrawText.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace cf;

namespace {

void EnsureApp()
{
    static QGuiApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "bench_shared_draw";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
}

void BM_FillRect(benchmark::State& state)
{
    EnsureApp();
    QImage img(400, 300, QImage::Format_RGB32);
    TCanvas c(&img);
    for (auto _ : state)
        c.FillRect(TRect(0, 0, 400, 300), clBtnFace);
}
BENCHMARK(BM_FillRect);

void BM_DrawTextWordBreak(benchmark::State& state)
{
    EnsureApp();
    QImage img(400, 300, QImage::Format_RGB32);
    TCanvas c(&img);
    c.Brush.Style = bsClear;
    const std::string text = "The settings were saved to the receiver. Reload the receiver now so that the "
                             "new service lists take effect? The receiver restarts its channel lists.";
    for (auto _ : state) {
        TRect r(10, 10, 300, 200);
        DrawText(c, text, r, DT_WORDBREAK | DT_CENTER);
    }
}
BENCHMARK(BM_DrawTextWordBreak);

void BM_DrawHtmlTextMeasure(benchmark::State& state)
{
    EnsureApp();
    QImage img(400, 300, QImage::Format_RGB32);
    TCanvas c(&img);
    const std::string text = "<b>New version</b> available.<br><font color=red>Please update</font> "
                             "from <a href=\"http://example.invalid/\">the download page</a>.";
    for (auto _ : state) {
        THtmlResult r;
        DrawHtmlText(c, TRect(0, 0, 400, 300), text, r, false, TPoint(0, 0), TPoint(50, 20));
        benchmark::DoNotOptimize(r.MaxX);
    }
}
BENCHMARK(BM_DrawHtmlTextMeasure);

void BM_GlassEffect(benchmark::State& state)
{
    EnsureApp();
    QImage img(400, 60, QImage::Format_RGB32);
    TCanvas c(&img);
    for (auto _ : state)
        DrawGlassEffect(c, TRect(0, 0, 400, 60));
}
BENCHMARK(BM_GlassEffect);

void BM_BlendColor(benchmark::State& state)
{
    TColor acc = 0;
    int w = 0;
    for (auto _ : state) {
        acc ^= BlendColor(0x123456, acc, w);
        w = (w + 1) & 0xFF;
    }
    benchmark::DoNotOptimize(acc);
}
BENCHMARK(BM_BlendColor);

} // namespace
