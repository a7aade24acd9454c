// The main window's menus and keys, and the commands of the service list:
// the window reads the grids' selection, the model-side commands do the
// work, and the lists are refreshed.

#include "app/Unit_Main.h"
#include "settings/MessageTexts.h"

#include "app/BlockClipboard.h"
#include "app/BouquetCommands.h"
#include "app/ClipboardFormat.h"
#include "app/MainMenus.h"
#include "app/PasteWindow.h"
#include "app/ServiceCommands.h"
#include "app/ServicePaste.h"

#include "controls/CfEdit.h"
#include "controls/CfHeaderPanel.h"
#include "controls/MessageService.h"
#include "platform/Keys.h"
#include "platform/Screen.h"

#include <algorithm>
#include <cctype>

using namespace cf;

namespace {


std::string Upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

class TBusy {
public:
    TBusy() : previous_(ScreenCursor()) { SetScreenCursor(crHourGlass); }
    ~TBusy() { SetScreenCursor(previous_); }
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;

private:
    TCursor previous_;
};

} // namespace

// ---- menus ---------------------------------------------------------------------

void TForm_Main::BuildMenus()
{
    const TMenuDispatch dispatch = [this](TMenuItem& item) { MenuClick(item); };
    Pop_Lv_Serv.Name = "Pop_Lv_Serv";
    Pop_Lv_TypeOfList.Name = "Pop_Lv_TypeOfList";
    Pop_lvdetails.Name = "Pop_lvdetails";
    RegisterMenu(Pop_Lv_Serv);
    RegisterMenu(Pop_Lv_TypeOfList);
    RegisterMenu(Pop_lvdetails);
    BuildPop_Lv_Serv(Pop_Lv_Serv, dispatch);
    BuildPop_Lv_TypeOfList(Pop_Lv_TypeOfList, dispatch);
    BuildPop_lvdetails(Pop_lvdetails, dispatch);
    Pop_Lv_Serv.OnPopup = [this](TPopupMenu&) { Pop_Lv_ServPopup(); };
    Pop_Lv_TypeOfList.OnPopup = [this](TPopupMenu&) { Pop_Lv_TypeOfListPopup(); };
    Pop_lvdetails.OnPopup = [this](TPopupMenu&) { Pop_lvdetailsPopup(); };

    const std::pair<TCfGrid*, TPopupMenu*> menus[] = {
        {LV_Serv, &Pop_Lv_Serv}, {LV_TypeOfList, &Pop_Lv_TypeOfList}, {LV_Details, &Pop_lvdetails}};
    for (const auto& pair : menus) {
        TCfGrid* grid = pair.first;
        TPopupMenu* menu = pair.second;
        grid->OnMouseUp = [grid, menu](TControl*, TMouseButton button, TShiftState, int x, int y) {
            if (button != mbRight)
                return;
            const TPoint at = grid->ClientToScreen(TPoint(x, y));
            menu->Popup(at.X, at.Y);
        };
    }
}

void TForm_Main::PopupUnderSelection(TCfGrid& grid, TPopupMenu& menu)
{
    TRect r = grid.GetRowRect(grid.SelectedRow());
    if (r.IsEmpty())
        r = TRect(0, grid.HeaderSize(), grid.ClientWidth(), grid.HeaderSize());
    const TPoint at = grid.ClientToScreen(TPoint(r.Left + 20, r.Bottom));
    menu.Popup(at.X, at.Y);
}

void TForm_Main::Pop_Lv_ServPopup()
{
    TServMenuState state;
    state.Transponders = !Transponders.empty();
    state.Rows = LV_Serv->RowCount() > 0;
    state.ClipboardBlock = ClipboardHasOwnFormat();
    state.WhiteList = WhiteListShown();
    const auto& items = CB_Sat->Items();
    if (items.size() > 1)
        state.SatItems.assign(items.begin() + 1, items.end());
    Pop_Lv_ServStates(Pop_Lv_Serv, state, [this](TMenuItem& item) { MenuClick(item); });
}

void TForm_Main::Pop_Lv_TypeOfListPopup()
{
    TTypeMenuState state;
    state.ServRows = LV_Serv->RowCount() > 0;
    state.ListRows = LV_TypeOfList->RowCount() > 0;
    state.CutElements = HasCutElements(ShownListKind());
    state.ClipboardBlock = ClipboardHasOwnFormat();
    state.WhiteList = WhiteListShown();
    Pop_Lv_TypeOfListStates(Pop_Lv_TypeOfList, state);
}

