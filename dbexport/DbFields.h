#pragma once

// Fields, field and index definitions of the database framework. A field
// reads and writes its value through its dataset's active record.

#include "dbexport/MySQLStrUtils.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

enum TFieldType {
    ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency,
    ftDate, ftTime, ftDateTime, ftBlob, ftMemo, ftFixedChar, ftLargeint, ftVariant,
    ftTimeStamp, ftAutoInc
};

// A field value: empty for NULL; dates and times travel as TDateTime doubles.
using TValue = std::variant<std::monostate, std::string, int64_t, double, bool>;

inline bool IsNullValue(const TValue& v) { return std::holds_alternative<std::monostate>(v); }
// The value as text: integers in decimal, floats with ".", booleans "True"/"False".
std::string ValueText(const TValue& v);

struct TFieldDef {
    std::string Name;
    TFieldType DataType = ftUnknown;
    int Size = 0;
    int Precision = 0;
    int FieldNo = 0;
    bool Required = false;
    bool ReadOnly = false;
    bool InternalCalc = false;
    bool Fixed = false;
};

struct TIndexDef {
    std::string Name;
    std::string Fields; // separated by ";"
    bool Primary = false;
    bool Unique = false;
};

enum TFieldKind { fkData, fkCalculated, fkLookup, fkInternalCalc };

class TDataSet;

class TField {
public:
    TField(TDataSet* dataSet, const TFieldDef& def);
    virtual ~TField() = default;
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    TDataSet* DataSet() const { return dataSet_; }
    std::string FieldName;
    TFieldType DataType;
    int Size;
    int FieldNo;
    bool ReadOnly = false;
    bool Required = false;
    TFieldKind FieldKind = fkData;
    std::string Origin;
    // A calculated or lookup field has no column (number 0 or less); its
    // value sits at this offset of the record's calculated area.
    bool IsCalculated() const { return FieldNo <= 0; }
    int CalcOffset = 0;
    // The provider flag that makes the field part of the key it updates by.
    bool InKey = false;

    bool IsBlob() const { return DataType == ftBlob || DataType == ftMemo; }
    bool IsNull() const;
    TValue Value() const;
    // Converts to the field's own kind of value, then hands it to the dataset.
    void SetValue(const TValue& v);
    void Clear() { SetValue(TValue{}); }

    std::string AsString() const;
    void SetAsString(const std::string& s);
    int64_t AsInteger() const;
    void SetAsInteger(int64_t v) { SetValue(TValue{v}); }
    double AsFloat() const;
    void SetAsFloat(double v) { SetValue(TValue{v}); }
    bool AsBoolean() const;
    void SetAsBoolean(bool v) { SetValue(TValue{v}); }
    TDateTime AsDateTime() const { return AsFloat(); }
    void SetAsDateTime(TDateTime v) { SetValue(TValue{v}); }

private:
    TDataSet* dataSet_;
};

enum TMySQLStringTypes { stNone, stNormal, stEnum, stSet };

// A string field that knows whether its column is an enum or a set.
class TMySQLStringField : public TField {
public:
    using TField::TField;
    TMySQLStringTypes StringType();
    const std::vector<std::string>& StringValues();
    void SetStringValues(const std::vector<std::string>& values);

private:
    TMySQLStringTypes stringType_ = stNormal;
    std::vector<std::string> values_;
};
