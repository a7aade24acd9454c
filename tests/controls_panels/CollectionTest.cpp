#include "PanelTestHelpers.h"

#include "controls/CfCollection.h"
#include "controls/CfGlyphSettings.h"
#include "controls/CfThemesSupport.h"
#include "platform/Forms.h"
#include "platform/Themes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace cf;

namespace {

// ---------------------------------------------------------------- margins

TEST(PanelsMargins, DefaultsAndNotifications)
{
    TCfIndent indent;
    EXPECT_EQ(indent.Left(), 9);
    EXPECT_EQ(indent.Top(), 5);
    TCfMargins m;
    EXPECT_EQ(m.Right(), 8);
    EXPECT_EQ(m.Bottom(), 4);
    int n = 0;
    m.OnChange = [&] { ++n; };
    m.SetMargins(1, 2, 3, 4);
    EXPECT_EQ(n, 1);
    m.SetLeft(1);
    EXPECT_EQ(n, 2);  // every assignment tells the owner

    TMargins t;
    int u = 0;
    t.OnUpdate = [&] { ++u; };
    t.SetHorizontal(0);
    t.SetVertical(3);
    t.SetVertical(3);
    EXPECT_EQ(u, 1);  // only real changes
}

TEST(PanelsGlyphSettings, TransparencyAppliesToBothBitmaps)
{
    TCfActiveGlyphSettings g;
    int n = 0;
    g.OnChange = [&] { ++n; };
    TBitmap b(4, 4);
    g.SetNormalGlyph(b);
    g.SetHoverGlyph(b);
    g.SetTransparentColor(clLime);
    g.SetTransparent(true);
    EXPECT_EQ(n, 4);
    EXPECT_EQ(g.TransparentColor(), clLime);
    TBitmap normal = g.NormalGlyph(), hover = g.HoverGlyph();
    EXPECT_TRUE(normal.Transparent);
    EXPECT_TRUE(hover.Transparent);
    EXPECT_EQ(hover.TransparentColor(), clLime);
}

// ---------------------------------------------------------------- button

TEST(PanelsCfButton, ClassicFaceByState)
{
    TForm form;
    form.SetBounds(0, 0, 200, 100);
    auto* b = new TCfButton(&form);
    ASSERT_EQ(b->Width(), 75);
    ASSERT_EQ(b->Height(), 23);
    // Normal: raised frame, shadow line inside right and bottom.
    EXPECT_EQ(PixelAt(*b, 0, 10), Rgb(clBtnHighlight));
    EXPECT_EQ(PixelAt(*b, 74, 10), Rgb(cl3DDkShadow));
    EXPECT_EQ(PixelAt(*b, 74, 0), Rgb(cl3DDkShadow));
    EXPECT_EQ(PixelAt(*b, 73, 10), Rgb(clBtnShadow));
    EXPECT_EQ(PixelAt(*b, 10, 21), Rgb(clBtnShadow));
    EXPECT_EQ(PixelAt(*b, 10, 22), Rgb(cl3DDkShadow));
    EXPECT_EQ(PixelAt(*b, 10, 5), Rgb(clBtnFace));
    // Down: a flat shadow frame.
    b->SetDown(true);
    EXPECT_TRUE(b->LooksPressed());
    EXPECT_EQ(PixelAt(*b, 0, 10), Rgb(clBtnShadow));
    EXPECT_EQ(PixelAt(*b, 1, 10), Rgb(clBtnFace));
    EXPECT_EQ(PixelAt(*b, 74, 10), Rgb(clBtnShadow));
    b->SetDown(false);
    // Focused: a window-frame line around the raised face.
    ShowActive(form);
    b->SetFocus();
    ASSERT_TRUE(b->Focused());
    EXPECT_EQ(PixelAt(*b, 0, 10), Rgb(clWindowFrame));
    EXPECT_EQ(PixelAt(*b, 1, 10), Rgb(clBtnHighlight));
    EXPECT_EQ(PixelAt(*b, 73, 10), Rgb(cl3DDkShadow));
    EXPECT_EQ(PixelAt(*b, 72, 10), Rgb(clBtnShadow));
    form.hide();
}

TEST(PanelsCfButton, DisabledGlyphIsGreyedAndTextGrey)
{
    TCfButton b;
    TBitmap g(16, 16, pf24bit);
    g.Canvas().FillRect(TRect(0, 0, 16, 16), clRed);
    b.SetGlyph(g);
    // Centred: (75 div 2 - 8, 23 div 2 - 8) = (29, 3).
    EXPECT_EQ(PixelAt(b, 29, 3), clRed);
    EXPECT_EQ(PixelAt(b, 44, 18), clRed);
    EXPECT_EQ(PixelAt(b, 28, 3), Rgb(clBtnFace));
    b.SetEnabled(false);
    EXPECT_EQ(PixelAt(b, 35, 10), RGB(85, 85, 85));

    TCfButton t;
    t.SetCaption("Go");
    t.SetEnabled(false);
    t.Render();
    // The text is there, and nowhere darker than the shadow colour (smoothed
    // edges blend it with the face).
    int darkest = 255, ink = 0;
    for (int y = 3; y < 19; ++y)
        for (int x = 10; x < 60; ++x) {
            TColor c = FromPixel(ReadPixel(t.BackBuffer(), x, y));
            darkest = std::min(darkest, GetGValue(c));
            ink += c != Rgb(clBtnFace);
        }
    EXPECT_GT(ink, 10);
    EXPECT_NEAR(darkest, GetGValue(Rgb(clBtnShadow)), 12);
}

TEST(PanelsCfButton, ArrowAndGlyphLeftOfCaption)
{
    TCfButton g;
    TBitmap red(16, 16, pf24bit);
    red.Canvas().FillRect(TRect(0, 0, 16, 16), clRed);
    g.SetGlyph(red);
    g.SetCaption("OK");
    QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas c(&scratch);
    c.Font = g.Font;
    // Glyph left: x = 75 div 2 - 16 div 2 - text width div 2.
    int x = 37 - 8 - c.TextWidth("OK") / 2;
    EXPECT_EQ(PixelAt(g, x, 3), clRed);
    EXPECT_EQ(PixelAt(g, x - 1, 3), Rgb(clBtnFace));
    EXPECT_EQ(PixelAt(g, x + 15, 18), clRed);
    EXPECT_EQ(PixelAt(g, x + 16, 4), Rgb(clBtnFace));  // the spacing before the text

    TCfButton b;
    b.SetShowArrow(true);
    // Triangle with its left corner at (75 - 20, 23 div 2 - 2) = (55, 9).
    EXPECT_EQ(PixelAt(b, 59, 10), clBlack);
    EXPECT_EQ(PixelAt(b, 59, 15), Rgb(clBtnFace));
}

TEST(PanelsCfButton, EnterClicksTheFocusedButtonAndEscTheCancelOne)
{
    TForm form;
    form.SetBounds(0, 0, 300, 100);
    auto* ok = new TCfButton(&form);
    auto* other = new TCfButton(&form);
    auto* cancel = new TCfButton(&form);
    ok->SetBounds(0, 0, 75, 23);
    other->SetBounds(80, 0, 75, 23);
    cancel->SetBounds(160, 0, 75, 23);
    ok->SetDefault(true);
    ok->ModalResult = mrOk;
    other->ModalResult = mrRetry;
    cancel->Cancel = true;
    cancel->ModalResult = mrCancel;
    std::vector<std::string> log;
    ok->OnClick = [&](TControl*) { log.push_back("ok"); };
    other->OnClick = [&](TControl*) { log.push_back("other"); };
    cancel->OnClick = [&](TControl*) { log.push_back("cancel"); };
    ShowActive(form);
    other->SetFocus();
    EXPECT_FALSE(ok->ActsAsDefault());
    EXPECT_TRUE(other->ActsAsDefault());
    SendKey(other, Qt::Key_Return);
    EXPECT_EQ(form.ModalResult(), mrRetry);
    SendKey(other, Qt::Key_Escape);
    SendKey(other, Qt::Key_Space);
    EXPECT_TRUE(other->LooksPressed());
    SendKey(other, Qt::Key_Space, QEvent::KeyRelease);
    EXPECT_EQ(log, (std::vector<std::string>{"other", "cancel", "other"}));
    form.hide();
}

TEST(PanelsCfButton, CaptionAcceleratorClicks)
{
    TForm form;
    form.SetBounds(0, 0, 300, 100);
    auto* save = new TCfButton(&form);
    auto* other = new TCfButton(&form);
    other->SetLeft(100);
    save->SetCaption("&Save");
    other->SetCaption("Sa&ve && close");
    std::vector<std::string> log;
    save->OnClick = [&](TControl*) { log.push_back("save"); };
    other->OnClick = [&](TControl*) { log.push_back("other"); };
    ShowActive(form);
    other->SetFocus();
    for (const char* key : {"s", "v", "c"}) {
        QKeyEvent e(QEvent::KeyPress, QChar(key[0]).toUpper().unicode(), Qt::AltModifier, key);
        QApplication::sendEvent(other, &e);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"save", "other"}));
    form.hide();
}

