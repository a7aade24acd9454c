// The parts every header style shares (header content, sort arrow, footer,
// input and indicator cells) and the default style.

#include "grid/CfStyleDisplay.h"

#include <algorithm>

#include "controls/CfSharedDraw.h"
#include "grid/CellText.h"
#include "grid/CfCustomGridControl.h"
#include "grid/EditMask.h"
#include "grid/FormatFloat.h"
#include "platform/DrawText.h"
#include "platform/Frame3D.h"
#include "platform/Themes.h"

using namespace cf;

TStyleDisplay::TStyleDisplay(TCfCustomGridControl* Grid) : FGrid(Grid) {}
TStyleDisplay::~TStyleDisplay() = default;

void TStyleDisplay::ClearState() {
  PressedColumn = nullptr;
  HotColumn = nullptr;
}

int TStyleDisplay::VisibleColumnCount() const { return FGrid ? FGrid->Columns().VisibleCount() : 1; }

TStyleDisplay::THeaderPosition TStyleDisplay::HeaderPosition(const TCfCustomColumn* Column) const {
  const int count = VisibleColumnCount();
  if (count == 1) return hpSingle;
  if (Column->VisibleIndex() == 0) return hpFirst;
  if (Column->VisibleIndex() == count - 1) return hpLast;
  return hpMiddle;
}

// ---- header ----------------------------------------------------------------------------

void TStyleDisplay::DrawHeaderCell(TCfCustomColumn* Column, const TRect& Rect) {
  if (HeaderBackgrounds) DrawHeaderBackground(Column, Rect);
  DrawHeaderContent(Column, Rect);
}

void TStyleDisplay::DrawSortArrow(int X, int Y, TSortKind Kind) {
  TCanvas& c = *Canvas;
  c.Pen.Style = psSolid;
  c.Pen.Mode = pmCopy;
  c.Pen.Width = 1;
  if (Themed) {
    c.Pen.Color = clGrayText;
    c.Brush.Style = bsSolid;
    c.Brush.Color = clGrayText;
    if (Kind == skAscending)
      c.Polygon({{X, Y + 4}, {X + 4, Y}, {X + 8, Y + 4}});
    else
      c.Polygon({{X, Y}, {X + 4, Y + 4}, {X + 8, Y}});
    return;
  }
  if (Kind == skAscending) {
    c.Pen.Color = clBtnShadow;
    c.Polyline({{X + 7, Y + 6}, {X, Y + 6}, {X, Y + 5}, {X + 1, Y + 5}, {X + 1, Y + 3}, {X + 2, Y + 3},
                {X + 2, Y + 1}, {X + 3, Y + 1}, {X + 3, Y - 1}});
    c.Pen.Color = clBtnHighlight;
    c.Polyline({{X + 7, Y + 5}, {X + 6, Y + 5}, {X + 6, Y + 3}, {X + 5, Y + 3}, {X + 5, Y + 1}, {X + 4, Y + 1},
                {X + 4, Y - 1}});
  } else {
    c.Pen.Color = clBtnShadow;
    c.Polyline({{X + 7, Y}, {X, Y}, {X, Y + 1}, {X + 1, Y + 1}, {X + 1, Y + 3}, {X + 2, Y + 3}, {X + 2, Y + 5},
                {X + 3, Y + 5}, {X + 3, Y + 7}});
    c.Pen.Color = clBtnHighlight;
    c.Polyline({{X + 7, Y + 1}, {X + 6, Y + 1}, {X + 6, Y + 3}, {X + 5, Y + 3}, {X + 5, Y + 5}, {X + 4, Y + 5},
                {X + 4, Y + 7}});
  }
}

