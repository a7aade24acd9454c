#include "app/Unit_Main.h"
#include "app/StartupAlert.h"
#include "app/Unit_Splash.h"
#include "controls/CfAlertWindow.h"
#include "settings/MessageTexts.h"

#include "app/Configuration.h"
#include "app/ExchangeFiles.h"
#include "settings/Errors.h"
#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/CfHeaderPanel.h"
#include "controls/CfPanel.h"
#include "controls/CfSplitter.h"
#include "controls/MessDlgs.h"
#include "controls/MessageService.h"
#include "platform/ProgramDir.h"

#include <filesystem>

namespace fs = std::filesystem;
using namespace cf;

TForm_Main* Form_Main = nullptr;

namespace {


TCfButton* TopButton(QWidget* parent, const char* name, const char* caption, int left)
{
    auto* b = new TCfButton(parent);
    b->Name = name;
    b->SetCaption(caption);
    b->SetBounds(left, 6, 72, 28);
    return b;
}

TCfCustomColumn* AddTextColumn(TCfGrid& grid, const std::string& caption, int width)
{
    auto* c = grid.Columns().Add<TCfTextColumn>();
    c->Header().SetCaption(caption);
    c->SetWidth(width);
    c->SetSortType(stCaseInsensitive);
    return c;
}

void AddImageColumn(TCfGrid& grid, int width, TCustomImageList& images)
{
    auto* c = grid.Columns().Add<TCfImageColumn>();
    c->SetImages(&images);
    c->SetWidth(width);
    c->SetAlignment(taCenter);
    c->SetOptions((c->Options() | coFixedSize) & ~coCanSort);
}

// The hidden number that leads from a row to its element.
void AddIndexColumn(TCfGrid& grid)
{
    auto* c = grid.Columns().Add<TCfTextColumn>();
    c->SetKind(7);
    c->SetVisible(false);
    c->SetOptions(c->Options() & ~coCanSort);
}

} // namespace

TForm_Main::TForm_Main(QWidget* owner)
    : TForm(owner), ImageList(16, 16), CfProgress(this), progressSink_(CfProgress, this)
{
    Form_Main = this;
    Name = "Form_Main";
    BuildImages();
    BuildControls();
    BuildMenus();
    BuildDragDrop();
    FormCreate();
}

TForm_Main::~TForm_Main()
{
    if (SettingsView() == this)
        SetSettingsView(nullptr);
    if (FolderUi().Window == this)
        SetFolderUi({});
    if (Form_Main == this)
        Form_Main = nullptr;
}