void TForm_Main::Pop_lvdetailsPopup()
{
    TDetailsMenuState state;
    state.ListRows = LV_TypeOfList->RowCount() > 0;
    state.Providers = ShownListKind() == TListKind::Providers;
    state.DetailRows = LV_Details->RowCount() > 0;
    const int row = LV_Details->SelectedRow();
    const bool valid = row >= 0 && static_cast<std::size_t>(row) < DetailRows.size();
    state.ServiceSelected = valid && !DetailRows[static_cast<std::size_t>(row)].Marker;
    state.ClipboardBlock = ClipboardHasOwnFormat();
    state.WhiteList = WhiteListShown();
    std::int32_t above = 0;
    for (int r = 0; valid && r < row; ++r)
        above += DetailRows[static_cast<std::size_t>(r)].Marker ? 0 : 1;
    state.Position = ChannelBase + above + 1;
    Pop_lvdetailsStates(Pop_lvdetails, state);
}

void TForm_Main::MenuClick(TMenuItem& item)
{
    const std::string& n = item.Name;
    const std::string name = Upper(n);
    // Lock and flag items live in submenus ("On"/"Off") named by their role.
    if (name.find("L_ON") != std::string::npos || name.find("L_OFF") != std::string::npos)
        return Pop_ParLockClick(item);
    if (name == "K_ON" || name == "K_OFF" || name == "DET_K_ON" || name == "DET_K_OFF")
        return FlagClick(item, FLAG_NODVB);
    if (name == "H_ON" || name == "H_OFF" || name == "DET_H_ON" || name == "DET_H_OFF")
        return FlagClick(item, FLAG_DONTSHOW);
    if (name.find("NOPMT_") != std::string::npos)
        return FlagClick(item, FLAG_NOPMT);
    if (n == DeleteSatItemName)
        return DeleteSat(static_cast<int>(item.Tag));
    if (n == "Pop_Ch_Insert")
        return InsertCh(false, true);
    if (n == "pop_ch_Delete")
        return pop_ch_DeleteClick();
    if (n == "Pop_Ch_DelFrom")
        return Pop_Ch_DelFromClick();
    if (n == "Pop_Ch_Modify")
        return Lv_ServDblClick();
    if (n == "Pop_Ch_Copy")
        return Export2CLipBoard();
    if (n == "Pop_Ch_Cut")
        return Pop_Ch_CutClick();
    if (n == "Pop_Ch_Paste")
        return Pop_Ch_PasteClick();
    if (n == "pop_no_new")
        return pop_no_newClick();
    if (n == "Pop_Ch_FindService" || n == "Pop_Ch_FindAgain")
        return Pop_Ch_FindchannelClick(static_cast<int>(item.Tag));
    if (name.find("CAPITALIZE") != std::string::npos)
        return CapitalizeClick(item);
    if (name.find("ZEROPIDS") != std::string::npos)
        return pop_ch_zeropidsClick(item);
    if (n == "pop_ty_insert")
        return InsertUB("");
    if (n == "Pop_ty_delete")
        return DeleteBouquet(false);
    if (n == "Pop_Ty_Cut")
        return DeleteBouquet(true);
    if (n == "Pop_Ty_Paste")
        return Pop_Ty_PasteClick();
    if (n == "pop_ty_rename")
        return Lv_TypeOfListDblClick();
    if (n == "Pop_ty_removeempty")
        return Pop_ty_removeemptyClick();
    if (n == "save1")
        return save1Click();
    if (n == "ImportUserBouquet1")
        return ImportUserBouquet1Click();
    if (n == "pop_det_insert")
        return pop_det_insertClick();
    if (n == "pop_det_remove")
        return RemoveFromDetails(true);
    if (n == "pop_det_modify")
        return lv_DetailsDblClick();
    if (n == "pop_det_rename")
        return pop_det_renameClick();
    if (n == "pop_det_Copy")
        return det_Copy2clip();
    if (n == "Pop_Det_Cut")
        return Pop_Det_CutClick();
    if (n == "Pop_Det_Paste")
        return Pop_Det_PasteClick();
}

