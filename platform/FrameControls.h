#pragma once

// The classic (unthemed) frame controls the Windows DrawFrameControl call
// paints: push buttons, scroll and combo-box arrows and radio buttons.

#include "platform/Canvas.h"

namespace cf {

enum class TFrameArrow { faUp, faDown, faLeft, faRight, faCombo };

// Raised button edge and face; pushed draws the flat pressed look.
void DrawPushFrame(TCanvas& canvas, const TRect& r, bool pushed, bool inactive);
// Button with an arrow; flat draws only a shadow line as pressed scroll arrows do.
void DrawArrowFrame(TCanvas& canvas, const TRect& r, TFrameArrow arrow, bool pushed, bool flat, bool inactive);
// Round radio mark of 12 x 12 px at r's top-left.
void DrawRadioFrame(TCanvas& canvas, const TRect& r, bool checked, bool pushed, bool inactive);
// The raised edge of a thumb or button (two rings), face filled.
void DrawRaisedEdge(TCanvas& canvas, const TRect& r, TColor face);

} // namespace cf
