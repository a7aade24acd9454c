#pragma once

// The Options window: the receiver profiles (Profiles page) and the program
// options with the interface language (Various page). It is made last of all
// windows: FormCreate lists the language module's languages and applies the
// stored one to every window. What it stores goes through the routines of
// OptionProfiles.h; the window only moves values between them and its fields.
//

#include "platform/Forms.h"

#include <functional>
#include <string>
#include <vector>

namespace cf {
class TCfButton;
class TCfCheckBox;
class TCfComboBox;
class TCfEdit;
class TCfLabel;
class TCfPageControl;
class TCfTabSheet;
class TRegistry;
} // namespace cf
class TCfGrid;

class TForm_Option : public cf::TForm {
public:
    explicit TForm_Option(QWidget* owner = nullptr);

    // ---- pages
    cf::TCfPageControl* PageControl_Opt = nullptr;
    cf::TCfTabSheet* Tab_Sheet_pro = nullptr;
    cf::TCfTabSheet* Tab_Sheet_Var = nullptr;

    // ---- Profiles
    TCfGrid* GV_Profiles = nullptr;
    cf::TCfButton* CfBu_Profile_new = nullptr;
    cf::TCfButton* CfBu_Profile_del = nullptr;
    cf::TCfButton* CfBu_profile_def = nullptr;
    cf::TCfEdit* TX_Name = nullptr;
    cf::TCfComboBox* CB_Type = nullptr;
    cf::TCfEdit* Tx_Ip = nullptr;
    cf::TCfEdit* Tx_UserName = nullptr;
    cf::TCfEdit* Tx_Password = nullptr;
    cf::TCfEdit* TX_Http_Port = nullptr;
    cf::TCfEdit* Tx_Ftp_Port = nullptr;
    cf::TCfCheckBox* rb_passive = nullptr;
    cf::TCfEdit* TX_Remote_ser = nullptr;
    cf::TCfEdit* TX_Remote_Xml = nullptr;
    std::vector<cf::TCfLabel*> ProfileLabels;

    // ---- Various
    cf::TCfCheckBox* CB_RememberWind = nullptr;
    cf::TCfCheckBox* CB_ShowSplash = nullptr;
    cf::TCfCheckBox* CB_DecFormat = nullptr;
    cf::TCfCheckBox* CB_ShowGrid = nullptr;
    cf::TCfCheckBox* CB_ReadNew = nullptr;
    cf::TCfLabel* Label_Language = nullptr;
    cf::TCfComboBox* CB_Languages = nullptr;
    // The LCID of each item of CB_Languages.
    std::vector<int> LanguageIds;

    // ---- bottom
    cf::TCfButton* BitBtn_Exit = nullptr;
    cf::TCfButton* BitBtn_Save = nullptr;

    // The language module; FormCreate reads it.
    std::string ModulePath;
    // The configuration key the window stores into (the main window's);
    // without one nothing is stored.
    cf::TRegistry* Registry = nullptr;
    // The other windows a language change translates, in order, and what
    // runs after a save on the Various page (the main window's SetGrid).
    std::vector<cf::TForm*> TranslatedForms;
    std::function<void()> OnOptionsSaved;
    // Called after a language change so the main window's mode box names
    // the loaded version again.
    std::function<void(const std::string&)> SetVersionText;

    void FormCreate();
    void FormShow();
    void ShowPage(int index);
    int ActivePageIndex() const;
    void TabSheet_ProShow();
    void TabSheet_VarShow();
    void BitBtn_SaveClick();
    void FillProfiles();
    void GV_ProfilesSelectCell(int row);
    void CfBu_Profile_newClick();
    void CfBu_Profile_delClick();
    void CfBu_profile_defClick();
    void CB_LanguagesChange();

    void DoShow() override { FormShow(); }

private:
    void BuildProfilesPage();
    void BuildVariousPage();
    void SaveProfilePage();
    void SaveVariousPage();
    bool OpenKey();
};

extern TForm_Option* Form_Option;
