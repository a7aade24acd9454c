// Renders a sheet of the shared drawing routines to a PNG (CF_SAMPLE_PNG, else
// controls-sample.png in the working folder) for
// a person to look at; the test itself only checks the sheet was written.

#include "controls/CfSharedDraw.h"
#include "controls/CfThemesSupport.h"
#include "controls/DeRudaduZevari.h"
#include "platform/Bitmap.h"
#include "platform/Cursors.h"
#include "platform/DrawText.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace cf;

TEST(SharedDrawSampleSheet, RendersToPng)
{
    const char* out = std::getenv("CF_SAMPLE_PNG");
    if (!out || !*out)
        out = "controls-sample.png";  // the test's working folder in the build tree
    QImage img(640, 480, QImage::Format_RGB32);
    TCanvas c(&img);
    c.FillRect(TRect(0, 0, 640, 480), clBtnFace);

    // Gradients and sheen/glass header bands.
    DrawVertGradient(c, TRect(10, 10, 110, 60), SchemeColor(11, csBlue), SchemeColor(12, csBlue));
    DrawHorzGradient(c, TRect(120, 10, 220, 60), clNavy, clWhite);
    DrawMultiGradient(c, TRect(230, 10, 330, 60), true, {clRed, clYellow, clLime, clBlue});
    DrawSheenGradient(c, TRect(340, 10, 520, 60), SchemeColor(18, csBlue), RGB(120, 150, 200), 12);
    c.FillRect(TRect(530, 10, 630, 60), RGB(40, 70, 130));
    DrawGlassEffect(c, TRect(530, 10, 630, 110));

    // Palette rows of every scheme.
    for (int s = 1; s < SchemeCount; ++s)
        for (int i = 0; i < SchemeColorCount; ++i)
            c.FillRect(Bounds(10 + i * 14, 70 + (s - 1) * 12, 13, 11), SchemeColor(i, TColorScheme(s)));

    // Text routines.
    c.Font.Name = "Tahoma";
    DrawTextRect(c, TRect(10, 150, 200, 170), taLeftJustify, false, "DrawTextRect with a long &caption");
    DrawGrayedText(c, TRect(10, 172, 200, 192), "Greyed (disabled) text", false, taLeftJustify);
    DrawTextLine(c, TRect(10, 194, 200, 214), taCenter, "Centred text line", false);
    DrawTextInRect(c, TRect(210, 150, 400, 230), "Word-wrapped text in a rectangle, vertically centred with shadow",
                   true, false, wkWordWrap, taVerticalCenter, taCenter);
    c.Brush.Color = clWhite;
    c.FrameRect(TRect(209, 149, 401, 231));
    DrawVerticalText(c, TRect(410, 150, 430, 300), "Vertical text");
    c.Brush.Style = bsSolid;
    THtmlResult r;
    c.FillRect(TRect(440, 150, 630, 230), clWhite);
    DrawHtmlText(c, TRect(445, 155, 630, 230),
                 "<b>Bold</b>, <i>italic</i>, <u>under</u><br><font color=crimson size=12>Crimson 12</font> "
                 "<font color=\"#008000\">green</font><br><a href=\"x\">a link</a> and </b>stray tags<p>",
                 r, true);

    // Buttons, focus, alpha and grey glyphs.
    TGraphicsProvider::DrawButtonFace(c, TRect(10, 240, 90, 265), false);
    TGraphicsProvider::DrawButtonFace(c, TRect(100, 240, 180, 265), true);
    TGraphicsProvider::DrawFocusFrame(c, TRect(14, 244, 86, 261), false);
    TBitmap glyph(24, 24, pf32bit);
    for (int y = 0; y < 24; ++y) {
        uint8_t* p = glyph.ScanLine(y);
        for (int x = 0; x < 24; ++x, p += 4) {
            int dx = x - 12, dy = y - 12;
            int d2 = dx * dx + dy * dy;
            p[0] = 200, p[1] = uint8_t(100 + x * 4), p[2] = uint8_t(40 + y * 8);
            p[3] = uint8_t(d2 < 100 ? 255 : d2 < 144 ? 128 : 0);
        }
    }
    DrawGraphicAlpha(c, 200, 240, glyph);
    TDrawProvider::DrawAlphaGraphic(c, 230, 240, glyph);
    TBitmap grey = glyph;
    MakeGrayedGlyph(grey);
    DrawGraphicAlpha(c, 260, 240, grey);
    TBitmap four(16, 16, pf4bit);
    four.Canvas().FillRect(TRect(0, 0, 16, 16), clWhite);
    four.Canvas().FillRect(TRect(3, 3, 13, 5), clBlack);
    four.Canvas().FillRect(TRect(7, 3, 9, 13), clBlack);
    TBitmap fourGrey = four;
    MakeGrayedGlyph(fourGrey);
    c.Draw(290, 244, four);
    c.Draw(310, 244, fourGrey);
    TBitmap closeBtn = ProgramBitmap("CLOSEBTN");
    closeBtn.Transparent = true;
    c.Draw(340, 246, closeBtn);

    // Shapes under GDI rules.
    c.Brush.Color = clWhite;
    c.Pen.Color = clBlack;
    c.Rectangle(10, 290, 60, 330);
    c.Brush.Color = RGB(255, 220, 150);
    c.Ellipse(70, 290, 120, 330);
    c.RoundRect(130, 290, 190, 330, 12, 12);
    c.Brush.Color = RGB(150, 200, 255);
    c.Polygon({{220, 290}, {232, 328}, {200, 304}, {240, 304}, {208, 328}});
    c.Pen.Style = psDot;
    c.Brush.Style = bsClear;
    c.MoveTo(250, 310);
    c.LineTo(350, 310);
    c.Pen.Style = psSolid;
    c.Brush.Style = bsSolid;
    c.Brush.Color = clWhite;
    TRect tr(360, 290, 470, 340);
    c.FillRect(tr);
    DrawText(c, "DrawText: word break and &prefix in a box", tr, DT_WORDBREAK | DT_CENTER);

    ASSERT_TRUE(img.save(QString::fromUtf8(out)));
}
