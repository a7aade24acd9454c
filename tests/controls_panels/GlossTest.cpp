#include "PanelTestHelpers.h"

#include "controls/GlossButton.h"
#include "controls/GlossPanel.h"
#include "platform/Forms.h"

#include <gtest/gtest.h>

using namespace cf;

namespace {

// ---------------------------------------------------------------- panel

TEST(PanelsGlossPanel, SilverGradientAndRaisedBevel)
{
    TGlossPanel p;
    p.SetColorScheme(TGlossPanelScheme::csSilver);
    p.SetBounds(0, 0, 100, 100);
    EXPECT_EQ(p.ColorFace(), clWhite);
    EXPECT_EQ(p.ColorDark(), TColor(0x626262));
    // Raised: light on top and left, dark on bottom and right; the top-right
    // and bottom-left corners belong to the dark side.
    EXPECT_EQ(PixelAt(p, 50, 0), TColor(0x7D7D7D));
    EXPECT_EQ(PixelAt(p, 0, 50), TColor(0x7D7D7D));
    EXPECT_EQ(PixelAt(p, 99, 50), TColor(0x626262));
    EXPECT_EQ(PixelAt(p, 50, 99), TColor(0x626262));
    EXPECT_EQ(PixelAt(p, 99, 0), TColor(0x626262));
    EXPECT_EQ(PixelAt(p, 0, 99), TColor(0x626262));
    // White to 0xDAE0DE over 100 rows, each channel rounded per row (halves to even).
    EXPECT_EQ(PixelAt(p, 50, 1), clWhite);
    EXPECT_EQ(PixelAt(p, 50, 50), RGB(238, 240, 236));
    EXPECT_EQ(PixelAt(p, 50, 98), RGB(223, 225, 219));
}

TEST(PanelsGlossPanel, EverySchemeSetsItsColours)
{
    struct Row {
        TGlossPanelScheme s;
        TColor dark, grad, light;
    } rows[] = {
        {TGlossPanelScheme::csDesert, 0x00699B, 0xA4E1FF, 0x008FD5},
        {TGlossPanelScheme::csGrass, 0x156F37, 0xB0F2CB, 0x3EB56A},
        {TGlossPanelScheme::csSilver, 0x626262, 0xDAE0DE, 0x7D7D7D},
        {TGlossPanelScheme::csSky, 0xB35900, 0xFFE0C1, 0xF0964D},
        {TGlossPanelScheme::csRose, 0x00009D, 0xCCCCFF, 0x0651CC},
        {TGlossPanelScheme::csSun, 0x006464, 0xBFFFFF, 0x009595},
    };
    for (const Row& r : rows) {
        TGlossPanel p;
        p.SetBounds(0, 0, 40, 201);
        p.SetColorScheme(r.s);
        EXPECT_EQ(PixelAt(p, 20, 0), r.light);
        EXPECT_EQ(PixelAt(p, 39, 100), r.dark);
        EXPECT_EQ(PixelAt(p, 20, 1), clWhite);
        // Row 200 of 201 is one step short of the end colour.
        TColor last = PixelAt(p, 20, 199);
        EXPECT_NEAR(GetRValue(last), GetRValue(r.grad), 3);
        EXPECT_NEAR(GetGValue(last), GetGValue(r.grad), 3);
        EXPECT_NEAR(GetBValue(last), GetBValue(r.grad), 3);
    }
}

TEST(PanelsGlossPanel, DefaultSchemeAndCustomColours)
{
    TGlossPanel p;
    EXPECT_EQ(p.ColorScheme(), TGlossPanelScheme::csDesert);
    EXPECT_EQ(p.FillDirection(), fdVertical);
    p.SetColorScheme(TGlossPanelScheme::csSky);
    p.SetColorScheme(TGlossPanelScheme::csCustom);  // keeps the sky colours
    EXPECT_EQ(p.ColorGrad(), TColor(0xFFE0C1));
    EXPECT_EQ(p.ColorDark(), TColor(0xB35900));
    p.SetColorScheme(TGlossPanelScheme::csGrass);
    p.SetColorLight(clRed);
    EXPECT_EQ(p.ColorScheme(), TGlossPanelScheme::csCustom);
    EXPECT_EQ(p.ColorGrad(), TColor(0xB0F2CB));
}

TEST(PanelsGlossPanel, HorizontalFillAndLoweredDoubleBevel)
{
    TGlossPanel p;
    p.SetBounds(0, 0, 100, 30);
    p.SetColorScheme(TGlossPanelScheme::csSilver);
    p.SetFillDirection(fdHorizontal);
    p.SetBevelOuter(bvLowered);
    p.SetBevelWidth(2);
    // Columns change, rows do not.
    EXPECT_EQ(PixelAt(p, 50, 10), RGB(238, 240, 236));
    EXPECT_EQ(PixelAt(p, 50, 20), RGB(238, 240, 236));
    // Lowered: dark on top and left, two pixels deep.
    EXPECT_EQ(PixelAt(p, 50, 0), TColor(0x626262));
    EXPECT_EQ(PixelAt(p, 50, 1), TColor(0x626262));
    EXPECT_EQ(PixelAt(p, 99, 10), TColor(0x7D7D7D));
    EXPECT_EQ(PixelAt(p, 98, 10), TColor(0x7D7D7D));
    // Inner bevel one bevel width further in.
    p.SetBevelInner(bvRaised);
    EXPECT_EQ(PixelAt(p, 50, 2), TColor(0x7D7D7D));
    EXPECT_EQ(PixelAt(p, 96, 10), TColor(0x626262));
}

// ---------------------------------------------------------------- button

struct StateColours {
    TColor face, dark, light, border;
};

StateColours Probe(TGlossButton& b)
{
    // Empty caption; the probe points lie off any text.
    return {PixelAt(b, 10, 5), PixelAt(b, 73, 12), PixelAt(b, 1, 12), PixelAt(b, 0, 12)};
}

TEST(PanelsGlossButton, SilverColoursPerState)
{
    TForm form;
    form.SetBounds(0, 0, 200, 100);
    auto* b = new TGlossButton(&form);
    b->SetColorScheme(TGlossButtonScheme::csSilver);
    ASSERT_EQ(b->Width(), 75);
    ASSERT_EQ(b->Height(), 25);
    struct {
        const char* state;
        std::function<void()> enter;
        StateColours expected;
    } cases[] = {
        {"normal", [] {}, {0xE0E0E0, 0xAEAEAE, 0xF7F7F7, 0x626262}},
        {"hot", [&] { b->MouseEnter(); }, {0xCFCFCF, 0x797979, 0xEEEEEE, 0x757575}},
        {"pressed", [&] { Press(*b, 10, 10); }, {0xD3D3D3, 0xE9E9E9, 0x7C7C7C, 0x4E4E4E}},
        {"disabled", [&] { b->SetEnabled(false); }, {0xE2E2E2, 0xD8D8D8, 0xEAEAEA, 0xC4C4C4}},
    };
    for (auto& c : cases) {
        c.enter();
        StateColours got = Probe(*b);
        EXPECT_EQ(got.face, c.expected.face) << c.state;
        EXPECT_EQ(got.dark, c.expected.dark) << c.state;
        EXPECT_EQ(got.light, c.expected.light) << c.state;
        EXPECT_EQ(got.border, c.expected.border) << c.state;
    }
    // Disabled wins whatever the state.
    b->MouseEnter();
    EXPECT_EQ(Probe(*b).face, TColor(0xE2E2E2));
}

TEST(PanelsGlossButton, EverySchemePaintsItsOwnColours)
{
    using S = TGlossButtonScheme;
    for (int i = 0; i <= int(S::csSilver); ++i) {
        TGlossButton b;
        b.SetColorScheme(S(i));
        bool neo = i <= int(S::csNeoSun);
        b.SetGradient(neo);
        StateColours c = Probe(b);
        EXPECT_EQ(c.border, b.ColorBorder()) << i;
        EXPECT_EQ(c.light, b.ColorLight()) << i;
        EXPECT_EQ(c.dark, b.ColorDark()) << i;
        EXPECT_EQ(b.ColorText(), clBlack) << i;
        EXPECT_EQ(b.DisabledColorText(), TColor(0x808080)) << i;
        EXPECT_EQ(b.DisabledColorFace(), neo ? TColor(0xEEEEEE) : TColor(0xE2E2E2)) << i;
        EXPECT_EQ(b.ColorScheme(), S(i)) << i;
        if (!neo) {
            EXPECT_EQ(c.face, b.ColorFace()) << i;
        }
        // The three state looks differ from each other in every scheme.
        EXPECT_NE(b.ColorFace(), b.OverColorFace()) << i;
        EXPECT_NE(b.OverColorBorder(), b.DownColorDark()) << i;
    }
}

TEST(PanelsGlossButton, NeoSilverGradientAndSkyTable)
{
    TGlossButton b;
    b.SetColorScheme(TGlossButtonScheme::csNeoSilver);
    b.SetGradient(true);
    // 0xF3 to 0xBC over 25 rows: row 12 is 243 - 55 * 12 / 25 = 216.6.
    EXPECT_EQ(PixelAt(b, 10, 12), RGB(217, 217, 217));
    EXPECT_EQ(PixelAt(b, 10, 2), RGB(239, 239, 239));  // 243 - 4.4
    EXPECT_EQ(b.ColorFocusRect(), TColor(0xADADAD));

    b.SetColorScheme(TGlossButtonScheme::csSky);
    EXPECT_EQ(b.ColorFace(), TColor(0xFFE0C1));
    EXPECT_EQ(b.ColorDark(), TColor(0xFFA953));
    EXPECT_EQ(b.ColorLight(), TColor(0xFFECD9));
    EXPECT_EQ(b.ColorBorder(), TColor(0xB35900));
    EXPECT_EQ(b.ColorFocusRect(), TColor(0xDC9B14));
}

TEST(PanelsGlossButton, CreationDefaultsAndCustomColours)
{
    TGlossButton b;
    EXPECT_EQ(b.ColorScheme(), TGlossButtonScheme::csNeoDesert);
    EXPECT_EQ(b.OverColorGrad(), clWhite);
    EXPECT_EQ(b.DownColorGrad(), clWhite);
    EXPECT_EQ(b.DisabledColorGrad(), clWhite);
    EXPECT_FALSE(b.Gradient());
    EXPECT_TRUE(b.TransparentGlyph());
    EXPECT_EQ(b.Spacing(), 4);
    EXPECT_TRUE(b.TabStop());
    b.SetOverColorFace(clRed);
    EXPECT_EQ(b.ColorScheme(), TGlossButtonScheme::csCustom);
}

TEST(PanelsGlossButton, PressOutsideDoesNotClickAndReleaseInsideDoes)
{
    TForm form;
    form.SetBounds(0, 0, 200, 100);
    auto* b = new TGlossButton(&form);
    b->ModalResult = mrYes;
    int clicks = 0;
    b->OnClick = [&](TControl*) { ++clicks; };
    Press(*b, 10, 10);
    EXPECT_EQ(b->State(), TGlossState::gsPressed);
    Release(*b, 200, 200);
    EXPECT_EQ(b->State(), TGlossState::gsNormal);
    EXPECT_EQ(clicks, 0);
    Press(*b, 10, 10);
    Release(*b, 10, 10);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(b->State(), TGlossState::gsNormal);
    EXPECT_EQ(form.ModalResult(), mrYes);
}

TEST(PanelsGlossButton, KeysAndFocusRectangle)
{
    TForm form;
    form.SetBounds(0, 0, 300, 100);
    auto* a = new TGlossButton(&form);
    auto* b = new TGlossButton(&form);
    a->SetBounds(0, 0, 75, 25);
    b->SetBounds(100, 0, 75, 25);
    a->SetColorScheme(TGlossButtonScheme::csSilver);
    b->SetColorScheme(TGlossButtonScheme::csSilver);
    a->SetDefault(true);
    std::vector<std::string> log;
    a->OnClick = [&](TControl*) { log.push_back("a"); };
    b->OnClick = [&](TControl*) { log.push_back("b"); };
    ShowActive(form);
    b->SetFocus();
    ASSERT_TRUE(b->Focused());
    // Focus rectangle 3 pixels in, in the scheme's colour.
    EXPECT_EQ(PixelAt(*b, 3, 12), TColor(0x8A8A8A));
    EXPECT_EQ(PixelAt(*b, 4, 12), TColor(0xE0E0E0));
    EXPECT_EQ(PixelAt(*a, 3, 12), TColor(0xE0E0E0));
    // Enter on the focused button presses it, not the default one.
    SendKey(b, Qt::Key_Return);
    SendKey(b, Qt::Key_Space);
    EXPECT_EQ(b->State(), TGlossState::gsPressed);
    SendKey(b, Qt::Key_Space, QEvent::KeyRelease);
    EXPECT_EQ(log, (std::vector<std::string>{"b", "b"}));
    form.hide();
}

} // namespace

