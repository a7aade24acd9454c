#include "transitions/StretchCopy.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

void MoveRow(uint32_t* Dest, const uint32_t* Source, int Count)
{
  if (Count > 0 && Dest != Source)
    std::memmove(Dest, Source, static_cast<size_t>(Count) * sizeof(uint32_t));
}

void CopyBlock(TFxBitmap& Dest, int Dx, int Dy, const TFxBitmap& Source,
               int Sx, int Sy, int Width, int Height)
{
  if (FxIsEmpty(Dest) || FxIsEmpty(Source) || Width <= 0 || Height <= 0)
    return;
  // Clip against the source, then against the target, moving both origins.
  int left = std::max({0, -Sx, -Dx});
  int top = std::max({0, -Sy, -Dy});
  int right = std::min({Width, FxWidth(Source) - Sx, FxWidth(Dest) - Dx});
  int bottom = std::min({Height, FxHeight(Source) - Sy, FxHeight(Dest) - Dy});
  if (right <= left || bottom <= top)
    return;
  const int count = right - left;
  const bool same = FxSameBits(Dest, Source);
  // Copying a bitmap onto itself downwards must walk the rows bottom-up so a
  // row is read before it is overwritten.
  if (same && Dy > Sy) {
    for (int y = bottom - 1; y >= top; --y) {
      uint32_t* d = FxRow(Dest, Dy + y) + Dx + left;
      MoveRow(d, FxRow(Dest, Sy + y) + Sx + left, count);
    }
    return;
  }
  for (int y = top; y < bottom; ++y) {
    uint32_t* d = FxRow(Dest, Dy + y) + Dx + left;
    const uint32_t* s = same ? FxRow(Dest, Sy + y) + Sx + left
                             : FxRow(Source, Sy + y) + Sx + left;
    MoveRow(d, s, count);
  }
}

namespace {

// For each target step 0..|Dn|-1 that lands inside [0, Limit) of the target
// and reads inside [0, SourceLimit) of the source: target and source index.
struct Axis {
  std::vector<int> Target;
  std::vector<int> Source;
};

Axis MapAxis(int D, int Dn, int Limit, int S, int Sn, int SourceLimit)
{
  Axis a;
  const int64_t dn = std::abs(static_cast<int64_t>(Dn));
  const int64_t sn = std::abs(static_cast<int64_t>(Sn));
  // Only the steps that can land inside the target are visited.
  int64_t first = 0, last = dn;  // [first, last)
  if (Dn > 0) {
    first = std::max<int64_t>(0, -static_cast<int64_t>(D));
    last = std::min<int64_t>(dn, static_cast<int64_t>(Limit) - D);
  } else {
    first = std::max<int64_t>(0, static_cast<int64_t>(D) - (Limit - 1));
    last = std::min<int64_t>(dn, static_cast<int64_t>(D) + 1);
  }
  for (int64_t i = first; i < last; ++i) {
    const int64_t t = Dn > 0 ? D + i : D - i;
    // Each target pixel samples the source pixel under its centre.
    const int64_t j = (2 * i + 1) * sn / (2 * dn);
    const int64_t s = Sn > 0 ? S + j : S - j;
    if (t < 0 || t >= Limit || s < 0 || s >= SourceLimit)
      continue;
    a.Target.push_back(static_cast<int>(t));
    a.Source.push_back(static_cast<int>(s));
  }
  return a;
}

}  // namespace

void StretchCopy(TFxBitmap& Dest, int Dx, int Dy, int Dw, int Dh,
                 const TFxBitmap& Source, int Sx, int Sy, int Sw, int Sh)
{
  if (FxIsEmpty(Dest) || FxIsEmpty(Source) || Dw == 0 || Dh == 0 || Sw == 0 || Sh == 0)
    return;
  // The screen may be its own source: read from a snapshot.
  TFxBitmap snapshot;
  const TFxBitmap* src = &Source;
  if (FxSameBits(Dest, Source)) {
    snapshot = FxClone(Source);
    src = &snapshot;
  }
  const Axis cols = MapAxis(Dx, Dw, FxWidth(Dest), Sx, Sw, FxWidth(*src));
  const Axis rows = MapAxis(Dy, Dh, FxHeight(Dest), Sy, Sh, FxHeight(*src));
  const size_t n = cols.Target.size();
  for (size_t r = 0; r < rows.Target.size(); ++r) {
    uint32_t* d = FxRow(Dest, rows.Target[r]);
    const uint32_t* s = FxRow(*src, rows.Source[r]);
    for (size_t c = 0; c < n; ++c)
      d[cols.Target[c]] = s[cols.Source[c]];
  }
}