// Records the styled parts a control asks for.
class RecordingTheme : public TThemeServices {
public:
    bool Available() const override { return true; }
    bool Active() const override { return true; }
    bool DrawPart(TCanvas&, const TRect&, const std::string& cls, int part, int state) override
    {
        last = cls + " " + std::to_string(part) + " " + std::to_string(state);
        return true;
    }
    std::string last;
};

TEST(PanelsCfButton, StyledStates)
{
    RecordingTheme theme;
    SetThemeServices(&theme);
    TForm form;
    form.SetBounds(0, 0, 300, 100);
    auto* b = new TCfButton(&form);
    auto* other = new TCfButton(&form);
    other->SetLeft(100);
    auto state = [&] {
        b->Render();
        return theme.last;
    };
    EXPECT_EQ(state(), "button 1 1");
    b->MouseEnter();
    EXPECT_EQ(state(), "button 1 2");
    Press(*b, 5, 5);
    EXPECT_EQ(state(), "button 1 3");
    Release(*b, 5, 5);
    b->MouseLeave();
    b->SetDown(true);
    EXPECT_EQ(state(), "button 1 3");
    b->SetDown(false);
    ShowActive(form);
    b->MouseLeave();  // wherever the pointer is
    b->SetFocus();
    EXPECT_EQ(state(), "button 1 5");
    SendKey(b, Qt::Key_Space);
    EXPECT_EQ(state(), "button 1 3");
    SendKey(b, Qt::Key_Space, QEvent::KeyRelease);
    other->SetFocus();
    b->SetEnabled(false);
    EXPECT_EQ(state(), "button 1 4");
    form.hide();
    SetThemeServices(nullptr);
}

