#include "app/Unit_Tp.h"

#include "app/Configuration.h"
#include "app/DialogBuild.h"
#include "app/DialogFields.h"
#include "app/TransponderEdit.h"
#include "app/Unit_Main.h"
#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/CfHeaderPanel.h"
#include "controls/CfLabel.h"
#include "controls/CfPanel.h"
#include "controls/MessageService.h"
#include "settings/Fields.h"
#include "settings/NameTables.h"
#include "settings/Unit_lib.h"

#include <variant>

using namespace cf;

TForm_Tp* Form_Tp = nullptr;

TForm_Tp::TForm_Tp(QWidget* owner) : TForm(owner)
{
    Form_Tp = this;
    Name = "Form_Tp";
    BuildControls();
}

void TForm_Tp::BuildControls()
{
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetCaption("Chanforge - Transponder");
    Position = TPosition::poMainFormCenter;
    SetClientSize(820, 476);

    GroupBox_Tp = dlg::Group(this, "GroupBox_Tp", "Transponders", 8, 8, 300, 420);
    GV_Tp_List = dlg::Grid(GroupBox_Tp, "GV_Tp_List", 6, 30, 288, 360);
    dlg::TextColumn(*GV_Tp_List, "Transponder", 266);
    dlg::IndexColumn(*GV_Tp_List);
    Label_Ch_Tp_Type = dlg::Label(GroupBox_Tp, "SATELLITE", 8, 396, 200);
    Label_Ch_Tp_Type->Name = "Label_Ch_Tp_Type";

    GroupBox_Data = dlg::Group(this, "GroupBox_Data", "Data", 316, 8, 300, 420);
    QWidget* g = GroupBox_Data;
    auto labelled = [&](const std::string& caption, int y) { return dlg::Label(g, caption, 10, y + 3, 110); };
    labelled("Frequency", 30);
    Tx_Ch_Tp_Freq = dlg::Edit(g, "Tx_Ch_Tp_Freq", 124, 30, 166);
    Label_Tsid = labelled("TSID (hex)", 56);
    Label_Tsid->Name = "Label_Tsid";
    Tx_Ch_Tp_TSID = dlg::Edit(g, "Tx_Ch_Tp_TSID", 124, 56, 80);
    Label_ONID = labelled("ONID (hex)", 82);
    Label_ONID->Name = "Label_ONID";
    Tx_Ch_Tp_ONID = dlg::Edit(g, "Tx_Ch_Tp_ONID", 124, 82, 80);
    labelled("Namespace", 108);
    Tx_Ch_Tp_Names = dlg::Edit(g, "Tx_Ch_Tp_Names", 124, 108, 166);
    Tx_Ch_Tp_Names->SetReadOnly(true);
    Tx_Ch_Tp_Names->SetTabStop(false);
    labelled("Inversion", 134);
    TCB_Inversion = dlg::Combo(g, "TCB_Inversion", {"Off", "On", "Unknown"}, 124, 134, 166);
    labelled("System", 160);
    TCB_System = dlg::Combo(g, "TCB_System", {"DVB-S", "DVB-S2"}, 124, 160, 166);

    Panel_OnlySat = dlg::Panel(g, "Panel_OnlySat", 4, 186, 292, 78);
    dlg::Label(Panel_OnlySat, "Symbol rate", 6, 3, 110);
    Tx_Ch_Tp_Srate = dlg::Edit(Panel_OnlySat, "Tx_Ch_Tp_Srate", 120, 0, 166);
    dlg::Label(Panel_OnlySat, "Polarity", 6, 29, 110);
    TCB_Pol = dlg::Combo(Panel_OnlySat, "TCB_Pol", {"Horizontal", "Vertical", "Left", "Right"}, 120, 26, 166);
    dlg::Label(Panel_OnlySat, "FEC", 6, 55, 110);
    TCB_FEC = dlg::Combo(Panel_OnlySat, "TCB_FEC", {}, 120, 52, 166);
    Panel_OnlySat1 = dlg::Panel(g, "Panel_OnlySat1", 4, 266, 292, 26);
    dlg::Label(Panel_OnlySat1, "Satellite", 6, 3, 110);
    TCB_Sat = dlg::Combo(Panel_OnlySat1, "TCB_Sat", {}, 120, 0, 166);

    Panel_DVBS2 = dlg::Panel(g, "Panel_DVBS2", 4, 294, 292, 104);
    dlg::Label(Panel_DVBS2, "Modulation", 6, 3, 110);
    TCB_Modulation = dlg::Combo(Panel_DVBS2, "TCB_Modulation", {"Auto", "Qpsk", "M8psk", "QAM"}, 120, 0, 166);
    dlg::Label(Panel_DVBS2, "Roll-Off", 6, 29, 110);
    TCB_RollOff = dlg::Combo(Panel_DVBS2, "TCB_RollOff", {"Alpha 0/35 ", "Alpha 0/25 ", "Alpha 0/20 ", "Alpha Auto"},
                             120, 26, 166);
    Panel_E24 = dlg::Panel(Panel_DVBS2, "Panel_E24", 0, 52, 292, 52);
    dlg::Label(Panel_E24, "Pilot", 6, 3, 110);
    TCB_Pilot = dlg::Combo(Panel_E24, "TCB_Pilot", {"Off ", "On ", "Unknown"}, 120, 0, 166);
    dlg::Label(Panel_E24, "Scan", 6, 29, 110);
    TCB_Scan = dlg::Combo(Panel_E24, "TCB_Scan", {"None ", "Scan only free"}, 120, 26, 166);

    GV_Rel_Ser = dlg::Grid(this, "GV_Rel_Ser", 624, 8, 188, 420);
    dlg::IndexColumn(*GV_Rel_Ser);
    dlg::TextColumn(*GV_Rel_Ser, "Related services", 166);

    BitBtn_Tp_Insert = dlg::Button(this, "BitBtn_Tp_Insert", "Insert", 8, 440);
    BitBtn_Tp_Modify = dlg::Button(this, "BitBtn_Tp_Modify", "Modify", 96, 440);
    BitBtn_Tp_Delete = dlg::Button(this, "BitBtn_Tp_Delete", "Delete", 184, 440);
    Panel_okexit = dlg::Panel(this, "Panel_okexit", 440, 436, 176, 34);
    BitBtn_Tp_Cancel = dlg::Button(Panel_okexit, "BitBtn_Tp_Cancel", "Cancel", 4, 4);
    BitBtn_Tp_Save = dlg::Button(Panel_okexit, "BitBtn_Tp_Save", "Save", 92, 4);
    BitBtn_Tp_Exit = dlg::Button(this, "BitBtn_Tp_Exit", "  Exit", 732, 440);
    BitBtn_Tp_Exit->ModalResult = mrCancel;

    GV_Tp_List->OnSelectCell = [this](QObject*, int, int) { GV_Tp_ListSelectCell(); };
    BitBtn_Tp_Insert->OnClick = [this](TControl*) { BitBtn_Tp_InsertClick(); };
    BitBtn_Tp_Modify->OnClick = [this](TControl*) { BitBtn_Tp_ModifyClick(); };
    BitBtn_Tp_Delete->OnClick = [this](TControl*) { BitBtn_Tp_DeleteClick(); };
    BitBtn_Tp_Save->OnClick = [this](TControl*) { BitBtn_Tp_SaveClick(); };
    BitBtn_Tp_Cancel->OnClick = [this](TControl*) { BitBtn_Tp_CancelClick(); };
    Tx_Ch_Tp_TSID->OnExit = [this](TControl*) { Tx_Ch_Tp_TSIDExit(); };
    Tx_Ch_Tp_ONID->OnExit = [this](TControl*) { Tx_Ch_Tp_ONIDExit(); };
    TCB_System->OnChange = [this](QObject*) { TCB_SystemChange(); };
    SetEditMode(false);
}

