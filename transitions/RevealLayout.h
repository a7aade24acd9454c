#pragma once
// Where a picture of a given size stands in the picture show control's client
// area. Kept apart from the control so the rule can be checked by hand.

#include "platform/Types.h"

struct TRevealLayout {
  bool Center = false;
  bool Stretch = false;
  bool Proportional = false;
  int FrameWidth = 0;
};

// The rectangle the screen bitmap (SourceWidth x SourceHeight) is drawn to in
// a ClientWidth x ClientHeight area, inside a frame of FrameWidth pixels.
// Scaled sides are rounded as MulDiv rounds; centring truncates toward zero.
cf::TRect RevealPictureRect(const TRevealLayout& Layout, int ClientWidth, int ClientHeight,
                            int SourceWidth, int SourceHeight);
