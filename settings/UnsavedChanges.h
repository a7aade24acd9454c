#pragma once

// Whether the set in memory may be replaced (by a load or a receiver read)
// while it holds unsaved changes.

#include "settings/MessageTexts.h"

#include <string>

// The question before anything replaces a set with unsaved changes.
inline std::string UnsavedChangesText()
{
    return LoadRs(rs::UnsavedChanges);
}

// True when the set may be replaced: at once without unsaved changes (Modified
// clear), else only when the user answers Yes to the unsaved-changes question
// (asked through the folder drivers' dialogs; without any, nothing is lost).
bool ConfirmLosingChanges();
