#include "common/TestData.h"

#include <gtest/gtest.h>

#include <fstream>

// Every loading test relies on the shared real sets being reachable and on
// ScratchDir copies being writable even though the originals are read-only.
TEST(TestData, RealSetsAreReachableAndCopiesWritable)
{
    auto src = cftest::RealSet("enigma2-v4-multisat");
    ASSERT_TRUE(std::filesystem::exists(src / "lamedb")) << src;
    cftest::ScratchDir tmp;
    cftest::CopyTree(src, tmp.path() / "set");
    std::ofstream out(tmp.path() / "set" / "lamedb", std::ios::app);
    EXPECT_TRUE(out.good());
}

// The build passes each test its environment; without it tests would read the
// user's own configuration or miss the shared data.
TEST(TestData, EnvironmentReachesTests)
{
    const char* cfg = std::getenv("CHANFORGE_CONFIG");
    ASSERT_NE(cfg, nullptr);
    EXPECT_NE(std::string(cfg).find("test_common-config.ini"), std::string::npos);
    ASSERT_NE(std::getenv("QT_FONT_DPI"), nullptr);
    EXPECT_STREQ(std::getenv("QT_FONT_DPI"), "96");
    EXPECT_NE(std::getenv("CHANFORGE_TESTDATA"), nullptr);
}
