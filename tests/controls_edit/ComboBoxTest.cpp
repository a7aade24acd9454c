#include "EditTestSupport.h"

#include "controls/CfPopupControl.h"
#include "controls/CfProperties.h"
#include "platform/ScreenArea.h"
#include "platform/Timer.h"

#include <gtest/gtest.h>

#include <memory>

using namespace cf;
using namespace cf::testing;

namespace {

std::vector<std::string> Numbered(int n)
{
    std::vector<std::string> items;
    for (int i = 0; i < n; ++i)
        items.push_back("Item " + std::to_string(i));
    return items;
}

class Combo : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetClock(&clock);
        SetWorkAreaOverride(TRect(0, 0, 800, 600));
        combo = std::make_unique<TCfComboBox>();
        combo->SetBounds(100, 100, 150, 21);
        SendResize(combo.get());
        combo->OnChange = [this](QObject*) { log.push_back("change"); };
        combo->OnSelect = [this](QObject*) { log.push_back("select"); };
        combo->OnCloseUp = [this](QObject*) { log.push_back("closeup"); };
    }
    void TearDown() override
    {
        combo.reset();
        SetWorkAreaOverride(std::nullopt);
        SetClock(nullptr);
    }
    TCfPopupList* List() { return combo->List(); }
    // Row r of the list's visible rows, at its middle.
    int RowY(int r) { return 2 + r * combo->ItemHeight + combo->ItemHeight / 2; }
    void OpenByMouse() { combo->Button()->MouseDown(mbLeft, 0, 3, 3); }
    void OpenByKeyboard() { SendKey(combo->NativeEdit(), Qt::Key_Down, QString(), Qt::AltModifier); }

    TManualClock clock;
    std::unique_ptr<TCfComboBox> combo;
    std::vector<std::string> log;
};

} // namespace

TEST_F(Combo, ListGeometry)
{
    struct Case {
        int items, listWidth, clientHeight, width;
        bool bar;
    } cases[] = {
        {3, 0, 3 * 16 + 4, 150, false},
        {8, 0, 8 * 16 + 4, 150, false},
        {20, 0, 8 * 16 + 4, 150, true},
        {20, 200, 8 * 16 + 4, 200, true},
        {20, 100, 8 * 16 + 4, 150, true},  // never narrower than the edit
        {0, 0, 4, 150, false},
    };
    for (const Case& c : cases) {
        combo->SetItems(Numbered(c.items));
        combo->ListWidth = c.listWidth;
        OpenByMouse();
        ASSERT_TRUE(combo->Dropped());
        EXPECT_EQ(List()->ClientHeight(), c.clientHeight) << c.items;
        EXPECT_EQ(List()->Width(), c.width) << c.items;
        EXPECT_EQ(List()->ScrollBar()->Visible(), c.bar) << c.items;
        combo->SetDropped(false);
    }
}

TEST_F(Combo, BarOfALongList)
{
    combo->SetItems(Numbered(20));
    OpenByMouse();
    TCfVertScrollBar* bar = List()->ScrollBar();
    EXPECT_EQ(List()->VisibleRows(), 8);
    EXPECT_EQ(bar->Max(), 12);
    EXPECT_EQ(bar->GetBounds(), Bounds(150 - 17 - 2, 2, 17, 128));
    // Track 128 - 34 = 94; page = round(94 * 8 / 20) = round(37.6).
    EXPECT_EQ(bar->PageSize(), 38);
    EXPECT_EQ(bar->LargeChange, 10);
    EXPECT_EQ(List()->ContentRect(), TRect(2, 2, 150 - 4 - 17 + 2, 130));
}

TEST_F(Combo, PlacementStaysInsideTheWorkArea)
{
    combo->SetItems(Numbered(3));  // list 150 x 52
    struct Case {
        int left, top, listLeft, listTop;
    } cases[] = {
        {100, 100, 101, 119},    // below the edit, one pixel left of its client area
        {700, 570, 650, 548},    // shifted left and up, not flipped above the edit
        {-50, 100, 0, 119},      // shifted right onto the screen
        {100, 560, 101, 548},
    };
    for (const Case& c : cases) {
        combo->SetBounds(c.left, c.top, 150, 21);
        OpenByMouse();
        EXPECT_EQ(List()->Left(), c.listLeft) << c.left << "," << c.top;
        EXPECT_EQ(List()->Top(), c.listTop) << c.left << "," << c.top;
        combo->SetDropped(false);
    }
}

