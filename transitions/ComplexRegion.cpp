#include "transitions/ComplexRegion.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

void Put32(std::vector<uint8_t>& b, size_t at, int32_t v)
{
  std::memcpy(b.data() + at, &v, sizeof v);
}

int32_t Get32(const std::vector<uint8_t>& b, size_t at)
{
  int32_t v;
  std::memcpy(&v, b.data() + at, sizeof v);
  return v;
}

// Unites a list of regions pairwise, so a thousand rectangles cost a few
// passes instead of a thousand growing unions.
TFxRegion UniteAll(std::vector<TFxRegion> parts)
{
  if (parts.empty())
    return TFxRegion();
  while (parts.size() > 1) {
    std::vector<TFxRegion> next;
    next.reserve(parts.size() / 2 + 1);
    for (size_t i = 0; i + 1 < parts.size(); i += 2)
      next.push_back(parts[i].united(parts[i + 1]));
    if (parts.size() % 2)
      next.push_back(parts.back());
    parts.swap(next);
  }
  return parts.front();
}

}  // namespace

void TComplexRegion::Clear()
{
  FBuffer.clear();
  FBuffer.shrink_to_fit();
  FCapacity = 0;
  FCount = 0;
  FWritePos = 0;
  FLeft = FTop = std::numeric_limits<int32_t>::max();
  FRight = FBottom = -std::numeric_limits<int32_t>::max();
}

void TComplexRegion::AddRect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom)
{
  if (FCount == FCapacity) {
    FCapacity += GrowBy;
    FBuffer.resize(static_cast<size_t>(FCapacity) * 16 + 36);
    FWritePos = HeaderSize + static_cast<size_t>(FCount) * 16;
  }
  Put32(FBuffer, FWritePos, Left);
  Put32(FBuffer, FWritePos + 4, Top);
  Put32(FBuffer, FWritePos + 8, Right);
  Put32(FBuffer, FWritePos + 12, Bottom);
  FWritePos += 16;
  ++FCount;
  FLeft = std::min(FLeft, Left);
  FTop = std::min(FTop, Top);
  FRight = std::max(FRight, Right);
  FBottom = std::max(FBottom, Bottom);
}

std::optional<TFxRegion> TComplexRegion::CreateRegion()
{
  if (FBuffer.empty())
    return std::nullopt;
  Put32(FBuffer, 0, HeaderSize);       // header size
  Put32(FBuffer, 4, 1);                // rectangles
  Put32(FBuffer, 8, FCount);
  Put32(FBuffer, 12, 16);              // region size field
  Put32(FBuffer, 16, FLeft);
  Put32(FBuffer, 20, FTop);
  Put32(FBuffer, 24, FRight);
  Put32(FBuffer, 28, FBottom);
  std::vector<TFxRegion> parts;
  parts.reserve(static_cast<size_t>(FCount));
  for (int i = 0; i < FCount; ++i) {
    const size_t at = HeaderSize + static_cast<size_t>(i) * 16;
    // Rectangles turned inside out (a shred shorter than nothing) hold no
    // pixels.
    TFxRegion r = FxRectRegion(Get32(FBuffer, at), Get32(FBuffer, at + 4),
                               Get32(FBuffer, at + 8), Get32(FBuffer, at + 12));
    if (!r.isEmpty())
      parts.push_back(r);
  }
  return UniteAll(std::move(parts));
}
