// The connection component and the dataset as a stored form keeps them:
// which properties are written (most only when they differ from their
// defaults), reading them back with the older forms' properties, and the
// component's connect after loading.

#include "dbexport/DbPropertyStream.h"
#include "dbexport/MySQLDataset.h"
#include "dbexport/MySQLServer.h"

#include <cstdlib>
#include <iterator>

namespace {

const char* const kDatasetOptionNames[] = {
    "doShareConnection", "doTransactions",    "doRecursiveUpdates", "doCachedUpdates", "doThreadedUpdate",
    "doAutoCreate",      "doCreateTemp",      "doDropIfExists",     "doFieldsAsString", "doRetrieveFieldValues",
    "doRetrieveIndexDefs", "doMacrosEnabled", "doMacroCheck",       "do2KStrToMemo",   "doSmallMemoToStr",
    "doEnumToBool",      "doTinyIntToBool",   "doSetToWord",        "doEditCalcFields", "doUseCursor",
    "doSingleSQL"};

struct Member {
    const char* name;
    uint32_t bit;
};
const Member kServerOptionNames[] = {
    {"coLongPassword", coLongPassword}, {"coFoundRows", coFoundRows},         {"coLongFlag", coLongFlag},
    {"coConnectWithDB", coConnectWithDB}, {"coNoSchema", coNoSchema},         {"coCompress", coCompress},
    {"coODBC", coODBC},                 {"coLocalFiles", coLocalFiles},       {"coIgnoreSpace", coIgnoreSpace},
    {"coProtocol41", coProtocol41},     {"coInteractive", coInteractive},     {"coIgnoreSigpipe", coIgnoreSigpipe},
    {"coTransactions", coTransactions}, {"coSecureConnection", coSecureConnection},
    {"coMultiQueries", coMultiQueries}, {"soAutoCreate", soAutoCreate},       {"soDropIfExists", soDropIfExists},
    {"soCloseOnChildren", soCloseOnChildren}};

const char* const kFieldTypeNames[] = {"ftUnknown", "ftString",   "ftSmallint", "ftInteger", "ftWord",
                                       "ftBoolean", "ftFloat",    "ftCurrency", "ftDate",    "ftTime",
                                       "ftDateTime", "ftBlob",    "ftMemo",     "ftFixedChar", "ftLargeint",
                                       "ftVariant", "ftTimeStamp", "ftAutoInc"};

using cf::SameText;

[[noreturn]] void Bad(const TStoredProperty& p)
{
    throw EDatabaseError("Invalid property value for " + p.Name);
}

void Expect(const TStoredProperty& p, TStoredProperty::Kind kind)
{
    if (p.Type != kind)
        Bad(p);
}

std::vector<std::string> DatasetMembers(uint32_t options)
{
    std::vector<std::string> out;
    for (size_t b = 0; b < std::size(kDatasetOptionNames); ++b)
        if (options & (1u << b))
            out.push_back(kDatasetOptionNames[b]);
    return out;
}

uint32_t DatasetOptionsFrom(const TStoredProperty& p)
{
    Expect(p, TStoredProperty::Set);
    uint32_t o = 0;
    for (const std::string& m : p.Items) {
        size_t b = 0;
        while (b < std::size(kDatasetOptionNames) && m != kDatasetOptionNames[b])
            ++b;
        if (b == std::size(kDatasetOptionNames))
            Bad(p);
        o |= 1u << b;
    }
    return o;
}

TFieldType FieldTypeFrom(const std::string& name)
{
    for (size_t t = 0; t < std::size(kFieldTypeNames); ++t)
        if (name == kFieldTypeNames[t])
            return static_cast<TFieldType>(t);
    throw EDatabaseError("Invalid field type " + name);
}

std::string Join(const std::vector<std::string>& lines, const char* sep)
{
    std::string out;
    for (size_t k = 0; k < lines.size(); ++k)
        out += (k ? sep : "") + lines[k];
    return out;
}

// A template is kept unless it is the one the dataset starts with.
bool DiffersFromTemplate(const std::string& text, const std::string& tmpl)
{
    const std::string asList = text.size() >= 1 && text.back() == '\n' ? text : text + "\r\n";
    return !SameText(asList, tmpl + "\r\n");
}

std::vector<std::string> TabFields(const std::string& line)
{
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        out.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            return out;
        start = tab + 1;
    }
}

} // namespace

