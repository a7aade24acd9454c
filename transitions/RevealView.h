#pragma once
// The picture show control: replaces what it shows by a new picture frame by
// frame, through one of the 172 effects or the application's own drawing.
//
// Progress runs 0..100 (100..0 with Reverse). Frames are made either in the
// user-interface thread by a loop that pumps events between frames, or by a
// TAnimateThread. Either way one lock per control serialises composing a
// frame, laying out and painting. The worker composes frames into the
// control's bitmaps only; putting a frame on screen, OnProgress, OnComplete
// and OnStop always happen in the user-interface thread, in that order.
// OnBeforeNewFrame, OnAfterNewFrame and OnCustomDraw run in the thread that
// composes the frame.
//
// Stop and destruction end a running worker and wait for it without ever
// holding the lock the worker needs, so neither can deadlock against a frame
// being composed.

#include "platform/Bitmap.h"
#include "platform/Controls.h"
#include "platform/PostBox.h"
#include "transitions/AnimateThread.h"
#include "transitions/FxBitmap.h"
#include "transitions/FxRandom.h"
#include "transitions/RevealLayout.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

enum class TBackgroundMode { bmNone, bmTiled, bmStretched, bmCentered };
using enum TBackgroundMode;

class TCustomRevealView;
using TRevealNotifyEvent = std::function<void(TCustomRevealView* Sender)>;
using TCustomDrawEvent =
    std::function<void(TCustomRevealView* Sender, TFxBitmap& Picture, TFxBitmap& Screen)>;

// Step of a frame that took T ms against a Delay of D ms: the step grows in
// proportion, never below Step (a zero Delay keeps Step).
int ExactStep(int Step, int T, int D);

class TCustomRevealView : public cf::TWinControl {
public:
  explicit TCustomRevealView(QWidget* Parent = nullptr);
  ~TCustomRevealView() override;

  // ---- pictures (assignment copies)
  const cf::TBitmap& Picture() const { return FPicture; }
  void SetPicture(const cf::TBitmap& Picture);
  const cf::TBitmap& BgPicture() const { return FBgPicture; }
  void SetBgPicture(const cf::TBitmap& Picture);
  TBackgroundMode BgMode() const { return FBgMode; }
  void SetBgMode(TBackgroundMode Mode);

  // ---- layout
  cf::TColor FrameColor() const { return FFrameColor; }
  void SetFrameColor(cf::TColor Color);
  int FrameWidth() const { return FLayout.FrameWidth; }
  void SetFrameWidth(int Width);
  bool Center() const { return FLayout.Center; }
  void SetCenter(bool On);
  bool Stretch() const { return FLayout.Stretch; }
  void SetStretch(bool On);
  bool Proportional() const { return FLayout.Proportional; }
  void SetProportional(bool On);
  // The old name of Proportional that stored forms may still carry: it sets
  // Proportional and is never read back (nothing is stored under it again).
  void SetStretchFine(bool On) { SetProportional(On); }
  // With AutoSize the control keeps the size CanAutoSize gives, whatever
  // size it is given otherwise.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool On);

  // ---- transition
  bool OverDraw = true;
  bool Threaded() const { return FThreaded; }
  void SetThreaded(bool On) { FThreaded = On; }
  TThreadPriority ThreadPriority = TThreadPriority::tpNormal;
  bool Manual() const { return FManual; }
  void SetManual(bool On);
  int Style() const { return FStyle; }
  void SetStyle(int Style);
  std::string StyleName() const;
  void SetStyleName(const std::string& Name);
  int Step() const { return FStep; }
  void SetStep(int Step);
  int Delay() const { return FDelay; }
  void SetDelay(int Ms) { FDelay = static_cast<uint16_t>(Ms); }
  bool Reverse() const { return FReverse; }
  void SetReverse(bool On) { FReverse = On; }
  bool ExactTiming() const { return FExactTiming; }
  void SetExactTiming(bool On) { FExactTiming = On; }

