#pragma once

// The class library's static text control: a windowless label that can size
// itself to its text, wrap words and let its parent show through.

#include "platform/Controls.h"
#include "platform/DrawText.h"

namespace cf {

class TLabel : public TGraphicControl {
public:
    explicit TLabel(QWidget* parent = nullptr);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    // "&x" underlines x when on; off shows every "&" as written.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool on);
    // Breaks a word wider than the label instead of letting it run out.
    bool BreakLongWords() const { return breakLongWords_; }
    void SetBreakLongWords(bool on);
    // DT_LEFT, DT_CENTER or DT_RIGHT.
    unsigned Alignment() const { return alignment_; }
    void SetAlignment(unsigned a);

    bool SetTextProperty(const std::string& name, const std::string& value) override;
    void SetCaption(const std::string& s);
    // Call after changing Font: re-measures and repaints.
    void FontChanged();

    // The DT_* flags the text is laid out with.
    unsigned DrawFlags() const;
    // With AutoSize: fits the bounds to the text (keeping the width while
    // wrapping words; a right-aligned label keeps its right edge).
    virtual void AdjustBounds();

    void Paint(TCanvas& canvas) override;

protected:
    // Paints what lies under the label in its parent.
    void PaintParentBackground(TCanvas& canvas);

private:
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool transparent_ = false;
    bool showAccelChar_ = true;
    bool breakLongWords_ = false;
    unsigned alignment_ = DT_LEFT;
};

} // namespace cf
