#pragma once

// What the last folder load read beyond the model's records: the names of
// the user-bouquet files it read, whether it read each bouquet list, and
// the sub-bouquet files that its bouquets name, kept byte for byte. A save
// replaces only files of the folder that the load read or that the program
// writes: a user-bouquet file that no list names (receivers load it too) or
// anything else of the user's stays where it is.

#include <string>
#include <vector>

struct TY_KEPT_FILE {
    std::string Name; // as in the folder
    std::string Text;
    bool operator==(const TY_KEPT_FILE&) const = default;
};

struct TY_LOADED_FILES {
    std::vector<std::string> BouquetFiles; // user-bouquet files read, names as in the folder
    bool TvList = false;                   // the TV list file was read (even an empty one)
    bool RadioList = false;
    std::vector<TY_KEPT_FILE> SubBouquets; // files named by "FROM BOUQUET" inside a bouquet

    void Clear()
    {
        BouquetFiles.clear();
        TvList = RadioList = false;
        SubBouquets.clear();
    }
    bool operator==(const TY_LOADED_FILES&) const = default;
};

extern TY_LOADED_FILES LoadedFiles;

// True when this load read a bouquet file of that name (letters in any case).
bool LoadReadBouquetFile(const std::string& name);
