// The page list, activation and its events, and the tab sheet's properties.

#include "PageTestSupport.h"

#include "controls/CfButton.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

using namespace cf;

namespace {

TEST(PagesNotebook, ActivationRaisesEventsInOrderAndShowsOnlyTheActivePage)
{
    LoggedPages f(3);
    EXPECT_EQ(f.control.ActivePage(), nullptr);
    EXPECT_EQ(f.control.ActivePageIndex(), -1);
    f.control.SetActivePageIndex(1);
    EXPECT_EQ(f.Take(), (Log{"changing 1", "show B", "change 1"}));
    f.control.SetActivePage(f.pages[2]);
    EXPECT_EQ(f.Take(), (Log{"changing 2", "hide B", "show C", "change 2"}));
    EXPECT_EQ(f.control.ActivePage(), f.pages[2]);
    EXPECT_FALSE(f.pages[1]->Visible());
    EXPECT_TRUE(f.pages[2]->Visible());
    // The shown page fills the page area below the strip: 17 + 3 + 1 rows.
    EXPECT_EQ(f.pages[2]->BoundsRect(), TRect(0, 21, 300, 200));
}

TEST(PagesNotebook, RefusalOutOfRangeAndForeignPagesChangeNothing)
{
    LoggedPages f(3);
    LoggedPages other(1);
    f.control.SetActivePageIndex(0);
    f.Take();
    struct Case {
        const char* what;
        std::function<void()> act;
        Log log;
    } cases[] = {
        {"index 5 of 3", [&] { f.control.SetActivePageIndex(5); }, {}},
        {"index -1", [&] { f.control.SetActivePageIndex(-1); }, {}},
        {"page of another notebook", [&] { f.control.SetActivePage(other.pages[0]); }, {}},
        {"refused change", [&] { f.refuseChange = true; f.control.SetActivePageIndex(2); }, {"changing 2"}},
    };
    for (Case& c : cases) {
        c.act();
        EXPECT_EQ(f.Take(), c.log) << c.what;
        EXPECT_EQ(f.control.ActivePage(), f.pages[0]) << c.what;
        EXPECT_TRUE(f.pages[0]->Visible()) << c.what;
        EXPECT_FALSE(f.pages[2]->Visible()) << c.what;
    }
}

TEST(PagesNotebook, LoadingActivatesWithoutChangeEvents)
{
    LoggedPages f(2);
    f.control.BeginLoading();
    f.control.SetActivePageIndex(1);
    f.control.EndLoading();
    EXPECT_EQ(f.Take(), (Log{"show B"}));
}

TEST(PagesNotebook, NextAndPriorSkipHiddenPagesAndHiddenTabs)
{
    LoggedPages f(5);
    f.pages[1]->SetTabVisible(false);
    f.pages[3]->SetPageVisible(false);
    f.control.SetActivePageIndex(0);
    struct Step {
        bool next;
        int expected;
    } steps[] = {{true, 2}, {true, 4}, {true, 4}, {false, 2}, {false, 0}, {false, 0}};
    for (const Step& s : steps) {
        if (s.next)
            f.control.SelectNextPage();
        else
            f.control.SelectPriorPage();
        EXPECT_EQ(f.control.ActivePageIndex(), s.expected);
    }
    // Code can still activate a page whose tab is hidden.
    f.control.SetActivePageIndex(1);
    EXPECT_EQ(f.control.ActivePageIndex(), 1);
}

TEST(PagesNotebook, OnlyTabSheetsMayBeInserted)
{
    TCfPageControl control;
    TCfButton button;
    try {
        control.InsertControl(&button);
        FAIL() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "Cannot insert TCfButton into TCfPageControl");
    }
    EXPECT_EQ(control.PageCount(), 0);
    TCfTabSheet sheet;
    control.InsertControl(&sheet);
    EXPECT_EQ(control.PageCount(), 1);
    EXPECT_EQ(sheet.PageIndex(), 0);
    EXPECT_EQ(sheet.Notebook(), &control);
    sheet.SetNotebook(nullptr);
    EXPECT_EQ(sheet.PageIndex(), -1);
    EXPECT_EQ(control.PageCount(), 0);
}