namespace {

TEST(PanelsGlossButton, GlyphBesideCaptionMovesWhenPressed)
{
    TGlossButton b;
    b.SetColorScheme(TGlossButtonScheme::csSilver);
    TBitmap g(16, 16, pf24bit);
    g.Canvas().FillRect(TRect(0, 0, 16, 16), clRed);
    g.Canvas().SetPixel(0, 0, clLime);  // the top-left pixel names the transparent colour
    g.Canvas().SetPixel(5, 5, clLime);
    b.SetGlyph(g);
    b.SetCaption("OK");
    QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas c(&scratch);
    c.Font = b.Font;
    int left = (75 - (16 + 4 + c.TextWidth("OK"))) / 2;
    int top = (25 - 16) / 2;
    EXPECT_EQ(PixelAt(b, left + 1, top + 1), clRed);
    EXPECT_EQ(PixelAt(b, left + 5, top + 5), TColor(0xE0E0E0));  // see-through
    EXPECT_EQ(PixelAt(b, left - 1, top + 1), TColor(0xE0E0E0));
    b.SetTransparentGlyph(false);
    EXPECT_EQ(PixelAt(b, left + 5, top + 5), clLime);
    b.SetTransparentGlyph(true);
    Press(b, 5, 5);
    EXPECT_EQ(PixelAt(b, left + 1, top + 1), TColor(0xD3D3D3));  // moved one pixel right and down
    EXPECT_EQ(PixelAt(b, left + 2, top + 2), clRed);
}

} // namespace
