#include "controls/CfThemesSupport.h"

#include "platform/Themes.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace cf;

TEST(SharedDrawSchemeColorTest, Table)
{
    struct Case {
        int index;
        TColorScheme scheme;
        TColor expected;
    } cases[] = {
        {3, csDefault, 0xFFEFE3},  // the default scheme is csBlue
        {3, csBlue, 0xFFEFE3},
        {2, csBlack, 0x5C534C},
        {5, csBlack, 0x3C8CFB},
        {5, csBlue, 0x000000},
        {9, csBlue, 0x8B4215},
        {9, csBlack, 0x000000},
        {13, csBlack, 0xB6ADA7},
        {14, csBlue2010, 0xF0CDA7},
        {3, csBlack2010, 0x858585},
        {18, csSilver, 0xC2B7B2},
        {22, csSilver2010, 0xBFA7A8},
        {23, csSilver, 0x977778},
        {23, csBlack, 0xCEC8C4},
        {12, csDefault, 0xFFEFE3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SchemeColor(c.index, c.scheme), c.expected) << c.index << " " << int(c.scheme);
    for (int s = 0; s < SchemeCount; ++s)
        EXPECT_EQ(SchemeColor(0, TColorScheme(s)), 0u) << s;
    EXPECT_EQ(DefaultColorScheme(), csBlue);
}

TEST(SharedDrawSchemeColorTest, NeverReadsOutsideThePalette)
{
    // Indexes and scheme numbers past the table give black instead of
    // whatever lies behind it.
    EXPECT_EQ(SchemeColor(24, csBlue), 0u);
    EXPECT_EQ(SchemeColor(127, csBlack2010), 0u);
    EXPECT_EQ(SchemeColor(-1, csBlue), 0u);
    EXPECT_EQ(SchemeColor(3, TColorScheme(7)), 0u);
    EXPECT_EQ(SchemeColor(3, TColorScheme(127)), 0u);
    EXPECT_EQ(SchemeColor(3, TColorScheme(255)), 0u);
}

TEST(SharedDrawHtmlColorNamesTest, TableShape)
{
    ASSERT_EQ(HtmlColorNames.size(), 141u);
    EXPECT_STREQ(HtmlColorNames[0].first, "transparent");
    EXPECT_STREQ(HtmlColorNames[0].second, "#FFFFFF");
    int grey = 0;
    for (size_t i = 0; i < HtmlColorNames.size(); ++i) {
        const char* name = HtmlColorNames[i].first;
        const char* value = HtmlColorNames[i].second;
        ASSERT_NE(name, nullptr) << i;
        ASSERT_NE(value, nullptr) << i;
        EXPECT_EQ(std::strlen(value), 7u) << name;
        EXPECT_EQ(value[0], '#') << name;
        for (const char* p = name; *p; ++p)
            EXPECT_TRUE(*p >= 'a' && *p <= 'z') << name;
        if (i > 1) {
            EXPECT_LT(std::strcmp(HtmlColorNames[i - 1].first, name), 0) << name;
        }
        if (std::strstr(name, "grey"))
            ++grey;
    }
    EXPECT_EQ(grey, 1);  // only lightgrey
    auto find = [](const char* n) {
        for (auto& [k, v] : HtmlColorNames)
            if (std::strcmp(k, n) == 0)
                return std::string(v);
        return std::string();
    };
    EXPECT_EQ(find("aliceblue"), "#F0F8FF");
    EXPECT_EQ(find("red"), "#FF0000");
    EXPECT_EQ(find("navy"), "#000080");
    EXPECT_EQ(find("darkslategray"), "#2F4F4F");
    EXPECT_EQ(find("lightgrey"), "#D3D3D3");
    EXPECT_EQ(find("yellowgreen"), "#9ACD32");
    EXPECT_EQ(find("rebeccapurple"), "");
}

namespace {

class FakeThemes : public TThemeServices {
public:
    bool active = true;
    bool throws = false;
    int drawn = 0;
    bool Available() const override { return true; }
    bool Active() const override
    {
        if (throws)
            throw std::runtime_error("broken");
        return active;
    }
    bool DrawPart(TCanvas& c, const TRect&, const std::string& cls, int part, int state) override
    {
        ++drawn;
        EXPECT_EQ(cls, "BUTTON");
        EXPECT_EQ(part, 1);
        EXPECT_EQ(state, 2);
        c.FillRect(TRect(0, 0, 100, 100), clRed);  // tries to paint everywhere
        return true;
    }
};

} // namespace

TEST(SharedDrawThemesActiveTest, InactiveWithoutStylesAndClippedWhenActive)
{
    EXPECT_FALSE(ThemesActive());
    QImage img(20, 20, QImage::Format_RGB32);
    img.fill(0xFFFFFFFFu);
    TCanvas c(&img);
    DrawThemedPart(nullptr, c, TRect(2, 2, 6, 6), 1, 2, "BUTTON");
    EXPECT_EQ(img.pixel(3, 3), 0xFFFFFFFFu);  // nothing attempted

    FakeThemes fake;
    SetThemeServices(&fake);
    EXPECT_TRUE(ThemesActive());
    DrawThemedPart(nullptr, c, TRect(2, 2, 6, 6), 1, 2, "BUTTON");
    EXPECT_EQ(fake.drawn, 1);
    EXPECT_EQ(img.pixel(3, 3), 0xFFFF0000u);
    EXPECT_EQ(img.pixel(6, 6), 0xFFFFFFFFu);  // clipped to the rectangle
    EXPECT_FALSE(c.HasClip());                // and the clip given back
    fake.throws = true;
    try {
        ThemesActive();
        ADD_FAILURE() << "no error";
    } catch (const EThemesError& e) {
        EXPECT_STREQ(e.what(), "Error in Themes");
    }
    SetThemeServices(nullptr);
}

TEST(SharedDrawSchemeControlsTest, RegisterOnceUnregisterWhenPresent)
{
    QWidget a, b;
    UnregisterSchemeControl(&a);  // not there: nothing
    RegisterSchemeControl(&a);
    RegisterSchemeControl(&a);
    EXPECT_TRUE(IsSchemeControlRegistered(&a));
    EXPECT_FALSE(IsSchemeControlRegistered(&b));
    UnregisterSchemeControl(&a);
    EXPECT_FALSE(IsSchemeControlRegistered(&a));
    {
        QWidget gone;
        RegisterSchemeControl(&gone);
    }
    RegisterSchemeControl(&b);  // a destroyed control is forgotten, not dangling
    EXPECT_TRUE(IsSchemeControlRegistered(&b));
    UnregisterSchemeControl(&b);
}
