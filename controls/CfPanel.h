#pragma once

// A container with a scheme-coloured solid, gradient, styled or see-through
// background, a caption and selectable border sides.

#include "controls/CfMargins.h"
#include "controls/CfThemesSupport.h"
#include "platform/Controls.h"

namespace cf {

enum class TCfPanelBackgroundStyle { pbControl, pbHorzGradient, pbSolid, pbTransparent, pbVertGradient };
using enum TCfPanelBackgroundStyle;

enum TPanelBorder : unsigned { boBottom = 1, boLeft = 2, boRight = 4, boTop = 8 };
using TPanelBorders = unsigned;
constexpr TPanelBorders AllPanelBorders = boBottom | boLeft | boRight | boTop;

class TCfPanel : public TWinControl {
public:
    explicit TCfPanel(QWidget* parent = nullptr);
    ~TCfPanel() override;

    bool AdaptiveColors() const { return adaptive_; }
    void SetAdaptiveColors(bool on);
    TCfPanelBackgroundStyle BackgroundStyle() const { return style_; }
    void SetBackgroundStyle(TCfPanelBackgroundStyle s);
    const TPen& BorderPen() const { return pen_; }
    // Copies the given pen's settings into the panel's own.
    void SetBorderPen(const TPen& p);
    TColorScheme ColorScheme() const { return scheme_; }
    void SetColorScheme(TColorScheme s);
    bool FullRepaint = false;
    TCfMargins& InnerMargins() { return margins_; }
    // Copies the values and realigns.
    void SetInnerMargins(const TCfMargins& m);
    TPanelBorders PanelBorders() const { return borders_; }
    void SetPanelBorders(TPanelBorders b);
    void SetColor(TColor c);
    void SetFont(const TFont& f);
    bool SetTextProperty(const std::string& name, const std::string& value) override;
    void SetCaption(const std::string& s);
    // Auto-size keeps at least the caption and the margins.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    TSize MinimumAutoSize();

    // The colour the background is painted in.
    TColor BackgroundColor() const;
    // The client area less the solid border lines.
    TRect BackgroundRect() const;

    TRect AlignRect() const override;
    void Paint(TCanvas& canvas) override;

protected:
    void moveEvent(QMoveEvent* e) override;

private:
    void AdjustSize();

    bool adaptive_ = true;
    TCfPanelBackgroundStyle style_ = pbSolid;
    TPen pen_;
    TColorScheme scheme_ = csDefault;
    TCfMargins margins_;
    TPanelBorders borders_ = AllPanelBorders;
    bool autoSize_ = false;
};

} // namespace cf
