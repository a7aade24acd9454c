#include "settings/XmlNumbers.h"

#include "settings/Fields.h"

bool ParseXmlInt(std::string_view text, std::int32_t& value)
{
    // XML attribute values may carry blanks around a number.
    return TryParseInt(Trim(text), value);
}
