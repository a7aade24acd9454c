#include "settings/FolderIO.h"

#include "settings/SaveStaging.h"
#include "settings/ServiceRefIndex.h"
#include "settings/BouquetFiles.h"
#include "settings/Fields.h"
#include "settings/ListFileIo.h"
#include "settings/LoadedFiles.h"
#include "settings/LockLists.h"
#include "settings/MessageTexts.h"
#include "settings/ProvidersFile.h"
#include "settings/SatellitesXml.h"
#include "settings/ServicesFile.h"
#include "settings/SettingsDir.h"
#include "settings/TerrestrialXml.h"
#include "settings/Unit_lib.h"

#include "platform/LargeMemory.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <system_error>
#include <utility>


bool SatListHeld = false;
bool TerListHeld = false;

const std::vector<std::string> LoadStepLines = {
    "Processing transponder",         "Processing services",
    "Processing bouquets",            "Processing TV User Bouquet",
    "Processing Radio User Bouquet",  "Processing BlackList",
    "Processing WhiteList",           "Processing satellite XML file",
    "Processing terrestrial XML file", "Filling List",
};

const std::vector<std::string> SaveStepLines = {
    "Processing transponders and services", "Processing bouquets",
    "Processing user bouquet list",         "Processing User Bouquet",
    "Processing Radio User Bouquet",        "Processing BlackList",
    "Processing WhiteList",                 "Processing XML files",
};

namespace {

TFolderUi g_ui;

// The folder UnreadBouquetFiles belong to.
std::string g_unreadFolder;

bool SameFolder(const std::string& a, const std::string& b)
{
    std::error_code ec1;
    return !a.empty() && !b.empty() && std::filesystem::equivalent(a, b, ec1) && !ec1;
}

// VerFile, or the receiver read, sets the version before the load starts; a
// load that fails must go back to the version in force before that.
struct TVersionBefore {
    bool valid = false;
    std::int32_t version = 0;
    std::string servicesFile, tvListFile, radioListFile, lockedFile;
} g_versionBefore;

} // namespace

void RememberVersionBeforeLoad()
{
    g_versionBefore = {true, EnigmaVersion, ServicesFileName, TvListFileName, RadioListFileName, LockedFileName};
}

namespace {

// The driver's own steps (1-based lines of the lists above).
enum LoadStep {
    L_TRANSPONDERS = 1, L_SERVICES, L_PROVIDERS, L_TV, L_RADIO, L_BLACK, L_WHITE, L_SATXML, L_TERXML, L_FILL
};
enum SaveStep { S_SERVICES = 1, S_PROVIDERS, S_LIST, S_BOUQUETS, S_RADIO, S_BLACK, S_WHITE, S_XML };

// Receivers and Windows do not care about the case of file names; Linux does.
bool FileThere(const std::string& name) { return !FindFileNoCase(TheLoadDir, name).empty(); }

// Passes the readers' bar positions to the progress window and everything
// else to the main window's view, for the length of one run.
class TProgressRelay : public TSettingsView {
public:
    TProgressRelay(TFolderProgress* progress) : progress_(progress), previous_(SettingsView())
    {
        SetSettingsView(this);
    }
    ~TProgressRelay() override { SetSettingsView(previous_); }
    void VersionChanged(std::int32_t version, const std::string& name, TListControl lc) override
    {
        if (previous_)
            previous_->VersionChanged(version, name, lc);
    }
    void ModelReset() override
    {
        if (previous_)
            previous_->ModelReset();
    }
    void ProgressStart(std::int32_t min, std::int32_t max) override
    {
        if (progress_)
            progress_->Range(min, max);
    }
    void ProgressPosition(std::int32_t pos) override
    {
        if (progress_)
            progress_->Position(pos);
    }

private:
    TFolderProgress* progress_;
    TSettingsView* previous_;
};

// Shows the progress window and disables the main window for one run; whatever
// way the run ends, the window goes away and the main window is usable again.
class TRunGuard {
public:
    TRunGuard(const TFolderUi& ui, const std::string& caption, const std::vector<std::string>& lines)
        : ui_(ui), relay_(ui.Progress)
    {
        if (ui_.Progress)
            ui_.Progress->Start(caption, ProgressTitle, lines);
        if (ui_.Window)
            ui_.Window->SetMainEnabled(false);
    }
    ~TRunGuard()
    {
        if (ui_.Progress)
            ui_.Progress->Finish();
        if (ui_.Window)
            ui_.Window->SetMainEnabled(true);
    }
    void Step(int n)
    {
        if (ui_.Progress)
            ui_.Progress->Step(n);
    }
    void ServeMessages()
    {
        if (ui_.Progress)
            ui_.Progress->ServeMessages();
    }

private:
    const TFolderUi& ui_;
    TProgressRelay relay_;
};

// Everything a load replaces, taken out of the model before the load so that
// a load that fails can put it back.
struct TModelSnapshot {
    ARR_ENIG_TP transponders;
    ARR_ENIG_CH services;
    ARR_ENIG_PR providers;
    ARR_ENIG_UB tv, radio;
    ARR_ENIG_SAT satellites;
    ARR_ENIG_TER terrestrials;
    TY_LOADED_FILES loadedFiles;
    std::int32_t version = 0;
    std::string servicesFile, tvListFile, radioListFile, lockedFile, tvListName, radioListName;
    std::string errorReport;
    std::vector<std::string> unreadFiles;
    std::string unreadFolder;
    bool modified = false, folderLoaded = false, satHeld = false, terHeld = false;
    std::int32_t sortColumn = 0, serviceCounter = 0, providerCounter = 0, tvCounter = 0, radioCounter = 0;

