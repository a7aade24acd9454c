#include "ListsTestSupport.h"

#include "settings/ListFileIo.h"

using namespace lists_test;

namespace {

TEST(ListFileIo, SplitsLfAndCrLfLines)
{
    auto lines = SplitListLines("a\r\nb\n\nc\r\nd");
    EXPECT_EQ(lines, (std::vector<std::string_view>{"a", "b", "", "c", "d"}));
    EXPECT_TRUE(SplitListLines("").empty());
}

TEST(ListFileIo, FindsFilesWhateverTheirCase)
{
    cftest::ScratchDir dir;
    WriteText(dir / "UserBouquet.DBE01.tv", "x");
    WriteText(dir / "lamedb", "x");
    std::filesystem::create_directory(dir / "userbouquet.dir.tv");
    EXPECT_EQ(FindFileNoCase(dir.path().string(), "userbouquet.dbe01.TV"), (dir / "UserBouquet.DBE01.tv").string());
    EXPECT_EQ(FindFileNoCase(dir.path().string(), "lamedb"), (dir / "lamedb").string());
    EXPECT_EQ(FindFileNoCase(dir.path().string(), "userbouquet.dir.tv"), "");
    EXPECT_EQ(FindFileNoCase(dir.path().string(), "none"), "");
    EXPECT_EQ(FindFileNoCase((dir / "missing").string(), "none"), "");
    TFolderNames names(dir.path().string());
    EXPECT_EQ(names.Find("USERBOUQUET.DBE01.TV"), (dir / "UserBouquet.DBE01.tv").string());
    EXPECT_EQ(names.Find("LAMEDB"), (dir / "lamedb").string());
    EXPECT_EQ(names.Find("userbouquet.dir.tv"), "");
}

TEST(ListFileIo, ExactNameWinsOverOtherCases)
{
    cftest::ScratchDir dir;
    WriteText(dir / "Bouquets", "upper");
    WriteText(dir / "bouquets", "lower");
    EXPECT_EQ(FindFileNoCase(dir.path().string(), "bouquets"), (dir / "bouquets").string());
    EXPECT_EQ(TFolderNames(dir.path().string()).Find("bouquets"), (dir / "bouquets").string());
}

} // namespace
