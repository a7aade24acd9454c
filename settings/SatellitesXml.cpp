#include "settings/SatellitesXml.h"

#include "settings/ListFileIo.h"
#include "settings/TextFile.h"
#include "settings/Unit_lib.h"
#include "settings/XmlListScan.h"
#include "settings/XmlNumbers.h"
#include "settings/XmlScanner.h"

#include <utility>

namespace {

const XmlAttributeNames KnownTransponderAttributes = {
    "frequency", "symbol_rate", "polarization", "fec_inner", "inversion",
    "modulation", "system", "pilot", "rolloff"};

// An optional integer attribute: absent gives 0; present must be a number.
bool OptionalInt(const XmlTag& tag, std::string_view name, std::int32_t& value)
{
    value = 0;
    const std::string* text = tag.Find(name);
    return !text || ParseXmlInt(*text, value);
}

bool ReadPolarisation(const std::string& text, std::int32_t& value)
{
    if (text.empty()) {
        value = 0;
        return true;
    }
    if (text == "L") {
        value = 2;
        return true;
    }
    if (text == "R") {
        value = 3;
        return true;
    }
    return ParseXmlInt(text, value);
}

// The attributes with a model field, in the order they are written.
const std::pair<int, const char*> WrittenTransponderAttributes[] = {
    {SAT_FREQUENCY, "frequency"}, {SAT_SYMBOLRATE, "symbol_rate"}, {SAT_POLARISATION, "polarization"},
    {SAT_FEC, "fec_inner"},       {SAT_INVERSION, "inversion"},    {SAT_MODULATION, "modulation"},
    {SAT_SYSTEM, "system"},       {SAT_PILOT, "pilot"},            {SAT_ROLLOFF, "rolloff"}};

const std::pair<int, const char*> OptionalTransponderAttributes[] = {
    {SAT_INVERSION, "inversion"}, {SAT_MODULATION, "modulation"}, {SAT_SYSTEM, "system"},
    {SAT_PILOT, "pilot"},         {SAT_ROLLOFF, "rolloff"}};

} // namespace

std::string SatPositionText(const std::string& value)
{
    std::int32_t v = 0;
    if (!ParseXmlInt(value, v))
        return {};
    std::string digits;
    char side;
    if (v < 0) {
        digits = std::to_string(-static_cast<std::int64_t>(v)).substr(0, 4);
        side = 'W';
    } else {
        digits = std::to_string(v);
        side = 'E';
    }
    std::string s = digits + side;
    if (s.size() < 5)
        s.insert(0, 5 - s.size(), '0');
    s = s.substr(s.size() - 5);
    return s.substr(0, 3) + "." + s.substr(3, 2);
}

std::string SatPositionValue(const std::string& positionText)
{
    bool west = !positionText.empty() && (positionText.back() == 'W' || positionText.back() == 'w');
    std::string digits;
    for (char c : positionText)
        if (c != '.' && !((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            digits += c;
    digits = digits.substr(0, 4);
    return west ? "-" + digits : digits;
}

void ParseSatellitesXml(std::string_view text, ARR_ENIG_SAT& sats, std::vector<std::string>& problems)
{
    const auto onSatellite = [&](const XmlTag& tag) {
        const std::string* name = tag.Find("name");
        const std::string* position = tag.Find("position");
        TY_ENIG_SAT sat;
        if (!name || !position || !ParseXmlInt(*position, sat.Position) || !OptionalInt(tag, "flags", sat.Flags))
            return false;
        sat.Name = *name;
        sat.PositionText = SatPositionText(*position);
        sats.push_back(std::move(sat));
        return true;
    };
    const auto onTransponder = [&](const XmlTag& tag) {
        const std::string* symbolRate = tag.Find("symbol_rate");
        const std::string* polarisation = tag.Find("polarization");
        const std::string* fec = tag.Find("fec_inner");
        if (!symbolRate || !polarisation || !fec)
            return true; // not a transponder of ours: passed over
        TY_ENIG_SAT_DATA tp{};
        const std::string* frequency = tag.Find("frequency");
        if (!frequency || !ParseXmlInt(*frequency, tp[SAT_FREQUENCY]) ||
            !ParseXmlInt(*symbolRate, tp[SAT_SYMBOLRATE]) || !ReadPolarisation(*polarisation, tp[SAT_POLARISATION]) ||
            !ParseXmlInt(*fec, tp[SAT_FEC]))
            return false;
        tp.Present = 1u << SAT_FREQUENCY | 1u << SAT_SYMBOLRATE | 1u << SAT_POLARISATION | 1u << SAT_FEC;
        for (const auto& [field, name] : OptionalTransponderAttributes) {
            if (!OptionalInt(tag, name, tp[static_cast<std::size_t>(field)]))
                return false;
            if (tag.Find(name))
                tp.Present |= 1u << field;
        }
        tp.Kept = UnknownAttributes(tag, KnownTransponderAttributes);
        sats.back().Transponders.push_back(std::move(tp));
        return true;
    };
    const TXmlListScan scan = ScanXmlList(text, "satellites", "sat", onSatellite, onTransponder);
    if (scan.damaged)
        problems.push_back(SatXmlErrorText);
    if (scan.orphan)
        problems.push_back(SatXmlNoSatelliteText);
}

std::string FormatSatellitesXml(const ARR_ENIG_SAT& sats)
{
    std::string out;
    out += "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n";
    out += "<satellites>\n";
    for (const auto& sat : sats) {
        // Every satellite gets its own element, also when its name repeats
        // the one before, so the file stays well-formed and reads back the
        // same list.
        out += "\t<sat name=\"";
        out += Utf8ToLatin1Xml(XmlEscape(sat.Name));
        out += '"';
        AppendIntAttribute(out, "flags", sat.Flags);
        out += " position=\"";
        out += SatPositionValue(sat.PositionText);
        out += "\">\n";
        for (const auto& tp : sat.Transponders) {
            // A transponder read from a file writes what the file had; one
            // made in the editor everything, pilot and roll-off for DVB-S2.
            std::uint32_t written = tp.Present;
            if (written == 0) {
                written = (1u << SAT_FIELDS) - 1;
                if (tp[SAT_SYSTEM] != 1)
                    written &= ~(1u << SAT_PILOT | 1u << SAT_ROLLOFF);
            }
            out += "\t\t<transponder";
            for (const auto& [field, name] : WrittenTransponderAttributes)
                if (written & (1u << field))
                    AppendIntAttribute(out, name, tp[static_cast<std::size_t>(field)]);
            AppendXmlAttributes(out, tp.Kept, true);
            out += "/>\n";
        }
        out += "\t</sat>\n";
    }
    out += "</satellites>\n";
    return out;
}

void ReadSatXML()
{
    Satellites.clear();
    const std::string text = ReadListFile(PathInFolder(TheLoadDir, SatellitesFileName));
    std::vector<std::string> problems;
    ParseSatellitesXml(text, Satellites, problems);
    for (const auto& p : problems)
        AddToErrorReport(p);
    SortSatellitesByPosition();
}

void SaveSatXml()
{
    WriteFileReplacing(TheSaveDir + "/" + SatellitesFileName, FormatSatellitesXml(Satellites));
}
