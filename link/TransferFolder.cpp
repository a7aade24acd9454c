#include "link/TransferFolder.h"

#include "settings/Unit_lib.h"

#include <filesystem>
#include <string>
#include <system_error>

void RemoveTransferFolder()
{
    namespace fs = std::filesystem;
    if (TempDir.empty())
        return;
    std::error_code ec;
    // Failures are ignored and a folder that changes under the walk must not
    // throw: this runs during clean-up. Folders are left alone, as no
    // transfer makes one; a link is removed, never followed.
    for (fs::directory_iterator it(TempDir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ignored;
        if (!it->is_symlink(ignored) && it->is_directory(ignored))
            continue;
        fs::remove(it->path(), ignored);
    }
    fs::remove(TempDir, ec);
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