// A page that leaves never leaves a stale ActivePage, and ActivePageIndex
// always names ActivePage's place.
TEST(PagesNotebook, PagesThatLeaveKeepActivePageAndIndexTrue)
{
    struct Case {
        const char* what;
        int active;      // active page before
        int leaving;     // page that leaves
        bool destroyed;  // destroyed, or removed from the notebook
        const char* activeAfter;
        int indexAfter;
        Log log;
    } cases[] = {
        {"page before the active one destroyed", 2, 0, true, "C", 1, {}},
        {"page before the active one removed", 2, 1, false, "C", 1, {}},
        {"page after the active one destroyed", 1, 3, true, "B", 1, {}},
        {"active page destroyed: the one now at its place", 1, 1, true, "C", 1, {"show C", "change 1"}},
        {"active last page destroyed: the new last", 3, 3, true, "C", 2, {"show C", "change 2"}},
        {"active page removed: page 0", 2, 2, false, "A", 0, {"show A", "change 0"}},
    };
    for (const Case& c : cases) {
        LoggedPages f(4);
        f.control.SetActivePageIndex(c.active);
        f.Take();
        TCfTabSheet* leaving = f.pages[size_t(c.leaving)];
        if (c.destroyed)
            delete leaving;
        else
            leaving->SetNotebook(nullptr);
        EXPECT_EQ(f.control.PageCount(), 3) << c.what;
        ASSERT_NE(f.control.ActivePage(), nullptr) << c.what;
        EXPECT_EQ(f.control.ActivePage()->Caption(), c.activeAfter) << c.what;
        EXPECT_EQ(f.control.ActivePageIndex(), c.indexAfter) << c.what;
        EXPECT_TRUE(f.control.ActivePage()->isVisible() || !f.control.isVisible()) << c.what;
        EXPECT_TRUE(f.control.ActivePage()->Visible()) << c.what;
        EXPECT_EQ(f.Take(), c.log) << c.what;
        if (!c.destroyed)
            delete leaving;
    }
}

TEST(PagesNotebook, LastPageGoneLeavesNoActivePage)
{
    LoggedPages f(1);
    f.control.SetActivePageIndex(0);
    delete f.pages[0];
    EXPECT_EQ(f.control.ActivePage(), nullptr);
    EXPECT_EQ(f.control.ActivePageIndex(), -1);
    EXPECT_EQ(f.control.PageCount(), 0);
}

TEST(PagesNotebook, DestroyingTheNotebookTakesItsPagesQuietly)
{
    std::vector<std::string> log;
    {
        TCfPageControl control;
        for (const char* name : {"A", "B"}) {
            auto* p = new TCfTabSheet(&control);
            p->SetCaption(name);
            p->OnHide = [&log, name](TCfTabSheet*) { log.push_back(std::string("hide ") + name); };
        }
        control.SetActivePageIndex(0);
        control.OnChange = [&log](TCfCustomNotebook*) { log.push_back("change"); };
    }
    EXPECT_TRUE(log.empty());
}

TEST(PagesNotebook, PageIndexMovesThePageInTheList)
{
    LoggedPages f(3);
    f.control.SetActivePageIndex(0);
    f.pages[0]->SetPageIndex(2);
    EXPECT_EQ(f.control.Pages(0), f.pages[1]);
    EXPECT_EQ(f.control.Pages(2), f.pages[0]);
    EXPECT_EQ(f.control.ActivePageIndex(), 2);
}

// ---------------------------------------------------------------- tab sheet

TEST(PagesTabSheet, DefaultsAsPublished)
{
    TCfPageControl control;
    TCfTabSheet sheet(&control);
    EXPECT_EQ(sheet.ActiveTabColor(), clWindow);
    EXPECT_EQ(sheet.DisplayMode(), tdGlyph);
    EXPECT_EQ(sheet.ImageIndex(), -1);
    EXPECT_EQ(sheet.Margin(), 0);
    EXPECT_TRUE(sheet.PageVisible());
    EXPECT_TRUE(sheet.ParentTabFont());
    EXPECT_EQ(sheet.TabColor(), clWindow);
    EXPECT_TRUE(sheet.TabVisible());
    EXPECT_EQ(sheet.TabWidth(), 0);
    EXPECT_EQ(sheet.TransparentColor(), clNone);
    EXPECT_TRUE(sheet.ParentColor());
    EXPECT_EQ(control.Width(), 300);
    EXPECT_EQ(control.Height(), 250);
}