void TForm_Main::BuildControls()
{
    SetCaption("Chanforge");
    SetClientSize(1070, 700);

    Panel_Top = new TCfPanel(this);
    Panel_Top->Name = "Panel_Top";
    Panel_Top->SetHeight(40);
    Panel_Top->SetAlign(TAlign::alTop);
    int x = 6;
    BitBtn_Open = TopButton(Panel_Top, "BitBtn_Open", "Open", x);
    BitBtn_Save = TopButton(Panel_Top, "BitBtn_Save", "Save", x += 76);
    BitBtn_Net = TopButton(Panel_Top, "BitBtn_Net", "Net", x += 76);
    BitBtn_Tp = TopButton(Panel_Top, "BitBtn_Tp", "Tp", x += 90);
    BitBtn_XML = TopButton(Panel_Top, "BitBtn_XML", "XML", x += 76);
    BitBtn_Compare = TopButton(Panel_Top, "BitBtn_Compare", "Compare", x += 76);
    BitBtn_Option = TopButton(Panel_Top, "BitBtn_Option", "Options", x += 90);
    BitBtn_Export = TopButton(Panel_Top, "BitBtn_Export", "Export", x += 76);
    BitBtn_Debug = TopButton(Panel_Top, "BitBtn_Debug", "Debug", x += 76);
    BitBtn_About = TopButton(Panel_Top, "BitBtn_About", "About", x += 90);
    Panel_Version = new TCfPanel(Panel_Top);
    Panel_Version->Name = "Panel_Version";
    Panel_Version->SetCaption("NONE");
    Panel_Version->SetBounds(x + 90, 6, 130, 28);

    Panel_DX = new TCfPanel(this);
    Panel_DX->Name = "Panel_DX";
    Panel_DX->SetWidth(539);
    Panel_DX->SetAlign(TAlign::alRight);

    // The panels' sizes are remembered with the window, so the user can
    // drag both: the right-hand panel's width and the bouquet list's height.
    Split_DX = new TCfSplitter(this);
    Split_DX->Name = "Split_DX";
    Split_DX->SetAlign(TAlign::alRight);
    Split_DX->SetWidth(6);

    Panel_Dx_t = new TCfHeaderPanel(Panel_DX);
    Panel_Dx_t->Name = "Panel_Dx_t";
    Panel_Dx_t->SetCaption("Provider : 0 item(s)");
    Panel_Dx_t->SetHeight(164);
    Panel_Dx_t->SetAlign(TAlign::alTop);
    Panel_Choice = new TCfPanel(Panel_Dx_t);
    Panel_Choice->Name = "Panel_Choice";
    Panel_Choice->SetHeight(26);
    Panel_Choice->SetAlign(TAlign::alTop);
    RB_UB_TV = new TCfRadioButton(Panel_Choice);
    RB_UB_TV->Name = "RB_UB_TV";
    RB_UB_TV->SetCaption("TV User Bouquets");
    RB_UB_TV->SetBounds(8, 4, 150, 18);
    RB_UB_RADIO = new TCfRadioButton(Panel_Choice);
    RB_UB_RADIO->Name = "RB_UB_RADIO";
    RB_UB_RADIO->SetCaption("Radio User Bouquets");
    RB_UB_RADIO->SetBounds(166, 4, 170, 18);
    RB_PROV = new TCfRadioButton(Panel_Choice);
    RB_PROV->Name = "RB_PROV";
    RB_PROV->SetCaption("Providers");
    RB_PROV->SetBounds(344, 4, 110, 18);
    RB_UB_TV->SetChecked(true);
    LV_TypeOfList = new TCfGrid(Panel_Dx_t);
    LV_TypeOfList->Name = "LV_TypeOfList";
    LV_TypeOfList->SetAlign(TAlign::alClient);

    Split_Dx_t = new TCfSplitter(Panel_DX);
    Split_Dx_t->Name = "Split_Dx_t";
    Split_Dx_t->SetAlign(TAlign::alTop);
    Split_Dx_t->SetHeight(6);

    Panel_List_Details = new TCfHeaderPanel(Panel_DX);
    Panel_List_Details->Name = "Panel_List_Details";
    Panel_List_Details->SetCaption(" 0 items");
    Panel_List_Details->SetAlign(TAlign::alClient);
    LV_Details = new TCfGrid(Panel_List_Details);
    LV_Details->Name = "LV_Details";
    LV_Details->SetAlign(TAlign::alClient);

    Panel_List = new TCfPanel(this);
    Panel_List->Name = "Panel_List";
    Panel_List->SetAlign(TAlign::alClient);
    Panel_Filters = new TCfPanel(Panel_List);
    Panel_Filters->Name = "Panel_Filters";
    Panel_Filters->SetHeight(34);
    Panel_Filters->SetAlign(TAlign::alTop);
    CB_Type = new TCfComboBox(Panel_Filters);
    CB_Type->Name = "CB_Type";
    CB_Type->SetStyle(TDropDownStyle::dsDropDownList);
    CB_Type->SetItems(TypeFilterItems);
    CB_Type->SetBounds(6, 5, 120, 24);
    CB_Type->SetItemIndex(0);
    CB_Sat = new TCfComboBox(Panel_Filters);
    CB_Sat->Name = "CB_Sat";
    CB_Sat->SetStyle(TDropDownStyle::dsDropDownList);
    CB_Sat->SetItems({AllSatellitesItem});
    CB_Sat->SetBounds(132, 5, 120, 24);
    CB_Sat->SetItemIndex(0);
    CB_ListControl = new TCfComboBox(Panel_Filters);
    CB_ListControl->Name = "CB_ListControl";
    CB_ListControl->SetStyle(TDropDownStyle::dsDropDownList);
    CB_ListControl->SetItems(ListControlItems);
    CB_ListControl->SetBounds(258, 5, 110, 24);
    CB_ListControl->SetItemIndex(0);
    CB_ListControl->SetVisible(false);
    Tx_No_Of_Item = new TCfEdit(Panel_Filters);
    Tx_No_Of_Item->Name = "Tx_No_Of_Item";
    Tx_No_Of_Item->SetReadOnly(true);
    Tx_No_Of_Item->SetBounds(374, 5, 70, 24);
    LV_Serv = new TCfGrid(Panel_List);
    LV_Serv->Name = "LV_Serv";
    LV_Serv->SetAlign(TAlign::alClient);

    for (TCfGrid* g : {LV_Serv, LV_TypeOfList, LV_Details})
        SetUpGrid(*g);
    AddImageColumn(*LV_Serv, 20, ImageList);
    AddImageColumn(*LV_Serv, 20, ImageList);
    AddTextColumn(*LV_Serv, "Number", 60);
    AddTextColumn(*LV_Serv, "Type", 70);
    AddTextColumn(*LV_Serv, "Service", 180);
    AddTextColumn(*LV_Serv, "Package", 120);
    AddTextColumn(*LV_Serv, "Synt Data", 130);
    AddTextColumn(*LV_Serv, "Sat", 60);
    AddIndexColumn(*LV_Serv);
    // Its rows are written again in place at each fill (the store may still
    // think itself sorted), so every sort orders them afresh.
    for (int c = ServColNumber; c <= ServColSat; ++c)
        LV_Serv->Columns().Item(c)->SetOptions(LV_Serv->Columns().Item(c)->Options() | coFullResort);
    AddImageColumn(*LV_TypeOfList, 22, ImageList);
    AddTextColumn(*LV_TypeOfList, "Name", 460);
    AddIndexColumn(*LV_TypeOfList);
    AddImageColumn(*LV_Details, 20, ImageList);
    AddTextColumn(*LV_Details, "", 44);
    AddTextColumn(*LV_Details, "Name", 250);
    AddTextColumn(*LV_Details, "Type", 80);
    AddTextColumn(*LV_Details, "Sat", 70);
    AddIndexColumn(*LV_Details);
    // Only the service list sorts by a header click; the other two keep the
    // order of their arrays (the providers are sorted when filled).
    for (TCfGrid* g : {LV_TypeOfList, LV_Details})
        for (int c = 0; c < g->Columns().Count(); ++c)
            g->Columns().Item(c)->SetOptions(g->Columns().Item(c)->Options() & ~coCanSort);

    BitBtn_Open->OnClick = [this](TControl*) { BitBtn_OpenClick(); };
    BitBtn_Save->OnClick = [this](TControl*) { BitBtn_SaveClick(); };
    BitBtn_Net->OnClick = [this](TControl*) { BitBtn_NetWorkClick(); };
    BitBtn_Tp->OnClick = [this](TControl*) { BitBtn_TpClick(); };
    BitBtn_XML->OnClick = [this](TControl*) { BitBtn_XMLClick(); };
    BitBtn_Compare->OnClick = [this](TControl*) { BitBtn_CompareClick(); };
    BitBtn_Option->OnClick = [this](TControl*) { BitBtn_OptionClick(); };
    BitBtn_Export->OnClick = [this](TControl*) { BitBtn_ExportClick(); };
    BitBtn_Debug->OnClick = [this](TControl*) { BitBtn_DebugClick(); };
    BitBtn_About->OnClick = [this](TControl*) { BitBtn_AboutClick(); };

    CB_Type->OnChange = [this](QObject*) { ConditionFillChange(); };
    CB_Sat->OnChange = [this](QObject*) { ConditionFillChange(); };
    CB_ListControl->OnChange = [this](QObject*) { CB_ListControlChange(); };
    for (TCfRadioButton* rb : {RB_UB_TV, RB_UB_RADIO, RB_PROV})
        rb->OnChange = [this, rb](QObject*) {
            if (rb->Checked())
                TypeOfListChange();
        };

    LV_TypeOfList->OnSelectCell = [this](QObject*, int, int row) {
        if (!quietSelect_)
            Lv_TypeOfListSelectCell(row);
    };
    LV_Details->OnSelectCell = [this](QObject*, int, int row) {
        if (!quietSelect_)
            LV_DetailsSelectCell(row);
    };
    LV_Serv->OnHeaderClick = [this](QObject*, int col) { LV_ServHeaderClick(col); };
    LV_Serv->OnSortColumn = [this](QObject*, int col, bool) { LV_ServSortColumn(col); };
    LV_Serv->OnAfterSort = [this](QObject*, int) { LV_ServAfterSort(); };
    LV_Serv->OnCellDblClick = [this](QObject*, int, int) { Lv_ServDblClick(); };
    LV_Details->OnCellDblClick = [this](QObject*, int, int) { lv_DetailsDblClick(); };
    LV_TypeOfList->OnCellDblClick = [this](QObject*, int, int) { Lv_TypeOfListDblClick(); };
    LV_Serv->OnKeyDown = [this](TControl*, uint16_t& key, TShiftState shift) { ServKeyDown(key, shift); };
    LV_TypeOfList->OnKeyDown = [this](TControl*, uint16_t& key, TShiftState shift) { TypeListKeyDown(key, shift); };
    LV_Details->OnKeyDown = [this](TControl*, uint16_t& key, TShiftState shift) { DetailsKeyDown(key, shift); };
}

