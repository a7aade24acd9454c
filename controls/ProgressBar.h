#pragma once

// The classic progress bar: a sunken strip filled from the left, in blocks or
// as one smooth band.

#include "platform/Controls.h"

namespace cf {

class TProgressBar : public TControl {
public:
    explicit TProgressBar(QWidget* parent = nullptr);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    bool Smooth() const { return smooth_; }
    // Each setter repaints only when the value changes. The position is kept
    // within Min..Max.
    void SetMin(int v);
    void SetMax(int v);
    void SetPosition(int v);
    void SetSmooth(bool on);

    // Width in pixels of the filled part for a client width.
    int FilledWidth(int clientWidth) const;

    void Paint(TCanvas& canvas) override;

private:
    int Clamp(int v) const;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    bool smooth_ = false;
};

} // namespace cf
