#pragma once

// The compare dialog's work on the model: reading a second services file
// into CompareTransponders and CompareServices without touching the loaded
// set's version or file names, the differences as rows, and applying the
// ticked ones. Every step is linear in the sizes of the two sets.

#include "settings/Model.h"

#include <cstdint>
#include <string>
#include <vector>

enum class TCompareAction { Ins, Upd, Del };
const char* ActionText(TCompareAction action); // "INS", "UPD", "DEL"

struct TCompareRow {
    TCompareAction Action = TCompareAction::Ins;
    // INS: index in CompareServices; UPD: index in Services; DEL: the
    // current service's number.
    std::int32_t Hidden = 0;
    bool Checked = false;
    std::string Type, Service, Package, Synt, Sat;
};

inline constexpr const char* CompareSameText = "No update/insert required : services seems to be the same";

// The file a folder is compared by: its "services", else its "lamedb";
// empty when it has neither.
std::string CompareFilePath(const std::string& folder);

// Empties the compare arrays and reads `path` into them. The loaded set's
// EnigmaVersion, file names and error report stay as they were, and the
// main window is not told of the file's version. EInOutError when the file
// cannot be read or lacks the transponders or the services section (the
// compare arrays are then empty).
void ReadCompareFile(const std::string& path);

// INS rows (compare services whose key the set lacks) and UPD rows (same
// key, other name or provider) in compare order, then DEL rows (services
// whose key the compare set lacks) in set order. Marks each compare service
// "INS", "UPD" or "NONE".
std::vector<TCompareRow> CompareSets();

// Ticked INS rows.
int Count2Add(const std::vector<TCompareRow>& rows);

struct TCompareResult {
    int Deleted = 0, Updated = 0, Inserted = 0, TpInserted = 0;
    bool Any() const { return Deleted + Updated + Inserted > 0; }
};
// Applies the ticked rows: UPD rows give their service the row's name and
// provider and the NEW mark; DEL rows go in one delete (providers and
// bouquets too); INS rows append the compare service numbered from
// ServiceCounter with the NEW mark, on its transponder found by key or
// appended once however many new services share it. Sets Modified when
// anything changed.
TCompareResult ApplyCompare(const std::vector<TCompareRow>& rows);

// " Compare results", a blank line, then the four counts, a line each.
std::string CompareReport(const TCompareResult& r);
