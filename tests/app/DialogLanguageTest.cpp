// The editor's dialogs and the texts of the receiver link and of the folder
// save in another language: a module chosen in the Options window rewrites
// every dialog already made, the login dialog made later takes it too, and
// the messages come out of the module with their values in place.

#include "app/AppForms.h"
#include "app/Configuration.h"
#include "app/LcUnit.h"
#include "app/MySQLLoginDialog.h"
#include "app/PeWriter.h"
#include "app/ChooseLanguage.h"
#include "app/Unit_ChDetails.h"
#include "app/Unit_Debug.h"
#include "app/Unit_Option.h"
#include "app/Unit_Tp.h"
#include "app/Unit_Xml.h"
#include "app/Unit_compare.h"
#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/CfNotebook.h"
#include "controls/CfLabel.h"
#include "controls/ScriptedMessages.h"
#include "grid/CfGrid.h"
#include "link/Unit_Network.h"
#include "platform/Label.h"
#include "platform/Memo.h"
#include "settings/FolderIO.h"
#include "settings/MessageTexts.h"
#include "settings/Unit_lib.h"

#include "common/TestData.h"
#include "common/OwnConfigTest.h"

#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <netinet/in.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

namespace fs = std::filesystem;
using namespace cf;

namespace {

// One text of a window: its key in the module, its English and Italian
// wording, and where the window shows it.
struct TShownText {
    std::string Key;
    std::string English;
    std::string Italian;
    std::function<std::string(TForm&)> Shown;
};

struct TWindowTexts {
    std::string Resource; // the form resource, named after the window's class
    std::vector<TShownText> Texts;
};

template <class F>
std::string ColumnTitle(TForm& f, TCfGrid* F::*grid, int column)
{
    return (static_cast<F&>(f).*grid)->Columns().Item(column)->Header().Caption();
}

// A caption, a column title and a menu item where the window has them, else
// a label and a button.
const std::vector<TWindowTexts>& Windows()
{
    static const std::vector<TWindowTexts> windows{
        {"TFORM_TP",
         {{"Form_Tp-Caption", "Chanforge - Transponder", "Chanforge - Transponder (it)", [](TForm& f) { return f.Caption(); }},
          {"GV_Tp_List-Columns<0>.Header.Caption", "Transponder", "Trasponditore",
           [](TForm& f) { return ColumnTitle(f, &TForm_Tp::GV_Tp_List, 0); }}}},
        {"TFORM_XML",
         {{"Form_Xml-Caption", "Chanforge - Satellite.xml", "Chanforge - Satelliti.xml", [](TForm& f) { return f.Caption(); }},
          {"LV_SatDataXML-Columns<0>.Header.Caption", "Frequency", "Frequenza",
           [](TForm& f) { return ColumnTitle(f, &TForm_Xml::LV_SatDataXML, 0); }},
          {"pop_sat_modify-Caption", "Edit", "Modifica",
           [](TForm& f) { return static_cast<TForm_Xml&>(f).Pop_SatXML.FindItem("pop_sat_modify")->Caption; }},
          {"pop_ter_delete-Caption", "Delete ", "Elimina ",
           [](TForm& f) { return static_cast<TForm_Xml&>(f).Pop_TerXML.FindItem("pop_ter_delete")->Caption; }},
          {"Tab_Ter-Caption", "Terrestrial", "Terrestre",
           [](TForm& f) { return static_cast<TForm_Xml&>(f).Tab_Ter->Caption(); }}}},
        {"TFORM_CHDETAILS",
         {{"Form_ChDetails-Caption", "Chanforge - Channel Details", "Chanforge - Dettagli canale",
           [](TForm& f) { return f.Caption(); }},
          {"GV_PresentIn-Columns<0>.Header.Caption", "Present in ..", "Presente in ..",
           [](TForm& f) { return ColumnTitle(f, &TForm_ChDetails::GV_PresentIn, 0); }}}},
        {"TFORM_COMPARE",
         {{"Form_Compare-Caption", "Chanforge - Compare services", "Chanforge - Confronta servizi",
           [](TForm& f) { return f.Caption(); }},
          {"LV_Serv-Columns<3>.Header.Caption", "Service", "Servizio",
           [](TForm& f) { return ColumnTitle(f, &TForm_Compare::LV_Serv, 3); }}}},
        {"TFORM_DEBUG",
         {{"Form_Debug-Caption", "Form_Debug", "Finestra di sviluppo", [](TForm& f) { return f.Caption(); }},
          {"Label1-Caption", "LOG", "REGISTRO", [](TForm& f) { return static_cast<TForm_Debug&>(f).Label1->Caption(); }},
          {"Button1-Caption", "Button1", "Pulsante1",
           [](TForm& f) { return static_cast<TForm_Debug&>(f).Button1->Caption(); }}}},
        {"TMYSQLLOGINDIALOG",
         {{"MySQLLoginDialog-Caption", "Database Login", "Accesso al database", [](TForm& f) { return f.Caption(); }},
          {"Label_Server-Caption", "Server:", "Server di database:",
           [](TForm& f) { return static_cast<TMySQLLoginDialog&>(f).Label_Server->Caption(); }},
          {"Button_Cancel-Caption", "Cancel", "Annulla",
           [](TForm& f) { return static_cast<TMySQLLoginDialog&>(f).Button_Cancel->Caption(); }}}},
    };
    return windows;
}

class DialogLanguages : public cftest::OwnConfigTest {
protected:
    void TearDown() override
    {
        DropLanguage();
        OwnConfigTest::TearDown();
    }

