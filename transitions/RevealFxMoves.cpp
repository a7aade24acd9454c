// Effects that stretch, slide, reveal, build up, unroll or push the picture.

#include "transitions/RevealFxProcs.h"
#include "transitions/RevealFxRoutines.h"
#include "transitions/StretchCopy.h"

#include <algorithm>

namespace {

// Stretches Picture's (Sx, Sy, Sw, Sh) into Screen's (Dx, Dy, Dw, Dh).
void Stretch(TFxBitmap& Screen, const TFxBitmap& Picture, int Sx, int Sy, int Sw, int Sh,
             int Dx, int Dy, int Dw, int Dh)
{
  StretchCopy(Screen, Dx, Dy, Dw, Dh, Picture, Sx, Sy, Sw, Sh);
}

// The whole picture stretched into (Dx, Dy, Dw, Dh).
void StretchWhole(TFxBitmap& Screen, const TFxBitmap& Picture, int W, int H, int Dx, int Dy,
                  int Dw, int Dh)
{
  Stretch(Screen, Picture, 0, 0, W, H, Dx, Dy, Dw, Dh);
}

// The whole picture copied with its top-left corner at (Dx, Dy).
void Slide(TFxBitmap& Screen, const TFxBitmap& Picture, int W, int H, int Dx, int Dy)
{
  CopyBlock(Screen, Dx, Dy, Picture, 0, 0, W, H);
}

}  // namespace

// Stretch the whole picture.
FX(1) { StretchWhole(Screen, Picture, W, H, W - X, 0, X, H); }
FX(2) { StretchWhole(Screen, Picture, W, H, 0, 0, X, H); }
FX(10) { StretchWhole(Screen, Picture, W, H, (W - X) / 2, 0, X, H); }
FX(18) { StretchWhole(Screen, Picture, W, H, 0, H - Y, W, Y); }
FX(19) { StretchWhole(Screen, Picture, W, H, 0, 0, W, Y); }
FX(27) { StretchWhole(Screen, Picture, W, H, 0, (H - Y) / 2, W, Y); }
FX(35) { StretchWhole(Screen, Picture, W, H, W - X, H - Y, X, Y); }
FX(36) { StretchWhole(Screen, Picture, W, H, W - X, 0, X, Y); }
FX(37) { StretchWhole(Screen, Picture, W, H, 0, 0, X, Y); }
FX(38) { StretchWhole(Screen, Picture, W, H, 0, H - Y, X, Y); }
FX(52) { StretchWhole(Screen, Picture, W, H, (W - X) / 2, (H - Y) / 2, X, Y); }

// Stretch a growing part of the picture over more than the picture.
FX(7) { Stretch(Screen, Picture, 0, 0, X, H, 0, 0, 2 * W - X, H); }
FX(8) { Stretch(Screen, Picture, W - X, 0, X, H, X - W, 0, 2 * W - X, H); }
FX(9) { Stretch(Screen, Picture, (W - X) / 2, 0, X, H, X - W, 0, 3 * W - 2 * X, H); }
FX(24) { Stretch(Screen, Picture, 0, 0, W, Y, 0, 0, W, 2 * H - Y); }
FX(25) { Stretch(Screen, Picture, 0, H - Y, W, Y, 0, Y - H, W, 2 * H - Y); }
FX(26) { Stretch(Screen, Picture, 0, (H - Y) / 2, W, Y, 0, Y - H, W, 3 * H - 2 * Y); }
FX(47) { Stretch(Screen, Picture, 0, 0, X, Y, 0, 0, 2 * W - X, 2 * H - Y); }
FX(48) { Stretch(Screen, Picture, 0, H - Y, X, Y, 0, Y - H, 2 * W - X, 2 * H - Y); }
FX(49) { Stretch(Screen, Picture, W - X, H - Y, X, Y, X - W, Y - H, 2 * W - X, 2 * H - Y); }
FX(50) { Stretch(Screen, Picture, W - X, 0, X, Y, X - W, 0, 2 * W - X, 2 * H - Y); }
FX(51)
{
  Stretch(Screen, Picture, (W - X) / 2, (H - Y) / 2, X, Y, X - W, Y - H, 3 * W - 2 * X,
          3 * H - 2 * Y);
}
FX(13)
{
  Stretch(Screen, Picture, 0, 0, W / 2, H, 0, 0, X / 2, H);
  Stretch(Screen, Picture, W / 2, 0, W / 2, H, W - X / 2, 0, X / 2, H);
}
FX(30)
{
  Stretch(Screen, Picture, 0, 0, W, H / 2, 0, 0, W, Y / 2);
  Stretch(Screen, Picture, 0, H / 2, W, H / 2, 0, H - Y / 2, W, Y / 2);
}
FX(56)
{
  const int qw = W / 2, qh = H / 2, cw = X / 2, ch = Y / 2;
  Stretch(Screen, Picture, 0, 0, qw, qh, 0, 0, cw, ch);
  Stretch(Screen, Picture, qw, 0, qw, qh, W - cw, 0, cw, ch);
  Stretch(Screen, Picture, 0, qh, qw, qh, 0, H - ch, cw, ch);
  Stretch(Screen, Picture, qw, qh, qw, qh, W - cw, H - ch, cw, ch);
}

