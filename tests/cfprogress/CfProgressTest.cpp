#include "controls/CfProgress.h"
#include "controls/ProgressBar.h"

#include "platform/Timer.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <cmath>

using namespace cf;

namespace {

int Round(double v) { return static_cast<int>(std::nearbyint(v)); }

TFont TestFont()
{
    RegisterProgramFonts();
    TFont f;
    f.Name = "Tahoma";
    f.SetHeight(-13);
    f.Color = clBlack;
    return f;
}

int TextHeight(const TFont& font, const std::string& s, bool bold = false)
{
    QImage img(1, 1, QImage::Format_RGB32);
    TCanvas c(&img);
    c.Font = font;
    if (bold)
        c.Font.Style |= fsBold;
    return c.TextHeight(s);
}

// Paints the component into a fresh image of the given client size.
QImage Render(TCfProgress& p, int w = 500, int h = 400)
{
    QImage img(w, h, QImage::Format_RGB32);
    TCanvas c(&img);
    p.Paint(c, w, h);
    return img;
}

bool IsBlack(const QImage& img, int x, int y) { return (img.pixel(x, y) & 0xFFFFFF) == 0; }

int DarkPixels(const QImage& img, int top, int bottom, int left = 0, int right = -1)
{
    if (right < 0)
        right = img.width();
    int n = 0;
    for (int y = std::max(0, top); y < std::min(bottom, img.height()); ++y)
        for (int x = left; x < right; ++x)
            n += qGray(img.pixel(x, y)) < 128;
    return n;
}

class CfProgressTest : public ::testing::Test {
protected:
    TCfProgress p;
    void SetUp() override
    {
        p.SetFont(TestFont());
        p.SetColor(clWhite);
    }
};

} // namespace

TEST(CfProgressDefaults, AsTheComponentComes)
{
    TCfProgress p;
    EXPECT_EQ(p.Caption(), "Window 98 Setup");
    EXPECT_EQ(p.Title(), "Windows is now setting up the follwing items:");
    EXPECT_EQ(p.Lines(), (std::vector<std::string>{"Importing old Tweak UI settings", "Introducing Tweak UI",
                                                   "System Configuration"}));
    EXPECT_EQ(p.Progress(), 0);
    EXPECT_EQ(p.Options(), poFixedImage);
    EXPECT_EQ(p.ImageIndex(), -1);
    EXPECT_EQ(p.ButtonWidth(), 75);
    EXPECT_EQ(p.OkCaption(), "Ok");
    EXPECT_EQ(p.CancelCaption(), "Cancel");
    EXPECT_EQ(p.Prompt(), "Press me");
    EXPECT_EQ(p.Color(), clBtnFace);
    EXPECT_EQ(p.Font().Name, "MS Sans Serif");
    EXPECT_EQ(p.Font().Size, 8);
    EXPECT_EQ(p.FormLeft(), 10);
    EXPECT_EQ(p.FormTop(), 10);
    EXPECT_EQ(p.FormWidth(), 320);
    EXPECT_EQ(p.FormHeight(), 240);
    EXPECT_EQ(p.OffsetX(), Round(1.5 * TextHeight(p.Font(), "ghX")));
    EXPECT_EQ(p.OffsetY(), p.OffsetX());
    EXPECT_FALSE(p.AutoSize());
    EXPECT_FALSE(p.AlwaysOnTop());
    EXPECT_EQ(p.AlphaBlendValue(), 255);
    EXPECT_EQ(p.AlphaDelayValue(), 25);
    EXPECT_FALSE(p.Visible());
}

TEST_F(CfProgressTest, ProgressIgnoresValuesBeyondTheList)
{
    p.SetLines({"a", "b", "c"});
    p.SetProgress(2);
    EXPECT_EQ(p.Progress(), 2);
    p.SetProgress(4);
    EXPECT_EQ(p.Progress(), 2);
    p.SetProgress(3);
    EXPECT_EQ(p.Progress(), 3);
    p.SetProgress(0);
    EXPECT_EQ(p.Progress(), 0);
}

