// The picture show control: its transition loop driven on a hand-moved
// clock, the worker thread, layout and painting.

#include "platform/Bitmap.h"
#include "platform/Color.h"
#include "common/NiceRight.h"
#include "platform/ThreadPriority.h"
#include "platform/Timer.h"
#include "transitions/RevealView.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <optional>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

using namespace cf;

namespace {

TBitmap Solid(int w, int h, TColor c)
{
  TBitmap b(w, h, pf24bit);
  b.Canvas().FillRect(TRect(0, 0, w, h), c);
  return b;
}

uint32_t Px(const TFxBitmap& b, int x, int y) { return FxRow(b, y)[x] | 0xFF000000u; }

// A control with its events written down as "name:progress".
struct Recorded {
  TRevealView view;
  std::vector<std::string> log;
  std::vector<int> progress;
  TManualClock clock;

  Recorded()
  {
    SetClock(&clock);
    view.SetThreaded(false);
    view.SetBounds(0, 0, 40, 30);
    view.SetPicture(Solid(40, 30, clRed));
    view.OnStart = [this](TCustomRevealView* s, TFxBitmap&, TFxBitmap&) { Add("start", s); };
    view.OnBeforeNewFrame = [this](TCustomRevealView* s, TFxBitmap&, TFxBitmap&) { Add("before", s); };
    view.OnAfterNewFrame = [this](TCustomRevealView* s, TFxBitmap&, TFxBitmap&) { Add("after", s); };
    view.OnProgress = [this](TCustomRevealView* s) {
      Add("progress", s);
      progress.push_back(s->Progress());
    };
    view.OnComplete = [this](TCustomRevealView* s) { Add("complete", s); };
    view.OnStop = [this](TCustomRevealView* s) { Add("stop", s); };
  }
  ~Recorded() { SetClock(nullptr); }
  void Add(const char* what, TCustomRevealView* s) { log.push_back(std::string(what) + ":" + std::to_string(s->Progress())); }
};

std::vector<int> Range(int from, int to, int step)
{
  std::vector<int> v;
  for (int p = from; step > 0 ? p <= to : p >= to; p += step)
    v.push_back(p);
  return v;
}

}  // namespace

TEST(RevealView, DefaultsAreThoseOfAFreshControl)
{
  TRevealView v;
  EXPECT_EQ(v.Style(), 51);
  EXPECT_EQ(v.StyleName(), "Appear and Contract to middle");
  EXPECT_EQ(v.Step(), 4);
  EXPECT_EQ(v.Delay(), 40);
  EXPECT_TRUE(v.Threaded());
  EXPECT_TRUE(v.OverDraw);
  EXPECT_FALSE(v.Manual());
  EXPECT_FALSE(v.Reverse());
  EXPECT_FALSE(v.ExactTiming());
  EXPECT_EQ(v.BgMode(), bmTiled);
  EXPECT_EQ(v.FrameColor(), clActiveBorder);
  EXPECT_EQ(v.FrameWidth(), 0);
  EXPECT_EQ(v.Width(), 100);
  EXPECT_EQ(v.Height(), 100);
  EXPECT_EQ(v.Progress(), 0);
}

TEST(RevealView, OneTransitionFiresItsEventsInOrderFrameByFrame)
{
  Recorded r;
  const uint64_t t0 = r.clock.NowMs();
  r.view.Execute();
  ASSERT_FALSE(r.view.Busy());
  std::vector<std::string> want{"start:0"};
  for (int p : Range(4, 100, 4)) {
    want.push_back("before:" + std::to_string(p));
    want.push_back("after:" + std::to_string(p));
    want.push_back("progress:" + std::to_string(p));
  }
  want.push_back("complete:100");
  want.push_back("stop:100");
  EXPECT_EQ(r.log, want);
  // 24 pauses of the 40 ms Delay between the 25 frames; none after the last.
  EXPECT_EQ(r.clock.NowMs() - t0, 24u * 40u);
  // The last frame is the picture and it stays.
  const TFxBitmap screen = r.view.ScreenBitmap();
  ASSERT_EQ(screen.width(), 40);
  EXPECT_EQ(Px(screen, 0, 0), ToPixel(clRed));
  EXPECT_EQ(Px(screen, 39, 29), ToPixel(clRed));
}

