#include "transitions/RevealView.h"

#include "platform/Color.h"
#include "platform/Forms.h"
#include "platform/SameText.h"
#include "platform/Timer.h"
#include "transitions/RevealFx.h"
#include "transitions/StretchCopy.h"

#include <algorithm>
#include <random>

using namespace cf;

int ExactStep(int Step, int T, int D)
{
  return std::max(Step, FxMulDiv(Step, T, D));
}

namespace {

uint32_t NewSeed()
{
  // Each transition draws its own seed; the process-wide generator is
  // neither used nor reseeded.
  static std::mt19937 seeds{std::random_device{}()};
  static std::mutex guard;
  std::lock_guard<std::mutex> g(guard);
  return seeds();
}

}  // namespace

TCustomRevealView::TCustomRevealView(QWidget* Parent) : TWinControl(Parent), FFrameColor(clActiveBorder)
{
  // Frames replace every pixel of the picture rectangle; erasing first
  // would only flicker.
  setAttribute(Qt::WA_OpaquePaintEvent);
  SetBounds(Left(), Top(), 100, 100);
}

TCustomRevealView::~TCustomRevealView()
{
  FDestroying = true;
  Stop();
  FThread.reset();
}

bool TCustomRevealView::OnWorker() const { return FThread && FThread->IsWorkerThread(); }

// ---------------------------------------------------------------- properties

void TCustomRevealView::SetPicture(const TBitmap& Picture)
{
  FPicture = Picture;
  if (FDestroying)
    return;
  if (!FPicture.Empty() && FAutoSize)
    AdjustSize();
  DoChange();
}

void TCustomRevealView::SetBgPicture(const TBitmap& Picture)
{
  FBgPicture = Picture;
  if (FBgMode == bmNone)
    return;
  RenderBackground();
  Invalidate();
}

void TCustomRevealView::SetBgMode(TBackgroundMode Mode)
{
  if (Mode == FBgMode)
    return;
  FBgMode = Mode;
  if (FBgPicture.Empty())
    return;
  RenderBackground();
  Invalidate();
}

void TCustomRevealView::SetFrameColor(TColor Color)
{
  if (Color == FFrameColor)
    return;
  FFrameColor = Color;
  if (FLayout.FrameWidth != 0 && !ScreenBitmap().isNull())
    Invalidate();
}

void TCustomRevealView::SetFrameWidth(int Width)
{
  if (Width == FLayout.FrameWidth)
    return;
  {
    std::lock_guard<std::recursive_mutex> g(FLock);
    FLayout.FrameWidth = Width;
  }
  if (FAutoSize)
    AdjustSize();
  if (!ScreenBitmap().isNull()) {
    LayOut();
    Invalidate();
  }
}

void TCustomRevealView::SetCenter(bool On)
{
  if (On == FLayout.Center)
    return;
  {
    std::lock_guard<std::recursive_mutex> g(FLock);
    FLayout.Center = On;
  }
  LayOut();
  if (!ScreenBitmap().isNull())
    Invalidate();
}

void TCustomRevealView::SetStretch(bool On)
{
  if (On == FLayout.Stretch)
    return;
  {
    std::lock_guard<std::recursive_mutex> g(FLock);
    FLayout.Stretch = On;
  }
  LayOut();
  if (!ScreenBitmap().isNull())
    Invalidate();
}

void TCustomRevealView::SetProportional(bool On)
{
  if (On == FLayout.Proportional)
    return;
  {
    std::lock_guard<std::recursive_mutex> g(FLock);
    FLayout.Proportional = On;
  }
  LayOut();
  if (!ScreenBitmap().isNull())
    Invalidate();
}

void TCustomRevealView::SetAutoSize(bool On)
{
  FAutoSize = On;
  if (On)
    AdjustSize();
}

