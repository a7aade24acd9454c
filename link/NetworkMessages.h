#pragma once

#include "link/NetworkHost.h"

// The receiver link's questions and error boxes shown by the program's
// message dialogs: whatever message service is installed answers them (the
// real dialogs in the editor, a scripted one in tests). No busy cursor and no
// message queue: for a transfer run without a window.
class TMessageNetworkUi : public TNetworkUi {
public:
    bool AskYesNo(const std::string& text) override;
    void ShowError(const std::string& text) override;
};
