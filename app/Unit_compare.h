#pragma once

// The compare dialog: reads a second services file (from a folder or from
// the receiver), lists what differs from the loaded set and applies the
// ticked rows: INS adds a service, UPD renames it, DEL deletes it.

#include "app/CompareSets.h"
#include "grid/CfGrid.h"
#include "platform/Forms.h"

#include <functional>
#include <string>
#include <vector>

namespace cf {
class TCfButton;
class TCfLabel;
} // namespace cf
class TNetworkLink;

inline constexpr const char* NoConnectionText =
    "Could not connect to receiver. Check IP Address,network settings and status of receiver";

enum : int { CmpColHidden = 0, CmpColCheck, CmpColType, CmpColService, CmpColPackage, CmpColSynt, CmpColSat,
             CmpColAction };

class TForm_Compare : public cf::TForm {
public:
    explicit TForm_Compare(QWidget* owner = nullptr);

    TCfGrid* LV_Serv = nullptr;
    cf::TCfButton* BitBtn_FromFile = nullptr;
    cf::TCfButton* BitBtn_FromRec = nullptr;
    cf::TCfButton* BitBtn_Update = nullptr;
    cf::TCfButton* BitBtn_Check = nullptr;
    cf::TCfButton* BitBtn_Uncheck = nullptr;
    cf::TCfButton* BitBtn_Exit = nullptr;

    // What the folder dialog and the receiver link are, for this dialog:
    // the folder dialog in load mode (true on OK, TheLoadDir then holds the
    // folder) and the link whose FTP client fetches the file.
    std::function<bool()> SelDir;
    std::function<TNetworkLink*()> Link;

    // The rows shown, row for row (the grid is not sorted).
    std::vector<TCompareRow> Rows;

    void FormShow();
    void BitBtn_FromFileClick();
    void BitBtn_FromRecClick();
    // Compares the folder's file; false (with a message) when it has none
    // or it cannot be read.
    bool CompareFolder(const std::string& folder);
    void DoCompareAndFill();
    void BitBtn_UpdateClick();
    void BitBtn_CheckClick();
    void BitBtn_UnceckClick();
    int Count2Add();

    void DoShow() override { FormShow(); }

private:
    void BuildControls();
    void SetSelectedChecks(bool on);
    void ReadChecks();
};

extern TForm_Compare* Form_Compare;
