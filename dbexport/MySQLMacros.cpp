// Statement templates and the macro language: collecting references,
// expanding them, the filter and master condition put into SELECT
// statements, values written for statements, and the create-table script.

#include "dbexport/MySQLDataset.h"
#include "dbexport/MySQLParser.h"
#include "dbexport/MySQLServer.h"
#include "dbexport/MySQLSplitter.h"
#include "dbexport/uMysqlClient.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string ReplaceNoCase(const std::string& text, const std::string& from, const std::string& to)
{
    if (from.empty())
        return text;
    std::string out;
    const std::string up = UpperCase(text), uf = UpperCase(from);
    size_t i = 0;
    while (true) {
        const size_t at = up.find(uf, i);
        if (at == std::string::npos)
            break;
        out += text.substr(i, at - i) + to;
        i = at + from.size();
    }
    return out + text.substr(i);
}

std::string Hex(const std::string& bytes)
{
    static const char* d = "0123456789ABCDEF";
    std::string out = "0x";
    for (unsigned char c : bytes) {
        out += d[c >> 4];
        out += d[c & 15];
    }
    return out;
}

bool IsIntegerType(TFieldType t)
{
    return t == ftSmallint || t == ftInteger || t == ftWord || t == ftAutoInc || t == ftLargeint;
}

std::string DateText(TFieldType t, double v)
{
    int y, mo, d, h, mi, s;
    DecodeDateTime(v, y, mo, d, h, mi, s);
    char buf[40];
    if (t == ftDate)
        std::snprintf(buf, sizeof buf, "'%04d-%02d-%02d'", y, mo, d);
    else if (t == ftTime)
        std::snprintf(buf, sizeof buf, "'%02d:%02d:%02d'", h, mi, s);
    else
        std::snprintf(buf, sizeof buf, "'%04d-%02d-%02d %02d:%02d:%02d'", y, mo, d, h, mi, s);
    return buf;
}

// The first word of a reference: the delimiters, ":", blanks and line ends cut it.
std::string ReferenceName(const std::string& token, const std::string& open, const std::string& close)
{
    std::string t = token;
    if (!open.empty() && t.compare(0, open.size(), open) == 0)
        t = t.substr(open.size());
    else if (!t.empty() && t[0] == ':')
        t = t.substr(1);
    if (!close.empty() && t.size() >= close.size() && t.compare(t.size() - close.size(), close.size(), close) == 0)
        t.resize(t.size() - close.size());
    const size_t end = t.find_first_of(": \r\n");
    return end == std::string::npos ? t : t.substr(0, end);
}

} // namespace

TMacroParam* TMySQLDatasetBase::FindMacro(const std::string& name)
{
    for (TMacroParam& p : Macros)
        if (cf::SameText(p.Name, name))
            return &p;
    return nullptr;
}

void TMySQLDatasetBase::CollectMacros(const std::string& text)
{
    if (!(options_ & doMacrosEnabled))
        return;
    std::vector<TMacroParam> found;
    TBasicParser p(text);
    ConfigureSqlParser(p, macroOpen_, macroClose_);
    for (;;) {
        const TToken& t = p.NextToken(false);
        if (t.Kind == tkEnd)
            break;
        if (t.Kind != tkMacro && t.Kind != tkParameter)
            continue;
        const std::string name = ReferenceName(t.Text, macroOpen_, macroClose_);
        if (name.empty() || name[0] == '$')
            continue;
        TMacroParam m;
        m.Name = name;
        m.Input = t.Kind == tkParameter;
        found.push_back(m);
    }
    for (const TMacroParam& m : found)
        if (!FindMacro(m.Name))
            Macros.push_back(m);
}

std::string TMySQLDatasetBase::SQLValue(const TField* field, const TMySQLRecord* buffer)
{
    const int c = ColumnOf(field);
    const TMySQLRecord* rec = buffer;
    if (!rec && ActiveBuffer() && HasActiveRecord())
        rec = &Rec();
    if (c < 0 || !rec)
        return "NULL";
    if (field->IsBlob()) {
        const std::string& b = rec->Blobs[static_cast<size_t>(c)];
        if (b.empty())
            return "NULL";
        // Memo text goes quoted; binary bytes as hexadecimal.
        return field->DataType == ftMemo ? "'" + Driver().Escape(b) + "'" : Hex(b);
    }
    const auto& t = rec->Texts[static_cast<size_t>(c)];
    if (!t)
        return "NULL";
    if (IsIntegerType(field->DataType)) {
        if (t->find_first_not_of(" 0123456789-+") == std::string::npos && !t->empty())
            return *t;
        return "'" + Driver().Escape(*t) + "'";
    }
    return "'" + Driver().Escape(*t) + "'";
}

