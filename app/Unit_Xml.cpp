#include "app/Unit_Xml.h"

#include "app/DialogBuild.h"
#include "app/Unit_Main.h"
#include "app/XmlListEdit.h"
#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/CfHeaderPanel.h"
#include "controls/CfPageControl.h"
#include "controls/CfPanel.h"
#include "controls/MessageService.h"
#include "platform/FileDialogs.h"
#include "settings/Fields.h"
#include "settings/NameTables.h"
#include "settings/Unit_lib.h"

#include <QString>

#include <fstream>
#include <sstream>

using namespace cf;

TForm_Xml* Form_Xml = nullptr;

namespace {

const std::vector<std::string> PolItems = {"Horizontal", "Vertical", "Left", "Right"};
const std::vector<std::string> InvItems = {"Off", "On", "Unknown"};
const std::vector<std::string> ModItems = {"Auto", "Qpsk", "M8psk", "QAM"};
const std::vector<std::string> SysItems = {"DVB-S", "DVB-S2"};
const std::vector<std::string> PilotItems = {"Off ", "On ", "Unknown"};
const std::vector<std::string> RollOffItems = {"Alpha 0/35 ", "Alpha 0/25 ", "Alpha 0/20 ", "Alpha Auto"};
const std::vector<std::string> BandItems = {"8 MHz", "7 MHz", "6 MHz", "Auto"};
const std::vector<std::string> ConsItems = {"QPSK", "16-QAM", "64-QAM", "Auto"};
constexpr int SatTpIndexCol = 9;
constexpr int TerTpIndexCol = 3;

template <class Table>
std::string At(const Table& t, std::int32_t i)
{
    return i >= 0 && static_cast<std::size_t>(i) < t.size() ? std::string(t[static_cast<std::size_t>(i)]) : std::string();
}

std::int32_t Flags(TCfCheckBox* ns, TCfCheckBox* bat, TCfCheckBox* onid, TCfCheckBox* skip)
{
    return (ns->Checked() ? SATFLAG_NETWORK_SCAN : 0) | (bat->Checked() ? SATFLAG_USE_BAT : 0) |
           (onid->Checked() ? SATFLAG_USE_ONID : 0) | (skip->Checked() ? SATFLAG_SKIP_NIT : 0);
}

void ShowFlags(std::int32_t flags, TCfCheckBox* ns, TCfCheckBox* bat, TCfCheckBox* onid, TCfCheckBox* skip)
{
    ns->SetChecked(flags & SATFLAG_NETWORK_SCAN);
    bat->SetChecked(flags & SATFLAG_USE_BAT);
    onid->SetChecked(flags & SATFLAG_USE_ONID);
    skip->SetChecked(flags & SATFLAG_SKIP_NIT);
}

void SetFlagCells(TCfGrid& g, int row, std::int32_t flags)
{
    for (int bit = 0; bit < 4; ++bit)
        g.Cell(2 + bit, row).SetAsBoolean((flags >> bit) & 1);
}

void MenuHint(TCfGrid& g)
{
    g.Hint = "Right click for menù";
    g.ShowHint = true;
    g.setToolTip(QString::fromStdString(g.Hint));
}

void ListColumns(TCfGrid& g, const std::string& caption)
{
    dlg::IndexColumn(g)->SetSortType(stNumeric);
    dlg::TextColumn(g, caption, 220);
    for (const char* c : {"Net  Scan", "Use BAT", "Use ONID", "Skip NIT"}) {
        auto* col = dlg::CheckColumn(g, c, 62);
        col->SetOptions(col->Options() & ~coEditing);
    }
    MenuHint(g);
}

} // namespace

TForm_Xml::TForm_Xml(QWidget* owner) : TForm(owner), Pop_SatXML(this), Pop_TerXML(this)
{
    Form_Xml = this;
    Name = "Form_Xml";
    BuildControls();
    BuildMenus();
}

