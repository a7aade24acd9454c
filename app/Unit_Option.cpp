#include "app/Unit_Option.h"

#include "app/Configuration.h"
#include "app/LcUnit.h"
#include "app/LcidNames.h"
#include "app/OptionProfiles.h"
#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/CfLabel.h"
#include "controls/CfNotebook.h"
#include "controls/CfPageControl.h"
#include "controls/MessageService.h"
#include "grid/CfGrid.h"
#include "platform/Registry.h"
#include "settings/MessageTexts.h"
#include "settings/NameTables.h"
#include "settings/Unit_lib.h"

#include <algorithm>

using namespace cf;

TForm_Option* Form_Option = nullptr;

namespace {

constexpr int PageTop = 8;
constexpr int TabStripHeight = 26;
constexpr int PageWidth = 544;
constexpr int PageHeight = 336;
constexpr TColor DefaultProfileColour = 255; // red


TCfLabel* AddLabel(QWidget* parent, const char* name, const char* caption, int left, int top, int width)
{
    auto* l = new TCfLabel(parent);
    l->Name = name;
    l->SetCaption(caption);
    l->SetBounds(left, top + 3, width, 16);
    return l;
}

TCfEdit* AddEdit(QWidget* parent, const char* name, int left, int top, int width)
{
    auto* e = new TCfEdit(parent);
    e->Name = name;
    e->SetBounds(left, top, width, 22);
    e->SetTabStop(true);
    return e;
}

TCfCheckBox* AddCheck(QWidget* parent, const char* name, const char* caption, int left, int top, int width)
{
    auto* c = new TCfCheckBox(parent);
    c->Name = name;
    c->SetCaption(caption);
    c->SetBounds(left, top, width, 20);
    c->SetTabStop(true);
    return c;
}

TCfButton* AddButton(QWidget* parent, const char* name, const char* caption, int left, int top, int width)
{
    auto* b = new TCfButton(parent);
    b->Name = name;
    b->SetCaption(caption);
    b->SetBounds(left, top, width, 26);
    b->SetTabStop(true);
    return b;
}

} // namespace

TForm_Option::TForm_Option(QWidget* owner) : TForm(owner)
{
    Name = "Form_Option";
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetCaption("Chanforge - Options");
    Position = TPosition::poScreenCenter;
    SetClientSize(PageWidth + 16, PageTop + TabStripHeight + PageHeight + 46);
    ModulePath = LanguageModulePath();

    PageControl_Opt = new TCfPageControl(this);
    PageControl_Opt->Name = "PageControl_Opt";
    PageControl_Opt->SetBounds(8, PageTop, PageWidth, PageHeight + TabStripHeight);
    PageControl_Opt->SetTabStop(true);
    Tab_Sheet_pro = new TCfTabSheet(PageControl_Opt);
    Tab_Sheet_pro->Name = "Tab_Sheet_pro";
    Tab_Sheet_pro->SetCaption("Profiles");
    Tab_Sheet_Var = new TCfTabSheet(PageControl_Opt);
    Tab_Sheet_Var->Name = "Tab_Sheet_Var";
    Tab_Sheet_Var->SetCaption("Various");
    Tab_Sheet_pro->OnShow = [this](TCfTabSheet*) { TabSheet_ProShow(); };
    Tab_Sheet_Var->OnShow = [this](TCfTabSheet*) { TabSheet_VarShow(); };
    BuildProfilesPage();
    BuildVariousPage();

    const int bottom = PageTop + TabStripHeight + PageHeight + 10;
    BitBtn_Save = AddButton(this, "BitBtn_Save", rs::SaveProfileCaption.Text, PageWidth + 8 - 260, bottom, 170);
    BitBtn_Exit = AddButton(this, "BitBtn_Exit", "Exit", PageWidth + 8 - 82, bottom, 82);
    BitBtn_Exit->ModalResult = mrCancel;
    BitBtn_Exit->Cancel = true;
    BitBtn_Save->OnClick = [this](TControl*) { BitBtn_SaveClick(); };
    ShowPage(0);
}

