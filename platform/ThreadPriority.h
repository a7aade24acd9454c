#pragma once
// Thread priorities as the class library names them, and how they are asked
// of the OS.
//
// On Linux a thread's priority under the normal scheduling policy is its nice
// value (the policy's own priority range is 0..0, so scheduling priorities
// have nothing to raise). A priority is an offset from the nice value of the
// thread that starts the worker, as Windows thread priorities are relative to
// their process; the idle one is the lowest the OS has. Lowering always
// succeeds. Raising needs rights an editor normally lacks (CAP_SYS_NICE or a
// nice limit): the request is made all the same, and a refusal only leaves
// the thread at the priority it had.

enum class TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

namespace cf {

// Nice value a thread gets for Priority when the thread that asks for it runs
// at BaseNice; kept within the OS's range -20..19.
int NiceFor(TThreadPriority Priority, int BaseNice);

// Nice value of the calling thread.
int CurrentThreadNice();

// Asks the OS to run the calling thread at Priority relative to BaseNice.
// True when granted; false when refused (the thread keeps its priority).
bool SetCurrentThreadPriority(TThreadPriority Priority, int BaseNice);

}  // namespace cf