std::string TMySQLDatasetBase::KeyCondition(const std::string& keyList, const std::string& table, bool allWhenEmpty)
{
    std::string out;
    for (size_t i = 0; i < infos_.size() && i < Fields.size(); ++i) {
        const TFieldInfo& fi = infos_[i];
        const TField* f = Fields[i].get();
        const bool all = keyList.empty() && allWhenEmpty;
        if (!all && !InNameList(keyList, fi.FieldName))
            continue;
        if (f->DataType == ftFloat || f->IsBlob())
            continue;
        if (!table.empty() && fi.QualifiedName.find(table + ".") == std::string::npos)
            continue;
        out += "(" + fi.QualifiedOrigin + "=" + SQLValue(f, oldValues_.get()) + ") AND ";
    }
    if (out.size() >= 5)
        out.resize(out.size() - 5);
    return out;
}

std::string TMySQLDatasetBase::FilterCondition()
{
    std::string cond;
    if (master_ && !masterFields_.empty()) {
        for (int k = 1;; ++k) {
            const std::string pair = ExtractWord(k, masterFields_, ",");
            if (pair.empty())
                break;
            const size_t eq = pair.find('=');
            const std::string detail = pair.substr(0, eq);
            const std::string masterName = eq == std::string::npos ? detail : pair.substr(eq + 1);
            TField* mf = master_->FindField(masterName);
            std::string value = "NULL";
            if (mf && master_->Active() && !master_->IsEmpty() && !mf->IsNull()) {
                auto* md = dynamic_cast<TMySQLDatasetBase*>(master_);
                value = md ? md->SQLValue(mf) : "'" + Driver().Escape(mf->AsString()) + "'";
            }
            cond += "(" + Driver().QuoteName(detail) + "=" + value + ") AND ";
        }
    }
    if (filtered_ && !filter_.empty())
        cond += "(" + filter_ + ")";
    else if (cond.size() >= 5)
        cond.resize(cond.size() - 5);
    return cond;
}

