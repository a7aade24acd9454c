#include "app/Unit_ChDetails.h"

#include "app/Configuration.h"
#include "app/DialogBuild.h"
#include "app/DialogFields.h"
#include "app/ServiceDetails.h"
#include "app/Unit_Main.h"
#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/CfHeaderPanel.h"
#include "controls/CfLabel.h"
#include "controls/CfPanel.h"
#include "controls/MessageService.h"
#include "settings/NameTables.h"
#include "settings/Unit_lib.h"

using namespace cf;

TForm_ChDetails* Form_ChDetails = nullptr;

namespace {

template <std::size_t N>
std::string TableText(const std::array<std::string, N>& table, std::int32_t i)
{
    return i >= 0 && static_cast<std::size_t>(i) < N ? table[static_cast<std::size_t>(i)] : std::string();
}

} // namespace

TForm_ChDetails::TForm_ChDetails(QWidget* owner) : TForm(owner)
{
    Form_ChDetails = this;
    Name = "Form_ChDetails";
    BuildControls();
}

void TForm_ChDetails::BuildControls()
{
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetCaption("Chanforge - Channel Details");
    Position = TPosition::poMainFormCenter;
    SetClientSize(900, 500);

    Group_Service = dlg::Group(this, "Group_Service", "Service", 8, 8, 300, 444);
    QWidget* s = Group_Service;
    dlg::Label(s, "Number", 10, 32, 90);
    Label_ChNo = dlg::Label(s, "", 110, 32, 120);
    Label_ChNo->Name = "Label_ChNo";
    dlg::Label(s, "Type (1,4,25=TV/2=Radio/Other=Data)", 10, 54, 280);
    Tx_Ch_Type = dlg::Edit(s, "Tx_Ch_Type", 10, 72, 80);
    dlg::Label(s, "Name", 10, 100, 90);
    Tx_Ch_Name = dlg::Edit(s, "Tx_Ch_Name", 10, 118, 280);
    dlg::Label(s, "Package", 10, 146, 90);
    TX_CH_Provider = dlg::Edit(s, "TX_CH_Provider", 10, 164, 280);
    dlg::Label(s, "Service Id", 10, 192, 90);
    TX_Ch_Sid = dlg::Edit(s, "TX_Ch_Sid", 10, 210, 80);
    Panel_BlackList = dlg::Panel(s, "Panel_BlackList", 150, 208, 140, 26);
    CB_Ch_ParLock = dlg::Check(Panel_BlackList, "CB_Ch_ParLock", "BlackList", 4, 4, 130);
    Panel_Whitelist = dlg::Panel(s, "Panel_Whitelist", 150, 208, 140, 26);
    CB_Ch_Allo = dlg::Check(Panel_Whitelist, "CB_Ch_Allo", "WhiteList", 4, 4, 130);
    CB_NODVB = dlg::Check(s, "CB_NODVB", "NODVB", 10, 242, 90);
    CB_DONOTSHOW = dlg::Check(s, "CB_DONOTSHOW", "DONTSHOW", 100, 242, 100);
    CB_NOPMT = dlg::Check(s, "CB_NOPMT", "NOPMT", 210, 242, 80);
    const char* pidNames[] = {"TX_CH_PID_Vid", "TX_CH_PID_AUD", "TX_CH_PID_Txt", "TX_CH_PID_Pcr", "TX_CH_PID_ac3"};
    const char* pidCaptions[] = {"Video PID", "Audio PID", "Teletext PID", "PCR PID", "AC3 PID"};
    for (int i = 0; i < PID_COUNT; ++i) {
        const int x = 10 + (i % 3) * 95, y = 272 + (i / 3) * 48;
        dlg::Label(s, pidCaptions[i], x, y, 90);
        pidEdits_[static_cast<std::size_t>(i)] = dlg::Edit(s, pidNames[i], x, y + 18, 80);
    }
    TX_CH_PID_Vid = pidEdits_[PID_VIDEO];
    TX_CH_PID_AUD = pidEdits_[PID_AUDIO];
    TX_CH_PID_Txt = pidEdits_[PID_TELETEXT];
    TX_CH_PID_Pcr = pidEdits_[PID_PCR];
    TX_CH_PID_ac3 = pidEdits_[PID_AC3];

    Group_Tp = dlg::Group(this, "Group_Tp", "Transponder", 316, 8, 270, 444);
    QWidget* t = Group_Tp;
    Label_Ch_Tp_Type = dlg::Label(t, "SATELLITE", 10, 32, 150);
    Label_Ch_Tp_Type->Name = "Label_Ch_Tp_Type";
    struct Row { TCfEdit** edit; const char* name; const char* caption; TCfLabel** label; };
    Row rows[] = {{&Tx_Ch_Tp_Sat, "Tx_Ch_Tp_Sat", "Sat", nullptr},
                  {&Tx_Ch_Tp_Freq, "Tx_Ch_Tp_Freq", "Frequency", nullptr},
                  {&Tx_Ch_Tp_Srate, "Tx_Ch_Tp_Srate", "Symbol rate", nullptr},
                  {&Tx_Ch_Tp_Pol, "Tx_Ch_Tp_Pol", "Polarity", nullptr},
                  {&Tx_Ch_Tp_FEC, "Tx_Ch_Tp_FEC", "FEC", nullptr},
                  {&Tx_Ch_Tp_TSID, "Tx_Ch_Tp_TSID", "TSID", &Label_Tsid},
                  {&Tx_Ch_Tp_ONID, "Tx_Ch_Tp_ONID", "ONID", &Label_ONID},
                  {&Tx_Ch_Tp_Names, "Tx_Ch_Tp_Names", "Namespace", nullptr},
                  {&Tx_Ch_Tp_Inversion, "Tx_Ch_Tp_Inversion", "Inversion", nullptr},
                  {&Tx_Ch_Tp_System, "Tx_Ch_Tp_System", "System", nullptr}};
    int y = 56;
    for (Row& r : rows) {
        TCfLabel* l = dlg::Label(t, r.caption, 10, y + 3, 100);
        if (r.label)
            *r.label = l;
        *r.edit = dlg::Edit(t, r.name, 114, y, 146);
        (*r.edit)->SetReadOnly(true);
        (*r.edit)->SetTabStop(false);
        y += 26;
    }
    Panel_dvbs2 = dlg::Panel(t, "Panel_dvbs2", 4, y, 262, 108);
    Row more[] = {{&Tx_Ch_Tp_Mod, "Tx_Ch_Tp_Mod", "Modulation", nullptr},
                  {&Tx_Ch_Tp_RollOff, "Tx_Ch_Tp_RollOff", "Roll-Off", nullptr}};
    int py = 2;
    for (Row& r : more) {
        dlg::Label(Panel_dvbs2, r.caption, 6, py + 3, 100);
        *r.edit = dlg::Edit(Panel_dvbs2, r.name, 110, py, 146);
        (*r.edit)->SetReadOnly(true);
        (*r.edit)->SetTabStop(false);
        py += 26;
    }
    Panel_E24 = dlg::Panel(Panel_dvbs2, "Panel_E24", 0, py, 262, 54);
    Row e24[] = {{&Tx_Ch_Tp_Flag, "Tx_Ch_Tp_Flag", "Scan", nullptr},
                 {&Tx_Ch_Tp_Pilot, "Tx_Ch_Tp_Pilot", "Pilot", nullptr}};
    py = 0;
    for (Row& r : e24) {
        dlg::Label(Panel_E24, r.caption, 6, py + 3, 100);
        *r.edit = dlg::Edit(Panel_E24, r.name, 110, py, 146);
        (*r.edit)->SetReadOnly(true);
        (*r.edit)->SetTabStop(false);
        py += 26;
    }

    GV_Tp_List = dlg::Grid(this, "GV_Tp_List", 594, 8, 298, 280);
    dlg::TextColumn(*GV_Tp_List, "Transponder", 276);
    dlg::IndexColumn(*GV_Tp_List);
    GV_PresentIn = dlg::Grid(this, "GV_PresentIn", 594, 296, 298, 156);
    dlg::TextColumn(*GV_PresentIn, "Present in ..", 276);
    GV_PresentIn->Columns().Item(0)->SetOptions(GV_PresentIn->Columns().Item(0)->Options() & ~coCanSort);

    CfButt_Save = dlg::Button(this, "CfButt_Save", "Save", 712, 464);
    CfButt_Exit = dlg::Button(this, "CfButt_Exit", "Exit", 804, 464);
    CfButt_Exit->Cancel = true;
    CfButt_Exit->ModalResult = mrCancel;

    CfButt_Save->OnClick = [this](TControl*) { CfButt_SaveClick(); };
    GV_Tp_List->OnSelectCell = [this](QObject*, int, int) { GV_Tp_ListClick(); };
    // The SID is checked whenever the focus leaves it or the fields next to it.
    for (TCfEdit* e : {TX_Ch_Sid, Tx_Ch_Type})
        e->OnExit = [this](TControl*) { TX_Ch_SidExit(); };
    for (int i = 0; i < PID_COUNT; ++i)
        pidEdits_[static_cast<std::size_t>(i)]->OnExit = [this, i](TControl*) { PidExit(i); };
}

