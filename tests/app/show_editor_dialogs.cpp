// show_editor_dialogs <folder> <tp|xml-sat|xml-ter|details|compare>: opens the
// program on a settings folder and shows one dialog over the main window as
// a user would see it, for the screenshots: the transponder editor in edit
// mode, either tab of the list editor, the service details of a selected
// service, or the compare dialog filled from an edited copy of the set (a
// renamed, a retyped, a removed and two new services). Runs until killed.

#include "app/AppForms.h"
#include "app/Unit_ChDetails.h"
#include "app/Unit_Main.h"
#include "app/Unit_Tp.h"
#include "app/Unit_Xml.h"
#include "app/Unit_compare.h"
#include "controls/CfButton.h"
#include "controls/CfPageControl.h"
#include "controls/MessDlgs.h"
#include "settings/FolderIO.h"
#include "settings/ServicesFile.h"
#include "settings/Unit_lib.h"

#include <QApplication>
#include <QTimer>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

// The edited copy the compare dialog reads.
std::string WriteEditedCopy()
{
    const ARR_ENIG_CH keepServices = Services;
    const ARR_ENIG_TP keepTps = Transponders;
    Services[0].Name = "Renamed In Copy";
    Services[1].ServiceType = Services[1].ServiceType == 2 ? 1 : 2;
    Services.erase(Services.begin() + 2);
    TY_ENIG_TP tp = Transponders[0];
    tp.Tsid = "7777";
    tp.Key = tp.Namespace + tp.Tsid + tp.Onid;
    Transponders.push_back(tp);
    for (const char* sid : {"7001", "7002"}) {
        TY_ENIG_CH s = Services[5];
        s.Name = std::string("New service ") + sid;
        s.Sid = sid;
        s.TpIndex = static_cast<std::int32_t>(Transponders.size() - 1);
        Services.push_back(s);
    }
    const fs::path dir = fs::temp_directory_path() / ("chanforge-compare-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string keepSave = TheSaveDir;
    TheSaveDir = dir.string();
    SaveService();
    TheSaveDir = keepSave;
    Services = keepServices;
    Transponders = keepTps;
    return dir.string();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    cf::UseDialogMessages();
    TAppForms forms;
    TForm_Main& main = forms.Main();
    main.setWindowState(Qt::WindowNoState);
    main.SetBounds(0, 0, 1270, 760);
    main.Show();
    if (argc > 1) {
        TheLoadDir = argv[1];
        if (VerFile())
            OpenFile();
    }
    const std::string what = argc > 2 ? argv[2] : "";
    main.SelectRowQuietly(*main.LV_Serv, 3);
    QTimer::singleShot(300, [&main, what] {
        if (what == "tp") {
            QTimer::singleShot(300, [] {
                Form_Tp->Inserting = true; // no question before editing
                Form_Tp->BitBtn_Tp_ModifyClick();
                Form_Tp->Inserting = false;
            });
            main.BitBtn_TpClick();
        } else if (what == "xml-sat" || what == "xml-ter") {
            if (what == "xml-ter")
                QTimer::singleShot(300, [] {
                    Form_Xml->CfPageControl1->SetActivePageIndex(1);
                    Form_Xml->Pop_TerXMLPopup(true);
                    Form_Xml->pop_ter_insertClick();
                    Form_Xml->pop_ter_modifyClick();
                });
            else
                QTimer::singleShot(300, [] {
                    Form_Xml->LV_SatXML->SetSelectedRow(2);
                    Form_Xml->Pop_SatXMLPopup(false);
                    Form_Xml->pop_sat_modifyClick();
                });
            main.BitBtn_XMLClick();
        } else if (what == "details") {
            main.Lv_ServDblClick();
        } else if (what == "compare") {
            const std::string copy = WriteEditedCopy();
            QTimer::singleShot(300, [copy] {
                Form_Compare->CompareFolder(copy);
                Form_Compare->LV_Serv->SetSelectedRow(0);
            });
            main.BitBtn_CompareClick();
        }
    });
    return app.exec();
}
