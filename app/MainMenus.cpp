#include "app/MainMenus.h"

#include "platform/Keys.h"

namespace {

using cf::TMenuItem;

TMenuItem* Item(cf::TPopupMenu& menu, const char* name, const char* caption, const TMenuDispatch& dispatch,
                cf::TShortCut shortCut = cf::scNone, intptr_t tag = 0)
{
    TMenuItem* item = menu.Add(name, caption, dispatch);
    item->ShortCut = shortCut;
    item->Tag = tag;
    return item;
}

// An item with the two sub-items On (Tag 1) and Off (Tag 0).
TMenuItem* OnOff(cf::TPopupMenu& menu, const char* name, const char* caption, const std::string& onName,
                 const std::string& offName, const TMenuDispatch& dispatch)
{
    TMenuItem* item = menu.Add(name, caption);
    item->Add(onName, "On", dispatch)->Tag = 1;
    item->Add(offName, "Off", dispatch)->Tag = 0;
    return item;
}

void Enable(cf::TPopupMenu& menu, const char* name, bool enabled)
{
    if (TMenuItem* item = menu.FindItem(name))
        item->Enabled = enabled;
}

constexpr cf::TShortCut Ctrl(char c) { return cf::TShortCut(cf::scCtrl | c); }

} // namespace

std::string LockCaption(bool whiteList)
{
    return whiteList ? " Parental Lock (WhiteList)" : " Parental Lock (BlackList)";
}

void BuildPop_Lv_Serv(cf::TPopupMenu& menu, const TMenuDispatch& dispatch)
{
    menu.Name = "Pop_Lv_Serv";
    menu.Items.Clear();
    Item(menu, "Pop_Ch_Insert", "Insert service", dispatch, cf::VK_INSERT);
    Item(menu, "pop_ch_Delete", "Delete service", dispatch, cf::VK_DELETE);
    Item(menu, "Pop_Ch_DelFrom", "Remove from bouquets", dispatch, Ctrl('B'));
    menu.Add("Pop_Ch_DelSat", "Delete Satellite");
    Item(menu, "Pop_Ch_Modify", "Modify service", dispatch, cf::VK_RETURN);
    menu.Items.AddSeparator();
    Item(menu, "Pop_Ch_Copy", "Copy", dispatch, Ctrl('C'));
    Item(menu, "Pop_Ch_Cut", "Cut", dispatch, Ctrl('X'));
    Item(menu, "Pop_Ch_Paste", "Paste", dispatch, Ctrl('V'));
    menu.Items.AddSeparator();
    OnOff(menu, "Pop_ParLock", LockCaption(false).c_str(), "L_ON", "L_OFF", dispatch);
    OnOff(menu, "Pop_NODVB", "NODVB (Keep name)", "K_ON", "K_OFF", dispatch);
    OnOff(menu, "Pop_DONTSHOW", "DONTSHOW (Hide service)", "H_ON", "H_OFF", dispatch);
    OnOff(menu, "Pop_NoPMT", "NOPMT (Use PIDs from settings)", "NOPMT_ON", "NOPMT_OFF", dispatch);
    Item(menu, "pop_no_new", "Remove  NEW flag", dispatch);
    menu.Items.AddSeparator();
    TMenuItem* find = menu.Add("Pop_Ch_Findchannel", "Find");
    TMenuItem* findService = find->Add("Pop_Ch_FindService", "Find Service", dispatch);
    findService->Tag = 0;
    findService->ShortCut = Ctrl('F');
    TMenuItem* findAgain = find->Add("Pop_Ch_FindAgain", "Find Again", dispatch);
    findAgain->Tag = 1;
    findAgain->ShortCut = cf::VK_F1 + 2;
    Item(menu, "pop_ch_capitalize", "Capitalize", dispatch);
    Item(menu, "pop_ch_zeropids", "Clear PIDs", dispatch);
}

void BuildPop_Lv_TypeOfList(cf::TPopupMenu& menu, const TMenuDispatch& dispatch)
{
    menu.Name = "Pop_Lv_TypeOfList";
    menu.Items.Clear();
    Item(menu, "pop_ty_insert", "Insert bouquet", dispatch, cf::VK_INSERT);
    Item(menu, "Pop_ty_delete", "Delete bouquet", dispatch, cf::VK_DELETE);
    Item(menu, "pop_ty_rename", "Rename bouquet", dispatch, cf::VK_RETURN);
    Item(menu, "Pop_ty_removeempty", "Remove Empty Bouquets", dispatch);
    menu.Items.AddSeparator();
    Item(menu, "Pop_Ty_Cut", "Cut", dispatch, Ctrl('X'));
    Item(menu, "Pop_Ty_Paste", "Paste", dispatch, Ctrl('V'));
    menu.Items.AddSeparator();
    OnOff(menu, "Pop_Ty_ParLock", LockCaption(false).c_str(), "TY_L_ON", "TY_L_OFF", dispatch);
    menu.Items.AddSeparator();
    Item(menu, "pop_ty_capitalize", "Capitalize", dispatch);
    menu.Items.AddSeparator();
    Item(menu, "save1", "Export User Bouquet", dispatch);
    Item(menu, "ImportUserBouquet1", "Import User Bouquet", dispatch);
}