TEST_F(CfProgressTest, CurrentStepIsBoldBehindAPointer)
{
    p.SetTitle("Chanforge is performing following tasks ");
    p.SetLines({"Processing services", "Processing services", "Filling List"});
    p.SetProgress(1);
    const TFont font = TestFont();
    const int f = TextHeight(font, "Processing services");
    QImage img = Render(p);
    // With a title the list starts two rows lower: step i at round((i + 2) * 1.5 f).
    const int y1 = Round(3 * 1.5 * f), y2 = Round(4 * 1.5 * f);
    const int mid1 = y1 + f / 2, mid2 = y2 + f / 2;
    EXPECT_TRUE(IsBlack(img, 18, mid1)) << "pointer of step 1";
    EXPECT_TRUE(IsBlack(img, 17, mid1 - 2));
    EXPECT_FALSE(IsBlack(img, 18, mid2)) << "no pointer at step 2";
    EXPECT_FALSE(IsBlack(img, 21, mid1)) << "the pointer ends at x0 + 20";
    // Same text, bold (wider) only for the current step.
    auto rightmost = [&](int top) {
        int r = -1;
        for (int x = 30; x < img.width(); ++x)
            if (DarkPixels(img, top, top + f, x, x + 1) > 0)
                r = x;
        return r;
    };
    EXPECT_GT(rightmost(y2), 30);
    EXPECT_GT(rightmost(y1), rightmost(y2));
    // Nothing is drawn between the title and the first step.
    EXPECT_EQ(DarkPixels(img, Round(1.5 * f) + f + 1, y1 - 1), 0);

    p.SetProgress(0);
    img = Render(p);
    EXPECT_FALSE(IsBlack(img, 18, mid1)) << "no pointer without a current step";
}

TEST_F(CfProgressTest, WithoutTitleTheFirstStepStandsAtOneAndAHalfLines)
{
    p.SetTitle("");
    p.SetLines({"Only step"});
    p.SetProgress(1);
    const int f = TextHeight(TestFont(), "Only step");
    QImage img = Render(p);
    const int y = Round(1.5 * f);
    EXPECT_TRUE(IsBlack(img, 18, y + f / 2));
    EXPECT_EQ(DarkPixels(img, 0, y), 0);
    EXPECT_GT(DarkPixels(img, y, y + f, 30), 0);
}

