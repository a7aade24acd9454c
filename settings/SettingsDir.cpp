#include "settings/SettingsDir.h"
#include "settings/Fields.h"

#include <filesystem>
#include <system_error>

bool IsSettingsFileName(const std::string& name)
{
    // Only what the writers produce: a user's "holiday.tv.txt" or "notes.epl"
    // next to the settings is theirs and stays.
    const std::string n = ToLowerAscii(name);
    static const char* const exact[] = {
        "lamedb",          "services",    "bouquets",       "bouquets.tv",    "bouquets.radio",
        "userbouquets.tv.epl", "userbouquets.radio.epl", "blacklist", "whitelist", "services.locked",
        "satellites.xml",  "terrestrial.xml"};
    for (const char* e : exact)
        if (n == e)
            return true;
    // The user-bouquet files: "userbouquet." + id + ".tv" or ".radio".
    const std::string prefix = "userbouquet.";
    auto endsWith = [&](const std::string& suffix) {
        return n.size() > prefix.size() + suffix.size() &&
               n.compare(n.size() - suffix.size(), suffix.size(), suffix) == 0;
    };
    return n.compare(0, prefix.size(), prefix) == 0 && (endsWith(".tv") || endsWith(".radio"));
}

void CleanSettingsDir(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    // Failures are ignored, and a folder that changes under the walk must not
    // throw either: callers run this during clean-up.
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ignored;
        // Folders are left alone: only settings files are removed.
        if (it->is_directory(ignored))
            continue;
        if (IsSettingsFileName(it->path().filename().string()))
            fs::remove(it->path(), ignored);
    }
}
