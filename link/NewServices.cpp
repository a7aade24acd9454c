#include "link/NewServices.h"

#include "settings/Fields.h"

#include <vector>

namespace {

std::string ReplaceAll(std::string s, const std::string& from, const std::string& to)
{
    std::size_t pos = 0;
    while ((pos = s.find(from, pos)) != std::string::npos) {
        s.replace(pos, from.size(), to);
        pos += to.size();
    }
    return s;
}

} // namespace

bool ParseNewServiceLine(const std::string& line, TY_ENIG_NEW_CH& out)
{
    if (line.empty() || line.find("error") != std::string::npos)
        return false;
    // Reference and texts are separated by ";" or ":"; one separator between
    // the reference's own closing ":" and the name.
    std::string svc = ReplaceAll(ReplaceAll(line, ";", ":"), "::", ":");
    std::vector<std::string> f;
    SplitFieldsTo(f, svc, {0, 0, 0, 4, 4, 4, 8, 0, 0, 0, 0, 0, 0}, ':');
    if (f.size() < 11)
        return false;
    // Service references are written in hexadecimal, the type too (19 is an
    // HD TV service, type 25).
    std::int32_t type = 0;
    if (!TryParseHex(f[2], type))
        return false;
    out = TY_ENIG_NEW_CH{};
    out.Sid = f[3];
    out.ServiceType = type;
    out.Namespace = f[6];
    out.Tsid = f[4];
    out.Onid = f[5];
    out.Name = Utf8ToAnsiClean(f[10]);
    out.Field12 = f.size() > 11 ? f[11] : std::string();
    return true;
}
