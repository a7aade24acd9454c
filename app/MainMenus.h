#pragma once

// The three context menus of the main window: Pop_Lv_Serv (service list),
// Pop_Lv_TypeOfList (providers or user bouquets) and Pop_lvdetails
// (entries). Building gives every item its name, caption, tag and shortcut
// in menu order; every item calls one dispatch function with itself as
// sender, so the window tells shared handlers apart by Name and Tag. The
// state functions set what each opening shows from a plain description of
// the window, so they are tested without one.

#include "platform/Menus.h"

#include <functional>
#include <string>
#include <vector>

using TMenuDispatch = std::function<void(cf::TMenuItem& sender)>;

// Name of the items of the "Delete Satellite" submenu (Tag: CB_Sat index).
inline constexpr const char* DeleteSatItemName = "Pop_Ch_DelSatItem";

void BuildPop_Lv_Serv(cf::TPopupMenu& menu, const TMenuDispatch& dispatch);
void BuildPop_Lv_TypeOfList(cf::TPopupMenu& menu, const TMenuDispatch& dispatch);
void BuildPop_lvdetails(cf::TPopupMenu& menu, const TMenuDispatch& dispatch);

// " Parental Lock (WhiteList)" or " Parental Lock (BlackList)".
std::string LockCaption(bool whiteList);

struct TServMenuState {
    bool Transponders = false;   // transponders exist
    bool Rows = false;           // LV_Serv has rows
    bool ClipboardBlock = false; // the clipboard holds the private format
    bool WhiteList = false;      // CB_ListControl shows "WhiteList"
    std::vector<std::string> SatItems; // CB_Sat items after " All "
};
// Sets the states and rebuilds the "Delete Satellite" submenu (one item per
// satellite, Tag its CB_Sat index, calling `dispatch`).
void Pop_Lv_ServStates(cf::TPopupMenu& menu, const TServMenuState& state, const TMenuDispatch& dispatch);

struct TTypeMenuState {
    bool ServRows = false;       // LV_Serv has rows
    bool ListRows = false;       // LV_TypeOfList has rows
    bool CutElements = false;    // the cut buffer of the shown kind holds some
    bool ClipboardBlock = false;
    bool WhiteList = false;
};
void Pop_Lv_TypeOfListStates(cf::TPopupMenu& menu, const TTypeMenuState& state);

struct TDetailsMenuState {
    bool ListRows = false;       // LV_TypeOfList has rows
    bool Providers = false;      // the provider list is shown
    bool DetailRows = false;     // LV_Details has rows
    bool ServiceSelected = false; // the selected entry is a service
    bool ClipboardBlock = false;
    bool WhiteList = false;
    std::int32_t Position = 0;   // ChannelBase + service entries above the selected one + 1
};
void Pop_lvdetailsStates(cf::TPopupMenu& menu, const TDetailsMenuState& state);
// The caption of the entry menu's status line.
std::string DetailsStatusLine(const TDetailsMenuState& state);
