#pragma once
// Collects many rectangles into one clip region. The buffer is laid out as a
// region-data block (a 32-byte header followed by rectangles of four 32-bit
// signed integers) and grows by 500 rectangles at a time.

#include "transitions/FxBitmap.h"

#include <cstdint>
#include <optional>
#include <vector>

class TComplexRegion {
public:
  TComplexRegion() { Clear(); }

  void Clear();
  void AddRect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom);
  // None when nothing was ever added since the last Clear.
  std::optional<TFxRegion> CreateRegion();

  int Count() const { return FCount; }
  int Capacity() const { return FCapacity; }
  int32_t BoundLeft() const { return FLeft; }
  int32_t BoundTop() const { return FTop; }
  int32_t BoundRight() const { return FRight; }
  int32_t BoundBottom() const { return FBottom; }
  // The region-data block as last filled by CreateRegion.
  const std::vector<uint8_t>& Buffer() const { return FBuffer; }

  static constexpr int HeaderSize = 32;
  static constexpr int GrowBy = 500;

private:
  std::vector<uint8_t> FBuffer;
  int FCapacity = 0;
  int FCount = 0;
  size_t FWritePos = 0;
  int32_t FLeft = 0, FTop = 0, FRight = 0, FBottom = 0;
};
