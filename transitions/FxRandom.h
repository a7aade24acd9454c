#pragma once
// The pseudo-random generator of one transition. Every transition owns one,
// so the effects never touch the program's own generator. It keeps two
// things: the seed fixed for the whole run, from which the effects that must
// choose the same squares, pixels, bars or channels on every frame restart
// their sequence, and a running state for the effects whose edges are meant
// to flicker from frame to frame.

#include <cstdint>

class TFxRandom {
public:
  explicit TFxRandom(uint32_t Seed = 0) : FSeed(Seed), FState(Seed) {}

  uint32_t Seed() const { return FSeed; }

  // A generator at the start of this transition's fixed sequence.
  TFxRandom Restarted() const { return TFxRandom(FSeed); }

  // The per-transition bit that turns the rotating shapes the other way.
  bool Reversed() const { return (FSeed & 1u) != 0; }

  // A random integer in 0..Range-1. An empty range (Range <= 0, as small
  // pictures produce) gives 0 instead of an out-of-range number.
  int Next(int Range)
  {
    FState = FState * 134775813u + 1u;
    if (Range <= 0)
      return 0;
    return static_cast<int>((static_cast<uint64_t>(FState) * static_cast<uint32_t>(Range)) >> 32);
  }

private:
  uint32_t FSeed;
  uint32_t FState;
};
