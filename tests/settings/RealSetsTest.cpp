// Real Enigma 2 settings published by their authors load completely and
// survive a save and reload.

#include "SettingsTestUtil.h"

#include "settings/ServicesFile.h"
#include "settings/TextFile.h"

using namespace cftest;

namespace {

struct RealSetCase {
    const char* folder;
    std::size_t transponders;
    std::size_t services;
};

void PrintTo(const RealSetCase& c, std::ostream* os) { *os << c.folder; }

// The name lines of the services section, read independently of the reader.
std::vector<std::string> NameLines(const std::string& path)
{
    TTextFile f(path);
    std::vector<std::string> names;
    while (!f.Eof() && f.ReadLine() != "services") {
    }
    while (!f.Eof()) {
        if (f.ReadLine() == "end")
            break;
        names.emplace_back(f.ReadLine());
        f.ReadLine();
    }
    return names;
}

class RealSets : public ModelTest, public ::testing::WithParamInterface<RealSetCase> {};

} // namespace

TEST_P(RealSets, LoadCompletelyAndSurviveSaveAndReload)
{
    const RealSetCase set = GetParam();
    cftest::ScratchDir dir;
    CopyTree(RealSet(set.folder), dir / "in");
    const std::string in = (dir / "in" / "lamedb").string();
    const std::string original = ReadBytes(in);

    LoadTp(Transponders, in);
    LoadChannel(Services, Transponders, true, in);
    EXPECT_EQ(EnigmaVersion, 4);
    EXPECT_EQ(ErrorReport, "");
    EXPECT_EQ(Transponders.size(), set.transponders);
    ASSERT_EQ(Services.size(), set.services);
    EXPECT_EQ(ReadBytes(in), original) << "loading never writes";

    // Every name exactly as in the file (UTF-8, non-Latin included).
    const auto names = NameLines(in);
    ASSERT_EQ(names.size(), Services.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        ASSERT_EQ(Services[i].Name, names[i].empty() ? "." : Utf8ToAnsiClean(names[i])) << i;

    const ARR_ENIG_TP tps = Transponders;
    const ARR_ENIG_CH chs = Services;
    TheSaveDir = (dir / "out").string();
    std::filesystem::create_directories(TheSaveDir);
    SaveService();
    Transponders.clear();
    Services.clear();
    const std::string out = (dir / "out" / "lamedb").string();
    LoadTp(Transponders, out);
    LoadChannel(Services, Transponders, true, out);
    EXPECT_EQ(ErrorReport, "");
    EXPECT_TRUE(Transponders == tps);
    EXPECT_TRUE(Services == chs);
    for (std::size_t i = 0; i < std::min(tps.size(), Transponders.size()); ++i)
        ASSERT_EQ(Transponders[i], tps[i]) << i;
    for (std::size_t i = 0; i < std::min(chs.size(), Services.size()); ++i)
        ASSERT_EQ(Services[i], chs[i]) << i;
}

INSTANTIATE_TEST_SUITE_P(Real, RealSets,
                         ::testing::Values(RealSetCase{"enigma2-v4-multisat", 316, 5015},
                                           RealSetCase{"enigma2-v4-astra-bouquets", 250, 4253}),
                         [](const auto& info) {
                             std::string n = info.param.folder;
                             for (char& c : n)
                                 if (c == '-')
                                     c = '_';
                             return n;
                         });

TEST_F(ModelTest, MultisatServicesCarryKeyNameProviderPidsAndFlags)
{
    const std::string in = (RealSet("enigma2-v4-multisat") / "lamedb").string();
    LoadTp(Transponders, in);
    LoadChannel(Services, Transponders, true, in);

    // First service: 0ede:011a0000:07d1:0002:25:0 / MTV Live HD /
    // p:BSkyB,c:000202,c:030202,c:040296,c:050001
    const TY_ENIG_CH& mtv = Services[0];
    EXPECT_EQ(mtv.Key, "0EDE011A000007D1000225");
    EXPECT_EQ(mtv.Name, "MTV Live HD");
    EXPECT_EQ(mtv.Provider, "BSkyB");
    EXPECT_EQ(mtv.Pids, (decltype(TY_ENIG_CH::Pids){"0202", "", "", "0202", "0296"}));
    EXPECT_EQ(mtv.Flags, 0);
    EXPECT_EQ(mtv.Number, 200);
    const TY_ENIG_TP& tp = Transponders[static_cast<std::size_t>(mtv.TpIndex)];
    EXPECT_EQ(tp.Frequency, "11719000");
    EXPECT_EQ(tp.SymbolRate, "29500000");
    EXPECT_EQ(tp.Position, "028.2E");
    EXPECT_EQ(tp.System, 1);

    std::int32_t number = 0;
    ASSERT_EQ(FindServiceByKey("746C00C0000003F000011", Services, number), 0);
    const TY_ENIG_CH& accion = Services[static_cast<std::size_t>(FindServiceIndexById(number))];
    EXPECT_EQ(accion.Name, "C+ ACCI\xC3\x93N");
    EXPECT_EQ(accion.Provider, "CPC1");
    EXPECT_EQ(Transponders[static_cast<std::size_t>(accion.TpIndex)].Position, "019.2E");
    EXPECT_EQ(ServiceCounter, 200 + 5015);
}

TEST_F(ModelTest, AstraServicesCarryCyrillicNamesCaIdsAndFlags)
{
    const std::string in = (RealSet("enigma2-v4-astra-bouquets") / "lamedb").string();
    LoadTp(Transponders, in);
    LoadChannel(Services, Transponders, true, in);

    // 0109:0082316e:25e4:00d5:1:0:0 / България 24 / p:VIVACOM,C:0000,f:40
    std::int32_t number = 0;
    ASSERT_EQ(FindServiceByKey("01090082316E25E400D51", Services, number), 0);
    const TY_ENIG_CH& bg = Services[static_cast<std::size_t>(FindServiceIndexById(number))];
    EXPECT_EQ(bg.Name, "\xD0\x91\xD1\x8A\xD0\xBB\xD0\xB3\xD0\xB0\xD1\x80\xD0\xB8\xD1\x8F 24");
    EXPECT_EQ(bg.Provider, "VIVACOM");
    EXPECT_EQ(bg.Flags, 0x40);
    EXPECT_EQ(bg.ExtraData, ARR_OF_STRING{"C:0000"});
    const TY_ENIG_TP& tp = Transponders[static_cast<std::size_t>(bg.TpIndex)];
    EXPECT_EQ(tp.Frequency, "12654100");
    EXPECT_EQ(tp.Position, "013.0E");
    EXPECT_EQ(tp.Pilot, 2);

    // 1426:011a2f74:07e7:0002:1:0:0 / RTÉ2+1 / p:BSkyB,C:0000,f:40
    ASSERT_EQ(FindServiceByKey("1426011A2F7407E700021", Services, number), 0);
    EXPECT_EQ(Services[static_cast<std::size_t>(FindServiceIndexById(number))].Name, "RT\xC3\x89" "2+1");
}