std::string TMySQLDatasetBase::MacroValue(const std::string& name, const std::string& database,
                                          const std::string& table)
{
    if (OnMacro) {
        std::string v;
        bool go = true;
        OnMacro(this, name, v, go);
        if (!go)
            return v;
    }
    const std::string u = UpperCase(name);
    TMySQLBase& d = Driver();
    auto columns = [&](bool modified, int what) {
        std::string out;
        for (size_t i = 0; i < infos_.size() && i < Fields.size(); ++i) {
            const TFieldInfo& fi = infos_[i];
            if (fi.Modified != modified || Fields[i]->ReadOnly || !fi.InResult)
                continue;
            if (!table.empty() && fi.QualifiedName.find(table + ".") == std::string::npos)
                continue;
            if (what == 0)
                out += fi.QualifiedOrigin + "=" + SQLValue(Fields[i].get()) + ",";
            else if (what == 1)
                out += fi.QualifiedOrigin + ",";
            else
                out += SQLValue(Fields[i].get()) + ",";
        }
        if (!out.empty())
            out.pop_back();
        return out;
    };
    auto keyed = [&](const std::string& list, bool allWhenEmpty) {
        const std::string c = KeyCondition(list, table, allWhenEmpty);
        return c.empty() ? std::string("PleaseMakeSureYourTableHasAPrimaryKeyWhichIsPartOfTheSelectORSpecifyTheFieldNamePropertyForTheDataset")
                         : c;
    };
    if (u == "$DATABASENAME")
        return d.QuoteName(database.empty() ? databaseName_ : database);
    if (u == "$TABLENAME") {
        if (!table.empty()) {
            for (const TTableInfo& t : tables_)
                if (t.Alias == table)
                    return t.QualifiedName;
            return d.QuoteName(table);
        }
        if (!tableName_.empty())
            return d.QuoteName(tableName_);
        if (!tables_.empty())
            return tables_[0].QualifiedName;
        return "PleaseSpecifyATableNameProperty";
    }
    if (u == "$FIELDNAME")
        return d.QuoteName(ExtractWord(1, FieldName, ",;"));
    if (u == "$FIELDS")
        return "*";
    if (u == "$WHERE") {
        const std::string c = FilterCondition();
        return c.empty() ? std::string() : "where " + Expand(c);
    }
    if (u == "$MODIFIED$FIELDS&VALUES")
        return columns(true, 0);
    if (u == "$UNMODIFIED$FIELDS&VALUES")
        return columns(false, 0);
    if (u == "$MODIFIED$FIELD$NAMES")
        return columns(true, 1);
    if (u == "$UNMODIFIED$FIELD$NAMES")
        return columns(false, 1);
    if (u == "$MODIFIED$FIELD$VALUES")
        return columns(true, 2);
    if (u == "$UNMODIFIED$FIELD$VALUES")
        return columns(false, 2);
    if (u == "$PRIMARYFIELDS&VALUES")
        return keyed(primaryKeys_.empty() ? FieldName : primaryKeys_, true);
    if (u == "$UNIQUEFIELDS&VALUES")
        return keyed(uniqueKeys_, false);
    if (u == "$MULTIFIELDS&VALUES")
        return keyed(multipleKeys_, false);
    if (u == "$FIELDNAMES&VALUES")
        return keyed(FieldName, false);
    if (u == "$OLD$FIELDS&VALUES") {
        std::string out;
        for (size_t i = 0; i < infos_.size() && i < Fields.size(); ++i)
            out += "(" + infos_[i].QualifiedOrigin + "=" + SQLValue(Fields[i].get(), oldValues_.get()) + ") AND ";
        if (out.size() >= 5)
            out.resize(out.size() - 5);
        return out;
    }
    if (u == "$FIELDNAMES&VALUES$COMMA") {
        std::string out;
        for (int k = 1;; ++k) {
            const std::string n = ExtractWord(k, FieldName, ",;");
            if (n.empty())
                break;
            if (TField* f = FindField(n)) {
                const TFieldInfo* fi = InfoOf(f);
                out += (out.empty() ? "" : ",") + (fi ? fi->QualifiedOrigin : d.QuoteName(n)) + "=" + SQLValue(f);
            }
        }
        return out;
    }
    if (u == "$FIELDNAME$VALUE") {
        TField* f = FindField(ExtractWord(1, FieldName, ",;"));
        return f ? SQLValue(f) : std::string();
    }
    if (u.rfind("$OLD$", 0) == 0) {
        TField* f = FindField(name.substr(5));
        return f ? SQLValue(f, oldValues_ ? oldValues_.get() : nullptr) : std::string();
    }
    if (TField* f = FindField(name))
        return SQLValue(f);
    if (master_)
        if (TField* mf = master_->FindField(name)) {
            if (!master_->Active() || master_->IsEmpty() || mf->IsNull())
                return "NULL";
            auto* md = dynamic_cast<TMySQLDatasetBase*>(master_);
            return md ? md->SQLValue(mf) : "'" + d.Escape(mf->AsString()) + "'";
        }
    if (const TMacroParam* p = FindMacro(name)) {
        // A parameter without a value is NULL; a bare statement piece
        // (an unset macro) is just absent.
        if (IsNullValue(p->Value))
            return p->Input ? "NULL" : std::string();
        const TValue& v = p->Value;
        switch (p->DataType) {
        case ftString:
        case ftFixedChar:
            return p->Input ? "'" + d.Escape(ValueText(v)) + "'" : ValueText(v);
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftAutoInc:
        case ftLargeint: return ValueText(v);
        case ftBoolean: return (std::holds_alternative<bool>(v) ? std::get<bool>(v) : ValueText(v) == "True") ? "1" : "0";
        case ftFloat:
        case ftCurrency: return ValueText(v);
        case ftDate:
        case ftTime:
        case ftDateTime:
        case ftTimeStamp:
            return std::holds_alternative<double>(v) ? DateText(p->DataType, std::get<double>(v)) : "'" + ValueText(v) + "'";
        case ftBlob: return Hex(ValueText(v));
        case ftMemo:
        case ftVariant: return "'" + d.Escape(ValueText(v)) + "'";
        case ftUnknown:
            // A value given without a type: a parameter quotes its text, a macro splices it.
            return p->Input ? "'" + d.Escape(ValueText(v)) + "'" : ValueText(v);
        default: return ValueText(v);
        }
    }
    return {};
}