bool TCustomRevealView::CanAutoSize(int& NewWidth, int& NewHeight)
{
  if (FPicture.Empty() || Align() == alClient)
    return true;
  const TRect nc = FrameInsets();
  if (Align() != alTop && Align() != alBottom)
    NewWidth = FPicture.Width() + 2 * FLayout.FrameWidth + nc.Left + nc.Right;
  if (Align() != alLeft && Align() != alRight)
    NewHeight = FPicture.Height() + 2 * FLayout.FrameWidth + nc.Top + nc.Bottom;
  return true;
}

void TCustomRevealView::AdjustSize()
{
  if (FAutoSizing)
    return;
  int w = Width(), h = Height();
  if (!CanAutoSize(w, h) || (w == Width() && h == Height()))
    return;
  FAutoSizing = true;
  SetBounds(Left(), Top(), w, h);
  FAutoSizing = false;
}

void TCustomRevealView::UpdateInsets()
{
  TWinControl::UpdateInsets();
  // A border widens the non-client strip the auto size counts in.
  if (FAutoSize)
    AdjustSize();
}

void TCustomRevealView::SetManual(bool On)
{
  if (On == FManual)
    return;
  FManual = On;
  if (FThread)
    StopWorker();
  if (!FBusy)
    FProgress = FReverse ? 100 : 0;
  else if (!On)
    Animate();
}

void TCustomRevealView::SetStyle(int Style)
{
  if (Style == FStyle || Style < 0 || Style > EffectCount)
    return;
  FStyle = Style;
  if (FBusy && FManual && !FStopping) {
    DrawFrame();
    ShowFrame();
  }
}

std::string TCustomRevealView::StyleName() const
{
  return FStyle == 0 ? "Custom" : Effects[static_cast<size_t>(FStyle.load())].Name;
}

void TCustomRevealView::SetStyleName(const std::string& Name)
{
  if (SameText(Name, "Custom")) {
    SetStyle(0);
    return;
  }
  if (const int style = EffectByName(Name))
    SetStyle(style);
}

void TCustomRevealView::SetStep(int Step)
{
  if (Step <= 0)
    Step = 1;
  else if (Step > 100)
    Step = 99;
  FStep = Step;
}

TFxBitmap TCustomRevealView::ScreenBitmap() const
{
  std::lock_guard<std::recursive_mutex> g(FLock);
  return FScreen.copy();
}

TRect TCustomRevealView::PictureRect() const
{
  std::lock_guard<std::recursive_mutex> g(FLock);
  return FPictureRect;
}

// ---------------------------------------------------------------- transition

void TCustomRevealView::Execute()
{
  if (FPicture.Empty() || FBusy)
    return;
  FBusy = true;
  try {
    Prepare();
    if (!FManual && !FStopping)
      Animate();
  } catch (...) {
    {
      std::lock_guard<std::recursive_mutex> g(FLock);
      FPictureBits = TFxBitmap();
      FOldFrame = TFxBitmap();
    }
    FBusy = false;
    throw;
  }
}

void TCustomRevealView::Prepare()
{
  const int w = FPicture.Width(), h = FPicture.Height();
  {
    std::lock_guard<std::recursive_mutex> g(FLock);
    FOldFrameIsBackground = !OverDraw || FScreen.isNull() || FScreen.width() != w || FScreen.height() != h;
    FOldFrame = FOldFrameIsBackground ? FxNewBitmap(w, h) : FScreen.copy();
    FxMake32(FOldFrame);

    FPictureBits = FxNewBitmap(w, h);
    FPictureBits.fill(ToPixel(Color));
    {
      TCanvas c(&FPictureBits);
      TBitmap graphic = FPicture;
      c.Draw(0, 0, graphic);
    }
    FxMake32(FPictureBits);
    FScreen = FxNewBitmap(w, h);
    FSourceRect = TRect(0, 0, w, h);
    FRandom = TFxRandom(NewSeed());
  }
  LayOut();
  {
    std::lock_guard<std::recursive_mutex> g(FLock);
    FScreen = FOldFrame.copy();
  }
  FProgress = FReverse ? 100 : 0;
  Repaint();
  TFxBitmap picture, old;
  {
    std::lock_guard<std::recursive_mutex> g(FLock);
    picture = FPictureBits;
    old = FOldFrame;
  }
  DoStart(picture, old);
}

