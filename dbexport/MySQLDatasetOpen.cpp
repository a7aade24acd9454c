// The dataset's open road: properties, the connection it runs on, the
// statement run, the column information and the row fetch.

#include "dbexport/MySQLDataset.h"
#include "dbexport/MySQLServer.h"
#include "dbexport/MySQLSplitter.h"
#include "dbexport/uMysqlClient.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <cstring>
#include <set>

std::function<void(int cursor)> MySQLSetScreenCursor;

namespace {

using cf::SameText;

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// The wait cursor for the length of a scope.
class CursorScope {
public:
    CursorScope(bool on, int cursor) : on_(on && MySQLSetScreenCursor)
    {
        if (on_)
            MySQLSetScreenCursor(cursor);
    }
    ~CursorScope()
    {
        if (on_)
            MySQLSetScreenCursor(0);
    }

private:
    bool on_;
};

} // namespace

TMySQLDatasetBase::TMySQLDatasetBase()
{
    SetSQLText(kSQLTemplate);
    SQLUpdate = kSQLUpdateTemplate;
    SQLInsert = kSQLInsertTemplate;
    SQLDelete = kSQLDeleteTemplate;
}

TMySQLDatasetBase::~TMySQLDatasetBase()
{
    while (openWorkers_ > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    *alive_ = false;
    try {
        Close();
    } catch (...) {
    }
    if (server_)
        server_->UnRegisterClient(this);
    if (ownDriver_ && ownHandle_)
        ownDriver_->Close(ownHandle_);
}

std::string TMySQLDatasetBase::JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& l : lines)
        text += l + "\r\n";
    return text;
}

void TMySQLDatasetBase::CloseOnChange()
{
    if (TDataSet::Active())
        Close();
}

void TMySQLDatasetBase::SetServer(TMySQLServer* s)
{
    if (s == server_)
        return;
    CloseOnChange();
    if (server_)
        server_->UnRegisterClient(this);
    if (ownDriver_ && ownHandle_)
        ownDriver_->Close(ownHandle_);
    ownDriver_.reset();
    server_ = s;
    if (server_)
        server_->RegisterClient(this);
}

void TMySQLDatasetBase::ConnectionGone()
{
    server_ = nullptr;
}

void TMySQLDatasetBase::SetDatabaseName(const std::string& name)
{
    if (name == databaseName_)
        return;
    CloseOnChange();
    databaseName_ = name;
}

void TMySQLDatasetBase::SetTableName(const std::string& name)
{
    if (name == tableName_)
        return;
    CloseOnChange();
    tableName_ = name;
}

void TMySQLDatasetBase::SetSQLText(const std::string& text)
{
    if (SameText(text, SQLText()) || SameText(text + "\r\n", SQLText()))
        return;
    CloseOnChange();
    sql_ = SplitLines(text);
    CollectMacros(SQLText());
}

void TMySQLDatasetBase::SetOptions(TMySQLDatasetOptions o)
{
    if (o & doSetToWord)
        o |= doRetrieveFieldValues;
    if (o == options_)
        return;
    CloseOnChange();
    const bool cachedOff = (options_ & doCachedUpdates) && !(o & doCachedUpdates);
    options_ = o;
    if (options_ & doShareConnection)
        resultType_ = rtLocal;
    if (cachedOff)
        RunCached();
}

void TMySQLDatasetBase::SetResultType(TMySQLResultOptions r)
{
    if (r == resultType_)
        return;
    CloseOnChange();
    resultType_ = r;
    if (r != rtLocal)
        options_ &= ~static_cast<uint32_t>(doShareConnection);
}

void TMySQLDatasetBase::SetShareConnection(bool on)
{
    SetOptions(on ? (options_ | doShareConnection) : (options_ & ~static_cast<uint32_t>(doShareConnection)));
}

void TMySQLDatasetBase::SetCachedUpdates(bool on)
{
    if (on == CachedUpdates())
        return;
    if (on) {
        options_ |= doCachedUpdates;
        return;
    }
    options_ &= ~static_cast<uint32_t>(doCachedUpdates);
    RunCached();
    if (TDataSet::Active()) {
        Refresh();
        DataEvent(deDataSetChange);
    }
}

