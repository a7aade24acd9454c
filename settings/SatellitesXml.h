#pragma once

// satellites.xml: the receiver's satellites with their transponders.

#include "settings/Model.h"
#include "settings/XmlExtras.h"

#include <string>
#include <string_view>
#include <vector>

// Report lines of the reader.
inline constexpr const char* SatXmlErrorText = "- Error(s) in satellites.xml";
inline constexpr const char* SatXmlNoSatelliteText =
    "- Some transponders in satellites.xml not loaded (no satellite reference)";

// Reads the text of a satellites.xml into `sats` (appended, file order);
// adds the report lines of the problems found to `problems`. Malformed
// parts are skipped, never fatal. Absent optional attributes read 0 and
// are left out of each transponder's Present bits.
void ParseSatellitesXml(std::string_view text, ARR_ENIG_SAT& sats, std::vector<std::string>& problems);

// The satellites.xml text of `sats` (LF line ends).
std::string FormatSatellitesXml(const ARR_ENIG_SAT& sats);

// Position attribute to position text: 192 gives 019.2E, -300 gives 030.0W.
std::string SatPositionText(const std::string& value);

// Position text to position attribute: 019.2E gives 0192, 030.0W gives -0300.
std::string SatPositionValue(const std::string& positionText);

// Empties Satellites, reads TheLoadDir/satellites.xml (name in any case),
// reports problems in ErrorReport and sorts by position, East first.
// Throws EInOutError when the file cannot be read.
void ReadSatXML();

// Writes TheSaveDir/satellites.xml from Satellites, replacing it.
void SaveSatXml();