TEST_F(CfProgressTest, FixedPictureAtItsOffsetShiftsTheList)
{
    TCfImageList images;
    TBitmap red(12, 12, pf24bit);
    red.Canvas().FillRect(TRect(0, 0, 12, 12), clRed);
    images.Pictures = {red};
    images.DrawTransparent = false;
    p.SetImages(&images);
    p.SetOffsetX(20);
    p.SetOffsetY(20);
    p.SetTitle("Title");
    p.SetLines({"Step"});
    p.SetProgress(1);
    const TFont font = TestFont();
    const int M = Round(1.5 * TextHeight(font, "Title"));
    const int f = TextHeight(font, "Step");
    const int x0 = 12 + M;

    p.SetImageIndex(-1); // no picture drawn, the room stays
    QImage img = Render(p);
    EXPECT_EQ(img.pixel(25, 25) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_TRUE(IsBlack(img, x0 + 18, Round(3 * 1.5 * f) + f / 2));

    p.SetImageIndex(0);
    img = Render(p);
    EXPECT_EQ(img.pixel(25, 25) & 0xFFFFFF, 0xFF0000u) << "red picture at (OffsetX, OffsetY)";
    EXPECT_EQ(img.pixel(19, 19) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(img.pixel(32, 32) & 0xFFFFFF, 0xFFFFFFu);

    p.SetImageIndex(1); // beyond the list
    img = Render(p);
    EXPECT_EQ(img.pixel(25, 25) & 0xFFFFFF, 0xFFFFFFu);

    // Without poFixedImage the picture follows the step: step 1 has none here.
    p.SetImageIndex(0);
    p.SetOptions(0);
    img = Render(p);
    EXPECT_EQ(img.pixel(25, 25) & 0xFFFFFF, 0xFFFFFFu);
    p.SetProgress(0);
    img = Render(p);
    EXPECT_EQ(img.pixel(25, 25) & 0xFFFFFF, 0xFF0000u);
}

TEST_F(CfProgressTest, ApplicationOptionsShowNoButtonPromptOrConnector)
{
    p.SetOptions(poFixedImage | poModal);
    p.SetLines({"a"});
    p.SetProgress(1);
    EXPECT_FALSE(p.OkVisible());
    EXPECT_FALSE(p.CancelVisible());
    EXPECT_FALSE(p.EditVisible());
    QImage img = Render(p, 500, 400);
    // The lower part (where buttons, prompt and connector would be) is empty.
    EXPECT_EQ(DarkPixels(img, 200, 400), 0);
}

TEST_F(CfProgressTest, ButtonsConnectorAndPrompt)
{
    p.SetOptions(poShowButtons | poAllowCancel | poShowArrow | poShowPrompt);
    p.SetLines({"Step one"});
    p.SetProgress(1);
    p.SetPrompt("Go");
    const int w = 500, h = 400;
    QImage img = Render(p, w, h);
    const TRect ok = p.OkBounds();
    EXPECT_EQ(ok, Bounds(w - 75 - 20, h - TCfProgress::BarHeight - TCfProgress::ButtonHeight - 10, 75,
                         TCfProgress::ButtonHeight));
    EXPECT_EQ(p.CancelBounds(), Bounds(ok.Left - 75 - 10, ok.Top, 75, TCfProgress::ButtonHeight));
    EXPECT_TRUE(p.CancelVisible());
    const int hx = TextHeight(TestFont(), "X");
    const int column = w - (hx / 2 + 20);
    const int endY = ok.Top - Round(2.5 * hx); // with the prompt shown
    EXPECT_TRUE(IsBlack(img, column, endY - 10)) << "connector column";
    EXPECT_TRUE(IsBlack(img, column, endY - 2)) << "arrowhead";
    EXPECT_FALSE(IsBlack(img, column - 4, endY - 6 + 10));
    // The prompt, bold, right-aligned 20 pixels from the edge.
    EXPECT_GT(DarkPixels(img, ok.Top - 2 * hx, ok.Top - hx, w - 60, w - 20), 0);
    EXPECT_EQ(DarkPixels(img, ok.Top - 2 * hx, ok.Top - hx, w - 20, w), 0);

    p.SetProgress(0);
    img = Render(p, w, h);
    EXPECT_EQ(DarkPixels(img, 0, h, column - 1, column + 2), 0) << "no connector without a step";
}

TEST_F(CfProgressTest, ShowingTwiceDoesNothingAndTheMainWindowFollows)
{
    QWidget main;
    TCfProgress q(&main);
    q.SetOptions(poFixedImage | poDisableMainForm);
    q.SetVisible(true);
    EXPECT_TRUE(q.Visible());
    EXPECT_FALSE(main.isEnabled());
    q.SetVisible(true);
    EXPECT_TRUE(q.Visible());
    q.SetVisible(false);
    EXPECT_FALSE(q.Visible());
    EXPECT_TRUE(main.isEnabled());
    // Without the option the main window is left alone.
    q.SetOptions(poFixedImage);
    q.SetVisible(true);
    EXPECT_TRUE(main.isEnabled());
    q.SetVisible(false);
}

TEST_F(CfProgressTest, BarRepaintsAtMostOncePerInterval)
{
    TManualClock clock;
    SetClock(&clock);
    p.SetMin(0);
    p.SetMax(1000);
    p.SetFormWidth(300);
    p.SetVisible(true);
    ProcessMessages(); // the window is on screen
    TProgressBar* bar = p.Bar();
    ASSERT_NE(bar, nullptr);
    auto filled = [&] {
        const QImage& b = bar->BackBuffer();
        int n = 0;
        for (int x = 0; x < b.width(); ++x)
            n += b.pixel(x, b.height() / 2) != b.pixel(b.width() - 2, b.height() / 2);
        return n;
    };
    p.SetPosition(100); // first move paints
    const int first = filled();
    EXPECT_GT(first, 0);
    for (int i = 101; i <= 600; ++i)
        p.SetPosition(i); // within the same 30 ms: no repaint
    EXPECT_EQ(filled(), first);
    EXPECT_EQ(p.Position(), 600);
    clock.Advance(30);
    p.SetPosition(601);
    EXPECT_GT(filled(), first * 4);
    p.SetVisible(false);
    SetClock(nullptr);
}

TEST(CfProgressForm, TheUserCannotCloseIt)
{
    TCfProgress p;
    p.SetVisible(true);
    p.Form()->Close();
    ProcessMessages();
    EXPECT_TRUE(p.Visible());
    p.SetVisible(false);
    EXPECT_FALSE(p.Visible());
}

TEST(CfProgressForm, AFormDestroyedElsewhereIsForgotten)
{
    TCfProgress p;
    delete p.Form();
    EXPECT_EQ(p.Form(), nullptr);
    p.SetCaption("x");
    p.SetFormLeft(50);
    p.SetPosition(5);
    p.SetVisible(true);
    EXPECT_FALSE(p.Visible());
    EXPECT_EQ(p.Color(), clBtnFace);
    EXPECT_EQ(p.Caption(), "");
    EXPECT_EQ(p.Bar(), nullptr);
}

namespace {

// Moves on at each wait of a fade instead of sleeping, and notes the opacity
// the window has then; a fade that would never end is cut short.
class FadeClock : public TManualClock {
public:
    QWidget* window = nullptr;
    std::vector<int> applied;
    int waitedMs = 0;
    void Sleep(int ms) override
    {
        applied.push_back(Round(window->windowOpacity() * 255));
        waitedMs += ms;
        if (applied.size() > 1000)
            throw std::runtime_error("the fade never ends");
        TManualClock::Sleep(ms);
    }
};

} // namespace

TEST(CfProgressFade, StepsTowardItsTargetAndStopsThere)
{
    // Opacities are applied only when divisible by 4, one wait after each,
    // then the end value is set.
    struct Case {
        const char* what;
        int before;  // opacity before the fade (255, or faded out to it)
        int blend;   // AlphaBlendValue during the fade
        bool in;
        int first, last, count, end;
    };
    const Case cases[] = {
        {"fade-out from opaque", 255, 100, false, 252, 104, 38, 100},
        {"fade-out below a value raised meanwhile", 100, 200, false, 100, 196, 25, 200},
        {"fade-in", 100, 100, true, 100, 252, 39, 255},
        {"fade-out already there", 100, 100, false, 0, 0, 0, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TCfProgress p;
        p.SetOptions(poAnimate);
        p.SetAlphaDelayValue(25);
        p.SetVisible(true);
        ASSERT_NE(p.Form(), nullptr);
        p.Form()->FadeArmed = false; // only the calls below fade
        FadeClock clock;
        clock.window = p.Form();
        SetClock(&clock);
        if (c.before != 255) {
            p.SetAlphaBlendValue(static_cast<std::uint8_t>(c.before));
            p.Fade(false);
        }
        clock.applied.clear();
        clock.waitedMs = 0;
        p.SetAlphaBlendValue(static_cast<std::uint8_t>(c.blend));
        EXPECT_NO_THROW(p.Fade(c.in));
        SetClock(nullptr);
        ASSERT_EQ(static_cast<int>(clock.applied.size()), c.count);
        EXPECT_EQ(clock.waitedMs, 25 * c.count);
        if (c.count > 0) {
            // The window keeps its opacity as a byte: allow one step of rounding.
            EXPECT_NEAR(clock.applied.front(), c.first, 1);
            EXPECT_NEAR(clock.applied.back(), c.last, 1);
        }
        EXPECT_NEAR(Round(p.Form()->windowOpacity() * 255), c.end, 1);
        p.SetVisible(false);
    }
}
