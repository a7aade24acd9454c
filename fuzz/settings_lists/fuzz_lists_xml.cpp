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
        TY_SAT_XML_EXTRAS extras;
        std::vector<std::string> problems;
        ParseSatellitesXml(text, sats, extras, problems);
        // Position texts come from numbers; the writer's position comes from
        // the text. Keep the pair consistent as the editor does.
        for (auto& s : sats)
            s.Position = std::atoi(SatPositionValue(s.PositionText).c_str());
        std::string written = FormatSatellitesXml(sats, extras);
        ARR_ENIG_SAT back;
        TY_SAT_XML_EXTRAS backExtras;
        std::vector<std::string> backProblems;
        ParseSatellitesXml(written, back, backExtras, backProblems);
        if (back.size() != sats.size() || !backProblems.empty())
            std::abort();
        for (size_t i = 0; i < sats.size(); ++i)
            if (back[i].Name != sats[i].Name || back[i].Transponders.size() != sats[i].Transponders.size())
                std::abort();
    }
    {
        ARR_ENIG_TER locations;
        TY_TER_XML_EXTRAS extras;
        std::vector<std::string> problems;
        ParseTerrestrialXml(text, locations, extras, problems);
        std::string written = FormatTerrestrialXml(locations, extras);
        ARR_ENIG_TER back;
        TY_TER_XML_EXTRAS backExtras;
        std::vector<std::string> backProblems;
        ParseTerrestrialXml(written, back, backExtras, backProblems);
        if (back != locations || !backProblems.empty())
            std::abort();
    }
    return 0;
}