void TForm_Main::SetUpGrid(TCfGrid& grid)
{
    grid.SetOptions(goHeader | goGrid | goMultiSelect | goSelectFullRow);
    grid.SetReadOnly(true);
    // The chosen bouquet and service stay marked while another list has
    // the focus.
    grid.SetAppearanceOptions(grid.AppearanceOptions() & ~aoHideSelection);
    grid.SetRowSize(18);
    grid.SetTabStop(true);
}

void TForm_Main::BuildImages()
{
    // 0 open, 1 locked, 2 marker, 3 new, 4 list open, 5 list locked.
    auto make = [](auto draw) {
        TBitmap b(16, 16, pf24bit);
        b.Canvas().FillRect(TRect(0, 0, 16, 16), clFuchsia);
        draw(b.Canvas());
        return b;
    };
    auto padlock = [](TCanvas& c, TColor body, bool closed) {
        c.Pen.Color = clBlack;
        c.Brush.Color = body;
        c.Brush.Style = bsSolid;
        c.Rectangle(3, 7, 13, 15);
        c.Pen.Color = clDkGray;
        c.Pen.Width = 2;
        c.MoveTo(5, 7);
        c.LineTo(5, 3);
        c.LineTo(11, 3);
        c.LineTo(11, closed ? 7 : 5);
        c.Pen.Width = 1;
    };
    auto folder = [](TCanvas& c) {
        c.Pen.Color = clOlive;
        c.Brush.Color = clYellow;
        c.Brush.Style = bsSolid;
        c.Rectangle(1, 4, 15, 14);
        c.FillRect(TRect(1, 2, 7, 4), clOlive);
    };
    std::vector<TBitmap> pics;
    pics.push_back(make([](TCanvas&) {}));
    pics.push_back(make([&](TCanvas& c) { padlock(c, clRed, true); }));
    pics.push_back(make([](TCanvas& c) { c.FillRect(TRect(1, 6, 15, 10), clBlue); }));
    pics.push_back(make([](TCanvas& c) {
        c.Pen.Color = clGreen;
        c.Brush.Color = clLime;
        c.Brush.Style = bsSolid;
        c.Ellipse(1, 1, 15, 15);
        c.FillRect(TRect(7, 4, 9, 12), clGreen);
        c.FillRect(TRect(4, 7, 12, 9), clGreen);
    }));
    pics.push_back(make([&](TCanvas& c) { folder(c); }));
    pics.push_back(make([&](TCanvas& c) {
        folder(c);
        c.FillRect(TRect(8, 8, 15, 15), clRed);
    }));
    for (auto& p : pics)
        ImageList.AddMasked(p, clFuchsia);
}

