#pragma once

// How a calculated field's value sits in a record buffer's calculated area:
// one byte that says whether a value is there, then the value in a fixed
// width for its type (text of up to Size bytes with a closing NUL, 64-bit
// integers, doubles for floats, dates and times, one byte for booleans).

#include "dbexport/DbFields.h"

#include <cstdint>

// The bytes a calculated field of this type and size takes, flag included.
int CalcValueSize(TFieldType type, int size);
// NULL zero-fills the field's bytes; text longer than Size is cut.
void StoreCalcValue(uint8_t* at, const TField& field, const TValue& value);
// False for NULL (nothing stored since the area was cleared).
bool LoadCalcValue(const uint8_t* at, const TField& field, TValue& value);
