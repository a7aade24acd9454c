#pragma once
// The cell family: one object per grid cell, each class holding one kind of
// value and converting it to and from the other kinds.
//
// A cell does not know where it stands. Every operation that needs the
// position (the running number of an increment cell, the text of a virtual
// cell, the change notification) receives it as a TCellAt from the caller,
// which is always the store that addressed the cell by (column, row).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "grid/CellText.h"
#include "grid/GridTypes.h"

class TCells;
class TCfCustomColumn;

struct TCellAt {
  int Col = 0;
  int Row = 0;
};

class TCell {
 public:
  // Bit 1 of Flags: notifications suppressed (set while the cell is being made).
  static constexpr std::uint8_t kNoNotify = 2;

  explicit TCell(TCells* owner) : FOwner(owner) {}
  virtual ~TCell() = default;
  TCell(const TCell&) = delete;
  TCell& operator=(const TCell&) = delete;

  TCells* Owner() const { return FOwner; }
  TFontStyles FontStyle() const { return FFontStyle; }
  void SetFontStyle(TFontStyles value) { FFontStyle = value; }
  TColor Color() const { return FColor; }
  void SetColor(TCellAt at, TColor value);
  const std::string& Hint() const;
  void SetHint(std::string value);
  std::uint8_t Flags() const { return FFlags; }
  void SetFlags(std::uint8_t value) { FFlags = value; }

  virtual TColor GetBackgroundColor(TCellAt at) const;
  virtual TColor GetTextColor(TCellAt at) const;
  virtual bool GetAsBoolean(TCellAt at) const = 0;
  virtual double GetAsDateTime(TCellAt at) const = 0;
  virtual double GetAsFloat(TCellAt at) const = 0;
  virtual std::int32_t GetAsInteger(TCellAt at) const = 0;
  virtual std::string GetAsString(TCellAt at) const = 0;
  // Tells the store that the cell at `at` changed.
  virtual void Changed(TCellAt at);
  // Each setter stores its value (when the class stores one) and ends in Changed.
  virtual void SetAsBoolean(TCellAt at, bool value);
  virtual void SetAsDateTime(TCellAt at, double value);
  virtual void SetAsFloat(TCellAt at, double value);
  virtual void SetAsInteger(TCellAt at, std::int32_t value);
  virtual void SetAsString(TCellAt at, const std::string& value);
  virtual void Clear(TCellAt at);
  // The stored text of a cell that holds a text, for reading without a copy.
  virtual const std::string* StoredText() const { return nullptr; }

 private:
  TCells* FOwner;
  // Few cells have a hint, and a grid holds a million cells: an empty hint
  // costs a pointer, not a string.
  std::unique_ptr<std::string> FHint;
  TFontStyles FFontStyle = 0;
  TColor FColor = clWindow;
  std::uint8_t FFlags = kNoNotify;
};

class TBooleanCell : public TCell {
 public:
  using TCell::TCell;
  bool GetAsBoolean(TCellAt) const override { return FValue; }
  double GetAsDateTime(TCellAt) const override { return 0; }
  double GetAsFloat(TCellAt) const override { return FValue ? 1.0 : 0.0; }
  std::int32_t GetAsInteger(TCellAt) const override { return FValue ? 1 : 0; }
  std::string GetAsString(TCellAt) const override { return celltext::BoolToText(FValue); }
  void SetAsBoolean(TCellAt at, bool value) override;
  void SetAsDateTime(TCellAt at, double value) override;
  void SetAsFloat(TCellAt at, double value) override;
  void SetAsInteger(TCellAt at, std::int32_t value) override;
  void SetAsString(TCellAt at, const std::string& value) override;
  void Clear(TCellAt at) override;

 private:
  bool FValue = false;
};

class TDateTimeCell : public TCell {
 public:
  using TCell::TCell;
  bool GetAsBoolean(TCellAt) const override { return false; }
  double GetAsDateTime(TCellAt) const override { return FValue; }
  double GetAsFloat(TCellAt) const override { return FValue; }
  std::int32_t GetAsInteger(TCellAt) const override { return celltext::TruncToInt(FValue); }
  std::string GetAsString(TCellAt) const override { return celltext::DateTimeToText(FValue); }
  void SetAsBoolean(TCellAt at, bool value) override;
  void SetAsDateTime(TCellAt at, double value) override;
  void SetAsFloat(TCellAt at, double value) override;
  void SetAsInteger(TCellAt at, std::int32_t value) override;
  void SetAsString(TCellAt at, const std::string& value) override;
  void Clear(TCellAt at) override;

 private:
  double FValue = 0;
};

class TFloatCell : public TCell {
 public:
  using TCell::TCell;
  bool GetAsBoolean(TCellAt) const override { return false; }
  double GetAsDateTime(TCellAt) const override { return FValue; }
  double GetAsFloat(TCellAt) const override { return FValue; }
  std::int32_t GetAsInteger(TCellAt) const override { return celltext::RoundToInt(FValue); }
  std::string GetAsString(TCellAt) const override { return celltext::FloatToText(FValue); }
  void SetAsBoolean(TCellAt at, bool value) override;
  void SetAsDateTime(TCellAt at, double value) override;
  void SetAsFloat(TCellAt at, double value) override;
  void SetAsInteger(TCellAt at, std::int32_t value) override;
  void SetAsString(TCellAt at, const std::string& value) override;
  void Clear(TCellAt at) override;

