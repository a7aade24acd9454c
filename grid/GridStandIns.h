#pragma once
// Temporary stand-ins for types that belong to the platform layer and to the
// edit controls, which are being built elsewhere. Everything the grid needs
// from them is gathered here so that one header is swapped when they land.

#include <cstdint>
#include <stdexcept>
#include <string>

// Colours are 0x00BBGGRR, or 0x80000000 | index for a system colour.
using TColor = std::uint32_t;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clBtnFace = 0x80000000u | 15;
inline constexpr TColor clWindow = 0x80000000u | 5;
inline constexpr TColor clWindowText = 0x80000000u | 8;

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t;  // bit set of TFontStyle

// What a column needs of a font: its face, size, colour and style.
struct TGridFont {
  std::string Name = "Tahoma";
  int Size = 8;
  TColor Color = clWindowText;
  TFontStyles Style = 0;
  bool operator==(const TGridFont&) const = default;
};

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment : std::uint8_t { taAlignTop, taAlignBottom, taVerticalCenter };
enum TBiDiMode : std::uint8_t { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
using TCursor = int;
inline constexpr TCursor crDefault = 0;

// An image list is referenced, never owned; the grid only needs its width.
struct TCustomImageList {
  int Width = 16;
  int Height = 16;
};

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

// Raised for an index outside a list.
class EListError : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};
