#include "dbexport/MySQLFieldLayouts.h"

namespace {

std::string Text(const char* s) { return s ? std::string(s) : std::string(); }

template <class Record>
void ReadCommon(const Record& f, TMySQLFieldDesc& d)
{
    d.Name = Text(f.name);
    d.Table = Text(f.table);
    d.HasDefault = f.def != nullptr;
    d.Default = Text(f.def);
    d.Length = static_cast<uint32_t>(f.length);
    d.MaxLength = static_cast<uint32_t>(f.max_length);
    d.Flags = f.flags;
    d.Decimals = f.decimals;
    d.Type = static_cast<uint8_t>(f.type);
}

} // namespace

TMySQLFieldDesc ReadFieldRecord(const void* record, int clientVer)
{
    TMySQLFieldDesc d;
    if (!record)
        return d;
    if (clientVer >= 40100) {
        const auto& f = *static_cast<const TMySQLField41*>(record);
        ReadCommon(f, d);
        d.OrgName = Text(f.org_name);
        if (clientVer != 40100) {
            d.OrgTable = Text(f.org_table);
            d.Database = Text(f.db);
        }
    } else if (clientVer >= 40000) {
        ReadCommon(*static_cast<const TMySQLField40*>(record), d);
    } else {
        ReadCommon(*static_cast<const TMySQLField323*>(record), d);
    }
    return d;
}
