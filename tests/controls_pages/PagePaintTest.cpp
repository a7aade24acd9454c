// Pixel probes of the tab strip, themes off. Three tabs 40 wide, the middle
// one active, strip 17 high at TopIndent 3; the expected colours follow the
// tab shapes by hand.

#include "PageTestSupport.h"

#include "../controls_panels/PanelTestHelpers.h"
#include "controls/CfSharedDraw.h"
#include "platform/Cursors.h"

#include <gtest/gtest.h>

using namespace cf;

namespace {

constexpr TColor Strip = 0xC0C0C0;  // BackgroundColor's default

struct Probe {
    int x, y;  // y for tabs at the top
    TColor color;
};

struct JoinProbe {
    int x;
    TColor color;
};

struct StyleCase {
    const char* name;
    TTabStyle style;
    std::vector<Probe> shape;  // inside the tab rows: mirrored for tabs at the bottom
    std::vector<JoinProbe> join;  // points along the join line
};

// Tabs at the bottom of a 100-row control without the border row: the strip
// spans rows 80..96 and shape row y (top layout, tab top 3) lands on 99 - y;
// the join line lies on row 79.
int BottomRow(int y) { return 99 - y; }

std::vector<StyleCase> StyleCases()
{
    const TColor grey = clGrayText, window = clWindow, face = clBtnFace, shadow = clBtnShadow, hot = clHotLight;
    const TColor flatInactive = BlendColor(clInactiveCaption, clWindow, 80);
    return {
        // Tabs at 2, 42, 82: the active tab has a white left and black right line.
        {"classic", tsClassic,
         {{60, 12, face}, {42, 12, clWhite}, {81, 12, clBlack}, {4, 5, Strip}, {100, 5, Strip}},
         {{20, clWhite}, {42, clWhite}, {43, face}, {81, face}, {82, clWhite}, {200, clWhite}}},
        // Tabs at 2, 34, 66 (overlap 8): active outline (34,20) (42,3) (66,3) (74,20).
        {"flat", tsFlat,
         {{54, 3, grey}, {54, 12, window}, {20, 12, flatInactive}, {90, 12, flatInactive}, {150, 12, Strip}},
         {{20, grey}, {33, grey}, {34, window}, {72, window}, {73, grey}, {200, grey}}},
        // Tabs at 2, 28, 54 (overlap 14); the active tab runs 28..68.
        {"onenote", tsOneNote,
         {{55, 3, hot}, {67, 12, hot}, {55, 12, window}, {66, 12, window},
          // The last tab (54..94): outline at 93, the coloured inner edge at 92.
          {93, 12, hot}, {92, 12, TColor(0xF1A6B1)}, {80, 12, window}, {150, 12, Strip}},
         {{20, hot}, {27, hot}, {28, face}, {67, face}, {68, hot}, {200, hot}}},
        // Tabs at 2, 32, 62 (overlap 10); the active tab runs 32..72.
        {"whidbey", tsWhidbey,
         {{60, 3, grey}, {71, 12, grey}, {55, 12, window}, {25, 12, Strip}, {30, 3, grey}, {85, 12, Strip},
          {90, 3, grey}, {150, 12, Strip}},
         {{20, grey}, {31, grey}, {32, window}, {70, window}, {71, grey}, {200, grey}}},
        // Tabs at 2, 31, 60 (overlap 11); the active tab runs 31..71.
        {"dexter", tsDexter,
         {{45, 3, shadow}, {31, 15, shadow}, {45, 12, window}, {15, 12, Strip}, {15, 3, shadow}, {2, 15, shadow},
          {150, 12, Strip}},
         {{20, shadow}, {31, shadow}, {32, window}, {68, window}, {69, shadow}, {200, shadow}}},
    };
}

// Captions off: the probes look at the shapes.
void Prepare(LoggedPages& f, TTabStyle style, TTabPosition position)
{
    for (TCfTabSheet* page : f.pages)
        page->SetCaption("");
    f.control.SetBounds(0, 0, 300, 100);
    f.control.SetTabStyle(style);
    f.control.SetTabPosition(position);
    f.control.SetActivePageIndex(1);
}

TEST(PagesPaint, EachTabStyleAtTheTop)
{
    for (const StyleCase& c : StyleCases()) {
        LoggedPages f(3);
        Prepare(f, c.style, tpTop);
        for (const Probe& p : c.shape)
            EXPECT_EQ(PixelAt(f.control, p.x, p.y), Rgb(p.color)) << c.name << " at " << p.x << "," << p.y;
        for (const JoinProbe& p : c.join)
            EXPECT_EQ(PixelAt(f.control, p.x, 20), Rgb(p.color)) << c.name << " join at " << p.x;
        // The strip band and its top border.
        EXPECT_EQ(PixelAt(f.control, 1, 10), Strip) << c.name;
        EXPECT_EQ(PixelAt(f.control, 150, 0), Rgb(clGrayText)) << c.name;
    }
}

TEST(PagesPaint, EachTabStyleAtTheBottomIsTheTopShapeUpsideDown)
{
    for (const StyleCase& c : StyleCases()) {
        LoggedPages f(3);
        Prepare(f, c.style, tpBottom);
        f.control.SetOptions(DefaultPageOptions & ~pgTopBorder);
        for (const Probe& p : c.shape)
            EXPECT_EQ(PixelAt(f.control, p.x, BottomRow(p.y)), Rgb(p.color))
                << c.name << " at " << p.x << "," << BottomRow(p.y);
        for (const JoinProbe& p : c.join)
            EXPECT_EQ(PixelAt(f.control, p.x, 79), Rgb(p.color)) << c.name << " join at " << p.x;
        EXPECT_EQ(PixelAt(f.control, 150, 99), Strip) << c.name;
        EXPECT_EQ(PixelAt(f.control, 1, 85), Strip) << c.name;
        f.control.SetOptions(DefaultPageOptions);
        EXPECT_EQ(PixelAt(f.control, 150, 99), Rgb(clGrayText)) << c.name << " border row";
    }
}

TEST(PagesPaint, OnlyWhidbeyFillsTheActiveTabWithActiveTabColor)
{
    for (TTabStyle style : {tsFlat, tsOneNote, tsWhidbey, tsDexter}) {
        LoggedPages f(3);
        Prepare(f, style, tpTop);
        f.pages[1]->SetActiveTabColor(clYellow);
        const TColor inside = PixelAt(f.control, 56, 12);
        if (style == tsWhidbey)
            EXPECT_EQ(inside, clYellow);
        else
            EXPECT_NE(inside, clYellow) << int(style);
    }
}

TEST(PagesPaint, TabColorsWithoutAdaptiveColors)
{
    struct Case {
        TTabStyle style;
        Probe inactive;  // a point inside the first tab
        Probe join;      // x on the join line under the active tab
    } cases[] = {
        {tsClassic, {60, 12, clAqua}, {60, 0, clBtnFace}},  // the active tab's own colour
        {tsFlat, {20, 12, clLime}, {50, 0, clAqua}},
        {tsWhidbey, {25, 12, clLime}, {50, 0, clAqua}},
        {tsDexter, {15, 12, clLime}, {50, 0, clAqua}},
    };
    for (const Case& c : cases) {
        LoggedPages f(3);
        Prepare(f, c.style, tpTop);
        f.control.SetAdaptiveColors(false);
        f.pages[0]->SetTabColor(clLime);
        f.pages[1]->SetTabColor(clAqua);
        f.pages[1]->SetActiveTabColor(clAqua);
        EXPECT_EQ(PixelAt(f.control, c.inactive.x, c.inactive.y), c.inactive.color) << int(c.style);
        EXPECT_EQ(PixelAt(f.control, c.join.x, 20), Rgb(c.join.color)) << int(c.style);
    }
}

TEST(PagesPaint, OneNoteTabsFadeTowardsTheirTabColor)
{
    LoggedPages f(3);
    Prepare(f, tsOneNote, tpTop);
    f.pages[2]->SetTabColor(clRed);
    // The last tab (54..94) is filled top to bottom from the window colour to red.
    QImage ref(40, 17, QImage::Format_RGB32);
    TCanvas c(&ref);
    DrawVertGradient(c, TRect(0, 0, 40, 17), clWindow, clRed);
    for (int y : {5, 10, 16})
        EXPECT_EQ(PixelAt(f.control, 80, 3 + y), FromPixel(ReadPixel(ref, 26, y))) << y;
}

// Text is smoothed, so captions are judged by their darkest pixel and by
// the run of columns their dark pixels cover.
struct Ink {
    int darkest = 255;
    int first = -1, last = -1;  // columns holding dark text
};

Ink InkIn(TControl& c, int x0, int x1)
{
    c.Render();
    Ink ink;
    for (int y = 4; y < 19; ++y)
        for (int x = x0; x < x1; ++x) {
            const TColor p = FromPixel(ReadPixel(c.BackBuffer(), x, y));
            const int level = (GetRValue(p) + GetGValue(p) + GetBValue(p)) / 3;
            ink.darkest = std::min(ink.darkest, level);
            if (level < 0x80) {
                if (ink.first < 0 || x < ink.first)
                    ink.first = x;
                ink.last = std::max(ink.last, x);
            }
        }
    return ink;
}

TEST(PagesPaint, ClassicCaptionsAreGreyOnInactiveTabs)
{
    LoggedPages f(0);
    f.Add("WWW", 60);
    f.Add("WWW", 60);
    Prepare(f, tsClassic, tpTop);
    for (TCfTabSheet* page : f.pages)
        page->SetCaption("WWW");
    f.control.SetActivePageIndex(0);
    const int grey = GetRValue(Rgb(clGrayText));
    // Inside the active tab's border lines (2 and 61): black text.
    EXPECT_LT(InkIn(f.control, 4, 60).darkest, 0x20);
    // The inactive caption is never darker than the grey text colour.
    const Ink inactive = InkIn(f.control, 63, 122);
    EXPECT_GE(inactive.darkest, grey);
    EXPECT_LT(inactive.darkest, 0xC0);
}

TEST(PagesPaint, ActiveCaptionIsBoldWithBoldActiveTab)
{
    for (bool bold : {true, false}) {
        LoggedPages f(0);
        f.Add("WWW", 60);
        f.Add("WWW", 60);
        Prepare(f, tsFlat, tpTop);
        for (TCfTabSheet* page : f.pages)
            page->SetCaption("WWW");
        f.control.SetAdaptiveColors(false);  // both tabs white
        f.control.SetOptions(bold ? DefaultPageOptions : DefaultPageOptions & ~pgBoldActiveTab);
        f.control.SetActivePageIndex(0);
        // Tabs at 2 and 54 (overlap 8): the same caption, active and not.
        const Ink active = InkIn(f.control, 12, 50), inactive = InkIn(f.control, 64, 102);
        const int activeRun = active.last - active.first, inactiveRun = inactive.last - inactive.first;
        ASSERT_GT(inactiveRun, 20);
        // Bold "WWW" is three pixels wider in Tahoma 8.
        if (bold)
            EXPECT_GE(activeRun, inactiveRun + 2);
        else
            EXPECT_EQ(activeRun, inactiveRun);
    }
}

TEST(PagesPaint, StripBackgroundKinds)
{
    struct Case {
        TBackgroundKind kind;
        TColor from, to;
        bool horizontal;
    } cases[] = {
        {bkHorzGradient, clYellow, clBlue, true},
        {bkVertGradient, clYellow, clBlue, false},
        {bkInveseVertGradient, clBlue, clYellow, false},
    };
    for (const Case& c : cases) {
        LoggedPages f(0);
        f.control.SetBounds(0, 0, 300, 100);
        f.control.SetOptions(DefaultPageOptions | pgAlwaysShowTabsRect);
        f.control.Color = clBlue;
        f.control.SetBackgroundColor(clYellow);
        f.control.SetBackgroundKind(c.kind);
        QImage ref(300, 20, QImage::Format_RGB32);
        TCanvas rc(&ref);
        if (c.horizontal)
            DrawHorzGradient(rc, TRect(0, 0, 300, 20), c.from, c.to);
        else
            DrawVertGradient(rc, TRect(0, 0, 300, 20), c.from, c.to);
        for (TPoint p : {TPoint(0, 5), TPoint(150, 1), TPoint(240, 19), TPoint(299, 12)})
            EXPECT_EQ(PixelAt(f.control, p.X, p.Y), FromPixel(ReadPixel(ref, p.X, p.Y)))
                << int(c.kind) << " at " << p.X << "," << p.Y;
    }
}

// A parent that draws a green column at x = 30 on red.
class StripedParent : public TControl {
public:
    void Paint(TCanvas& canvas) override
    {
        canvas.FillRect(ClientRect(), clRed);
        canvas.FillRect(TRect(30, 0, 31, Height()), clLime);
    }
};

TEST(PagesPaint, TransparentStripShowsTheParentAtTheControlsOffset)
{
    StripedParent parent;
    parent.SetBounds(0, 0, 400, 200);
    TCfPageControl control(&parent);
    control.SetBounds(10, 40, 300, 100);
    control.SetOptions(pgAlwaysShowTabsRect);
    control.SetBackgroundKind(bkTransparent);
    EXPECT_EQ(PixelAt(control, 20, 5), clLime);
    EXPECT_EQ(PixelAt(control, 21, 5), clRed);
    EXPECT_EQ(PixelAt(control, 19, 5), clRed);
    // Below the strip the control paints its own colour.
    EXPECT_EQ(PixelAt(control, 20, 50), Rgb(clBtnFace));
}

TEST(PagesPaint, NoPagesPaintsColorAndClosingTheLastPageLeavesButtonFace)
{
    LoggedPages f(1);
    f.control.SetBounds(0, 0, 300, 100);
    f.control.Color = clAqua;
    f.control.SetActivePageIndex(0);
    EXPECT_EQ(PixelAt(f.control, 150, 10), Strip);
    delete f.pages[0];
    EXPECT_EQ(f.control.ActivePage(), nullptr);
    // Without pages and without pgAlwaysShowTabsRect, only Color.
    EXPECT_EQ(PixelAt(f.control, 150, 10), clAqua);
    EXPECT_EQ(PixelAt(f.control, 150, 60), clAqua);
    // A page that is not shown leaves the page area in the button face.
    f.Add("B", 40);
    EXPECT_EQ(PixelAt(f.control, 150, 60), Rgb(clBtnFace));
}

TEST(PagesPaint, PageBorderTopAndBottom)
{
    for (TTabPosition pos : {tpTop, tpBottom}) {
        LoggedPages f(1);
        f.control.SetBounds(0, 0, 300, 100);
        f.control.SetOptions(DefaultPageOptions | pgPageBorder);
        f.control.SetTabPosition(pos);
        const TColor grey = Rgb(clGrayText);
        if (pos == tpTop) {
            EXPECT_EQ(PixelAt(f.control, 0, 60), grey);
            EXPECT_EQ(PixelAt(f.control, 299, 60), grey);
            EXPECT_EQ(PixelAt(f.control, 150, 99), grey);
        } else {
            EXPECT_EQ(PixelAt(f.control, 0, 40), grey);
            EXPECT_EQ(PixelAt(f.control, 299, 40), grey);
            EXPECT_EQ(PixelAt(f.control, 150, 0), grey);
        }
        EXPECT_EQ(PixelAt(f.control, 150, 50), Rgb(clBtnFace));
    }
}

// ---------------------------------------------------------------- buttons

TEST(PagesPaint, ScrollArrowsHollowAtTheirLimit)
{
    LoggedPages f(10);
    f.control.SetBounds(0, 0, 300, 100);
    // Scroll left (248..264): triangle (257,6) (253,10) (257,14); right (264..280): (269,6) (273,10) (269,14).
    EXPECT_EQ(PixelAt(f.control, 256, 10), Strip);  // hollow at offset 0
    EXPECT_EQ(PixelAt(f.control, 257, 10), clBlack);
    EXPECT_EQ(PixelAt(f.control, 270, 10), clBlack);  // filled: scrolling right is possible
    for (int i = 0; i < 9; ++i)
        f.control.ScrollTabs(1);
    ASSERT_EQ(f.control.ScrollOffset(), f.control.MaxScrollOffset());
    EXPECT_EQ(PixelAt(f.control, 256, 10), clBlack);
    EXPECT_EQ(PixelAt(f.control, 270, 10), Strip);
    EXPECT_EQ(PixelAt(f.control, 269, 10), clBlack);
}

TEST(PagesPaint, CloseButtonShowsItsPictureWithWhiteTransparent)
{
    LoggedPages f(1);
    f.control.SetBounds(0, 0, 300, 100);
    TBitmap picture = ProgramBitmap("CLOSEBTN");
    const int x0 = 280 + (16 - picture.Width()) / 2, y0 = 3 + (16 - picture.Height()) / 2;
    f.control.Render();
    int black = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const TColor want = picture.Canvas().GetPixel(x, y) == clWhite ? Strip : clBlack;
            black += want == clBlack;
            EXPECT_EQ(FromPixel(ReadPixel(f.control.BackBuffer(), x0 + x, y0 + y)), want) << x << "," << y;
        }
    EXPECT_GT(black, 0);
}

