// The main window's three lists and their filters: filling them from the
// model, keeping the user's place, and the navigation between them.

#include "app/Unit_Main.h"

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
    if (OnClearCutBuffers)
        OnClearCutBuffers();
}

void TForm_Main::FillProgress(std::size_t done)
{
    // Painting once per row made large fills crawl; a repaint every few
    // dozen milliseconds keeps the bar moving. User input waits until the
    // list is whole, so no command meets a half-filled list.
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
    ServRows.clear();
    ServRows.reserve(shown.size());
    for (std::int32_t i : shown) {
        ServRows.push_back(MakeServRow(Services, i, Transponders, white));
        FillProgress(static_cast<std::size_t>(i));
    }
    SortServRows(ServRows, SortColumn);
    ShowServRows();
    CB_Type->SetEnabled(true);
    CB_Sat->SetEnabled(true);
    if (ServRows.size() >= 2)
        MyScrollTo(*LV_Serv, 0, VisibleRows);
    Tx_No_Of_Item->SetText(std::to_string(ServRows.size()));
}

void TForm_Main::ShowServRows()
{
    LV_Serv->SetSource(static_cast<int>(ServRows.size()), [this](int col, int row) {
        const TServRow& r = ServRows[static_cast<std::size_t>(row)];
        if (col == ServColNew)
            return TListCell{{}, r.NewImage};
        if (col == ServColLock)
            return TListCell{{}, r.LockImage};
        return TListCell{r.Text(col), -1};
    });
}

void TForm_Main::ShowTypeRows()
{
    LV_TypeOfList->SetSource(static_cast<int>(TypeRows.size()), [this](int col, int row) {
        const TTypeListRow& r = TypeRows[static_cast<std::size_t>(row)];
        switch (col) {
        case 0: return TListCell{{}, r.Image};
        case 1: return TListCell{r.Name, -1};
        default: return TListCell{std::to_string(r.Index), -1};
        }
    });
}

void TForm_Main::ShowDetailRows()
{
    LV_Details->SetSource(static_cast<int>(DetailRows.size()), [this](int col, int row) {
        const TDetailRow& r = DetailRows[static_cast<std::size_t>(row)];
        switch (col) {
        case DetColImage: return TListCell{{}, r.Image};
        case DetColRunning: return TListCell{r.Running, -1};
        case DetColName: return TListCell{r.Name, -1};
        case DetColType: return TListCell{r.Type, -1};
        case DetColSat: return TListCell{r.Sat, -1};
        default: return TListCell{std::to_string(r.Entry), -1};
        }
    });
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
        LV_TypeOfList->SelectRow(0);
        Lv_TypeOfListSelectCell(0);
    }
}

void TForm_Main::Lv_TypeOfListSelectCell(int ARow, bool byCode)
{
    const int keep = byCode ? std::max(LV_Details->Row(), 0) : 0;
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
        LV_Details->SelectRow(keep);
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
    ClearCutBuffers();
    FillListType();
}

void TForm_Main::CB_ListControlChange()
{
    ConditionFillChange();
    FillListType();
}

void TForm_Main::SetGrid()
{
    for (TListTable* g : {LV_Serv, LV_TypeOfList, LV_Details})
        g->SetGridLines(ShowGrid);
}

void TForm_Main::MyScrollTo(TListTable& grid, int row, int count)
{
    const int target = ScrollTarget(row, count, grid.RowCount());
    if (target < 0)
        return;
    grid.ScrollToRow(0);
    grid.ScrollToRow(target);
    grid.SelectRow(std::clamp(row, 0, grid.RowCount() - 1));
}

int TForm_Main::JumpToChNo(std::int32_t number)
{
    const int row = FindNumberRow(ServRows, number);
    if (row >= 0)
        LV_Serv->SelectRow(row);
    return row;
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
        VisibleRows = VisibleRowsFor(LV_Serv->ClientHeight(), LV_Serv->HeaderHeight(), LV_Serv->DefaultRowHeight());
}

std::int32_t TForm_Main::ServiceIndexOfRow(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= ServRows.size())
        return -1;
    return ServRows[static_cast<std::size_t>(row)].ServiceIndex;
}

void TForm_Main::LV_ServHeaderClick(int column)
{
    const int row = LV_Serv->Row();
    SortKeepNumber = row >= 0 && static_cast<std::size_t>(row) < ServRows.size()
                         ? std::to_string(ServRows[static_cast<std::size_t>(row)].Number)
                         : std::string();
    SortColumn = column;
    SortServRows(ServRows, column);
    ShowServRows();
    if (!SortKeepNumber.empty()) {
        const int r = JumpToChNo(std::stoi(SortKeepNumber));
        if (r >= 0)
            LV_Serv->ScrollToRow(r);
    }
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
    const std::int32_t index = ServiceIndexOfRow(LV_Serv->Row());
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
                Lv_TypeOfListSelectCell(std::max(LV_TypeOfList->Row(), 0), true);
            for (TServRow& r : ServRows)
                if (r.ServiceIndex == index)
                    r = MakeServRow(Services, index, Transponders, WhiteListShown());
            SortServRows(ServRows, SortColumn);
            ShowServRows();
            JumpToChNo(number);
        }
    }
    LV_Serv->SetFocus();
}

void TForm_Main::lv_DetailsDblClick()
{
    const int row = LV_Details->Row();
    if (row < 0 || static_cast<std::size_t>(row) >= DetailRows.size())
        return;
    const TDetailRow& d = DetailRows[static_cast<std::size_t>(row)];
    if (d.Marker) {
        if (RenameMarker)
            RenameMarker(row);
        return;
    }
    const std::int32_t number =
        d.ServiceIndex >= 0 ? Services[static_cast<std::size_t>(d.ServiceIndex)].Number : -1;
    if (number < 0 || JumpToChNo(number) < 0) {
        Messages().ShowError("Service not in service list : change TYPE and/or SAT");
        return;
    }
    LV_Serv->SetFocus();
    Lv_ServDblClick();
}

void TForm_Main::ServKeyDown(uint16_t& key, TShiftState shift)
{
    if (key == VK_RETURN && shift == 0) {
        if (LV_Serv->RowCount() > 0)
            Lv_ServDblClick();
        key = 0;
        return;
    }
    if (ServKeyCommands)
        ServKeyCommands(key, shift);
}

void TForm_Main::TypeListKeyDown(uint16_t& key, TShiftState shift)
{
    if (TypeListKeyCommands)
        TypeListKeyCommands(key, shift);
}

void TForm_Main::DetailsKeyDown(uint16_t& key, TShiftState shift)
{
    if (key == VK_RETURN && shift == 0) {
        if (LV_Details->RowCount() > 0)
            lv_DetailsDblClick();
        key = 0;
        return;
    }
    if (DetailsKeyCommands)
        DetailsKeyCommands(key, shift);
}
