// satellites.xml and terrestrial.xml readers on arbitrary bytes; whatever
// they read must write out and read back to the same list.

#include "settings/SatellitesXml.h"
#include "settings/TerrestrialXml.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    {
        ARR_ENIG_SAT sats;
        std::vector<std::string> problems;
        ParseSatellitesXml(text, sats, problems);
        // Position texts come from numbers; the writer's position comes from
        // the text. Keep the pair consistent as the editor does.
        for (auto& s : sats)
            s.Position = std::atoi(SatPositionValue(s.PositionText).c_str());
        std::string written = FormatSatellitesXml(sats);
        ARR_ENIG_SAT back;
        std::vector<std::string> backProblems;
        ParseSatellitesXml(written, back, backProblems);
        if (back.size() != sats.size() || !backProblems.empty())
            std::abort();
        for (size_t i = 0; i < sats.size(); ++i)
            if (back[i].Name != sats[i].Name || back[i].Transponders.size() != sats[i].Transponders.size())
                std::abort();
    }
    {
        ARR_ENIG_TER locations;
        std::vector<std::string> problems;
        ParseTerrestrialXml(text, locations, problems);
        std::string written = FormatTerrestrialXml(locations);
        ARR_ENIG_TER back;
        std::vector<std::string> backProblems;
        ParseTerrestrialXml(written, back, backProblems);
        if (back != locations || !backProblems.empty())
            std::abort();
    }
    return 0;
}
