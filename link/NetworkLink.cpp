#include "link/NetworkLink.h"

#include "link/FilePlan.h"
#include "link/SetUpload.h"
#include "link/TransferFolder.h"
#include "settings/FolderIO.h"
#include "settings/MessageTexts.h"
#include "settings/UnsavedChanges.h"
#include "settings/Unit_lib.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const TY_PROFILES EmptyProfile{};

} // namespace

TNetworkLink::TNetworkLink(TNetworkHost& host, TNetworkUi& ui) : host_(host), ui_(ui)
{
    FTP.Passive = true;
    FTP.OnStatus = [this](const std::string& s) { Log(s); };
}

void TNetworkLink::Log(const std::string& line)
{
    log_.push_back(line);
    if (OnLog)
        OnLog(line);
}

std::string TNetworkLink::LogText() const
{
    std::string s;
    for (const auto& l : log_)
        s += l + "\r\n";
    return s;
}

const TY_PROFILES& TNetworkLink::Profile() const
{
    std::int32_t i = ProfileIndex >= 0 ? ProfileIndex : SelectedProfile;
    if (i >= 0 && static_cast<std::size_t>(i) < Profiles.size())
        return Profiles[static_cast<std::size_t>(i)];
    return EmptyProfile;
}

bool TNetworkLink::Connect2Rec()
{
    if (ProfileIndex < 0)
        ProfileIndex = SelectedProfile;
    const TY_PROFILES& p = Profile();
    FTP.Host = p.Address;
    FTP.Port = p.FtpPort;
    FTP.Username = p.User;
    FTP.Password = p.Password;
    FTP.Passive = p.Passive;
    FTP.ConnectTimeout = Timeouts.FtpConnect;
    FTP.ReadTimeout = Timeouts.FtpRead;
    try {
        FTP.Connect();
    } catch (const cf::net::ENetError&) {
        Log(LoadRs(rs::ConnectFailed));
        return false;
    }
    try {
        FTP.Login();
    } catch (const cf::net::ENetError&) {
        Log(LoadRs(rs::LoginFailed));
        FTP.Disconnect();
        return false;
    }
    return true;
}