// ---------------------------------------------------------------- panel

TEST(PanelsCfPanel, TopBorderOfAThreePixelPen)
{
    TCfPanel p;
    p.SetBounds(0, 0, 100, 50);
    p.SetAdaptiveColors(false);
    p.SetColor(clRed);
    p.SetPanelBorders(boTop);
    TPen pen;
    pen.Width = 3;
    p.SetBorderPen(pen);
    EXPECT_EQ(p.BackgroundRect(), TRect(0, 3, 100, 50));
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(PixelAt(p, 50, y), clBlack) << y;
    EXPECT_EQ(PixelAt(p, 50, 3), clRed);
    EXPECT_EQ(PixelAt(p, 0, 20), clRed);
    EXPECT_EQ(PixelAt(p, 99, 20), clRed);
    EXPECT_EQ(PixelAt(p, 50, 49), clRed);
}

TEST(PanelsCfPanel, SchemeBackgroundAndFourBorders)
{
    TCfPanel p;
    p.SetBounds(0, 0, 100, 50);
    p.SetColorScheme(csBlue);
    EXPECT_EQ(PixelAt(p, 50, 25), TColor(0xFFEFE3));
    EXPECT_EQ(PixelAt(p, 0, 25), clBlack);
    EXPECT_EQ(PixelAt(p, 99, 25), clBlack);
    EXPECT_EQ(PixelAt(p, 50, 0), clBlack);
    EXPECT_EQ(PixelAt(p, 50, 49), clBlack);
    EXPECT_EQ(PixelAt(p, 1, 25), TColor(0xFFEFE3));
    // The main window's strip: button face, no scheme colours.
    p.SetAdaptiveColors(false);
    p.SetColor(clBtnFace);
    EXPECT_EQ(PixelAt(p, 50, 25), Rgb(clBtnFace));
}

