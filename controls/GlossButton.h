#pragma once

// A push button painted with per-state colours (normal, hot, pressed,
// disabled), an optional vertical gradient, a glyph and a focus rectangle,
// with twelve built-in colour schemes.

#include "controls/DialogKeys.h"
#include "platform/Bitmap.h"
#include "platform/Controls.h"

namespace cf {

namespace gloss_button {
enum class TColorScheme {
    csNeoDesert, csNeoSky, csNeoGrass, csNeoSilver, csNeoRose, csNeoSun,
    csDesert, csGrass, csSky, csSun, csRose, csSilver, csCustom
};
}
using TGlossButtonScheme = gloss_button::TColorScheme;

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The six colours of one state.
struct TGlossColors {
    TColor Face = clWhite;
    TColor Grad = clWhite;
    TColor Dark = clBlack;
    TColor Light = clWhite;
    TColor Border = clBlack;
    TColor Text = clBlack;
    friend bool operator==(const TGlossColors&, const TGlossColors&) = default;
};

enum class TGlossState { gsNormal, gsHot, gsPressed };

class TGlossButton : public TWinControl, public TPushButtonBase {
public:
    explicit TGlossButton(QWidget* parent = nullptr);

#define CF_GLOSS_COLOUR(Name, group, field)                                                                        \
    TColor Name() const { return group.field; }                                                                    \
    void Set##Name(TColor c) { SetColour(group.field, c); }
    CF_GLOSS_COLOUR(ColorFace, normal_, Face)
    CF_GLOSS_COLOUR(ColorGrad, normal_, Grad)
    CF_GLOSS_COLOUR(ColorDark, normal_, Dark)
    CF_GLOSS_COLOUR(ColorLight, normal_, Light)
    CF_GLOSS_COLOUR(ColorBorder, normal_, Border)
    CF_GLOSS_COLOUR(ColorText, normal_, Text)
    CF_GLOSS_COLOUR(OverColorFace, over_, Face)
    CF_GLOSS_COLOUR(OverColorGrad, over_, Grad)
    CF_GLOSS_COLOUR(OverColorDark, over_, Dark)
    CF_GLOSS_COLOUR(OverColorLight, over_, Light)
    CF_GLOSS_COLOUR(OverColorBorder, over_, Border)
    CF_GLOSS_COLOUR(OverColorText, over_, Text)
    CF_GLOSS_COLOUR(DownColorFace, down_, Face)
    CF_GLOSS_COLOUR(DownColorGrad, down_, Grad)
    CF_GLOSS_COLOUR(DownColorDark, down_, Dark)
    CF_GLOSS_COLOUR(DownColorLight, down_, Light)
    CF_GLOSS_COLOUR(DownColorBorder, down_, Border)
    CF_GLOSS_COLOUR(DownColorText, down_, Text)
    CF_GLOSS_COLOUR(DisabledColorFace, disabled_, Face)
    CF_GLOSS_COLOUR(DisabledColorGrad, disabled_, Grad)
    CF_GLOSS_COLOUR(DisabledColorDark, disabled_, Dark)
    CF_GLOSS_COLOUR(DisabledColorLight, disabled_, Light)
    CF_GLOSS_COLOUR(DisabledColorBorder, disabled_, Border)
    CF_GLOSS_COLOUR(DisabledColorText, disabled_, Text)
#undef CF_GLOSS_COLOUR
    TColor ColorFocusRect() const { return focusRect_; }
    void SetColorFocusRect(TColor c) { SetColour(focusRect_, c); }

    TGlossButtonScheme ColorScheme() const { return scheme_; }
    void SetColorScheme(TGlossButtonScheme s);

    bool Gradient() const { return gradient_; }
    void SetGradient(bool on);
    bool HotTrack = true;
    void SetCtl3D(bool on);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout l);
    int Spacing() const { return spacing_; }
    void SetSpacing(int s);
    TBitmap& Glyph() { return glyph_; }
    void SetGlyph(const TBitmap& b);
    bool TransparentGlyph() const { return transparentGlyph_; }
    void SetTransparentGlyph(bool on);

    bool Cancel = false;
    bool Default() const { return default_; }
    void SetDefault(bool on);
    int ModalResult = 0;

    TGlossState State() const { return state_; }
    // The six colours painted now (the disabled ones whatever the state).
    const TGlossColors& PaintColors() const;

    void Paint(TCanvas& canvas) override;
    void Click() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyUp(uint16_t& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;
    void EnabledChanged() override;
    bool DialogKey(uint16_t key, TShiftState shift) override;
    bool DialogChar(char32_t ch) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void SetColour(TColor& field, TColor c);
    void SetState(TGlossState s);
    bool CanTakeFocus() const;

    TGlossColors normal_, over_, down_, disabled_;
    TColor focusRect_ = clBlack;
    TGlossButtonScheme scheme_ = TGlossButtonScheme::csNeoDesert;
    bool gradient_ = false;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int spacing_ = 4;
    TBitmap glyph_;
    bool transparentGlyph_ = true;
    bool default_ = false;
    TGlossState state_ = TGlossState::gsNormal;
    bool mouseHeld_ = false;
};

} // namespace cf
