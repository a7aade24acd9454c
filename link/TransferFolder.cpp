#include "link/TransferFolder.h"

#include "settings/SettingsDir.h"
#include "settings/Unit_lib.h"

#include <filesystem>
#include <string>
#include <system_error>

void RemoveTransferFolder()
{
    CleanSettingsDir(TempDir);
    std::error_code ec;
    std::filesystem::remove(TempDir, ec); // only when empty: foreign files stay
}

void OpenTransferFolder(TNetworkHost& host)
{
    struct Restore {
        std::string kept = TheLoadDir;
        ~Restore()
        {
            RemoveTransferFolder();
            TheLoadDir = kept;
        }
    } restore;
    TheLoadDir = TempDir;
    host.OpenFile();
}
