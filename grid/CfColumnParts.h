#pragma once
// The small objects every column owns: its header part, its footer part and
// its rectangle in the slides style. Each tells its column when it changes.

#include <cstdint>
#include <functional>
#include <string>

#include "grid/GridTypes.h"
#include "platform/Bitmap.h"
#include "platform/Translatable.h"

class TCfCustomColumn;

enum TDisplayMode : std::uint8_t { dmImageOnly, dmTextAndImage, dmTextOnly };
enum THeaderOrientation : std::uint8_t { hoHorizontal, hoVertical };
enum TFormulaKind : std::uint8_t { fkNone, fkAverage, fkCount, fkDistinct, fkMaximum, fkMinimum, fkSum, fkCustom };
enum TFormatMaskKind : std::uint8_t { mkText, mkFloat };

class TColumnPart : public cf::TTranslatable {
 public:
  explicit TColumnPart(TColor color) : FColor(color) {}
  virtual ~TColumnPart() = default;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v);
  // Translatable texts: Caption and Hint.
  std::optional<std::string> TextProperty(const std::string& name) const override;
  bool SetTextProperty(const std::string& name, const std::string& value) override;
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  TDisplayMode DisplayMode() const { return FDisplayMode; }
  void SetDisplayMode(TDisplayMode v) { Set(FDisplayMode, v); }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& v) { FHint = v; }  // stored only
  // The picture drawn beside the caption; empty at creation. A new glyph is
  // copied, and its bottom-left pixel becomes its transparent colour.
  const cf::TBitmap& Glyph() const { return FGlyph; }
  cf::TBitmap& Glyph() { return FGlyph; }  // for drawing
  void SetGlyph(const cf::TBitmap& v);

  // The owning column listens here.
  std::function<void()> OnChange;
  // Asks the grid to repaint the column in one area (0 the client height,
  // 2 footer, 3 header).
  std::function<void(int Area)> OnRepaint;

 protected:
  template <class T>
  void Set(T& field, const T& value) {
    if (field == value) return;
    field = value;
    if (OnChange) OnChange();
  }
  void AssignPart(const TColumnPart& source);
  void Repaint(int area) { if (OnRepaint) OnRepaint(area); }
  template <class T>
  void SetRepainted(T& field, const T& value, int area) {
    if (field == value) return;
    field = value;
    Repaint(area);
  }

 private:
  cf::TBitmap FGlyph;
  std::string FCaption;
  TColor FColor;
  TDisplayMode FDisplayMode = dmTextOnly;
  std::string FHint;
};

class TColumnHeader : public TColumnPart {
 public:
  TColumnHeader() : TColumnPart(clBtnFace) {}
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v) { SetRepainted(FAlignment, v, 3); }
  bool HideArrow() const { return FHideArrow; }
  void SetHideArrow(bool v) { SetRepainted(FHideArrow, v, 3); }
  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool v) { SetRepainted(FMultiLine, v, 3); }
  THeaderOrientation Orientation() const { return FOrientation; }
  void SetOrientation(THeaderOrientation v) { SetRepainted(FOrientation, v, 3); }
  void Assign(const TColumnHeader& source);

 private:
  TAlignment FAlignment = taLeftJustify;
  bool FHideArrow = true;
  bool FMultiLine = false;
  THeaderOrientation FOrientation = hoHorizontal;
};

class TColumnFooter : public TColumnPart {
 public:
  TColumnFooter() : TColumnPart(clWindow) {}
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v) { SetRepainted(FAlignment, v, 2); }
  TFormulaKind FormulaKind() const { return FFormulaKind; }
  void SetFormulaKind(TFormulaKind v) { Set(FFormulaKind, v); }
  const std::string& FormatMask() const { return FFormatMask; }
  void SetFormatMask(const std::string& v) { Set(FFormatMask, v); }
  TFormatMaskKind FormatMaskKind() const { return FFormatMaskKind; }
  void SetFormatMaskKind(TFormatMaskKind v) { Set(FFormatMaskKind, v); }
  const std::string& TextAfter() const { return FTextAfter; }
  void SetTextAfter(const std::string& v) { Set(FTextAfter, v); }
  const std::string& TextBefore() const { return FTextBefore; }
  void SetTextBefore(const std::string& v) { Set(FTextBefore, v); }
  double Value() const { return FValue; }  // computed by the grid
  void SetValue(double v) { FValue = v; }
  // Keeps its own Caption and Color.
  void Assign(const TColumnFooter& source);

 private:
  TAlignment FAlignment = taLeftJustify;
  TFormulaKind FFormulaKind = fkNone;
  double FValue = 0;
  std::string FFormatMask;
  TFormatMaskKind FFormatMaskKind = mkText;
  std::string FTextAfter, FTextBefore;
};

// A column's rectangle inside a slide, relative to the slide's top-left.
class TCfSlideBounds {
 public:
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Left and Top notify even when unchanged; Width and Height only on a change.
  void SetLeft(int v) { FLeft = v; Changed(); }
  void SetTop(int v) { FTop = v; Changed(); }
  void SetWidth(int v) { if (FWidth != v) { FWidth = v; Changed(); } }
  void SetHeight(int v) { if (FHeight != v) { FHeight = v; Changed(); } }
  void Assign(const TCfSlideBounds& source);

  std::function<void()> OnChange;

 private:
  void Changed() { if (OnChange) OnChange(); }
  int FLeft = 8, FTop = 8, FWidth = 80, FHeight = 16;
};