TEST(PagesTabSheet, TabFontFollowsTheControlUntilSetDirectly)
{
    TCfPageControl control;
    TCfTabSheet follows(&control), own(&control);
    TFont big;
    big.Size = 14;
    own.SetTabFont(big);
    EXPECT_FALSE(own.ParentTabFont());
    TFont italic;
    italic.Style = fsItalic;
    control.SetFont(italic);
    EXPECT_EQ(follows.TabFont(), italic);
    EXPECT_EQ(own.TabFont(), big);
    // Back to the parent's font: the control's present one.
    own.SetParentTabFont(true);
    EXPECT_EQ(own.TabFont(), italic);
    // Leaving it keeps what was shown.
    follows.SetParentTabFont(false);
    control.SetFont(big);
    EXPECT_EQ(follows.TabFont(), italic);
}

TEST(PagesTabSheet, MarginShrinksTheAreaChildrenFill)
{
    LoggedPages f(1);
    f.control.SetActivePageIndex(0);
    TCfTabSheet* page = f.pages[0];
    TControl child(page);
    child.SetAlign(alClient);
    page->SetMargin(5);
    EXPECT_EQ(child.BoundsRect(), TRect(5, 5, page->Width() - 5, page->Height() - 5));
}

TEST(PagesTabSheet, PageVisibleHidesOnlyThePageTabVisibleOnlyTheTab)
{
    LoggedPages f(3);
    f.control.SetActivePageIndex(1);
    f.pages[1]->SetPageVisible(false);
    EXPECT_FALSE(f.pages[1]->Visible());
    EXPECT_EQ(f.control.ActivePage(), f.pages[1]);
    EXPECT_EQ(f.control.TabPlaces().size(), 2u);
    f.pages[1]->SetPageVisible(true);
    EXPECT_TRUE(f.pages[1]->Visible());
    // A page that is not active stays hidden when made visible.
    f.pages[2]->SetPageVisible(false);
    f.pages[2]->SetPageVisible(true);
    EXPECT_FALSE(f.pages[2]->Visible());
    f.pages[0]->SetTabVisible(false);
    EXPECT_EQ(f.control.TabPlaces().size(), 2u);
    EXPECT_EQ(f.control.TabPlaces()[0].Page, f.pages[1]);
}

TEST(PagesTabSheet, TransparentColorMakesTheGlyphTransparent)
{
    TCfTabSheet sheet;
    TBitmap glyph(4, 4);
    glyph.Canvas().FillRect(TRect(0, 0, 4, 4), clFuchsia);
    sheet.SetGlyph(glyph);
    EXPECT_FALSE(sheet.Glyph().Transparent);
    sheet.SetTransparentColor(clFuchsia);
    EXPECT_TRUE(sheet.Glyph().Transparent);
    EXPECT_EQ(sheet.Glyph().TransparentColor(), clFuchsia);
    // A new glyph takes the same colour.
    sheet.SetGlyph(glyph);
    EXPECT_TRUE(sheet.Glyph().Transparent);
}

TEST(PagesTabSheet, CaptionAcceleratorActivatesThePage)
{
    LoggedPages f(0);
    f.Add("&General", 40);
    f.Add("&Profiles", 40);
    f.Add("&Hidden", 40)->SetTabVisible(false);
    f.control.SetActivePageIndex(0);
    EXPECT_TRUE(f.control.DialogChar(U'p'));
    EXPECT_EQ(f.control.ActivePageIndex(), 1);
    EXPECT_FALSE(f.control.DialogChar(U'x'));
    EXPECT_FALSE(f.control.DialogChar(U'h'));
    EXPECT_EQ(f.control.ActivePageIndex(), 1);
}

TEST(PagesTabSheet, CaptionSetOnTheControlNamesTheTab)
{
    TCfPageControl control;
    TCfTabSheet sheet(&control);
    TControl& asControl = sheet;
    asControl.SetCaption("&Paths");
    EXPECT_EQ(sheet.Caption(), "&Paths");
    control.SetActivePageIndex(0);
    EXPECT_TRUE(control.DialogChar(U'p'));
}

} // namespace
