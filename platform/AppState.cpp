#include "platform/AppState.h"

#include <QGuiApplication>

namespace cf {

void WhenApplicationDeactivates(QObject* owner, std::function<void()> fn)
{
    if (!owner || !qGuiApp)
        return;
    QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged, owner,
                     [fn = std::move(fn)](Qt::ApplicationState s) {
                         if (s != Qt::ApplicationActive && fn)
                             fn();
                     });
}

} // namespace cf
