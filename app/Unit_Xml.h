#pragma once

// The satellite and terrestrial list editor: the two tuning lists of
// satellites.xml and terrestrial.xml on two tabs, each with its elements,
// their transponders and an edit panel, driven by a context menu on the
// lists; and the import of a satellite from a satellite .ini file. Nothing
// is written here: an edit marks the list for the next save.

#include "grid/CfGrid.h"
#include "platform/Forms.h"
#include "platform/Menus.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cf {
class TCfButton;
class TCfCheckBox;
class TCfComboBox;
class TCfEdit;
class TCfHeaderPanel;
class TCfPageControl;
class TCfPanel;
class TCfTabSheet;
} // namespace cf

inline constexpr const char* XmlCancelQuestion = "Your changes have not been saved : Proceeed anyway ?";
inline constexpr const char* XmlTpDeleteQuestion = "Selected transponder will be deleted  : are you sure ?";
inline constexpr const char* XmlSatDeleteQuestion =
    "Selected satellites and related transponders will be deleted : are you sure ?";
inline constexpr const char* XmlSatDeleteWarning = "If you delete from XML a satellite that is present in you settings "
                                                   "these will no more work when in tour receiver, continue anyway ?";
inline constexpr const char* XmlLocDeleteQuestion =
    "Selected location and related transponders will be deleted : are you sure ?";

class TForm_Xml : public cf::TForm {
public:
    explicit TForm_Xml(QWidget* owner = nullptr);

    cf::TCfPageControl* CfPageControl1 = nullptr;
    cf::TCfTabSheet* Tab_Sat = nullptr;
    cf::TCfTabSheet* Tab_Ter = nullptr;
    cf::TCfButton* Butt_XML_Exit = nullptr;
    // Satellite tab
    TCfGrid* LV_SatXML = nullptr;
    TCfGrid* LV_SatDataXML = nullptr;
    cf::TCfPanel* CfPanel_DataSat = nullptr;
    cf::TCfHeaderPanel* CfHeaderPanel_tp = nullptr;
    cf::TCfEdit* Tx_XML_Freq = nullptr;
    cf::TCfEdit* Tx_XML_Srate = nullptr;
    cf::TCfComboBox* TCB_XML_FEC = nullptr;
    cf::TCfComboBox* TCB_XML_Pol = nullptr;
    cf::TCfComboBox* TCB_XML_Inv = nullptr;
    cf::TCfComboBox* TCB_XML_Mod = nullptr;
    cf::TCfComboBox* TCB_XML_Sys = nullptr;
    cf::TCfComboBox* TCB_XML_Pilot = nullptr;
    cf::TCfComboBox* TCB_XML_Rolloff = nullptr;
    cf::TCfHeaderPanel* CfHeaderPanel_Sat = nullptr;
    cf::TCfEdit* Tx_Xml_SatName = nullptr;
    cf::TCfEdit* Tx_XML_SatPos = nullptr;
    cf::TCfCheckBox* CB_XML_NS = nullptr;
    cf::TCfCheckBox* CB_XML_BAT = nullptr;
    cf::TCfCheckBox* CB_XML_ONID = nullptr;
    cf::TCfCheckBox* CB_XML_SKIP = nullptr;
    cf::TCfButton* Butt_SatXML_Save = nullptr;
    cf::TCfButton* Butt_SatXML_Cancel = nullptr;
    // Terrestrial tab
    TCfGrid* LV_TerXML = nullptr;
    TCfGrid* LV_TerDataXML = nullptr;
    cf::TCfPanel* CfPanel_DataTer = nullptr;
    cf::TCfHeaderPanel* CfHeaderPanel_terTp = nullptr;
    cf::TCfEdit* Tx_XML_TerFreq = nullptr;
    cf::TCfComboBox* TCB_TerrXML_Band = nullptr;
    cf::TCfComboBox* TCB_TerXML_Cons = nullptr;
    cf::TCfHeaderPanel* CfHeaderPanel_ter = nullptr;
    cf::TCfEdit* Tx_Xml_TerName = nullptr;
    cf::TCfCheckBox* CB_XML_TerNS = nullptr;
    cf::TCfCheckBox* CB_XML_TerBAT = nullptr;
    cf::TCfCheckBox* CB_XML_TerONID = nullptr;
    cf::TCfCheckBox* CB_XML_TerSKIP = nullptr;
    cf::TCfButton* Butt_TerXML_Save = nullptr;
    cf::TCfButton* Butt_TerrXML_Cancel = nullptr;

    cf::TPopupMenu Pop_SatXML;
    cf::TPopupMenu Pop_TerXML;

    bool TransponderMode = false;
    std::int32_t CurrentListIndex = 0;
    std::int32_t CurrentTpIndex = 0;

    void FormShow();
    void FillSat();
    void FillTer();
    void LV_SatXMLSelectCell();
    void LV_TerXMLSelectCell();
    void LV_SatDataXMLSelectCell();
    void LV_TerDataXMLSelectCell();
    // `onList`: opened on the satellite (location) list, else on its
    // transponders.
    void Pop_SatXMLPopup(bool onList);
    void Pop_TerXMLPopup(bool onList);
    void pop_sat_modifyClick();
    void pop_sat_insertClick();
    void Pop_sat_deleteClick();
    void BitBtn_XML_SaveClick();
    void Butt_SatXML_CancelClick();
    void pop_ter_modifyClick();
    void pop_ter_insertClick();
    void pop_ter_deleteClick();
    void Butt_TerXML_SaveClick();
    void Butt_TerrXML_CancelClick();
    void TCB_XML_SysChange();
    void Diritti(bool edit);
    void Pop_Sat_ImportClick();
    void ImportIni(const std::string& fileName);

    void DoShow() override { FormShow(); }

private:
    void BuildControls();
    void BuildMenus();
    void SetSatTpRow(int row, std::int32_t index);
    void SetTerTpRow(int row, std::int32_t index);
    static std::vector<std::int32_t> SelectedIndexes(TCfGrid& grid, int column);
    static std::int32_t RowIndex(TCfGrid& grid, int column);
};

extern TForm_Xml* Form_Xml;
