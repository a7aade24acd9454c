// Record buffers, field values read from and written to the stored texts,
// the blob stream and the enum/set-aware string field.

#include "dbexport/MySQLDataset.h"
#include "dbexport/DbCalcFields.h"
#include "dbexport/uMysqlClient.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

std::string Trim(const std::string& s)
{
    const size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos)
        return {};
    return s.substr(a, s.find_last_not_of(" \t\r\n") - a + 1);
}

// The members of a values list ("a","b"), without their quotes.
std::vector<std::string> Members(const std::string& values)
{
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= values.size() && !values.empty()) {
        size_t end = values.find(',', start);
        if (end == std::string::npos)
            end = values.size();
        std::string m = values.substr(start, end - start);
        if (m.size() >= 2 && m.front() == '"' && m.back() == '"')
            m = m.substr(1, m.size() - 2);
        out.push_back(m);
        start = end + 1;
    }
    return out;
}

int64_t LeadingInt(const std::string& s)
{
    try {
        return std::stoll(s);
    } catch (...) {
        return 0;
    }
}

std::string DateText(const char* format, double d)
{
    int y, mo, da, h, mi, s;
    DecodeDateTime(d, y, mo, da, h, mi, s);
    char buf[40];
    if (std::strcmp(format, "date") == 0)
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, mo, da);
    else if (std::strcmp(format, "time") == 0)
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", h, mi, s);
    else if (std::strcmp(format, "stamp14") == 0)
        std::snprintf(buf, sizeof buf, "%04d%02d%02d%02d%02d%02d", y, mo, da, h, mi, s);
    else
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", y, mo, da, h, mi, s);
    return buf;
}

} // namespace

std::unique_ptr<TRecBuf> TMySQLDatasetBase::AllocRecordBuffer()
{
    auto r = std::make_unique<TMySQLRecord>();
    r->Texts.resize(infos_.size());
    r->Blobs.resize(infos_.size());
    r->Calc.assign(static_cast<size_t>(CalcFieldsSize()), 0);
    return r;
}

void TMySQLDatasetBase::ClearCalcFields(TRecBuf& buffer)
{
    auto& rec = static_cast<TMySQLRecord&>(buffer);
    rec.Calc.assign(static_cast<size_t>(CalcFieldsSize()), 0);
}

bool TMySQLDatasetBase::CalcSlot(const TField* field, size_t& offset) const
{
    if (!ActiveBuffer())
        return false;
    const TDataSetState s = State();
    if (s != dsBrowse && s != dsEdit && s != dsInsert && s != dsCalcFields && s != dsFilter)
        return false;
    offset = static_cast<size_t>(field->CalcOffset);
    return offset + static_cast<size_t>(CalcValueSize(field->DataType, field->Size)) <= Rec().Calc.size();
}

std::unique_ptr<TField> TMySQLDatasetBase::CreateField(const TFieldDef& def)
{
    if (def.DataType == ftString || def.DataType == ftFixedChar)
        return std::make_unique<TMySQLStringField>(this, def);
    return std::make_unique<TField>(this, def);
}

int TMySQLDatasetBase::ColumnOf(const TField* field) const
{
    if (!field || field->FieldNo <= 0 || field->FieldNo > static_cast<int>(infos_.size()))
        return -1;
    return field->FieldNo - 1;
}

const TFieldInfo* TMySQLDatasetBase::InfoOf(const TField* field) const
{
    const int c = ColumnOf(field);
    return c < 0 ? nullptr : &infos_[static_cast<size_t>(c)];
}

bool TMySQLDatasetBase::IsIndexField(const TField* field) const
{
    return ("," + UpperCase(multipleKeys_) + ",").find("," + UpperCase(field->FieldName) + ",") != std::string::npos;
}

TMySQLRecord* TMySQLDatasetBase::CurrentRow()
{
    if (rows_.empty())
        return nullptr;
    const int64_t p = std::clamp<int64_t>(position_, 0, static_cast<int64_t>(rows_.size()) - 1);
    return rows_[static_cast<size_t>(p)].get();
}

void TMySQLDatasetBase::InternalInitRecord(TRecBuf& buffer)
{
    auto& rec = static_cast<TMySQLRecord&>(buffer);
    rec.Texts.assign(infos_.size(), std::nullopt);
    rec.Blobs.assign(infos_.size(), std::string());
    std::fill(rec.Calc.begin(), rec.Calc.end(), 0);
    for (size_t i = 0; i < infos_.size(); ++i) {
        TFieldInfo& fi = infos_[i];
        fi.Modified = false;
        if (fi.Flags & fiBlob)
            continue;
        std::string def = fi.Default;
        if (OnDefaultValue)
            OnDefaultValue(this, fi.FieldName, def, rec.RecNo);
        if (!def.empty()) {
            rec.Texts[i] = def;
            fi.Modified = fi.InResult;
        }
    }
}