void TForm_ChDetails::FillTp()
{
    GV_Tp_List->BeginUpdate();
    GV_Tp_List->ClearRows();
    GV_Tp_List->AddRows(static_cast<int>(Transponders.size()));
    for (std::size_t i = 0; i < Transponders.size(); ++i) {
        GV_Tp_List->SetCells(0, static_cast<int>(i), TpListText(Transponders[i]));
        GV_Tp_List->SetCells(1, static_cast<int>(i), std::to_string(i));
    }
    GV_Tp_List->EndUpdate();
}

void TForm_ChDetails::FormShow()
{
    saving_ = false;
    closing_ = false;
    FillTp();
    const bool black = Form_Main == nullptr || Form_Main->CB_ListControl->ItemIndex() == 0;
    Panel_BlackList->SetVisible(black);
    Panel_Whitelist->SetVisible(!black);
    Label_Tsid->SetCaption(Dec_Format ? "TSID" : "TSID (hex)");
    Label_ONID->SetCaption(Dec_Format ? "ONID" : "ONID (hex)");

    DetailServiceIndex = Form_Main ? Form_Main->ServiceIndexOfRow(Form_Main->LV_Serv->SelectedRow()) : -1;
    if (DetailServiceIndex < 0 || static_cast<std::size_t>(DetailServiceIndex) >= Services.size())
        return;
    const TY_ENIG_CH& s = Services[static_cast<std::size_t>(DetailServiceIndex)];
    const TServiceDetails d = DetailsOf(s, Dec_Format);
    Label_ChNo->SetCaption(std::to_string(s.Number));
    Tx_Ch_Type->SetText(d.Type);
    Tx_Ch_Name->SetText(d.Name);
    TX_CH_Provider->SetText(d.Provider);
    TX_Ch_Sid->SetText(d.Sid);
    CB_Ch_ParLock->SetChecked(d.Black);
    CB_Ch_Allo->SetChecked(d.White);
    for (int i = 0; i < PID_COUNT; ++i)
        PidEdit(i)->SetText(d.Pids[static_cast<std::size_t>(i)]);
    CB_NODVB->SetChecked(d.NoDvb);
    CB_DONOTSHOW->SetChecked(d.DontShow);
    CB_NOPMT->SetChecked(d.NoPmt);

    GV_Tp_List->SortColumn(0, true);
    const int row = dlg::FindRow(*GV_Tp_List, 1, std::to_string(s.TpIndex));
    dlg::SelectRow(*GV_Tp_List, row);
    GV_Tp_ListClick();

    const std::vector<TPresentInRow> rows = PresentInRows(s.Number);
    GV_PresentIn->BeginUpdate();
    GV_PresentIn->ClearRows();
    GV_PresentIn->AddRows(static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        GV_PresentIn->SetCells(0, static_cast<int>(i), rows[i].Text);
        if (rows[i].Section)
            GV_PresentIn->Cell(0, static_cast<int>(i)).SetColor(clRed);
    }
    GV_PresentIn->EndUpdate();
    Tx_Ch_Type->SetFocus();
}

