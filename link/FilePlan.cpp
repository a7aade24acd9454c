#include "link/FilePlan.h"

#include "settings/Fields.h"

std::int32_t ReadVersionOfProfileType(std::int32_t type)
{
    switch (type) {
    case 1:
        return 2;
    case 2:
        return 3;
    default:
        return 4;
    }
}

std::int32_t WriteVersionOfProfileType(std::int32_t type, std::int32_t loadedVersion)
{
    if (type >= 1 && type <= 3)
        return type + 1;
    return loadedVersion;
}

bool IsEnigma2ProfileType(std::int32_t type)
{
    return type == 2 || type == 3;
}

std::vector<std::string> FixedDownloads(const TY_PROFILES& p)
{
    const std::string& s = p.PRO_Sdir;
    const std::string& x = p.PRO_Xdir;
    if (p.Type == 1)
        return {s + "/services", s + "/bouquets", s + "/services.locked", x + "/satellites.xml",
                x + "/terrestrial.xml", s + "/userbouquets.tv.epl", s + "/userbouquets.radio.epl"};
    return {s + "/settings", s + "/lamedb", x + "/satellites.xml", x + "/terrestrial.xml",
            s + "/blacklist", s + "/whitelist", s + "/bouquets.radio", s + "/bouquets.tv"};
}

std::vector<std::string> BouquetListings(const TY_PROFILES& p)
{
    return {p.PRO_Sdir + "/*.tv", p.PRO_Sdir + "/*.radio"};
}

std::string BaseName(const std::string& remotePath)
{
    auto slash = remotePath.rfind('/');
    return slash == std::string::npos ? remotePath : remotePath.substr(slash + 1);
}

bool IsSafeFileName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    for (unsigned char c : name)
        if (c == '/' || c == '\\' || c < 0x20 || c == 0x7F)
            return false;
    return true;
}

bool IsUserBouquetFileName(const std::string& name)
{
    std::string lower = ToLowerAscii(name);
    auto endsWith = [&](const std::string& tail) {
        return lower.size() >= tail.size() && lower.compare(lower.size() - tail.size(), tail.size(), tail) == 0;
    };
    return lower.find("userbouquet.") != std::string::npos && (endsWith(".tv") || endsWith(".radio"));
}

std::vector<std::string> RequiredFiles(std::int32_t version)
{
    if (version == 2)
        return {"services", "bouquets"};
    return {"lamedb"};
}
