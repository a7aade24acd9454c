#include "EditTestSupport.h"

#include "controls/CfEdit.h"
#include "platform/Themes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace cf;
using cf::testing::SendKey;

namespace {

QRgb Rgb(TColor c)
{
    c = ColorToRGB(c);
    return QRgb((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
}

QRgb At(TControl& c, int x, int y)
{
    c.Render();
    TPoint o = c.ClientOffset();
    return c.BackBuffer().pixel(x + o.X, y + o.Y) & 0xFFFFFF;
}

} // namespace

TEST(CfCheckBoxTest, DefaultsAndBoxPlacement)
{
    TCfCheckBox box;
    EXPECT_EQ(box.Width(), 75);
    EXPECT_EQ(box.Height(), 21);
    EXPECT_EQ(box.Color, clWindow);
    EXPECT_TRUE(box.TabStop());  // reachable with Tab, as every choice of a dialog
    EXPECT_EQ(box.Indent(), 4);
    // Client 71 x 17 grown by 1: (-1, -1, 72, 18); left + 2, centre 9 - 5.
    EXPECT_EQ(box.BoxRect(), TRect(1, 3, 12, 14));
    box.SetAlignment(TAlignment::taRightJustify);
    EXPECT_EQ(box.BoxRect(), TRect(72 - 11 - 2, 3, 72 - 2, 14));
    box.SetVerticalAlignment(TVerticalAlignment::taAlignTop);
    EXPECT_EQ(box.BoxRect().Top, 1);
    TCfRadioButton radio;
    EXPECT_EQ(radio.BoxRect(), TRect(1, 2, 13, 14));
}

TEST(CfCheckBoxTest, ClickAreas)
{
    TCfCheckBox box;
    box.SetCaption("Show");
    int changes = 0;
    box.OnChange = [&](QObject*) { ++changes; };
    auto click = [&](int x, int y) {
        box.MouseDown(mbLeft, 0, x, y);
        box.MouseUp(mbLeft, 0, x, y);
    };
    click(40, 8);  // on the caption
    EXPECT_FALSE(box.Checked());
    click(5, 8);  // on the box
    EXPECT_TRUE(box.Checked());
    click(5, 8);
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(changes, 2);
    box.SetOptions(coExpandActiveRect);
    click(60, 15);
    EXPECT_TRUE(box.Checked());
    // A press that leaves the active area before the release does nothing.
    box.SetOptions(0);
    box.MouseDown(mbLeft, 0, 5, 8);
    EXPECT_TRUE(box.Pressed());
    box.MouseUp(mbLeft, 0, 40, 8);
    EXPECT_FALSE(box.Pressed());
    EXPECT_TRUE(box.Checked());
    // Right button never toggles.
    box.MouseDown(mbRight, 0, 5, 8);
    box.MouseUp(mbRight, 0, 5, 8);
    EXPECT_TRUE(box.Checked());
}

TEST(CfCheckBoxTest, HotFollowsThePointer)
{
    TCfCheckBox box;
    box.MouseMove(0, 5, 8);
    EXPECT_TRUE(box.Hot());
    box.MouseMove(0, 40, 8);
    EXPECT_FALSE(box.Hot());
    box.MouseMove(0, 5, 8);
    box.MouseLeave();
    EXPECT_FALSE(box.Hot());
}

TEST(CfCheckBoxTest, SpaceBar)
{
    TCfCheckBox box;
    uint16_t key = VK_SPACE;
    box.KeyDown(key, 0);
    EXPECT_TRUE(box.Pressed());
    EXPECT_FALSE(box.Checked());
    key = VK_SPACE;
    box.KeyUp(key, 0);
    EXPECT_FALSE(box.Pressed());
    EXPECT_TRUE(box.Checked());
}

TEST(CfCheckBoxTest, SettingTheSameValueRaisesNothing)
{
    TCfCheckBox box;
    int changes = 0;
    box.OnChange = [&](QObject*) { ++changes; };
    box.SetChecked(false);
    EXPECT_EQ(changes, 0);
    box.SetChecked(true);
    box.SetChecked(true);
    EXPECT_EQ(changes, 1);
    TCfRadioButton radio;
    radio.OnChange = [&](QObject*) { ++changes; };
    radio.SetChecked(false);
    EXPECT_EQ(changes, 1);
}

TEST(CfCheckBoxTest, TickPixels)
{
    TCfCheckBox box;
    box.SetGrayed(false);
    // Box at (1, 3): frame in the button-shadow colour, window colour inside.
    EXPECT_EQ(At(box, 1, 3), Rgb(clBtnShadow));
    EXPECT_EQ(At(box, 7, 7), Rgb(clWindow));
    box.SetChecked(true);
    // Tick through (3, 7), (5, 9), (10, 4) and the same 1 and 2 px lower.
    for (TPoint p : {TPoint(3, 7), TPoint(4, 8), TPoint(5, 9), TPoint(7, 7), TPoint(9, 5), TPoint(5, 10),
                     TPoint(5, 11), TPoint(9, 7)})
        EXPECT_EQ(At(box, p.X, p.Y), Rgb(clWindowText)) << p.X << "," << p.Y;
    EXPECT_EQ(At(box, 3, 6), Rgb(clWindow));
    EXPECT_EQ(At(box, 7, 11), Rgb(clWindow));
    // Pressed fills the box with the button face.
    box.MouseDown(mbLeft, 0, 5, 8);
    EXPECT_EQ(At(box, 9, 11), Rgb(clBtnFace));
    box.MouseUp(mbLeft, 0, 40, 8);
    // Grayed draws the same.
    QImage normal = (box.Render(), box.BackBuffer().copy());
    box.SetGrayed(true);
    box.Render();
    EXPECT_TRUE(box.BackBuffer() == normal);
}

TEST(CfCheckBoxTest, CaptionSitsAfterTheBoxAndIndent)
{
    TCfCheckBox box;
    box.SetBounds(0, 0, 120, 21);
    box.SetCaption("W");
    box.Render();
    const QImage& img = box.BackBuffer();
    TPoint o = box.ClientOffset();
    int first = -1;
    for (int x = 13; x < 60 && first < 0; ++x)
        for (int y = 0; y < 17; ++y)
            if (qGray(img.pixel(x + o.X, y + o.Y)) < 128) {
                first = x;
                break;
            }
    // Box right 12 + indent 4 = 16; "W" starts at or just after it.
    EXPECT_GE(first, 16);
    EXPECT_LE(first, 18);
}

TEST(CfRadioButtonTest, GroupsByParentWithTheirEventLog)
{
    TWinControl panelA, panelB;
    std::vector<std::string> log;
    auto make = [&](TWinControl& parent, const std::string& name) {
        auto* r = new TCfRadioButton(&parent);
        r->Name = name;
        r->OnChange = [&log, r](QObject*) { log.push_back(r->Name + (r->Checked() ? "+" : "-")); };
        return r;
    };
    TCfRadioButton* a1 = make(panelA, "a1");
    TCfRadioButton* a2 = make(panelA, "a2");
    TCfRadioButton* a3 = make(panelA, "a3");
    TCfRadioButton* b1 = make(panelB, "b1");
    b1->SetChecked(true);
    a1->SetChecked(true);
    EXPECT_EQ(log, (std::vector<std::string>{"b1+", "a1+"}));
    log.clear();
    // Clicking a2: a1 is unchecked first, then a2 reports; b1 on the other panel is untouched.
    a2->MouseDown(mbLeft, 0, 5, 8);
    a2->MouseUp(mbLeft, 0, 5, 8);
    EXPECT_EQ(log, (std::vector<std::string>{"a1-", "a2+"}));
    EXPECT_FALSE(a1->Checked());
    EXPECT_TRUE(a2->Checked());
    EXPECT_FALSE(a3->Checked());
    EXPECT_TRUE(b1->Checked());
    log.clear();
    // Clicking the checked one changes nothing.
    a2->MouseDown(mbLeft, 0, 5, 8);
    a2->MouseUp(mbLeft, 0, 5, 8);
    EXPECT_TRUE(log.empty());
    // The space bar checks too.
    uint16_t key = VK_SPACE;
    a3->KeyDown(key, 0);
    key = VK_SPACE;
    a3->KeyUp(key, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"a2-", "a3+"}));
    // Unchecking by code leaves the siblings alone.
    log.clear();
    a3->SetChecked(false);
    EXPECT_EQ(log, (std::vector<std::string>{"a3-"}));
}