void TForm_Option::BuildProfilesPage()
{
    QWidget* p = Tab_Sheet_pro;
    GV_Profiles = new TCfGrid(p);
    GV_Profiles->Name = "GV_Profiles";
    GV_Profiles->SetOptions(goHeader | goSelectFullRow);
    GV_Profiles->SetReadOnly(true);
    GV_Profiles->SetAppearanceOptions(GV_Profiles->AppearanceOptions() & ~aoHideSelection);
    GV_Profiles->SetRowSize(18);
    GV_Profiles->SetTabStop(true);
    GV_Profiles->SetBounds(8, 8, 200, 280);
    auto* column = GV_Profiles->Columns().Add<TCfTextColumn>();
    column->Header().SetCaption("Profiles");
    column->SetWidth(194);
    GV_Profiles->OnSelectCell = [this](QObject*, int, int row) { GV_ProfilesSelectCell(row); };
    GV_Profiles->OnCellFormating = [](QObject*, int, int row, TColor& text, TFontStyles&, TCellState) {
        if (row == SelectedProfile)
            text = DefaultProfileColour;
    };
    CfBu_Profile_new = AddButton(p, "CfBu_Profile_new", "New", 8, 296, 64);
    CfBu_Profile_del = AddButton(p, "CfBu_Profile_del", "Delete", 76, 296, 64);
    CfBu_profile_def = AddButton(p, "CfBu_profile_def", "Default", 144, 296, 64);
    CfBu_Profile_new->OnClick = [this](TControl*) { CfBu_Profile_newClick(); };
    CfBu_Profile_del->OnClick = [this](TControl*) { CfBu_Profile_delClick(); };
    CfBu_profile_def->OnClick = [this](TControl*) { CfBu_profile_defClick(); };

    const int labelLeft = 220, fieldLeft = 220, width = 310;
    int y = 6;
    auto row = [&](const char* labelName, const char* caption) {
        ProfileLabels.push_back(AddLabel(p, labelName, caption, labelLeft, y, width));
        y += 18;
    };
    row("Label_Name", "Profile name");
    TX_Name = AddEdit(p, "TX_Name", fieldLeft, y, width);
    y += 26;
    row("Label_Type", "Settings type");
    CB_Type = new TCfComboBox(p);
    CB_Type->Name = "CB_Type";
    CB_Type->SetStyle(TDropDownStyle::dsDropDownList);
    CB_Type->SetItems({"Enigma 1", "Enigma 2.3", "Enigma 2.4", "Enigma 1 QB-One"});
    CB_Type->SetBounds(fieldLeft, y, 150, 22);
    CB_Type->SetTabStop(true);
    ProfileLabels.push_back(AddLabel(p, "Label_Ip", "Receiver Address", fieldLeft + 160, y - 18, 150));
    Tx_Ip = AddEdit(p, "Tx_Ip", fieldLeft + 160, y, 150);
    y += 26;
    ProfileLabels.push_back(AddLabel(p, "Label_UserName", "User Name", fieldLeft, y, 150));
    ProfileLabels.push_back(AddLabel(p, "Label_Password", "Password", fieldLeft + 160, y, 150));
    y += 18;
    Tx_UserName = AddEdit(p, "Tx_UserName", fieldLeft, y, 150);
    Tx_Password = AddEdit(p, "Tx_Password", fieldLeft + 160, y, 150);
    y += 26;
    ProfileLabels.push_back(AddLabel(p, "Label_Http_Port", "Http port", fieldLeft, y, 100));
    ProfileLabels.push_back(AddLabel(p, "Label_Ftp_Port", "Ftp port", fieldLeft + 110, y, 100));
    y += 18;
    TX_Http_Port = AddEdit(p, "TX_Http_Port", fieldLeft, y, 100);
    Tx_Ftp_Port = AddEdit(p, "Tx_Ftp_Port", fieldLeft + 110, y, 100);
    rb_passive = AddCheck(p, "rb_passive", "Passive Mode       ", fieldLeft + 216, y + 1, 98);
    y += 30;
    row("Label_Remote_ser", "Services, bouquets  and user bouquets directory");
    TX_Remote_ser = AddEdit(p, "TX_Remote_ser", fieldLeft, y, width);
    y += 26;
    row("Label_Remote_Xml", "Xml directory");
    TX_Remote_Xml = AddEdit(p, "TX_Remote_Xml", fieldLeft, y, width);
}

