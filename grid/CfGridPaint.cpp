// Painting: the order of a paint, rows and their cells, grid lines, the
// focus rectangle, slides, the header, input and footer bands, the empty
// caption. Only rows of the page and columns in view are visited, and a cell
// outside the clip box is dropped before any colour work.

#include <algorithm>

#include "controls/CfSharedDraw.h"
#include "controls/CfThemesSupport.h"
#include "grid/CfCustomGridControl.h"
#include "platform/DrawText.h"

using namespace cf;

namespace {
TColor Darkened(TColor c) { return BlendColor(clBlack, c, 10); }

bool Meets(const TRect& a, const TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// Saves the canvas state and narrows its clip; restores on leaving.
class TClipScope {
 public:
  TClipScope(TCanvas& canvas, const TRect& r) : FCanvas(canvas), FDepth(canvas.SaveState()) {
    canvas.IntersectClipRect(r);
  }
  ~TClipScope() { FCanvas.RestoreState(FDepth); }
  TClipScope(const TClipScope&) = delete;
  TClipScope& operator=(const TClipScope&) = delete;

 private:
  TCanvas& FCanvas;
  int FDepth;
};
}  // namespace

void TCfCustomGridControl::Paint(TCanvas& canvas) {
  FCanvas = &canvas;
  for (auto& d : FStyleDisplays) d->Canvas = &canvas;
  TCfScrollControl::Paint(canvas);
  const TRect body = GetBodyRect();
  const int cw = ClientWidth(), ch = ClientHeight();
  const bool themedHeader = FEnableVisualStyles && VisualStylesActive() && FHeaderStyle == hsAuto;
  if (FGridStyle == gsReport) {
    HorzScrollArea = TRect(body.Left + FColumns->FixedWidth(), 0, cw, ch);
    VertScrollArea = TRect(0, body.Top, cw, body.Bottom);
    PaintReport();
    const int columnsRight = IndicatorWidth() + FColumns->VisibleWidth() - HorzPosition();
    if (columnsRight < cw) {
      int top = 0;
      if (themedHeader && HasOption(goHeader)) {
        FDisplay->Themed = true;
        FDisplay->DrawEmptyHeader(TRect(columnsRight, 0, cw, FHeaderSize));
        top = FHeaderSize;
        if (HasOption(goInput)) canvas.FillRect(TRect(columnsRight, top, cw, ch), Color);
      }
      canvas.FillRect(TRect(columnsRight, top, cw, ch), Color);
    }
  } else {
    if (HasOption(goHeader) && themedHeader) {
      const int columnsRight = IndicatorWidth() + FColumns->VisibleWidth();
      FDisplay->Themed = true;
      FDisplay->DrawEmptyHeader(TRect(columnsRight, 0, cw, FHeaderSize));
    }
    HorzScrollArea = ClientRect();
    VertScrollArea = TRect(0, body.Top, cw, ch);
    PaintSlides();
  }
  if (VisibleRowCount() == 0) DrawEmptyCaption();
  if (OnPostDraw) OnPostDraw(this);
}

void TCfCustomGridControl::PaintNonClient(TCanvas& canvas) {
  TCfScrollControl::PaintNonClient(canvas);
  // The Office looks frame the window in the colour scheme's border colour.
  if ((FHeaderStyle == hsOffice2007 || FHeaderStyle == hsOffice2010) && BorderStyle() == TBorderStyle::bsSingle) {
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = SchemeColor(2, csDefault);
    canvas.FrameRect(TRect(0, 0, width(), height()));
  }
}

void TCfCustomGridControl::PaintReport() {
  DrawRows();
  DrawHeaderAndFooter();
}

void TCfCustomGridControl::PaintSlides() {
  DrawSlidesHeader();
  DrawSlides();
}

void TCfCustomGridControl::DrawEmptyCaption() {
  if (FCaption.empty()) return;
  TCanvas& canvas = *FCanvas;
  const TRect body = GetBodyRect();
  canvas.Font = Font;
  if (!isEnabled()) canvas.Font.Color = clGrayText;
  const int h = canvas.TextHeight("Wg");
  const int x = HorzPosition();
  TRect r(body.Left - x, body.Top + 4, ClientWidth() - x, body.Top + 4 + h);
  canvas.Brush.Style = bsClear;
  DrawText(canvas, FCaption, r, DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  canvas.Brush.Style = bsSolid;
}

// ---- rows -----------------------------------------------------------------------------

TCellState TCfCustomGridControl::CellStateOf(int ACol, int ARow) {
  TCellState state = 0;
  if (IsCellHighlighted(ACol, ARow)) {
    state |= csSelected;
    if (HasAppearance(aoBoldTextSelection)) state |= csBoldText;
  }
  if (GridFocused() && !HasAppearance(aoHideFocus)) state |= csFocused;
  return state;
}

void TCfCustomGridControl::DrawRows() {
  TCanvas& canvas = *FCanvas;
  const TRect body = GetBodyRect(), clip = canvas.ClipRect();
  EnsurePage();
  std::vector<TCfCustomColumn*> columns;
  for (TCfCustomColumn* c : VisibleColumns())
    if (ColumnInView(c)) columns.push_back(c);
  const int count = GetRowCount(), sep = RowSeparator();
  int nextTop = body.Top + F3DTopWidth;
  for (size_t i = 0; i < FPageRows.size(); ++i) {
    const int row = FPageRows[i], top = FPageTops[i];
    const int h = DisplayedRowHeight(row);
    nextTop = top + h + sep;
    if (top - F3DTopWidth >= clip.Bottom) break;
    if (top + h + FHorzLineWidth < clip.Top) continue;
    FPaintRow = row;
    if (HidePartialRows() && top + h > body.Bottom) {
      for (TCfCustomColumn* c : columns) DrawEmptyCell(c->Index(), top, FRowSize);
    } else {
      for (TCfCustomColumn* c : columns) DrawCell(c->Index(), row);
    }
    if (HasOption(goIndicator)) {
      const bool current = row == FSelectedRow && !FInputSelected;
      DrawIndicator(row, current, !FInputSelected && (GetSelected(row) || current));
    }
  }
  if (FPageEnd >= count) {
    // Past the last row the body shows empty cells.
    for (int top = nextTop; top < body.Bottom && top < clip.Bottom; top += FRowSize + sep) {
      if (top + FRowSize + FHorzLineWidth < clip.Top) continue;
      for (TCfCustomColumn* c : columns) DrawEmptyCell(c->Index(), top, FRowSize);
      if (HasOption(goIndicator)) {
        const TRect r(0, top - F3DTopWidth, kIndicatorWidth, top + FRowSize + FHorzLineWidth);
        TClipScope scope(canvas, TRect(0, body.Top, kIndicatorWidth, body.Bottom));
        FDisplay->DrawIndicatorBackground(r, count, false, false);
        FDisplay->DrawIndicatorMark(r, false, false);
      }
    }
  }
  if (HasOption(goSelectFullRow)) DrawFocusRect();
}

void TCfCustomGridControl::ClipCell(const TRect& Cell, const TCfCustomColumn* Column) {
  const TRect body = GetBodyRect();
  TRect r(Cell.Left - F3DLeftWidth, Cell.Top - F3DTopWidth, Cell.Right + FVertLineWidth, Cell.Bottom + FHorzLineWidth);
  if (FGridStyle == gsReport) {
    r.Bottom = std::min(r.Bottom, body.Bottom);
    if (!IsFixedColumn(Column)) r.Left = std::max(r.Left, GetScrollableRect().Left);
  }
  FCanvas->IntersectClipRect(r);
}

void TCfCustomGridControl::DrawGridLines(const TRect& Cell, TColor GridColor, bool LastRow, bool LastColumn) {
  // One-pixel solid lines, laid down as one-pixel fills (the same pixels as
  // pen lines without the end point, at a fraction of the cost).
  TCanvas& canvas = *FCanvas;
  const bool framed = FGridLinesStyle == lsFramed;
  if (FHorzLineWidth > 0)
    canvas.FillRect(TRect(Cell.Left, Cell.Bottom, Cell.Right + 1, Cell.Bottom + 1), framed && LastRow ? clBlack : GridColor);
  if (F3DTopWidth > 0) canvas.FillRect(TRect(Cell.Left, Cell.Top - 1, Cell.Right, Cell.Top), clBtnHighlight);
  if (F3DLeftWidth > 0) canvas.FillRect(TRect(Cell.Left, Cell.Top - 1, Cell.Left + 1, Cell.Bottom + 1), clBtnHighlight);
  if (FVertLineWidth > 0)
    canvas.FillRect(TRect(Cell.Right - 1, Cell.Top - 1, Cell.Right, Cell.Bottom + 1),
                    framed && LastColumn ? clBlack : GridColor);
}

void TCfCustomGridControl::DrawCell(int ACol, int ARow) {
  TCanvas& canvas = *FCanvas;
  TCfCustomColumn* column = FColumns->Item(ACol);
  TRect r;
  GetCellRect(ACol, ARow, r);
  if (r.IsEmpty()) return;
  const TRect grown(r.Left - F3DLeftWidth, r.Top - F3DTopWidth, r.Right + FVertLineWidth, r.Bottom + FHorzLineWidth);
  if (!Meets(grown, canvas.ClipRect())) return;

  canvas.Font = column->Font();
  TColor background = GetCellBackground(ACol, ARow);
  const TCellState state = CellStateOf(ACol, ARow);
  TColor gridColor = FGridLinesColor;
  if (OnCellColoring) OnCellColoring(this, ACol, ARow, background, gridColor, state);
  if (column->Sorted() && !(state & csSelected)) {
    if (FSortedStyle == soDarker) background = Darkened(background);
    if (FSortedStyle == soWhite) background = clWhite;
  }
  const int depth = canvas.SaveState();
  ClipCell(r, column);
  if (HasOption(goGrid) && FGridStyle == gsReport) {
    const bool lastRow = ARow == GetLastRow();
    const bool lastColumn = column->Visible() && column->VisibleIndex() == FColumns->VisibleCount() - 1;
    DrawGridLines(r, gridColor, lastRow, lastColumn);
  }
  r.Left += F3DLeftWidth;
  r.Right -= FVertLineWidth;
  bool defaultDrawing = !(HasAppearance(aoDontFillCells) || column->DrawingOptions() == doCustomOnly);
  if (OnDrawCellBackground) OnDrawCellBackground(this, ACol, ARow, r, state, defaultDrawing);

  TColumnDisplay* display = ColumnDisplay(column);
  display->Canvas = &canvas;
  display->RightToLeft = column->BiDiMode() != bdLeftToRight;
  display->CellRect = r;
  display->ParentRow = GetParentRow(ARow);
  display->HighlightedTextColor = FHighlightedTextColor;
  display->Highlighted = (state & csSelected) != 0;
  display->Themed = FEnableVisualStyles && VisualStylesActive();
  display->Col = ACol;
  display->Row = ARow;
  display->Tree = TTreeInfo();
  PrepareTreeInfo(ACol, ARow, display->Tree);
  if (FEditCol == ACol && FEditRow == ARow) canvas.ExcludeClipRect(TRect(r.Left + 1, r.Top + 1, r.Right - 2, r.Bottom - 1));
  if (defaultDrawing) canvas.FillRect(r, background);
  display->Current = ACol == FSelectedColumn && ARow == FSelectedRow;
  r.Left += column->Padding();
  r.Right -= column->Padding();
  display->CellRect = r;
  const TDrawingOptions drawing = column->DrawingOptions();
  if ((drawing == doNormal || drawing == doCustom) && !IsCellEmpty(ACol, ARow) && FormatCell(ACol, ARow, state)) {
    GetCellInfo(ACol, ARow, *display);
    std::string text;
    GetDrawText(ACol, ARow, text);
    BeforeDrawText(ACol, ARow, state, text);
    display->Text = std::move(text);
    canvas.Brush.Style = bsClear;
    display->Draw();
    canvas.Brush.Style = bsSolid;
  }
  if (HasAppearance(aoHintMarks)) {
    std::string hint;
    GetCellHint(ACol, ARow, hint);
    if (!hint.empty()) display->DrawMark();
  }
  if (drawing != doNormal && OnCustomDrawCell) OnCustomDrawCell(this, ACol, ARow, r, state);
  if (!HasOption(goSelectFullRow) && ACol == FSelectedColumn && ARow == FSelectedRow) DrawFocusRect();
  canvas.RestoreState(depth);
}

void TCfCustomGridControl::DrawEmptyCell(int ACol, int ATop, int AHeight) {
  TCanvas& canvas = *FCanvas;
  TCfCustomColumn* column = FColumns->Item(ACol);
  const int left = ColumnLeft(column);
  TRect r(left, ATop, left + column->Width(), ATop + AHeight);
  const TRect grown(r.Left - F3DLeftWidth, r.Top - F3DTopWidth, r.Right + FVertLineWidth, r.Bottom + FHorzLineWidth);
  if (!Meets(grown, canvas.ClipRect())) return;
  TColor background = Color;
  if (HasAppearance(aoIndicateSortedColumn) && column->Sorted()) background = Darkened(background);
  TColor gridColor =
      FGridLinesStyle == lsActiveRows || FGridLinesStyle == lsActiveHorzOnly ? background : FGridLinesColor;
  const int depth = canvas.SaveState();
  ClipCell(r, column);
  if (OnCellColoring) OnCellColoring(this, ACol, -1, background, gridColor, csEmpty);
  if (HasOption(goGrid) && FGridStyle == gsReport) DrawGridLines(r, gridColor, false, false);
  r.Left += F3DLeftWidth;
  r.Right -= FVertLineWidth;
  bool defaultDrawing = true;
  if (OnDrawCellBackground) OnDrawCellBackground(this, ACol, -1, r, csEmpty, defaultDrawing);
  if (defaultDrawing) canvas.FillRect(r, background);
  canvas.RestoreState(depth);
}

void TCfCustomGridControl::DrawIndicator(int ARow, bool Current, bool Marked) {
  int top;
  if (!GetRowTop(ARow, top)) return;
  const TRect body = GetBodyRect();
  const TRect r(0, top - F3DTopWidth, kIndicatorWidth, top + DisplayedRowHeight(ARow) + FHorzLineWidth);
  TClipScope scope(*FCanvas, TRect(0, body.Top, kIndicatorWidth, body.Bottom));
  FDisplay->DrawIndicatorBackground(r, ARow, Current, Marked);
  FDisplay->DrawIndicatorMark(r, Current, Marked);
}

void TCfCustomGridControl::DrawFocusRect() {
  if (!GridFocused() || FInputSelected || GetRowCount() == 0) return;
  if (FSelectedRow < FFirstRow || FSelectedRow >= GetRowCount()) return;
  if (FSelectedColumn < 0 || FSelectedColumn >= FColumns->Count()) return;
  if (HasAppearance(aoHideFocus)) return;
  TCanvas& canvas = *FCanvas;
  const TRect body = GetBodyRect();
  TRect r;
  if (HasOption(goSelectFullRow)) {
    int top;
    if (!GetRowTop(FSelectedRow, top)) return;
    r = TRect(body.Left - F3DLeftWidth, top, IndicatorWidth() + FColumns->VisibleWidth() - HorzPosition() - FVertLineWidth,
              top + DisplayedRowHeight(FSelectedRow));
  } else {
    GetCellRect(FSelectedColumn, FSelectedRow, r);
    if (r.IsEmpty()) return;
    r.Left -= F3DLeftWidth;
    r.Right -= FVertLineWidth;
    if (!IsFixedColumn(FColumns->Item(FSelectedColumn))) r.Left = std::max(r.Left, GetScrollableRect().Left);
  }
  if (!Meets(r, body)) return;
  TClipScope scope(canvas, body);
  if (HasAppearance(aoAlphaBlendedSelection)) {
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clHighlight;
    canvas.FrameRect(r);
  } else {
    canvas.Brush.Color = clBlack;
    canvas.Font.Color = clWhite;
    canvas.DrawFocusRect(r);
  }
}

// ---- bands ---------------------------------------------------------------------------------

void TCfCustomGridControl::DrawHeaderAndFooter() {
  TCanvas& canvas = *FCanvas;
  const int ch = ClientHeight();
  FDisplay->Themed = FEnableVisualStyles && VisualStylesActive();
  FDisplay->RightToLeft = false;
  const TRect scrollable = GetScrollableRect();
  const int inputTop = HasOption(goHeader) ? FHeaderSize : 0;
  const int footerTop = ch - FFooterSize;
  const bool gridLines = HasOption(goGrid);
  for (TCfCustomColumn* c : VisibleColumns()) {
    if (!ColumnInView(c)) continue;
    const int left = ColumnLeft(c), right = left + c->Width();
    const int depth = canvas.SaveState();
    if (!IsFixedColumn(c)) canvas.IntersectClipRect(TRect(scrollable.Left, 0, scrollable.Right, ch));
    canvas.Font = Font;
    if (HasOption(goHeader)) FDisplay->DrawHeaderCell(c, TRect(left, 0, right, FHeaderSize));
    if (HasOption(goInput))
      FDisplay->DrawInputCell(c, TRect(left, inputTop, right, inputTop + FInputSize), gridLines, FInputSelected,
                              GridFocused());
    if (HasOption(goFooter)) FDisplay->DrawFooterCell(c, TRect(left, footerTop, right, ch), gridLines);
    canvas.RestoreState(depth);
  }
  const int bandLeft = IndicatorWidth();
  const int bandRight = bandLeft + FColumns->VisibleWidth() - HorzPosition();
  if (HasOption(goInput))
    FDisplay->DrawSeparatorStrip(TRect(bandLeft, inputTop + FInputSize, bandRight, inputTop + FInputSize + 6 + FHorzLineWidth));
  if (HasOption(goFooter))
    FDisplay->DrawSeparatorStrip(TRect(bandLeft, footerTop - 4 - FHorzLineWidth, bandRight, footerTop));
  if (HasOption(goIndicator)) {
    if (HasOption(goInput))
      FDisplay->DrawIndicatorCorner(TRect(0, inputTop, kIndicatorWidth, inputTop + FInputSize + 6 + FHorzLineWidth), false);
    if (HasOption(goFooter)) FDisplay->DrawIndicatorCorner(TRect(0, footerTop - 4 - FHorzLineWidth, kIndicatorWidth, ch), true);
    if (HasOption(goHeader)) FDisplay->DrawIndicatorCorner(TRect(0, 0, kIndicatorWidth, FHeaderSize), false);
  }
}

// ---- slides -----------------------------------------------------------------------------

void TCfCustomGridControl::DrawSlidesHeader() {
  if (!HasOption(goHeader)) return;
  TCanvas& canvas = *FCanvas;
  FDisplay->Themed = FEnableVisualStyles && VisualStylesActive();
  int right = IndicatorWidth();
  for (TCfCustomColumn* c : VisibleColumns()) {
    const int left = IndicatorWidth() + c->Left();
    canvas.Font = Font;
    FDisplay->DrawHeaderCell(c, TRect(left, 0, left + c->Width(), FHeaderSize));
    right = left + c->Width();
  }
  if (!(FDisplay->Themed && FHeaderStyle == hsAuto)) canvas.FillRect(TRect(right, 0, ClientWidth(), FHeaderSize), Color);
  if (HasOption(goIndicator)) FDisplay->DrawIndicatorCorner(TRect(0, 0, kIndicatorWidth, FHeaderSize), false);
}

void TCfCustomGridControl::DrawSlides() {
  TCanvas& canvas = *FCanvas;
  const int cw = ClientWidth(), ch = ClientHeight();
  const TRect clip = canvas.ClipRect();
  EnsurePage();
  const bool focused = GridFocused();
  int next = GetBodyRect().Top;
  for (size_t i = 0; i < FPageRows.size(); ++i) {
    const int row = FPageRows[i], top = FPageTops[i];
    next = top + FSlideSize + FHorzLineWidth;
    if (top >= ch) break;
    const TRect slide(0, top, cw, top + FSlideSize + FHorzLineWidth);
    if (!Meets(TRect(0, top - F3DTopWidth, cw, slide.Bottom + 1), clip)) continue;
    const int depth = canvas.SaveState();
    if (HasAppearance(ao3DGridLines)) {
      canvas.Pen.Color = Color;
      canvas.MoveTo(0, top - 1);
      canvas.LineTo(cw, top - 1);
    }
    canvas.IntersectClipRect(slide);
    TColor slideColor = Color;
    if (GetSelected(row))
      slideColor = (FSlidesOptions & soHideSelection) ? Color : focused ? FSlideSelectionColor : clBtnFace;
    TSlideState state = 0;
    if (row == FSelectedRow) {
      state |= ssCurrent;
      if (FSlidesOptions & soFrame) state |= ssFramed;
    }
    TColor gridColor = FGridLinesColor;
    if (OnSlideColoring) OnSlideColoring(this, row, slideColor, gridColor, state);
    canvas.FillRect(slide, slideColor);
    for (TCfCustomColumn* c : VisibleColumns()) {
      DrawCell(c->Index(), row);
      if (c->SlideCaption().empty()) continue;
      const TRect cell = SlideCellRect(c, top);
      canvas.Font = c->Font();
      canvas.Font.Style = 0;
      canvas.Font.Color = SlideCaptionColor;
      canvas.Brush.Style = bsClear;
      if (c->SlideCaptionLocation() == clLeft) {
        TRect r(0, cell.Top, cell.Left - 2, cell.Bottom);
        DrawText(canvas, c->SlideCaption(), r, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      } else {
        const int h = canvas.TextHeight("Wg");
        TRect r(cell.Left + 2, cell.Top - 2 - h, cell.Right, cell.Top - 2);
        DrawText(canvas, c->SlideCaption(), r, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
      }
      canvas.Brush.Style = bsSolid;
    }
    if (state & ssFramed) {
      canvas.Brush.Style = bsSolid;
      canvas.Brush.Color = focused ? FSelectionColor : FInactiveSelectionColor;
      canvas.FrameRect(TRect(slide.Left + 1, slide.Top + 1, slide.Right - 1, slide.Bottom - 2));
      canvas.FrameRect(TRect(slide.Left + 2, slide.Top + 2, slide.Right - 2, slide.Bottom - 3));
    }
    canvas.RestoreState(depth);
    if (HasOption(goGrid)) {
      canvas.Pen.Color = gridColor;
      canvas.MoveTo(0, next + F3DTopWidth - 1);
      canvas.LineTo(cw, next + F3DTopWidth - 1);
    }
  }
  next += F3DTopWidth;
  if (next < ch) canvas.FillRect(TRect(0, next, cw, ch), Color);
}