TEST_F(Combo, ArmingSequenceAndEventOrder)
{
    combo->SetItems({"Astra", "Hotbird", "Badr"});
    OpenByMouse();
    ASSERT_TRUE(combo->Dropped());
    EXPECT_FALSE(List()->Armed);
    EXPECT_TRUE(combo->Button()->Down);
    // The mouse-up of the opening click lands on a row and selects nothing.
    List()->MouseUp(mbLeft, 0, 20, RowY(1));
    EXPECT_TRUE(List()->Armed);
    EXPECT_TRUE(combo->Dropped());
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_TRUE(log.empty());
    // The next click selects.
    List()->MouseUp(mbLeft, 0, 20, RowY(1));
    EXPECT_FALSE(combo->Dropped());
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "Hotbird");
    EXPECT_EQ(log, (std::vector<std::string>{"change", "select", "closeup"}));
    EXPECT_TRUE(List()->isHidden());
    EXPECT_FALSE(combo->Button()->Down);
}

TEST_F(Combo, OpenedFromTheKeyboardTheFirstClickCounts)
{
    combo->SetItems({"Astra", "Hotbird", "Badr"});
    OpenByKeyboard();
    ASSERT_TRUE(combo->Dropped());
    EXPECT_TRUE(List()->Armed);
    List()->MouseUp(mbLeft, 0, 20, RowY(2));
    EXPECT_FALSE(combo->Dropped());
    EXPECT_EQ(combo->ItemIndex(), 2);
}

TEST_F(Combo, ClickOutsideClosesWithoutChoosing)
{
    combo->SetItems({"Astra", "Hotbird"});
    combo->SetItemIndex(0);
    log.clear();
    OpenByMouse();
    List()->MouseUp(mbLeft, 0, 20, RowY(0));  // arms
    List()->MouseUp(mbLeft, 0, -30, -40);     // elsewhere on the screen
    EXPECT_FALSE(combo->Dropped());
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"closeup"}));
}

TEST_F(Combo, ClickSelectsTheClickedRowAfterWheelScrolling)
{
    combo->SetItems(Numbered(20));
    combo->SetItemIndex(0);
    OpenByKeyboard();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(combo->MouseWheel(0, -120, TPoint()));
    EXPECT_EQ(List()->ScrollBar()->Position(), 3);
    // Wheeling over the list itself scrolls it the same way.
    EXPECT_TRUE(List()->MouseWheel(0, -120, TPoint()));
    EXPECT_TRUE(List()->MouseWheel(0, 120, TPoint()));
    EXPECT_EQ(List()->ScrollBar()->Position(), 3);
    EXPECT_EQ(List()->SelectedIndex(), 0);  // the pointer has not moved
    List()->MouseUp(mbLeft, 0, 20, RowY(0));
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(combo->Text(), "Item 3");
}

TEST_F(Combo, HoverFollowsThePointer)
{
    combo->SetItems(Numbered(5));
    OpenByMouse();
    List()->MouseMove(0, 20, RowY(3));
    EXPECT_EQ(List()->SelectedIndex(), 3);
    List()->MouseMove(0, 20, 200);  // below the content: unchanged
    EXPECT_EQ(List()->SelectedIndex(), 3);
}

TEST_F(Combo, KeysWithTheListClosed)
{
    combo->SetItems({"Astra", "Hotbird", "Badr"});
    QWidget* line = combo->NativeEdit();
    struct Step {
        int key;
        int expected;
    } steps[] = {{Qt::Key_Down, 0}, {Qt::Key_Down, 1}, {Qt::Key_Down, 2}, {Qt::Key_Down, 2},
                 {Qt::Key_Up, 1},   {Qt::Key_Up, 0},   {Qt::Key_Up, 0}};
    for (const Step& s : steps) {
        SendKey(line, s.key);
        EXPECT_EQ(combo->ItemIndex(), s.expected);
    }
    EXPECT_EQ(combo->Text(), "Astra");
    EXPECT_FALSE(combo->Dropped());
    // In a grid the arrows belong to the grid.
    combo->Embedded = true;
    SendKey(line, Qt::Key_Down);
    EXPECT_EQ(combo->ItemIndex(), 0);
}

