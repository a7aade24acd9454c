#pragma once

// The user-bouquet exchange file (.CBU) and the export list exported.txt.
//
// A .CBU file holds one block line per line (service or marker line, see
// ClipboardBlock.h), each ended by CR LF, no header. Export and import hand
// the lines on in memory: the desktop clipboard, which another program may
// change at any moment, is neither used nor disturbed.

#include "app/ServicePaste.h"
#include "settings/Lookups.h"

#include <cstdint>
#include <string>
#include <vector>

// File dialog filter of the exchange files.
inline constexpr const char* UserBouquetFilter = "Chanforge User Bouquets (*.CBU)|*.CBU";

// The lines of all entries of element `listIndex`, one CR LF each.
std::string FormatUserBouquetFile(TListKind kind, std::int32_t listIndex);
// Writes it to `path`, replacing an old file only once the new one is
// whole. EInOutError when it cannot be written.
void ExportUserBouquet(TListKind kind, std::int32_t listIndex, const std::string& path);

// The lines of a .CBU text (LF or CR LF; empty lines are no slots).
std::vector<std::string> UserBouquetLines(const std::string& text);
// The new bouquet's name: the file name without its folder and without a
// ".CBU" extension (any case); another extension stays part of the name,
// and a file named just ".CBU" keeps it (a bouquet needs a name).
std::string BouquetNameFromFile(const std::string& path);

struct TImportResult {
    std::int32_t Index = -1; // the new provider or bouquet
    TPasteResult Paste;      // services added, lines skipped
};
// Reads `path` (EInOutError, before anything changes, when it cannot be
// read), inserts a provider or user bouquet named after the file before
// element `position`, and pastes the lines into it matching services by key
// (markers are skipped for a provider).
TImportResult ImportUserBouquet(TListKind kind, std::int32_t position, const std::string& path);

// exported.txt: header, empty line, one tab-separated line per service entry
// of every TV and then every radio user bouquet; CR LF line ends.
std::string FormatExportedTxt();
// Writes FormatExportedTxt() as "exported.txt" in `folder` and answers the
// file's full path. EInOutError when it cannot be written.
std::string WriteExportedTxt(const std::string& folder);
// "Settings exported (CSV) ordered by Bouquet on " CR LF + path.
std::string ExportedMessage(const std::string& path);