void TStyleDisplay::DrawHeaderContent(TCfCustomColumn* Column, const TRect& Rect) {
  TCanvas& c = *Canvas;
  TColumnHeader& header = Column->Header();
  TRect r = Rect;
  AdjustCaptionRect(r);
  const std::string& caption = header.Caption();
  const bool vertical = header.Orientation() == hoVertical;
  const TDisplayMode mode = header.DisplayMode();
  const int captionWidth = mode == dmImageOnly ? 0 : (vertical ? c.TextHeight(caption) : c.TextWidth(caption)) + 2;
  const int sortShift = Column->Sorted() ? 31 : 0;
  TBitmap& glyph = header.Glyph();
  int x = r.Left + 2;
  if (glyph.Empty() || mode == dmTextOnly) {
    switch (header.Alignment()) {
      case taRightJustify: x = r.Right - captionWidth - sortShift; break;
      case taCenter:
        if (captionWidth <= r.Width()) x = r.Left + (r.Width() - captionWidth) / 2;
        break;
      default: break;
    }
  } else {
    const int gw = glyph.Width(), gy = r.Top + (r.Height() - glyph.Height()) / 2;
    int gx = r.Left + 3;
    if (header.Alignment() == taRightJustify) gx = r.Right - gw - captionWidth - 2 - sortShift;
    if (header.Alignment() == taCenter) gx = r.Left + (r.Width() - (gw + captionWidth)) / 2;
    c.Draw(gx, gy, glyph);
    x = gx + gw + 2;
  }
  if (mode != dmImageOnly) {
    c.Brush.Style = bsClear;
    TRect tr(x, r.Top, r.Right, r.Bottom);
    if (vertical) {
      DrawVerticalText(c, tr, caption);
    } else {
      unsigned flags = DT_NOPREFIX | DT_EXTERNALLEADING | DT_VCENTER | DT_END_ELLIPSIS;
      flags |= header.MultiLine() ? DT_WORDBREAK : DT_SINGLELINE;
      if (RightToLeft) flags |= DT_RTLREADING;
      DrawText(c, caption, tr, flags);
    }
    c.Brush.Style = bsSolid;
  }
  if (SortArrows && Column->Sorted() && !(GetStyleOptions() & soOwnSortMark)) {
    const int ax = x + captionWidth + 19;
    const int ay = r.Top + r.Height() / 2 - 4;
    if (ax + 8 < Rect.Right || !header.HideArrow()) DrawSortArrow(ax, ay, Column->SortKind());
  }
  if (SortArrows && (GetStyleOptions() & soInvertPressed) && PressedColumn == Column) {
    if (VisibleColumnCount() == 1)
      c.InvertRect(TRect(Rect.Left - 1, Rect.Top - 1, Rect.Right, Rect.Bottom));
    else
      c.InvertRect(TRect(Rect.Left, Rect.Top, Rect.Right - 1, Rect.Bottom));
  }
}

// ---- strips and indicator ----------------------------------------------------------------

void TStyleDisplay::DrawSeparatorStrip(const TRect& Rect) { DrawIndicatorCorner(Rect, false); }

void TStyleDisplay::DrawIndicatorCorner(const TRect& Rect, bool) {
  Canvas->FillRect(Rect, FGrid ? FGrid->Color : clWindow);
}

void TStyleDisplay::DrawIndicatorBackground(const TRect& Rect, int, bool, bool) { DrawIndicatorCorner(Rect, false); }

void TStyleDisplay::DrawClassicIndicator(const TRect& Rect, int Row) {
  TCanvas& c = *Canvas;
  const int top = Rect.Top, bottom = Rect.Bottom, right = Rect.Right;
  c.Pen.Style = psSolid;
  c.Pen.Mode = pmCopy;
  c.Pen.Width = 1;
  c.FillRect(TRect(1, top + 1, right - 1, bottom), clBtnFace);
  c.Pen.Color = clBtnHighlight;
  c.MoveTo(0, top);
  c.LineTo(0, bottom + 1);
  int s = 1;
  if (Row > 0) {
    s = 2;
    c.SetPixel(1, top, clBtnFace);
    c.SetPixel(right - 2, top, clBtnFace);
  }
  c.MoveTo(s, top);
  c.LineTo(right - s, top);
  c.SetPixel(1, bottom - 1, clBtnFace);
  c.SetPixel(right - 2, bottom - 1, clBtnFace);
  c.Pen.Color = clBtnShadow;
  c.MoveTo(right - 1, top);
  c.LineTo(right - 1, bottom);
  c.MoveTo(2, bottom - 1);
  c.LineTo(right - 2, bottom - 1);
}