TEST_F(Combo, KeysWithTheListOpen)
{
    combo->SetItems({"Astra", "Hotbird", "Badr"});
    combo->SetItemIndex(0);
    QWidget* line = combo->NativeEdit();
    OpenByKeyboard();
    SendKey(line, Qt::Key_Down);
    EXPECT_EQ(List()->SelectedIndex(), 1);
    EXPECT_EQ(combo->ItemIndex(), 1);
    SendKey(line, Qt::Key_Down);
    SendKey(line, Qt::Key_Down);
    EXPECT_EQ(combo->ItemIndex(), 2);
    SendKey(line, Qt::Key_Up);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_TRUE(combo->Dropped());
    SendKey(line, Qt::Key_Return, "\r");
    EXPECT_FALSE(combo->Dropped());
    OpenByKeyboard();
    SendKey(line, Qt::Key_Escape, "\x1b");
    EXPECT_FALSE(combo->Dropped());
    OpenByKeyboard();
    OpenByKeyboard();  // Alt+Down again closes
    EXPECT_FALSE(combo->Dropped());
    EXPECT_EQ(combo->ItemIndex(), 1);
}

TEST_F(Combo, WheelMovesTheChoiceWithinTheItems)
{
    combo->SetItems({"Astra", "Hotbird"});
    EXPECT_TRUE(combo->MouseWheel(0, -120, TPoint()));
    EXPECT_EQ(combo->ItemIndex(), 0);
    combo->MouseWheel(0, -120, TPoint());
    combo->MouseWheel(0, -120, TPoint());
    EXPECT_EQ(combo->ItemIndex(), 1);
    combo->MouseWheel(0, 120, TPoint());
    EXPECT_EQ(combo->ItemIndex(), 0);
    combo->Embedded = true;
    EXPECT_TRUE(combo->MouseWheel(0, -120, TPoint()));
    EXPECT_EQ(combo->ItemIndex(), 0);
}

TEST_F(Combo, ItemIndexOutsideTheItems)
{
    combo->SetItems({"Astra", "Hotbird"});
    combo->SetItemIndex(1);
    combo->SetItemIndex(5);
    EXPECT_EQ(combo->ItemIndex(), 5);
    EXPECT_EQ(combo->Text(), "");
    OpenByMouse();
    EXPECT_EQ(List()->SelectedIndex(), -1);
    List()->Render();
    combo->SetDropped(false);
    combo->SetItemIndex(-7);
    EXPECT_EQ(combo->Text(), "");
    SendKey(combo->NativeEdit(), Qt::Key_Down);
    EXPECT_EQ(combo->ItemIndex(), 0);
}

TEST_F(Combo, SettingItemIndexRaisesChangeButNotWhileLoading)
{
    combo->SetItems({"Astra", "Hotbird"});
    combo->SetItemIndex(1);
    EXPECT_EQ(log, (std::vector<std::string>{"change"}));
    log.clear();
    combo->Loading = true;
    combo->SetItemIndex(0);
    EXPECT_EQ(combo->Text(), "Hotbird");
    EXPECT_TRUE(log.empty());
    combo->Loaded();
    EXPECT_EQ(combo->Text(), "Astra");
}

TEST_F(Combo, TextThatIsNoItemClearsItemIndex)
{
    combo->SetItems({"Astra", "Hotbird"});
    combo->SetItemIndex(1);
    combo->SetText("Eutelsat");
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "Eutelsat");
}

