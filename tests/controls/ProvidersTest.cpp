#include "platform/PixelHelpers.h"

#include "controls/DeRudaduZevari.h"

#include <gtest/gtest.h>

using namespace cf;

TEST(SharedDrawCalcProviderTest, RectsIntersect)
{
    TRect a(0, 0, 10, 10);
    EXPECT_TRUE(TCalcProvider::RectsIntersect(a, TRect(5, 5, 15, 15)));
    EXPECT_TRUE(TCalcProvider::RectsIntersect(a, TRect(10, 0, 20, 10)));  // touching
    EXPECT_TRUE(TCalcProvider::RectsIntersect(a, TRect(0, 10, 10, 20)));
    EXPECT_FALSE(TCalcProvider::RectsIntersect(a, TRect(11, 0, 20, 10)));
    EXPECT_FALSE(TCalcProvider::RectsIntersect(a, TRect(0, -20, 10, -1)));
    EXPECT_TRUE(TCalcProvider::RectsIntersect(a, TRect(2, 2, 3, 3)));  // inside
}

TEST(SharedDrawCalcProviderTest, AlignInRectAndOffset)
{
    TRect r(10, 20, 110, 70);
    struct Case {
        TVerticalAlignment v;
        TAlignment h;
        TPoint expected;
    } cases[] = {
        {taAlignTop, taLeftJustify, {12, 22}},
        {taAlignBottom, taRightJustify, {10 + 100 - 30 - 2, 70 - 15 - 2}},
        {taVerticalCenter, taCenter, {10 + 50 - 15, 20 + 25 - 7}},
    };
    for (const Case& c : cases) {
        TPoint p;
        TCalcProvider::AlignInRect(30, 15, p, c.v, c.h, r, 2);
        EXPECT_EQ(p, c.expected);
    }
    EXPECT_EQ(TCalcProvider::OffsetRectBy(r, 1, -2, 3, -4), TRect(11, 18, 113, 66));
}

TEST(SharedDrawGraphicsProviderTest, ButtonFaceFrame)
{
    QImage img = WhiteImage(8, 6);
    TCanvas c(&img);
    TGraphicsProvider::DrawButtonFace(c, TRect(1, 1, 6, 5), false);
    EXPECT_EQ(Px(img, 1, 1), clWhite);                     // highlight, top-left
    EXPECT_EQ(Px(img, 4, 1), clWhite);                     // top edge
    EXPECT_EQ(Px(img, 5, 1), ColorToRGB(clBtnShadow));     // top-right corner: shadow
    EXPECT_EQ(Px(img, 1, 4), ColorToRGB(clBtnShadow));     // bottom-left corner: shadow
    EXPECT_EQ(Px(img, 5, 4), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Px(img, 3, 2), ColorToRGB(clBtnFace));
    EXPECT_EQ(Px(img, 6, 2), clWhite);  // outside untouched
    EXPECT_EQ(c.Pen.Color, clBlack);    // pen given back
    TGraphicsProvider::DrawButtonFace(c, TRect(1, 1, 6, 5), true);
    EXPECT_EQ(Px(img, 5, 4), ColorToRGB(clWindowFrame));
}

TEST(SharedDrawGraphicsProviderTest, FocusFrames)
{
    QImage img = WhiteImage(8, 8);
    TCanvas c(&img);
    TGraphicsProvider::DrawFocusFrame(c, TRect(1, 1, 7, 7), true);
    EXPECT_EQ(Px(img, 1, 1), ColorToRGB(clHighlight));
    EXPECT_EQ(Px(img, 2, 1), ColorToRGB(clHighlight));
    EXPECT_EQ(Px(img, 3, 3), clWhite);
    QImage dot = WhiteImage(8, 8);
    TCanvas d(&dot);
    TGraphicsProvider::DrawFocusFrame(d, TRect(1, 1, 7, 7), false);
    EXPECT_EQ(Px(dot, 1, 1), clBlack);
    EXPECT_EQ(Px(dot, 2, 1), clWhite);
}

TEST(SharedDrawGraphicsProviderTest, HorzGradientTo)
{
    QImage img = WhiteImage(6, 3);
    TCanvas c(&img);
    TGraphicsProvider::DrawHorzGradientTo(c, TRect(1, 0, 1, 3), clBlack, clBlack);  // zero width
    EXPECT_EQ(InkBox(img), TRect());
    TGraphicsProvider::DrawHorzGradientTo(c, TRect(1, 0, 5, 2), clBlack, clWhite);
    // (x - L) / (R - L): 0, 0.25, 0.5, 0.75 of white
    EXPECT_EQ(Px(img, 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(Px(img, 2, 0), RGB(64, 64, 64));
    EXPECT_EQ(Px(img, 3, 1), RGB(128, 128, 128));
    EXPECT_EQ(Px(img, 4, 1), RGB(191, 191, 191));
    EXPECT_EQ(Px(img, 4, 2), clWhite);  // bottom end point excluded
    EXPECT_EQ(Px(img, 5, 0), clWhite);
}

TEST(SharedDrawGraphicsProviderTest, TextBlockMeasures)
{
    QImage img = WhiteImage(200, 100);
    TCanvas c(&img);
    int w = c.TextWidth("aaa aaa");
    TRect r(0, 0, w - 1, 0);
    TGraphicsProvider::DrawTextBlock(c, r, true, "aaa aaa", taLeftJustify);
    EXPECT_EQ(r.Width(), c.TextWidth("aaa"));
    EXPECT_EQ(r.Height(), 2 * c.TextHeight("a"));
    EXPECT_FALSE(InkBox(img).IsEmpty());
}

TEST(SharedDrawGeometryTest, ToleranceAndFlip)
{
    TPoint q(10, 10);
    EXPECT_FALSE(IsPointOutsideTolerance({13, 10}, q, 3));
    EXPECT_FALSE(IsPointOutsideTolerance({7, 13}, q, 3));
    EXPECT_TRUE(IsPointOutsideTolerance({14, 10}, q, 3));
    EXPECT_TRUE(IsPointOutsideTolerance({10, 6}, q, 3));
    std::vector<TPoint> pts = {{3, 0}, {4, 16}, {5, 8}};
    FlipPointsVertically(pts, TRect(0, 0, 20, 17));  // m = 8
    EXPECT_EQ(pts[0], TPoint(3, 16));
    EXPECT_EQ(pts[1], TPoint(4, 0));
    EXPECT_EQ(pts[2], TPoint(5, 8));
    QImage img = WhiteImage(10, 10);
    TCanvas c(&img);
    ClipCanvasToRect(c, TRect(2, 2, 4, 4));
    EXPECT_EQ(c.ClipRect(), TRect(2, 2, 4, 4));
    SetCanvasClipRect(c, TRect(0, 0, 3, 3));
    EXPECT_EQ(c.ClipRect(), TRect(0, 0, 3, 3));
}
