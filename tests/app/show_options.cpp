// show_options <folder> <profiles|various|italian>: the program's windows on
// a settings folder, for the screenshots. "profiles" and "various" show the
// Options window on that page over the main window; "italian" writes a small
// Italian language module, chooses Italian in the Options window and shows
// the translated main window; "xml-italian" shows the satellite list editor
// translated by the same module over it. Runs until killed.

#include "app/AppForms.h"
#include "app/PeWriter.h"
#include "app/Unit_Main.h"
#include "app/Unit_Option.h"
#include "app/Unit_Xml.h"
#include "controls/CfEdit.h"
#include "controls/MessDlgs.h"
#include "settings/FolderIO.h"
#include "settings/Unit_lib.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

std::string WriteItalianModule()
{
    using E = pe::TFormEntry;
    auto it = [](const char* key, const char* en, const char* itText) { return E{key, {en, itText}}; };
    const pe::TBytes bytes = pe::Module({
        {"LCHEADER", pe::Header(0, {1033, 1040})},
        {"TFORM_MAIN",
         pe::Form({it("BitBtn_Open-Caption", "Open", "Apri"), it("BitBtn_Save-Caption", "Save", "Salva"),
                   it("BitBtn_Net-Caption", "Net", "Rete"), it("BitBtn_Compare-Caption", "Compare", "Confronta"),
                   it("BitBtn_Option-Caption", "Options", "Opzioni"), it("BitBtn_Export-Caption", "Export", "Esporta"),
                   it("BitBtn_About-Caption", "About", "Info"),
                   it("RB_UB_TV-Caption", "TV User Bouquets", "Bouquet TV"),
                   it("RB_UB_RADIO-Caption", "Radio User Bouquets", "Bouquet radio"),
                   it("RB_PROV-Caption", "Providers", "Fornitori"),
                   it("LV_Serv-Columns<2>.Header.Caption", "Number", "Numero"),
                   it("LV_Serv-Columns<3>.Header.Caption", "Type", "Tipo"),
                   it("LV_Serv-Columns<4>.Header.Caption", "Service", "Servizio"),
                   it("LV_Serv-Columns<5>.Header.Caption", "Package", "Pacchetto"),
                   it("LV_Serv-Columns<6>.Header.Caption", "Synt Data", "Dati di sintonia"),
                   it("LV_TypeOfList-Columns<1>.Header.Caption", "Name", "Nome"),
                   it("LV_Details-Columns<2>.Header.Caption", "Name", "Nome"),
                   it("LV_Details-Columns<3>.Header.Caption", "Type", "Tipo")})},
        {"TFORM_XML",
         pe::Form({it("Form_Xml-Caption", "Chanforge - Satellite.xml", "Chanforge - Satelliti.xml"),
                   it("Tab_Sat-Caption", "Satellite", "Satelliti"), it("Tab_Ter-Caption", "Terrestrial", "Terrestri"),
                   it("LV_SatXML-Columns<1>.Header.Caption", "Satellite (Name & Position)", "Satellite (nome e posizione)"),
                   it("LV_SatXML-Columns<2>.Header.Caption", "Net  Scan", "Scansione rete"),
                   it("LV_SatDataXML-Columns<0>.Header.Caption", "Frequency", "Frequenza"),
                   it("LV_SatDataXML-Columns<1>.Header.Caption", "Polarity", "Polarità"),
                   it("LV_SatDataXML-Columns<2>.Header.Caption", "Sym Rate", "Symbol rate"),
                   it("CfHeaderPanel_tp-Caption", "Transponder", "Trasponditore"),
                   it("pop_sat_modify-Caption", "Edit", "Modifica"), it("pop_sat_insert-Caption", "Insert", "Inserisci"),
                   it("pop_sat_delete-Caption", "Delete ", "Elimina ")})},
        {"TFORM_OPTION",
         pe::Form({it("Form_Option-Caption", "Chanforge - Options", "Chanforge - Opzioni"),
                   it("Tab_Sheet_pro-Caption", "Profiles", "Profili"), it("Tab_Sheet_Var-Caption", "Various", "Varie")})},
    });
    const std::string path = "/tmp/show-options-" + std::to_string(QCoreApplication::applicationPid()) + ".lcf";
    pe::WriteFile(path, bytes);
    return path;
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
    const std::string what = argc > 2 ? argv[2] : "profiles";
    TForm_Option& o = forms.Option();
    std::string module;
    if (what == "italian" || what == "xml-italian") {
        module = WriteItalianModule();
        o.ModulePath = module;
        o.FormCreate();
        const auto& items = o.CB_Languages->Items();
        o.CB_Languages->SetItemIndex(int(std::find(items.begin(), items.end(), "Italian (Italy)") - items.begin()));
        o.CB_LanguagesChange();
        if (what == "xml-italian")
            QTimer::singleShot(300, [] { Form_Xml->ShowModal(); });
    } else {
        QTimer::singleShot(300, [&o, what] {
            QTimer::singleShot(200, [&o, what] {
                o.ShowPage(what == "various" ? 1 : 0);
                o.GV_Profiles->SetFocus();
            });
            o.ShowModal();
        });
    }
    const int result = app.exec();
    if (!module.empty())
        std::remove(module.c_str());
    return result;
}
