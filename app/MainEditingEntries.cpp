// The main window's commands on providers, user bouquets and their entries,
// the user-bouquet exchange files and exported.txt.

#include "app/Unit_Main.h"
#include "settings/MessageTexts.h"

#include "app/BlockClipboard.h"
#include "app/BouquetCommands.h"
#include "app/ExchangeFiles.h"
#include "app/ServicePaste.h"

#include "controls/MessageService.h"
#include "platform/FileDialogs.h"
#include "settings/Errors.h"

#include <algorithm>

using namespace cf;


void TForm_Main::SelectListElement(std::int32_t index)
{
    for (std::size_t row = 0; row < TypeRows.size(); ++row)
        if (TypeRows[row].Index == index) {
            SelectRowQuietly(*LV_TypeOfList, static_cast<int>(row));
            LV_TypeOfList->ScrollToRow(static_cast<int>(row));
            Lv_TypeOfListSelectCell(static_cast<int>(row));
            return;
        }
}

// ---- providers and user bouquets ---------------------------------------------------------

void TForm_Main::InsertUB(std::string name)
{
    if (name.empty() && (!Messages().InputQuery(LoadRs(rs::InsertBouquetCaption), LoadRs(rs::InsertNamePrompt), name) || name.empty()))
        return;
    const std::int32_t at = std::max(ShownListIndex(), 0);
    const std::int32_t index = ::InsertUB(ShownListKind(), at, name);
    FillListType();
    SelectListElement(index);
}

void TForm_Main::DeleteBouquet(bool cut)
{
    const std::vector<std::int32_t> indexes = SelectedListIndexes();
    if (indexes.empty())
        return;
    if (!cut && !Messages().Confirm(LoadRs(rs::DeleteLists)))
        return;
    ::DeleteBouquet(ShownListKind(), indexes);
    Modified = true;
    FillListType();
}

void TForm_Main::Pop_Ty_PasteClick()
{
    const TListKind kind = ShownListKind();
    if (!HasCutElements(TListKind::Providers) && !HasCutElements(TListKind::TvBouquets)) {
        Pop_Det_PasteClick();
        return;
    }
    if (!HasCutElements(kind))
        return;
    const std::int32_t at = kind == TListKind::Providers ? 0 : std::max(ShownListIndex(), 0);
    const std::int32_t first = PasteCutElements(kind, at);
    FillListType();
    if (kind == TListKind::Providers)
        SelectRowQuietly(*LV_TypeOfList, 0);
    else
        SelectListElement(first);
}

void TForm_Main::Lv_TypeOfListDblClick()
{
    const std::int32_t index = ShownListIndex();
    const int row = LV_TypeOfList->SelectedRow();
    if (index < 0)
        return;
    std::string name = TypeRows[static_cast<std::size_t>(row)].Name;
    if (!Messages().InputQuery(LoadRs(rs::RenameBouquetCaption), LoadRs(rs::InsertNewNamePrompt), name) || name.empty())
        return;
    if (RenameElement(ShownListKind(), index, name))
        Modified = true;
    FillListType();
    SelectListElement(index);
}

void TForm_Main::Pop_ty_removeemptyClick()
{
    if (!Messages().Confirm(LoadRs(rs::RemoveEmptyLists)))
        return;
    if (RemoveEmptyElements(ShownListKind()) > 0)
        Modified = true;
    FillListType();
}

// ---- entries --------------------------------------------------------------------------------

void TForm_Main::pop_det_insertClick()
{
    const std::int32_t list = ShownListIndex();
    if (list < 0 || ShownListKind() == TListKind::Providers)
        return;
    const int row = LV_Details->SelectedRow();
    const std::int32_t at =
        row >= 0 && static_cast<std::size_t>(row) < DetailRows.size() ? DetailRows[static_cast<std::size_t>(row)].Entry : 0;
    std::string text;
    if (!Messages().InputQuery(LoadRs(rs::InsertMarkerCaption), LoadRs(rs::InsertNamePrompt), text) || text.empty())
        return;
    if (InsertIntoDetails(ShownListKind(), list, at, "D", text))
        Modified = true;
    ShowEntriesAgain();
}

void TForm_Main::RemoveFromDetails(bool ask)
{
    if (ask && !Messages().Confirm(LoadRs(rs::RemoveEntries)))
        return; // the clipboard stays as the user left it
    const std::int32_t list = ShownListIndex();
    if (list < 0)
        return;
    if (::RemoveFromDetails(ShownListKind(), list, SelectedEntryIndexes()) > 0)
        Modified = true;
    ShowEntriesAgain();
}

