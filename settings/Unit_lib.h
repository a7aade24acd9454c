#pragma once

// The settings model: the process-wide arrays of one receiver settings set,
// the state that goes with them, and the entry points that the main window
// drives (SetEnigmaVer, Reset2Load). The window side attaches through
// TSettingsView, so this library stays free of any GUI.

#include "settings/Model.h"
#include "settings/NameTables.h"
#include "settings/Fields.h"
#include "settings/Lookups.h"
#include "settings/Namespace.h"
#include "settings/Sorting.h"
#include "settings/SettingsDir.h"

#include <cstdint>
#include <string>

// ---- model arrays ---------------------------------------------------------
extern ARR_ENIG_TP Transponders;
extern ARR_ENIG_CH Services;          // TpIndex refers to Transponders
extern ARR_ENIG_TP CompareTransponders;
extern ARR_ENIG_CH CompareServices;   // TpIndex refers to CompareTransponders
extern ARR_ENIG_PR Providers;
extern ARR_ENIG_UB TvBouquets;
extern ARR_ENIG_UB RadioBouquets;
extern ARR_ENIG_SAT Satellites;
extern ARR_ENIG_TER Terrestrials;
extern ARR_PROFILES Profiles;
extern ARR_ENIG_NEW_CH NewChannels;
extern ARR_OF_STRING SatPositions;    // position texts of the satellite filter
extern ARR_OF_STRING SplitResult;     // output of SplitFields
// List-file entries ([0] path of the bouquet file from "/", [1] its id);
// they live only while a folder is read.
extern ARR_ARR_OF_STRING TvListEntries;
extern ARR_ARR_OF_STRING RadioListEntries;

// ---- state ----------------------------------------------------------------
extern std::int32_t EnigmaVersion;    // 2, 3, 4 or 5 (set only by SetEnigmaVer)
extern std::string ServicesFileName;
extern std::string TvListFileName;
extern std::string RadioListFileName;
extern std::string LockedFileName;
extern std::string TvListName;        // "#NAME" text of the TV list file
extern std::string RadioListName;     // "#NAME" text of the radio list file
extern std::string TheLoadDir;
extern std::string TheSaveDir;
extern std::string TempDir;           // the program's folder + "/TmpDirForFtp"
extern std::string ErrorReport;       // problems collected during one load
extern bool Modified;
extern bool RefreshList;       // a dialog changed what the service list shows
extern bool FolderLoaded;
extern std::int32_t ServiceSortColumn;
extern std::int32_t SelectedProfile;
extern std::int32_t SaveProfile;
extern bool ReadNew;
extern std::int32_t ServiceCounter;
extern std::int32_t ProviderCounter;
extern std::int32_t TvBouquetCounter;
extern std::int32_t RadioBouquetCounter;
extern std::string VersionText;       // "Ver.1.3.7"

// The written user-bouquet files are numbered from this id (hex ED00).
constexpr std::int32_t UserBouquetBaseId = 60672;

// Settings versions.
constexpr std::int32_t VER_ENIGMA1 = 2;
constexpr std::int32_t VER_ENIGMA2_3 = 3;
constexpr std::int32_t VER_ENIGMA2_4 = 4;
constexpr std::int32_t VER_QBONE = 5;
constexpr bool IsValidEnigmaVersion(std::int32_t v) { return v >= 2 && v <= 5; }

// Fixed file names, the same for every version.
inline constexpr const char* ProvidersFileName = "bouquets";
inline constexpr const char* WhiteListFileName = "whitelist";
inline constexpr const char* SatellitesFileName = "satellites.xml";
inline constexpr const char* TerrestrialFileName = "terrestrial.xml";

// Appends one problem line (" - ..." texts of the readers) to ErrorReport.
void AddToErrorReport(const std::string& message);

// Type of the profile SaveProfile, or 0 when it names no profile.
std::int32_t SaveProfileType();

// ---- window side ------------------------------------------------------------
// What the main window does when the model changes under it. Every callback
// has an empty default so tests and tools need implement nothing.
class TSettingsView {
public:
    enum class TListControl { Hide, Show, Unchanged };
    virtual ~TSettingsView() = default;
    // The version was set: show `name` in Panel_Version, select the first
    // entry of CB_ListControl and hide/show it as told.
    virtual void VersionChanged(std::int32_t /*version*/, const std::string& /*name*/,
                                TListControl /*listControl*/) {}
    // Reset2Load emptied the model: clear the grids, the paste-side arrays
    // and reset the captions.
    virtual void ModelReset() {}
    // Progress of a long read (minimum, maximum, then each position).
    virtual void ProgressStart(std::int32_t /*min*/, std::int32_t /*max*/) {}
    virtual void ProgressPosition(std::int32_t /*pos*/) {}
};

// The view that receives the callbacks (none by default). Not owned.
void SetSettingsView(TSettingsView* view);
TSettingsView* SettingsView();

// Sets EnigmaVersion and the four file names of that version and tells the
// view. A version outside 2..5 changes nothing and gives false.
bool SetEnigmaVer(std::int32_t version);

// Empties the arrays a load fills (Transponders, Services, Providers,
// TvBouquets, RadioBouquets, Satellites) and tells the view.
void Reset2Load();

// Empties every array and text of the model (program end, tests).
void ClearModel();
