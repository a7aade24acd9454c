#include "app/XmlListEdit.h"

#include "app/DialogFields.h"
#include "app/TransponderEdit.h"
#include "settings/Fields.h"
#include "settings/FolderIO.h"
#include "settings/Sorting.h"
#include "settings/Unit_lib.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace {

void SatChanged()
{
    Modified = true;
    SatListHeld = true;
}
void TerChanged()
{
    Modified = true;
    TerListHeld = true;
}

bool WholeNumber(std::string_view text, std::int32_t& value)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos &&
           TryParseInt(text, value);
}

// "value × 1000" of an .ini field, false when it is no number or overflows.
bool Thousands(std::string_view text, std::int32_t& value)
{
    std::int32_t v = 0;
    if (!WholeNumber(Trim(text), v) || v > 2147483)
        return false;
    value = v * 1000;
    return true;
}

std::int32_t IniFec(std::string_view f)
{
    static const std::pair<const char*, int> map[] = {{"12", 1}, {"23", 2}, {"34", 3}, {"35", 7}, {"45", 8},
                                                      {"56", 4}, {"78", 5}, {"89", 6}, {"910", 9}};
    for (const auto& [text, fec] : map)
        if (f == text)
            return fec;
    return 0;
}

template <class T>
void EraseByIndexes(std::vector<T>& arr, std::vector<std::int32_t> indexes)
{
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    for (auto it = indexes.rbegin(); it != indexes.rend(); ++it)
        if (*it >= 0 && static_cast<std::size_t>(*it) < arr.size())
            arr.erase(arr.begin() + *it);
}

} // namespace

bool ExistTp(std::int32_t sat, std::int32_t frequency, std::int32_t system, std::int32_t fec, std::int32_t symbolRate,
             std::int32_t polarisation)
{
    for (const TY_ENIG_SAT_DATA& t : Satellites[static_cast<std::size_t>(sat)].Transponders)
        if (t[SAT_FREQUENCY] == frequency && t[SAT_POLARISATION] == polarisation &&
            t[SAT_SYMBOLRATE] == symbolRate && t[SAT_FEC] == fec && t[SAT_SYSTEM] == system)
            return true;
    return false;
}

