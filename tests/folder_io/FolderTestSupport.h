#pragma once

#include "settings/FolderIO.h"
#include "settings/Unit_lib.h"

#include "common/TestData.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace cftest {

inline std::filesystem::path Fixture(const std::string& name)
{
    if (const char* src = std::getenv("CHANFORGE_SOURCE"))
        return std::filesystem::path(src) / "tests/folder_io/fixtures" / name;
    return std::filesystem::path(__FILE__).parent_path() / "fixtures" / name;
}

inline std::string ReadBytes(const std::filesystem::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

inline void WriteBytes(const std::filesystem::path& p, const std::string& text)
{
    std::ofstream f(p, std::ios::binary);
    f << text;
}

// Every entry of a folder, name -> bytes ("<dir>" for a folder).
inline std::map<std::string, std::string> FolderContents(const std::filesystem::path& dir)
{
    std::map<std::string, std::string> m;
    for (auto& e : std::filesystem::directory_iterator(dir))
        m[e.path().filename().string()] = e.is_directory() ? "<dir>" : ReadBytes(e.path());
    return m;
}

// The receiver profiles the tests save with: profile i writes version i + 2.
inline void SetTestProfiles()
{
    Profiles.clear();
    const char* sdirs[] = {"/var/tuxbox/config/enigma", "/etc/enigma2", "/etc/enigma2", "/var/tuxbox/config/enigma"};
    for (int t = 1; t <= 4; ++t) {
        TY_PROFILES p;
        p.Name = "Profile " + std::to_string(t);
        p.Type = t;
        p.Address = "127.0.0.1";
        p.PRO_Sdir = sdirs[t - 1];
        p.PRO_Xdir = "/etc/tuxbox";
        Profiles.push_back(p);
    }
}

// A fresh model for each test.
inline void ResetModel()
{
    ClearModel();
    SetTestProfiles();
    SatListHeld = false;
    TerListHeld = false;
    ReadNew = false;
    Modified = false;
    FolderLoaded = false;
    VersionText = "Ver.1.3.7";
}

// The loaded set, for comparing one load with another.
struct TModelState {
    ARR_ENIG_TP tp;
    ARR_ENIG_CH ch;
    ARR_ENIG_PR pr;
    ARR_ENIG_UB tv, radio;
    ARR_ENIG_SAT sat;
    ARR_ENIG_TER ter;
    std::int32_t version = 0;
    std::string tvName, radioName;
    bool operator==(const TModelState&) const = default;
};

inline TModelState CurrentModel()
{
    return {Transponders, Services, Providers, TvBouquets, RadioBouquets, Satellites, Terrestrials,
            EnigmaVersion, TvListName, RadioListName};
}

// The Open button without its dialog: version check, then the load.
inline bool LoadFolder(const std::filesystem::path& dir)
{
    TheLoadDir = dir.string();
    return VerFile() && OpenFile();
}

// The Save button without its dialogs: the profile's version, then the save.
inline bool SaveFolder(const std::filesystem::path& dir, int version)
{
    SaveProfile = version - 2;
    if (version != 5)
        SetEnigmaVer(version);
    TheSaveDir = dir.string();
    return SaveFile();
}

} // namespace cftest
