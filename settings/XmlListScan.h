#pragma once

// The outline satellites.xml and terrestrial.xml share: a root element
// (satellites, locations) holding groups (sat, terrestrial) that hold
// transponders. The readers only say what a group and a transponder are.

#include "settings/XmlScanner.h"

#include <functional>
#include <string_view>

struct TXmlListScan {
    // Not well-formed, no closed root, or a group or transponder rejected.
    bool damaged = false;
    // A transponder before any group: there is nothing to add it to.
    bool orphan = false;
};

// Scans `text`. `onGroup` gets each group's start tag and gives false to
// reject it: the transponders inside then go with it. `onTransponder` gets
// each transponder of an accepted group (the latest one) and gives false
// when its values are bad. Nothing else is looked at.
TXmlListScan ScanXmlList(std::string_view text, std::string_view root, std::string_view group,
                         const std::function<bool(const XmlTag&)>& onGroup,
                         const std::function<bool(const XmlTag&)>& onTransponder);