TEST(RevealView, ReverseRunsFromHundredDownToZeroAndEffectsNeverSeeTheEnds)
{
  Recorded r;
  r.view.SetReverse(true);
  r.view.SetStyle(0);
  std::vector<int> drawn;
  r.view.OnCustomDraw = [&](TCustomRevealView* s, TFxBitmap&, TFxBitmap&) { drawn.push_back(s->Progress()); };
  r.view.Execute();
  EXPECT_EQ(r.log.front(), "start:100");
  EXPECT_EQ(r.progress, Range(96, 0, -4));
  EXPECT_EQ(drawn, Range(96, 4, -4));
  EXPECT_EQ(r.log.back(), "stop:0");
}

TEST(RevealView, StepIsKeptWithinOneToNinetyNineExceptAHundred)
{
  struct Case {
    int set, kept, frames;
  } cases[] = {{0, 1, 100}, {101, 99, 2}, {100, 100, 1}, {4, 4, 25}, {30, 30, 4}};
  for (const Case& c : cases) {
    Recorded r;
    r.view.SetStep(c.set);
    EXPECT_EQ(r.view.Step(), c.kept) << c.set;
    r.view.Execute();
    EXPECT_EQ(static_cast<int>(r.progress.size()), c.frames) << c.set;
    EXPECT_EQ(r.progress.back(), 100) << c.set;
  }
}

TEST(RevealView, StopFromAHandlerFiresOnStopButNotOnComplete)
{
  Recorded r;
  r.view.OnProgress = [&](TCustomRevealView* s) {
    r.progress.push_back(s->Progress());
    if (s->Progress() == 20)
      s->Stop();
  };
  r.view.Execute();
  EXPECT_EQ(r.progress, Range(4, 20, 4));
  EXPECT_EQ(r.log.back(), "stop:20");
  for (const std::string& e : r.log)
    EXPECT_EQ(e.find("complete"), std::string::npos);
  EXPECT_FALSE(r.view.Busy());
}

TEST(RevealView, ExecuteWhileBusyOrWithoutAPictureDoesNothing)
{
  Recorded r;
  int starts = 0;
  r.view.OnStart = [&](TCustomRevealView* s, TFxBitmap&, TFxBitmap&) {
    ++starts;
    s->Execute();  // busy: ignored
  };
  r.view.Execute();
  EXPECT_EQ(starts, 1);
  TRevealView empty;
  empty.SetThreaded(false);
  empty.Execute();
  EXPECT_FALSE(empty.Busy());
  EXPECT_TRUE(empty.ScreenBitmap().isNull());
}

TEST(RevealView, StyleAndStyleNameSetters)
{
  TRevealView v;
  v.SetStyle(173);
  EXPECT_EQ(v.Style(), 51);
  v.SetStyle(172);
  EXPECT_EQ(v.Style(), 172);
  EXPECT_EQ(v.StyleName(), "Channel Mix");
  v.SetStyleName("custom");
  EXPECT_EQ(v.Style(), 0);
  EXPECT_EQ(v.StyleName(), "Custom");
  v.SetStyleName("DISSOLVE");
  EXPECT_EQ(v.Style(), 169);
  v.SetStyleName("No such effect");
  EXPECT_EQ(v.Style(), 169);
}

