#include "controls/DialogKeys.h"

#include "controls/AcceleratorTarget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QVariant>

namespace cf {

namespace {

constexpr const char* FilterProperty = "cfAccelerators";

QString Lower(char32_t ch)
{
    return QString::fromUcs4(&ch, 1).toLower();
}

class AcceleratorFilter : public QObject {
public:
    explicit AcceleratorFilter(QWidget* window) : QObject(window), window_(window) {}

    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->window() != window_)
            return false;
        auto* k = static_cast<QKeyEvent*>(e);
        Qt::KeyboardModifiers mods = k->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        if (!(mods & Qt::AltModifier) || (mods & Qt::ControlModifier) || k->text().isEmpty())
            return false;
        char32_t ch = k->text().toUcs4().value(0);
        for (QWidget* c : window_->findChildren<QWidget*>()) {
            if (!c->isVisible() || !c->isEnabled())
                continue;
            if (auto* b = dynamic_cast<TPushButtonBase*>(c); b && b->DialogChar(ch))
                return true;
            if (auto* t = dynamic_cast<TAcceleratorTarget*>(c); t && t->DialogChar(ch))
                return true;
        }
        return false;
    }

private:
    QWidget* window_;
};

} // namespace

bool ActsAsDefaultButton(const QWidget* self, bool isDefault)
{
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window() == self->window() && dynamic_cast<TPushButtonBase*>(focus))
        return focus == self;
    return isDefault;
}

void EnableAccelerators(QWidget* w)
{
    QWidget* win = w->window();
    if (!win || win->property(FilterProperty).toBool())
        return;
    win->setProperty(FilterProperty, true);
    qApp->installEventFilter(new AcceleratorFilter(win));
}

bool IsAccel(char32_t ch, const std::string& caption)
{
    QString s = QString::fromStdString(caption);
    for (qsizetype i = 0; i + 1 < s.size(); ++i) {
        if (s[i] != u'&')
            continue;
        if (s[i + 1] == u'&') {
            ++i;
            continue;
        }
        return QString(s[i + 1]).toLower() == Lower(ch);
    }
    return false;
}

} // namespace cf