void TForm_ChDetails::GV_Tp_ListClick()
{
    const int row = GV_Tp_List->SelectedRow();
    if (row < 0)
        return;
    std::int32_t index = -1;
    if (!TryParseInt(GV_Tp_List->Cells(1, row), index) || index < 0 ||
        static_cast<std::size_t>(index) >= Transponders.size())
        return;
    const TY_ENIG_TP& tp = Transponders[static_cast<std::size_t>(index)];
    Tx_Ch_Tp_Sat->SetText(tp.Position);
    Tx_Ch_Tp_TSID->SetText(ShowId(tp.Tsid, Dec_Format));
    Tx_Ch_Tp_ONID->SetText(ShowId(tp.Onid, Dec_Format));
    Tx_Ch_Tp_Names->SetText(ShowId(tp.Namespace, Dec_Format));
    Tx_Ch_Tp_Freq->SetText(tp.Frequency);
    Tx_Ch_Tp_FEC->SetText(FecIndexToText(tp.Fec));
    Tx_Ch_Tp_Pol->SetText(tp.Polarisation == "0" ? "H" : "V");
    Tx_Ch_Tp_Srate->SetText(tp.SymbolRate);
    Tx_Ch_Tp_Inversion->SetText(TableText(InversionNames, tp.Inversion));
    Tx_Ch_Tp_System->SetText(TableText(SystemNames, tp.System));
    Panel_E24->SetVisible(EnigmaVersion == VER_ENIGMA2_4);
    Panel_dvbs2->SetVisible(tp.System == 1);
    if (tp.System == 1 && (EnigmaVersion == VER_ENIGMA2_3 || EnigmaVersion == VER_ENIGMA2_4)) {
        Tx_Ch_Tp_Mod->SetText(TableText(ModulationNames, tp.Modulation));
        Tx_Ch_Tp_RollOff->SetText(TableText(RollOffNames, tp.RollOff));
        if (EnigmaVersion == VER_ENIGMA2_4) {
            Tx_Ch_Tp_Flag->SetText(TableText(ScanFlagNames, tp.ScanFlags));
            Tx_Ch_Tp_Pilot->SetText(TableText(PilotNames, tp.Pilot));
        }
    }
    Label_Ch_Tp_Type->SetCaption(tp.Kind == "C" ? "CABLE" : tp.Kind == "S" ? "SATELLITE" : "TERRESTRIAL");
    TX_Ch_SidExit();
}

