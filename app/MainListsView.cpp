// The main window's three lists and their filters: filling them from the
// model, keeping the user's place, and the navigation between them.

#include "app/Unit_Main.h"
#include "settings/MessageTexts.h"

#include "app/BouquetCommands.h"
#include "app/Configuration.h"

#include "controls/CfEdit.h"
#include "controls/CfHeaderPanel.h"
#include "controls/MessageService.h"
#include "platform/Screen.h"
#include "platform/Keys.h"

#include <chrono>

using namespace cf;

namespace {

std::uint64_t NowMs()
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// The hourglass for the length of a fill, whatever way it ends.
class TBusyCursor {
public:
    TBusyCursor() : previous_(ScreenCursor()) { SetScreenCursor(crHourGlass); }
    ~TBusyCursor() { SetScreenCursor(previous_); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
    TCursor previous_;
};

// Makes the grid hold `count` unmarked rows whose cells the caller then
// overwrites. A filter switch on a large list keeps most rows: their cells
// are written again in place instead of being freed and made anew, which
// is most of the cost of refilling a hundred thousand rows.
void SetRowCountKeepingCells(TCfGrid& grid, int count)
{
    const int have = grid.RowCount();
    if (have > 0)
        grid.SelectRange(0, have - 1, false);
    if (count == 0) {
        grid.ClearRows();
    } else if (have > count) {
        grid.SelectRange(count, have - 1, true);
        grid.DeleteSelectedRows();
    } else if (have < count) {
        grid.AddRows(count - have);
    }
}

// The "Synt Data" texts of a fill, made once per transponder: a hundred
// thousand services share a few thousand transponders.
class TSummaries {
public:
    explicit TSummaries(const ARR_ENIG_TP& transponders)
        : transponders_(transponders), texts_(transponders.size()), made_(transponders.size(), 0)
    {
    }
    const std::string& Of(std::int32_t tpIndex)
    {
        if (tpIndex < 0 || static_cast<std::size_t>(tpIndex) >= texts_.size())
            return none_;
        const auto i = static_cast<std::size_t>(tpIndex);
        if (!made_[i]) {
            texts_[i] = TransponderSummary(tpIndex, transponders_);
            made_[i] = 1;
        }
        return texts_[i];
    }

private:
    const ARR_ENIG_TP& transponders_;
    std::vector<std::string> texts_;
    std::vector<std::uint8_t> made_;
    std::string none_;
};

// One row of the service list written straight from the model, the texts
// taken by reference (MakeServRow and SetServRow give the same cells).
void WriteServRow(TCells& cells, int row, const ARR_ENIG_CH& services, std::int32_t index, TSummaries& summaries,
                  const ARR_ENIG_TP& transponders, TLockList lockList)
{
    const TY_ENIG_CH& s = services[static_cast<std::size_t>(index)];
    cells.GetCell(ServColNew, row).SetAsInteger((s.Flags & FLAG_NEW) ? ImgNew : -1);
    cells.GetCell(ServColLock, row).SetAsInteger(LockMark(s.Black, s.White, lockList));
    cells.GetCell(ServColNumber, row).SetAsString(std::to_string(s.Number));
    cells.GetCell(ServColType, row).SetAsString(ServiceTypeText(s.ServiceType));
    cells.GetCell(ServColService, row).SetAsString(s.Name);
    cells.GetCell(ServColPackage, row).SetAsString(s.Provider);
    cells.GetCell(ServColSynt, row).SetAsString(summaries.Of(s.TpIndex));
    cells.GetCell(ServColSat, row).SetAsString(ServicePosition(s, transponders));
    cells.GetCell(ServColIndex, row).SetAsInteger(index);
}

// The progress bar gets a repaint at most this often during a fill.
constexpr std::uint64_t FillRepaintMs = 30;

} // namespace

TListKind TForm_Main::ShownListKind() const
{
    if (RB_PROV->Checked())
        return TListKind::Providers;
    if (RB_UB_RADIO->Checked())
        return TListKind::RadioBouquets;
    return TListKind::TvBouquets;
}

bool TForm_Main::WhiteListShown() const { return CB_ListControl->ItemIndex() == 1; }

void TForm_Main::ClearCutBuffers()
{
    EmptyCutBuffers();
    if (OnClearCutBuffers)
        OnClearCutBuffers();
}

void TForm_Main::FillProgress(std::size_t done)
{
    // Painting once per row made large fills crawl; a repaint every few
    // dozen milliseconds keeps the bar moving. User input waits until the
    // list is whole, so no command meets a half-filled list.
    if ((done & 255) != 0) // the clock is read every 256 rows
        return;
    const std::uint64_t now = NowMs();
    if (now - lastServe_ < FillRepaintMs)
        return;
    lastServe_ = now;
    CfProgress.SetPosition(static_cast<int>(done));
    ProcessMessages();
}

void TForm_Main::FillChannel()
{
    CB_Type->SetEnabled(false);
    CB_Sat->SetEnabled(false);
    ClearCutBuffers();
    TBusyCursor busy;
    CfProgress.SetMin(0);
    CfProgress.SetMax(static_cast<int>(Services.size()));
    lastServe_ = NowMs();

    const int sat = CB_Sat->ItemIndex();
    const std::string satItem = sat >= 0 && sat < static_cast<int>(CB_Sat->Items().size())
                                    ? CB_Sat->Items()[static_cast<std::size_t>(sat)]
                                    : std::string();
    const auto shown = FilteredServices(Services, Transponders, CB_Type->ItemIndex(), sat, satItem);
    const bool white = WhiteListShown();
    // All rows come in one call and are filled in place, inside one update:
    // the grid repaints once, when the list is whole.
    LV_Serv->BeginUpdate();
    SetRowCountKeepingCells(*LV_Serv, static_cast<int>(shown.size()));
    // Every row is written anew, so their order does not matter: in memory
    // order the writes and the sort after them walk memory forward.
    TCells& cells = LV_Serv->CellStore();
    cells.LayRowsInMemoryOrder();
    TSummaries summaries(Transponders);
    const TLockList lockList = LockListOf(white);
    int row = 0;
    for (std::int32_t i : shown) {
        WriteServRow(cells, row++, Services, i, summaries, Transponders, lockList);
        FillProgress(static_cast<std::size_t>(i));
    }
    TCfCustomColumn* sortBy = LV_Serv->Columns().Item(std::clamp<int>(SortColumn, 0, ServColSat));
    sortBy->SetSorted(false);
    sortBy->SetSortType(stCaseInsensitive);
    sortBy->SetSortKind(skAscending);
    sortBy->SetSorted(true);
    LV_Serv->EndUpdate();
    CB_Type->SetEnabled(true);
    CB_Sat->SetEnabled(true);
    if (LV_Serv->RowCount() >= 2)
        MyScrollTo(*LV_Serv, 0, VisibleRows);
    Tx_No_Of_Item->SetText(std::to_string(LV_Serv->RowCount()));
}

void TForm_Main::SetServRow(int row, const TServRow& r)
{
    TCells& cells = LV_Serv->CellStore();
    // The row's texts go in by reference: a fill writes a hundred thousand
    // of these, and a copy per cell would be a good part of it.
    cells.GetCell(ServColNew, row).SetAsInteger(r.NewImage);
    cells.GetCell(ServColLock, row).SetAsInteger(r.LockImage);
    cells.GetCell(ServColNumber, row).SetAsString(std::to_string(r.Number));
    cells.GetCell(ServColType, row).SetAsString(r.Type);
    cells.GetCell(ServColService, row).SetAsString(r.Name);
    cells.GetCell(ServColPackage, row).SetAsString(r.Package);
    cells.GetCell(ServColSynt, row).SetAsString(r.Synt);
    cells.GetCell(ServColSat, row).SetAsString(r.Sat);
    cells.GetCell(ServColIndex, row).SetAsInteger(r.ServiceIndex);
}

void TForm_Main::ShowTypeRows()
{
    LV_TypeOfList->BeginUpdate();
    LV_TypeOfList->ClearRows();
    LV_TypeOfList->AddRows(static_cast<int>(TypeRows.size()));
    TCells& cells = LV_TypeOfList->CellStore();
    for (std::size_t i = 0; i < TypeRows.size(); ++i) {
        const int row = static_cast<int>(i);
        cells.GetCell(TypeColImage, row).SetAsInteger(TypeRows[i].Image);
        cells.GetCell(TypeColName, row).SetAsString(TypeRows[i].Name);
        cells.GetCell(TypeColIndex, row).SetAsInteger(TypeRows[i].Index);
    }
    LV_TypeOfList->EndUpdate();
}

void TForm_Main::ShowDetailRows()
{
    LV_Details->BeginUpdate();
    LV_Details->ClearRows();
    LV_Details->AddRows(static_cast<int>(DetailRows.size()));
    TCells& cells = LV_Details->CellStore();
    for (std::size_t i = 0; i < DetailRows.size(); ++i) {
        const TDetailRow& d = DetailRows[i];
        const int row = static_cast<int>(i);
        cells.GetCell(DetColImage, row).SetAsInteger(d.Image);
        cells.GetCell(DetColRunning, row).SetAsString(d.Running);
        cells.GetCell(DetColName, row).SetAsString(d.Name);
        cells.GetCell(DetColType, row).SetAsString(d.Type);
        cells.GetCell(DetColSat, row).SetAsString(d.Sat);
        cells.GetCell(DetColEntry, row).SetAsInteger(d.Entry);
    }
    LV_Details->EndUpdate();
}

void TForm_Main::FillSat()
{
    std::vector<std::string> items = SatFilterItems(Services, Transponders);
    SatPositions.assign(items.begin() + 1, items.end());
    const bool enabled = FillEnabled;
    FillEnabled = false; // choosing item 0 below is no user's filter change
    CB_Sat->SetItems(items);
    CB_Sat->SetItemIndex(-1);
    CB_Sat->SetItemIndex(0);
    FillEnabled = enabled;
}

void TForm_Main::FillListType()
{
    Panel_List_Details->SetCaption(" 0 items");
    const TListKind kind = ShownListKind();
    TypeRows = TypeListRows(kind, Providers, TvBouquets, RadioBouquets, WhiteListShown());
    ShowTypeRows();
    Panel_Dx_t->SetCaption(TypeListCaption(kind, static_cast<int>(TypeRows.size())));
    DetailRows.clear();
    ShowDetailRows();
    ChannelBase = 0;
    if (!TypeRows.empty()) {
        SelectRowQuietly(*LV_TypeOfList, 0);
        Lv_TypeOfListSelectCell(0);
    }
}

void TForm_Main::Lv_TypeOfListSelectCell(int ARow, bool byCode)
{
    const int keep = byCode ? std::max(LV_Details->SelectedRow(), 0) : 0;
    const TListKind kind = ShownListKind();
    ARR_ENIG_UB& bouquets = kind == TListKind::RadioBouquets ? RadioBouquets : TvBouquets;
    ChannelBase = kind == TListKind::Providers ? 0 : CountNoOfCha(bouquets, ARow);
    if (TypeRows.empty() || ARow < 0 || ARow >= static_cast<int>(TypeRows.size()))
        return;
    const std::int32_t index = TypeRows[static_cast<std::size_t>(ARow)].Index;
    // One number index for the whole list of entries, not a search per entry.
    const TChNumberIndex byNumber(Services);
    const bool white = WhiteListShown();
    if (kind == TListKind::Providers) {
        if (index < 0 || static_cast<std::size_t>(index) >= Providers.size())
            return;
        DetailRows = ProviderDetailRows(Providers[static_cast<std::size_t>(index)], Services, Transponders,
                                        byNumber, white);
        Panel_List_Details->SetCaption(std::to_string(DetailRows.size()) + " items");
    } else {
        if (index < 0 || static_cast<std::size_t>(index) >= bouquets.size())
            return;
        TY_ENIG_UB& b = bouquets[static_cast<std::size_t>(index)];
        DetailRows = BouquetDetailRows(b, Services, Transponders, byNumber, white, ChannelBase);
        Panel_List_Details->SetCaption(std::to_string(b.ServiceCount) + " items");
    }
    ShowDetailRows();
    if (keep < LV_Details->RowCount()) {
        SelectRowQuietly(*LV_Details, keep);
        LV_Details->ScrollToRow(keep);
    }
}

void TForm_Main::ConditionFillChange()
{
    if (FillEnabled && !Services.empty())
        FillChannel();
}

void TForm_Main::TypeOfListChange()
{
    // Bouquets cut from the TV list may go into the radio list and back, so
    // only the providers' cut buffer goes with the choice.
    ListChoiceChanged();
    FillListType();
}

void TForm_Main::CB_ListControlChange()
{
    ConditionFillChange();
    FillListType();
}

void TForm_Main::SetGrid()
{
    for (TCfGrid* g : {LV_Serv, LV_TypeOfList, LV_Details})
        g->SetOptions(ShowGrid ? g->Options() | goGrid : g->Options() & ~goGrid);
}

void TForm_Main::MyScrollTo(TCfGrid& grid, int row, int count)
{
    const int target = ScrollTarget(row, count, grid.RowCount());
    if (target < 0)
        return;
    grid.ScrollToRow(0);
    grid.ScrollToRow(target);
    SelectRowQuietly(grid, std::clamp(row, 0, grid.RowCount() - 1));
}

void TForm_Main::SelectRowQuietly(TCfGrid& grid, int row)
{
    if (row < 0 || row >= grid.RowCount())
        return;
    const bool was = quietSelect_;
    quietSelect_ = true;
    grid.SetSelectedRow(row);
    quietSelect_ = was;
}

std::vector<int> TForm_Main::SelectedRows(TCfGrid& grid)
{
    std::vector<int> rows;
    for (int r = 0, n = grid.RowCount(); r < n; ++r)
        if (grid.GetSelected(r))
            rows.push_back(r);
    const int current = grid.SelectedRow();
    if (rows.empty() && current >= 0 && current < grid.RowCount())
        rows.push_back(current);
    return rows;
}

int TForm_Main::JumpToChNo(std::int32_t number)
{
    // The grid's text search stops at the first number that begins with
    // these digits ("200" for 20): search on until the hit is exact, and
    // give up when the search comes round to its first hit again.
    const std::string text = std::to_string(number);
    const bool was = quietSelect_;
    quietSelect_ = true;
    int result = -1;
    if (LV_Serv->FindText(ServColNumber, text, true)) {
        const int first = LV_Serv->SelectedRow();
        int row = first;
        while (LV_Serv->Cells(ServColNumber, row) != text) {
            if (!LV_Serv->FindText(ServColNumber, text, false))
                break;
            row = LV_Serv->SelectedRow();
            if (row == first)
                break;
        }
        if (LV_Serv->Cells(ServColNumber, row) == text)
            result = row;
    }
    quietSelect_ = was;
    return result;
}

std::int32_t TForm_Main::FindPr(std::int32_t id) const
{
    for (std::size_t i = 0; i < Providers.size(); ++i)
        if (Providers[i].Id == id)
            return static_cast<std::int32_t>(i);
    return -1;
}

void TForm_Main::LV_ServResize()
{
    if (LV_Serv)
        VisibleRows = VisibleRowsFor(LV_Serv->ClientHeight(), LV_Serv->HeaderSize(), LV_Serv->RowSize());
}

std::int32_t TForm_Main::ServiceIndexOfRow(int row) const
{
    if (row < 0 || row >= LV_Serv->RowCount())
        return -1;
    return LV_Serv->CellStore().GetCell(ServColIndex, row).AsInteger();
}

std::int32_t TForm_Main::NumberOfRow(int row) const
{
    const std::int32_t index = ServiceIndexOfRow(row);
    return index >= 0 && static_cast<std::size_t>(index) < Services.size()
               ? Services[static_cast<std::size_t>(index)].Number
               : -1;
}

void TForm_Main::LV_ServHeaderClick(int)
{
    const std::int32_t number = NumberOfRow(LV_Serv->SelectedRow());
    SortKeepNumber = number >= 0 ? std::to_string(number) : std::string();
}

void TForm_Main::LV_ServSortColumn(int column) { SortColumn = column; }

void TForm_Main::LV_ServAfterSort()
{
    // Only a header click asks for this; a fill's own sort starts at the top.
    if (SortKeepNumber.empty())
        return;
    const int r = JumpToChNo(std::stoi(SortKeepNumber));
    SortKeepNumber.clear();
    if (r >= 0)
        LV_Serv->ScrollToRow(r);
}

void TForm_Main::LV_DetailsSelectCell(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= DetailRows.size())
        return;
    const TDetailRow& d = DetailRows[static_cast<std::size_t>(row)];
    if (d.Marker || d.ServiceIndex < 0)
        return;
    const int r = JumpToChNo(Services[static_cast<std::size_t>(d.ServiceIndex)].Number);
    if (r >= 0)
        MyScrollTo(*LV_Serv, r, VisibleRows);
}

