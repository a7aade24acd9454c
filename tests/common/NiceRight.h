#pragma once
// Takes the right to raise thread priorities away from the calling thread
// for a scope, so a refused raise can be tested even when the tests run as
// root. Threads started meanwhile inherit the loss. Capabilities on Linux
// belong to each thread; an effective one dropped can be taken back while it
// stays permitted.

#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace cftest {

class TWithoutNiceRight {
public:
  TWithoutNiceRight()
  {
    header_ = {_LINUX_CAPABILITY_VERSION_3, 0};
    if (syscall(SYS_capget, &header_, saved_) != 0)
      return;
    __user_cap_data_struct dropped[2] = {saved_[0], saved_[1]};
    dropped[CAP_SYS_NICE / 32].effective &= ~(1u << (CAP_SYS_NICE % 32));
    ok_ = syscall(SYS_capset, &header_, dropped) == 0;
  }
  ~TWithoutNiceRight()
  {
    if (ok_)
      syscall(SYS_capset, &header_, saved_);
  }
  TWithoutNiceRight(const TWithoutNiceRight&) = delete;
  TWithoutNiceRight& operator=(const TWithoutNiceRight&) = delete;

  // True when a raise to Nice must now be refused: the capability is gone
  // and the nice limit does not reach that far.
  bool Refuses(int Nice) const
  {
    rlimit r{};
    getrlimit(RLIMIT_NICE, &r);
    return ok_ && 20 - static_cast<long>(r.rlim_cur) > Nice;
  }

private:
  __user_cap_header_struct header_{};
  __user_cap_data_struct saved_[2]{};
  bool ok_ = false;
};

}  // namespace cftest