std::string TMySQLDatasetBase::Expand(const std::string& statement, const std::string& database,
                                      const std::string& table)
{
    TBasicParser p(statement);
    ConfigureSqlParser(p, macroOpen_, macroClose_);
    const std::string& src = p.Text();
    std::string out;
    for (;;) {
        const TToken& t = p.NextToken(false);
        if (t.Kind == tkEnd)
            break;
        if (t.Kind == tkMacro || t.Kind == tkParameter)
            out += MacroValue(ReferenceName(t.Text, macroOpen_, macroClose_), database, table);
        else
            out += t.Text;
        const size_t after = static_cast<size_t>(t.Position) + t.Text.size();
        if (after < src.size() && src[after] == ' ')
            out += ' ';
    }
    if (UpperCase(ExtractWord(1, out, " \t\r\n(")) != "SELECT")
        return out;
    const std::string cond = FilterCondition();
    if (cond.empty())
        return out;
    const std::string expanded = Expand(cond, database, table);
    // Insert it once before the first clause keyword, ";" or the end.
    TBasicParser q(out);
    ConfigureSqlParser(q, macroOpen_, macroClose_);
    static const char* const keys[] = {"WHERE", "GROUP", "HAVING", "ORDER", "LIMIT", "PROCEDURE"};
    for (;;) {
        const TToken& t = q.NextToken(false);
        if (t.Kind == tkEnd)
            break;
        const std::string u = UpperCase(t.Text);
        const bool stop = t.Kind == tkStatementEnd ||
                          (t.Kind == tkIdentifier && std::find(std::begin(keys), std::end(keys), u) != std::end(keys));
        if (!stop)
            continue;
        const size_t at = static_cast<size_t>(t.Position);
        if (u == "WHERE") {
            std::string rest = out.substr(at + 5);
            rest.erase(0, rest.find_first_not_of(' '));
            return out.substr(0, at) + "where " + expanded + " and " + rest;
        }
        std::string head = out.substr(0, at);
        if (!head.empty() && head.back() != ' ')
            head += ' ';
        return head + "where " + expanded + " " + out.substr(at);
    }
    std::string head = out;
    while (!head.empty() && head.back() == ' ')
        head.pop_back();
    return head + " where " + expanded;
}

void TMySQLDatasetBase::SetMacroDel(const std::string& value)
{
    const size_t sep = value.find_first_of(",;");
    std::string open = sep == std::string::npos ? value : value.substr(0, sep);
    std::string close = sep == std::string::npos ? std::string() : value.substr(sep + 1);
    if (open.empty())
        open = "[";
    if (close.empty())
        close = "]";
    if (open == macroOpen_ && close == macroClose_)
        return;
    auto swap = [&](const std::string& t) {
        return ReplaceNoCase(ReplaceNoCase(t, macroOpen_, "\x01"), macroClose_, "\x02");
    };
    auto back = [&](const std::string& t) {
        return ReplaceNoCase(ReplaceNoCase(t, "\x01", open), "\x02", close);
    };
    const std::string sql = back(swap(SQLText()));
    SQLUpdate = back(swap(SQLUpdate));
    SQLInsert = back(swap(SQLInsert));
    SQLDelete = back(swap(SQLDelete));
    macroOpen_ = open;
    macroClose_ = close;
    CloseOnChange();
    sql_.clear();
    SetSQLText(sql);
}

void TMySQLDatasetBase::SetFilter(const std::string& f)
{
    if (f == filter_)
        return;
    filter_ = f;
    CollectMacros(f);
    if (TDataSet::Active())
        Refresh();
}

void TMySQLDatasetBase::SetFiltered(bool on)
{
    if (on == filtered_)
        return;
    filtered_ = on;
    if (TDataSet::Active())
        Refresh();
}

