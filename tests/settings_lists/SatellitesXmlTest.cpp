#include "ListsTestSupport.h"

#include "settings/SatellitesXml.h"

using namespace lists_test;

namespace {

class SatellitesXmlTest : public ListsTest {};

TY_ENIG_SAT_DATA Tp(std::int32_t f, std::int32_t sr, std::int32_t pol, std::int32_t fec, std::int32_t inv,
                    std::int32_t mod, std::int32_t sys, std::int32_t pilot, std::int32_t rolloff)
{
    return {f, sr, pol, fec, inv, mod, sys, pilot, rolloff};
}


// The same, as read from a file that held the attributes `present` (bit
// 1 << field).
TY_ENIG_SAT_DATA Read(TY_ENIG_SAT_DATA tp, std::uint32_t present)
{
    tp.Present = present;
    return tp;
}

// frequency .. system; with pilot and rolloff.
constexpr std::uint32_t kDvbS = 0x7F;
constexpr std::uint32_t kAll = 0x1FF;

TEST_F(SatellitesXmlTest, ReadsReceiverFileSortedEastFirst)
{
    TheLoadDir = (GoldenDir() / "sat-in").string();
    ReadSatXML();
    EXPECT_EQ(ErrorReport, "");
    ASSERT_EQ(Satellites.size(), 3u);

    const TY_ENIG_SAT& astra = Satellites[0];
    EXPECT_EQ(astra.Name, "Astra (19.2\xC2\xB0" "E)"); // Latin-1 degree sign read as UTF-8
    EXPECT_EQ(astra.Flags, 1);
    EXPECT_EQ(astra.Position, 192);
    EXPECT_EQ(astra.PositionText, "019.2E");
    // The third transponder lacks symbol_rate and is passed over.
    ASSERT_EQ(astra.Transponders.size(), 2u);
    EXPECT_EQ(astra.Transponders[0], Read(Tp(11778000, 27500000, 1, 3, 2, 1, 0, 2, 1), kAll));
    TY_ENIG_SAT_DATA multistream = Read(Tp(10744000, 22000000, 3, 4, 2, 2, 1, 2, 0), kAll);
    multistream.Kept = {{"is_id", "3"}, {"pls_code", "262140"}, {"pls_mode", "1"}};
    EXPECT_EQ(astra.Transponders[1], multistream);

    EXPECT_EQ(Satellites[1].Name, "Hot Bird (13.0\xC2\xB0" "E)");
    EXPECT_EQ(Satellites[1].PositionText, "013.0E");
    EXPECT_TRUE(Satellites[1].Transponders.empty());

    const TY_ENIG_SAT& thor = Satellites[2];
    EXPECT_EQ(thor.Name, "Thor & Intelsat (0.8\xC2\xB0W)");
    EXPECT_EQ(thor.Position, -8);
    EXPECT_EQ(thor.PositionText, "000.8W");
    ASSERT_EQ(thor.Transponders.size(), 1u);
    // Polarisation L reads 2; absent attributes read 0 and are marked absent.
    EXPECT_EQ(thor.Transponders[0], Read(Tp(10778000, 24500000, 2, 3, 0, 0, 0, 0, 0), 0xF));
}

TEST_F(SatellitesXmlTest, WritesTheExactLayoutWithLfAndKeepsUnknownAttributes)
{
    TheLoadDir = (GoldenDir() / "sat-in").string();
    ReadSatXML();
    TheSaveDir = temp.path().string();
    SaveSatXml();
    EXPECT_EQ(FileText(temp / "satellites.xml"), FileText(GoldenDir() / "sat-out/satellites.xml"));
}

TEST_F(SatellitesXmlTest, WrittenFileReadsBackToTheSameList)
{
    TheLoadDir = (GoldenDir() / "sat-out").string();
    ReadSatXML();
    ARR_ENIG_SAT first = Satellites;
    TheSaveDir = temp.path().string();
    SaveSatXml();
    TheLoadDir = temp.path().string();
    ReadSatXML();
    EXPECT_EQ(Satellites, first);
    EXPECT_EQ(FileText(temp / "satellites.xml"), FileText(GoldenDir() / "sat-out/satellites.xml"));
}

TEST_F(SatellitesXmlTest, PositionTexts)
{
    struct {
        const char* value;
        const char* text;
        const char* written;
    } cases[] = {
        {"192", "019.2E", "0192"}, {"-300", "030.0W", "-0300"}, {"0", "000.0E", "0000"},
        {"1800", "180.0E", "1800"}, {"-8", "000.8W", "-0008"},   {"-1800", "180.0W", "-1800"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SatPositionText(c.value), c.text) << c.value;
        EXPECT_EQ(SatPositionValue(c.text), c.written) << c.text;
    }
}

TEST_F(SatellitesXmlTest, SortsEastBeforeWest)
{
    std::string text = "<satellites>\n"
                       "<sat name=\"W\" flags=\"0\" position=\"-50\">\n</sat>\n"
                       "<sat name=\"H\" flags=\"0\" position=\"130\">\n</sat>\n"
                       "<sat name=\"A\" flags=\"0\" position=\"192\">\n</sat>\n"
                       "</satellites>\n";
    WriteText(temp / "satellites.xml", text);
    TheLoadDir = temp.path().string();
    ReadSatXML();
    ASSERT_EQ(Satellites.size(), 3u);
    EXPECT_EQ(Satellites[0].PositionText, "019.2E");
    EXPECT_EQ(Satellites[1].PositionText, "013.0E");
    EXPECT_EQ(Satellites[2].PositionText, "005.0W");
}

TEST_F(SatellitesXmlTest, Dvbs2WritesPilotAndRolloffDvbsNeither)
{
    TY_ENIG_SAT sat;
    sat.Name = "S";
    sat.PositionText = "019.2E";
    sat.Position = 192;
    sat.Transponders = {Tp(1, 2, 0, 3, 2, 1, 0, 1, 1), Tp(4, 5, 1, 9, 2, 2, 1, 2, 3)};
    std::string text = FormatSatellitesXml({sat});
    EXPECT_NE(text.find("<transponder frequency=\"1\" symbol_rate=\"2\" polarization=\"0\" fec_inner=\"3\" "
                        "inversion=\"2\" modulation=\"1\" system=\"0\"/>\n"),
              std::string::npos);
    EXPECT_NE(text.find("<transponder frequency=\"4\" symbol_rate=\"5\" polarization=\"1\" fec_inner=\"9\" "
                        "inversion=\"2\" modulation=\"2\" system=\"1\" pilot=\"2\" rolloff=\"3\"/>\n"),
              std::string::npos);
    ARR_ENIG_SAT back;
    std::vector<std::string> problems;
    ParseSatellitesXml(text, back, problems);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(back[0].Transponders[0], Read(Tp(1, 2, 0, 3, 2, 1, 0, 0, 0), kDvbS));
    EXPECT_EQ(back[0].Transponders[1], Read(Tp(4, 5, 1, 9, 2, 2, 1, 2, 3), kAll));
}

TEST_F(SatellitesXmlTest, NamesAreEscapedAndCharactersBeyondLatin1Kept)
{
    TY_ENIG_SAT sat;
    sat.Name = "A&B <\"x\"> \xE2\x82\xAC \xC3\xA9";
    sat.PositionText = "019.2E";
    sat.Position = 192;
    std::string text = FormatSatellitesXml({sat});
    EXPECT_NE(text.find("name=\"A&amp;B &lt;&quot;x&quot;&gt; &#8364; \xE9\""), std::string::npos);
    ARR_ENIG_SAT back;
    std::vector<std::string> problems;
    ParseSatellitesXml(text, back, problems);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].Name, sat.Name);
}

