#include "app/Unit_compare.h"

#include "app/DialogBuild.h"
#include "app/Unit_Main.h"
#include "controls/CfButton.h"
#include "controls/CfLabel.h"
#include "controls/MessageService.h"
#include "link/NetworkLink.h"
#include "link/TransferFolder.h"
#include "platform/Screen.h"
#include "settings/Errors.h"
#include "settings/FolderIO.h"
#include "settings/Unit_lib.h"

#include <filesystem>

namespace fs = std::filesystem;
using namespace cf;

TForm_Compare* Form_Compare = nullptr;

namespace {

constexpr TColor InsColor = 0x008000;
constexpr TColor UpdColor = 0xFF0000;
constexpr TColor DelColor = 0x0000FF;

// The hourglass while the dialog works; the previous cursor after.
class THourglass {
public:
    THourglass() : previous_(ScreenCursor()) { SetScreenCursor(crHourGlass); }
    ~THourglass() { SetScreenCursor(previous_); }

private:
    TCursor previous_;
};

} // namespace

TForm_Compare::TForm_Compare(QWidget* owner) : TForm(owner)
{
    Form_Compare = this;
    Name = "Form_Compare";
    BuildControls();
}

void TForm_Compare::BuildControls()
{
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetCaption("Chanforge - Compare services");
    Position = TPosition::poMainFormCenter;
    SetClientSize(900, 540);

    LV_Serv = dlg::Grid(this, "LV_Serv", 8, 8, 884, 398, true);
    dlg::IndexColumn(*LV_Serv);
    dlg::CheckColumn(*LV_Serv, "", 26);
    dlg::TextColumn(*LV_Serv, "Type", 60);
    dlg::TextColumn(*LV_Serv, "Service", 220);
    dlg::TextColumn(*LV_Serv, "Package", 160);
    dlg::TextColumn(*LV_Serv, "Synt Data", 170);
    dlg::TextColumn(*LV_Serv, "Sat", 80);
    dlg::TextColumn(*LV_Serv, "Action", 60);
    // Row i is Rows[i]: the list keeps the order of the comparison.
    for (int c = 0; c < LV_Serv->Columns().Count(); ++c)
        LV_Serv->Columns().Item(c)->SetOptions(LV_Serv->Columns().Item(c)->Options() & ~coCanSort);
    LV_Serv->SetReadOnly(false);
    for (int c = CmpColType; c <= CmpColAction; ++c)
        LV_Serv->Columns().Item(c)->SetOptions(LV_Serv->Columns().Item(c)->Options() & ~coEditing);

    const char* legend[] = {
        "INS  = Service not present in current settings. If marked it will be added",
        "UPD  = Service present in current settings but with other data . If marked it will be updated",
        "DEL  = Service not present in read settings  If marked it will be deleted"};
    const TColor colours[] = {InsColor, UpdColor, DelColor};
    for (int i = 0; i < 3; ++i) {
        TCfLabel* l = dlg::Label(this, legend[i], 12, 414 + i * 18, 640);
        l->Font.Color = colours[i];
    }

    BitBtn_FromFile = dlg::Button(this, "BitBtn_FromFile", "Compare From File", 8, 500, 140);
    BitBtn_FromRec = dlg::Button(this, "BitBtn_FromRec", "Compare From Receiver", 156, 500, 160);
    BitBtn_Check = dlg::Button(this, "BitBtn_Check", "Check Selected", 360, 500, 120);
    BitBtn_Uncheck = dlg::Button(this, "BitBtn_Uncheck", "UnCeck selected", 488, 500, 120);
    BitBtn_Update = dlg::Button(this, "BitBtn_Update", "Update", 700, 500, 90);
    BitBtn_Exit = dlg::Button(this, "BitBtn_Exit", "Exit", 802, 500, 90);
    BitBtn_Exit->Cancel = true;
    BitBtn_Exit->ModalResult = mrCancel;

    BitBtn_FromFile->OnClick = [this](TControl*) { BitBtn_FromFileClick(); };
    BitBtn_FromRec->OnClick = [this](TControl*) { BitBtn_FromRecClick(); };
    BitBtn_Update->OnClick = [this](TControl*) { BitBtn_UpdateClick(); };
    BitBtn_Check->OnClick = [this](TControl*) { BitBtn_CheckClick(); };
    BitBtn_Uncheck->OnClick = [this](TControl*) { BitBtn_UnceckClick(); };
    LV_Serv->OnCellFormating = [this](QObject*, int, int row, TColor& text, TFontStyles&, TCellState) {
        if (row < 0 || static_cast<std::size_t>(row) >= Rows.size())
            return;
        const TCompareAction a = Rows[static_cast<std::size_t>(row)].Action;
        text = a == TCompareAction::Ins ? InsColor : a == TCompareAction::Upd ? UpdColor : DelColor;
    };
}

