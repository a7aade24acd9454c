#include "platform/DragDrop.h"

#include "platform/Cursors.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

#include <cstdlib>

namespace cf {

namespace {

TPoint ScreenPoint(const QPointF& g)
{
    return {int(std::floor(g.x())), int(std::floor(g.y()))};
}

// The deepest enabled control of ours under a screen point.
TControl* ControlAt(TPoint p)
{
    QWidget* w = QApplication::widgetAt(QPoint(p.X, p.Y));
    for (; w; w = w->parentWidget())
        if (auto* c = dynamic_cast<TControl*>(w); c && c->isEnabled())
            return c;
    return nullptr;
}

class TDragManager : public QObject {
public:
    static TDragManager& Instance()
    {
        static TDragManager* m = new TDragManager;  // lives as long as the application
        return *m;
    }

    void Begin(TControl* source, bool immediate, int threshold)
    {
        if (pending_)
            Finish(false, start_);
        source_ = source;
        start_ = LastMouseDownPos();
        threshold_ = threshold < 0 ? DefaultDragThreshold : threshold;
        pending_ = true;
        active_ = false;
        target_ = nullptr;
        accepted_ = false;
        qApp->installEventFilter(this);
        if (immediate)
            Start(start_);
    }

    bool Pending() const { return pending_; }
    bool Active() const { return active_; }
    TControl* Source() const { return source_; }
    TControl* Target() const { return target_; }
    bool Accepted() const { return accepted_; }

    void Cancel()
    {
        if (pending_)
            Finish(false, last_);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (!pending_)
            return false;
        switch (e->type()) {
        case QEvent::MouseMove: {
            TPoint p = ScreenPoint(static_cast<QMouseEvent*>(e)->globalPosition());
            if (!active_) {
                if (std::abs(p.X - start_.X) >= threshold_ || std::abs(p.Y - start_.Y) >= threshold_)
                    Start(p);
            } else {
                MoveTo(p);
            }
            return true;
        }
        case QEvent::MouseButtonRelease:
            Finish(active_, ScreenPoint(static_cast<QMouseEvent*>(e)->globalPosition()));
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return true;
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
                Finish(false, last_);
                return true;
            }
            return false;
        default:
            return false;
        }
    }

private:
    void Start(TPoint p)
    {
        active_ = true;
        QApplication::setOverrideCursor(CursorFor(crNoDrop));
        cursorSet_ = true;
        MoveTo(p);
    }

    void MoveTo(TPoint p)
    {
        last_ = p;
        if (!source_) {
            Finish(false, p);
            return;
        }
        TControl* t = ControlAt(p);
        if (t != target_) {
            Leave();
            target_ = t;
            accepted_ = false;
            if (t)
                Over(p, dsDragEnter);
        } else if (t) {
            Over(p, dsDragMove);
        }
        if (cursorSet_)
            QApplication::changeOverrideCursor(CursorFor(accepted_ ? crDrag : crNoDrop));
    }

    void Over(TPoint p, TDragState state)
    {
        TPoint q = target_->ScreenToClient(p);
        bool accept = false;
        target_->DragOver(source_, q.X, q.Y, state, accept);
        accepted_ = accept && state != dsDragLeave;
    }

    void Leave()
    {
        if (target_)
            Over(last_, dsDragLeave);
        accepted_ = false;
    }

    void Finish(bool drop, TPoint p)
    {
        if (drop && active_)
            MoveTo(p);
        QPointer<TControl> source = source_;
        QPointer<TControl> target = target_;
        bool dropped = drop && active_ && target && accepted_;
        if (!dropped && active_ && target_)
            Leave();
        // Cleared before any handler runs: a drop may open a dialog.
        pending_ = active_ = accepted_ = false;
        source_ = nullptr;
        target_ = nullptr;
        qApp->removeEventFilter(this);
        if (cursorSet_) {
            QApplication::restoreOverrideCursor();
            cursorSet_ = false;
        }
        TPoint q = p;
        if (dropped) {
            q = target->ScreenToClient(p);
            target->DragDrop(source, q.X, q.Y);
        } else if (source) {
            q = source->ScreenToClient(p);
            source->DragCanceled();
        }
        if (source)
            source->DoEndDrag(dropped ? target.data() : nullptr, q.X, q.Y);
    }

    QPointer<TControl> source_;
    QPointer<TControl> target_;
    TPoint start_, last_;
    int threshold_ = DefaultDragThreshold;
    bool pending_ = false;
    bool active_ = false;
    bool accepted_ = false;
    bool cursorSet_ = false;
};

} // namespace

void TControl::BeginDrag(bool immediate, int threshold)
{
    TDragManager::Instance().Begin(this, immediate, threshold);
}

bool TControl::Dragging() const
{
    return TDragManager::Instance().Pending() && TDragManager::Instance().Source() == this;
}

void TControl::DragOver(TControl* source, int x, int y, TDragState state, bool& accept)
{
    accept = false;
    if (OnDragOver) {
        accept = true;
        OnDragOver(this, source, x, y, state, accept);
    }
}

void TControl::DragDrop(TControl* source, int x, int y)
{
    if (OnDragDrop)
        OnDragDrop(this, source, x, y);
}

void TControl::DoEndDrag(TControl* target, int x, int y)
{
    if (OnEndDrag)
        OnEndDrag(this, target, x, y);
}

bool DragPending()
{
    return TDragManager::Instance().Pending();
}

bool DragActive()
{
    return TDragManager::Instance().Active();
}

TControl* DragSource()
{
    return TDragManager::Instance().Source();
}

TControl* DragTarget()
{
    return TDragManager::Instance().Target();
}

bool DragAccepted()
{
    return TDragManager::Instance().Accepted();
}

void CancelDrag()
{
    TDragManager::Instance().Cancel();
}

} // namespace cf
