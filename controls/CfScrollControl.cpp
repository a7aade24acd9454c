#include "controls/CfScrollControl.h"

#include "platform/Cursors.h"
#include "platform/FrameControls.h"
#include "platform/QtConvert.h"
#include "platform/Region.h"
#include "platform/Screen.h"
#include "platform/ScreenArea.h"
#include "platform/Themes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

#include <cstdlib>

namespace cf {

// ---------------------------------------------------------------- scroll-bar model

TCfCustomScrollBar::TCfCustomScrollBar(TCfCustomScrollControl* owner, TCanvas* canvas)
    : canvas_(canvas), owner_(owner)
{
}

void TCfCustomScrollBar::Assign(const TCfCustomScrollBar&) {}

void TCfCustomScrollBar::SetAutoHide(bool value)
{
    autoHide_ = value;
    SetVisible(max_ != 0 || !autoHide_);
    Update();
}

void TCfCustomScrollBar::SetEnabled(bool value)
{
    enabled_ = value;
    Update();
}

void TCfCustomScrollBar::SetKind(int value)
{
    kind_ = value;
    windowBar_ = value == 0 ? 0 : 1;
}

void TCfCustomScrollBar::SetMax(int value)
{
    if (value == max_)
        return;
    max_ = std::max(0, value);
    SetVisible(!(pageSize_ >= max_ && autoHide_));
    Update();
    if (max_ < position_)
        SetPosition(max_);
}

void TCfCustomScrollBar::SetPageSize(int value)
{
    if (value == pageSize_)
        return;
    pageSize_ = std::max(1, value);
    Update();
}

void TCfCustomScrollBar::SetPosition(int value)
{
    previous_ = position_;
    int v = value;
    if (v > max_)
        v = max_;
    if (v < min_)
        v = min_;
    if (v < 0)
        v = 0;
    position_ = v;
    Update();
    if (updateCount_ > 0 || !owner_)
        return;
    if (kind_ == 0)
        owner_->ScrollContent(this, owner_->GetHorzScrollDelta(previous_, position_), 0);
    else
        owner_->ScrollContent(this, 0, owner_->GetVertScrollDelta(previous_, position_));
}

void TCfCustomScrollBar::Next()
{
    if (max_ >= 1 && owner_)
        owner_->ScrollMessage(kind_, SB_LINEDOWN);
}

void TCfCustomScrollBar::Prior()
{
    if (max_ >= 1 && position_ > 0 && owner_)
        owner_->ScrollMessage(kind_, SB_LINEUP);
}

void TCfCustomScrollBar::PageDown()
{
    if (max_ >= 1 && owner_)
        owner_->ScrollMessage(kind_, SB_PAGEDOWN);
}

void TCfCustomScrollBar::PageUp()
{
    if (max_ >= 1 && owner_)
        owner_->ScrollMessage(kind_, SB_PAGEUP);
}

void TCfCustomScrollBar::SetVisible(bool value)
{
    visible_ = value;
}

// ---------------------------------------------------------------- window bar

void TCfScrollBar::SetVisible(bool value)
{
    TCfCustomScrollBar::SetVisible(value);
    if (auto* s = dynamic_cast<TCfScrollControl*>(owner_))
        s->ShowWindowBar(kind_, visible_ && !(autoHide_ && pageSize_ >= max_));
}

void TCfScrollBar::Update()
{
    if (updating_ || !owner_)
        return;
    QScrollBar* bar = owner_->WindowScrollBar(kind_);
    if (!bar)
        return;  // made good when the bars exist
    updating_ = true;
    {
        QSignalBlocker block(bar);
        bar->setRange(min_, std::max(min_, max_ - pageSize_ + 1));
        bar->setPageStep(pageSize_);
        bar->setSingleStep(std::max(1, SmallChange));
        bar->setSliderPosition(position_);
        bar->setValue(position_);
        // Without AutoHide the bar stays and is disabled when there is nothing to scroll.
        bool scrollable = max_ > 0 && pageSize_ <= max_ - min_;
        bar->setEnabled(scrollable && enabled_ && owner_->isEnabled());
    }
    if (auto* s = dynamic_cast<TCfScrollControl*>(owner_))
        s->ShowWindowBar(kind_, visible_ && !(autoHide_ && pageSize_ >= max_));
    bar->update();
    updating_ = false;
}

// ---------------------------------------------------------------- self-drawn bar

TCfVertScrollBar::TCfVertScrollBar(TCfCustomScrollControl* owner, TCanvas* canvas)
    : TCfCustomScrollBar(owner, canvas)
{
    pageSize_ = 8;
}

void TCfVertScrollBar::Update()
{
    if (owner_)
        owner_->InvalidateRect(GetBounds());
}

int TCfVertScrollBar::ButtonSize() const
{
    return VScrollArrowWidth();
}

TRect TCfVertScrollBar::GetBounds() const
{
    return Bounds(left_, top_, width_, height_);
}

TRect TCfVertScrollBar::GetClientBounds() const
{
    return TRect(0, 0, width_, height_);
}

void TCfVertScrollBar::SetBounds(int left, int top, int width, int height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

TRect TCfVertScrollBar::BackButtonRect() const
{
    return TRect(left_, top_, left_ + width_, top_ + ButtonSize());
}

TRect TCfVertScrollBar::ForwardButtonRect() const
{
    return TRect(left_, top_ + height_ - ButtonSize(), left_ + width_, top_ + height_);
}

int TCfVertScrollBar::TrackLength() const
{
    return height_ - 2 * ButtonSize();
}

TRect TCfVertScrollBar::ThumbRect() const
{
    int track = TrackLength();
    if (max_ <= 0 || track <= 0)
        return {};
    // The thumb never grows past the track nor slides over the arrows, however
    // short the bar is.
    int b = ButtonSize();
    int h = std::min(pageSize_, track);
    int top = top_ + RoundHalfEven(double(position_) * (track - pageSize_) / max_) + b + 2;
    top = std::clamp(top, top_ + b, top_ + b + track - h);
    return TRect(left_, top, left_ + width_, top + h);
}

TRect TCfVertScrollBar::PageUpRect() const
{
    TRect t = ThumbRect();
    if (t.IsEmpty())
        return {};
    return TRect(left_, top_ + ButtonSize(), left_ + width_, t.Top);
}

TRect TCfVertScrollBar::PageDownRect() const
{
    TRect t = ThumbRect();
    if (t.IsEmpty())
        return {};
    return TRect(left_, t.Bottom, left_ + width_, top_ + height_ - ButtonSize());
}

std::optional<int> TCfVertScrollBar::DragPosition(int y) const
{
    int track = TrackLength();
    if (track <= 0 || max_ <= 0)
        return std::nullopt;
    return RoundHalfEven((y - top_ - ButtonSize() - 2) / (double(track) / max_));
}

void TCfVertScrollBar::SetPartState(uint8_t& part, uint8_t value)
{
    if (part == value)
        return;
    part = value;
    if (!owner_)
        return;
    if (&part == &BackState)
        owner_->InvalidateRect(BackButtonRect());
    else if (&part == &ForwardState)
        owner_->InvalidateRect(ForwardButtonRect());
    else
        owner_->InvalidateRect(UnionRect(ThumbRect(), TRect(left_, top_ + ButtonSize(), left_ + width_,
                                                             top_ + height_ - ButtonSize())));
}

void TCfVertScrollBar::ClearHot()
{
    SetPartState(BackState, BackState & ~stHot);
    SetPartState(ThumbState, ThumbState & ~stHot);
    SetPartState(ForwardState, ForwardState & ~stHot);
}

void TCfVertScrollBar::MouseMove(TShiftState, int x, int y)
{
    TPoint p(x, y);
    auto hot = [&](uint8_t& part, const TRect& r) {
        SetPartState(part, PtInRect(r, p) ? (part | stHot) : (part & ~stHot));
    };
    hot(BackState, BackButtonRect());
    hot(ThumbState, ThumbRect());
    hot(ForwardState, ForwardButtonRect());
    if (ThumbState & stPressed) {
        if (auto pos = DragPosition(y))
            SetPosition(*pos);
    }
}

namespace {

// The chequered pattern of classic scroll-bar tracks, written straight
// into the surface inside the clip.
void DrawClassicTrack(TCanvas& canvas, const TRect& r)
{
    uint32_t a = ToPixel(clBtnHighlight), b = ToPixel(clScrollBar);
    QImage& image = canvas.Image();
    TRegion clip = canvas.ClipRegion().Intersected(TRegion::FromRect(r));
    TPoint o = canvas.ToDevice(TPoint(0, 0));
    for (const TRect& part : clip.Rects()) {
        TRect d = IntersectRect(OffsetRect(part, o.X, o.Y), TRect(0, 0, image.width(), image.height()));
        for (int y = d.Top; y < d.Bottom; ++y) {
            auto* line = reinterpret_cast<uint32_t*>(image.scanLine(y));
            for (int x = d.Left; x < d.Right; ++x)
                line[x] = (((x - o.X) + (y - o.Y)) & 1) ? b : a;
        }
    }
}

} // namespace

void TCfVertScrollBar::DrawTrack(TCanvas& canvas, const TRect& r)
{
    if (r.IsEmpty())
        return;
    if (ThemeServices().Active() && ThemeServices().DrawPart(canvas, r, "scrollbar", 6 /*lower vert track*/, 1))
        return;
    DrawClassicTrack(canvas, r);
}

void TCfVertScrollBar::DrawArrow(TCanvas& canvas, const TRect& r, int which)
{
    uint8_t st = which == 0 ? BackState : ForwardState;
    bool pressed = st & stPressed, hot = st & stHot;
    bool disabled = !enabled_ || (owner_ && !owner_->isEnabled());
    if (ThemeServices().Active()) {
        int state = (which == 0 ? 1 : 5) + (disabled ? 3 : pressed ? 2 : hot ? 1 : 0);
        if (ThemeServices().DrawPart(canvas, r, "scrollbar", 1, state))
            return;
    }
    DrawArrowFrame(canvas, r, which == 0 ? TFrameArrow::faUp : TFrameArrow::faDown, pressed, pressed, disabled);
}

void TCfVertScrollBar::DrawThumb(TCanvas& canvas)
{
    TRect t = ThumbRect();
    if (t.IsEmpty())
        return;
    if (ThemeServices().Active()) {
        int state = (ThumbState & stPressed) ? 3 : (ThumbState & stHot) ? 2 : 1;
        if (ThemeServices().DrawPart(canvas, t, "scrollbar", 3, state)) {
            if (t.Height() > 16)
                ThemeServices().DrawPart(canvas, t, "scrollbar", 9, 0);
            return;
        }
    }
    DrawRaisedEdge(canvas, t, clBtnFace);
}

void TCfVertScrollBar::Paint(TCanvas& canvas)
{
    TRect back = BackButtonRect(), fwd = ForwardButtonRect();
    TRect track(left_, back.Bottom, left_ + width_, fwd.Top);
    TRect thumb = ThumbRect();
    if (max_ < 1 || thumb.IsEmpty()) {
        DrawTrack(canvas, track);
    } else {
        DrawTrack(canvas, TRect(track.Left, track.Top, track.Right, thumb.Top));
        DrawThumb(canvas);
        DrawTrack(canvas, TRect(track.Left, thumb.Bottom, track.Right, track.Bottom));
    }
    DrawArrow(canvas, back, 0);
    DrawArrow(canvas, fwd, 1);
}

// ---------------------------------------------------------------- scroll control base

TCfCustomScrollControl::TCfCustomScrollControl(QWidget* owner) : TWinControl(owner) {}

int TCfCustomScrollControl::GetHorzScrollDelta(int, int)
{
    return 0;
}

int TCfCustomScrollControl::GetVertScrollDelta(int, int)
{
    return 0;
}

void TCfCustomScrollControl::AfterScroll(int) {}

void TCfCustomScrollControl::BeforeScroll(int) {}

void TCfCustomScrollControl::ScrollContent(TCfCustomScrollBar* scrollBar, int deltaX, int deltaY)
{
    BeforeScroll(scrollBar->Kind());
    if (deltaX != 0)
        ScrollPixels(deltaX, deltaY, HorzScrollArea);
    else
        ScrollPixels(0, deltaY, VertScrollArea);
    AfterScroll(scrollBar->Kind());
}

void TCfCustomScrollControl::InvalidateRect(const TRect& r)
{
    TRect area = IntersectRect(r, ClientRect());
    if (area.IsEmpty())
        return;
    QImage& image = Canvas().Image();
    // The same set-up as a full render, clipped to the area.
    TCanvas c(&image);
    c.Font = Font;
    c.SetOrigin(ClientOffset());
    c.SetClipRect(area);
    c.Font = Font;
    c.Brush.Color = Color;
    Paint(c);
    update();
}

void TCfCustomScrollControl::ScrollPixels(int dx, int dy, const TRect& clip)
{
    TRect area = IntersectRect(clip, ClientRect());
    if (area.IsEmpty() || (dx == 0 && dy == 0))
        return;
    QImage& image = Canvas().Image();
    TPoint o = ClientOffset();
    TRect dest = IntersectRect(OffsetRect(area, dx, dy), area);
    if (!dest.IsEmpty()) {
        QImage moved = image.copy(ToQRect(OffsetRect(dest, o.X - dx, o.Y - dy)));
        QPainter p(&image);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(dest.Left + o.X, dest.Top + o.Y, moved);
    }
    TRegion uncovered = TRegion::FromRect(area).Subtracted(TRegion::FromRect(dest));
    for (const TRect& r : uncovered.Rects())
        InvalidateRect(r);
    update();
}

void TCfCustomScrollControl::TabToNextControl()
{
    if (QWidget* p = parentWidget())
        QApplication::postEvent(p, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
}

void TCfCustomScrollControl::TabToPriorControl()
{
    if (QWidget* p = parentWidget()) {
        QApplication::postEvent(p, new QKeyEvent(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier));
        QApplication::postEvent(p, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::ShiftModifier));
    }
}

QScrollBar* TCfCustomScrollControl::WindowScrollBar(int) const
{
    return nullptr;
}

int TCfCustomScrollControl::GetTrackPosition(const TCfCustomScrollBar* scrollBar) const
{
    QScrollBar* bar = WindowScrollBar(scrollBar->Kind() == 1 ? 1 : 0);
    return bar ? bar->sliderPosition() : 0;
}

void TCfCustomScrollControl::ScrollMessage(int, int) {}

void FocusControl(TControl* control)
{
    if (control && control->window() != control)
        control->SetFocus();
}

// ---------------------------------------------------------------- window-bar control

namespace {

// The window's own scroll bar in the classic look of the rest of the set
// (raised arrow buttons, chequered track, raised thumb). The toolkit keeps
// the geometry and the mouse handling; only the drawing is ours, laid over
// the parts where the toolkit's style puts them.
class ClassicWindowBar : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStyleOptionSlider opt;
        initStyleOption(&opt);
        auto part = [&](QStyle::SubControl sc) {
            QRect q = style()->subControlRect(QStyle::CC_ScrollBar, &opt, sc, this);
            return TRect(q.left(), q.top(), q.left() + q.width(), q.top() + q.height());
        };
        QImage image(size(), QImage::Format_RGB32);
        TCanvas canvas(&image);
        DrawClassicTrack(canvas, TRect(0, 0, width(), height()));
        bool vertical = orientation() == Qt::Vertical;
        bool active = isEnabled() && maximum() > minimum();
        DrawArrowFrame(canvas, part(QStyle::SC_ScrollBarSubLine), vertical ? TFrameArrow::faUp : TFrameArrow::faLeft,
                       pressed_ == QStyle::SC_ScrollBarSubLine, true, !active);
        DrawArrowFrame(canvas, part(QStyle::SC_ScrollBarAddLine),
                       vertical ? TFrameArrow::faDown : TFrameArrow::faRight, pressed_ == QStyle::SC_ScrollBarAddLine,
                       true, !active);
        if (active)
            DrawRaisedEdge(canvas, part(QStyle::SC_ScrollBarSlider), clBtnFace);
        QPainter painter(this);
        painter.drawImage(0, 0, image);
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        QStyleOptionSlider opt;
        initStyleOption(&opt);
        pressed_ = style()->hitTestComplexControl(QStyle::CC_ScrollBar, &opt, e->position().toPoint(), this);
        QScrollBar::mousePressEvent(e);
        update();
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        pressed_ = QStyle::SC_None;
        QScrollBar::mouseReleaseEvent(e);
        update();
    }

private:
    QStyle::SubControl pressed_ = QStyle::SC_None;
};

} // namespace

