// The dialogs of the loaded set used one after the other on a copy of the
// real multisat set, through the main window's buttons, keys and the
// dialogs' own edits: a compare with an edited copy, a transponder's
// frequency and TSID, a service's details, a satellite inserted, an .ini
// imported and a terrestrial location made. Saved through the main window,
// each written file differs from the set as written before the edits in
// exactly the lines those edits make, and the folder loads again equal.

#include "DialogFixture.h"

#include "app/CompareSets.h"
#include "app/Configuration.h"
#include "app/DialogBuild.h"
#include "app/Unit_ChDetails.h"
#include "app/Unit_Tp.h"
#include "app/Unit_Xml.h"
#include "app/Unit_compare.h"
#include "controls/CfButton.h"
#include "controls/CfHeaderPanel.h"
#include "controls/CfPageControl.h"
#include "controls/CfPanel.h"
#include "settings/Lookups.h"

#include <map>
#include <set>

namespace fs = std::filesystem;
using namespace cf;
using cftest::DialogFixture;

namespace {

std::vector<std::string> LinesOf(const fs::path& p)
{
    std::vector<std::string> out;
    std::ifstream in(p, std::ios::binary);
    for (std::string l; std::getline(in, l);)
        out.push_back(l);
    return out;
}

// What a written file lost and gained against the same file written before
// the edits, line by line (a line may stand in a file more than once).
struct TLineChanges {
    std::multiset<std::string> Gone, Added;
};

TLineChanges Changes(const fs::path& before, const fs::path& after)
{
    std::multiset<std::string> a, b;
    if (fs::exists(before))
        for (std::string& l : LinesOf(before))
            a.insert(std::move(l));
    for (std::string& l : LinesOf(after))
        b.insert(std::move(l));
    TLineChanges c;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::inserter(c.Gone, c.Gone.end()));
    std::set_difference(b.begin(), b.end(), a.begin(), a.end(), std::inserter(c.Added, c.Added.end()));
    return c;
}

// The three lines of a service in a written lamedb whose reference line
// starts with `ref` ("SSSS:NNNNNNNN:TTTT:OOOO:type:").
std::vector<std::string> ServiceLines(const std::vector<std::string>& lamedb, const std::string& ref)
{
    for (std::size_t i = 0; i + 2 < lamedb.size(); ++i)
        if (lamedb[i].rfind(ref, 0) == 0)
            return {lamedb[i], lamedb[i + 1], lamedb[i + 2]};
    ADD_FAILURE() << "no service " << ref;
    return {"", "", ""};
}

std::string Replaced(std::string s, const std::string& from, const std::string& to)
{
    const std::size_t at = s.find(from);
    EXPECT_NE(at, std::string::npos) << from << " in " << s;
    if (at != std::string::npos)
        s.replace(at, from.size(), to);
    return s;
}

