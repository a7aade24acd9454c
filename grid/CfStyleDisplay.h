#pragma once
// Header painters: one object per header style draws a grid's header cells,
// footer cells, input-line cells, the strips between those bands and the
// indicator column. The grid decides when each runs and with which
// rectangle; a painter only draws. Footer, input and indicator marks are
// common to every style and live in the base.

#include <string>

#include "grid/CfGridTypes.h"
#include "grid/SortType.h"

class TCfCustomColumn;
class TCfCustomGridControl;

class TStyleDisplay {
 public:
  // GetStyleOptions bits.
  enum : int { soHotTracking = 1, soInvertPressed = 2, soOwnSortMark = 4 };
  // Where a column's header stands among the visible ones.
  enum THeaderPosition : int { hpSingle, hpFirst, hpMiddle, hpLast };

  explicit TStyleDisplay(TCfCustomGridControl* Grid);
  virtual ~TStyleDisplay();
  TStyleDisplay(const TStyleDisplay&) = delete;
  TStyleDisplay& operator=(const TStyleDisplay&) = delete;

  TCfCustomGridControl* Grid() const { return FGrid; }

  bool RightToLeft = false;
  TCanvas* Canvas = nullptr;
  bool SortArrows = true;         // without: no sort arrow, no pressed inversion
  bool HeaderBackgrounds = true;  // without: header cells get their content only
  bool Themed = false;            // set by the grid before each header pass
  // The column whose header the left button went down on, and the one under
  // the mouse; kept by the grid's mouse handling.
  TCfCustomColumn* PressedColumn = nullptr;
  TCfCustomColumn* HotColumn = nullptr;

  // Clears the per-drag state (pressed and hot columns).
  void ClearState();

  virtual int HeaderContentMargin() const { return 2; }
  virtual int GetStyleOptions() const { return 0; }
  virtual void AdjustCaptionRect(TRect& /*Rect*/) const {}
  // (X, Y) is the arrow's top-left.
  virtual void DrawSortArrow(int X, int Y, TSortKind Kind);
  virtual void DrawFooterContent(TCfCustomColumn* Column, const TRect& Rect);
  virtual void DrawHeaderContent(TCfCustomColumn* Column, const TRect& Rect);
  virtual void DrawSeparatorStrip(const TRect& Rect);
  virtual void DrawIndicatorCorner(const TRect& Rect, bool IsFooter);
  virtual void DrawFooterCell(TCfCustomColumn* Column, const TRect& Rect, bool GridLines);
  virtual void DrawHeaderCell(TCfCustomColumn* Column, const TRect& Rect);
  virtual void DrawHeaderBackground(TCfCustomColumn* /*Column*/, const TRect& /*Rect*/) {}
  virtual void DrawIndicatorBackground(const TRect& Rect, int Row, bool Current, bool Marked);
  virtual void DrawIndicatorMark(const TRect& Rect, bool Current, bool Marked);
  virtual void DrawInputCell(TCfCustomColumn* Column, const TRect& Rect, bool GridLines, bool InputSelected,
                             bool Focused);
  virtual void DrawEmptyHeader(const TRect& /*Rect*/) {}

  // The footer's text as drawn: the caption formatted by FormatMask, between
  // TextBefore and TextAfter.
  static std::string FooterText(const TCfCustomColumn& Column);

 protected:
  THeaderPosition HeaderPosition(const TCfCustomColumn* Column) const;
  int VisibleColumnCount() const;
  // The indicator cell of the default and Outlook styles.
  void DrawClassicIndicator(const TRect& Rect, int Row);

 private:
  TCfCustomGridControl* FGrid;
};

// The style every grid of this program uses: themed header items when visual
// styles are on, otherwise cells in relief.
class TDefaultStyleDisplay : public TStyleDisplay {
 public:
  using TStyleDisplay::TStyleDisplay;
  int GetStyleOptions() const override { return Themed ? soHotTracking : soInvertPressed; }
  void DrawHeaderBackground(TCfCustomColumn* Column, const TRect& Rect) override;
  void DrawIndicatorBackground(const TRect& Rect, int Row, bool Current, bool Marked) override;
  void DrawEmptyHeader(const TRect& Rect) override;
  virtual void DrawStyledHeader(TCfCustomColumn* Column, const TRect& Rect);
  virtual void DrawThemedHeader(TCfCustomColumn* Column, const TRect& Rect);
};