TCfScrollControl::TCfScrollControl(QWidget* owner) : TCfCustomScrollControl(owner)
{
    for (int kind = 0; kind < 2; ++kind) {
        auto* bar = new ClassicWindowBar(kind == 0 ? Qt::Horizontal : Qt::Vertical, this);
        bar->setFocusPolicy(Qt::NoFocus);
        bar->hide();
        QObject::connect(bar, &QScrollBar::actionTriggered, this,
                         [this, kind](int action) { OnWindowBarAction(kind, action); });
        QObject::connect(bar, &QScrollBar::sliderReleased, this, [this, kind] {
            ScrollMessage(kind, SB_THUMBPOSITION);
            ScrollMessage(kind, SB_ENDSCROLL);
        });
        windowBars_[kind] = bar;
    }
    horz_ = std::make_unique<TCfScrollBar>(this, nullptr);
    horz_->SetKind(0);
    vert_ = std::make_unique<TCfScrollBar>(this, nullptr);
    vert_->SetKind(1);
    rollShadow_ = new TRollShadow(this);
    rollTimer_.SetEnabled(false);
    rollTimer_.SetInterval(1);
    rollTimer_.SetOnTimer([this](TTimer*) { RollStep(); });
    for (auto [name, number] : {std::pair<const char*, int>{"ROLL", crRoll}, {"ROLLUP", crRollUp},
                                {"ROLLDOWN", crRollDown}}) {
        if (auto c = ProgramCursor(name))
            SetCustomCursor(number, *c);
    }
    horz_->Update();
    vert_->Update();
}

