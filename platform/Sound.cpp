#include "platform/Sound.h"

#include <QApplication>

namespace cf {

namespace {
std::function<void(TMessageBeep)>& Listener()
{
    static std::function<void(TMessageBeep)> l;
    return l;
}
} // namespace

void MessageBeep(TMessageBeep kind)
{
    if (Listener()) {
        Listener()(kind);
        return;
    }
    // The desktop offers one beep; the kinds differ only on Windows.
    QApplication::beep();
}

void SetMessageBeepListener(std::function<void(TMessageBeep)> listener) { Listener() = std::move(listener); }

} // namespace cf
