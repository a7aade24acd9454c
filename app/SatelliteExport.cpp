#include "app/SatelliteExport.h"
#include "dbexport/MySQLDataset.h"
#include "settings/NameTables.h"

#include <array>

namespace {

const char Q = '"';

// A table entry, or nothing for an index outside the table.
template <size_t N>
std::string Name(const std::array<std::string, N>& table, int32_t index)
{
    return index >= 0 && static_cast<size_t>(index) < N ? table[static_cast<size_t>(index)] : std::string();
}

std::string Quoted(TMySQLDatasetBase& ds, const std::string& text)
{
    return Q + ds.Driver().Escape(text) + Q;
}

} // namespace

std::string SatelliteStatement(TMySQLDatasetBase& ds, const TY_ENIG_SAT& sat)
{
    return "insert into satellites set name=" + Quoted(ds, sat.Name) + ",position=" + Quoted(ds, sat.PositionText);
}

std::string TransponderStatement(TMySQLDatasetBase& ds, const std::string& satId, const TY_ENIG_SAT_DATA& tp)
{
    const std::string pol = Name(PolarisationNames, tp[SAT_POLARISATION]).substr(0, 1);
    return "insert into transponders set sat_id=" + satId + ",frequency=" + std::to_string(tp[SAT_FREQUENCY]) +
           ",polarity=" + Quoted(ds, pol) + ",symbolrate=" + std::to_string(tp[SAT_SYMBOLRATE]) +
           ",fec=" + Quoted(ds, Name(FecNames, tp[SAT_FEC])) +
           ",inversion=" + Quoted(ds, Name(InversionNames, tp[SAT_INVERSION])) +
           ",system=" + Quoted(ds, Name(SystemNames, tp[SAT_SYSTEM])) +
           ",modulation=" + Quoted(ds, Name(ModulationNames, tp[SAT_MODULATION])) +
           ",rolloff=" + Quoted(ds, Name(RollOffNames, tp[SAT_ROLLOFF])) +
           ",pilot=" + Quoted(ds, Name(PilotNames, tp[SAT_PILOT]));
}

void ExportSatellites(TMySQLDatasetBase& ds, const ARR_ENIG_SAT& sats,
                      const std::function<void(const std::string&)>& log)
{
    for (const TY_ENIG_SAT& sat : sats) {
        if (log)
            log(sat.PositionText);
        // Closed first: a statement equal to the one before (two identical
        // transponders) would otherwise leave the dataset open and be skipped.
        ds.Close();
        ds.SetSQLText(SatelliteStatement(ds, sat));
        ds.Open();
        // The id the server gave this satellite, not its place in the list:
        // the table may hold satellites already.
        const std::string satId = ds.InsertId();
        for (const TY_ENIG_SAT_DATA& tp : sat.Transponders) {
            ds.Close();
            ds.SetSQLText(TransponderStatement(ds, satId, tp));
            ds.Open();
        }
    }
}
