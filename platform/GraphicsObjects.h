#pragma once

// Font, pen and brush as a canvas holds them. Plain values: assign fields
// freely, the canvas reads them at each drawing call.

#include "platform/Color.h"

#include <string>

class QFont;

namespace cf {

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

enum class TFontQuality { Default, NonAntialiased, Antialiased };

class TFont {
public:
    std::string Name = "Tahoma";
    int Size = 8;                   // points at 96 DPI
    TColor Color = clWindowText;
    TFontStyles Style = 0;
    int Orientation = 0;            // tenths of a degree, counter-clockwise
    TFontQuality Quality = TFontQuality::Default;

    // Character height in pixels as Windows gives it (negative = em height).
    int Height() const;
    void SetHeight(int h);

    QFont ToQFont() const;
    friend bool operator==(const TFont&, const TFont&) = default;
};

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
using enum TPenStyle;

// Binary raster operations of the pen, in Windows order.
enum class TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
using enum TPenMode;

class TPen {
public:
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;
    friend bool operator==(const TPen&, const TPen&) = default;
};

enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
using enum TBrushStyle;

class TBrush {
public:
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    friend bool operator==(const TBrush&, const TBrush&) = default;
};

// Registers the program's fonts with Qt once ("Tahoma" from fonts-wine, the
// Windows dialog font names mapped onto it). Safe to call repeatedly; needs a
// QGuiApplication. Returns true when Tahoma itself is available.
bool RegisterProgramFonts();

// True when a font family of that name is installed or registered by the
// program (needs a QGuiApplication; false without one).
bool IsFontFamilyInstalled(const std::string& name);

} // namespace cf
