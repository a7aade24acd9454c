#include "settings/UnsavedChanges.h"

#include "settings/FolderIO.h"
#include "settings/Unit_lib.h"

bool ConfirmLosingChanges()
{
    if (!Modified)
        return true;
    TFolderDialogs* dialogs = FolderUi().Dialogs;
    return dialogs && dialogs->Confirm(UnsavedChangesText());
}
