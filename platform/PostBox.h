#pragma once
// Calls handed from any thread to the thread that owns the box (the
// user-interface thread), run there one by one in the order they were posted.
// A call still waiting when the box is destroyed is dropped.
//
// Everything a posting thread wrote before Post is visible to the call. The
// hand-over goes through the event queue; under ThreadSanitizer, which cannot
// see inside the uninstrumented Qt, the box states that ordering itself.

#include <QObject>

#include <functional>

namespace cf {

class TPostBox : public QObject {
public:
  TPostBox();
  ~TPostBox() override;

  // Any thread.
  void Post(std::function<void()> Call);
  // Owner's thread: runs now, in order, every call posted so far.
  void Deliver();

protected:
  bool event(QEvent* e) override;
};

}  // namespace cf
