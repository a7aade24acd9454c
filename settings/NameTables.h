#pragma once

// Name tables that turn the numeric codes of the settings files into display
// texts, indexed by the numbers the files store. The tables that are not
// const are translatable: the language module may replace their entries at
// start-up.

#include <array>
#include <cstdint>
#include <string>

extern const std::array<std::string, 4> VersionNames;       // index = version - 2
extern std::array<std::string, 3> TpKindNames;               // Satellite, Terrestrial, Cable
extern const std::array<std::string, 16> FecNames;           // 15 "None"
extern const std::array<std::string, 16> FecNamesDvbS;       // DVB-S rates only
extern std::array<std::string, 4> PolarisationNames;
extern std::array<std::string, 3> InversionNames;
extern const std::array<std::string, 2> SystemNames;
extern const std::array<std::string, 4> ModulationNames;
extern const std::array<std::string, 4> RollOffNames;
extern std::array<std::string, 3> PilotNames;
extern std::array<std::string, 2> ScanFlagNames;
extern const std::array<std::string, 4> BandwidthNames;
extern const std::array<std::string, 4> ConstellationNames;

// Name of a settings version (2..5), empty for any other value.
std::string VersionName(std::int32_t version);

// "TV" for types 1, 4 and 25, "Radio" for 2, "Data" otherwise.
std::string ServiceTypeText(std::int32_t serviceType);

// The FEC table's entry for index texts 0..9 and 15; for any other text the
// result is `keep` (the caller's previous text).
std::string FecIndexToText(const std::string& fecIndex, const std::string& keep = std::string());

// Index text of a FEC name ("Auto" "0" .. "9/10" "9"); anything else "15".
std::string FecTextToIndex(const std::string& fecText);
