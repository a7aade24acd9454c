#pragma once

// The folder selection dialog: the folder to load from (Tag 0) or to save into
// (any other Tag), and in save mode the receiver profile whose format and
// paths the save uses.

#include "app/FileCtrls.h"
#include "platform/Forms.h"
#include "settings/FolderIO.h"

#include <functional>
#include <string>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

class TForm_SelDir : public cf::TForm {
public:
    explicit TForm_SelDir(QWidget* owner = nullptr);

    QLabel* Label_Dir = nullptr;
    QLineEdit* Edir = nullptr;
    cf::TDriveComboBox* dcb = nullptr;
    cf::TDirectoryListBox* dlb = nullptr;
    cf::TFileListBox* flb = nullptr;
    QWidget* PanelVer = nullptr;
    QLabel* Label_Profile = nullptr;
    QComboBox* CB_Profile = nullptr;
    QPushButton* BitBtn1 = nullptr; // OK
    QPushButton* BitBtn2 = nullptr; // Cancel
    QMenu* PopupMenu_dir = nullptr;
    QAction* PopCreateDir = nullptr;

    // Questions and errors (the message dialogs) and the one-line prompt.
    TFolderDialogs* Dialogs = nullptr;
    std::function<bool(const std::string& caption, const std::string& prompt, std::string& value)> InputQuery;

    bool SaveMode() const { return Tag != 0; }

    void FormShow();
    void dlbChange();
    void dcbChange();
    void bOKClick();
    void PopCreateDirClick();

    void DoShow() override { FormShow(); }
};
