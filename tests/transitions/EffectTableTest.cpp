#include "transitions/RevealFx.h"

#include <QColor>

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(Effects, HasAProcedureForEveryStyle)
{
  EXPECT_EQ(Effects[0].Proc, nullptr);
  std::set<TEffectProc> procs;
  for (int i = 1; i <= EffectCount; ++i) {
    ASSERT_NE(Effects[static_cast<size_t>(i)].Proc, nullptr) << i;
    procs.insert(Effects[static_cast<size_t>(i)].Proc);
  }
  EXPECT_EQ(procs.size(), 172u);
}

TEST(Effects, NamesAsUsersKnowThemOddSpellingsIncluded)
{
  const std::pair<int, const char*> names[] = {
      {1, "Expand from right"},
      {18, "Expand from bottom"},
      {25, "Expand in from top"},
      {26, "Expand in to middle (horiz)"},
      {29, "Slide in from top / bottom"},
      {33, "Expand from bottom"},
      {34, "Expand in from top"},
      {51, "Appear and Contract to middle"},
      {76, "Unven shred from bottom"},
      {114, "Diagonal sweep from top left bottom right anticlockwise"},
      {135, "Push and sqeeze down"},
      {136, "Push and sqeeze up"},
      {146, "Rectangles apear from left and disapear to right"},
      {149, "Rectangles apear from bottom and disapear to up"},
      {168, "Pixelate"},
      {172, "Channel Mix"},
  };
  for (const auto& [n, name] : names)
    EXPECT_STREQ(Effects[static_cast<size_t>(n)].Name, name) << n;
}

TEST(EffectByName, RepeatedNamesFindTheLowerNumberIgnoringCase)
{
  EXPECT_EQ(EffectByName("Expand from bottom"), 18);
  EXPECT_EQ(EffectByName("EXPAND IN FROM TOP"), 25);
  EXPECT_EQ(EffectByName("appear and contract to middle"), 51);
  EXPECT_EQ(EffectByName("Channel Mix"), 172);
  EXPECT_EQ(EffectByName("Uneven shred from bottom"), 0);  // its name is misspelt
  EXPECT_EQ(EffectByName(""), 0);
}

TEST(FxMulDiv, RoundsHalvesAwayFromZero)
{
  EXPECT_EQ(FxMulDiv(9, 50, 100), 5);     // 4.5
  EXPECT_EQ(FxMulDiv(-9, 50, 100), -5);   // -4.5
  EXPECT_EQ(FxMulDiv(7, 5, 9), 4);        // 3.89
  EXPECT_EQ(FxMulDiv(200, 1, 100), 2);
  EXPECT_EQ(FxMulDiv(100000, 100000, 100000), 100000);  // 64-bit product
  EXPECT_EQ(FxMulDiv(5, 5, 0), -1);
}

TEST(ProjectProgress, AlongTheLongerSideFirst)
{
  int x = 0, y = 0;
  ProjectProgress(200, 100, 50, x, y);
  EXPECT_EQ(x, 100);
  EXPECT_EQ(y, 50);
  ProjectProgress(100, 200, 50, x, y);
  EXPECT_EQ(x, 50);
  EXPECT_EQ(y, 100);
  ProjectProgress(9, 7, 50, x, y);  // X 4.5 -> 5, Y 5 * 7 / 9 = 3.89 -> 4
  EXPECT_EQ(x, 5);
  EXPECT_EQ(y, 4);
  ProjectProgress(2, 3, 50, x, y);  // Y 1.5 -> 2, X 2 * 2 / 3 = 1.33 -> 1
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 2);
}

TEST(DrawEffect, IgnoresUnknownStylesAndMismatchedSizes)
{
  TFxBitmap screen = FxNewBitmap(4, 4);
  const TFxBitmap before = screen.copy();
  TFxBitmap picture = FxNewBitmap(4, 4);
  picture.fill(0xFFFFFFFFu);
  TFxRandom rnd(1);
  DrawEffect(0, screen, picture, 50, rnd);
  DrawEffect(173, screen, picture, 50, rnd);
  DrawEffect(5, screen, FxNewBitmap(5, 4), 50, rnd);
  EXPECT_EQ(screen, before);
}

TEST(DrawEffect, TakesPicturesOfOtherPixelFormats)
{
  // A 24-bit picture is read as 32-bit pixels; the screen stays 32-bit.
  QImage picture(4, 2, QImage::Format_RGB888);
  picture.fill(QColor(200, 100, 50));
  TFxBitmap screen = FxNewBitmap(4, 2);
  TFxRandom rnd(1);
  DrawEffect(5, screen, picture, 50, rnd);  // reveal the left 2 columns
  EXPECT_EQ(screen.format(), QImage::Format_RGB32);
  EXPECT_EQ(FxRow(screen, 1)[1] & 0xFFFFFF, 0xC86432u);
  EXPECT_EQ(FxRow(screen, 1)[2] & 0xFFFFFF, 0u);
}
