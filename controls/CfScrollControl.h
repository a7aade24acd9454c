#pragma once

// The scrolling foundation of the control set: a scroll-bar model that keeps
// range, page and position and tells its owner how far to scroll; the base
// control that moves its pixels through a few virtual hooks; a control with
// the window's own two bars, scroll messages and middle-button roll; and a
// bordered control with a self-drawn vertical bar and auto-repeat.

#include "controls/CfFlyoutControl.h"
#include "platform/Controls.h"
#include "platform/Timer.h"

#include <functional>
#include <memory>
#include <optional>

class QScrollBar;

namespace cf {

class TCfCustomScrollControl;

// Scroll codes of the window's scroll messages.
constexpr int SB_LINEUP = 0, SB_LINEDOWN = 1, SB_PAGEUP = 2, SB_PAGEDOWN = 3, SB_THUMBPOSITION = 4,
              SB_THUMBTRACK = 5, SB_TOP = 6, SB_BOTTOM = 7, SB_ENDSCROLL = 8;

// Cursor numbers of the roll cursors in the screen's cursor table.
constexpr int crRoll = 4003, crRollUp = 4004, crRollDown = 4005;

class TCfCustomScrollBar {
public:
    TCfCustomScrollBar(TCfCustomScrollControl* owner, TCanvas* canvas);
    virtual ~TCfCustomScrollBar() = default;
    TCfCustomScrollBar(const TCfCustomScrollBar&) = delete;
    TCfCustomScrollBar& operator=(const TCfCustomScrollBar&) = delete;

    // Another bar is accepted and nothing is copied.
    void Assign(const TCfCustomScrollBar& source);

    bool AutoHide() const { return autoHide_; }
    void SetAutoHide(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    int Kind() const { return kind_; }
    void SetKind(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Min() const { return min_; }
    void SetMin(int value) { min_ = value; }
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value);
    int Position() const { return position_; }
    void SetPosition(int value);
    int PreviousPosition() const { return previous_; }
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool value);
    TCfCustomScrollControl* Owner() const { return owner_; }
    TCanvas* Canvas() const { return canvas_; }
    // -1 until Kind is set, then 0 horizontal and 1 vertical window bar.
    int WindowBar() const { return windowBar_; }
    bool Updating() const { return updateCount_ > 0; }

    int LargeChange = 1;
    int SmallChange = 1;

    void First() { SetPosition(0); }
    void Last() { SetPosition(max_ - pageSize_ + 1); }
    void MoveBy(int delta) { SetPosition(position_ + delta); }
    void Next();
    void Prior();
    virtual void PageDown();
    virtual void PageUp();
    bool AtStart() const { return position_ == 0; }
    bool AtEnd() const { return position_ + pageSize_ >= max_; }
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate() { --updateCount_; }
    virtual void Update() {}

protected:
    bool autoHide_ = true;
    bool updating_ = false;  // re-entry guard of Update
    int windowBar_ = -1;
    TCanvas* canvas_;
    bool enabled_ = true;
    int kind_ = 0;
    int max_ = 0;
    int min_ = 0;
    int previous_ = 0;
    TCfCustomScrollControl* owner_;
    int pageSize_ = 1;
    int position_ = 0;
    int updateCount_ = 0;
    bool visible_ = false;
};

// Bound to the owner window's own horizontal or vertical scroll bar.
class TCfScrollBar : public TCfCustomScrollBar {
public:
    using TCfCustomScrollBar::TCfCustomScrollBar;
    void SetVisible(bool value) override;
    void Update() override;
};

// Draws itself on the owner's canvas: arrow buttons, track and thumb.
class TCfVertScrollBar : public TCfCustomScrollBar {
public:
    enum : uint8_t { stHot = 1, stPressed = 2 };
    TCfVertScrollBar(TCfCustomScrollControl* owner, TCanvas* canvas);

    void PageDown() override { SetPosition(position_ + LargeChange); }
    void PageUp() override { SetPosition(position_ - LargeChange); }
    void Update() override;

    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void Paint(TCanvas& canvas);
    virtual void DrawTrack(TCanvas& canvas, const TRect& r);
    virtual void DrawArrow(TCanvas& canvas, const TRect& r, int which);
    virtual void DrawThumb(TCanvas& canvas);
    virtual int ButtonSize() const;
    virtual TRect GetBounds() const;
    virtual TRect GetClientBounds() const;
    virtual void SetBounds(int left, int top, int width, int height);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Geometry in the owner's client coordinates.
    TRect BackButtonRect() const;
    TRect ForwardButtonRect() const;
    int TrackLength() const;
    TRect ThumbRect() const;  // empty while there is nothing to scroll
    TRect PageUpRect() const;
    TRect PageDownRect() const;
    // Position for a thumb dragged to y; nullopt when the track leaves no
    // room to drag in.
    std::optional<int> DragPosition(int y) const;

