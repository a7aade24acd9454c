#pragma once
// The six header styles besides the default one. Each differs from the
// default only in how a header cell is backed and separated from its
// neighbours, how the pressed column shows, the strips between the bands,
// the indicator's corner and row cells, and (for two) the sort mark.
// Footer, input-line cells and the row marks come from TStyleDisplay.

#include "grid/CfStyleDisplay.h"

// Flat cells with a grey edge on the right and bottom.
class TFlatStyleDisplay : public TStyleDisplay {
 public:
  using TStyleDisplay::TStyleDisplay;
  void DrawHeaderBackground(TCfCustomColumn* Column, const TRect& Rect) override;
  void DrawSeparatorStrip(const TRect& Rect) override;
  void DrawIndicatorCorner(const TRect& Rect, bool IsFooter) override;
  void DrawIndicatorBackground(const TRect& Rect, int Row, bool Current, bool Marked) override;
  virtual void DrawStyledHeader(TCfCustomColumn* Column, const TRect& Rect);
};

// Scheme-coloured gradient cells (white to the scheme's light blue); a
// pressed column shows its gradient upside down.
class TOffice2007StyleDisplay : public TStyleDisplay {
 public:
  using TStyleDisplay::TStyleDisplay;
  void AdjustCaptionRect(TRect& Rect) const override { Rect.Left += 2; }
  void DrawHeaderBackground(TCfCustomColumn* Column, const TRect& Rect) override;
  void DrawSeparatorStrip(const TRect& Rect) override;
  void DrawIndicatorCorner(const TRect& Rect, bool IsFooter) override;
  void DrawIndicatorBackground(const TRect& Rect, int Row, bool Current, bool Marked) override;
  virtual void DrawStyledHeader(TCfCustomColumn* Column, const TRect& Rect);
};

// The 2007 look from the scheme's own top colour, with a filled grey sort arrow.
class TOffice2010StyleDisplay : public TStyleDisplay {
 public:
  using TStyleDisplay::TStyleDisplay;
  void AdjustCaptionRect(TRect& Rect) const override { Rect.Left += 2; }
  void DrawSortArrow(int X, int Y, TSortKind Kind) override;
  void DrawHeaderBackground(TCfCustomColumn* Column, const TRect& Rect) override;
  void DrawSeparatorStrip(const TRect& Rect) override;
  void DrawIndicatorCorner(const TRect& Rect, bool IsFooter) override;
  void DrawIndicatorBackground(const TRect& Rect, int Row, bool Current, bool Marked) override;
  virtual void DrawStyledHeader(TCfCustomColumn* Column, const TRect& Rect);
};

// Raised button-face cells everywhere; the pressed column is inverted.
class TOldStyleDisplay : public TStyleDisplay {
 public:
  using TStyleDisplay::TStyleDisplay;
  int GetStyleOptions() const override { return soInvertPressed; }
  void DrawHeaderBackground(TCfCustomColumn* Column, const TRect& Rect) override;
  void DrawSeparatorStrip(const TRect& Rect) override;
  void DrawIndicatorCorner(const TRect& Rect, bool IsFooter) override;
  void DrawIndicatorBackground(const TRect& Rect, int Row, bool Current, bool Marked) override;
};

// Cells over a band that darkens in three lines; the pressed column is inverted.
class TOutlookStyleDisplay : public TStyleDisplay {
 public:
  using TStyleDisplay::TStyleDisplay;
  int GetStyleOptions() const override { return soInvertPressed; }
  void AdjustCaptionRect(TRect& Rect) const override { Rect.Bottom -= 3; }
  void DrawHeaderBackground(TCfCustomColumn* Column, const TRect& Rect) override;
  void DrawSeparatorStrip(const TRect& Rect) override;
  void DrawIndicatorCorner(const TRect& Rect, bool IsFooter) override;
  void DrawIndicatorBackground(const TRect& Rect, int Row, bool Current, bool Marked) override;
  virtual void DrawStyledHeader(TCfCustomColumn* Column, const TRect& Rect);
};

// Light grey cells; a sorted column turns white with a white mark at the top
// in place of the arrow beside the caption.
class TVistaStyleDisplay : public TStyleDisplay {
 public:
  using TStyleDisplay::TStyleDisplay;
  int GetStyleOptions() const override { return soOwnSortMark; }
  void AdjustCaptionRect(TRect& Rect) const override { Rect.Left += 2; }
  void DrawHeaderBackground(TCfCustomColumn* Column, const TRect& Rect) override;
  void DrawSeparatorStrip(const TRect& Rect) override;
  void DrawIndicatorBackground(const TRect& Rect, int Row, bool Current, bool Marked) override;
  virtual void DrawStyledHeader(TCfCustomColumn* Column, const TRect& Rect);
};
