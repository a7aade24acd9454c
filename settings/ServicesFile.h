#pragma once

// The services file ("services", Enigma 1) and lamedb (Enigma 2): reader and
// writer for settings versions 2 to 5.

#include "settings/Model.h"

#include <cstdint>
#include <string>

// The footer line the writer puts after the last "end".
extern const std::string ServicesFooter;

// ErrorReport lines of a file without the transponders or the services
// section.
inline constexpr const char* NoTransponderSectionText = "- No transponders in services file";
inline constexpr const char* NoServiceSectionText = "- No services in services file";

// Reads the header and the transponders section of `path`, appends to
// `transponders` and sets the version of the header with SetEnigmaVer.
// EInOutError when the file cannot be read. A header without a version 2..5
// is reported in ErrorReport and the current version is kept; a transponder
// with a bad number is skipped with a line in ErrorReport.
void LoadTp(ARR_ENIG_TP& transponders, const std::string& path);

// Reads the services section of `path` against `transponders` and appends
// to `services`. With setCounter, ServiceCounter becomes the number after the
// last loaded service (200 when none). Damaged entries are repaired in
// memory, never on disk, and reported in ErrorReport.
void LoadChannel(ARR_ENIG_CH& services, const ARR_ENIG_TP& transponders, bool setCounter,
                 const std::string& path);

// Number of service entries of `path` after the in-memory repair; adds the
// repair line to ErrorReport when entries had to be repaired.
std::int32_t CountServices(const std::string& path);

// Writes TheSaveDir + "/" + ServicesFileName in the format of EnigmaVersion,
// replacing the file only once the new one is complete. EInOutError when it
// cannot be written.
void SaveService();
