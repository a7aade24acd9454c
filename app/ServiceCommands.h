#pragma once

// The service commands of the main window, on the model alone: the window's
// handlers read the grid's selection (service numbers, list and entry
// indexes), call one of these, and refresh the lists. Each works on the
// global arrays of settings/Unit_lib.h and sets Modified whenever it changes
// something a save writes; the NEW mark, never saved, leaves it alone.

#include "app/MainLists.h"
#include "settings/Lookups.h"
#include "settings/Model.h"

#include <cstdint>
#include <string>
#include <vector>

// Texts of the new service InsertCh makes.
inline constexpr const char* NewServiceName = "!! Chanforge channel";
inline constexpr const char* NewServiceProvider = "Chanforge provider";

// Appends the new service of InsertCh on the first transponder, numbered
// from ServiceCounter (which moves on), and answers its number; -1 (nothing
// made) when there is no transponder.
std::int32_t AppendNewService();

// Removes the services with these numbers from Services, from every
// provider and from every TV and radio user bouquet (and from bouquets held
// in the cut buffers), in one sweep of each: the work grows with the size of
// the model, not with its size times the number deleted. Numbers no service
// has are ignored. Answers how many services went.
std::size_t DeleteServices(const std::vector<std::int32_t>& numbers);
// Removes every reference to these services from providers and user
// bouquets; the services stay. Markers are never touched.
void RemoveFromBouquets(const std::vector<std::int32_t>& numbers);
// The single-service forms the transponder editor and compare dialog call.
void DelCh(std::int32_t number);
void DelFromBouquets(std::int32_t number);

// Deletes every service whose transponder stands at `position` (a CB_Sat
// item text) together with those transponders; the other services keep
// pointing at their own transponders. Answers the services deleted.
std::size_t DeleteSatellite(const std::string& position);


// What a shared menu handler acts on, told by the clicked item's name.
enum class TCommandTarget { Services, List, Entries };
// Lock items: "TY_..." the provider/bouquet list, "DET_..." the entries,
// anything else the service list (case does not matter).
TCommandTarget LockItemTarget(const std::string& itemName);
// Flag items: names beginning "DET" act on entries ("DET_K_ON",
// "DETT_NOPMT_OFF"), the others on the service list.
TCommandTarget FlagItemTarget(const std::string& itemName);
// Capitalize and Clear PIDs items: "pop_ty_..." the list, "pop_det_..." the
// entries, else the services.
TCommandTarget ItemTargetByPrefix(const std::string& itemName);

// Sets the chosen mark of these services to `value` (the item's Tag).
void SetServiceLock(const std::vector<std::int32_t>& numbers, TLockList list, std::int32_t value);
// Sets the chosen mark of these providers or user bouquets (array indexes).
void SetListLock(TListKind kind, const std::vector<std::int32_t>& indexes, TLockList list, std::int32_t value);
// Sets (on) or clears (off) one flag bit (FLAG_NODVB, FLAG_DONTSHOW,
// FLAG_NOPMT) of these services; the other bits stay.
void SetServiceFlag(const std::vector<std::int32_t>& numbers, std::int32_t bit, bool on);

// Service numbers behind these entries of provider or bouquet `listIndex`
// of `kind`, in the order given; markers, entries out of range and entries
// whose number is no number are skipped.
std::vector<std::int32_t> EntryServiceNumbers(TListKind kind, std::int32_t listIndex,
                                              const std::vector<std::int32_t>& entryIndexes);

// NEW mark: AddNewFlag marks the services NewChannels names; RemoveNewFlag
// clears the mark of Services[index] and answers whether it was set.
void AddNewFlag();
bool RemoveNewFlag(std::int32_t index);

// Capitalize: the names of these services; of these providers or bouquets;
// of the services behind these entries and the texts of the markers among
// them (markers only in user bouquets).
void CapitalizeServices(const std::vector<std::int32_t>& numbers);
void CapitalizeList(TListKind kind, const std::vector<std::int32_t>& indexes);
void CapitalizeEntries(TListKind kind, std::int32_t listIndex, const std::vector<std::int32_t>& entryIndexes);

// Clear PIDs: video, audio and PCR PID of these services become "0000";
// teletext and AC3 stay.
void ClearPids(const std::vector<std::int32_t>& numbers);

// The Find command's search: the first row after `selectedRow` (wrapping to
// the top, the selected row last) whose text begins with `pattern`,
// ignoring ASCII case; -1 when none does or the pattern is empty.
std::int32_t FindRowByPrefix(const std::vector<std::string>& texts, std::int32_t selectedRow,
                             const std::string& pattern);
