#pragma once

// The providers file "bouquets": providers with the services they carry.

#include "settings/Model.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* ProvidersMissingText = "- Some providers not loaded (no channel reference)";
inline constexpr const char* ProvidersErrorText = "- Error(s) in bouquets file";

// Number of lines of TheLoadDir/bouquets that are "/" after trimming (the
// provider count); 0 when the file is missing.
std::int32_t CountBouquet();

// Reads the text of a providers file against `services` and appends the
// providers; `counter` becomes one more than the largest absolute id read
// (1 when none). Report lines of the problems go to `problems`.
void ParseProviders(std::string_view text, const ARR_ENIG_CH& services, ARR_ENIG_PR& providers,
                    std::int32_t& counter, std::vector<std::string>& problems,
                    const std::function<void(std::int32_t)>& progress = {});

// The providers file text of `providers` for `version` (LF line ends). A
// member whose service number is no longer in `services` is left out.
std::string FormatProviders(const ARR_ENIG_PR& providers, const ARR_ENIG_CH& services,
                            const ARR_ENIG_TP& transponders, std::int32_t version);

// Empties Providers and reads TheLoadDir/bouquets (name in any case) into
// it; sets ProviderCounter and reports in ErrorReport. EInOutError when the
// file cannot be read.
void LoadPr();

// Writes TheSaveDir/bouquets from Providers for EnigmaVersion.
void SavePr();
