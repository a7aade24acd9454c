#include "dbexport/DbCalcFields.h"

#include <algorithm>
#include <cstring>

namespace {

enum class Slot { Text, Integer, Real, Flag };

Slot SlotOf(TFieldType type)
{
    switch (type) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint: return Slot::Integer;
    case ftFloat:
    case ftCurrency:
    case ftDate:
    case ftTime:
    case ftDateTime:
    case ftTimeStamp: return Slot::Real;
    case ftBoolean: return Slot::Flag;
    default: return Slot::Text;
    }
}

} // namespace

int CalcValueSize(TFieldType type, int size)
{
    switch (SlotOf(type)) {
    case Slot::Integer: return 1 + static_cast<int>(sizeof(int64_t));
    case Slot::Real: return 1 + static_cast<int>(sizeof(double));
    case Slot::Flag: return 2;
    case Slot::Text: break;
    }
    return 1 + std::max(size, 0) + 1;
}

void StoreCalcValue(uint8_t* at, const TField& field, const TValue& value)
{
    std::memset(at, 0, static_cast<size_t>(CalcValueSize(field.DataType, field.Size)));
    if (IsNullValue(value))
        return;
    at[0] = 1;
    switch (SlotOf(field.DataType)) {
    case Slot::Integer: {
        int64_t v = 0;
        if (auto* i = std::get_if<int64_t>(&value))
            v = *i;
        else if (auto* d = std::get_if<double>(&value))
            v = static_cast<int64_t>(*d);
        else if (auto* b = std::get_if<bool>(&value))
            v = *b;
        std::memcpy(at + 1, &v, sizeof v);
        break;
    }
    case Slot::Real: {
        double v = 0;
        if (auto* d = std::get_if<double>(&value))
            v = *d;
        else if (auto* i = std::get_if<int64_t>(&value))
            v = static_cast<double>(*i);
        std::memcpy(at + 1, &v, sizeof v);
        break;
    }
    case Slot::Flag: {
        bool v = false;
        if (auto* b = std::get_if<bool>(&value))
            v = *b;
        else if (auto* i = std::get_if<int64_t>(&value))
            v = *i != 0;
        at[1] = v ? 1 : 0;
        break;
    }
    case Slot::Text: {
        const std::string text = ValueText(value);
        // Up to the first NUL, as the text is read back.
        const size_t n = std::min({text.size(), static_cast<size_t>(std::max(field.Size, 0)),
                                   std::strlen(text.c_str())});
        std::memcpy(at + 1, text.data(), n);
        break;
    }
    }
}

bool LoadCalcValue(const uint8_t* at, const TField& field, TValue& value)
{
    if (at[0] == 0)
        return false;
    switch (SlotOf(field.DataType)) {
    case Slot::Integer: {
        int64_t v;
        std::memcpy(&v, at + 1, sizeof v);
        value = v;
        break;
    }
    case Slot::Real: {
        double v;
        std::memcpy(&v, at + 1, sizeof v);
        value = v;
        break;
    }
    case Slot::Flag: value = at[1] != 0; break;
    case Slot::Text: value = std::string(reinterpret_cast<const char*>(at + 1)); break;
    }
    return true;
}
