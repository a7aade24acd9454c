#include "SettingsTestUtil.h"

#include "settings/SatellitesXml.h"

#include "settings/XmlExtras.h"

using namespace cftest;

namespace {

struct RecordingView : TSettingsView {
    std::vector<std::string> calls;
    void VersionChanged(std::int32_t v, const std::string& name, TListControl lc) override
    {
        const char* l = lc == TListControl::Hide ? "hide" : lc == TListControl::Show ? "show" : "keep";
        calls.push_back(std::to_string(v) + " " + name + " " + l);
    }
    void ModelReset() override { calls.push_back("reset"); }
};

} // namespace

TEST_F(ModelTest, SetEnigmaVerSetsFileNamesAndTellsTheView)
{
    RecordingView view;
    SetSettingsView(&view);
    struct Case {
        int version;
        const char *services, *tv, *radio, *locked, *call;
    };
    const Case cases[] = {
        {2, "services", "userbouquets.tv.epl", "userbouquets.radio.epl", "services.locked", "2 ENIGMA hide"},
        {5, "services", "userbouquets.tv.epl", "userbouquets.radio.epl", "services.locked", "5 ENIGMA QB-ONE keep"},
        {4, "lamedb", "bouquets.tv", "bouquets.radio", "blacklist", "4 ENIGMA 2.4 show"},
        {5, "lamedb", "bouquets.tv", "bouquets.radio", "blacklist", "5 ENIGMA QB-ONE keep"},
        {3, "lamedb", "bouquets.tv", "bouquets.radio", "blacklist", "3 ENIGMA 2.3 keep"},
    };
    for (const Case& c : cases) {
        view.calls.clear();
        EXPECT_TRUE(SetEnigmaVer(c.version));
        EXPECT_EQ(EnigmaVersion, c.version);
        EXPECT_EQ(ServicesFileName, c.services);
        EXPECT_EQ(TvListFileName, c.tv);
        EXPECT_EQ(RadioListFileName, c.radio);
        EXPECT_EQ(LockedFileName, c.locked);
        EXPECT_EQ(view.calls, std::vector<std::string>{c.call});
    }
    view.calls.clear();
    for (int bad : {0, 1, 6, -3, 9}) {
        EXPECT_FALSE(SetEnigmaVer(bad));
        EXPECT_EQ(EnigmaVersion, 3);
    }
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(ModelTest, Reset2LoadEmptiesWhatALoadRefills)
{
    RecordingView view;
    SetSettingsView(&view);
    Transponders.resize(2);
    Services.resize(3);
    Providers.resize(1);
    TvBouquets.resize(1);
    RadioBouquets.resize(1);
    Satellites.resize(1);
    Terrestrials.resize(1);
    Profiles.resize(2);
    CompareServices.resize(1);
    Reset2Load();
    EXPECT_TRUE(Transponders.empty());
    EXPECT_TRUE(Services.empty());
    EXPECT_TRUE(Providers.empty());
    EXPECT_TRUE(TvBouquets.empty());
    EXPECT_TRUE(RadioBouquets.empty());
    EXPECT_TRUE(Satellites.empty());
    EXPECT_EQ(Terrestrials.size(), 1u); // replaced by its own reader
    EXPECT_EQ(Profiles.size(), 2u);
    EXPECT_EQ(CompareServices.size(), 1u);
    EXPECT_EQ(view.calls, std::vector<std::string>{"reset"});
}

TEST_F(ModelTest, SortsPickTheFirstOnTies)
{
    SatPositions = {"019.2E", "013.0e", "030.0W", "013.0E", "005.0W"};
    SortStringArray();
    EXPECT_EQ(SatPositions, (ARR_OF_STRING{"005.0W", "013.0e", "013.0E", "019.2E", "030.0W"}));

    auto sat = [](const char* name, int pos) {
        TY_ENIG_SAT s;
        s.Name = name;
        s.Position = pos;
        return s;
    };
    Satellites = {sat("Astra 1", 192), sat("Thor", -8), sat("Hotbird", 130), sat("Astra 1 bis", 192),
                  sat("Hispasat", -300)};
    SortSatellitesByPosition();
    std::vector<std::string> names;
    for (const auto& s : Satellites)
        names.push_back(s.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Astra 1", "Astra 1 bis", "Hotbird", "Thor", "Hispasat"}));
}

TEST_F(ModelTest, CleanSettingsDirDeletesOnlySettingsFiles)
{
    cftest::ScratchDir dir;
    const char* doomed[] = {"Lamedb", "services", "bouquets", "blacklist", "whitelist",
                            "services.locked", "satellites.xml", "Terrestrial.xml", "userbouquet.favourites.tv",
                            "userbouquet.dbe00.radio", "userbouquets.tv.epl", "bouquets.tv"};
    // The receiver's "settings" is not written by the program: a user's copy
    // in the folder stays, as do names that merely contain ".tv" or ".epl".
    const char* kept[] = {"readme.txt", "lamedb.bak2", "picon.png", "settings", "holiday.tv.txt", "notes.epl"};
    for (const char* n : doomed)
        WriteBytes(dir / n, "x");
    for (const char* n : kept)
        WriteBytes(dir / n, "x");
    std::filesystem::create_directory(dir / "sub.tv");
    CleanSettingsDir(dir.path().string());
    for (const char* n : doomed)
        EXPECT_FALSE(std::filesystem::exists(dir / n)) << n;
    for (const char* n : kept)
        EXPECT_TRUE(std::filesystem::exists(dir / n)) << n;
    EXPECT_TRUE(std::filesystem::exists(dir / "sub.tv"));
    CleanSettingsDir((dir / "nothing-here").string()); // a missing folder is no error
}

TEST_F(ModelTest, ErrorReportCollectsOneLinePerProblem)
{
    AddToErrorReport("- one");
    AddToErrorReport("- two");
    EXPECT_EQ(ErrorReport, "\n- one\n- two");
}

TEST_F(ModelTest, Reset2LoadDropsTheKeptXmlAttributesWithTheSatellitesItEmpties)
{
    // A satellite the user adds after a load without satellites.xml, alike
    // in every field to one of the earlier list, must not pick up that
    // list's stream id.
    TY_ENIG_SAT sat;
    sat.Name = "Astra";
    sat.Position = 192;
    sat.PositionText = "019.2E";
    TY_ENIG_SAT_DATA tp{};
    tp[SAT_FREQUENCY] = 11778000;
    tp[SAT_SYMBOLRATE] = 27500000;
    tp[SAT_POLARISATION] = 1;
    tp.Kept = {{"is_id", "7"}};
    sat.Transponders = {tp};
    Satellites = {sat};
    TY_ENIG_TER location;
    location.Name = "Europe";
    location.Kept = {{"region", "eu"}};
    Terrestrials = {location};
    Reset2Load();
    EXPECT_TRUE(Satellites.empty());
    // The terrestrial list stays until a load replaces it, and so does
    // what it carries.
    ASSERT_EQ(Terrestrials.size(), 1u);
    EXPECT_EQ(Terrestrials[0].Kept, (XmlAttributes{{"region", "eu"}}));

    sat.Transponders[0].Kept.clear();
    Satellites = {sat};
    EXPECT_EQ(FormatSatellitesXml(Satellites).find("is_id"), std::string::npos);
}
