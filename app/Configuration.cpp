#include "app/Configuration.h"

#include "controls/MessageService.h"
#include "platform/Registry.h"
#include "settings/MessageTexts.h"
#include "settings/Unit_lib.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace fs = std::filesystem;
using cf::TRegDataType;
using cf::TRegistry;

bool RememberW = false;
bool Dec_Format = false;
bool ShowGrid = false;
bool ShowSplash = true;
std::string LanguageName;
TMainGeometry MainGeometry;

namespace {

constexpr const char* DefaultLanguage = "English (United States)";

// Typed reads that give nothing where the stored value is missing or of
// another type, so that one damaged value can never stop the start.
std::optional<int> StoredInteger(TRegistry& reg, const std::string& name)
{
    if (reg.GetDataType(name) != TRegDataType::rdInteger)
        return std::nullopt;
    try {
        return reg.ReadInteger(name);
    } catch (const cf::ERegistryException&) {
        return std::nullopt;
    }
}

std::optional<std::string> StoredString(TRegistry& reg, const std::string& name)
{
    if (reg.GetDataType(name) != TRegDataType::rdString)
        return std::nullopt;
    return reg.ReadString(name);
}

int IntegerOrDefault(TRegistry& reg, const std::string& name, int def, TConfigurationReport& report)
{
    if (auto v = StoredInteger(reg, name))
        return *v;
    reg.WriteInteger(name, def);
    report.DefaultsWritten.push_back(name);
    return def;
}

bool BoolOrDefault(TRegistry& reg, const std::string& name, bool def, TConfigurationReport& report)
{
    if (auto v = StoredInteger(reg, name))
        return *v != 0;
    reg.WriteBool(name, def);
    report.DefaultsWritten.push_back(name);
    return def;
}

// A remembered folder that is gone (or was never a folder here, such as a
// Windows path) becomes the default folder, in memory and in the key.
std::string FolderOrDefault(TRegistry& reg, const std::string& name, TConfigurationReport& report)
{
    if (auto v = StoredString(reg, name)) {
        std::error_code ec;
        if (!v->empty() && fs::is_directory(*v, ec))
            return *v;
    } else {
        report.DefaultsWritten.push_back(name);
    }
    const std::string def = DefaultFolder();
    reg.WriteString(name, def);
    return def;
}

// Reads profile `index`; nothing when one of its numbers or switches is
// missing or damaged. Missing texts read as empty, as they always did.
std::optional<TY_PROFILES> ReadProfile(TRegistry& reg, int index)
{
    const std::string p = ProfilePrefix(index);
    TY_PROFILES r;
    auto text = [&](const char* suffix) { return StoredString(reg, p + suffix).value_or(std::string()); };
    r.Name = text("PRO_Name");
    const auto type = StoredInteger(reg, p + "PRO_Type");
    r.Address = text("PRO_Address");
    r.User = text("PRO_User");
    r.Password = text("PRO_Pwd");
    const auto http = StoredInteger(reg, p + "PRO_Http_Port");
    const auto ftp = StoredInteger(reg, p + "PRO_Ftp_Port");
    const auto passive = StoredInteger(reg, p + "PRO_Passive");
    r.PRO_Sdir = text("PRO_Sdir");
    r.PRO_Xdir = text("PRO_Xdir");
    if (!type || !http || !ftp || !passive)
        return std::nullopt;
    r.Type = *type;
    r.HttpPort = *http;
    r.FtpPort = *ftp;
    r.Passive = *passive != 0;
    return r;
}

} // namespace

std::string DefaultFolder()
{
    const char* home = std::getenv("HOME");
    std::error_code ec;
    if (home && *home && fs::is_directory(home, ec))
        return home;
    return fs::path("/").string();
}

std::vector<TY_PROFILES> DefaultProfiles()
{
    struct Row {
        const char* name;
        int type;
        const char* pwd;
        const char* sdir;
        const char* xdir;
    };
    static const Row rows[] = {
        {"Enigma 2.4 (Qbox-HD)", 3, "fenrak", "/etc/enigma2", "/etc/tuxbox"},
        {"Enigma 1 (Qbox-One)", 4, "tolvemar", "/var/tuxbox/config/enigma", "/var/etc"},
        {"Enigma 1 (Box 7000)", 1, "quillbank", "/var/tuxbox/config/enigma", "/var/etc"},
        {"Enigma 2.3 (Box 7025)", 2, "quillbank", "/etc/enigma2", "/etc/tuxbox"},
        {"Enigma 2.4 (Box 800)", 3, "quillbank", "/etc/enigma2", "/etc/tuxbox"},
        {"Box 600", 1, "quillbank", "/etc/enigma", "/etc/tuxbox"},
    };
    std::vector<TY_PROFILES> out;
    for (const Row& r : rows) {
        TY_PROFILES p;
        p.Name = r.name;
        p.Type = r.type;
        p.Address = "127.0.0.1";
        p.User = "root";
        p.Password = r.pwd;
        p.HttpPort = 80;
        p.FtpPort = 21;
        p.Passive = true;
        p.PRO_Sdir = r.sdir;
        p.PRO_Xdir = r.xdir;
        out.push_back(p);
    }
    return out;
}

