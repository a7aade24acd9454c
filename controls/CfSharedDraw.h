#pragma once

// Stateless drawing routines shared by the controls and the grid: the small
// HTML-like text renderer, single-line text in a rectangle, engraved text,
// colour blending and gradients, alpha-blended and greyed pictures, the glass
// and sheen effects of the header panel, and a few geometry helpers.

#include "controls/CfClasses.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Controls.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace cf {

// ---------------------------------------------------------------- mini-HTML

struct THtmlResult {
    std::string Href;  // link under the hit point (measuring mode)
    int MaxX = 0;      // largest x reached
    int Height = 0;    // total height
};

// Draws (draw = true) or only measures and hit-tests the marked-up text,
// starting at rect's top-left + offset. Tags: a (href), b, br, font (color,
// name, size), i, u; others are skipped. Lines break only at <br>.
// Untrusted text is safe: unknown or unmatched tags are ignored and bad
// attribute values keep the current font.
void DrawHtmlText(TCanvas& canvas, const TRect& rect, const std::string& text, THtmlResult& result, bool draw,
                  TPoint offset = TPoint(0, 0), TPoint hit = TPoint(-1, -1));

// A keyword of HtmlColorNames (any case) or "#RRGGBB" as 0x00BBGGRR; clNone
// for anything else.
TColor HtmlColorToColor(const std::string& text);

// ---------------------------------------------------------------- text

// One line, vertically centred, "..." at the end when too long, transparent.
void DrawTextRect(TCanvas& canvas, const TRect& rect, TAlignment alignment, bool noPrefix, const std::string& text);
// The general form used by labels and the alert window.
void DrawTextInRect(TCanvas& canvas, const TRect& rect, const std::string& text, bool shadow, bool rightToLeft,
                    TWrapKind wrap, TVerticalAlignment vertical, TAlignment horizontal);
// The single-line layout twice: at (+1, +1) in the button highlight colour,
// then in place in the button shadow colour.
void DrawGrayedText(TCanvas& canvas, const TRect& rect, const std::string& text, bool noPrefix, TAlignment alignment);
// One line with end ellipsis and no prefix, vertically centred, transparent.
void DrawTextLine(TCanvas& canvas, const TRect& rect, TAlignment alignment, const std::string& text, bool rightToLeft);
// Text running upward, laid out at the bottom of rect.
void DrawVerticalText(TCanvas& canvas, const TRect& rect, const std::string& text);

// ---------------------------------------------------------------- colours

// Per channel (A * w + B * (255 - w)) >> 8 for w in 0..255; system colours
// resolved first. A weight outside 0..255 is a programming error.
TColor BlendColor(TColor a, TColor b, int weight);
// Per channel round(B * ratio + A * (1 - ratio)), halves to even.
TColor BlendColorRatio(TColor a, TColor b, double ratio);
// delta added to red, green and blue, each kept within 0..255.
TColor AddToColor(TColor c, int delta);
// Colour of one of the controls' theme-dependent table entries; clNone for
// an unknown index.
TColor ThemeAwareColor(int index);

// ---------------------------------------------------------------- gradients

// One line per row (column): BlendColorRatio(from, to, offset / extent).
void DrawVertGradient(TCanvas& canvas, const TRect& rect, TColor from, TColor to);
void DrawHorzGradient(TCanvas& canvas, const TRect& rect, TColor from, TColor to);

class EMathError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Bands of linear gradients between successive colours (at least two, else
// EMathError "Please specify at least two colors"), left to right when
// horizontal, otherwise top to bottom. The pen is left as it was.
void DrawMultiGradient(TCanvas& canvas, const TRect& rect, bool horizontal, const std::vector<TColor>& colors);

// ---------------------------------------------------------------- pictures

// A 32-bit bitmap blended onto the canvas by its alpha channel with
// BlendColor (so an opaque 255 comes out 254); any other bitmap drawn as is.
void DrawGraphicAlpha(TCanvas& canvas, int x, int y, TBitmap& graphic);
// The grey look of a disabled glyph, in place: 24 and 32 bits average their
// channels, 4 bits get the engraved look; other formats stay unchanged.
void MakeGrayedGlyph(TBitmap& bitmap);
// Whitens the top rows of the upper half of rect, fading out over 22 rows.
void DrawGlassEffect(TCanvas& canvas, const TRect& rect);
// Vertical blend from top to bottom colour with a sheen band and a whitened middle column.
void DrawSheenGradient(TCanvas& canvas, const TRect& rect, TColor top, TColor bottom, int bandHeight);
// Paints the parent's background and client area into canvas, positioned
// so that it shows what lies under control.
void DrawParentBackground(TControl* control, TCanvas& canvas);

// ---------------------------------------------------------------- geometry

// True when P lies more than n pixels from Q in x or y.
bool IsPointOutsideTolerance(TPoint p, TPoint q, int n);
// Y mirrored about the middle of rect: m = T + (B - T) div 2, Y := 2m - Y.
void FlipPointsVertically(std::vector<TPoint>& points, const TRect& rect);
// The canvas clip becomes exactly rect.
void SetCanvasClipRect(TCanvas& canvas, const TRect& rect);

} // namespace cf