const char* const TMySQLDatasetBase::kSQLTemplate =
    "select [$FIELDS] from [$TABLENAME] [JOIN] [WHERE] [GROUPBY] [ORDER] [LIMIT]";
const char* const TMySQLDatasetBase::kSQLUpdateTemplate =
    "update [$TABLENAME] set [$MODIFIED$FIELDS&VALUES] where [$PRIMARYFIELDS&VALUES]";
const char* const TMySQLDatasetBase::kSQLInsertTemplate = "insert into [$TABLENAME] set [$MODIFIED$FIELDS&VALUES]";
const char* const TMySQLDatasetBase::kSQLDeleteTemplate = "delete from [$TABLENAME] where [$PRIMARYFIELDS&VALUES]";

void TMySQLDatasetBase::WriteProperties(TPropertyStream& s) const
{
    if (options_ != DefaultOptions())
        s.WriteSet("Options", DatasetMembers(options_));
    if (!databaseName_.empty())
        s.WriteString("DatabaseName", databaseName_);
    if (!tableName_.empty())
        s.WriteString("TableName", tableName_);
    if (!FieldName.empty())
        s.WriteString("FieldName", FieldName);
    if (resultType_ != rtLocal)
        s.WriteIdent("ResultType", resultType_ == rtIncremental ? "rtIncremental" : "rtUnidirectional");
    if (ReadOnly)
        s.WriteBoolean("ReadOnly", true);
    if (Cursor != -17)
        s.WriteInteger("Cursor", Cursor);
    if (MacroDel() != "[,]")
        s.WriteString("MacroDel", MacroDel());
    if (DiffersFromTemplate(SQLText(), kSQLTemplate))
        s.WriteLines("SQL.Strings", sql_);
    if (DiffersFromTemplate(SQLUpdate, kSQLUpdateTemplate))
        s.WriteLines("SQLUpdate.Strings", SplitStoredLines(SQLUpdate));
    if (DiffersFromTemplate(SQLInsert, kSQLInsertTemplate))
        s.WriteLines("SQLInsert.Strings", SplitStoredLines(SQLInsert));
    if (DiffersFromTemplate(SQLDelete, kSQLDeleteTemplate))
        s.WriteLines("SQLDelete.Strings", SplitStoredLines(SQLDelete));
    if (!SQLBatch.empty())
        s.WriteLines("SQLBatch.Strings", SplitStoredLines(SQLBatch));
    if ((options_ & doMacrosEnabled) && !(options_ & doMacroCheck)) {
        std::vector<std::string> lines;
        for (const TMacroParam& m : Macros) {
            std::string line = m.Name + "\t" + kFieldTypeNames[m.DataType] + "\t" + (m.Input ? "1" : "0");
            if (!IsNullValue(m.Value))
                line += "\t" + ValueText(m.Value);
            lines.push_back(line);
        }
        s.WriteLines("Macros", lines);
    }
    if ((options_ & doAutoCreate) && !tableName_.empty()) {
        std::vector<std::string> defs, indexes;
        for (const TFieldDef& d : FieldDefs)
            defs.push_back(d.Name + "\t" + kFieldTypeNames[d.DataType] + "\t" + std::to_string(d.Size) + "\t" +
                           std::to_string(d.Precision) + "\t" + (d.Required ? "1" : "0") + "\t" +
                           (d.Fixed ? "1" : "0"));
        for (const TIndexDef& x : IndexDefs)
            indexes.push_back(x.Name + "\t" + x.Fields + "\t" + (x.Primary ? "1" : "0") + "\t" +
                              (x.Unique ? "1" : "0"));
        s.WriteLines("FieldDefs", defs);
        s.WriteLines("IndexDefs", indexes);
    }
    if (!CustomFieldDefs.empty()) {
        std::vector<std::string> defs;
        for (const TFieldDef& d : CustomFieldDefs)
            defs.push_back(d.Name + "\t" + kFieldTypeNames[d.DataType] + "\t" + std::to_string(d.Size));
        s.WriteLines("CustomFieldDefs", defs);
    }
    if (!filter_.empty())
        s.WriteString("Filter", filter_);
    if (filtered_)
        s.WriteBoolean("Filtered", true);
    if (!masterFields_.empty())
        s.WriteString("MasterFields", masterFields_);
}

