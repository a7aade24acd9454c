#include "settings/XmlExtras.h"

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

XmlAttributes UnknownAttributes(const XmlTag& tag, const XmlAttributeNames& known)
{
    XmlAttributes unknown;
    for (const auto& a : tag.attributes)
        if (!known.contains(a.name))
            unknown.push_back(a);
    return unknown;
}

void AppendIntAttribute(std::string& out, const char* name, std::int32_t value)
{
    out += ' ';
    out += name;
    out += "=\"";
    out += std::to_string(value);
    out += '"';
}
