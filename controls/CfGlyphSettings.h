#pragma once

// The glyph bitmaps of a control with their transparency settings; the alert
// window's close button uses the active variant with a hover picture.

#include "platform/Bitmap.h"

#include <functional>

namespace cf {

class TCfGlyphSettings {
public:
    virtual ~TCfGlyphSettings() = default;
    const TBitmap& NormalGlyph() const { return normal_; }
    // Copies the picture.
    void SetNormalGlyph(const TBitmap& b);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    // clNone: the bitmap's own (bottom-left pixel).
    TColor TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(TColor c);
    std::function<void()> OnChange;

protected:
    virtual void Apply();
    void Apply(TBitmap& b) const;
    void Changed();

    TBitmap normal_;
    bool transparent_ = false;
    TColor transparentColor_ = clNone;
};

class TCfActiveGlyphSettings : public TCfGlyphSettings {
public:
    const TBitmap& HoverGlyph() const { return hover_; }
    void SetHoverGlyph(const TBitmap& b);

protected:
    void Apply() override;

private:
    TBitmap hover_;
};

} // namespace cf
