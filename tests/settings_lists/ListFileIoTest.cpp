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

// A final line end opens no empty line; only one CR goes with the LF; line
// ends are found the same on either side of a 64-byte block edge.
TEST(ListFileIo, SplitsAtEveryLineEndWhereverItFalls)
{
    EXPECT_EQ(SplitListLines("a\n"), (std::vector<std::string_view>{"a"}));
    EXPECT_EQ(SplitListLines("\n"), (std::vector<std::string_view>{""}));
    EXPECT_EQ(SplitListLines("a\r\r\nb"), (std::vector<std::string_view>{"a\r", "b"}));
    const std::string a(63, 'a'), b(64, 'b'), c(65, 'c');
    EXPECT_EQ(SplitListLines(a + "\n" + b + "\r\n" + c + "\n\n" + b),
              (std::vector<std::string_view>{a, b, c, "", b}));
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
