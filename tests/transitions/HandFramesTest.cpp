// Frames worked out by hand from what each effect is meant to draw.

#include "transitions/RevealFx.h"

#include "FxTestImages.h"

#include <gtest/gtest.h>

using namespace fxtest;

namespace {

const uint32_t Old = Rgb(10, 20, 30);

TFxBitmap Plain(int w, int h, uint32_t c)
{
  return Make(w, h, [c](int, int) { return c; });
}

// Each pixel tells where it came from: red = x, green = y.
TFxBitmap Coords(int w, int h) { return Make(w, h, [](int x, int y) { return Rgb(x, y, 200); }); }

TFxBitmap Draw(int style, TFxBitmap screen, const TFxBitmap& picture, int p, uint32_t seed = 1)
{
  TFxRandom rnd(seed);
  DrawEffect(style, screen, picture, p, rnd);
  return screen;
}

}  // namespace

TEST(HandFrames, ExpandFromRightHalfwaySqueezesTheWholePictureIntoTheRightHalf)
{
  // 200 x 100 at P 50: X 100, the picture (0, 0, 200, 100) into (100, 0, 100, 100).
  // Columns come in equal pairs so either column of a pair is right.
  const TFxBitmap picture = Make(200, 100, [](int x, int y) { return Rgb(x / 2, y, 200); });
  const TFxBitmap f = Draw(1, Plain(200, 100, Old), picture, 50);
  for (int y = 0; y < 100; y += 7)
    for (int x = 0; x < 200; ++x)
      ASSERT_EQ(Pixel(f, x, y), x < 100 ? Old : Rgb(x - 100, y, 200)) << x << "," << y;
}

TEST(HandFrames, RevealFromLeftCopiesTheFirstXColumns)
{
  // 10 x 4 at P 30: X 3.
  const TFxBitmap f = Draw(5, Plain(10, 4, Old), Coords(10, 4), 30);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 10; ++x)
      EXPECT_EQ(Pixel(f, x, y), x < 3 ? Rgb(x, y, 200) : Old);
}

TEST(HandFrames, SlideInFromRightPlacesTheCornerAtWMinusX)
{
  // 20 x 10 at P 25: X 5, the picture's corner at (15, 0).
  const TFxBitmap f = Draw(3, Plain(20, 10, Old), Coords(20, 10), 25);
  EXPECT_EQ(Pixel(f, 14, 3), Old);
  EXPECT_EQ(Pixel(f, 15, 3), Rgb(0, 3, 200));
  EXPECT_EQ(Pixel(f, 19, 9), Rgb(4, 9, 200));
}

TEST(HandFrames, PushRightMovesTheOldFrameAlong)
{
  // 20 x 10 at P 50: X 10; old (0..9) moves to (10..19), picture (10..19) to (0..9).
  const TFxBitmap old = Make(20, 10, [](int x, int y) { return Rgb(x, y, 1); });
  const TFxBitmap f = Draw(129, old, Coords(20, 10), 50);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x)
      EXPECT_EQ(Pixel(f, x, y), x < 10 ? Rgb(x + 10, y, 200) : Rgb(x - 10, y, 1));
}

TEST(HandFrames, PushUpMovesTheOldFrameUp)
{
  // 10 x 20 at P 25: Y 5; old rows 5..19 to 0..14, picture rows 0..4 to 15..19.
  const TFxBitmap old = Make(10, 20, [](int x, int y) { return Rgb(x, y, 1); });
  const TFxBitmap f = Draw(134, old, Coords(10, 20), 25);
  EXPECT_EQ(Pixel(f, 3, 0), Rgb(3, 5, 1));
  EXPECT_EQ(Pixel(f, 3, 14), Rgb(3, 19, 1));
  EXPECT_EQ(Pixel(f, 3, 15), Rgb(3, 0, 200));
  EXPECT_EQ(Pixel(f, 9, 19), Rgb(9, 4, 200));
}

