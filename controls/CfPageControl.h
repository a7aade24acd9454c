#pragma once

// The tabbed page control of the dialogs: a notebook with a self-drawn tab
// strip in five styles, scrolling of tabs that do not fit, a tab list, a
// close button for the active page and a painted strip background.
//
// Geometry (W = client width): the strip runs from Indent to StripRight(),
// which leaves room at the right for the 16-pixel buttons (close, tab list,
// scroll left, scroll right). Tabs overlap their neighbours by a style's
// overlap and are laid from Indent - the scroll offset. The scroll offset
// is kept between 0 and its largest value at all times, also across
// resizes, so no gap ever opens before the first tab.

#include "controls/CfNotebook.h"
#include "controls/AcceleratorTarget.h"
#include "platform/ImageList.h"
#include "platform/Menus.h"
#include "platform/Timer.h"

#include <QPointer>

#include <memory>
#include <vector>

namespace cf {

enum class TBackgroundKind { bkSolid, bkHorzGradient, bkTransparent, bkVertGradient, bkInveseVertGradient };
using enum TBackgroundKind;
enum class TTabPosition { tpTop, tpBottom };
using enum TTabPosition;
enum class TTabStyle { tsClassic, tsFlat, tsOneNote, tsWhidbey, tsDexter };
using enum TTabStyle;
enum class TScrollMethod { smTab, smPixels, smSelect };
using enum TScrollMethod;

enum TPageOption : unsigned {
    pgAlwaysShowTabsRect = 1,
    pgBoldActiveTab = 2,
    pgCloseButton = 4,
    pgConstantScroll = 8,
    pgCustomTabsPopup = 16,
    pgPageBorder = 32,
    pgScrollButtons = 64,
    pgTabsPopup = 128,
    pgTopBorder = 256,
};
using TPageOptions = unsigned;
constexpr TPageOptions DefaultPageOptions = pgBoldActiveTab | pgCloseButton | pgScrollButtons | pgTopBorder;

// The four buttons beside the strip; 0 is none.
enum TPageButton : int { pbNone = 0, pbClose = 1, pbTabList = 2, pbScrollLeft = 3, pbScrollRight = 4 };

// Where a visible tab lies: Left is in client coordinates, scroll offset included.
struct TTabPlace {
    TCfTabSheet* Page = nullptr;
    int Left = 0;
    int Width = 0;
    int Right() const { return Left + Width; }
};

class TCfPageControl : public TCfCustomNotebook, public TAcceleratorTarget {
public:
    explicit TCfPageControl(QWidget* parent = nullptr);
    ~TCfPageControl() override;
    std::string ClassName() const override { return "TCfPageControl"; }