void TForm_Main::Lv_ServDblClick()
{
    const std::int32_t index = ServiceIndexOfRow(LV_Serv->SelectedRow());
    if (index < 0 || !ModifyService)
        return;
    const std::string name = Services[static_cast<std::size_t>(index)].Name;
    const std::int32_t number = Services[static_cast<std::size_t>(index)].Number;
    RefreshList = false;
    if (ModifyService(index)) {
        if (RefreshList) {
            FillChannel();
        } else if (static_cast<std::size_t>(index) < Services.size() &&
                   Services[static_cast<std::size_t>(index)].Name != name) {
            if (LV_TypeOfList->RowCount() > 0)
                Lv_TypeOfListSelectCell(std::max(LV_TypeOfList->SelectedRow(), 0), true);
            LV_Serv->BeginUpdate();
            for (int r = 0; r < LV_Serv->RowCount(); ++r)
                if (ServiceIndexOfRow(r) == index)
                    SetServRow(r, MakeServRow(Services, index, Transponders, WhiteListShown()));
            LV_Serv->SortColumn(std::clamp<int>(SortColumn, 0, ServColSat), true);
            LV_Serv->EndUpdate();
            JumpToChNo(number);
        }
    }
    LV_Serv->SetFocus();
}

void TForm_Main::UpdateServiceRows(std::int32_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= Services.size())
        return;
    for (int r = 0; r < LV_Serv->RowCount(); ++r)
        if (ServiceIndexOfRow(r) == index)
            SetServRow(r, MakeServRow(Services, index, Transponders, WhiteListShown()));
}

void TForm_Main::lv_DetailsDblClick()
{
    const int row = LV_Details->SelectedRow();
    if (row < 0 || static_cast<std::size_t>(row) >= DetailRows.size())
        return;
    const TDetailRow& d = DetailRows[static_cast<std::size_t>(row)];
    if (d.Marker) {
        if (RenameMarker)
            RenameMarker(row);
        else
            pop_det_renameClick();
        return;
    }
    const std::int32_t number =
        d.ServiceIndex >= 0 ? Services[static_cast<std::size_t>(d.ServiceIndex)].Number : -1;
    if (number < 0 || JumpToChNo(number) < 0) {
        Messages().ShowError(LoadRs(rs::NotInServiceListFilter));
        return;
    }
    LV_Serv->SetFocus();
    Lv_ServDblClick();
}