TEST(HandFrames, UnrollFromLeftShowsTheNextPartReversedAndShaded)
{
  // 40 x 4 at P 50: X 20, roll S = 4. Columns 0..19 are the picture; the
  // roll 20..23 holds picture columns 27, 26, 25, 24, shaded by -64, -32, 0,
  // -32; the rest is the old frame.
  const TFxBitmap picture = Make(40, 4, [](int x, int) { return Rgb(100 + x, 150, 64 + x); });
  const TFxBitmap f = Draw(14, Plain(40, 4, Old), picture, 50);
  for (int x = 0; x < 20; ++x)
    EXPECT_EQ(Pixel(f, x, 2), Pixel(picture, x, 2));
  EXPECT_EQ(Pixel(f, 20, 1), Rgb(127 - 64, 150 - 64, 91 - 64));
  EXPECT_EQ(Pixel(f, 21, 1), Rgb(126 - 32, 150 - 32, 90 - 32));
  EXPECT_EQ(Pixel(f, 22, 1), Rgb(125, 150, 89));
  EXPECT_EQ(Pixel(f, 23, 1), Rgb(124 - 32, 150 - 32, 88 - 32));
  for (int x = 24; x < 40; ++x)
    EXPECT_EQ(Pixel(f, x, 3), Old);
}

TEST(HandFrames, FadeHalfwayMeetsInTheMiddle)
{
  // Weight 128: 0 -> 255 gives 127, 255 -> 0 gives 255 - 128 = 127.
  const TFxBitmap f = Draw(119, Plain(3, 3, Rgb(0, 255, 0)), Plain(3, 3, Rgb(255, 0, 255)), 50);
  EXPECT_EQ(Pixel(f, 1, 1), Rgb(127, 127, 127));
}

TEST(HandFrames, ChannelMixAtSixtySixHasTwoChannelsOfThePicture)
{
  // At P 66 K1 is copied and K2 moved with weight 256: two channels are the
  // picture's, the third still the old frame's. At P 20 only K1 has moved,
  // by 256 * 20 / 33 = 155: 0 + (155 * 200) >> 8 = 121.
  const TFxBitmap old = Plain(4, 4, Rgb(0, 0, 0));
  const TFxBitmap picture = Plain(4, 4, Rgb(200, 200, 200));
  for (uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
    const uint32_t at66 = Pixel(Draw(172, old, picture, 66, seed), 2, 2);
    const uint32_t at20 = Pixel(Draw(172, old, picture, 20, seed), 2, 2);
    const int c66[3] = {Red(at66), Green(at66), Blue(at66)};
    const int c20[3] = {Red(at20), Green(at20), Blue(at20)};
    int copied = 0, moved = 0;
    for (int k = 0; k < 3; ++k) {
      copied += c66[k] == 200;
      EXPECT_TRUE(c66[k] == 200 || c66[k] == 0);
      if (c20[k] == 121) {
        ++moved;
        EXPECT_EQ(c66[k], 200) << "K1 must stay copied";
      } else {
        EXPECT_EQ(c20[k], 0);
      }
    }
    EXPECT_EQ(copied, 2) << seed;
    EXPECT_EQ(moved, 1) << seed;
  }
}

TEST(HandFrames, UnevenBlindWithXZeroDrawsNothing)
{
  // 10 x 10 at P 4: X = 0.4 -> 0.
  const TFxBitmap old = Plain(10, 10, Old);
  EXPECT_EQ(Draw(139, old, Coords(10, 10), 4), old);
  EXPECT_EQ(Draw(140, old, Coords(10, 10), 1), old);
}

TEST(HandFrames, UnevenBlindFromLeftOpensEachPeriod)
{
  // 20 x 2 at P 50: X 10, A 5: columns 0..4 and 10..14.
  const TFxBitmap f = Draw(139, Plain(20, 2, Old), Coords(20, 2), 50);
  for (int x = 0; x < 20; ++x)
    EXPECT_EQ(Pixel(f, x, 1), x % 10 < 5 ? Rgb(x, 1, 200) : Old) << x;
}