void TMySQLDatasetBase::ReadProperties(const TPropertyStream& s)
{
    for (const TStoredProperty& p : s.Properties()) {
        const std::string& n = p.Name;
        auto text = [&] {
            Expect(p, TStoredProperty::Text);
            return p.String;
        };
        auto lines = [&] {
            Expect(p, TStoredProperty::Lines);
            return p.Items;
        };
        auto flag = [&] {
            Expect(p, TStoredProperty::Boolean);
            return p.Flag;
        };
        auto setBit = [&](uint32_t bit, bool on) { SetOptions(on ? (options_ | bit) : (options_ & ~bit)); };
        if (n == "Options")
            SetOptions(DatasetOptionsFrom(p));
        // Older forms kept these two as properties of their own.
        else if (n == "AllFieldValues")
            setBit(doRetrieveFieldValues, flag());
        else if (n == "MacrosEnabled")
            setBit(doMacrosEnabled, flag());
        else if (n == "DatabaseName")
            SetDatabaseName(text());
        else if (n == "TableName")
            SetTableName(text());
        else if (n == "FieldName")
            FieldName = text();
        else if (n == "ResultType") {
            Expect(p, TStoredProperty::Ident);
            if (p.String == "rtLocal")
                SetResultType(rtLocal);
            else if (p.String == "rtIncremental")
                SetResultType(rtIncremental);
            else if (p.String == "rtUnidirectional")
                SetResultType(rtUnidirectional);
            else
                Bad(p);
        } else if (n == "ReadOnly")
            ReadOnly = flag();
        else if (n == "Cursor") {
            Expect(p, TStoredProperty::Integer);
            Cursor = static_cast<int>(p.Number);
        } else if (n == "MacroDel")
            SetMacroDel(text());
        else if (n == "SQL.Strings")
            SetSQLText(Join(lines(), "\r\n"));
        else if (n == "SQLUpdate.Strings")
            SQLUpdate = Join(lines(), "\r\n");
        else if (n == "SQLInsert.Strings")
            SQLInsert = Join(lines(), "\r\n");
        else if (n == "SQLDelete.Strings")
            SQLDelete = Join(lines(), "\r\n");
        else if (n == "SQLBatch.Strings")
            SQLBatch = Join(lines(), "\r\n");
        else if (n == "Macros") {
            for (const std::string& line : lines()) {
                const std::vector<std::string> f = TabFields(line);
                if (f.size() < 3)
                    Bad(p);
                TMacroParam* m = FindMacro(f[0]);
                if (!m) {
                    Macros.push_back(TMacroParam{f[0], ftUnknown, false, TValue{}});
                    m = &Macros.back();
                }
                m->DataType = FieldTypeFrom(f[1]);
                m->Input = f[2] == "1";
                m->Value = f.size() > 3 ? TValue{line.substr(f[0].size() + f[1].size() + f[2].size() + 3)}
                                        : TValue{};
            }
        } else if (n == "FieldDefs" || n == "CustomFieldDefs") {
            std::vector<TFieldDef>& target = n == "FieldDefs" ? FieldDefs : CustomFieldDefs;
            target.clear();
            for (const std::string& line : lines()) {
                const std::vector<std::string> f = TabFields(line);
                if (f.size() < 3)
                    Bad(p);
                TFieldDef d;
                d.Name = f[0];
                d.DataType = FieldTypeFrom(f[1]);
                d.Size = std::atoi(f[2].c_str());
                if (f.size() >= 6) {
                    d.Precision = std::atoi(f[3].c_str());
                    d.Required = f[4] == "1";
                    d.Fixed = f[5] == "1";
                }
                target.push_back(d);
            }
        } else if (n == "IndexDefs") {
            IndexDefs.clear();
            for (const std::string& line : lines()) {
                const std::vector<std::string> f = TabFields(line);
                if (f.size() != 4)
                    Bad(p);
                IndexDefs.push_back(TIndexDef{f[0], f[1], f[2] == "1", f[3] == "1"});
            }
        } else if (n == "Filter")
            SetFilter(text());
        else if (n == "Filtered")
            SetFiltered(flag());
        else if (n == "MasterFields")
            SetMasterFields(text());
        else
            throw EDatabaseError("Property " + n + " does not exist");
    }
}

