#include "ListsTestSupport.h"

#include "settings/BouquetFiles.h"
#include "settings/LockLists.h"
#include "settings/ProvidersFile.h"

using namespace lists_test;

namespace {

class LockListsTest : public ListsTest {
protected:
    void LoadSet(const char* folder)
    {
        LoadServicesOf(GoldenDir() / folder);
        LoadPr();
        Load_UB_Tv();
        Load_UB_Radio();
        LoadLockedAllowed('B');
        if (EnigmaVersion != 2)
            LoadLockedAllowed('W');
    }
    const TY_ENIG_CH& Ch(const char* sid) { return Services[static_cast<size_t>(NumberOfSid(sid) - 200)]; }
};

TEST_F(LockListsTest, ReadsEnigma2BlackAndWhiteLists)
{
    LoadSet("e2-in");
    // Black: SID 0x64 although the list gives type 19 (the type is not
    // compared), provider -3 (fffffffd), TV bouquet dbe01 in lower case.
    EXPECT_EQ(Ch("0064").Black, 1);
    EXPECT_EQ(Ch("0999").Black, 0);
    EXPECT_EQ(Ch("1234").Black, 0);
    EXPECT_EQ(Providers[1].Black, 1);
    EXPECT_EQ(Providers[0].Black, 0);
    EXPECT_EQ(TvBouquets[1].Black, 1);
    EXPECT_EQ(TvBouquets[0].Black, 0);
    // White: 999 on 998, provider 1, the radio bouquet DBE00.
    EXPECT_EQ(Ch("0999").White, 1);
    EXPECT_EQ(Ch("0064").White, 0);
    EXPECT_EQ(Providers[0].White, 1);
    EXPECT_EQ(RadioBouquets[0].White, 1);
    EXPECT_EQ(TvBouquets[0].White + TvBouquets[1].White, 0);
}

TEST_F(LockListsTest, WritesBothListsFollowingTheNewBouquetIds)
{
    LoadSet("e2-in");
    UseSaveProfile("/etc/enigma2", 3);
    TheSaveDir = temp.path().string();
    SaveUbList(); // renumbers the bouquets first, as the folder save does
    SaveLockedAllowed('B');
    SaveLockedAllowed('W');
    EXPECT_EQ(FileText(temp / "blacklist"), FileText(GoldenDir() / "e2-out/blacklist"));
    EXPECT_EQ(FileText(temp / "whitelist"), FileText(GoldenDir() / "e2-out/whitelist"));
    // Saving again without changes gives the same lists.
    SaveUbList();
    SaveLockedAllowed('B');
    EXPECT_EQ(FileText(temp / "blacklist"), FileText(GoldenDir() / "e2-out/blacklist"));
}

TEST_F(LockListsTest, Enigma1UsesServicesLocked)
{
    LoadSet("e1-in");
    EXPECT_EQ(LockedFileName, "services.locked");
    EXPECT_EQ(Ch("1234").Black, 1);
    EXPECT_EQ(TvBouquets[0].Black, 1);
    UseSaveProfile("/var/tuxbox/config/enigma", 1);
    TheSaveDir = temp.path().string();
    SaveUbList();
    SaveLockedAllowed('B');
    EXPECT_EQ(FileText(temp / "services.locked"), FileText(GoldenDir() / "e1-out/services.locked"));
    EXPECT_FALSE(std::filesystem::exists(temp / "whitelist"));
}

TEST_F(LockListsTest, EmptyListsAreWrittenEmpty)
{
    TheSaveDir = temp.path().string();
    SaveLockedAllowed('B');
    SaveLockedAllowed('W');
    EXPECT_EQ(FileText(temp / "blacklist"), "");
    EXPECT_EQ(FileText(temp / "whitelist"), "");
}

TEST_F(LockListsTest, JunkLinesAreIgnoredAndMarksNeverCleared)
{
    LoadServicesOf(GoldenDir() / "e2-in");
    Services[0].Black = 1;
    ApplyLockList("\n:::\n1\n1:15\n1:15:x:12:zz:\n4097\n4097:7:0:\nrandom text\n1:0:1:64:437", 'B', Services,
                  Transponders, Providers, TvBouquets, RadioBouquets);
    EXPECT_EQ(Services[0].Black, 1);
    for (size_t i = 1; i < Services.size(); ++i)
        EXPECT_EQ(Services[i].Black, 0);
}

TEST_F(LockListsTest, MissingListRaisesIoError)
{
    TheLoadDir = temp.path().string();
    EXPECT_THROW(LoadLockedAllowed('W'), EInOutError);
}

} // namespace
