#include "settings/XmlExtras.h"

TY_SAT_XML_EXTRAS SatXmlExtras;
TY_TER_XML_EXTRAS TerXmlExtras;

void AppendXmlAttributes(std::string& out, const XmlAttributes& attributes, bool latin1)
{
    for (const auto& a : attributes) {
        std::string value = XmlEscape(a.value);
        out += ' ';
        out += a.name;
        out += "=\"";
        out += latin1 ? Utf8ToLatin1Xml(value) : value;
        out += '"';
    }
}
