#pragma once

// The program's blocks on the clipboard: copy, paste and withdraw, as the
// copy, cut, paste and drop commands use them. A copy within this running
// copy also remembers the entries its block was made from (the block has no
// room for an entry's own name); a paste of that very block here gets them
// back.

#include "app/ServicePaste.h"
#include "settings/Model.h"

#include <functional>
#include <string>
#include <vector>

// Puts the lines on the clipboard as this copy's block (owner OwnerHandle)
// and remembers `entries` (one per line, or none) for a paste here.
void PutLinesOnClipboard(const std::vector<std::string>& lines, ARR_ARR_OF_STRING entries = {});

// The copy commands: the lines of these services (Export2CLipBoard), or of
// these entries with the entries remembered (det_Copy2clip), as this copy's
// block. Answer the number of lines put there.
std::size_t CopyServicesToClipboard(const std::vector<std::int32_t>& numbers);
std::size_t CopyEntriesToClipboard(const ARR_ARR_OF_STRING& entries);

// What a paste found on the clipboard.
struct TClipboardPaste {
    bool Present = false;  // the clipboard held a block of the private format
    bool Damaged = false;  // ... but too short for its header or its count
    bool OtherCopy = false; // written by another running copy
    TPasteResult Result;
};

// What a paste tells the window that shows it: the number of slots once the
// block is read (a damaged block tells nothing), then now and then the
// number of slots done.
struct TPasteProgress {
    std::function<void(std::size_t count)> Starting;
    std::function<void(std::size_t done)> Step;
};

// Ch_Paste without the window: reads the block, pastes its lines (see
// PasteLines) and empties the clipboard, which a block can be pasted from
// once. A damaged block pastes nothing and is left where it is.
TClipboardPaste PasteFromClipboard(bool entryMode, const TPasteProgress& progress = {});

// Empties the clipboard when it still holds the block this copy put there
// last (a declined cut takes back its own block, and nothing else); answers
// whether it did.
bool WithdrawOwnBlock();
