#include "platform/Controls.h"
#include "platform/SameText.h"

#include "platform/Cursors.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace cf {

class TControl::BufferTarget : public TCanvasTarget {
public:
    explicit BufferTarget(TControl* c) : c_(c) {}
    QImage& Surface() override
    {
        c_->EnsureBuffer();
        return c_->buffer_;
    }

private:
    TControl* c_;
};

TControl::TControl(QWidget* parent) : QWidget(parent), target_(std::make_unique<BufferTarget>(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

TControl::~TControl() = default;

bool TControl::Visible() const
{
    if (isWindow())
        return isVisible();
    return !(testAttribute(Qt::WA_WState_ExplicitShowHide) && testAttribute(Qt::WA_WState_Hidden));
}

namespace {

TPoint ParentOffset(const QWidget* w)
{
    if (auto* p = dynamic_cast<const TControl*>(w->parentWidget()))
        return p->ClientOffset();
    return {0, 0};
}

} // namespace

int TControl::Left() const
{
    return isWindow() ? x() : x() - ParentOffset(this).X;
}

int TControl::Top() const
{
    return isWindow() ? y() : y() - ParentOffset(this).Y;
}

void TControl::SetBounds(int l, int t, int w, int h)
{
    TPoint o = isWindow() ? TPoint() : ParentOffset(this);
    QSize old = size();
    setGeometry(l + o.X, t + o.Y, std::max(0, w), std::max(0, h));
    // A hidden widget gets its resize event only when shown; the layout of
    // aligned children must not wait for that.
    if (size() != old)
        Realign();
    ParentRealign();
}

void TControl::SetFrameInsets(const TRect& insets)
{
    if (insets == insets_)
        return;
    // Children keep their client position: they move with the client origin.
    int dx = insets.Left - insets_.Left, dy = insets.Top - insets_.Top;
    insets_ = insets;
    if (dx || dy)
        for (QObject* o : children())
            if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow())
                w->move(w->x() + dx, w->y() + dy);
    if (canvas_)
        canvas_->SetOrigin(ClientOffset());
    Realign();
    Invalidate();
}

void TControl::SetAlign(TAlign a)
{
    if (a == align_)
        return;
    align_ = a;
    ParentRealign();
}

void TControl::ParentRealign()
{
    if (align_ == alNone || isWindow())
        return;
    if (auto* p = dynamic_cast<TControl*>(parentWidget()))
        p->Realign();
}

void TControl::Realign()
{
    if (aligning_)
        return;
    aligning_ = true;
    std::vector<TControl*> kids;
    for (QObject* o : children())
        if (auto* c = dynamic_cast<TControl*>(o); c && !c->isWindow() && c->Visible() && c->align_ != alNone &&
                                                  c->align_ != alCustom)
            kids.push_back(c);
    TRect r = AlignRect();
    auto place = [&](TControl* c, int l, int t, int w, int h) {
        TPoint o = ClientOffset();
        QSize old = c->size();
        c->setGeometry(l + o.X, t + o.Y, std::max(0, w), std::max(0, h));
        if (c->size() != old)
            c->Realign();
    };
    auto pass = [&](TAlign kind, auto less) {
        std::vector<TControl*> v;
        for (TControl* c : kids)
            if (c->align_ == kind)
                v.push_back(c);
        std::stable_sort(v.begin(), v.end(), less);
        for (TControl* c : v) {
            switch (kind) {
            case alTop:
                place(c, r.Left, r.Top, r.Width(), c->height());
                r.Top += c->height();
                break;
            case alBottom:
                place(c, r.Left, r.Bottom - c->height(), r.Width(), c->height());
                r.Bottom -= c->height();
                break;
            case alLeft:
                place(c, r.Left, r.Top, c->width(), r.Height());
                r.Left += c->width();
                break;
            case alRight:
                place(c, r.Right - c->width(), r.Top, c->width(), r.Height());
                r.Right -= c->width();
                break;
            default:
                place(c, r.Left, r.Top, r.Width(), r.Height());
                break;
            }
        }
    };
    pass(alTop, [](TControl* a, TControl* b) { return a->y() < b->y(); });
    pass(alBottom, [](TControl* a, TControl* b) { return a->y() > b->y(); });
    pass(alLeft, [](TControl* a, TControl* b) { return a->x() < b->x(); });
    pass(alRight, [](TControl* a, TControl* b) { return a->x() > b->x(); });
    pass(alClient, [](TControl*, TControl*) { return false; });
    aligning_ = false;
}

void TControl::SetMouseCapture(bool on)
{
    if (on)
        grabMouse();
    else
        releaseMouse();
    capture_ = on;
}

bool TControl::ClaimsDialogKey(uint16_t, TShiftState) const
{
    return false;
}

bool TControl::DialogKey(uint16_t, TShiftState)
{
    return false;
}


int TControl::ClientWidth() const
{
    return std::max(0, width() - insets_.Left - insets_.Right);
}

int TControl::ClientHeight() const
{
    return std::max(0, height() - insets_.Top - insets_.Bottom);
}

void TControl::SetClientSize(int w, int h)
{
    SetBounds(Left(), Top(), w + insets_.Left + insets_.Right, h + insets_.Top + insets_.Bottom);
}

TPoint TControl::ClientOrigin() const
{
    QPoint g = mapToGlobal(QPoint(insets_.Left, insets_.Top));
    return {g.x(), g.y()};
}

TPoint TControl::ClientToScreen(TPoint p) const
{
    TPoint o = ClientOrigin();
    return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const
{
    TPoint o = ClientOrigin();
    return {p.X - o.X, p.Y - o.Y};
}

TPoint TControl::ClientToParent(TPoint p) const
{
    TPoint r{p.X + Left() + insets_.Left, p.Y + Top() + insets_.Top};
    if (auto* pc = dynamic_cast<const TControl*>(parentWidget())) {
        r.X -= pc->insets_.Left;
        r.Y -= pc->insets_.Top;
    }
    return r;
}

std::optional<std::string> TControl::TextProperty(const std::string& name) const
{
    if (SameText(name, "Caption"))
        return caption_;
    if (SameText(name, "Hint"))
        return Hint;
    return std::nullopt;
}

bool TControl::SetTextProperty(const std::string& name, const std::string& value)
{
    if (SameText(name, "Caption"))
        SetCaption(value);
    else if (SameText(name, "Hint"))
        Hint = value;
    else
        return false;
    return true;
}

void TControl::SetCaption(const std::string& s)
{
    if (s == caption_)
        return;
    caption_ = s;
    if (isWindow())
        setWindowTitle(QString::fromStdString(s));
    Invalidate();
}

void TControl::SetCursor(TCursor c)
{
    cursor_ = c;
    setCursor(CursorFor(c));
}

void TControl::SetEnabled(bool e)
{
    setEnabled(e);
}

void TControl::Invalidate()
{
    dirty_ = true;
    update();
}

void TControl::Repaint()
{
    dirty_ = true;
    repaint();
}

void TControl::EnsureBuffer()
{
    QSize s = size().expandedTo(QSize(1, 1));
    if (buffer_.size() != s) {
        buffer_ = QImage(s, QImage::Format_RGB32);
        buffer_.fill(ToPixel(Color));
        dirty_ = true;
    }
}

TCanvas& TControl::Canvas()
{
    if (!canvas_) {
        canvas_ = std::make_unique<TCanvas>(target_.get());
        canvas_->SetOrigin(ClientOffset());
    }
    return *canvas_;
}

void TControl::PaintTo(TCanvas& canvas)
{
    int state = canvas.SaveState();
    PaintNonClient(canvas);
    canvas.MoveOrigin(insets_.Left, insets_.Top);
    canvas.IntersectClipRect(ClientRect());
    canvas.Font = Font;
    canvas.Brush.Color = Color;
    Paint(canvas);
    canvas.RestoreState(state);
}

void TControl::Render()
{
    EnsureBuffer();
    TCanvas c(target_.get());
    c.Font = Font;
    PaintTo(c);
    dirty_ = false;
    if (canvas_)
        canvas_->SetOrigin(ClientOffset());
}

void TControl::paintEvent(QPaintEvent*)
{
    if (dirty_ || buffer_.size() != size())
        Render();
    QPainter p(this);
    p.drawImage(0, 0, buffer_);
}

void TControl::resizeEvent(QResizeEvent*)
{
    EnsureBuffer();
    dirty_ = true;
    Realign();
    ParentRealign();
    Resize();
}

TPoint TControl::ToClient(const QPointF& pos) const
{
    return {int(std::floor(pos.x())) - insets_.Left, int(std::floor(pos.y())) - insets_.Top};
}

namespace {

bool ButtonOf(Qt::MouseButton b, TMouseButton& out)
{
    switch (b) {
    case Qt::LeftButton: out = mbLeft; return true;
    case Qt::RightButton: out = mbRight; return true;
    case Qt::MiddleButton: out = mbMiddle; return true;
    default: return false;
    }
}

} // namespace

namespace {
TPoint lastMouseDown;
}

TPoint LastMouseDownPos()
{
    return lastMouseDown;
}

void TControl::mousePressEvent(QMouseEvent* e)
{
    QPointF g = e->globalPosition();
    lastMouseDown = TPoint(int(std::floor(g.x())), int(std::floor(g.y())));
    TMouseButton b;
    if (!ButtonOf(e->button(), b)) {
        e->ignore();
        return;
    }
    if (CanFocus() && b == mbLeft && !hasFocus())
        SetFocus();
    capture_ = true;
    if (b == mbLeft)
        clicked_ = true;
    TPoint p = ToClient(e->position());
    MouseDown(b, ShiftStateOf(e->modifiers(), e->buttons()), p.X, p.Y);
}

void TControl::mouseDoubleClickEvent(QMouseEvent* e)
{
    // Windows sends a double-click message in place of the second press.
    TMouseButton b;
    if (!ButtonOf(e->button(), b)) {
        e->ignore();
        return;
    }
    capture_ = true;
    TPoint p = ToClient(e->position());
    if (b == mbLeft)
        DblClick();
    MouseDown(b, ShiftStateOf(e->modifiers(), e->buttons()) | ssDouble, p.X, p.Y);
}

void TControl::mouseMoveEvent(QMouseEvent* e)
{
    TPoint p = ToClient(e->position());
    MouseMove(ShiftStateOf(e->modifiers(), e->buttons()), p.X, p.Y);
}

void TControl::mouseReleaseEvent(QMouseEvent* e)
{
    TMouseButton b;
    if (!ButtonOf(e->button(), b)) {
        e->ignore();
        return;
    }
    if (e->buttons() == Qt::NoButton)
        capture_ = false;
    TPoint p = ToClient(e->position());
    bool click = b == mbLeft && clicked_;
    if (b == mbLeft)
        clicked_ = false;
    MouseUp(b, ShiftStateOf(e->modifiers(), e->buttons()), p.X, p.Y);
    // A click is a left press and release over the control.
    if (click && rect().contains(e->position().toPoint()))
        Click();
}

void TControl::enterEvent(QEnterEvent*)
{
    MouseEnter();
}

void TControl::leaveEvent(QEvent*)
{
    MouseLeave();
}

void TControl::wheelEvent(QWheelEvent* e)
{
    // Touchpads deliver fractions of a notch; they add up to whole notches
    // of 120 as a wheel mouse reports them.
    wheelRest_ += e->angleDelta().y();
    int notches = wheelRest_ / 120;
    if (notches == 0) {
        e->accept();
        return;
    }
    wheelRest_ -= notches * 120;
    QPointF g = e->globalPosition();
    bool handled = MouseWheel(ShiftStateOf(e->modifiers(), e->buttons()), notches * 120,
                              TPoint(int(g.x()), int(g.y())));
    if (!handled)
        e->ignore();
}

void TControl::keyPressEvent(QKeyEvent* e)
{
    uint16_t vk = VirtualKeyOf(*e);
    TShiftState shift = ShiftStateOf(e->modifiers(), 0);
    if (vk != 0) {
        KeyDown(vk, shift);
        if (vk == 0)
            return;  // handled: no character follows
    }
    QString text = e->text();
    bool any = false;
    for (char32_t ch : text.toUcs4()) {
        char32_t c = ch;
        KeyPress(c);
        any = true;
    }
    if (vk == 0 && !any)
        e->ignore();
}

void TControl::keyReleaseEvent(QKeyEvent* e)
{
    if (e->isAutoRepeat())
        return;
    uint16_t vk = VirtualKeyOf(*e);
    if (vk == 0) {
        e->ignore();
        return;
    }
    KeyUp(vk, ShiftStateOf(e->modifiers(), 0));
}

void TControl::focusInEvent(QFocusEvent*)
{
    DoEnter();
}

void TControl::focusOutEvent(QFocusEvent*)
{
    capture_ = false;
    DoExit();
}

void TControl::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange) {
        EnabledChanged();
        Invalidate();
    }
    QWidget::changeEvent(e);
}

