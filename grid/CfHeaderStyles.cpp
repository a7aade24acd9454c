// The six header styles besides the default one.

#include "grid/CfHeaderStyles.h"

#include "controls/CfSharedDraw.h"
#include "controls/CfThemesSupport.h"
#include "grid/CfCustomGridControl.h"
#include "platform/Frame3D.h"

using namespace cf;

namespace {

// Palette entry n of the default colour scheme.
TColor SC(int n) { return SchemeColor(n, csDefault); }

// A line from (x0, y0) up to, not including, (x1, y1).
void Line(TCanvas& c, int x0, int y0, int x1, int y1, TColor color) {
  c.Pen.Style = psSolid;
  c.Pen.Mode = pmCopy;
  c.Pen.Width = 1;
  c.Pen.Color = color;
  c.MoveTo(x0, y0);
  c.LineTo(x1, y1);
}

// Down the right edge and along the bottom, the bottom-left pixel included.
void RightBottomEdge(TCanvas& c, const TRect& r, TColor color) {
  Line(c, r.Right - 1, r.Top, r.Right - 1, r.Bottom - 1, color);
  c.LineTo(r.Left - 1, r.Bottom - 1);
}

// Button face inside a one-pixel frame, light on the top and left.
void FramedFace(TCanvas& c, const TRect& r, TColor dark) {
  c.FillRect(TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), clBtnFace);
  TRect frame = r;
  Frame3D(c, frame, clBtnHighlight, dark, 1);
}

// The Office looks: a vertical gradient, swapped while pressed; a short
// separator between columns and a full one after the last; a dark bottom line.
void GradientHeader(TCanvas& c, const TRect& r, TColor top, TColor bottom, bool pressed, bool lastOrSingle) {
  if (pressed)
    DrawVertGradient(c, r, bottom, top);
  else
    DrawVertGradient(c, r, top, bottom);
  if (lastOrSingle)
    Line(c, r.Right - 1, r.Top, r.Right - 1, r.Bottom - 1, SC(2));
  else
    Line(c, r.Right - 1, r.Top + 2, r.Right - 1, r.Bottom - 3, SC(10));
  Line(c, r.Left, r.Bottom - 1, r.Right, r.Bottom - 1, SC(2));
}

void GradientCorner(TCanvas& c, const TRect& r, TColor top, TColor bottom) {
  DrawVertGradient(c, r, top, bottom);
  RightBottomEdge(c, r, SC(2));
}

// Three full-width lines at the bottom, darkening downwards towards the shadow.
void ShadedBand(TCanvas& c, const TRect& r, TColor face) {
  const int weights[] = {50, 100, 150};
  for (int i = 0; i < 3; ++i) {
    const int y = r.Bottom - 3 + i;
    Line(c, r.Left, y, r.Right, y, BlendColor(clBtnShadow, face, weights[i]));
  }
}

// White on the left, button face on the right, light grey between.
void LightCell(TCanvas& c, const TRect& r) {
  Line(c, r.Left, r.Top, r.Left, r.Bottom, clWhite);
  Line(c, r.Right - 1, r.Top, r.Right - 1, r.Bottom, clBtnFace);
  c.FillRect(TRect(r.Left + 1, r.Top, r.Right - 1, r.Bottom), 0xF0F0F0);
}

}  // namespace

// ---- hsFlatBorders ------------------------------------------------------------------------

void TFlatStyleDisplay::DrawHeaderBackground(TCfCustomColumn* Column, const TRect& Rect) {
  DrawStyledHeader(Column, Rect);
}

void TFlatStyleDisplay::DrawStyledHeader(TCfCustomColumn* Column, const TRect& Rect) {
  Canvas->FillRect(Rect, Column->Header().Color());
  RightBottomEdge(*Canvas, Rect, clGrayText);
}

void TFlatStyleDisplay::DrawSeparatorStrip(const TRect& Rect) { Canvas->FillRect(Rect, clBtnFace); }

void TFlatStyleDisplay::DrawIndicatorCorner(const TRect& Rect, bool) {
  Canvas->FillRect(Rect, clBtnFace);
  RightBottomEdge(*Canvas, Rect, clGrayText);
}

void TFlatStyleDisplay::DrawIndicatorBackground(const TRect& Rect, int, bool, bool) {
  DrawIndicatorCorner(Rect, false);
}

// ---- hsOffice2007 -------------------------------------------------------------------------

void TOffice2007StyleDisplay::DrawHeaderBackground(TCfCustomColumn* Column, const TRect& Rect) {
  DrawStyledHeader(Column, Rect);
}

void TOffice2007StyleDisplay::DrawStyledHeader(TCfCustomColumn* Column, const TRect& Rect) {
  const THeaderPosition pos = HeaderPosition(Column);
  GradientHeader(*Canvas, Rect, clWhite, SC(11), Column == PressedColumn, pos == hpLast || pos == hpSingle);
}

void TOffice2007StyleDisplay::DrawSeparatorStrip(const TRect& Rect) { Canvas->FillRect(Rect, SC(11)); }

void TOffice2007StyleDisplay::DrawIndicatorCorner(const TRect& Rect, bool) {
  GradientCorner(*Canvas, Rect, clWhite, SC(11));
}

void TOffice2007StyleDisplay::DrawIndicatorBackground(const TRect& Rect, int, bool, bool) {
  DrawIndicatorCorner(Rect, false);
}

// ---- hsOffice2010 -------------------------------------------------------------------------

void TOffice2010StyleDisplay::DrawHeaderBackground(TCfCustomColumn* Column, const TRect& Rect) {
  DrawStyledHeader(Column, Rect);
}

