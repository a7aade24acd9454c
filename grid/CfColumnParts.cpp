#include "grid/CfColumnParts.h"

void TColumnPart::AssignPart(const TColumnPart& source) {
  SetCaption(source.Caption());
  SetColor(source.Color());
  SetDisplayMode(source.DisplayMode());
}

void TColumnHeader::Assign(const TColumnHeader& source) {
  SetAlignment(source.Alignment());
  AssignPart(source);
  SetHideArrow(source.HideArrow());
  SetHint(source.Hint());
  SetMultiLine(source.MultiLine());
  SetOrientation(source.Orientation());
}

void TColumnFooter::Assign(const TColumnFooter& source) {
  SetAlignment(source.Alignment());
  SetFormulaKind(source.FormulaKind());
  SetFormatMask(source.FormatMask());
  SetFormatMaskKind(source.FormatMaskKind());
  SetTextAfter(source.TextAfter());
  SetTextBefore(source.TextBefore());
}

void TCfSlideBounds::Assign(const TCfSlideBounds& source) {
  SetHeight(source.Height());
  SetLeft(source.Left());
  SetTop(source.Top());
  SetWidth(source.Width());
}