TEST(CfRadioButtonTest, MarkPixels)
{
    TCfRadioButton radio;
    // Box (1, 2, 13, 14); the dot fills (5, 6)-(9, 10) when checked.
    EXPECT_EQ(At(radio, 7, 8), Rgb(clWindow));
    radio.SetChecked(true);
    EXPECT_EQ(At(radio, 7, 8), Rgb(clWindowText));
    EXPECT_EQ(At(radio, 3, 8), Rgb(clWindow));
}

namespace {

struct RecordingTheme : TThemeServices {
    struct Call {
        std::string cls;
        int part, state;
        TRect r;
    };
    std::vector<Call> calls;
    bool Available() const override { return true; }
    bool Active() const override { return true; }
    bool DrawPart(TCanvas&, const TRect& r, const std::string& cls, int part, int state) override
    {
        calls.push_back({cls, part, state, r});
        return true;
    }
};

} // namespace

TEST(CfCheckBoxTest, ThemedStates)
{
    RecordingTheme theme;
    SetThemeServices(&theme);
    TCfCheckBox box;
    EXPECT_EQ(box.BoxRect(), TRect(1, 2, 14, 15));  // 13 x 13 with styles
    struct Case {
        bool hot, checked, pressed, enabled;
        int state;
    } cases[] = {
        {false, false, false, true, 1}, {false, false, true, true, 1}, {false, true, false, true, 5},
        {true, false, false, true, 2},  {true, false, true, true, 3},  {true, true, false, true, 6},
        {true, true, true, true, 7},    {false, false, false, false, 4}, {false, true, false, false, 8},
    };
    for (const Case& c : cases) {
        box.SetEnabled(c.enabled);
        box.SetChecked(c.checked);
        box.MouseLeave();
        if (c.hot)
            box.MouseMove(0, 5, 8);
        if (c.pressed)
            box.MouseDown(mbLeft, 0, 5, 8);
        theme.calls.clear();
        box.Render();
        bool found = false;
        for (const auto& call : theme.calls)
            if (call.cls == "button") {
                EXPECT_EQ(call.part, 3);
                EXPECT_EQ(call.state, c.state) << c.hot << c.checked << c.pressed << c.enabled;
                found = true;
            }
        EXPECT_TRUE(found);
        if (c.pressed)
            box.MouseUp(mbLeft, 0, 40, 8);
    }
    TCfRadioButton radio;
    theme.calls.clear();
    radio.Render();
    ASSERT_FALSE(theme.calls.empty());
    bool radioPart = false;
    for (const auto& call : theme.calls)
        radioPart |= call.cls == "button" && call.part == 2;
    EXPECT_TRUE(radioPart);
    SetThemeServices(nullptr);
}

