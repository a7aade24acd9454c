#pragma once

// A splitter painted in the colour scheme: dragging it resizes the control
// it is aligned against.

#include "controls/CfThemesSupport.h"
#include "platform/Controls.h"

namespace cf {

class TCfSplitter : public TGraphicControl {
public:
    explicit TCfSplitter(QWidget* parent = nullptr);
    ~TCfSplitter() override;

    bool AdaptiveColors() const { return adaptive_; }
    void SetAdaptiveColors(bool on);
    TColorScheme ColorScheme() const { return scheme_; }
    void SetColorScheme(TColorScheme s);
    // The smallest size the resized control may take.
    int MinSize = 30;
    std::function<void(TCfSplitter*)> OnMoved;

    // Aligned top or bottom: splits rows.
    bool Horizontal() const { return Align() == alTop || Align() == alBottom; }
    // The control this splitter resizes: the one aligned to the same side
    // whose edge touches it.
    TControl* ResizedControl() const;

    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void UpdateCursor();

    bool adaptive_ = true;
    TColorScheme scheme_ = csDefault;
    TControl* dragged_ = nullptr;
    TPoint downAt_;
    int startSize_ = 0;
};

} // namespace cf
