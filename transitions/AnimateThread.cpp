#include "transitions/AnimateThread.h"

#include "transitions/RevealView.h"

#include <chrono>

TAnimateThread::TAnimateThread(TCustomRevealView& View, TThreadPriority Priority)
    : FView(View), FPriority(Priority), FBaseNice(cf::CurrentThreadNice())
{
}

TAnimateThread::~TAnimateThread()
{
  Terminate();
  WaitFor();
}

void TAnimateThread::Resume()
{
  if (FThread.joinable())
    return;
  FThread = std::thread([this] { Run(); });
  {
    std::lock_guard<std::mutex> g(FWaitLock);
    FResumed = true;
  }
  FWake.notify_all();
}

void TAnimateThread::Terminate()
{
  {
    std::lock_guard<std::mutex> g(FWaitLock);
    FTerminated = true;
  }
  FWake.notify_all();
}

void TAnimateThread::WaitFor()
{
  if (FThread.joinable() && !IsWorkerThread())
    FThread.join();
}

void TAnimateThread::Pause(int Ms)
{
  std::unique_lock<std::mutex> g(FWaitLock);
  FWake.wait_for(g, std::chrono::milliseconds(Ms), [this] { return FTerminated.load(); });
}

void TAnimateThread::Run()
{
  {
    // The worker knows itself (IsWorkerThread) only once its std::thread
    // object stands.
    std::unique_lock<std::mutex> g(FWaitLock);
    FWake.wait(g, [this] { return FResumed; });
  }
  FRunning = true;
  // A new thread starts at its creator's priority, so only other ones are
  // asked for; a refused raise leaves the worker at normal and is no error.
  if (FPriority != TThreadPriority::tpNormal)
    cf::SetCurrentThreadPriority(FPriority, FBaseNice);
  using clock = std::chrono::steady_clock;
  int s = FView.Step();
  while (!FTerminated) {
    const auto t0 = clock::now();
    const bool more = FView.StepProgress(s);
    const int t = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(clock::now() - t0).count());
    if (!more) {
      FTerminated = true;
      break;
    }
    if (FTerminated)
      break;
    const int delay = FView.Delay();
    if (delay >= t) {
      Pause(delay - t);
      s = FView.Step();
    } else if (FView.ExactTiming()) {
      s = ExactStep(FView.Step(), t, delay);
    }
  }
  FView.PostThreadFinished(this);
}
