#include "app/LcidNames.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, const char*>, 58> Names{{
    {1025, "Arabic (Saudi Arabia)"},
    {1026, "Bulgarian (Bulgaria)"},
    {1027, "Catalan (Catalan)"},
    {1028, "Chinese (Traditional, Taiwan)"},
    {1029, "Czech (Czech Republic)"},
    {1030, "Danish (Denmark)"},
    {1031, "German (Germany)"},
    {1032, "Greek (Greece)"},
    {1033, "English (United States)"},
    {1034, "Spanish (Spain, Traditional Sort)"},
    {1035, "Finnish (Finland)"},
    {1036, "French (France)"},
    {1037, "Hebrew (Israel)"},
    {1038, "Hungarian (Hungary)"},
    {1039, "Icelandic (Iceland)"},
    {1040, "Italian (Italy)"},
    {1041, "Japanese (Japan)"},
    {1042, "Korean (Korea)"},
    {1043, "Dutch (Netherlands)"},
    {1044, "Norwegian, Bokm\xC3\xA5l (Norway)"},
    {1045, "Polish (Poland)"},
    {1046, "Portuguese (Brazil)"},
    {1048, "Romanian (Romania)"},
    {1049, "Russian (Russia)"},
    {1050, "Croatian (Croatia)"},
    {1051, "Slovak (Slovakia)"},
    {1052, "Albanian (Albania)"},
    {1053, "Swedish (Sweden)"},
    {1054, "Thai (Thailand)"},
    {1055, "Turkish (Turkey)"},
    {1057, "Indonesian (Indonesia)"},
    {1058, "Ukrainian (Ukraine)"},
    {1059, "Belarusian (Belarus)"},
    {1060, "Slovenian (Slovenia)"},
    {1061, "Estonian (Estonia)"},
    {1062, "Latvian (Latvia)"},
    {1063, "Lithuanian (Lithuania)"},
    {1066, "Vietnamese (Vietnam)"},
    {1069, "Basque (Basque)"},
    {1071, "Macedonian (Former Yugoslav Republic of Macedonia)"},
    {1081, "Hindi (India)"},
    {2052, "Chinese (Simplified, PRC)"},
    {2055, "German (Switzerland)"},
    {2057, "English (United Kingdom)"},
    {2058, "Spanish (Mexico)"},
    {2060, "French (Belgium)"},
    {2064, "Italian (Switzerland)"},
    {2067, "Dutch (Belgium)"},
    {2070, "Portuguese (Portugal)"},
    {2074, "Serbian (Latin, Serbia)"},
    {3079, "German (Austria)"},
    {3081, "English (Australia)"},
    {3082, "Spanish (Spain, International Sort)"},
    {3084, "French (Canada)"},
    {4105, "English (Canada)"},
    {4108, "French (Switzerland)"},
    {5129, "English (New Zealand)"},
    {6153, "English (Ireland)"},
}};

} // namespace

std::string LcidName(int lcid)
{
    const auto found = std::find_if(Names.begin(), Names.end(), [lcid](const auto& n) { return n.first == lcid; });
    if (found != Names.end())
        return found->second;
    return "Language " + std::to_string(lcid);
}
