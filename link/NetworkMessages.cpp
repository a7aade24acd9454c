#include "link/NetworkMessages.h"

#include "controls/MessageService.h"

bool TMessageNetworkUi::AskYesNo(const std::string& text)
{
    return cf::Messages().Confirm(text);
}

void TMessageNetworkUi::ShowError(const std::string& text)
{
    cf::Messages().ShowError(text);
}
