#include "transitions/RevealFxRegions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The region as text, one line per row ("#" inside, "." outside), to compare
// with pictures worked out by hand.
std::string Rows(const TFxRegion& r, int w, int h)
{
  std::string s;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x)
      s += r.contains(QPoint(x, y)) ? '#' : '.';
    s += '\n';
  }
  return s;
}

}  // namespace

// 10 x 10: bars one row thick (10 / 50 + 1), every other row first.
TEST(BarsRegion, FirstPhaseGrowsEveryOtherRowFromTheRight)
{
  EXPECT_EQ(Rows(BarsRegion(4, 0, 10, 10, 1, 0), 10, 4), "......####\n"
                                                           "..........\n"
                                                           "......####\n"
                                                           "..........\n");
}

TEST(BarsRegion, SecondPhaseFillsTheGapsFromTheOtherSide)
{
  // Kind 4: left first, then the gaps from the right (2W - A = 6).
  EXPECT_EQ(Rows(BarsRegion(14, 0, 10, 10, 4, 0), 10, 4), "##########\n"
                                                            "......####\n"
                                                            "##########\n"
                                                            "......####\n");
  // Kind 5: right first, then the gaps from the left (A - W = 4).
  EXPECT_EQ(Rows(BarsRegion(14, 0, 10, 10, 5, 0), 10, 2), "##########\n"
                                                            "####......\n");
}

TEST(BarsRegion, FromBothSidesAlternates)
{
  EXPECT_EQ(Rows(BarsRegion(3, 0, 10, 10, 3, 0), 10, 3), ".......###\n"
                                                           "###.......\n"
                                                           ".......###\n");
}

TEST(BarsRegion, VerticalBarsFromTheTopAndBothSetsTogether)
{
  EXPECT_EQ(Rows(BarsRegion(0, 2, 6, 6, 0, 2), 6, 3), "#.#.#.\n"
                                                        "#.#.#.\n"
                                                        "......\n");
  EXPECT_EQ(Rows(BarsRegion(2, 2, 6, 6, 2, 2), 6, 3), "###.#.\n"
                                                        "#.#.#.\n"
                                                        "##....\n");
}

TEST(ShredRegion, NarrowPicturesHaveNoJitterAndNeverFail)
{
  // W 5: the jitter W / 10 is 0, so the random range is empty and every
  // strip is exactly A long.
  TFxRandom rnd(3);
  EXPECT_EQ(Rows(ShredRegion(3, 0, 5, 4, 2, 0, rnd), 5, 4), "###..\n"
                                                              "###..\n"
                                                              "###..\n"
                                                              "###..\n");
  EXPECT_EQ(Rows(ShredRegion(0, 2, 5, 4, 0, 1, rnd), 5, 4), ".....\n"
                                                              ".....\n"
                                                              "#####\n"
                                                              "#####\n");
  EXPECT_TRUE(ShredRegion(0, 0, 1, 1, 4, 4, rnd).isEmpty());
}

TEST(ShredRegion, StripsStayWithinTheJitterOfTheirLength)
{
  // W 200, H 100: strips one row high; length 80 - 20 + 0..39.
  TFxRandom rnd(11);
  const TFxRegion r = ShredRegion(80, 0, 200, 100, 2, 0, rnd);
  bool shorter = false, longer = false;
  for (int y = 0; y < 100; ++y) {
    int len = 0;
    while (len < 200 && r.contains(QPoint(len, y)))
      ++len;
    EXPECT_GE(len, 60);
    EXPECT_LE(len, 99);
    EXPECT_FALSE(r.contains(QPoint(len + 1, y)));
    shorter |= len < 80;
    longer |= len > 80;
  }
  EXPECT_TRUE(shorter && longer);
}

TEST(SpeckleRegion, SolidPartAndAThinningBandBeyondIt)
{
  // W 200: band 20, cells 2 wide, 10 of them; from the right, A 100.
  TFxRandom rnd(5);
  const TFxRegion r = SpeckleRegion(100, 0, 200, 100, 1, 0, rnd);
  int nearEdge = 0, farOut = 0;
  for (int y = 0; y < 100; ++y) {
    for (int x = 100; x < 200; ++x)
      ASSERT_TRUE(r.contains(QPoint(x, y)));
    for (int x = 0; x < 80; ++x)
      ASSERT_FALSE(r.contains(QPoint(x, y)));
    nearEdge += r.contains(QPoint(99, y));
    farOut += r.contains(QPoint(81, y));
  }
  EXPECT_GT(nearEdge, farOut);
  EXPECT_GT(nearEdge, 50);
}

TEST(SpeckleRegion, PastTheEndOnlyTheSolidPart)
{
  TFxRandom rnd(5);
  EXPECT_EQ(Rows(SpeckleRegion(0, 6, 4, 6, 0, 2, rnd), 4, 6),
            "####\n####\n####\n####\n####\n####\n");
}
