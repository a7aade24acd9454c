#pragma once
// The picture transition effects. Each effect draws one frame of its
// transition: Screen already holds the old frame, and the effect paints onto
// it the part of Picture (same size, W x H) that progress P (1..99) reveals.
// X and Y are the progress projected on the two axes (see ProjectProgress).
// Effects keep no state between frames, so any frame can be drawn at any
// time; the random ones draw from the transition's own generator.

#include "transitions/FxBitmap.h"
#include "transitions/FxRandom.h"

#include <array>
#include <string_view>

using TEffectProc = void (*)(TFxBitmap& Screen, const TFxBitmap& Picture, int W, int H,
                             int X, int Y, int P, TFxRandom& Random);

struct TEffect {
  const char* Name;
  TEffectProc Proc;
};

constexpr int EffectCount = 172;

// Indexed by style number 1..172; entry 0 stands for the application's own
// drawing and has no procedure.
extern const std::array<TEffect, EffectCount + 1> Effects;

// The lowest style number whose name equals Name ignoring case, 0 when none.
int EffectByName(std::string_view Name);

// a * b / c with a 64-bit product, rounding halves away from zero; -1 for a
// zero divisor.
int FxMulDiv(int a, int b, int c);

// X and Y for a W x H picture at progress P: along the longer side first,
// the other side in proportion.
void ProjectProgress(int W, int H, int P, int& X, int& Y);

// Draws one frame of effect Style (1..172) onto Screen, computing X and Y.
void DrawEffect(int Style, TFxBitmap& Screen, const TFxBitmap& Picture, int P, TFxRandom& Random);
