#include "settings/FolderMessages.h"

#include "controls/MessageService.h"
#include "settings/Unit_lib.h"

void TMessageFolderDialogs::Error(const std::string& text)
{
    cf::Messages().ShowError(text);
}

bool TMessageFolderDialogs::Confirm(const std::string& text)
{
    return cf::Messages().Confirm(text);
}

bool ConfirmLosingChanges()
{
    if (!Modified)
        return true;
    TFolderDialogs* dialogs = FolderUi().Dialogs;
    return dialogs && dialogs->Confirm(UnsavedChangesText);
}
