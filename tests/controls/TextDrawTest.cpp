#include "platform/PixelHelpers.h"

#include "controls/CfSharedDraw.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace cf;

namespace {

QImage TextOutAt(int w, int h, int x, int y, const std::string& s, TColor colour = clBlack)
{
    QImage ref = WhiteImage(w, h);
    TCanvas rc(&ref);
    rc.Brush.Style = bsClear;
    rc.Font.Color = colour;
    rc.TextOut(x, y, s);
    return ref;
}

int CountColour(const QImage& img, TColor c)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += Px(img, x, y) == c;
    return n;
}

} // namespace

TEST(SharedDrawTextRectTest, SingleLineCentredWithEllipsis)
{
    QImage img = WhiteImage(200, 40);
    TCanvas c(&img);
    c.Brush.Color = clYellow;  // the call draws with a clear brush
    QFontMetrics fm(c.Font.ToQFont());
    const int lineHeight = fm.height() + fm.leading();  // external leading counts
    const int w = c.TextWidth("Chan...");
    DrawTextRect(c, TRect(10, 0, 10 + w, 40), taLeftJustify, false, "Chanforge settings");
    EXPECT_EQ(img, TextOutAt(200, 40, 10, (40 - lineHeight) / 2, "Chan..."));
    EXPECT_EQ(c.Brush.Style, bsSolid);

    img.fill(0xFFFFFFFFu);
    DrawTextRect(c, TRect(0, 0, 100, 40), taRightJustify, true, "A&B");
    EXPECT_EQ(img, TextOutAt(200, 40, 100 - c.TextWidth("A&B"), (40 - lineHeight) / 2, "A&B"));
}

TEST(SharedDrawTextRectTest, GrayedTextIsEngraved)
{
    QImage img = WhiteImage(120, 30);
    TCanvas c(&img);
    c.FillRect(TRect(0, 0, 120, 30), clBtnFace);
    c.Font.Style = fsBold;
    c.Font.Size = 20;  // stems wide enough to have fully covered pixels
    DrawGrayedText(c, TRect(5, 0, 115, 30), "IIII", false, taLeftJustify);
    // Solid stems show both colours: the highlight copy one pixel down-right.
    EXPECT_GT(CountColour(img, ColorToRGB(clBtnShadow)), 10);
    EXPECT_GT(CountColour(img, clWhite), 4);
    EXPECT_EQ(c.Font.Color, clWindowText);
    EXPECT_EQ(c.Brush.Style, bsSolid);
}

TEST(SharedDrawTextLineTest, LeftRightCentre)
{
    QImage img = WhiteImage(100, 30);
    TCanvas c(&img);
    QFontMetrics fm(c.Font.ToQFont());
    const int y = (30 - fm.height() - fm.leading()) / 2;
    const int w = c.TextWidth("Abc");
    struct Case {
        TAlignment a;
        int x;
    } cases[] = {{taLeftJustify, 0}, {taRightJustify, 100 - w}, {taCenter, (100 - w) / 2}};
    for (const Case& k : cases) {
        img.fill(0xFFFFFFFFu);
        DrawTextLine(c, TRect(0, 0, 100, 30), k.a, "Abc", false);
        EXPECT_EQ(img, TextOutAt(100, 30, k.x, y, "Abc")) << int(k.a);
    }
    // No prefix processing: the "&" is drawn.
    img.fill(0xFFFFFFFFu);
    DrawTextLine(c, TRect(0, 0, 100, 30), taLeftJustify, "&x", false);
    EXPECT_EQ(img, TextOutAt(100, 30, 0, y, "&x"));
}

TEST(SharedDrawTextInRectTest, WrapAndVerticalPlacement)
{
    QImage img = WhiteImage(200, 100);
    TCanvas c(&img);
    const int h = c.TextHeight("a");
    const int w = c.TextWidth("word word");
    DrawTextInRect(c, TRect(0, 0, w - 1, 100), "word word", false, false, wkWordWrap, taAlignBottom, taLeftJustify);
    TRect ink = InkBox(img);
    // Two lines standing on the bottom edge.
    EXPECT_GT(ink.Top, 100 - 2 * h - 1);
    EXPECT_LE(ink.Bottom, 100);
    EXPECT_LT(ink.Top, 100 - h);

    img.fill(0xFFFFFFFFu);
    DrawTextInRect(c, TRect(0, 0, 200, 100), "word", true, false, wkNone, taAlignTop, taLeftJustify);
    // The shadow copy sits one pixel right and below.
    EXPECT_GT(CountColour(img, ColorToRGB(clBtnShadow)), 0);
}

TEST(SharedDrawVerticalTextTest, RunsUpwardAlongTheLeftEdge)
{
    QImage img = WhiteImage(40, 200);
    TCanvas c(&img);
    DrawVerticalText(c, TRect(0, 0, 40, 200), "Vertical caption");
    TRect ink = InkBox(img);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GT(ink.Height(), 3 * ink.Width());
    EXPECT_LE(ink.Right, c.TextHeight("V") + 1);
    EXPECT_GE(ink.Bottom, 200 - 2 * c.TextHeight("V"));
    EXPECT_EQ(c.Font.Orientation, 0);
    EXPECT_EQ(c.Brush.Style, bsClear);
}
