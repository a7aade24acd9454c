#include "SettingsTestUtil.h"

using namespace cftest;

TEST_F(ModelTest, FecNamesBothWays)
{
    EXPECT_EQ(FecIndexToText("0"), "Auto");
    EXPECT_EQ(FecIndexToText("3"), "3/4");
    EXPECT_EQ(FecIndexToText("9"), "9/10");
    EXPECT_EQ(FecIndexToText("15"), "None");
    EXPECT_EQ(FecIndexToText("12", "previous"), "previous");
    EXPECT_EQ(FecIndexToText("x", "previous"), "previous");

    EXPECT_EQ(FecTextToIndex("Auto"), "0");
    EXPECT_EQ(FecTextToIndex("7/8"), "5");
    EXPECT_EQ(FecTextToIndex("9/10"), "9");
    EXPECT_EQ(FecTextToIndex("1/3"), "15");
    EXPECT_EQ(FecTextToIndex("None"), "15");
    EXPECT_EQ(FecTextToIndex(""), "15");

    EXPECT_EQ(FecNamesDvbS[5], "7/8");
    EXPECT_EQ(FecNamesDvbS[6], "");
    EXPECT_EQ(FecNamesDvbS[15], "None");
}

TEST_F(ModelTest, ServiceTypesAndVersionNames)
{
    for (int t : {1, 4, 25})
        EXPECT_EQ(ServiceTypeText(t), "TV") << t;
    EXPECT_EQ(ServiceTypeText(2), "Radio");
    for (int t : {0, 3, 5, 22, 24, 26, -1})
        EXPECT_EQ(ServiceTypeText(t), "Data") << t;

    EXPECT_EQ(VersionName(2), "ENIGMA");
    EXPECT_EQ(VersionName(3), "ENIGMA 2.3");
    EXPECT_EQ(VersionName(4), "ENIGMA 2.4");
    EXPECT_EQ(VersionName(5), "ENIGMA QB-ONE");
    EXPECT_EQ(VersionName(6), "");
    EXPECT_EQ(VersionName(1), "");
}

TEST_F(ModelTest, DisplayTables)
{
    EXPECT_EQ(PolarisationNames[3], "Right");
    EXPECT_EQ(ModulationNames[2], "M8psk");
    EXPECT_EQ(RollOffNames[3], "Alpha Auto");
    EXPECT_EQ(SystemNames[1], "DVB-S2");
    EXPECT_EQ(ScanFlagNames[1], "Scan only free");
    EXPECT_EQ(BandwidthNames[2], "6 MHz");
    EXPECT_EQ(ConstellationNames[1], "16-QAM");
    EXPECT_EQ(TpKindNames[2], "Cable");
    EXPECT_EQ(InversionNames[2], "Unknown");
    EXPECT_EQ(PilotNames[1], "On");
}