TEST(RevealView, APictureOfAnotherSizeStartsFromTheBackground)
{
  Recorded r;
  r.view.Color = clBlue;
  r.view.Execute();
  std::vector<uint32_t> startPixels;
  r.view.OnStart = [&](TCustomRevealView*, TFxBitmap&, TFxBitmap& old) { startPixels.push_back(Px(old, 1, 1)); };
  // Same size with OverDraw: starts from what is shown (the red picture).
  r.view.SetPicture(Solid(40, 30, clLime));
  r.view.Execute();
  // Another size: starts from the background even with OverDraw on.
  r.view.SetPicture(Solid(20, 10, clYellow));
  r.view.Execute();
  // OverDraw off: background again, same size.
  r.view.OverDraw = false;
  r.view.SetPicture(Solid(20, 10, clAqua));
  r.view.Execute();
  ASSERT_EQ(startPixels.size(), 3u);
  EXPECT_EQ(startPixels[0], ToPixel(clRed));
  EXPECT_EQ(startPixels[1], ToPixel(clBlue));
  EXPECT_EQ(startPixels[2], ToPixel(clBlue));
}

TEST(RevealView, ManualModeAdvancesOnlyWhenTheApplicationSetsProgress)
{
  Recorded r;
  r.view.SetManual(true);
  r.view.SetStyle(0);
  r.view.OnCustomDraw = [](TCustomRevealView* s, TFxBitmap& pic, TFxBitmap& screen) {
    // Reveal the left Progress percent of the picture.
    const int w = screen.width() * s->Progress() / 100;
    for (int y = 0; y < screen.height(); ++y)
      for (int x = 0; x < w; ++x)
        FxRow(screen, y)[x] = FxRow(pic, y)[x];
  };
  r.view.Execute();
  EXPECT_TRUE(r.view.Busy());
  // Laying out a manual transition over the background composes its frame
  // at once; nothing advances.
  EXPECT_EQ(r.log, (std::vector<std::string>{"before:0", "after:0", "start:0"}));
  r.view.SetProgress(50);
  TFxBitmap screen = r.view.ScreenBitmap();
  EXPECT_EQ(Px(screen, 19, 5), ToPixel(clRed));
  EXPECT_EQ(Px(screen, 20, 5), ToPixel(clBtnFace));
  r.view.SetProgress(50);  // unchanged: no frame
  r.view.SetProgress(150); // above 100 counts as 100
  EXPECT_EQ(r.progress, (std::vector<int>{50, 100}));
  EXPECT_TRUE(r.view.Busy());
  r.view.Stop();
  EXPECT_EQ(r.log.back(), "stop:100");
  EXPECT_EQ(r.log[r.log.size() - 2], "progress:100");
}

TEST(RevealView, ExactTimingEnlargesTheStepOfSlowFrames)
{
  Recorded r;
  r.view.SetExactTiming(true);
  // Every frame takes 80 ms against a Delay of 40: the step doubles.
  r.view.OnAfterNewFrame = [&](TCustomRevealView*, TFxBitmap&, TFxBitmap&) { r.clock.Advance(80); };
  r.view.Execute();
  EXPECT_EQ(r.progress, (std::vector<int>{4, 12, 20, 28, 36, 44, 52, 60, 68, 76, 84, 92, 100}));
}

TEST(RevealView, ExactTimingWithoutADelayKeepsTheStepAndEnds)
{
  // A zero Delay cannot scale the step (the division has no divisor); the
  // step must not turn negative and run the transition backwards forever.
  Recorded r;
  r.view.SetExactTiming(true);
  r.view.SetDelay(0);
  r.view.OnAfterNewFrame = [&](TCustomRevealView*, TFxBitmap&, TFxBitmap&) { r.clock.Advance(5); };
  r.view.Execute();
  EXPECT_EQ(r.progress, Range(4, 100, 4));
  EXPECT_EQ(r.log.back(), "stop:100");
}