    // Moves the big arrays out (the load empties them anyway).
    void Take()
    {
        transponders = std::move(Transponders);
        services = std::move(Services);
        providers = std::move(Providers);
        tv = std::move(TvBouquets);
        radio = std::move(RadioBouquets);
        satellites = std::move(Satellites);
        terrestrials = std::move(Terrestrials);
        loadedFiles = std::move(LoadedFiles);
        LoadedFiles.Clear();
        if (!g_versionBefore.valid)
            RememberVersionBeforeLoad();
        version = g_versionBefore.version;
        servicesFile = g_versionBefore.servicesFile;
        tvListFile = g_versionBefore.tvListFile;
        radioListFile = g_versionBefore.radioListFile;
        lockedFile = g_versionBefore.lockedFile;
        g_versionBefore.valid = false;
        tvListName = TvListName;
        radioListName = RadioListName;
        errorReport = ErrorReport;
        unreadFiles = std::move(UnreadBouquetFiles);
        UnreadBouquetFiles.clear();
        unreadFolder = g_unreadFolder;
        g_unreadFolder = TheLoadDir;
        modified = Modified;
        folderLoaded = FolderLoaded;
        satHeld = SatListHeld;
        terHeld = TerListHeld;
        sortColumn = ServiceSortColumn;
        serviceCounter = ServiceCounter;
        providerCounter = ProviderCounter;
        tvCounter = TvBouquetCounter;
        radioCounter = RadioBouquetCounter;
        Transponders.clear();
        Services.clear();
        Providers.clear();
        TvBouquets.clear();
        RadioBouquets.clear();
        Satellites.clear();
        Terrestrials.clear();
    }

    void Restore()
    {
        if (IsValidEnigmaVersion(version))
            SetEnigmaVer(version);
        EnigmaVersion = version;
        ServicesFileName = servicesFile;
        TvListFileName = tvListFile;
        RadioListFileName = radioListFile;
        LockedFileName = lockedFile;
        Transponders = std::move(transponders);
        Services = std::move(services);
        Providers = std::move(providers);
        TvBouquets = std::move(tv);
        RadioBouquets = std::move(radio);
        Satellites = std::move(satellites);
        Terrestrials = std::move(terrestrials);
        LoadedFiles = std::move(loadedFiles);
        TvListName = tvListName;
        RadioListName = radioListName;
        TvListEntries.clear();
        RadioListEntries.clear();
        ErrorReport = errorReport;
        UnreadBouquetFiles = std::move(unreadFiles);
        g_unreadFolder = unreadFolder;
        Modified = modified;
        FolderLoaded = folderLoaded;
        SatListHeld = satHeld;
        TerListHeld = terHeld;
        ServiceSortColumn = sortColumn;
        ServiceCounter = serviceCounter;
        ProviderCounter = providerCounter;
        TvBouquetCounter = tvCounter;
        RadioBouquetCounter = radioCounter;
    }
};

// Points TheSaveDir at the staging folder while the writers run.
class TSaveDirRedirect {
public:
    explicit TSaveDirRedirect(const std::string& dir) : saved_(TheSaveDir) { TheSaveDir = dir; }
    ~TSaveDirRedirect() { TheSaveDir = saved_; }

private:
    std::string saved_;
};

std::string MainCaption(const std::string& dir) { return "Chanforge " + VersionText + " - " + dir; }

const char* const LineBreak = "\n"; // as the readers separate their lines

} // namespace

std::string FilesNotFoundText()
{
    return LoadRs(rs::FilesNotFound);
}

void SetFolderUi(const TFolderUi& ui) { g_ui = ui; }
const TFolderUi& FolderUi() { return g_ui; }

void RecoverFolder(const std::string& folder)
{
    if (folder.empty())
        return;
    const std::string told = RecoverInterruptedSaves(folder);
    if (!told.empty() && g_ui.Dialogs)
        g_ui.Dialogs->Error(told);
}

