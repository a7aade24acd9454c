#pragma once

// The main window: the top row of buttons, the service list with its type
// and satellite filters on the left, the provider or user-bouquet list and
// the entries of the chosen one on the right. It is the folder drivers'
// window (progress, questions, refills) and the settings model's view.
//
// The form and its wiring live in Unit_Main.cpp, the lists and filters in
// MainListsView.cpp, the load and save side in MainFolderSide.cpp. Every
// command is a member function, so tests call it without clicking.

#include "app/BlockClipboard.h"
#include "app/FolderUi.h"
#include "app/MainLists.h"
#include "controls/CfProgress.h"
#include "grid/CfGrid.h"
#include "platform/Forms.h"
#include "platform/ImageList.h"
#include "platform/Menus.h"
#include "platform/Registry.h"
#include "settings/FolderIO.h"
#include "app/FolderMessages.h"
#include "settings/Unit_lib.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace cf {
class TCfButton;
class TCfComboBox;
class TCfEdit;
class TCfHeaderPanel;
class TCfPanel;
class TCfRadioButton;
class TCfSplitter;
class TCfAlertWindow;
} // namespace cf

// The dialogs of the top row that other windows provide; an empty one is a
// button whose dialog is not there yet (the button then does nothing).
struct TMainDialogs {
    std::function<bool()> Network; // true on OK
    std::function<void()> About;
    std::function<void()> Tp;      // the transponder editor, modal
    std::function<void()> Xml;
    std::function<void()> Compare;
    std::function<void()> Option;
    std::function<void()> Debug;
    std::function<void()> Export;
    std::function<bool(int tag)> SelDir; // the folder dialog: true on OK
};

class TForm_Main : public cf::TForm, public TFolderWindow, public TSettingsView {
public:
    explicit TForm_Main(QWidget* owner = nullptr);
    ~TForm_Main() override;

    // ---- controls
    cf::TCfPanel* Panel_Top = nullptr;
    cf::TCfButton* BitBtn_Open = nullptr;
    cf::TCfButton* BitBtn_Save = nullptr;
    cf::TCfButton* BitBtn_Net = nullptr;
    cf::TCfButton* BitBtn_Tp = nullptr;
    cf::TCfButton* BitBtn_XML = nullptr;
    cf::TCfButton* BitBtn_Compare = nullptr;
    cf::TCfButton* BitBtn_Option = nullptr;
    cf::TCfButton* BitBtn_Export = nullptr;
    cf::TCfButton* BitBtn_Debug = nullptr;
    cf::TCfButton* BitBtn_About = nullptr;
    cf::TCfPanel* Panel_Version = nullptr;

    cf::TCfPanel* Panel_List = nullptr;
    cf::TCfPanel* Panel_Filters = nullptr;
    cf::TCfComboBox* CB_Type = nullptr;
    cf::TCfComboBox* CB_Sat = nullptr;
    cf::TCfComboBox* CB_ListControl = nullptr;
    cf::TCfEdit* Tx_No_Of_Item = nullptr;
    TCfGrid* LV_Serv = nullptr;

    cf::TCfSplitter* Split_DX = nullptr;
    cf::TCfPanel* Panel_DX = nullptr;
    cf::TCfHeaderPanel* Panel_Dx_t = nullptr;
    cf::TCfPanel* Panel_Choice = nullptr;
    cf::TCfRadioButton* RB_UB_TV = nullptr;
    cf::TCfRadioButton* RB_UB_RADIO = nullptr;
    cf::TCfRadioButton* RB_PROV = nullptr;
    TCfGrid* LV_TypeOfList = nullptr;
    cf::TCfSplitter* Split_Dx_t = nullptr;
    cf::TCfHeaderPanel* Panel_List_Details = nullptr;
    TCfGrid* LV_Details = nullptr;

    cf::TCustomImageList ImageList;
    cf::TCfProgress CfProgress;
    // The configuration key, open for the whole run.
    cf::TRegistry Registry;
    TMainDialogs Dialogs;
    bool DebugMode = false;

