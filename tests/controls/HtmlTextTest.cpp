#include "platform/PixelHelpers.h"

#include "controls/CfSharedDraw.h"

#include <gtest/gtest.h>

using namespace cf;

namespace {

struct SharedDrawHtmlFixture : ::testing::Test {
    QImage img = WhiteImage(300, 100);
    TCanvas c{&img};
    TRect rect{10, 5, 290, 95};

    THtmlResult Measure(const std::string& text, TPoint hit = {-1, -1}, TPoint offset = {0, 0})
    {
        THtmlResult r;
        DrawHtmlText(c, rect, text, r, false, offset, hit);
        return r;
    }
    int W(const std::string& s, TFontStyles style = 0, int size = 8)
    {
        TFont saved = c.Font;
        c.Font.Style = style;
        c.Font.Size = size;
        int w = c.TextWidth(s);
        c.Font = saved;
        return w;
    }
    int H(int size = 8)
    {
        TFont saved = c.Font;
        c.Font.Size = size;
        int h = c.TextHeight("x");
        c.Font = saved;
        return h;
    }
};

} // namespace

TEST_F(SharedDrawHtmlFixture, MeasuresRunsAndTags)
{
    struct Case {
        const char* text;
        int maxX;    // relative to rect.Left
        int height;
    } cases[] = {
        {"abc", W("abc"), H()},
        {"<b>ab</b>cd", W("ab", fsBold) + W("cd"), H()},
        {"<p>x</p>y", W("xy"), H()},  // unknown tags are skipped, same line
        {"<i>x</i>", W("x", fsItalic), H()},
        {"a<br>bbbb", W("bbbb"), 2 * H()},
        {"a<BR>b<br/>c", W("a"), 3 * H()},
        // the height counts the last run only: "B" in the plain font
        {"<font size=16>A</font>B", W("A", 0, 16) + W("B"), H()},
        {"B<font size=16>A</font>", W("B") + W("A", 0, 16), H()},
        {"B<font size=16>A", W("B") + W("A", 0, 16), H(16)},
        {"", 0, H()},
    };
    for (const Case& k : cases) {
        THtmlResult r = Measure(k.text);
        EXPECT_EQ(r.MaxX - rect.Left, k.maxX) << k.text;
        EXPECT_EQ(r.Height, k.height) << k.text;
        EXPECT_EQ(r.Href, "") << k.text;
    }
    // The offset moves the start.
    EXPECT_EQ(Measure("abc", {-1, -1}, {5, 3}).MaxX, rect.Left + 5 + W("abc"));
    EXPECT_EQ(Measure("abc", {-1, -1}, {5, 3}).Height, H() + 3);
}

TEST_F(SharedDrawHtmlFixture, HitTestsLinks)
{
    const std::string text = "go <a href=\"http://example.invalid/x y\">here</a> now";
    const int linkLeft = rect.Left + W("go ");
    const int linkRight = linkLeft + W("here", fsUnderline);
    EXPECT_EQ(Measure(text, {linkLeft + 1, rect.Top + 2}).Href, "http://example.invalid/x y");
    EXPECT_EQ(Measure(text, {linkRight - 1, rect.Top + H() - 1}).Href, "http://example.invalid/x y");
    EXPECT_EQ(Measure(text, {linkRight + 2, rect.Top + 2}).Href, "");
    EXPECT_EQ(Measure(text, {rect.Left + 1, rect.Top + 2}).Href, "");
    EXPECT_EQ(Measure(text, {linkLeft + 1, rect.Top + H() + 1}).Href, "");

    // A link broken by <br> is only hit on the line where it ends.
    const std::string two = "<a href=x>one<br>two</a>";
    EXPECT_EQ(Measure(two, {rect.Left + 1, rect.Top + H() + 1}).Href, "x");
    EXPECT_EQ(Measure(two, {rect.Left + 1, rect.Top + 1}).Href, "");
}

TEST_F(SharedDrawHtmlFixture, DrawsColoursAndLinksAndRestoresTheFont)
{
    THtmlResult r;
    DrawHtmlText(c, rect, "<font color=\"#FF0000\" size=20><b>X</b></font><a href=y>link</a>", r, true);
    int red = 0, blue = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            red += Px(img, x, y) == RGB(255, 0, 0);
            blue += Px(img, x, y) == RGB(0, 0, 255);
        }
    EXPECT_GT(red, 20);
    EXPECT_GT(blue, 5);
    TRect ink = InkBox(img);
    EXPECT_GE(ink.Left, rect.Left);
    EXPECT_GE(ink.Top, rect.Top);
    EXPECT_EQ(c.Font, TFont());  // the canvas font is given back
    EXPECT_EQ(c.Brush.Style, bsSolid);
}

TEST_F(SharedDrawHtmlFixture, ClosingTagGivesBackTheFontBeforeItsOpeningTag)
{
    // After </font> the text is in the font from before <font ...>, so its
    // width is the plain one.
    THtmlResult r = Measure("<font size=20 color=red>A</font>BBBB");
    EXPECT_EQ(r.MaxX - rect.Left, W("A", 0, 20) + W("BBBB"));
}

TEST_F(SharedDrawHtmlFixture, UntrustedTextNeverBreaksIt)
{
    struct Case {
        const char* text;
        const char* same;  // measures like this plain text
    } cases[] = {
        {"</b></font></a>x", "x"},                         // unmatched closing tags
        {"<font size=abc>x</font>", "x"},                  // non-numeric size
        {"<font size=99999>x</font>", "x"},                // absurd size
        {"<font size=-4>x</font>", "x"},
        {"<font size=12px>x</font>", "x"},
        {"<font color=banana>x</font>", "x"},              // bad colour
        {"<font color=\"#12\">x</font>", "x"},
        {"<font name=>x</font>", "x"},
        {"<font name=NoSuchFamily4711>x</font>", "x"},     // not installed: font kept
        {"<font color=\"red>x", ""},                        // quote never closed
        {"x<b", "x"},                                      // tag never closed
        {"x<", "x"},
        {"<>x", "x"},
        {"< b>x", "x"},
        {"<b><i>x</b></i>", nullptr},
        {"<a href=\"\" href=>x</a>", nullptr},
        {"<font ===>x</font>", "x"},
        {"<font color=\"\"\"\">x</font>", "x"},
    };
    for (const Case& k : cases) {
        THtmlResult r;
        EXPECT_NO_THROW(r = Measure(k.text)) << k.text;
        if (k.same) {
            EXPECT_EQ(r.MaxX, Measure(k.same).MaxX) << k.text;
        }
        THtmlResult d;
        EXPECT_NO_THROW(DrawHtmlText(c, rect, k.text, d, true)) << k.text;
    }
    // A long run of opening tags is just a deep stack.
    std::string deep;
    for (int i = 0; i < 5000; ++i)
        deep += "<b><font color=red>";
    deep += "x";
    EXPECT_EQ(Measure(deep).MaxX - rect.Left, W("x", fsBold));
}