void TNetworkLink::EmptyTransferFolder()
{
    // Whatever an earlier transfer left must not be taken for this receiver's
    // files (it would decide the generation of the set) nor be uploaded.
    std::error_code ec;
    if (fs::is_directory(TempDir, ec)) {
        for (auto it = fs::directory_iterator(TempDir, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
            std::error_code ec2;
            if (!it->is_directory(ec2))
                fs::remove(it->path(), ec2);
        }
    }
    fs::create_directories(TempDir, ec);
}


bool TNetworkLink::Reconnect()
{
    try {
        FTP.Connect();
        FTP.Login();
        return true;
    } catch (const cf::net::ENetError& e) {
        Log(e.what());
        FTP.Disconnect();
        return false;
    }
}

void TNetworkLink::RemoveUnfinishedUploads(const TY_PROFILES& profile, const std::vector<std::string>& settingsListing,
                                           const std::vector<std::string>& files)
{
    // A send cut short by a receiver that went away leaves its temporary
    // files; they are never part of a set and go before the next one comes.
    auto isTemp = [](const std::string& name) {
        const std::string suffix = UploadTempSuffix;
        return name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
    };
    std::vector<std::string> leftovers;
    for (const auto& listed : settingsListing) {
        const std::string name = BaseName(listed);
        if (IsSafeFileName(name) && isTemp(name))
            leftovers.push_back(profile.PRO_Sdir + "/" + name);
    }
    if (profile.PRO_Xdir != profile.PRO_Sdir &&
        (std::binary_search(files.begin(), files.end(), std::string("satellites.xml")) ||
         std::binary_search(files.begin(), files.end(), std::string("terrestrial.xml")))) {
        std::vector<std::string> xml;
        try {
            FTP.List(profile.PRO_Xdir + "/*" + UploadTempSuffix, xml);
        } catch (const cf::net::ENetError&) {
            xml.clear();
        }
        for (const auto& listed : xml) {
            const std::string name = BaseName(listed);
            if (IsSafeFileName(name) && isTemp(name))
                leftovers.push_back(profile.PRO_Xdir + "/" + name);
        }
    }
    for (const auto& path : leftovers) {
        try {
            FTP.Delete(path);
            Log(LoadRsFmt(rs::LeftoverRemoved, {BaseName(path)}));
        } catch (const cf::net::ENetError& e) {
            Log(LoadRsFmt(rs::LeftoverNotRemoved, {BaseName(path), e.what()}));
        }
    }
}

bool TNetworkLink::Read()
{
    if (Modified && !ui_.AskYesNo(UnsavedChangesText()))
        return false;
    if (TempDir.empty())
        return false;
    if (!Connect2Rec())
        return false;
    Busy busy(ui_);
    const TY_PROFILES profile = Profile();

    NewChannels.clear();
    if (ReadNew) {
        GetNews();
        if (!NewChannels.empty()) {
            Log(LoadRs(rs::ReloadingFromMemory));
            ReloadRec();
        }
    }

    EmptyTransferFolder();
    const auto& reply = FTP.LastReplyText();
    Log(LoadRsFmt(rs::ReceiverResponse, {reply.empty() ? std::string() : reply.front()}));

    const std::int32_t keptVersion = EnigmaVersion;
    std::int32_t version = ReadVersionOfProfileType(profile.Type);
    RememberVersionBeforeLoad(); // what a failing load of these files goes back to
    SetEnigmaVer(version);
    host_.Repaint();

    bool failed = false;
    std::vector<std::string> entries = FixedDownloads(profile);
    for (const auto& pattern : BouquetListings(profile)) {
        std::vector<std::string> names;
        try {
            FTP.List(pattern, names);
        } catch (const cf::net::ENetError& e) {
            Log(e.what());
            failed = true;
            continue;
        }
        for (const auto& listed : names) {
            std::string name = BaseName(listed);
            if (!IsSafeFileName(name)) {
                Log(LoadRsFmt(rs::FileNameRefused, {listed}));
                continue;
            }
            entries.push_back(profile.PRO_Sdir + "/" + name);
        }
    }
    if (version == 3 || version == 4)
        for (const auto& e : entries)
            Log(e);

    for (const auto& entry : entries) {
        ui_.ProcessMessages();
        if (!FTP.Connected()) {
            // The receiver stopped answering: what is missing cannot come.
            failed = true;
            break;
        }
        Log(entry);
        std::string name = BaseName(entry);
        std::string local = TempDir + "/" + name;
        try {
            FTP.Get(entry, local);
        } catch (const cf::net::ENetError& e) {
            if (!FTP.Connected()) {
                Log(e.what());
                continue;
            }
            if (name == "satellites.xml" || name == "terrestrial.xml") {
                try {
                    FTP.Get("/share/" + name, local);
                } catch (const cf::net::ENetError&) {
                }
            }
        }
    }

    if (!FTP.Connected())
        failed = true; // even the last download may have lost the receiver

    // A folder the main window cannot load is not a successful read: the
    // set in memory must not be replaced by a partial one.
    if (!failed)
        for (const auto& f : RequiredFiles(version))
            if (!fs::exists(TempDir + "/" + f)) {
                Log(FilesNotFoundText());
                failed = true;
                break;
            }

    FTP.Disconnect();
    host_.CopyLogToDebug(LogText());
    if (failed) {
        RemoveTransferFolder();
        // The set in memory stays, and with it the format it was loaded in.
        if (IsValidEnigmaVersion(keptVersion))
            SetEnigmaVer(keptVersion);
        host_.Repaint();
    }
    return !failed;
}

bool TNetworkLink::Write()
{
    if (Services.empty())
        return false;
    if (TempDir.empty())
        return false;
    if (!Connect2Rec())
        return false;
    Busy busy(ui_);
    const TY_PROFILES profile = Profile();
    const std::int32_t keptVersion = EnigmaVersion;
    const bool keptModified = Modified;

    SetEnigmaVer(WriteVersionOfProfileType(profile.Type, EnigmaVersion));
    EmptyTransferFolder();
    const std::string keptSaveDir = TheSaveDir;
    TheSaveDir = TempDir;
    SaveProfile = ProfileIndex;
    bool saved = true;
    try {
        host_.SaveFile();
    } catch (const std::exception& e) {
        saved = false;
        Log(e.what());
    }
    TheSaveDir = keptSaveDir;

    bool failed = !saved;
    std::vector<std::string> files;
    std::error_code ec;
    for (auto it = fs::directory_iterator(TempDir, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code gone;  // a file removed meanwhile is simply not uploaded
        if (it->is_regular_file(gone))
            files.push_back(it->path().filename().string());
    }
    std::sort(files.begin(), files.end());

    TUploadOutcome outcome = saved ? TUploadOutcome::NewSet : TUploadOutcome::Unchanged;
    std::string diskFull;
    std::vector<std::string> notRemoved;
    if (saved && !files.empty()) {
        // What the receiver holds now; its stale user bouquets go only once
        // the new set stands complete on the receiver.
        std::vector<std::string> remote;
        try {
            FTP.List(profile.PRO_Sdir + "/*", remote);
        } catch (const cf::net::ENetError&) {
            remote.clear();
        }
        std::sort(remote.begin(), remote.end());
        RemoveUnfinishedUploads(profile, remote, files);

        std::vector<TUploadFile> plan;
        std::set<std::string> sent;
        for (const auto& name : files)
            if (name != "satellites.xml" && name != "terrestrial.xml") {
                plan.push_back({TempDir + "/" + name, profile.PRO_Sdir + "/" + name});
                sent.insert(name);
            }
        for (const char* xml : {"satellites.xml", "terrestrial.xml"})
            if (std::binary_search(files.begin(), files.end(), std::string(xml)))
                plan.push_back({TempDir + "/" + xml, profile.PRO_Xdir + "/" + xml});

        TSetUpload upload(
            FTP, [this](const std::string& line) { Log(line); }, [this] { return Reconnect(); },
            [this] { ui_.ProcessMessages(); });
        outcome = upload.Send(plan);
        if (upload.DiskFull())
            diskFull = upload.DiskFullReply();
        if (outcome == TUploadOutcome::NewSet)
            for (const auto& listed : remote) {
                std::string name = BaseName(listed);
                if (!IsSafeFileName(name) || !IsUserBouquetFileName(name) || sent.count(name))
                    continue;
                try {
                    FTP.Delete(profile.PRO_Sdir + "/" + name);
                    Log(LoadRsFmt(rs::UnusedBouquetRemoved, {name}));
                } catch (const cf::net::ENetError& e) {
                    Log(LoadRsFmt(rs::UnusedBouquetNotRemoved, {name, e.what()}));
                    notRemoved.push_back(name);
                }
            }
    }
    failed = failed || outcome != TUploadOutcome::NewSet;

    bool ok = !failed;
    if (failed) {
        // The receiver does not hold this set: the changes are still unsaved.
        Modified = keptModified;
        std::string text = LoadRs(rs::RetrySending);
        text += LoadRs(outcome == TUploadOutcome::Partial ? rs::PartlySent : rs::NothingSent);
        if (!diskFull.empty())
            text += LoadRsFmt(rs::ReceiverFull, {diskFull});
        ui_.ShowError(text);
    } else {
        if (!notRemoved.empty()) {
            std::string names;
            for (const auto& n : notRemoved)
                names += "\n" + n;
            ui_.ShowError(LoadRsFmt(rs::BouquetsNotRemoved, {names}));
        }
        if (ReloadAfterWrite && !ReloadRec()) {
            ui_.ShowError(LoadRs(rs::ReloadFailed));
            ok = false;
        }
    }

    RemoveTransferFolder();
    SetEnigmaVer(keptVersion);
    host_.Repaint();
    FTP.Disconnect();
    return ok;
}
