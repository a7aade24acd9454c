#pragma once
// Grid columns and their collection. A column fixes the data kind of its
// cells, how a cell's text is produced for painting, which in-place editor
// edits it, which keys start editing and how it sorts. The collection keeps
// the columns in creation order (what cells are stored by) and in display
// order (what Position indexes), lays out their left edges and sizes the
// auto-size columns.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QPointer>

#include "grid/CfColumnParts.h"
#include "grid/GridTypes.h"
#include "grid/SortType.h"

class TCfColumns;

enum TColumnOption : std::uint16_t {
  coAutoSize = 1 << 0,
  coCanClick = 1 << 1,
  coCanInput = 1 << 2,
  coCanSort = 1 << 3,
  coDisableMoving = 1 << 4,
  coDontHighlight = 1 << 5,
  coEditing = 1 << 6,
  coEditorAutoSelect = 1 << 7,
  coFixedSize = 1 << 8,
  coImageForIcon = 1 << 9,
  coPublicUsing = 1 << 10,
  coFullResort = 1 << 11,
  coSearchColumn = 1 << 12,
  coShowTextFitHint = 1 << 13,
  coTextForCaption = 1 << 14,
};
using TColumnOptions = std::uint16_t;

enum TSlideCaptionLocation : std::uint8_t { clLeft, clTop };

// Change notes a column sends to its collection's handler (with a value).
enum TColumnNote : int {
  cnInputValue = 1,
  cnPosition = 2,  // value: the old position
  cnSlideBounds = 3,
  cnSortedOn = 4,
  cnSortKind = 5,
  cnAppearance = 6,
  cnVisibility = 7,
  cnSortedOff = 8,
  cnWidth = 9,  // value: the width difference
};

// Capability bits of a column class.
enum TColumnCapability : int {
  ccPlayKeys = 1,     // key presses go to the column's play object
  ccEditInPlace = 2,  // the column can be edited in place
  ccNoSort = 4,       // the column cannot be sorted
  ccPlayClicks = 8,   // clicks go to the column's play object
  ccTextLike = 32,
};

// The in-place editor, painter and mouse-interaction classes a column names.
enum class TColumnEditorClass : std::uint8_t { None, Edit, ComboBox, SpinEdit };
enum class TColumnDisplayClass : std::uint8_t { Text, Strings, CheckBox, Image, Number, Tree };
enum class TColumnPlayClass : std::uint8_t { None, CheckBox, Tree };

// What the grid hands a column about one cell when it paints or measures it.
struct TCellInfo {
  int Col = 0;
  int Row = 0;
  std::string Text;  // the cell's text
  double Value = 0;  // the cell's number (number columns)
};

// What the collection asks of its grid.
class TColumnsGrid {
 public:
  virtual ~TColumnsGrid() = default;
  virtual int ClientWidth() const = 0;
  virtual bool ShowsIndicator() const = 0;
  virtual bool IsLoading() const = 0;
  virtual bool IsDestroying() const = 0;
  virtual TFont GridFont() const = 0;
  // Repaints a column's span in one area of the grid (0 the client height).
  virtual void RepaintColumn(TCfCustomColumn* /*Column*/, int /*Area*/) {}
};

class TCfCustomColumn : public cf::TTranslatable {
 public:
  TCfCustomColumn();
  virtual ~TCfCustomColumn();
  TCfCustomColumn(const TCfCustomColumn&) = delete;
  TCfCustomColumn& operator=(const TCfCustomColumn&) = delete;

  TCfColumns* Collection() const { return FCollection; }
  int Index() const;  // creation index, -1 outside a collection

