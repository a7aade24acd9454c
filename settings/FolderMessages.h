#pragma once

// The folder drivers' questions and errors shown by the program's message
// dialogs: whatever message service is installed answers them (the real
// dialogs in the editor, a scripted one in tests).

#include "settings/FolderIO.h"

class TMessageFolderDialogs : public TFolderDialogs {
public:
    // The error box: error type, OK button.
    void Error(const std::string& text) override;
    // The confirmation box: confirmation type, Yes and No; true only for Yes.
    bool Confirm(const std::string& text) override;
};

// The question before anything replaces a set with unsaved changes.
inline constexpr const char* UnsavedChangesText = "Your changes have not been saved : Proceeed anyway ?";

// True when the set may be replaced: at once without unsaved changes (Modified
// clear), else only when the user answers Yes to the unsaved-changes question
// (asked through the folder drivers' dialogs; without any, nothing is lost).
bool ConfirmLosingChanges();