TEST(PanelsCfPanel, GradientAndSeeThroughBackgrounds)
{
    TCfPanel parent;
    parent.SetBounds(0, 0, 200, 200);
    parent.SetAdaptiveColors(false);
    parent.SetColor(clRed);
    parent.SetPanelBorders(0);
    auto* p = new TCfPanel(&parent);
    p->SetBounds(20, 20, 100, 50);
    p->SetAdaptiveColors(false);
    p->SetColor(clBlue);
    p->SetBackgroundStyle(pbVertGradient);
    // From the window colour at the top (inside the 1-pixel border) to Color.
    EXPECT_EQ(PixelAt(*p, 50, 1), Rgb(clWindow));
    TColor bottom = PixelAt(*p, 50, 48);
    EXPECT_GT(GetBValue(bottom), 245);
    EXPECT_LT(GetRValue(bottom), 15);
    p->SetBackgroundStyle(pbHorzGradient);
    EXPECT_EQ(PixelAt(*p, 1, 25), Rgb(clWindow));
    EXPECT_LT(GetRValue(PixelAt(*p, 98, 25)), 15);
    p->SetBackgroundStyle(pbTransparent);
    p->SetPanelBorders(0);
    EXPECT_EQ(PixelAt(*p, 50, 25), clRed);
}

TEST(PanelsCfPanel, ChildrenAlignInsideTheInnerMargins)
{
    TCfPanel p;
    p.SetBounds(0, 0, 100, 50);
    auto* child = new TCfPanel(&p);
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), TRect(0, 0, 100, 50));
    TCfMargins m;
    m.SetMargins(5, 6, 7, 8);
    p.SetInnerMargins(m);
    EXPECT_EQ(child->BoundsRect(), TRect(5, 6, 93, 42));
    p.InnerMargins().SetLeft(10);
    EXPECT_EQ(child->BoundsRect(), TRect(10, 6, 93, 42));
}

TEST(PanelsCfPanel, AutoSizeKeepsCaptionAndMargins)
{
    TCfPanel p;
    p.SetBounds(0, 0, 10, 5);
    TCfMargins m;
    m.SetMargins(4, 3, 6, 2);
    p.SetInnerMargins(m);
    p.SetCaption("Satellites");
    p.SetAutoSize(true);
    TSize min = p.MinimumAutoSize();
    EXPECT_EQ(p.Width(), min.cx);
    EXPECT_EQ(p.Height(), min.cy);
    EXPECT_GT(min.cx, 4 + 6 + 2 + 20);
}

// ---------------------------------------------------------------- label

TEST(PanelsCfLabel, PositionsAroundTheAssociate)
{
    TCfPanel parent;
    parent.SetBounds(0, 0, 400, 200);
    auto* edit = new TCfPanel(&parent);
    edit->SetBounds(100, 50, 80, 20);
    auto* label = new TCfLabel(&parent);
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 30, 13);
    label->InnerMargins().SetHorizontal(4);
    label->SetAssociate(edit);
    // Defaults: left inside, top outside, vertical margin 2.
    EXPECT_EQ(label->BoundsRect(), Bounds(104, 35, 30, 13));

    struct Case {
        THorizontalPosition h;
        bool innerH;
        TVerticalPosition v;
        bool innerV;
        int x, y;
    } cases[] = {
        {hpLeft, true, vpTop, true, 104, 52},     {hpLeft, false, vpTop, false, 66, 35},
        {hpCenter, true, vpCenter, false, 125, 53}, {hpRight, true, vpBottom, true, 146, 59},
        {hpRight, false, vpBottom, false, 184, 72},
    };
    for (const Case& c : cases) {
        label->SetHorizontalPosition(c.h);
        label->SetInnerHorizontal(c.innerH);
        label->SetVerticalPosition(c.v);
        label->SetInnerVertical(c.innerV);
        EXPECT_EQ(label->Left(), c.x) << int(c.h) << c.innerH;
        EXPECT_EQ(label->Top(), c.y) << int(c.v) << c.innerV;
    }
}

