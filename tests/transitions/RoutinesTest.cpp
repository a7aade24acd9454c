#include "transitions/ComplexRegion.h"
#include "transitions/FxRandom.h"
#include "transitions/RevealFxRoutines.h"

#include "FxTestImages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <numbers>

using namespace fxtest;

namespace {

int32_t Field(const TComplexRegion& r, int offset)
{
  int32_t v;
  std::memcpy(&v, r.Buffer().data() + offset, 4);
  return v;
}

}  // namespace

TEST(ComplexRegion, StartsEmptyWithInsideOutBounds)
{
  TComplexRegion r;
  EXPECT_EQ(r.Count(), 0);
  EXPECT_EQ(r.Capacity(), 0);
  EXPECT_EQ(r.BoundLeft(), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(r.BoundRight(), -2147483647);
  EXPECT_FALSE(r.CreateRegion().has_value());
}

TEST(ComplexRegion, CollectsRectanglesIntoOneRegionWithHeader)
{
  TComplexRegion r;
  r.AddRect(0, 0, 2, 2);
  r.AddRect(5, 1, 7, 4);
  r.AddRect(1, 1, 3, 3);  // overlaps the first
  const auto region = r.CreateRegion();
  ASSERT_TRUE(region.has_value());
  EXPECT_EQ(Field(r, 0), 32);
  EXPECT_EQ(Field(r, 4), 1);
  EXPECT_EQ(Field(r, 8), 3);
  EXPECT_EQ(Field(r, 12), 16);
  EXPECT_EQ(Field(r, 16), 0);
  EXPECT_EQ(Field(r, 20), 0);
  EXPECT_EQ(Field(r, 24), 7);
  EXPECT_EQ(Field(r, 28), 4);
  EXPECT_EQ(Field(r, 32 + 16 + 8), 7);  // second rectangle's right
  EXPECT_TRUE(region->contains(QPoint(2, 2)));
  EXPECT_TRUE(region->contains(QPoint(6, 3)));
  EXPECT_FALSE(region->contains(QPoint(4, 1)));
  EXPECT_FALSE(region->contains(QPoint(7, 3)));  // right edge is outside
  EXPECT_EQ(region->boundingRect(), QRect(0, 0, 7, 4));
}

TEST(ComplexRegion, GrowsByFiveHundredAndClearsAgain)
{
  TComplexRegion r;
  for (int i = 0; i < 501; ++i)
    r.AddRect(i, 0, i + 1, 1);
  EXPECT_EQ(r.Capacity(), 1000);
  EXPECT_EQ(r.Buffer().size(), 1000u * 16 + 36);
  const auto region = r.CreateRegion();
  ASSERT_TRUE(region.has_value());
  EXPECT_EQ(region->boundingRect(), QRect(0, 0, 501, 1));
  r.Clear();
  EXPECT_EQ(r.Count(), 0);
  EXPECT_FALSE(r.CreateRegion().has_value());
}

TEST(ShadeProfile, SeveralStepsPerLineForNarrowRolls)
{
  // Count 10, Amount 64: half 5 < 64, so 64 / 5 = 12 per line.
  EXPECT_EQ(ShadeProfile(64, 10),
            (std::vector<int>{-64, -52, -40, -28, -16, -4, -16, -28, -40, -52}));
  // Count 4: 32 per line, the middle line untouched.
  EXPECT_EQ(ShadeProfile(64, 4), (std::vector<int>{-64, -32, 0, -32}));
}

TEST(ShadeProfile, OneStepEveryFewLinesForWideRolls)
{
  // Count 9, Amount 2: half 4, one step every 2 lines.
  EXPECT_EQ(ShadeProfile(2, 9), (std::vector<int>{-2, -2, -1, -1, 0, -1, -1, -2, -2}));
}

TEST(ShadeProfile, NothingForOneLineOrNoAmount)
{
  EXPECT_TRUE(ShadeProfile(64, 1).empty());
  EXPECT_TRUE(ShadeProfile(0, 10).empty());
}

TEST(ShadeColumns, DarkensColourBytesClampedAtZero)
{
  TFxBitmap s = Make(6, 2, [](int, int) { return Rgb(100, 40, 200); });
  ShadeColumns(s, 64, 1, 4);
  EXPECT_EQ(Pixel(s, 0, 0), Rgb(100, 40, 200));
  EXPECT_EQ(Pixel(s, 1, 1), Rgb(36, 0, 136));
  EXPECT_EQ(Pixel(s, 2, 0), Rgb(68, 8, 168));
  EXPECT_EQ(Pixel(s, 3, 0), Rgb(100, 40, 200));
  EXPECT_EQ(Pixel(s, 4, 1), Rgb(68, 8, 168));
  EXPECT_EQ(Pixel(s, 5, 0), Rgb(100, 40, 200));
}

TEST(ShadeRows, WorksOnRowsAndClipsToTheBitmap)
{
  TFxBitmap s = Make(2, 3, [](int, int) { return Rgb(100, 100, 100); });
  ShadeRows(s, 64, 1, 4);  // rows 1 and 2 exist; offsets -64, -32
  EXPECT_EQ(Pixel(s, 1, 0), Rgb(100, 100, 100));
  EXPECT_EQ(Pixel(s, 0, 1), Rgb(36, 36, 36));
  EXPECT_EQ(Pixel(s, 1, 2), Rgb(68, 68, 68));
}

TEST(BlendRect, MovesEachByteByAnArithmeticShift)
{
  TFxBitmap s = Make(3, 1, [](int x, int) { return x == 0 ? Rgb(0, 255, 100) : Rgb(1, 2, 3); });
  const TFxBitmap n = Make(3, 1, [](int, int) { return Rgb(255, 0, 200); });
  BlendRect(s, n, 50, 1, 1, 0, 0);
  // Weight 128: 0 + (128 * 255) >> 8 = 127; 255 + (128 * -255) >> 8 = 255 - 128 = 127;
  // 100 + (128 * 100) >> 8 = 150.
  EXPECT_EQ(Pixel(s, 0, 0), Rgb(127, 127, 150));
  EXPECT_EQ(Pixel(s, 1, 0), Rgb(1, 2, 3));  // outside the rectangle
  BlendRect(s, n, 30, 1, 1, 0, 1);
  // Weight 76: 1 + (76 * 254) >> 8 = 1 + 75; 2 + (76 * -2) >> 8 = 2 - 1; 3 + (76 * 197) >> 8 = 3 + 58.
  EXPECT_EQ(Pixel(s, 1, 0), Rgb(76, 1, 61));
}

TEST(RotateBitmap, NoTurnCopiesAndAHalfTurnMirrorsAboutThePivot)
{
  const TFxBitmap n = Make(3, 3, [](int x, int y) { return Rgb(x, y, 50); });
  TFxBitmap s = FxNewBitmap(3, 3);
  RotateBitmap(s, n, 1, 0.0, 1);
  EXPECT_TRUE(SamePixels(s, n));
  RotateBitmap(s, n, 1, std::numbers::pi, 1);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(Pixel(s, x, y), Rgb(2 - x, 2 - y, 50));
}

TEST(RotateBitmap, QuarterTurnAboutTheCornerLeavesTheOldFrame)
{
  const TFxBitmap n = Make(4, 4, [](int, int) { return Rgb(1, 1, 1); });
  TFxBitmap s = Make(4, 4, [](int, int) { return Rgb(9, 9, 9); });
  RotateBitmap(s, n, -1, std::numbers::pi / 2, -1);
  EXPECT_TRUE(SamePixels(s, Make(4, 4, [](int, int) { return Rgb(9, 9, 9); })));
}

TEST(RotatePoints, RoundsToNearest)
{
  QPoint pts[2] = {{10, 0}, {3, 5}};
  RotatePoints(pts, 1, 0, std::numbers::pi / 4, 0);
  EXPECT_EQ(pts[0], QPoint(7, 7));  // 7.07, 7.07
  RotatePoints(pts + 1, 1, 3, std::numbers::pi / 2, 3);
  EXPECT_EQ(pts[1], QPoint(1, 3));  // offset (0, 2) turns to (-2, 0)
}

TEST(SectorRegion, QuarterSweepCoversTheTopRightQuarter)
{
  const TFxRegion r = SectorRegion(50, 50, 71, 25, 0.0, -std::numbers::pi / 2);
  EXPECT_TRUE(r.contains(QPoint(75, 25)));
  EXPECT_TRUE(r.contains(QPoint(55, 10)));
  EXPECT_FALSE(r.contains(QPoint(25, 25)));
  EXPECT_FALSE(r.contains(QPoint(75, 75)));
  EXPECT_TRUE(SectorRegion(50, 50, 71, 1, 0.0, 1.0).isEmpty());  // one segment: a line
}

TEST(PolygonRegion, FlatListOfCoordinatesWithWindingFill)
{
  const int tri[] = {0, 0, 10, 0, 0, 10};
  const TFxRegion r = PolygonRegion(tri, 5);
  EXPECT_TRUE(r.contains(QPoint(2, 2)));
  EXPECT_FALSE(r.contains(QPoint(8, 8)));
  // A self-overlapping star keeps its middle under winding fill.
  const std::vector<QPoint> pentagram{{10, 0}, {16, 20}, {0, 7}, {20, 7}, {4, 20}};
  EXPECT_TRUE(PolygonRegion(pentagram).contains(QPoint(10, 11)));
}

TEST(RoundRectRegion, CornersAreCutAndEdgesStayStraight)
{
  const TFxRegion r = RoundRectRegion(0, 0, 20, 20, 10, 10);
  EXPECT_FALSE(r.contains(QPoint(0, 0)));
  EXPECT_TRUE(r.contains(QPoint(10, 0)));
  EXPECT_TRUE(r.contains(QPoint(0, 10)));
  EXPECT_TRUE(r.contains(QPoint(19, 10)));
  EXPECT_FALSE(r.contains(QPoint(20, 10)));
  const TFxRegion e = EllipseRegion(0, 0, 20, 10);
  EXPECT_TRUE(e.contains(QPoint(10, 5)));
  EXPECT_FALSE(e.contains(QPoint(1, 1)));
}

TEST(FxRandom, EmptyRangesGiveZeroInsteadOfGarbage)
{
  TFxRandom r(123);
  for (int i = 0; i < 100; ++i) {
    EXPECT_EQ(r.Next(0), 0);
    EXPECT_EQ(r.Next(-7), 0);
    EXPECT_EQ(r.Next(1), 0);
    const int v = r.Next(10);
    EXPECT_GE(v, 0);
    EXPECT_LT(v, 10);
  }
}

TEST(FxRandom, RestartingRepeatsTheTransitionsSequence)
{
  TFxRandom r(99);
  r.Next(50);
  r.Next(50);
  TFxRandom a = r.Restarted(), b = TFxRandom(99);
  for (int i = 0; i < 20; ++i)
    EXPECT_EQ(a.Next(1000), b.Next(1000));
  EXPECT_TRUE(TFxRandom(7).Reversed());
  EXPECT_FALSE(TFxRandom(8).Reversed());
}