std::string TMySQLDatasetBase::BlobValue(const TField* field)
{
    const int c = ColumnOf(field);
    if (c < 0 || !ActiveBuffer())
        return {};
    return Rec().Blobs[static_cast<size_t>(c)];
}

void TMySQLDatasetBase::SetBlobValue(TField* field, const std::string& bytes)
{
    const int c = ColumnOf(field);
    if (c < 0)
        return;
    Rec().Blobs[static_cast<size_t>(c)] = bytes;
    if (State() == dsEdit)
        if (TMySQLRecord* row = CurrentRow())
            row->Blobs[static_cast<size_t>(c)] = bytes;
    infos_[static_cast<size_t>(c)].Modified = infos_[static_cast<size_t>(c)].InResult;
}

bool TMySQLDatasetBase::GetFieldData(const TField* field, TValue& value)
{
    if (field->IsCalculated()) {
        size_t at = 0;
        if (!CalcSlot(field, at) || (State() == dsBrowse && !HasActiveRecord()))
            return false;
        return LoadCalcValue(Rec().Calc.data() + at, *field, value);
    }
    // While calculating, the row being read is not yet the current record.
    if (!ActiveBuffer() || (!HasActiveRecord() && State() != dsCalcFields))
        return false;
    const int c = ColumnOf(field);
    if (c < 0)
        return false;
    const TFieldInfo& fi = infos_[static_cast<size_t>(c)];
    const TMySQLRecord& rec = Rec();
    if (field->IsBlob()) {
        const std::string& b = rec.Blobs[static_cast<size_t>(c)];
        if (b.empty())
            return false;
        value = b;
        return true;
    }
    const auto& text = rec.Texts[static_cast<size_t>(c)];
    if (!text)
        return false;
    if (field->DataType == ftString) {
        value = *text;
        return true;
    }
    const std::string t = Trim(*text);
    if (t.empty())
        return false;
    switch (field->DataType) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc: value = static_cast<int64_t>(static_cast<int32_t>(LeadingInt(t))); break;
    case ftLargeint: value = LeadingInt(t); break;
    case ftBoolean:
        if (fi.Type == FIELD_TYPE_ENUM) {
            const auto m = Members(fi.Values);
            value = !m.empty() && cf::SameText(m[0], t);
        } else {
            value = LeadingInt(t) != 0;
        }
        break;
    case ftFloat:
    case ftCurrency: {
        double d = 0;
        value = TryStrToFloatDot(t, d) ? d : 0.0;
        break;
    }
    case ftDate: value = MySQLStrToDate(t); break;
    case ftTime: value = MySQLStrToTime(t); break;
    case ftDateTime:
    case ftTimeStamp:
        value = (fi.Type == FIELD_TYPE_TIMESTAMP && Driver().ServerVer() < 40100) ? MySQLTimeStampToDateTime(t)
                                                                                  : MySQLStrToDateTime(t);
        break;
    default: value = *text; break;
    }
    return true;
}

