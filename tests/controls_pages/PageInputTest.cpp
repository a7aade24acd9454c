// Mouse, keys, the close button, the tab list and the scroll-repeat timer.

#include "PageTestSupport.h"

#include "../controls_panels/PanelTestHelpers.h"
#include "controls/CfButton.h"
#include "platform/Forms.h"
#include "platform/ScreenArea.h"
#include "platform/Timer.h"

#include <gtest/gtest.h>

#include <QMenu>

using namespace cf;

namespace {

void DoubleClickAt(TControl& c, int x, int y)
{
    QPointF local(x, y);
    QMouseEvent e(QEvent::MouseButtonDblClick, local, c.mapToGlobal(local), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(&c, &e);
}

TEST(PagesInput, ClickingATabActivatesItButADoubleClickDoesNot)
{
    LoggedPages f(3);
    f.control.SetActivePageIndex(0);
    f.Take();
    Press(f.control, 45, 10);
    Release(f.control, 45, 10);
    EXPECT_EQ(f.control.ActivePageIndex(), 1);
    EXPECT_EQ(f.Take(), (Log{"changing 1", "hide A", "show B", "change 1"}));
    DoubleClickAt(f.control, 80, 10);
    EXPECT_EQ(f.control.ActivePageIndex(), 1);
    // The active tab again: nothing happens.
    Press(f.control, 45, 10);
    Release(f.control, 45, 10);
    EXPECT_TRUE(f.Take().empty());
}

TEST(PagesInput, ArrowKeysSelectNeighbouringVisibleTabs)
{
    LoggedPages f(4);
    f.pages[1]->SetTabVisible(false);
    f.control.SetActivePageIndex(0);
    ShowActive(f.control);
    f.control.SetFocus();
    SendKey(&f.control, Qt::Key_Right);
    EXPECT_EQ(f.control.ActivePageIndex(), 2);
    SendKey(&f.control, Qt::Key_Right);
    SendKey(&f.control, Qt::Key_Right);
    EXPECT_EQ(f.control.ActivePageIndex(), 3);
    SendKey(&f.control, Qt::Key_Left);
    SendKey(&f.control, Qt::Key_Left);
    EXPECT_EQ(f.control.ActivePageIndex(), 0);
}

TEST(PagesInput, CloseButtonAsksOnPageCloseAndDestroysTheAcceptedPage)
{
    for (bool accept : {false, true}) {
        LoggedPages f(3);
        f.control.SetActivePageIndex(1);
        f.Take();
        f.control.OnPageClose = [&](TCfCustomNotebook*, int index, bool& ok) {
            f.log.push_back("close " + std::to_string(index));
            ok = accept;
        };
        Press(f.control, 285, 10);
        EXPECT_EQ(f.control.PressedButton(), pbClose);
        Release(f.control, 285, 10);
        EXPECT_EQ(f.control.PressedButton(), pbNone);
        if (accept) {
            EXPECT_EQ(f.Take(), (Log{"close 1", "show C", "change 1"}));
            EXPECT_EQ(f.control.PageCount(), 2);
            EXPECT_EQ(f.control.ActivePage(), f.pages[2]);
        } else {
            EXPECT_EQ(f.Take(), (Log{"close 1"}));
            EXPECT_EQ(f.control.PageCount(), 3);
            EXPECT_EQ(f.control.ActivePage(), f.pages[1]);
        }
    }
}

TEST(PagesInput, CloseNeedsPressAndReleaseOnTheButton)
{
    LoggedPages f(2);
    f.control.SetActivePageIndex(0);
    int asked = 0;
    f.control.OnPageClose = [&](TCfCustomNotebook*, int, bool&) { ++asked; };
    Press(f.control, 285, 10);
    Release(f.control, 200, 100);
    Press(f.control, 200, 100);
    Release(f.control, 285, 10);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(f.control.PageCount(), 2);
}

TEST(PagesInput, ClosingTheLastTabShrinksTheScrollOffset)
{
    LoggedPages f(10);
    f.control.SetActivePageIndex(9);
    ASSERT_EQ(f.control.ScrollOffset(), 83);
    f.Take();
    Press(f.control, 285, 10);
    Release(f.control, 285, 10);
    // 83 - 40 = 43; then tab 8 (2 + 240 - 43 = 199 .. 239) is brought into view.
    EXPECT_EQ(f.control.ActivePageIndex(), 8);
    EXPECT_EQ(f.control.ScrollOffset(), 53);
    EXPECT_EQ(f.control.MaxScrollOffset(), 53);
}

TEST(PagesInput, ClosingWithNoPageDoesNothing)
{
    LoggedPages f(0);
    bool asked = false;
    f.control.OnPageClose = [&](TCfCustomNotebook*, int, bool&) { asked = true; };
    Press(f.control, 285, 10);
    Release(f.control, 285, 10);
    EXPECT_FALSE(asked);
}

TEST(PagesInput, TabListItemsCarryTheirPagesIndex)
{
    TCustomImageList images(16, 16);
    TBitmap piece(32, 16);
    images.Add(piece);
    LoggedPages f(4);
    f.control.SetImages(&images);
    f.control.SetOptions(DefaultPageOptions | pgTabsPopup);
    f.pages[1]->SetTabVisible(false);
    f.pages[3]->SetDisplayMode(tdImageIndex);
    f.pages[3]->SetImageIndex(1);
    f.control.SetActivePageIndex(0);
    Press(f.control, 270, 10);
    Release(f.control, 270, 10);
    TPopupMenu& menu = f.control.TabsMenu();
    if (menu.Menu())
        menu.Menu()->hide();
    ASSERT_EQ(menu.Items.Count(), 3);
    struct Item {
        const char* caption;
        intptr_t tag;
        int image;
    } items[] = {{"A", 0, -1}, {"C", 2, -1}, {"D", 3, 1}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(menu.Items[i].Caption, items[i].caption);
        EXPECT_EQ(menu.Items[i].Tag, items[i].tag);
        EXPECT_EQ(menu.Items[i].ImageIndex, items[i].image);
    }
    EXPECT_EQ(menu.Images(), &images);
    // Choosing "C" activates page 2, not the second page.
    menu.Items[1].Click();
    EXPECT_EQ(f.control.ActivePageIndex(), 2);
}

TEST(PagesInput, CustomTabListGetsTheButtonsLowerLeftCorner)
{
    LoggedPages f(2);
    f.control.SetOptions(DefaultPageOptions | pgTabsPopup | pgCustomTabsPopup);
    TPoint at(-1, -1);
    f.control.OnCustomTabsPopup = [&](TCfPageControl*, int x, int y) { at = TPoint(x, y); };
    Press(f.control, 270, 10);
    Release(f.control, 270, 10);
    EXPECT_EQ(at, f.control.ClientToScreen(TPoint(264, 19)));
    EXPECT_EQ(f.control.TabsMenu().Items.Count(), 0);
}

TEST(PagesInput, HotButtonFollowsThePointerAndClearsOnLeaving)
{
    LoggedPages f(1);
    SendMouse(f.control, QEvent::MouseMove, 285, 10);
    EXPECT_EQ(f.control.HotButton(), pbClose);
    SendMouse(f.control, QEvent::MouseMove, 255, 10);
    EXPECT_EQ(f.control.HotButton(), pbScrollLeft);
    f.control.MouseLeave();
    EXPECT_EQ(f.control.HotButton(), pbNone);
}

class PagesTimer : public ::testing::Test {
protected:
    void SetUp() override { SetClock(&clock); }
    void TearDown() override { SetClock(nullptr); }
    TManualClock clock;
};

TEST_F(PagesTimer, ConstantScrollRepeatsEvery100msWhileHeld)
{
    LoggedPages f(10);
    f.control.SetOptions(DefaultPageOptions | pgConstantScroll);
    Press(f.control, 270, 10);
    EXPECT_EQ(f.control.ScrollOffset(), 10);  // one step at once
    clock.Advance(99);
    EXPECT_EQ(f.control.ScrollOffset(), 10);
    clock.Advance(1);
    EXPECT_EQ(f.control.ScrollOffset(), 20);
    clock.Advance(250);
    EXPECT_EQ(f.control.ScrollOffset(), 40);
    Release(f.control, 270, 10);
    clock.Advance(1000);
    EXPECT_EQ(f.control.ScrollOffset(), 40);
    // It stops at the limit however long the button is held.
    Press(f.control, 270, 10);
    clock.Advance(2000);
    EXPECT_EQ(f.control.ScrollOffset(), 83);
    Release(f.control, 270, 10);
}

TEST_F(PagesTimer, WithoutConstantScrollAPressScrollsOnce)
{
    LoggedPages f(10);
    Press(f.control, 270, 10);
    clock.Advance(1000);
    Release(f.control, 270, 10);
    EXPECT_EQ(f.control.ScrollOffset(), 10);
    Press(f.control, 255, 10);
    Release(f.control, 255, 10);
    EXPECT_EQ(f.control.ScrollOffset(), 0);
}

TEST(PagesInput, ShownControlKeepsItsOffsetInRangeAcrossResizes)
{
    LoggedPages f(10);
    ShowActive(f.control);
    f.control.SetActivePageIndex(9);
    ASSERT_EQ(f.control.ScrollOffset(), 83);
    f.control.SetBounds(0, 0, 400, 200);
    EXPECT_EQ(f.control.ScrollOffset(), 0);
    EXPECT_EQ(f.control.TabPlaces()[0].Left, f.control.Indent());
}

void KeyWith(QWidget* target, int key, const QString& text, Qt::KeyboardModifiers mods)
{
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(target, &release);
}

// In a dialog: Alt+letter picks a tab by its caption, and with the page
// control focused Enter still reaches the default button.
TEST(PagesInput, AcceleratorsInADialogLeaveEnterToTheDefaultButton)
{
    SetWorkAreaOverride(TRect(0, 0, 800, 600));
    TForm form;
    form.SetBounds(50, 50, 400, 300);
    auto* pages = new TCfPageControl(&form);
    pages->SetBounds(10, 10, 300, 200);
    for (const char* caption : {"&General", "&Profiles"})
        (new TCfTabSheet(pages))->SetCaption(caption);
    pages->SetActivePageIndex(0);
    auto* ok = new TCfButton(&form);
    ok->SetCaption("OK");
    ok->SetDefault(true);
    ok->SetBounds(200, 250, 75, 23);
    int clicks = 0;
    ok->OnClick = [&](TControl*) { ++clicks; };
    form.Show();
    ShowActive(form);
    pages->SetFocus();
    KeyWith(pages, Qt::Key_P, "p", Qt::AltModifier);
    EXPECT_EQ(pages->ActivePageIndex(), 1);
    KeyWith(pages, Qt::Key_Return, "\r", Qt::NoModifier);
    EXPECT_EQ(clicks, 1);
    form.Hide();
    SetWorkAreaOverride(std::nullopt);
}

} // namespace
