#include "PixelHelpers.h"

#include "platform/DrawText.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace cf;

namespace {

struct PlatformTextFixture : ::testing::Test {
    QImage img = WhiteImage(200, 60);
    TCanvas c{&img};
    int W(const std::string& s) { return c.TextWidth(s); }
    int H() { return c.TextHeight("Wg"); }
    TRect Calc(const std::string& s, TRect r, unsigned flags)
    {
        DrawText(c, s, r, flags | DT_CALCRECT);
        return r;
    }
    // What TextOut alone draws, on a fresh white image.
    QImage Reference(int x, int y, const std::string& s)
    {
        QImage ref = WhiteImage(img.width(), img.height());
        TCanvas rc(&ref);
        rc.Brush.Style = bsClear;
        rc.TextOut(x, y, s);
        return ref;
    }
};

} // namespace

TEST_F(PlatformTextFixture, CalcRectTable)
{
    const int h = H();
    struct Case {
        const char* text;
        int rectWidth;
        unsigned flags;
        int width;    // expected extent
        int height;
    } cases[] = {
        {"Hello", 200, DT_SINGLELINE, W("Hello"), h},
        {"&File", 200, DT_SINGLELINE, W("File"), h},
        {"a&&b", 200, DT_SINGLELINE, W("a&b"), h},
        {"&File", 200, DT_SINGLELINE | DT_NOPREFIX, W("&File"), h},
        {"x&", 200, DT_SINGLELINE, W("x"), h},
        {"one\r\ntwo\nthree", 200, 0, W("three"), 3 * h},
        {"one\r\ntwo", 200, DT_SINGLELINE, W("onetwo"), h},
        {"aaa aaa aaa", W("aaa aaa"), DT_WORDBREAK, W("aaa aaa"), 2 * h},
        {"aaa aaa aaa", W("aaa aaa") - 1, DT_WORDBREAK, W("aaa"), 3 * h},
        {"aaa  aaa\naaa", W("aaa  aaa"), DT_WORDBREAK, W("aaa  aaa"), 2 * h},
        {"aaa bbb ccc", 200, 0, W("aaa bbb ccc"), h},
        // a word wider than the rectangle stays whole, except for edit controls
        {"abcdefghij", 10, DT_WORDBREAK, W("abcdefghij"), h},
        {"", 200, DT_SINGLELINE, 0, 0},
    };
    for (const Case& k : cases) {
        TRect r = Calc(k.text, TRect(10, 5, 10 + k.rectWidth, 50), k.flags);
        EXPECT_EQ(r.Left, 10) << k.text;
        EXPECT_EQ(r.Top, 5) << k.text;
        EXPECT_EQ(r.Width(), k.width) << k.text;
        EXPECT_EQ(r.Height(), k.height) << k.text;
    }
    // Broken inside the word, every piece fits the rectangle.
    int wordW = W("abc");
    TRect r = Calc("abcdefghij", TRect(0, 0, wordW, 10), DT_WORDBREAK | DT_EDITCONTROL);
    EXPECT_LE(r.Width(), wordW);
    EXPECT_GE(r.Height(), 3 * h);
    // External leading adds the font's leading to every line.
    QFontMetrics fm(c.Font.ToQFont());
    TRect lead = Calc("a\nb", TRect(0, 0, 100, 10), DT_EXTERNALLEADING);
    EXPECT_EQ(lead.Height(), 2 * (h + fm.leading()));
}

