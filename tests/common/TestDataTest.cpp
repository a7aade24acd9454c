#include "common/TestData.h"

#include <gtest/gtest.h>

#include <fstream>

// Every loading test relies on the shared real sets being reachable and on
// TempDir copies being writable even though the originals are read-only.
TEST(TestData, RealSetsAreReachableAndCopiesWritable)
{
    auto src = cftest::RealSet("enigma2-v4-multisat");
    ASSERT_TRUE(std::filesystem::exists(src / "lamedb")) << src;
    cftest::TempDir tmp;
    cftest::CopyTree(src, tmp.path() / "set");
    std::ofstream out(tmp.path() / "set" / "lamedb", std::ios::app);
    EXPECT_TRUE(out.good());
}