    // Properties
    bool AdaptiveColors() const { return adaptiveColors_; }
    void SetAdaptiveColors(bool on) { adaptiveColors_ = on; Invalidate(); }
    TColor BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(TColor c) { backgroundColor_ = c; Invalidate(); }
    TBackgroundKind BackgroundKind() const { return backgroundKind_; }
    void SetBackgroundKind(TBackgroundKind k) { backgroundKind_ = k; Invalidate(); }
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);
    int Indent() const { return indent_; }
    void SetIndent(int v);
    int Margin() const { return margin_; }
    void SetMargin(int v);
    TPageOptions Options() const { return options_; }
    void SetOptions(TPageOptions o);
    bool PartialTabs() const { return partialTabs_; }
    void SetPartialTabs(bool on) { partialTabs_ = on; Invalidate(); }
    TScrollMethod ScrollMethod() const { return scrollMethod_; }
    void SetScrollMethod(TScrollMethod m);
    bool ShowTabs() const { return showTabs_; }
    void SetShowTabs(bool on);
    int Spacing() const { return spacing_; }
    void SetSpacing(int v) { spacing_ = v; Invalidate(); }
    TAlignment TabAlignment() const { return tabAlignment_; }
    void SetTabAlignment(TAlignment a) { tabAlignment_ = a; Invalidate(); }
    int TabHeight() const { return tabHeight_; }
    void SetTabHeight(int v);
    int TabMargin() const { return tabMargin_; }
    void SetTabMargin(int v);
    int TabMaxWidth() const { return tabMaxWidth_; }
    void SetTabMaxWidth(int v);
    TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition p);
    TTabStyle TabStyle() const { return tabStyle_; }
    void SetTabStyle(TTabStyle s);
    int TopIndent() const { return topIndent_; }
    void SetTopIndent(int v);
    // Sets the control's font and the tab font of every sheet that follows it.
    void SetFont(const TFont& f);

    std::function<void(TCfPageControl*, int x, int y)> OnCustomTabsPopup;

    // Geometry
    int StripRight() const;
    TRect TabsRect() const;
    TRect ButtonRect(TPageButton button) const;
    // Button under a client point (the tab-list button wins over the others).
    TPageButton ButtonAt(int x, int y) const;
    int TabOverlap() const;
    int TabWidthOf(TCfTabSheet* page) const;
    // Visible tabs (page and tab visible) in order, with their positions.
    std::vector<TTabPlace> TabPlaces() const;
    int TotalTabWidth() const;
    int MaxScrollOffset() const;
    int ScrollOffset() const { return scrollOffset_; }
    // Page index of the tab under a client point; -1 when none.
    int TabAt(int x, int y) const;
    int PageAreaHeight() const override;
    TRect PageClientRect() const override;

    // One step of scrolling; direction -1 left, +1 right.
    void ScrollTabs(int direction);
    // Whether a scroll button stands at its limit (its arrow drawn hollow).
    bool ScrollAtLimit(int direction) const;
    TPageButton HotButton() const { return hotButton_; }
    TPageButton PressedButton() const { return pressedButton_; }
    // The tab list as last built (items carry their page's index in Tag).
    TPopupMenu& TabsMenu() { return *tabsMenu_; }
    // Rebuilds the tab list and shows it (or calls OnCustomTabsPopup).
    void ShowTabList();
    bool DialogChar(char32_t ch) override;

    // Painting (CfPageControlPaint.cpp)
    void Paint(TCanvas& canvas) override;
    virtual void DrawTabPolygon(TCanvas& canvas, std::vector<TPoint> points, const TRect& tabRect);
    virtual void DrawTabPolyline(TCanvas& canvas, std::vector<TPoint> points, const TRect& tabRect);
    virtual void DrawTab(TCanvas& canvas, const TRect& rect, TCfTabSheet* page, bool active, bool isFirst);
    virtual void DrawTabsBackground(TCanvas& canvas);
    void ClipToPolygon(TCanvas& canvas, std::vector<TPoint> points, const TRect& tabRect);
    // The tsFlat and tsWhidbey outline colour.
    static TColor OutlineColor();

    // Events
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void Resize() override;

protected:
    void showEvent(QShowEvent* e) override;
    void TabsChanged() override;
    void ScrollTabIntoView(TCfTabSheet* page) override;
    void RepaintTab(TCfTabSheet* page) override;

private:
    void SetScrollOffset(int offset);
    void ClampScrollOffset();
    void SetHotButton(TPageButton b);
    void ClosePressed();
    void DrawTabContent(TCanvas& canvas, const TRect& rect, TCfTabSheet* page, bool active);
    void DrawTabShape(TCanvas& canvas, const TRect& rect, TCfTabSheet* page, bool active, bool isFirst);
    void DrawJoinLine(TCanvas& canvas, const TTabPlace* active);
    void DrawPageBorder(TCanvas& canvas);
    void DrawButton(TCanvas& canvas, TPageButton button);
    bool TabPainted(const TTabPlace& place) const;

    bool adaptiveColors_ = true;
    TColor backgroundColor_ = 0xC0C0C0;
    TBackgroundKind backgroundKind_ = bkSolid;
    QPointer<TCustomImageList> images_;
    int indent_ = 2;
    int margin_ = 0;
    TPageOptions options_ = DefaultPageOptions;
    bool partialTabs_ = false;
    TScrollMethod scrollMethod_ = smPixels;
    bool showTabs_ = true;
    int spacing_ = 0;
    TAlignment tabAlignment_ = taCenter;
    int tabHeight_ = 17;
    int tabMargin_ = 0;
    int tabMaxWidth_ = 0;
    TTabPosition tabPosition_ = tpTop;
    TTabStyle tabStyle_ = tsWhidbey;
    int topIndent_ = 3;

    TBitmap closePicture_;
    TPageButton pressedButton_ = pbNone;
    TPageButton hotButton_ = pbNone;
    int scrollOffset_ = 0;
    int lastClientHeight_ = 0;
    int lastClientWidth_ = 0;
    TTimer scrollTimer_;
    std::unique_ptr<TPopupMenu> tabsMenu_;
};

} // namespace cf