TEST(HandFrames, SweepsAQuarterAtTwentyFive)
{
  const TFxBitmap old = Plain(100, 100, Old);
  const TFxBitmap cw = Draw(144, old, Coords(100, 100), 25);
  EXPECT_EQ(Pixel(cw, 75, 25), Rgb(75, 25, 200));
  EXPECT_EQ(Pixel(cw, 25, 25), Old);
  EXPECT_EQ(Pixel(cw, 25, 75), Old);
  EXPECT_EQ(Pixel(cw, 75, 75), Old);
  const TFxBitmap acw = Draw(145, old, Coords(100, 100), 25);
  EXPECT_EQ(Pixel(acw, 25, 25), Rgb(25, 25, 200));
  EXPECT_EQ(Pixel(acw, 75, 25), Old);
}

TEST(HandFrames, BarsInFromRightSecondPhase)
{
  // 10 x 10 at P 70: X 7, A 14: even rows whole, odd rows from column 6.
  const TFxBitmap f = Draw(60, Plain(10, 10, Old), Coords(10, 10), 70);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x)
      EXPECT_EQ(Pixel(f, x, y), (y % 2 == 0 || x >= 6) ? Rgb(x, y, 200) : Old) << x << "," << y;
}

TEST(HandFrames, RevealDiagonalFromTopLeft)
{
  // 20 x 20 at P 50: X = Y = 10, triangle (0, 0), (20, 0), (0, 20).
  const TFxBitmap f = Draw(110, Plain(20, 20, Old), Coords(20, 20), 50);
  EXPECT_EQ(Pixel(f, 2, 2), Rgb(2, 2, 200));
  EXPECT_EQ(Pixel(f, 15, 1), Rgb(15, 1, 200));
  EXPECT_EQ(Pixel(f, 15, 15), Old);
  EXPECT_EQ(Pixel(f, 11, 11), Old);
}

TEST(HandFrames, RevealInToCentreLeavesTheMiddle)
{
  // 20 x 10 at P 50: X 10, Y 5; everything but (5, 2)-(15, 8).
  const TFxBitmap f = Draw(54, Plain(20, 10, Old), Coords(20, 10), 50);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool middle = x >= 5 && x < 15 && y >= 2 && y < 8;
      EXPECT_EQ(Pixel(f, x, y), middle ? Old : Rgb(x, y, 200)) << x << "," << y;
    }
}

TEST(HandFrames, PixelateHalfwayShowsFourBlocksOfTheBlendedMiddle)
{
  // 200 x 100 at P 50: K 98, Dx 98, Dy 49; source (98, 49, 4, 2) after a 50%
  // blend, stretched into (-196, -98, 592, 296): blocks 148 wide and high,
  // so the visible frame is four quarters showing the blended pixels at
  // (99 or 100, 49 or 50).
  const TFxBitmap old = Make(200, 100, [](int x, int y) { return Rgb(x, y, 0); });
  const TFxBitmap picture = Make(200, 100, [](int x, int y) { return Rgb(0, 2 * y, x); });
  const TFxBitmap f = Draw(168, old, picture, 50);
  auto blended = [&](int x, int y) {
    // S + (128 * (N - S)) >> 8
    auto mix = [](int s, int n) { return s + ((128 * (n - s)) >> 8); };
    return Rgb(mix(x, 0), mix(y, 2 * y), mix(0, x));
  };
  for (int y = 0; y < 100; y += 3)
    for (int x = 0; x < 200; x += 3)
      ASSERT_EQ(Pixel(f, x, y), blended(x < 100 ? 99 : 100, y < 50 ? 49 : 50)) << x << "," << y;
}