bool TControl::event(QEvent* e)
{
    if (e->type() == QEvent::ShowToParent || e->type() == QEvent::HideToParent)
        ParentRealign();
    if (WantTabs && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            keyPressEvent(k);
            return true;
        }
    }
    return QWidget::event(e);
}

bool TControl::CanFocus() const
{
    return focusPolicy() != Qt::NoFocus && isEnabled();
}

void TControl::SetFocus()
{
    setFocus(Qt::OtherFocusReason);
}

void TControl::SetTabStop(bool on)
{
    setFocusPolicy(on ? Qt::StrongFocus : (focusPolicy() == Qt::NoFocus ? Qt::NoFocus : Qt::ClickFocus));
}

void TControl::Paint(TCanvas& canvas)
{
    canvas.Brush.Color = Color;
    canvas.Brush.Style = bsSolid;
    canvas.FillRect(ClientRect());
}

void TControl::PaintNonClient(TCanvas&) {}

void TControl::MouseDown(TMouseButton b, TShiftState s, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, b, s, x, y);
}

void TControl::MouseMove(TShiftState s, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, s, x, y);
}

void TControl::MouseUp(TMouseButton b, TShiftState s, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, b, s, x, y);
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TControl::MouseLeave()
{
    if (OnMouseLeave)
        OnMouseLeave(this);
}