TEST_F(Combo, TypeAheadInListStyleOnTheFakeClock)
{
    combo->SetItems({"Astra", "Abs", "Hotbird", "Badr"});
    combo->AutoComplete = true;
    combo->SetStyle(TDropDownStyle::dsDropDownList);
    EXPECT_TRUE(combo->NativeEdit()->isHidden());
    auto type = [&](char c) { SendKey(combo.get(), QtKeyForChar(char32_t(c)), QString(QChar(c))); };
    type('a');
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(combo->TypeAhead(), U"A");  // the item's own letter case
    clock.Advance(749);
    type('b');
    EXPECT_EQ(combo->ItemIndex(), 1);  // "ab"
    EXPECT_EQ(combo->TypeAhead(), U"Ab");
    clock.Advance(750);
    type('b');
    EXPECT_EQ(combo->ItemIndex(), 3);  // "b" alone after the pause
    clock.Advance(100);
    type('a');
    EXPECT_EQ(combo->ItemIndex(), 3);  // "ba"
    EXPECT_EQ(combo->Text(), "Badr");
    type('x');  // "bax" matches nothing: the choice stays
    EXPECT_EQ(combo->ItemIndex(), 3);
    SendKey(combo.get(), Qt::Key_Backspace, "\b");
    EXPECT_EQ(combo->TypeAhead(), U"B");
}

TEST_F(Combo, AutoCompleteInEditStyleSelectsTheCompletedTail)
{
    combo->SetItems({"Astra", "Hotbird"});
    combo->AutoComplete = true;
    combo->OnClick = [this](TControl*) { log.push_back("click"); };
    Type(*combo, std::string("h"));
    // A new choice reports a click and then the selection.
    EXPECT_EQ(log, (std::vector<std::string>{"change", "click", "select"}));
    EXPECT_EQ(combo->Text(), "Hotbird");
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->SelStart(), 1);
    EXPECT_EQ(combo->SelText(), "otbird");
    // The next character replaces the completion.
    Type(*combo, std::string("x"));
    EXPECT_EQ(combo->Text(), "Hx");
    EXPECT_EQ(combo->ItemIndex(), -1);
    // Backspace over a completion removes the completed tail only.
    combo->SetText("");
    Type(*combo, std::string("a"));
    EXPECT_EQ(combo->SelText(), "stra");
    SendKey(combo->NativeEdit(), Qt::Key_Backspace, "\b");
    EXPECT_EQ(combo->Text(), "A");
    EXPECT_EQ(combo->SelStart(), 1);
    // And without a selection the character before the caret.
    SendKey(combo->NativeEdit(), Qt::Key_Backspace, "\b");
    EXPECT_EQ(combo->Text(), "");
}

TEST_F(Combo, AutoDropDownOpensOnTyping)
{
    combo->SetItems({"Astra", "Hotbird"});
    combo->AutoDropDown = true;
    Type(*combo, std::string("q"));
    EXPECT_TRUE(combo->Dropped());
    EXPECT_TRUE(List()->Armed);
    char32_t tab = 9;
    combo->KeyPress(tab);
    EXPECT_FALSE(combo->Dropped());
}

TEST_F(Combo, ClosesOnFocusLossAndDeactivation)
{
    combo->SetItems({"Astra", "Hotbird"});
    OpenByMouse();
    combo->DoExit();
    EXPECT_FALSE(combo->Dropped());
    OpenByMouse();
    List()->ApplicationDeactivated();
    EXPECT_FALSE(combo->Dropped());
    OpenByMouse();
    combo->CancelMode();
    EXPECT_FALSE(combo->Dropped());
}

TEST_F(Combo, DisplayModes)
{
    combo->SetItems({"1=Astra", "2=Hotbird"});
    struct Case {
        TItemsDisplayMode mode;
        const char* text;
    } cases[] = {{TItemsDisplayMode::dmDefault, "2=Hotbird"},
                 {TItemsDisplayMode::dmNameList, "2"},
                 {TItemsDisplayMode::dmValueList, "Hotbird"},
                 {TItemsDisplayMode::dmIndentList, "Hotbird"}};
    for (const Case& c : cases) {
        combo->DisplayMode = c.mode;
        combo->SetItemIndex(1);
        EXPECT_EQ(combo->Text(), c.text);
    }
    // Value lists complete on the value.
    combo->DisplayMode = TItemsDisplayMode::dmValueList;
    combo->AutoComplete = true;
    combo->SetItemIndex(-1);
    combo->SetText("");
    Type(*combo, std::string("a"));
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(combo->Text(), "Astra");
}

