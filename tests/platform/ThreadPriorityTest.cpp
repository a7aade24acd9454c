// Thread priorities as nice values: the mapping worked out by hand, and what
// a thread gets when it asks.

#include "common/NiceRight.h"
#include "platform/ThreadPriority.h"

#include <gtest/gtest.h>

#include <thread>

using namespace cf;

TEST(ThreadPriority, NiceValueOfEachPriorityRelativeToTheAskingThread)
{
  using enum TThreadPriority;
  struct Case {
    int base;
    TThreadPriority p;
    int want;
  } cases[] = {
      // A thread started from one at the usual nice 0.
      {0, tpIdle, 19}, {0, tpLowest, 10}, {0, tpLower, 5}, {0, tpNormal, 0},
      {0, tpHigher, -5}, {0, tpHighest, -10}, {0, tpTimeCritical, -20},
      // From an already lowered thread: 10 + 10 runs past the end at 19.
      {10, tpIdle, 19}, {10, tpLowest, 19}, {10, tpLower, 15}, {10, tpNormal, 10},
      {10, tpHigher, 5}, {10, tpHighest, 0}, {10, tpTimeCritical, -20},
      // From a raised one: -15 - 10 stops at -20.
      {-15, tpIdle, 19}, {-15, tpLower, -10}, {-15, tpHigher, -20}, {-15, tpHighest, -20},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NiceFor(c.p, c.base), c.want) << "base " << c.base << " priority " << static_cast<int>(c.p);
}

TEST(ThreadPriority, LoweringIsGrantedAndARaiseWithoutTheRightIsRefusedHarmlessly)
{
  const int base = CurrentThreadNice();
  ASSERT_LE(base, 14) << "the test needs room to lower";
  ASSERT_GE(base, -10) << "the test needs room to raise";
  int lowered = 0, raisedTo = 0;
  bool lowerGranted = false, raiseGranted = true;
  std::thread([&] {
    lowerGranted = SetCurrentThreadPriority(TThreadPriority::tpLower, base);
    lowered = CurrentThreadNice();
  }).join();
  bool refuses = false;
  std::thread([&] {
    cftest::TWithoutNiceRight withoutRight;
    refuses = withoutRight.Refuses(base - 10);
    raiseGranted = SetCurrentThreadPriority(TThreadPriority::tpHighest, base);
    raisedTo = CurrentThreadNice();
  }).join();
  EXPECT_TRUE(lowerGranted);
  EXPECT_EQ(lowered, base + 5);
  ASSERT_TRUE(refuses) << "could not take the right to raise away";
  EXPECT_FALSE(raiseGranted);
  EXPECT_EQ(raisedTo, base);
  // With the right (as root here), the same request takes effect; the answer
  // says which happened.
  std::thread([&] {
    raiseGranted = SetCurrentThreadPriority(TThreadPriority::tpHighest, base);
    raisedTo = CurrentThreadNice();
  }).join();
  EXPECT_EQ(raisedTo, raiseGranted ? base - 10 : base);
  // The asking thread itself is untouched.
  EXPECT_EQ(CurrentThreadNice(), base);
}
