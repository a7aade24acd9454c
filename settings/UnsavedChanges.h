#pragma once

// Whether the set in memory may be replaced (by a load or a receiver read)
// while it holds unsaved changes.

// The question before anything replaces a set with unsaved changes.
inline constexpr const char* UnsavedChangesText = "Your changes have not been saved : Proceeed anyway ?";

// True when the set may be replaced: at once without unsaved changes (Modified
// clear), else only when the user answers Yes to the unsaved-changes question
// (asked through the folder drivers' dialogs; without any, nothing is lost).
bool ConfirmLosingChanges();