TIniImport ImportIniText(const std::string& text)
{
    TIniImport r;
    std::vector<std::string> lines;
    {
        std::istringstream in(text);
        for (std::string l; std::getline(in, l);) {
            if (!l.empty() && l.back() == '\r')
                l.pop_back();
            lines.push_back(std::move(l));
        }
    }
    std::size_t i = 0;
    while (i < lines.size() && lines[i].find("[SATTYPE]") == std::string::npos)
        ++i;
    if (i >= lines.size() || lines[i] != "[SATTYPE]" || i + 1 >= lines.size())
        return r;
    const std::string& posLine = lines[++i];
    std::int32_t t = 0;
    if (posLine.size() < 3 || !WholeNumber(Trim(std::string_view(posLine).substr(2, 5)), t) || t > 3600)
        return r;
    r.FormatOk = true;
    const bool west = t > 1800;
    const std::int32_t tenths = west ? 3600 - t : t;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d", tenths);
    const std::string position = std::string(buf, 3) + "." + buf[3] + (west ? "W" : "E");
    std::string name;
    if (i + 1 < lines.size()) {
        const std::string& nameLine = lines[++i];
        if (nameLine.size() > 2)
            name = nameLine.substr(2, 25);
    }
    const std::string caption = name + " (" + position + ")";

    std::int32_t sat = -1;
    for (std::size_t s = 0; s < Satellites.size(); ++s)
        if (Satellites[s].PositionText == position) {
            sat = static_cast<std::int32_t>(s);
            break;
        }
    if (sat < 0) {
        TY_ENIG_SAT added;
        added.Name = caption;
        added.Flags = SATFLAG_NETWORK_SCAN;
        added.PositionText = position;
        added.Position = west ? -tenths : tenths;
        Satellites.push_back(added);
        sat = static_cast<std::int32_t>(Satellites.size() - 1);
        r.NewCaption = caption;
        SatChanged();
    }
    while (++i < lines.size() && lines[i].rfind("0=", 0) != 0) {
    }
    for (++i; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        if (l.empty() || l[0] == ';')
            continue;
        const std::size_t eq = l.find('=');
        if (eq == std::string::npos) {
            ++r.Skipped;
            continue;
        }
        const std::string rest = l.substr(eq + 1, 20) + ",";
        std::vector<std::string> f;
        std::size_t start = 0;
        for (std::size_t c = rest.find(','); c != std::string::npos; c = rest.find(',', start)) {
            f.push_back(rest.substr(start, c - start));
            start = c + 1;
        }
        std::int32_t frequency = 0, symbolRate = 0;
        if (f.size() < 3 || !Thousands(f[0], frequency) || !Thousands(f[2], symbolRate)) {
            ++r.Skipped;
            continue;
        }
        const std::int32_t pol = f[1] == "V" ? 1 : 0;
        std::int32_t fec = 0, system = 0;
        if (f.size() > 3 && !f[3].empty()) {
            fec = IniFec(f[3]);
            const std::size_t fecEnd = f[0].size() + f[1].size() + f[2].size() + f[3].size() + 4;
            system = rest.substr(std::min(fecEnd, rest.size())) == "S2," ? 1 : 0;
        }
        if (ExistTp(sat, frequency, system, fec, symbolRate, pol))
            continue;
        TY_ENIG_SAT_DATA tp{};
        tp[SAT_FREQUENCY] = frequency;
        tp[SAT_SYMBOLRATE] = symbolRate;
        tp[SAT_POLARISATION] = pol;
        tp[SAT_FEC] = fec;
        if (system == 1) {
            tp[SAT_SYSTEM] = 1;
            tp[SAT_MODULATION] = 2;
            tp[SAT_PILOT] = 2;
        }
        Satellites[static_cast<std::size_t>(sat)].Transponders.push_back(tp);
        ++r.Inserted;
        SatChanged();
    }
    SortSatellitesByPosition();
    return r;
}

std::string IniReport(const TIniImport& r)
{
    std::string s = "Report\n\nSatellite inserted is : " + r.NewCaption + "\nTransponder inserted  : " +
                    std::to_string(r.Inserted);
    if (r.Skipped > 0)
        s += "\nLines not understood  : " + std::to_string(r.Skipped);
    return s;
}

std::int32_t AppendSatellite()
{
    TY_ENIG_SAT s;
    s.Name = "New Sat";
    s.PositionText = "0.0E";
    Satellites.push_back(s);
    SatChanged();
    return static_cast<std::int32_t>(Satellites.size() - 1);
}

std::int32_t AppendSatTransponder(std::int32_t sat)
{
    TY_ENIG_SAT_DATA tp{};
    tp[SAT_FREQUENCY] = 10000000;
    tp[SAT_SYMBOLRATE] = 10000000;
    auto& list = Satellites[static_cast<std::size_t>(sat)].Transponders;
    list.push_back(tp);
    SatChanged();
    return static_cast<std::int32_t>(list.size() - 1);
}

std::int32_t AppendLocation()
{
    TY_ENIG_TER t;
    t.Name = "New Location";
    Terrestrials.push_back(t);
    TerChanged();
    return static_cast<std::int32_t>(Terrestrials.size() - 1);
}

std::int32_t AppendTerTransponder(std::int32_t location)
{
    TY_ENIG_TER_DATA tp{};
    tp[TER_FREQUENCY] = 100000000;
    tp[TER_BANDWIDTH] = 3;
    tp[TER_CONSTELLATION] = 3;
    auto& list = Terrestrials[static_cast<std::size_t>(location)].Transponders;
    list.push_back(tp);
    TerChanged();
    return static_cast<std::int32_t>(list.size() - 1);
}

