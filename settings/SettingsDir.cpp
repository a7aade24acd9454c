#include "settings/SettingsDir.h"
#include "settings/Fields.h"

#include <filesystem>
#include <system_error>

bool IsSettingsFileName(const std::string& name)
{
    const std::string n = ToLowerAscii(name);
    static const char* const exact[] = {"lamedb",    "services",        "settings",       "bouquets",
                                        "blacklist", "whitelist",       "services.locked", "satellites.xml",
                                        "terrestrial.xml"};
    for (const char* e : exact)
        if (n == e)
            return true;
    return n.find(".radio") != std::string::npos || n.find(".tv") != std::string::npos ||
           n.find(".epl") != std::string::npos;
}

void CleanSettingsDir(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return;
    for (const fs::directory_entry& e : it) {
        std::error_code ignored;
        // Folders are left alone: only settings files are removed.
        if (e.is_directory(ignored))
            continue;
        if (IsSettingsFileName(e.path().filename().string()))
            fs::remove(e.path(), ignored);
    }
}
