// The Options window: receiver profiles and options end to end through the
// configuration file, the checks before anything is stored, and switching the
// interface language of every window from a language module.

#include "app/AppForms.h"
#include "app/Configuration.h"
#include "app/LcUnit.h"
#include "app/OptionProfiles.h"
#include "app/PeWriter.h"
#include "app/ChooseLanguage.h"
#include "app/Unit_Main.h"
#include "app/Unit_Option.h"
#include "app/Unit_SelDir.h"
#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/CfLabel.h"
#include "controls/CfNativeEdit.h"
#include "controls/CfNotebook.h"
#include "controls/CfPageControl.h"
#include "controls/CfPanel.h"
#include "controls/ScriptedMessages.h"
#include "grid/CfGrid.h"
#include "platform/ProgramDir.h"
#include "platform/Registry.h"
#include "settings/MessageTexts.h"
#include "settings/Unit_lib.h"

#include "common/TestData.h"
#include "common/OwnConfigTest.h"
#include "controls_panels/SyntheticInput.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace cf;

namespace {

class Options : public cftest::OwnConfigTest {
protected:
    void TearDown() override
    {
        DropLanguage();
        OwnConfigTest::TearDown();
    }

    // A fresh registry object on the configuration file, as a restart reads it.
    static std::map<std::string, std::string> Stored()
    {
        TRegistry reg;
        reg.OpenKey(ConfigurationKey, false);
        std::map<std::string, std::string> values;
        for (const std::string& name : reg.GetValueNames())
            values[name] = reg.GetDataType(name) == TRegDataType::rdString ? reg.ReadString(name)
                                                                           : std::to_string(reg.ReadInteger(name));
        return values;
    }

    static void Open(TForm_Option& o)
    {
        o.Show();
        QApplication::processEvents();
    }

    static void ClickRow(TCfGrid& grid, int row)
    {
        grid.ScrollToRow(row);
        QApplication::processEvents();
        const TRect r = grid.CellRect(0, row);
        ASSERT_FALSE(r.IsEmpty()) << row;
        const TPoint o = grid.ClientOffset();
        Click(grid, QPointF(r.Left + 5 + o.X, (r.Top + r.Bottom) / 2 + o.Y));
    }

    // A click on a tab of the page control's strip.
    static void ClickTab(TForm_Option& o, int page)
    {
        for (const TTabPlace& place : o.PageControl_Opt->TabPlaces()) {
            if (place.Page != o.PageControl_Opt->Pages(page))
                continue;
            const TPoint off = o.PageControl_Opt->ClientOffset();
            Click(*o.PageControl_Opt, QPointF(place.Left + place.Width / 2 + off.X, 10 + off.Y));
            QApplication::processEvents();
            return;
        }
        ADD_FAILURE() << "no tab for page " << page;
    }

    // A click on the box of a check box (the caption beside it is no target).
    static void Tick(TControl& box) { Click(box, QPointF(7, box.height() / 2)); }