TCfScrollControl::~TCfScrollControl()
{
    rollTimer_.SetEnabled(false);
}

QScrollBar* TCfScrollControl::WindowScrollBar(int kind) const
{
    return windowBars_[kind == 1 ? 1 : 0];
}

void TCfScrollControl::OnWindowBarAction(int kind, int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: ScrollMessage(kind, SB_LINEDOWN); break;
    case QAbstractSlider::SliderSingleStepSub: ScrollMessage(kind, SB_LINEUP); break;
    case QAbstractSlider::SliderPageStepAdd: ScrollMessage(kind, SB_PAGEDOWN); break;
    case QAbstractSlider::SliderPageStepSub: ScrollMessage(kind, SB_PAGEUP); break;
    case QAbstractSlider::SliderToMinimum: ScrollMessage(kind, SB_TOP); break;
    case QAbstractSlider::SliderToMaximum: ScrollMessage(kind, SB_BOTTOM); break;
    case QAbstractSlider::SliderMove: ScrollMessage(kind, SB_THUMBTRACK); break;
    default: break;
    }
}

void TCfScrollControl::ScrollMessage(int kind, int code)
{
    TCfScrollBar* bar = kind == 0 ? horz_.get() : vert_.get();
    int pos = bar->Position();
    bool moved = true;
    switch (code) {
    case SB_LINEUP: pos -= bar->SmallChange; break;
    case SB_LINEDOWN: pos += bar->SmallChange; break;
    case SB_PAGEUP: pos -= bar->LargeChange; break;
    case SB_PAGEDOWN: pos += bar->LargeChange; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: pos = GetTrackPosition(bar); break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = bar->Max(); break;
    default: moved = false; break;
    }
    if (moved) {
        if (pos < 0)
            pos = 0;
        if (pos > bar->Max() - bar->PageSize())
            pos = bar->Max() - bar->PageSize() + 1;
        bar->SetPosition(pos);
    }
    const TScrollEvent& ev = kind == 0 ? OnHorizontalScroll : OnVerticalScroll;
    if (ev)
        ev(this, bar->Position());
}

