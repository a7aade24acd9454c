#pragma once

// A container under a caption header that can collapse to a narrow strip
// and expand back, with five header looks and an optional collapse button.

#include "controls/CfClasses.h"
#include "controls/CfMargins.h"
#include "controls/CfThemesSupport.h"
#include "platform/Bitmap.h"
#include "platform/Controls.h"

#include <functional>

namespace cf {

enum class TDisplayStyle { dsNormal, dsHeaderOnly, dsPanelOnly };
using enum TDisplayStyle;
enum class TCfHeaderStyle { psFlat, psNormal, psSectionHeader, psVista, psWindowsLive };
using enum TCfHeaderStyle;
enum THeaderOption : unsigned { hoClickOnBodyExpand = 1, hoColorSchemeFont = 2, hoCollapseButton = 4 };
using THeaderOptions = unsigned;
// Plain, gradient from the window colour to the button face, or the reverse.
enum class TCfPanelStyle { psPlain, psGradientWindowToFace, psGradientFaceToWindow };

class TCfHeaderPanel : public TWinControl {
public:
    explicit TCfHeaderPanel(QWidget* parent = nullptr);
    ~TCfHeaderPanel() override;

    static constexpr int MinCollapsedWidth = 33;
    // The width an expanding panel takes when it never had a usable one.
    static constexpr int DefaultWidth = 245;

    bool AdaptiveColors() const { return adaptive_; }
    void SetAdaptiveColors(bool on);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor c);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int w);
    TColorScheme ColorScheme() const { return scheme_; }
    void SetColorScheme(TColorScheme s);
    int CollapseWidth() const { return collapseWidth_; }
    void SetCollapseWidth(int w);
    TDisplayStyle DisplayStyle() const { return displayStyle_; }
    void SetDisplayStyle(TDisplayStyle s);
    TDirection DrawDirection() const { return direction_; }
    void SetDrawDirection(TDirection d);
    bool Expanded() const { return expanded_; }
    void SetExpanded(bool on);
    TBitmap& Glyph() { return glyph_; }
    void SetGlyph(const TBitmap& b);
    TColor HeaderColor() const { return headerColor_; }
    void SetHeaderColor(TColor c);
    // Follows Font while ParentHeaderFont is on.
    const TFont& HeaderFont() const { return parentHeaderFont_ ? Font : headerFont_; }
    void SetHeaderFont(const TFont& f);
    bool ParentHeaderFont() const { return parentHeaderFont_; }
    void SetParentHeaderFont(bool on);
    int HeaderSize() const { return headerSize_; }
    void SetHeaderSize(int s);
    TCfHeaderStyle HeaderStyle() const { return headerStyle_; }
    void SetHeaderStyle(TCfHeaderStyle s);
    int Indent() const { return indent_; }
    void SetIndent(int i);
    TCfMargins& InnerMargins() { return margins_; }
    THeaderOptions Options() const { return options_; }
    void SetOptions(THeaderOptions o);
    TCfPanelStyle PanelStyle() const { return panelStyle_; }
    void SetPanelStyle(TCfPanelStyle s);
    TBitmap& Picture() { return picture_; }
    void SetPicture(const TBitmap& b);
    void SetColor(TColor c);
    bool SetTextProperty(const std::string& name, const std::string& value) override;
    void SetCaption(const std::string& s);

    // The width expanding returns to (stored with the form as "FullWidth").
    int FullWidth() const { return fullWidth_; }
    void SetFullWidth(int w);
    // While loading, resizes neither collapse nor expand the panel.
    void BeginLoading() { loading_ = true; }
    void EndLoading() { loading_ = false; }

    std::function<void(TCfHeaderPanel*)> OnChange;
    std::function<void(TCfHeaderPanel*)> OnHeaderClick;
    std::function<void(TCfHeaderPanel*)> OnGlyphClick;

    TRect HeaderRect() const;
    // The collapse button's rectangle (empty without hoCollapseButton).
    TRect CollapseButtonRect() const;
    bool ButtonHot() const { return buttonHot_; }
    bool ButtonPressed() const { return buttonPressed_; }

    TRect AlignRect() const override;
    void Paint(TCanvas& canvas) override;
    void PaintNonClient(TCanvas& canvas) override;
    void Resize() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void PaintHeader(TCanvas& canvas, const TRect& r);
    void PaintCollapseButton(TCanvas& canvas, const TRect& r);
    void PaintBodyStyle(TCanvas& canvas, const TRect& r);
    TRect GlyphRect() const;
    void SetWidthInternal(int w);
    void Changed();

    bool adaptive_ = true;
    TColor borderColor_ = clBlack;
    int borderWidth_ = 1;
    TColorScheme scheme_ = csDefault;
    int collapseWidth_ = 33;
    TDisplayStyle displayStyle_ = dsNormal;
    TDirection direction_ = diLeftToRight;
    bool expanded_ = true;
    TBitmap glyph_;
    TColor headerColor_ = clActiveCaption;
    TFont headerFont_;
    bool parentHeaderFont_ = true;
    int headerSize_ = 27;
    TCfHeaderStyle headerStyle_ = psNormal;
    int indent_ = 9;
    TCfMargins margins_;
    THeaderOptions options_ = hoColorSchemeFont;
    TCfPanelStyle panelStyle_ = TCfPanelStyle::psPlain;
    TBitmap picture_;

    int fullWidth_ = DefaultWidth;
    bool loading_ = false;
    bool changing_ = false;
    bool headerArmed_ = false;
    bool buttonHot_ = false;
    bool buttonPressed_ = false;
};

// The collapse button's arrows (lime is their transparent colour).
TBitmap HeaderArrowBitmap(const std::string& name);

} // namespace cf
