#pragma once

// The satellite and terrestrial list editor's work on the model: inserts,
// checked stores and deletes of satellites, locations and their
// transponders, and the import of one satellite from a satellite .ini file.
// Every change marks its list as held, so the next save writes it.

#include "settings/Model.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr const char* IniFormatText = "The selected ini file in not of the correct format";

struct TIniImport {
    bool FormatOk = false;
    std::string NewCaption; // caption of the satellite added, empty when it existed
    int Inserted = 0;       // transponders added
    int Skipped = 0;        // transponder lines that did not parse
};

// Imports `text` (the .ini file's content) into Satellites. A position that
// is no number 0..3600 is a format error (nothing changes); a transponder
// line that does not parse or overflows is skipped and counted; an empty
// FEC field reads as Auto and DVB-S; a transponder the satellite already has
// is passed over. Sorts the satellites by position.
TIniImport ImportIniText(const std::string& text);
// "Report", a blank line, the new satellite's caption, the count, and the
// lines passed over when there were any.
std::string IniReport(const TIniImport& r);
// True when Satellites[sat] has a transponder with these values.
bool ExistTp(std::int32_t sat, std::int32_t frequency, std::int32_t system, std::int32_t fec,
             std::int32_t symbolRate, std::int32_t polarisation);

// Appended records (answers their index).
std::int32_t AppendSatellite();
std::int32_t AppendSatTransponder(std::int32_t sat);
std::int32_t AppendLocation();
std::int32_t AppendTerTransponder(std::int32_t location);

// Removes elements by index, whatever order the indexes come in (a list
// re-sorted by the user gives them in its own order).
void DeleteSatellites(std::vector<std::int32_t> indexes);
void DeleteLocations(std::vector<std::int32_t> indexes);
void DeleteSatTransponders(std::int32_t sat, std::vector<std::int32_t> indexes);
void DeleteTerTransponders(std::int32_t location, std::vector<std::int32_t> indexes);

// The satellite edit panel: nullopt when stored, else the message. The
// position must take the six-character form; its tenths follow it.
std::optional<std::string> StoreSatellite(std::int32_t sat, const std::string& name, const std::string& position,
                                          std::int32_t flags);
void StoreLocation(std::int32_t location, const std::string& name, std::int32_t flags);
// Transponder fields as typed: frequency and symbol rate must be whole
// numbers; the indexes are the boxes' (pilot and roll-off only with
// system 1, else they stay). nullopt when stored.
struct TSatTpFields {
    std::string Frequency, SymbolRate;
    std::int32_t Polarisation = 0, Fec = 0, Inversion = 0, Modulation = 0, System = 0, Pilot = 0, RollOff = 0;
};
enum class TXmlField { Frequency, SymbolRate, Position };
struct TXmlError {
    TXmlField Field;
    std::string Message;
};
std::optional<TXmlError> StoreSatTransponder(std::int32_t sat, std::int32_t tp, const TSatTpFields& f);
std::optional<TXmlError> StoreTerTransponder(std::int32_t location, std::int32_t tp, const std::string& frequency,
                                             std::int32_t bandwidth, std::int32_t constellation);
