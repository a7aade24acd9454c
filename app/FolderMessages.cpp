#include "app/FolderMessages.h"

#include "controls/MessageService.h"

void TMessageFolderDialogs::Error(const std::string& text)
{
    cf::Messages().ShowError(text);
}

bool TMessageFolderDialogs::Confirm(const std::string& text)
{
    return cf::Messages().Confirm(text);
}