TEST(HandFrames, RandomSquaresAreWholeSquares)
{
  // 200 x 100: side 100 / 50 * 2 + 2 = 6; each 6 x 6 cell is all old or all new.
  const TFxBitmap picture = Coords(200, 100);
  const TFxBitmap f = Draw(128, Plain(200, 100, Old), picture, 50);
  int shown = 0, cells = 0;
  for (int cy = 0; cy < 100; cy += 6)
    for (int cx = 0; cx < 200; cx += 6) {
      const bool isNew = Pixel(f, cx, cy) != Old;
      ++cells;
      shown += isNew;
      for (int y = cy; y < std::min(cy + 6, 100); ++y)
        for (int x = cx; x < std::min(cx + 6, 200); ++x)
          ASSERT_EQ(Pixel(f, x, y), isNew ? Pixel(picture, x, y) : Old);
    }
  EXPECT_GT(shown, cells / 3);
  EXPECT_LT(shown, 2 * cells / 3);
}

TEST(HandFrames, DissolveAndRandomBarsRevealAboutPPercent)
{
  const TFxBitmap old = Plain(200, 100, Old);
  const TFxBitmap picture = Coords(200, 100);
  const TFxBitmap d = Draw(169, old, picture, 30);
  int shown = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x)
      shown += Pixel(d, x, y) != Old;
  EXPECT_NEAR(shown / 20000.0, 0.30, 0.03);
  // Random bars: each row (column) whole or not at all.
  const TFxBitmap rows = Draw(170, old, picture, 50);
  for (int y = 0; y < 100; ++y)
    for (int x = 1; x < 200; ++x)
      ASSERT_EQ(Pixel(rows, x, y) == Old, Pixel(rows, 0, y) == Old);
  const TFxBitmap cols = Draw(171, old, picture, 50);
  for (int x = 0; x < 200; ++x)
    for (int y = 1; y < 100; ++y)
      ASSERT_EQ(Pixel(cols, x, y) == Old, Pixel(cols, x, 0) == Old);
}

TEST(HandFrames, PivotNearTheEndIsAlmostInPlace)
{
  // At P 99 the turn is pi / 200 about (-1, -1): cosine 65528 and sine 1029
  // in 16.16. Pixel (50, 30), offset (51, 31): source x = -1 + (51 * 65528 -
  // 31 * 1029) >> 16 = -1 + 50, y = -1 + (51 * 1029 + 31 * 65528) >> 16 = -1 +
  // 31, so it shows the picture's (49, 30). Pixel (0, 0) reads (-1, -1),
  // outside the picture, and keeps the old frame.
  const TFxBitmap picture = Coords(100, 100);
  const TFxBitmap f = Draw(120, Plain(100, 100, Old), picture, 99);
  EXPECT_EQ(Pixel(f, 50, 30), Pixel(picture, 49, 30));
  EXPECT_EQ(Pixel(f, 3, 3), Pixel(picture, 2, 3));
  EXPECT_EQ(Pixel(f, 0, 0), Old);
}

TEST(HandFrames, RotatingRectangleTurnsWithTheTransitionsBit)
{
  // 100 x 100 at P 25: a 25 x 25 square about the centre turned a half turn
  // (pi / 2 per 25): it covers itself again whichever way it turns.
  const TFxBitmap old = Plain(100, 100, Old);
  const TFxBitmap picture = Coords(100, 100);
  for (uint32_t seed : {2u, 3u}) {
    const TFxBitmap f = Draw(150, old, picture, 25, seed);
    EXPECT_EQ(Pixel(f, 50, 50), Pixel(picture, 50, 50));
    EXPECT_EQ(Pixel(f, 40, 40), Pixel(picture, 40, 40));
    EXPECT_EQ(Pixel(f, 30, 30), Old);
  }
}

TEST(HandFrames, RegionEffectWithAnEmptyRegionLeavesTheOldFrame)
{
  // A sweep at P 1 has a single segment, so its region is empty; the bars of
  // effect 64 at P 1 on 10 pixels have X 0.
  const TFxBitmap old = Plain(10, 10, Old);
  EXPECT_EQ(Draw(144, old, Coords(10, 10), 1), old);
  EXPECT_EQ(Draw(64, old, Coords(10, 10), 1), old);
}