  // ---- class hooks ----
  virtual TColumnEditorClass GetEditorClass() const { return TColumnEditorClass::None; }
  virtual TColumnDisplayClass GetDisplayClass() const { return TColumnDisplayClass::Text; }
  virtual TColumnPlayClass GetPlayClass() const { return TColumnPlayClass::None; }
  // Bit 0: coEditing is set, bit 1: coCanInput is set; 0 when not editable.
  int GetEditOptions() const;
  virtual int GetCapabilities() const { return 0; }
  virtual void SetKind(std::uint8_t kind) { FKind = kind; }
  std::uint8_t Kind() const { return FKind; }
  // Pixel width wanted for a text, measured in the canvas's current font
  // (the grid selects the column's font, with the cell's style, first):
  // the text width plus 6, or 8 when the text is narrower than 2 pixels.
  virtual int GetTextWidth(TCanvas& canvas, const std::string& text) const;
  virtual bool IsMultiLine(bool /*Default*/) const { return false; }
  virtual std::string GetDrawText(const TCellInfo& info) const { return info.Text; }
  std::string Measure(const TCellInfo& info) const { return GetDrawText(info); }
  virtual std::string GetInputValue() const { return FInputValue; }
  virtual bool IsKeyAccepted(char32_t /*key*/) const { return false; }
  virtual void AdjustIndent(int /*level*/, int& /*x*/) const {}
  // Text of a virtual cell (kind 11) of this column at (ACol, ARow), and
  // where such a cell's text goes. Columns that keep values outside the
  // store override both.
  virtual std::string GetVirtualText(int /*ACol*/, int /*ARow*/) const { return {}; }
  virtual void SetVirtualText(int /*ACol*/, int /*ARow*/, const std::string& /*text*/) {}

  // ---- in-place editor ----
  // The column's own editor, made from its editor class the first time it
  // is asked for (so columns and cells live without a GUI until a cell is
  // edited) and hidden until the grid shows it; null when the class names
  // none. The column frees it, unless the window the grid laid it in has
  // already done so.
  TCfCustomEdit* Editor();
  TCfCustomEdit* CreatedEditor() const { return FEditor.data(); }
  // The text taken from the editor, which the column may adjust before the
  // grid writes it into the cell.
  virtual void ApplyEditorText(std::string& /*text*/) {}
  // Readies the column's editor for a cell: shown, the column's alignment,
  // no border, border width 0, left margin 1; classes add their settings.
  virtual void PrepareEditor();
  // Runs once the editor holds the cell's text.
  virtual void AfterEdit() {}

  // Copies the shared properties, then the class's own when the source is of
  // the same class.
  void Assign(const TCfCustomColumn& source);