namespace {

// Leftmost pixel of a row that is darker than mid-grey (the text), or -1.
int FirstInk(const QImage& img, int y0, int y1, int x0, int x1)
{
    for (int x = x0; x < x1; ++x)
        for (int y = y0; y < y1; ++y)
            if (qGray(img.pixel(x, y)) < 128)
                return x;
    return -1;
}

} // namespace

TEST_F(Combo, IndentedListDrawsLevelsTenPixelsApart)
{
    combo->SetItems({"0=Aa", "3=Aa", "999999=Aa", "x=Aa"});
    combo->DisplayMode = TItemsDisplayMode::dmIndentList;
    combo->SetBounds(100, 100, 300, 21);
    OpenByMouse();
    List()->Render();
    const QImage& img = List()->BackBuffer();
    int level0 = FirstInk(img, 2, 18, 3, 280);
    int level3 = FirstInk(img, 18, 34, 3, 280);
    ASSERT_GE(level0, 2 + 2);
    EXPECT_EQ(level3 - level0, 30);
    // A level that makes no sense is read as 0 (a broken name) or kept on screen (a huge one).
    EXPECT_EQ(FirstInk(img, 50, 66, 3, 280), level0);
    int huge = FirstInk(img, 34, 50, 3, 280);
    EXPECT_GT(huge, level3);
    EXPECT_LT(huge, 280);
}

TEST_F(Combo, ImagesAreLookedUpWithinTheList)
{
    TCustomImageList images(8, 8);
    TBitmap red;
    red.SetPixelFormat(TPixelFormat::pf24bit);
    red.SetSize(8, 8);
    red.Canvas().FillRect(TRect(0, 0, 8, 8), clRed);
    images.Add(red);
    combo->Images = &images;
    combo->SetItems({"one", "two", "three"});
    combo->SetItemIndex(2);
    OpenByMouse();
    List()->Render();
    const QImage& img = List()->BackBuffer();
    // Row 0 has its picture at x = 2 + 2, centred in the 16 px row.
    EXPECT_EQ(img.pixel(6, 2 + 8) & 0xFFFFFF, 0xFF0000u);
    // Rows 1 and 2 have none: no picture and no fault.
    EXPECT_NE(img.pixel(6, 18 + 8) & 0xFFFFFF, 0xFF0000u);
    EXPECT_NE(img.pixel(6, 34 + 8) & 0xFFFFFF, 0xFF0000u);
}

TEST_F(Combo, ForgetsADestroyedImageList)
{
    auto images = std::make_unique<TCustomImageList>(8, 8);
    combo->Images = images.get();
    combo->SetItems({"one"});
    OpenByMouse();
    combo->SetDropped(false);
    images.reset();
    EXPECT_TRUE(combo->Images.isNull());
    OpenByMouse();
    List()->Render();
    EXPECT_FALSE(List()->ShowImages);
}

TEST_F(Combo, DrawingOptionsDecideWhoDraws)
{
    combo->SetItems(Numbered(3));
    int calls = 0;
    combo->OnDrawItem = [&](QObject*, int, TRect, TCfItemState) { ++calls; };
    struct Case {
        TDrawingOptions options;
        TColor colour;
        QRgb rgb;
        int calls;
        bool filled;
        bool text;
    } cases[] = {{TDrawingOptions::doNormal, clYellow, 0xFFFF00u, 0, true, true},
                 {TDrawingOptions::doBackgroundOnly, clAqua, 0x00FFFFu, 3, true, false},
                 {TDrawingOptions::doCustom, clLime, 0x00FF00u, 3, true, true},
                 {TDrawingOptions::doCustomOnly, clFuchsia, 0xFF00FFu, 3, false, false}};
    for (const Case& c : cases) {
        combo->DrawingOptions = c.options;
        combo->DropDownColor = c.colour;
        OpenByMouse();
        calls = 0;
        List()->Render();
        EXPECT_EQ(calls, c.calls) << int(c.options);
        const QImage& img = List()->BackBuffer();
        // Custom-only leaves the rows to the handler: nothing of ours is painted there.
        EXPECT_EQ((img.pixel(100, 10) & 0xFFFFFF) == c.rgb, c.filled) << int(c.options);
        if (c.filled) {
            EXPECT_EQ(FirstInk(img, 2, 18, 3, 100) >= 0, c.text) << int(c.options);
        }
        combo->SetDropped(false);
    }
}