void TCustomRevealView::Animate()
{
  if (FThreaded) {
    FThread = std::make_unique<TAnimateThread>(*this, ThreadPriority);
    FThread->Resume();
    return;
  }
  int s = FStep;
  for (;;) {
    const uint64_t t0 = Clock().NowMs();
    const bool more = StepProgress(s);
    const int t = static_cast<int>(Clock().NowMs() - t0);
    if (!more || FManual || FStopping || !FBusy)
      break;
    if (FDelay >= t) {
      // Events keep flowing between frames, so a Stop from a handler ends
      // the loop; user input waits until the transition is over.
      const uint64_t until = Clock().NowMs() + static_cast<uint64_t>(FDelay - t);
      while (Clock().NowMs() < until && !FManual && !FStopping && FBusy) {
        ProcessMessages();
        Clock().Sleep(1);
      }
      s = FStep;
    } else if (FExactTiming) {
      s = ExactStep(FStep, t, FDelay);
    }
  }
  if (FStopping || !FManual)
    Finish();
}

bool TCustomRevealView::StepProgress(int S)
{
  const int p = FProgress;
  int next;
  if (FReverse)
    next = S >= p ? 0 : p - S;
  else
    next = p >= 100 - S ? 100 : p + S;
  SetProgress(next);
  return FReverse ? FProgress != 0 : FProgress != 100;
}

void TCustomRevealView::SetProgress(int P)
{
  if (P > 100)
    P = 100;
  if (P < 0)
    P = 0;
  if (!FBusy || P == FProgress)
    return;
  FProgress = P;
  DrawFrame();
  if (OnWorker()) {
    FPost.Post([this] {
      if (FDestroying)
        return;
      ShowFrame();
      DoProgress();
    });
    return;
  }
  ShowFrame();
  DoProgress();
}

void TCustomRevealView::DrawFrame()
{
  std::lock_guard<std::recursive_mutex> g(FLock);
  if (FScreen.isNull() || FOldFrame.isNull() || FPictureBits.isNull())
    return;
  const int w = FSourceRect.Width(), h = FSourceRect.Height();
  CopyBlock(FScreen, 0, 0, FOldFrame, 0, 0, w, h);
  DoBeforeNewFrame(FPictureBits, FScreen);
  const int p = FProgress;
  if (p == 100)
    CopyBlock(FScreen, 0, 0, FPictureBits, 0, 0, w, h);
  else if (p == 0)
    ;
  else if (FStyle == 0)
    DoCustomDraw(FPictureBits, FScreen);
  else
    DrawEffect(FStyle, FScreen, FPictureBits, p, FRandom);
  DoAfterNewFrame(FPictureBits, FScreen);
}

void TCustomRevealView::Finish()
{
  if (!FBusy)
    return;
  FBusy = false;
  {
    std::lock_guard<std::recursive_mutex> g(FLock);
    FPictureBits = TFxBitmap();
    FOldFrame = TFxBitmap();
  }
  if (FDestroying)
    return;
  if (!FStopping)
    DoComplete();
  DoStop();
}

void TCustomRevealView::Stop()
{
  if (!FBusy || FStopping)
    return;
  FStopping = true;
  if (OnWorker()) {
    // Asked from a frame event: the worker cannot wait for itself. It ends
    // after this frame and the user-interface thread finishes the stop.
    FThread->Terminate();
    return;
  }
  if (FManual || !FThread)
    Finish();
  else
    StopWorker();
  FStopping = false;
}

void TCustomRevealView::StopWorker()
{
  TAnimateThread* worker = FThread.get();
  worker->Terminate();
  worker->WaitFor();
  // What the worker posted (its last frames, then its end) is handled now,
  // in order, so nothing of this transition arrives after OnStop.
  FPost.Deliver();
  if (FThread.get() == worker)
    ThreadFinished(worker);
}