    // ---- view state
    bool FillEnabled = false;
    std::int32_t& SortColumn = ServiceSortColumn;
    std::string SortKeepNumber;
    std::string FindPattern;
    int VisibleRows = 0;
    std::int32_t ChannelBase = 0;
    // What the provider or bouquet list and the entry list show, row for
    // row (neither is sorted by the user, so row i is element i here).
    std::vector<TTypeListRow> TypeRows;
    std::vector<TDetailRow> DetailRows;
    // Called when the lists empty the cut and paste buffers (the editing
    // commands hook theirs in here).
    std::function<void()> OnClearCutBuffers;

    // ---- start-up and shutdown
    void FormCreate();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void GetConfiguration();
    void SetGrid();

    // ---- top row
    void BitBtn_OpenClick();
    void BitBtn_SaveClick();
    void BitBtn_NetWorkClick();
    void BitBtn_TpClick();
    void BitBtn_OptionClick();
    void BitBtn_XMLClick();
    void BitBtn_DebugClick();
    void BitBtn_CompareClick();
    void BitBtn_ExportClick();
    void BitBtn_AboutClick();
    // The folder dialog for loading (tag 0) or saving (tag 1); true on OK.
    bool SelDir(int tag);

    // ---- lists and filters
    TListKind ShownListKind() const;
    bool WhiteListShown() const;
    void FillChannel();
    void FillSat() override;
    void FillListType();
    // `byCode` is the application calling (not the grid's own event): the
    // entry row the user had stays selected.
    void Lv_TypeOfListSelectCell(int ARow, bool byCode = false);
    void ConditionFillChange();
    void TypeOfListChange();
    void CB_ListControlChange();
    void MyScrollTo(TCfGrid& grid, int row, int count);
    int JumpToChNo(std::int32_t number);
    std::int32_t FindPr(std::int32_t id) const;
    void LV_ServResize();
    // A header click keeps the selected service's number; the sort that
    // follows stores the column and selects that service again.
    void LV_ServHeaderClick(int column);
    void LV_ServSortColumn(int column);
    void LV_ServAfterSort();
    void LV_DetailsSelectCell(int row);
    void Lv_ServDblClick();
    void lv_DetailsDblClick();
    // The service behind a row of LV_Serv (-1 for none).
    std::int32_t ServiceIndexOfRow(int row) const;
    // The service number a row of LV_Serv shows (-1 for none).
    std::int32_t NumberOfRow(int row) const;
    // Rows of a grid the user selected, ascending: the marked rows, else
    // the current one.
    static std::vector<int> SelectedRows(TCfGrid& grid);
    // Writes again every row of LV_Serv that shows Services[index] (after a
    // dialog changed the record), without sorting or filtering again.
    void UpdateServiceRows(std::int32_t index);
    // Makes a row current and the only one selected (no selection event).
    void SelectRowQuietly(TCfGrid& grid, int row);

    // ---- key handlers (the commands come with the editing windows)
    std::function<void(uint16_t& key, cf::TShiftState shift)> ServKeyCommands;
    std::function<void(uint16_t& key, cf::TShiftState shift)> TypeListKeyCommands;
    std::function<void(uint16_t& key, cf::TShiftState shift)> DetailsKeyCommands;
    // Modifies a service (Enter, double click); empty until the service
    // details dialog exists.
    std::function<bool(std::int32_t serviceIndex)> ModifyService;
    std::function<void(int detailRow)> RenameMarker;

    // ---- editing commands (MainEditing.cpp, MainEditingEntries.cpp)
    cf::TPopupMenu Pop_Lv_Serv;
    cf::TPopupMenu Pop_Lv_TypeOfList;
    cf::TPopupMenu Pop_lvdetails;
    // One dispatch for every menu item: shared handlers tell their items
    // apart by Name and Tag.
    void MenuClick(cf::TMenuItem& item);
    void Pop_Lv_ServPopup();
    void Pop_Lv_TypeOfListPopup();
    void Pop_lvdetailsPopup();
    // Opens a grid's menu under its selected row (the keyboard's way).
    void PopupUnderSelection(TCfGrid& grid, cf::TPopupMenu& menu);