// Slide the whole picture in.
FX(3) { Slide(Screen, Picture, W, H, W - X, 0); }
FX(4) { Slide(Screen, Picture, W, H, X - W, 0); }
FX(20) { Slide(Screen, Picture, W, H, 0, H - Y); }
FX(21) { Slide(Screen, Picture, W, H, 0, Y - H); }
FX(39) { Slide(Screen, Picture, W, H, W - X, H - Y); }
FX(40) { Slide(Screen, Picture, W, H, W - X, Y - H); }
FX(41) { Slide(Screen, Picture, W, H, X - W, Y - H); }
FX(42) { Slide(Screen, Picture, W, H, X - W, H - Y); }
FX(57)
{
  const int qw = W / 2, qh = H / 2;
  CopyBlock(Screen, X / 2 - qw, 0, Picture, 0, 0, qw, qh);
  CopyBlock(Screen, qw, Y / 2 - qh, Picture, qw, 0, qw, qh);
  CopyBlock(Screen, W - X / 2, qh, Picture, qw, qh, qw, qh);
  CopyBlock(Screen, 0, H - Y / 2, Picture, 0, qh, qw, qh);
}

// Reveal in place.
FX(5) { CopyPicture(Screen, Picture, 0, 0, X, H); }
FX(6) { CopyPicture(Screen, Picture, W - X, 0, X, H); }
FX(11) { CopyPicture(Screen, Picture, (W - X) / 2, 0, X, H); }
FX(12)
{
  CopyPicture(Screen, Picture, 0, 0, X / 2, H);
  CopyPicture(Screen, Picture, W - X / 2, 0, X / 2, H);
}
FX(22) { CopyPicture(Screen, Picture, 0, 0, W, Y); }
FX(23) { CopyPicture(Screen, Picture, 0, H - Y, W, Y); }
FX(28) { CopyPicture(Screen, Picture, 0, (H - Y) / 2, W, Y); }
FX(29)
{
  CopyPicture(Screen, Picture, 0, 0, W, Y / 2);
  CopyPicture(Screen, Picture, 0, H - Y / 2, W, Y / 2);
}
FX(43) { CopyPicture(Screen, Picture, 0, 0, X, Y); }
FX(44) { CopyPicture(Screen, Picture, 0, H - Y, X, Y); }
FX(45) { CopyPicture(Screen, Picture, W - X, H - Y, X, Y); }
FX(46) { CopyPicture(Screen, Picture, W - X, 0, X, Y); }
FX(53) { CopyPicture(Screen, Picture, (W - X) / 2, (H - Y) / 2, X, Y); }
FX(54)
{
  const TFxRegion all = FxRectRegion(0, 0, W, H);
  RevealRegion(Screen, Picture, all.subtracted(FxRectRegion(X / 2, Y / 2, W - X / 2, H - Y / 2)));
}
FX(55)
{
  const int cw = X / 2, ch = Y / 2;
  CopyPicture(Screen, Picture, 0, 0, cw, ch);
  CopyPicture(Screen, Picture, W - cw, 0, cw, ch);
  CopyPicture(Screen, Picture, 0, H - ch, cw, ch);
  CopyPicture(Screen, Picture, W - cw, H - ch, cw, ch);
}