void BuildPop_lvdetails(cf::TPopupMenu& menu, const TMenuDispatch& dispatch)
{
    menu.Name = "Pop_lvdetails";
    menu.Items.Clear();
    menu.Add("pop_det_status", "---        Empty list          ---");
    menu.Items.AddSeparator();
    Item(menu, "pop_det_insert", "Insert Marker", dispatch, cf::VK_INSERT);
    Item(menu, "pop_det_remove", "Remove from list", dispatch, cf::VK_DELETE);
    Item(menu, "pop_det_modify", "Modify  Service", dispatch, cf::VK_RETURN);
    Item(menu, "pop_det_rename", "Rename in bouquet", dispatch);
    menu.Items.AddSeparator();
    Item(menu, "pop_det_Copy", "Copy", dispatch, Ctrl('C'));
    Item(menu, "Pop_Det_Cut", "Cut", dispatch, Ctrl('X'));
    Item(menu, "Pop_Det_Paste", "Paste", dispatch, Ctrl('V'));
    menu.Items.AddSeparator();
    OnOff(menu, "Pop_Det_ParLock", LockCaption(false).c_str(), "DET_L_ON", "DET_L_OFF", dispatch);
    OnOff(menu, "Pop_Det_NODVB", "NODVB (Keep name)", "DET_K_ON", "DET_K_OFF", dispatch);
    OnOff(menu, "Pop_Det_DONTSHOW", "DONTSHOW (Hide service)", "DET_H_ON", "DET_H_OFF", dispatch);
    OnOff(menu, "Pop_Det_NoPMT", "NOPMT (Use PIDs from setttings)", "DETT_NOPMT_ON", "DETT_NOPMT_OFF", dispatch);
    menu.Items.AddSeparator();
    Item(menu, "pop_det_capitalize", "Capitalize", dispatch);
    Item(menu, "pop_det_zeropids", "Clear PIDs", dispatch);
}

void Pop_Lv_ServStates(cf::TPopupMenu& menu, const TServMenuState& state, const TMenuDispatch& dispatch)
{
    for (int i = 0; i < menu.Items.Count(); ++i)
        menu.Items[i].Enabled = state.Rows;
    Enable(menu, "Pop_Ch_Insert", state.Transponders);
    Enable(menu, "Pop_Ch_Paste", state.Transponders && state.ClipboardBlock);
    if (TMenuItem* sat = menu.FindItem("Pop_Ch_DelSat")) {
        sat->Enabled = !state.SatItems.empty();
        sat->Clear();
        for (std::size_t i = 0; i < state.SatItems.size(); ++i)
            sat->Add(DeleteSatItemName, state.SatItems[i], dispatch)->Tag = static_cast<intptr_t>(i + 1);
    }
    if (TMenuItem* lock = menu.FindItem("Pop_ParLock"))
        lock->Caption = LockCaption(state.WhiteList);
}

void Pop_Lv_TypeOfListStates(cf::TPopupMenu& menu, const TTypeMenuState& state)
{
    for (int i = 0; i < menu.Items.Count(); ++i)
        menu.Items[i].Enabled = state.ListRows;
    Enable(menu, "pop_ty_insert", state.ServRows);
    Enable(menu, "Pop_Ty_Paste", state.CutElements || state.ClipboardBlock);
    if (TMenuItem* lock = menu.FindItem("Pop_Ty_ParLock"))
        lock->Caption = LockCaption(state.WhiteList);
}

std::string DetailsStatusLine(const TDetailsMenuState& state)
{
    if (!state.DetailRows)
        return "---        Empty list          ---";
    if (state.Providers)
        return "--- Provider list  ---";
    if (state.ServiceSelected)
        return "This is position " + std::to_string(state.Position);
    return "--- This is a description line ---";
}

void Pop_lvdetailsStates(cf::TPopupMenu& menu, const TDetailsMenuState& state)
{
    for (int i = 0; i < menu.Items.Count(); ++i)
        menu.Items[i].Enabled = state.DetailRows;
    Enable(menu, "pop_det_insert", state.ListRows && !state.Providers);
    Enable(menu, "Pop_Det_Paste", state.ListRows && state.ClipboardBlock);
    for (const char* name : {"pop_det_modify", "Pop_Det_ParLock", "Pop_Det_NODVB", "Pop_Det_DONTSHOW", "Pop_Det_NoPMT",
                             "pop_det_zeropids"})
        Enable(menu, name, state.DetailRows && state.ServiceSelected);
    if (TMenuItem* status = menu.FindItem("pop_det_status")) {
        status->Caption = DetailsStatusLine(state);
        // A caption, never a command.
        status->Enabled = false;
    }
    if (TMenuItem* lock = menu.FindItem("Pop_Det_ParLock"))
        lock->Caption = LockCaption(state.WhiteList);
}