void TForm_Xml::BuildControls()
{
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetCaption("Chanforge - Satellite.xml");
    Position = TPosition::poMainFormCenter;
    SetClientSize(900, 600);

    CfPageControl1 = new TCfPageControl(this);
    CfPageControl1->Name = "CfPageControl1";
    CfPageControl1->SetBounds(8, 8, 884, 548);
    // Two fixed tabs: nothing to scroll, and closing one would hide a list.
    CfPageControl1->SetOptions(pgBoldActiveTab | pgTopBorder | pgPageBorder);
    Tab_Sat = new TCfTabSheet(CfPageControl1);
    Tab_Sat->Name = "Tab_Sat"; // named, so a language module reaches the tab captions
    Tab_Sat->SetCaption("Satellite");
    Tab_Ter = new TCfTabSheet(CfPageControl1);
    Tab_Ter->Name = "Tab_Ter";
    Tab_Ter->SetCaption("Terrestrial");

    // ---- satellites
    LV_SatXML = dlg::Grid(Tab_Sat, "LV_SatXML", 6, 6, 490, 300, true);
    ListColumns(*LV_SatXML, "Satellite (Name & Position)");
    LV_SatDataXML = dlg::Grid(Tab_Sat, "LV_SatDataXML", 502, 6, 366, 300, true);
    const std::pair<const char*, int> tpCols[] = {{"Frequency", 80}, {"Polarity", 70}, {"Sym Rate", 76},
                                                  {"FEC", 44},       {"Inversion", 64}, {"Modulation", 70},
                                                  {"System", 56},    {"Pilot", 50},     {"Roll-Off", 80}};
    for (const auto& [c, w] : tpCols)
        dlg::TextColumn(*LV_SatDataXML, c, w);
    dlg::IndexColumn(*LV_SatDataXML);
    LV_SatDataXML->Columns().Item(0)->SetSortType(stNumeric);
    MenuHint(*LV_SatDataXML);

    CfPanel_DataSat = dlg::Panel(Tab_Sat, "CfPanel_DataSat", 6, 312, 862, 200);
    CfHeaderPanel_tp = dlg::Group(CfPanel_DataSat, "CfHeaderPanel_tp", "Transponder", 0, 0, 556, 196);
    QWidget* t = CfHeaderPanel_tp;
    auto row = [&](QWidget* p, const std::string& caption, int x, int y) { dlg::Label(p, caption, x, y + 3, 84); };
    row(t, "Frequency", 8, 30);
    Tx_XML_Freq = dlg::Edit(t, "Tx_XML_Freq", 96, 30, 160);
    row(t, "Sym Rate", 8, 56);
    Tx_XML_Srate = dlg::Edit(t, "Tx_XML_Srate", 96, 56, 160);
    row(t, "FEC", 8, 82);
    TCB_XML_FEC = dlg::Combo(t, "TCB_XML_FEC", {}, 96, 82, 160);
    row(t, "Polarity", 8, 108);
    TCB_XML_Pol = dlg::Combo(t, "TCB_XML_Pol", PolItems, 96, 108, 160);
    row(t, "Inversion", 8, 134);
    TCB_XML_Inv = dlg::Combo(t, "TCB_XML_Inv", InvItems, 96, 134, 160);
    row(t, "Modulation", 280, 30);
    TCB_XML_Mod = dlg::Combo(t, "TCB_XML_Mod", ModItems, 376, 30, 160);
    row(t, "System", 280, 56);
    TCB_XML_Sys = dlg::Combo(t, "TCB_XML_Sys", SysItems, 376, 56, 160);
    row(t, "Pilot", 280, 82);
    TCB_XML_Pilot = dlg::Combo(t, "TCB_XML_Pilot", PilotItems, 376, 82, 160);
    row(t, "Roll-Off", 280, 108);
    TCB_XML_Rolloff = dlg::Combo(t, "TCB_XML_Rolloff", RollOffItems, 376, 108, 160);

    CfHeaderPanel_Sat = dlg::Group(CfPanel_DataSat, "CfHeaderPanel_Sat", "Sat", 562, 0, 300, 160);
    QWidget* s = CfHeaderPanel_Sat;
    row(s, "Name", 8, 30);
    Tx_Xml_SatName = dlg::Edit(s, "Tx_Xml_SatName", 80, 30, 210);
    row(s, "Position", 8, 56);
    Tx_XML_SatPos = dlg::Edit(s, "Tx_XML_SatPos", 80, 56, 90);
    CB_XML_NS = dlg::Check(s, "CB_XML_NS", "Net Scan", 8, 88, 130);
    CB_XML_BAT = dlg::Check(s, "CB_XML_BAT", "Use BAT", 150, 88, 130);
    CB_XML_ONID = dlg::Check(s, "CB_XML_ONID", "Use ONID", 8, 114, 130);
    CB_XML_SKIP = dlg::Check(s, "CB_XML_SKIP", "Skip NIT", 150, 114, 130);
    Butt_SatXML_Save = dlg::Button(CfPanel_DataSat, "Butt_SatXML_Save", "Save", 682, 168);
    Butt_SatXML_Cancel = dlg::Button(CfPanel_DataSat, "Butt_SatXML_Cancel", "Cancel", 772, 168);

    // ---- terrestrial locations
    LV_TerXML = dlg::Grid(Tab_Ter, "LV_TerXML", 6, 6, 490, 300, true);
    ListColumns(*LV_TerXML, "Terrestrial location");
    LV_TerDataXML = dlg::Grid(Tab_Ter, "LV_TerDataXML", 502, 6, 366, 300, true);
    dlg::TextColumn(*LV_TerDataXML, "Frequency", 120)->SetSortType(stNumeric);
    dlg::TextColumn(*LV_TerDataXML, "BandWidth", 100);
    dlg::TextColumn(*LV_TerDataXML, "Constellation", 120);
    dlg::IndexColumn(*LV_TerDataXML);
    MenuHint(*LV_TerDataXML);

    CfPanel_DataTer = dlg::Panel(Tab_Ter, "CfPanel_DataTer", 6, 312, 862, 200);
    CfHeaderPanel_terTp = dlg::Group(CfPanel_DataTer, "CfHeaderPanel_terTp", "Transponder", 0, 0, 556, 130);
    QWidget* tt = CfHeaderPanel_terTp;
    row(tt, "Frequency", 8, 30);
    Tx_XML_TerFreq = dlg::Edit(tt, "Tx_XML_TerFreq", 96, 30, 160);
    row(tt, "BandWidth", 8, 56);
    TCB_TerrXML_Band = dlg::Combo(tt, "TCB_TerrXML_Band", BandItems, 96, 56, 160);
    row(tt, "Constellation", 8, 82);
    TCB_TerXML_Cons = dlg::Combo(tt, "TCB_TerXML_Cons", ConsItems, 96, 82, 160);
    CfHeaderPanel_ter = dlg::Group(CfPanel_DataTer, "CfHeaderPanel_ter", "Location", 562, 0, 300, 160);
    QWidget* l = CfHeaderPanel_ter;
    row(l, "Name", 8, 30);
    Tx_Xml_TerName = dlg::Edit(l, "Tx_Xml_TerName", 80, 30, 210);
    CB_XML_TerNS = dlg::Check(l, "CB_XML_TerNS", "Net Scan", 8, 88, 130);
    CB_XML_TerBAT = dlg::Check(l, "CB_XML_TerBAT", "Use BAT", 150, 88, 130);
    CB_XML_TerONID = dlg::Check(l, "CB_XML_TerONID", "Use ONID", 8, 114, 130);
    CB_XML_TerSKIP = dlg::Check(l, "CB_XML_TerSKIP", "Skip NIT", 150, 114, 130);
    Butt_TerXML_Save = dlg::Button(CfPanel_DataTer, "Butt_TerXML_Save", "Save", 682, 168);
    Butt_TerrXML_Cancel = dlg::Button(CfPanel_DataTer, "Butt_TerrXML_Cancel", "Cancel", 772, 168);

    Butt_XML_Exit = dlg::Button(this, "Butt_XML_Exit", "Exit", 812, 566);
    Butt_XML_Exit->ModalResult = mrCancel;

    LV_SatXML->OnSelectCell = [this](QObject*, int, int) { LV_SatXMLSelectCell(); };
    LV_TerXML->OnSelectCell = [this](QObject*, int, int) { LV_TerXMLSelectCell(); };
    LV_SatDataXML->OnSelectCell = [this](QObject*, int, int) { LV_SatDataXMLSelectCell(); };
    LV_TerDataXML->OnSelectCell = [this](QObject*, int, int) { LV_TerDataXMLSelectCell(); };
    Butt_SatXML_Save->OnClick = [this](TControl*) { BitBtn_XML_SaveClick(); };
    Butt_SatXML_Cancel->OnClick = [this](TControl*) { Butt_SatXML_CancelClick(); };
    Butt_TerXML_Save->OnClick = [this](TControl*) { Butt_TerXML_SaveClick(); };
    Butt_TerrXML_Cancel->OnClick = [this](TControl*) { Butt_TerrXML_CancelClick(); };
    TCB_XML_Sys->OnChange = [this](QObject*) { TCB_XML_SysChange(); };
    Diritti(false);
}