TEST(PanelsCfLabel, FollowsItsAssociateAndStaysWhenItIsDestroyed)
{
    TForm parent;
    parent.SetBounds(0, 0, 400, 200);
    auto* edit = new TCfPanel(&parent);
    edit->SetBounds(100, 50, 80, 20);
    auto* label = new TCfLabel(&parent);
    parent.show();  // moves and resizes reach a shown control at once
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 30, 13);
    label->SetAssociate(label);  // refused
    EXPECT_EQ(label->Associate(), nullptr);
    label->SetAssociate(edit);
    EXPECT_EQ(label->BoundsRect(), Bounds(100, 35, 30, 13));
    edit->SetBounds(150, 100, 80, 20);
    EXPECT_EQ(label->BoundsRect(), Bounds(150, 85, 30, 13));
    label->SetVerticalPosition(vpBottom);
    edit->SetHeight(40);
    EXPECT_EQ(label->Top(), 142);
    delete edit;
    EXPECT_EQ(label->Associate(), nullptr);
    EXPECT_EQ(label->BoundsRect(), Bounds(150, 142, 30, 13));
    label->SetHorizontalPosition(hpRight);  // nothing to follow any more
    EXPECT_EQ(label->Left(), 150);
    parent.hide();
}

TEST(PanelsCfLabel, NewTextRepositionsARightAlignedLabel)
{
    TCfPanel parent;
    parent.SetBounds(0, 0, 400, 200);
    auto* edit = new TCfPanel(&parent);
    edit->SetBounds(100, 50, 80, 20);
    auto* label = new TCfLabel(&parent);
    label->SetCaption("Name");
    label->SetHorizontalPosition(hpRight);
    label->SetInnerHorizontal(false);
    label->SetAssociate(edit);
    EXPECT_EQ(label->Left(), 180);
    int w = label->Width();
    label->SetHorizontalPosition(hpLeft);
    label->SetCaption("A much longer name");
    EXPECT_GT(label->Width(), w);
    EXPECT_EQ(label->Left(), 100 - label->Width());  // left of the edit, outside
}

// ---------------------------------------------------------------- header panel

struct PanelsHeaderTest : ::testing::Test {
    TForm form;
    TCfHeaderPanel* panel = nullptr;
    int changes = 0;
    void SetUp() override
    {
        form.SetBounds(0, 0, 600, 400);
        panel = new TCfHeaderPanel(&form);
        panel->OnChange = [this](TCfHeaderPanel*) { ++changes; };
        form.show();
    }
    void TearDown() override { form.hide(); }
};

TEST_F(PanelsHeaderTest, CollapseAndExpandWidths)
{
    EXPECT_EQ(panel->Width(), 245);
    EXPECT_EQ(panel->ClientWidth(), 243);
    panel->SetExpanded(false);
    EXPECT_EQ(panel->Width(), 33);
    EXPECT_EQ(panel->FullWidth(), 245);
    panel->SetExpanded(true);
    EXPECT_EQ(panel->Width(), 245);
    EXPECT_EQ(changes, 2);
}

TEST_F(PanelsHeaderTest, ResizeBelow34CollapsesAndExpandsBackToAUsableWidth)
{
    panel->SetWidth(180);
    panel->SetWidth(20);
    EXPECT_FALSE(panel->Expanded());
    EXPECT_EQ(panel->Width(), 33);
    panel->SetExpanded(true);
    EXPECT_EQ(panel->Width(), 180);  // not the 20 that collapsed it
    EXPECT_EQ(changes, 2);
}