void TCfScrollControl::ShowWindowBar(int kind, bool show)
{
    kind = kind == 1 ? 1 : 0;
    if (barShown_[kind] == show)
        return;
    barShown_[kind] = show;
    LayoutWindowBars();
}

void TCfScrollControl::UpdateInsets()
{
    LayoutWindowBars();
}

void TCfScrollControl::LayoutWindowBars()
{
    int b = BorderStyle() == TBorderStyle::bsSingle ? (Ctl3D() ? 2 : 1) : 0;
    int vw = barShown_[1] ? VScrollArrowWidth() : 0;
    int hh = barShown_[0] ? HScrollArrowHeight() : 0;
    SetFrameInsets(TRect(b, b, b + vw, b + hh));
    QScrollBar* v = windowBars_[1];
    QScrollBar* h = windowBars_[0];
    v->setGeometry(width() - b - vw, b, vw, std::max(0, height() - 2 * b - hh));
    h->setGeometry(b, height() - b - hh, std::max(0, width() - 2 * b - vw), hh);
    v->setVisible(barShown_[1]);
    h->setVisible(barShown_[0]);
}

void TCfScrollControl::Resize()
{
    LayoutWindowBars();
    TCfCustomScrollControl::Resize();
}

void TCfScrollControl::PaintNonClient(TCanvas& canvas)
{
    TWinControl::PaintNonClient(canvas);
    // The strips under the window bars (and the corner between them).
    int b = BorderStyle() == TBorderStyle::bsSingle ? (Ctl3D() ? 2 : 1) : 0;
    if (barShown_[1])
        canvas.FillRect(TRect(width() - b - VScrollArrowWidth(), b, width() - b, height() - b), clBtnFace);
    if (barShown_[0])
        canvas.FillRect(TRect(b, height() - b - HScrollArrowHeight(), width() - b, height() - b), clBtnFace);
}