void TForm_Xml::BuildMenus()
{
    auto build = [](TPopupMenu& menu, const char* prefix) {
        menu.Add(std::string(prefix) + "_header", "");
        menu.Items.AddSeparator();
        menu.Add(std::string(prefix) + "_modify", "Edit");
        menu.Add(std::string(prefix) + "_insert", "Insert");
        menu.Add(std::string(prefix) + "_delete", "Delete ");
    };
    build(Pop_SatXML, "pop_sat");
    Pop_SatXML.Items.AddSeparator();
    Pop_SatXML.Add("Pop_Sat_Import", "Import From ini");
    build(Pop_TerXML, "pop_ter");
    Pop_SatXML.FindItem("pop_sat_header")->Enabled = false;
    Pop_TerXML.FindItem("pop_ter_header")->Enabled = false;
    Pop_SatXML.FindItem("pop_sat_modify")->OnClick = [this](TMenuItem&) { pop_sat_modifyClick(); };
    Pop_SatXML.FindItem("pop_sat_insert")->OnClick = [this](TMenuItem&) { pop_sat_insertClick(); };
    Pop_SatXML.FindItem("pop_sat_delete")->OnClick = [this](TMenuItem&) { Pop_sat_deleteClick(); };
    Pop_SatXML.FindItem("Pop_Sat_Import")->OnClick = [this](TMenuItem&) { Pop_Sat_ImportClick(); };
    Pop_TerXML.FindItem("pop_ter_modify")->OnClick = [this](TMenuItem&) { pop_ter_modifyClick(); };
    Pop_TerXML.FindItem("pop_ter_insert")->OnClick = [this](TMenuItem&) { pop_ter_insertClick(); };
    Pop_TerXML.FindItem("pop_ter_delete")->OnClick = [this](TMenuItem&) { pop_ter_deleteClick(); };

    const std::tuple<TCfGrid*, TPopupMenu*, bool, bool> grids[] = {{LV_SatXML, &Pop_SatXML, true, true},
                                                                   {LV_SatDataXML, &Pop_SatXML, false, true},
                                                                   {LV_TerXML, &Pop_TerXML, true, false},
                                                                   {LV_TerDataXML, &Pop_TerXML, false, false}};
    for (const auto& [grid, menu, onList, sat] : grids) {
        TCfGrid* g = grid;
        TPopupMenu* m = menu;
        const bool list = onList, satellites = sat;
        g->OnMouseUp = [this, g, m, list, satellites](TControl*, TMouseButton button, TShiftState, int x, int y) {
            if (button != mbRight)
                return;
            satellites ? Pop_SatXMLPopup(list) : Pop_TerXMLPopup(list);
            const TPoint at = g->ClientToScreen(TPoint(x, y));
            m->Popup(at.X, at.Y);
        };
    }
}

