#pragma once

// Attributes of the tuning lists that the model has no field for. Newer
// receivers write more transponder attributes (stream ids, PLS codes, code
// rates, guard intervals...) than the editor shows; each element keeps its
// own (the Kept member of the model's records), written back after the
// known attributes so a save does not strip them.

#include "settings/Model.h"
#include "settings/XmlScanner.h"

#include <cstdint>
#include <functional>
#include <set>
#include <string>

using XmlAttributeNames = std::set<std::string, std::less<>>;

// Appends ` name="value"` for each attribute, escaped for a double-quoted
// value; latin1 converts the text for a file declared ISO-8859-1.
void AppendXmlAttributes(std::string& out, const XmlAttributes& attributes, bool latin1);

// The attributes of `tag` whose names are not in `known`, in file order.
XmlAttributes UnknownAttributes(const XmlTag& tag, const XmlAttributeNames& known);

// Appends ` name="value"` for a number attribute.
void AppendIntAttribute(std::string& out, const char* name, std::int32_t value);
