#pragma once

// The service details dialog: edits the service selected in the main
// window's service list, moves it to another transponder, shows where it is
// used, and on Save writes the record back and updates the list's row.
// Nothing is stored until Save, and Save stores nothing unless every field
// is sound.

#include "grid/CfGrid.h"
#include "platform/Forms.h"

#include <array>
#include <cstdint>

namespace cf {
class TCfButton;
class TCfCheckBox;
class TCfEdit;
class TCfHeaderPanel;
class TCfLabel;
class TCfPanel;
} // namespace cf

inline constexpr const char* ChangesLostText = "All changes will be lost : proceed anyway ? ";

class TForm_ChDetails : public cf::TForm {
public:
    explicit TForm_ChDetails(QWidget* owner = nullptr);

    // Service panel
    cf::TCfHeaderPanel* Group_Service = nullptr;
    cf::TCfLabel* Label_ChNo = nullptr;
    cf::TCfEdit* Tx_Ch_Type = nullptr;
    cf::TCfEdit* Tx_Ch_Name = nullptr;
    cf::TCfEdit* TX_CH_Provider = nullptr;
    cf::TCfEdit* TX_Ch_Sid = nullptr;
    cf::TCfPanel* Panel_BlackList = nullptr;
    cf::TCfCheckBox* CB_Ch_ParLock = nullptr;
    cf::TCfPanel* Panel_Whitelist = nullptr;
    cf::TCfCheckBox* CB_Ch_Allo = nullptr;
    cf::TCfCheckBox* CB_NODVB = nullptr;
    cf::TCfCheckBox* CB_DONOTSHOW = nullptr;
    cf::TCfCheckBox* CB_NOPMT = nullptr;
    cf::TCfEdit* TX_CH_PID_Vid = nullptr;
    cf::TCfEdit* TX_CH_PID_AUD = nullptr;
    cf::TCfEdit* TX_CH_PID_Pcr = nullptr;
    cf::TCfEdit* TX_CH_PID_Txt = nullptr;
    cf::TCfEdit* TX_CH_PID_ac3 = nullptr;
    // Transponder panel (display only)
    cf::TCfHeaderPanel* Group_Tp = nullptr;
    cf::TCfLabel* Label_Ch_Tp_Type = nullptr;
    cf::TCfLabel* Label_Tsid = nullptr;
    cf::TCfLabel* Label_ONID = nullptr;
    cf::TCfEdit* Tx_Ch_Tp_Sat = nullptr;
    cf::TCfEdit* Tx_Ch_Tp_TSID = nullptr;
    cf::TCfEdit* Tx_Ch_Tp_ONID = nullptr;
    cf::TCfEdit* Tx_Ch_Tp_Freq = nullptr;
    cf::TCfEdit* Tx_Ch_Tp_Srate = nullptr;
    cf::TCfEdit* Tx_Ch_Tp_Pol = nullptr;
    cf::TCfEdit* Tx_Ch_Tp_FEC = nullptr;
    cf::TCfEdit* Tx_Ch_Tp_Names = nullptr;
    cf::TCfEdit* Tx_Ch_Tp_Inversion = nullptr;
    cf::TCfEdit* Tx_Ch_Tp_System = nullptr;
    cf::TCfPanel* Panel_dvbs2 = nullptr;
    cf::TCfEdit* Tx_Ch_Tp_Mod = nullptr;
    cf::TCfEdit* Tx_Ch_Tp_RollOff = nullptr;
    cf::TCfPanel* Panel_E24 = nullptr;
    cf::TCfEdit* Tx_Ch_Tp_Flag = nullptr;
    cf::TCfEdit* Tx_Ch_Tp_Pilot = nullptr;
    TCfGrid* GV_Tp_List = nullptr;
    TCfGrid* GV_PresentIn = nullptr;
    cf::TCfButton* CfButt_Save = nullptr;
    cf::TCfButton* CfButt_Exit = nullptr;

    // Array index of the service being edited (-1 when none).
    std::int32_t DetailServiceIndex = -1;

    void FormShow();
    void FillTp();
    void GV_Tp_ListClick();
    void CfButt_SaveClick();
    // The exit checks: false (message shown, focus back) when refused.
    bool TX_Ch_SidExit();
    bool PidExit(int pid);
    void FormCloseQuery(bool& canClose);

    cf::TCfEdit* PidEdit(int pid) const { return pidEdits_[static_cast<std::size_t>(pid)]; }

    void DoShow() override { FormShow(); }
    bool CloseQuery() override;

private:
    void BuildControls();
    bool CheckIdEdit(cf::TCfEdit& edit, bool emptyAllowed);
    std::array<cf::TCfEdit*, 5> pidEdits_{};
    bool saving_ = false;
    bool closing_ = false;
};

extern TForm_ChDetails* Form_ChDetails;
