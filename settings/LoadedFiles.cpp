#include "settings/LoadedFiles.h"

#include "settings/Fields.h"

TY_LOADED_FILES LoadedFiles;

bool LoadReadBouquetFile(const std::string& name)
{
    const std::string wanted = ToLowerAscii(name);
    for (const auto& n : LoadedFiles.BouquetFiles)
        if (ToLowerAscii(n) == wanted)
            return true;
    for (const auto& f : LoadedFiles.SubBouquets)
        if (ToLowerAscii(f.Name) == wanted)
            return true;
    return false;
}
