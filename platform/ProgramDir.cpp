#include "platform/ProgramDir.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace cf {

std::string ProgramFileDir()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && !exe.empty())
        return exe.parent_path().string();
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath().toStdString();
    return fs::current_path(ec).string();
}

std::string BesideProgram()
{
    const std::string dir = ProgramFileDir();
    if (::access(dir.c_str(), W_OK) == 0)
        return dir;
    std::string data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
    if (data.empty())
        data = fs::temp_directory_path().string();
    const fs::path own = fs::path(data) / "chanforge";
    std::error_code ec;
    fs::create_directories(own, ec);
    return own.string();
}

} // namespace cf