    uint8_t BackState = 0;
    uint8_t ThumbState = 0;
    uint8_t ForwardState = 0;
    void SetPartState(uint8_t& part, uint8_t value);
    void ClearHot();

private:
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

class TCfCustomScrollControl : public TWinControl {
public:
    explicit TCfCustomScrollControl(QWidget* owner = nullptr);

    // Pixel distance to scroll for a position change; 0 in the base.
    virtual int GetHorzScrollDelta(int oldPosition, int newPosition);
    virtual int GetVertScrollDelta(int oldPosition, int newPosition);
    virtual void AfterScroll(int kind);
    virtual void BeforeScroll(int kind);
    virtual void ScrollContent(TCfCustomScrollBar* scrollBar, int deltaX, int deltaY);

    // Client rectangles moved by horizontal and vertical scrolling.
    TRect HorzScrollArea;
    TRect VertScrollArea;

    // Posts Tab (or Shift+Tab) to the parent so that focus leaves this control.
    void TabToNextControl();
    void TabToPriorControl();

    // The window's own scroll bar of the given kind, or none.
    virtual QScrollBar* WindowScrollBar(int kind) const;
    // The 32-bit track position of the window bar of the bar's kind.
    int GetTrackPosition(const TCfCustomScrollBar* scrollBar) const;
    // Sends the window a scroll message (horizontal for kind 0).
    virtual void ScrollMessage(int kind, int code);

    // Repaints only r of the back buffer (client coordinates).
    void InvalidateRect(const TRect& r);
    // Moves the pixels inside clip by (dx, dy) and repaints what is uncovered.
    void ScrollPixels(int dx, int dy, const TRect& clip);
};

using TScrollEvent = std::function<void(QObject* sender, int position)>;

class TCfScrollControl : public TCfCustomScrollControl {
public:
    explicit TCfScrollControl(QWidget* owner = nullptr);
    ~TCfScrollControl() override;

    TCfScrollBar* HorzScrollBar() const { return horz_.get(); }
    TCfScrollBar* VertScrollBar() const { return vert_.get(); }
    bool MouseWheelEnabled = true;
    TScrollEvent OnHorizontalScroll;
    TScrollEvent OnVerticalScroll;

    QScrollBar* WindowScrollBar(int kind) const override;
    void ScrollMessage(int kind, int code) override;
    // Shows or hides a window bar and makes room for it in the frame.
    void ShowWindowBar(int kind, bool show);

    bool MouseWheel(TShiftState shift, int delta, TPoint mousePos) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Resize() override;
    void EnabledChanged() override;
    void PaintNonClient(TCanvas& canvas) override;

    bool RollAllowed = true;
    bool Rolling() const { return rolling_; }
    unsigned RollDirection() const { return rollDirection_; }  // bit 0 up, bit 1 down
    TPoint RollAnchor() const { return rollAnchor_; }
    TRollShadow* RollShadow() const { return rollShadow_; }
    TTimer& RollTimer() { return rollTimer_; }
    void RollStep();

protected:
    void UpdateInsets() override;

private:
    void LayoutWindowBars();
    void OnWindowBarAction(int kind, int action);
    std::unique_ptr<TCfScrollBar> horz_;
    std::unique_ptr<TCfScrollBar> vert_;
    QScrollBar* windowBars_[2] = {nullptr, nullptr};
    bool barShown_[2] = {false, false};
    unsigned rollDirection_ = 0;
    TPoint rollAnchor_;
    TRollShadow* rollShadow_;
    TTimer rollTimer_;
    bool rolling_ = false;
};

// A bordered control with a self-drawn vertical bar and auto-repeat.
class TCfControl : public TCfCustomScrollControl {
public:
    enum TRepeatAction : uint8_t { raNone, raLineUp, raLineDown, raPageUp, raPageDown };
    explicit TCfControl(QWidget* owner = nullptr);

    TCfVertScrollBar* ScrollBar() const { return bar_.get(); }
    TRect ContentRect() const;
    virtual void DrawBorder(TCanvas& canvas);
    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseLeave() override;

    TTimer& DelayTimer() { return delay_; }
    TTimer& RepeatTimer() { return repeat_; }
    uint8_t RepeatAction() const { return action_; }

protected:
    void DoAction();
    TTimer delay_;
    std::unique_ptr<TCfVertScrollBar> bar_;
    TTimer repeat_;
    uint8_t action_ = raNone;
};

// Gives the keyboard focus to control when it sits on a form.
void FocusControl(TControl* control);

} // namespace cf
