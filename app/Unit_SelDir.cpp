#include "app/Unit_SelDir.h"

#include "app/DirListing.h"
#include "settings/Unit_lib.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <filesystem>

namespace fs = std::filesystem;
using namespace cf;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

} // namespace

TForm_SelDir::TForm_SelDir(QWidget* owner) : TForm(owner)
{
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetCaption("Chanforge - Select Directory");
    Position = TPosition::poScreenCenter;
    SetClientSize(456, 392);

    Label_Dir = new QLabel("Directory Name", this);
    Label_Dir->setGeometry(8, 6, 200, 16);
    Edir = new QLineEdit(this);
    Edir->setGeometry(8, 24, 440, 22);

    dcb = new TDriveComboBox(this);
    dcb->Name = "dcb";
    dcb->SetBounds(8, 54, 216, 22);
    dlb = new TDirectoryListBox(this);
    dlb->Name = "dlb";
    dlb->SetBounds(8, 80, 216, 218);
    flb = new TFileListBox(this);
    flb->Name = "flb";
    flb->SetBounds(232, 54, 216, 244);

    PanelVer = new QWidget(this);
    PanelVer->setGeometry(8, 306, 440, 40);
    Label_Profile = new QLabel("Save with  format", PanelVer);
    Label_Profile->setGeometry(8, 11, 120, 18);
    CB_Profile = new QComboBox(PanelVer);
    CB_Profile->setGeometry(136, 8, 296, 24);

    BitBtn1 = new QPushButton("OK", this);
    BitBtn1->setGeometry(288, 358, 75, 25);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton("Cancel", this);
    BitBtn2->setGeometry(373, 358, 75, 25);

    PopupMenu_dir = new QMenu(this);
    PopCreateDir = PopupMenu_dir->addAction("Create Dir");

    dlb->OnChange = [this](TDirectoryListBox*) { dlbChange(); };
    dcb->OnChange = [this](TDriveComboBox*) { dcbChange(); };
    QObject::connect(BitBtn1, &QPushButton::clicked, this, [this] { bOKClick(); });
    QObject::connect(BitBtn2, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
    QObject::connect(PopCreateDir, &QAction::triggered, this, [this] { PopCreateDirClick(); });
}

void TForm_SelDir::FormShow()
{
    CB_Profile->clear();
    for (const auto& p : Profiles)
        CB_Profile->addItem(Q(p.Name));
    CB_Profile->setCurrentIndex(SelectedProfile >= 0 && SelectedProfile < CB_Profile->count() ? SelectedProfile : -1);

    const std::string& start = SaveMode() ? TheSaveDir : TheLoadDir;
    dlb->Hint = SaveMode() ? "Right click to create dir" : "";
    dlb->ShowHint = SaveMode();
    dlb->setToolTip(Q(dlb->Hint));
    dlb->PopupMenu = SaveMode() ? PopupMenu_dir : nullptr;
    PanelVer->setEnabled(SaveMode());

    // A remembered folder that is gone (or a Windows path) shows its nearest
    // existing parent; the edit shows the folder the list shows.
    dlb->SetDirectory(start.empty() ? std::string("/") : start);
    dlbChange();
}

void TForm_SelDir::dlbChange()
{
    Edir->setText(Q(dlb->Directory()));
    flb->SetDirectory(dlb->Directory());
    dcb->ShowDriveOf(dlb->Directory());
}

void TForm_SelDir::dcbChange() { dlb->SetDirectory(dcb->Drive()); }

void TForm_SelDir::bOKClick()
{
    const std::string folder = Edir->text().toStdString();
    if (!SaveMode()) {
        TheLoadDir = folder;
        SetModalResult(mrOk);
        return;
    }
    // Nothing is deleted in a folder that is not there; the user may correct it.
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec)) {
        if (Dialogs)
            Dialogs->Error("The folder " + folder + " does not exist");
        return;
    }
    const bool yes =
        Dialogs && Dialogs->Confirm("All settings file in the target directory will be deleted : Are you sure ? ");
    if (!yes) {
        SetModalResult(mrCancel);
        return;
    }
    TheSaveDir = folder;
    SaveProfile = CB_Profile->currentIndex();
    SetModalResult(mrOk);
}

void TForm_SelDir::PopCreateDirClick()
{
    std::string name;
    if (!InputQuery || !InputQuery("Create Dir", "Insert name for new dir", name) || name.empty())
        return;
    if (!IsValidNewDirName(name)) {
        if (Dialogs)
            Dialogs->Error("\"" + name + "\" cannot be the name of a folder");
        return;
    }
    const fs::path target = fs::path(dlb->Directory()) / name;
    std::error_code ec;
    if (!fs::create_directory(target, ec) && !fs::is_directory(target)) {
        if (Dialogs)
            Dialogs->Error("Cannot create the folder " + target.string() + " : " +
                           (ec ? ec.message() : std::string("a file of that name exists")));
        return;
    }
    dlb->SetDirectory(target.string());
}
