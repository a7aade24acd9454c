#pragma once
// Regions made of many rectangles: bars, uneven shreds and speckle. Kinds
// are 0 (none) or the numbers below; horizontal kinds act along the rows,
// vertical kinds along the columns, and the result holds both sets.

#include "transitions/FxBitmap.h"
#include "transitions/FxRandom.h"

// Bars of thickness min(W, H) / 50 + 1, every other one first. HKind: 1 from
// the right, 2 from the left, 3 from both sides, 4 left then right, 5 right
// then left. VKind: 1 from the bottom, 2 from the top, 3 both, 4 top then
// bottom, 5 bottom then top. A (B) past W (H) is the second phase that
// fills the gaps.
TFxRegion BarsRegion(int A, int B, int W, int H, int HKind, int VKind);

// Strips of random length around A (B). HKind: 1 from the right, 2 from the
// left, 3 out of the middle column, 4 in from both sides. VKind: 1 from the
// bottom, 2 from the top, 3 around the middle row, 4 from top and bottom.
// Draws from the transition's running generator.
TFxRegion ShredRegion(int A, int B, int W, int H, int HKind, int VKind, TFxRandom& Random);

// A solid part A (B) deep and a band of cells beyond it that thins out with
// the distance. HKind 1 from the right, 2 from the left; VKind 1 from the
// bottom, 2 from the top. Draws from the transition's running generator.
TFxRegion SpeckleRegion(int A, int B, int W, int H, int HKind, int VKind, TFxRandom& Random);