 private:
  double FValue = 0;
};

class TIntegerCell : public TCell {
 public:
  using TCell::TCell;
  bool GetAsBoolean(TCellAt) const override { return FValue > 0; }
  double GetAsDateTime(TCellAt) const override { return 0; }
  double GetAsFloat(TCellAt) const override { return FValue; }
  std::int32_t GetAsInteger(TCellAt) const override { return FValue; }
  std::string GetAsString(TCellAt) const override { return celltext::IntToText(FValue); }
  void SetAsBoolean(TCellAt at, bool value) override;
  void SetAsDateTime(TCellAt at, double value) override;
  void SetAsFloat(TCellAt at, double value) override;
  void SetAsInteger(TCellAt at, std::int32_t value) override;
  void SetAsString(TCellAt at, const std::string& value) override;
  void Clear(TCellAt at) override;

 private:
  std::int32_t FValue = 0;
};

// Getters shared by the cells whose value is a text: each kind is parsed
// from AsString.
class TTextValueCell : public TCell {
 public:
  using TCell::TCell;
  bool GetAsBoolean(TCellAt at) const override;
  double GetAsDateTime(TCellAt at) const override;
  double GetAsFloat(TCellAt at) const override;
  std::int32_t GetAsInteger(TCellAt at) const override;
};

class TStringCell : public TTextValueCell {
 public:
  using TTextValueCell::TTextValueCell;
  std::string GetAsString(TCellAt) const override { return FValue; }
  bool GetAsBoolean(TCellAt) const override { return celltext::TextToBool(FValue); }
  double GetAsDateTime(TCellAt) const override { return FValue.empty() ? 0.0 : celltext::TextToDateTime(FValue); }
  double GetAsFloat(TCellAt) const override { return celltext::TextToFloat(FValue); }
  std::int32_t GetAsInteger(TCellAt) const override { return celltext::TextToInt(FValue); }
  const std::string* StoredText() const override { return &FValue; }
  void SetAsBoolean(TCellAt at, bool value) override;
  void SetAsDateTime(TCellAt at, double value) override;
  void SetAsFloat(TCellAt at, double value) override;
  void SetAsInteger(TCellAt at, std::int32_t value) override;
  void SetAsString(TCellAt at, const std::string& value) override;
  void Clear(TCellAt at) override;

 private:
  std::string FValue;
};

// Shows the running number of its row (row index + 1); stores nothing.
class TIncrementCell : public TCell {
 public:
  using TCell::TCell;
  bool GetAsBoolean(TCellAt) const override { return false; }
  double GetAsDateTime(TCellAt) const override { return 0; }
  double GetAsFloat(TCellAt at) const override { return static_cast<double>(at.Row) + 1; }
  std::int32_t GetAsInteger(TCellAt at) const override { return at.Row + 1; }
  std::string GetAsString(TCellAt at) const override { return celltext::IntToText(at.Row + 1); }
};

// Setters of the cells that take every value through its text.
class TTextSetterCell : public TTextValueCell {
 public:
  using TTextValueCell::TTextValueCell;
  void SetAsBoolean(TCellAt at, bool value) override;
  void SetAsDateTime(TCellAt at, double value) override;
  void SetAsFloat(TCellAt at, double value) override;
  void SetAsInteger(TCellAt at, std::int32_t value) override;
};

class TGuidCell : public TTextSetterCell {
 public:
  explicit TGuidCell(TCells* owner) : TTextSetterCell(owner), FValue(celltext::NewGuid()) {}
  std::string GetAsString(TCellAt) const override { return celltext::GuidToText(FValue); }
  void SetAsString(TCellAt at, const std::string& value) override;

 private:
  celltext::TGuid FValue;
};

// Its column holds the value; the cell asks the column by position.
class TVirtualCell : public TTextSetterCell {
 public:
  TVirtualCell(TCells* owner, TCfCustomColumn* column) : TTextSetterCell(owner), FColumn(column) {}
  std::string GetAsString(TCellAt at) const override;
  void SetAsString(TCellAt at, const std::string& value) override;

 private:
  TCfCustomColumn* FColumn;
};

// The cell class for a column's data kind.
std::unique_ptr<TCell> MakeCell(std::uint8_t kind, TCells* owner, TCfCustomColumn* column);

// Every cell class fits an address aligned to this.
inline constexpr std::size_t kCellAlign = 8;
// The bytes a cell of a data kind takes, a multiple of kCellAlign.
std::size_t CellSize(std::uint8_t kind);
// Makes the cell of a data kind in `place` (CellSize bytes, aligned to
// kCellAlign); the caller ends it with ~TCell() and frees the memory.
TCell* MakeCellAt(void* place, std::uint8_t kind, TCells* owner, TCfCustomColumn* column);
