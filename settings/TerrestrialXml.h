#pragma once

// terrestrial.xml: the receiver's terrestrial locations with their channels.

#include "settings/Model.h"
#include "settings/XmlExtras.h"

#include <string>
#include <string_view>
#include <vector>

// Report lines of the reader.
inline constexpr const char* TerXmlErrorText = "- Error(s) in terrestrial.xml";
inline constexpr const char* TerXmlNoLocationText =
    "- Some transponders in terrestrial.xml not loaded (no location reference)";

// Reads the text of a terrestrial.xml into `locations` (appended); adds the
// report lines of the problems found to `problems`.
void ParseTerrestrialXml(std::string_view text, ARR_ENIG_TER& locations, std::vector<std::string>& problems);

// The terrestrial.xml text of `locations` (UTF-8, LF line ends).
std::string FormatTerrestrialXml(const ARR_ENIG_TER& locations);

// Empties Terrestrials and reads TheLoadDir/terrestrial.xml (name in any
// case) into it, reporting problems in ErrorReport. Throws
// EInOutError when the file cannot be read.
void ReadTerrXML();

// Writes TheSaveDir/terrestrial.xml from Terrestrials, replacing it.
void SaveTerXml();
