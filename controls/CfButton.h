#pragma once

// The owner-drawn push button of every form: classic or styled face, an
// optional glyph (greyed when disabled), a drop-down arrow, and the form's
// Enter/Esc handling.

#include "controls/DialogKeys.h"
#include "platform/Bitmap.h"
#include "platform/Controls.h"

namespace cf {

enum class TCfButtonLayout { blGlyphBottom, blGlyphLeft, blGlyphRight, blGlyphTop };

class TCfButton : public TWinControl, public TPushButtonBase {
public:
    explicit TCfButton(QWidget* parent = nullptr);

    bool Cancel = false;
    bool Default() const { return default_; }
    void SetDefault(bool on);
    int ModalResult = 0;
    bool Down() const { return down_; }
    void SetDown(bool on);
    bool EnableDblClick = true;
    TBitmap& Glyph() { return glyph_; }
    // Copies the picture and rebuilds the greyed copy.
    void SetGlyph(const TBitmap& b);
    int GlyphSpacing() const { return glyphSpacing_; }
    void SetGlyphSpacing(int s);
    TCfButtonLayout Layout() const { return layout_; }
    void SetLayout(TCfButtonLayout l);
    bool ShowArrow() const { return showArrow_; }
    void SetShowArrow(bool on);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);

    bool Hot() const { return hot_; }
    // Drawn pressed: mouse held while hot, Down, or Space held.
    bool LooksPressed() const;
    // Whether Enter clicks this button now: the focused button when a
    // button has the focus, otherwise the Default one.
    bool ActsAsDefault() const;

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
    bool DialogKey(uint16_t key, TShiftState shift) override;
    bool DialogChar(char32_t ch) override;

protected:
    void showEvent(QShowEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    void RebuildGrayed();
    void PrepareGlyph(TBitmap& b) const;

    bool default_ = false;
    bool down_ = false;
    TBitmap glyph_;
    TBitmap grayed_;
    int glyphSpacing_ = 3;
    TCfButtonLayout layout_ = TCfButtonLayout::blGlyphLeft;
    bool showArrow_ = false;
    bool transparent_ = false;
    bool hot_ = false;
    bool mouseHeld_ = false;
    bool spaceHeld_ = false;
};

} // namespace cf
