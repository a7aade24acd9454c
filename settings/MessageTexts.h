#pragma once

// The program's message texts with their fixed ids: a language module
// translates a text by a string resource named after its id, so an id never
// changes meaning once given. Ids are unique across the table (a test checks
// it); new texts take the next free number of their group. The ids 900 to 916
// belong to the message dialogs' titles and buttons (controls/MessDlgTexts.h).
//
// A text that carries values has placeholders ("%s", or "%0:s" and so on
// where a value appears twice) and is fetched with LoadRsFmt, so a
// translation can place the values where its language wants them.

#include "platform/ResStrings.h"

#include <array>

namespace rs {

using cf::TResStringRec;

// Start-up, shutdown and the top row of the main window.
inline constexpr TResStringRec UnsavedChanges{1001, "Your changes have not been saved : Proceeed anyway ?"};
inline constexpr TResStringRec HaltQuestion{1002, "Program will be halted : Are you sure ?"};
inline constexpr TResStringRec RefreshAfterTp{1003, "After transponder changes service's list must be refresh "};
inline constexpr TResStringRec ExportedTo{1004, "Settings exported (CSV) ordered by Bouquet on \r\n"};
inline constexpr TResStringRec DamagedProfiles{
    1005, "Receiver profile(s) %s in the configuration are damaged (values missing) and were left out"};

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

// Saving a settings folder, and finishing or undoing a save that was cut off.
inline constexpr TResStringRec FilesNotFound{1401, "File(s) not found : cannot proceed"};
inline constexpr TResStringRec SaveFormatQuestion{1402, "Loaded file is %s\u00A0but you are saving %s.Are you sure ?"};
inline constexpr TResStringRec CannotSaveIntoFolder{1403, "Cannot save into the folder %s : %s"};
inline constexpr TResStringRec CannotSaveIntoFolderPlain{1404, "Cannot save into the folder %s"};
inline constexpr TResStringRec FolderLeftAsItWas{1405, "\nThe folder %s was left as it was."};
inline constexpr TResStringRec CannotSaveFile{1406, "Cannot save %s : %s"};
inline constexpr TResStringRec FolderNotFullyRestored{1407, "\nThe folder could not be fully restored:%s"};
inline constexpr TResStringRec FileNotRestored{1408, "%s could not be restored from %s : %s"};
inline constexpr TResStringRec SaveNotRecorded{1409, "The save cannot be recorded : %s : nothing was saved"};
inline constexpr TResStringRec SaveFolderMissing{1410, "The folder %s does not exist : nothing was saved"};
inline constexpr TResStringRec SaveFolderUnusable{1411, "The folder %s cannot be used : %s"};
inline constexpr TResStringRec SaveFolderNotWritable{1412, "The folder %s cannot be written : %s : nothing was saved"};
inline constexpr TResStringRec NewFilesNotListed{1413, "The new settings files cannot be listed : %s : nothing was saved"};
inline constexpr TResStringRec SaveFolderNotReadable{1414, "The folder %s cannot be read : %s : nothing was saved"};
inline constexpr TResStringRec SaveNotSettled{
    1415, "A save into the folder %s was interrupted. It could not be finished nor undone:%s\n"
          "The files of that save are kept in %s."};
inline constexpr TResStringRec SaveCompleted{
    1416, "A save into the folder %s was interrupted. It has now been completed: the folder holds the settings that "
          "were being saved."};
inline constexpr TResStringRec SaveUndone{
    1417, "A save into the folder %s was interrupted. It has been undone: the folder holds the settings it had before."};

// The receiver link: its error boxes and the lines of its log.
inline constexpr TResStringRec ConnectFailed{
    1501, "Could not connect to receiver. Check IP Address,network settings and status of receiver"};
inline constexpr TResStringRec LoginFailed{1502, "Could not login to receiver. Check username and password"};
inline constexpr TResStringRec RetrySending{1503, "Please retry sending settings to your receiver"};
inline constexpr TResStringRec ReloadFailed{1504, "Some errors occours sending reload command : reboot the receiver"};
inline constexpr TResStringRec NothingSent{1505, "\nYour receiver still holds its previous settings."};
inline constexpr TResStringRec PartlySent{
    1506, "\nYour receiver may hold only part of the new settings: send them again before restarting it."};
inline constexpr TResStringRec ReceiverFull{1507, "\nThe receiver has no room left for the new files: %s"};
inline constexpr TResStringRec BouquetsNotRemoved{1508, "These unused bouquet files could not be removed from your receiver:%s"};
inline constexpr TResStringRec ReloadingFromMemory{1509, "Reloading settings/UserBouquet from memory"};
inline constexpr TResStringRec ReceiverResponse{1510, "Receiver response: %s"};
inline constexpr TResStringRec FileNameRefused{1511, "%s -> file name refused"};
inline constexpr TResStringRec UnusedBouquetRemoved{1512, "%s -> Unused bouquet removed"};
inline constexpr TResStringRec UnusedBouquetNotRemoved{1513, "%s -> unused bouquet could not be removed: %s"};
inline constexpr TResStringRec LeftoverRemoved{1514, "%s -> left by an interrupted send, removed"};
inline constexpr TResStringRec LeftoverNotRemoved{1515, "%s -> left by an interrupted send, could not be removed: %s"};
inline constexpr TResStringRec SendingFile{1516, "%s -> sending file to your receiver"};
inline constexpr TResStringRec SendingFailed{1517, "%s -> errore sending file to your receiver"};
inline constexpr TResStringRec SizesUntold{1518, "The receiver does not tell file sizes: its upload replies are trusted"};
inline constexpr TResStringRec ReceiverHoldsPart{1519, "The receiver holds %s of the %s bytes of %s"};
inline constexpr TResStringRec UnfinishedUnreachable{
    1520, "The receiver cannot be reached to remove the unfinished files %s; the next send removes them"};
inline constexpr TResStringRec UnfinishedNotRemoved{1521, "%s -> could not be removed from your receiver: %s"};
inline constexpr TResStringRec NoRenameOnReceiver{
    1522, "The receiver does not rename files (%s): each file is sent over its old one instead"};
inline constexpr TResStringRec SendingUserName{1523, "Sending username "};
inline constexpr TResStringRec SendingPassword{1524, "Sending password"};
inline constexpr TResStringRec SendingReloadCommand{1525, "Sending reload command"};
inline constexpr TResStringRec ReloadCommandSent{1526, "Reload command sent"};
inline constexpr TResStringRec TelnetCommandFailed{1527, "Error sending telnet command"};
inline constexpr TResStringRec TelnetStatus{1528, "Telnet : %s"};
inline constexpr TResStringRec TelnetConnectFailed{1529, "Connect error in telnet session "};
inline constexpr TResStringRec GettingNewChannels{
    1530, "Trying to get new channels from receiver memory, please wait for a while ..."};
inline constexpr TResStringRec ReloadingSettings{1531, "Reloading settings, please wait for a while ..."};
inline constexpr TResStringRec SettingsNotSavedInto{1532, "The settings could not be saved into %s"};

// Every record, for the uniqueness check and for module builders.
inline constexpr std::array All{
    UnsavedChanges, HaltQuestion, RefreshAfterTp, ExportedTo, DamagedProfiles,
    NotInServiceListFilter, NotInServiceList, DeleteServices, DeleteSatellite, FindChannelCaption, FindChannelPrompt,
    DeleteLists, RemoveEmptyLists, RemoveEntries, InsertBouquetCaption, InsertNamePrompt, RenameBouquetCaption,
    InsertNewNamePrompt, InsertMarkerCaption, RenameDescriptionCaption, RenameServiceCaption, RenameServicePrompt,
    DefaultProfileNotDeleted, PortNotNumber, SaveProfileCaption, SaveOptionsCaption,
    FilesNotFound, SaveFormatQuestion, CannotSaveIntoFolder, CannotSaveIntoFolderPlain, FolderLeftAsItWas,
    CannotSaveFile, FolderNotFullyRestored, FileNotRestored, SaveNotRecorded, SaveFolderMissing, SaveFolderUnusable,
    SaveFolderNotWritable, NewFilesNotListed, SaveFolderNotReadable, SaveNotSettled, SaveCompleted, SaveUndone,
    ConnectFailed, LoginFailed, RetrySending, ReloadFailed, NothingSent, PartlySent, ReceiverFull, BouquetsNotRemoved,
    ReloadingFromMemory, ReceiverResponse, FileNameRefused, UnusedBouquetRemoved, UnusedBouquetNotRemoved,
    LeftoverRemoved, LeftoverNotRemoved, SendingFile, SendingFailed, SizesUntold, ReceiverHoldsPart,
    UnfinishedUnreachable, UnfinishedNotRemoved, NoRenameOnReceiver, SendingUserName, SendingPassword,
    SendingReloadCommand, ReloadCommandSent, TelnetCommandFailed, TelnetStatus, TelnetConnectFailed,
    GettingNewChannels, ReloadingSettings, SettingsNotSavedInto,
};

} // namespace rs

// Shorthand for fetching a text through the active language.
inline std::string LoadRs(const cf::TResStringRec& rec)
{
    return cf::LoadResString(rec);
}

// The same for a text with placeholders, filled with `args` in order.
inline std::string LoadRsFmt(const cf::TResStringRec& rec, std::initializer_list<std::string_view> args)
{
    return cf::FormatResString(rec, args);
}
