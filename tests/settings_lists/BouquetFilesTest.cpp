#include "ListsTestSupport.h"

#include "settings/BouquetFiles.h"
#include "settings/Lookups.h"
#include "settings/ProvidersFile.h"

using namespace lists_test;

namespace {

class BouquetFilesTest : public ListsTest {
protected:
    void LoadSet(const char* folder)
    {
        LoadServicesOf(GoldenDir() / folder);
        ErrorReport.clear();
        Load_UB_Tv();
        if (std::filesystem::exists(GoldenDir() / folder / RadioListFileName))
            Load_UB_Radio();
    }
    std::string Num(const char* sid) { return std::to_string(NumberOfSid(sid)); }
    void ExpectSavedLike(const char* golden, std::initializer_list<const char*> files)
    {
        for (const char* f : files)
            EXPECT_EQ(FileText(temp / f), FileText(GoldenDir() / golden / f)) << f;
    }
};

using Entries = ARR_ARR_OF_STRING;

TEST_F(BouquetFilesTest, ReadsEnigma2ListsInBothFormsAndTheirBouquets)
{
    LoadSet("e2-in");
    EXPECT_EQ(TvListName, "Bouquets (TV)");
    // userbouquet.gone.tv is named but missing: left out, and the report
    // names it.
    EXPECT_EQ(TvListEntries, (Entries{{"/USERBOUQUET.FAVOURITES.TV", "FAVOURITES", ""},
                                      {"/USERBOUQUET.DBE01.TV", "DBE01", ""}}));
    ASSERT_EQ(TvBouquets.size(), 2u);
    const TY_ENIG_UB& fav = TvBouquets[0];
    EXPECT_EQ(fav.Name, "Favoriten");
    EXPECT_EQ(fav.FileId, "FAVOURITES");
    // SID 0x64 (line holds "1:64:") and SID/TSID 999/998 stay services; the
    // marker keeps its place; the unknown 4242 goes with its description.
    EXPECT_EQ(fav.Entries, (Entries{{"S", Num("0064"), ""},
                                    {"D", "--- Sport ---", ""},
                                    {"S", Num("0999"), "Zweites"},
                                    {"S", Num("2B66"), ""}}));
    EXPECT_EQ(fav.ServiceCount, 3);
    EXPECT_EQ(TvBouquets[1].Name, "Leer");
    EXPECT_TRUE(TvBouquets[1].Entries.empty());
    EXPECT_EQ(TvBouquetCounter, 2);

    EXPECT_EQ(RadioListName, "Bouquets (Radio)");
    ASSERT_EQ(RadioBouquets.size(), 1u);
    EXPECT_EQ(RadioBouquets[0].FileId, "DBE00");
    EXPECT_EQ(RadioBouquets[0].Entries, (Entries{{"D", "Musik", ""}, {"S", Num("1234"), ""}}));
    EXPECT_EQ(RadioBouquetCounter, 1);

    EXPECT_EQ(ErrorReport, std::string("\n- Tv Bouquet file <USERBOUQUET.GONE.TV> not found : bouquet not loaded\n") +
                               TvBouquetMissingPrefix + "Favoriten" + BouquetMissingSuffix);
}

TEST_F(BouquetFilesTest, WritesEnigma2ListsAndBouquetsRenumbered)
{
    LoadSet("e2-in");
    UseSaveProfile("/etc/enigma2", 3);
    TheSaveDir = temp.path().string();
    SaveUbList();
    SaveUbBouquet();
    ExpectSavedLike("e2-out", {"bouquets.tv", "bouquets.radio", "userbouquet.ED00.tv", "userbouquet.ED01.tv",
                               "userbouquet.ED00.radio"});
    EXPECT_EQ(TvBouquets[0].FileId, "ED00");
    EXPECT_EQ(TvBouquets[1].FileId, "ED01");
    EXPECT_EQ(RadioBouquets[0].FileId, "ED00");
}

TEST_F(BouquetFilesTest, ReadsEnigma1ListsAndKeepsAMarkerWithoutText)
{
    LoadSet("e1-in");
    EXPECT_EQ(EnigmaVersion, 2);
    EXPECT_EQ(TvListName, "User - bouquets (TV)");
    EXPECT_EQ(TvListEntries, (Entries{{"/USERBOUQUET.DBE00.TV", "DBE00", ""}}));
    ASSERT_EQ(TvBouquets.size(), 1u);
    EXPECT_EQ(TvBouquets[0].Name, "Canal (19.2\xC2\xB0)");
    EXPECT_EQ(TvBouquets[0].Entries, (Entries{{"D", "", ""}, {"S", Num("0064"), ""}, {"D", "--- Ende ---", ""}}));
    ASSERT_EQ(RadioBouquets.size(), 1u);
    EXPECT_EQ(RadioBouquets[0].Entries, (Entries{{"S", Num("1234"), ""}}));
    EXPECT_EQ(ErrorReport, "");
}

TEST_F(BouquetFilesTest, WritesEnigma1ListsWithFullPathsAndDecimalTypes)
{
    LoadSet("e1-in");
    UseSaveProfile("/var/tuxbox/config/enigma", 1);
    TheSaveDir = temp.path().string();
    SaveUbList();
    SaveUbBouquet();
    ExpectSavedLike("e1-out", {"userbouquets.tv.epl", "userbouquets.radio.epl", "userbouquet.ED00.tv",
                               "userbouquet.ED00.radio"});
}

TEST_F(BouquetFilesTest, SavedSetReadsBackEqualInEveryVersion)
{
    for (std::int32_t version : {2, 3, 4, 5}) {
        ResetModel();
        LoadSet(version == 2 ? "e1-in" : "e2-in");
        // The services stay; the lists are written and read in `version`.
        SetEnigmaVer(version);
        UseSaveProfile("/x", version - 1);
        cftest::ScratchDir out;
        TheSaveDir = out.path().string();
        SaveUbList();
        SaveUbBouquet();
        ARR_ENIG_UB tv = TvBouquets, radio = RadioBouquets;
        TvBouquets.clear();
        RadioBouquets.clear();
        TheLoadDir = out.path().string();
        ErrorReport.clear();
        Load_UB_Tv();
        Load_UB_Radio();
        EXPECT_EQ(ErrorReport, "") << version;
        EXPECT_EQ(TvBouquets, tv) << version;
        EXPECT_EQ(RadioBouquets, radio) << version;
        EXPECT_EQ(TvBouquetCounter, 0xED00 + static_cast<std::int32_t>(tv.size())) << version;
    }
}

TEST_F(BouquetFilesTest, Version5ReadsHexTypesAndIdsFromTheFileName)
{
    LoadServicesOf(GoldenDir() / "e2-in");
    SetEnigmaVer(5);
    // What the writer gives for version 5: the Enigma 2 list form and
    // hexadecimal types (0x19 = 25).
    WriteText(temp / "bouquets.tv", "#NAME L\n#SERVICE: 1:7:1:0:0:0:0:0:0:0:userbouquet.ED03.tv\n");
    WriteText(temp / "userbouquet.ED03.tv", "#NAME B\n#SERVICE: 1:0:19:0999:0998:0001:00C00000:0:0:0:\n");
    TheLoadDir = temp.path().string();
    ErrorReport.clear();
    Load_UB_Tv();
    ASSERT_EQ(TvBouquets.size(), 1u);
    EXPECT_EQ(TvBouquets[0].FileId, "ED03");
    EXPECT_EQ(TvBouquets[0].Entries, (Entries{{"S", Num("0999"), ""}}));
    EXPECT_EQ(ErrorReport, "");
}

TEST_F(BouquetFilesTest, CounterFollowsTheLargestHexId)
{
    LoadServicesOf(GoldenDir() / "e2-in");
    WriteText(temp / "bouquets.tv", "#NAME L\n#SERVICE: 1:7:1:0:0:0:0:0:0:0:userbouquet.ED00.tv\n"
                                    "#SERVICE: 1:7:1:0:0:0:0:0:0:0:userbouquet.ED03.tv\n");
    WriteText(temp / "userbouquet.ED00.tv", "#NAME A\n");
    WriteText(temp / "userbouquet.ed03.tv", "#NAME B\n");
    TheLoadDir = temp.path().string();
    Load_UB_Tv();
    ASSERT_EQ(TvBouquets.size(), 2u);
    EXPECT_EQ(TvBouquetCounter, 0xED04);
}

TEST_F(BouquetFilesTest, WritersLeaveOutEntriesWhoseServiceIsGone)
{
    LoadServicesOf(GoldenDir() / "e2-in");
    TY_ENIG_UB ub;
    ub.Name = "N";
    ub.Entries = {{"S", "424242", "lost"}, {"S", Num("1234"), ""}, {"S", "junk", ""}};
    TY_ENIG_UB none;
    none.Name = "Empty";
    none.Entries = {{"S", "424242", ""}};
    TBouquetRefs refs(Services, Transponders, 4);
    std::int32_t marker = 1;
    EXPECT_EQ(FormatUserBouquet(ub, refs, marker),
              "#NAME N\n#SERVICE: 1:0:02:1234:0437:0001:00C00000:0:0:0:\n");
    // A bouquet whose services were all deleted keeps its name line.
    EXPECT_EQ(FormatUserBouquet(none, refs, marker), "#NAME Empty\n");
}

TEST_F(BouquetFilesTest, MarkerNumbersRunOnAcrossTvAndRadio)
{
    TY_ENIG_UB ub;
    ub.Name = "M";
    ub.Entries = {{"D", "a", ""}, {"D", "b", ""}};
    TvBouquets = {ub, ub};
    RadioBouquets = {ub};
    TheSaveDir = temp.path().string();
    SaveUbBouquet();
    EXPECT_EQ(FileText(temp / "userbouquet.ED01.tv"),
              "#NAME M\n#SERVICE: 1:64:003:0:0:0:0:0:0:0:\n#DESCRIPTION: a\n"
              "#SERVICE: 1:64:004:0:0:0:0:0:0:0:\n#DESCRIPTION: b\n");
    EXPECT_EQ(FileText(temp / "userbouquet.ED00.radio"),
              "#NAME M\n#SERVICE: 1:64:005:0:0:0:0:0:0:0:\n#DESCRIPTION: a\n"
              "#SERVICE: 1:64:006:0:0:0:0:0:0:0:\n#DESCRIPTION: b\n");
}

TEST_F(BouquetFilesTest, EmptyBouquetArraysWriteNoListFile)
{
    TheSaveDir = temp.path().string();
    SaveUbList();
    EXPECT_FALSE(std::filesystem::exists(temp / "bouquets.tv"));
    EXPECT_FALSE(std::filesystem::exists(temp / "bouquets.radio"));
}

TEST_F(BouquetFilesTest, CountUBouquetCountsServicesAndDescriptionsNotMarkers)
{
    // 3 service lines (SID 0x64 among them), 2 markers, 2 descriptions.
    EXPECT_EQ(CountUBouquetText("#NAME x\n#SERVICE 1:0:1:64:437:1:c00000:0:0:0:\n#SERVICE 1:64:1:0:0:0:0:0:0:0:\n"
                                "#DESCRIPTION m\n#SERVICE 1:0:19:999:998:1:c00000:0:0:0:\n"
                                "#SERVICE: 1:64:2:0:0:0:0:0:0:0:\n#DESCRIPTION: n\n#SERVICE 1:0:2:1:2:3:4:0:0:0:\n"),
              5);
    EXPECT_EQ(CountUBouquet((GoldenDir() / "e2-in/USERBOUQUET.FAVOURITES.TV").string()), 7);
    EXPECT_EQ(CountUBouquet((temp / "none").string()), 0);
}

TEST_F(BouquetFilesTest, DamagedBouquetLinesAreDroppedAndReported)
{
    LoadServicesOf(GoldenDir() / "e2-in");
    TServiceKeyIndex index(Services);
    struct Case {
        const char* name;
        const char* text;
        Entries entries;
        bool missing;
    };
    std::vector<Case> cases = {
        {"truncated line", "#NAME b\n#SERVICE 1:0:1:64:43\n#SERVICE 1:0:2:1234:437:1:c00000:0:0:0:\n",
         {{"S", Num("1234"), ""}}, true},
        {"type not hex", "#NAME b\n#SERVICE 1:0:zz:64:437:1:c00000:0:0:0:\n", {}, true},
        {"description first", "#NAME b\n#DESCRIPTION: nobody\n#SERVICE 1:0:2:1234:437:1:c00000:0:0:0:\n",
         {{"S", Num("1234"), ""}}, false},
        // Not damaged: kept as read, with its description.
        {"stream reference", "#NAME b\n#SERVICE 4097:0:1:0:0:0:0:0:0:0:http%3a//x:Name\n#DESCRIPTION Name\n",
         {{"R", "4097:0:1:0:0:0:0:0:0:0:http%3a//x:Name", "Name"}}, false},
        {"no name line", "#SERVICE 1:0:2:1234:437:1:c00000:0:0:0:\n", {{"S", Num("1234"), ""}}, false},
        {"marker at the end", "#NAME b\n#SERVICE 1:64:1:0:0:0:0:0:0:0:", {{"D", "", ""}}, false},
        {"empty file", "", {}, false},
    };
    for (const auto& c : cases) {
        TY_ENIG_UB ub;
        bool missing = false;
        ParseUserBouquet(c.text, 4, index, ub, missing);
        EXPECT_EQ(ub.Entries, c.entries) << c.name;
        EXPECT_EQ(missing, c.missing) << c.name;
    }
}

TEST_F(BouquetFilesTest, MissingListRaisesIoError)
{
    TheLoadDir = temp.path().string();
    EXPECT_THROW(Load_UB_Tv(), EInOutError);
}

TEST_F(BouquetFilesTest, ListLinesThatNameNoFileAreSkipped)
{
    ARR_ARR_OF_STRING entries;
    std::string name;
    ParseBouquetList("#NAME x\n#SERVICE: 1:64:0:0:0:0:0:0:0:0:\n#DESCRIPTION: sep\n#SERVICE: 1:7:1:0:0:0\n"
                     "#SERVICE 1:7:1:0:0:0:0:0:0:0:FROM BOUQUET \"userbouquet.a.tv\n"
                     "#SERVICE 1:7:1:0:0:0:0:0:0:0:FROM BOUQUET \"userbouquet.b.tv\" ORDER BY bouquet\n",
                     4, false, name, entries, [](const std::string&) { return true; });
    EXPECT_EQ(name, "x");
    EXPECT_EQ(entries, (Entries{{"/USERBOUQUET.B.TV", "B", ""}}));
}

} // namespace

namespace {

struct ProgressLog : TSettingsView {
    std::vector<std::string> calls;
    void ProgressStart(std::int32_t min, std::int32_t max) override
    {
        calls.push_back("start " + std::to_string(min) + " " + std::to_string(max));
    }
    void ProgressPosition(std::int32_t pos) override { calls.push_back("at " + std::to_string(pos)); }
};

TEST_F(BouquetFilesTest, ReadersShowTheirProgress)
{
    LoadServicesOf(GoldenDir() / "e2-in");
    ProgressLog log;
    SetSettingsView(&log);
    Load_UB_Tv();
    LoadPr();
    SetSettingsView(nullptr);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"start 0 2", "at 0", "at 1", "start 0 2", "at 0", "at 1"}));
}

} // namespace