void TMySQLDatasetBase::SetMasterSource(TDataSet* master)
{
    if (master == master_)
        return;
    for (TDataSet* m = master; m; ) {
        if (m == this)
            throw EDatabaseError("Circular Reference");
        auto* md = dynamic_cast<TMySQLDatasetBase*>(m);
        m = md ? md->master_ : nullptr;
    }
    master_ = master;
    if (master_) {
        std::weak_ptr<bool> alive = alive_;
        master_->Listeners.push_back([this, alive](TDataEvent e, TField*) {
            if (alive.expired() || master_ == nullptr)
                return;
            if (e == deDataSetScroll || e == deDataSetChange)
                MasterChanged();
        });
    }
    MasterChanged();
}

void TMySQLDatasetBase::SetMasterFields(const std::string& pairs)
{
    masterFields_ = pairs;
    MasterChanged();
}

void TMySQLDatasetBase::MasterChanged()
{
    if (!TDataSet::Active() || !master_ || master_->State() == dsEdit || master_->State() == dsInsert)
        return;
    Refresh();
}

std::string TMySQLDatasetBase::CreateTableScript(bool run)
{
    const std::string db = !databaseName_.empty() ? databaseName_ : server_ ? server_->DatabaseName() : "";
    if (db.empty() || !server_)
        return {};
    TMySQLBase& d = server_->DriverProperties();
    const std::string table = d.QuoteName(tableName_);
    std::string s = "use " + d.QuoteName(db) + ";\r\n";
    if (options_ & doDropIfExists)
        s += "drop table if exists " + table + ";\r\n";
    s += std::string("create ") + ((options_ & doCreateTemp) ? "temporary " : " ") + "table if not exists " + table + " (";
    std::string list;
    if (FieldDefs.empty()) {
        list = "ID int not null auto_increment,primary key (ID)";
    } else {
        for (const TFieldDef& f : FieldDefs) {
            std::string type;
            const int size = f.Size;
            auto sized = [&](const char* small) -> std::string {
                if (size < 256)
                    return small;
                if (size < 65536)
                    return " text ";
                if (size < 16777216)
                    return " mediumtext ";
                return " longtext ";
            };
            switch (f.DataType) {
            case ftString:
            case ftFixedChar:
            case ftMemo:
                type = size < 256 ? ((f.Fixed || f.DataType == ftFixedChar ? " char(" : " varchar(") + std::to_string(size) + ") ")
                                  : sized("");
                break;
            case ftSmallint: type = " smallint "; break;
            case ftInteger:
            case ftWord: type = " int "; break;
            case ftBoolean: type = " tinyint(1) "; break;
            case ftFloat: type = " float "; break;
            case ftCurrency: type = " decimal(" + std::to_string(f.Precision) + "," + std::to_string(size) + ") "; break;
            case ftDate: type = " date "; break;
            case ftTime: type = " time "; break;
            case ftDateTime: type = " datetime "; break;
            case ftTimeStamp: type = " timestamp "; break;
            case ftLargeint: type = " bigint "; break;
            case ftAutoInc: type = " int not null auto_increment,"; break;
            case ftBlob:
                type = size < 256 ? " tinyblob " : size < 65536 ? " blob " : size < 16777216 ? " mediumblob " : " longblob ";
                break;
            default: type = " varchar(255) "; break;
            }
            list += d.QuoteName(f.Name) + type;
            if (f.DataType != ftAutoInc)
                list += std::string(f.Required ? "not null" : "") + ",";
        }
        for (const TIndexDef& ix : IndexDefs) {
            list += ix.Primary ? " primary key (" : ix.Unique ? " unique index " + d.QuoteName(ix.Name) + " ("
                                                              : " index " + d.QuoteName(ix.Name) + " (";
            std::string fields;
            for (int k = 1;; ++k) {
                const std::string n = ExtractWord(k, ix.Fields, ";");
                if (n.empty())
                    break;
                fields += (fields.empty() ? "" : ",") + d.QuoteName(n);
            }
            list += fields + "),";
        }
        if (!list.empty() && list.back() == ',')
            list.pop_back();
    }
    s += list + ");\r\n";
    if (run && server_) {
        Prepare();
        for (const std::string& st : SplitStatements(s))
            ExecSQL(st, false);
    }
    return s;
}