// ---- keys ------------------------------------------------------------------------

void TForm_Main::ServKeyDown(uint16_t& key, TShiftState shift)
{
    const bool ctrl = (shift & ssCtrl) != 0;
    const bool rows = LV_Serv->RowCount() > 0;
    bool handled = true;
    if (key == VK_RETURN && shift == 0) {
        if (rows)
            Lv_ServDblClick();
    } else if (key == VK_INSERT && shift == 0) {
        if (!Transponders.empty())
            InsertCh(false, true);
    } else if (key == VK_DELETE && shift == 0) {
        if (rows)
            pop_ch_DeleteClick();
    } else if (ctrl && key == 'B') {
        if (rows)
            Pop_Ch_DelFromClick();
    } else if (ctrl && key == 'C') {
        if (rows)
            Export2CLipBoard();
    } else if (ctrl && key == 'X') {
        if (rows)
            Pop_Ch_CutClick();
    } else if (ctrl && key == 'V') {
        if (!Transponders.empty() && ClipboardHasOwnFormat())
            Pop_Ch_PasteClick();
    } else if (ctrl && key == 'F') {
        if (rows)
            Pop_Ch_FindchannelClick(0);
    } else if (key == VK_F1 + 2 && shift == 0) {
        if (rows)
            Pop_Ch_FindchannelClick(1);
    } else if (key == VK_APPS || (key == VK_F1 + 9 && shift == ssShift)) {
        PopupUnderSelection(*LV_Serv, Pop_Lv_Serv);
    } else {
        handled = false;
    }
    if (handled)
        key = 0;
    else if (ServKeyCommands)
        ServKeyCommands(key, shift);
}

void TForm_Main::TypeListKeyDown(uint16_t& key, TShiftState shift)
{
    const bool ctrl = (shift & ssCtrl) != 0;
    const bool rows = LV_TypeOfList->RowCount() > 0;
    bool handled = true;
    if (key == VK_INSERT && shift == 0) {
        InsertUB("");
    } else if (ctrl && key == 'V') {
        if (HasCutElements(ShownListKind()) || ClipboardHasOwnFormat())
            Pop_Ty_PasteClick();
    } else if (ctrl && key == 'X') {
        if (rows)
            DeleteBouquet(true);
    } else if (key == VK_DELETE && shift == 0) {
        if (rows)
            DeleteBouquet(false);
    } else if (key == VK_RETURN && shift == 0) {
        if (rows)
            Lv_TypeOfListDblClick();
    } else if (key == VK_APPS || (key == VK_F1 + 9 && shift == ssShift)) {
        PopupUnderSelection(*LV_TypeOfList, Pop_Lv_TypeOfList);
    } else {
        handled = false;
    }
    if (handled)
        key = 0;
    else if (TypeListKeyCommands)
        TypeListKeyCommands(key, shift);
}

void TForm_Main::DetailsKeyDown(uint16_t& key, TShiftState shift)
{
    const bool ctrl = (shift & ssCtrl) != 0;
    const bool rows = LV_Details->RowCount() > 0;
    bool handled = true;
    if (key == VK_INSERT && shift == 0) {
        if (ShownListKind() != TListKind::Providers)
            pop_det_insertClick();
    } else if (ctrl && key == 'V') {
        if (LV_TypeOfList->RowCount() > 0 && ClipboardHasOwnFormat())
            Pop_Det_PasteClick();
    } else if (ctrl && key == 'C') {
        if (rows)
            det_Copy2clip();
    } else if (ctrl && key == 'X') {
        if (rows)
            Pop_Det_CutClick();
    } else if (key == VK_DELETE && shift == 0) {
        if (rows)
            RemoveFromDetails(true);
    } else if (key == VK_RETURN && shift == 0) {
        if (rows)
            lv_DetailsDblClick();
    } else if (key == VK_APPS || (key == VK_F1 + 9 && shift == ssShift)) {
        PopupUnderSelection(*LV_Details, Pop_lvdetails);
    } else {
        handled = false;
    }
    if (handled)
        key = 0;
    else if (DetailsKeyCommands)
        DetailsKeyCommands(key, shift);
}

// ---- selection ---------------------------------------------------------------------

