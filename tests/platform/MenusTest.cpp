#include "platform/Errors.h"
#include "platform/Menus.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

using namespace cf;

namespace {

QAction* ActionNamed(QMenu* menu, const char* name)
{
    return menu ? menu->findChild<QAction*>(name) : nullptr;
}

// A window's menu with the shape the main window's menus take: items that
// share one handler and differ by Name and Tag, a separator, a sub-menu.
struct ViewMenu : ::testing::Test {
    QWidget window;
    TPopupMenu* menu = new TPopupMenu(&window);
    std::vector<std::pair<std::string, intptr_t>> clicks;
    TMenuItem* sender = nullptr;

    void SetUp() override
    {
        auto shared = [this](TMenuItem& item) {
            clicks.emplace_back(item.Name, item.Tag);
            sender = &item;
        };
        menu->Add("Pop_Find", "&Find...", shared)->ShortCut = ShortCut('F', ssCtrl);
        menu->Add("Pop_FindNext", "Find &next", shared)->ShortCut = ShortCut(VK_F1 + 2, 0);
        menu->Items.AddSeparator();
        menu->Add("Pop_Delete", "&Delete", shared)->ShortCut = ShortCut(VK_DELETE, 0);
        TMenuItem* mark = menu->Add("Pop_Mark", "&Mark");
        mark->Add("Pop_MarkOn", "On", shared)->Tag = 1;
        mark->Add("Pop_MarkOff", "Off", shared)->Tag = 0;
    }
    void TearDown() override
    {
        if (menu->Menu())
            menu->Menu()->hide();
    }
};

} // namespace

