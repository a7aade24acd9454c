#include "transitions/StretchCopy.h"

#include "FxTestImages.h"

#include <gtest/gtest.h>

#include <vector>

using namespace fxtest;

namespace {

// Each pixel tells where it came from: red = x, green = y.
TFxBitmap Coords(int w, int h) { return Make(w, h, [](int x, int y) { return Rgb(x, y, 7); }); }

}  // namespace

TEST(MoveRow, OverlappingRangesInBothDirections)
{
  std::vector<uint32_t> row{1, 2, 3, 4, 5, 6};
  MoveRow(row.data() + 1, row.data(), 4);
  EXPECT_EQ(row, (std::vector<uint32_t>{1, 1, 2, 3, 4, 6}));
  MoveRow(row.data(), row.data() + 2, 4);
  EXPECT_EQ(row, (std::vector<uint32_t>{2, 3, 4, 6, 4, 6}));
}

TEST(CopyBlock, ClipsAtEveryEdge)
{
  TFxBitmap dest = Make(4, 3, [](int, int) { return Rgb(0, 0, 0); });
  const TFxBitmap src = Coords(4, 3);
  CopyBlock(dest, -1, 2, src, 0, 0, 4, 3);  // only (1..3, 0) of src lands, at row 2
  for (int x = 0; x < 4; ++x)
    for (int y = 0; y < 3; ++y) {
      const uint32_t p = Pixel(dest, x, y);
      if (y == 2 && x < 3)
        EXPECT_EQ(p, Rgb(x + 1, 0, 7));
      else
        EXPECT_EQ(p, Rgb(0, 0, 0));
    }
  CopyBlock(dest, 0, 0, src, 3, 2, 5, 5);  // source past its edge: one pixel
  EXPECT_EQ(Pixel(dest, 0, 0), Rgb(3, 2, 7));
  EXPECT_EQ(Pixel(dest, 1, 0), Rgb(0, 0, 0));
}

TEST(CopyBlock, ScreenOntoItselfDownAndRight)
{
  TFxBitmap s = Coords(5, 5);
  CopyBlock(s, 1, 2, s, 0, 0, 4, 3);
  for (int y = 2; y < 5; ++y)
    for (int x = 1; x < 5; ++x)
      EXPECT_EQ(Pixel(s, x, y), Rgb(x - 1, y - 2, 7)) << x << "," << y;
  EXPECT_EQ(Pixel(s, 0, 4), Rgb(0, 4, 7));
}

TEST(CopyBlock, ScreenOntoItselfUpAndLeft)
{
  TFxBitmap s = Coords(5, 5);
  CopyBlock(s, 0, 0, s, 2, 1, 3, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(Pixel(s, x, y), Rgb(x + 2, y + 1, 7));
}

TEST(StretchCopy, DoublingRepeatsEachPixel)
{
  TFxBitmap dest = FxNewBitmap(8, 4);
  StretchCopy(dest, 0, 0, 8, 4, Coords(4, 2), 0, 0, 4, 2);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(Pixel(dest, x, y), Rgb(x / 2, y / 2, 7));
}

TEST(StretchCopy, HalvingTakesOneOfEachPair)
{
  // Pairs of equal columns, so either pixel of a pair is right.
  const TFxBitmap src = Make(8, 2, [](int x, int y) { return Rgb(x / 2, y, 1); });
  TFxBitmap dest = FxNewBitmap(4, 2);
  StretchCopy(dest, 0, 0, 4, 2, src, 0, 0, 8, 2);
  for (int x = 0; x < 4; ++x)
    EXPECT_EQ(Pixel(dest, x, 1), Rgb(x, 1, 1));
}

TEST(StretchCopy, NegativeTargetWidthMirrorsFromItsStartColumn)
{
  TFxBitmap dest = FxNewBitmap(5, 1);
  StretchCopy(dest, 4, 0, -5, 1, Coords(5, 1), 0, 0, 5, 1);
  for (int x = 0; x < 5; ++x)
    EXPECT_EQ(Red(Pixel(dest, x, 0)), 4 - x);
}

TEST(StretchCopy, NegativeSourceHeightMirrorsAndBothNegativeDoNot)
{
  TFxBitmap dest = FxNewBitmap(1, 4);
  const TFxBitmap src = Coords(1, 4);
  StretchCopy(dest, 0, 0, 1, 4, src, 0, 3, 1, -4);
  for (int y = 0; y < 4; ++y)
    EXPECT_EQ(Green(Pixel(dest, 0, y)), 3 - y);
  StretchCopy(dest, 0, 3, 1, -4, src, 0, 3, 1, -4);
  for (int y = 0; y < 4; ++y)
    EXPECT_EQ(Green(Pixel(dest, 0, y)), y);
}

TEST(StretchCopy, ScreenAsItsOwnSourceReadsTheOldPixels)
{
  TFxBitmap s = Coords(6, 6);
  const TFxBitmap before = s.copy();
  TFxBitmap expected = s.copy();
  StretchCopy(expected, 0, 0, 6, 6, before, 1, 1, 3, 3);
  StretchCopy(s, 0, 0, 6, 6, s, 1, 1, 3, 3);
  EXPECT_TRUE(SamePixels(s, expected));
  EXPECT_EQ(Pixel(s, 5, 5), Rgb(3, 3, 7));
}

TEST(StretchCopy, FarOutsideAndEmptyRectanglesAreHarmless)
{
  TFxBitmap dest = Make(3, 3, [](int, int) { return Rgb(9, 9, 9); });
  const TFxBitmap src = Coords(3, 3);
  StretchCopy(dest, -1000, -1000, 10, 10, src, 0, 0, 3, 3);
  StretchCopy(dest, 0, 0, 3, 3, src, 50, 50, 3, 3);
  StretchCopy(dest, 0, 0, 0, 3, src, 0, 0, 3, 3);
  StretchCopy(dest, 0, 0, 3, 3, src, 0, 0, 3, 0);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(Pixel(dest, x, y), Rgb(9, 9, 9));
  // A large target overhanging all sides shows the middle of the source.
  StretchCopy(dest, -3, -3, 9, 9, src, 0, 0, 3, 3);
  EXPECT_EQ(Pixel(dest, 1, 1), Rgb(1, 1, 7));
}