void TMySQLServer::WriteProperties(TPropertyStream& s) const
{
    if (!databaseName_.empty())
        s.WriteString("DatabaseName", databaseName_);
    if (host_ != "localhost")
        s.WriteString("Host", host_);
    if (port_ != 3306)
        s.WriteInteger("Port", port_);
    if (userName_ != "root")
        s.WriteString("UserName", userName_);
    if (!password_.empty())
        s.WriteString("Password", password_);
    if (LoginPrompt)
        s.WriteBoolean("LoginPrompt", true);
    if (driverKind_ != dtDirect)
        s.WriteIdent("DriverKind", driverKind_ == dtEmbedded ? "dtEmbedded" : "dtLibrary");
    if (protocol_ != ptTCP)
        s.WriteIdent("Protocol", "ptPipe");
    if (options_ != kDefaultOptions) {
        std::vector<std::string> members;
        for (const Member& m : kServerOptionNames)
            if (options_ & m.bit)
                members.push_back(m.name);
        s.WriteSet("Options", members);
    }
    if (!params_.empty())
        s.WriteLines("Params.Strings", SplitStoredLines(params_));
    if (handle_)
        s.WriteBoolean("Connected", true);
}

void TMySQLServer::ReadProperties(const TPropertyStream& s)
{
    bool storedConnected = false;
    for (const TStoredProperty& p : s.Properties()) {
        const std::string& n = p.Name;
        auto text = [&] {
            Expect(p, TStoredProperty::Text);
            return p.String;
        };
        if (n == "DatabaseName")
            SetDatabaseName(text());
        else if (n == "Host")
            SetHost(text());
        else if (n == "Port") {
            Expect(p, TStoredProperty::Integer);
            if (p.Number < 0 || p.Number > 65535)
                Bad(p);
            SetPort(static_cast<uint16_t>(p.Number));
        } else if (n == "UserName")
            SetUserName(text());
        else if (n == "Password")
            SetPassword(text());
        else if (n == "LoginPrompt") {
            Expect(p, TStoredProperty::Boolean);
            LoginPrompt = p.Flag;
        } else if (n == "DriverKind") {
            Expect(p, TStoredProperty::Ident);
            if (p.String == "dtDirect")
                SetDriverKind(dtDirect);
            else if (p.String == "dtEmbedded")
                SetDriverKind(dtEmbedded);
            else if (p.String == "dtLibrary")
                SetDriverKind(dtLibrary);
            else
                Bad(p);
        } else if (n == "Protocol") {
            Expect(p, TStoredProperty::Ident);
            if (p.String != "ptTCP" && p.String != "ptPipe")
                Bad(p);
            SetProtocol(p.String == "ptTCP" ? ptTCP : ptPipe);
        } else if (n == "Options") {
            Expect(p, TStoredProperty::Set);
            TMySQLServerOptions o = 0;
            for (const std::string& name : p.Items) {
                const Member* found = nullptr;
                for (const Member& m : kServerOptionNames)
                    if (name == m.name)
                        found = &m;
                if (!found)
                    Bad(p);
                o |= found->bit;
            }
            SetOptions(o);
        } else if (n == "Params.Strings") {
            Expect(p, TStoredProperty::Lines);
            SetParams(Join(p.Items, "\r\n") + (p.Items.empty() ? "" : "\r\n"));
        } else if (n == "Connected") {
            Expect(p, TStoredProperty::Boolean);
            storedConnected = p.Flag;
        } else {
            throw EDatabaseError("Property " + n + " does not exist");
        }
    }
    Loaded(storedConnected);
}
