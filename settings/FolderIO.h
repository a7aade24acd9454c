#pragma once

// Loading a whole settings folder into the model and saving the model into a
// folder. The drivers run every reader or writer in a fixed order and report
// through three small interfaces that the main window implements (progress
// window, message dialogs, the window itself); with none attached they run
// headless, which is how tests, benchmarks and the receiver link use them.

#include "settings/Model.h"

#include <cstdint>
#include <string>
#include <vector>

// The run-time progress window as the drivers see it.
class TFolderProgress {
public:
    virtual ~TFolderProgress() = default;
    // Shows the window in front of the main window with its caption, heading
    // and the list of steps.
    virtual void Start(const std::string& /*caption*/, const std::string& /*title*/,
                       const std::vector<std::string>& /*lines*/) {}
    // The step that begins now, 1-based.
    virtual void Step(int /*progress*/) {}
    // The bar of a long step.
    virtual void Range(int /*min*/, int /*max*/) {}
    virtual void Position(int /*position*/) {}
    // Lets the window paint once between two steps.
    virtual void ServeMessages() {}
    // Sends the window behind and hides it; also called after an error.
    virtual void Finish() {}
};

// Questions and errors. The window side (TMessageFolderDialogs) shows them
// through the program's message dialogs.
class TFolderDialogs {
public:
    virtual ~TFolderDialogs() = default;
    virtual void Error(const std::string& /*text*/) {}
    // A confirmation with Yes and No; true only for Yes.
    virtual bool Confirm(const std::string& /*text*/) { return false; }
};

// The main window's side of a load or save.
class TFolderWindow {
public:
    virtual ~TFolderWindow() = default;
    virtual void SetMainEnabled(bool /*enabled*/) {}
    // Start of a load: the service grid's hints on, the window repainted.
    virtual void LoadStarting() {}
    // Step 10 of a load: fill the satellite filter.
    virtual void FillSat() {}
    // The model is complete: show the TV bouquets, type filter "All", fill the
    // service list and the bouquet list.
    virtual void FillLists() {}
    // The load is done: caption, scroll the service grid to its top, focus it.
    virtual void LoadFinished(const std::string& /*caption*/) {}
    // A load failed and the model was put back as it was before: show it again.
    virtual void LoadFailed() {}
    // Start of a save: repaint.
    virtual void SaveStarting() {}
    virtual void SaveFinished(const std::string& /*caption*/) {}
};

// What the drivers report to. Null members are simply not told.
struct TFolderUi {
    TFolderProgress* Progress = nullptr;
    TFolderDialogs* Dialogs = nullptr;
    TFolderWindow* Window = nullptr;
};

// The interfaces the drivers use from now on (the main window sets them at
// creation; tests set their recording ones). The pointers are not owned.
void SetFolderUi(const TFolderUi& ui);
const TFolderUi& FolderUi();

// The satellite and terrestrial lists are written only when the model holds
// one: read with the folder, or set by the list editor after an edit. A folder
// loaded without satellites.xml therefore never gets an empty list written
// over the receiver's on save.
extern bool SatListHeld;
extern bool TerListHeld;

// Texts of the drivers, as the user sees them.
inline constexpr const char* ProgressTitle = "Chanforge is performing following tasks ";
extern const std::vector<std::string> LoadStepLines;
extern const std::vector<std::string> SaveStepLines;
// "File(s) not found : cannot proceed", in the active language.
std::string FilesNotFoundText();
inline constexpr const char* NoSatellitesXmlText =
    "- File <satellites.xml> not found : only the sat in settings willl be used";

// Remembers the version and file names in force now as the ones a failing
// load puts back. VerFile calls it before it decides a folder's version; the
// receiver read calls it before it sets the version of the files it fetches,
// so a load of those files that fails brings back the earlier set's format,
// not the read's. The next OpenFile takes what was remembered (or, with
// nothing remembered, the version in force when it starts).
void RememberVersionBeforeLoad();

// Completes or undoes a save into `folder` that the program did not live to
// finish (killed, crashed, power lost) and removes what such saves left
// behind, telling the user once. VerFile, OpenFile and SaveFile do this for
// their folder first; the start of the program does it for the folders it
// remembers.
void RecoverFolder(const std::string& folder);

// Decides the version of the folder TheLoadDir: 2 when "services" and
// "bouquets" are both there, else 3 when "lamedb" is; with neither, tells the
// user "File(s) not found : cannot proceed" and gives false.
bool VerFile();

// Loads TheLoadDir into the model (the version must have been set by VerFile).
// `newFromReceiver` is the receiver's running service list read for this very
// load (the receiver link passes it); services listed there get the NEW flag
// when ReadNew is set. A plain folder load passes nothing and marks nothing.
// Problems the readers fixed are shown at the end as one error report. When
// a file cannot be read the previous model is put back, the window is
// usable again, the user is told and the result is false.
bool OpenFile(const ARR_ENIG_NEW_CH* newFromReceiver = nullptr);

// Saves the model into TheSaveDir in EnigmaVersion's format with the paths of
// profile SaveProfile. Every file is first written into a staging folder and
// swapped in only when all are written; on any failure the folder is left as
// it was, the user is told and the result is false.
bool SaveFile();

// True when saving for profile `profileIndex` may go on: at once when the
// profile writes the loaded version, else only when the user says Yes to the
// format question.
bool ConfirmSaveFormat(std::int32_t profileIndex);

// The Save button once the folder dialog has set TheSaveDir and SaveProfile:
// nothing without services; otherwise ConfirmSaveFormat for SaveProfile must
// allow it, the version becomes 2, 3 or 4 for a profile of type 1, 2 or 3 (type
// 4 writes the loaded version) and SaveFile writes the folder. A save that
// fails puts the version back, as nothing was written in the new one.
bool SaveForProfile();

// Sets the NEW flag on the first service matching each listed service (SID,
// type, namespace, TSID and ONID).
void MarkNewServices(const ARR_ENIG_NEW_CH& list);

// Whether a file of the target folder goes when a save swaps in its files:
// the program's own settings files, except a satellite or terrestrial list
// that this save does not write and a user-bouquet file that the last load
// did not read.
bool IsReplacedBySave(const std::string& name, bool writesSatXml, bool writesTerXml);
