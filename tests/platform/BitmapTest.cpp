#include "PixelHelpers.h"

#include "platform/Bitmap.h"

#include <gtest/gtest.h>

using namespace cf;

TEST(PlatformBitmapTest, ScanLinesAreInWindowsByteOrder)
{
    TBitmap b24(3, 2, pf24bit);
    b24.Canvas().SetPixel(1, 1, RGB(10, 20, 30));
    uint8_t* row = b24.ScanLine(1);
    EXPECT_EQ(row[3], 30);  // blue
    EXPECT_EQ(row[4], 20);  // green
    EXPECT_EQ(row[5], 10);  // red
    EXPECT_EQ(b24.BytesPerLine(), 12);  // 9 bytes padded to 4
    row[0] = 0xFF;  // blue of (0, 1)
    EXPECT_EQ(b24.Canvas().GetPixel(0, 1), RGB(0, 0, 255));

    TBitmap b32(2, 2, pf32bit);
    uint8_t* p = b32.ScanLine(0);
    p[0] = 1;
    p[1] = 2;
    p[2] = 3;
    p[3] = 128;
    EXPECT_EQ(b32.Image().format(), QImage::Format_ARGB32);
    EXPECT_EQ(b32.Image().pixel(0, 0), 0x80030201u);  // the QImage sees the same bytes
    EXPECT_EQ(b32.Canvas().GetPixel(0, 0), RGB(3, 2, 1));
    EXPECT_EQ(b32.ScanLine(1)[3], 0);  // a new 32-bit bitmap is transparent black
    EXPECT_THROW(b32.ScanLine(2), std::out_of_range);
}

TEST(PlatformBitmapTest, PackedFormats)
{
    TBitmap m(10, 2, pf1bit);
    EXPECT_EQ(m.BytesPerLine(), 4);
    m.Canvas().SetPixel(0, 0, clWhite);
    m.Canvas().SetPixel(9, 0, clWhite);
    uint8_t* r = m.ScanLine(0);
    EXPECT_EQ(r[0], 0x80);  // leftmost pixel in the high bit
    EXPECT_EQ(r[1], 0x40);
    r[0] = 0x01;  // pixel 7 set, pixel 0 cleared
    EXPECT_EQ(m.Canvas().GetPixel(7, 0), clWhite);
    EXPECT_EQ(m.Canvas().GetPixel(0, 0), clBlack);

    TBitmap f(3, 1, pf4bit);
    EXPECT_EQ(f.BytesPerLine(), 4);
    f.Canvas().SetPixel(0, 0, clRed);     // index 9 of the standard palette
    f.Canvas().SetPixel(1, 0, clWhite);   // index 15
    uint8_t* q = f.ScanLine(0);
    EXPECT_EQ(q[0], 0x9F);
    q[1] = 0xC0;  // pixel 2 := index 12, blue
    EXPECT_EQ(f.Canvas().GetPixel(2, 0), clBlue);
}

TEST(PlatformBitmapTest, FormatChangeKeepsColours)
{
    TBitmap b(2, 1, pf24bit);
    b.Canvas().SetPixel(0, 0, RGB(1, 2, 3));
    b.SetPixelFormat(pf32bit);
    EXPECT_EQ(b.ScanLine(0)[0], 3);
    EXPECT_EQ(b.ScanLine(0)[3], 255);
    b.SetPixelFormat(pf24bit);
    EXPECT_EQ(b.Canvas().GetPixel(0, 0), RGB(1, 2, 3));
    b.SetSize(3, 2);
    EXPECT_EQ(b.Canvas().GetPixel(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(b.Canvas().GetPixel(2, 1), clBlack);
}

TEST(PlatformBitmapTest, DrawTransparentAndStretch)
{
    TBitmap b(2, 2, pf24bit);
    b.Canvas().FillRect(TRect(0, 0, 2, 2), clFuchsia);
    b.Canvas().SetPixel(1, 0, clBlue);
    b.Transparent = true;  // automatic: the bottom-left pixel's colour
    EXPECT_EQ(b.TransparentColor(), clFuchsia);
    QImage img = WhiteImage(6, 6);
    TCanvas c(&img);
    c.Draw(1, 1, b);
    EXPECT_EQ(Px(img, 1, 1), clWhite);
    EXPECT_EQ(Px(img, 2, 1), clBlue);
    b.Transparent = false;
    c.StretchDraw(TRect(0, 2, 4, 6), b);
    EXPECT_EQ(Px(img, 0, 2), clFuchsia);
    EXPECT_EQ(Px(img, 2, 2), clBlue);
    EXPECT_EQ(Px(img, 3, 3), clBlue);
    EXPECT_EQ(Px(img, 3, 4), clFuchsia);
}

TEST(PlatformBitmapTest, MonochromeSourceTakesTextAndBackgroundColours)
{
    TBitmap m(2, 1, pf1bit);
    m.Canvas().SetPixel(1, 0, clWhite);
    QImage img = WhiteImage(2, 1);
    TCanvas c(&img);
    c.Font.Color = clRed;
    c.Brush.Color = clBlue;
    c.BitBlt(0, 0, 2, 1, m, 0, 0, SRCCOPY);
    EXPECT_EQ(Px(img, 0, 0), clRed);
    EXPECT_EQ(Px(img, 1, 0), clBlue);
}

TEST(PlatformBitmapTest, EmptyBitmapTakesDrawingQuietly)
{
    TBitmap b;
    EXPECT_TRUE(b.Empty());
    TCanvas& c = b.Canvas();
    c.FillRect(TRect(0, 0, 10, 10));
    c.TextOut(0, 0, "x");
    c.MoveTo(0, 0);
    c.LineTo(5, 5);
    EXPECT_EQ(c.GetPixel(0, 0), CLR_INVALID);
    QImage img = WhiteImage(4, 4);
    TCanvas target(&img);
    target.Draw(0, 0, b);
    target.StretchDraw(TRect(0, 0, 4, 4), b);
    EXPECT_EQ(InkBox(img), TRect());
}
