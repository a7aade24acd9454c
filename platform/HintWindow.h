#pragma once

// The small hint window that shows a tooltip text at a screen rectangle.

#include "platform/Controls.h"

namespace cf {

class THintWindow : public TControl {
public:
    explicit THintWindow(QWidget* parent = nullptr);
    // Shows the window over screen rectangle r with the text.
    void ActivateHint(const TRect& r, const std::string& text);
    void ActivateHintData(const TRect& r, const std::string& text, void* data);
    // Hides the window and gives up its native window.
    void ReleaseHandle();
    bool HandleAllocated() const { return allocated_; }
    // Size the window needs for a text, at most maxWidth wide.
    TRect CalcHintRect(int maxWidth, const std::string& text);
    void* Data() const { return data_; }
    void Paint(TCanvas& canvas) override;

private:
    bool allocated_ = false;
    void* data_ = nullptr;
};

} // namespace cf
