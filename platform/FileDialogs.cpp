#include "platform/FileDialogs.h"

#include <QApplication>
#include <QFileDialog>

namespace cf {

namespace {

class DesktopFileDialogs : public TFileDialogService {
public:
    std::optional<std::string> SaveFileName(const std::string& filter, const std::string& fileName) override
    {
        const QString path = QFileDialog::getSaveFileName(QApplication::activeWindow(), QString(),
                                                          QString::fromStdString(fileName),
                                                          QString::fromStdString(QtFileFilter(filter)));
        if (path.isEmpty())
            return std::nullopt;
        return path.toStdString();
    }
    std::optional<std::string> OpenFileName(const std::string& filter) override
    {
        const QString path = QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), QString(),
                                                          QString::fromStdString(QtFileFilter(filter)));
        if (path.isEmpty())
            return std::nullopt;
        return path.toStdString();
    }
};

TFileDialogService* g_service = nullptr;

} // namespace

TFileDialogService& FileDialogs()
{
    static DesktopFileDialogs desktop;
    return g_service ? *g_service : desktop;
}

void SetFileDialogs(TFileDialogService* service) { g_service = service; }

std::string QtFileFilter(const std::string& filter)
{
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t bar = filter.find('|', start);
        parts.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    std::string out;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        if (!out.empty())
            out += ";;";
        out += parts[i];
    }
    return out;
}

std::optional<std::string> TScriptedFileDialogs::SaveFileName(const std::string& filter, const std::string& fileName)
{
    Log.push_back({true, filter, fileName});
    return Next();
}

std::optional<std::string> TScriptedFileDialogs::OpenFileName(const std::string& filter)
{
    Log.push_back({false, filter, std::string()});
    return Next();
}

std::optional<std::string> TScriptedFileDialogs::Next()
{
    if (Answers.empty())
        return std::nullopt;
    std::optional<std::string> answer = std::move(Answers.front());
    Answers.pop_front();
    return answer;
}

} // namespace cf