TEST_F(PanelsHeaderTest, ResizeTo34OrWiderExpandsAndRemembers)
{
    panel->SetExpanded(false);
    panel->SetWidth(34);
    EXPECT_TRUE(panel->Expanded());
    EXPECT_EQ(panel->FullWidth(), 34);
    panel->SetWidth(120);
    panel->SetExpanded(false);
    panel->SetExpanded(true);
    EXPECT_EQ(panel->Width(), 120);
}

TEST_F(PanelsHeaderTest, CollapsingANarrowPanelWidensItTo33)
{
    panel->BeginLoading();
    panel->SetWidth(30);
    panel->EndLoading();
    EXPECT_TRUE(panel->Expanded());
    panel->SetExpanded(false);
    EXPECT_EQ(panel->Width(), 33);
    panel->SetExpanded(true);
    EXPECT_EQ(panel->Width(), 245);  // the last usable width
}

TEST_F(PanelsHeaderTest, CollapseButtonAndBodyClick)
{
    panel->SetOptions(hoCollapseButton | hoClickOnBodyExpand);
    EXPECT_EQ(panel->CollapseButtonRect(), Bounds(243 - 21, 27 / 2 - 9, 18, 18));
    int headerClicks = 0;
    panel->OnHeaderClick = [&](TCfHeaderPanel*) { ++headerClicks; };
    SendMouse(*panel, QEvent::MouseMove, 230, 10);
    EXPECT_TRUE(panel->ButtonHot());
    Press(*panel, 230, 10);
    EXPECT_TRUE(panel->ButtonPressed());
    Release(*panel, 230, 10);
    EXPECT_FALSE(panel->Expanded());
    EXPECT_FALSE(panel->ButtonPressed());
    EXPECT_EQ(headerClicks, 0);
    // Collapsed: 31 client pixels, the button at 31 - 21.
    EXPECT_EQ(panel->CollapseButtonRect().Left, 10);
    Press(*panel, 15, 100);
    Release(*panel, 15, 100);
    EXPECT_TRUE(panel->Expanded());
    Press(*panel, 50, 10);
    Release(*panel, 50, 10);
    EXPECT_EQ(headerClicks, 1);
}

TEST_F(PanelsHeaderTest, ChildrenAlignBelowTheHeaderAndHeaderOnlyKeepsOneStrip)
{
    auto* child = new TCfPanel(panel);
    child->SetAlign(alClient);
    // Client 243 x 243; header 27; inner margins 9, 5, 8, 4.
    EXPECT_EQ(child->BoundsRect(), TRect(9, 32, 235, 239));
    panel->SetDisplayStyle(dsHeaderOnly);
    EXPECT_EQ(panel->ClientHeight(), 27);
    EXPECT_EQ(panel->Height(), 29);
}

TEST_F(PanelsHeaderTest, FlatHeaderAndSchemeBorder)
{
    panel->SetColorScheme(csBlue);
    panel->SetHeaderStyle(psFlat);
    panel->SetHeaderColor(clRed);
    panel->SetColor(clWhite);
    EXPECT_EQ(PixelAt(*panel, 0, 0), TColor(0xCF9365));
    EXPECT_EQ(PixelAt(*panel, 244, 100), TColor(0xCF9365));
    EXPECT_EQ(PixelAt(*panel, 200, 5), clRed);     // header, window (1, 1) is client (0, 0)
    EXPECT_EQ(PixelAt(*panel, 200, 27), clRed);    // last header row
    EXPECT_EQ(PixelAt(*panel, 200, 28), clWhite);  // body
    panel->SetAdaptiveColors(false);
    panel->SetBorderColor(clLime);
    EXPECT_EQ(PixelAt(*panel, 0, 0), clLime);
}

// ---------------------------------------------------------------- splitter