TEST(RevealView, PaintingShowsTheFrameInsideItsFrameOnTheBackground)
{
  Recorded r;
  r.view.SetBounds(0, 0, 60, 50);
  r.view.Color = clBlue;
  r.view.SetFrameColor(clLime);
  r.view.SetFrameWidth(2);
  r.view.SetCenter(true);
  r.view.Execute();
  // 40 x 30 centred in 56 x 46 inside the 2-pixel frame: (10, 10)-(50, 40).
  EXPECT_EQ(r.view.PictureRect(), TRect(10, 10, 50, 40));
  r.view.Render();
  const QImage& img = r.view.BackBuffer();
  auto at = [&](int x, int y) { return img.pixel(x, y) | 0xFF000000u; };
  EXPECT_EQ(at(10, 10), ToPixel(clRed));
  EXPECT_EQ(at(49, 39), ToPixel(clRed));
  EXPECT_EQ(at(9, 20), ToPixel(clLime));
  EXPECT_EQ(at(8, 20), ToPixel(clLime));
  EXPECT_EQ(at(50, 8), ToPixel(clLime));
  EXPECT_EQ(at(7, 20), ToPixel(clBlue));
  EXPECT_EQ(at(0, 0), ToPixel(clBlue));
  EXPECT_EQ(at(59, 49), ToPixel(clBlue));
}

TEST(RevealView, StretchedBackgroundIsWhatTheTransitionStartsFrom)
{
  Recorded r;
  r.view.SetStretch(true);
  // A background picture half green (left) and half yellow, stretched over
  // the whole client area, becomes the first frame.
  TBitmap bg(2, 1, pf24bit);
  bg.Canvas().SetPixel(0, 0, clGreen);
  bg.Canvas().SetPixel(1, 0, clYellow);
  r.view.SetBgMode(bmStretched);
  r.view.SetBgPicture(bg);
  TFxBitmap first;
  r.view.OnStart = [&](TCustomRevealView*, TFxBitmap&, TFxBitmap& old) { first = old.copy(); };
  r.view.Execute();
  ASSERT_FALSE(first.isNull());
  EXPECT_EQ(Px(first, 5, 5), ToPixel(clGreen));
  EXPECT_EQ(Px(first, 19, 29), ToPixel(clGreen));
  EXPECT_EQ(Px(first, 20, 0), ToPixel(clYellow));
  EXPECT_EQ(Px(first, 39, 29), ToPixel(clYellow));
}

TEST(RevealView, ClearEmptiesTheScreenWhenIdle)
{
  Recorded r;
  r.view.Execute();
  ASSERT_FALSE(r.view.ScreenBitmap().isNull());
  r.view.Clear();
  EXPECT_TRUE(r.view.ScreenBitmap().isNull());
  EXPECT_EQ(r.view.PictureRect(), TRect());
}

// ---- layout --------------------------------------------------------------

