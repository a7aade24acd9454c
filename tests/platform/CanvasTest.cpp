#include "PixelHelpers.h"

#include "platform/Canvas.h"
#include "platform/Frame3D.h"

#include <QFont>
#include <QFontInfo>
#include <gtest/gtest.h>

using namespace cf;

namespace {

// Pixels of row y from x0 to x1 - 1 as 'x' (colour c) and '.' (white).
std::string Row(const QImage& img, int y, int x0, int x1, TColor c = clBlack)
{
    std::string s;
    for (int x = x0; x < x1; ++x)
        s += Px(img, x, y) == c ? 'x' : (Px(img, x, y) == clWhite ? '.' : '?');
    return s;
}

std::string Column(const QImage& img, int x, int y0, int y1, TColor c = clBlack)
{
    std::string s;
    for (int y = y0; y < y1; ++y)
        s += Px(img, x, y) == c ? 'x' : (Px(img, x, y) == clWhite ? '.' : '?');
    return s;
}

} // namespace

TEST(PlatformCanvasLineTest, EndPointIsNotDrawn)
{
    QImage img = WhiteImage(10, 10);
    TCanvas c(&img);
    c.MoveTo(1, 1);
    c.LineTo(5, 1);
    EXPECT_EQ(Row(img, 1, 0, 7), ".xxxx..");
    c.MoveTo(8, 2);
    c.LineTo(8, 6);
    EXPECT_EQ(Column(img, 8, 1, 8), ".xxxx..");
    // Right to left: starts at 5, stops before 1.
    c.MoveTo(5, 3);
    c.LineTo(1, 3);
    EXPECT_EQ(Row(img, 3, 0, 7), "..xxxx.");
    EXPECT_EQ(c.PenPos, TPoint(1, 3));
}

TEST(PlatformCanvasLineTest, DiagonalAndPolyline)
{
    QImage img = WhiteImage(10, 10);
    TCanvas c(&img);
    c.MoveTo(0, 0);
    c.LineTo(4, 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Px(img, i, i), clBlack) << i;
    EXPECT_EQ(Px(img, 4, 4), clWhite);
    EXPECT_EQ(Px(img, 1, 0), clWhite);

    // A polyline draws each corner once and leaves out only its last point.
    QImage img2 = WhiteImage(10, 10);
    TCanvas c2(&img2);
    c2.Pen.Mode = pmXor;
    c2.Pen.Color = clWhite;  // xor with white inverts
    c2.Polyline({{1, 1}, {5, 1}, {5, 5}});
    EXPECT_EQ(Row(img2, 1, 0, 7), ".xxxxx.");
    EXPECT_EQ(Column(img2, 5, 0, 7), ".xxxx..");
}

TEST(PlatformCanvasLineTest, XorPenTwiceRestores)
{
    QImage img = WhiteImage(10, 10);
    TCanvas c(&img);
    c.FillRect(TRect(0, 0, 10, 5), clRed);
    QImage before = img.copy();
    c.Pen.Mode = pmNotXor;
    c.Pen.Color = clBlack;
    for (int k = 0; k < 2; ++k) {
        c.MoveTo(2, 0);
        c.LineTo(2, 10);
    }
    EXPECT_EQ(img, before);
    c.Pen.Mode = pmNot;
    c.MoveTo(0, 2);
    c.LineTo(3, 2);
    EXPECT_EQ(Px(img, 0, 2), clAqua);  // not of red
}

TEST(PlatformCanvasLineTest, DottedPenPaintsGapsWithBrushUnlessClear)
{
    QImage img = WhiteImage(12, 3);
    TCanvas c(&img);
    c.Pen.Style = psDot;
    c.Brush.Color = clRed;
    c.MoveTo(0, 0);
    c.LineTo(12, 0);
    EXPECT_EQ(Row(img, 0, 0, 12, clBlack).substr(0, 3), "xxx");
    EXPECT_EQ(Px(img, 3, 0), clRed);
    c.Brush.Style = bsClear;
    c.MoveTo(0, 2);
    c.LineTo(12, 2);
    EXPECT_EQ(Row(img, 2, 0, 12), "xxx...xxx...");
}

