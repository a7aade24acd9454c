#include "platform/PixelHelpers.h"

#include "controls/CfSharedDraw.h"

#include <gtest/gtest.h>

using namespace cf;

namespace {
int Grey(const QImage& img, int x, int y)
{
    return GetRValue(Px(img, x, y));
}
} // namespace

TEST(SharedDrawGradientTest, VerticalAndHorizontal)
{
    QImage img = WhiteImage(4, 4);
    TCanvas c(&img);
    DrawVertGradient(c, TRect(0, 0, 4, 4), clBlack, clWhite);
    EXPECT_EQ(Grey(img, 2, 0), 0);
    EXPECT_EQ(Grey(img, 2, 1), 64);   // 63.75
    EXPECT_EQ(Grey(img, 2, 2), 128);  // 127.5, to even
    EXPECT_EQ(Grey(img, 2, 3), 191);
    DrawHorzGradient(c, TRect(0, 0, 4, 4), clWhite, clBlack);
    EXPECT_EQ(Grey(img, 0, 3), 255);
    EXPECT_EQ(Grey(img, 1, 3), 191);
    QImage none = WhiteImage(4, 4);
    TCanvas n(&none);
    DrawVertGradient(n, TRect(0, 2, 4, 2), clBlack, clBlack);
    DrawHorzGradient(n, TRect(2, 0, 1, 4), clBlack, clBlack);
    EXPECT_EQ(InkBox(none), TRect());
}

TEST(SharedDrawMultiGradientTest, TwoColoursOverTenLines)
{
    QImage img = WhiteImage(3, 12);
    TCanvas c(&img);
    c.Pen.Color = clRed;
    c.Pen.Width = 3;
    DrawMultiGradient(c, TRect(0, 1, 3, 11), false, {clBlack, clWhite});
    // One band of length 10 - 0 - 1 = 9: line k gets round(255 * k / 9).
    const int expected[10] = {0, 28, 57, 85, 113, 142, 170, 198, 227, 255};
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(Grey(img, 1, 1 + k), expected[k]) << k;
    EXPECT_EQ(Px(img, 1, 0), clWhite);  // outside the rectangle untouched
    EXPECT_EQ(Px(img, 1, 11), clWhite);
    EXPECT_EQ(c.Pen.Color, clRed);
    EXPECT_EQ(c.Pen.Width, 3);
}

TEST(SharedDrawMultiGradientTest, ThreeColoursHorizontal)
{
    QImage img = WhiteImage(10, 2);
    TCanvas c(&img);
    DrawMultiGradient(c, TRect(0, 0, 10, 2), true, {clBlack, clWhite, clBlack});
    // L = 10, 2 bands, B = 5: band 0 covers x 0..5 (k / 5), band 1 x 5..9 (k / 4).
    const int expected[10] = {0, 51, 102, 153, 204, 255, 191, 128, 64, 0};
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(Grey(img, x, 1), expected[x]) << x;
}

TEST(SharedDrawMultiGradientTest, FewerThanTwoColoursIsAnError)
{
    QImage img = WhiteImage(4, 4);
    TCanvas c(&img);
    try {
        DrawMultiGradient(c, TRect(0, 0, 4, 4), false, {clRed});
        ADD_FAILURE() << "no error";
    } catch (const EMathError& e) {
        EXPECT_STREQ(e.what(), "Please specify at least two colors");
    }
    EXPECT_THROW(DrawMultiGradient(c, TRect(0, 0, 4, 4), false, {}), EMathError);
}

TEST(SharedDrawMultiGradientTest, EmptyAndOverfullBandsStayInside)
{
    // More bands than lines (band length rounds to 0), band lengths that add
    // up past the rectangle, a single line: no division by zero, nothing
    // drawn outside, every line inside painted.
    struct Case {
        int lines;
        int colours;
    } cases[] = {{2, 5}, {10, 7}, {1, 2}, {3, 3}, {7, 8}, {1, 9}};
    for (const Case& k : cases) {
        QImage img = WhiteImage(3, k.lines + 2);
        TCanvas c(&img);
        std::vector<TColor> colours;
        for (int i = 0; i < k.colours; ++i)
            colours.push_back(i % 2 ? RGB(0, 0, 200) : RGB(200, 0, 0));
        DrawMultiGradient(c, TRect(0, 1, 3, 1 + k.lines), false, colours);
        EXPECT_EQ(Px(img, 1, 0), clWhite) << k.lines << "/" << k.colours;
        EXPECT_EQ(Px(img, 1, k.lines + 1), clWhite) << k.lines << "/" << k.colours;
        for (int y = 1; y <= k.lines; ++y)
            EXPECT_NE(Px(img, 1, y), clWhite) << k.lines << "/" << k.colours << " line " << y;
    }
    QImage img = WhiteImage(4, 4);
    TCanvas c(&img);
    DrawMultiGradient(c, TRect(0, 0, 4, 0), false, {clBlack, clBlack});
    DrawMultiGradient(c, TRect(0, 0, 0, 4), true, {clBlack, clBlack});
    EXPECT_EQ(InkBox(img), TRect());
}
