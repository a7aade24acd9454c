// Strip, buttons and page area; tab widths, overlaps and positions; the hit
// test; scroll limits and scrolling a tab into view.

#include "PageTestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace cf;

namespace {

TEST(PagesGeometry, StripButtonsAndPageAreaByOptions)
{
    struct Case {
        const char* what;
        TPageOptions options;
        TTabPosition position;
        TRect strip, close, list, left, right, pages;
    } cases[] = {
        // 300 - 39 - 32 = 229.
        {"defaults", DefaultPageOptions, tpTop, {2, 3, 229, 20}, {280, 3, 296, 19}, {}, {248, 3, 264, 19},
         {264, 3, 280, 19}, {0, 21, 300, 200}},
        {"no buttons", 0, tpTop, {2, 3, 277, 20}, {}, {}, {}, {}, {0, 21, 300, 200}},
        {"every button", pgCloseButton | pgTabsPopup | pgScrollButtons, tpTop, {2, 3, 213, 20}, {280, 3, 296, 19},
         {264, 3, 280, 19}, {232, 3, 248, 19}, {248, 3, 264, 19}, {0, 21, 300, 200}},
        {"tab list only", pgTabsPopup, tpTop, {2, 3, 261, 20}, {}, {280, 3, 296, 19}, {}, {}, {0, 21, 300, 200}},
        // Bottom: the strip ends TopIndent (and the border row) above the edge.
        {"bottom", DefaultPageOptions, tpBottom, {2, 179, 229, 196}, {280, 181, 296, 197}, {}, {248, 181, 264, 197},
         {264, 181, 280, 197}, {0, 0, 300, 179}},
        {"bottom without border", pgCloseButton, tpBottom, {2, 180, 261, 197}, {280, 181, 296, 197}, {}, {}, {},
         {0, 0, 300, 179}},
        {"page border", DefaultPageOptions | pgPageBorder, tpTop, {2, 3, 229, 20}, {280, 3, 296, 19}, {},
         {248, 3, 264, 19}, {264, 3, 280, 19}, {1, 21, 299, 199}},
    };
    for (const Case& c : cases) {
        LoggedPages f(1);
        f.control.SetOptions(c.options);
        f.control.SetTabPosition(c.position);
        EXPECT_EQ(f.control.TabsRect(), c.strip) << c.what;
        EXPECT_EQ(f.control.StripRight(), c.strip.Right) << c.what;
        if (c.options & pgCloseButton) {
            EXPECT_EQ(f.control.ButtonRect(pbClose), c.close) << c.what;
        }
        if (c.options & pgTabsPopup) {
            EXPECT_EQ(f.control.ButtonRect(pbTabList), c.list) << c.what;
        }
        if (c.options & pgScrollButtons) {
            EXPECT_EQ(f.control.ButtonRect(pbScrollLeft), c.left) << c.what;
            EXPECT_EQ(f.control.ButtonRect(pbScrollRight), c.right) << c.what;
        }
        EXPECT_EQ(f.control.PageClientRect(), c.pages) << c.what;
    }
}

TEST(PagesGeometry, PageAreaWithMarginBorderAndHiddenTabs)
{
    LoggedPages f(1);
    f.control.SetActivePageIndex(0);
    EXPECT_EQ(f.control.PageAreaHeight(), 200 - 1 - 17 - 3);
    f.control.SetMargin(4);
    f.control.SetOptions(DefaultPageOptions | pgPageBorder);
    EXPECT_EQ(f.control.PageClientRect(), TRect(5, 25, 295, 195));
    EXPECT_EQ(f.pages[0]->BoundsRect(), TRect(5, 25, 295, 195));
    f.control.SetShowTabs(false);
    EXPECT_EQ(f.control.PageClientRect(), TRect(5, 5, 295, 195));
}

TEST(PagesGeometry, ButtonHitTestAndTheTabListWinning)
{
    LoggedPages f(1);
    f.control.SetOptions(pgCloseButton | pgTabsPopup | pgScrollButtons);
    struct Probe {
        int x, y;
        TPageButton button;
    } probes[] = {{285, 10, pbClose}, {270, 10, pbTabList}, {240, 10, pbScrollLeft}, {255, 10, pbScrollRight},
                  {231, 10, pbNone},  {285, 20, pbNone},    {100, 10, pbNone}};
    for (const Probe& p : probes)
        EXPECT_EQ(f.control.ButtonAt(p.x, p.y), p.button) << p.x << "," << p.y;
}

int BoldWidth(const std::string& text)
{
    QImage img(1, 1, QImage::Format_RGB32);
    TCanvas c(&img);
    c.Font.Style = fsBold;
    return c.TextWidth(text);
}

TEST(PagesGeometry, TabWidthsByStyleMarginPictureAndLimit)
{
    TCustomImageList images(12, 12);
    TBitmap piece(12, 12);
    images.Add(piece);
    TBitmap glyph(16, 16);
    struct Case {
        const char* what;
        TTabStyle style;
        std::string caption;
        int tabMargin, maxWidth;
        TTabDisplayMode mode;
        int imageIndex;
        bool withGlyph;
        int expected;
    } cases[] = {
        {"classic, empty caption", tsClassic, "", 0, 0, tdTextOnly, -1, false, 8 + 12},
        {"flat", tsFlat, "", 0, 0, tdTextOnly, -1, false, 8 + 17},
        {"onenote", tsOneNote, "", 0, 0, tdTextOnly, -1, false, 8 + 17 + 36},
        {"whidbey", tsWhidbey, "", 0, 0, tdTextOnly, -1, false, 8 + 17},
        {"dexter", tsDexter, "", 0, 0, tdTextOnly, -1, false, 8 + 17},
        {"caption in bold", tsClassic, "Profiles", 0, 0, tdTextOnly, -1, false, BoldWidth("Profiles") + 12},
        {"tab margin both sides", tsWhidbey, "", 3, 0, tdTextOnly, -1, false, 8 + 17 + 6},
        {"glyph", tsWhidbey, "", 0, 0, tdGlyph, -1, true, 8 + 17 + 16 + 4},
        {"glyph ignored in text mode", tsWhidbey, "", 0, 0, tdTextOnly, -1, true, 8 + 17},
        {"image", tsWhidbey, "", 0, 0, tdImageIndex, 0, false, 8 + 17 + 12 + 4},
        {"image index beyond the list", tsWhidbey, "", 0, 0, tdImageIndex, 1, false, 8 + 17},
        {"limited", tsOneNote, "", 0, 40, tdTextOnly, -1, false, 40},
    };
    for (const Case& c : cases) {
        TCfPageControl control;
        control.SetImages(&images);
        control.SetTabStyle(c.style);
        control.SetTabMargin(c.tabMargin);
        control.SetTabMaxWidth(c.maxWidth);
        TCfTabSheet sheet(&control);
        sheet.SetCaption(c.caption);
        sheet.SetDisplayMode(c.mode);
        sheet.SetImageIndex(c.imageIndex);
        if (c.withGlyph)
            sheet.SetGlyph(glyph);
        EXPECT_EQ(control.TabWidthOf(&sheet), c.expected) << c.what;
    }
    TCfPageControl control;
    TCfTabSheet fixed(&control);
    fixed.SetCaption("Long caption");
    fixed.SetTabWidth(33);
    EXPECT_EQ(control.TabWidthOf(&fixed), 33);
}

TEST(PagesGeometry, TabPositionsOverlapByStyle)
{
    struct Case {
        TTabStyle style;
        int overlap;
        int lefts[3];
        int total;
    } cases[] = {
        {tsClassic, 0, {2, 42, 82}, 120},
        {tsFlat, 8, {2, 34, 66}, 104},
        {tsOneNote, 14, {2, 28, 54}, 92},
        {tsWhidbey, 10, {2, 32, 62}, 100},
        {tsDexter, 11, {2, 31, 60}, 98},
    };
    for (const Case& c : cases) {
        LoggedPages f(3);
        f.control.SetTabStyle(c.style);
        EXPECT_EQ(f.control.TabOverlap(), c.overlap);
        const std::vector<TTabPlace> places = f.control.TabPlaces();
        ASSERT_EQ(places.size(), 3u);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(places[size_t(i)].Left, c.lefts[i]) << int(c.style) << " tab " << i;
        EXPECT_EQ(f.control.TotalTabWidth(), c.total) << int(c.style);
    }
}

TEST(PagesGeometry, HitTestGivesOverlapsToTheActiveTabsSlantedEdge)
{
    // tsWhidbey, tabs at 2, 32 and 62, 40 wide: A and B share 32..41, B and C 62..71.
    struct Case {
        int active, x, y, expected;
    } cases[] = {
        {1, 35, 10, 1},  // B's slanted edge lies over A
        {1, 65, 10, 1},  // C's slant over B: C is not active, B comes first
        {0, 35, 10, 0},  {0, 65, 10, 1},
        {2, 65, 10, 2},  {2, 35, 10, 0},
        {1, 20, 10, 0},  {1, 90, 10, 2},
        {1, 20, 2, -1},  // above the strip
        {1, 20, 20, -1}, // the join line belongs to the page
        {1, 1, 10, -1},  // before Indent
        {1, 110, 10, -1},
    };
    for (const Case& c : cases) {
        LoggedPages f(3);
        f.control.SetActivePageIndex(c.active);
        EXPECT_EQ(f.control.TabAt(c.x, c.y), c.expected) << "active " << c.active << " at " << c.x << "," << c.y;
    }
}

TEST(PagesGeometry, TabsCutByTheStripEndAreHitOnlyWithPartialTabs)
{
    // Ten tabs: tab 6 spans 182..222, tab 7 212..252 across the strip's end at 229.
    LoggedPages f(10);
    EXPECT_EQ(f.control.TabAt(215, 10), 6);
    EXPECT_EQ(f.control.TabAt(225, 10), -1);
    f.control.SetPartialTabs(true);
    EXPECT_EQ(f.control.TabAt(225, 10), 7);
    EXPECT_EQ(f.control.TabAt(230, 10), -1);
}

TEST(PagesGeometry, ScrollLimitsByMethod)
{
    // Ten tabs of 40 overlapping by 10: 310 wide; the strip holds 227.
    struct Case {
        TScrollMethod method;
        int max;
        std::vector<int> rightSteps;  // offsets after each step right
        std::vector<int> leftSteps;   // then after each step left
    } cases[] = {
        {smPixels, 83, {10, 20, 30, 40, 50, 60, 70, 80, 83, 83}, {73, 63}},
        {smTab, 310, {30, 60, 90}, {60, 30, 0, 0}},
    };
    for (const Case& c : cases) {
        LoggedPages f(10);
        f.control.SetScrollMethod(c.method);
        EXPECT_EQ(f.control.MaxScrollOffset(), c.max);
        EXPECT_TRUE(f.control.ScrollAtLimit(-1));
        EXPECT_FALSE(f.control.ScrollAtLimit(1));
        for (int expected : c.rightSteps) {
            f.control.ScrollTabs(1);
            EXPECT_EQ(f.control.ScrollOffset(), expected) << int(c.method);
        }
        for (int expected : c.leftSteps) {
            f.control.ScrollTabs(-1);
            EXPECT_EQ(f.control.ScrollOffset(), expected) << int(c.method);
        }
    }
}

TEST(PagesGeometry, ScrollByWholeTabsFromACutTab)
{
    LoggedPages f(10);
    for (int i = 0; i < 4; ++i)
        f.control.ScrollTabs(1);  // 40 px: tab 1 (start 30) is cut
    f.control.SetScrollMethod(smTab);
    f.control.ScrollTabs(-1);
    EXPECT_EQ(f.control.ScrollOffset(), 30);
    f.control.SetScrollMethod(smPixels);
    f.control.ScrollTabs(1);
    f.control.SetScrollMethod(smTab);
    f.control.ScrollTabs(1);
    EXPECT_EQ(f.control.ScrollOffset(), 60);
}

TEST(PagesGeometry, SelectScrollingMovesThePageAndStopsAtTheEnds)
{
    LoggedPages f(3);
    f.control.SetScrollMethod(smSelect);
    f.control.SetActivePageIndex(0);
    EXPECT_TRUE(f.control.ScrollAtLimit(-1));
    f.control.ScrollTabs(1);
    EXPECT_EQ(f.control.ActivePageIndex(), 1);
    EXPECT_EQ(f.control.ScrollOffset(), 0);
    f.control.ScrollTabs(1);
    EXPECT_TRUE(f.control.ScrollAtLimit(1));
    EXPECT_FALSE(f.control.ScrollAtLimit(-1));
}

TEST(PagesGeometry, AllTabsFittingLeaveBothPixelButtonsAtTheirLimits)
{
    LoggedPages f(3);
    EXPECT_EQ(f.control.MaxScrollOffset(), 0);
    EXPECT_TRUE(f.control.ScrollAtLimit(-1));
    EXPECT_TRUE(f.control.ScrollAtLimit(1));
    f.control.ScrollTabs(1);
    EXPECT_EQ(f.control.ScrollOffset(), 0);
}

TEST(PagesGeometry, ActivatedTabsScrollIntoView)
{
    LoggedPages f(10);
    // From the right: the tab's right edge comes to the strip's end (272 + 40 - 229).
    f.control.SetActivePageIndex(9);
    EXPECT_EQ(f.control.ScrollOffset(), 83);
    // Wholly inside already: nothing moves.
    f.control.SetActivePageIndex(5);
    EXPECT_EQ(f.control.ScrollOffset(), 83);
    // From the left: the tab's left edge comes to Indent, not past it
    // (tab 2 starts at 2 + 60 - 83 = -21).
    f.control.SetActivePageIndex(2);
    EXPECT_EQ(f.control.ScrollOffset(), 60);
    EXPECT_EQ(f.control.TabPlaces()[2].Left, f.control.Indent());
    f.control.SetActivePageIndex(0);
    EXPECT_EQ(f.control.ScrollOffset(), 0);
}

TEST(PagesGeometry, ResizingKeepsTheScrollOffsetWithinItsRange)
{
    struct Case {
        int newWidth, expected;
    } cases[] = {
        {320, 63},  // widened by 20: 83 - 20, which is also the new largest offset
        {250, 133}, // narrowed by 50: 83 + 50
        {400, 0},   // all tabs fit: no gap before the first tab
    };
    for (const Case& c : cases) {
        LoggedPages f(10);
        f.control.show();  // hidden windows hear of their size only when shown
        f.control.SetActivePageIndex(9);
        ASSERT_EQ(f.control.ScrollOffset(), 83);
        f.control.SetBounds(0, 0, c.newWidth, 200);
        EXPECT_EQ(f.control.ScrollOffset(), c.expected) << c.newWidth;
        EXPECT_GE(f.control.TabPlaces()[0].Left, f.control.Indent() - f.control.MaxScrollOffset());
        EXPECT_LE(f.control.ScrollOffset(), f.control.MaxScrollOffset());
    }
}

TEST(PagesGeometry, DestroyedImageListIsForgotten)
{
    LoggedPages f(1);
    auto images = std::make_unique<TCustomImageList>(12, 12);
    TBitmap piece(12, 12);
    images->Add(piece);
    f.control.SetImages(images.get());
    f.pages[0]->SetDisplayMode(tdImageIndex);
    f.pages[0]->SetImageIndex(0);
    EXPECT_EQ(f.control.TabWidthOf(f.pages[0]), 40);
    f.pages[0]->SetTabWidth(0);
    EXPECT_EQ(f.control.TabWidthOf(f.pages[0]), BoldWidth("A") + 17 + 16);
    images.reset();
    EXPECT_EQ(f.control.Images(), nullptr);
    EXPECT_EQ(f.control.TabWidthOf(f.pages[0]), BoldWidth("A") + 17);
    f.control.Render();  // paints without the list
}

} // namespace