TEST(PlatformCanvasFillTest, FillFrameAndRectangle)
{
    QImage img = WhiteImage(12, 12);
    TCanvas c(&img);
    c.Brush.Color = clBlack;
    c.FillRect(TRect(2, 2, 5, 4));
    EXPECT_EQ(Row(img, 2, 0, 7), "..xxx..");
    EXPECT_EQ(Row(img, 3, 0, 7), "..xxx..");
    EXPECT_EQ(Row(img, 4, 0, 7), ".......");

    QImage f = WhiteImage(8, 8);
    TCanvas cf(&f);
    cf.Brush.Color = clBlack;
    cf.FrameRect(TRect(1, 1, 6, 5));
    EXPECT_EQ(Row(f, 1, 0, 8), ".xxxxx..");
    EXPECT_EQ(Row(f, 2, 0, 8), ".x...x..");
    EXPECT_EQ(Row(f, 4, 0, 8), ".xxxxx..");
    EXPECT_EQ(Row(f, 5, 0, 8), "........");

    QImage r = WhiteImage(8, 8);
    TCanvas cr(&r);
    cr.Brush.Color = clRed;
    cr.Rectangle(1, 1, 6, 6);
    EXPECT_EQ(Row(r, 1, 0, 8), ".xxxxx..");
    EXPECT_EQ(Px(r, 3, 3), clRed);
    EXPECT_EQ(Px(r, 5, 3), clBlack);
    EXPECT_EQ(Px(r, 6, 3), clWhite);

    // Without a pen GDI fills one pixel less to the right and bottom.
    QImage n = WhiteImage(8, 8);
    TCanvas cn(&n);
    cn.Brush.Color = clRed;
    cn.Pen.Style = psClear;
    cn.Rectangle(1, 1, 6, 6);
    EXPECT_EQ(Row(n, 1, 0, 8, clRed), ".xxxx...");
    EXPECT_EQ(Px(n, 1, 5), clWhite);

    // A clear brush leaves FillRect without effect.
    cn.Brush.Style = bsClear;
    cn.FillRect(TRect(0, 0, 8, 8));
    EXPECT_EQ(Px(n, 7, 7), clWhite);
}

TEST(PlatformCanvasFillTest, PolygonUsesWindingRule)
{
    // A five-pointed star drawn in one stroke: its centre is inside under the
    // winding rule (it would be a hole under alternate filling).
    QImage img = WhiteImage(41, 41);
    TCanvas c(&img);
    c.Pen.Style = psClear;
    c.Brush.Color = clRed;
    c.Polygon({{20, 0}, {32, 38}, {0, 14}, {40, 14}, {8, 38}});
    EXPECT_EQ(Px(img, 20, 22), clRed);  // centre
    EXPECT_EQ(Px(img, 20, 4), clRed);   // inside the top point
    EXPECT_EQ(Px(img, 2, 2), clWhite);
    EXPECT_EQ(Px(img, 20, 36), clWhite);  // between the two lower points

    // A right triangle: the hypotenuse side is tested only well inside/outside.
    QImage t = WhiteImage(10, 10);
    TCanvas ct(&t);
    ct.Brush.Color = clRed;
    ct.Polygon({{0, 0}, {8, 0}, {0, 8}});
    EXPECT_EQ(Px(t, 0, 0), clBlack);  // outline
    EXPECT_EQ(Px(t, 2, 2), clRed);
    EXPECT_EQ(Px(t, 7, 7), clWhite);
}

TEST(PlatformCanvasFillTest, EllipseAndRoundRectStayInsideTheirBox)
{
    QImage img = WhiteImage(20, 20);
    TCanvas c(&img);
    c.Brush.Color = clRed;
    c.Ellipse(2, 2, 12, 12);
    EXPECT_EQ(Px(img, 7, 7), clRed);
    EXPECT_EQ(Px(img, 2, 2), clWhite);     // corner of the box is outside
    EXPECT_EQ(Px(img, 7, 2), clBlack);     // top of the outline
    EXPECT_EQ(Px(img, 7, 11), clBlack);    // bottom row is the last inside
    EXPECT_EQ(Px(img, 7, 12), clWhite);
    EXPECT_EQ(Px(img, 12, 7), clWhite);

    QImage rr = WhiteImage(20, 20);
    TCanvas cr(&rr);
    cr.Brush.Color = clRed;
    cr.RoundRect(0, 0, 16, 10, 6, 6);
    EXPECT_EQ(Px(rr, 0, 0), clWhite);
    EXPECT_EQ(Px(rr, 8, 0), clBlack);
    EXPECT_EQ(Px(rr, 8, 5), clRed);
    EXPECT_EQ(Px(rr, 16, 5), clWhite);
}

