#pragma once

// A notification window that slides out of the task bar: it grows from
// height 0 to its full height in 5-pixel steps, stays while the mouse rests
// on it or until its close delay runs out, then shrinks away. Alerts open at
// the same time stand one above the other (a process-wide stack of places).
//
// The text may be mini-HTML from an untrusted source: it is only drawn, and
// a click on a link only reports the link's href through OnLinkClick;
// nothing is opened or run by the text itself.

#include "controls/CfClasses.h"
#include "controls/CfGlyphSettings.h"
#include "controls/CfMargins.h"
#include "platform/Controls.h"
#include "platform/Timer.h"

#include <functional>
#include <string>
#include <vector>

namespace cf {

enum TAlertOption : unsigned { aoCloseButton = 1, aoHtmlText = 2, aoOptionsLink = 4 };
using TAlertOptions = unsigned;
enum class TPopupLocation { plLeft, plRight };
using enum TPopupLocation;
enum class TPopupSound { msNone, msIconExclamation, msIconHand, msOk, msIconQuestion, msIconAsterisk };
using enum TPopupSound;
enum class TAlertBackgroundStyle { btAuto, btSolid, btCustom };
using enum TAlertBackgroundStyle;
enum class TGlyphPosition { gpLeft, gpTop };
using enum TGlyphPosition;

class TCfAlertWindow;
using TAlertNotifyEvent = std::function<void(TCfAlertWindow* Sender)>;
using TAlertLinkEvent = std::function<void(TCfAlertWindow* Sender, const std::string& Href)>;
using TAlertCustomDrawEvent = std::function<void(TCfAlertWindow* Sender, TCanvas& Canvas, const TRect& DrawRect)>;

class TCfAlertWindow : public TWinControl {
public:
    enum class TAnimation { Idle, Growing, Shrinking };

    explicit TCfAlertWindow(QWidget* owner = nullptr);
    ~TCfAlertWindow() override;

    std::string Text;
    TAlertOptions Options = aoCloseButton | aoOptionsLink;
    std::string OptionsText = "Options";
    TPopupLocation PopupLocation = plRight;
    TPopupSound PopupSound = msNone;
    int HeaderSize = 22;
    TFont HeaderFont;
    TAlertBackgroundStyle BackgroundStyle = btAuto;
    bool AdaptiveColors = true;
    TColor ForegroundColor = 0xF0CAA6;
    TAlignment Alignment = taLeftJustify;
    TVerticalAlignment VerticalAlignment = taVerticalCenter;
    bool WordWrap = false;
    TGlyphPosition GlyphPosition = gpLeft;
    TCfActiveGlyphSettings CloseGlyph;
    TCfGlyphSettings LargeGlyph, SmallGlyph;
    TCfMargins TextMargins;

    int CloseDelay() const { return closeDelay_; }
    // Also the close timer's interval.
    void SetCloseDelay(int ms);

    // Shows the alert: a non-empty Text replaces the text, a non-zero Delay
    // decides whether it closes by itself (-1: never) without changing the
    // close timer's interval.
    void Popup(const std::string& text = std::string(), int delay = 0);
    // Ends the alert at once (as its close button does).
    void CloseAlert();

    TAnimation Animation() const { return state_; }
    bool ShownFully() const { return shownFully_; }
    int FullHeight() const { return fullHeight_; }
    int StackOffset() const { return offset_; }
    // The foreground colour in use (the scheme's when AdaptiveColors).
    TColor EffectiveForeground() const;

    TAlertNotifyEvent OnClose, OnCloseClick, OnOptionsClick, OnPopup;
    TAlertLinkEvent OnLinkClick;
    TAlertCustomDrawEvent OnCustomDrawHeader, OnCustomDrawMessage;

    // Rectangles in client coordinates, from the full layout height.
    TRect CloseRect() const;
    TRect OptionsRect();

    void Paint(TCanvas& canvas) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

    // The places taken by open alerts (offset + full height of each).
    static const std::vector<int>& Stack();

private:
    void AnimationTick();
    void CloseTick();
    void Place(int height);
    int PlaceY(int height, bool final) const;
    void PlaySound();
    std::string LinkAt(int x, int y);
    TRect TextRect() const;

    int closeDelay_ = 5000;
    TAnimation state_ = TAnimation::Idle;
    int fullHeight_ = 0;
    int paintHeight_ = 0;
    int offset_ = 0;
    bool registered_ = false;
    bool shownFully_ = false;
    bool hover_ = false;
    TTimer closeTimer_;
    TTimer animationTimer_;
};

} // namespace cf