void TCfScrollControl::EnabledChanged()
{
    Invalidate();
    horz_->Update();
    vert_->Update();
}

bool TCfScrollControl::MouseWheel(TShiftState shift, int delta, TPoint mousePos)
{
    if (MouseWheelEnabled)
        return true;
    return TCfCustomScrollControl::MouseWheel(shift, delta, mousePos);
}

void TCfScrollControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbMiddle && RollAllowed) {
        rolling_ = true;
        rollShadow_->SetCursor(crRoll);
        rollAnchor_ = TPoint(x, y);
        rollShadow_->ShowAt(ClientToScreen(rollAnchor_));
        rollTimer_.SetInterval(1);
        rollTimer_.SetEnabled(true);
        if (isVisible())
            grabMouse();
    }
    TCfCustomScrollControl::MouseDown(button, shift, x, y);
}

void TCfScrollControl::MouseMove(TShiftState shift, int x, int y)
{
    if (rolling_) {
        rollDirection_ = 0;
        int dy = y - rollAnchor_.Y;
        if (dy < -5) {
            SetScreenCursor(crRollUp);
            rollDirection_ = 1;
        } else if (dy <= 5) {
            SetScreenCursor(crRoll);
        } else {
            SetScreenCursor(crRollDown);
            rollDirection_ = 2;
        }
        rollShadow_->SetCursor(ScreenCursor());
    }
    TCfCustomScrollControl::MouseMove(shift, x, y);
}