std::int32_t TForm_Xml::RowIndex(TCfGrid& grid, int column)
{
    const int row = grid.SelectedRow();
    std::int32_t v = -1;
    if (row < 0 || !TryParseInt(grid.Cells(column, row), v))
        return -1;
    return v;
}

std::vector<std::int32_t> TForm_Xml::SelectedIndexes(TCfGrid& grid, int column)
{
    std::vector<std::int32_t> out;
    for (int r = 0; r < grid.RowCount(); ++r)
        if (grid.Selected(r) || r == grid.SelectedRow()) {
            std::int32_t v = -1;
            if (TryParseInt(grid.Cells(column, r), v))
                out.push_back(v);
        }
    return out;
}

void TForm_Xml::FormShow()
{
    CfPageControl1->SetActivePageIndex(0);
    FillSat();
    FillTer();
    TCB_XML_FEC->SetItems(EnigmaVersion == VER_ENIGMA2_3 || EnigmaVersion == VER_ENIGMA2_4
                              ? std::vector<std::string>{"Auto", "1/2", "2/3", "3/4", "3/5", "4/5", "5/6", "7/8",
                                                         "8/9", "9/10", "None"}
                              : std::vector<std::string>{});
    Diritti(false);
}

void TForm_Xml::FillSat()
{
    LV_SatDataXML->ClearRows();
    LV_SatXML->BeginUpdate();
    LV_SatXML->ClearRows();
    LV_SatXML->AddRows(static_cast<int>(Satellites.size()));
    for (std::size_t i = 0; i < Satellites.size(); ++i) {
        const int r = static_cast<int>(i);
        LV_SatXML->SetCells(0, r, std::to_string(i));
        LV_SatXML->SetCells(1, r, Satellites[i].Name + " - " + Satellites[i].PositionText);
        SetFlagCells(*LV_SatXML, r, Satellites[i].Flags);
    }
    LV_SatXML->SortColumn(0, true);
    LV_SatXML->EndUpdate();
    dlg::SelectRow(*LV_SatXML, 0);
    LV_SatXMLSelectCell();
    LV_SatXML->SetFocus();
}

