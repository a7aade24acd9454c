#include "transitions/AnimateThread.h"

#include "transitions/RevealView.h"

#include <chrono>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Nice value of a priority. Raising a thread above normal needs privileges
// an editor does not have, so only the lower ones take effect.
int NiceOf(TThreadPriority p)
{
  switch (p) {
  case TThreadPriority::tpIdle: return 19;
  case TThreadPriority::tpLowest: return 10;
  case TThreadPriority::tpLower: return 5;
  default: return 0;
  }
}

}  // namespace

TAnimateThread::TAnimateThread(TCustomRevealView& View, TThreadPriority Priority)
    : FView(View), FPriority(Priority)
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
  if (const int nice = NiceOf(FPriority))
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), nice);
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