TEST(CfCheckBoxTest, CaptionIsDrawnOnceAndCentred)
{
    TCfCheckBox box;
    box.SetBounds(0, 0, 120, 31);
    box.SetCaption("H");
    box.Render();
    const QImage& img = box.BackBuffer();
    TPoint o = box.ClientOffset();
    int top = -1, bottom = -1;
    for (int y = 0; y < box.ClientHeight(); ++y)
        for (int x = 14; x < 60; ++x)
            if (qGray(img.pixel(x + o.X, y + o.Y)) < 128) {
                if (top < 0)
                    top = y;
                bottom = y;
            }
    QImage probe(10, 10, QImage::Format_RGB32);
    TCanvas canvas(&probe);
    canvas.Font = box.Font;
    int h = canvas.TextHeight("H");
    ASSERT_GE(top, 0);
    EXPECT_LE(bottom - top + 1, h);
    // The text line sits in the middle of the 27 px client height.
    int lineTop = (box.ClientHeight() - h) / 2;
    EXPECT_GE(top, lineTop);
    EXPECT_LT(bottom, lineTop + h);
}

namespace {

// The darkest pixel of the caption area (client columns x0.., all rows).
QRgb DarkestInk(TControl& c, int x0)
{
    c.Render();
    TPoint o = c.ClientOffset();
    QRgb darkest = 0xFFFFFF;
    for (int y = 0; y < c.ClientHeight(); ++y)
        for (int x = x0; x < c.ClientWidth(); ++x) {
            QRgb p = c.BackBuffer().pixel(x + o.X, y + o.Y) & 0xFFFFFF;
            if (qGray(p) < qGray(darkest))
                darkest = p;
        }
    return darkest;
}

} // namespace