void TForm_Xml::FillTer()
{
    LV_TerDataXML->ClearRows();
    LV_TerXML->BeginUpdate();
    LV_TerXML->ClearRows();
    LV_TerXML->AddRows(static_cast<int>(Terrestrials.size()));
    for (std::size_t i = 0; i < Terrestrials.size(); ++i) {
        const int r = static_cast<int>(i);
        LV_TerXML->SetCells(0, r, std::to_string(i));
        LV_TerXML->SetCells(1, r, Terrestrials[i].Name);
        SetFlagCells(*LV_TerXML, r, Terrestrials[i].Flags);
    }
    LV_TerXML->SortColumn(0, true);
    LV_TerXML->EndUpdate();
    dlg::SelectRow(*LV_TerXML, 0);
    LV_TerXMLSelectCell();
}

void TForm_Xml::SetSatTpRow(int row, std::int32_t index)
{
    const TY_ENIG_SAT_DATA& tp =
        Satellites[static_cast<std::size_t>(CurrentListIndex)].Transponders[static_cast<std::size_t>(index)];
    LV_SatDataXML->SetCells(0, row, std::to_string(tp[SAT_FREQUENCY]));
    LV_SatDataXML->SetCells(1, row, At(PolItems, tp[SAT_POLARISATION]));
    LV_SatDataXML->SetCells(2, row, std::to_string(tp[SAT_SYMBOLRATE]));
    LV_SatDataXML->SetCells(3, row, FecIndexToText(std::to_string(tp[SAT_FEC])));
    LV_SatDataXML->SetCells(4, row, At(InvItems, tp[SAT_INVERSION]));
    LV_SatDataXML->SetCells(5, row, At(ModItems, tp[SAT_MODULATION]));
    LV_SatDataXML->SetCells(6, row, At(SysItems, tp[SAT_SYSTEM]));
    LV_SatDataXML->SetCells(7, row, tp[SAT_SYSTEM] == 1 ? At(PilotItems, tp[SAT_PILOT]) : std::string());
    LV_SatDataXML->SetCells(8, row, tp[SAT_SYSTEM] == 1 ? At(RollOffItems, tp[SAT_ROLLOFF]) : std::string());
    LV_SatDataXML->SetCells(SatTpIndexCol, row, std::to_string(index));
}

void TForm_Xml::SetTerTpRow(int row, std::int32_t index)
{
    const TY_ENIG_TER_DATA& tp =
        Terrestrials[static_cast<std::size_t>(CurrentListIndex)].Transponders[static_cast<std::size_t>(index)];
    LV_TerDataXML->SetCells(0, row, std::to_string(tp[TER_FREQUENCY]));
    LV_TerDataXML->SetCells(1, row, At(BandItems, tp[TER_BANDWIDTH]));
    LV_TerDataXML->SetCells(2, row, At(ConsItems, tp[TER_CONSTELLATION]));
    LV_TerDataXML->SetCells(TerTpIndexCol, row, std::to_string(index));
}

void TForm_Xml::LV_SatXMLSelectCell()
{
    CurrentListIndex = RowIndex(*LV_SatXML, 0);
    LV_SatDataXML->BeginUpdate();
    LV_SatDataXML->ClearRows();
    if (CurrentListIndex >= 0 && static_cast<std::size_t>(CurrentListIndex) < Satellites.size()) {
        const auto n = Satellites[static_cast<std::size_t>(CurrentListIndex)].Transponders.size();
        LV_SatDataXML->AddRows(static_cast<int>(n));
        for (std::size_t i = 0; i < n; ++i)
            SetSatTpRow(static_cast<int>(i), static_cast<std::int32_t>(i));
        LV_SatDataXML->SortColumn(0, true);
    }
    LV_SatDataXML->EndUpdate();
    dlg::SelectRow(*LV_SatDataXML, 0);
    LV_SatDataXMLSelectCell();
}

void TForm_Xml::LV_TerXMLSelectCell()
{
    CurrentListIndex = RowIndex(*LV_TerXML, 0);
    LV_TerDataXML->BeginUpdate();
    LV_TerDataXML->ClearRows();
    if (CurrentListIndex >= 0 && static_cast<std::size_t>(CurrentListIndex) < Terrestrials.size()) {
        const auto n = Terrestrials[static_cast<std::size_t>(CurrentListIndex)].Transponders.size();
        LV_TerDataXML->AddRows(static_cast<int>(n));
        for (std::size_t i = 0; i < n; ++i)
            SetTerTpRow(static_cast<int>(i), static_cast<std::int32_t>(i));
        LV_TerDataXML->SortColumn(0, true);
    }
    LV_TerDataXML->EndUpdate();
    dlg::SelectRow(*LV_TerDataXML, 0);
    LV_TerDataXMLSelectCell();
}