TEST(PagesPaint, ButtonLooksNormalHotAndPressedByStyle)
{
    const TColor hotFill = BlendColor(clHighlight, clWindow, 80);
    struct Case {
        TTabStyle style;
        bool pressed;
        TColor left, right, inside;  // (264,10), (279,10), (266,5)
    } cases[] = {
        {tsClassic, false, clBtnFace, clBlack, Strip},
        {tsClassic, true, clBlack, clBtnFace, Strip},
        {tsFlat, false, clHighlight, clHighlight, hotFill},
        {tsFlat, true, clHighlight, clHighlight, hotFill},
        {tsOneNote, false, clHighlight, clHighlight, hotFill},
        {tsWhidbey, true, clHighlight, clHighlight, hotFill},
        // Rounded (264,3)-(279,18): the frame's right edge is column 278.
        {tsDexter, false, clBtnShadow, Strip, clWindow},
    };
    for (const Case& c : cases) {
        LoggedPages f(10);
        Prepare(f, c.style, tpTop);
        EXPECT_EQ(PixelAt(f.control, 264, 10), Strip) << "no frame before hovering";
        SendMouse(f.control, QEvent::MouseMove, 270, 10);
        if (c.pressed)
            Press(f.control, 270, 10);
        EXPECT_EQ(PixelAt(f.control, 264, 10), Rgb(c.left)) << int(c.style) << " pressed " << c.pressed;
        EXPECT_EQ(PixelAt(f.control, 279, 10), Rgb(c.right)) << int(c.style) << " pressed " << c.pressed;
        EXPECT_EQ(PixelAt(f.control, 266, 5), Rgb(c.inside)) << int(c.style) << " pressed " << c.pressed;
        if (c.pressed)
            Release(f.control, 270, 10);
    }
}

