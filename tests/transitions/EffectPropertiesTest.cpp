// Properties every effect must have, run over the whole table.

#include "transitions/RevealFx.h"

#include "FxTestImages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace fxtest;

namespace {

std::set<int> Styles(std::initializer_list<std::pair<int, int>> ranges)
{
  std::set<int> s;
  for (auto [from, to] : ranges)
    for (int i = from; i <= to; ++i)
      s.insert(i);
  return s;
}

// Effects that only choose, pixel by pixel, between the old frame and the
// picture: reveals, regions, bars, shreds, speckle, polygons, zigzags,
// cells, sweeps, rotating shapes and the pixel-choosing effects.
const std::set<int> InPlace = Styles({{5, 6}, {11, 12}, {22, 23}, {28, 29}, {43, 46}, {53, 55},
                                      {58, 59}, {69, 70}, {80, 85}, {60, 64}, {71, 75},
                                      {86, 99}, {65, 68}, {76, 79}, {100, 109}, {124, 127},
                                      {110, 117}, {154, 167}, {118, 118}, {137, 143},
                                      {146, 149}, {153, 153}, {144, 145}, {150, 152},
                                      {128, 128}, {169, 171}});

// Effects that cover the whole screen with the picture from the first frame
// on: the "expand in" and "appear and contract" ones blow a sliver of it up,
// the build-up ones stretch the next tenth over what is not yet revealed.
const std::set<int> CoverAtOnce = {7, 8, 9, 16, 17, 24, 25, 26, 33, 34, 47, 48, 49, 50, 51};

// Effects that restart the transition's fixed sequence on every frame.
const std::set<int> FixedChoice = {128, 169, 170, 171, 172};

// Effects that draw from the transition's running generator.
const std::set<int> Running = Styles({{65, 68}, {76, 79}, {100, 109}, {124, 127}});

TFxBitmap Frame(int style, const TFxBitmap& old, const TFxBitmap& picture, int p, TFxRandom& rnd)
{
  TFxBitmap screen = old.copy();
  DrawEffect(style, screen, picture, p, rnd);
  return screen;
}

TFxBitmap Frame(int style, const TFxBitmap& old, const TFxBitmap& picture, int p)
{
  TFxRandom rnd(0x2468ACE1u);
  return Frame(style, old, picture, p, rnd);
}

class EveryEffect : public ::testing::TestWithParam<int> {};

std::string StyleName(const ::testing::TestParamInfo<int>& info)
{
  char buf[16];
  std::snprintf(buf, sizeof buf, "Style%03d", info.param);
  return buf;
}

}  // namespace

TEST_P(EveryEffect, AnySizeAndProgressKeepsThePictureAndTheFrameSize)
{
  const int style = GetParam();
  const std::pair<int, int> sizes[] = {{1, 1}, {2, 3}, {9, 7}, {200, 100}, {100, 200}};
  for (auto [w, h] : sizes) {
    const TFxBitmap old = SmoothOld(w, h);
    const TFxBitmap picture = SmoothNew(w, h);
    const TFxBitmap pristine = picture.copy();
    TFxRandom rnd(w * 1000u + h);
    for (int p : {1, 2, 50, 98, 99}) {
      TFxBitmap screen = old.copy();
      DrawEffect(style, screen, picture, p, rnd);
      ASSERT_EQ(screen.size(), QSize(w, h)) << w << "x" << h << " at " << p;
      ASSERT_EQ(screen.format(), QImage::Format_RGB32);
      ASSERT_EQ(picture, pristine) << "picture written at " << w << "x" << h << " P " << p;
    }
  }
}

TEST_P(EveryEffect, RunsFromTheOldFrameTowardsThePicture)
{
  const int style = GetParam();
  for (auto [w, h] : {std::pair{200, 100}, std::pair{100, 200}}) {
    const TFxBitmap old = SmoothOld(w, h);
    const TFxBitmap picture = SmoothNew(w, h);
    const TFxBitmap first = Frame(style, old, picture, 1);
    const TFxBitmap middle = Frame(style, old, picture, 50);
    const TFxBitmap last = Frame(style, old, picture, 99);
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    EXPECT_LT(Distance(last, picture), Distance(first, picture));
    EXPECT_LT(Distance(last, picture), Distance(last, old));
    if (!CoverAtOnce.count(style)) {
      EXPECT_LT(Distance(first, old), Distance(first, picture));
    }
    EXPECT_FALSE(SamePixels(middle, old));
    EXPECT_FALSE(SamePixels(middle, picture));
  }
}

class InPlaceEffect : public ::testing::TestWithParam<int> {};

