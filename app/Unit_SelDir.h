#pragma once

// The folder selection dialog: the folder to load from (Tag 0) or to save into
// (any other Tag), and in save mode the receiver profile whose format and
// paths the save uses. Questions, errors and the new folder's name go through
// the message service.

#include "app/FileCtrls.h"
#include "platform/Forms.h"

#include <string>

namespace cf {
class TCfButton;
class TCfComboBox;
class TCfEdit;
class TCfLabel;
class TCfPanel;
class TMenuItem;
class TPopupMenu;
} // namespace cf

// The error shown when OK is pressed with no folder name.
inline constexpr const char* NoFolderNameText = "Enter the name of a folder";

class TForm_SelDir : public cf::TForm {
public:
    explicit TForm_SelDir(QWidget* owner = nullptr);

    cf::TCfLabel* Label_Dir = nullptr;
    cf::TCfEdit* Edir = nullptr;
    cf::TDriveComboBox* dcb = nullptr;
    cf::TDirectoryListBox* dlb = nullptr;
    cf::TFileListBox* flb = nullptr;
    cf::TCfPanel* PanelVer = nullptr;
    cf::TCfLabel* Label_Profile = nullptr;
    cf::TCfComboBox* CB_Profile = nullptr;
    cf::TCfButton* BitBtn1 = nullptr; // OK
    cf::TCfButton* BitBtn2 = nullptr; // Cancel
    cf::TPopupMenu* PopupMenu_dir = nullptr;
    cf::TMenuItem* PopCreateDir = nullptr;

    bool SaveMode() const { return Tag != 0; }

    void FormShow();
    void dlbChange();
    void dcbChange();
    void bOKClick();
    void PopCreateDirClick();

    void DoShow() override { FormShow(); }
};