    void InsertCh(bool noEdit, bool sort);
    void pop_ch_DeleteClick();
    void Pop_Ch_DelFromClick();
    void DeleteSat(int satIndex);
    void Pop_ParLockClick(cf::TMenuItem& item);
    void FlagClick(cf::TMenuItem& item, std::int32_t bit);
    void pop_no_newClick();
    void Pop_Ch_FindchannelClick(int tag);
    void CapitalizeClick(cf::TMenuItem& item);
    void pop_ch_zeropidsClick(cf::TMenuItem& item);
    void Export2CLipBoard();
    void Pop_Ch_CutClick();
    void Pop_Ch_PasteClick();
    // Reads the block and pastes it with the progress window on the screen
    // (`fromFile`: the lines come from an imported file); the window goes
    // again however the paste ends.
    TClipboardPaste Ch_Paste(bool EntryMode, bool fromFile = false);

    void InsertUB(std::string name);
    void DeleteBouquet(bool cut);
    void Pop_Ty_PasteClick();
    void Lv_TypeOfListDblClick();
    void Pop_ty_removeemptyClick();
    void save1Click();
    void ImportUserBouquet1Click();

    void pop_det_insertClick();
    void RemoveFromDetails(bool ask);
    void det_Copy2clip();
    void Pop_Det_CutClick();
    void Pop_Det_PasteClick();
    void pop_det_renameClick();

    // Numbers of the selected services; array indexes of the selected
    // providers or bouquets; entry indexes of the selected entries.
    std::vector<std::int32_t> SelectedServiceNumbers();
    std::vector<std::int32_t> SelectedListIndexes();
    std::vector<std::int32_t> SelectedEntryIndexes(bool servicesOnly = false);
    // The provider or bouquet whose entries are shown (-1 for none).
    std::int32_t ShownListIndex() const;
    // Shows the entries of the selected provider or bouquet again, keeping
    // the user's entry row.
    void ShowEntriesAgain();

    // ---- TFolderWindow
    void SetMainEnabled(bool enabled) override;
    void LoadStarting() override;
    void FillLists() override;
    void LoadFinished(const std::string& caption) override;
    void LoadFailed() override;
    void SaveStarting() override;
    void SaveFinished(const std::string& caption) override;

    // ---- TSettingsView
    void VersionChanged(std::int32_t version, const std::string& name, TListControl listControl) override;
    void ModelReset() override;

    bool CloseQuery() override;
    void DoShow() override { FormShow(); }

    // The alert box, made on the first show that pops it.
    std::unique_ptr<cf::TCfAlertWindow> CfAlertWindow1;
    void Resize() override;

private:
    void BuildControls();
    void BuildImages();
    void SetUpGrid(TCfGrid& grid);
    void SetServRow(int row, const TServRow& r);
    void ShowTypeRows();
    void ShowDetailRows();
    void ServKeyDown(uint16_t& key, cf::TShiftState shift);
    void TypeListKeyDown(uint16_t& key, cf::TShiftState shift);
    void DetailsKeyDown(uint16_t& key, cf::TShiftState shift);
    // Lets the progress bar repaint now and then during a long fill.
    void FillProgress(std::size_t done);
    void ClearCutBuffers();
    void BuildMenus();
    void BuildDragDrop();
    void DetailsDragDrop(cf::TControl* source, int x, int y);
    void TypeListDragDrop(cf::TControl* source, int x, int y);
    // The row a drop at a client point lands at (-1: nowhere), for the drop
    // and for the marker that shows it beforehand.
    int DetailsDropRow(int x, int y);
    int TypeListDropRow(int x, int y);
    // The entry paste: `fromFile` when the lines come from an imported file.
    void PasteEntries(bool fromFile);
    // Rows for services added by a paste, in one grid update and one sort.
    void AddServiceRows(const std::vector<std::int32_t>& numbers);
    void SelectListElement(std::int32_t index);

    TProgressWindowSink progressSink_;
    TMessageFolderDialogs folderDialogs_;
    std::uint64_t lastServe_ = 0;
    // Set while code selects rows, so the grids' selection events (meant
    // for the user's choice) stay quiet.
    bool quietSelect_ = false;
};

// The one main window of the run (set while it exists).
extern TForm_Main* Form_Main;