void TStyleDisplay::DrawIndicatorMark(const TRect& Rect, bool Current, bool Marked) {
  TCanvas& c = *Canvas;
  if (Current) {
    const int x = Rect.Left + (Rect.Width() - 6) / 2, y = Rect.Top + (Rect.Height() - 11) / 2;
    c.Pen.Style = psSolid;
    c.Pen.Mode = pmCopy;
    c.Pen.Color = clWindowText;
    c.Brush.Style = bsSolid;
    c.Brush.Color = clWindowText;
    c.Polygon({{x, y}, {x + 5, y + 5}, {x, y + 10}});
  }
  if (Marked) c.InvertRect(Rect);
}

// ---- footer and input cells ----------------------------------------------------------------

std::string TStyleDisplay::FooterText(const TCfCustomColumn& Column) {
  const TColumnFooter& footer = Column.Footer();
  std::string text = footer.Caption();
  if (!footer.FormatMask().empty()) {
    if (footer.FormatMaskKind() == mkText) {
      text = FormatMaskText(footer.FormatMask(), text);
    } else {
      double value = 0;
      try {
        value = celltext::TextToFloat(text);
      } catch (const std::exception&) {
        value = 0;  // a caption that is not a number shows as 0
      }
      text = FormatFloat(footer.FormatMask(), value);
    }
  }
  return footer.TextBefore() + text + footer.TextAfter();
}

void TStyleDisplay::DrawFooterCell(TCfCustomColumn* Column, const TRect& Rect, bool GridLines) {
  TCanvas& c = *Canvas;
  c.Font = Column->Font();
  TRect fill = Rect;
  if (GridLines) {
    fill.Right -= 1;
    fill.Bottom -= 1;
  }
  c.FillRect(fill, Column->Footer().Color());
  if (GridLines) {
    c.Pen.Style = psSolid;
    c.Pen.Mode = pmCopy;
    c.Pen.Color = clBtnFace;
    c.MoveTo(Rect.Left, Rect.Bottom - 1);
    c.LineTo(Rect.Right - 1, Rect.Bottom - 1);
    c.MoveTo(Rect.Right - 1, Rect.Top);
    c.LineTo(Rect.Right - 1, Rect.Bottom + 1);
  }
  const int depth = c.SaveState();
  c.IntersectClipRect(Rect);
  DrawFooterContent(Column, Rect);
  c.RestoreState(depth);
}

void TStyleDisplay::DrawFooterContent(TCfCustomColumn* Column, const TRect& Rect) {
  TCanvas& c = *Canvas;
  TColumnFooter& footer = Column->Footer();
  const std::string text = FooterText(*Column);
  const TDisplayMode mode = footer.DisplayMode();
  const int width = mode == dmImageOnly ? 0 : c.TextWidth(text);
  const int sortShift = Column->Sorted() ? 31 : 0;
  const int padding = Column->Padding();
  TBitmap& glyph = footer.Glyph();
  int x = Rect.Left + 2;
  if (glyph.Empty() || mode == dmTextOnly) {
    if (footer.Alignment() == taRightJustify) x = Rect.Right - width - padding - sortShift;
    if (footer.Alignment() == taCenter) x = Rect.Left + Rect.Width() / 2 - width / 2;
  } else {
    const int gw = glyph.Width();
    int gx = Rect.Left + 3;
    if (footer.Alignment() == taRightJustify) gx = Rect.Right - gw - width - padding - 2 - sortShift;
    if (footer.Alignment() == taCenter) gx = Rect.Left + Rect.Width() / 2 - (gw + width) / 2;
    c.Draw(gx, Rect.Top + (Rect.Height() - glyph.Height()) / 2, glyph);
    x = gx + gw + 2;
  }
  if (mode == dmImageOnly) return;
  x = std::max(x, Rect.Left);
  c.Brush.Style = bsClear;
  unsigned flags = 0x8A24;
  if (RightToLeft) flags |= DT_RTLREADING;
  DrawText(c, text, TRect(x, Rect.Top, Rect.Right, Rect.Bottom), flags);
  c.Brush.Style = bsSolid;
}

