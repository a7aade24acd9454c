#include "ListsTestSupport.h"

#include "settings/BouquetFiles.h"
#include "settings/ListFileIo.h"
#include "settings/LockLists.h"
#include "settings/ProvidersFile.h"
#include "settings/SatellitesXml.h"
#include "settings/TerrestrialXml.h"

using namespace lists_test;

namespace {

namespace fs = std::filesystem;

class RealSetsTest : public ListsTest {
protected:
    // Every reader the folder loader runs, each when its file is there.
    void LoadFolder(const fs::path& dir)
    {
        LoadServicesOf(dir);
        if (fs::exists(dir / ProvidersFileName))
            LoadPr();
        if (fs::exists(dir / TvListFileName))
            Load_UB_Tv();
        if (fs::exists(dir / RadioListFileName))
            Load_UB_Radio();
        if (fs::exists(dir / LockedFileName))
            LoadLockedAllowed('B');
        if (fs::exists(dir / WhiteListFileName))
            LoadLockedAllowed('W');
        if (fs::exists(dir / SatellitesFileName))
            ReadSatXML();
        if (fs::exists(dir / TerrestrialFileName))
            ReadTerrXML();
    }
    void SaveFolder(const fs::path& dir)
    {
        TheSaveDir = dir.string();
        SaveService();
        SavePr();
        SaveUbList();
        SaveUbBouquet();
        SaveLockedAllowed('B');
        if (EnigmaVersion != 2)
            SaveLockedAllowed('W');
        SaveSatXml();
        SaveTerXml();
    }
    // Service lines of a bouquet file, and those of them that are markers,
    // counted from the raw text.
    static std::pair<size_t, size_t> ReferenceLines(const fs::path& file)
    {
        std::istringstream in(FileText(file));
        std::string line;
        size_t refs = 0, markers = 0;
        while (std::getline(in, line)) {
            if (line.rfind("#SERVICE", 0) != 0)
                continue;
            ++refs;
            if (line.find("1:64:") == 9 || line.find("1:64:") == 10)
                ++markers;
        }
        return {refs, markers};
    }
};

TEST_F(RealSetsTest, MultisatSetLoadsEveryBouquetEntryAndSatellite)
{
    const fs::path real = cftest::RealSet("enigma2-v4-multisat");
    LoadFolder(real);
    EXPECT_EQ(ErrorReport, "");
    ASSERT_EQ(TvBouquets.size(), 56u);
    ASSERT_EQ(RadioBouquets.size(), 21u);
    size_t entries = 0;
    for (bool radio : {false, true}) {
        const ARR_ARR_OF_STRING& list = radio ? RadioListEntries : TvListEntries;
        const ARR_ENIG_UB& bouquets = radio ? RadioBouquets : TvBouquets;
        for (size_t i = 0; i < bouquets.size(); ++i) {
            fs::path file = FindFileNoCase(real.string(), list[i][0].substr(1));
            auto [refs, markers] = ReferenceLines(file);
            EXPECT_EQ(bouquets[i].Entries.size(), refs) << file;
            EXPECT_EQ(static_cast<size_t>(bouquets[i].ServiceCount), refs - markers) << file;
            for (const auto& e : bouquets[i].Entries) {
                if (e[0] == "S") {
                    EXPECT_GE(FindServiceIndexById(std::stoi(e[1])), 0);
                }
            }
            entries += refs;
        }
    }
    EXPECT_GT(entries, 14000u);
    EXPECT_EQ(TvBouquets[1].Name, "    CanalDigitaal HD");
    ASSERT_EQ(Satellites.size(), 45u);
    size_t transponders = 0;
    for (const auto& s : Satellites)
        transponders += s.Transponders.size();
    EXPECT_EQ(transponders, 1156u);
    EXPECT_EQ(Satellites.front().Name, "ABS-1 (75.0\xC2\xB0" "E)");
    EXPECT_EQ(Satellites.front().PositionText, "075.0E");
}

TEST_F(RealSetsTest, MultisatSetSavesAndReloadsEqual)
{
    const fs::path real = cftest::RealSet("enigma2-v4-multisat");
    LoadFolder(real);
    UseSaveProfile("/etc/enigma2", 3);
    SaveFolder(temp.path());
    ARR_ENIG_TP tps = Transponders;
    ARR_ENIG_CH chs = Services;
    ARR_ENIG_PR prs = Providers;
    ARR_ENIG_UB tv = TvBouquets, radio = RadioBouquets;
    ARR_ENIG_SAT sats = Satellites;
    std::string tvName = TvListName, radioName = RadioListName;

    ResetModel();
    UseSaveProfile("/etc/enigma2", 3);
    LoadFolder(temp.path());
    EXPECT_EQ(ErrorReport, "");
    EXPECT_EQ(Services, chs);
    EXPECT_EQ(Providers, prs);
    EXPECT_EQ(TvBouquets, tv);
    EXPECT_EQ(RadioBouquets, radio);
    EXPECT_EQ(Satellites, sats);
    EXPECT_EQ(TvListName, tvName);
    EXPECT_EQ(RadioListName, radioName);

    // A second save of the reloaded set gives the same files.
    cftest::ScratchDir again;
    SaveFolder(again.path());
    for (const auto& e : fs::directory_iterator(temp.path())) {
        std::string name = e.path().filename().string();
        if (name == "lamedb")
            continue; // its footer and order are the services file's business
        EXPECT_EQ(FileText(again / name), FileText(e.path())) << name;
        EXPECT_EQ(FileText(e.path()).find('\r'), std::string::npos) << name;
    }
}

TEST_F(RealSetsTest, AstraSetLoadsAndRoundTrips)
{
    const fs::path real = cftest::RealSet("enigma2-v4-astra-bouquets");
    LoadFolder(real);
    EXPECT_GE(TvBouquets.size(), 6u); // LastScanned is named but absent
    ASSERT_FALSE(TvBouquets.empty());
    UseSaveProfile("/etc/enigma2", 3);
    SaveFolder(temp.path());
    ARR_ENIG_UB tv = TvBouquets, radio = RadioBouquets;
    ResetModel();
    LoadFolder(temp.path());
    EXPECT_EQ(ErrorReport, "");
    EXPECT_EQ(TvBouquets, tv);
    EXPECT_EQ(RadioBouquets, radio);
}

TEST_F(RealSetsTest, Enigma1ListAndBouquetAreRead)
{
    const fs::path real = cftest::RealSet("enigma1-bouquets");
    SetEnigmaVer(2);
    TheLoadDir = real.string();
    // The set has no services file: give it three of the services its
    // bouquet names (SID 2206 on TSID 044C, 2011 and 2010 on 0430, Astra
    // 19.2E namespace 00C00000).
    Transponders.resize(2);
    for (auto [i, tsid] : {std::pair{0, "044C"}, std::pair{1, "0430"}}) {
        TY_ENIG_TP& tp = Transponders[static_cast<size_t>(i)];
        tp.Namespace = "00C00000";
        tp.Tsid = tsid;
        tp.Onid = "0001";
        tp.Key = tp.Namespace + tp.Tsid + tp.Onid;
    }
    for (auto [sid, tp] : {std::pair{"2206", 0}, std::pair{"2011", 1}, std::pair{"2010", 1}}) {
        TY_ENIG_CH ch;
        ch.Sid = sid;
        ch.TpIndex = tp;
        ch.ServiceType = 1;
        ch.Number = 200 + static_cast<std::int32_t>(Services.size());
        ch.Key = ch.Sid + Transponders[static_cast<size_t>(tp)].Key + "1";
        Services.push_back(ch);
    }
    Load_UB_Tv();
    EXPECT_EQ(TvListName, "User - bouquets (TV)");
    EXPECT_EQ(TvListEntries, (ARR_ARR_OF_STRING{{"/USERBOUQUET.DBE00.TV", "DBE00", ""}}));
    ASSERT_EQ(TvBouquets.size(), 1u);
    const TY_ENIG_UB& ub = TvBouquets[0];
    EXPECT_EQ(ub.Name, "Canal Sat (19.2\xC2\xB0)");
    EXPECT_EQ(ub.FileId, "DBE00");
    ASSERT_EQ(ub.Entries.size(), 5u);
    EXPECT_EQ(ub.Entries[0], (TY_TEXT_TRIPLE{"D", "", ""}));
    EXPECT_EQ(ub.Entries[1], (TY_TEXT_TRIPLE{"S", "200", ""}));
    EXPECT_EQ(ub.Entries[2], (TY_TEXT_TRIPLE{"S", "201", ""}));
    EXPECT_EQ(ub.Entries[3], (TY_TEXT_TRIPLE{"S", "202", ""}));
    EXPECT_EQ(ub.Entries[4], (TY_TEXT_TRIPLE{"D", "--- built on 2014-11-30 ---", ""}));
    EXPECT_EQ(ub.ServiceCount, 3);
    // The other references name services this set does not have.
    EXPECT_EQ(ErrorReport,
              std::string("\n") + TvBouquetMissingPrefix + "Canal Sat (19.2\xC2\xB0)" + BouquetMissingSuffix);
}

} // namespace
