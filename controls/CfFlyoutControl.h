#pragma once

// Windows that float over other controls (drag boxes, drag arrows, the roll
// marker): top-level tool windows without a frame, always on top.

#include "platform/Controls.h"
#include "platform/Region.h"

namespace cf {

class TCfFlyoutControl : public TWinControl {
public:
    explicit TCfFlyoutControl(QWidget* owner = nullptr);
    // Shapes the window (everything outside the region is see-through).
    void SetWindowRegion(const TRegion& region);
    const TRegion& WindowRegion() const { return region_; }

private:
    TRegion region_;
};

// The 32 x 32 marker at the anchor of a middle-button roll: an up arrow, a
// dot and a down arrow in the grey-text colour.
class TRollShadow : public TCfFlyoutControl {
public:
    explicit TRollShadow(QWidget* owner = nullptr);
    // p in screen coordinates.
    void ShowAt(TPoint p);
    TPoint Anchor() const { return anchor_; }
    void Paint(TCanvas& canvas) override;
    static TRegion Shape();

private:
    void ApplyShape();
    TPoint anchor_;
};

} // namespace cf