TEST(PlatformCanvasClipTest, ClipRectRegionAndOrigin)
{
    QImage img = WhiteImage(10, 10);
    TCanvas c(&img);
    c.SetClipRect(TRect(2, 2, 4, 4));
    c.FillRect(TRect(0, 0, 10, 10), clBlack);
    EXPECT_EQ(Row(img, 2, 0, 6), "..xx..");
    EXPECT_EQ(Row(img, 4, 0, 6), "......");
    EXPECT_EQ(c.ClipRect(), TRect(2, 2, 4, 4));

    // A region clip of two separate squares.
    QImage r = WhiteImage(10, 3);
    TCanvas cr(&r);
    cr.SetClipRegion(TRegion::FromRects({TRect(0, 0, 2, 3), TRect(6, 0, 8, 3)}));
    cr.MoveTo(0, 1);
    cr.LineTo(10, 1);
    EXPECT_EQ(Row(r, 1, 0, 10), "xx....xx..");
    cr.ExcludeClipRect(TRect(0, 0, 1, 3));
    cr.FillRect(TRect(0, 0, 10, 1), clBlack);
    EXPECT_EQ(Row(r, 0, 0, 10), ".x....xx..");

    // Moving the origin moves drawing and the clip rectangle reported.
    QImage o = WhiteImage(10, 10);
    TCanvas co(&o);
    co.SetOrigin({3, 3});
    co.FillRect(TRect(0, 0, 2, 2), clBlack);
    EXPECT_EQ(Row(o, 3, 0, 7), "...xx..");
    EXPECT_EQ(co.ClipRect(), TRect(-3, -3, 7, 7));
    EXPECT_EQ(co.GetPixel(0, 0), clBlack);
}

TEST(PlatformCanvasClipTest, SaveAndRestoreState)
{
    QImage img = WhiteImage(10, 10);
    TCanvas c(&img);
    c.Brush.Color = clRed;
    int depth = c.SaveState();
    c.SetClipRect(TRect(0, 0, 1, 1));
    c.Brush.Color = clBlack;
    c.SetOrigin({2, 2});
    c.RestoreState(depth);
    EXPECT_FALSE(c.HasClip());
    EXPECT_EQ(c.Brush.Color, clRed);
    EXPECT_EQ(c.Origin(), TPoint(0, 0));
}

TEST(PlatformCanvasPixelTest, PixelsInvertAndFocusRect)
{
    QImage img = WhiteImage(8, 8);
    TCanvas c(&img);
    c.SetPixel(3, 4, RGB(1, 2, 3));
    EXPECT_EQ(c.GetPixel(3, 4), RGB(1, 2, 3));
    EXPECT_EQ(c.GetPixel(8, 0), CLR_INVALID);
    c.InvertRect(TRect(0, 0, 2, 1));
    EXPECT_EQ(Px(img, 0, 0), clBlack);
    EXPECT_EQ(Px(img, 2, 0), clWhite);

    QImage f = WhiteImage(8, 8);
    TCanvas cf(&f);
    cf.DrawFocusRect(TRect(1, 1, 7, 6));
    // Every other pixel of the frame, where x + y is even, is inverted.
    EXPECT_EQ(Row(f, 1, 0, 8), ".x.x.x..");
    EXPECT_EQ(Column(f, 1, 0, 7), ".x.x.x.");
    EXPECT_EQ(Px(f, 3, 3), clWhite);
    cf.DrawFocusRect(TRect(1, 1, 7, 6));
    EXPECT_EQ(InkBox(f), TRect());
}

TEST(PlatformCanvasCopyTest, CopyRectStretchesAndMirrors)
{
    QImage src = WhiteImage(2, 1);
    TCanvas cs(&src);
    cs.SetPixel(0, 0, clRed);
    cs.SetPixel(1, 0, clBlue);
    QImage dst = WhiteImage(8, 2);
    TCanvas cd(&dst);
    cd.CopyRect(TRect(0, 0, 4, 1), cs, TRect(0, 0, 2, 1));
    EXPECT_EQ(Px(dst, 0, 0), clRed);
    EXPECT_EQ(Px(dst, 1, 0), clRed);
    EXPECT_EQ(Px(dst, 2, 0), clBlue);
    EXPECT_EQ(Px(dst, 3, 0), clBlue);
    EXPECT_EQ(Px(dst, 4, 0), clWhite);
    // A negative width mirrors.
    cd.CopyRect(TRect(6, 1, 4, 2), cs, TRect(0, 0, 2, 1));
    EXPECT_EQ(Px(dst, 4, 1), clBlue);
    EXPECT_EQ(Px(dst, 5, 1), clRed);
    // Source and target the same: the overlapping copy reads the old pixels.
    cd.CopyRect(TRect(1, 0, 5, 1), cd, TRect(0, 0, 4, 1));
    EXPECT_EQ(Px(dst, 1, 0), clRed);
    EXPECT_EQ(Px(dst, 3, 0), clBlue);
    EXPECT_EQ(Px(dst, 4, 0), clBlue);
}