TEST_F(Combo, ListPixelsAfterScrollingEqualAFreshPaint)
{
    combo->SetItems(Numbered(30));
    combo->SetItemIndex(4);
    OpenByKeyboard();
    TCfPopupList* list = List();
    list->Render();
    auto fresh = [&] {
        QImage image(list->size(), QImage::Format_RGB32);
        TCanvas canvas(&image);
        canvas.Font = list->Font;
        list->PaintTo(canvas);
        return image;
    };
    auto check = [&](const char* what) { ASSERT_TRUE(list->BackBuffer() == fresh()) << what; };
    list->ScrollBar()->SetPosition(3);
    check("position 3");
    combo->MouseWheel(0, -120, TPoint());
    check("wheel");
    list->SelectIndex(20);
    check("select 20");
    SendKey(combo->NativeEdit(), Qt::Key_Up);
    check("key up");
    list->MouseDown(mbLeft, 0, list->ScrollBar()->Left() + 5, list->ScrollBar()->Top() + 5);
    check("arrow press");
    list->MouseUp(mbLeft, 0, list->ScrollBar()->Left() + 5, list->ScrollBar()->Top() + 5);
    check("arrow release");
    list->ScrollBar()->SetPosition(22);
    check("end");
}

TEST(CfProperties, NamedTextProperties)
{
    TCfComboBox combo;
    combo.SetItems({"Radio", "TV"});
    combo.SetItemIndex(1);
    EXPECT_EQ(GetPropertyByName(&combo, "items").value_or("?"), "Radio\nTV");
    EXPECT_TRUE(SetPropertyByName(&combo, "Items", "Hörfunk\nFernsehen"));
    EXPECT_EQ(combo.Items(), (std::vector<std::string>{"Hörfunk", "Fernsehen"}));
    EXPECT_EQ(combo.Text(), "Fernsehen");
    TCfNumberEdit number;
    EXPECT_TRUE(SetPropertyByName(&number, "TextAfter", " dB"));
    EXPECT_EQ(number.Text(), "0.00 dB");
    TCfCheckBox check;
    EXPECT_TRUE(SetPropertyByName(&check, "Caption", "Zeigen"));
    EXPECT_EQ(check.Caption(), "Zeigen");
    EXPECT_EQ(GetPropertyByName(&check, "Text"), std::nullopt);
    EXPECT_FALSE(SetPropertyByName(&check, "Nonsense", "x"));
    TCfEdit edit;
    EXPECT_TRUE(SetPropertyByName(&edit, "TEXT", "abc"));
    EXPECT_EQ(edit.Text(), "abc");
}