    // English (1033) and Italian (1040): every window's texts above, and a
    // message of the link, of the folder save and of the configuration.
    std::string Module()
    {
        std::vector<std::pair<std::string, pe::TBytes>> resources{
            {"LCHEADER", pe::Header(0, {1033, 1040})},
            {std::to_string(rs::ConnectFailed.Id),
             pe::Strings({rs::ConnectFailed.Text, "Impossibile connettersi al ricevitore"})},
            // The values in another order than the English text's.
            {std::to_string(rs::SaveFolderMissing.Id),
             pe::Strings({rs::SaveFolderMissing.Text, "Nulla salvato : la cartella %s non esiste"})},
            {std::to_string(rs::DamagedProfiles.Id),
             pe::Strings({rs::DamagedProfiles.Text, "Profili danneggiati e tralasciati : %s"})},
        };
        for (const TWindowTexts& w : Windows()) {
            std::vector<pe::TFormEntry> entries;
            for (const TShownText& t : w.Texts)
                entries.push_back({t.Key, {t.English, t.Italian}});
            resources.emplace_back(w.Resource, pe::Form(entries));
        }
        const std::string path = (tmp / "chanforge.lcf").string();
        const pe::TBytes bytes = pe::Module(resources);
        pe::WriteFile(path, bytes);
        return path;
    }


    static TForm* Made(const std::string& resource)
    {
        if (resource == "TFORM_TP")
            return Form_Tp;
        if (resource == "TFORM_XML")
            return Form_Xml;
        if (resource == "TFORM_CHDETAILS")
            return Form_ChDetails;
        if (resource == "TFORM_COMPARE")
            return Form_Compare;
        if (resource == "TFORM_DEBUG")
            return Form_Debug;
        return nullptr; // made only when asked for
    }