void TCustomRevealView::PostThreadFinished(TAnimateThread* Worker)
{
  FPost.Post([this, Worker] { ThreadFinished(Worker); });
}

void TCustomRevealView::ThreadFinished(TAnimateThread* Worker)
{
  if (!FThread || FThread.get() != Worker)
    return;
  FThread->WaitFor();
  FThread.reset();
  if (FStopping || !FManual)
    Finish();
  // A stop asked by a frame event ends here.
  FStopping = false;
}

void TCustomRevealView::Clear()
{
  if (FBusy)
    return;
  {
    std::lock_guard<std::recursive_mutex> g(FLock);
    if (FScreen.isNull())
      return;
    FScreen = TFxBitmap();
    FSourceRect = TRect();
    FPictureRect = TRect();
  }
  Invalidate();
}

// ---------------------------------------------------------------- layout and painting

void TCustomRevealView::LayOut()
{
  std::lock_guard<std::recursive_mutex> g(FLock);
  FPictureRect = RevealPictureRect(FLayout, ClientWidth(), ClientHeight(), FSourceRect.Width(),
                                   FSourceRect.Height());
  if (FOldFrameIsBackground && !FOldFrame.isNull()) {
    RenderBackground();
    if (FBusy && FManual && !FStopping)
      DrawFrame();
  }
}

void TCustomRevealView::RenderBackground()
{
  std::lock_guard<std::recursive_mutex> g(FLock);
  if (!FOldFrameIsBackground || FOldFrame.isNull())
    return;
  const TRect r = FPictureRect;
  if (r.IsEmpty()) {
    FOldFrame.fill(ToPixel(Color));
    return;
  }
  // Paint the client background as it lies under the picture rectangle,
  // then fit it to the picture's own size.
  TFxBitmap under = FxNewBitmap(r.Width(), r.Height());
  {
    TCanvas c(&under);
    c.SetOrigin(TPoint(-r.Left, -r.Top));
    PaintBackground(c, ClientRect());
  }
  StretchCopy(FOldFrame, 0, 0, FSourceRect.Width(), FSourceRect.Height(), under, 0, 0, r.Width(), r.Height());
}

void TCustomRevealView::BlitScreen(TCanvas& Canvas) const
{
  if (FScreen.isNull() || FPictureRect.IsEmpty())
    return;
  QImage& target = Canvas.Image();
  if (target.format() != QImage::Format_RGB32 && target.format() != QImage::Format_ARGB32)
    return;
  const TPoint o = Canvas.Origin();
  StretchCopy(target, FPictureRect.Left + o.X, FPictureRect.Top + o.Y, FPictureRect.Width(),
              FPictureRect.Height(), FScreen, FSourceRect.Left, FSourceRect.Top, FSourceRect.Width(),
              FSourceRect.Height());
}

void TCustomRevealView::ShowFrame()
{
  TRect r;
  {
    std::lock_guard<std::recursive_mutex> g(FLock);
    BlitScreen(Canvas());
    r = FPictureRect;
  }
  // Put on screen now, as a copy to the window would: the caller may block
  // right after (the splash holds its full picture inside OnProgress).
  const TPoint o = ClientOffset();
  repaint(r.Left + o.X, r.Top + o.Y, r.Width(), r.Height());
}

void TCustomRevealView::Paint(TCanvas& Canvas)
{
  std::lock_guard<std::recursive_mutex> g(FLock);
  PaintPicture(Canvas);
}

