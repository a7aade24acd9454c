// Byte-exact writing and reading of services files written by hand from
// the file format, one per settings version.

#include "SettingsTestUtil.h"

#include "settings/ServicesFile.h"

using namespace cftest;

namespace {

// The set every golden file holds: a transponder without extras, a DVB-S2
// transponder with extras (FEC 9), a transponder no service uses (written
// all the same: a plain load and save must not drop it), a West
// position with scan flags, cable, terrestrial; services with all PIDs, an
// empty name with flags 0x80 alone, flags 0x81 with only the audio PID,
// non-Latin names, an AC3-only radio service and an edited number.
void BuildModel(int version)
{
    Transponders.clear();
    Services.clear();
    Transponders.push_back(MakeTp("00C00000", "0001", "0001", "S", "11778000", "27500000", "1", "3", "019.2E", 2));
    auto tp1 = MakeTp("00C00000", "0441", "0001", "S", "12515000", "22000000", "0", "9", "019.2E", 2);
    tp1.ScanFlags = 1;
    tp1.System = 1;
    tp1.Modulation = 2;
    tp1.RollOff = 0;
    tp1.Pilot = 2;
    Transponders.push_back(tp1);
    Transponders.push_back(MakeTp("00C00000", "0999", "0001", "S", "10714000", "22000000", "0", "5", "019.2E", 2));
    auto tp3 = MakeTp("FED40000", "0010", "0002", "S", "10845000", "27500000", "0", "2", "030.0W", 0);
    tp3.ScanFlags = 1;
    Transponders.push_back(tp3);
    Transponders.push_back(MakeTp("FFFF0000", "0005", "0085", "C", "346000000", "6900000", "0", "0", "Cable", 0));
    if (version == 5)
        Transponders.push_back(MakeTp("EEEE0000", "0400", "2174", "t", "474000000", "800000", "0", "0", "Terrestrial", 0));
    else
        Transponders.push_back(MakeTp("EEEE0000", "0400", "2174", "T", "474000000", "6900000", "0", "0", "Terrestrial", 0));

    const auto& t = Transponders;
    Services.push_back(MakeCh("0A1F", 0, t, 1, 200, "Das Erste", "ARD", {"0065", "0066", "0068", "0065", ""}, 0));
    Services.push_back(MakeCh("0B20", 1, t, 25, 201, "", "", {}, 0x80));
    Services.push_back(MakeCh("0C21", 1, t, 1, 202, "BBC One", "BBC", {"", "00A1", "", "", ""}, 0x81));
    Services.push_back(MakeCh("1D4C", 3, t, 1, 203, "Первый канал", "ОРТ", {"0100", "", "", "", ""}, 6));
    Services.push_back(MakeCh("0001", 4, t, 2, 204, "Radio 1", "Kabel", {"", "", "", "", "0100"}, 0));
    Services.push_back(MakeCh("00FF", 5, t, 1, 310, "ΕΡΤ1 日本 😀", "ERT", {}, 0));
}

void SelectVersion(int version)
{
    if (version == 5) {
        SetEnigmaVer(2); // QB-One keeps the Enigma 1 names
        TY_PROFILES p;
        p.Type = 4;
        Profiles = {p};
        SaveProfile = 0;
    }
    SetEnigmaVer(version);
}

class GoldenTest : public ModelTest, public ::testing::WithParamInterface<int> {};

} // namespace

