#pragma once

#include "link/NetworkHost.h"

// The main window's side of a successful read: loads the transfer folder as
// the current set, then empties and removes it; the load folder the user
// chose stays what it was.
void OpenTransferFolder(TNetworkHost& host);
