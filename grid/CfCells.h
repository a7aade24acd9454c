#pragma once
// The cell store: one flat list of cells per column and one TRow per row,
// kept aligned (cell i of every column belongs to row i), with the count of
// displayed rows and the state of the last sort. A cell and a row keep their
// address while rows move, sort or go around them.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/CfCell.h"
#include "grid/CfRow.h"
#include "grid/SortType.h"

class TCfColumns;

// What the store asks of its grid.
class TCellsGrid {
 public:
  virtual ~TCellsGrid() = default;
  virtual TColor GetCellBackground(int ACol, int ARow) = 0;
  virtual TColor GetCellTextColor(int ACol, int ARow) = 0;
};

// A cell together with the position it was looked up at. Like an iterator it
// stays valid until rows or columns are added, removed or reordered.
class TCellRef {
 public:
  TCellRef(TCell& cell, int col, int row) : FCell(&cell), FAt{col, row} {}

  int Col() const { return FAt.Col; }
  int Row() const { return FAt.Row; }
  TCell& Cell() const { return *FCell; }

  bool AsBoolean() const { return FCell->GetAsBoolean(FAt); }
  double AsDateTime() const { return FCell->GetAsDateTime(FAt); }
  double AsFloat() const { return FCell->GetAsFloat(FAt); }
  std::int32_t AsInteger() const { return FCell->GetAsInteger(FAt); }
  std::string AsString() const { return FCell->GetAsString(FAt); }
  void SetAsBoolean(bool v) const { FCell->SetAsBoolean(FAt, v); }
  void SetAsDateTime(double v) const { FCell->SetAsDateTime(FAt, v); }
  void SetAsFloat(double v) const { FCell->SetAsFloat(FAt, v); }
  void SetAsInteger(std::int32_t v) const { FCell->SetAsInteger(FAt, v); }
  void SetAsString(const std::string& v) const { FCell->SetAsString(FAt, v); }
  void Clear() const { FCell->Clear(FAt); }

  TColor Color() const { return FCell->Color(); }
  void SetColor(TColor v) const { FCell->SetColor(FAt, v); }
  TFontStyles FontStyle() const { return FCell->FontStyle(); }
  void SetFontStyle(TFontStyles v) const { FCell->SetFontStyle(v); }
  const std::string& Hint() const { return FCell->Hint(); }
  void SetHint(std::string v) const { FCell->SetHint(std::move(v)); }
  TColor GetBackgroundColor() const { return FCell->GetBackgroundColor(FAt); }
  TColor GetTextColor() const { return FCell->GetTextColor(FAt); }

 private:
  TCell* FCell;
  TCellAt FAt;
};

class TCells {
 public:
  using TCellChangeEvent = std::function<void(int ACol, int ARow)>;
  // Compare < 0 puts First before Second, 0 is equal, > 0 after; it starts at 0.
  using TCompareEvent = std::function<void(const TCellRef& First, const TCellRef& Second, int& Compare)>;

  // Kinds of ColumnChanged.
  enum : int { ccAdd = 0, ccDelete = 1, ccClear = 2, ccInsert = 3, ccMove = 4 };

  TCells(TCellsGrid* grid, TCfColumns* columns);
  ~TCells();
  TCells(const TCells&) = delete;
  TCells& operator=(const TCells&) = delete;

  TCellsGrid* Grid() const { return FGrid; }
  TCfColumns* Columns() const { return FColumns; }
  int ColumnCount() const { return static_cast<int>(FColumnLists.size()); }
  int RowCount() const { return static_cast<int>(FRows.size()); }
  int ShownRowCount() const { return FShownRowCount; }
  int DefaultRowHeight() const { return FDefaultRowHeight; }
  void SetDefaultRowHeight(int value) { FDefaultRowHeight = value; }
  bool IsSorted() const { return FIsSorted; }
  int SortedColumn() const { return FSortedColumn; }
  bool SortDescending() const { return FSortDescending; }

  TCellChangeEvent OnCellChange;
  TCompareEvent OnCompare;

  // Every index below is 0-based; an index outside the store raises EListError.
  TCellRef GetCell(int ACol, int ARow);
  TRow& GetRow(int ARow);
  int IndexOfRow(const TRow* row) const;
  int DescendantCount(int ARow);
  int ChildRowCount(int ARow);

  void AddRows(int Count);
  void InsertRow(int ARow);  // ARow may be RowCount (append)
  void AddChildRow(int AParent, int APosition);
  void DeleteRow(int ARow);
  // Deletes every row whose flag is set (Doomed has RowCount flags) in one
  // pass. A parent keeps its ChildCount right for the children it loses;
  // children the caller leaves behind lose their parent. IsSorted is kept.
  void DeleteRows(const std::vector<std::uint8_t>& Doomed);
  void ClearRows();
  void MoveRow(int AFrom, int ATo);
  void ExchangeRows(int A, int B);
  void SetShown(int ARow, bool Value);
  void SetVisible(int ARow, bool Value);

  // Puts the rows in the order they lie in memory, so that a caller about
  // to write every row (a refill) walks memory forward instead of jumping
  // about as the last sort left it. Rows of a tree keep their order.
  void LayRowsInMemoryOrder();

  // Mirrors a change of the column collection (only the low 7 bits of Kind count).
  void ColumnChanged(int Kind, int Index, int NewIndex = 0);

  // Sorts the rows by column ACol. Every key is read before any row moves, so
  // a key that does not convert raises and leaves the rows as they were.
  void Sort(int ACol, TSortType SortType, bool FullResort, bool Descending);

  // Called by a cell after its value, colour or state changed.
  void CellChanged(int ACol, int ARow);

 private:
  // Cells of the columns a row was made with live in the row's own block
  // (TRow first, then one cell per column), so a fill walks one piece of
  // memory per row and making a row costs one allocation. Cells of columns
  // added later are made on their own. Lists hold plain pointers; the
  // store ends every cell and block itself.
  using TCellList = std::vector<TCell*>;
  struct TRowLayout;

  void CheckRow(int ARow) const;
  void CheckCol(int ACol) const;
  TCfCustomColumn* ColumnAt(int slot) const;
  void FinishCell(TCell* cell, TCfCustomColumn* column);
  std::unique_ptr<TCell> NewCell(TCfCustomColumn* column);
  TCellList NewColumnList(int slot);
  TRowLayout Layout() const;
  TRow* NewRow(const TRowLayout& layout, TCell** cells);
  TRow* InsertNewRow(int ARow);
  static void DestroyCell(const TRow* row, TCell* cell);
  static void FreeRow(TRow* row);
  void DestroyRow(size_t ARow);
  void ReleaseSpareBlocks();
  void PopRowsTo(size_t count);
  void ReverseRows();
  void ApplyOrder(const std::vector<std::uint32_t>& order);
  std::vector<std::uint32_t> SortOrder(int ACol, TSortType SortType, bool Descending);

  TCellsGrid* FGrid;
  TCfColumns* FColumns;
  std::vector<TCellList> FColumnLists;
  std::vector<TRow*> FRows;  // each heads its block, owned
  // Blocks of rows deleted, their cells ended, all FSpareBytes long: the
  // next rows of that size are made in them.
  static constexpr size_t kMaxSpareBlocks = size_t{1} << 16;
  std::vector<void*> FSpareBlocks;
  std::uint32_t FSpareBytes = 0;
  int FDefaultRowHeight = 16;
  int FShownRowCount = 0;
  bool FIsSorted = false;
  int FSortedColumn = -1;
  bool FSortDescending = false;
  TSortType FSortedType = stAlphabetic;
};
