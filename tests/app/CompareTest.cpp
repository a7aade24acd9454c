// The compare dialog on a real set: compared with itself, with an edited
// copy from a folder and from a receiver's FTP server on 127.0.0.1, and
// the set saved after the rows were applied.

#include "DialogFixture.h"
#include "link/LinkFixture.h"

#include "app/CompareSets.h"
#include "app/Unit_compare.h"
#include "controls/CfButton.h"
#include "controls/CfPanel.h"
#include "controls_panels/SyntheticInput.h"
#include "link/Unit_Network.h"
#include "settings/ServicesFile.h"

#include <map>

using namespace cf;
using cftest::DialogFixture;

namespace {

class Compare : public DialogFixture {
protected:
    TForm_Compare& c() { return *Form_Compare; }
    fs::path other;

    void SetUp() override
    {
        DialogFixture::SetUp();
        ::TempDir = (tmp / "TmpDirForFtp").string();
    }

    // The rows' actions in order, as "INS Name" texts.
    std::vector<std::string> Actions()
    {
        std::vector<std::string> out;
        for (const TCompareRow& r : c().Rows)
            out.push_back(std::string(ActionText(r.Action)) + " " + r.Service);
        return out;
    }

    // A copy of the set in `other`: service 0 renamed, service 1 of another
    // type, service 2 gone, two new services on one new transponder.
    void WriteEditedCopy()
    {
        const ARR_ENIG_CH keepServices = Services;
        const ARR_ENIG_TP keepTps = Transponders;
        Services[0].Name = "Renamed In Copy";
        Services[1].ServiceType = Services[1].ServiceType == 2 ? 1 : 2;
        Services.erase(Services.begin() + 2);
        TY_ENIG_TP tp = Transponders[0];
        tp.Tsid = "7777";
        tp.Frequency = "12777000";
        tp.Key = tp.Namespace + tp.Tsid + tp.Onid;
        Transponders.push_back(tp);
        for (const char* name : {"New One", "New Two"}) {
            TY_ENIG_CH s = Services[5];
            s.Name = name;
            s.Sid = name[4] == 'O' ? "7001" : "7002";
            s.TpIndex = static_cast<std::int32_t>(Transponders.size() - 1);
            Services.push_back(s);
        }
        other = tmp / "other";
        fs::create_directories(other);
        TheSaveDir = other.string();
        SaveService();
        Services = keepServices;
        Transponders = keepTps;
    }
};

TEST_F(Compare, ASetComparedWithItselfHasNoRows)
{
    messages.PressEnter();
    WhileModal(c(), [&] { Click(*m->BitBtn_Compare); }, [&] {
        c().SelDir = [&] { TheLoadDir = set.string(); return true; };
        Click(*c().BitBtn_FromFile);
        EXPECT_EQ(c().LV_Serv->RowCount(), 0);
        Click(*c().BitBtn_Exit);
    });
    ASSERT_EQ(messages.Log().size(), 1u);
    EXPECT_EQ(messages.Log()[0].Text, CompareSameText);
}

TEST_F(Compare, EditedCopyGivesInsUpdAndDelRowsAndUpdateAppliesThem)
{
    WriteEditedCopy();
    const std::string renamedKey = Services[0].Key, typeChanged = Services[1].Name, gone = Services[2].Name;
    const std::int32_t counter = ServiceCounter;
    const std::size_t tps = Transponders.size();
    messages.PressEnter(); // the report
    WhileModal(c(), [&] { Click(*m->BitBtn_Compare); }, [&] {
        c().SelDir = [&] { TheLoadDir = other.string(); return true; };
        Click(*c().BitBtn_FromFile);
        EXPECT_EQ(Actions(), (std::vector<std::string>{"UPD Renamed In Copy", "INS " + typeChanged, "INS New One",
                                                       "INS New Two", "DEL " + typeChanged, "DEL " + gone}));
        ASSERT_EQ(c().LV_Serv->RowCount(), 6);
        EXPECT_EQ(c().LV_Serv->Cells(CmpColAction, 0), "UPD");
        EXPECT_TRUE(c().LV_Serv->Cell(CmpColCheck, 1).AsBoolean());
        EXPECT_FALSE(c().LV_Serv->Cell(CmpColCheck, 4).AsBoolean());
        EXPECT_EQ(c().Count2Add(), 3);
        // Tick the two DEL rows, untick nothing else.
        c().LV_Serv->SetSelected(4, true);
        c().LV_Serv->SetSelected(5, true);
        Click(*c().BitBtn_Check);
        EXPECT_TRUE(c().LV_Serv->Cell(CmpColCheck, 5).AsBoolean());
        Click(*c().BitBtn_Update);
    });
    ASSERT_EQ(messages.Log().size(), 1u);
    EXPECT_EQ(messages.Log()[0].Text, " Compare results\n\n2 services deleted\n1 services updated\n"
                                      "3 services inserted\n1 transponder inserted\n");
    EXPECT_EQ(Transponders.size(), tps + 1);
    EXPECT_EQ(ServiceCounter, counter + 3);
    const std::int32_t renamed = ServiceNamed("Renamed In Copy");
    EXPECT_EQ(Services[renamed].Key, renamedKey);
    EXPECT_TRUE(Services[renamed].Flags & FLAG_NEW);
    const std::int32_t one = ServiceNamed("New One"), two = ServiceNamed("New Two");
    EXPECT_EQ(Services[one].TpIndex, Services[two].TpIndex);
    EXPECT_EQ(Services[one].Number, counter + 1);
    EXPECT_TRUE(Modified);
    EXPECT_GE(m->JumpToChNo(Services[two].Number), 0);

    // Saved and read again, the set holds what the copy holds.
    SaveAndReload("applied");
    ARR_ENIG_TP copyTps;
    ARR_ENIG_CH copy;
    LoadTp(copyTps, (other / "lamedb").string());
    LoadChannel(copy, copyTps, false, (other / "lamedb").string());
    std::multimap<std::string, std::string> a, b;
    for (const TY_ENIG_CH& s : Services)
        a.emplace(s.Key, s.Name);
    for (const TY_ENIG_CH& s : copy)
        b.emplace(s.Key, s.Name);
    EXPECT_EQ(a, b);
}

TEST_F(Compare, ReadingTheComparedFileLeavesTheSetsVersionAndFileNames)
{
    // An Enigma 1 services file of the same set.
    const fs::path e1 = tmp / "enigma1";
    fs::create_directories(e1);
    SetEnigmaVer(VER_ENIGMA1);
    TheSaveDir = e1.string();
    SaveService();
    SetEnigmaVer(VER_ENIGMA2_4);
    ASSERT_TRUE(fs::exists(e1 / "services"));
    const std::string panel = m->Panel_Version->Caption();
    ReadCompareFile(CompareFilePath(e1.string()));
    EXPECT_EQ(EnigmaVersion, VER_ENIGMA2_4);
    EXPECT_EQ(ServicesFileName, "lamedb");
    EXPECT_EQ(m->Panel_Version->Caption(), panel);
    EXPECT_EQ(CompareServices.size(), Services.size());
}

TEST_F(Compare, AFolderWithoutASettingsFileAfterASuccessfulCompare)
{
    WriteEditedCopy();
    const fs::path empty = tmp / "empty";
    fs::create_directories(empty);
    messages.PressEnter();
    messages.Answer(mrYes);
    WhileModal(c(), [&] { Click(*m->BitBtn_Compare); }, [&] {
        c().SelDir = [&] { TheLoadDir = other.string(); return true; };
        Click(*c().BitBtn_FromFile);
        EXPECT_GT(c().LV_Serv->RowCount(), 0);
        c().SelDir = [&] { TheLoadDir = empty.string(); return true; };
        Click(*c().BitBtn_FromFile);
        Click(*c().BitBtn_Exit);
    });
    ASSERT_EQ(messages.Log().size(), 1u);
    EXPECT_EQ(messages.Log()[0].Text, "File(s) not found : cannot proceed");
}

TEST_F(Compare, FromTheReceiverOverFtp)
{
    WriteEditedCopy();
    Receiver r;
    fs::copy_file(other / "lamedb", r.root / "etc/enigma2/lamedb");
    Profiles = {r.Profile(3)};
    SelectedProfile = 0;
    Form_Network->Link().Timeouts.FtpConnect = 2000;
    Form_Network->Link().Timeouts.FtpRead = 2000;
    WhileModal(c(), [&] { Click(*m->BitBtn_Compare); }, [&] {
        Click(*c().BitBtn_FromRec);
        EXPECT_EQ(c().Rows.size(), 6u);
        EXPECT_FALSE(fs::exists(::TempDir));
        Click(*c().BitBtn_Exit);
    });
    EXPECT_TRUE(messages.Log().empty());
    EXPECT_EQ(EnigmaVersion, VER_ENIGMA2_4);

    // A receiver without the file: its message, and no transfer folder left.
    fs::remove(r.root / "etc/enigma2/lamedb");
    messages.PressEnter();
    WhileModal(c(), [&] { Click(*m->BitBtn_Compare); }, [&] {
        Click(*c().BitBtn_FromRec);
        EXPECT_EQ(c().LV_Serv->RowCount(), 0);
        Click(*c().BitBtn_Exit);
    });
    ASSERT_EQ(messages.Log().size(), 1u);
    EXPECT_EQ(messages.Log()[0].Text, "/etc/enigma2/lamedb -> File not found in your receiver");
    EXPECT_FALSE(fs::exists(::TempDir));
}

TEST_F(Compare, ADeadReceiverIsSaidSo)
{
    cftest::RefusedPort port;
    TY_PROFILES p;
    p.Address = "127.0.0.1";
    p.FtpPort = port.port();
    p.Type = 3;
    p.PRO_Sdir = "/etc/enigma2";
    Profiles = {p};
    SelectedProfile = 0;
    Form_Network->Link().Timeouts.FtpConnect = 1000;
    messages.PressEnter();
    WhileModal(c(), [&] { Click(*m->BitBtn_Compare); }, [&] {
        Click(*c().BitBtn_FromRec);
        Click(*c().BitBtn_Exit);
    });
    ASSERT_EQ(messages.Log().size(), 1u);
    EXPECT_EQ(messages.Log()[0].Text, NoConnectionText);
}

// A folder whose settings file cannot be compared: a message, and no rows
// (the compare before read its file away); a folder without one leaves the
// compare before as it was.
TEST_F(Compare, AFileThatCannotBeReadGivesAMessageAndNoRows)
{
    WriteEditedCopy();
    struct Case {
        const char* name;
        std::function<void(const fs::path&)> make;
        std::string message; // after the folder's path
    };
    const Case cases[] = {
        {"empty", [](const fs::path& d) { std::ofstream(d / "lamedb"); }, "/lamedb cannot be read : no settings file"},
        {"text", [](const fs::path& d) { std::ofstream(d / "lamedb") << "My channel list\nBBC One\nBBC Two\n"; },
         "/lamedb cannot be read : no settings file"},
        {"no services", [](const fs::path& d) {
             std::ofstream(d / "services") << "eDVB services /3/\ntransponders\n00c00000:0441:0001\n"
                                              "\ts 11778000:27500000:1:3:192:2:0\n/\nend\n";
         }, "/services cannot be read : no settings file"},
        {"folder", [](const fs::path& d) { fs::create_directories(d / "lamedb"); }, ""},
    };
    for (const Case& k : cases) {
        const fs::path folder = tmp / k.name;
        fs::create_directories(folder);
        k.make(folder);
        messages.Clear();
        messages.PressEnter();
        WhileModal(c(), [&] { Click(*m->BitBtn_Compare); }, [&] {
            c().SelDir = [&] { TheLoadDir = other.string(); return true; };
            Click(*c().BitBtn_FromFile);
            ASSERT_GT(c().LV_Serv->RowCount(), 0);
            c().SelDir = [&] { TheLoadDir = folder.string(); return true; };
            Click(*c().BitBtn_FromFile);
            EXPECT_EQ(c().LV_Serv->RowCount() == 0, !k.message.empty()) << k.name;
            EXPECT_EQ(c().Rows.empty(), !k.message.empty()) << k.name;
            Click(*c().BitBtn_Exit);
        });
        ASSERT_EQ(messages.Log().size(), 1u) << k.name;
        EXPECT_EQ(messages.Log()[0].Text, k.message.empty() ? FilesNotFoundText() : folder.string() + k.message);
    }
    EXPECT_EQ(EnigmaVersion, VER_ENIGMA2_4);
}

} // namespace