    // Every window's texts in one language: the windows made at start and
    // the login dialog, read while it is up and then cancelled.
    static void ExpectTexts(bool italian)
    {
        for (const TWindowTexts& w : Windows()) {
            auto check = [&](TForm& f) {
                for (const TShownText& t : w.Texts)
                    EXPECT_EQ(t.Shown(f), italian ? t.Italian : t.English) << w.Resource << " " << t.Key;
            };
            if (TForm* f = Made(w.Resource)) {
                check(*f);
                continue;
            }
            bool seen = false;
            QTimer::singleShot(50, [&] {
                QWidget* up = QApplication::activeModalWidget();
                if (auto* d = dynamic_cast<TMySQLLoginDialog*>(up)) {
                    seen = true;
                    check(*d);
                    d->Button_Cancel->Click();
                } else if (up) {
                    up->close();
                }
            });
            TMySQLLoginValues values{"127.0.0.1", "3306", "root", ""};
            EXPECT_FALSE(MySQLLoginDialog(values));
            EXPECT_TRUE(seen) << w.Resource;
        }
    }
};

TEST_F(DialogLanguages, ChoosingItalianTranslatesEveryDialogAndEnglishPutsThemBack)
{
    TAppForms forms;
    TForm_Option& o = forms.Option();
    o.ModulePath = Module();
    o.FormCreate();
    ExpectTexts(false);

    cftest::ChooseLanguage(o, "Italian (Italy)");
    ExpectTexts(true);

    cftest::ChooseLanguage(o, "English (United States)");
    ExpectTexts(false);
}

// A module names the component whose text it carries: a label without a
// name, or one sharing its name with another of the form, cannot be
// translated, or takes another's text.
TEST_F(DialogLanguages, EveryLabelOfTheDialogsHasANameOfItsOwn)
{
    TAppForms forms;
    for (TForm* f : {static_cast<TForm*>(Form_Tp), static_cast<TForm*>(Form_Xml),
                     static_cast<TForm*>(Form_ChDetails), static_cast<TForm*>(Form_Compare)}) {
        ASSERT_NE(f, nullptr);
        std::set<std::string> names;
        int labels = 0;
        for (QWidget* child : f->findChildren<QWidget*>()) {
            auto* l = dynamic_cast<TCfLabel*>(child);
            if (!l)
                continue;
            ++labels;
            EXPECT_FALSE(l->Name.empty()) << f->Name << " \"" << l->Caption() << "\"";
            EXPECT_TRUE(names.insert(l->Name).second) << f->Name << " " << l->Name;
            EXPECT_EQ(f->FindComponent(l->Name), l) << f->Name << " " << l->Name;
        }
        EXPECT_GT(labels, 0) << f->Name;
    }
    // The transponder editor's number labels keep the names it refers to.
    EXPECT_EQ(Form_Tp->FindComponent("Label_Tsid"), Form_Tp->Label_Tsid);
    EXPECT_EQ(Form_Tp->FindComponent("Label_ONID"), Form_Tp->Label_ONID);
}

TEST_F(DialogLanguages, LinkAndSaveMessagesComeFromTheModuleWithTheirValues)
{
    TAppForms forms;
    TForm_Option& o = forms.Option();
    o.ModulePath = Module();
    o.FormCreate();
    cftest::ChooseLanguage(o, "Italian (Italy)");

    // The link: a receiver that refuses the connection, as the log shows it.
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&a), len), 0);
    ASSERT_EQ(::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len), 0);
    ::close(s); // a port nobody listens on
    TY_PROFILES box;
    box.Name = "Box";
    box.Address = "127.0.0.1";
    box.FtpPort = ntohs(a.sin_port);
    Profiles = {box};
    SelectedProfile = 0;
    TempDir = (tmp / "transfer").string();
    Form_Network->BitBtn_FTP_ReadClick();
    const std::string log = Form_Network->Memo1->Text();
    EXPECT_NE(log.find("Impossibile connettersi al ricevitore"), std::string::npos) << log;
    EXPECT_EQ(log.find(rs::ConnectFailed.Text), std::string::npos) << log;

    // The folder save: a folder that is gone, named where the translation puts it.
    TheSaveDir = (tmp / "gone").string();
    messages.Answer(mrOk);
    EXPECT_FALSE(SaveFile());
    ASSERT_FALSE(messages.Log().empty());
    EXPECT_EQ(messages.Log().back().Text, "Nulla salvato : la cartella " + (tmp / "gone").string() + " non esiste");

    // The configuration's damaged profiles, the names where the translation puts them.
    TConfigurationReport report;
    report.SkippedProfiles = {"06_", "07_"};
    EXPECT_EQ(SkippedProfilesText(report), "Profili danneggiati e tralasciati : 06, 07");
    cftest::ChooseLanguage(o, "English (United States)");
    EXPECT_EQ(SkippedProfilesText(report),
              "Receiver profile(s) 06, 07 in the configuration are damaged (values missing) and were left out");
}

} // namespace
