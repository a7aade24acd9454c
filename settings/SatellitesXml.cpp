#include "settings/SatellitesXml.h"

#include "settings/ListFileIo.h"
#include "settings/TextFile.h"
#include "settings/Unit_lib.h"
#include "settings/XmlListScan.h"
#include "settings/XmlNumbers.h"
#include "settings/XmlScanner.h"

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

void ParseSatellitesXml(std::string_view text, ARR_ENIG_SAT& sats, TY_SAT_XML_EXTRAS& extras,
                        std::vector<std::string>& problems)
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
            !ParseXmlInt(*fec, tp[SAT_FEC]) || !OptionalInt(tag, "inversion", tp[SAT_INVERSION]) ||
            !OptionalInt(tag, "modulation", tp[SAT_MODULATION]) || !OptionalInt(tag, "system", tp[SAT_SYSTEM]) ||
            !OptionalInt(tag, "pilot", tp[SAT_PILOT]) || !OptionalInt(tag, "rolloff", tp[SAT_ROLLOFF]))
            return false;
        TY_ENIG_SAT& sat = sats.back();
        XmlAttributes unknown = UnknownAttributes(tag, KnownTransponderAttributes);
        if (!unknown.empty())
            extras.Transponders[{sat.Position, tp[SAT_FREQUENCY], tp[SAT_SYMBOLRATE], tp[SAT_POLARISATION]}] =
                std::move(unknown);
        sat.Transponders.push_back(tp);
        return true;
    };
    const TXmlListScan scan = ScanXmlList(text, "satellites", "sat", onSatellite, onTransponder);
    if (scan.damaged)
        problems.push_back(SatXmlErrorText);
    if (scan.orphan)
        problems.push_back(SatXmlNoSatelliteText);
}

std::string FormatSatellitesXml(const ARR_ENIG_SAT& sats, const TY_SAT_XML_EXTRAS& extras)
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
            out += "\t\t<transponder";
            AppendIntAttribute(out, "frequency", tp[SAT_FREQUENCY]);
            AppendIntAttribute(out, "symbol_rate", tp[SAT_SYMBOLRATE]);
            AppendIntAttribute(out, "polarization", tp[SAT_POLARISATION]);
            AppendIntAttribute(out, "fec_inner", tp[SAT_FEC]);
            AppendIntAttribute(out, "inversion", tp[SAT_INVERSION]);
            AppendIntAttribute(out, "modulation", tp[SAT_MODULATION]);
            AppendIntAttribute(out, "system", tp[SAT_SYSTEM]);
            if (tp[SAT_SYSTEM] == 1) {
                AppendIntAttribute(out, "pilot", tp[SAT_PILOT]);
                AppendIntAttribute(out, "rolloff", tp[SAT_ROLLOFF]);
            }
            auto it = extras.Transponders.find(
                {sat.Position, tp[SAT_FREQUENCY], tp[SAT_SYMBOLRATE], tp[SAT_POLARISATION]});
            if (it != extras.Transponders.end())
                AppendXmlAttributes(out, it->second, true);
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
    SatXmlExtras.Clear();
    const std::string text = ReadListFile(PathInFolder(TheLoadDir, SatellitesFileName));
    std::vector<std::string> problems;
    ParseSatellitesXml(text, Satellites, SatXmlExtras, problems);
    for (const auto& p : problems)
        AddToErrorReport(p);
    SortSatellitesByPosition();
}

void SaveSatXml()
{
    WriteFileReplacing(TheSaveDir + "/" + SatellitesFileName, FormatSatellitesXml(Satellites, SatXmlExtras));
}