void TForm_Xml::LV_SatDataXMLSelectCell() { CurrentTpIndex = RowIndex(*LV_SatDataXML, SatTpIndexCol); }
void TForm_Xml::LV_TerDataXMLSelectCell() { CurrentTpIndex = RowIndex(*LV_TerDataXML, TerTpIndexCol); }

void TForm_Xml::Pop_SatXMLPopup(bool onList)
{
    TransponderMode = !onList;
    Pop_SatXML.FindItem("pop_sat_header")->Caption = onList ? "<<SATELLITE>>" : "<<TRANSPONDER>>";
    const bool rows = (onList ? LV_SatXML : LV_SatDataXML)->RowCount() > 0;
    Pop_SatXML.FindItem("pop_sat_modify")->Enabled = rows;
    Pop_SatXML.FindItem("pop_sat_delete")->Enabled = rows;
    Pop_SatXML.FindItem("pop_sat_insert")->Enabled = onList || LV_SatXML->RowCount() > 0;
    Pop_SatXML.FindItem("Pop_Sat_Import")->Enabled = onList;
}

void TForm_Xml::Pop_TerXMLPopup(bool onList)
{
    TransponderMode = !onList;
    Pop_TerXML.FindItem("pop_ter_header")->Caption = onList ? "<<LOCATION>>" : "<<TRANSPONDER>>";
    const bool rows = (onList ? LV_TerXML : LV_TerDataXML)->RowCount() > 0;
    Pop_TerXML.FindItem("pop_ter_modify")->Enabled = rows;
    Pop_TerXML.FindItem("pop_ter_delete")->Enabled = rows;
    Pop_TerXML.FindItem("pop_ter_insert")->Enabled = onList || LV_TerXML->RowCount() > 0;
}

void TForm_Xml::Diritti(bool edit)
{
    CfPanel_DataSat->SetVisible(edit);
    CfPanel_DataTer->SetVisible(edit);
    for (TCfGrid* g : {LV_SatXML, LV_SatDataXML, LV_TerXML, LV_TerDataXML})
        g->SetEnabled(!edit);
    Butt_XML_Exit->SetEnabled(!edit);
    CfHeaderPanel_Sat->SetVisible(!TransponderMode);
    CfHeaderPanel_ter->SetVisible(!TransponderMode);
    CfHeaderPanel_tp->SetVisible(TransponderMode);
    CfHeaderPanel_terTp->SetVisible(TransponderMode);
}

void TForm_Xml::pop_sat_modifyClick()
{
    if (CurrentListIndex < 0 || static_cast<std::size_t>(CurrentListIndex) >= Satellites.size())
        return;
    const TY_ENIG_SAT& sat = Satellites[static_cast<std::size_t>(CurrentListIndex)];
    if (TransponderMode && (CurrentTpIndex < 0 || static_cast<std::size_t>(CurrentTpIndex) >= sat.Transponders.size()))
        return;
    Diritti(true);
    if (TransponderMode) {
        const TY_ENIG_SAT_DATA& tp = sat.Transponders[static_cast<std::size_t>(CurrentTpIndex)];
        Tx_XML_Freq->SetText(std::to_string(tp[SAT_FREQUENCY]));
        Tx_XML_Srate->SetText(std::to_string(tp[SAT_SYMBOLRATE]));
        TCB_XML_Pol->SetItemIndex(tp[SAT_POLARISATION]);
        dlg::SelectItemText(*TCB_XML_FEC, FecIndexToText(std::to_string(tp[SAT_FEC])));
        TCB_XML_Inv->SetItemIndex(tp[SAT_INVERSION]);
        TCB_XML_Mod->SetItemIndex(tp[SAT_MODULATION]);
        TCB_XML_Sys->SetItemIndex(tp[SAT_SYSTEM]);
        TCB_XML_Pilot->SetItemIndex(tp[SAT_PILOT]);
        TCB_XML_Rolloff->SetItemIndex(tp[SAT_ROLLOFF]);
        TCB_XML_SysChange();
        Tx_XML_Freq->SetFocus();
    } else {
        Tx_Xml_SatName->SetText(sat.Name);
        Tx_XML_SatPos->SetText(sat.PositionText);
        ShowFlags(sat.Flags, CB_XML_NS, CB_XML_BAT, CB_XML_ONID, CB_XML_SKIP);
        Tx_Xml_SatName->SetFocus();
    }
}