std::vector<std::int32_t> TForm_Main::SelectedServiceNumbers()
{
    std::vector<std::int32_t> numbers;
    for (int row : SelectedRows(*LV_Serv))
        if (const std::int32_t n = NumberOfRow(row); n >= 0)
            numbers.push_back(n);
    return numbers;
}

std::vector<std::int32_t> TForm_Main::SelectedListIndexes()
{
    std::vector<std::int32_t> indexes;
    for (int row : SelectedRows(*LV_TypeOfList))
        if (static_cast<std::size_t>(row) < TypeRows.size())
            indexes.push_back(TypeRows[static_cast<std::size_t>(row)].Index);
    return indexes;
}

std::vector<std::int32_t> TForm_Main::SelectedEntryIndexes(bool servicesOnly)
{
    std::vector<std::int32_t> indexes;
    for (int row : SelectedRows(*LV_Details)) {
        if (static_cast<std::size_t>(row) >= DetailRows.size())
            continue;
        const TDetailRow& d = DetailRows[static_cast<std::size_t>(row)];
        if (!servicesOnly || !d.Marker)
            indexes.push_back(d.Entry);
    }
    return indexes;
}

std::int32_t TForm_Main::ShownListIndex() const
{
    const int row = LV_TypeOfList->SelectedRow();
    if (row < 0 || static_cast<std::size_t>(row) >= TypeRows.size())
        return -1;
    return TypeRows[static_cast<std::size_t>(row)].Index;
}

void TForm_Main::ShowEntriesAgain()
{
    if (LV_TypeOfList->RowCount() > 0)
        Lv_TypeOfListSelectCell(std::max(LV_TypeOfList->SelectedRow(), 0), true);
}

// ---- service commands -----------------------------------------------------------------

void TForm_Main::InsertCh(bool noEdit, bool sort)
{
    const std::int32_t number = AppendNewService();
    if (number < 0)
        return;
    AddServiceRows({number});
    if (sort)
        LV_Serv->SetFocus();
    JumpToChNo(number);
    Tx_No_Of_Item->SetText(std::to_string(LV_Serv->RowCount()));
    if (!noEdit)
        Lv_ServDblClick();
}

void TForm_Main::AddServiceRows(const std::vector<std::int32_t>& numbers)
{
    if (numbers.empty())
        return;
    const TChNumberIndex byNumber(Services);
    const bool white = WhiteListShown();
    LV_Serv->BeginUpdate();
    const int first = LV_Serv->RowCount();
    LV_Serv->AddRows(static_cast<int>(numbers.size()));
    int row = first;
    for (std::int32_t n : numbers) {
        const std::int32_t index = byNumber.Find(n);
        if (index >= 0)
            SetServRow(row, MakeServRow(Services, index, Transponders, white));
        ++row;
    }
    LV_Serv->SortColumn(std::clamp<int>(SortColumn, 0, ServColSat), true);
    LV_Serv->EndUpdate();
}

void TForm_Main::pop_ch_DeleteClick()
{
    if (!Messages().Confirm(LoadRs(rs::DeleteServices)))
        return;
    TBusy busy;
    DeleteServices(SelectedServiceNumbers());
    Modified = true;
    FillChannel();
    ShowEntriesAgain();
}

void TForm_Main::Pop_Ch_DelFromClick()
{
    if (!Messages().Confirm(LoadRs(rs::DeleteServices)))
        return;
    RemoveFromBouquets(SelectedServiceNumbers());
    Modified = true;
    ShowEntriesAgain();
}

void TForm_Main::DeleteSat(int satIndex)
{
    const auto& items = CB_Sat->Items();
    if (satIndex < 1 || static_cast<std::size_t>(satIndex) >= items.size())
        return;
    const std::string position = items[static_cast<std::size_t>(satIndex)];
    if (!Messages().Confirm(LoadRs(rs::DeleteSatellite)))
        return;
    TBusy busy;
    DeleteSatellite(position);
    Modified = true;
    FillSat();
    FillChannel();
    MyScrollTo(*LV_Serv, 0, VisibleRows);
    ShowEntriesAgain();
}