void TForm_Main::FormCreate()
{
    SetApplicationDialogLook();
    GetConfiguration();
    if (RememberW) {
        SetBounds(MainGeometry.Left, MainGeometry.Top, MainGeometry.Width, MainGeometry.Height);
        Panel_DX->SetWidth(MainGeometry.PanelDX_Width);
        Panel_Dx_t->SetHeight(MainGeometry.PanelDX_T_Height);
    } else {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    SetGrid();
    Modified = false;
    Tx_No_Of_Item->SetText("0");
    RadioListName = "Radio User Bouquet";
    TvListName = "TV User Bouquet";
    TempDir = (fs::path(BesideProgram()) / "TmpDirForFtp").string();
    std::error_code ec;
    DebugMode = fs::exists(fs::path(BesideProgram()) / "TivomarDebug", ec);
    VersionText = "Ver.1.3.7";

    SetUpMainProgress(CfProgress);
    SetFolderUi({&progressSink_, &folderDialogs_, this});
    SetSettingsView(this);
    // A save the program did not live to finish is completed or undone in
    // the folders it remembers before anything reads them.
    RecoverFolder(TheLoadDir);
    if (TheSaveDir != TheLoadDir)
        RecoverFolder(TheSaveDir);
}

void TForm_Main::GetConfiguration() { ::GetConfiguration(Registry); }

void TForm_Main::FormShow()
{
    SetCaption("Chanforge " + VersionText);
    Repaint();
    BitBtn_Debug->SetVisible(DebugMode);
    // Once, with what the splash left (nothing when no splash ran).
    if (!CfAlertWindow1 && !AlertText.empty()) {
        CfAlertWindow1 = MakeMainAlert(this);
        PopStartupAlert(*CfAlertWindow1, AlertText);
    }
}

bool TForm_Main::CloseQuery()
{
    bool canClose = true;
    FormCloseQuery(canClose);
    return canClose && TForm::CloseQuery();
}

void TForm_Main::FormCloseQuery(bool& canClose)
{
    canClose = Messages().Confirm(Modified ? UnsavedChangesText() : LoadRs(rs::HaltQuestion));
    if (!canClose || !RememberW)
        return;
    const QRect g = geometry();
    Registry.WriteInteger("MainW_Width", g.width());
    Registry.WriteInteger("MainW_Height", g.height());
    Registry.WriteInteger("MainW_Top", g.top());
    Registry.WriteInteger("MainW_Left", g.left());
    Registry.WriteInteger("PanelDX_Width", Panel_DX->Width());
    Registry.WriteInteger("PanelDX_T_Height", Panel_Dx_t->Height());
    Registry.Flush();
}

void TForm_Main::Resize()
{
    TForm::Resize();
    LV_ServResize();
}

// ---- top row ----------------------------------------------------------------

bool TForm_Main::SelDir(int tag) { return Dialogs.SelDir && Dialogs.SelDir(tag); }

void TForm_Main::BitBtn_OpenClick()
{
    if (Modified && !Messages().Confirm(UnsavedChangesText()))
        return;
    if (!SelDir(0))
        return;
    Registry.WriteString("TheLoadDir", TheLoadDir);
    Registry.Flush();
    if (VerFile())
        OpenFile();
}

void TForm_Main::BitBtn_SaveClick()
{
    if (Services.empty())
        return;
    if (!SelDir(1))
        return;
    Registry.WriteString("TheSaveDir", TheSaveDir);
    Registry.Flush();
    SaveForProfile();
}

void TForm_Main::BitBtn_NetWorkClick()
{
    if (Dialogs.Network)
        Dialogs.Network();
}

void TForm_Main::BitBtn_TpClick()
{
    if (LV_Serv->RowCount() == 0 || !Dialogs.Tp)
        return;
    const std::int32_t number = NumberOfRow(LV_Serv->SelectedRow());
    RefreshList = false;
    Dialogs.Tp();
    if (!RefreshList)
        return;
    Messages().ShowInformation(LoadRs(rs::RefreshAfterTp));
    FillSat();
    FillChannel();
    if (LV_TypeOfList->RowCount() > 0)
        Lv_TypeOfListSelectCell(std::max(LV_TypeOfList->SelectedRow(), 0), true);
    if (number >= 0)
        JumpToChNo(number);
}

void TForm_Main::BitBtn_OptionClick()
{
    if (Dialogs.Option)
        Dialogs.Option();
}

void TForm_Main::BitBtn_XMLClick()
{
    if (!Services.empty() && Dialogs.Xml)
        Dialogs.Xml();
}

void TForm_Main::BitBtn_DebugClick()
{
    if (Dialogs.Debug)
        Dialogs.Debug();
}

void TForm_Main::BitBtn_CompareClick()
{
    if (!Services.empty() && Dialogs.Compare)
        Dialogs.Compare();
}

void TForm_Main::BitBtn_ExportClick()
{
    if (Dialogs.Export) {
        Dialogs.Export();
        return;
    }
    if (Services.empty())
        return;
    try {
        Messages().ShowInformation(ExportedMessage(WriteExportedTxt(TheLoadDir)));
    } catch (const EInOutError& e) {
        Messages().ShowError(e.what());
    }
}

void TForm_Main::BitBtn_AboutClick()
{
    if (Dialogs.About)
        Dialogs.About();
}