void TCfScrollControl::RollStep()
{
    TPoint p = ScreenToClient(CursorPos());
    rollTimer_.SetInterval(std::max(1, 100 - std::abs(p.Y - rollAnchor_.Y)));
    if (rollDirection_ & 1)
        vert_->Prior();
    else if (rollDirection_ & 2)
        vert_->Next();
}

void TCfScrollControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (rolling_) {
        rollTimer_.SetEnabled(false);
        rolling_ = false;
        rollDirection_ = 0;
        rollShadow_->hide();
        SetScreenCursor(crDefault);
        if (QWidget::mouseGrabber() == this)
            releaseMouse();
    }
    TCfCustomScrollControl::MouseUp(button, shift, x, y);
}

// ---------------------------------------------------------------- bordered control with its own bar

TCfControl::TCfControl(QWidget* owner) : TCfCustomScrollControl(owner)
{
    delay_.SetEnabled(false);
    delay_.SetInterval(300);
    delay_.SetOnTimer([this](TTimer*) {
        delay_.SetEnabled(false);
        repeat_.SetEnabled(true);
    });
    bar_ = std::make_unique<TCfVertScrollBar>(this, &Canvas());
    bar_->SetKind(1);
    repeat_.SetEnabled(false);
    repeat_.SetInterval(50);
    repeat_.SetOnTimer([this](TTimer*) { DoAction(); });
}