  int Progress() const { return FProgress; }
  // How the loop, the worker and the application in Manual mode advance.
  void SetProgress(int P);
  bool Busy() const { return FBusy; }

  // Starts a transition to Picture; nothing when it is empty or one is busy.
  virtual void Execute();
  // Ends a busy transition at once (OnStop, no OnComplete).
  virtual void Stop();
  // Empties the screen when idle.
  virtual void Clear();

  // What the control shows and where (copies, taken under the lock).
  TFxBitmap ScreenBitmap() const;
  cf::TRect PictureRect() const;

  TRevealNotifyEvent OnChange, OnProgress, OnComplete, OnStop;
  TCustomDrawEvent OnCustomDraw, OnBeforeNewFrame, OnAfterNewFrame, OnStart;

  // ---- used by TAnimateThread
  bool StepProgress(int S);
  void PostThreadFinished(TAnimateThread* Worker);

  void Paint(cf::TCanvas& Canvas) override;
  void Resize() override;

protected:
  // The size the control takes with AutoSize, from a proposed one: the
  // picture plus the frame on both sides plus the border, except along the
  // sides its alignment fixes. Leaves the proposal alone without a picture
  // or when the control fills its parent. The size given is always taken.
  virtual bool CanAutoSize(int& NewWidth, int& NewHeight);
  void UpdateInsets() override;
  virtual void PaintBackground(cf::TCanvas& Canvas, const cf::TRect& Rect);
  virtual void PaintPicture(cf::TCanvas& Canvas);
  virtual void DoChange();
  virtual void DoProgress();
  virtual void DoCustomDraw(TFxBitmap& Picture, TFxBitmap& Screen);
  virtual void DoBeforeNewFrame(TFxBitmap& Picture, TFxBitmap& Screen);
  virtual void DoAfterNewFrame(TFxBitmap& Picture, TFxBitmap& Screen);
  virtual void DoComplete();
  virtual void DoStart(TFxBitmap& Picture, TFxBitmap& Screen);
  virtual void DoStop();

private:
  void Prepare();
  void Animate();
  void Finish();
  void DrawFrame();
  void LayOut();
  void RenderBackground();
  void ShowFrame();
  void BlitScreen(cf::TCanvas& Canvas) const;
  void StopWorker();
  void ThreadFinished(TAnimateThread* Worker);
  void AdjustSize();
  bool OnWorker() const;

  cf::TBitmap FPicture, FBgPicture;
  TBackgroundMode FBgMode = bmTiled;
  cf::TColor FFrameColor;
  TRevealLayout FLayout;
  bool FAutoSize = false;
  bool FAutoSizing = false;
  std::atomic<bool> FThreaded{true};
  std::atomic<bool> FManual{false};
  std::atomic<int> FStyle{51};
  std::atomic<int> FStep{4};
  std::atomic<int> FDelay{40};
  std::atomic<bool> FReverse{false};
  std::atomic<bool> FExactTiming{false};
  std::atomic<int> FProgress{0};
  std::atomic<bool> FBusy{false};
  std::atomic<bool> FStopping{false};
  bool FDestroying = false;

  // Guarded by FLock: the three bitmaps, both rectangles, the generator.
  mutable std::recursive_mutex FLock;
  TFxBitmap FScreen, FPictureBits, FOldFrame;
  cf::TRect FSourceRect, FPictureRect;
  bool FOldFrameIsBackground = false;
  TFxRandom FRandom;

  std::unique_ptr<TAnimateThread> FThread;
  // What the worker hands to the user-interface thread: frames to show and
  // its end. Declared last so it goes first: calls still waiting are dropped
  // before anything they refer to.
  cf::TPostBox FPost;
};

// Publishes the behaviour; nothing of its own.
class TRevealView : public TCustomRevealView {
public:
  using TCustomRevealView::TCustomRevealView;
};
