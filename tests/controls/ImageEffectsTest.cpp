#include "platform/PixelHelpers.h"

#include "controls/CfSharedDraw.h"
#include "controls/DeRudaduZevari.h"
#include "platform/Bitmap.h"

#include <gtest/gtest.h>

using namespace cf;

namespace {

// A 1 x n pf32bit bitmap from (B, G, R, A) quadruples.
TBitmap Bitmap32(std::initializer_list<std::array<uint8_t, 4>> px)
{
    TBitmap b(int(px.size()), 1, pf32bit);
    uint8_t* p = b.ScanLine(0);
    for (auto& q : px) {
        std::copy(q.begin(), q.end(), p);
        p += 4;
    }
    return b;
}

} // namespace

TEST(SharedDrawAlphaTest, DrawGraphicAlphaUsesBlendColor)
{
    QImage img = WhiteImage(6, 1);
    TCanvas c(&img);
    c.FillRect(TRect(0, 0, 6, 1), RGB(255, 0, 0));  // red background
    TBitmap b = Bitmap32({{255, 255, 255, 255},    // opaque white
                          {0, 0, 0, 0},            // transparent
                          {255, 255, 255, 128},    // half white
                          {10, 20, 30, 255}});
    DrawGraphicAlpha(c, 1, 0, b);
    EXPECT_EQ(Px(img, 0, 0), RGB(255, 0, 0));      // outside
    EXPECT_EQ(Px(img, 1, 0), RGB(254, 254, 254));  // 255 * 255 >> 8
    EXPECT_EQ(Px(img, 2, 0), RGB(254, 0, 0));      // background * 255 >> 8
    // red: (255*128 + 255*127) >> 8 = 254; green, blue: 255*128 >> 8 = 127
    EXPECT_EQ(Px(img, 3, 0), RGB(254, 127, 127));
    EXPECT_EQ(Px(img, 4, 0), RGB(29, 19, 9));
    EXPECT_EQ(b.ScanLine(0)[3], 255);  // the picture itself is not changed

    // Not a 32-bit bitmap: drawn as it is.
    TBitmap b24(2, 1, pf24bit);
    b24.Canvas().FillRect(TRect(0, 0, 2, 1), RGB(1, 2, 3));
    DrawGraphicAlpha(c, 0, 0, b24);
    EXPECT_EQ(Px(img, 0, 0), RGB(1, 2, 3));
    EXPECT_EQ(Px(img, 1, 0), RGB(1, 2, 3));
}

