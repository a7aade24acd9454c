#include "grid/CfCell.h"

#include "grid/CfCells.h"
#include "grid/CfColumns.h"

#include <new>

using namespace celltext;

// ---- TCell -------------------------------------------------------------

const std::string& TCell::Hint() const {
  static const std::string none;
  return FHint ? *FHint : none;
}

void TCell::SetHint(std::string value) {
  if (value.empty())
    FHint.reset();
  else if (FHint)
    *FHint = std::move(value);
  else
    FHint = std::make_unique<std::string>(std::move(value));
}

void TCell::SetColor(TCellAt at, TColor value) {
  FColor = value;
  if (!(FFlags & kNoNotify)) Changed(at);
}

TColor TCell::GetBackgroundColor(TCellAt at) const {
  if (FOwner && FOwner->Grid()) return FOwner->Grid()->GetCellBackground(at.Col, at.Row);
  return FColor;
}

TColor TCell::GetTextColor(TCellAt at) const {
  if (FOwner && FOwner->Grid()) return FOwner->Grid()->GetCellTextColor(at.Col, at.Row);
  return clWindowText;
}

void TCell::Changed(TCellAt at) {
  if (FOwner) FOwner->CellChanged(at.Col, at.Row);
}

void TCell::SetAsBoolean(TCellAt at, bool) { Changed(at); }
void TCell::SetAsDateTime(TCellAt at, double) { Changed(at); }
void TCell::SetAsFloat(TCellAt at, double) { Changed(at); }
void TCell::SetAsInteger(TCellAt at, std::int32_t) { Changed(at); }
void TCell::SetAsString(TCellAt at, const std::string&) { Changed(at); }
void TCell::Clear(TCellAt at) { Changed(at); }

// ---- TBooleanCell ------------------------------------------------------

void TBooleanCell::SetAsBoolean(TCellAt at, bool value) {
  FValue = value;
  TCell::SetAsBoolean(at, value);
}
void TBooleanCell::SetAsDateTime(TCellAt at, double value) {
  FValue = false;
  TCell::SetAsDateTime(at, value);
}
void TBooleanCell::SetAsFloat(TCellAt at, double value) {
  FValue = value != 0;
  TCell::SetAsFloat(at, value);
}
void TBooleanCell::SetAsInteger(TCellAt at, std::int32_t value) {
  FValue = value != 0;
  TCell::SetAsInteger(at, value);
}
void TBooleanCell::SetAsString(TCellAt at, const std::string& value) {
  bool isTrue = value == "1";
  if (!isTrue && value.size() == 4) {
    isTrue = true;
    for (size_t i = 0; i < 4; ++i) {
      char c = value[i];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      if (c != "true"[i]) isTrue = false;
    }
  }
  FValue = isTrue;
  TCell::SetAsString(at, value);
}
void TBooleanCell::Clear(TCellAt at) {
  FValue = false;
  TCell::Clear(at);
}

// ---- TDateTimeCell -----------------------------------------------------

void TDateTimeCell::SetAsBoolean(TCellAt at, bool value) {
  FValue = Today();
  TCell::SetAsBoolean(at, value);
}
void TDateTimeCell::SetAsDateTime(TCellAt at, double value) {
  FValue = value;
  TCell::SetAsDateTime(at, value);
}
void TDateTimeCell::SetAsFloat(TCellAt at, double value) {
  FValue = value;
  TCell::SetAsFloat(at, value);
}
void TDateTimeCell::SetAsInteger(TCellAt at, std::int32_t value) {
  FValue = value;
  TCell::SetAsInteger(at, value);
}
void TDateTimeCell::SetAsString(TCellAt at, const std::string& value) {
  // Text that does not read as a date stores 0 rather than failing.
  FValue = TryTextToDateTime(value).value_or(0.0);
  TCell::SetAsString(at, value);
}
void TDateTimeCell::Clear(TCellAt at) {
  FValue = 0;
  TCell::Clear(at);
}

// ---- TFloatCell --------------------------------------------------------

void TFloatCell::SetAsBoolean(TCellAt at, bool value) {
  FValue = 0;
  TCell::SetAsBoolean(at, value);
}
void TFloatCell::SetAsDateTime(TCellAt at, double value) {
  FValue = value;
  TCell::SetAsDateTime(at, value);
}
void TFloatCell::SetAsFloat(TCellAt at, double value) {
  FValue = value;
  TCell::SetAsFloat(at, value);
}
void TFloatCell::SetAsInteger(TCellAt at, std::int32_t value) {
  FValue = value;
  TCell::SetAsInteger(at, value);
}
void TFloatCell::SetAsString(TCellAt at, const std::string& value) {
  FValue = TextToFloat(value);  // raises before anything is stored
  TCell::SetAsString(at, value);
}
void TFloatCell::Clear(TCellAt at) {
  FValue = 0;
  TCell::Clear(at);
}

// ---- TIntegerCell ------------------------------------------------------