void TForm_Main::det_Copy2clip()
{
    const std::int32_t list = ShownListIndex();
    if (list < 0)
        return;
    EmptyCutBuffers();
    CopyEntriesToClipboard(TakeEntries(ShownListKind(), list, SelectedEntryIndexes()));
}

void TForm_Main::Pop_Det_CutClick()
{
    det_Copy2clip();
    if (!Messages().Confirm(LoadRs(rs::RemoveEntries))) {
        // A declined cut takes back only its own block.
        WithdrawOwnBlock();
        return;
    }
    RemoveFromDetails(false);
}

void TForm_Main::Pop_Det_PasteClick() { PasteEntries(false); }

void TForm_Main::PasteEntries(bool fromFile)
{
    const std::int32_t list = ShownListIndex();
    if (list < 0)
        return;
    const int row = LV_Details->SelectedRow();
    const std::int32_t at =
        row >= 0 && static_cast<std::size_t>(row) < DetailRows.size() ? DetailRows[static_cast<std::size_t>(row)].Entry : 0;
    TClipboardPaste paste = Ch_Paste(true, fromFile);
    if (!paste.Present)
        return;
    if (paste.Damaged) {
        Messages().ShowError(SkippedLinesMessage({"the clipboard block is damaged"}));
        return;
    }
    if (InsertEntries(ShownListKind(), list, at, paste.Result.Entries) > 0)
        Modified = true;
    if (!paste.Result.NewServices.empty()) {
        if (CB_Sat->ItemIndex() > 0)
            FillChannel();
        else
            AddServiceRows(paste.Result.NewServices);
        Tx_No_Of_Item->SetText(std::to_string(LV_Serv->RowCount()));
    }
    ShowEntriesAgain();
    if (paste.OtherCopy || fromFile)
        Messages().ShowInformation(
            PasteCountMessage(paste.Result.NewServices.size(), paste.Result.TranspondersAdded));
    if (!paste.Result.Skipped.empty())
        Messages().ShowError(SkippedLinesMessage(paste.Result.Skipped));
}

void TForm_Main::pop_det_renameClick()
{
    const int row = LV_Details->SelectedRow();
    const std::int32_t list = ShownListIndex();
    if (list < 0 || row < 0 || static_cast<std::size_t>(row) >= DetailRows.size())
        return;
    const TDetailRow& d = DetailRows[static_cast<std::size_t>(row)];
    std::string answer = d.Name;
    bool ok;
    if (d.Marker) {
        ok = Messages().InputQuery(LoadRs(rs::RenameDescriptionCaption), LoadRs(rs::InsertNewNamePrompt), answer);
    } else {
        const std::string serviceName =
            d.ServiceIndex >= 0 ? Services[static_cast<std::size_t>(d.ServiceIndex)].Name.str() : std::string();
        ok = Messages().InputQuery(LoadRs(rs::RenameServiceCaption), LoadRs(rs::RenameServicePrompt) + serviceName + ")", answer);
    }
    if (!ok || answer.empty())
        return;
    if (RenameEntry(ShownListKind(), list, d.Entry, answer))
        Modified = true;
    ShowEntriesAgain();
}

// ---- exchange files ----------------------------------------------------------------------------

void TForm_Main::save1Click()
{
    const std::int32_t list = ShownListIndex();
    const int row = LV_TypeOfList->SelectedRow();
    if (list < 0)
        return;
    const auto path = FileDialogs().SaveFileName(UserBouquetFilter, TypeRows[static_cast<std::size_t>(row)].Name);
    if (!path)
        return;
    try {
        ExportUserBouquet(ShownListKind(), list, *path);
    } catch (const EInOutError& e) {
        Messages().ShowError(e.what());
    }
}

void TForm_Main::ImportUserBouquet1Click()
{
    const auto path = FileDialogs().OpenFileName(UserBouquetFilter);
    if (!path)
        return;
    TImportResult result;
    try {
        result = ImportUserBouquet(ShownListKind(), std::max(ShownListIndex(), 0), *path);
    } catch (const EInOutError& e) {
        Messages().ShowError(e.what());
        return;
    }
    Modified = true;
    if (!result.Paste.NewServices.empty()) {
        if (CB_Sat->ItemIndex() > 0)
            FillChannel();
        else
            AddServiceRows(result.Paste.NewServices);
        Tx_No_Of_Item->SetText(std::to_string(LV_Serv->RowCount()));
    }
    FillListType();
    SelectListElement(result.Index);
    Messages().ShowInformation(
        PasteCountMessage(result.Paste.NewServices.size(), result.Paste.TranspondersAdded));
    if (!result.Paste.Skipped.empty())
        Messages().ShowError(SkippedLinesMessage(result.Paste.Skipped));
}
