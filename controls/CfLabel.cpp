#include "controls/CfLabel.h"

#include <QEvent>

namespace cf {

TCfLabel::TCfLabel(QWidget* parent) : TLabel(parent)
{
    margins_.SetVertical(2);
    margins_.OnUpdate = [this] { Reposition(); };
}

TCfLabel::~TCfLabel()
{
    Release();
}

void TCfLabel::Release()
{
    if (associate_)
        associate_->removeEventFilter(this);
    QObject::disconnect(destroyed_);
    associate_ = nullptr;
}

void TCfLabel::SetAssociate(TControl* c)
{
    if (c == this || c == associate_)
        return;
    Release();
    associate_ = c;
    if (c) {
        c->installEventFilter(this);
        // Once the control is gone the label stays where it is, detached.
        destroyed_ = QObject::connect(c, &QObject::destroyed, [this] {
            QObject::disconnect(destroyed_);
            associate_ = nullptr;
        });
        Reposition();
    }
}

void TCfLabel::SetHorizontalPosition(THorizontalPosition p)
{
    hpos_ = p;
    Reposition();
}

void TCfLabel::SetVerticalPosition(TVerticalPosition p)
{
    vpos_ = p;
    Reposition();
}

void TCfLabel::SetInnerHorizontal(bool on)
{
    innerH_ = on;
    Reposition();
}

void TCfLabel::SetInnerVertical(bool on)
{
    innerV_ = on;
    Reposition();
}

void TCfLabel::SetInnerMargins(const TMargins& m)
{
    margins_.SetHorizontal(m.Horizontal());
    margins_.SetVertical(m.Vertical());
    Reposition();
}

void TCfLabel::AdjustBounds()
{
    TLabel::AdjustBounds();
    Reposition();
}

void TCfLabel::Reposition()
{
    if (!associate_ || positioning_)
        return;
    positioning_ = true;
    const TControl* a = associate_;
    const int w = Width(), h = Height();
    const int mh = margins_.Horizontal(), mv = margins_.Vertical();
    const int aRight = a->Left() + a->Width(), aBottom = a->Top() + a->Height();
    int x = Left(), y = Top();
    switch (hpos_) {
    case hpLeft: x = innerH_ ? a->Left() + mh : a->Left() - w - mh; break;
    case hpCenter: x = a->Left() + (a->Width() - w) / 2; break;
    case hpRight: x = innerH_ ? aRight - w - mh : aRight + mh; break;
    }
    switch (vpos_) {
    case vpTop: y = innerV_ ? a->Top() + mv : a->Top() - h - mv; break;
    case vpCenter: y = a->Top() + (a->Height() - h) / 2; break;
    case vpBottom: y = innerV_ ? aBottom - h + mv : aBottom + mv; break;
    }
    if (x != Left() || y != Top())
        SetBounds(x, y, w, h);
    positioning_ = false;
}

bool TCfLabel::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == associate_ && (e->type() == QEvent::Move || e->type() == QEvent::Resize))
        Reposition();
    return false;  // the associate gets every message as before
}

} // namespace cf