class DialogsEndToEnd : public DialogFixture {
protected:
    int RowOfNumber(std::int32_t number)
    {
        for (int r = 0; r < m->LV_Serv->RowCount(); ++r)
            if (m->NumberOfRow(r) == number)
                return r;
        ADD_FAILURE() << "no row for service " << number;
        return -1;
    }
    std::int32_t NumberOfSid(const std::string& sid, const std::string& tpKey)
    {
        for (const TY_ENIG_CH& s : Services)
            if (std::string(s.Sid) == sid && Transponders[static_cast<std::size_t>(s.TpIndex)].Key == tpKey)
                return s.Number;
        ADD_FAILURE() << "no service " << sid << " on " << tpKey;
        return -1;
    }
    std::int32_t TpOfKey(const std::string& key)
    {
        for (std::size_t i = 0; i < Transponders.size(); ++i)
            if (Transponders[i].Key == key)
                return static_cast<std::int32_t>(i);
        ADD_FAILURE() << "no transponder " << key;
        return -1;
    }
    // Opens a tab of the list editor with a click on it.
    static void ClickTab(TCfPageControl& pages, int index)
    {
        const TRect strip = pages.TabsRect();
        for (int x = strip.Left; x < strip.Right; x += 4)
            if (pages.TabAt(x, (strip.Top + strip.Bottom) / 2) == index) {
                ClickAt(pages, QPoint(x + 6, (strip.Top + strip.Bottom) / 2));
                return;
            }
        ADD_FAILURE() << "no tab " << index;
    }
    // The model as the files carry it: services by key with their texts,
    // flags as written and transponder; bouquets by name and entries, a
    // service entry by its service's key; the tuning lists' values.
    std::vector<std::string> Described()
    {
        std::vector<std::string> r;
        for (const TY_ENIG_TP& t : Transponders)
            r.push_back("T " + t.Key + " " + t.Frequency + " " + t.SymbolRate + " " + t.Position);
        for (const TY_ENIG_CH& s : Services) {
            std::string line = "S " + std::string(s.Key) + "|" + std::string(s.Name) + "|" + std::string(s.Provider) +
                               "|" + std::to_string(s.Flags & ~FLAG_NEW) + "|" +
                               Transponders[static_cast<std::size_t>(s.TpIndex)].Key;
            for (const auto& pid : s.Pids)
                line += "|" + std::string(pid);
            r.push_back(line);
        }
        const TChNumberIndex byNumber(Services);
        for (const ARR_ENIG_UB* list : {&TvBouquets, &RadioBouquets})
            for (const TY_ENIG_UB& b : *list) {
                r.push_back("B " + b.Name);
                for (const auto& e : b.Entries) {
                    const std::int32_t i = e[0] == "S" ? byNumber.Find(std::stoi(std::string(e[1]))) : -1;
                    r.push_back(e[0] + ":" + (i >= 0 ? std::string(Services[static_cast<std::size_t>(i)].Key) : std::string(e[1])) +
                                ":" + e[2]);
                }
            }
        // A load sorts the satellites by position: their order is not
        // part of what the file says.
        std::vector<std::string> sats;
        for (const TY_ENIG_SAT& s : Satellites) {
            std::string sat = "X " + s.Name + " " + s.PositionText + " " + std::to_string(s.Position) + " " +
                              std::to_string(s.Flags);
            for (const TY_ENIG_SAT_DATA& t : s.Transponders) {
                sat += "\n ";
                for (std::int32_t v : t)
                    sat += " " + std::to_string(v);
            }
            sats.push_back(sat);
        }
        std::sort(sats.begin(), sats.end());
        r.insert(r.end(), sats.begin(), sats.end());
        for (const TY_ENIG_TER& l : Terrestrials) {
            r.push_back("L " + l.Name + " " + std::to_string(l.Flags));
            for (const TY_ENIG_TER_DATA& t : l.Transponders)
                r.push_back("  " + std::to_string(t[0]) + " " + std::to_string(t[1]) + " " + std::to_string(t[2]));
        }
        return r;
    }
};