TEST(PlatformCanvasCopyTest, RasterOperations)
{
    EXPECT_EQ(Rop3(SRCCOPY, 0, 0xFF123456, 0) & 0xFFFFFF, 0x123456u);
    EXPECT_EQ(Rop3(SRCINVERT, 0, 0xFF0F0F0F, 0xFFFF00FF) & 0xFFFFFF, 0xF00FF0u);
    EXPECT_EQ(Rop3(SRCAND, 0, 0xFF0F0F0F, 0xFFFF00FF) & 0xFFFFFF, 0x0F000Fu);
    EXPECT_EQ(Rop3(SRCPAINT, 0, 0xFF0F0F0F, 0xFFF000F0) & 0xFFFFFF, 0xFF0FFFu);
    EXPECT_EQ(Rop3(DSTINVERT, 0, 0, 0xFF00FF00) & 0xFFFFFF, 0xFF00FFu);
    EXPECT_EQ(Rop3(PATCOPY, 0xFF010203, 0, 0) & 0xFFFFFF, 0x010203u);
    EXPECT_EQ(Rop3(BLACKNESS, 0x123, 0x456, 0x789) & 0xFFFFFF, 0u);
    EXPECT_EQ(Rop3(WHITENESS, 0, 0, 0) & 0xFFFFFF, 0xFFFFFFu);
    // 0xE20746: where the source is white the pattern, elsewhere the destination.
    EXPECT_EQ(Rop3(0x00E20746, 0xFF112233, 0xFFFFFFFF, 0xFF445566) & 0xFFFFFF, 0x112233u);
    EXPECT_EQ(Rop3(0x00E20746, 0xFF112233, 0xFF000000, 0xFF445566) & 0xFFFFFF, 0x445566u);
}

TEST(PlatformCanvasTextTest, TextOutOpaqueAndTransparent)
{
    QImage img = WhiteImage(100, 30);
    TCanvas c(&img);
    c.Brush.Color = clYellow;
    c.TextOut(5, 5, "Hi");
    TSize ext = c.TextExtent("Hi");
    EXPECT_GT(ext.cx, 4);
    EXPECT_GT(ext.cy, 8);
    // The cell is painted with the brush: its corners are yellow.
    EXPECT_EQ(Px(img, 5, 5), clYellow);
    EXPECT_EQ(Px(img, 5 + ext.cx - 1, 5 + ext.cy - 1), clYellow);
    EXPECT_EQ(Px(img, 5 + ext.cx, 5), clWhite);
    EXPECT_EQ(c.PenPos, TPoint(5 + ext.cx, 5));

    QImage t = WhiteImage(100, 30);
    TCanvas ct(&t);
    ct.Brush.Style = bsClear;
    ct.TextOut(5, 5, "Hi");
    TRect ink = InkBox(t);
    EXPECT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.Left, 5);
    EXPECT_GE(ink.Top, 5);
    EXPECT_LE(ink.Bottom, 5 + ext.cy);
    EXPECT_EQ(Px(t, 5, 5), clWhite);
}

TEST(PlatformCanvasTextTest, TahomaIsUsedWhenInstalled)
{
    bool tahoma = RegisterProgramFonts();
    QFont f = TFont().ToQFont();
    if (tahoma) {
        EXPECT_EQ(QFontInfo(f).family(), "Tahoma");
    }
    EXPECT_EQ(f.pixelSize(), 11);  // 8 pt at 96 DPI
}

TEST(PlatformFrame3DTest, NestedFramesAndShrunkRectangle)
{
    QImage img = WhiteImage(8, 8);
    TCanvas c(&img);
    TRect r(1, 1, 7, 7);
    Frame3D(c, r, clRed, clBlue, 2);
    EXPECT_EQ(r, TRect(3, 3, 5, 5));
    EXPECT_EQ(Px(img, 1, 1), clRed);
    EXPECT_EQ(Px(img, 5, 1), clRed);
    EXPECT_EQ(Px(img, 6, 1), clBlue);  // top-right corner
    EXPECT_EQ(Px(img, 1, 6), clBlue);  // bottom-left corner
    EXPECT_EQ(Px(img, 2, 2), clRed);   // second frame
    EXPECT_EQ(Px(img, 5, 5), clBlue);
    EXPECT_EQ(Px(img, 3, 3), clWhite);
    EXPECT_EQ(Px(img, 7, 7), clWhite);
    EXPECT_EQ(c.Pen.Color, clBlack);
}