bool VerFile()
{
    RecoverFolder(TheLoadDir);
    RememberVersionBeforeLoad();
    if (FileThere("services") && FileThere("bouquets"))
        return SetEnigmaVer(VER_ENIGMA1);
    if (FileThere("lamedb"))
        return SetEnigmaVer(VER_ENIGMA2_3);
    g_versionBefore.valid = false;
    if (g_ui.Dialogs)
        g_ui.Dialogs->Error(FilesNotFoundText());
    return false;
}

void MarkNewServices(const ARR_ENIG_NEW_CH& list)
{
    if (list.empty())
        return;
    TChKeyIndex index(Services);
    for (const auto& n : list) {
        const std::string key = n.Sid + n.Namespace + n.Tsid + n.Onid + std::to_string(n.ServiceType);
        const std::int32_t i = index.Find(key);
        if (i >= 0)
            Services[i].Flags |= FLAG_NEW; // a second report must not carry into bit 8
    }
}

bool OpenFile(const ARR_ENIG_NEW_CH* newFromReceiver)
{
    const TFolderUi ui = g_ui;
    TModelSnapshot before;
    std::string failure;

    RecoverFolder(TheLoadDir);
    before.Take();
    FolderLoaded = false;
    Modified = false;
    ServiceSortColumn = 4;
    ErrorReport.clear();
    if (ui.Window)
        ui.Window->LoadStarting();
    Reset2Load();
    {
        TRunGuard run(ui, TheLoadDir, LoadStepLines);
        try {
            const std::string servicesPath = PathInFolder(TheLoadDir, ServicesFileName);
            // The records of a load take up to eight times the services file;
            // the heap gets the room for them in one go.
            std::error_code sizeError;
            const std::uintmax_t servicesSize = std::filesystem::file_size(servicesPath, sizeError);
            if (!sizeError)
                cf::PrepareHeapFor(static_cast<std::size_t>(
                    std::min<std::uintmax_t>(servicesSize * 8, std::numeric_limits<std::size_t>::max())));
            run.Step(L_TRANSPONDERS);
            LoadTp(Transponders, servicesPath);
            run.Step(L_SERVICES);
            run.ServeMessages();
            LoadChannel(Services, Transponders, true, servicesPath);
            // From here on the services stay as read: the readers below share
            // the indexes over them, each built once and only when needed.
            TLoadIndexScope indexes(Services, Transponders);

            run.Step(L_PROVIDERS);
            if (FileThere(ProvidersFileName))
                LoadPr();
            run.Step(L_TV);
            if (FileThere(TvListFileName))
                Load_UB_Tv();
            run.Step(L_RADIO);
            if (FileThere(RadioListFileName))
                Load_UB_Radio();
            run.Step(L_BLACK);
            if (FileThere(LockedFileName))
                LoadLockedAllowed('B');
            run.Step(L_WHITE);
            if (FileThere(WhiteListFileName))
                LoadLockedAllowed('W');
            run.Step(L_SATXML);
            SatListHeld = FileThere(SatellitesFileName);
            if (SatListHeld)
                ReadSatXML();
            else
                AddToErrorReport(NoSatellitesXmlText);
            run.Step(L_TERXML);
            // The lists belong to the folder: one without them leaves none
            // behind from the folder loaded before, to be saved or sent.
            TerListHeld = FileThere(TerrestrialFileName);
            if (TerListHeld)
                ReadTerrXML();

            run.Step(L_FILL);
            if (ui.Window)
                ui.Window->FillSat();
            if (ReadNew && newFromReceiver)
                MarkNewServices(*newFromReceiver);
            FolderLoaded = true;
            if (ui.Window)
                ui.Window->FillLists();
        } catch (const std::exception& e) {
            failure = e.what();
        } catch (...) {
            failure = "unknown error";
        }
        if (!failure.empty())
            before.Restore();
    }

    if (!failure.empty()) {
        if (ui.Window)
            ui.Window->LoadFailed();
        if (ui.Dialogs)
            ui.Dialogs->Error("Cannot load the folder " + TheLoadDir + " : " + failure +
                              "\nThe settings shown before are kept.");
        return false;
    }

    if (ui.Window)
        ui.Window->LoadFinished(MainCaption(TheLoadDir));
    if (!ErrorReport.empty()) {
        ErrorReport = std::string(" Error report") + LineBreak + LineBreak + ErrorReport + LineBreak +
                      LineBreak + " All errors were fixed";
        if (ui.Dialogs)
            ui.Dialogs->Error(ErrorReport);
    }
    return true;
}

