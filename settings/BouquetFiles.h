#pragma once

// The TV and radio user-bouquet lists ("userbouquets.tv.epl" and
// "userbouquets.radio.epl" for Enigma 1, "bouquets.tv" and "bouquets.radio"
// for Enigma 2) and the user-bouquet files they name.

#include "settings/Model.h"
#include "settings/ServiceRefIndex.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>


// Report line of a bouquet that lost entries: prefix + name + suffix.
inline constexpr const char* TvBouquetMissingPrefix = "- Some channels in Tv Bouquet <";
inline constexpr const char* RadioBouquetMissingPrefix = "- Some channels in Radio Bouquet <";
inline constexpr const char* BouquetMissingSuffix = "> not loaded (no channel reference)";

// The bouquet files of TheLoadDir that the last load could not read (as
// named in the folder). A save into that folder leaves them in place.
extern std::vector<std::string> UnreadBouquetFiles;

// Size estimate of a bouquet file: its "#DESCRIPTION" lines plus its
// "#SERVICE" lines that are not markers. 0 for a missing file.
std::int32_t CountUBouquet(const std::string& path);
std::int32_t CountUBouquetText(std::string_view text);

// Reads a list file: `listName` gets its "#NAME" text and `entries` one
// triple per bouquet it names whose file `exists` ([0] "/" + upper-cased
// file name, [1] the upper-cased id, [2] empty).
void ParseBouquetList(std::string_view text, std::int32_t version, bool radio, std::string& listName,
                      ARR_ARR_OF_STRING& entries, const std::function<bool(const std::string&)>& exists);

// Reads one bouquet file into `bouquet` (name, entries, service count).
// `missing` is set when an entry named an unknown service (the entry and
// its description are dropped).
void ParseUserBouquet(std::string_view text, std::int32_t version, const TServiceKeyIndex& index,
                      TY_ENIG_UB& bouquet, bool& missing);

// Reads the TV (radio) list file of TheLoadDir and every bouquet file it
// names into TvBouquets (RadioBouquets); sets TvListName, TvListEntries and
// TvBouquetCounter (radio alike). EInOutError when the list cannot be read.
// A bouquet file that is missing or cannot be read is left out, and so are
// the lines of a file that no reader takes; each is named in ErrorReport.
void Load_UB_Tv();
void Load_UB_Radio();

// The id a save gives the bouquet at `position`: ED00, ED01, ...
std::string UserBouquetId(std::int32_t position);

// The list file text for `bouquets` (LF line ends); `sdir` is the settings
// folder on the receiver (Enigma 1 lists name the files by full path).
std::string FormatBouquetList(const ARR_ENIG_UB& bouquets, bool radio, std::int32_t version,
                              const std::string& listName, const std::string& sdir);

// The "#SERVICE" line of every service as a bouquet file of `version`
// writes it, built once per save and found by service number.
class TBouquetRefs {
public:
    TBouquetRefs(const ARR_ENIG_CH& services, const ARR_ENIG_TP& transponders, std::int32_t version);
    // The line (with its LF) of the first service with that number; empty
    // when there is none or its transponder is gone.
    std::string_view Line(std::int32_t number) const;
    // The same in two steps, so a writer can fetch lines ahead: the
    // service index of a number (-1 when none), and the line of an index.
    std::int32_t IndexOf(std::int32_t number) const { return numbers_.Find(number); }
    void PrefetchLine(std::int32_t index) const;
    std::string_view LineAt(std::int32_t index) const;

private:
    TServiceNumberMap numbers_;
    std::string text_;                  // every line, one after another
    std::vector<std::uint32_t> starts_; // per service index, plus the end
};

// The text of one bouquet file. A service entry whose number is no longer
// known is left out with its description. `markerNumber` is the number of
// the next marker and advances with each marker written.
std::string FormatUserBouquet(const TY_ENIG_UB& bouquet, const TBouquetRefs& refs, std::int32_t& markerNumber);
void AppendUserBouquet(std::string& out, const TY_ENIG_UB& bouquet, const TBouquetRefs& refs,
                       std::int32_t& markerNumber);

// Writes the TV list (when there are TV bouquets) and the radio list (when
// there are radio bouquets) into TheSaveDir and gives every bouquet the id
// written for it, so the bouquets are renumbered from ED00 in list order.
void SaveUbList();

// Writes one file per bouquet into TheSaveDir, TV first, then radio.
void SaveUbBouquet();

// The settings folder on the receiver of the profile SaveProfile (empty
// when SaveProfile names no profile).
std::string SaveProfileSdir();
