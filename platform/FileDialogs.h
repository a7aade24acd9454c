#pragma once

// The open and save file dialogs as one small service, so that tests can
// script the user's answers. Filters are given the program's way,
// "Description|*.EXT" pairs joined by "|".
//
// The default service shows the desktop's dialogs (QFileDialog); tests
// install a TScriptedFileDialogs.

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace cf {

class TFileDialogService {
public:
    virtual ~TFileDialogService() = default;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> SaveFileName(const std::string& filter, const std::string& fileName) = 0;
    virtual std::optional<std::string> OpenFileName(const std::string& filter) = 0;
};

TFileDialogService& FileDialogs();
// Installs a service (not owned); nullptr restores the desktop dialogs.
void SetFileDialogs(TFileDialogService* service);

// "Chanforge User Bouquets (*.CBU)|*.CBU" -> "Chanforge User Bouquets (*.CBU)",
// one Qt filter per pair, joined by ";;".
std::string QtFileFilter(const std::string& filter);

// Answers from a queue (an empty answer is a cancel; an empty queue cancels)
// and records what was asked.
class TScriptedFileDialogs : public TFileDialogService {
public:
    std::deque<std::optional<std::string>> Answers;
    struct Asked {
        bool Save = false;
        std::string Filter;
        std::string FileName;
    };
    std::vector<Asked> Log;

    std::optional<std::string> SaveFileName(const std::string& filter, const std::string& fileName) override;
    std::optional<std::string> OpenFileName(const std::string& filter) override;

private:
    std::optional<std::string> Next();
};

} // namespace cf
