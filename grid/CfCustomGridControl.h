#pragma once
// The window control under every grid: settings, columns, the geometry of
// rows, header, footer, indicator and input line, both scroll bars, the
// current cell and the row marks, the update bracket and the column-change
// notes. Where rows and cells are stored is left to the abstract operations
// that TCfGrid implements. Painting lives in CfGridPaint.cpp, geometry in
// CfGridGeometry.cpp, scrolling in CfGridScroll.cpp, selection in
// CfGridSelection.cpp, repaints in CfGridRefresh.cpp.
//
// Keys, mouse and in-place editing are added by TCfCustomGrid through the
// virtual hooks marked "input" below.

#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <QPointer>

#include "controls/CfScrollControl.h"
#include "grid/CfColumnClasses.h"
#include "grid/CfColumnDisplays.h"
#include "grid/CfColumns.h"
#include "grid/CfGridTypes.h"
#include "grid/CfStyleDisplay.h"

constexpr int kIndicatorWidth = 12;

class TCfCustomGridControl : public cf::TCfScrollControl, public TColumnsGrid {
 public:
  explicit TCfCustomGridControl(QWidget* Owner = nullptr);
  ~TCfCustomGridControl() override;

  static constexpr const char* kVersion = "5.2.5";

  // ---- settings ----------------------------------------------------------------
  TGridOptions Options() const { return FOptions; }
  void SetOptions(TGridOptions Value);
  bool HasOption(TGridOption o) const { return (FOptions & o) != 0; }
  TAppearanceOptions AppearanceOptions() const { return FAppearanceOptions; }
  void SetAppearanceOptions(TAppearanceOptions Value);
  bool HasAppearance(TAppearanceOption o) const { return (FAppearanceOptions & o) != 0; }
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool Value) { FAutoScroll = Value; }
  std::string Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  // Translatable: Caption, Hint and Columns<n> (creation order).
  std::optional<std::string> TextProperty(const std::string& name) const override;
  bool SetTextProperty(const std::string& name, const std::string& value) override;
  cf::TTranslatable* CollectionItem(const std::string& name, int index) override;
  bool EnableVisualStyles() const { return FEnableVisualStyles; }
  void SetEnableVisualStyles(bool Value);
  int FixedCols() const { return FColumns->FixedCols(); }
  void SetFixedCols(int Value);
  int FooterSize() const { return FFooterSize; }
  void SetFooterSize(int Value);
  TColor GridLinesColor() const { return FGridLinesColor; }
  void SetGridLinesColor(TColor Value);
  TGridLinesStyle GridLinesStyle() const { return FGridLinesStyle; }
  void SetGridLinesStyle(TGridLinesStyle Value);
  TGridStyle GridStyle() const { return FGridStyle; }
  void SetGridStyle(TGridStyle Value);
  int HeaderSize() const { return FHeaderSize; }
  void SetHeaderSize(int Value);
  THeaderStyle HeaderStyle() const { return FHeaderStyle; }
  void SetHeaderStyle(THeaderStyle Value);
  bool HideScrollBar() const { return FHideScrollBar; }
  void SetHideScrollBar(bool Value);
  TColor HighlightedTextColor() const { return FHighlightedTextColor; }
  void SetHighlightedTextColor(TColor Value);
  THomeEndBehaviour HomeEndBehaviour() const { return FHomeEndBehaviour; }
  void SetHomeEndBehaviour(THomeEndBehaviour Value) { FHomeEndBehaviour = Value; }
  TColor InactiveSelectionColor() const { return FInactiveSelectionColor; }
  void SetInactiveSelectionColor(TColor Value);
  TInputEnterMode InputEnterMode() const { return FInputEnterMode; }
  void SetInputEnterMode(TInputEnterMode Value) { FInputEnterMode = Value; }
  int InputSize() const { return FInputSize; }
  void SetInputSize(int Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  int RowSize() const { return FRowSize; }
  virtual void SetRowSize(int Value);
  TColor SelectionColor() const { return FSelectionColor; }
  void SetSelectionColor(TColor Value) { FSelectionColor = Value; }
  TSelectionMoveDirection SelectionMoveDirection() const { return FSelectionMoveDirection; }
  void SetSelectionMoveDirection(TSelectionMoveDirection Value) { FSelectionMoveDirection = Value; }
  TSlideOptions SlidesOptions() const { return FSlidesOptions; }
  void SetSlidesOptions(TSlideOptions Value);
  TColor SlideSelectionColor() const { return FSlideSelectionColor; }
  void SetSlideSelectionColor(TColor Value);
  int SlideSize() const { return FSlideSize; }
  void SetSlideSize(int Value);
  TSortedStyle SortedStyle() const { return FSortedStyle; }
  void SetSortedStyle(TSortedStyle Value);
  bool TabLeaveControl() const { return FTabLeaveControl; }
  void SetTabLeaveControl(bool Value) { FTabLeaveControl = Value; }
  std::string Version() const { return FVersion; }
  void SetVersion(const std::string&) { FVersion = kVersion; }
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  bool GridWantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  cf::TBorderStyle GridBorderStyle() const { return BorderStyle(); }
  void SetGridBorderStyle(cf::TBorderStyle Value);
  static constexpr TColor SlideCaptionColor = cf::clGrayText;

  TCfColumns& Columns() { return *FColumns; }
  const TCfColumns& Columns() const { return *FColumns; }
  TStyleDisplay* CurrentDisplay() const { return FDisplay; }
  TStyleDisplay* StyleDisplay(THeaderStyle Style) const { return FStyleDisplays[Style].get(); }
  // The painter of a column's cells (made the first time it is asked for).
  TColumnDisplay* ColumnDisplay(TCfCustomColumn* Column);
  TColumnPlay* ColumnPlay(TCfCustomColumn* Column);

  // ---- public operations ----------------------------------------------------
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  bool Updating() const { return FUpdateCount > 0; }
  int UpdateCount() const { return FUpdateCount; }
  // Closes a bracket opened with BeginUpdate without EndUpdate's repaint of
  // the body; a full repaint asked for inside it still happens.
  void LeaveQuietUpdate();
  void ScrollToRow(int Row);
  void SelectAll();
  void SetRowCount(int Count);
  int RowCount() { return GetRowCount(); }
  int SelectedRow() { return GetSelectedRow(); }
  int SelectedColumn() const { return FSelectedColumn; }
  int SelectedCount() { return GetSelectedCount(); }
  void SelectColumn(int Index);
  int FirstRow() const { return FFirstRow; }
  int AnchorRow() const { return FAnchorRow; }
  bool RowsMarked() const { return FRowsMarked; }
  int SortColumnIndex() const { return FSortColumn; }
  bool InputLineSelected() const { return FInputSelected; }
  int InputColumn() const { return FInputColumn; }
  int EditCol() const { return FEditCol; }
  int EditRow() const { return FEditRow; }
  TCfCustomEdit* InplaceEditor() const { return FEditor.data(); }
  // Focus as the painting sees it: the grid or its editor.
  bool GridFocused() const;
  // Tests and embedding code may force the focus the painting assumes.
  void SetFocusOverride(int Value) { FFocusOverride = Value; }  // -1 real, 0 no, 1 yes
  bool VisualStylesActive() const;

  // ---- line widths -----------------------------------------------------------
  int VertLineWidth() const { return FVertLineWidth; }
  int HorzLineWidth() const { return FHorzLineWidth; }
  int Line3DLeftWidth() const { return F3DLeftWidth; }
  int Line3DTopWidth() const { return F3DTopWidth; }
  int RowSeparator() const { return F3DTopWidth + FHorzLineWidth; }

  // ---- geometry (client pixels) ------------------------------------------------
  TRect GetBodyRect() const;
  TRect GetHeaderRect() const;
  TRect GetFooterRect() const;
  TRect GetInputRect() const;
  TRect GetIndicatorRect() const;
  TRect GetScrollableRect() const;
  int HorzPosition() const;
  int IndicatorWidth() const { return HasOption(goIndicator) ? kIndicatorWidth : 0; }
  // Left edge of a column in client pixels (fixed columns not shifted).
  int ColumnLeft(const TCfCustomColumn* Column) const;
  bool IsFixedColumn(const TCfCustomColumn* Column) const;
  // Top of a row inside the body; false when it lies outside the page (above
  // FirstRow, hidden, or at or below the body's bottom). Walks at most one page.
  bool GetRowTop(int ARow, int& Top);
  TRect GetRowRect(int ARow);  // empty outside the page
  int GetSlideTop(int ARow);   // -1 outside the page
  virtual void GetCellRect(int ACol, int ARow, TRect& Rect);
  TRect CellRect(int ACol, int ARow) { TRect r; GetCellRect(ACol, ARow, r); return r; }
  TRect GetInputCellRect(int ACol) const;
  TRect GetHeaderCellRect(int ACol) const;
  TRect GetFooterCellRect(int ACol) const;
  // Shown rows from FirstRow that fit wholly in the body; with Above, those
  // that fit counting upwards from the row before FirstRow.
  int RowsPerPage(bool Above = false);
  // Height of a row as displayed (0 for a row not shown, RowSize past the end).
  int DisplayedRowHeight(int ARow);
  // The last row that fits wholly in the body from FirstRow (-1 for none).
  int LastFullRow();

  // ---- repaints -----------------------------------------------------------------
  void RefreshCell(int ACol, int ARow);
  void RefreshColumn(TCfCustomColumn* Column, int Area);
  void RefreshColumnAll(TCfCustomColumn* Column);
  void RefreshRow(int ARow);
  void RefreshIndicatorCell(int ARow);
  void RefreshSlide(int ARow, bool ValidateInner = false);
  void RefreshRows(int FromRow, int ToRow);
  void RefreshArea(int Area);
  void RefreshSelection();
  // Inside an update bracket the whole client is drawn once, when the
  // bracket closes: a refill that adds, deletes and sorts rows would
  // otherwise draw every visible cell for each step.
  void RefreshAll();
  // Whether a change to ARow (shown, hidden, resized, added) changes the
  // page: false for rows above FirstRow or below a full page. One lookup.
  bool RowAffectsPage(int ARow);
  // Slides the body from a row top down by Delta pixels (rows grew, shrank,
  // appeared or vanished there) and forgets the page.
  void ScrollBodyFrom(int Top, int Delta);

  // ---- column notes and bars ---------------------------------------------------
  virtual void ColumnChanged(int Kind, int Index);
  virtual void ColumnNotify(TCfCustomColumn* Column, int Value, int Kind);
  virtual void ColumnsChange(int Kind);
  virtual void UpdateHorzScrollBar();
  virtual void UpdateVertScrollBar();

  // ---- selection -------------------------------------------------------------
  virtual void SelectCell(int ACol, int ARow, TShiftState Shift = 0, bool ClearMarks = true);
  void SetSelectedRow(int Value);
  void SelectFirstRow(TShiftState Shift = 0);
  void SelectLastRow(TShiftState Shift = 0);
  virtual void MoveToNextRow(TShiftState Shift, bool LeaveAtEnd, TMoveSelectionKey Key = mskArrow);
  virtual void MoveToPriorRow(TShiftState Shift);
  // Left/Right/Tab moves of the current cell.
  virtual void MoveToNextColumn(TMoveSelectionKey Key);
  virtual void MoveToPriorColumn(TMoveSelectionKey Key);
  // Brings a column into the scrollable area (report style).
  void ScrollColumnIntoView(int ACol);
  // Whether a cell is drawn as selected.
  bool IsCellHighlighted(int ACol, int ARow);
  // Enters or leaves the input line (repainting it and the current row).
  void SetInputSelected(bool Value);
  virtual void ClearSelection();
  virtual void SelectRange(int FromRow, int ToRow, bool Value) = 0;

  // ---- auto sizing ---------------------------------------------------------------
  // Width of a column fitted to its header and cells.
  void AutoSizeColumn(int ACol, bool RowsOnly = false, bool ShownOnly = false);
  void AutoHeightRow(int ARow);

  // ---- virtual operations (storage, painting, editing) -------------------------
  virtual void RowsScrolled(int /*Count*/) {}
  virtual void SetEditCellText(const std::string& Value);
  virtual bool CanEdit() { return true; }
  virtual bool CanSelectCell(int ACol, int ARow);
  virtual bool FormatCell(int ACol, int ARow, TCellState CellState);
  virtual TColor GetCellColor(int ACol, int ARow);
  virtual void GetCellHint(int ACol, int ARow, std::string& Value);
  // Copies the cell's value into a painter or play.
  virtual void GetCellInfo(int ACol, int ARow, TVirtualColElement& Element) = 0;
  virtual std::string Cells(int ACol, int ARow) = 0;
  virtual void SetCells(int ACol, int ARow, const std::string& Value) = 0;
  virtual void GetDrawText(int ACol, int ARow, std::string& Text) = 0;
  virtual int GetFirstRow() = 0;
  virtual void GetHintText(int ACol, int ARow, std::string& Text) = 0;
  virtual int GetHiddenWidth();
  virtual int GetLastRow() = 0;
  virtual int GetRowCount() = 0;
  virtual int RowHeight(int /*ARow*/) { return FRowSize; }
  virtual void SetRowHeight(int Index, int Height);
  virtual int GetParentRow(int /*ARow*/) { return -1; }
  virtual int GetRowLevel(int /*ARow*/) { return 0; }
  virtual bool RowVisible(int /*ARow*/) { return true; }
  virtual void SetRowVisible(int ARow, bool Shown);
  virtual bool GetSelected(int ARow) = 0;
  virtual void SetSelected(int ARow, bool Value) = 0;
  virtual int GetSelectedCount();
  virtual int GetSelectedRow() { return FSelectedRow; }
  virtual void GetGridText(char Separator, std::string& Text);
  virtual int VisibleRowCount();
  virtual int ShownRowCount() = 0;
  virtual bool HidePartialRows() { return false; }
  virtual void BeforeDrawText(int /*ACol*/, int /*ARow*/, TCellState /*CellState*/, std::string& /*Text*/) {}
  virtual bool IsCellEmpty(int /*ACol*/, int /*ARow*/) { return false; }
  virtual void GridStyleChanged() {}
  virtual void PrepareTreeInfo(int /*ACol*/, int /*ARow*/, TTreeInfo& /*Info*/) {}
  virtual void EditorOpened() {}
  virtual void Changed() {}
  virtual int AddRow(int Count = 1) = 0;
  virtual void ClearRows();
  virtual void DeleteRow(int /*Index*/) { EndEditing(); }
  virtual void InsertRow(int Index);
  virtual void MoveRow(int /*FromPos*/, int /*ToPos*/);
  virtual void ExchangeRows(int A, int B) = 0;
  virtual void SortColumn(TCfCustomColumn* Column);
  virtual TColor GetCellBackground(int ACol, int ARow);
  virtual TColor GetCellTextColor(int ACol, int ARow);

  // ---- input: editing entry points (filled in by the editing code) -------------
  virtual void EditCell(int /*ACol*/, int /*ARow*/, const std::string& /*Text*/) {}
  virtual void EndEditing();
  virtual bool ApplyEditing() { return false; }
  virtual void AttachEditor() {}
  virtual void AcceptInput() {}
  // Places the open editor over its cell again after the geometry changed.
  virtual void RepositionEditor() {}

  // ---- painting -----------------------------------------------------------------
  void Paint(cf::TCanvas& canvas) override;
  void PaintNonClient(cf::TCanvas& canvas) override;
  virtual void PaintReport();
  virtual void DrawHeaderAndFooter();
  virtual void DrawRows();
  virtual void PaintSlides();
  virtual void DrawSlidesHeader();
  virtual void DrawSlides();
  virtual void DrawCell(int ACol, int ARow);
  virtual void DrawEmptyCell(int ACol, int ATop, int AHeight);
  virtual void DrawIndicator(int ARow, bool Current, bool Marked);
  void DrawFocusRect();
  // The canvas of the paint in progress.
  cf::TCanvas& PaintCanvas() { return *FCanvas; }

  // ---- scrolling hooks ------------------------------------------------------------
  int GetHorzScrollDelta(int OldPosition, int NewPosition) override;
  int GetVertScrollDelta(int OldPosition, int NewPosition) override;
  // The dotted focus rectangle is aligned to the device: after a scroll by
  // an odd distance it is drawn afresh rather than moved.
  void AfterScroll(int Kind) override;
  void Resize() override;
  void DoEnter() override;
  void DoExit() override;

  // ---- TColumnsGrid ---------------------------------------------------------------
  int ClientWidth() const override { return cf::TControl::ClientWidth(); }
  bool ShowsIndicator() const override { return HasOption(goIndicator); }
  bool IsLoading() const override { return false; }
  bool IsDestroying() const override { return FDestroying; }
  TFont GridFont() const override { return Font; }
  void RepaintColumn(TCfCustomColumn* Column, int Area) override { RefreshColumn(Column, Area); }

  // ---- events -----------------------------------------------------------------------
  TGridCellTextEvent OnAfterEdit;
  TGridRowMovedEvent OnAfterRowMove;
  TGridColumnEvent OnAfterSort;
  TGridCellVarTextEvent OnApplyCell;
  TGridCellVarTextEvent OnApplyEditText;
  TGridCellAcceptEvent OnBeforeEdit;
  TGridCellAcceptEvent OnBeforeSelect;
  TGridCellEvent OnCellClick;
  TGridCellColoringEvent OnCellColoring;
  TGridCellEvent OnCellDblClick;
  TGridCellVarTextEvent OnCellHint;
  TGridCellEvent OnChange;
  TGridRowHeightEvent OnChangeRowHeight;
  TGridFooterValueEvent OnColumnFooterValue;
  TGridColumnMoveEvent OnColumnMove;
  TGridColumnEvent OnColumnResize;
  TGridCustomDrawCellEvent OnCustomDrawCell;
  TGridDataChangeEvent OnDataChange;
  TGridCellEvent OnDeselectCell;
  TGridDrawCellBackgroundEvent OnDrawCellBackground;
  TGridCellTextEvent OnEdit;
  TGridEditAcceptEvent OnEditAccept;
  TGridNotifyEvent OnEditExit;
  TGridCellVarTextEvent OnEditText;
  TGridFooterValueEvent OnFooterCalculate;
  TGridColumnEvent OnFooterClick;
  TGridColumnEvent OnHeaderClick;
  TGridColumnEvent OnHeaderDblClick;
  TGridAcceptEvent OnInputAccept;
  TGridNotifyEvent OnInputAdded;
  TGridColumnEvent OnInputSelectCell;
  TGridCellEvent OnLoadProgress;
  TGridMeasureRowHeightEvent OnMeasuringRowHeight;
  TGridNotifyEvent OnPostDraw;
  TGridRowMoveEvent OnRowMove;
  TGridCellEvent OnSelectCell;
  TGridSelectionMoveEvent OnSelectionMove;
  TGridIndexEvent OnSlideChange;
  TGridSlideColoringEvent OnSlideColoring;
  TGridSortColumnEvent OnSortColumn;
  // Fired when goIndicator changes.
  TGridNotifyEvent OnIndicatorChanged;

 protected:
  // The grid's own cell geometry in slides style.
  TRect SlideCellRect(const TCfCustomColumn* Column, int SlideTop) const;
  void UpdateLineWidths();
  void ColumnsStructureChanged(int Kind, int Index);
  // Shown rows between two rows (From inclusive, To exclusive), walking at
  // most Limit rows; with all rows displayed this is To - From at once.
  int ShownRowsBetween(int From, int To);
  // The row K shown rows after (K > 0) or before (K < 0) Row, or the last
  // one reached; Pixels receives the heights passed.
  int WalkShownRows(int Row, int K, int& Pixels, int PixelLimit);
  bool AllRowsDisplayed();
  // ---- the page: displayed rows from FirstRow down to the body's bottom --------
  void InvalidatePage() { FPageValid = false; }
  void EnsurePage();
  void SetFirstRowInternal(int Row);
  // Paint helpers.
  TCellState CellStateOf(int ACol, int ARow);
  void DrawGridLines(const TRect& Cell, TColor GridColor, bool LastRow, bool LastColumn);
  void ClipCell(const TRect& Cell, const TCfCustomColumn* Column);
  void FillEmptyRightArea();
  void DrawEmptyCaption();
  bool ColumnInView(const TCfCustomColumn* Column) const;
  std::vector<TCfCustomColumn*> VisibleColumns() const;

  std::unique_ptr<TCfColumns> FColumns;
  std::array<std::unique_ptr<TStyleDisplay>, kHeaderStyleCount> FStyleDisplays;
  TStyleDisplay* FDisplay = nullptr;
  std::unordered_map<const TCfCustomColumn*, std::unique_ptr<TColumnDisplay>> FColumnDisplays;
  std::unordered_map<const TCfCustomColumn*, std::unique_ptr<TColumnPlay>> FColumnPlays;

  // settings
  TGridOptions FOptions = goHeader;
  TAppearanceOptions FAppearanceOptions = aoHideSelection | aoHighlightSlideCells;
  bool FAutoScroll = false;
  std::string FCaption;
  bool FEnableVisualStyles = true;
  int FFooterSize = 18;
  TColor FGridLinesColor = cf::clBtnFace;
  TGridLinesStyle FGridLinesStyle = lsNormal;
  TGridStyle FGridStyle = gsReport;
  int FHeaderSize = 18;
  THeaderStyle FHeaderStyle = hsAuto;
  bool FHideScrollBar = true;
  TColor FHighlightedTextColor = cf::clHighlightText;
  THomeEndBehaviour FHomeEndBehaviour = hebTopBottom;
  TColor FInactiveSelectionColor = cf::clBtnFace;
  TInputEnterMode FInputEnterMode = imEditing;
  int FInputSize = 16;
  bool FReadOnly = false;
  int FRowSize = 16;
  TColor FSelectionColor = cf::clHighlight;
  TSelectionMoveDirection FSelectionMoveDirection = mdDown;
  TSlideOptions FSlidesOptions = soFrame | soHideSelection;
  TColor FSlideSelectionColor = cf::clWindow;
  int FSlideSize = 80;
  TSortedStyle FSortedStyle = soDefault;
  bool FTabLeaveControl = true;
  std::string FVersion = kVersion;
  bool FWantReturns = false;
  bool FWantTabs = false;

  // state
  int FFirstRow = 0;
  int FFirstShownRow = 0;
  int FLastShownRow = 0;
  int FPaintRow = 0;
  int FSelectedColumn = 0;
  int FSelectedRow = -1;
  int FEditCol = -1;
  int FEditRow = -1;
  int FAnchorRow = -1;
  int FVertLineWidth = 0;
  int FHorzLineWidth = 0;
  int F3DLeftWidth = 0;
  int F3DTopWidth = 0;
  int FUpdateCount = 0;
  bool FFullRepaintDue = false;  // RefreshAll asked for inside an update bracket
  int FInputColumn = -1;
  bool FInputSelected = false;
  QPointer<TCfCustomEdit> FEditor;
  bool FSettingEditorText = false;
  bool FColumnResizing = false;
  bool FHeaderPressed = false;
  bool FColumnDragging = false;
  bool FCellEditing = false;
  bool FInputEditing = false;
  bool FRowsMarked = false;
  bool FRowDragging = false;
  int FSortColumn = -1;
  bool FDestroying = false;
  int FFocusOverride = -1;

  // the page cache
  bool FPageValid = false;
  int FPageBodyTop = 0;
  int FPageBodyBottom = 0;
  std::vector<int> FPageRows;  // displayed rows in order
  std::vector<int> FPageTops;  // their tops
  int FPageEnd = 0;            // first row not examined
  bool FPageFull = false;      // the body's bottom was reached

  cf::TCanvas* FCanvas = nullptr;
};
