#include "platform/Timer.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <map>
#include <thread>

namespace cf {

namespace {

class SystemClock : public TClock {
public:
    SystemClock() { start_.start(); }
    uint64_t NowMs() override { return uint64_t(start_.elapsed()) + 1000; }
    int StartTimer(int intervalMs, std::function<void()> fn) override
    {
        int id = ++next_;
        auto* t = new QTimer();
        t->setInterval(intervalMs);
        QObject::connect(t, &QTimer::timeout, t, [fn = std::move(fn)] { fn(); });
        timers_[id] = t;
        t->start();
        return id;
    }
    void StopTimer(int id) override
    {
        auto it = timers_.find(id);
        if (it == timers_.end())
            return;
        it->second->stop();
        it->second->deleteLater();
        timers_.erase(it);
    }

private:
    QElapsedTimer start_;
    int next_ = 0;
    std::map<int, QTimer*> timers_;
};

TClock* g_clock = nullptr;

SystemClock& System()
{
    static SystemClock c;
    return c;
}

} // namespace

void TClock::Sleep(int ms)
{
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

TClock& Clock()
{
    return g_clock ? *g_clock : System();
}

void SetClock(TClock* clock)
{
    g_clock = clock;
}

uint32_t GetTickCount()
{
    return uint32_t(Clock().NowMs());
}

// ---------------------------------------------------------------- manual clock

struct TManualClock::Impl {
    struct Entry {
        int interval;
        uint64_t due;
        std::function<void()> fn;
    };
    std::map<int, Entry> timers;
    int next = 0;
};

TManualClock::TManualClock() : impl_(std::make_unique<Impl>()) {}
TManualClock::~TManualClock() = default;

int TManualClock::StartTimer(int intervalMs, std::function<void()> fn)
{
    int id = ++impl_->next;
    intervalMs = std::max(1, intervalMs);
    impl_->timers[id] = {intervalMs, now_ + uint64_t(intervalMs), std::move(fn)};
    return id;
}

void TManualClock::StopTimer(int id)
{
    impl_->timers.erase(id);
}

int TManualClock::ActiveTimers() const
{
    return int(impl_->timers.size());
}

void TManualClock::Sleep(int ms)
{
    if (ms > 0)
        Advance(static_cast<uint64_t>(ms));
}

void TManualClock::Advance(uint64_t ms)
{
    uint64_t end = now_ + ms;
    for (;;) {
        int best = 0;
        uint64_t due = 0;
        for (auto& [id, e] : impl_->timers)
            if (e.due <= end && (best == 0 || e.due < due)) {
                best = id;
                due = e.due;
            }
        if (best == 0)
            break;
        now_ = due;
        auto& e = impl_->timers[best];
        e.due += uint64_t(e.interval);
        auto fn = e.fn;  // the callback may stop or restart its own timer
        fn();
    }
    now_ = end;
}

// ---------------------------------------------------------------- TTimer

TTimer::~TTimer()
{
    if (id_ && clock_)
        clock_->StopTimer(id_);
}

void TTimer::SetEnabled(bool on)
{
    if (on == enabled_)
        return;
    enabled_ = on;
    Update();
}

void TTimer::SetInterval(int ms)
{
    if (ms == interval_)
        return;
    interval_ = ms;
    Update();
}

void TTimer::SetOnTimer(std::function<void(TTimer*)> fn)
{
    onTimer_ = std::move(fn);
    Update();
}

void TTimer::Update()
{
    if (id_ && clock_) {
        clock_->StopTimer(id_);
        id_ = 0;
    }
    if (enabled_ && interval_ > 0 && onTimer_) {
        clock_ = &Clock();
        id_ = clock_->StartTimer(std::max(10, interval_), [this] {
            if (onTimer_)
                onTimer_(this);
        });
    }
}

} // namespace cf
