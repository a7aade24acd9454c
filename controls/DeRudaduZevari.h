#pragma once

// Class-level operations of the provider classes (classes without instances)
// and the routines of this unit that have twins in CfSharedDraw.

#include "controls/CfClasses.h"
#include "controls/CfSharedDraw.h"

namespace cf {

class TCalcProvider {
public:
    TCalcProvider() = delete;
    // False exactly when one lies wholly left, right, above or below the other;
    // touching edges count as intersecting.
    static bool RectsIntersect(const TRect& a, const TRect& b);
    static void AlignInRect(int width, int height, TPoint& point, TVerticalAlignment vertical,
                            TAlignment horizontal, const TRect& rect, int margin);
    static TRect OffsetRectBy(const TRect& r, int dl, int dt, int dr, int db);
};

class TGraphicsProvider {
public:
    TGraphicsProvider() = delete;
    static TColor BlendColor(TColor a, TColor b, int weight) { return cf::BlendColor(a, b, weight); }
    static TColor BlendColorRatio(TColor a, TColor b, double ratio) { return cf::BlendColorRatio(a, b, ratio); }
    static void SetClipRect(TCanvas& canvas, const TRect& rect);
    // Button face inside, then highlight on top and left, window frame
    // (pressed) or shadow on bottom and right.
    static void DrawButtonFace(TCanvas& canvas, const TRect& rect, bool pressed);
    static void DrawFocusFrame(TCanvas& canvas, const TRect& rect, bool solid);
    static void DrawVertGradientTo(TCanvas& canvas, const TRect& rect, TColor topColor, TColor bottomColor);
    static void DrawHorzGradientTo(TCanvas& canvas, const TRect& rect, TColor leftColor, TColor rightColor);
    static void DrawTextLine(TCanvas& canvas, const TRect& rect, bool rightToLeft, const std::string& text,
                             TAlignment alignment);
    // Word-broken text; with measure the rectangle's extent is computed first
    // (and returned in rect).
    static void DrawTextBlock(TCanvas& canvas, TRect& rect, bool measure, const std::string& text,
                              TAlignment alignment);
};

class TMaskProvider {
public:
    TMaskProvider() = delete;
    static TColor BlendColor(TColor a, TColor b, int weight) { return cf::BlendColor(a, b, weight); }
};

class TDrawProvider {
public:
    TDrawProvider() = delete;
    // A 32-bit bitmap blended exactly (alpha 255 gives the source, 0 the
    // background); any other bitmap drawn as is.
    static void DrawAlphaGraphic(TCanvas& canvas, int x, int y, TBitmap& graphic);
};

void ClipCanvasToRect(TCanvas& canvas, const TRect& rect);

// DrawTextBlock with the block placed in rect by `vertical`: its height is
// measured at rect's width first. A block taller than rect starts at its top,
// so the first line stays readable. Returns the rectangle the block covers.
TRect DrawTextBlockPlaced(TCanvas& canvas, const TRect& rect, const std::string& text, TVerticalAlignment vertical,
                         TAlignment alignment);

} // namespace cf