TEST(PagesPaint, TabListButtonArrow)
{
    LoggedPages f(1);
    f.control.SetBounds(0, 0, 300, 100);
    f.control.SetOptions(DefaultPageOptions | pgTabsPopup);
    // Button at 264..280: filled shape (268,10) (275,10) (272,13) (271,13).
    EXPECT_EQ(PixelAt(f.control, 271, 11), clBlack);
    EXPECT_EQ(PixelAt(f.control, 271, 8), Strip);
}

TEST(PagesPaint, PicturePlacementByAlignmentAndActivity)
{
    // tsWhidbey, tabs 60 wide at 2 and 52 (overlap 10), B active; a red 8 x 8
    // glyph. Text rectangles start TabHeight - 6 = 11 in: 13 (A) and 63 (B);
    // pictures sit at tab top + 8 - 4 + 1 = 8.
    TBitmap glyph(8, 8);
    glyph.Canvas().FillRect(TRect(0, 0, 8, 8), clRed);
    TCustomImageList images(8, 8);
    images.Add(glyph);
    struct Case {
        TAlignment alignment;
        bool useList;
        int activeX, inactiveX;
    } cases[] = {
        {taLeftJustify, false, 63 + 2 + 4, 13 + 2 + 4 + 4},
        {taCenter, false, 63 + 4, 13 + 4 + 4},
        {taRightJustify, false, 112 - 2 - 8 - 2, 62 - 2 - 8 - 2 + 4},
        {taCenter, true, 63 + 4, 13 + 4 + 4},
    };
    for (const Case& c : cases) {
        LoggedPages f(2, 60);
        Prepare(f, tsWhidbey, tpTop);
        f.control.SetImages(&images);
        f.control.SetTabAlignment(c.alignment);
        for (TCfTabSheet* page : f.pages) {
            if (c.useList) {
                page->SetDisplayMode(tdImageIndex);
                page->SetImageIndex(0);
            } else {
                page->SetGlyph(glyph);
            }
            page->SetTabWidth(60);
        }
        // The active tab, drawn last, hides the right end of A's right-aligned picture.
        EXPECT_EQ(PixelAt(f.control, c.activeX + 7, 15), clRed) << int(c.alignment);
        for (int x : {c.activeX, c.inactiveX}) {
            EXPECT_EQ(PixelAt(f.control, x, 8), clRed) << int(c.alignment) << " at " << x;
            EXPECT_NE(PixelAt(f.control, x - 1, 8), clRed) << int(c.alignment) << " at " << x;
            EXPECT_NE(PixelAt(f.control, x, 7), clRed) << int(c.alignment) << " at " << x;
        }
    }
}