void DeleteSatellites(std::vector<std::int32_t> indexes)
{
    EraseByIndexes(Satellites, std::move(indexes));
    SatChanged();
}
void DeleteLocations(std::vector<std::int32_t> indexes)
{
    EraseByIndexes(Terrestrials, std::move(indexes));
    TerChanged();
}
void DeleteSatTransponders(std::int32_t sat, std::vector<std::int32_t> indexes)
{
    EraseByIndexes(Satellites[static_cast<std::size_t>(sat)].Transponders, std::move(indexes));
    SatChanged();
}
void DeleteTerTransponders(std::int32_t location, std::vector<std::int32_t> indexes)
{
    EraseByIndexes(Terrestrials[static_cast<std::size_t>(location)].Transponders, std::move(indexes));
    TerChanged();
}

std::optional<std::string> StoreSatellite(std::int32_t sat, const std::string& name, const std::string& position,
                                          std::int32_t flags)
{
    const auto p = NormalizePosition(position);
    if (!p)
        return "'" + position + "' is not a satellite position (for example 019.2E or 030.0W)";
    TY_ENIG_SAT& s = Satellites[static_cast<std::size_t>(sat)];
    s.Name = name;
    s.PositionText = *p;
    s.Position = PositionTenths(*p);
    s.Flags = flags;
    SatChanged();
    return std::nullopt;
}

void StoreLocation(std::int32_t location, const std::string& name, std::int32_t flags)
{
    TY_ENIG_TER& t = Terrestrials[static_cast<std::size_t>(location)];
    t.Name = name;
    t.Flags = flags;
    TerChanged();
}

std::optional<TXmlError> StoreSatTransponder(std::int32_t sat, std::int32_t index, const TSatTpFields& f)
{
    std::int32_t frequency = 0, symbolRate = 0;
    if (!WholeNumber(f.Frequency, frequency))
        return TXmlError{TXmlField::Frequency, NotIntegerText(f.Frequency)};
    if (!WholeNumber(f.SymbolRate, symbolRate))
        return TXmlError{TXmlField::SymbolRate, NotIntegerText(f.SymbolRate)};
    TY_ENIG_SAT_DATA& tp = Satellites[static_cast<std::size_t>(sat)].Transponders[static_cast<std::size_t>(index)];
    SetSatValue(tp, SAT_FREQUENCY, frequency);
    SetSatValue(tp, SAT_POLARISATION, f.Polarisation);
    SetSatValue(tp, SAT_SYMBOLRATE, symbolRate);
    SetSatValue(tp, SAT_FEC, f.Fec);
    SetSatValue(tp, SAT_INVERSION, f.Inversion);
    SetSatValue(tp, SAT_MODULATION, f.Modulation);
    SetSatValue(tp, SAT_SYSTEM, f.System);
    if (f.System == 1) {
        SetSatValue(tp, SAT_PILOT, f.Pilot);
        SetSatValue(tp, SAT_ROLLOFF, f.RollOff);
    }
    SatChanged();
    return std::nullopt;
}

std::optional<TXmlError> StoreTerTransponder(std::int32_t location, std::int32_t index, const std::string& frequency,
                                             std::int32_t bandwidth, std::int32_t constellation)
{
    std::int32_t v = 0;
    if (!WholeNumber(frequency, v))
        return TXmlError{TXmlField::Frequency, NotIntegerText(frequency)};
    TY_ENIG_TER_DATA& tp =
        Terrestrials[static_cast<std::size_t>(location)].Transponders[static_cast<std::size_t>(index)];
    tp[TER_FREQUENCY] = v;
    tp[TER_BANDWIDTH] = bandwidth;
    tp[TER_CONSTELLATION] = constellation;
    TerChanged();
    return std::nullopt;
}