TEST(CfTwoStateCaption, DisabledCaptionsAreGreyAndLegible)
{
    // Enabled: window text; disabled: the grey-text colour (109, 109, 109 on
    // white), for both kinds alike. The caption starts right of the box.
    TCfCheckBox box;
    box.SetCaption("Show");
    TCfRadioButton radio;
    radio.SetCaption("Show");
    struct Case {
        const char* name;
        TControl* control;
        bool enabled;
        QRgb ink;
    };
    const Case cases[] = {
        {"check box", &box, true, Rgb(clWindowText)},
        {"check box", &box, false, Rgb(clGrayText)},
        {"radio button", &radio, true, Rgb(clWindowText)},
        {"radio button", &radio, false, Rgb(clGrayText)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.enabled ? " enabled" : " disabled"));
        c.control->SetEnabled(c.enabled);
        EXPECT_EQ(DarkestInk(*c.control, 17), c.ink);
    }
}

TEST(CfTwoStateFocus, FocusCueAroundTheCaptionAndTabReachesThem)
{
    QWidget window;
    window.resize(300, 120);
    auto* edit = new TCfEdit(&window);
    edit->SetBounds(0, 0, 120, 21);
    auto* box = new TCfCheckBox(&window);
    box->SetBounds(0, 30, 75, 21);
    box->SetCaption("Show");
    auto* radio = new TCfRadioButton(&window);
    radio->SetBounds(0, 60, 75, 21);
    radio->SetCaption("Show");
    edit->SetFocus();
    window.show();
    window.activateWindow();
    QApplication::processEvents();
    if (!window.isActiveWindow())
        GTEST_SKIP() << "the platform gives no window the focus";
    ASSERT_TRUE(edit->Focused());

    // The caption's line: client 71 x 17; text from box right (12 / 13) + indent 4,
    // one line high, centred; the cue lies one pixel outside it all round.
    QImage probe(10, 10, QImage::Format_RGB32);
    TCanvas pc(&probe);
    pc.Font = box->Font;
    int w = pc.TextWidth("Show"), h = pc.TextHeight("Show");
    int top = (17 - h) / 2;
    struct Case {
        const char* name;
        TCfTwoStateControl* control;
        int textLeft;
    };
    const Case cases[] = {{"check box", box, 12 + 4}, {"radio button", radio, 13 + 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TRect cue(c.textLeft - 1, top - 1, c.textLeft + w + 1, top + h + 1);
        TPoint o = c.control->ClientOffset();
        auto cueRow = [&](int y) {
            c.control->Render();
            std::string row;
            for (int x = cue.Left; x < cue.Right; ++x)
                row += (c.control->BackBuffer().pixel(x + o.X, y + o.Y) & 0xFFFFFF) == 0 ? '#' : '.';
            return row;
        };
        // Every other pixel of the window colour inverted, in step with the
        // screen's grid ((x + y) even in window pixels).
        std::string dotted;
        for (int x = cue.Left; x < cue.Right; ++x)
            dotted += ((x + o.X + cue.Top + o.Y) & 1) == 0 ? '#' : '.';
        std::string dottedBottom;
        for (int x = cue.Left; x < cue.Right; ++x)
            dottedBottom += ((x + o.X + cue.Bottom - 1 + o.Y) & 1) == 0 ? '#' : '.';
        EXPECT_EQ(cueRow(cue.Top), std::string(size_t(cue.Width()), '.'));

        // Tab moves the focus on to the control, which now shows the cue.
        SendKey(QApplication::focusWidget(), Qt::Key_Tab, "\t");
        QApplication::processEvents();
        ASSERT_TRUE(c.control->Focused());
        EXPECT_EQ(cueRow(cue.Top), dotted);
        EXPECT_EQ(cueRow(cue.Bottom - 1), dottedBottom);
    }
    // Leaving removes the cue.
    edit->SetFocus();
    QApplication::processEvents();
    radio->Render();
    TPoint o = radio->ClientOffset();
    for (int x = 16; x < 17 + w + 1; ++x)
        EXPECT_EQ(radio->BackBuffer().pixel(x + o.X, top - 1 + o.Y) & 0xFFFFFF, 0xFFFFFFu) << x;
}