TEST(PanelsCfSplitter, DragResizesTheControlBeforeIt)
{
    TForm form;
    form.SetBounds(0, 0, 300, 100);
    auto* left = new TCfPanel(&form);
    left->SetBounds(0, 0, 100, 100);
    left->SetAlign(alLeft);
    auto* splitter = new TCfSplitter(&form);
    splitter->SetLeft(150);
    form.show();
    EXPECT_EQ(splitter->Width(), 9);
    EXPECT_EQ(splitter->Left(), 100);
    EXPECT_EQ(splitter->Height(), 100);
    ASSERT_EQ(splitter->ResizedControl(), left);
    int moved = 0;
    splitter->OnMoved = [&](TCfSplitter*) { ++moved; };

    TPoint down = splitter->ClientToScreen(TPoint(4, 50));
    Press(*splitter, 4, 50);
    TPoint o = splitter->ClientOrigin();
    SendMouse(*splitter, QEvent::MouseMove, down.X + 40 - o.X, 50);
    EXPECT_EQ(left->Width(), 140);
    EXPECT_EQ(splitter->Left(), 140);
    o = splitter->ClientOrigin();
    SendMouse(*splitter, QEvent::MouseMove, down.X - 95 - o.X, 50);
    EXPECT_EQ(left->Width(), 30);  // never below MinSize
    o = splitter->ClientOrigin();
    Release(*splitter, down.X - 95 - o.X, 50);
    EXPECT_EQ(moved, 1);
    form.hide();
}

TEST(PanelsCfSplitter, SchemePaint)
{
    TCfSplitter s;
    s.SetBounds(0, 0, 9, 60);
    s.SetColorScheme(csBlue);
    EXPECT_EQ(PixelAt(s, 0, 5), TColor(0xCF9365));
    EXPECT_EQ(PixelAt(s, 1, 5), clWhite);
    EXPECT_EQ(PixelAt(s, 8, 5), TColor(0xCF9365));
    EXPECT_EQ(PixelAt(s, 2, 5), TColor(0xFFEFE3));  // gradient start, index 22
    s.SetAdaptiveColors(false);
    s.Color = clRed;
    EXPECT_EQ(PixelAt(s, 2, 5), clWhite);
    s.SetAlign(alTop);
    s.SetBounds(0, 0, 60, 9);
    EXPECT_EQ(PixelAt(s, 5, 0), TColor(0xCF9365));
    EXPECT_EQ(PixelAt(s, 5, 1), clWhite);
    EXPECT_EQ(PixelAt(s, 5, 8), TColor(0xCF9365));
}

} // namespace