void TStyleDisplay::DrawInputCell(TCfCustomColumn* Column, const TRect& Rect, bool GridLines, bool InputSelected,
                                  bool Focused) {
  TCanvas& c = *Canvas;
  c.Font = Column->Font();
  const bool editorOpen = FGrid && FGrid->InputColumn() == Column->Index();
  TColor brush = Column->Color();
  c.Font.Style = 0;
  c.Font.Color = clGrayText;
  if (InputSelected && !editorOpen) {
    if (FGrid && FGrid->SelectedColumn() == Column->Index()) {
      brush = Column->Color();
      c.Font.Color = clGrayText;
    } else {
      brush = Focused ? clHighlight : clBtnFace;
      c.Font.Color = clHighlightText;
    }
  }
  TRect r = Rect;
  if (GridLines && InputSelected) {
    r.Right -= 1;
    r.Bottom -= 1;
  }
  c.Brush.Style = bsSolid;
  c.Brush.Color = brush;
  if (editorOpen)
    c.FrameRect(r);
  else
    c.FillRect(r);
  if (GridLines && InputSelected) {
    c.Pen.Style = psSolid;
    c.Pen.Mode = pmCopy;
    c.Pen.Color = clHighlight;
    c.MoveTo(Rect.Left, Rect.Bottom - 1);
    c.LineTo(Rect.Right - 1, Rect.Bottom - 1);
    c.MoveTo(Rect.Right - 1, Rect.Top);
    c.LineTo(Rect.Right - 1, Rect.Bottom + 1);
  }
  const TRect tr(Rect.Left + 2, Rect.Top, Rect.Right - 1, Rect.Bottom - 1);
  c.Brush.Style = bsClear;
  unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
  if (RightToLeft) flags |= DT_RTLREADING;
  if (!Column->InputValue().empty()) {
    TCellInfo info;
    info.Text = Column->InputValue();
    try {
      info.Value = celltext::TextToFloat(info.Text);
    } catch (const std::exception&) {
      info.Value = 0;
    }
    const TAlignment a = Column->Alignment();
    flags |= a == taRightJustify ? DT_RIGHT : a == taCenter ? DT_CENTER : DT_LEFT;
    DrawText(c, Column->GetDrawText(info), tr, flags);
  } else {
    DrawText(c, Column->InputCaption(), tr, flags | DT_CENTER);
  }
  c.Brush.Style = bsSolid;
}

// ---- default style --------------------------------------------------------------------------

void TDefaultStyleDisplay::DrawHeaderBackground(TCfCustomColumn* Column, const TRect& Rect) {
  if (Themed)
    DrawThemedHeader(Column, Rect);
  else
    DrawStyledHeader(Column, Rect);
}

void TDefaultStyleDisplay::DrawStyledHeader(TCfCustomColumn* Column, const TRect& Rect) {
  TCanvas& c = *Canvas;
  const TColor face = Column->Header().Color();
  c.FillRect(Rect, face);
  if (VisibleColumnCount() == 1) {
    TRect r = Rect;
    Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
    return;
  }
  c.Pen.Style = psSolid;
  c.Pen.Mode = pmCopy;
  c.Pen.Width = 1;
  c.Pen.Color = clBtnHighlight;
  c.MoveTo(Rect.Left, Rect.Bottom - 1);
  c.LineTo(Rect.Left, Rect.Top);
  c.LineTo(Rect.Right - 1, Rect.Top);
  c.Pen.Color = clBtnShadow;
  c.MoveTo(Rect.Right - 1, Rect.Top);
  c.LineTo(Rect.Right - 1, Rect.Bottom - 1);
  c.LineTo(Rect.Left - 1, Rect.Bottom - 1);
  // Where the light and dark edges meet, the face shows.
  c.SetPixel(Rect.Right - 1, Rect.Top, face);
  c.SetPixel(Rect.Left, Rect.Bottom - 1, face);
}

void TDefaultStyleDisplay::DrawThemedHeader(TCfCustomColumn* Column, const TRect& Rect) {
  int state = 1;
  if (Column == PressedColumn)
    state = 3;
  else if (Column == HotColumn)
    state = 2;
  if (!ThemeServices().DrawPart(*Canvas, Rect, "header", 1, state)) DrawStyledHeader(Column, Rect);
}

void TDefaultStyleDisplay::DrawIndicatorBackground(const TRect& Rect, int Row, bool, bool) {
  DrawClassicIndicator(Rect, Row);
}

void TDefaultStyleDisplay::DrawEmptyHeader(const TRect& Rect) {
  if (!ThemeServices().DrawPart(*Canvas, Rect, "header", 1, 1)) Canvas->FillRect(Rect, clBtnFace);
}
