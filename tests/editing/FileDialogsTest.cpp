// The file dialog service the exchange-file commands use: filters in the
// desktop's form, and the scripted answers tests give.

#include "platform/FileDialogs.h"

#include <gtest/gtest.h>

TEST(FileDialogs, FiltersInTheDesktopsForm)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Chanforge User Bouquets (*.CBU)|*.CBU", "Chanforge User Bouquets (*.CBU)"},
        {"Text (*.txt)|*.txt|All (*.*)|*.*", "Text (*.txt);;All (*.*)"},
        {"", ""},
    };
    for (const auto& [filter, qt] : cases)
        EXPECT_EQ(cf::QtFileFilter(filter), qt) << filter;
}

TEST(FileDialogs, ScriptedAnswersAndCancel)
{
    cf::TScriptedFileDialogs dialogs;
    cf::SetFileDialogs(&dialogs);
    dialogs.Answers = {std::string("/tmp/a.CBU"), std::nullopt};
    EXPECT_EQ(cf::FileDialogs().SaveFileName("F|*.CBU", "Sport"), std::optional<std::string>("/tmp/a.CBU"));
    EXPECT_EQ(cf::FileDialogs().OpenFileName("F|*.CBU"), std::nullopt);
    EXPECT_EQ(cf::FileDialogs().OpenFileName("F|*.CBU"), std::nullopt) << "no answer left: cancel";
    ASSERT_EQ(dialogs.Log.size(), 3u);
    EXPECT_TRUE(dialogs.Log[0].Save);
    EXPECT_EQ(dialogs.Log[0].FileName, "Sport");
    EXPECT_FALSE(dialogs.Log[1].Save);
    cf::SetFileDialogs(nullptr);
}
