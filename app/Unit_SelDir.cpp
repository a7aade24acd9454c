#include "app/Unit_SelDir.h"

#include "app/DirListing.h"
#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/CfLabel.h"
#include "controls/CfPanel.h"
#include "controls/MessageService.h"
#include "link/ProfileChoice.h"
#include "platform/Menus.h"
#include "settings/Unit_lib.h"


#include <filesystem>

namespace fs = std::filesystem;
using namespace cf;

TForm_SelDir::TForm_SelDir(QWidget* owner) : TForm(owner)
{
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetCaption("Chanforge - Select Directory");
    Position = TPosition::poScreenCenter;
    SetClientSize(456, 392);

    Label_Dir = new TCfLabel(this);
    Label_Dir->Name = "Label_Dir";
    Label_Dir->SetCaption("Directory Name");
    Label_Dir->SetBounds(8, 6, 200, 16);
    Edir = new TCfEdit(this);
    Edir->Name = "Edir";
    Edir->SetBounds(8, 24, 440, 22);

    dcb = new TDriveComboBox(this);
    dcb->Name = "dcb";
    dcb->SetBounds(8, 54, 216, 22);
    dlb = new TDirectoryListBox(this);
    dlb->Name = "dlb";
    dlb->SetBounds(8, 80, 216, 218);
    flb = new TFileListBox(this);
    flb->Name = "flb";
    flb->SetBounds(232, 54, 216, 244);

    PanelVer = new TCfPanel(this);
    PanelVer->Name = "PanelVer";
    PanelVer->SetBounds(8, 306, 440, 40);
    Label_Profile = new TCfLabel(PanelVer);
    Label_Profile->Name = "Label_Profile";
    Label_Profile->SetCaption("Save with  format");
    Label_Profile->SetTransparent(true); // over the panel's own background
    Label_Profile->SetBounds(8, 11, 120, 18);
    CB_Profile = new TCfComboBox(PanelVer);
    CB_Profile->Name = "CB_Profile";
    CB_Profile->SetStyle(TDropDownStyle::dsDropDownList);
    CB_Profile->SetBounds(136, 8, 296, 24);

    BitBtn1 = new TCfButton(this);
    BitBtn1->Name = "BitBtn1";
    BitBtn1->SetCaption("OK");
    BitBtn1->SetBounds(288, 358, 75, 25);
    BitBtn1->SetDefault(true);
    BitBtn2 = new TCfButton(this);
    BitBtn2->Name = "BitBtn2";
    BitBtn2->SetCaption("Cancel");
    BitBtn2->SetBounds(373, 358, 75, 25);
    BitBtn2->Cancel = true;
    BitBtn2->ModalResult = mrCancel;

    PopupMenu_dir = new TPopupMenu(this);
    PopupMenu_dir->Name = "PopupMenu_dir";
    PopCreateDir = PopupMenu_dir->Add("PopCreateDir", "Create Dir", [this](TMenuItem&) { PopCreateDirClick(); });

    dlb->OnChange = [this](TDirectoryListBox*) { dlbChange(); };
    dcb->OnChange = [this](TDriveComboBox*) { dcbChange(); };
    BitBtn1->OnClick = [this](TControl*) { bOKClick(); };
}

void TForm_SelDir::FormShow()
{
    ShowProfileChoice(*CB_Profile);

    const std::string& start = SaveMode() ? TheSaveDir : TheLoadDir;
    dlb->Hint = SaveMode() ? "Right click to create dir" : "";
    dlb->ShowHint = SaveMode();
    dlb->setToolTip(QString::fromStdString(dlb->Hint));
    dlb->PopupMenu = SaveMode() ? PopupMenu_dir : nullptr;
    PanelVer->SetEnabled(SaveMode());

    // A remembered folder that is gone (or a Windows path) shows its nearest
    // existing parent; the edit shows the folder the list shows.
    dlb->SetDirectory(start.empty() ? std::string("/") : start);
    dlbChange();
}

void TForm_SelDir::dlbChange()
{
    Edir->SetText(dlb->Directory());
    flb->SetDirectory(dlb->Directory());
    dcb->ShowDriveOf(dlb->Directory());
}

void TForm_SelDir::dcbChange() { dlb->SetDirectory(dcb->Drive()); }

void TForm_SelDir::bOKClick()
{
    const std::string folder = Edir->Text();
    // An empty name would load from, or save into, the working folder.
    if (folder.empty()) {
        Messages().ShowError(NoFolderNameText);
        return;
    }
    if (!SaveMode()) {
        TheLoadDir = folder;
        SetModalResult(mrOk);
        return;
    }
    // Nothing is deleted in a folder that is not there; the user may correct it.
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        Messages().ShowError("The folder " + folder + " does not exist");
        return;
    }
    if (!Messages().Confirm("All settings file in the target directory will be deleted : Are you sure ? ")) {
        SetModalResult(mrCancel);
        return;
    }
    TheSaveDir = folder;
    SaveProfile = CB_Profile->ItemIndex();
    SetModalResult(mrOk);
}

void TForm_SelDir::PopCreateDirClick()
{
    std::string name;
    if (!Messages().InputQuery("Create Dir", "Insert name for new dir", name) || name.empty())
        return;
    if (!IsValidNewDirName(name)) {
        Messages().ShowError("\"" + name + "\" cannot be the name of a folder");
        return;
    }
    const fs::path target = fs::path(dlb->Directory()) / name;
    // A folder that can be listed but not entered, or a name taken by a link
    // that leads nowhere, fails here: every answer is a message, never a throw.
    std::error_code ec, there;
    if (!fs::create_directory(target, ec) && !fs::is_directory(target, there)) {
        const std::error_code& why = ec ? ec : there;
        Messages().ShowError("Cannot create the folder " + target.string() + " : " +
                             (why ? why.message() : std::string("a file of that name exists")));
        return;
    }
    dlb->SetDirectory(target.string());
}
