#pragma once
// Cell painters ("displays") and cell interaction objects ("plays"). The grid
// fills an element's fields for one cell, then asks it to draw, measure or
// react; the element keeps nothing between cells.

#include <functional>
#include <memory>
#include <string>

#include "grid/CfColumns.h"
#include "grid/CfGridTypes.h"

class TVirtualColElement {
 public:
  explicit TVirtualColElement(TCfCustomColumn* Column) : Column(Column) {}
  virtual ~TVirtualColElement() = default;
  TVirtualColElement(const TVirtualColElement&) = delete;
  TVirtualColElement& operator=(const TVirtualColElement&) = delete;

  TCfCustomColumn* Column;
  TCanvas* Canvas = nullptr;
  TRect CellRect;
  // The cell's value; the grid copies the one the column's kind uses.
  bool BoolValue = false;
  double DateTimeValue = 0;
  double FloatValue = 0;
  int IntValue = 0;
  std::string StrValue;
  int Col = 0;
  int Row = 0;
  int RowTag = -1;
  TColor HighlightedTextColor = cf::clHighlightText;
  bool Themed = false;       // draw through the visual styles
  bool RightToLeft = false;  // reading order of the grid
};

// Tree state of a cell's row, for the tree painter.
struct TTreeInfo {
  int Level = 0;
  bool HasChildren = false;
  bool Expanded = true;
};

class TColumnDisplay : public TVirtualColElement {
 public:
  using TVirtualColElement::TVirtualColElement;

  // Set by the grid for each cell.
  bool Highlighted = false;
  bool Current = false;
  int ParentRow = -1;
  TTreeInfo Tree;
  // The text to draw, already through the column's GetDrawText, OnApplyCell
  // and BeforeDrawText.
  std::string Text;

  virtual void Draw();
  // The small red triangle in the top-right corner of a cell with a hint.
  virtual void DrawMark();
  // Width wanted to show the content whole.
  virtual int MeasureWidth();
  // Height wanted at the cell's width.
  virtual int MeasureHeight();

 protected:
  // Text in Rect by the column's alignment and wrap kind (measuring when
  // calc is set: Rect receives the extent).
  void DrawCellText(TRect Rect, bool calc = false);
  unsigned TextFlags(bool drawing) const;
};

class TTextColumnDisplay : public TColumnDisplay {
 public:
  using TColumnDisplay::TColumnDisplay;
};

class TNumberColumnDisplay : public TColumnDisplay {
 public:
  using TColumnDisplay::TColumnDisplay;
};

class TCheckBoxColumnDisplay : public TColumnDisplay {
 public:
  using TColumnDisplay::TColumnDisplay;
  bool MouseOver = false;   // the mouse is over the box
  bool ButtonDown = false;  // and the left button is down
  void Draw() override;
  int MeasureWidth() override;
  int MeasureHeight() override;
  // The box inside Cell, placed by the column's alignments.
  static TRect BoxRect(const TCfCustomColumn& Column, const TRect& Cell, bool Themed);
};

class TImageColumnDisplay : public TColumnDisplay {
 public:
  using TColumnDisplay::TColumnDisplay;
  void Draw() override;
  int MeasureWidth() override;
  int MeasureHeight() override;
};

class TStringsColumnDisplay : public TColumnDisplay {
 public:
  using TColumnDisplay::TColumnDisplay;
  void Draw() override;
  int MeasureWidth() override;
  // The image of the cell: its integer value, or for a combo box column the
  // index of its text in Items; -1 for none.
  int ImageIndex() const;
};

class TTreeColumnDisplay : public TColumnDisplay {
 public:
  using TColumnDisplay::TColumnDisplay;
  void Draw() override;
  int MeasureWidth() override;
  // The expand button's square for a level inside Cell.
  static TRect ButtonRect(const TRect& Cell, int Level);
};

std::unique_ptr<TColumnDisplay> MakeColumnDisplay(TCfCustomColumn* Column);

// ---- plays ---------------------------------------------------------------------

class TColumnPlay : public TVirtualColElement {
 public:
  using TVirtualColElement::TVirtualColElement;
  std::function<void(TColumnPlay* Sender, bool Value)> OnValueChanged;
  std::function<void(TColumnPlay* Sender)> OnToggled;
  TTreeInfo Tree;

  // A key typed into the cell; true when taken.
  virtual bool KeyPress(char32_t /*Key*/) { return false; }
  // A left button press at a client point; true when taken.
  virtual bool Click(TPoint /*P*/) { return false; }
};

// Space or a left click on the box flips the value.
class TCheckBoxPlay : public TColumnPlay {
 public:
  using TColumnPlay::TColumnPlay;
  bool KeyPress(char32_t Key) override;
  bool Click(TPoint P) override;

 private:
  void Flip();
};

// A left click on the expand button, or "+" and "-", toggle the row.
class TTreePlay : public TColumnPlay {
 public:
  using TColumnPlay::TColumnPlay;
  bool KeyPress(char32_t Key) override;
  bool Click(TPoint P) override;
};

std::unique_ptr<TColumnPlay> MakeColumnPlay(TCfCustomColumn* Column);
