#pragma once

// A container filled with a two-colour gradient under optional bevels, with
// six built-in colour schemes.

#include "controls/CfClasses.h"
#include "platform/Controls.h"

namespace cf {

enum class TFillDirection { fdHorizontal, fdVertical, fdDiagonal };
using enum TFillDirection;

namespace gloss_panel {
// The panel's own schemes (the button has a set of its own).
enum class TColorScheme { csCustom, csDesert, csGrass, csSilver, csSky, csRose, csSun };
}
using TGlossPanelScheme = gloss_panel::TColorScheme;

enum class TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
using enum TPanelBevel;

class TGlossPanel : public TWinControl {
public:
    explicit TGlossPanel(QWidget* parent = nullptr);

    TColor ColorFace() const { return face_; }
    TColor ColorGrad() const { return grad_; }
    TColor ColorLight() const { return light_; }
    TColor ColorDark() const { return dark_; }
    // Setting a colour directly makes the scheme csCustom.
    void SetColorFace(TColor c);
    void SetColorGrad(TColor c);
    void SetColorLight(TColor c);
    void SetColorDark(TColor c);

    TGlossPanelScheme ColorScheme() const { return scheme_; }
    // A named scheme sets the face to white and its three colours; csCustom keeps them.
    void SetColorScheme(TGlossPanelScheme s);

    TFillDirection FillDirection() const { return direction_; }
    void SetFillDirection(TFillDirection d);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel b);
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel b);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int w);
    bool Locked = false;

    void Paint(TCanvas& canvas) override;

private:
    void SetColour(TColor& field, TColor c);

    TColor face_ = clWhite;
    TColor grad_ = clWhite;
    TColor light_ = 0xC0C0C0;
    TColor dark_ = clBlack;
    TGlossPanelScheme scheme_ = TGlossPanelScheme::csCustom;
    TFillDirection direction_ = fdVertical;
    TAlignment alignment_ = taCenter;
    TPanelBevel bevelInner_ = bvNone;
    TPanelBevel bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
};

// The gradient both gloss controls fill with: each channel moves from face by
// (grad - face) / length per line, rounded per line.
void GlossGradient(TCanvas& canvas, const TRect& r, TColor face, TColor grad, TFillDirection direction);

} // namespace cf