void TForm_Option::BuildVariousPage()
{
    QWidget* p = Tab_Sheet_Var;
    int y = 12;
    auto check = [&](TCfCheckBox*& box, const char* name, const char* caption) {
        box = AddCheck(p, name, caption, 16, y, 300);
        y += 28;
    };
    check(CB_RememberWind, "CB_RememberWind", "Remember windows dimension");
    check(CB_ShowSplash, "CB_ShowSplash", "Show splash screen");
    check(CB_DecFormat, "CB_DecFormat", "Show Pid/Id in decimal format");
    check(CB_ShowGrid, "CB_ShowGrid", "Show grid lines");
    check(CB_ReadNew, "CB_ReadNew", "Always read new channel from receiver");
    y += 8;
    Label_Language = AddLabel(p, "Label_Language", "Language", 16, y, 120);
    CB_Languages = new TCfComboBox(p);
    CB_Languages->Name = "CB_Languages";
    CB_Languages->SetStyle(TDropDownStyle::dsDropDownList);
    CB_Languages->SetBounds(136, y, 260, 22);
    CB_Languages->SetTabStop(true);
    CB_Languages->OnChange = [this](QObject*) { CB_LanguagesChange(); };
}

int TForm_Option::ActivePageIndex() const
{
    return PageControl_Opt->ActivePageIndex();
}

void TForm_Option::ShowPage(int index)
{
    // Showing the page already shown raises no show event: the save
    // button's caption is set here for that case too.
    PageControl_Opt->SetActivePageIndex(index);
    if (ActivePageIndex() == 1)
        TabSheet_VarShow();
    else
        TabSheet_ProShow();
}

void TForm_Option::TabSheet_ProShow()
{
    BitBtn_Save->SetCaption(LoadRs(rs::SaveProfileCaption));
}

void TForm_Option::TabSheet_VarShow()
{
    BitBtn_Save->SetCaption(LoadRs(rs::SaveOptionsCaption));
}

void TForm_Option::FormCreate()
{
    // Code chooses the items here; the change event runs once, on purpose, below.
    const auto onChange = std::move(CB_Languages->OnChange);
    CB_Languages->OnChange = nullptr;
    CB_Languages->Items().clear();
    LanguageIds.clear();
    const int result = LoadLanguage(ModulePath, 1033, [this](int lcid) {
        CB_Languages->Items().push_back(LcidName(lcid));
        LanguageIds.push_back(lcid);
        return 1;
    });
    if (result == 1) {
        const auto english = std::find(LanguageIds.begin(), LanguageIds.end(), 1033);
        CB_Languages->SetItemIndex(int(english - LanguageIds.begin()));
    }
    TranslateForm(*this);
    const auto& items = CB_Languages->Items();
    const auto stored = std::find(items.begin(), items.end(), LanguageName);
    const bool chosen = !LanguageName.empty() && stored != items.end();
    if (chosen)
        CB_Languages->SetItemIndex(int(stored - items.begin()));
    CB_Languages->OnChange = onChange;
    if (chosen)
        CB_LanguagesChange();
    ShowPage(0);
}

void TForm_Option::FormShow()
{
    CB_RememberWind->SetChecked(RememberW);
    CB_ShowSplash->SetChecked(ShowSplash);
    CB_DecFormat->SetChecked(Dec_Format);
    CB_ShowGrid->SetChecked(ShowGrid);
    CB_ReadNew->SetChecked(ReadNew);
    FillProfiles();
}

void TForm_Option::FillProfiles()
{
    GV_Profiles->BeginUpdate();
    GV_Profiles->ClearRows();
    GV_Profiles->AddRows(static_cast<int>(Profiles.size()));
    for (std::size_t i = 0; i < Profiles.size(); ++i)
        GV_Profiles->CellStore().GetCell(0, static_cast<int>(i)).SetAsString(Profiles[i].Name);
    GV_Profiles->EndUpdate();
    if (SelectedProfile >= 0 && SelectedProfile < static_cast<int>(Profiles.size())) {
        GV_Profiles->ScrollToRow(SelectedProfile);
        GV_Profiles->SetSelectedRow(SelectedProfile);
        GV_ProfilesSelectCell(SelectedProfile);
    }
    GV_Profiles->Invalidate();
}

void TForm_Option::GV_ProfilesSelectCell(int row)
{
    if (row < 0 || row >= static_cast<int>(Profiles.size()))
        return;
    const TY_PROFILES& p = Profiles[static_cast<std::size_t>(row)];
    TX_Name->SetText(p.Name);
    CB_Type->SetItemIndex(p.Type - 1);
    Tx_Ip->SetText(p.Address);
    Tx_UserName->SetText(p.User);
    Tx_Password->SetText(p.Password);
    TX_Http_Port->SetText(std::to_string(p.HttpPort));
    Tx_Ftp_Port->SetText(std::to_string(p.FtpPort));
    rb_passive->SetChecked(p.Passive);
    TX_Remote_ser->SetText(p.PRO_Sdir);
    TX_Remote_Xml->SetText(p.PRO_Xdir);
}

