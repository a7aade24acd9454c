#include "settings/TerrestrialXml.h"

#include "settings/ListFileIo.h"
#include "settings/TextFile.h"
#include "settings/Unit_lib.h"
#include "settings/XmlNumbers.h"
#include "settings/XmlScanner.h"

#include <set>

namespace {

const std::set<std::string, std::less<>> KnownLocationAttributes = {"name", "flags"};
const std::set<std::string, std::less<>> KnownTransponderAttributes = {"centre_frequency", "bandwidth",
                                                                       "constellation"};

XmlAttributes Unknown(const XmlTag& tag, const std::set<std::string, std::less<>>& known)
{
    XmlAttributes unknown;
    for (const auto& a : tag.attributes)
        if (!known.contains(a.name))
            unknown.push_back(a);
    return unknown;
}

bool IntAttribute(const XmlTag& tag, std::string_view name, std::int32_t& value)
{
    const std::string* text = tag.Find(name);
    return text && ParseXmlInt(*text, value);
}

void AppendIntAttribute(std::string& out, const char* name, std::int32_t value)
{
    out += ' ';
    out += name;
    out += "=\"";
    out += std::to_string(value);
    out += '"';
}

} // namespace

void ParseTerrestrialXml(std::string_view text, ARR_ENIG_TER& locations, TY_TER_XML_EXTRAS& extras,
                         std::vector<std::string>& problems)
{
    XmlScanner scanner(text);
    XmlTag tag;
    bool inRoot = false;
    bool closed = false;
    bool bad = false;
    bool orphan = false;
    std::ptrdiff_t current = -1; // as for satellites: -1 none yet, -2 dropped

    while (scanner.Next(tag)) {
        if (!inRoot) {
            inRoot = tag.name == "locations" && tag.kind == XmlTag::Start;
            continue;
        }
        if (tag.name == "locations" && tag.kind == XmlTag::End) {
            closed = true;
            break;
        }
        if (tag.kind == XmlTag::End)
            continue;
        if (tag.name == "terrestrial") {
            const std::string* name = tag.Find("name");
            TY_ENIG_TER location;
            if (!name || !IntAttribute(tag, "flags", location.Flags)) {
                bad = true;
                current = -2;
                continue;
            }
            location.Name = *name;
            XmlAttributes unknown = Unknown(tag, KnownLocationAttributes);
            if (!unknown.empty())
                extras.Locations[location.Name] = std::move(unknown);
            locations.push_back(std::move(location));
            current = static_cast<std::ptrdiff_t>(locations.size()) - 1;
        } else if (tag.name == "transponder") {
            if (current == -1) {
                orphan = true;
                continue;
            }
            if (current == -2)
                continue;
            TY_ENIG_TER_DATA tp{};
            if (!IntAttribute(tag, "centre_frequency", tp[TER_FREQUENCY]) ||
                !IntAttribute(tag, "bandwidth", tp[TER_BANDWIDTH]) ||
                !IntAttribute(tag, "constellation", tp[TER_CONSTELLATION])) {
                bad = true;
                continue;
            }
            TY_ENIG_TER& location = locations[static_cast<size_t>(current)];
            XmlAttributes unknown = Unknown(tag, KnownTransponderAttributes);
            if (!unknown.empty())
                extras.Transponders[{location.Name, tp[TER_FREQUENCY]}] = std::move(unknown);
            location.Transponders.push_back(tp);
        }
    }
    if (scanner.HadErrors() || !inRoot || !closed)
        bad = true;
    if (bad)
        problems.push_back(TerXmlErrorText);
    if (orphan)
        problems.push_back(TerXmlNoLocationText);
}

std::string FormatTerrestrialXml(const ARR_ENIG_TER& locations, const TY_TER_XML_EXTRAS& extras)
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
        auto loc = extras.Locations.find(location.Name);
        if (loc != extras.Locations.end())
            AppendXmlAttributes(out, loc->second, false);
        out += ">\n";
        for (const auto& tp : location.Transponders) {
            out += "\t\t<transponder";
            AppendIntAttribute(out, "centre_frequency", tp[TER_FREQUENCY]);
            AppendIntAttribute(out, "bandwidth", tp[TER_BANDWIDTH]);
            AppendIntAttribute(out, "constellation", tp[TER_CONSTELLATION]);
            auto it = extras.Transponders.find({location.Name, tp[TER_FREQUENCY]});
            if (it != extras.Transponders.end())
                AppendXmlAttributes(out, it->second, false);
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
    TerXmlExtras.Clear();
    std::string path = FindFileNoCase(TheLoadDir, TerrestrialFileName);
    if (path.empty())
        path = TheLoadDir + "/" + TerrestrialFileName;
    std::string text = ReadListFile(path);
    std::vector<std::string> problems;
    ParseTerrestrialXml(text, Terrestrials, TerXmlExtras, problems);
    for (const auto& p : problems)
        AddToErrorReport(p);
}

void SaveTerXml()
{
    WriteFileReplacing(TheSaveDir + "/" + TerrestrialFileName, FormatTerrestrialXml(Terrestrials, TerXmlExtras));
}
