#include "platform/PostBox.h"

#include <QCoreApplication>
#include <QEvent>

#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define CF_TSAN 1
#endif
#endif
#if defined(__SANITIZE_THREAD__)
#define CF_TSAN 1
#endif

#ifdef CF_TSAN
extern "C" void __tsan_acquire(void* addr);
extern "C" void __tsan_release(void* addr);
#endif

namespace cf {

namespace {

const QEvent::Type CallEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

struct TCallEvent : QEvent {
  explicit TCallEvent(std::function<void()> c) : QEvent(CallEventType), Call(std::move(c)) {}
#ifdef CF_TSAN
  // A call dropped with its box is destroyed without having run.
  ~TCallEvent() override { __tsan_acquire(this); }
#endif
  std::function<void()> Call;
};

}  // namespace

TPostBox::TPostBox() = default;
TPostBox::~TPostBox() = default;

void TPostBox::Post(std::function<void()> Call)
{
  auto* e = new TCallEvent(std::move(Call));
#ifdef CF_TSAN
  __tsan_release(e);
#endif
  QCoreApplication::postEvent(this, e);
}

void TPostBox::Deliver() { QCoreApplication::sendPostedEvents(this, CallEventType); }

bool TPostBox::event(QEvent* e)
{
#ifdef CF_TSAN
  // Before anything of the event is read, its type included.
  __tsan_acquire(e);
#endif
  if (e->type() != CallEventType)
    return QObject::event(e);
  static_cast<TCallEvent*>(e)->Call();
  return true;
}

}  // namespace cf
