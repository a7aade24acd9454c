#pragma once

// The provider/bouquet and entry commands of the main window, on the model
// alone. Elements are named by their array index (the hidden index of a
// list row), never by row: the provider list is shown sorted by name.
// Every change a save writes sets Modified.

#include "settings/Lookups.h"
#include "settings/Model.h"

#include <cstdint>
#include <string>
#include <vector>

// Cut providers and cut user bouquets, waiting for a paste. CutBouquets is
// shared by the TV and radio lists: bouquets cut from one list can be pasted
// into the other, so switching between those lists keeps it.
extern ARR_ENIG_PR CutProviders;
extern ARR_ENIG_UB CutBouquets;
void EmptyCutBuffers();
// The list choice changed: providers cut before cannot go into a bouquet
// list, so CutProviders is emptied; CutBouquets stays.
void ListChoiceChanged();
// The cut buffer of the shown kind holds something.
bool HasCutElements(TListKind kind);

// TvBouquets or RadioBouquets (RadioBouquets for any other kind).
ARR_ENIG_UB& BouquetArray(TListKind kind);
// Number of providers or bouquets of the kind.
std::int32_t ElementCount(TListKind kind);

// Inserts a provider (id from ProviderCounter) or user bouquet (file id the
// counter of its list as four upper-case hex digits) named `name` before
// element `position` (clamped to the array) and answers its index.
std::int32_t InsertUB(TListKind kind, std::int32_t position, const std::string& name);

// Moves these elements (indexes, in the order the rows show them) into the
// kind's cut buffer, which is emptied first, and removes them from the
// array. A plain delete leaves them there too. Answers how many went.
std::size_t DeleteBouquet(TListKind kind, const std::vector<std::int32_t>& indexes);

// Pastes the cut elements: providers (from CutProviders) at the end, user
// bouquets (from CutBouquets) before element `position` in their cut order.
// Empties that buffer and answers the index of the first pasted element, or
// -1 when the buffer was empty.
std::int32_t PasteCutElements(TListKind kind, std::int32_t position);

// Renames element `index`; an empty name changes nothing.
bool RenameElement(TListKind kind, std::int32_t index, const std::string& name);

// Removes the providers without members or the user bouquets of the kind
// without entries; answers how many went.
std::size_t RemoveEmptyElements(TListKind kind);

// Inserts one entry at `position` (clamped) of element `listIndex`:
// a user bouquet gets (entryKind, value, no own name); a provider gets the
// member number `value`, and a marker or a value that is no number is
// skipped. False when nothing was inserted.
bool InsertIntoDetails(TListKind kind, std::int32_t listIndex, std::int32_t position,
                       const std::string& entryKind, const std::string& value);

// Inserts entries (kind, value[, own name]) at `position` of element
// `listIndex` in one move, keeping their order; providers skip markers.
// Answers how many were inserted.
std::size_t InsertEntries(TListKind kind, std::int32_t listIndex, std::int32_t position,
                          const ARR_ARR_OF_STRING& entries);

// Removes these entries (indexes) of element `listIndex`; answers how many.
std::size_t RemoveFromDetails(TListKind kind, std::int32_t listIndex, const std::vector<std::int32_t>& entryIndexes);

// The entries (kind, value, own name) at these indexes of element
// `listIndex`, in the order given; providers give ("S", member). Indexes
// out of range are skipped.
ARR_ARR_OF_STRING TakeEntries(TListKind kind, std::int32_t listIndex, const std::vector<std::int32_t>& entryIndexes);

// "Rename in bouquet" with a non-empty answer: a service entry's own name
// becomes the answer, or empty when it equals the service's name; a marker's
// text becomes the answer. Providers have no own names: nothing changes.
// True when the entry changed.
bool RenameEntry(TListKind kind, std::int32_t listIndex, std::int32_t entryIndex, const std::string& answer);

// Where moved rows land: the row under the mouse (0 when none) less the
// moved rows above it, so rows dragged downwards land at the same place
// under the mouse although the rows above it shrank.
std::int32_t DropRowAfterRemoval(std::int32_t rowUnderMouse, const std::vector<std::int32_t>& movedRows);

// Drag and drop within the entries of element `listIndex`: moves these
// entries, own names kept, to the place of `targetRow`. Answers the row the
// first moved entry now has.
std::int32_t MoveEntries(TListKind kind, std::int32_t listIndex, const std::vector<std::int32_t>& entryIndexes,
                         std::int32_t targetRow);
// Drag of entries onto another element: takes them out of `fromIndex` and
// puts them at the top of `toIndex`. Answers how many arrived.
std::size_t MoveEntriesToElement(TListKind kind, std::int32_t fromIndex, const std::vector<std::int32_t>& entryIndexes,
                                 std::int32_t toIndex);
// Drag within the list: moves these elements before the element of
// `targetRow` (less the moved ones above it). Answers the new index of the
// first moved element.
std::int32_t MoveElements(TListKind kind, const std::vector<std::int32_t>& indexes, std::int32_t targetRow);
