#pragma once

// Timers and the tick count go through a replaceable clock, so tests drive
// time by hand instead of sleeping.

#include <cstdint>
#include <functional>
#include <memory>

namespace cf {

class TClock {
public:
    virtual ~TClock() = default;
    virtual uint64_t NowMs() = 0;  // monotonic milliseconds
    // Calls fn every intervalMs until stopped; returns an id > 0.
    virtual int StartTimer(int intervalMs, std::function<void()> fn) = 0;
    virtual void StopTimer(int id) = 0;
    // Blocks the calling thread for ms milliseconds (a wait inside a loop
    // that paints as it goes, such as a window fading).
    virtual void Sleep(int ms);
};

// The clock in use (the system clock unless a test installed another).
TClock& Clock();
// Installs a clock (not owned); nullptr restores the system clock.
void SetClock(TClock* clock);

// Milliseconds since an arbitrary start, wrapping at 2^32 as on Windows.
uint32_t GetTickCount();

// A clock that moves only when told to; due timers fire inside Advance in
// time order.
class TManualClock : public TClock {
public:
    TManualClock();
    ~TManualClock() override;
    uint64_t NowMs() override { return now_; }
    int StartTimer(int intervalMs, std::function<void()> fn) override;
    void StopTimer(int id) override;
    // Moves the time on instead of waiting.
    void Sleep(int ms) override;
    void Advance(uint64_t ms);
    int ActiveTimers() const;

private:
    struct Impl;
    uint64_t now_ = 1000;
    std::unique_ptr<Impl> impl_;
};

// The class library's timer component. Intervals below 10 ms run at 10 ms,
// as Windows timers do; Interval keeps the value given.
class TTimer {
public:
    TTimer() = default;
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    int Interval() const { return interval_; }
    void SetInterval(int ms);
    void SetOnTimer(std::function<void(TTimer*)> fn);
    intptr_t Tag = 0;

private:
    void Update();
    bool enabled_ = true;
    int interval_ = 1000;
    std::function<void(TTimer*)> onTimer_;
    int id_ = 0;
    TClock* clock_ = nullptr;
};

} // namespace cf
