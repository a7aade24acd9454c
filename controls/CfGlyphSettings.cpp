#include "controls/CfGlyphSettings.h"

namespace cf {

void TCfGlyphSettings::Changed()
{
    if (OnChange)
        OnChange();
}

void TCfGlyphSettings::Apply(TBitmap& b) const
{
    b.Transparent = transparent_;
    if (transparentColor_ == clNone) {
        b.TransparentMode = TTransparentMode::tmAuto;
    } else {
        b.TransparentMode = TTransparentMode::tmFixed;
        b.SetTransparentColor(transparentColor_);
    }
}

void TCfGlyphSettings::Apply()
{
    Apply(normal_);
}

void TCfGlyphSettings::SetNormalGlyph(const TBitmap& b)
{
    normal_ = b;
    Apply();
    Changed();
}

void TCfGlyphSettings::SetTransparent(bool on)
{
    transparent_ = on;
    Apply();
    Changed();
}

void TCfGlyphSettings::SetTransparentColor(TColor c)
{
    transparentColor_ = c;
    Apply();
    Changed();
}

void TCfActiveGlyphSettings::SetHoverGlyph(const TBitmap& b)
{
    hover_ = b;
    Apply();
    Changed();
}

void TCfActiveGlyphSettings::Apply()
{
    TCfGlyphSettings::Apply();
    TCfGlyphSettings::Apply(hover_);
}

} // namespace cf