void TIntegerCell::SetAsBoolean(TCellAt at, bool value) {
  FValue = value ? 1 : 0;
  TCell::SetAsBoolean(at, value);
}
void TIntegerCell::SetAsDateTime(TCellAt at, double value) {
  FValue = 0;
  TCell::SetAsDateTime(at, value);
}
void TIntegerCell::SetAsFloat(TCellAt at, double value) {
  FValue = RoundToInt(value);
  TCell::SetAsFloat(at, value);
}
void TIntegerCell::SetAsInteger(TCellAt at, std::int32_t value) {
  FValue = value;
  TCell::SetAsInteger(at, value);
}
void TIntegerCell::SetAsString(TCellAt at, const std::string& value) {
  FValue = value.empty() ? 0 : TextToInt(value);
  TCell::SetAsString(at, value);
}
void TIntegerCell::Clear(TCellAt at) {
  FValue = 0;
  TCell::Clear(at);
}

// ---- text-valued cells -------------------------------------------------

bool TTextValueCell::GetAsBoolean(TCellAt at) const { return TextToBool(GetAsString(at)); }
double TTextValueCell::GetAsDateTime(TCellAt at) const {
  std::string text = GetAsString(at);
  return text.empty() ? 0.0 : TextToDateTime(text);
}
double TTextValueCell::GetAsFloat(TCellAt at) const { return TextToFloat(GetAsString(at)); }
std::int32_t TTextValueCell::GetAsInteger(TCellAt at) const { return TextToInt(GetAsString(at)); }

void TStringCell::SetAsBoolean(TCellAt at, bool value) {
  FValue = BoolToText(value);
  TCell::SetAsBoolean(at, value);
}
void TStringCell::SetAsDateTime(TCellAt at, double value) {
  FValue = DateTimeToText(value);
  TCell::SetAsDateTime(at, value);
}
void TStringCell::SetAsFloat(TCellAt at, double value) {
  FValue = FloatToText(value);
  TCell::SetAsFloat(at, value);
}
void TStringCell::SetAsInteger(TCellAt at, std::int32_t value) {
  FValue = IntToText(value);
  TCell::SetAsInteger(at, value);
}
void TStringCell::SetAsString(TCellAt at, const std::string& value) {
  FValue = value;
  TCell::SetAsString(at, value);
}
void TStringCell::Clear(TCellAt at) {
  FValue.clear();
  TCell::Clear(at);
}

void TTextSetterCell::SetAsBoolean(TCellAt at, bool value) { SetAsString(at, BoolToText(value)); }
void TTextSetterCell::SetAsDateTime(TCellAt at, double value) { SetAsString(at, DateTimeToText(value)); }
void TTextSetterCell::SetAsFloat(TCellAt at, double value) { SetAsString(at, FloatToText(value)); }
void TTextSetterCell::SetAsInteger(TCellAt at, std::int32_t value) { SetAsString(at, IntToText(value)); }

void TGuidCell::SetAsString(TCellAt at, const std::string& value) {
  FValue = TextToGuid(value);
  TCell::SetAsString(at, value);
}

std::string TVirtualCell::GetAsString(TCellAt at) const {
  return FColumn ? FColumn->GetVirtualText(at.Col, at.Row) : std::string();
}

void TVirtualCell::SetAsString(TCellAt at, const std::string& value) {
  if (FColumn) FColumn->SetVirtualText(at.Col, at.Row, value);
  TCell::SetAsString(at, value);
}

// ---- factory -----------------------------------------------------------

namespace {

template <class Cell>
constexpr std::size_t Slot() {
  static_assert(alignof(Cell) <= kCellAlign);
  return (sizeof(Cell) + kCellAlign - 1) / kCellAlign * kCellAlign;
}

}  // namespace

std::size_t CellSize(std::uint8_t kind) {
  switch (kind) {
    case 0: return Slot<TIncrementCell>();
    case 1: return Slot<TBooleanCell>();
    case 3: return Slot<TDateTimeCell>();
    case 4: return Slot<TFloatCell>();
    case 6: return Slot<TGuidCell>();
    case 7: return Slot<TIntegerCell>();
    case 11: return Slot<TVirtualCell>();
    default: return Slot<TStringCell>();
  }
}

TCell* MakeCellAt(void* place, std::uint8_t kind, TCells* owner, TCfCustomColumn* column) {
  switch (kind) {
    case 0: return new (place) TIncrementCell(owner);
    case 1: return new (place) TBooleanCell(owner);
    case 3: return new (place) TDateTimeCell(owner);
    case 4: return new (place) TFloatCell(owner);
    case 6: return new (place) TGuidCell(owner);
    case 7: return new (place) TIntegerCell(owner);
    case 11: return new (place) TVirtualCell(owner, column);
    default: return new (place) TStringCell(owner);
  }
}

std::unique_ptr<TCell> MakeCell(std::uint8_t kind, TCells* owner, TCfCustomColumn* column) {
  switch (kind) {
    case 0: return std::make_unique<TIncrementCell>(owner);
    case 1: return std::make_unique<TBooleanCell>(owner);
    case 3: return std::make_unique<TDateTimeCell>(owner);
    case 4: return std::make_unique<TFloatCell>(owner);
    case 6: return std::make_unique<TGuidCell>(owner);
    case 7: return std::make_unique<TIntegerCell>(owner);
    case 11: return std::make_unique<TVirtualCell>(owner, column);
    default: return std::make_unique<TStringCell>(owner);
  }
}