bool TForm_ChDetails::CheckIdEdit(TCfEdit& edit, bool emptyAllowed)
{
    // The focus leaves the edits as the dialog closes: Save has checked them
    // all, and a dialog being left keeps nothing.
    if (closing_)
        return true;
    const auto value = IdFromText(edit.Text(), Dec_Format, emptyAllowed);
    if (!value) {
        Messages().ShowError(IdErrorText(Dec_Format));
        edit.SetFocus();
        return false;
    }
    if (!Dec_Format)
        edit.SetText(*value);
    return true;
}

// An empty SID is refused only by Save: the user may be on the way to
// typing one.
bool TForm_ChDetails::TX_Ch_SidExit() { return TX_Ch_Sid->Text().empty() || CheckIdEdit(*TX_Ch_Sid, true); }

bool TForm_ChDetails::PidExit(int pid) { return CheckIdEdit(*PidEdit(pid), true); }

void TForm_ChDetails::CfButt_SaveClick()
{
    if (DetailServiceIndex < 0)
        return;
    TServiceDetails d;
    d.Type = Tx_Ch_Type->Text();
    d.Name = Tx_Ch_Name->Text();
    d.Provider = TX_CH_Provider->Text();
    d.Sid = TX_Ch_Sid->Text();
    for (int i = 0; i < PID_COUNT; ++i)
        d.Pids[static_cast<std::size_t>(i)] = PidEdit(i)->Text();
    const int row = GV_Tp_List->SelectedRow();
    d.TpIndex = row < 0 ? -1 : std::atoi(GV_Tp_List->Cells(1, row).c_str());
    d.NoDvb = CB_NODVB->Checked();
    d.DontShow = CB_DONOTSHOW->Checked();
    d.NoPmt = CB_NOPMT->Checked();
    d.Black = CB_Ch_ParLock->Checked();
    d.White = CB_Ch_Allo->Checked();

    if (const auto error = StoreServiceDetails(DetailServiceIndex, d, Dec_Format)) {
        Messages().ShowError(error->Message);
        switch (error->Field) {
        case TDetailsField::Type: Tx_Ch_Type->SetFocus(); break;
        case TDetailsField::Sid: TX_Ch_Sid->SetFocus(); break;
        case TDetailsField::Pid: PidEdit(error->Pid)->SetFocus(); break;
        case TDetailsField::Transponder: GV_Tp_List->SetFocus(); break;
        }
        return;
    }
    const TY_ENIG_CH& s = Services[static_cast<std::size_t>(DetailServiceIndex)];
    RefreshList = false;
    if (Form_Main) {
        Form_Main->UpdateServiceRows(DetailServiceIndex);
        RefreshList = LeavesFilters(s.ServiceType, Form_Main->CB_Type->ItemIndex(), Form_Main->CB_Sat->ItemIndex(),
                                    Form_Main->CB_Sat->Text(), Tx_Ch_Tp_Sat->Text());
    }
    saving_ = true;
    SetModalResult(mrOk);
    saving_ = false;
}

void TForm_ChDetails::FormCloseQuery(bool& canClose)
{
    canClose = saving_ || Messages().Confirm(ChangesLostText);
    closing_ = canClose;
}

bool TForm_ChDetails::CloseQuery()
{
    bool canClose = true;
    FormCloseQuery(canClose);
    return canClose && TForm::CloseQuery();
}
