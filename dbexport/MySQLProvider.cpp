// What a provider asks of the dataset: transactions, statements with "?"
// parameters, keys, order, table name, error mapping, parameters.

#include "dbexport/MySQLDataset.h"
#include "dbexport/MySQLPlaceholders.h"

#include <cstdlib>

void TMySQLDatasetBase::PSEndTransaction(bool commit)
{
    if (commit)
        Commit();
    else
        Rollback();
}

void TMySQLDatasetBase::PSExecute()
{
    Open();
}

int64_t TMySQLDatasetBase::PSExecuteStatement(const std::string& sql, const TParams& params)
{
    const std::string statement = NumberPlaceholders(sql, macroOpen_, macroClose_);
    for (size_t i = 0; i < params.size(); ++i) {
        const std::string name = std::to_string(i + 1);
        TMacroParam* m = FindMacro(name);
        if (!m) {
            Macros.push_back(TMacroParam{name, ftUnknown, false, TValue{}});
            m = &Macros.back();
        }
        m->DataType = params[i].DataType;
        // Every value stands in for a "?": it goes in quoted and escaped,
        // whatever kind the caller gave it, never spliced in as SQL.
        m->Input = true;
        m->Value = params[i].Value;
    }
    affectedRows_.clear();
    ExecSQL(statement, true);
    return std::strtoll(affectedRows_.c_str(), nullptr, 10);
}

std::string TMySQLDatasetBase::PSGetKeyFields()
{
    std::string keys;
    for (const auto& f : Fields)
        if (f->InKey)
            keys += (keys.empty() ? "" : ";") + f->FieldName;
    if (!keys.empty())
        return keys;
    for (const TIndexDef& index : IndexDefs) {
        if (!index.Unique && !index.Primary)
            continue;
        bool all = true;
        for (int k = 1;; ++k) {
            const std::string name = ExtractWord(k, index.Fields, ";");
            if (name.empty())
                break;
            if (!FindField(name)) {
                all = false;
                break;
            }
        }
        if (all)
            return index.Fields;
    }
    return {};
}

std::optional<TIndexDef> TMySQLDatasetBase::PSGetDefaultOrder()
{
    for (const TIndexDef& index : IndexDefs)
        if (index.Primary)
            return index;
    return std::nullopt;
}

std::string TMySQLDatasetBase::PSGetTableName()
{
    if (!tableName_.empty())
        return tableName_;
    if (!tables_.empty())
        return tables_.front().OrgTable.empty() ? tables_.front().Alias : tables_.front().OrgTable;
    return "PleaseSpecifyATableNameProperty";
}

EUpdateError TMySQLDatasetBase::PSGetUpdateException(const std::exception* error, const EUpdateError* previous)
{
    const int before = previous ? previous->PreviousError + 1 : 0;
    if (!error)
        return EUpdateError("SQL Error: Error mapping failed", 0, before);
    const auto* mysql = dynamic_cast<const EMySQLError*>(error);
    return EUpdateError(error->what(), mysql ? mysql->ErrorNo : 0, before);
}

TParams TMySQLDatasetBase::PSGetParams()
{
    TParams out;
    for (const TMacroParam& m : Macros)
        out.push_back(TParam{m.Name, m.DataType, m.Input ? ptInput : ptUnknown, m.Value});
    return out;
}

void TMySQLDatasetBase::PSSetParams(const TParams& params)
{
    if (!params.empty()) {
        for (const TParam& p : params) {
            TMacroParam* m = FindMacro(p.Name);
            if (!m) {
                Macros.push_back(TMacroParam{p.Name, ftUnknown, false, TValue{}});
                m = &Macros.back();
            }
            m->DataType = p.DataType;
            m->Input = p.ParamType == ptInput || p.ParamType == ptInputOutput ||
                       (p.ParamType == ptUnknown && m->Input);
            m->Value = p.Value;
        }
    }
    Close();
}
