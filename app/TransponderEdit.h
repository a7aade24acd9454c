#pragma once

// The transponder editor's work on the model: the satellite and FEC
// choices it offers, the checked store of an edited transponder (its key,
// namespace and the keys of its services), insert and delete. The dialog
// copies its fields in and out; everything here is tested without it.

#include "settings/Model.h"

#include <cstdint>
#include <optional>
#include <variant>
#include <string>
#include <vector>

// The satellite choices: the main window's satellite filter items after
// " All ", each satellite of Satellites merged in as "019.2E --> Name" or
// appended as "019.2E Name".
std::vector<std::string> TpSatItems(const std::vector<std::string>& satFilterItems);

// FEC choices: eleven for the Enigma 2 versions (3, 4), seven otherwise.
std::vector<std::string> FecItems(std::int32_t enigmaVersion);

// A typed satellite position in the six-character form satellites.xml
// carries: "19.2E" and "019.2e" give "019.2E"; degrees above 180 or any
// other text give nullopt.
std::optional<std::string> NormalizePosition(const std::string& text);
// Signed tenths of a six-character position: 019.2E 192, 030.0W -300.
std::int32_t PositionTenths(const std::string& position);
// The position as the namespace rule takes it: East as its tenths, West
// as 3600 minus its tenths (which the rule reads back as West).
std::string NamespacePosition(const std::string& position);

// What the editor's fields hold when Save is pressed. Ids are typed in the
// number display of Dec_Format.
struct TTpFields {
    std::string SatItem;    // the selected satellite item ("" for none)
    std::int32_t Polarisation = 0;
    std::string Frequency;
    std::string SymbolRate;
    std::string FecText;    // "" when no FEC item is selected
    std::string Tsid;
    std::string Onid;
    std::int32_t Inversion = 0, ScanFlags = 0, System = 0, Modulation = 0, RollOff = 0, Pilot = 0;
};

enum class TTpField { Satellite, Frequency, SymbolRate, Tsid, Onid };
struct TTpError {
    TTpField Field = TTpField::Frequency;
    std::string Message;
};
inline constexpr const char* NoSatelliteText = "Select the satellite of the transponder";
inline constexpr const char* SameTransponderText = "Another transponder has this namespace, TSID and ONID";

// What a store changed that the service list shows.
struct TTpStored {
    bool ListChanged = false; // position, frequency, polarisation, symbol rate or FEC
};

// Checks every field, then stores them into Transponders[index]: nothing is
// stored when one is refused. Satellite transponders take the position of
// the chosen item, polarisation, symbol rate and FEC; cable and terrestrial
// ones keep their position ("Cable", "Terrestrial") and the values their
// hidden fields do not show. The namespace is worked out anew, the key
// follows (refused when another transponder has it), and every service on
// the transponder takes the new key into its own. Sets Modified.
std::variant<TTpStored, TTpError> StoreTransponder(std::int32_t index, const TTpFields& fields, bool decimal);

// Appends the record Insert makes and answers its index.
std::int32_t AppendNewTransponder();

// Removes Transponders[index]; later services point one lower. With
// `withServices` its services go too, from every provider and bouquet as
// well (one pass). Answers the services removed.
std::size_t DeleteTransponder(std::int32_t index, bool withServices);