  // ---- properties ----
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v) { SetNoted(FAlignment, v, cnAppearance); }
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode v) { SetNoted(FBiDiMode, v, cnAppearance); }
  TColor Color() const { return FColor; }
  void SetColor(TColor v) { SetNoted(FColor, v, cnAppearance); }
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor v) { SetNoted(FCursor, v, cnAppearance); }
  const std::string& DefaultValue() const { return FDefaultValue; }
  void SetDefaultValue(const std::string& v) { FDefaultValue = v; }
  int DefaultWidth() const { return FDefaultWidth; }
  void SetDefaultWidth(int v) { FDefaultWidth = v; }
  TDrawingOptions DrawingOptions() const { return FDrawingOptions; }
  void SetDrawingOptions(TDrawingOptions v) { SetNoted(FDrawingOptions, v, cnAppearance); }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v) { FEnabled = v; }
  // While ParentFont, the grid's font as it is now: a later change of the
  // grid's font shows in every such column.
  const TFont& Font() const;
  void SetFont(const TFont& v);
  TColumnFooter& Footer() { return FFooter; }
  const TColumnFooter& Footer() const { return FFooter; }
  // Translatable parts: Header and Footer.
  cf::TTranslatable* ObjectProperty(const std::string& name) override;
  TColumnHeader& Header() { return FHeader; }
  const TColumnHeader& Header() const { return FHeader; }
  // An editor control of the form's own, used instead of the column's
  // editor; referenced, and forgotten when it is destroyed.
  TCfCustomEdit* InplaceEdit() const { return FInplaceEdit.data(); }
  void SetInplaceEdit(TCfCustomEdit* v) { FInplaceEdit = v; }
  const std::string& InputCaption() const { return FInputCaption; }
  void SetInputCaption(const std::string& v) { SetNoted(FInputCaption, v, cnAppearance); }
  const std::string& InputValue() const { return FInputValue; }
  void SetInputValue(const std::string& v) { SetNoted(FInputValue, v, cnInputValue); }
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int v);
  TColumnOptions Options() const { return FOptions; }
  void SetOptions(TColumnOptions v);
  bool HasOption(TColumnOption o) const { return (FOptions & o) != 0; }
  int Padding() const { return FPadding; }
  void SetPadding(int v) { SetNoted(FPadding, v, cnAppearance); }
  bool ParentCellColor() const { return FParentCellColor; }
  void SetParentCellColor(bool v) { SetNoted(FParentCellColor, v, cnAppearance); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool v);
  int Position() const { return FPosition; }
  void SetPosition(int v);
  TCfSlideBounds& SlideBounds() { return FSlideBounds; }
  const TCfSlideBounds& SlideBounds() const { return FSlideBounds; }
  const std::string& SlideCaption() const { return FSlideCaption; }
  void SetSlideCaption(const std::string& v) { SetNoted(FSlideCaption, v, cnAppearance); }
  TSlideCaptionLocation SlideCaptionLocation() const { return FSlideCaptionLocation; }
  void SetSlideCaptionLocation(TSlideCaptionLocation v) { SetNoted(FSlideCaptionLocation, v, cnAppearance); }
  bool Sorted() const { return FSorted; }
  void SetSorted(bool v);
  TSortKind SortKind() const { return FSortKind; }
  void SetSortKind(TSortKind v) { SetNoted(FSortKind, v, cnSortKind); }
  TSortType SortType() const { return FSortType; }
  void SetSortType(TSortType v) { SetNoted(FSortType, v, cnSortKind); }
  const std::string& StyleClass() const { return FStyleClass; }
  void SetStyleClass(const std::string& v) { FStyleClass = v; }
  int Tag() const { return FTag; }
  void SetTag(int v) { FTag = v; }
  TVerticalAlignment VerticalAlignment() const { return FVerticalAlignment; }
  void SetVerticalAlignment(TVerticalAlignment v) { SetNoted(FVerticalAlignment, v, cnAppearance); }
  bool Visible() const { return FVisible; }
  void SetVisible(bool v);
  int Width() const { return FWidth; }
  void SetWidth(int v);
  TWrapKind WrapKind() const { return FWrapKind; }
  void SetWrapKind(TWrapKind v) { SetNoted(FWrapKind, v, cnAppearance); }

  // Layout state, kept by the collection.
  int Left() const { return FLeft; }
  int VisibleIndex() const { return FVisibleIndex; }

 protected:
  // The class's own properties, copied by Assign from a column of the same class.
  virtual void AssignOwn(const TCfCustomColumn& /*source*/) {}
  void Notify(int note, int value = 0);
  template <class T>
  void SetNoted(T& field, const T& value, int note) {
    if (field == value) return;
    field = value;
    Notify(note);
  }

  TAlignment FAlignment = taLeftJustify;
  std::string FDefaultValue;
  TSortType FSortType = stAlphabetic;
  TColumnOptions FOptions = coCanClick | coCanInput | coCanSort | coPublicUsing;

 private:
  friend class TCfColumns;
  void StoreWidth(int v);  // clamp, lay out, note 9; no auto size

  TCfColumns* FCollection = nullptr;
  std::uint8_t FKind = 8;
  TBiDiMode FBiDiMode = bdLeftToRight;
  TColor FColor = clWindow;
  TCursor FCursor = crDefault;
  int FDefaultWidth = 80;
  TDrawingOptions FDrawingOptions = doNormal;
  bool FEnabled = true;
  mutable TFont FFont;  // while ParentFont, refreshed from the grid on reading
  TColumnFooter FFooter;
  TColumnHeader FHeader;
  QPointer<TCfCustomEdit> FInplaceEdit;
  QPointer<TCfCustomEdit> FEditor;
  std::string FInputCaption;
  std::string FInputValue;
  int FMinWidth = 8;
  int FPadding = 0;
  bool FParentCellColor = false;
  bool FParentFont = true;
  int FPosition = -1;
  TCfSlideBounds FSlideBounds;
  std::string FSlideCaption;
  TSlideCaptionLocation FSlideCaptionLocation = clTop;
  bool FSorted = false;
  TSortKind FSortKind = skAscending;
  std::string FStyleClass;
  int FTag = 0;
  TVerticalAlignment FVerticalAlignment = taVerticalCenter;
  bool FVisible = true;
  int FWidth = 80;
  TWrapKind FWrapKind = wkEllipsis;
  int FLeft = 0;
  int FVisibleIndex = -1;
};

