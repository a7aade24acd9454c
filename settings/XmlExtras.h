#pragma once

// Attributes of the tuning lists that the model has no field for. Newer
// receivers write more transponder attributes (stream ids, PLS codes, code
// rates, guard intervals...) than the editor shows; they are kept beside the
// model, keyed by what identifies the element, and written back after the
// known attributes so a save does not strip them.

#include "settings/XmlScanner.h"

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

using XmlAttributes = std::vector<XmlAttribute>;
using XmlAttributeNames = std::set<std::string, std::less<>>;

// A satellite transponder: position (tenths), frequency, symbol rate and
// polarisation. Editing any of these makes it another transponder.
using SatTransponderId = std::tuple<std::int32_t, std::int32_t, std::int32_t, std::int32_t>;

// A terrestrial channel: the location's name and the centre frequency.
using TerTransponderId = std::tuple<std::string, std::int32_t>;

struct TY_SAT_XML_EXTRAS {
    std::map<SatTransponderId, XmlAttributes> Transponders;
    void Clear() { Transponders.clear(); }
};

struct TY_TER_XML_EXTRAS {
    std::map<std::string, XmlAttributes> Locations; // by location name
    std::map<TerTransponderId, XmlAttributes> Transponders;
    void Clear()
    {
        Locations.clear();
        Transponders.clear();
    }
};

// What the last read of each list found (replaced by each read).
extern TY_SAT_XML_EXTRAS SatXmlExtras;
extern TY_TER_XML_EXTRAS TerXmlExtras;

// Appends ` name="value"` for each attribute, escaped for a double-quoted
// value; latin1 converts the text for a file declared ISO-8859-1.
void AppendXmlAttributes(std::string& out, const XmlAttributes& attributes, bool latin1);

// The attributes of `tag` whose names are not in `known`, in file order.
XmlAttributes UnknownAttributes(const XmlTag& tag, const XmlAttributeNames& known);

// Appends ` name="value"` for a number attribute.
void AppendIntAttribute(std::string& out, const char* name, std::int32_t value);