void TForm_Tp::SetEditMode(bool editing)
{
    editing_ = editing;
    GroupBox_Data->SetEnabled(editing);
    GroupBox_Tp->SetEnabled(!editing);
    Panel_okexit->SetVisible(editing);
    for (TCfButton* b : {BitBtn_Tp_Insert, BitBtn_Tp_Modify, BitBtn_Tp_Delete, BitBtn_Tp_Exit})
        b->SetEnabled(!editing);
}

void TForm_Tp::FillSat()
{
    std::vector<std::string> filter;
    if (Form_Main)
        filter = Form_Main->CB_Sat->Items();
    TCB_Sat->SetItems(TpSatItems(filter));
    TCB_Sat->SetItemIndex(-1);
}

void TForm_Tp::FormShow()
{
    SetEditMode(false);
    FillSat();
    Inserting = false;
    Label_Tsid->SetCaption(Dec_Format ? "TSID" : "TSID (hex)");
    Label_ONID->SetCaption(Dec_Format ? "ONID" : "ONID (hex)");
    TCB_FEC->SetItems(FecItems(EnigmaVersion));
    std::int32_t start = 0;
    if (Form_Main && Form_Main->LV_Serv->RowCount() > 0) {
        const std::int32_t s = Form_Main->ServiceIndexOfRow(Form_Main->LV_Serv->SelectedRow());
        if (s >= 0)
            start = Services[static_cast<std::size_t>(s)].TpIndex;
    }
    FillTp(start);
    GV_Tp_ListSelectCell();
    GV_Tp_List->SetFocus();
}

