#include "settings/NameTables.h"
#include "settings/Fields.h"

const std::array<std::string, 4> VersionNames = {"ENIGMA", "ENIGMA 2.3", "ENIGMA 2.4", "ENIGMA QB-ONE"};
std::array<std::string, 3> TpKindNames = {"Satellite", "Terrestrial", "Cable"};
const std::array<std::string, 16> FecNames = {"Auto", "1/2", "2/3", "3/4", "5/6", "7/8", "8/9", "3/5",
                                              "4/5",  "9/10", "",  "",    "",    "",    "",    "None"};
const std::array<std::string, 16> FecNamesDvbS = {"Auto", "1/2", "2/3", "3/4", "5/6", "7/8", "", "",
                                                  "",     "",    "",    "",    "",    "",    "", "None"};
std::array<std::string, 4> PolarisationNames = {"Horizontal", "Vertical", "Left", "Right"};
std::array<std::string, 3> InversionNames = {"Off", "On", "Unknown"};
const std::array<std::string, 2> SystemNames = {"DVB-S", "DVB-S2"};
const std::array<std::string, 4> ModulationNames = {"Auto", "Qpsk", "M8psk", "QAM"};
const std::array<std::string, 4> RollOffNames = {"Alpha 0/35", "Alpha 0/25", "Alpha 0/20", "Alpha Auto"};
std::array<std::string, 3> PilotNames = {"Off", "On", "Unknown"};
std::array<std::string, 2> ScanFlagNames = {"None", "Scan only free"};
const std::array<std::string, 4> BandwidthNames = {"8 MHz", "7 MHz", "6 MHz", "Auto"};
const std::array<std::string, 4> ConstellationNames = {"QPSK", "16-QAM", "64-QAM", "Auto"};

std::string VersionName(std::int32_t version)
{
    if (version < 2 || version > 5)
        return {};
    return VersionNames[static_cast<std::size_t>(version - 2)];
}

std::string ServiceTypeText(std::int32_t serviceType)
{
    switch (serviceType) {
    case 1:
    case 4:
    case 25:
        return "TV";
    case 2:
        return "Radio";
    default:
        return "Data";
    }
}

std::string FecIndexToText(const std::string& fecIndex, const std::string& keep)
{
    std::int32_t i = -1;
    if (!TryParseInt(Trim(fecIndex), i) || !((i >= 0 && i <= 9) || i == 15))
        return keep;
    return FecNames[static_cast<std::size_t>(i)];
}

std::string FecTextToIndex(const std::string& fecText)
{
    for (std::size_t i = 0; i <= 9; ++i)
        if (FecNames[i] == fecText)
            return std::to_string(i);
    return "15";
}