// Build up: the revealed part, then the next tenth stretched over the rest.
FX(16)
{
  CopyPicture(Screen, Picture, 0, 0, X, H);
  Stretch(Screen, Picture, X, 0, std::min(W - X, W / 10), H, X, 0, W - X, H);
}
FX(17)
{
  CopyPicture(Screen, Picture, W - X, 0, X, H);
  const int s = std::max(W - X - W / 10, 0);
  Stretch(Screen, Picture, s, 0, W - X - s, H, 0, 0, W - X, H);
}
FX(33)
{
  CopyPicture(Screen, Picture, 0, 0, W, Y);
  Stretch(Screen, Picture, 0, Y, W, std::min(H - Y, H / 10), 0, Y, W, H - Y);
}
FX(34)
{
  CopyPicture(Screen, Picture, 0, H - Y, W, Y);
  const int s = std::max(H - Y - H / 10, 0);
  Stretch(Screen, Picture, 0, s, W, H - Y - s, 0, 0, W, H - Y);
}

namespace {

// Width of the roll: a tenth of the side, less at the ends of the run.
int RollSize(int Side, int Done)
{
  int s = Side / 10;
  if (Done < s)
    s = Done;
  else if (Side - Done < 2 * s)
    s = (Side - Done) / 2;
  return s;
}

}  // namespace

// Unroll: the roll shows the next part of the picture reversed and shaded.
FX(14)
{
  const int s = RollSize(W, X);
  Stretch(Screen, Picture, X + s, 0, s, H, X + s - 1, 0, -s, H);
  CopyPicture(Screen, Picture, 0, 0, X, H);
  ShadeColumns(Screen, 64, X, s);
}
FX(15)
{
  const int s = RollSize(W, X);
  Stretch(Screen, Picture, W - X - s - 1, 0, -s, H, W - X - s, 0, s, H);
  CopyPicture(Screen, Picture, W - X, 0, X, H);
  ShadeColumns(Screen, 64, W - X - s, s);
}
FX(31)
{
  const int s = RollSize(H, Y);
  Stretch(Screen, Picture, 0, Y + s, W, s, 0, Y + s - 1, W, -s);
  CopyPicture(Screen, Picture, 0, 0, W, Y);
  ShadeRows(Screen, 64, Y, s);
}
FX(32)
{
  const int s = RollSize(H, Y);
  Stretch(Screen, Picture, 0, H - Y - s - 1, W, -s, 0, H - Y - s, W, s);
  CopyPicture(Screen, Picture, 0, H - Y, W, Y);
  ShadeRows(Screen, 64, H - Y - s, s);
}

// Push: the old frame moves away (or is squeezed) as the picture comes in.
FX(129)
{
  CopyBlock(Screen, X, 0, Screen, 0, 0, W - X, H);
  CopyBlock(Screen, 0, 0, Picture, W - X, 0, X, H);
}
FX(130)
{
  CopyBlock(Screen, 0, 0, Screen, X, 0, W - X, H);
  CopyBlock(Screen, W - X, 0, Picture, 0, 0, X, H);
}
FX(131)
{
  StretchCopy(Screen, X, 0, W - X, H, Screen, 0, 0, W, H);
  CopyBlock(Screen, 0, 0, Picture, W - X, 0, X, H);
}
FX(132)
{
  StretchCopy(Screen, 0, 0, W - X, H, Screen, 0, 0, W, H);
  CopyBlock(Screen, W - X, 0, Picture, 0, 0, X, H);
}
FX(133)
{
  CopyBlock(Screen, 0, Y, Screen, 0, 0, W, H - Y);
  CopyBlock(Screen, 0, 0, Picture, 0, H - Y, W, Y);
}
FX(134)
{
  CopyBlock(Screen, 0, 0, Screen, 0, Y, W, H - Y);
  CopyBlock(Screen, 0, H - Y, Picture, 0, 0, W, Y);
}
FX(135)
{
  StretchCopy(Screen, 0, Y, W, H - Y, Screen, 0, 0, W, H);
  CopyBlock(Screen, 0, 0, Picture, 0, H - Y, W, Y);
}
FX(136)
{
  StretchCopy(Screen, 0, 0, W, H - Y, Screen, 0, 0, W, H);
  CopyBlock(Screen, 0, H - Y, Picture, 0, 0, W, Y);
}