void TForm_Xml::pop_ter_modifyClick()
{
    if (CurrentListIndex < 0 || static_cast<std::size_t>(CurrentListIndex) >= Terrestrials.size())
        return;
    const TY_ENIG_TER& loc = Terrestrials[static_cast<std::size_t>(CurrentListIndex)];
    if (TransponderMode && (CurrentTpIndex < 0 || static_cast<std::size_t>(CurrentTpIndex) >= loc.Transponders.size()))
        return;
    Diritti(true);
    if (TransponderMode) {
        const TY_ENIG_TER_DATA& tp = loc.Transponders[static_cast<std::size_t>(CurrentTpIndex)];
        Tx_XML_TerFreq->SetText(std::to_string(tp[TER_FREQUENCY]));
        TCB_TerrXML_Band->SetItemIndex(tp[TER_BANDWIDTH]);
        TCB_TerXML_Cons->SetItemIndex(tp[TER_CONSTELLATION]);
        Tx_XML_TerFreq->SetFocus();
    } else {
        Tx_Xml_TerName->SetText(loc.Name);
        ShowFlags(loc.Flags, CB_XML_TerNS, CB_XML_TerBAT, CB_XML_TerONID, CB_XML_TerSKIP);
        Tx_Xml_TerName->SetFocus();
    }
}

void TForm_Xml::BitBtn_XML_SaveClick()
{
    if (TransponderMode) {
        const TY_ENIG_SAT_DATA& old =
            Satellites[static_cast<std::size_t>(CurrentListIndex)].Transponders[static_cast<std::size_t>(CurrentTpIndex)];
        TSatTpFields f;
        f.Frequency = Tx_XML_Freq->Text();
        f.SymbolRate = Tx_XML_Srate->Text();
        f.Polarisation = std::max(TCB_XML_Pol->ItemIndex(), 0);
        // No FEC item (an Enigma 1 set offers none) keeps the stored one.
        f.Fec = TCB_XML_FEC->ItemIndex() < 0
                    ? old[SAT_FEC]
                    : std::atoi(FecTextToIndex(TCB_XML_FEC->Items()[static_cast<std::size_t>(TCB_XML_FEC->ItemIndex())]).c_str());
        f.Inversion = std::max(TCB_XML_Inv->ItemIndex(), 0);
        f.Modulation = std::max(TCB_XML_Mod->ItemIndex(), 0);
        f.System = std::max(TCB_XML_Sys->ItemIndex(), 0);
        f.Pilot = std::max(TCB_XML_Pilot->ItemIndex(), 0);
        f.RollOff = std::max(TCB_XML_Rolloff->ItemIndex(), 0);
        if (const auto e = StoreSatTransponder(CurrentListIndex, CurrentTpIndex, f)) {
            Messages().ShowError(e->Message);
            (e->Field == TXmlField::Frequency ? Tx_XML_Freq : Tx_XML_Srate)->SetFocus();
            return;
        }
        const int row = LV_SatDataXML->SelectedRow();
        SetSatTpRow(row, CurrentTpIndex);
        LV_SatDataXML->SortColumn(0, true);
    } else {
        const auto e = StoreSatellite(CurrentListIndex, Tx_Xml_SatName->Text(), Tx_XML_SatPos->Text(),
                                      Flags(CB_XML_NS, CB_XML_BAT, CB_XML_ONID, CB_XML_SKIP));
        if (e) {
            Messages().ShowError(*e);
            Tx_XML_SatPos->SetFocus();
            return;
        }
        const TY_ENIG_SAT& sat = Satellites[static_cast<std::size_t>(CurrentListIndex)];
        const int row = LV_SatXML->SelectedRow();
        LV_SatXML->SetCells(1, row, sat.Name + " - " + sat.PositionText);
        SetFlagCells(*LV_SatXML, row, sat.Flags);
    }
    Diritti(false);
}

void TForm_Xml::Butt_TerXML_SaveClick()
{
    if (TransponderMode) {
        if (const auto e = StoreTerTransponder(CurrentListIndex, CurrentTpIndex, Tx_XML_TerFreq->Text(),
                                               std::max(TCB_TerrXML_Band->ItemIndex(), 0),
                                               std::max(TCB_TerXML_Cons->ItemIndex(), 0))) {
            Messages().ShowError(e->Message);
            Tx_XML_TerFreq->SetFocus();
            return;
        }
        SetTerTpRow(LV_TerDataXML->SelectedRow(), CurrentTpIndex);
        LV_TerDataXML->SortColumn(0, true);
    } else {
        StoreLocation(CurrentListIndex, Tx_Xml_TerName->Text(),
                      Flags(CB_XML_TerNS, CB_XML_TerBAT, CB_XML_TerONID, CB_XML_TerSKIP));
        const TY_ENIG_TER& loc = Terrestrials[static_cast<std::size_t>(CurrentListIndex)];
        const int row = LV_TerXML->SelectedRow();
        LV_TerXML->SetCells(1, row, loc.Name);
        SetFlagCells(*LV_TerXML, row, loc.Flags);
    }
    Diritti(false);
}