TMySQLBase& TMySQLDatasetBase::Driver()
{
    if (!server_)
        throw EMySQLError("No dataset server selected for open");
    if (ShareConnection())
        return server_->DriverProperties();
    if (!ownDriver_) {
        switch (server_->DriverKind()) {
        case dtLibrary: {
            auto lib = std::make_unique<TMySQLLibrary>();
            lib->LibraryName = static_cast<TMySQLLibrary&>(server_->DriverProperties()).LibraryName;
            ownDriver_ = std::move(lib);
            break;
        }
        case dtEmbedded: ownDriver_ = std::make_unique<TMySQLEmbedded>(); break;
        default: ownDriver_ = std::make_unique<TMySQLDirect>(); break;
        }
        ownDriver_->SetOptions(server_->DriverProperties().Options());
    }
    return *ownDriver_;
}

void TMySQLDatasetBase::Prepare()
{
    if (TDataSet::Active() && handle_)
        return;
    if (!server_)
        throw EMySQLError("No dataset server selected for open");
    if (!server_->Connected())
        server_->Open();
    if (!server_->Connected())
        throw EMySQLError("Dataset server could not connect");
    if (ShareConnection()) {
        handle_ = server_->Handle();
    } else {
        TMySQLBase& d = Driver();
        if (!ownHandle_) {
            const uint32_t flags = server_->Options() & kServerFlagMask;
            const std::string db = (flags & coConnectWithDB) ? server_->DatabaseName() : std::string();
            ownHandle_ = d.Connect(server_->Host(), server_->UserName(), db, flags, server_->Port(),
                                   server_->Password());
            if (!server_->DatabaseName().empty())
                d.SelectDb(ownHandle_, server_->DatabaseName());
        }
        handle_ = ownHandle_;
    }
    if (!handle_)
        throw EMySQLError("No server connection");
    if (!databaseName_.empty())
        Driver().SelectDb(handle_, databaseName_);
}

void TMySQLDatasetBase::ReleaseResult()
{
    if (!result_)
        return;
    TMySQLBase& d = Driver();
    while (d.FetchRow(result_)) {
    }
    d.FreeResult(result_);
}

void TMySQLDatasetBase::SendStatement(std::string statement)
{
    TMySQLBase& d = Driver();
    if (d.ServerVer() < 32200 && !statement.empty() && statement.back() == ';')
        statement.pop_back();
    lastSQL_ = statement;
    ReleaseResult();
    d.Query(handle_, statement);
    result_ = d.UseResult(handle_);
    insertId_ = d.ServerVer() < 32112 ? "0" : d.InsertId(handle_);
    affectedRows_ = d.AffectedRows(handle_);
    info_ = d.Info(handle_);
}

void TMySQLDatasetBase::RunOpenSQL()
{
    CursorScope cursor((options_ & doUseCursor) != 0, Cursor);
    if (sql_.empty())
        throw EMySQLError("Must have SQL");
    const std::string text = SQLText();
    std::vector<std::string> statements;
    if (options_ & doSingleSQL)
        statements.push_back(text);
    else
        statements = SplitStatements(text);
    for (std::string s : statements) {
        if (options_ & doMacrosEnabled)
            s = Expand(s);
        bool go = true;
        if (OnExecSQL)
            OnExecSQL(this, s, go);
        if (!go)
            throw EAbort();
        SendStatement(s);
    }
    infos_.clear();
    tables_.clear();
    if (result_)
        BuildColumnInfo();
}

void TMySQLDatasetBase::AddKey(std::string& list, const std::string& name)
{
    if (!list.empty())
        list += ",";
    list += name;
}