void TMySQLDatasetBase::SetFieldData(TField* field, const TValue& value)
{
    if (!ActiveBuffer())
        return;
    if (field->IsCalculated()) {
        size_t at = 0;
        if (CalcSlot(field, at)) {
            StoreCalcValue(Rec().Calc.data() + at, *field, value);
            if (State() != dsCalcFields && State() != dsFilter)
                DataEvent(deFieldChange, field);
        }
        return;
    }
    const int c = ColumnOf(field);
    if (c < 0)
        return;
    TFieldInfo& fi = infos_[static_cast<size_t>(c)];
    TMySQLRecord& rec = Rec();
    TMySQLRecord* row = State() == dsEdit ? CurrentRow() : nullptr;
    fi.Modified = fi.InResult;
    if (field->IsBlob()) {
        SetBlobValue(field, IsNullValue(value) ? std::string() : ValueText(value));
        DataEvent(deFieldChange, field);
        return;
    }
    rec.Texts[static_cast<size_t>(c)].reset();
    if (row)
        row->Texts[static_cast<size_t>(c)].reset();
    if (IsNullValue(value)) {
        DataEvent(deFieldChange, field);
        return;
    }
    std::string text;
    switch (field->DataType) {
    case ftString:
        text = ValueText(value);
        if (fi.Length > 0 && text.size() > fi.Length)
            text.resize(fi.Length);
        break;
    case ftBoolean: {
        const bool b = std::holds_alternative<bool>(value) ? std::get<bool>(value) : ValueText(value) == "True";
        if (fi.Type == FIELD_TYPE_ENUM) {
            const auto m = Members(fi.Values);
            text = b ? (m.size() > 0 ? m[0] : "") : (m.size() > 1 ? m[1] : "");
        } else {
            text = b ? "1" : "0";
        }
        break;
    }
    case ftFloat:
    case ftCurrency: text = FloatToStrDot(std::get<double>(value)); break;
    case ftDate: text = DateText("date", std::get<double>(value)); break;
    case ftTime: text = DateText("time", std::get<double>(value)); break;
    case ftDateTime:
    case ftTimeStamp:
        text = DateText(fi.Type == FIELD_TYPE_TIMESTAMP && Driver().ServerVer() < 40100 ? "stamp14" : "full",
                        std::get<double>(value));
        break;
    default: text = ValueText(value); break;
    }
    rec.Texts[static_cast<size_t>(c)] = text;
    if (row)
        row->Texts[static_cast<size_t>(c)] = text;
    DataEvent(deFieldChange, field);
}

// The blob stream.

TMySQLBlobStream::TMySQLBlobStream(TField* field, Mode mode)
    : field_(field), ds_(dynamic_cast<TMySQLDatasetBase*>(field->DataSet())), mode_(mode)
{
    if (!ds_ || !ds_->ActiveBuffer())
        throw EMySQLError("Dataset not in edit or insert mode");
    const TFieldInfo* fi = ds_->InfoOf(field);
    if (mode != bmRead && !(fi && fi->Modified)) {
        if (field->ReadOnly)
            throw EMySQLError("Field is readonly");
        if (ds_->State() != dsEdit && ds_->State() != dsInsert)
            throw EMySQLError("Dataset not in edit or insert mode");
    }
    data_ = ds_->BlobValue(field);
    if (mode == bmWrite) {
        data_.clear();
        ds_->SetBlobValue(field_, data_);
        changed_ = true;
    }
}

TMySQLBlobStream::~TMySQLBlobStream()
{
    if (changed_) {
        const int c = ds_->ColumnOf(field_);
        if (c >= 0)
            ds_->infos_[static_cast<size_t>(c)].Modified = true;
        ds_->DataEvent(deFieldChange, field_);
    }
}

size_t TMySQLBlobStream::Read(void* buffer, size_t count)
{
    const size_t n = pos_ < data_.size() ? std::min(count, data_.size() - pos_) : 0;
    std::memcpy(buffer, data_.data() + pos_, n);
    pos_ += n;
    return n;
}

size_t TMySQLBlobStream::Write(const void* buffer, size_t count)
{
    if (mode_ == bmRead)
        return 0;
    if (data_.size() < pos_ + count)
        data_.resize(pos_ + count);
    std::memcpy(data_.data() + pos_, buffer, count);
    pos_ += count;
    ds_->SetBlobValue(field_, data_);
    changed_ = true;
    return count;
}

int64_t TMySQLBlobStream::Seek(int64_t offset, int origin)
{
    int64_t base = origin == 0 ? 0 : origin == 1 ? static_cast<int64_t>(pos_) : static_cast<int64_t>(data_.size());
    pos_ = static_cast<size_t>(std::max<int64_t>(0, base + offset));
    return static_cast<int64_t>(pos_);
}

// The string field.

TMySQLStringTypes TMySQLStringField::StringType()
{
    if (auto* ds = dynamic_cast<TMySQLDatasetBase*>(DataSet()))
        if (const TFieldInfo* fi = ds->InfoOf(this))
            stringType_ = fi->Type == FIELD_TYPE_SET ? stSet : fi->Type == FIELD_TYPE_ENUM ? stEnum : stNormal;
    return stringType_;
}

const std::vector<std::string>& TMySQLStringField::StringValues()
{
    if (auto* ds = dynamic_cast<TMySQLDatasetBase*>(DataSet()))
        if (const TFieldInfo* fi = ds->InfoOf(this); fi && !fi->Values.empty())
            values_ = Members(fi->Values);
    return values_;
}

void TMySQLStringField::SetStringValues(const std::vector<std::string>& values)
{
    if (values != values_)
        values_ = values;
}
