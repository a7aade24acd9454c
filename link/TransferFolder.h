#pragma once

#include "link/NetworkHost.h"

// The main window's side of a successful read: loads the transfer folder as
// the current set, then empties and removes it; the load folder the user
// chose stays what it was.
void OpenTransferFolder(TNetworkHost& host);

// Empties the transfer folder of the settings files and removes it when
// nothing else is left in it (a user's foreign files stay).
void RemoveTransferFolder();
