#pragma once

#include <string>

// Deletes the settings files the program writes from `folder`: lamedb,
// services, bouquets, bouquets.tv, bouquets.radio, userbouquets.tv.epl,
// userbouquets.radio.epl, blacklist, whitelist, services.locked,
// satellites.xml, terrestrial.xml and userbouquet.*.tv / userbouquet.*.radio,
// names compared in lower case. Every other file stays (a user's
// "notes.tv.txt" too); failures are ignored.
void CleanSettingsDir(const std::string& folder);

// True when `name` is one of the settings files CleanSettingsDir deletes.
bool IsSettingsFileName(const std::string& name);
