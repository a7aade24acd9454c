#include "app/StartupAlert.h"

#include "controls/CfAlertWindow.h"
#include "controls/CfSharedDraw.h"
#include "platform/Screen.h"

#include <algorithm>

using namespace cf;

namespace {

// The small picture at the left of the header: a round sign.
TBitmap HeaderPicture()
{
    TBitmap b(16, 16, pf24bit);
    TCanvas& c = b.Canvas();
    c.FillRect(TRect(0, 0, 16, 16), clLime);
    c.Brush.Color = RGB(40, 110, 200);
    c.Pen.Color = RGB(20, 60, 140);
    c.Ellipse(TRect(0, 0, 16, 16));
    c.FillRect(TRect(7, 3, 9, 10), clWhite);
    c.FillRect(TRect(7, 11, 9, 13), clWhite);
    return b;
}

int CountOf(const std::string& text, const std::string& what)
{
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++n;
    return n;
}

} // namespace

std::unique_ptr<TCfAlertWindow> MakeMainAlert(QWidget* owner)
{
    auto a = std::make_unique<TCfAlertWindow>(owner);
    a->Name = "CfAlertWindow1";
    a->SetCaption("Chanforge Alert");
    a->Options = aoCloseButton | aoHtmlText;
    a->HeaderSize = 50;
    a->HeaderFont.Name = "Tahoma";
    a->HeaderFont.SetHeight(-13);
    a->HeaderFont.Color = clWindowText;
    a->ForegroundColor = clSkyBlue;
    a->Alignment = taCenter;
    a->WordWrap = true;
    TBitmap small = HeaderPicture();
    a->SmallGlyph.SetNormalGlyph(small);
    a->SmallGlyph.SetTransparentColor(clLime);
    a->SmallGlyph.SetTransparent(true);
    a->SetBounds(0, 0, 248, 200);
    return a;
}

void PopStartupAlert(TCfAlertWindow& alert, const std::string& text)
{
    // The text comes from the network: a flood of "<br>" must not make a
    // window (and a back buffer) taller than the screen.
    const int breaks = std::min(CountOf(text, "<br>"), 10000);
    alert.SetHeight(std::min(30 * breaks + 30, std::max(30, WorkAreaRect().Height())));
    alert.Popup(text, 10);
}