TEST(RevealLayout, PictureRectangleByHand)
{
  struct Case {
    TRevealLayout l;
    int cw, ch, sw, sh;
    cf::TRect want;
  } cases[] = {
      {{}, 100, 80, 40, 30, {0, 0, 40, 30}},
      {{true, false, false, 0}, 100, 80, 40, 30, {30, 25, 70, 55}},
      {{false, false, false, 5}, 100, 80, 40, 30, {5, 5, 45, 35}},
      {{false, true, false, 0}, 100, 80, 40, 30, {0, 0, 100, 80}},
      {{false, true, false, 3}, 100, 80, 40, 30, {3, 3, 97, 77}},
      // CH/B = 2.67 > CW/A = 2.5, so width rules: B = 30*100/40 = 75, A = 100.
      {{false, true, true, 0}, 100, 80, 40, 30, {0, 0, 100, 75}},
      {{true, true, true, 0}, 100, 80, 40, 30, {0, 2, 100, 77}},
      // Fits: left alone. Too narrow: 60/30 > 30/40, so B = 30 * 30 / 40 = 22.5 -> 23.
      {{false, false, true, 0}, 50, 60, 40, 30, {0, 0, 40, 30}},
      {{false, false, true, 0}, 30, 60, 40, 30, {0, 0, 30, 23}},
      // Larger than the client: 10/30 < 20/40, so A = 40 * 10 / 30 = 13.3 -> 13.
      {{true, false, true, 0}, 20, 10, 40, 30, {3, 0, 16, 10}},
      {{true, false, false, 0}, 20, 10, 40, 30, {-10, -10, 30, 20}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RevealPictureRect(c.l, c.cw, c.ch, c.sw, c.sh), c.want)
        << c.cw << "x" << c.ch << " center " << c.l.Center << " stretch " << c.l.Stretch << " prop "
        << c.l.Proportional << " fw " << c.l.FrameWidth;
}

// A form that still carries the old property name gets the proportional
// picture: the stretched 40 x 30 picture keeps its shape in a 100 x 60 area.
TEST(RevealView, StretchFineScalesThePictureKeepingItsShape)
{
  Recorded r;
  r.view.SetBounds(0, 0, 100, 60);
  r.view.Color = clBlue;
  r.view.SetStretch(true);
  r.view.SetStretchFine(true);
  EXPECT_TRUE(r.view.Proportional());
  r.view.Execute();
  // CH/B = 2 < CW/A = 2.5, so the height rules: A = 40 * 60 / 30 = 80.
  EXPECT_EQ(r.view.PictureRect(), TRect(0, 0, 80, 60));
  r.view.Render();
  auto at = [&](int x, int y) { return r.view.BackBuffer().pixel(x, y) | 0xFF000000u; };
  EXPECT_EQ(at(79, 59), ToPixel(clRed));
  EXPECT_EQ(at(80, 30), ToPixel(clBlue));
  EXPECT_EQ(at(99, 0), ToPixel(clBlue));

  r.view.SetStretchFine(false);
  EXPECT_FALSE(r.view.Proportional());
  r.view.Render();
  EXPECT_EQ(at(99, 0), ToPixel(clRed));
  EXPECT_EQ(at(99, 59), ToPixel(clRed));
}

namespace {

struct AutoSizedView : TRevealView {
  using TRevealView::CanAutoSize;
};

}  // namespace

TEST(RevealView, CanAutoSizeByHand)
{
  // Picture 40 x 30, a 3-pixel frame on each side; a sunken border is 2
  // pixels a side, a flat one 1. The proposal is 200 x 100.
  struct Case {
    bool picture;
    TAlign align;
    TBorderStyle border;
    bool ctl3d;
    int frame;
    int wantW, wantH;
  } cases[] = {
      {false, alNone, TBorderStyle::bsSingle, true, 3, 200, 100},
      {true, alClient, TBorderStyle::bsSingle, true, 3, 200, 100},
      {true, alNone, TBorderStyle::bsNone, true, 0, 40, 30},
      {true, alNone, TBorderStyle::bsNone, true, 3, 46, 36},
      {true, alNone, TBorderStyle::bsSingle, true, 3, 50, 40},
      {true, alNone, TBorderStyle::bsSingle, false, 3, 48, 38},
      {true, alCustom, TBorderStyle::bsSingle, true, 3, 50, 40},
      {true, alTop, TBorderStyle::bsSingle, true, 3, 200, 40},
      {true, alBottom, TBorderStyle::bsSingle, true, 3, 200, 40},
      {true, alLeft, TBorderStyle::bsSingle, true, 3, 50, 100},
      {true, alRight, TBorderStyle::bsSingle, true, 3, 50, 100},
  };
  for (const Case& c : cases) {
    AutoSizedView v;
    if (c.picture)
      v.SetPicture(Solid(40, 30, clRed));
    v.SetAlign(c.align);
    v.SetCtl3D(c.ctl3d);
    v.SetBorderStyle(c.border);
    v.SetFrameWidth(c.frame);
    int w = 200, h = 100;
    EXPECT_TRUE(v.CanAutoSize(w, h));
    EXPECT_EQ(w, c.wantW) << "align " << static_cast<int>(c.align) << " picture " << c.picture;
    EXPECT_EQ(h, c.wantH) << "align " << static_cast<int>(c.align) << " picture " << c.picture;
  }
}

// With AutoSize the control holds its picture's size through whatever
// changes its bounds, its border or its frame, and along an aligned side
// takes what its parent gives.
TEST(RevealView, AutoSizeKeepsThePictureSizeAsBoundsBorderFrameAndAlignChange)
{
  TWinControl form;
  form.SetBounds(0, 0, 200, 150);
  auto* v = new TRevealView(&form);
  v->SetPicture(Solid(40, 30, clRed));
  form.show();
  v->SetAutoSize(true);
  EXPECT_EQ(v->BoundsRect(), Bounds(0, 0, 40, 30));
  v->SetBounds(5, 6, 90, 90);
  EXPECT_EQ(v->BoundsRect(), Bounds(5, 6, 40, 30));
  v->SetBorderStyle(TBorderStyle::bsSingle);
  EXPECT_EQ(v->BoundsRect(), Bounds(5, 6, 44, 34));
  v->SetFrameWidth(2);
  EXPECT_EQ(v->BoundsRect(), Bounds(5, 6, 48, 38));
  v->SetAlign(alTop);
  EXPECT_EQ(v->BoundsRect(), Bounds(0, 0, 200, 38));
  v->SetPicture(Solid(10, 50, clRed));
  EXPECT_EQ(v->BoundsRect(), Bounds(0, 0, 200, 58));
  v->SetAlign(alClient);
  EXPECT_EQ(v->BoundsRect(), Bounds(0, 0, 200, 150));
  // Without AutoSize the size is the caller's.
  v->SetAlign(alNone);
  v->SetAutoSize(false);
  v->SetBounds(0, 0, 90, 80);
  EXPECT_EQ(v->BoundsRect(), Bounds(0, 0, 90, 80));
}

// ---- the worker ------------------------------------------------------------

namespace {

bool PumpUntil(const std::function<bool()>& done, int ms = 10000)
{
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < ms) {
    QCoreApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return done();
}

}  // namespace

TEST(RevealViewThreaded, FramesAreMadeByTheWorkerAndReportedOnTheGuiThread)
{
  auto* v = new TRevealView;
  v->SetBounds(0, 0, 64, 48);
  v->SetPicture(Solid(64, 48, clRed));
  v->SetDelay(1);
  v->SetStep(10);
  const QThread* gui = QThread::currentThread();
  std::atomic<int> workerFrames{0};
  std::vector<std::string> log;
  bool eventsOnGui = true;
  v->OnAfterNewFrame = [&](TCustomRevealView*, TFxBitmap&, TFxBitmap&) {
    if (QThread::currentThread() != gui)
      ++workerFrames;
  };
  auto note = [&](const char* what) {
    eventsOnGui = eventsOnGui && QThread::currentThread() == gui;
    log.push_back(what);
  };
  v->OnProgress = [&](TCustomRevealView*) { note("progress"); };
  v->OnComplete = [&](TCustomRevealView*) { note("complete"); };
  v->OnStop = [&](TCustomRevealView*) { note("stop"); };
  v->Execute();
  ASSERT_TRUE(PumpUntil([&] { return !v->Busy(); }));
  EXPECT_EQ(workerFrames, 10);
  EXPECT_TRUE(eventsOnGui);
  std::vector<std::string> want(10, "progress");
  want.push_back("complete");
  want.push_back("stop");
  EXPECT_EQ(log, want);
  EXPECT_EQ(Px(v->ScreenBitmap(), 5, 5), ToPixel(clRed));
  delete v;
}

// A frame that takes long is being composed while the control is stopped or
// destroyed: neither may hang, and no worker may outlive the control.
TEST(RevealViewThreaded, StopWhileAFrameIsComposedEndsTheWorker)
{
  TRevealView v;
  v.SetPicture(Solid(64, 48, clRed));
  v.SetDelay(0);
  v.SetStep(1);
  std::atomic<int> frames{0};
  v.OnAfterNewFrame = [&](TCustomRevealView*, TFxBitmap&, TFxBitmap&) {
    ++frames;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  };
  int completes = 0, stops = 0, progressAfterStop = 0;
  v.OnComplete = [&](TCustomRevealView*) { ++completes; };
  v.OnStop = [&](TCustomRevealView*) { ++stops; };
  v.OnProgress = [&](TCustomRevealView*) { progressAfterStop += stops; };
  v.Execute();
  while (frames < 3)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  const auto t0 = std::chrono::steady_clock::now();
  v.Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(2));
  EXPECT_FALSE(v.Busy());
  EXPECT_EQ(completes, 0);
  EXPECT_EQ(stops, 1);
  const int made = frames;
  QCoreApplication::processEvents();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  QCoreApplication::processEvents();
  EXPECT_EQ(frames, made);  // the worker is gone
  EXPECT_EQ(progressAfterStop, 0);
}