void TOffice2010StyleDisplay::DrawStyledHeader(TCfCustomColumn* Column, const TRect& Rect) {
  const THeaderPosition pos = HeaderPosition(Column);
  GradientHeader(*Canvas, Rect, SC(6), SC(7), Column == PressedColumn, pos == hpLast || pos == hpSingle);
}

void TOffice2010StyleDisplay::DrawSeparatorStrip(const TRect& Rect) { Canvas->FillRect(Rect, SC(11)); }

void TOffice2010StyleDisplay::DrawIndicatorCorner(const TRect& Rect, bool) {
  GradientCorner(*Canvas, Rect, SC(6), SC(7));
}

void TOffice2010StyleDisplay::DrawIndicatorBackground(const TRect& Rect, int, bool, bool) {
  DrawIndicatorCorner(Rect, false);
}

void TOffice2010StyleDisplay::DrawSortArrow(int X, int Y, TSortKind Kind) {
  TCanvas& c = *Canvas;
  c.Pen.Style = psSolid;
  c.Pen.Mode = pmCopy;
  c.Pen.Width = 1;
  c.Pen.Color = clBlack;
  c.Brush.Style = bsSolid;
  c.Brush.Color = 0xB5ACA5;
  if (Kind == skAscending)
    c.Polygon({{X, Y + 4}, {X + 4, Y}, {X + 8, Y + 4}});
  else
    c.Polygon({{X, Y}, {X + 4, Y + 4}, {X + 8, Y}});
}

// ---- hsOldStyle ---------------------------------------------------------------------------

void TOldStyleDisplay::DrawHeaderBackground(TCfCustomColumn*, const TRect& Rect) {
  FramedFace(*Canvas, Rect, clWindowFrame);
}

void TOldStyleDisplay::DrawSeparatorStrip(const TRect& Rect) { FramedFace(*Canvas, Rect, clWindowFrame); }

void TOldStyleDisplay::DrawIndicatorCorner(const TRect& Rect, bool) { FramedFace(*Canvas, Rect, clWindowFrame); }

void TOldStyleDisplay::DrawIndicatorBackground(const TRect& Rect, int, bool, bool) {
  FramedFace(*Canvas, Rect, clWindowFrame);
}

// ---- hsOutlook ----------------------------------------------------------------------------

void TOutlookStyleDisplay::DrawHeaderBackground(TCfCustomColumn* Column, const TRect& Rect) {
  DrawStyledHeader(Column, Rect);
}

void TOutlookStyleDisplay::DrawStyledHeader(TCfCustomColumn* Column, const TRect& Rect) {
  TCanvas& c = *Canvas;
  const TColor face = Column->Header().Color();
  const int L = Rect.Left, T = Rect.Top, R = Rect.Right, B = Rect.Bottom;
  const THeaderPosition pos = HeaderPosition(Column);
  c.FillRect(TRect(L, T, R, B - 3), face);
  if (pos == hpMiddle || pos == hpLast)
    Line(c, L, T + 2, L, B - 4, clBtnHighlight);
  else
    Line(c, L, T, L, B - 3, clBtnHighlight);
  if (pos == hpFirst || pos == hpMiddle)
    Line(c, R - 1, T + 2, R - 1, B - 4, clBtnShadow);
  else
    Line(c, R - 1, T, R - 1, B - 1, clBtnShadow);
  ShadedBand(c, Rect, face);
}

void TOutlookStyleDisplay::DrawSeparatorStrip(const TRect& Rect) { FramedFace(*Canvas, Rect, clBtnShadow); }

void TOutlookStyleDisplay::DrawIndicatorCorner(const TRect& Rect, bool) {
  TCanvas& c = *Canvas;
  c.FillRect(TRect(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom - 3), clBtnFace);
  Line(c, Rect.Right - 1, Rect.Top, Rect.Right - 1, Rect.Bottom - 1, clBtnShadow);
  ShadedBand(c, Rect, clBtnFace);
}

void TOutlookStyleDisplay::DrawIndicatorBackground(const TRect& Rect, int Row, bool, bool) {
  DrawClassicIndicator(Rect, Row);
}

// ---- hsVista ------------------------------------------------------------------------------

void TVistaStyleDisplay::DrawHeaderBackground(TCfCustomColumn* Column, const TRect& Rect) {
  DrawStyledHeader(Column, Rect);
}

void TVistaStyleDisplay::DrawStyledHeader(TCfCustomColumn* Column, const TRect& Rect) {
  TCanvas& c = *Canvas;
  LightCell(c, Rect);
  if (!Column->Sorted()) return;
  const TRect inner(Rect.Left + 1, Rect.Top, Rect.Right - 1, Rect.Bottom);
  DrawVertGradient(c, TRect(inner.Left, inner.Top, inner.Right, inner.Top + 6), 0xF0DCAF, clWhite);
  c.FillRect(TRect(inner.Left, inner.Top + 6, inner.Right, inner.Bottom), clWhite);
  const int x = Rect.Left + Rect.Width() / 2 - 3;
  c.Pen.Style = psSolid;
  c.Pen.Mode = pmCopy;
  c.Pen.Width = 1;
  c.Pen.Color = clWhite;
  c.Brush.Style = bsSolid;
  c.Brush.Color = clWhite;
  if (Column->SortKind() == skAscending)
    c.Polygon({{x + 3, 0}, {x + 6, 3}, {x, 3}});
  else
    c.Polygon({{x, 0}, {x + 3, 3}, {x + 6, 0}});
}

void TVistaStyleDisplay::DrawSeparatorStrip(const TRect& Rect) {
  Canvas->FillRect(Rect, Grid() ? Grid()->Color : clWindow);
}

void TVistaStyleDisplay::DrawIndicatorBackground(const TRect& Rect, int, bool, bool) { LightCell(*Canvas, Rect); }
