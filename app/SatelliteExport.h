#pragma once

// The export of the developer form: each satellite goes into the table
// "satellites", each of its transponders into "transponders", one INSERT
// at a time through the dataset.

#include "settings/Model.h"

#include <functional>
#include <string>

class TMySQLDatasetBase;

// The INSERT of one satellite. Texts are escaped through the dataset's driver.
std::string SatelliteStatement(TMySQLDatasetBase& ds, const TY_ENIG_SAT& sat);
// The INSERT of one transponder of the satellite whose row id is satId.
std::string TransponderStatement(TMySQLDatasetBase& ds, const std::string& satId, const TY_ENIG_SAT_DATA& tp);

// Writes every satellite with its transponders, logging each position text
// first. The first failure raises EMySQLError and stops the export; the
// rows written before it stay.
void ExportSatellites(TMySQLDatasetBase& ds, const ARR_ENIG_SAT& sats,
                      const std::function<void(const std::string&)>& log);