TEST_F(PlatformTextFixture, VerticalAndHorizontalPlacement)
{
    const int h = H(), w = W("X");
    struct Case {
        unsigned flags;
        int x, y;  // where TextOut would put the same text
    } cases[] = {
        {DT_SINGLELINE, 0, 0},
        {DT_SINGLELINE | DT_VCENTER, 0, (40 - h) / 2},
        {DT_SINGLELINE | DT_BOTTOM, 0, 40 - h},
        {DT_SINGLELINE | DT_CENTER, (100 - w) / 2, 0},
        {DT_SINGLELINE | DT_RIGHT | DT_VCENTER, 100 - w, (40 - h) / 2},
        {DT_VCENTER, 0, 0},  // vertical centring needs a single line
    };
    for (const Case& k : cases) {
        img.fill(0xFFFFFFFFu);
        c.Brush.Style = bsClear;
        TRect r(0, 0, 100, 40);
        DrawText(c, "X", r, k.flags | DT_NOCLIP);
        EXPECT_EQ(img, Reference(k.x, k.y, "X")) << std::hex << k.flags;
    }
    TRect r(0, 0, 100, 40);
    EXPECT_EQ(DrawText(c, "X", r, DT_SINGLELINE | DT_VCENTER), (40 - h) / 2 + h);
    EXPECT_EQ(DrawText(c, "X\nY", r, 0), 2 * h);
}

TEST_F(PlatformTextFixture, EndEllipsisCutsToWhatFits)
{
    c.Brush.Style = bsClear;
    TRect r(0, 0, W("abcd..."), 20);
    DrawText(c, "abcdefghijkl", r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    EXPECT_EQ(img, Reference(0, 0, "abcd..."));
    // Text that fits is left alone.
    img.fill(0xFFFFFFFFu);
    r = TRect(0, 0, 200, 20);
    DrawText(c, "abc", r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    EXPECT_EQ(img, Reference(0, 0, "abc"));
    // Path ellipsis keeps the last part of the path.
    img.fill(0xFFFFFFFFu);
    r = TRect(0, 0, W("C:...\\file.txt"), 20);
    DrawText(c, "C:\\very\\long\\folder\\file.txt", r, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_NOCLIP);
    EXPECT_EQ(img, Reference(0, 0, "C:...\\file.txt"));
}

TEST_F(PlatformTextFixture, PrefixIsUnderlinedAndHidden)
{
    c.Brush.Style = bsClear;
    TRect r(0, 0, 200, 30);
    DrawText(c, "&File", r, DT_SINGLELINE | DT_NOCLIP);
    QImage ref = Reference(0, 0, "File");
    QFontMetrics fm(c.Font.ToQFont());
    int changed = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != ref.pixel(x, y)) {
                ++changed;
                EXPECT_LT(x, W("F"));
                EXPECT_GT(y, fm.ascent() - 1);
            }
    EXPECT_GT(changed, 0);

    img.fill(0xFFFFFFFFu);
    DrawText(c, "&File", r, DT_SINGLELINE | DT_NOCLIP | DT_HIDEPREFIX);
    EXPECT_EQ(img, Reference(0, 0, "File"));
    img.fill(0xFFFFFFFFu);
    DrawText(c, "&File", r, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    EXPECT_EQ(img, Reference(0, 0, "&File"));
}

TEST_F(PlatformTextFixture, ClipsToRectangleUnlessNoClip)
{
    c.Brush.Style = bsClear;
    TRect r(0, 0, 8, 30);
    DrawText(c, "WWWW", r, DT_SINGLELINE);
    EXPECT_LE(InkBox(img).Right, 8);
    img.fill(0xFFFFFFFFu);
    DrawText(c, "WWWW", r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(InkBox(img).Right, 8);
}

TEST_F(PlatformTextFixture, OpaqueBackgroundBehindEachLine)
{
    c.Brush.Color = clYellow;
    TRect r(0, 0, 200, 60);
    DrawText(c, "ab\nc", r, 0);
    const int h = H();
    EXPECT_EQ(Px(img, 0, 0), clYellow);
    EXPECT_EQ(Px(img, W("ab") - 1, h - 1), clYellow);
    EXPECT_EQ(Px(img, W("ab"), 0), clWhite);
    EXPECT_EQ(Px(img, W("c") + 1, h + 1), clWhite);
    EXPECT_EQ(Px(img, 0, 2 * h), clWhite);
}