TEST_F(SatellitesXmlTest, SameNamedNeighboursEachGetTheirOwnElement)
{
    TY_ENIG_SAT a;
    a.Name = "Twin";
    a.PositionText = "019.2E";
    a.Position = 192;
    a.Transponders = {Tp(1, 2, 0, 3, 0, 0, 0, 0, 0)};
    TY_ENIG_SAT b = a;
    b.Transponders = {Tp(7, 8, 1, 3, 0, 0, 0, 0, 0)};
    TY_ENIG_SAT empty;
    empty.PositionText = "013.0E";
    empty.Position = 130;
    ARR_ENIG_SAT sats = {empty, a, b};
    std::string text = FormatSatellitesXml(sats);
    ARR_ENIG_SAT back;
    std::vector<std::string> problems;
    ParseSatellitesXml(text, back, problems);
    EXPECT_TRUE(problems.empty());
    for (auto& sat : sats)
        for (auto& tp : sat.Transponders)
            tp.Present = kDvbS; // made here, then read from what was written
    EXPECT_EQ(back, sats);
}

TEST_F(SatellitesXmlTest, BadInputIsSkippedAndReported)
{
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> report;
        size_t satellites;
        size_t transponders; // of the first satellite read
    };
    const std::string tp = "<transponder frequency=\"1\" symbol_rate=\"2\" polarization=\"0\" fec_inner=\"3\"/>\n";
    std::vector<Case> cases = {
        {"transponder before the first satellite",
         "<satellites>\n" + tp + "<sat name=\"A\" flags=\"0\" position=\"1\">\n" + tp + "</sat>\n</satellites>\n",
         {SatXmlNoSatelliteText}, 1, 1},
        {"position not a number",
         "<satellites>\n<sat name=\"X\" flags=\"0\" position=\"19.2E\">\n" + tp +
             "</sat>\n<sat name=\"A\" flags=\"0\" position=\"1\">\n" + tp + "</sat>\n</satellites>\n",
         {SatXmlErrorText}, 1, 1},
        {"frequency not a number",
         "<satellites>\n<sat name=\"A\" flags=\"0\" position=\"1\">\n"
         "<transponder frequency=\"x\" symbol_rate=\"2\" polarization=\"0\" fec_inner=\"3\"/>\n" +
             tp + "</sat>\n</satellites>\n",
         {SatXmlErrorText}, 1, 1},
        {"broken tag",
         "<satellites>\n<sat name=\"A\" flags=\"0\" position=\"1\">\n<transponder frequency=\"1\n" + tp +
             "</sat>\n</satellites>\n",
         {SatXmlErrorText}, 1, 1},
        {"cut short", "<satellites>\n<sat name=\"A\" flags=\"0\" position=\"1\">\n" + tp + "<transp",
         {SatXmlErrorText}, 1, 1},
        {"no root", "<sats>\n</sats>\n", {SatXmlErrorText}, 0, 0},
        {"empty file", "", {SatXmlErrorText}, 0, 0},
    };
    for (const auto& c : cases) {
        ARR_ENIG_SAT sats;
        std::vector<std::string> problems;
        ParseSatellitesXml(c.text, sats, problems);
        EXPECT_EQ(problems, c.report) << c.name;
        ASSERT_EQ(sats.size(), c.satellites) << c.name;
        if (!sats.empty()) {
            EXPECT_EQ(sats[0].Transponders.size(), c.transponders) << c.name;
        }
    }
}

TEST_F(SatellitesXmlTest, ReportGoesToErrorReportAndFileNameCaseDoesNotMatter)
{
    WriteText(temp / "Satellites.XML", "<satellites>\n<transponder frequency=\"1\" symbol_rate=\"2\" "
                                       "polarization=\"0\" fec_inner=\"3\"/>\n</satellites>\n");
    TheLoadDir = temp.path().string();
    ReadSatXML();
    EXPECT_EQ(ErrorReport, std::string("\n") + SatXmlNoSatelliteText);
}

TEST_F(SatellitesXmlTest, MissingFileRaisesIoError)
{
    TheLoadDir = temp.path().string();
    EXPECT_THROW(ReadSatXML(), EInOutError);
}

} // namespace
