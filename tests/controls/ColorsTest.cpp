#include "controls/CfSharedDraw.h"

#include "platform/Themes.h"

#include <gtest/gtest.h>

using namespace cf;

TEST(SharedDrawHtmlColorToColorTest, Table)
{
    struct Case {
        const char* text;
        TColor expected;
    } cases[] = {
        {"Red", 0x0000FF},
        {"red", 0x0000FF},
        {"#0000FF", 0xFF0000},
        {"#a0b0c0", 0xC0B0A0},
        {"transparent", 0xFFFFFF},
        {"LightGrey", 0xD3D3D3},
        {"lightgray", clNone},  // the table spells it "lightgrey" only
        {"darkslategray", 0x4F4F2F},
        {"banana", clNone},
        {"", clNone},
        {"#", clNone},
        {"#12345", clNone},
        {"#1234567", clNone},
        {"#GG0000", clNone},
        {"0000FF", clNone},
        {" red", clNone},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HtmlColorToColor(c.text), c.expected) << '"' << c.text << '"';
}

TEST(SharedDrawBlendColorTest, Table)
{
    struct Case {
        TColor a, b;
        int w;
        TColor expected;
    } cases[] = {
        {clWhite, clBlack, 255, 0xFEFEFE},  // 255 * 255 >> 8 = 254
        {clWhite, clBlack, 0, 0x000000},
        {clBlack, clWhite, 0, 0xFEFEFE},
        {clWhite, clWhite, 128, 0xFEFEFE},
        {RGB(100, 0, 0), RGB(0, 0, 200), 128, RGB(50, 0, 99)},  // 25600>>8, 25400>>8
        {RGB(10, 20, 30), RGB(10, 20, 30), 0, RGB(9, 19, 29)},
        {clWindow, clBlack, 255, 0xFEFEFE},  // system colours resolved first
        {clHighlight, clWindow, 80, RGB(190, 222, 254)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BlendColor(c.a, c.b, c.w), c.expected) << std::hex << c.a << " " << c.b << " " << std::dec << c.w;
}

TEST(SharedDrawBlendColorTest, RatioRoundsHalvesToEven)
{
    EXPECT_EQ(BlendColorRatio(clBlack, clWhite, 0.5), RGB(128, 128, 128));  // 127.5
    EXPECT_EQ(BlendColorRatio(RGB(0, 0, 0), RGB(1, 3, 5), 0.5), RGB(0, 2, 2));  // 0.5, 1.5, 2.5
    EXPECT_EQ(BlendColorRatio(RGB(10, 20, 30), RGB(200, 100, 0), 0.0), RGB(10, 20, 30));
    EXPECT_EQ(BlendColorRatio(RGB(10, 20, 30), RGB(200, 100, 0), 1.0), RGB(200, 100, 0));
    EXPECT_EQ(BlendColorRatio(clBlack, clWhite, 0.25), RGB(64, 64, 64));  // 63.75
    EXPECT_EQ(BlendColorRatio(clBtnFace, clBlack, 0.0), RGB(240, 240, 240));
}

TEST(SharedDrawBlendColorTest, AddToColorClamps)
{
    EXPECT_EQ(AddToColor(RGB(250, 5, 100), 10), RGB(255, 15, 110));
    EXPECT_EQ(AddToColor(RGB(250, 5, 100), -10), RGB(240, 0, 90));
    EXPECT_EQ(AddToColor(clWindow, -300), RGB(0, 0, 0));
}

namespace {
struct ActiveThemes : TThemeServices {
    bool Available() const override { return true; }
    bool Active() const override { return true; }
};
} // namespace

TEST(SharedDrawThemeAwareColorTest, BothTables)
{
    struct Case {
        int index;
        TColor unstyled, styled;
    } cases[] = {
        {0, RGB(190, 222, 254), RGB(255, 238, 194)},
        {1, cl3DLight, RGB(255, 213, 140)},
        {2, cl3DLight, RGB(255, 166, 76)},
        {3, RGB(0, 102, 204), RGB(0, 102, 204)},
        {5, RGB(255, 173, 85), RGB(255, 173, 85)},
        {8, RGB(254, 145, 178), RGB(254, 145, 78)},
        {10, clWindow, clInactiveCaptionText},
        {11, clBtnFace, BlendColor(clHighlight, clInactiveCaptionText, 132)},
        {12, clGrayText, RGB(127, 157, 185)},
        {13, clNone, clNone},
        {-1, clNone, clNone},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ThemeAwareColor(c.index), c.unstyled) << c.index;
    ActiveThemes styled;
    SetThemeServices(&styled);
    for (const Case& c : cases)
        EXPECT_EQ(ThemeAwareColor(c.index), c.styled) << c.index;
    SetThemeServices(nullptr);
}
