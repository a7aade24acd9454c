#include "controls/DialogKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QVariant>

namespace cf {

namespace {

constexpr const char* WantProperty = "cfWantDialogKeys";
constexpr const char* FilterProperty = "cfDialogKeys";

bool Wants(QWidget* w)
{
    for (QWidget* p = w; p; p = p->parentWidget()) {
        if (p->property(WantProperty).toBool())
            return true;
        if (p->isWindow())
            break;
    }
    return qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w);
}

bool Usable(QWidget* w)
{
    return w->isEnabled() && w->isVisible();
}

class DialogKeyFilter : public QObject {
public:
    explicit DialogKeyFilter(QWidget* window) : QObject(window), window_(window) {}

    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress && e->type() != QEvent::ShortcutOverride)
            return false;
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->window() != window_)
            return false;
        auto* k = static_cast<QKeyEvent*>(e);
        // Only once per key: at the widget that has it first.
        QWidget* focus = QApplication::focusWidget();
        if (focus && focus->window() == window_ ? w != focus : w != window_)
            return false;
        Qt::KeyboardModifiers mods = k->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        bool isDialogKey = (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || k->key() == Qt::Key_Escape) &&
                           mods == Qt::NoModifier;
        bool isAccel = mods == Qt::AltModifier && !k->text().isEmpty();
        if (!isDialogKey && !isAccel)
            return false;
        if (isDialogKey && focus && Wants(focus))
            return false;
        if (e->type() == QEvent::ShortcutOverride) {
            // Keep the key from becoming a shortcut; it comes back as a key press.
            return false;
        }
        uint16_t vk = k->key() == Qt::Key_Escape ? VK_ESCAPE : VK_RETURN;
        char32_t ch = isAccel ? k->text().toLower().toUcs4().value(0) : 0;
        auto offer = [&](QWidget* target) {
            auto* t = dynamic_cast<TDialogKeyTarget*>(target);
            if (!t || !Usable(target))
                return false;
            return isDialogKey ? t->DialogKey(vk, 0) : t->DialogChar(ch);
        };
        if (focus && offer(focus))
            return true;
        for (QWidget* c : window_->findChildren<QWidget*>())
            if (c != focus && c->window() == window_ && offer(c))
                return true;
        return false;
    }

private:
    QWidget* window_;
};

} // namespace

void EnableDialogKeys(QWidget* w)
{
    QWidget* win = w->window();
    if (!win || win->property(FilterProperty).toBool())
        return;
    win->setProperty(FilterProperty, true);
    qApp->installEventFilter(new DialogKeyFilter(win));
}

void SetWantDialogKeys(QWidget* control, bool want)
{
    control->setProperty(WantProperty, want);
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
        return QString(s[i + 1]).toLower().toUcs4().value(0) == QString::fromUcs4(&ch, 1).toLower().toUcs4().value(0);
    }
    return false;
}

} // namespace cf
