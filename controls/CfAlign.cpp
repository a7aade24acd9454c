#include "controls/CfAlign.h"

#include "platform/Controls.h"

#include <QVariant>

namespace cf {

namespace {
constexpr const char* AlignProperty = "cfAlign";
}

TAlign ControlAlign(const QWidget* child)
{
    QVariant v = child->property(AlignProperty);
    return v.isValid() ? TAlign(v.toInt()) : alNone;
}

void SetControlAlign(QWidget* child, TAlign align)
{
    child->setProperty(AlignProperty, int(align));
    if (auto* host = dynamic_cast<TAlignHost*>(child->parentWidget()))
        host->Realign();
}

void AlignChildControls(QWidget* parent, const TRect& area)
{
    // Client coordinates of the parent become widget coordinates here.
    TPoint origin;
    if (auto* pc = dynamic_cast<TControl*>(parent))
        origin = pc->ClientOffset();
    TRect rest = area;
    auto place = [&](QWidget* w, int l, int t, int r, int b) {
        w->setGeometry(l + origin.X, t + origin.Y, std::max(0, r - l), std::max(0, b - t));
    };
    for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (QObject* o : parent->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (!w || w->isWindow() || w->isHidden() || ControlAlign(w) != pass)
                continue;
            switch (pass) {
            case alTop:
                place(w, rest.Left, rest.Top, rest.Right, rest.Top + w->height());
                rest.Top += w->height();
                break;
            case alBottom:
                place(w, rest.Left, rest.Bottom - w->height(), rest.Right, rest.Bottom);
                rest.Bottom -= w->height();
                break;
            case alLeft:
                place(w, rest.Left, rest.Top, rest.Left + w->width(), rest.Bottom);
                rest.Left += w->width();
                break;
            case alRight:
                place(w, rest.Right - w->width(), rest.Top, rest.Right, rest.Bottom);
                rest.Right -= w->width();
                break;
            case alClient: place(w, rest.Left, rest.Top, rest.Right, rest.Bottom); break;
            case alNone: break;
            }
        }
    }
}

} // namespace cf