TRect TCfControl::ContentRect() const
{
    int h = ClientHeight() - 4;
    int w = ClientWidth() - 4 - (bar_->Visible() ? bar_->ButtonSize() : 0);
    return TRect(2, 2, 2 + w, 2 + h);
}

void TCfControl::DrawBorder(TCanvas& canvas)
{
    TRect r = ClientRect();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clBlack;
    canvas.FrameRect(r);
    canvas.Brush.Color = Color;
    canvas.FrameRect(InflateRect(r, -1, -1));
}

void TCfControl::Paint(TCanvas& canvas)
{
    DrawBorder(canvas);
    if (bar_->Visible() && !IntersectRect(bar_->GetBounds(), canvas.ClipRect()).IsEmpty())
        bar_->Paint(canvas);
}

void TCfControl::DoAction()
{
    switch (action_) {
    case raLineUp: bar_->SetPosition(bar_->Position() - 1); break;
    case raLineDown: bar_->SetPosition(bar_->Position() + 1); break;
    case raPageUp: bar_->PageUp(); break;
    case raPageDown: bar_->PageDown(); break;
    default: break;
    }
}

void TCfControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && bar_->Visible()) {
        TPoint p(x, y);
        uint8_t start = raNone;
        if (PtInRect(bar_->ForwardButtonRect(), p)) {
            bar_->SetPartState(bar_->ForwardState, bar_->ForwardState | TCfVertScrollBar::stPressed);
            start = raLineDown;
        } else if (PtInRect(bar_->BackButtonRect(), p)) {
            bar_->SetPartState(bar_->BackState, bar_->BackState | TCfVertScrollBar::stPressed);
            start = raLineUp;
        } else if (PtInRect(bar_->PageDownRect(), p)) {
            start = raPageDown;
        } else if (PtInRect(bar_->PageUpRect(), p)) {
            start = raPageUp;
        }
        if (start != raNone) {
            action_ = start;
            DoAction();
            delay_.SetEnabled(false);
            delay_.SetEnabled(true);
        }
        if (bar_->Max() >= 1 && PtInRect(bar_->ThumbRect(), p))
            bar_->SetPartState(bar_->ThumbState, bar_->ThumbState | TCfVertScrollBar::stPressed);
    }
    TCfCustomScrollControl::MouseDown(button, shift, x, y);
}

void TCfControl::MouseMove(TShiftState shift, int x, int y)
{
    if (PtInRect(bar_->GetBounds(), TPoint(x, y)) || (bar_->ThumbState & TCfVertScrollBar::stPressed))
        bar_->MouseMove(shift, x, y);
    else
        bar_->ClearHot();
    TCfCustomScrollControl::MouseMove(shift, x, y);
}

void TCfControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    bar_->SetPartState(bar_->BackState, bar_->BackState & ~TCfVertScrollBar::stPressed);
    bar_->SetPartState(bar_->ThumbState, bar_->ThumbState & ~TCfVertScrollBar::stPressed);
    bar_->SetPartState(bar_->ForwardState, bar_->ForwardState & ~TCfVertScrollBar::stPressed);
    action_ = raNone;
    delay_.SetEnabled(false);
    repeat_.SetEnabled(false);
    if (bar_->Visible())
        InvalidateRect(bar_->GetBounds());
    TCfCustomScrollControl::MouseUp(button, shift, x, y);
}

void TCfControl::MouseLeave()
{
    bar_->ClearHot();
    TCfCustomScrollControl::MouseLeave();
}

} // namespace cf
