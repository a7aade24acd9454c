#pragma once
// The grid every form places: the control over a cell store. Reads and
// writes cells, adds and clears rows, keeps row heights, visibility and
// marks, and computes footer values. The other row operations (insert,
// delete, move, exchange, children, expanding, sorting) live in their own
// files.

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "grid/CfCells.h"
#include "grid/CfCustomGrid.h"

// "Cell out of bounds (c, r)".
class ECellOutOfBounds : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TCfGrid : public TCfCustomGrid, public TCellsGrid {
 public:
  explicit TCfGrid(QWidget* Owner = nullptr);
  ~TCfGrid() override;

  TCells& CellStore() { return *FCells; }

  // ---- cells ----
  // The cell at (ACol, ARow); indexes outside the grid raise EListError.
  TCellRef Cell(int ACol, int ARow);
  // "Cell out of bounds (c, r)" outside the grid.
  std::string Cells(int ACol, int ARow) override;
  void SetCells(int ACol, int ARow, const std::string& Value) override;

  // ---- rows ----
  int GetRowCount() override { return FCells->RowCount(); }
  int RowHeight(int ARow) override;
  void SetRowHeight(int ARow, int Height) override;
  bool RowVisible(int ARow) override;
  void SetRowVisible(int ARow, bool Shown) override;
  bool GetSelected(int ARow) override;
  void SetSelected(int ARow, bool Value) override;
  bool Selected(int ARow) { return GetSelected(ARow); }
  int Level(int ARow);
  bool Expanded(int ARow);
  int GetParentRow(int ARow) override;
  int GetRowLevel(int ARow) override { return Level(ARow); }
  int NextSibling(int ARow);
  void SelectRange(int FromRow, int ToRow, bool Value) override;
  int LastAddedRow() const { return FLastAddedRow; }
  int ShownRowCount() override { return FCells->ShownRowCount(); }
  int GetFirstRow() override { return FFirstShownRow; }
  int GetLastRow() override { return FLastShownRow; }

  int AddRow(int Count = 1) override;
  void AddRows(int Count);
  void ClearRows() override;
  void ExchangeRows(int A, int B) override;

  // ---- row operations (CfGridRows.cpp) ----
  // The current row, the anchor and the marks stay on their records while
  // rows shift.
  void InsertRow(int Index) override;
  void DeleteRow(int Index) override;
  // Deletes every marked row (with its descendants) in one pass; the grid
  // ends as DeleteRow called on each marked row from the last to the first
  // leaves it, OnDataChange included.
  void DeleteSelectedRows();
  void MoveRow(int FromPos, int ToPos) override;
  int AddChildRow(int Index, bool AfterChildren);
  void SetExpanded(int ARow, bool Value);
  using TCfCustomGrid::SortColumn;
  void SortColumn(TCfCustomColumn* Column) override;
  void SortColumn(int ACol, bool Ascending);
  int StartRowCount() const { return FStartRowCount; }
  void SetStartRowCount(int Value);
  void SetRowSize(int Value) override;
  void ColumnChanged(int Kind, int Index) override;

  // ---- footer ----
  // Computes the footer captions of the formula columns (rows limited to the
  // displayed ones when asked) and repaints the footer.
  void UpdateFooter(bool DisplayedOnly = false);

  // ---- painting side ----
  void GetCellInfo(int ACol, int ARow, TVirtualColElement& Element) override;
  void GetDrawText(int ACol, int ARow, std::string& Text) override;
  void GetHintText(int ACol, int ARow, std::string& Text) override;
  void GetCellHint(int ACol, int ARow, std::string& Value) override;
  TColor GetCellColor(int ACol, int ARow) override;
  bool FormatCell(int ACol, int ARow, TCellState CellState) override;
  void PrepareTreeInfo(int ACol, int ARow, TTreeInfo& Info) override;
  void FillPlayInfo(TColumnPlay& Play) override;
  void PlayChanged(TColumnPlay* Play, bool Value) override;
  void PlayExpand(TColumnPlay* Play) override;

  // TCellsGrid and the control's colour questions.
  TColor GetCellBackground(int ACol, int ARow) override { return TCfCustomGrid::GetCellBackground(ACol, ARow); }
  TColor GetCellTextColor(int ACol, int ARow) override { return TCfCustomGrid::GetCellTextColor(ACol, ARow); }

  TGridCellFormatingEvent OnCellFormating;
  TGridCompareEvent OnCompare;
  TGridIndexEvent OnExpand;

 protected:
  void CellChanged(int ACol, int ARow);
  // Writes each column's DefaultValue into rows From .. To, all converted
  // before the first is written.
  void ApplyDefaultValues(int From, int To);
  void RecountShownRows();

  // Deletes the rows flagged in Doomed (whole subtrees) in one pass; Events
  // are the indexes DeleteRow would have reported, in its order.
  // Runs of rows to delete: [first, last] pairs, ascending and apart.
  using TRowRuns = std::vector<std::pair<int, int>>;
  // Deletes the runs (whole subtrees) at once and keeps the grid's
  // bookkeeping; Events are the indexes DeleteRow would have reported.
  void DeleteRowRuns(const TRowRuns& Runs, const std::vector<int>& Events);
  void RecountShownBounds();

  std::unique_ptr<TCells> FCells;
  int FLastAddedRow = -1;
  int FStartRowCount = 0;
};
