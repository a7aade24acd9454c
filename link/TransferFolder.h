#pragma once

#include "link/NetworkHost.h"

// The main window's side of a successful read: loads the transfer folder as
// the current set, then empties and removes it; the load folder the user
// chose stays what it was.
void OpenTransferFolder(TNetworkHost& host);

// Empties and removes the transfer folder. The folder is the program's own,
// so every file in it goes, whatever its name: a receiver sends files (its
// "settings", for one) that the settings-folder clean-up rightly keeps in a
// user's folder, and a folder left behind would carry them into the next
// transfer.
void RemoveTransferFolder();