    static void Retype(TCfEdit& edit, const std::string& text)
    {
        edit.SetText("");
        Type(edit.NativeEdit(), text);
    }
};

TEST_F(Options, ProfilesAndOptionsReachTheConfigurationAndComeBackAfterARestart)
{
    {
        TAppForms forms;
        TForm_Option& o = forms.Option();
        Open(o);
        ASSERT_EQ(o.GV_Profiles->RowCount(), 6);
        EXPECT_EQ(o.BitBtn_Save->Caption(), "Save current profile");

        Click(*o.CfBu_Profile_new);
        ASSERT_EQ(o.GV_Profiles->RowCount(), 7);
        EXPECT_EQ(o.GV_Profiles->SelectedRow(), 6);
        EXPECT_EQ(o.TX_Name->Text(), "Enigma 1");
        Retype(*o.TX_Name, "Living room");
        o.CB_Type->SetItemIndex(2);
        Retype(*o.Tx_Ip, "192.168.1.20");
        Retype(*o.Tx_UserName, "admin");
        Retype(*o.Tx_Password, "secret");
        Retype(*o.TX_Http_Port, "8080");
        Retype(*o.Tx_Ftp_Port, "2121");
        Tick(*o.rb_passive);
        Retype(*o.TX_Remote_ser, "/etc/enigma2");
        Retype(*o.TX_Remote_Xml, "/etc/tuxbox");
        Click(*o.BitBtn_Save);
        EXPECT_EQ(o.GV_Profiles->Cells(0, 6), "Living room");

        Click(*o.CfBu_Profile_new); // 07
        ClickRow(*o.GV_Profiles, 6);
        EXPECT_EQ(o.TX_Name->Text(), "Living room");
        EXPECT_EQ(o.TX_Http_Port->Text(), "8080");
        Click(*o.CfBu_Profile_new); // 08: now 8 + 1 = 9? no: 6 built in + 3
        ASSERT_EQ(o.GV_Profiles->RowCount(), 9);
        // Delete profile 7 of 9, then 7 of 8, leaving the one saved above.
        ClickRow(*o.GV_Profiles, 7);
        Click(*o.CfBu_Profile_del);
        ASSERT_EQ(o.GV_Profiles->RowCount(), 8);
        ClickRow(*o.GV_Profiles, 7);
        Click(*o.CfBu_Profile_del);
        ASSERT_EQ(o.GV_Profiles->RowCount(), 7);
        EXPECT_TRUE(messages.Log().empty());

        ClickRow(*o.GV_Profiles, 6);
        Click(*o.CfBu_profile_def);
        EXPECT_EQ(SelectedProfile, 6);
        ClickRow(*o.GV_Profiles, 6);
        Click(*o.BitBtn_Save);

        ClickTab(o, 1);
        EXPECT_EQ(o.BitBtn_Save->Caption(), "Save options");
        EXPECT_EQ(o.ActivePageIndex(), 1);
        Tick(*o.CB_RememberWind);
        Tick(*o.CB_ShowGrid);
        Tick(*o.CB_ReadNew);
        Click(*o.BitBtn_Save);
        EXPECT_TRUE(ShowGrid);
        EXPECT_TRUE(forms.Main().LV_Serv->Options() & goGrid);
        o.Hide();
    }
    const auto stored = Stored();
    EXPECT_EQ(stored.at("NoOfProfiles"), "7");
    EXPECT_EQ(stored.at("SelectedProfile"), "6");
    EXPECT_EQ(stored.at("06_PRO_Name"), "Living room");
    EXPECT_EQ(stored.at("06_PRO_Type"), "3");
    EXPECT_EQ(stored.at("06_PRO_Address"), "192.168.1.20");
    EXPECT_EQ(stored.at("06_PRO_User"), "admin");
    EXPECT_EQ(stored.at("06_PRO_Pwd"), "secret");
    EXPECT_EQ(stored.at("06_PRO_Http_Port"), "8080");
    EXPECT_EQ(stored.at("06_PRO_Ftp_Port"), "2121");
    EXPECT_EQ(stored.at("06_PRO_Passive"), "1");
    EXPECT_EQ(stored.at("06_PRO_Sdir"), "/etc/enigma2");
    EXPECT_EQ(stored.at("06_PRO_Xdir"), "/etc/tuxbox");
    EXPECT_EQ(stored.at("RememberW"), "1");
    EXPECT_EQ(stored.at("ShowGrid"), "1");
    EXPECT_EQ(stored.at("ReadNew"), "0");
    EXPECT_EQ(stored.at("ShowSplash"), "1");
    EXPECT_EQ(stored.at("Dec_Format"), "0");
    for (const auto& [name, value] : stored)
        EXPECT_NE(name.substr(0, 3), "07_") << name;
    EXPECT_EQ(stored.count("08_PRO_Name"), 0u);

    // A restart reads the same back.
    ClearModel();
    TRegistry reg;
    const auto report = GetConfiguration(reg);
    EXPECT_TRUE(report.SkippedProfiles.empty());
    ASSERT_EQ(Profiles.size(), 7u);
    EXPECT_EQ(Profiles[6].Name, "Living room");
    EXPECT_EQ(Profiles[6].HttpPort, 8080);
    EXPECT_TRUE(Profiles[6].Passive);
    EXPECT_EQ(Profiles[5].Name, "Box 600");
    EXPECT_EQ(SelectedProfile, 6);
    EXPECT_TRUE(RememberW);
    EXPECT_FALSE(ReadNew);
}

TEST_F(Options, DeletingSixOfEightLeavesStoredValuesMatchingTheList)
{
    TRegistry reg;
    GetConfiguration(reg);
    AddProfile(reg);
    Profiles[6].Name = "six";
    WriteProfile(reg, 6, Profiles[6]);
    AddProfile(reg);
    Profiles[7].Name = "seven";
    WriteProfile(reg, 7, Profiles[7]);
    reg.Flush();
    ASSERT_EQ(DeleteProfile(reg, 6), TDeleteProfile::Deleted);
    const auto stored = Stored();
    EXPECT_EQ(stored.at("NoOfProfiles"), "7");
    EXPECT_EQ(stored.at("06_PRO_Name"), "seven");
    for (const auto& [name, value] : stored)
        EXPECT_NE(name.substr(0, 3), "07_") << name;
    ClearModel();
    TRegistry again;
    GetConfiguration(again);
    ASSERT_EQ(Profiles.size(), 7u);
    EXPECT_EQ(Profiles[6].Name, "seven");
}

TEST_F(Options, DeletingKeepsTheDefaultProfileOnTheSameProfile)
{
    struct Case {
        int selected;
        int deleted;
        int after;
    };
    for (const Case& c : std::vector<Case>{{7, 6, 6}, {6, 6, 0}, {2, 6, 2}, {7, 7, 0}}) {
        ClearModel();
        fs::remove(tmp / "config.ini");
        TRegistry reg;
        GetConfiguration(reg);
        AddProfile(reg);
        AddProfile(reg);
        SelectedProfile = c.selected;
        ASSERT_EQ(DeleteProfile(reg, c.deleted), TDeleteProfile::Deleted);
        EXPECT_EQ(SelectedProfile, c.after) << c.selected << " " << c.deleted;
        EXPECT_EQ(Stored().at("SelectedProfile"), std::to_string(c.after));
        EXPECT_LT(SelectedProfile, int(Profiles.size()));
    }
}

TEST_F(Options, BuiltInProfilesAreNotDeleted)
{
    TAppForms forms;
    TForm_Option& o = forms.Option();
    Open(o);
    for (int row : {0, 5}) {
        messages.Answer(mrOk);
        ClickRow(*o.GV_Profiles, row);
        Click(*o.CfBu_Profile_del);
    }
    ASSERT_EQ(messages.Log().size(), 2u);
    EXPECT_EQ(messages.Log()[0].Text, "This profile is one of the default ones and cannot be delete ");
    EXPECT_EQ(messages.Log()[0].Type, mtError);
    EXPECT_EQ(Profiles.size(), 6u);
    EXPECT_EQ(Stored().at("NoOfProfiles"), "6");
    o.Hide();
}

TEST_F(Options, PortsAreCheckedBeforeAnythingIsStored)
{
    struct Case {
        const char* http;
        const char* ftp;
        bool stored;
    };
    const std::vector<Case> cases{
        {"8080", "2121", true},  {" 80 ", "21", true},   {"65535", "1", true}, {"", "21", false},
        {"0", "21", false},      {"65536", "21", false}, {"80", "2l", false},  {"-1", "21", false},
        {"80", "99999999999", false}, {"80", "+21", false},
    };
    TAppForms forms;
    TForm_Option& o = forms.Option();
    Open(o);
    for (const Case& c : cases) {
        ClickRow(*o.GV_Profiles, 3);
        Retype(*o.TX_Name, "changed");
        Retype(*o.TX_Http_Port, c.http);
        Retype(*o.Tx_Ftp_Port, c.ftp);
        if (!c.stored)
            messages.Answer(mrOk);
        const std::size_t before = messages.Log().size();
        Click(*o.BitBtn_Save);
        const auto stored = Stored();
        EXPECT_EQ(stored.at("03_PRO_Name") == "changed", c.stored) << c.http << " / " << c.ftp;
        EXPECT_EQ(Profiles[3].Name == "changed", c.stored) << c.http << " / " << c.ftp;
        EXPECT_EQ(messages.Log().size() - before, c.stored ? 0u : 1u) << c.http << " / " << c.ftp;
        if (!c.stored) {
            EXPECT_EQ(messages.Log().back().Text.rfind("The port must be a whole number from 1 to 65535 : ", 0), 0u);
        }
        // Put it back for the next case.
        Profiles[3].Name = "Enigma 2.3 (Box 7025)";
        TRegistry reg;
        reg.OpenKey(ConfigurationKey, false);
        WriteProfile(reg, 3, Profiles[3]);
    }
    EXPECT_EQ(ParsePort("8080"), 8080);
    EXPECT_FALSE(ParsePort("8080.5"));
    o.Hide();
}

TEST_F(Options, SavingWithoutASelectedProfileWritesNothing)
{
    TAppForms forms;
    TForm_Option& o = forms.Option();
    Open(o);
    const auto before = Stored();
    o.GV_Profiles->SetSelectedRow(-1);
    Retype(*o.TX_Name, "nowhere");
    Click(*o.BitBtn_Save);
    EXPECT_EQ(Stored(), before);
    o.Hide();
}

TEST_F(Options, DefaultRowIsPaintedRedAndKeptUntilTheProgramEnds)
{
    TAppForms forms;
    TForm_Option& o = forms.Option();
    Open(o);
    ClickRow(*o.GV_Profiles, 3);
    Click(*o.CfBu_profile_def);
    EXPECT_EQ(SelectedProfile, 3);
    ClickRow(*o.GV_Profiles, 1);
    o.GV_Profiles->Render();
    const QImage& img = o.GV_Profiles->BackBuffer();
    auto redPixels = [&](int row) {
        const TRect r = o.GV_Profiles->CellRect(0, row);
        const TPoint off = o.GV_Profiles->ClientOffset();
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
            {
                // Text edges are smoothed: count the clearly red pixels.
                const QColor c = img.pixelColor(x + off.X, y + off.Y);
                n += c.red() > 160 && c.green() < 90 && c.blue() < 90;
            }
        return n;
    };
    EXPECT_GT(redPixels(3), 10);
    EXPECT_EQ(redPixels(0), 0);
    EXPECT_EQ(redPixels(1), 0);
    // Left with Exit: in memory until the end, not stored.
    Click(*o.BitBtn_Exit);
    EXPECT_EQ(SelectedProfile, 3);
    EXPECT_EQ(Stored().at("SelectedProfile"), "0");
}

// ---- languages

class Languages : public Options {
protected:
    std::string Module()
    {
        const std::string path = (tmp / "chanforge.lcf").string();
        const pe::TBytes bytes = pe::Module({
            {"LCHEADER", pe::Header(1, {1033, 1040})},
            {std::to_string(rs::HaltQuestion.Id),
             pe::Strings({"Program will be halted : Are you sure ?", "Program will be halted : Are you sure ?",
                          "Il programma verrà chiuso : sei sicuro ?"})},
            {std::to_string(rs::SaveProfileCaption.Id),
             pe::Strings({"Save current profile", "Save current profile", "Salva profilo corrente"})},
            {"TFORM_MAIN", pe::Form({{"BitBtn_Open-Caption", {"Open", "Apri"}},
                                     {"BitBtn_Option-Caption", {"Options", "Opzioni"}},
                                     {"LV_Serv-Columns<4>.Header.Caption", {"Service", "Servizio"}},
                                     {"Pop_Ch_Insert-Caption", {"Insert service", "Inserisci servizio"}}})},
            {"TFORM_OPTION", pe::Form({{"Form_Option-Caption", {"Chanforge - Options", "Chanforge - Opzioni"}},
                                       {"Tab_Sheet_pro-Caption", {"Profiles", "Profili"}},
                                       {"CfBu_Profile_new-Caption", {"New", "Nuovo"}},
                                       {"Label_Name-Caption", {"Profile name", "Nome profilo"}},
                                       {"CB_Type-Items(3)", {"Enigma 1 QB-One", "Enigma 1 QB-One (Qbox)"}}})},
            {"TFORM_SELDIR", pe::Form({{"Label_Dir-Caption", {"Directory Name", "Nome cartella"}},
                                       {"PopCreateDir-Caption", {"Create Dir", "Crea cartella"}}})},
        });
        pe::WriteFile(path, bytes);
        return path;
    }
};

TEST_F(Languages, ModuleBesideTheProgramIsNamedAfterIt)
{
    const fs::path exe = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(LanguageModulePath(), (fs::path(ProgramFileDir()) / (exe.filename().string() + ".lcf")).string());
}

TEST_F(Languages, ChoosingItalianTranslatesEveryWindowAndEnglishPutsItBack)
{
    TAppForms forms;
    TForm_Main& m = forms.Main();
    TForm_Option& o = forms.Option();
    o.ModulePath = Module();
    o.FormCreate();
    ASSERT_EQ(o.CB_Languages->Items(), (std::vector<std::string>{"English (United States)", "Italian (Italy)"}));
    // First start: the stored name is empty and English stays chosen.
    EXPECT_EQ(o.CB_Languages->Text(), "English (United States)");
    EXPECT_EQ(m.BitBtn_Open->Caption(), "Open");

    SetEnigmaVer(5);
    cftest::ChooseLanguage(o, "Italian (Italy)");
    EXPECT_EQ(m.BitBtn_Open->Caption(), "Apri");
    EXPECT_EQ(m.BitBtn_Option->Caption(), "Opzioni");
    EXPECT_EQ(m.LV_Serv->Columns().Item(4)->Header().Caption(), "Servizio");
    EXPECT_EQ(m.Pop_Lv_Serv.FindItem("Pop_Ch_Insert")->Caption, "Inserisci servizio");
    EXPECT_EQ(o.Caption(), "Chanforge - Opzioni");
    EXPECT_EQ(o.Tab_Sheet_pro->Caption(), "Profili");
    EXPECT_EQ(o.CfBu_Profile_new->Caption(), "Nuovo");
    EXPECT_EQ(o.BitBtn_Save->Caption(), "Salva profilo corrente");
    EXPECT_EQ(o.CB_Type->Items()[3], "Enigma 1 QB-One (Qbox)");
    EXPECT_EQ(Form_SelDir->Label_Dir->Caption(), "Nome cartella");
    EXPECT_EQ(Form_SelDir->PopupMenu_dir->FindItem("PopCreateDir")->Caption, "Crea cartella");
    EXPECT_EQ(m.Panel_Version->Caption(), "ENIGMA QB-ONE");

    messages.Answer(mrNo);
    bool canClose = true;
    m.FormCloseQuery(canClose);
    EXPECT_FALSE(canClose);
    EXPECT_EQ(messages.Log().back().Text, "Il programma verrà chiuso : sei sicuro ?");

    cftest::ChooseLanguage(o, "English (United States)");
    EXPECT_EQ(m.BitBtn_Open->Caption(), "Open");
    EXPECT_EQ(m.LV_Serv->Columns().Item(4)->Header().Caption(), "Service");
    EXPECT_EQ(o.BitBtn_Save->Caption(), "Save current profile");
    EXPECT_EQ(Form_SelDir->Label_Dir->Caption(), "Directory Name");
    messages.Answer(mrNo);
    m.FormCloseQuery(canClose);
    EXPECT_EQ(messages.Log().back().Text, "Program will be halted : Are you sure ?");

    // Saved on the Various page, the choice is the next start's language.
    cftest::ChooseLanguage(o, "Italian (Italy)");
    o.ShowPage(1);
    Click(*o.BitBtn_Save);
    EXPECT_EQ(Stored().at("Languages"), "Italian (Italy)");
}

TEST_F(Languages, StoredLanguageIsAppliedWhenTheWindowIsMade)
{
    TAppForms forms;
    LanguageName = "Italian (Italy)";
    TForm_Option& o = forms.Option();
    o.ModulePath = Module();
    o.FormCreate();
    EXPECT_EQ(o.CB_Languages->Text(), "Italian (Italy)");
    EXPECT_EQ(forms.Main().BitBtn_Open->Caption(), "Apri");
}

TEST_F(Languages, NoModuleOrALanguageItLacksLeavesTheTexts)
{
    TAppForms forms;
    TForm_Option& o = forms.Option();
    o.ModulePath = (tmp / "absent.lcf").string();
    o.FormCreate();
    EXPECT_TRUE(o.CB_Languages->Items().empty());
    EXPECT_EQ(forms.Main().BitBtn_Open->Caption(), "Open");
    EXPECT_FALSE(LanguageActive());

    // A module without the chosen language: the windows keep the texts of
    // the previous choice, message texts are no longer translated.
    o.ModulePath = Module();
    o.FormCreate();
    cftest::ChooseLanguage(o, "Italian (Italy)");
    ASSERT_EQ(forms.Main().BitBtn_Open->Caption(), "Apri");
    o.LanguageIds[0] = 1031; // the module has no German
    o.CB_Languages->SetItemIndex(0);
    o.CB_LanguagesChange();
    EXPECT_FALSE(LanguageActive());
    EXPECT_EQ(forms.Main().BitBtn_Open->Caption(), "Apri");
    EXPECT_EQ(LoadRs(rs::HaltQuestion), "Program will be halted : Are you sure ?");
}

} // namespace
