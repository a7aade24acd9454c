#pragma once

#include "settings/Model.h"

#include <cstdint>
#include <string>
#include <vector>

// Which files a transfer moves for a receiver profile, and the checks on
// names that come from the receiver.

// Settings version a profile of `type` is read in: 2 for type 1, 3 for
// type 2, 4 for types 3 and 4.
std::int32_t ReadVersionOfProfileType(std::int32_t type);
// Version a profile of `type` is written in: 2, 3 or 4 for types 1, 2, 3;
// type 4 keeps `loadedVersion`.
std::int32_t WriteVersionOfProfileType(std::int32_t type, std::int32_t loadedVersion);
// Enigma 2 receivers (types 2 and 3) have the /web interface and Telnet.
bool IsEnigma2ProfileType(std::int32_t type);

// The fixed remote paths of a read, in order (without the user-bouquet
// listings, which follow them).
std::vector<std::string> FixedDownloads(const TY_PROFILES& profile);
// The listing patterns that follow: S + "/*.tv", S + "/*.radio".
std::vector<std::string> BouquetListings(const TY_PROFILES& profile);

// The part after the last "/".
std::string BaseName(const std::string& remotePath);
// A name the receiver listed may become a local file name only when it is
// not empty, not "." or "..", and holds no path separator or control
// character.
bool IsSafeFileName(const std::string& name);
// "userbouquet." in the name and ending in ".tv" or ".radio" (lower case).
bool IsUserBouquetFileName(const std::string& name);
// The files a loadable folder of `version` must hold.
std::vector<std::string> RequiredFiles(std::int32_t version);