TEST(ShortCuts, TextAsWindowsWritesIt)
{
    const struct { TShortCut sc; const char* text; } cases[] = {
        {ShortCut('F', ssCtrl), "Ctrl+F"},
        {ShortCut(VK_F1 + 2, 0), "F3"},
        {ShortCut(VK_DELETE, 0), "Del"},
        {ShortCut(VK_INSERT, ssShift), "Shift+Ins"},
        {ShortCut(VK_LEFT, ssShift | ssCtrl), "Shift+Ctrl+Left"},
        {ShortCut('1', ssAlt), "Alt+1"},
        {ShortCut(VK_RETURN, ssCtrl), "Ctrl+Enter"},
        {ShortCut(VK_NEXT, 0), "PgDn"},
        {ShortCut(VK_F1 + 11, ssCtrl), "Ctrl+F12"},
        {scNone, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShortCutToText(c.sc), c.text) << std::hex << c.sc;
    EXPECT_EQ(ShortCut('F', ssCtrl), 0x4046);
}

TEST_F(ViewMenu, ItemsAreFoundByNameAtAnyDepth)
{
    ASSERT_EQ(menu->Items.Count(), 5);
    EXPECT_TRUE(menu->Items[2].IsLine());
    TMenuItem* on = menu->FindItem("Pop_MarkOn");
    ASSERT_NE(on, nullptr);
    EXPECT_EQ(on->Caption, "On");
    EXPECT_EQ(on->Tag, 1);
    EXPECT_EQ(on->Parent(), menu->FindItem("Pop_Mark"));
    EXPECT_EQ(menu->FindItem("Pop_Nothing"), nullptr);
    EXPECT_THROW(menu->Items[5], EListError);
}

TEST_F(ViewMenu, ASharedHandlerTellsItemsApartByNameAndTag)
{
    EXPECT_TRUE(menu->Invoke("Pop_MarkOn"));
    EXPECT_EQ(sender, menu->FindItem("Pop_MarkOn"));
    EXPECT_TRUE(menu->Invoke("Pop_MarkOff"));
    EXPECT_TRUE(menu->Invoke("Pop_Find"));
    EXPECT_EQ(sender, menu->FindItem("Pop_Find"));
    const std::vector<std::pair<std::string, intptr_t>> expected = {
        {"Pop_MarkOn", 1}, {"Pop_MarkOff", 0}, {"Pop_Find", 0}};
    EXPECT_EQ(clicks, expected);
}

TEST_F(ViewMenu, OnPopupSetsTheStatesTheShownMenuHas)
{
    int openings = 0;
    bool markedOn = false;
    menu->OnPopup = [&](TPopupMenu& m) {
        ++openings;
        EXPECT_EQ(&m, menu);
        m.FindItem("Pop_Delete")->Enabled = openings == 1 ? false : true;
        m.FindItem("Pop_FindNext")->Visible = openings != 1;
        m.FindItem("Pop_MarkOn")->Checked = markedOn;
        m.FindItem("Pop_MarkOff")->Checked = !markedOn;
    };
    menu->Popup(100, 100); // returns at once: nothing blocks headless
    ASSERT_NE(menu->Menu(), nullptr);
    EXPECT_TRUE(menu->Menu()->isVisible());
    EXPECT_EQ(openings, 1);
    EXPECT_FALSE(ActionNamed(menu->Menu(), "Pop_Delete")->isEnabled());
    EXPECT_FALSE(ActionNamed(menu->Menu(), "Pop_FindNext")->isVisible());
    EXPECT_TRUE(ActionNamed(menu->Menu(), "Pop_Find")->isEnabled());
    EXPECT_FALSE(ActionNamed(menu->Menu(), "Pop_MarkOn")->isChecked());
    EXPECT_TRUE(ActionNamed(menu->Menu(), "Pop_MarkOff")->isChecked());

    markedOn = true;
    menu->Popup(120, 100);
    EXPECT_EQ(openings, 2);
    EXPECT_TRUE(ActionNamed(menu->Menu(), "Pop_Delete")->isEnabled());
    EXPECT_TRUE(ActionNamed(menu->Menu(), "Pop_FindNext")->isVisible());
    EXPECT_TRUE(ActionNamed(menu->Menu(), "Pop_MarkOn")->isChecked());
    EXPECT_FALSE(ActionNamed(menu->Menu(), "Pop_MarkOff")->isChecked());

    // A headless choice opens the menu too.
    EXPECT_TRUE(menu->Invoke("Pop_Find"));
    EXPECT_EQ(openings, 3);
}

TEST_F(ViewMenu, DisabledOrHiddenItemsDoNotFire)
{
    menu->FindItem("Pop_Delete")->Enabled = false;
    menu->FindItem("Pop_FindNext")->Visible = false;
    menu->FindItem("Pop_Mark")->Enabled = false; // its items with it
    EXPECT_FALSE(menu->Invoke("Pop_Delete"));
    EXPECT_FALSE(menu->Invoke("Pop_FindNext"));
    EXPECT_FALSE(menu->Invoke("Pop_MarkOn"));
    menu->FindItem("Pop_Delete")->Click();
    menu->Popup(100, 100);
    ActionNamed(menu->Menu(), "Pop_Delete")->trigger();
    EXPECT_TRUE(clicks.empty());

    // Neither do separators, items with sub-items, or names not in the menu.
    EXPECT_FALSE(menu->Invoke(""));
    menu->FindItem("Pop_Mark")->Enabled = true;
    EXPECT_FALSE(menu->Invoke("Pop_Mark"));
    EXPECT_FALSE(menu->Invoke("Pop_Nothing"));
    EXPECT_TRUE(clicks.empty());
}

TEST_F(ViewMenu, TheShownMenuCarriesCaptionsShortCutsAndSeparators)
{
    menu->Popup(100, 100);
    QMenu* shown = menu->Menu();
    const QList<QAction*> actions = shown->actions();
    ASSERT_EQ(actions.size(), 5);
    EXPECT_EQ(actions[0]->text(), "&Find...");
    EXPECT_EQ(actions[0]->shortcut().toString(QKeySequence::PortableText), "Ctrl+F");
    EXPECT_EQ(actions[1]->shortcut().toString(QKeySequence::PortableText), "F3");
    EXPECT_TRUE(actions[2]->isSeparator());
    EXPECT_EQ(actions[3]->shortcut().toString(QKeySequence::PortableText), "Del");
    ASSERT_NE(actions[4]->menu(), nullptr);
    EXPECT_EQ(actions[4]->text(), "&Mark");
    EXPECT_EQ(actions[4]->menu()->actions().size(), 2);
    EXPECT_EQ(ShortCutToText(menu->FindItem("Pop_Find")->ShortCut), "Ctrl+F");
}

TEST_F(ViewMenu, AClickOnTheShownMenuFiresTheItemWithItselfAsSender)
{
    menu->Popup(100, 100);
    QMenu* shown = menu->Menu();
    QAction* del = ActionNamed(shown, "Pop_Delete");
    const QPointF at = shown->actionGeometry(del).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, shown->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(shown, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, shown->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(shown, &release);
    QApplication::processEvents();
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].first, "Pop_Delete");
    EXPECT_EQ(sender, menu->FindItem("Pop_Delete"));
}

TEST_F(ViewMenu, AHandlerMayRebuildTheMenuFromItsOwnChoice)
{
    menu->FindItem("Pop_Find")->OnClick = [this](TMenuItem&) {
        menu->Items.Clear();
        menu->Add("Pop_Other", "Other");
    };
    EXPECT_TRUE(menu->Invoke("Pop_Find"));
    EXPECT_EQ(menu->Items.Count(), 1);
    menu->Popup(100, 100);
    EXPECT_NE(ActionNamed(menu->Menu(), "Pop_Other"), nullptr);
}
