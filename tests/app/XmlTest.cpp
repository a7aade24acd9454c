// The satellite and terrestrial list editor: the .ini import read as the
// untrusted text it is, the stores and deletes of the lists, and the dialog
// on a real set through the main window's XML button.

#include "DialogFixture.h"

#include "app/DialogBuild.h"
#include "app/TransponderEdit.h"
#include "app/Unit_Xml.h"
#include "app/XmlListEdit.h"
#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/CfPageControl.h"
#include "controls/CfPanel.h"
#include "controls_panels/SyntheticInput.h"

namespace fs = std::filesystem;
using namespace cf;
using cftest::DialogFixture;

namespace {

class IniImport : public ::testing::Test {
protected:
    void SetUp() override { ClearModel(); }
    void TearDown() override { ClearModel(); }
    static std::string Ini(const std::string& position, const std::string& lines)
    {
        return "[SATTYPE]\r\n" + position + "\r\n2=Test Bird\r\n[DVB]\r\n0=3\r\n" + lines;
    }
};

TEST_F(IniImport, PositionLines)
{
    struct Case {
        const char* line;
        bool ok;
        const char* text;
        std::int32_t tenths;
    };
    const Case cases[] = {{"1=0192", true, "019.2E", 192}, {"1=3300", true, "030.0W", -300},
                          {"1=0130", true, "013.0E", 130}, {"1=1800", true, "180.0E", 1800},
                          {"1=1801", true, "179.9W", -1799}, {"1=3601", false, "", 0},
                          {"1=abcd", false, "", 0},        {"1=", false, "", 0},
                          {"1", false, "", 0},             {"1=-192", false, "", 0}};
    for (const Case& c : cases) {
        ClearModel();
        const TIniImport r = ImportIniText(Ini(c.line, ""));
        EXPECT_EQ(r.FormatOk, c.ok) << c.line;
        if (!c.ok) {
            EXPECT_TRUE(Satellites.empty()) << c.line;
            continue;
        }
        ASSERT_EQ(Satellites.size(), 1u);
        EXPECT_EQ(Satellites[0].PositionText, c.text) << c.line;
        EXPECT_EQ(Satellites[0].Position, c.tenths) << c.line;
        EXPECT_EQ(Satellites[0].Name, std::string("Test Bird (") + c.text + ")");
        EXPECT_EQ(Satellites[0].Flags, SATFLAG_NETWORK_SCAN);
    }
    EXPECT_FALSE(ImportIniText("[SATTYPE] \n1=0192\n").FormatOk);
    EXPECT_FALSE(ImportIniText("1=0192\n2=No header\n").FormatOk);
    EXPECT_FALSE(ImportIniText("[SATTYPE]").FormatOk);
}

TEST_F(IniImport, TransponderLines)
{
    struct Case {
        const char* line;
        bool read;
        std::array<std::int32_t, SAT_FIELDS> values; // frequency .. roll-off
    };
    const Case cases[] = {
        {"1=11343,V,22000,23,S2", true, {11343000, 22000000, 1, 2, 0, 2, 1, 2, 0}},
        {"1=10714,H,22000,56", true, {10714000, 22000000, 0, 4, 0, 0, 0, 0, 0}},
        {"1=10714,H,22000,910,DVB-S2", true, {10714000, 22000000, 0, 9, 0, 0, 0, 0, 0}},
        {"1=12000,L,27500,", true, {12000000, 27500000, 0, 0, 0, 0, 0, 0, 0}},
        {"1=12000,V,27500", true, {12000000, 27500000, 1, 0, 0, 0, 0, 0, 0}},
        {"1=12000,V,27500,35,S2", true, {12000000, 27500000, 1, 7, 0, 2, 1, 2, 0}},
        {"1=12000,V,27500,99", true, {12000000, 27500000, 1, 0, 0, 0, 0, 0, 0}},
        {"1=x,H,22000,56", false, {}},
        {"1=9999999,H,22000,56", false, {}},
        {"1=11343,V", false, {}},
        {"1=11343,V,-22000,23", false, {}},
        {"no equals sign", false, {}},
    };
    for (const Case& c : cases) {
        ClearModel();
        const TIniImport r = ImportIniText(Ini("1=0192", std::string(c.line) + "\r\n;comment\r\n\r\n"));
        ASSERT_TRUE(r.FormatOk);
        EXPECT_EQ(r.Inserted, c.read ? 1 : 0) << c.line;
        EXPECT_EQ(r.Skipped, c.read ? 0 : 1) << c.line;
        if (!c.read)
            continue;
        ASSERT_EQ(Satellites[0].Transponders.size(), 1u);
        const TY_ENIG_SAT_DATA& tp = Satellites[0].Transponders[0];
        for (int f = 0; f < SAT_FIELDS; ++f)
            EXPECT_EQ(tp[static_cast<std::size_t>(f)], c.values[static_cast<std::size_t>(f)]) << c.line << " field " << f;
    }
}

TEST_F(IniImport, TheSameFileTwiceAddsNothingTheSecondTime)
{
    const std::string ini = Ini("1=0192", "1=11343,V,22000,23,S2\n2=10714,H,22000,56\n");
    const TIniImport first = ImportIniText(ini);
    EXPECT_EQ(IniReport(first), "Report\n\nSatellite inserted is : Test Bird (019.2E)\nTransponder inserted  : 2");
    EXPECT_TRUE(SatListHeld);
    const TIniImport second = ImportIniText(ini);
    EXPECT_EQ(IniReport(second), "Report\n\nSatellite inserted is : \nTransponder inserted  : 0");
    ASSERT_EQ(Satellites.size(), 1u);
    EXPECT_EQ(Satellites[0].Transponders.size(), 2u);
}

TEST(XmlLists, DeletesGoByIndexWhateverTheOrder)
{
    for (const std::vector<std::int32_t>& order : {std::vector<std::int32_t>{0, 2}, {2, 0}, {2, 0, 2}}) {
        ClearModel();
        for (const char* n : {"A", "B", "C"}) {
            TY_ENIG_SAT s;
            s.Name = n;
            Satellites.push_back(s);
        }
        DeleteSatellites(order);
        ASSERT_EQ(Satellites.size(), 1u);
        EXPECT_EQ(Satellites[0].Name, "B");
    }
    ClearModel();
}

TEST(XmlLists, ASatellitePositionIsStoredInItsSixCharacterForm)
{
    ClearModel();
    AppendSatellite();
    EXPECT_EQ(StoreSatellite(0, "Eutelsat 7", "7.0e", 5), std::nullopt);
    EXPECT_EQ(Satellites[0].PositionText, "007.0E");
    EXPECT_EQ(Satellites[0].Position, 70);
    EXPECT_EQ(Satellites[0].Flags, 5);
    EXPECT_TRUE(StoreSatellite(0, "Broken", "seven east", 0).has_value());
    EXPECT_EQ(Satellites[0].Name, "Eutelsat 7");
    EXPECT_EQ(StoreSatellite(0, "Hispasat", "30.0W", 0), std::nullopt);
    EXPECT_EQ(Satellites[0].Position, -300);
    ClearModel();
}

class XmlDialog : public DialogFixture {
protected:
    TForm_Xml& x() { return *Form_Xml; }
};

TEST_F(XmlDialog, InsertEditImportAndDeleteThenTheSavedListCarriesThem)
{
    const std::size_t sats = Satellites.size();
    ASSERT_GT(sats, 2u);
    const fs::path ini = tmp / "hotbird.ini";
    std::ofstream(ini) << "; test\n[SATTYPE]\n1=0050\n2=Astra 4A\n[DVB]\n0=2\n1=11034,V,27500,34\n"
                          "2=11623,V,27500,23,S2\n3=broken line,,\n";
    files.Answers.push_back(ini.string());
    messages.PressEnter(); // the report
    messages.Answer(mrYes).Answer(mrYes);
    const std::string removed = Satellites[0].Name;
    WhileModal(x(), [&] { Click(*m->BitBtn_XML); }, [&] {
        EXPECT_EQ(x().CfPageControl1->ActivePageIndex(), 0);
        EXPECT_EQ(x().LV_SatXML->RowCount(), static_cast<int>(sats));
        // Insert a satellite: it is selected with no transponders.
        x().Pop_SatXMLPopup(true);
        x().pop_sat_insertClick();
        EXPECT_EQ(x().LV_SatDataXML->RowCount(), 0);
        EXPECT_EQ(x().CurrentListIndex, static_cast<std::int32_t>(sats));
        x().pop_sat_modifyClick();
        EXPECT_TRUE(x().CfPanel_DataSat->Visible());
        x().Tx_Xml_SatName->SetText("Eutelsat 7");
        x().Tx_XML_SatPos->SetText("7.0E");
        Click(*x().Butt_SatXML_Save);
        EXPECT_FALSE(x().CfPanel_DataSat->Visible());
        EXPECT_EQ(x().LV_SatXML->Cells(1, x().LV_SatXML->SelectedRow()), "Eutelsat 7 - 007.0E");
        // A transponder on it.
        x().Pop_SatXMLPopup(false);
        x().pop_sat_insertClick();
        x().pop_sat_modifyClick();
        x().Tx_XML_Freq->SetText("11493000");
        Click(*x().Butt_SatXML_Save);
        // The .ini import.
        x().Pop_SatXMLPopup(true);
        x().Pop_Sat_ImportClick();
        // Re-sorted by name, the first array element is deleted by its index.
        x().LV_SatXML->SortColumn(1, false);
        dlg::SelectRow(*x().LV_SatXML, dlg::FindRow(*x().LV_SatXML, 0, "0"));
        x().Pop_SatXMLPopup(true);
        x().Pop_sat_deleteClick();
        // The terrestrial tab.
        x().CfPageControl1->SetActivePageIndex(1);
        x().Pop_TerXMLPopup(true);
        x().pop_ter_insertClick();
        EXPECT_EQ(x().LV_TerXML->Cells(1, x().LV_TerXML->SelectedRow()), "New Location");
        Click(*x().Butt_XML_Exit);
    });
    ASSERT_EQ(messages.Log().size(), 3u);
    EXPECT_EQ(messages.Log()[0].Text, "Report\n\nSatellite inserted is : Astra 4A (005.0E)\n"
                                      "Transponder inserted  : 2\nLines not understood  : 1");
    EXPECT_EQ(messages.Log()[1].Text, XmlSatDeleteQuestion);
    EXPECT_TRUE(SatListHeld);
    EXPECT_TRUE(TerListHeld);

    const fs::path saved = SaveAndReload("saved");
    const std::string xml = Read(saved / "satellites.xml");
    EXPECT_NE(xml.find("Eutelsat 7"), std::string::npos);
    EXPECT_NE(xml.find("11493000"), std::string::npos);
    EXPECT_NE(xml.find("Astra 4A (005.0E)"), std::string::npos);
    EXPECT_EQ(xml.find("\"" + removed + "\""), std::string::npos);
    EXPECT_EQ(Satellites.size(), sats + 1);
    bool found = false;
    for (const TY_ENIG_SAT& s : Satellites)
        if (s.Name == "Eutelsat 7") {
            found = true;
            EXPECT_EQ(s.Position, 70);
            EXPECT_EQ(s.Transponders.size(), 1u);
        }
    EXPECT_TRUE(found);
    EXPECT_TRUE(fs::exists(saved / "terrestrial.xml"));
}

TEST_F(XmlDialog, ContextMenuStatesAndTheFecListByVersion)
{
    WhileModal(x(), [&] { Click(*m->BitBtn_XML); }, [&] {
        x().Pop_SatXMLPopup(true);
        EXPECT_FALSE(x().TransponderMode);
        EXPECT_EQ(x().Pop_SatXML.FindItem("pop_sat_header")->Caption, "<<SATELLITE>>");
        EXPECT_TRUE(x().Pop_SatXML.FindItem("Pop_Sat_Import")->Enabled);
        x().Pop_SatXMLPopup(false);
        EXPECT_TRUE(x().TransponderMode);
        EXPECT_EQ(x().Pop_SatXML.FindItem("pop_sat_header")->Caption, "<<TRANSPONDER>>");
        EXPECT_FALSE(x().Pop_SatXML.FindItem("Pop_Sat_Import")->Enabled);
        x().Pop_TerXMLPopup(true);
        EXPECT_EQ(x().Pop_TerXML.FindItem("pop_ter_header")->Caption, "<<LOCATION>>");
        EXPECT_EQ(x().TCB_XML_FEC->Items().size(), 11u);
        // A DVB-S transponder shows no pilot and roll-off.
        for (int r = 0; r < x().LV_SatDataXML->RowCount(); ++r)
            if (x().LV_SatDataXML->Cells(6, r) == "DVB-S") {
                EXPECT_EQ(x().LV_SatDataXML->Cells(7, r), "");
                EXPECT_EQ(x().LV_SatDataXML->Cells(8, r), "");
            }
        Click(*x().Butt_XML_Exit);
    });
    SetEnigmaVer(VER_ENIGMA1);
    WhileModal(x(), [&] { Click(*m->BitBtn_XML); }, [&] {
        EXPECT_TRUE(x().TCB_XML_FEC->Items().empty());
        Click(*x().Butt_XML_Exit);
    });
}

} // namespace
