#pragma once

// The folder drivers' questions and errors shown by the program's message
// dialogs: whatever message service is installed answers them (the real
// dialogs in the editor, a scripted one in tests).

#include "settings/FolderIO.h"
#include "settings/UnsavedChanges.h"

class TMessageFolderDialogs : public TFolderDialogs {
public:
    // The error box: error type, OK button.
    void Error(const std::string& text) override;
    // The confirmation box: confirmation type, Yes and No; true only for Yes.
    bool Confirm(const std::string& text) override;
};