std::string ProfilePrefix(int index)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02X_", static_cast<unsigned>(index));
    return buf;
}

void WriteProfile(TRegistry& reg, int index, const TY_PROFILES& p)
{
    const std::string x = ProfilePrefix(index);
    reg.WriteString(x + "PRO_Name", p.Name);
    reg.WriteInteger(x + "PRO_Type", p.Type);
    reg.WriteString(x + "PRO_Address", p.Address);
    reg.WriteString(x + "PRO_User", p.User);
    reg.WriteString(x + "PRO_Pwd", p.Password);
    reg.WriteInteger(x + "PRO_Http_Port", p.HttpPort);
    reg.WriteInteger(x + "PRO_Ftp_Port", p.FtpPort);
    reg.WriteBool(x + "PRO_Passive", p.Passive);
    reg.WriteString(x + "PRO_Sdir", p.PRO_Sdir);
    reg.WriteString(x + "PRO_Xdir", p.PRO_Xdir);
}

TConfigurationReport GetConfiguration(TRegistry& reg)
{
    TConfigurationReport report;
    reg.RootKey = cf::HKEY_CURRENT_USER;
    reg.OpenKey(ConfigurationKey, true);

    TheLoadDir = FolderOrDefault(reg, "TheLoadDir", report);
    TheSaveDir = FolderOrDefault(reg, "TheSaveDir", report);
    RememberW = BoolOrDefault(reg, "RememberW", false, report);
    const TMainGeometry def;
    MainGeometry.Height = IntegerOrDefault(reg, "MainW_Height", def.Height, report);
    MainGeometry.Width = IntegerOrDefault(reg, "MainW_Width", def.Width, report);
    MainGeometry.Top = IntegerOrDefault(reg, "MainW_Top", def.Top, report);
    MainGeometry.Left = IntegerOrDefault(reg, "MainW_Left", def.Left, report);
    MainGeometry.PanelDX_Width = IntegerOrDefault(reg, "PanelDX_Width", def.PanelDX_Width, report);
    MainGeometry.PanelDX_T_Height = IntegerOrDefault(reg, "PanelDX_T_Height", def.PanelDX_T_Height, report);
    Dec_Format = BoolOrDefault(reg, "Dec_Format", false, report);
    ShowGrid = BoolOrDefault(reg, "ShowGrid", false, report);
    ShowSplash = BoolOrDefault(reg, "ShowSplash", true, report);
    ReadNew = BoolOrDefault(reg, "ReadNew", true, report);
    if (auto lang = StoredString(reg, "Languages")) {
        LanguageName = *lang;
    } else {
        reg.WriteString("Languages", DefaultLanguage);
        report.DefaultsWritten.push_back("Languages");
        LanguageName.clear();
    }
    SelectedProfile = IntegerOrDefault(reg, "SelectedProfile", 0, report);

    Profiles.clear();
    if (auto n = StoredInteger(reg, "NoOfProfiles")) {
        // Ten values a profile: a count beyond what the key can hold names
        // profiles that were never stored, so the walk ends there.
        const int stored = static_cast<int>(reg.GetValueNames().size() / 10);
        const int count = *n < 0 ? 0 : std::min(*n, stored);
        for (int i = 0; i < count; ++i) {
            if (!reg.ValueExists(ProfilePrefix(i) + "PRO_Type") && !reg.ValueExists(ProfilePrefix(i) + "PRO_Name"))
                break; // past the last profile stored
            if (auto p = ReadProfile(reg, i))
                Profiles.push_back(*p);
            else
                report.SkippedProfiles.push_back(ProfilePrefix(i));
        }
    } else {
        const auto defaults = DefaultProfiles();
        reg.WriteInteger("NoOfProfiles", static_cast<int>(defaults.size()));
        report.DefaultsWritten.push_back("NoOfProfiles");
        for (std::size_t i = 0; i < defaults.size(); ++i)
            WriteProfile(reg, static_cast<int>(i), defaults[i]);
        Profiles = defaults;
    }
    reg.Flush();

    const std::string skipped = SkippedProfilesText(report);
    if (!skipped.empty() && cf::HasMessageService())
        cf::Messages().ShowError(skipped);
    return report;
}

std::string SkippedProfilesText(const TConfigurationReport& report)
{
    if (report.SkippedProfiles.empty())
        return {};
    std::string names;
    for (const auto& p : report.SkippedProfiles) {
        if (!names.empty())
            names += ", ";
        names += p.substr(0, p.size() - 1);
    }
    return LoadRsFmt(rs::DamagedProfiles, {names});
}