TEST_F(DialogsEndToEnd, EditsMadeInTheDialogsReachTheFilesAndNothingElse)
{
    Dec_Format = false;
    // The set as written before any edit.
    const fs::path base = tmp / "base", saved = tmp / "saved";
    fs::create_directories(base);
    fs::create_directories(saved);
    messages.Answer(mrYes); // all settings files in the target folder will be deleted
    TypeIntoFolderDialog(base);
    Click(*m->BitBtn_Save);
    ASSERT_TRUE(fs::exists(base / "lamedb"));
    messages.Clear();
    const std::vector<std::string> baseDb = LinesOf(base / "lamedb");

    // The services the edits touch, as the real set has them.
    const std::string t1 = "011A000007D10002", t2 = "011A000007D20002", t3 = "011A000007D30002";
    const std::vector<std::string> onT1 = {"0EDE", "0EF9", "0F26", "0F29"};
    const std::int32_t detailed = NumberOfSid("0FA1", t2); // Sky Sports 1 HD
    const std::int32_t onFirstTp = NumberOfSid("0EDE", t1);  // MTV Live HD
    const std::int32_t counter = ServiceCounter;

    // ---- compare with an edited copy of the real set: Sky Sports 3 HD
    // renamed, Penthouse 3D gone, a service on a new transponder added.
    const fs::path other = tmp / "other";
    fs::create_directories(other);
    fs::copy(cftest::RealSet("enigma2-v4-multisat"), other, fs::copy_options::recursive);
    {
        std::vector<std::string> db = LinesOf(other / "lamedb");
        std::vector<std::string> out;
        for (std::size_t i = 0; i < db.size(); ++i) {
            if (db[i] == "0fa3:011a0000:07d2:0002:25:0") {
                out.push_back(db[i]);
                out.push_back("Sky Sports 3 Renamed");
                ++i;
                continue;
            }
            if (db[i] == "14bf:00eb0000:0c84:0003:1:0") {
                i += 2;
                continue;
            }
            if (db[i] == "end" && out.back() == "/") // the transponders' end
                for (const char* l : {"011a0000:0abc:0002", "\ts 12000000:27500000:1:3:282:2:0", "/"})
                    out.push_back(l);
            if (db[i] == "end" && i + 1 < db.size() && db[i + 1].rfind("Editor:", 0) == 0)
                for (const char* l : {"1234:011a0000:0abc:0002:1:0", "Hand Made TV", "p:Hand,c:000100,c:010101"})
                    out.push_back(l);
            out.push_back(db[i]);
        }
        std::ofstream f(other / "lamedb", std::ios::binary | std::ios::trunc);
        for (const std::string& l : out)
            f << l << '\n';
    }
    messages.PressEnter(); // the report
    WhileModal(*Form_Compare, [&] { Click(*m->BitBtn_Compare); }, [&] {
        TForm_Compare& c = *Form_Compare;
        TypeIntoFolderDialog(other);
        Click(*c.BitBtn_FromFile);
        ASSERT_EQ(c.LV_Serv->RowCount(), 3);
        const std::vector<std::pair<std::string, std::string>> rows = {
            {"UPD", "Sky Sports 3 Renamed"}, {"INS", "Hand Made TV"}, {"DEL", "Penthouse 3D"}};
        for (int r = 0; r < 3; ++r) {
            EXPECT_EQ(c.LV_Serv->Cells(CmpColAction, r), rows[r].first);
            EXPECT_EQ(c.LV_Serv->Cells(CmpColService, r), rows[r].second);
        }
        EXPECT_FALSE(c.LV_Serv->Cell(CmpColCheck, 2).AsBoolean()) << "a DEL row starts unticked";
        ClickRow(*c.LV_Serv, 2);
        Click(*c.BitBtn_Check);
        EXPECT_TRUE(c.LV_Serv->Cell(CmpColCheck, 2).AsBoolean());
        EXPECT_TRUE(c.LV_Serv->Cell(CmpColCheck, 0).AsBoolean());
        Click(*c.BitBtn_Update);
    });
    ASSERT_EQ(messages.Log().size(), 1u);
    EXPECT_EQ(messages.Log()[0].Text, " Compare results\n\n1 services deleted\n1 services updated\n"
                                      "1 services inserted\n1 transponder inserted\n");
    messages.Clear();

    // ---- the transponder editor: frequency and TSID of 011a0000:07d1:0002.
    ClickRow(*m->LV_Serv, RowOfNumber(onFirstTp));
    messages.Answer(mrYes);   // all related services will be modified
    messages.PressEnter();    // the service list must be refreshed
    WhileModal(*Form_Tp, [&] { Click(*m->BitBtn_Tp); }, [&] {
        TForm_Tp& t = *Form_Tp;
        ASSERT_EQ(t.SelectedIndex(), TpOfKey(t1));
        Click(*t.BitBtn_Tp_Modify);
        ASSERT_TRUE(t.Editing());
        TypeInto(*t.Tx_Ch_Tp_Freq, "11720000");
        Tab();
        EXPECT_EQ(Focused(), t.Tx_Ch_Tp_TSID->NativeEdit());
        Type(Focused(), "777"); // tabbed into, the old text is selected
        Tab();
        EXPECT_EQ(t.Tx_Ch_Tp_TSID->Text(), "0777");
        EXPECT_EQ(Focused(), t.Tx_Ch_Tp_ONID->NativeEdit());
        Click(*t.BitBtn_Tp_Save);
        EXPECT_FALSE(t.Editing());
        Click(*t.BitBtn_Tp_Exit);
    });
    ASSERT_EQ(messages.Log().size(), 2u);
    EXPECT_EQ(m->NumberOfRow(m->LV_Serv->SelectedRow()), onFirstTp);
    messages.Clear();

    // ---- the service details: name, video and audio PIDs, transponder.
    ClickRow(*m->LV_Serv, RowOfNumber(detailed));
    m->LV_Serv->SetFocus();
    WhileModal(*Form_ChDetails, [&] { KeyTo(m->LV_Serv, Qt::Key_Return, Qt::NoModifier, "\r"); }, [&] {
        TForm_ChDetails& d = *Form_ChDetails;
        EXPECT_EQ(d.Tx_Ch_Name->Text(), "Sky Sports 1 HD");
        TypeInto(*d.Tx_Ch_Name, "Sports Renamed By Hand");
        TypeInto(*d.TX_CH_PID_Vid, "1ff");
        Tab();
        EXPECT_EQ(d.TX_CH_PID_Vid->Text(), "01FF");
        EXPECT_EQ(Focused(), d.TX_CH_PID_AUD->NativeEdit());
        Type(Focused(), "2c");
        Tab();
        EXPECT_EQ(d.TX_CH_PID_AUD->Text(), "002C");
        ClickRow(*d.GV_Tp_List, dlg::FindRow(*d.GV_Tp_List, 1, std::to_string(TpOfKey(t3))));
        EXPECT_EQ(d.Tx_Ch_Tp_Freq->Text(), "11758000");
        Click(*d.CfButt_Save);
    });
    EXPECT_TRUE(messages.Log().empty());
    EXPECT_EQ(m->LV_Serv->Cells(ServColService, m->JumpToChNo(detailed)), "Sports Renamed By Hand");

    // ---- the list editor: a satellite typed in, one imported from an .ini
    // file, a terrestrial location with one transponder.
    const fs::path ini = tmp / "e9b.ini";
    std::ofstream(ini) << "[SATTYPE]\r\n1=0170\r\n2=Amos 17\r\n[DVB]\r\n0=2\r\n1=11727,V,27500,34\r\n"
                          "2=11881,H,27500,23,S2\r\n";
    files.Answers.push_back(ini.string());
    messages.PressEnter(); // the import's report
    WhileModal(*Form_Xml, [&] { Click(*m->BitBtn_XML); }, [&] {
        TForm_Xml& x = *Form_Xml;
        RightClick(*x.LV_SatXML, 0);
        EXPECT_FALSE(x.TransponderMode);
        ChooseMenuItem(x.Pop_SatXML, "Insert");
        const int row = x.LV_SatXML->SelectedRow();
        EXPECT_EQ(x.LV_SatXML->Cells(1, row), "New Sat - 0.0E");
        RightClick(*x.LV_SatXML, row);
        ChooseMenuItem(x.Pop_SatXML, "Edit");
        ASSERT_TRUE(x.CfPanel_DataSat->Visible());
        TypeInto(*x.Tx_Xml_SatName, "Hand Sat");
        Tab();
        EXPECT_EQ(Focused(), x.Tx_XML_SatPos->NativeEdit());
        Type(Focused(), "7.0E");
        Click(*x.Butt_SatXML_Save);
        EXPECT_EQ(x.LV_SatXML->Cells(1, x.LV_SatXML->SelectedRow()), "Hand Sat - 007.0E");
        RightClick(*x.LV_SatXML, x.LV_SatXML->SelectedRow());
        ChooseMenuItem(x.Pop_SatXML, "Import From ini");

        ClickTab(*x.CfPageControl1, 1);
        ASSERT_EQ(x.CfPageControl1->ActivePageIndex(), 1);
        ASSERT_EQ(x.LV_TerXML->RowCount(), 0);
        RightClick(*x.LV_TerXML, -1);
        ChooseMenuItem(x.Pop_TerXML, "Insert");
        RightClick(*x.LV_TerDataXML, -1);
        EXPECT_TRUE(x.TransponderMode);
        ChooseMenuItem(x.Pop_TerXML, "Insert");
        RightClick(*x.LV_TerDataXML, 0);
        ChooseMenuItem(x.Pop_TerXML, "Edit");
        ASSERT_TRUE(x.CfHeaderPanel_terTp->Visible());
        TypeInto(*x.Tx_XML_TerFreq, "474000000");
        Tab(); // into the bandwidth box: Auto, three up is 8 MHz
        for (int i = 0; i < 3; ++i)
            KeyTo(Focused(), Qt::Key_Up);
        Tab(); // constellation: Auto, one up is 64-QAM
        KeyTo(Focused(), Qt::Key_Up);
        Click(*x.Butt_TerXML_Save);
        EXPECT_EQ(x.LV_TerDataXML->Cells(0, 0), "474000000");
        EXPECT_EQ(x.LV_TerDataXML->Cells(1, 0), "8 MHz");
        EXPECT_EQ(x.LV_TerDataXML->Cells(2, 0), "64-QAM");
        Click(*x.Butt_XML_Exit);
    });
    ASSERT_EQ(messages.Log().size(), 1u);
    EXPECT_EQ(messages.Log()[0].Text, "Report\n\nSatellite inserted is : Amos 17 (017.0E)\nTransponder inserted  : 2");

    // ---- saved through the main window.
    const std::vector<std::string> model = Described();
    messages.Answer(mrYes);
    TypeIntoFolderDialog(saved);
    Click(*m->BitBtn_Save);
    ASSERT_TRUE(fs::exists(saved / "lamedb"));

    // lamedb: the transponder's two lines and its services' references;
    // the detailed service's three lines; the renamed service's name; the
    // deleted service's three lines; the inserted transponder and service.
    const std::vector<std::string> db = LinesOf(saved / "lamedb");
    std::multiset<std::string> gone, added;
    gone.insert({"011A0000:07D1:0002", "\ts 11719000:29500000:0:3:0282:2:0:1:1:1"});
    added.insert({"011A0000:0777:0002", "\ts 11720000:29500000:0:3:0282:2:0:1:1:1"});
    for (const std::string& sid : onT1) {
        const std::string ref = ServiceLines(baseDb, sid + ":011A0000:07D1:0002:")[0];
        gone.insert(ref);
        added.insert(Replaced(ref, ":07D1:", ":0777:"));
    }
    const std::vector<std::string> was = ServiceLines(baseDb, "0FA1:011A0000:07D2:0002:");
    gone.insert(was.begin(), was.end());
    EXPECT_EQ(was[1], "Sky Sports 1 HD");
    EXPECT_EQ(was[2], "p:BSkyB,c:000200,c:030200,c:040294,c:050001");
    added.insert({Replaced(was[0], ":07D2:", ":07D3:"), "Sports Renamed By Hand",
                  "p:BSkyB,c:0001FF,c:01002C,c:030200,c:040294,c:050001"});
    // The compare marks the services it updates or inserts as new: written
    // as a flags field of 0000, which receivers read as no flags.
    const std::vector<std::string> updated = ServiceLines(baseDb, "0FA3:011A0000:07D2:0002:");
    EXPECT_EQ(updated[1], "Sky Sports 3 HD");
    gone.insert({updated[1], updated[2]});
    added.insert({"Sky Sports 3 Renamed", updated[2] + ",f:0000"});
    const std::vector<std::string> del = ServiceLines(baseDb, "14BF:00EB0000:0C84:0003:1:");
    gone.insert(del.begin(), del.end());
    added.insert({"011A0000:0ABC:0002", "\ts 12000000:27500000:1:3:0282:2:0", "/",
                  "1234:011A0000:0ABC:0002:1:" + std::to_string(counter), "Hand Made TV",
                  "p:Hand,c:000100,c:010101,f:0000"});
    {
        const TLineChanges c = Changes(base / "lamedb", saved / "lamedb");
        EXPECT_EQ(c.Gone, gone);
        EXPECT_EQ(c.Added, added);
    }
    (void)db;

    // Userbouquets: the references of the services on the edited
    // transponder and of the detailed service follow their keys; the
    // deleted service's entries are gone.
    std::multiset<std::string> bqGone, bqAdded;
    for (const auto& f : fs::directory_iterator(base)) {
        const std::string name = f.path().filename().string();
        if (name.rfind("userbouquet.", 0) != 0)
            continue;
        for (const std::string& l : LinesOf(f.path())) {
            for (const std::string& sid : onT1)
                if (l == "#SERVICE: 1:0:19:" + sid + ":07D1:0002:011A0000:0:0:0:") {
                    bqGone.insert(name + " " + l);
                    bqAdded.insert(name + " " + Replaced(l, ":07D1:", ":0777:"));
                }
            if (l == "#SERVICE: 1:0:19:0FA1:07D2:0002:011A0000:0:0:0:") {
                bqGone.insert(name + " " + l);
                bqAdded.insert(name + " " + Replaced(l, ":07D2:", ":07D3:"));
            }
            if (l == "#SERVICE: 1:0:01:14BF:0C84:0003:00EB0000:0:0:0:")
                bqGone.insert(name + " " + l);
        }
    }
    EXPECT_EQ(bqGone.size(), 21u + 5u + 2u) << "the real set's bouquet lines of these services";
    std::multiset<std::string> allGone, allAdded;
    for (const auto& f : fs::directory_iterator(saved)) {
        const std::string name = f.path().filename().string();
        if (name == "lamedb" || name == "satellites.xml" || name == "terrestrial.xml")
            continue;
        const TLineChanges c = Changes(base / name, f.path());
        for (const std::string& l : c.Gone)
            allGone.insert(name + " " + l);
        for (const std::string& l : c.Added)
            allAdded.insert(name + " " + l);
    }
    for (const auto& f : fs::directory_iterator(base))
        EXPECT_TRUE(fs::exists(saved / f.path().filename())) << f.path().filename();
    EXPECT_EQ(allGone, bqGone);
    EXPECT_EQ(allAdded, bqAdded);

    // satellites.xml: the two new satellites; terrestrial.xml: new, whole.
    {
        const TLineChanges c = Changes(base / "satellites.xml", saved / "satellites.xml");
        EXPECT_TRUE(c.Gone.empty());
        const std::multiset<std::string> want = {
            "\t<sat name=\"Hand Sat\" flags=\"0\" position=\"0070\">",
            "\t</sat>",
            "\t<sat name=\"Amos 17 (017.0E)\" flags=\"1\" position=\"0170\">",
            "\t\t<transponder frequency=\"11727000\" symbol_rate=\"27500000\" polarization=\"1\" fec_inner=\"3\" "
            "inversion=\"0\" modulation=\"0\" system=\"0\"/>",
            "\t\t<transponder frequency=\"11881000\" symbol_rate=\"27500000\" polarization=\"0\" fec_inner=\"2\" "
            "inversion=\"0\" modulation=\"2\" system=\"1\" pilot=\"2\" rolloff=\"0\"/>",
            "\t</sat>"};
        EXPECT_EQ(c.Added, want);
    }
    EXPECT_FALSE(fs::exists(base / "terrestrial.xml"));
    EXPECT_EQ(Read(saved / "terrestrial.xml"), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                               "<locations>\n"
                                               "\t<terrestrial name=\"New Location\" flags=\"0\">\n"
                                               "\t\t<transponder centre_frequency=\"474000000\" bandwidth=\"0\" "
                                               "constellation=\"2\"/>\n"
                                               "\t</terrestrial>\n"
                                               "</locations>\n");

    // Opened again through the main window: the same set.
    TypeIntoFolderDialog(saved);
    Click(*m->BitBtn_Open);
    EXPECT_EQ(TheLoadDir, saved.string());
    EXPECT_EQ(Described(), model);
}

} // namespace
