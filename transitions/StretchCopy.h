#pragma once
// Plain and stretched copies between 32-bit frame bitmaps. Rectangles are
// (left, top, width, height). Both routines clip to the target and read only
// pixels inside the source; the source may be the target itself.

#include "transitions/FxBitmap.h"

#include <cstdint>

// Copies Count pixels of one row; the two ranges may overlap.
void MoveRow(uint32_t* Dest, const uint32_t* Source, int Count);

// Bit-block copy of (Sx, Sy, Width, Height) of Source to (Dx, Dy) of Dest.
void CopyBlock(TFxBitmap& Dest, int Dx, int Dy, const TFxBitmap& Source,
               int Sx, int Sy, int Width, int Height);

// Nearest-neighbour stretched copy (colour-on-colour: every target pixel
// takes exactly one source pixel, no blending). A negative width or height
// runs from its start coordinate backwards (the start column or row is the
// first one drawn or read), so opposite signs on the two sides mirror.
void StretchCopy(TFxBitmap& Dest, int Dx, int Dy, int Dw, int Dh,
                 const TFxBitmap& Source, int Sx, int Sy, int Sw, int Sh);