bool TControl::MouseWheel(TShiftState, int, TPoint)
{
    return false;
}

void TControl::KeyDown(uint16_t& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TControl::KeyPress(char32_t& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TControl::KeyUp(uint16_t& key, TShiftState shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

// ---------------------------------------------------------------- TWinControl

TWinControl::TWinControl(QWidget* parent) : TControl(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void TWinControl::SetBorderStyle(TBorderStyle s)
{
    borderStyle_ = s;
    UpdateInsets();
}

void TWinControl::SetCtl3D(bool on)
{
    ctl3d_ = on;
    UpdateInsets();
}

void TWinControl::UpdateInsets()
{
    int w = borderStyle_ == TBorderStyle::bsSingle ? (ctl3d_ ? 2 : 1) : 0;
    SetFrameInsets(TRect(w, w, w, w));
}

void TWinControl::PaintNonClient(TCanvas& canvas)
{
    if (borderStyle_ == TBorderStyle::bsSingle)
        DrawClientEdge(canvas, TRect(0, 0, Width(), Height()), ctl3d_);
}

void DrawClientEdge(TCanvas& canvas, const TRect& r, bool ctl3d)
{
    if (r.IsEmpty())
        return;
    if (!ctl3d) {
        canvas.FillRect(TRect(r.Left, r.Top, r.Right, r.Top + 1), clWindowFrame);
        canvas.FillRect(TRect(r.Left, r.Bottom - 1, r.Right, r.Bottom), clWindowFrame);
        canvas.FillRect(TRect(r.Left, r.Top, r.Left + 1, r.Bottom), clWindowFrame);
        canvas.FillRect(TRect(r.Right - 1, r.Top, r.Right, r.Bottom), clWindowFrame);
        return;
    }
    // Outer: shadow on top and left, highlight on bottom and right; inner:
    // dark shadow on top and left, light on bottom and right.
    auto edge = [&](TRect q, TColor tl, TColor br) {
        canvas.FillRect(TRect(q.Left, q.Top, q.Right - 1, q.Top + 1), tl);
        canvas.FillRect(TRect(q.Left, q.Top, q.Left + 1, q.Bottom - 1), tl);
        canvas.FillRect(TRect(q.Left, q.Bottom - 1, q.Right, q.Bottom), br);
        canvas.FillRect(TRect(q.Right - 1, q.Top, q.Right, q.Bottom), br);
    };
    edge(r, clBtnShadow, clBtnHighlight);
    edge(InflateRect(r, -1, -1), cl3DDkShadow, cl3DLight);
}

TGraphicControl::TGraphicControl(QWidget* parent) : TControl(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

} // namespace cf