namespace {

// Relative luminance and contrast ratio as the accessibility guidelines
// define them: 4.5 is the least for ordinary text.
double Luminance(TColor c)
{
    c = Rgb(c);
    auto lin = [](int v) {
        double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(GetRValue(c)) + 0.7152 * lin(GetGValue(c)) + 0.0722 * lin(GetBValue(c));
}

double Contrast(TColor a, TColor b)
{
    double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

TEST_F(PanelsHeaderTest, EveryHeaderStyleKeepsItsCaptionReadable)
{
    // The caption "WWWW" from x = Indent 9, drawn without smoothing so its
    // pixels carry the caption colour itself; the header is client rows
    // 0..26, window rows 1..27 inside the 1 px border. The background is
    // read beside the caption (x = 200) on the caption's middle row.
    TFont f = panel->Font;
    f.Quality = TFontQuality::NonAntialiased;
    f.Style = 0;
    panel->SetHeaderFont(f);
    panel->SetCaption("WWWW");
    struct Case {
        TCfHeaderStyle style;
        const char* name;
        TColor caption;
        bool checkContrast;  // flat: the background is the caller's own HeaderColor
    };
    const TColor schemeCaption = SchemeColor(9, csDefault);
    const Case cases[] = {
        {psFlat, "flat", schemeCaption, false},
        {psNormal, "normal", schemeCaption, true},
        {psSectionHeader, "section header", clWhite, true},
        {psVista, "vista", clWhite, true},
        {psWindowsLive, "windows live", schemeCaption, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        panel->SetHeaderStyle(c.style);
        panel->Render();
        int inkPixels = 0;
        for (int y = 4; y < 25; ++y)
            for (int x = 1 + 9; x < 1 + 60; ++x)
                inkPixels += FromPixel(ReadPixel(panel->BackBuffer(), x, y)) == Rgb(c.caption);
        EXPECT_GT(inkPixels, 20);  // four W's worth of strokes in the caption colour
        TColor back = PixelAt(*panel, 200, 1 + 27 / 2);
        if (c.checkContrast) {
            EXPECT_GE(Contrast(Rgb(c.caption), back), 4.5) << std::hex << back;
        }
    }
}

TEST_F(PanelsHeaderTest, HeaderStylePixels)
{
    // Worked out from each style's drawing, on the header's client rows 0..26
    // (window rows 1..27, columns 1..243).
    panel->SetHeaderStyle(psNormal);
    EXPECT_EQ(PixelAt(*panel, 200, 1), clWhite);   // top line
    EXPECT_EQ(PixelAt(*panel, 1, 10), clWhite);    // left line
    EXPECT_EQ(PixelAt(*panel, 200, 27), Rgb(SchemeColor(13, csDefault)));  // bottom line
    EXPECT_EQ(PixelAt(*panel, 200, 2), Rgb(SchemeColor(12, csDefault)));   // gradient starts
    panel->SetHeaderStyle(psSectionHeader);        // unstyled, adaptive: a grey-text fill
    EXPECT_EQ(PixelAt(*panel, 200, 1), Rgb(clGrayText));
    EXPECT_EQ(PixelAt(*panel, 200, 27), Rgb(clGrayText));
    panel->SetAdaptiveColors(false);
    panel->SetHeaderColor(RGB(0, 0, 255));         // gradient to 170/255 toward black
    EXPECT_EQ(PixelAt(*panel, 200, 1), TColor(RGB(0, 0, 255)));
    panel->SetAdaptiveColors(true);
    panel->SetHeaderStyle(psWindowsLive);
    EXPECT_EQ(PixelAt(*panel, 200, 1), clWhite);                              // top line
    EXPECT_EQ(PixelAt(*panel, 200, 1 + 27 - 3), clWhite);                     // 2 above the bottom
    EXPECT_EQ(PixelAt(*panel, 200, 27), Rgb(SchemeColor(18, csDefault)));     // bottom line
    panel->SetHeaderStyle(psVista);
    EXPECT_EQ(PixelAt(*panel, 200, 27), clBlack);  // the glass leaves the lower rows black
}

TEST(PanelsCfButton, GlyphLayoutsPlaceGlyphAndCaption)
{
    // A 16 x 16 red glyph on a 75 x 23 button with "OK": x = 37 - 8 = 29 and
    // y = 11 - 8 = 3 before the layout moves it by half the text extent.
    QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas c(&scratch);
    TCfButton probe;
    c.Font = probe.Font;
    int tw = c.TextWidth("OK"), th = c.TextHeight("OK");
    struct Case {
        TCfButtonLayout layout;
        const char* name;
        int x, y;  // glyph top-left
    };
    const Case cases[] = {
        {TCfButtonLayout::blGlyphLeft, "left", 29 - tw / 2, 3},
        {TCfButtonLayout::blGlyphRight, "right", 29 + tw / 2, 3},
        {TCfButtonLayout::blGlyphTop, "top", 29, 3 - th / 2},
        {TCfButtonLayout::blGlyphBottom, "bottom", 29, 3 + th / 2},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TCfButton b;
        TBitmap red(16, 16, pf24bit);
        red.Canvas().FillRect(TRect(0, 0, 16, 16), clRed);
        b.SetGlyph(red);
        b.SetCaption("OK");
        b.SetLayout(k.layout);
        // Corners of the glyph that no frame line covers.
        EXPECT_EQ(PixelAt(b, k.x + 1, std::max(k.y, 2)), clRed);
        EXPECT_EQ(PixelAt(b, k.x + 14, std::min(k.y + 15, 20)), clRed);
        EXPECT_NE(PixelAt(b, k.x - 1, 11), clRed);
        EXPECT_NE(PixelAt(b, k.x + 16, 11), clRed);
    }
}