bool IsReplacedBySave(const std::string& name, bool writesSatXml, bool writesTerXml)
{
    const std::string n = ToLowerAscii(name);
    if (n == SatellitesFileName)
        return writesSatXml;
    if (n == TerrestrialFileName)
        return writesTerXml;
    // User-bouquet files go only when this load read them: one that no list
    // names is still loaded by the receiver and is not ours to remove.
    if (n.starts_with("userbouquet.") && !n.starts_with("userbouquets."))
        return LoadReadBouquetFile(name);
    return IsSettingsFileName(name);
}

bool SaveFile()
{
    const TFolderUi ui = g_ui;
    std::string failure;
    // A save renumbers the user bouquets; a failed one must not.
    std::vector<std::string> tvIds, radioIds;
    for (const auto& b : TvBouquets)
        tvIds.push_back(b.FileId);
    for (const auto& b : RadioBouquets)
        radioIds.push_back(b.FileId);

    RecoverFolder(TheSaveDir);
    if (ui.Window)
        ui.Window->SaveStarting();
    std::string stagingDir;
    {
        TRunGuard run(ui, TheSaveDir, SaveStepLines);
        try {
            const bool writeSat = SatListHeld || !Satellites.empty();
            const bool writeTer = TerListHeld || !Terrestrials.empty();
            TSaveStaging staging(TheSaveDir);
            stagingDir = staging.Dir().string();
            {
                TSaveDirRedirect redirect(staging.Dir().string());
                run.Step(S_SERVICES);
                SaveService();
                run.Step(S_PROVIDERS);
                SavePr();
                run.Step(S_LIST);
                SaveUbList();
                run.Step(S_BOUQUETS);
                SaveUbBouquet();
                run.Step(S_BLACK);
                SaveLockedAllowed('B');
                if (EnigmaVersion == VER_ENIGMA2_3 || EnigmaVersion == VER_ENIGMA2_4) {
                    run.Step(S_WHITE);
                    SaveLockedAllowed('W');
                }
                run.Step(S_XML);
                if (writeSat)
                    SaveSatXml();
                if (writeTer)
                    SaveTerXml();
            }
            // A bouquet file the load could not read is still the user's.
            const bool loadedHere = SameFolder(TheSaveDir, g_unreadFolder);
            staging.Commit([&](const std::string& name) {
                if (loadedHere && std::find(UnreadBouquetFiles.begin(), UnreadBouquetFiles.end(), name) !=
                                      UnreadBouquetFiles.end())
                    return false;
                return IsReplacedBySave(name, writeSat, writeTer);
            });
        } catch (const ESaveError& e) {
            failure = e.what();
        } catch (const std::exception& e) {
            // The user knows the folder, not our staging area: name the file
            // as it would have stood in the folder.
            std::string why = e.what();
            for (std::size_t at; !stagingDir.empty() && (at = why.find(stagingDir)) != std::string::npos;)
                why.replace(at, stagingDir.size(), TheSaveDir);
            failure = LoadRsFmt(rs::CannotSaveIntoFolder, {TheSaveDir, why}) +
                      LoadRsFmt(rs::FolderLeftAsItWas, {TheSaveDir});
        } catch (...) {
            failure = LoadRsFmt(rs::CannotSaveIntoFolderPlain, {TheSaveDir}) +
                      LoadRsFmt(rs::FolderLeftAsItWas, {TheSaveDir});
        }
        if (!failure.empty()) {
            for (std::size_t i = 0; i < tvIds.size() && i < TvBouquets.size(); ++i)
                TvBouquets[i].FileId = tvIds[i];
            for (std::size_t i = 0; i < radioIds.size() && i < RadioBouquets.size(); ++i)
                RadioBouquets[i].FileId = radioIds[i];
        }
    }

    if (!failure.empty()) {
        if (ui.Dialogs)
            ui.Dialogs->Error(failure);
        return false;
    }
    if (ui.Window)
        ui.Window->SaveFinished(MainCaption(TheSaveDir));
    Modified = false;
    return true;
}

bool ConfirmSaveFormat(std::int32_t profileIndex)
{
    // Without a profile nothing changes the format: the loaded one is written.
    if (profileIndex < 0 || profileIndex >= static_cast<std::int32_t>(Profiles.size()))
        return true;
    const std::int32_t target = Profiles[profileIndex].Type + 1;
    if (target == EnigmaVersion)
        return true;
    const std::string text = LoadRsFmt(rs::SaveFormatQuestion, {VersionName(EnigmaVersion), VersionName(target)});
    return g_ui.Dialogs && g_ui.Dialogs->Confirm(text);
}

bool SaveForProfile()
{
    if (Services.empty())
        return false;
    if (!ConfirmSaveFormat(SaveProfile))
        return false;
    const std::int32_t loaded = EnigmaVersion;
    const std::int32_t type = SaveProfileType();
    if (type >= 1 && type <= 3)
        SetEnigmaVer(type + 1);
    if (SaveFile())
        return true;
    if (EnigmaVersion != loaded)
        SetEnigmaVer(loaded);
    return false;
}
