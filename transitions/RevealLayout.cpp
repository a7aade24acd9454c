#include "transitions/RevealLayout.h"

#include "transitions/RevealFx.h"

cf::TRect RevealPictureRect(const TRevealLayout& Layout, int ClientWidth, int ClientHeight,
                            int SourceWidth, int SourceHeight)
{
  const int fw = Layout.FrameWidth;
  const int cw = ClientWidth - 2 * fw, ch = ClientHeight - 2 * fw;
  int a = SourceWidth, b = SourceHeight;
  if (Layout.Proportional && a > 0 && b > 0 && (Layout.Stretch || cw < a || ch < b)) {
    // Whichever side hits the client edge first decides the scale.
    if (static_cast<double>(ch) / b > static_cast<double>(cw) / a) {
      b = FxMulDiv(b, cw, a);
      a = cw;
    } else {
      a = FxMulDiv(a, ch, b);
      b = ch;
    }
  } else if (Layout.Stretch) {
    a = cw;
    b = ch;
  }
  int dx = fw, dy = fw;
  if (Layout.Center) {
    dx += (cw - a) / 2;
    dy += (ch - b) / 2;
  }
  return cf::Bounds(dx, dy, a, b);
}
