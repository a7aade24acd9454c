#include "settings/Namespace.h"
#include "settings/Fields.h"

#include <cmath>
#include <cstdio>

bool IsValidOnidTsid(std::int32_t onid, std::int32_t tsid)
{
    switch (onid) {
    case 0:
    case 0x1111:
    case 0xFFFF:
        return false;
    case 1:
        return tsid > 1;
    case 2:
        return tsid != 2024;
    case 0xB1:
        return tsid != 0xB0;
    default:
        return true;
    }
}

namespace {

// Position in tenths of a degree; a text with "," is degrees.
std::int32_t PositionTenths(const std::string& position)
{
    const std::string_view text = Trim(position);
    if (text.find(',') == std::string_view::npos)
        return ParseInt(text);
    std::string dotted(text);
    for (char& c : dotted)
        if (c == ',')
            c = '.';
    char* end = nullptr;
    const double degrees = std::strtod(dotted.c_str(), &end);
    if (end == dotted.c_str() || *end != '\0' || !std::isfinite(degrees) || std::fabs(degrees) > 1e6)
        throw EConvertError("'" + position + "' is not a valid floating point value");
    return static_cast<std::int32_t>(std::lround(degrees * 10.0));
}

} // namespace

std::string CalcNamespace(const std::string& kind, const std::string& tsid, const std::string& onid,
                          const std::string& frequency, const std::string& position)
{
    const char k = kind.empty() ? 'S' : kind[0];
    if (k == 't' || k == 'T')
        return std::to_string(static_cast<std::int32_t>(0xEEEE0000u));
    if (k == 'c' || k == 'C')
        return std::to_string(static_cast<std::int32_t>(0xFFFF0000u));
    std::int32_t p = PositionTenths(position);
    if (p > 1800)
        p -= 3600;
    std::uint32_t low = 0;
    if (!IsValidOnidTsid(ParseHex(Trim(onid)), ParseHex(Trim(tsid))))
        low = static_cast<std::uint32_t>(StrToIntNoDots(frequency)) & 0xFFFFu;
    const std::uint32_t ns = (static_cast<std::uint32_t>(p) << 16) | low;
    return std::to_string(static_cast<std::int32_t>(ns));
}

std::string NamespaceHex(const std::string& decimalNamespace)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08X", static_cast<std::uint32_t>(ParseInt(Trim(decimalNamespace))));
    return buf;
}
