#include "app/SplashPicture.h"

#include "controls/CfSharedDraw.h"
#include "platform/DrawText.h"

using namespace cf;

cf::TBitmap SplashPicture(int width, int height)
{
    TBitmap b(width, height, pf24bit);
    TCanvas& c = b.Canvas();
    DrawVertGradient(c, TRect(0, 0, width, height), RGB(16, 40, 96), RGB(90, 150, 220));
    c.Brush.Color = RGB(220, 235, 250);
    c.FrameRect(TRect(0, 0, width, height));
    // A dish and its signal, the editor's subject.
    c.Pen.Color = RGB(255, 255, 255);
    c.Pen.Width = 3;
    c.Brush.Style = TBrushStyle::bsClear;
    c.Ellipse(TRect(width / 2 - 50, 40, width / 2 + 50, 140));
    c.Ellipse(TRect(width / 2 - 30, 60, width / 2 + 30, 120));
    c.Brush.Style = TBrushStyle::bsSolid;
    c.Brush.Color = RGB(255, 210, 80);
    c.Pen.Width = 1;
    c.Pen.Color = RGB(255, 210, 80);
    c.Ellipse(TRect(width / 2 - 8, 82, width / 2 + 8, 98));

    c.Brush.Style = TBrushStyle::bsClear;
    c.Font.Name = "Tahoma";
    c.Font.Size = 20;
    c.Font.Style = fsBold;
    c.Font.Color = clWhite;
    DrawText(c, "Chanforge", TRect(0, 160, width, 200), DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    c.Font.Size = 9;
    c.Font.Style = 0;
    c.Font.Color = RGB(220, 235, 250);
    DrawText(c, "Channel settings editor", TRect(0, 200, width, 220),
             DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    DrawText(c, "for Enigma receivers", TRect(0, 218, width, 238),
             DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    return b;
}
