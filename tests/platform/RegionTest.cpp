#include "PixelHelpers.h"

#include "platform/Region.h"

#include <gtest/gtest.h>

using namespace cf;

TEST(PlatformRegionTest, RectanglesCombine)
{
    TRegion a = TRegion::FromRect(TRect(0, 0, 4, 4));
    TRegion b = TRegion::FromRect(TRect(2, 2, 6, 6));
    struct Case {
        TRegionOp op;
        TPoint p;
        bool in;
    } cases[] = {
        {TRegionOp::Or, {1, 1}, true},    {TRegionOp::Or, {5, 5}, true},    {TRegionOp::Or, {5, 1}, false},
        {TRegionOp::And, {3, 3}, true},   {TRegionOp::And, {1, 1}, false},  {TRegionOp::And, {4, 4}, false},
        {TRegionOp::Diff, {1, 1}, true},  {TRegionOp::Diff, {3, 3}, false}, {TRegionOp::Diff, {5, 5}, false},
        {TRegionOp::Xor, {1, 1}, true},   {TRegionOp::Xor, {3, 3}, false},  {TRegionOp::Xor, {5, 5}, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(a.Combined(b, c.op).Contains(c.p), c.in) << int(c.op) << " " << c.p.X << "," << c.p.Y;
    EXPECT_EQ(a.United(b).BoundingRect(), TRect(0, 0, 6, 6));
    EXPECT_FALSE(TRegion::FromRect(TRect(0, 0, 4, 4)).Contains({4, 0}));  // right edge exclusive
    EXPECT_TRUE(TRegion::FromRect(TRect(3, 3, 3, 8)).IsEmpty());
}

TEST(PlatformRegionTest, EllipseRoundRectPolygon)
{
    TRegion e = TRegion::FromEllipse(TRect(0, 0, 10, 10));
    EXPECT_TRUE(e.Contains({5, 5}));
    EXPECT_TRUE(e.Contains({5, 0}));
    EXPECT_TRUE(e.Contains({0, 5}));
    EXPECT_FALSE(e.Contains({0, 0}));
    EXPECT_FALSE(e.Contains({10, 5}));
    EXPECT_EQ(e.BoundingRect(), TRect(0, 0, 10, 10));

    TRegion rr = TRegion::FromRoundRect(TRect(0, 0, 20, 10), 8, 8);
    EXPECT_FALSE(rr.Contains({0, 0}));
    EXPECT_TRUE(rr.Contains({10, 0}));
    EXPECT_TRUE(rr.Contains({0, 5}));
    EXPECT_FALSE(rr.Contains({19, 9}));
    EXPECT_TRUE(rr.Contains({19, 5}));

    // Winding: two overlapping squares in one outline, both turning the same
    // way, leave no hole where they overlap.
    TRegion p = TRegion::FromPolygon({{0, 0}, {6, 0}, {6, 6}, {0, 6}, {0, 0}, {3, 3}, {9, 3}, {9, 9}, {3, 9}, {3, 3}});
    EXPECT_TRUE(p.Contains({4, 4}));
    EXPECT_TRUE(p.Contains({1, 1}));
    EXPECT_TRUE(p.Contains({8, 8}));
    EXPECT_FALSE(p.Contains({8, 1}));
    EXPECT_FALSE(p.Contains({6, 0}));  // right edge exclusive
}

TEST(PlatformRegionTest, FillAndFrameRegionPixels)
{
    QImage img = WhiteImage(12, 12);
    TCanvas c(&img);
    c.Brush.Color = clRed;
    TRegion r = TRegion::FromRects({TRect(1, 1, 5, 5), TRect(7, 7, 11, 11)});
    c.FillRegion(r);
    EXPECT_EQ(Px(img, 2, 2), clRed);
    EXPECT_EQ(Px(img, 10, 10), clRed);
    EXPECT_EQ(Px(img, 6, 6), clWhite);
    c.Brush.Color = clBlack;
    c.FrameRegion(r, 1, 1);
    EXPECT_EQ(Px(img, 1, 1), clBlack);
    EXPECT_EQ(Px(img, 4, 3), clBlack);
    EXPECT_EQ(Px(img, 3, 3), clRed);
    EXPECT_EQ(Px(img, 9, 9), clRed);
    EXPECT_EQ(Px(img, 10, 9), clBlack);
}
