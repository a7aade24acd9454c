#pragma once
// The worker that plays a picture show control's transition away from the
// user-interface thread. It only composes frames (under the control's lock)
// and posts what happened; the control's window, its events and the worker
// object's lifetime all stay with the user-interface thread.

#include "platform/ThreadPriority.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class TCustomRevealView;

class TAnimateThread {
public:
  // Priority is relative to the thread that creates the worker.
  TAnimateThread(TCustomRevealView& View, TThreadPriority Priority);
  // Terminates and waits: a worker never outlives its object.
  ~TAnimateThread();
  TAnimateThread(const TAnimateThread&) = delete;
  TAnimateThread& operator=(const TAnimateThread&) = delete;

  void Resume();
  // Asks the worker to stop; a pause between frames ends at once, a frame
  // being composed is finished first.
  void Terminate();
  void WaitFor();
  bool Terminated() const { return FTerminated; }
  // True once the worker's run began.
  bool Running() const { return FRunning; }
  bool IsWorkerThread() const { return std::this_thread::get_id() == FThread.get_id(); }

private:
  void Run();
  // Waits Ms milliseconds or until terminated.
  void Pause(int Ms);

  TCustomRevealView& FView;
  TThreadPriority FPriority;
  int FBaseNice;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FRunning{false};
  bool FResumed = false;  // guarded by FWaitLock
  std::mutex FWaitLock;
  std::condition_variable FWake;
  std::thread FThread;
};
