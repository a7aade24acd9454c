#include "settings/SaveStaging.h"

#include "common/TestData.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

void Write(const fs::path& p, const std::string& text)
{
    std::ofstream f(p, std::ios::binary);
    f << text;
}

std::string Read(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// Name -> contents of every entry of a folder ("<dir>" for folders).
std::map<std::string, std::string> Contents(const fs::path& dir)
{
    std::map<std::string, std::string> m;
    for (auto& e : fs::directory_iterator(dir))
        m[e.path().filename().string()] = e.is_directory() ? "<dir>" : Read(e.path());
    return m;
}

bool IsSettings(const std::string& n) { return n == "lamedb" || n == "services" || n == "bouquets.tv"; }

} // namespace

TEST(SaveStaging, SwapsNewFilesInAndKeepsOtherFiles)
{
    cftest::ScratchDir tmp;
    fs::path target = tmp / "box";
    fs::create_directory(target);
    Write(target / "services", "old enigma 1 services");
    Write(target / "lamedb", "old lamedb");
    Write(target / "readme.txt", "mine");
    {
        TSaveStaging s(target);
        EXPECT_NE(s.Dir().parent_path().parent_path(), target) << "staging lies beside the target";
        Write(s.Dir() / "lamedb", "new lamedb");
        Write(s.Dir() / "bouquets.tv", "new list");
        s.Commit(IsSettings);
    }
    std::map<std::string, std::string> want = {
        {"lamedb", "new lamedb"}, {"bouquets.tv", "new list"}, {"readme.txt", "mine"}};
    EXPECT_EQ(Contents(target), want);
    // Nothing of the staging area is left beside the target.
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp.path()), fs::directory_iterator()), 1);
}

TEST(SaveStaging, FailedSwapPutsEverythingBack)
{
    cftest::ScratchDir tmp;
    fs::path target = tmp / "box";
    fs::create_directory(target);
    Write(target / "services", "old services");
    Write(target / "lamedb", "old lamedb");
    // A folder where a new file must go: the swap cannot finish.
    fs::create_directory(target / "bouquets.tv");
    Write(target / "bouquets.tv" / "x", "x");
    auto before = Contents(target);
    std::string message;
    {
        TSaveStaging s(target);
        Write(s.Dir() / "lamedb", "new lamedb");
        Write(s.Dir() / "services", "new services");
        Write(s.Dir() / "bouquets.tv", "new list");
        try {
            s.Commit(IsSettings);
            ADD_FAILURE() << "commit should fail";
        } catch (const ESaveError& e) {
            message = e.what();
        }
    }
    EXPECT_EQ(Contents(target), before);
    EXPECT_NE(message.find((fs::canonical(target) / "bouquets.tv").string()), std::string::npos) << message;
    EXPECT_NE(message.find("was left as it was"), std::string::npos) << message;
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp.path()), fs::directory_iterator()), 1);
}

TEST(SaveStaging, NothingHappensWithoutCommit)
{
    cftest::ScratchDir tmp;
    fs::path target = tmp / "box";
    fs::create_directory(target);
    Write(target / "lamedb", "old");
    {
        TSaveStaging s(target);
        Write(s.Dir() / "lamedb", "half");
    }
    EXPECT_EQ(Read(target / "lamedb"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp.path()), fs::directory_iterator()), 1);
}

TEST(SaveStaging, MissingTargetIsRefused)
{
    cftest::ScratchDir tmp;
    try {
        TSaveStaging s(tmp / "gone");
        ADD_FAILURE();
    } catch (const ESaveError& e) {
        EXPECT_NE(std::string(e.what()).find("does not exist"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(tmp / "gone"));
}
