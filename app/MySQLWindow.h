#pragma once

// The window side of the database workers: a message posted on a worker
// thread runs its handler later on the GUI thread; once the owner is gone
// (the form that made it destroyed) nothing runs.

#include "dbexport/MySQLThread.h"

#include <functional>
#include <memory>

class TQtMySQLWindow : public TMySQLWindow {
public:
    using Handler = std::function<void(const TMySQLMessage&)>;
    // Make it with std::make_shared; hand workers a weak reference.
    explicit TQtMySQLWindow(Handler handler);
    ~TQtMySQLWindow() override;
    void Post(TMySQLMessage message) override;

private:
    // Checked on the GUI thread, where the window is also destroyed.
    std::shared_ptr<Handler> handler_;
};