void TForm_Xml::Butt_SatXML_CancelClick()
{
    if (Messages().Confirm(XmlCancelQuestion))
        Diritti(false);
}
void TForm_Xml::Butt_TerrXML_CancelClick() { Butt_SatXML_CancelClick(); }

void TForm_Xml::TCB_XML_SysChange()
{
    const bool s2 = TCB_XML_Sys->ItemIndex() == 1;
    TCB_XML_Pilot->SetVisible(s2);
    TCB_XML_Rolloff->SetVisible(s2);
    if (TCB_XML_Sys->ItemIndex() == 0) {
        TCB_XML_Pilot->SetItemIndex(-1);
        TCB_XML_Rolloff->SetItemIndex(-1);
    }
}

void TForm_Xml::pop_sat_insertClick()
{
    if (TransponderMode) {
        if (CurrentListIndex < 0)
            return;
        const std::int32_t index = AppendSatTransponder(CurrentListIndex);
        const int row = LV_SatDataXML->AddRow();
        SetSatTpRow(row, index);
        dlg::SelectRow(*LV_SatDataXML, row);
        LV_SatDataXMLSelectCell();
        return;
    }
    const std::int32_t index = AppendSatellite();
    const int row = LV_SatXML->AddRow();
    LV_SatXML->SetCells(0, row, std::to_string(index));
    LV_SatXML->SetCells(1, row, "New Sat - 0.0E");
    SetFlagCells(*LV_SatXML, row, 0);
    dlg::SelectRow(*LV_SatXML, row);
    LV_SatXMLSelectCell();
}

void TForm_Xml::pop_ter_insertClick()
{
    if (TransponderMode) {
        if (CurrentListIndex < 0)
            return;
        const std::int32_t index = AppendTerTransponder(CurrentListIndex);
        const int row = LV_TerDataXML->AddRow();
        SetTerTpRow(row, index);
        dlg::SelectRow(*LV_TerDataXML, row);
        LV_TerDataXMLSelectCell();
        return;
    }
    const std::int32_t index = AppendLocation();
    const int row = LV_TerXML->AddRow();
    LV_TerXML->SetCells(0, row, std::to_string(index));
    LV_TerXML->SetCells(1, row, "New Location");
    SetFlagCells(*LV_TerXML, row, 0);
    dlg::SelectRow(*LV_TerXML, row);
    LV_TerXMLSelectCell();
}

void TForm_Xml::Pop_sat_deleteClick()
{
    if (TransponderMode) {
        if (CurrentListIndex < 0 || !Messages().Confirm(XmlTpDeleteQuestion))
            return;
        const int keep = LV_SatXML->SelectedRow();
        DeleteSatTransponders(CurrentListIndex, SelectedIndexes(*LV_SatDataXML, SatTpIndexCol));
        dlg::SelectRow(*LV_SatXML, keep);
        LV_SatXMLSelectCell();
        return;
    }
    if (!Messages().Confirm(XmlSatDeleteQuestion) || !Messages().Confirm(XmlSatDeleteWarning))
        return;
    DeleteSatellites(SelectedIndexes(*LV_SatXML, 0));
    FillSat();
}

void TForm_Xml::pop_ter_deleteClick()
{
    if (TransponderMode) {
        if (CurrentListIndex < 0 || !Messages().Confirm(XmlTpDeleteQuestion))
            return;
        const int keep = LV_TerXML->SelectedRow();
        DeleteTerTransponders(CurrentListIndex, SelectedIndexes(*LV_TerDataXML, TerTpIndexCol));
        dlg::SelectRow(*LV_TerXML, keep);
        LV_TerXMLSelectCell();
        return;
    }
    if (!Messages().Confirm(XmlLocDeleteQuestion))
        return;
    DeleteLocations(SelectedIndexes(*LV_TerXML, 0));
    FillTer();
}

void TForm_Xml::Pop_Sat_ImportClick()
{
    const auto file = FileDialogs().OpenFileName("Ini files|*.ini");
    if (file)
        ImportIni(*file);
}

void TForm_Xml::ImportIni(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        Messages().ShowError(fileName + " cannot be read");
        return;
    }
    std::stringstream text;
    text << in.rdbuf();
    const TIniImport r = ImportIniText(text.str());
    if (!r.FormatOk) {
        Messages().ShowError(IniFormatText);
        return;
    }
    if (!r.NewCaption.empty() && Form_Main)
        Form_Main->FillSat();
    FillSat();
    Messages().ShowInformation(IniReport(r));
}
