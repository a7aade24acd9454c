#include "settings/XmlListScan.h"

TXmlListScan ScanXmlList(std::string_view text, std::string_view root, std::string_view group,
                         const std::function<bool(const XmlTag&)>& onGroup,
                         const std::function<bool(const XmlTag&)>& onTransponder)
{
    enum class Group { None, Taken, Dropped };
    TXmlListScan result;
    XmlScanner scanner(text);
    XmlTag tag;
    bool inRoot = false;
    bool closed = false;
    Group current = Group::None;

    while (scanner.Next(tag)) {
        if (!inRoot) {
            inRoot = tag.name == root && tag.kind == XmlTag::Start;
            continue;
        }
        if (tag.name == root && tag.kind == XmlTag::End) {
            closed = true;
            break;
        }
        if (tag.kind == XmlTag::End)
            continue;
        if (tag.name == group) {
            current = onGroup(tag) ? Group::Taken : Group::Dropped;
            if (current == Group::Dropped)
                result.damaged = true;
        } else if (tag.name == "transponder") {
            if (current == Group::None)
                result.orphan = true;
            else if (current == Group::Taken && !onTransponder(tag))
                result.damaged = true;
        }
    }
    if (scanner.HadErrors() || !inRoot || !closed)
        result.damaged = true;
    return result;
}