TEST_F(Combo, ListStyleShowsItsTextAndOpensOnAPress)
{
    combo->SetItems({"Astra", "Hotbird"});
    combo->SetItemIndex(1);
    combo->SetStyle(TDropDownStyle::dsDropDownList);
    EXPECT_FALSE(combo->HasEditableText());
    EXPECT_TRUE(combo->NativeEdit()->isHidden());
    EXPECT_EQ(combo->Text(), "Hotbird");
    combo->MouseMove(0, 1, 8);
    EXPECT_EQ(combo->Cursor(), crArrow);
    combo->Render();
    const QImage& img = combo->BackBuffer();
    TPoint o = combo->ClientOffset();
    int buttonLeft = combo->ClientWidth() - combo->Button()->Width();
    // Unfocused: the edit's own colour behind dark text, left of the button.
    EXPECT_EQ(img.pixel(o.X + buttonLeft - 3, o.Y + 8) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_GE(FirstInk(img, o.Y, o.Y + combo->ClientHeight(), o.X, o.X + buttonLeft), o.X + 2);
    // A press anywhere on the text opens the list and shows the button down.
    combo->MouseDown(mbLeft, 0, 20, 8);
    EXPECT_TRUE(combo->Dropped());
    EXPECT_TRUE(combo->Button()->Down);
    EXPECT_FALSE(List()->Armed);
    EXPECT_EQ(List()->SelectedIndex(), 1);
    // Back to the edit style: the text is editable again.
    combo->SetDropped(false);
    combo->SetStyle(TDropDownStyle::dsDropDown);
    EXPECT_FALSE(combo->NativeEdit()->isHidden());
    EXPECT_FALSE(combo->ReadOnly());
}

TEST_F(Combo, TypeAheadTimingUsesA64BitClock)
{
    combo->SetItems({"Astra", "Abs", "Badr"});
    combo->AutoComplete = true;
    combo->SetStyle(TDropDownStyle::dsDropDownList);
    auto type = [&](char c) { SendKey(combo.get(), QtKeyForChar(char32_t(c)), QString(QChar(c))); };
    // Just before a 32-bit tick counter would wrap, and across it.
    clock.Advance((uint64_t(1) << 32) - 50 - clock.NowMs());
    type('a');
    clock.Advance(100);
    type('b');
    EXPECT_EQ(combo->ItemIndex(), 1);
    clock.Advance(uint64_t(1) << 31);
    type('b');
    EXPECT_EQ(combo->ItemIndex(), 2);
}

TEST(CfComboFocus, ListStyleHighlightsWhileFocusedAndClosesOnLeaving)
{
    QWidget window;
    window.resize(300, 100);
    auto* combo = new TCfComboBox(&window);
    auto* other = new TCfEdit(&window);
    combo->SetBounds(0, 0, 150, 21);
    other->SetBounds(0, 40, 120, 21);
    combo->SetItems({"Astra", "Hotbird"});
    combo->SetStyle(TDropDownStyle::dsDropDownList);
    combo->SetItemIndex(0);
    other->SetFocus();
    window.show();
    window.activateWindow();
    QApplication::processEvents();
    if (!window.isActiveWindow())
        GTEST_SKIP() << "the platform gives no window the focus";
    combo->SetFocus();
    QApplication::processEvents();
    ASSERT_TRUE(combo->Focused());
    auto backgroundAt = [&](int x, int y) {
        combo->Render();
        TPoint o = combo->ClientOffset();
        return combo->BackBuffer().pixel(o.X + x, o.Y + y) & 0xFFFFFF;
    };
    TColor hl = ColorToRGB(clHighlight);
    QRgb highlight = QRgb((GetRValue(hl) << 16) | (GetGValue(hl) << 8) | GetBValue(hl));
    int right = combo->ClientWidth() - combo->Button()->Width();
    EXPECT_EQ(backgroundAt(right - 4, 8), highlight);
    // In a grid the cell keeps the edit's own colour.
    combo->Embedded = true;
    EXPECT_EQ(backgroundAt(right - 4, 8), 0xFFFFFFu);
    combo->Embedded = false;
    // Opening and then leaving the box closes the list.
    SendKey(combo, Qt::Key_Down, QString(), Qt::AltModifier);
    EXPECT_TRUE(combo->Dropped());
    other->SetFocus();
    QApplication::processEvents();
    EXPECT_FALSE(combo->Dropped());
    EXPECT_EQ(backgroundAt(right - 4, 8), 0xFFFFFFu);
}

namespace {

// A host (as a grid would be) that records the keys its editor passes on.
struct KeyHost : QWidget {
    std::vector<int> keys;
    void keyPressEvent(QKeyEvent* e) override { keys.push_back(e->key()); }
};

} // namespace

TEST(CfInplaceKeys, EmbeddedEditorsPassNavigationKeysToTheirHost)
{
    KeyHost host;
    auto* combo = new TCfComboBox(&host);
    combo->SetItems({"Astra", "Hotbird"});
    combo->SetItemIndex(0);
    combo->Embedded = true;
    SendKey(combo->NativeEdit(), Qt::Key_Down);
    SendKey(combo->NativeEdit(), Qt::Key_Return, "\r");
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(host.keys, (std::vector<int>{Qt::Key_Down, Qt::Key_Return}));

    host.keys.clear();
    auto* spin = new TCfSpinEdit(&host);
    spin->Embedded = true;
    SendKey(spin->NativeEdit(), Qt::Key_Up);
    EXPECT_EQ(spin->Value(), 0);
    EXPECT_EQ(host.keys, (std::vector<int>{Qt::Key_Up}));

    host.keys.clear();
    auto* edit = new TCfEdit(&host);
    edit->SetText("abc");
    SendKey(edit->NativeEdit(), Qt::Key_Left);  // the caret moves; the host hears nothing
    SendKey(edit->NativeEdit(), Qt::Key_Escape, "\x1b");
    EXPECT_EQ(host.keys, (std::vector<int>{Qt::Key_Escape}));
}

namespace {

struct InkRows {
    int top = -1, bottom = -1;
};

// Rows holding dark (unfocused) or light-on-highlight (focused) text ink in
// the columns x0..x1 of the client area.
InkRows TextInk(const QImage& img, TPoint o, int x0, int x1, int height, bool onHighlight)
{
    InkRows r;
    for (int y = 0; y < height; ++y)
        for (int x = x0; x < x1; ++x) {
            QRgb p = img.pixel(o.X + x, o.Y + y);
            bool ink = onHighlight ? (qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) > 200) : qGray(p) < 128;
            if (ink) {
                if (r.top < 0)
                    r.top = y;
                r.bottom = y;
                break;
            }
        }
    return r;
}

} // namespace

