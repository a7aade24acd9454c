#include "grid/CfColumnParts.h"
#include "platform/SameText.h"

void TColumnPart::SetCaption(const std::string& v) {
  if (FCaption == v) return;
  FCaption = v;
  if (OnChange) OnChange();
  Repaint(0);
}

void TColumnPart::SetColor(TColor v) {
  if (FColor == v) return;
  FColor = v;
  Repaint(0);
}

void TColumnPart::SetGlyph(const cf::TBitmap& v) {
  FGlyph = v;
  // An empty glyph has no bottom row to take the colour from.
  if (!FGlyph.Empty()) {
    FGlyph.SetTransparentColor(FGlyph.Canvas().GetPixel(0, FGlyph.Height() - 1));
    FGlyph.Transparent = true;
  }
  if (OnChange) OnChange();
}

void TColumnPart::AssignPart(const TColumnPart& source) {
  SetCaption(source.Caption());
  SetColor(source.Color());
  SetDisplayMode(source.DisplayMode());
  SetGlyph(source.Glyph());
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

std::optional<std::string> TColumnPart::TextProperty(const std::string& name) const
{
  if (cf::SameText(name, "Caption")) return FCaption;
  if (cf::SameText(name, "Hint")) return FHint;
  return std::nullopt;
}

bool TColumnPart::SetTextProperty(const std::string& name, const std::string& value)
{
  if (cf::SameText(name, "Caption"))
    SetCaption(value);
  else if (cf::SameText(name, "Hint"))
    SetHint(value);
  else
    return false;
  return true;
}
