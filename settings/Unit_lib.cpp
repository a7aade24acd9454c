#include "settings/Unit_lib.h"
#include "settings/LoadedFiles.h"

ARR_ENIG_TP Transponders;
ARR_ENIG_CH Services;
ARR_ENIG_TP CompareTransponders;
ARR_ENIG_CH CompareServices;
ARR_ENIG_PR Providers;
ARR_ENIG_UB TvBouquets;
ARR_ENIG_UB RadioBouquets;
ARR_ENIG_SAT Satellites;
ARR_ENIG_TER Terrestrials;
ARR_PROFILES Profiles;
ARR_ENIG_NEW_CH NewChannels;
ARR_OF_STRING SatPositions;
ARR_OF_STRING SplitResult;
ARR_ARR_OF_STRING TvListEntries;
ARR_ARR_OF_STRING RadioListEntries;

std::int32_t EnigmaVersion = VER_ENIGMA2_3;
std::string ServicesFileName = "lamedb";
std::string TvListFileName = "bouquets.tv";
std::string RadioListFileName = "bouquets.radio";
std::string LockedFileName = "blacklist";
std::string TvListName;
std::string RadioListName;
std::string TheLoadDir;
std::string TheSaveDir;
std::string TempDir;
std::string ErrorReport;
bool RefreshList = false;
bool Modified = false;
bool FolderLoaded = false;
std::int32_t ServiceSortColumn = 4;
std::int32_t SelectedProfile = 0;
std::int32_t SaveProfile = 0;
bool ReadNew = false;
std::int32_t ServiceCounter = 200;
std::int32_t ProviderCounter = 0;
std::int32_t TvBouquetCounter = 0;
std::int32_t RadioBouquetCounter = 0;
std::string VersionText = "Ver.1.3.7";

namespace {
TSettingsView* g_view = nullptr;
}

void SetSettingsView(TSettingsView* view) { g_view = view; }
TSettingsView* SettingsView() { return g_view; }

void AddToErrorReport(const std::string& message)
{
    ErrorReport += '\n';
    ErrorReport += message;
}

std::int32_t SaveProfileType()
{
    if (SaveProfile < 0 || static_cast<std::size_t>(SaveProfile) >= Profiles.size())
        return 0;
    return Profiles[static_cast<std::size_t>(SaveProfile)].Type;
}

bool SetEnigmaVer(std::int32_t version)
{
    if (!IsValidEnigmaVersion(version))
        return false;
    EnigmaVersion = version;
    auto listControl = TSettingsView::TListControl::Unchanged;
    switch (version) {
    case VER_ENIGMA1:
        ServicesFileName = "services";
        TvListFileName = "userbouquets.tv.epl";
        RadioListFileName = "userbouquets.radio.epl";
        LockedFileName = "services.locked";
        listControl = TSettingsView::TListControl::Hide;
        break;
    case VER_ENIGMA2_3:
    case VER_ENIGMA2_4:
        ServicesFileName = "lamedb";
        TvListFileName = "bouquets.tv";
        RadioListFileName = "bouquets.radio";
        LockedFileName = "blacklist";
        if (version == VER_ENIGMA2_4)
            listControl = TSettingsView::TListControl::Show;
        break;
    default: // QB-One keeps the names of the generation it was set from
        break;
    }
    if (g_view)
        g_view->VersionChanged(version, VersionName(version), listControl);
    return true;
}

void Reset2Load()
{
    Transponders.clear();
    Services.clear();
    Providers.clear();
    TvBouquets.clear();
    RadioBouquets.clear();
    Satellites.clear();
    LoadedFiles.Clear();
    if (g_view)
        g_view->ModelReset();
}

void ClearModel()
{
    Transponders.clear();
    Services.clear();
    CompareTransponders.clear();
    CompareServices.clear();
    Providers.clear();
    TvBouquets.clear();
    RadioBouquets.clear();
    Satellites.clear();
    Terrestrials.clear();
    LoadedFiles.Clear();
    Profiles.clear();
    NewChannels.clear();
    SatPositions.clear();
    SplitResult.clear();
    TvListEntries.clear();
    RadioListEntries.clear();
    TvListName.clear();
    RadioListName.clear();
    TheLoadDir.clear();
    TheSaveDir.clear();
    TempDir.clear();
    ErrorReport.clear();
}
