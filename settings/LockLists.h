#pragma once

// The parental-lock lists: the black list ("services.locked" for Enigma 1,
// "blacklist" otherwise) and the Enigma 2 white list ("whitelist"). They
// name locked (allowed) services, providers and user bouquets; the model
// keeps the membership as the Black and White marks.

#include "settings/Model.h"

#include <string>
#include <string_view>

// Sets the marks of kind `kind` ('B' black, 'W' white) for every reference
// of the list text that names a known service, provider or bouquet.
// Unknown references are ignored. Marks are only set, never cleared.
void ApplyLockList(std::string_view text, char kind, ARR_ENIG_CH& services, const ARR_ENIG_TP& transponders,
                   ARR_ENIG_PR& providers, ARR_ENIG_UB& tvBouquets, ARR_ENIG_UB& radioBouquets);

// The list text of kind `kind` (LF line ends): marked services, then
// providers, TV bouquets and radio bouquets, each in array order. `sdir` is
// the settings folder on the receiver.
std::string FormatLockList(char kind, const ARR_ENIG_CH& services, const ARR_ENIG_TP& transponders,
                           const ARR_ENIG_PR& providers, const ARR_ENIG_UB& tvBouquets,
                           const ARR_ENIG_UB& radioBouquets, const std::string& sdir);

// Reads the list of that kind from TheLoadDir (name in any case) and sets
// the marks. EInOutError when the file cannot be read.
void LoadLockedAllowed(char kind);

// Writes the list of that kind into TheSaveDir, replacing it.
void SaveLockedAllowed(char kind);
