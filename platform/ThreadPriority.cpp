#include "platform/ThreadPriority.h"

#include <algorithm>
#include <cerrno>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace cf {

namespace {

constexpr int MostNice = 19, LeastNice = -20;

id_t ThisThread() { return static_cast<id_t>(syscall(SYS_gettid)); }

}  // namespace

int NiceFor(TThreadPriority Priority, int BaseNice)
{
  int nice = BaseNice;
  switch (Priority) {
  case TThreadPriority::tpIdle: nice = MostNice; break;
  case TThreadPriority::tpLowest: nice = BaseNice + 10; break;
  case TThreadPriority::tpLower: nice = BaseNice + 5; break;
  case TThreadPriority::tpNormal: break;
  case TThreadPriority::tpHigher: nice = BaseNice - 5; break;
  case TThreadPriority::tpHighest: nice = BaseNice - 10; break;
  // Above every other thread of the program, whatever it started at.
  case TThreadPriority::tpTimeCritical: nice = LeastNice; break;
  }
  return std::clamp(nice, LeastNice, MostNice);
}

int CurrentThreadNice()
{
  // -1 is a valid nice value, so errors are told apart through errno.
  errno = 0;
  const int nice = getpriority(PRIO_PROCESS, ThisThread());
  return errno == 0 ? nice : 0;
}

bool SetCurrentThreadPriority(TThreadPriority Priority, int BaseNice)
{
  const int nice = NiceFor(Priority, BaseNice);
  if (nice == CurrentThreadNice())
    return true;
  return setpriority(PRIO_PROCESS, ThisThread(), nice) == 0;
}

}  // namespace cf
