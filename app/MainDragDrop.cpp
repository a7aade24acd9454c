// Drag and drop between the main window's lists, through the platform's
// in-application drag: services into a bouquet's entries, entries within
// their bouquet or onto another bouquet, bouquets within their list. Drops
// move the model's entries and elements directly: the desktop clipboard,
// which the user may be keeping something on, is left alone.

#include "app/Unit_Main.h"
#include "settings/MessageTexts.h"

#include "app/BouquetCommands.h"
#include "controls/MessageService.h"
#include "platform/DragDrop.h"

using namespace cf;

namespace {

// The row under a client point of a grid, -1 over no row.
int RowAt(TCfGrid& grid, int x, int y)
{
    TPoint cell;
    grid.GetCellAtPos(TPoint(x, y), cell);
    return cell.Y >= 0 && cell.Y < grid.RowCount() ? cell.Y : -1;
}

} // namespace

void TForm_Main::BuildDragDrop()
{
    for (TCfGrid* grid : {LV_Serv, LV_TypeOfList, LV_Details})
        grid->OnMouseDown = [grid](TControl*, TMouseButton button, TShiftState shift, int x, int y) {
            // Only a press on a row starts a drag: the header keeps its
            // clicks for sorting and resizing.
            if (button == mbLeft && (shift & ssDouble) == 0 && grid->HitArea(x, y) == gaBody &&
                RowAt(*grid, x, y) >= 0)
                grid->BeginDrag(false);
        };
    // While a drag is over a list that takes it, the list's drop marker
    // shows the row the drop lands before.
    LV_Details->OnDragOver = [this](TControl*, TControl* source, int x, int y, TDragState state, bool& accept) {
        accept = (source == LV_Serv || source == LV_Details) && LV_TypeOfList->RowCount() > 0;
        LV_Details->ShowDropMarker(accept && state != dsDragLeave ? DetailsDropRow(x, y) : -1);
    };
    LV_TypeOfList->OnDragOver = [this](TControl*, TControl* source, int x, int y, TDragState state, bool& accept) {
        accept = source == LV_Details || source == LV_TypeOfList;
        LV_TypeOfList->ShowDropMarker(accept && state != dsDragLeave ? TypeListDropRow(x, y) : -1);
    };
    LV_Details->OnDragDrop = [this](TControl*, TControl* source, int x, int y) {
        LV_Details->ShowDropMarker(-1);
        DetailsDragDrop(source, x, y);
    };
    LV_TypeOfList->OnDragDrop = [this](TControl*, TControl* source, int x, int y) {
        LV_TypeOfList->ShowDropMarker(-1);
        TypeListDragDrop(source, x, y);
    };
}

int TForm_Main::DetailsDropRow(int x, int y) { return std::max(RowAt(*LV_Details, x, y), 0); }

int TForm_Main::TypeListDropRow(int x, int y)
{
    const int under = std::max(RowAt(*LV_TypeOfList, x, y), 0);
    return static_cast<std::size_t>(under) < TypeRows.size() ? under : -1;
}

void TForm_Main::DetailsDragDrop(TControl* source, int x, int y)
{
    const TListKind kind = ShownListKind();
    const std::int32_t list = ShownListIndex();
    if (list < 0)
        return;
    const int under = DetailsDropRow(x, y);
    const std::int32_t at =
        static_cast<std::size_t>(under) < DetailRows.size() ? DetailRows[static_cast<std::size_t>(under)].Entry : 0;
    int select = under;
    if (source == LV_Serv) {
        ARR_ARR_OF_STRING entries;
        for (std::int32_t n : SelectedServiceNumbers())
            entries.push_back({"S", std::to_string(n), ""});
        if (InsertEntries(kind, list, at, entries) > 0)
            Modified = true;
    } else if (source == LV_Details) {
        const std::vector<std::int32_t> moved = SelectedEntryIndexes();
        if (moved.empty())
            return;
        select = MoveEntries(kind, list, moved, at);
        Modified = true;
    } else {
        return;
    }
    Lv_TypeOfListSelectCell(std::max(LV_TypeOfList->SelectedRow(), 0));
    if (select >= 0 && select < LV_Details->RowCount()) {
        SelectRowQuietly(*LV_Details, select);
        LV_Details->ScrollToRow(select);
    }
    LV_Details->SetFocus();
}

void TForm_Main::TypeListDragDrop(TControl* source, int x, int y)
{
    const TListKind kind = ShownListKind();
    const int under = TypeListDropRow(x, y);
    if (under < 0)
        return;
    const std::int32_t target = TypeRows[static_cast<std::size_t>(under)].Index;
    if (source == LV_Details) {
        const std::int32_t from = ShownListIndex();
        const std::vector<std::int32_t> moved = SelectedEntryIndexes();
        if (from < 0 || moved.empty() || from == target || !Messages().Confirm(LoadRs(rs::RemoveEntries)))
            return;
        if (MoveEntriesToElement(kind, from, moved, target) > 0)
            Modified = true;
        SelectListElement(target);
        SelectRowQuietly(*LV_Details, 0);
    } else if (source == LV_TypeOfList) {
        const std::int32_t first = MoveElements(kind, SelectedListIndexes(), target);
        if (first < 0)
            return;
        Modified = true;
        FillListType();
        SelectListElement(first);
    }
}