void TForm_Compare::FormShow()
{
    Rows.clear();
    LV_Serv->ClearRows();
    CompareServices.clear();
    CompareTransponders.clear();
}

bool TForm_Compare::CompareFolder(const std::string& folder)
{
    const std::string path = CompareFilePath(folder);
    if (path.empty()) {
        Messages().ShowError(FilesNotFoundText());
        return false;
    }
    {
        THourglass busy;
        try {
            ReadCompareFile(path);
        } catch (const std::exception& e) {
            Rows.clear();
            LV_Serv->ClearRows();
            Messages().ShowError(path + " cannot be read : " + e.what());
            return false;
        }
    }
    DoCompareAndFill();
    return true;
}

void TForm_Compare::BitBtn_FromFileClick()
{
    if (!SelDir || !SelDir())
        return;
    CompareFolder(TheLoadDir);
}

void TForm_Compare::BitBtn_FromRecClick()
{
    TNetworkLink* link = Link ? Link() : nullptr;
    if (!link)
        return;
    link->ProfileIndex = SelectedProfile;
    if (SelectedProfile < 0 || static_cast<std::size_t>(SelectedProfile) >= Profiles.size() || !link->Connect2Rec()) {
        Messages().ShowInformation(NoConnectionText);
        return;
    }
    const TY_PROFILES& profile = Profiles[static_cast<std::size_t>(SelectedProfile)];
    const char* name = profile.Type == 1 ? "services" : "lamedb";
    const std::string remote = profile.PRO_Sdir + "/" + name;
    bool fetched = false;
    try {
        std::error_code ec;
        fs::create_directories(TempDir, ec);
        link->FTP.Get(remote, (fs::path(TempDir) / name).string());
        fetched = true;
    } catch (const std::exception&) {
        Messages().ShowError(remote + " -> File not found in your receiver");
    }
    link->FTP.Disconnect();
    if (fetched)
        CompareFolder(TempDir);
    RemoveTransferFolder();
}

void TForm_Compare::DoCompareAndFill()
{
    Rows = CompareSets();
    LV_Serv->BeginUpdate();
    LV_Serv->ClearRows();
    LV_Serv->AddRows(static_cast<int>(Rows.size()));
    for (std::size_t i = 0; i < Rows.size(); ++i) {
        const TCompareRow& r = Rows[i];
        const int row = static_cast<int>(i);
        LV_Serv->Cell(CmpColHidden, row).SetAsInteger(r.Hidden);
        LV_Serv->Cell(CmpColCheck, row).SetAsBoolean(r.Checked);
        LV_Serv->SetCells(CmpColType, row, r.Type);
        LV_Serv->SetCells(CmpColService, row, r.Service);
        LV_Serv->SetCells(CmpColPackage, row, r.Package);
        LV_Serv->SetCells(CmpColSynt, row, r.Synt);
        LV_Serv->SetCells(CmpColSat, row, r.Sat);
        LV_Serv->SetCells(CmpColAction, row, ActionText(r.Action));
    }
    LV_Serv->EndUpdate();
    if (Rows.empty())
        Messages().ShowInformation(CompareSameText);
}

void TForm_Compare::ReadChecks()
{
    for (std::size_t i = 0; i < Rows.size() && static_cast<int>(i) < LV_Serv->RowCount(); ++i)
        Rows[i].Checked = LV_Serv->Cell(CmpColCheck, static_cast<int>(i)).AsBoolean();
}

void TForm_Compare::SetSelectedChecks(bool on)
{
    LV_Serv->BeginUpdate();
    for (int r = 0; r < LV_Serv->RowCount(); ++r)
        if (LV_Serv->Selected(r))
            LV_Serv->Cell(CmpColCheck, r).SetAsBoolean(on);
    LV_Serv->EndUpdate();
    ReadChecks();
}

void TForm_Compare::BitBtn_CheckClick() { SetSelectedChecks(true); }
void TForm_Compare::BitBtn_UnceckClick() { SetSelectedChecks(false); }

int TForm_Compare::Count2Add()
{
    ReadChecks();
    return ::Count2Add(Rows);
}

void TForm_Compare::BitBtn_UpdateClick()
{
    ReadChecks();
    TCompareResult result;
    {
        THourglass busy;
        result = ApplyCompare(Rows);
        if (result.Any() && Form_Main) {
            Form_Main->FillSat();
            Form_Main->FillChannel();
            if (Form_Main->LV_TypeOfList->RowCount() > 0)
                Form_Main->Lv_TypeOfListSelectCell(std::max(Form_Main->LV_TypeOfList->SelectedRow(), 0), true);
        }
    }
    Messages().ShowInformation(CompareReport(result));
    Rows.clear();
    LV_Serv->ClearRows();
    SetModalResult(mrOk);
}
