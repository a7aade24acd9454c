#include "app/DialogFields.h"

#include "settings/Fields.h"
#include "settings/NameTables.h"

#include <cstdio>

std::string ShowId(const std::string& hex, bool decimal)
{
    if (!decimal || hex.empty())
        return hex;
    if (hex.size() > 8 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return hex;
    return std::to_string(std::stoul(hex, nullptr, 16));
}

std::optional<std::string> IdFromText(const std::string& text, bool decimal, bool emptyAllowed)
{
    if (text.empty())
        return emptyAllowed ? std::optional<std::string>(std::string()) : std::nullopt;
    if (text.size() > (decimal ? 5u : 4u))
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (!decimal && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (!decimal && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return std::nullopt;
        value = value * (decimal ? 10u : 16u) + static_cast<std::uint32_t>(digit);
    }
    if (value > 0xFFFFu)
        return std::nullopt;
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04X", value);
    return std::string(buf);
}

std::string TpListText(const TY_ENIG_TP& tp)
{
    return tp.Position + " " + tp.Frequency + " " + (tp.Polarisation == "0" ? "H " : "V ") + " " + tp.SymbolRate +
           " " + FecIndexToText(tp.Fec);
}

std::string NotIntegerText(const std::string& text) { return "'" + text + "' is not a valid integer value"; }
