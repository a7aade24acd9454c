#include "dbexport/DbFields.h"
#include "dbexport/DbDataSet.h"

#include <cmath>
#include <cstdio>

std::string ValueText(const TValue& v)
{
    switch (v.index()) {
    case 1: return std::get<std::string>(v);
    case 2: return std::to_string(std::get<int64_t>(v));
    case 3: return FloatToStrDot(std::get<double>(v));
    case 4: return std::get<bool>(v) ? "True" : "False";
    default: return {};
    }
}

namespace {

bool IsIntegerType(TFieldType t)
{
    return t == ftSmallint || t == ftInteger || t == ftWord || t == ftAutoInc || t == ftLargeint;
}

bool IsDateType(TFieldType t) { return t == ftDate || t == ftTime || t == ftDateTime || t == ftTimeStamp; }

std::string DateText(TFieldType t, double d)
{
    int y, mo, da, h, mi, s;
    DecodeDateTime(d, y, mo, da, h, mi, s);
    char buf[40];
    if (t == ftDate)
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, mo, da);
    else if (t == ftTime)
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", h, mi, s);
    else
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", y, mo, da, h, mi, s);
    return buf;
}

int64_t TextToInt(const std::string& s)
{
    try {
        size_t used = 0;
        const long long v = std::stoll(s, &used);
        return v;
    } catch (...) {
        throw EDatabaseError("'" + s + "' is not a valid integer value");
    }
}

} // namespace

TField::TField(TDataSet* dataSet, const TFieldDef& def)
    : FieldName(def.Name), DataType(def.DataType), Size(def.Size), FieldNo(def.FieldNo),
      ReadOnly(def.ReadOnly), Required(def.Required), dataSet_(dataSet)
{
    if (def.InternalCalc)
        FieldKind = fkInternalCalc;
}

TValue TField::Value() const
{
    TValue v;
    if (!dataSet_->GetFieldData(this, v))
        return TValue{};
    return v;
}

bool TField::IsNull() const
{
    return IsNullValue(Value());
}

void TField::SetValue(const TValue& in)
{
    const TDataSetState state = dataSet_->State();
    if (ReadOnly && state != dsInsert && state != dsCalcFields)
        throw EDatabaseError("Field '" + FieldName + "' cannot be modified");
    // While calculating, only the calculated fields take values.
    if (state == dsCalcFields && !IsCalculated())
        throw EDatabaseError("Field '" + FieldName + "' cannot be modified");
    if (state != dsEdit && state != dsInsert && state != dsCalcFields)
        throw EDatabaseError("Dataset not in edit or insert mode");
    TValue v = in;
    if (!IsNullValue(v)) {
        if (IsIntegerType(DataType)) {
            if (auto* s = std::get_if<std::string>(&v))
                v = TextToInt(*s);
            else if (auto* d = std::get_if<double>(&v))
                v = static_cast<int64_t>(std::llround(*d));
            else if (auto* b = std::get_if<bool>(&v))
                v = static_cast<int64_t>(*b);
        } else if (DataType == ftFloat || DataType == ftCurrency || IsDateType(DataType)) {
            if (auto* s = std::get_if<std::string>(&v))
                v = IsDateType(DataType) ? (DataType == ftDate   ? MySQLStrToDate(*s)
                                            : DataType == ftTime ? MySQLStrToTime(*s)
                                                                 : MySQLStrToDateTime(*s))
                                         : StrToFloatDot(*s);
            else if (auto* i = std::get_if<int64_t>(&v))
                v = static_cast<double>(*i);
        } else if (DataType == ftBoolean) {
            if (auto* s = std::get_if<std::string>(&v))
                v = (*s == "1" || *s == "True" || *s == "true" || *s == "TRUE");
            else if (auto* i = std::get_if<int64_t>(&v))
                v = *i != 0;
        } else if (!std::holds_alternative<std::string>(v)) {
            v = ValueText(v);
        }
    }
    dataSet_->SetFieldData(this, v);
    if (!IsCalculated())
        dataSet_->DataFieldChanged();
}

std::string TField::AsString() const
{
    const TValue v = Value();
    if (IsDateType(DataType) && std::holds_alternative<double>(v))
        return DateText(DataType, std::get<double>(v));
    return ValueText(v);
}

void TField::SetAsString(const std::string& s)
{
    SetValue(TValue{s});
}

int64_t TField::AsInteger() const
{
    const TValue v = Value();
    switch (v.index()) {
    case 1: return std::get<std::string>(v).empty() ? 0 : TextToInt(std::get<std::string>(v));
    case 2: return std::get<int64_t>(v);
    case 3: return static_cast<int64_t>(std::llround(std::get<double>(v)));
    case 4: return std::get<bool>(v) ? 1 : 0;
    default: return 0;
    }
}

double TField::AsFloat() const
{
    const TValue v = Value();
    switch (v.index()) {
    case 1: return std::get<std::string>(v).empty() ? 0 : StrToFloatDot(std::get<std::string>(v));
    case 2: return static_cast<double>(std::get<int64_t>(v));
    case 3: return std::get<double>(v);
    case 4: return std::get<bool>(v) ? 1 : 0;
    default: return 0;
    }
}

bool TField::AsBoolean() const
{
    const TValue v = Value();
    switch (v.index()) {
    case 1: return std::get<std::string>(v) == "True" || std::get<std::string>(v) == "1";
    case 2: return std::get<int64_t>(v) != 0;
    case 3: return std::get<double>(v) != 0;
    case 4: return std::get<bool>(v);
    default: return false;
    }
}