class TCfColumns {
 public:
  // A column's change note (column, value, note kind).
  using TColumnNotifyEvent = std::function<void(TCfCustomColumn* Column, int Value, int Kind)>;
  // A change of the column set in creation order (what the cell store
  // mirrors): kind 0 a column was added, 1 deleted, with its creation index.
  // Moves in display order are column notes (cnPosition), not changes here.
  using TColumnsChangeEvent = std::function<void(int Kind, int Index)>;

  explicit TCfColumns(TColumnsGrid* grid = nullptr);
  virtual ~TCfColumns();
  TCfColumns(const TCfColumns&) = delete;
  TCfColumns& operator=(const TCfColumns&) = delete;

  TColumnsGrid* Grid() const { return FGrid; }
  int Count() const { return static_cast<int>(FItems.size()); }
  // Creation order; an index outside 0 .. Count - 1 raises EListError.
  virtual TCfCustomColumn* Item(int index) const;
  int IndexOf(const TCfCustomColumn* column) const;
  // Display order.
  TCfCustomColumn* ItemByPosition(int position) const;
  TCfCustomColumn* FirstVisibleEnabled() const;
  TCfCustomColumn* LastVisibleEnabled() const;
  // The next or previous visible enabled column in display order; the
  // column itself when there is none.
  TCfCustomColumn* NextVisibleEnabled(TCfCustomColumn* column) const;
  TCfCustomColumn* PriorVisibleEnabled(TCfCustomColumn* column) const;
  int VisibleCount() const;
  int VisibleWidth() const;
  int FixedCols() const { return FFixedCols; }
  void SetFixedCols(int value);
  int FixedWidth() const { return FFixedWidth; }

  // Takes the column, appends it to both orders and returns it.
  TCfCustomColumn* Add(std::unique_ptr<TCfCustomColumn> column);
  template <class T>
  T* Add() {
    return static_cast<T*>(Add(std::make_unique<T>()));
  }
  // Takes the column out of both orders and frees it.
  void Remove(TCfCustomColumn* column);
  // Moves a column in display order and renumbers every Position.
  void Move(int FromPosition, int ToPosition);

  // Left edges and visible indexes along the display order; with renumber
  // every Position becomes its display index.
  void Layout(bool renumber = false);
  // Widths of the auto-size columns from the start (column null), from a
  // column on, or after it.
  void AutoSize(TCfCustomColumn* from = nullptr, bool after = false);

  TColumnNotifyEvent OnColumnNotify;
  TColumnsChangeEvent OnColumnsChange;

 private:
  friend class TCfCustomColumn;
  bool Loading() const { return FGrid && FGrid->IsLoading(); }
  void ColumnNote(TCfCustomColumn* column, int value, int kind);

  TColumnsGrid* FGrid;
  std::vector<std::unique_ptr<TCfCustomColumn>> FItems;
  std::vector<TCfCustomColumn*> FDisplay;
  int FFixedCols = 0;
  int FFixedWidth = 0;
  bool FDestroying = false;
};
