#include "controls/CfClasses.h"

#include "platform/Forms.h"

#include <QApplication>
#include <gtest/gtest.h>

using namespace cf;

TEST(SharedDrawCfClassesTest, ClampInt)
{
    struct Case {
        int value, min, max, expected;
    } cases[] = {
        {5, 0, 10, 5}, {-3, 0, 10, 0}, {12, 0, 10, 10},
        {5, 10, 3, 3},  // minimum above maximum: the maximum wins
        {0, 10, 3, 3},
    };
    for (const Case& c : cases) {
        int v = c.value;
        ClampInt(v, c.min, c.max);
        EXPECT_EQ(v, c.expected) << c.value << " in " << c.min << ".." << c.max;
    }
}

TEST(SharedDrawCfClassesTest, UnsetPointAndStringsValue)
{
    EXPECT_TRUE(IsUnsetPoint({-1, 5}));
    EXPECT_TRUE(IsUnsetPoint({5, -1}));
    EXPECT_FALSE(IsUnsetPoint({0, 0}));
    EXPECT_FALSE(IsUnsetPoint({-2, -2}));

    std::vector<std::string> list = {"name=value", "empty=", "a=b=c", "novalue", "=lead"};
    EXPECT_EQ(GetStringsValue(list, 0), "value");
    EXPECT_EQ(GetStringsValue(list, 1), "");
    EXPECT_EQ(GetStringsValue(list, 2), "b=c");
    EXPECT_EQ(GetStringsValue(list, 3), "");
    EXPECT_EQ(GetStringsValue(list, 4), "lead");
    EXPECT_EQ(GetStringsValue(list, -1), "");
    EXPECT_EQ(GetStringsValue(list, 5), "");
}

TEST(SharedDrawCfClassesTest, TextMeasuring)
{
    QImage img(10, 10, QImage::Format_RGB32);
    TCanvas c(&img);
    EXPECT_EQ(WideTextWidth(c, "Hello"), c.TextWidth("Hello"));
    EXPECT_EQ(WideTextHeight(c, "Hello"), c.TextHeight("Hello"));
    EXPECT_GT(WideTextWidth(c, "\xD0\x9F\xD1\x80\xD0\xB8"), 0);  // Cyrillic text measures too
    int h = c.TextHeight("X");
    EXPECT_EQ(WideCalcTextHeight(c, "one"), h);
    EXPECT_EQ(WideCalcTextHeight(c, "one\r\ntwo\nthree"), 3 * h);
}

TEST(SharedDrawCfClassesTest, HintWindowAndParentForm)
{
    ActivateHintWide(nullptr, TRect(0, 0, 10, 10), "x");  // no window: nothing
    ReleaseHintWindow(nullptr);
    THintWindow hint;
    ActivateHintDataWide(&hint, TRect(10, 20, 110, 40), "Hint text", &hint);
    EXPECT_TRUE(hint.HandleAllocated());
    EXPECT_EQ(hint.Caption(), "Hint text");
    EXPECT_EQ(hint.geometry(), QRect(10, 20, 100, 20));
    EXPECT_EQ(hint.Data(), &hint);
    ReleaseHintWindow(&hint);
    EXPECT_FALSE(hint.HandleAllocated());
    EXPECT_FALSE(hint.isVisible());

    TForm form;
    auto* child = new TWinControl(&form);
    EXPECT_FALSE(IsParentFormActive(nullptr));
    QWidget loose;
    EXPECT_FALSE(IsParentFormActive(&loose));
    form.show();
    QApplication::setActiveWindow(&form);
    EXPECT_EQ(IsParentFormActive(child), form.isActiveWindow());
}
