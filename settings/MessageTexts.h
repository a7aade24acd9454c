#pragma once

// The program's message texts with their fixed ids: a language module
// translates a text by a string resource named after its id, so an id never
// changes meaning once given. Ids are unique across the table (a test checks
// it); new texts take the next free number of their group. The ids 900 to 916
// belong to the message dialogs' titles and buttons (controls/MessDlgTexts.h).

#include "platform/ResStrings.h"

#include <array>

namespace rs {

using cf::TResStringRec;

// Start-up, shutdown and the top row of the main window.
inline constexpr TResStringRec UnsavedChanges{1001, "Your changes have not been saved : Proceeed anyway ?"};
inline constexpr TResStringRec HaltQuestion{1002, "Program will be halted : Are you sure ?"};
inline constexpr TResStringRec RefreshAfterTp{1003, "After transponder changes service's list must be refresh "};
inline constexpr TResStringRec ExportedTo{1004, "Settings exported (CSV) ordered by Bouquet on \r\n"};

// Lists and service commands.
inline constexpr TResStringRec NotInServiceListFilter{1101, "Service not in service list : change TYPE and/or SAT"};
inline constexpr TResStringRec NotInServiceList{1102, "Service not in service list "};
inline constexpr TResStringRec DeleteServices{1103, "All selected services will be removed from all list : are you sure  ? "};
inline constexpr TResStringRec DeleteSatellite{
    1104, "All services in the selected satellite will be removed from all list : are you sure  ?"};
inline constexpr TResStringRec FindChannelCaption{1105, "Find Channel"};
inline constexpr TResStringRec FindChannelPrompt{1106, "Insert service name "};

// Bouquet and entry commands.
inline constexpr TResStringRec DeleteLists{1201, "All selected provider/userbouquets will be deleted : are you sure  ?"};
inline constexpr TResStringRec RemoveEmptyLists{1202, "All empty provider/userbouquets will be deleted : are you sure  ? "};
inline constexpr TResStringRec RemoveEntries{1203, "All selected services will be removed from the list : are you sure  ? "};
inline constexpr TResStringRec InsertBouquetCaption{1204, "Insert Bouquet"};
inline constexpr TResStringRec InsertNamePrompt{1205, "Insert name "};
inline constexpr TResStringRec RenameBouquetCaption{1206, "Rename Bouquet"};
inline constexpr TResStringRec InsertNewNamePrompt{1207, "Insert new name "};
inline constexpr TResStringRec InsertMarkerCaption{1208, "Insert Marker"};
inline constexpr TResStringRec RenameDescriptionCaption{1209, "Rename description"};
inline constexpr TResStringRec RenameServiceCaption{1210, "Rename service"};
inline constexpr TResStringRec RenameServicePrompt{1211, "Insert new service name \r\n("};

// Options window.
inline constexpr TResStringRec DefaultProfileNotDeleted{1301, "This profile is one of the default ones and cannot be delete "};
inline constexpr TResStringRec PortNotNumber{1302, "The port must be a whole number from 1 to 65535 : "};
inline constexpr TResStringRec SaveProfileCaption{1303, "Save current profile"};
inline constexpr TResStringRec SaveOptionsCaption{1304, "Save options"};

// Every record, for the uniqueness check and for module builders.
inline constexpr std::array All{
    UnsavedChanges, HaltQuestion, RefreshAfterTp, ExportedTo,
    NotInServiceListFilter, NotInServiceList, DeleteServices, DeleteSatellite, FindChannelCaption, FindChannelPrompt,
    DeleteLists, RemoveEmptyLists, RemoveEntries, InsertBouquetCaption, InsertNamePrompt, RenameBouquetCaption,
    InsertNewNamePrompt, InsertMarkerCaption, RenameDescriptionCaption, RenameServiceCaption, RenameServicePrompt,
    DefaultProfileNotDeleted, PortNotNumber, SaveProfileCaption, SaveOptionsCaption,
};

} // namespace rs

// Shorthand for fetching a text through the active language.
inline std::string LoadRs(const cf::TResStringRec& rec)
{
    return cf::LoadResString(rec);
}
