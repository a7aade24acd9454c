#pragma once

#include <string>

// Deletes the receiver settings files of `folder` (lamedb, services,
// settings, bouquets, blacklist, whitelist, services.locked, satellites.xml,
// terrestrial.xml and every name holding ".radio", ".tv" or ".epl", compared
// in lower case). Every other file stays; failures are ignored.
void CleanSettingsDir(const std::string& folder);

// True when `name` is one of the settings files CleanSettingsDir deletes.
bool IsSettingsFileName(const std::string& name);
