#pragma once

// The transponder editor: browses the transponders of the loaded set, and
// inserts, modifies and deletes them. It edits the model in place; the main
// window refills its lists afterwards when RefreshList is set.

#include "grid/CfGrid.h"
#include "platform/Forms.h"

#include <cstdint>
#include <vector>

namespace cf {
class TCfButton;
class TCfComboBox;
class TCfEdit;
class TCfHeaderPanel;
class TCfLabel;
class TCfNumberEdit;
class TCfPanel;
} // namespace cf

inline constexpr const char* TpModifyQuestion = "All related channel (see list) will be modified : are you sure ?";
inline constexpr const char* TpDeleteQuestion = "Selected transponder and all related services will be deleted, proceed  ? ";
inline constexpr const char* TpCancelQuestion = "All changes will be lost : proceed anyway ? ";
inline constexpr const char* NoTransponderText = "Select a transponder first";

class TForm_Tp : public cf::TForm {
public:
    explicit TForm_Tp(QWidget* owner = nullptr);

    cf::TCfHeaderPanel* GroupBox_Tp = nullptr;
    TCfGrid* GV_Tp_List = nullptr;
    cf::TCfLabel* Label_Ch_Tp_Type = nullptr;
    cf::TCfHeaderPanel* GroupBox_Data = nullptr;
    cf::TCfLabel* Label_Tsid = nullptr;
    cf::TCfLabel* Label_ONID = nullptr;
    cf::TCfEdit* Tx_Ch_Tp_Freq = nullptr;
    cf::TCfEdit* Tx_Ch_Tp_TSID = nullptr;
    cf::TCfEdit* Tx_Ch_Tp_ONID = nullptr;
    cf::TCfEdit* Tx_Ch_Tp_Names = nullptr;
    cf::TCfComboBox* TCB_Inversion = nullptr;
    cf::TCfComboBox* TCB_System = nullptr;
    cf::TCfPanel* Panel_OnlySat = nullptr;
    cf::TCfEdit* Tx_Ch_Tp_Srate = nullptr;
    cf::TCfComboBox* TCB_Pol = nullptr;
    cf::TCfComboBox* TCB_FEC = nullptr;
    cf::TCfPanel* Panel_OnlySat1 = nullptr;
    cf::TCfComboBox* TCB_Sat = nullptr;
    cf::TCfPanel* Panel_DVBS2 = nullptr;
    cf::TCfComboBox* TCB_Modulation = nullptr;
    cf::TCfComboBox* TCB_RollOff = nullptr;
    cf::TCfPanel* Panel_E24 = nullptr;
    cf::TCfComboBox* TCB_Pilot = nullptr;
    cf::TCfComboBox* TCB_Scan = nullptr;
    TCfGrid* GV_Rel_Ser = nullptr;
    cf::TCfButton* BitBtn_Tp_Insert = nullptr;
    cf::TCfButton* BitBtn_Tp_Modify = nullptr;
    cf::TCfButton* BitBtn_Tp_Delete = nullptr;
    cf::TCfButton* BitBtn_Tp_Exit = nullptr;
    cf::TCfPanel* Panel_okexit = nullptr;
    cf::TCfButton* BitBtn_Tp_Cancel = nullptr;
    cf::TCfButton* BitBtn_Tp_Save = nullptr;

    bool Inserting = false;
    int EditSatIndex = -1;

    void FormShow();
    void FillSat();
    void FillTp(std::int32_t index);
    void GV_Tp_ListSelectCell();
    void BitBtn_Tp_InsertClick();
    void BitBtn_Tp_ModifyClick();
    void BitBtn_Tp_DeleteClick();
    void BitBtn_Tp_SaveClick();
    void BitBtn_Tp_CancelClick();
    bool Tx_Ch_Tp_TSIDExit();
    bool Tx_Ch_Tp_ONIDExit();
    void TCB_SystemChange();

    // Array index of the selected row's transponder (-1 for none).
    std::int32_t SelectedIndex();
    bool Editing() const { return editing_; }

    void DoShow() override { FormShow(); }

private:
    void BuildControls();
    void SetEditMode(bool editing);
    bool CheckIdEdit(cf::TCfEdit& edit);
    void RemoveSelected(bool withServices);
    bool editing_ = false;
};

extern TForm_Tp* Form_Tp;
