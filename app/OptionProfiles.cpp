#include "app/OptionProfiles.h"

#include "app/Configuration.h"
#include "platform/Registry.h"
#include "settings/Unit_lib.h"

namespace {

const char* const ProfileSuffixes[] = {"PRO_Name",      "PRO_Type",     "PRO_Address", "PRO_User",
                                       "PRO_Pwd",       "PRO_Http_Port", "PRO_Ftp_Port", "PRO_Passive",
                                       "PRO_Sdir",      "PRO_Xdir"};

void StoreCount(cf::TRegistry& reg)
{
    reg.WriteInteger("NoOfProfiles", static_cast<int>(Profiles.size()));
}

} // namespace

TY_PROFILES NewProfileDefaults()
{
    TY_PROFILES p;
    p.Name = "Enigma 1";
    p.Type = 1;
    p.Address = "127.0.0.1";
    p.User = "root";
    p.Password = "quillbank";
    p.HttpPort = 80;
    p.FtpPort = 21;
    p.Passive = false;
    p.PRO_Sdir = "/var/tuxbox/config/enigma";
    p.PRO_Xdir = "/var/etc";
    return p;
}

int AddProfile(cf::TRegistry& reg)
{
    Profiles.push_back(NewProfileDefaults());
    const int index = static_cast<int>(Profiles.size()) - 1;
    StoreCount(reg);
    WriteProfile(reg, index, Profiles.back());
    reg.Flush();
    return index;
}

TDeleteProfile DeleteProfile(cf::TRegistry& reg, int row)
{
    if (row < 0 || row >= static_cast<int>(Profiles.size()))
        return TDeleteProfile::NoSuchProfile;
    if (row < BuiltInProfileCount)
        return TDeleteProfile::BuiltIn;
    const int formerLast = static_cast<int>(Profiles.size()) - 1;
    Profiles.erase(Profiles.begin() + row);
    if (SelectedProfile == row)
        SelectedProfile = 0;
    else if (SelectedProfile > row)
        --SelectedProfile;
    StoreCount(reg);
    reg.WriteInteger("SelectedProfile", SelectedProfile);
    for (int i = row; i < formerLast; ++i)
        WriteProfile(reg, i, Profiles[static_cast<std::size_t>(i)]);
    for (const char* suffix : ProfileSuffixes)
        reg.DeleteValue(ProfilePrefix(formerLast) + suffix);
    reg.Flush();
    return TDeleteProfile::Deleted;
}

std::optional<int> ParsePort(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::nullopt;
    const auto last = text.find_last_not_of(" \t");
    long value = 0;
    for (std::size_t i = first; i <= last; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 65535)
            return std::nullopt;
    }
    if (value < 1)
        return std::nullopt;
    return static_cast<int>(value);
}

bool StoreProfile(cf::TRegistry& reg, int row, const TY_PROFILES& values)
{
    if (row < 0 || row >= static_cast<int>(Profiles.size()))
        return false;
    reg.WriteInteger("SelectedProfile", SelectedProfile);
    StoreCount(reg);
    Profiles[static_cast<std::size_t>(row)] = values;
    WriteProfile(reg, row, values);
    reg.Flush();
    return true;
}

void StoreOptions(cf::TRegistry& reg, const TOptionValues& v)
{
    reg.WriteBool("RememberW", v.RememberW);
    reg.WriteBool("ShowSplash", v.ShowSplash);
    reg.WriteBool("Dec_Format", v.Dec_Format);
    reg.WriteBool("ShowGrid", v.ShowGrid);
    reg.WriteBool("ReadNew", v.ReadNew);
    reg.WriteString("Languages", v.Languages);
    reg.Flush();
    RememberW = v.RememberW;
    ShowSplash = v.ShowSplash;
    Dec_Format = v.Dec_Format;
    ShowGrid = v.ShowGrid;
    ReadNew = v.ReadNew;
}
