#include "platform/Shell.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace cf {

namespace {
std::function<bool(const std::string&)>& Handler()
{
    static std::function<bool(const std::string&)> handler;
    return handler;
}
} // namespace

bool ShellOpen(const std::string& address)
{
    if (Handler())
        return Handler()(address);
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

void SetShellOpenHandler(std::function<bool(const std::string&)> handler) { Handler() = std::move(handler); }

} // namespace cf
