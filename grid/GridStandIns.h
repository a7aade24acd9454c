#pragma once
// Temporary stand-ins for types that belong to the platform layer and to the
// control set, which are being built elsewhere. Everything the grid needs
// from them is gathered here so that one header is swapped when they land.

#include <cstdint>
#include <stdexcept>
#include <string>

// Stand-ins for the platform layer, with its names, in its namespace.
namespace cf {

// Colours are 0x00BBGGRR, or 0x80000000 | index for a system colour.
using TColor = std::uint32_t;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clWindow = 0x80000000u | 5;
inline constexpr TColor clWindowText = 0x80000000u | 8;
inline constexpr TColor clBtnFace = 0x80000000u | 15;

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

// What the grid needs of a font: its face, size, colour and style.
class TFont {
 public:
  std::string Name = "Tahoma";
  int Size = 8;
  TColor Color = clWindowText;
  TFontStyles Style = 0;
  friend bool operator==(const TFont&, const TFont&) = default;
};

using TCursor = int;
inline constexpr TCursor crDefault = 0;

// An image list is referenced, never owned; the grid only needs its width.
class TCustomImageList {
 public:
  explicit TCustomImageList(int width = 16, int height = 16) : width_(width), height_(height) {}
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_, height_;
};

// Raised for an index outside a list.
class EListError : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};

}  // namespace cf

using cf::clBtnFace;
using cf::clNone;
using cf::clWindow;
using cf::clWindowText;
using cf::crDefault;
using cf::EListError;
using cf::fsBold;
using cf::fsItalic;
using cf::fsStrikeOut;
using cf::fsUnderline;
using cf::TColor;
using cf::TCursor;
using cf::TCustomImageList;
using cf::TFont;
using cf::TFontStyle;
using cf::TFontStyles;

// Stand-ins for the control set.
enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment : std::uint8_t { taAlignTop, taAlignBottom, taVerticalCenter };
enum TBiDiMode : std::uint8_t { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// The in-place editors are controls of their own; columns name them by kind.
class TCfCustomEdit;

// Options of the number edit, a set of bits in element order.
enum TCfNumberEditOption : std::uint8_t {
  eoAllowAll = 1,
  eoAllowFloat = 2,
  eoAllowSigns = 4,
  eoDisablePaste = 8,
  eoDisableTyping = 16,
};
using TCfNumberEditOptions = std::uint8_t;

// Shared enumerations of the control set.
enum TWrapKind : std::uint8_t { wkNone, wkEllipsis, wkPathEllipsis, wkWordWrap };
enum TDrawingOptions : std::uint8_t { doNormal, doBackgroundOnly, doCustom, doCustomOnly };

// How the combo box shows its items.
enum TItemsDisplayMode : std::uint8_t { dmDefault, dmNameList, dmValueList, dmIndentList };

// Raised when a text does not convert to the asked type or a value does not
// fit the target type: the one conversion error of the whole program, so a
// caller catches a cell's failure and a settings reader's alike.
#include "settings/Errors.h"