TEST(SharedDrawAlphaTest, DrawAlphaGraphicIsExact)
{
    QImage img = WhiteImage(5, 1);
    TCanvas c(&img);
    c.FillRect(TRect(0, 0, 5, 1), RGB(255, 0, 0));
    TBitmap b = Bitmap32({{255, 255, 255, 255}, {0, 0, 0, 0}, {255, 255, 255, 128}, {0, 0, 0, 128}});
    TDrawProvider::DrawAlphaGraphic(c, 0, 0, b);
    EXPECT_EQ(Px(img, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(Px(img, 1, 0), RGB(255, 0, 0));
    // round(255 * 128/255) + round(bg * 127/255): red 128 + 127, others 128 + 0
    EXPECT_EQ(Px(img, 2, 0), RGB(255, 128, 128));
    EXPECT_EQ(Px(img, 3, 0), RGB(127, 0, 0));
    EXPECT_EQ(Px(img, 4, 0), RGB(255, 0, 0));
}

TEST(SharedDrawGreyGlyphTest, TwentyFourAndThirtyTwoBits)
{
    TBitmap b(2, 1, pf24bit);
    uint8_t* p = b.ScanLine(0);
    p[0] = 10, p[1] = 20, p[2] = 31;    // blue, green, red
    p[3] = 255, p[4] = 255, p[5] = 254;  // 764 / 3 = 254
    MakeGrayedGlyph(b);
    p = b.ScanLine(0);
    EXPECT_EQ(std::vector<int>(p, p + 6), (std::vector<int>{20, 20, 20, 254, 254, 254}));

    TBitmap a = Bitmap32({{10, 20, 31, 77}});
    MakeGrayedGlyph(a);
    uint8_t* q = a.ScanLine(0);
    EXPECT_EQ(std::vector<int>(q, q + 4), (std::vector<int>{20, 20, 20, 77}));

    TBitmap s(2, 2, pf24bit);
    s.Canvas().FillRect(TRect(0, 0, 2, 2), RGB(10, 20, 31));
    s.SetPixelFormat(pf16bit);
    MakeGrayedGlyph(s);
    EXPECT_EQ(s.Canvas().GetPixel(1, 1), RGB(10, 20, 31));  // left alone
}

TEST(SharedDrawGreyGlyphTest, FourBitsGetTheEngravedLook)
{
    TBitmap b(6, 6, pf4bit);
    TCanvas& c = b.Canvas();
    c.FillRect(TRect(0, 0, 6, 6), clWhite);
    c.FillRect(TRect(2, 1, 3, 5), clBlack);  // a vertical stroke
    MakeGrayedGlyph(b);
    EXPECT_TRUE(b.Transparent);
    EXPECT_EQ(b.TransparentColor(), clWhite);  // the old bottom-left pixel
    // Shadow where the ink was; the 16-colour palette has no 160 grey, so
    // the nearest entry (128) stands for it.
    EXPECT_EQ(c.GetPixel(2, 1), RGB(128, 128, 128));
    EXPECT_EQ(c.GetPixel(2, 4), RGB(128, 128, 128));
    // Face and highlight both come out white in 16 colours.
    EXPECT_EQ(c.GetPixel(3, 5), clWhite);
    EXPECT_EQ(c.GetPixel(0, 0), clWhite);
}

TEST(SharedDrawGlassTest, RowsAndWeights)
{
    QImage img = WhiteImage(100, 10);
    TCanvas c(&img);
    c.FillRect(TRect(0, 0, 100, 10), clBlack);
    DrawGlassEffect(c, TRect(0, 0, 100, 10));
    // white * w >> 8 over black for w = 150, 143, 136, 129, 122; row 5 untouched
    const int expected[6] = {149, 142, 135, 128, 121, 0};
    for (int y = 0; y < 6; ++y) {
        EXPECT_EQ(Px(img, 0, y), RGB(expected[y], expected[y], expected[y])) << y;
        EXPECT_EQ(Px(img, 99, y), RGB(expected[y], expected[y], expected[y])) << y;
    }

    QImage tall = WhiteImage(4, 120);
    TCanvas t(&tall);
    t.FillRect(TRect(0, 0, 4, 120), clBlack);
    DrawGlassEffect(t, TRect(0, 0, 4, 120));  // half height 60, only rows 0..21 change
    EXPECT_EQ(Px(tall, 1, 21), RGB(2, 2, 2));  // weight 3
    EXPECT_EQ(Px(tall, 1, 22), clBlack);
    EXPECT_EQ(Px(tall, 1, 59), clBlack);
}

TEST(SharedDrawSheenTest, MiddleColumnAndBand)
{
    QImage img = WhiteImage(4, 2);
    TCanvas c(&img);
    DrawSheenGradient(c, TRect(0, 0, 4, 2), clBlack, clBlack, 0);
    // base black; k = |2 - x| * 2 + 100; pixel = 255 * (255 - k) >> 8
    const int row[4] = {150, 152, 154, 152};
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(Px(img, x, 0), RGB(row[x], row[x], row[x])) << x;

    DrawSheenGradient(c, TRect(0, 0, 4, 2), clBlack, clBlack, 2);
    // row 1 lies in the band: base := BlendColor(black, white, round(1/4 * 255) = 64)
    // = 255 * 191 >> 8 = 190; middle column (190 * 100 + 255 * 155) >> 8 = 228
    EXPECT_EQ(Px(img, 2, 1), RGB(228, 228, 228));
    // row 0: the band starts white: BlendColor(black, white, 0) = 254, then
    // (254 * 100 + 255 * 155) >> 8 = 253
    EXPECT_EQ(Px(img, 2, 0), RGB(253, 253, 253));

    // Far from the middle the pixel is (nearly) the base colour.
    QImage wide = WhiteImage(200, 1);
    TCanvas w(&wide);
    DrawSheenGradient(w, TRect(0, 0, 200, 1), RGB(0, 0, 200), RGB(0, 0, 200), 0);
    EXPECT_EQ(Px(wide, 0, 0), RGB(0, 0, 198));  // 200 * 255 >> 8 twice
}

TEST(SharedDrawParentBackgroundTest, ParentShowsThroughAtTheRightPlace)
{
    struct Parent : TWinControl {
        void Paint(TCanvas& c) override
        {
            c.FillRect(ClientRect(), clRed);
            c.SetPixel(10, 10, clBlue);
        }
    } parent;
    parent.SetBounds(0, 0, 40, 40);
    parent.SetBorderStyle(TBorderStyle::bsSingle);  // client starts at (2, 2)
    TControl child(&parent);
    child.SetBounds(8, 8, 10, 10);  // client (6, 6) of the parent
    QImage img = WhiteImage(10, 10);
    TCanvas c(&img);
    c.Brush.Color = clLime;
    DrawParentBackground(&child, c);
    EXPECT_EQ(Px(img, 4, 4), clBlue);
    EXPECT_EQ(Px(img, 0, 0), clRed);
    EXPECT_EQ(Px(img, 9, 9), clRed);
    EXPECT_EQ(c.Origin(), TPoint(0, 0));  // state given back
    EXPECT_EQ(c.Brush.Color, clLime);

    TControl orphan;
    QImage none = WhiteImage(4, 4);
    TCanvas n(&none);
    DrawParentBackground(&orphan, n);
    EXPECT_EQ(InkBox(none), TRect());
}
