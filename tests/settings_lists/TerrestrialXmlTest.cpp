#include "ListsTestSupport.h"

#include "settings/TerrestrialXml.h"

using namespace lists_test;

namespace {

class TerrestrialXmlTest : public ListsTest {};

TEST_F(TerrestrialXmlTest, ReadsLocationsAndChannels)
{
    TheLoadDir = (GoldenDir() / "ter-in").string();
    ReadTerrXML();
    EXPECT_EQ(ErrorReport, "");
    ASSERT_EQ(Terrestrials.size(), 2u);
    EXPECT_EQ(Terrestrials[0].Name, "Deutschland, alle Regionen");
    EXPECT_EQ(Terrestrials[0].Flags, 5);
    ASSERT_EQ(Terrestrials[0].Transponders.size(), 2u);
    EXPECT_EQ(Terrestrials[0].Kept, (XmlAttributes{{"countrycode", "DEU"}}));
    TY_ENIG_TER_DATA first{474000000, 0, 3};
    first.Kept = {{"code_rate_hp", "5"}, {"guard_interval", "4"}};
    EXPECT_EQ(Terrestrials[0].Transponders[0], first);
    EXPECT_EQ(Terrestrials[0].Transponders[1], (TY_ENIG_TER_DATA{482000000, 0, 2}));
    EXPECT_EQ(Terrestrials[1].Name, "\xC3\x96sterreich <DVB-T2>");
    EXPECT_EQ(Terrestrials[1].Flags, 1);
    ASSERT_EQ(Terrestrials[1].Transponders.size(), 1u);
    TY_ENIG_TER_DATA t2{490000000, 1, 3};
    t2.Kept = {{"system", "1"}, {"plp_id", "0"}};
    EXPECT_EQ(Terrestrials[1].Transponders[0], t2);
}

TEST_F(TerrestrialXmlTest, WritesTheExactLayoutKeepingUnknownAttributes)
{
    TheLoadDir = (GoldenDir() / "ter-in").string();
    ReadTerrXML();
    TheSaveDir = temp.path().string();
    SaveTerXml();
    EXPECT_EQ(FileText(temp / "terrestrial.xml"), FileText(GoldenDir() / "ter-out/terrestrial.xml"));
}

TEST_F(TerrestrialXmlTest, WritesFromTheModelWithoutExtras)
{
    TY_ENIG_TER loc;
    loc.Name = "A & B";
    loc.Flags = 0;
    loc.Transponders = {{177500000, 1, 3}};
    EXPECT_EQ(FormatTerrestrialXml({loc}), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                               "<locations>\n"
                                               "\t<terrestrial name=\"A &amp; B\" flags=\"0\">\n"
                                               "\t\t<transponder centre_frequency=\"177500000\" bandwidth=\"1\" "
                                               "constellation=\"3\"/>\n"
                                               "\t</terrestrial>\n"
                                               "</locations>\n");
}

TEST_F(TerrestrialXmlTest, BadInputIsSkippedAndReported)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<locations>\n"
                       "<transponder centre_frequency=\"1\" bandwidth=\"0\" constellation=\"0\"/>\n"
                       "<terrestrial name=\"A\" flags=\"0\">\n"
                       "<transponder centre_frequency=\"oops\" bandwidth=\"0\" constellation=\"0\"/>\n"
                       "<transponder centre_frequency=\"2\" bandwidth=\"0\"/>\n"
                       "<transponder centre_frequency=\"3\" bandwidth=\"1\" constellation=\"2\"/>\n"
                       "</terrestrial>\n</locations>\n";
    ARR_ENIG_TER locations;
    std::vector<std::string> problems;
    ParseTerrestrialXml(text, locations, problems);
    EXPECT_EQ(problems, (std::vector<std::string>{TerXmlErrorText, TerXmlNoLocationText}));
    ASSERT_EQ(locations.size(), 1u);
    ASSERT_EQ(locations[0].Transponders.size(), 1u);
    EXPECT_EQ(locations[0].Transponders[0], (TY_ENIG_TER_DATA{3, 1, 2}));
}

TEST_F(TerrestrialXmlTest, EachReadReplacesTheList)
{
    TheLoadDir = (GoldenDir() / "ter-in").string();
    ReadTerrXML();
    ReadTerrXML();
    EXPECT_EQ(Terrestrials.size(), 2u);
}

} // namespace
