#include "app/MySQLWindow.h"

#include <QCoreApplication>
#include <QMetaObject>

TQtMySQLWindow::TQtMySQLWindow(Handler handler) : handler_(std::make_shared<Handler>(std::move(handler)))
{
}

TQtMySQLWindow::~TQtMySQLWindow() = default;

void TQtMySQLWindow::Post(TMySQLMessage message)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    std::weak_ptr<Handler> handler = handler_;
    QMetaObject::invokeMethod(
        app,
        [handler, m = std::move(message)]() {
            if (auto h = handler.lock()) {
                if (m.Call)
                    m.Call();
                else
                    (*h)(m);
            }
        },
        Qt::QueuedConnection);
}