void TMySQLDatasetBase::BuildColumnInfo()
{
    TMySQLBase& d = Driver();
    infos_.clear();
    tables_.clear();
    primaryKeys_.clear();
    uniqueKeys_.clear();
    multipleKeys_.clear();
    databases_.clear();
    aliases_.clear();
    std::set<std::string> dbs, als;
    const unsigned n = d.NumFields(result_);
    for (unsigned i = 0; i < n; ++i) {
        const TMySQLFieldDesc f = d.FetchField(result_);
        TFieldInfo fi;
        fi.Name = f.Name;
        fi.OrgName = f.OrgName.empty() ? f.Name : f.OrgName;
        fi.Table = f.Table.find('#') != std::string::npos ? std::string() : f.Table;
        fi.OrgTable = f.OrgTable.empty() ? fi.Table : f.OrgTable;
        if (fi.Table.empty())
            fi.OrgTable.clear();
        fi.Database = f.Database;
        fi.Default = f.Default;
        fi.HasDefault = f.HasDefault;
        fi.Type = f.Type;
        fi.Length = f.Length;
        fi.MaxLength = f.MaxLength;
        fi.Decimals = f.Decimals;
        fi.Flags = f.Flags;
        // Master/detail: the master's value is the default of a linked column.
        if (master_ && master_->Active() && !master_->IsEmpty()) {
            for (const auto& [detail, masterName] : [&] {
                     std::vector<std::pair<std::string, std::string>> pairs;
                     for (int k = 1;; ++k) {
                         const std::string pair = ExtractWord(k, masterFields_, ",;");
                         if (pair.empty())
                             break;
                         const size_t eq = pair.find('=');
                         if (eq != std::string::npos)
                             pairs.emplace_back(pair.substr(0, eq), pair.substr(eq + 1));
                     }
                     return pairs;
                 }()) {
                if (SameText(detail, fi.Name))
                    if (TField* mf = master_->FindField(masterName); mf && !mf->IsNull()) {
                        fi.Default = mf->AsString();
                        fi.HasDefault = true;
                    }
            }
        }
        if (fi.Flags & fiEnum)
            fi.Type = FIELD_TYPE_ENUM;
        if (fi.Flags & fiSet)
            fi.Type = FIELD_TYPE_SET;
        if ((options_ & do2KStrToMemo) &&
            (fi.Type == 15 || fi.Type == 253 || fi.Type == 254) && fi.Length > 2048) {
            fi.Type = FIELD_TYPE_BLOB;
            fi.Flags |= fiBlob;
        }
        if (fi.Type >= 249 && fi.Type <= 252)
            fi.Flags |= fiBlob;
        if ((options_ & doFieldsAsString) && !(fi.Type >= 249 && fi.Type <= 252)) {
            fi.Type = 253;
            fi.Length = 255;
        }
        if ((options_ & doSmallMemoToStr) && (fi.Flags & fiBlob) && !(fi.Flags & fiBinary) &&
            fi.Length <= 65535) {
            fi.Type = 253;
            fi.Flags &= ~static_cast<uint32_t>(fiBlob);
        }
        if (!fi.Database.empty())
            dbs.insert(fi.Database);
        if (!fi.Table.empty()) {
            als.insert(fi.Table);
            auto t = std::find_if(tables_.begin(), tables_.end(),
                                  [&](const TTableInfo& ti) { return ti.Alias == fi.Table; });
            if (t == tables_.end()) {
                TTableInfo ti;
                ti.Alias = fi.Table;
                ti.OrgTable = fi.OrgTable;
                ti.Database = fi.Database;
                tables_.push_back(ti);
                t = tables_.end() - 1;
            }
            if (fi.Flags & fiPrimaryKey)
                AddKey(t->PrimaryKeys, fi.OrgName);
            if (fi.Flags & fiUniqueKey)
                AddKey(t->UniqueKeys, fi.OrgName);
            if (fi.Flags & fiMultipleKey)
                AddKey(t->MultipleKeys, fi.OrgName);
        }
        infos_.push_back(fi);
    }
    for (const TFieldDef& cd : CustomFieldDefs) {
        TFieldInfo fi;
        fi.Name = fi.OrgName = cd.Name;
        fi.Table = fi.OrgTable = "MyDatasetCustomTable";
        fi.Length = static_cast<uint32_t>(cd.Size);
        fi.Type = 253;
        fi.InResult = false;
        if (cd.DataType == ftBlob)
            fi.Flags = 0;
        if (cd.DataType == ftMemo)
            fi.Flags = fiBlob;
        infos_.push_back(fi);
    }
    databases_.assign(dbs.begin(), dbs.end());
    aliases_.assign(als.begin(), als.end());

    // Field names: shared names take their qualified name, then a number.
    const bool singleDb = databases_.size() <= 1 &&
                          (databaseName_.empty() || databases_.empty() || databaseName_ == databases_[0]);
    for (size_t i = 0; i < infos_.size(); ++i) {
        TFieldInfo& fi = infos_[i];
        const size_t same = std::count_if(infos_.begin(), infos_.end(),
                                          [&](const TFieldInfo& o) { return o.Name == fi.Name; });
        fi.FieldName = fi.Name;
        if (same > 1) {
            std::string q;
            if (!singleDb && !fi.Database.empty())
                q = fi.Database + ".";
            if (!fi.Table.empty())
                q += fi.Table + ".";
            fi.FieldName = q + fi.Name;
        }
    }
    for (size_t i = 0; i < infos_.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (infos_[j].FieldName == infos_[i].FieldName) {
                infos_[i].FieldName = "_" + std::to_string(i + 1) + infos_[i].FieldName;
                break;
            }
    uint32_t offset = 0;
    const bool singleTable = aliases_.size() == 1;
    for (TFieldInfo& fi : infos_) {
        fi.Offset = offset;
        offset += fi.Length + 1;
        std::string qn;
        if (!fi.Database.empty())
            qn = fi.Database + ".";
        if (!fi.Table.empty())
            qn += fi.Table + ".";
        fi.QualifiedName = qn + fi.Name;
        std::string qo;
        if (!fi.Database.empty() && !singleDb)
            qo = d.QuoteName(fi.Database) + ".";
        if (!fi.OrgTable.empty() && !(singleDb && singleTable))
            qo += d.QuoteName(fi.OrgTable) + ".";
        fi.QualifiedOrigin = qo + d.QuoteName(fi.OrgName);
        if (fi.Flags & fiPrimaryKey)
            AddKey(primaryKeys_, fi.FieldName);
        if (fi.Flags & fiUniqueKey)
            AddKey(uniqueKeys_, fi.FieldName);
        if (fi.Flags & fiMultipleKey)
            AddKey(multipleKeys_, fi.FieldName);
    }
    for (TTableInfo& t : tables_)
        t.QualifiedName = (!singleDb && !t.Database.empty() ? d.QuoteName(t.Database) + "." : std::string()) +
                          d.QuoteName(t.OrgTable.empty() ? t.Alias : t.OrgTable);
    const uint32_t s = offset;
    recordSize_ = static_cast<int>((s / 2 == 0 ? s + 2 : s + 3) + 25) & 0xFFFF;
    rows_.clear();
    position_ = -1;
    endOfResult_ = false;
    if (resultType_ == rtLocal)
        FetchAll();
}

bool TMySQLDatasetBase::FetchRow()
{
    if (endOfResult_ || !result_)
        return false;
    TMySQLBase& d = Driver();
    char** row = d.FetchRow(result_);
    if (!row) {
        endOfResult_ = true;
        d.FreeResult(result_);
        RetrieveExtraDetails();
        return false;
    }
    if (resultType_ == rtUnidirectional && !rows_.empty()) {
        // Only the latest row stays in memory.
        TMySQLRecord& prev = *rows_.back();
        prev.Texts.assign(prev.Texts.size(), std::nullopt);
        prev.Blobs.assign(prev.Blobs.size(), std::string());
    }
    auto rec = std::unique_ptr<TMySQLRecord>(static_cast<TMySQLRecord*>(AllocRecordBuffer().release()));
    rec->RecNo = static_cast<int64_t>(rows_.size());
    const unsigned long* lengths = d.FetchLengths(result_);
    for (size_t i = 0; i < infos_.size(); ++i) {
        const TFieldInfo& fi = infos_[i];
        const char* value = fi.InResult ? row[i] : nullptr;
        if (value) {
            if (fi.Flags & fiBlob)
                rec->Blobs[i].assign(value, lengths[i]);
            else
                rec->Texts[i] = std::string(value, strnlen(value, lengths[i]));
        } else if (OnCustomValue) {
            std::string v;
            OnCustomValue(this, fi.FieldName, v, rec->RecNo);
            if (!v.empty()) {
                if (fi.Flags & fiBlob)
                    rec->Blobs[i] = v;
                else
                    rec->Texts[i] = v;
            }
        }
    }
    rows_.push_back(std::move(rec));
    return true;
}

void TMySQLDatasetBase::FetchAll()
{
    while (FetchRow()) {
    }
}

void TMySQLDatasetBase::RetrieveExtraDetails()
{
    if (options_ & doRetrieveFieldValues) {
        TMySQLBase& d = Driver();
        for (const TTableInfo& t : tables_) {
            d.Query(handle_, "show columns from " + t.QualifiedName);
            TMySQLResultHandle r = d.UseResult(handle_);
            while (char** row = d.FetchRow(r)) {
                const std::string field = row[0] ? row[0] : "";
                const std::string type = row[1] ? row[1] : "";
                TFieldInfo* fi = nullptr;
                for (TFieldInfo& c : infos_)
                    if (c.Table == t.Alias && c.OrgName == field)
                        fi = &c;
                if (!fi)
                    for (TFieldInfo& c : infos_)
                        if (c.FieldName == field)
                            fi = &c;
                if (!fi)
                    continue;
                if (fi->Type == FIELD_TYPE_ENUM || fi->Type == FIELD_TYPE_SET) {
                    const size_t a = type.find('('), b = type.rfind(')');
                    std::string v = a != std::string::npos && b != std::string::npos && b > a
                                        ? type.substr(a + 1, b - a - 1)
                                        : std::string();
                    std::replace(v.begin(), v.end(), '\'', '"');
                    fi->Values = v;
                } else if (row[4] && !fi->HasDefault) {
                    fi->Default = row[4];
                    fi->HasDefault = true;
                }
            }
            d.FreeResult(r);
        }
    }
    if (options_ & doSetToWord)
        SetsToWords();
    IndexDefs.clear();
    if ((options_ & doRetrieveIndexDefs) && !infos_.empty() && tables_.size() == 1) {
        TMySQLBase& d = Driver();
        d.Query(handle_, "show index from " + tables_[0].QualifiedName);
        TMySQLResultHandle r = d.UseResult(handle_);
        while (char** row = d.FetchRow(r)) {
            if (!row[1] || !row[2] || !row[4])
                continue;
            const std::string key = row[2];
            auto it = std::find_if(IndexDefs.begin(), IndexDefs.end(),
                                   [&](const TIndexDef& x) { return x.Name == key; });
            if (it == IndexDefs.end()) {
                TIndexDef def;
                def.Name = key;
                def.Primary = SameText(key, "PRIMARY");
                def.Unique = std::string(row[1]) == "0";
                IndexDefs.push_back(def);
                it = IndexDefs.end() - 1;
            }
            it->Fields += (it->Fields.empty() ? "" : ";") + std::string(row[4]);
        }
        d.FreeResult(r);
    }
}

// A set's members each set the bit of their place in the values list.
void TMySQLDatasetBase::SetsToWords()
{
    for (size_t c = 0; c < infos_.size(); ++c) {
        TFieldInfo& fi = infos_[c];
        if (fi.Type != FIELD_TYPE_SET)
            continue;
        std::vector<std::string> members;
        for (int k = 1;; ++k) {
            std::string m = ExtractWord(k, fi.Values, ",");
            if (m.empty())
                break;
            if (m.size() >= 2 && m.front() == '"' && m.back() == '"')
                m = m.substr(1, m.size() - 2);
            members.push_back(m);
        }
        auto word = [&](const std::string& value) {
            unsigned w = 0;
            for (int k = 1;; ++k) {
                const std::string m = ExtractWord(k, value, ",");
                if (m.empty())
                    break;
                for (size_t i = 0; i < members.size() && i < 16; ++i)
                    if (members[i] == m)
                        w |= 1u << i;
            }
            return std::to_string(w & 0xFFFF);
        };
        for (auto& row : rows_)
            if (row->Texts[c])
                row->Texts[c] = word(*row->Texts[c]);
        fi.Default = fi.HasDefault ? word(fi.Default) : "0";
        fi.HasDefault = true;
    }
}

void TMySQLDatasetBase::BuildFieldDefs()
{
    FieldDefs.clear();
    const int serverVer = Driver().ServerVer();
    int no = 1;
    for (const TFieldInfo& fi : infos_) {
        TFieldDef def;
        def.Name = fi.FieldName;
        def.FieldNo = no++;
        def.Size = 0;
        const bool isUnsigned = fi.Flags & fiUnsigned;
        const int members = fi.Values.empty() ? 0 : static_cast<int>(std::count(fi.Values.begin(), fi.Values.end(), ',')) + 1;
        switch (fi.Type) {
        case 1: def.DataType = (options_ & doTinyIntToBool) ? ftBoolean : isUnsigned ? ftWord : ftSmallint; break;
        case 2: def.DataType = isUnsigned ? ftWord : ftSmallint; break;
        case 3: def.DataType = isUnsigned ? ftLargeint : ftInteger; break;
        case 8:
            if (isUnsigned) {
                def.DataType = ftString;
                def.Size = 20;
            } else {
                def.DataType = ftLargeint;
            }
            break;
        case 9: def.DataType = ftInteger; break;
        case 13: def.DataType = ftWord; break;
        case 6: def.DataType = ftVariant; break;
        case 7:
        case 12:
        case 14: def.DataType = ftDateTime; break;
        case 10: def.DataType = ftDate; break;
        case 11: def.DataType = ftTime; break;
        case 15:
        case 253:
        case 254: def.DataType = ftString; def.Size = static_cast<int>(fi.Length); break;
        case 16:
            if (serverVer > 50002) {
                if (fi.Length < 3) def.DataType = ftWord;
                else if (fi.Length <= 4) def.DataType = ftInteger;
                else { def.DataType = ftString; def.Size = 20; }
            } else {
                def.DataType = ftBoolean;
            }
            break;
        case 247:
            if (members == 2 && (options_ & doEnumToBool)) def.DataType = ftBoolean;
            else { def.DataType = ftString; def.Size = static_cast<int>(fi.Length); }
            break;
        case 248:
            if (options_ & doSetToWord) def.DataType = ftWord;
            else { def.DataType = ftString; def.Size = static_cast<int>(fi.Length); }
            break;
        case 249:
        case 250:
        case 251:
        case 252:
            def.DataType = (fi.Flags & fiBinary) ? ftBlob : ftMemo;
            def.Size = static_cast<int>(fi.Length);
            break;
        case 0:
        case 4:
        case 5:
        case 246: def.DataType = ftFloat; break;
        default: def.DataType = ftUnknown; break;
        }
        if (fi.Table.empty() && !(options_ & doEditCalcFields)) {
            def.ReadOnly = true;
            def.InternalCalc = true;
        }
        if (!RawData && (fi.Flags & fiAutoIncrement)) {
            def.DataType = ftAutoInc;
            def.ReadOnly = true;
        }
        def.Required = (fi.Flags & fiNotNull) && def.DataType != ftAutoInc && !def.ReadOnly;
        FieldDefs.push_back(def);
    }
}

void TMySQLDatasetBase::InternalOpen()
{
    Prepare();
    if ((options_ & doAutoCreate) && !tableName_.empty())
        CreateTableScript(true);
    RunOpenSQL();
    BuildFieldDefs();
    CreateFields();
    for (const auto& f : Fields) {
        const TFieldInfo* fi = InfoOf(f.get());
        f->Origin = fi && !fi->Table.empty() ? fi->Table + "." + fi->OrgName : f->FieldName;
    }
}

void TMySQLDatasetBase::InternalClose()
{
    RunCached();
    if (handle_)
        ReleaseResult();
    ReleaseRows();
    infos_.clear();
    tables_.clear();
    DestroyFields();
    FieldDefs.clear();
    oldValues_.reset();
    handle_ = nullptr;
    if (server_)
        server_->ChildClosed();
}

void TMySQLDatasetBase::ReleaseRows()
{
    rows_.clear();
    position_ = -1;
    endOfResult_ = true;
}

std::vector<std::string> TMySQLDatasetBase::AutoCreateStatements()
{
    if (!(options_ & doAutoCreate) || tableName_.empty())
        return {};
    return SplitStatements(CreateTableScript(false));
}