bool TForm_Option::OpenKey()
{
    return Registry && Registry->OpenKey(ConfigurationKey, false);
}

void TForm_Option::BitBtn_SaveClick()
{
    if (ActivePageIndex() == 1)
        SaveVariousPage();
    else
        SaveProfilePage();
}

void TForm_Option::SaveVariousPage()
{
    if (!OpenKey())
        return;
    TOptionValues v;
    v.RememberW = CB_RememberWind->Checked();
    v.ShowSplash = CB_ShowSplash->Checked();
    v.Dec_Format = CB_DecFormat->Checked();
    v.ShowGrid = CB_ShowGrid->Checked();
    v.ReadNew = CB_ReadNew->Checked();
    v.Languages = CB_Languages->Text();
    StoreOptions(*Registry, v);
    if (OnOptionsSaved)
        OnOptionsSaved();
}

void TForm_Option::SaveProfilePage()
{
    const int row = GV_Profiles->SelectedRow();
    if (row < 0 || row >= static_cast<int>(Profiles.size()))
        return;
    // Both ports are checked before anything is stored.
    const auto http = ParsePort(TX_Http_Port->Text());
    const auto ftp = ParsePort(Tx_Ftp_Port->Text());
    if (!http || !ftp) {
        Messages().ShowError(LoadRs(rs::PortNotNumber) + (http ? Tx_Ftp_Port : TX_Http_Port)->Text());
        (http ? Tx_Ftp_Port : TX_Http_Port)->SetFocus();
        return;
    }
    if (!OpenKey())
        return;
    TY_PROFILES p;
    p.Name = TX_Name->Text();
    p.Type = CB_Type->ItemIndex() + 1;
    p.Address = Tx_Ip->Text();
    p.User = Tx_UserName->Text();
    p.Password = Tx_Password->Text();
    p.HttpPort = *http;
    p.FtpPort = *ftp;
    p.Passive = rb_passive->Checked();
    p.PRO_Sdir = TX_Remote_ser->Text();
    p.PRO_Xdir = TX_Remote_Xml->Text();
    if (StoreProfile(*Registry, row, p)) {
        GV_Profiles->CellStore().GetCell(0, row).SetAsString(p.Name);
        GV_Profiles->Invalidate();
    }
}

void TForm_Option::CfBu_Profile_newClick()
{
    if (!Registry)
        return;
    const int index = AddProfile(*Registry);
    FillProfiles();
    GV_Profiles->ScrollToRow(index);
    GV_Profiles->SetSelectedRow(index);
    GV_ProfilesSelectCell(index);
}

void TForm_Option::CfBu_Profile_delClick()
{
    const int row = GV_Profiles->SelectedRow();
    if (row < 0)
        return;
    if (row < BuiltInProfileCount) {
        Messages().ShowError(LoadRs(rs::DefaultProfileNotDeleted));
        return;
    }
    if (!Registry)
        return;
    if (DeleteProfile(*Registry, row) == TDeleteProfile::Deleted)
        FillProfiles();
}

void TForm_Option::CfBu_profile_defClick()
{
    const int row = GV_Profiles->SelectedRow();
    if (row < 0 || row >= static_cast<int>(Profiles.size()))
        return;
    SelectedProfile = row;
    FillProfiles();
}

void TForm_Option::CB_LanguagesChange()
{
    const int index = CB_Languages->ItemIndex();
    if (index < 0 || index >= static_cast<int>(LanguageIds.size()))
        return;
    LoadLanguage(ModulePath, LanguageIds[static_cast<std::size_t>(index)]);
    TranslateForm(*this);
    ShowPage(ActivePageIndex()); // the save button's caption follows the page again
    for (TForm* form : TranslatedForms)
        if (form)
            TranslateForm(*form);
    // Every version keeps its own name, the Qbox-One one included.
    if (SetVersionText) {
        const std::string name = VersionName(EnigmaVersion);
        SetVersionText(name.empty() ? "NONE" : name);
    }
    Repaint();
}