TEST_P(InPlaceEffect, ShowsOnlyOldOrNewPixelsOfThePlace)
{
  const int style = GetParam();
  for (auto [w, h] : {std::pair{200, 100}, std::pair{100, 200}, std::pair{9, 7}}) {
    const TFxBitmap old = SmoothOld(w, h);
    const TFxBitmap picture = SmoothNew(w, h);
    for (int p : {1, 2, 17, 33, 50, 66, 83, 98, 99}) {
      const TFxBitmap f = Frame(style, old, picture, p);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const uint32_t v = Pixel(f, x, y);
          ASSERT_TRUE(v == Pixel(old, x, y) || v == Pixel(picture, x, y))
              << w << "x" << h << " P " << p << " at " << x << "," << y;
        }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(InPlaceFamilies, InPlaceEffect,
                         ::testing::ValuesIn(std::vector<int>(InPlace.begin(), InPlace.end())),
                         StyleName);

class CoverAtOnceEffect : public ::testing::TestWithParam<int> {};

TEST_P(CoverAtOnceEffect, FirstFrameIsMadeOfASliverOfThePicture)
{
  const int style = GetParam();
  // At P 1 on 200 x 100, X is 2 and Y is 1: every pixel of the frame is a
  // pixel of the picture, taken from the sliver the effect starts from (at
  // most the first 2 columns or 1 row, plus the next tenth for the build-up
  // effects), so the frame holds far fewer colours than the picture.
  const TFxBitmap picture = Make(200, 100, [](int x, int y) { return Rgb(x, y, 99); });
  const TFxBitmap f = Frame(style, SmoothOld(200, 100), picture, 1);
  std::set<uint32_t> colours;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) {
      ASSERT_EQ(Blue(Pixel(f, x, y)), 99) << x << "," << y;
      colours.insert(Pixel(f, x, y));
    }
  EXPECT_LE(colours.size(), 2200u);
}

INSTANTIATE_TEST_SUITE_P(CoverFamilies, CoverAtOnceEffect,
                         ::testing::ValuesIn(std::vector<int>(CoverAtOnce.begin(), CoverAtOnce.end())),
                         StyleName);

TEST_P(EveryEffect, SameSeedGivesTheSameFrames)
{
  const int style = GetParam();
  const TFxBitmap old = SmoothOld(200, 100);
  const TFxBitmap picture = SmoothNew(200, 100);
  TFxRandom a(77), b(77);
  for (int p = 3; p < 100; p += 16)
    ASSERT_EQ(Frame(style, old, picture, p, a), Frame(style, old, picture, p, b)) << p;
}

TEST_P(EveryEffect, AnyFrameCanBeRedrawnOnItsOwn)
{
  // Frames depend on the progress alone (the component redraws a frame when
  // the style changes or the application sets the progress), except that
  // shred and speckle edges are meant to flicker.
  const int style = GetParam();
  if (Running.count(style))
    GTEST_SKIP() << "edges flicker by design";
  const TFxBitmap old = SmoothOld(90, 60);
  const TFxBitmap picture = SmoothNew(90, 60);
  TFxRandom during(31);
  for (int p : {80, 10, 35})
    Frame(style, old, picture, p, during);
  const TFxBitmap later = Frame(style, old, picture, 50, during);
  TFxRandom fresh(31);
  EXPECT_EQ(later, Frame(style, old, picture, 50, fresh));
}

INSTANTIATE_TEST_SUITE_P(AllEffects, EveryEffect, ::testing::Range(1, EffectCount + 1), StyleName);

// The randomly chosen squares, pixels and bars of one transition stay
// chosen: revealed pixels only grow with progress.
class FixedChoiceEffect : public ::testing::TestWithParam<int> {};

TEST_P(FixedChoiceEffect, RevealedPixelsOnlyGrow)
{
  const int style = GetParam();
  const TFxBitmap old = SmoothOld(200, 100);
  const TFxBitmap picture = SmoothNew(200, 100);
  TFxRandom rnd(0xBEEFu);
  std::vector<bool> revealed(200 * 100, false);
  int last = 0;
  for (int p = 1; p < 100; p += 7) {
    const TFxBitmap f = Frame(style, old, picture, p, rnd);
    int count = 0;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 200; ++x) {
        const bool now = Pixel(f, x, y) == Pixel(picture, x, y);
        ASSERT_FALSE(revealed[y * 200 + x] && !now) << "P " << p << " at " << x << "," << y;
        revealed[y * 200 + x] = now;
        count += now;
      }
    EXPECT_GE(count, last);
    last = count;
  }
  EXPECT_GT(last, 0);
}

TEST_P(FixedChoiceEffect, AnotherSeedChoosesOtherwise)
{
  const int style = GetParam();
  const TFxBitmap old = SmoothOld(200, 100);
  const TFxBitmap picture = SmoothNew(200, 100);
  TFxRandom a(1), b(2);
  EXPECT_NE(Frame(style, old, picture, 50, a), Frame(style, old, picture, 50, b));
}

INSTANTIATE_TEST_SUITE_P(RandomEffects, FixedChoiceEffect, ::testing::Values(128, 169, 170, 171),
                         StyleName);

TEST(RunningGenerator, ShredEdgesChangeFromFrameToFrame)
{
  const TFxBitmap old = SmoothOld(200, 100);
  const TFxBitmap picture = SmoothNew(200, 100);
  for (int style : Running) {
    TFxRandom rnd(5);
    EXPECT_NE(Frame(style, old, picture, 40, rnd), Frame(style, old, picture, 40, rnd)) << style;
  }
}
