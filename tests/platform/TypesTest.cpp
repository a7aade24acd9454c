#include "platform/Color.h"
#include "platform/Types.h"

#include <gtest/gtest.h>

using namespace cf;

TEST(PlatformMulDivTest, RoundsHalvesAwayFromZeroAndRejectsZeroDivisor)
{
    struct Case {
        int a, b, c, expected;
    } cases[] = {
        {10, 3, 4, 8},          // 7.5
        {-10, 3, 4, -8},        // -7.5
        {10, -3, 4, -8},
        {10, 3, -4, -8},
        {-10, -3, -4, -8},
        {5, 1, 2, 3},           // 2.5
        {7, 1, 3, 2},           // 2.33
        {8, 1, 3, 3},           // 2.67
        {8, 96, 72, 11},        // 10.67: 8 pt at 96 DPI
        {1, 1, 0, -1},
        {0x7FFFFFFF, 2, 2, 0x7FFFFFFF},  // needs the 64-bit intermediate
        {0x40000000, 4, 1, -1},          // does not fit
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(PlatformRoundHalfEvenTest, Table)
{
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(127.5), 128);
    EXPECT_EQ(RoundHalfEven(2.4), 2);
}

TEST(PlatformRectTest, ExclusiveEdges)
{
    TRect r(1, 2, 5, 6);
    EXPECT_EQ(r.Width(), 4);
    EXPECT_TRUE(PtInRect(r, {1, 2}));
    EXPECT_FALSE(PtInRect(r, {5, 2}));
    EXPECT_FALSE(PtInRect(r, {1, 6}));
    EXPECT_EQ(IntersectRect(r, TRect(5, 2, 9, 9)), TRect());  // touching: empty
    EXPECT_EQ(IntersectRect(r, TRect(4, 5, 9, 9)), TRect(4, 5, 5, 6));
    EXPECT_EQ(UnionRect(r, TRect()), r);
    EXPECT_EQ(InflateRect(r, 1, 2), TRect(0, 0, 6, 8));
    EXPECT_EQ(Bounds(3, 4, 10, 20), TRect(3, 4, 13, 24));
}

TEST(PlatformColorTest, LayoutAndSystemColours)
{
    EXPECT_EQ(RGB(0x11, 0x22, 0x33), 0x332211u);
    EXPECT_EQ(GetRValue(0x332211), 0x11);
    EXPECT_EQ(GetBValue(0x332211), 0x33);
    EXPECT_EQ(clNone, 0x1FFFFFFFu);
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(240, 240, 240));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(51, 153, 255));
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToRGB(clSystemColor | 200), 0u);  // unknown index
    EXPECT_EQ(ToPixel(RGB(1, 2, 3)), 0xFF010203u);
    EXPECT_EQ(FromPixel(0xFF010203u), RGB(1, 2, 3));
}