TEST(PagesPaint, OneNoteTabCutShortByTheStripShowsOnlyItsOutline)
{
    // Tabs 41 wide, 27 apart, from Indent; tab 7 starts at Indent + 189 and
    // is cut at the strip's end, 229. Its fill starts at L + 14.
    struct Case {
        int indent;
        bool filled;  // visible part at least TabHeight + 2 = 19 wide
    } cases[] = {{20, true}, {24, false}};
    for (const Case& c : cases) {
        LoggedPages f(10, 41);
        Prepare(f, tsOneNote, tpTop);
        f.control.SetActivePageIndex(0);
        f.control.SetPartialTabs(true);
        f.control.SetIndent(c.indent);
        EXPECT_EQ(PixelAt(f.control, 228, 12), c.filled ? Rgb(clWindow) : Strip) << c.indent;
        if (!c.filled) {
            EXPECT_EQ(PixelAt(f.control, 227, 6), Rgb(clHotLight));  // the outline's first point
        }
        EXPECT_EQ(PixelAt(f.control, 229, 12), Strip) << "nothing past the strip's end";
    }
}

TEST(PagesPaint, AmpersandUnderlinesTheNextCharacterInsteadOfShowing)
{
    // The same tab with "W" and with "&W": the same run of dark columns, and
    // one more dark row (the underline) below the letter.
    struct Look {
        int first = 1000, last = -1, rows = 0;
    };
    auto look = [](const std::string& caption) {
        LoggedPages f(0);
        f.Add("x", 60);
        Prepare(f, tsFlat, tpTop);
        f.pages[0]->SetCaption(caption);
        f.control.SetActivePageIndex(0);
        f.control.Render();
        Look l;
        for (int y = 4; y < 20; ++y) {
            bool dark = false;
            for (int x = 12; x < 52; ++x) {
                const TColor p = FromPixel(ReadPixel(f.control.BackBuffer(), x, y));
                if ((GetRValue(p) + GetGValue(p) + GetBValue(p)) / 3 < 0x60) {
                    dark = true;
                    l.first = std::min(l.first, x);
                    l.last = std::max(l.last, x);
                }
            }
            l.rows += dark;
        }
        return l;
    };
    const Look plain = look("W"), marked = look("&W");
    ASSERT_GT(plain.rows, 4);
    EXPECT_NEAR(marked.first, plain.first, 1);
    EXPECT_NEAR(marked.last, plain.last, 1);
    EXPECT_EQ(marked.rows, plain.rows + 1);
}

} // namespace
