#pragma once

// A receiver on 127.0.0.1 for the link tests: the real FTP server with the
// receiver's folders in a temporary root, the scripted web interface and,
// when asked, the scripted Telnet dialogue; plus stand-ins for the main
// window (saving and loading the set) and the dialog (questions, messages).

#include "Peer.h"
#include "common/TestData.h"
#include "link/NetworkLink.h"
#include "settings/Unit_lib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace cftest {

namespace fs = std::filesystem;

inline std::string ReadText(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline void WriteText(const fs::path& p, const std::string& text)
{
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

inline std::vector<std::string> ReadLines(const fs::path& p)
{
    std::vector<std::string> lines;
    std::ifstream in(p);
    for (std::string l; std::getline(in, l);)
        lines.push_back(l);
    return lines;
}

inline std::vector<std::string> FileNames(const fs::path& dir)
{
    std::vector<std::string> names;
    if (fs::is_directory(dir))
        for (auto& e : fs::directory_iterator(dir))
            names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The main window as far as a transfer needs it.
class StubHost : public TNetworkHost {
public:
    // Files SaveFile writes into TheSaveDir (name -> content).
    std::map<std::string, std::string> SaveFiles;
    bool SaveThrows = false;
    int SavedVersion = 0;
    int SavedProfile = -1;
    int Saves = 0;
    std::vector<std::string> OpenedFiles;
    std::string OpenedDir;
    std::string DebugLog;

    void SaveFile() override
    {
        ++Saves;
        SavedVersion = EnigmaVersion;
        SavedProfile = SaveProfile;
        if (SaveThrows)
            throw std::runtime_error("Disk full");
        for (const auto& [name, text] : SaveFiles)
            WriteText(fs::path(TheSaveDir) / name, text);
        Modified = false;
    }
    void OpenFile() override
    {
        OpenedDir = TheLoadDir;
        OpenedFiles = FileNames(TheLoadDir);
    }
    void CopyLogToDebug(const std::string& log) override { DebugLog = log; }
};

class StubUi : public TNetworkUi {
public:
    bool Answer = true;
    std::vector<std::string> Questions;
    std::vector<std::string> Errors;
    int BusyDepth = 0;
    int MaxBusy = 0;

    bool AskYesNo(const std::string& text) override
    {
        Questions.push_back(text);
        return Answer;
    }
    void ShowError(const std::string& text) override { Errors.push_back(text); }
    void SetBusy(bool busy) override
    {
        BusyDepth += busy ? 1 : -1;
        MaxBusy = std::max(MaxBusy, BusyDepth);
    }
};

struct ReceiverOptions {
    std::vector<std::string> ftpArgs;
    std::vector<std::string> webArgs;
    bool telnet = false;
    std::string telnetMode = "shell";
    std::string password = "secret";     // what the receiver expects
    std::string profilePassword = "secret"; // what the profile holds

    ReceiverOptions& Ftp(std::vector<std::string> a) { ftpArgs = std::move(a); return *this; }
    ReceiverOptions& Web(std::vector<std::string> a) { webArgs = std::move(a); return *this; }
    ReceiverOptions& Telnet(std::string mode = "shell") { telnet = true; telnetMode = std::move(mode); return *this; }
    ReceiverOptions& Password(std::string p) { password = std::move(p); return *this; }
    ReceiverOptions& ProfilePassword(std::string p) { profilePassword = std::move(p); return *this; }
};

class Receiver {
public:
    cftest::ScratchDir root;   // the receiver's file system
    cftest::ScratchDir work;   // program folder, logs
    std::unique_ptr<Peer> ftp, web, telnet;

    explicit Receiver(const ReceiverOptions& o = {})
    {
        fs::create_directories(root / "etc/enigma2");
        fs::create_directories(root / "etc/tuxbox");
        fs::create_directories(root / "var/tuxbox/config/enigma");
        fs::create_directories(root / "var/etc");
        std::vector<std::string> fa{"--root", root.path().string(), "--user", "root", "--password", o.password};
        fa.insert(fa.end(), o.ftpArgs.begin(), o.ftpArgs.end());
        ftp = std::make_unique<Peer>("ftp_peer.py", fa);
        std::vector<std::string> wa{"--user", "root", "--password", o.password, "--log", webLog()};
        wa.insert(wa.end(), o.webArgs.begin(), o.webArgs.end());
        web = std::make_unique<Peer>("web_peer.py", wa);
        if (o.telnet)
            telnet = std::make_unique<Peer>("telnet_peer.py",
                                             std::vector<std::string>{"--mode", o.telnetMode, "--user", "root",
                                                                      "--password", o.password, "--log", telnetLog()});
        profilePassword = o.profilePassword;
    }

    std::string webLog() const { return (work / "web.log").string(); }
    std::string telnetLog() const { return (work / "telnet.log").string(); }
    std::vector<std::string> WebRequests() const { return ReadLines(webLog()); }
    std::vector<std::string> TelnetLines() const { return ReadLines(telnetLog()); }

    // A profile of `type` pointing at this receiver; folders as the built-in
    // profiles have them.
    TY_PROFILES Profile(int type) const
    {
        TY_PROFILES p;
        p.Name = "Test receiver";
        p.Type = type;
        p.Address = "127.0.0.1";
        p.User = "root";
        p.Password = profilePassword;
        p.HttpPort = web->port();
        p.FtpPort = ftp->port();
        p.Passive = true;
        if (type == 1 || type == 4) {
            p.PRO_Sdir = "/var/tuxbox/config/enigma";
            p.PRO_Xdir = "/var/etc";
        } else {
            p.PRO_Sdir = "/etc/enigma2";
            p.PRO_Xdir = "/etc/tuxbox";
        }
        return p;
    }

    std::string profilePassword;
};

// Model state for one test, reset before and after.
class LinkTestBase : public ::testing::Test {
protected:
    cftest::ScratchDir program;
    StubHost host;
    StubUi ui;

    void SetUp() override
    {
        ClearModel();
        ::TempDir = (program / "TmpDirForFtp").string();
        VersionText = "Ver.1.3.7";
        ReadNew = false;
        Modified = false;
    }
    void TearDown() override { ClearModel(); }

    // A link to profile 0, which is `profile`; short time-outs. Questions and
    // errors go to `ui`, or to `messages` when given.
    std::unique_ptr<TNetworkLink> MakeLink(const TY_PROFILES& profile, const Receiver* r = nullptr,
                                           TNetworkUi* messages = nullptr)
    {
        Profiles = {profile};
        SelectedProfile = 0;
        auto link = std::make_unique<TNetworkLink>(host, messages ? *messages : static_cast<TNetworkUi&>(ui));
        link->ProfileIndex = 0;
        link->Timeouts.FtpConnect = 2000;
        link->Timeouts.FtpRead = 2000;
        link->Timeouts.HttpConnect = 2000;
        link->Timeouts.HttpRead = 2000;
        link->Timeouts.TelnetConnect = 2000;
        link->Timeouts.TelnetSettle = 200;
        link->Timeouts.TelnetDialogue = 3000;
        if (r && r->telnet)
            link->TelnetPort = r->telnet->port();
        return link;
    }

    static bool Logged(const TNetworkLink& link, const std::string& line)
    {
        const auto& l = link.LogLines();
        return std::find(l.begin(), l.end(), line) != l.end();
    }
};

} // namespace cftest

// The names every link test uses without the namespace.
using cftest::FileNames;
using cftest::LinkTestBase;
using cftest::ReadText;
using cftest::Receiver;
using cftest::ReceiverOptions;
using cftest::RefusedPort;
using cftest::SilentListener;
using cftest::StubUi;
using cftest::WriteText;
namespace fs = std::filesystem;
