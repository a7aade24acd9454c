#include "transitions/RevealFxRegions.h"

#include "transitions/ComplexRegion.h"

#include <algorithm>

namespace {

// Region of everything added, or an empty one.
TFxRegion Finish(TComplexRegion& rgn)
{
  return rgn.CreateRegion().value_or(TFxRegion());
}

// Adds a rectangle along one axis: "along" runs over the bar's length,
// "across" over its thickness; Rows says the bars lie along the rows.
void AddAxis(TComplexRegion& rgn, bool Rows, int AlongFrom, int AcrossFrom,
             int AlongTo, int AcrossTo)
{
  if (Rows)
    rgn.AddRect(AlongFrom, AcrossFrom, AlongTo, AcrossTo);
  else
    rgn.AddRect(AcrossFrom, AlongFrom, AcrossTo, AlongTo);
}

// One set of bars. Len and Span are the length and breadth of the picture
// along the bars (W and H for rows); Kind as BarsRegion's HKind, where "far"
// (the right, or the bottom) is where kinds 1 and 5 start.
void AddBars(TComplexRegion& rgn, bool Rows, int A, int Len, int Span, int E, int Kind)
{
  if (Kind < 1 || Kind > 5)
    return;
  if (A <= Len || Kind == 3) {
    for (int f = 0; f < Span + E; f += 2 * E) {
      switch (Kind) {
        case 1:
        case 5:
          AddAxis(rgn, Rows, Len - A, f, Len, f + E);
          break;
        case 2:
        case 4:
          AddAxis(rgn, Rows, 0, f, A, f + E);
          break;
        case 3:
          AddAxis(rgn, Rows, 0, f + E, A, f + 2 * E);
          AddAxis(rgn, Rows, Len - A, f, Len, f + E);
          break;
      }
    }
    return;
  }
  // Second phase: the first bars are whole, the gaps fill in.
  for (int f = E; f < Span + E; f += 2 * E) {
    AddAxis(rgn, Rows, 0, f - E, Len, f);
    if (Kind == 1 || Kind == 4)
      AddAxis(rgn, Rows, 2 * Len - A, f, Len, f + E);
    else
      AddAxis(rgn, Rows, 0, f, A - Len, f + E);
  }
}

void AddShreds(TComplexRegion& rgn, bool Rows, int A, int Len, int Span, int E,
               int Kind, TFxRandom& Random)
{
  if (Kind < 1 || Kind > 4)
    return;
  const int jitter = A < Len ? Len / 10 : 0;
  for (int o = 0; o < Span; o += E) {
    const int across = o + E + Span % E;
    const int r = A - jitter + Random.Next(2 * jitter);
    switch (Kind) {
      case 1:
        AddAxis(rgn, Rows, Len - r, o, Len, across);
        break;
      case 2:
        AddAxis(rgn, Rows, 0, o, r, across);
        break;
      case 3:
        AddAxis(rgn, Rows, Len / 2 - r / 2, o, Len / 2 + r / 2, across);
        break;
      case 4:
        AddAxis(rgn, Rows, 0, o, r / 2, across);
        AddAxis(rgn, Rows, Len - r / 2, o, Len, across);
        break;
    }
  }
}

void AddSpeckle(TComplexRegion& rgn, bool Rows, int A, int Len, int Span, int Kind,
                TFxRandom& Random)
{
  if (Kind != 1 && Kind != 2)
    return;
  const int band = A < Len ? Len / 10 : 0;
  const int s = std::max(band / 20, 2);
  const int cells = band / s;
  const int limit = 3 * band / (4 * s);
  for (int t = 0; t < Span; t += s / 2) {
    if (Kind == 1) {
      const int edge = Len - A;
      AddAxis(rgn, Rows, edge, t, Len, t + s);
      for (int i = cells; i >= 1; --i)
        if (Random.Next(i) <= (i <= limit ? 1 : 0))
          AddAxis(rgn, Rows, edge - i * s, t, edge - (i - 1) * s, t + s);
    } else {
      AddAxis(rgn, Rows, 0, t, A, t + s);
      for (int i = cells; i >= 1; --i)
        if (Random.Next(i) <= (i <= limit ? 1 : 0))
          AddAxis(rgn, Rows, A + (i - 1) * s, t, A + i * s, t + s);
    }
  }
}

}  // namespace

TFxRegion BarsRegion(int A, int B, int W, int H, int HKind, int VKind)
{
  TComplexRegion rgn;
  const int e = std::min(W, H) / 50 + 1;
  AddBars(rgn, true, A, W, H, e, HKind);
  AddBars(rgn, false, B, H, W, e, VKind);
  return Finish(rgn);
}

TFxRegion ShredRegion(int A, int B, int W, int H, int HKind, int VKind, TFxRandom& Random)
{
  TComplexRegion rgn;
  const int e = std::min(W, H) / 200 + 1;
  AddShreds(rgn, true, A, W, H, e, HKind, Random);
  AddShreds(rgn, false, B, H, W, e, VKind, Random);
  return Finish(rgn);
}

TFxRegion SpeckleRegion(int A, int B, int W, int H, int HKind, int VKind, TFxRandom& Random)
{
  TComplexRegion rgn;
  AddSpeckle(rgn, true, A, W, H, HKind, Random);
  AddSpeckle(rgn, false, B, H, W, VKind, Random);
  return Finish(rgn);
}