TEST_P(GoldenTest, WritesTheFileByteForByte)
{
    const int version = GetParam();
    cftest::ScratchDir dir;
    SelectVersion(version);
    BuildModel(version);
    TheSaveDir = dir.path().string();
    SaveService();

    const std::string expected = ReadBytes(GoldenDir() / ("services_v" + std::to_string(version)));
    ASSERT_FALSE(expected.empty());
    const std::string written = ReadBytes(dir / (version == 2 || version == 5 ? "services" : "lamedb"));
    EXPECT_EQ(written, expected);
    EXPECT_EQ(written.find('\r'), std::string::npos) << "lines end with LF only";
    // Only the target file was written: no temporary file left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST_P(GoldenTest, ReadsTheFileBackIntoTheModel)
{
    const int version = GetParam();
    cftest::ScratchDir dir;
    SetEnigmaVer(3);
    const auto golden = GoldenDir() / ("services_v" + std::to_string(version));

    ARR_ENIG_TP tps;
    ARR_ENIG_CH chs;
    LoadTp(tps, golden.string());
    EXPECT_EQ(EnigmaVersion, version);
    LoadChannel(chs, tps, true, golden.string());
    EXPECT_EQ(ErrorReport, "");

    // Expected: the model as built, the unused transponder too, with the
    // empty name read as ".", numbers given by position, and the extras
    // that the version's line does not carry back at zero.
    SelectVersion(version);
    BuildModel(version);
    ARR_ENIG_TP expTp = Transponders;
    for (auto& tp : expTp) {
        if (version != 4) {
            tp.ScanFlags = 0;
            tp.Pilot = 0;
        }
        if (version == 2 || version == 5) {
            tp.System = tp.Modulation = tp.RollOff = 0;
        }
    }
    if (version == 2)
        expTp[1].Fec = "0"; // Enigma 1 files carry no FEC above 7/8
    ARR_ENIG_CH expCh = Services;
    for (auto& ch : expCh)
        ch.Flags &= 0x7F; // the new mark never reaches a file
    expCh[1].Name = ".";
    expCh[1].Unnamed = true;
    expCh[5].Number = 205;

    ASSERT_EQ(tps.size(), expTp.size());
    for (std::size_t i = 0; i < tps.size(); ++i)
        ExpectSameTp(tps[i], expTp[i], "transponder " + std::to_string(i));
    ASSERT_EQ(chs.size(), expCh.size());
    for (std::size_t i = 0; i < chs.size(); ++i)
        ExpectSameCh(chs[i], expCh[i], "service " + std::to_string(i));
    EXPECT_EQ(ServiceCounter, 206);
}

TEST_P(GoldenTest, WhatWasReadIsWrittenBackUnchanged)
{
    const int version = GetParam();
    cftest::ScratchDir dir;
    const auto golden = GoldenDir() / ("services_v" + std::to_string(version));
    LoadTp(Transponders, golden.string());
    LoadChannel(Services, Transponders, true, golden.string());
    SelectVersion(version);
    TheSaveDir = dir.path().string();
    SaveService();

    // The numbers follow the position (the file's number field is not
    // read), the empty name read as "." is written empty again and f:0000
    // was read as no flags.
    std::string expected = ReadBytes(golden);
    auto replace = [&](const std::string& from, const std::string& to) {
        const auto at = expected.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        expected.replace(at, from.size(), to);
    };
    replace(":1:310\n", ":1:205\n");
    replace(":25:201\n\np:,f:0000\n", ":25:201\n\np:\n");
    EXPECT_EQ(ReadBytes(dir / ServicesFileName), expected);
}

INSTANTIATE_TEST_SUITE_P(Versions, GoldenTest, ::testing::Values(2, 3, 4, 5),
                         [](const auto& info) { return "v" + std::to_string(info.param); });

TEST_F(ModelTest, Version2KeepsTheRealFecInTheModel)
{
    cftest::ScratchDir dir;
    SetEnigmaVer(2);
    BuildModel(2);
    TheSaveDir = dir.path().string();
    SaveService();
    EXPECT_EQ(Transponders[1].Fec, "9");
    EXPECT_NE(ReadBytes(dir / "services").find("\ts 12515000:22000000:0:0:0192:2:\n"), std::string::npos);
    // Saving the same model as lamedb afterwards still has the real rate.
    SetEnigmaVer(4);
    SaveService();
    EXPECT_NE(ReadBytes(dir / "lamedb").find("\ts 12515000:22000000:0:9:0192:2:1:1:2:0:2\n"), std::string::npos);
}

TEST_F(ModelTest, QbOneTerrestrialIsWrittenAsSatelliteOnlyForAQbOneProfile)
{
    cftest::ScratchDir dir;
    SetEnigmaVer(2);
    BuildModel(5);
    TheSaveDir = dir.path().string();
    TY_PROFILES p;
    p.Type = 1;
    Profiles = {p};
    SaveService();
    EXPECT_NE(ReadBytes(dir / "services").find("\tt 474000000:800000:0:0:3:0:\n"), std::string::npos);
}

TEST_F(ModelTest, SaveIntoAMissingFolderRaisesAndLeavesNothing)
{
    cftest::ScratchDir dir;
    BuildModel(3);
    TheSaveDir = (dir / "missing").string();
    EXPECT_THROW(SaveService(), EInOutError);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

TEST_F(ModelTest, FailedSaveKeepsTheOldFile)
{
    cftest::ScratchDir dir;
    BuildModel(3);
    TheSaveDir = dir.path().string();
    WriteBytes(dir / "lamedb", "old");
    // A folder in the place of the temporary file makes the write fail.
    std::filesystem::create_directory(dir / "lamedb.chanforge-new");
    EXPECT_THROW(SaveService(), EInOutError);
    EXPECT_EQ(ReadBytes(dir / "lamedb"), "old");
}