void TForm_Tp::FillTp(std::int32_t index)
{
    GV_Tp_List->BeginUpdate();
    GV_Tp_List->ClearRows();
    GV_Tp_List->AddRows(static_cast<int>(Transponders.size()));
    for (std::size_t i = 0; i < Transponders.size(); ++i) {
        GV_Tp_List->SetCells(0, static_cast<int>(i), TpListText(Transponders[i]));
        GV_Tp_List->SetCells(1, static_cast<int>(i), std::to_string(i));
    }
    GV_Tp_List->SortColumn(0, true);
    GV_Tp_List->EndUpdate();
    const int row = dlg::FindRow(*GV_Tp_List, 1, std::to_string(index));
    dlg::SelectRow(*GV_Tp_List, row < 0 ? 0 : row);
}

std::int32_t TForm_Tp::SelectedIndex()
{
    const int row = GV_Tp_List->SelectedRow();
    std::int32_t index = -1;
    if (row < 0 || !TryParseInt(GV_Tp_List->Cells(1, row), index) || index < 0 ||
        static_cast<std::size_t>(index) >= Transponders.size())
        return -1;
    return index;
}

void TForm_Tp::GV_Tp_ListSelectCell()
{
    const std::int32_t index = SelectedIndex();
    if (index < 0)
        return;
    const TY_ENIG_TP& tp = Transponders[static_cast<std::size_t>(index)];
    const bool dvbs2Possible = EnigmaVersion != VER_ENIGMA1 && tp.Kind != "T";
    Panel_DVBS2->SetVisible(tp.System != 0 && dvbs2Possible);
    Panel_E24->SetVisible(EnigmaVersion == VER_ENIGMA2_4);
    TCB_System->SetEnabled(dvbs2Possible);
    Label_Ch_Tp_Type->SetCaption(tp.Kind == "C" ? "CABLE" : tp.Kind == "T" ? "TERRESTRIAL" : "SATELLITE");
    const bool satellite = tp.Kind == "S";
    Panel_OnlySat->SetVisible(satellite);
    Panel_OnlySat1->SetVisible(satellite);
    if (satellite) {
        dlg::SelectItemText(*TCB_FEC, FecIndexToText(tp.Fec));
        TCB_Pol->SetItemIndex(std::atoi(tp.Polarisation.c_str()));
        Tx_Ch_Tp_Srate->SetText(tp.SymbolRate);
        const int sat = dlg::ItemStartingWith(*TCB_Sat, tp.Position);
        if (sat >= 0 && tp.Position.size() == 6)
            TCB_Sat->SetItemIndex(sat);
    }
    Tx_Ch_Tp_TSID->SetText(ShowId(tp.Tsid, Dec_Format));
    Tx_Ch_Tp_ONID->SetText(ShowId(tp.Onid, Dec_Format));
    Tx_Ch_Tp_Names->SetText(ShowId(tp.Namespace, Dec_Format));
    Tx_Ch_Tp_Freq->SetText(tp.Frequency);
    TCB_Inversion->SetItemIndex(tp.Inversion);
    TCB_Scan->SetItemIndex(tp.ScanFlags);
    TCB_System->SetItemIndex(EnigmaVersion == VER_ENIGMA1 ? 0 : tp.System);
    TCB_Modulation->SetItemIndex(tp.Modulation);
    TCB_RollOff->SetItemIndex(tp.RollOff);
    TCB_Pilot->SetItemIndex(tp.Pilot);

    GV_Rel_Ser->BeginUpdate();
    GV_Rel_Ser->ClearRows();
    for (const TY_ENIG_CH& s : Services)
        if (s.TpIndex == index) {
            const int r = GV_Rel_Ser->AddRow();
            GV_Rel_Ser->SetCells(0, r, std::to_string(s.Number));
            GV_Rel_Ser->SetCells(1, r, s.Name);
        }
    GV_Rel_Ser->EndUpdate();
}

void TForm_Tp::BitBtn_Tp_ModifyClick()
{
    if (SelectedIndex() < 0) {
        Messages().ShowInformation(NoTransponderText);
        return;
    }
    EditSatIndex = TCB_Sat->ItemIndex();
    if (!Inserting && !Messages().Confirm(TpModifyQuestion))
        return;
    SetEditMode(true);
    Tx_Ch_Tp_Freq->SetFocus();
}

void TForm_Tp::BitBtn_Tp_InsertClick()
{
    Inserting = true;
    GV_Rel_Ser->ClearRows();
    FillTp(AppendNewTransponder());
    GV_Tp_ListSelectCell();
    BitBtn_Tp_ModifyClick();
}