void TForm_Main::Pop_ParLockClick(TMenuItem& item)
{
    const TLockList list = LockListOf(WhiteListShown());
    const auto value = static_cast<std::int32_t>(item.Tag);
    switch (LockItemTarget(item.Name)) {
    case TCommandTarget::Services:
        SetServiceLock(SelectedServiceNumbers(), list, value);
        for (int row : SelectedRows(*LV_Serv)) {
            const std::int32_t index = ServiceIndexOfRow(row);
            const TY_ENIG_CH& s = Services[static_cast<std::size_t>(index)];
            LV_Serv->Cell(ServColLock, row).SetAsInteger(LockMark(s.Black, s.White, list));
        }
        ShowEntriesAgain();
        break;
    case TCommandTarget::List: {
        const int keep = LV_TypeOfList->SelectedRow();
        SetListLock(ShownListKind(), SelectedListIndexes(), list, value);
        const TListKind kind = ShownListKind();
        TypeRows = TypeListRows(kind, Providers, TvBouquets, RadioBouquets, WhiteListShown());
        ShowTypeRows();
        SelectRowQuietly(*LV_TypeOfList, std::max(keep, 0));
        break;
    }
    case TCommandTarget::Entries: {
        const auto numbers =
            EntryServiceNumbers(ShownListKind(), ShownListIndex(), SelectedEntryIndexes(true));
        SetServiceLock(numbers, list, value);
        const TChNumberIndex byNumber(Services);
        for (int row = 0; row < LV_Serv->RowCount(); ++row) {
            const std::int32_t index = ServiceIndexOfRow(row);
            const TY_ENIG_CH& s = Services[static_cast<std::size_t>(index)];
            if (std::find(numbers.begin(), numbers.end(), s.Number) != numbers.end())
                LV_Serv->Cell(ServColLock, row).SetAsInteger(LockMark(s.Black, s.White, list));
        }
        ShowEntriesAgain();
        break;
    }
    }
}

void TForm_Main::FlagClick(TMenuItem& item, std::int32_t bit)
{
    const bool on = item.Tag != 0;
    if (FlagItemTarget(item.Name) == TCommandTarget::Entries) {
        const auto numbers =
            EntryServiceNumbers(ShownListKind(), ShownListIndex(), SelectedEntryIndexes(true));
        SetServiceFlag(numbers, bit, on);
        if (!numbers.empty())
            JumpToChNo(numbers.back());
    } else {
        SetServiceFlag(SelectedServiceNumbers(), bit, on);
    }
    Modified = true;
}

void TForm_Main::pop_no_newClick()
{
    for (int row : SelectedRows(*LV_Serv)) {
        const std::int32_t index = ServiceIndexOfRow(row);
        if (index >= 0 && RemoveNewFlag(index))
            LV_Serv->Cell(ServColNew, row).SetAsInteger(-1);
    }
    ShowEntriesAgain();
}

void TForm_Main::Pop_Ch_FindchannelClick(int tag)
{
    Tag = tag;
    if (tag == 0) {
        std::string pattern = FindPattern;
        if (!Messages().InputQuery(LoadRs(rs::FindChannelCaption), LoadRs(rs::FindChannelPrompt), pattern))
            return;
        FindPattern = pattern;
    }
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(LV_Serv->RowCount()));
    for (int row = 0; row < LV_Serv->RowCount(); ++row)
        names.push_back(LV_Serv->Cells(ServColService, row));
    const std::int32_t row = FindRowByPrefix(names, LV_Serv->SelectedRow(), FindPattern);
    if (row < 0) {
        Messages().ShowError(LoadRs(rs::NotInServiceList));
        return;
    }
    MyScrollTo(*LV_Serv, row, VisibleRows);
}