void TCustomRevealView::PaintPicture(TCanvas& Canvas)
{
  std::lock_guard<std::recursive_mutex> g(FLock);
  if (FScreen.isNull()) {
    PaintBackground(Canvas, ClientRect());
    return;
  }
  BlitScreen(Canvas);
  TRect framed = FPictureRect;
  if (const int fw = FLayout.FrameWidth) {
    framed = TRect(framed.Left - fw, framed.Top - fw, framed.Right + fw, framed.Bottom + fw);
    // An inside-frame pen of width fw around the grown rectangle covers
    // exactly these four bands.
    const TColor c = FFrameColor;
    Canvas.FillRect(TRect(framed.Left, framed.Top, framed.Right, framed.Top + fw), c);
    Canvas.FillRect(TRect(framed.Left, framed.Bottom - fw, framed.Right, framed.Bottom), c);
    Canvas.FillRect(TRect(framed.Left, framed.Top + fw, framed.Left + fw, framed.Bottom - fw), c);
    Canvas.FillRect(TRect(framed.Right - fw, framed.Top + fw, framed.Right, framed.Bottom - fw), c);
  }
  const int saved = Canvas.SaveState();
  Canvas.ExcludeClipRect(framed);
  PaintBackground(Canvas, ClientRect());
  Canvas.RestoreState(saved);
}

void TCustomRevealView::PaintBackground(TCanvas& Canvas, const TRect& Rect)
{
  const TRect clip = Canvas.ClipRect();
  const TRect visible = IntersectRect(clip, Rect);
  if (visible.IsEmpty())
    return;
  const TBackgroundMode mode = FBgPicture.Empty() ? bmNone : FBgMode;
  const int bw = FBgPicture.Width(), bh = FBgPicture.Height();
  switch (mode) {
  case bmNone:
    Canvas.FillRect(Rect, Color);
    break;
  case bmTiled: {
    // Only the tiles that meet the clip box, from the one holding its corner.
    const int x0 = Rect.Left + (visible.Left - Rect.Left) / bw * bw;
    const int y0 = Rect.Top + (visible.Top - Rect.Top) / bh * bh;
    for (int y = y0; y < visible.Bottom && y < Rect.Bottom; y += bh)
      for (int x = x0; x < visible.Right && x < Rect.Right; x += bw)
        Canvas.Draw(x, y, FBgPicture);
    break;
  }
  case bmStretched:
    Canvas.StretchDraw(Rect, FBgPicture);
    break;
  case bmCentered: {
    const int x = Rect.Left + (Rect.Width() - bw) / 2, y = Rect.Top + (Rect.Height() - bh) / 2;
    const int saved = Canvas.SaveState();
    Canvas.ExcludeClipRect(Bounds(x, y, bw, bh));
    Canvas.FillRect(Rect, Color);
    Canvas.RestoreState(saved);
    Canvas.Draw(x, y, FBgPicture);
    break;
  }
  }
}

void TCustomRevealView::Resize()
{
  if (FAutoSize)
    AdjustSize();
  TWinControl::Resize();
  LayOut();
  if (!ScreenBitmap().isNull())
    Invalidate();
}

// ---------------------------------------------------------------- events

void TCustomRevealView::DoChange()
{
  if (OnChange)
    OnChange(this);
}
void TCustomRevealView::DoProgress()
{
  if (OnProgress)
    OnProgress(this);
}
void TCustomRevealView::DoCustomDraw(TFxBitmap& Picture, TFxBitmap& Screen)
{
  if (OnCustomDraw)
    OnCustomDraw(this, Picture, Screen);
}
void TCustomRevealView::DoBeforeNewFrame(TFxBitmap& Picture, TFxBitmap& Screen)
{
  if (OnBeforeNewFrame)
    OnBeforeNewFrame(this, Picture, Screen);
}
void TCustomRevealView::DoAfterNewFrame(TFxBitmap& Picture, TFxBitmap& Screen)
{
  if (OnAfterNewFrame)
    OnAfterNewFrame(this, Picture, Screen);
}
void TCustomRevealView::DoComplete()
{
  if (OnComplete)
    OnComplete(this);
}
void TCustomRevealView::DoStart(TFxBitmap& Picture, TFxBitmap& Screen)
{
  if (OnStart)
    OnStart(this, Picture, Screen);
}
void TCustomRevealView::DoStop()
{
  if (OnStop)
    OnStop(this);
}