void TForm_Tp::BitBtn_Tp_SaveClick()
{
    const std::int32_t index = SelectedIndex();
    if (index < 0)
        return;
    TTpFields f;
    if (TCB_Sat->ItemIndex() >= 0)
        f.SatItem = TCB_Sat->Items()[static_cast<std::size_t>(TCB_Sat->ItemIndex())];
    f.Polarisation = std::max(TCB_Pol->ItemIndex(), 0);
    f.Frequency = Tx_Ch_Tp_Freq->Text();
    f.SymbolRate = Tx_Ch_Tp_Srate->Text();
    if (TCB_FEC->ItemIndex() >= 0)
        f.FecText = TCB_FEC->Items()[static_cast<std::size_t>(TCB_FEC->ItemIndex())];
    f.Tsid = Tx_Ch_Tp_TSID->Text();
    f.Onid = Tx_Ch_Tp_ONID->Text();
    f.Inversion = std::max(TCB_Inversion->ItemIndex(), 0);
    f.ScanFlags = std::max(TCB_Scan->ItemIndex(), 0);
    f.System = std::max(TCB_System->ItemIndex(), 0);
    f.Modulation = std::max(TCB_Modulation->ItemIndex(), 0);
    f.RollOff = std::max(TCB_RollOff->ItemIndex(), 0);
    f.Pilot = std::max(TCB_Pilot->ItemIndex(), 0);

    const auto result = StoreTransponder(index, f, Dec_Format);
    if (const auto* error = std::get_if<TTpError>(&result)) {
        Messages().ShowError(error->Message);
        switch (error->Field) {
        case TTpField::Satellite: TCB_Sat->SetFocus(); break;
        case TTpField::Frequency: Tx_Ch_Tp_Freq->SetFocus(); break;
        case TTpField::SymbolRate: Tx_Ch_Tp_Srate->SetFocus(); break;
        case TTpField::Tsid: Tx_Ch_Tp_TSID->SetFocus(); break;
        case TTpField::Onid: Tx_Ch_Tp_ONID->SetFocus(); break;
        }
        return;
    }
    Tx_Ch_Tp_Names->SetText(ShowId(Transponders[static_cast<std::size_t>(index)].Namespace, Dec_Format));
    SetEditMode(false);
    Inserting = false;
    FillTp(index);
    GV_Tp_ListSelectCell();
    // A refresh asked for earlier in this showing (a delete) stands.
    if (std::get<TTpStored>(result).ListChanged)
        RefreshList = true;
}

void TForm_Tp::RemoveSelected(bool withServices)
{
    const int row = GV_Tp_List->SelectedRow();
    const std::int32_t index = SelectedIndex();
    DeleteTransponder(index, withServices);
    GV_Tp_List->BeginUpdate();
    GV_Tp_List->DeleteRow(row);
    for (int r = 0; r < GV_Tp_List->RowCount(); ++r) {
        const std::int32_t i = std::atoi(GV_Tp_List->Cells(1, r).c_str());
        if (i > index)
            GV_Tp_List->SetCells(1, r, std::to_string(i - 1));
    }
    GV_Tp_List->EndUpdate();
    dlg::SelectRow(*GV_Tp_List, 0);
    GV_Tp_List->SetFocus();
    GV_Tp_ListSelectCell();
}

void TForm_Tp::BitBtn_Tp_DeleteClick()
{
    if (SelectedIndex() < 0) {
        Messages().ShowInformation(NoTransponderText);
        return;
    }
    if (!Inserting && !Messages().Confirm(TpDeleteQuestion))
        return;
    RemoveSelected(!Inserting);
    if (!Inserting)
        RefreshList = true;
}

void TForm_Tp::BitBtn_Tp_CancelClick()
{
    if (Inserting) {
        RemoveSelected(false);
        Inserting = false;
        SetEditMode(false);
        return;
    }
    if (!Messages().Confirm(TpCancelQuestion))
        return;
    SetEditMode(false);
    GV_Tp_ListSelectCell();
}

bool TForm_Tp::CheckIdEdit(TCfEdit& edit)
{
    if (!editing_)
        return true;
    const auto value = IdFromText(edit.Text(), Dec_Format, true);
    if (!value) {
        Messages().ShowError(IdErrorText(Dec_Format));
        edit.SetFocus();
        return false;
    }
    if (!Dec_Format)
        edit.SetText(*value);
    return true;
}

bool TForm_Tp::Tx_Ch_Tp_TSIDExit() { return CheckIdEdit(*Tx_Ch_Tp_TSID); }
bool TForm_Tp::Tx_Ch_Tp_ONIDExit() { return CheckIdEdit(*Tx_Ch_Tp_ONID); }

void TForm_Tp::TCB_SystemChange()
{
    Panel_DVBS2->SetVisible(TCB_System->ItemIndex() > 0);
    Panel_E24->SetVisible(EnigmaVersion == VER_ENIGMA2_4);
}