void TForm_Main::CapitalizeClick(TMenuItem& item)
{
    switch (ItemTargetByPrefix(item.Name)) {
    case TCommandTarget::Services:
        CapitalizeServices(SelectedServiceNumbers());
        for (int row : SelectedRows(*LV_Serv)) {
            const std::int32_t index = ServiceIndexOfRow(row);
            LV_Serv->Cell(ServColService, row).SetAsString(Services[static_cast<std::size_t>(index)].Name);
        }
        ShowEntriesAgain();
        break;
    case TCommandTarget::List: {
        const int keep = LV_TypeOfList->SelectedRow();
        CapitalizeList(ShownListKind(), SelectedListIndexes());
        TypeRows = TypeListRows(ShownListKind(), Providers, TvBouquets, RadioBouquets, WhiteListShown());
        ShowTypeRows();
        SelectRowQuietly(*LV_TypeOfList, std::max(keep, 0));
        break;
    }
    case TCommandTarget::Entries: {
        const auto numbers =
            EntryServiceNumbers(ShownListKind(), ShownListIndex(), SelectedEntryIndexes(true));
        CapitalizeEntries(ShownListKind(), ShownListIndex(), SelectedEntryIndexes());
        for (int row = 0; row < LV_Serv->RowCount(); ++row) {
            const TY_ENIG_CH& s = Services[static_cast<std::size_t>(ServiceIndexOfRow(row))];
            if (std::find(numbers.begin(), numbers.end(), s.Number) != numbers.end())
                LV_Serv->Cell(ServColService, row).SetAsString(s.Name);
        }
        ShowEntriesAgain();
        break;
    }
    }
    Modified = true;
}

void TForm_Main::pop_ch_zeropidsClick(TMenuItem& item)
{
    if (ItemTargetByPrefix(item.Name) == TCommandTarget::Entries)
        ClearPids(EntryServiceNumbers(ShownListKind(), ShownListIndex(), SelectedEntryIndexes(true)));
    else
        ClearPids(SelectedServiceNumbers());
}

// ---- clipboard of services --------------------------------------------------------------

void TForm_Main::Export2CLipBoard() { CopyServicesToClipboard(SelectedServiceNumbers()); }

void TForm_Main::Pop_Ch_CutClick()
{
    Export2CLipBoard();
    if (!Messages().Confirm(LoadRs(rs::DeleteServices))) {
        // Only the block this cut put there goes back; anything the user
        // copied since stays.
        WithdrawOwnBlock();
        return;
    }
    TBusy busy;
    DeleteServices(SelectedServiceNumbers());
    Modified = true;
    FillChannel();
    ShowEntriesAgain();
}

TClipboardPaste TForm_Main::Ch_Paste(bool EntryMode, bool fromFile)
{
    TPasteWindow window(CfProgress, this, TheLoadDir, fromFile ? PasteFromFileLine : PasteFromClipboardLine);
    return PasteFromClipboard(EntryMode, window.Hooks());
}

void TForm_Main::Pop_Ch_PasteClick()
{
    const int satIndex = CB_Sat->ItemIndex();
    const std::string sat = satIndex >= 0 && static_cast<std::size_t>(satIndex) < CB_Sat->Items().size()
                                ? CB_Sat->Items()[static_cast<std::size_t>(satIndex)]
                                : std::string();
    const std::size_t transponders = Transponders.size();
    TClipboardPaste paste;
    try {
        TBusy busy;
        paste = Ch_Paste(false);
    } catch (const std::exception& e) {
        // Services added before the failure stay in the model; the list
        // shows them all again and the user learns what went wrong.
        if (Transponders.size() != transponders)
            FillSat();
        FillChannel();
        Tx_No_Of_Item->SetText(std::to_string(LV_Serv->RowCount()));
        Messages().ShowError(e.what());
        return;
    }
    if (!paste.Present)
        return;
    if (paste.Damaged) {
        Messages().ShowError(SkippedLinesMessage({"the clipboard block is damaged"}));
        return;
    }
    if (Transponders.size() != transponders) {
        FillSat();
        const auto& items = CB_Sat->Items();
        const auto at = std::find(items.begin(), items.end(), sat);
        if (at != items.end()) {
            const bool was = FillEnabled;
            FillEnabled = false;
            CB_Sat->SetItemIndex(static_cast<int>(at - items.begin()));
            FillEnabled = was;
        }
    }
    AddServiceRows(paste.Result.NewServices);
    if (!paste.Result.NewServices.empty())
        JumpToChNo(paste.Result.NewServices.back());
    LV_Serv->SetFocus();
    Tx_No_Of_Item->SetText(std::to_string(LV_Serv->RowCount()));
    if (paste.OtherCopy)
        Messages().ShowInformation(
            PasteCountMessage(paste.Result.NewServices.size(), paste.Result.TranspondersAdded));
    if (!paste.Result.Skipped.empty())
        Messages().ShowError(SkippedLinesMessage(paste.Result.Skipped));
}