TEST(RevealViewThreaded, DestroyingTheControlDuringAFrameEndsTheWorker)
{
  std::atomic<int> frames{0};
  bool stopped = false;
  {
    auto v = std::make_unique<TRevealView>();
    v->SetPicture(Solid(64, 48, clRed));
    v->SetDelay(0);
    v->SetStep(1);
    v->OnAfterNewFrame = [&](TCustomRevealView*, TFxBitmap& pic, TFxBitmap& screen) {
      ++frames;
      // Touch the bitmaps while the destruction waits.
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      FxRow(screen, 0)[0] = FxRow(pic, 0)[0];
    };
    v->OnStop = [&](TCustomRevealView*) { stopped = true; };
    v->Execute();
    while (frames < 2)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  const int made = frames;
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  QCoreApplication::processEvents();
  EXPECT_EQ(frames, made);
  EXPECT_FALSE(stopped);  // no events from a control being destroyed
}

TEST(RevealViewThreaded, SwitchingToManualStopsTheWorkerButKeepsTheTransition)
{
  TRevealView v;
  v.SetPicture(Solid(32, 32, clRed));
  v.SetDelay(5);
  v.SetStep(1);
  std::atomic<int> frames{0};
  v.OnAfterNewFrame = [&](TCustomRevealView*, TFxBitmap&, TFxBitmap&) { ++frames; };
  int stops = 0;
  v.OnStop = [&](TCustomRevealView*) { ++stops; };
  v.Execute();
  while (frames < 2)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  v.SetManual(true);
  EXPECT_TRUE(v.Busy());
  EXPECT_EQ(stops, 0);
  const int made = frames;
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(frames, made);
  v.SetProgress(100);
  v.Stop();
  EXPECT_EQ(stops, 1);
}

// The worker asks for its priority relative to the thread that started it.
// Lowering is granted; a raise without the right to it leaves the worker at
// normal, and the transition plays to its end either way.
TEST(RevealViewThreaded, WorkerRunsAtItsPriority)
{
  const int base = CurrentThreadNice();
  ASSERT_LE(base, 14);
  struct Case {
    TThreadPriority priority;
    bool withoutRight;
    int want;
  } cases[] = {{TThreadPriority::tpLower, false, base + 5},
               {TThreadPriority::tpIdle, false, 19},
               {TThreadPriority::tpHigher, true, base},
               {TThreadPriority::tpTimeCritical, true, base}};
  for (const Case& c : cases) {
    std::optional<cftest::TWithoutNiceRight> withoutRight;
    if (c.withoutRight) {
      withoutRight.emplace();
      ASSERT_TRUE(withoutRight->Refuses(base - 5));
    }
    TRevealView v;
    v.SetPicture(Solid(16, 16, clRed));
    v.SetDelay(0);
    v.SetStep(25);
    v.ThreadPriority = c.priority;
    std::atomic<int> nice{1000}, frames{0};
    v.OnAfterNewFrame = [&](TCustomRevealView*, TFxBitmap&, TFxBitmap&) {
      nice = CurrentThreadNice();
      ++frames;
    };
    bool completed = false;
    v.OnComplete = [&](TCustomRevealView*) { completed = true; };
    v.Execute();
    ASSERT_TRUE(PumpUntil([&] { return !v.Busy(); }));
    EXPECT_TRUE(completed);
    EXPECT_EQ(frames, 4);
    EXPECT_EQ(nice, c.want) << static_cast<int>(c.priority);
  }
  EXPECT_EQ(CurrentThreadNice(), base);
}