TEST(CfComboFocus, ListStyleTextIsCentredAndClearOfTheFocusRectangle)
{
    QWidget window;
    window.resize(300, 100);
    auto* combo = new TCfComboBox(&window);
    combo->SetBounds(0, 0, 150, 25);
    combo->SetItems({"Hotbird"});
    combo->SetStyle(TDropDownStyle::dsDropDownList);
    combo->SetItemIndex(0);
    auto* other = new TCfEdit(&window);
    other->SetBounds(0, 40, 120, 21);
    other->SetFocus();
    window.show();
    window.activateWindow();
    QApplication::processEvents();
    // Where the same text's ink lies in a line drawn at the top of a canvas:
    // the field's line must start (21 - line height) / 2 rows down.
    QImage probe(100, 40, QImage::Format_RGB32);
    probe.fill(Qt::white);
    TCanvas pc(&probe);
    pc.Font = combo->Font;
    pc.Brush.Style = bsClear;
    pc.TextOut(0, 0, "Hotbird");
    int lineHeight = pc.TextHeight("Hotbird");
    InkRows atTop = TextInk(probe, TPoint(0, 0), 0, 100, 40, false);
    ASSERT_GE(atTop.top, 0);
    const int clientHeight = 21;  // 25 less the 2 px edge at top and bottom
    ASSERT_EQ(combo->ClientHeight(), clientHeight);
    int lineTop = (clientHeight - lineHeight) / 2;
    int textRight = combo->ClientWidth() - combo->Button()->Width();

    combo->Render();
    InkRows unfocused = TextInk(combo->BackBuffer(), combo->ClientOffset(), 2, textRight - 2, clientHeight, false);
    EXPECT_EQ(unfocused.top, lineTop + atTop.top);
    EXPECT_EQ(unfocused.bottom, lineTop + atTop.bottom);

    if (!window.isActiveWindow())
        GTEST_SKIP() << "the platform gives no window the focus";
    combo->SetFocus();
    QApplication::processEvents();
    ASSERT_TRUE(combo->Focused());
    combo->Render();
    // White text on the highlight, the dotted frame on rows 0 and 20 excluded.
    InkRows focused = TextInk(combo->BackBuffer(), combo->ClientOffset(), 2, textRight - 2, clientHeight, true);
    EXPECT_EQ(focused.top, lineTop + atTop.top);
    EXPECT_EQ(focused.bottom, lineTop + atTop.bottom);
    EXPECT_GT(focused.top, 1);
    EXPECT_LT(focused.bottom, clientHeight - 2);
}
