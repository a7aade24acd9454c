#include "settings/TerrestrialXml.h"

#include "settings/ListFileIo.h"
#include "settings/TextFile.h"
#include "settings/Unit_lib.h"
#include "settings/XmlListScan.h"
#include "settings/XmlNumbers.h"
#include "settings/XmlScanner.h"

namespace {

const XmlAttributeNames KnownLocationAttributes = {"name", "flags"};
const XmlAttributeNames KnownTransponderAttributes = {"centre_frequency", "bandwidth", "constellation"};

bool IntAttribute(const XmlTag& tag, std::string_view name, std::int32_t& value)
{
    const std::string* text = tag.Find(name);
    return text && ParseXmlInt(*text, value);
}

} // namespace

void ParseTerrestrialXml(std::string_view text, ARR_ENIG_TER& locations, std::vector<std::string>& problems)
{
    const auto onLocation = [&](const XmlTag& tag) {
        const std::string* name = tag.Find("name");
        TY_ENIG_TER location;
        if (!name || !IntAttribute(tag, "flags", location.Flags))
            return false;
        location.Name = *name;
        location.Kept = UnknownAttributes(tag, KnownLocationAttributes);
        locations.push_back(std::move(location));
        return true;
    };
    const auto onTransponder = [&](const XmlTag& tag) {
        TY_ENIG_TER_DATA tp{};
        if (!IntAttribute(tag, "centre_frequency", tp[TER_FREQUENCY]) ||
            !IntAttribute(tag, "bandwidth", tp[TER_BANDWIDTH]) ||
            !IntAttribute(tag, "constellation", tp[TER_CONSTELLATION]))
            return false;
        tp.Kept = UnknownAttributes(tag, KnownTransponderAttributes);
        locations.back().Transponders.push_back(std::move(tp));
        return true;
    };
    const TXmlListScan scan = ScanXmlList(text, "locations", "terrestrial", onLocation, onTransponder);
    if (scan.damaged)
        problems.push_back(TerXmlErrorText);
    if (scan.orphan)
        problems.push_back(TerXmlNoLocationText);
}

std::string FormatTerrestrialXml(const ARR_ENIG_TER& locations)
{
    std::string out;
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<locations>\n";
    for (const auto& location : locations) {
        // Each location its own element, also when a name repeats.
        out += "\t<terrestrial name=\"";
        out += XmlEscape(location.Name);
        out += '"';
        AppendIntAttribute(out, "flags", location.Flags);
        AppendXmlAttributes(out, location.Kept, false);
        out += ">\n";
        for (const auto& tp : location.Transponders) {
            out += "\t\t<transponder";
            AppendIntAttribute(out, "centre_frequency", tp[TER_FREQUENCY]);
            AppendIntAttribute(out, "bandwidth", tp[TER_BANDWIDTH]);
            AppendIntAttribute(out, "constellation", tp[TER_CONSTELLATION]);
            AppendXmlAttributes(out, tp.Kept, false);
            out += "/>\n";
        }
        out += "\t</terrestrial>\n";
    }
    out += "</locations>\n";
    return out;
}

void ReadTerrXML()
{
    Terrestrials.clear();
    const std::string text = ReadListFile(PathInFolder(TheLoadDir, TerrestrialFileName));
    std::vector<std::string> problems;
    ParseTerrestrialXml(text, Terrestrials, problems);
    for (const auto& p : problems)
        AddToErrorReport(p);
}

void SaveTerXml()
{
    WriteFileReplacing(TheSaveDir + "/" + TerrestrialFileName, FormatTerrestrialXml(Terrestrials));
}
