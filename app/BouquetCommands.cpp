#include "app/BouquetCommands.h"

#include "settings/Unit_lib.h"

#include <algorithm>
#include <cstdio>
#include <set>

ARR_ENIG_PR CutProviders;
ARR_ENIG_UB CutBouquets;

namespace {

std::int32_t Clamp(std::int32_t value, std::size_t size)
{
    if (value < 0)
        return 0;
    return static_cast<std::size_t>(value) > size ? static_cast<std::int32_t>(size) : value;
}

bool IsService(const TY_TEXT_TRIPLE& e) { return e[0] == UB_ENTRY_SERVICE; }

void Recount(TY_ENIG_UB& ub)
{
    ub.ServiceCount = static_cast<std::int32_t>(std::count_if(ub.Entries.begin(), ub.Entries.end(), IsService));
}

bool ValidElement(TListKind kind, std::int32_t index) { return index >= 0 && index < ElementCount(kind); }

std::string Hex4(std::int32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(value));
    return text;
}

// The indexes in ascending order, each once, those outside 0..size-1 dropped.
std::vector<std::int32_t> SortedValid(const std::vector<std::int32_t>& indexes, std::size_t size)
{
    std::set<std::int32_t> s;
    for (std::int32_t i : indexes)
        if (i >= 0 && static_cast<std::size_t>(i) < size)
            s.insert(i);
    return {s.begin(), s.end()};
}

// Removes the elements at the (ascending, valid) indexes in one pass.
template <typename T>
void RemoveAt(std::vector<T>& v, const std::vector<std::int32_t>& sorted)
{
    if (sorted.empty())
        return;
    std::size_t out = static_cast<std::size_t>(sorted.front());
    std::size_t next = 0;
    for (std::size_t i = out; i < v.size(); ++i) {
        if (next < sorted.size() && static_cast<std::size_t>(sorted[next]) == i) {
            ++next;
            continue;
        }
        if (out != i)
            v[out] = std::move(v[i]);
        ++out;
    }
    v.resize(out);
}

std::size_t EntryCount(TListKind kind, std::int32_t listIndex)
{
    const auto at = static_cast<std::size_t>(listIndex);
    return kind == TListKind::Providers ? Providers[at].Members.size() : BouquetArray(kind)[at].Entries.size();
}

} // namespace

void EmptyCutBuffers()
{
    CutProviders.clear();
    CutBouquets.clear();
}

void ListChoiceChanged() { CutProviders.clear(); }

bool HasCutElements(TListKind kind)
{
    return kind == TListKind::Providers ? !CutProviders.empty() : !CutBouquets.empty();
}

ARR_ENIG_UB& BouquetArray(TListKind kind) { return kind == TListKind::TvBouquets ? TvBouquets : RadioBouquets; }

std::int32_t ElementCount(TListKind kind)
{
    return static_cast<std::int32_t>(kind == TListKind::Providers ? Providers.size() : BouquetArray(kind).size());
}

std::int32_t InsertUB(TListKind kind, std::int32_t position, const std::string& name)
{
    const std::int32_t at = Clamp(position, static_cast<std::size_t>(ElementCount(kind)));
    if (kind == TListKind::Providers) {
        TY_ENIG_PR pr;
        pr.Name = name;
        pr.Id = ProviderCounter++;
        Providers.insert(Providers.begin() + at, std::move(pr));
    } else {
        std::int32_t& counter = kind == TListKind::TvBouquets ? TvBouquetCounter : RadioBouquetCounter;
        TY_ENIG_UB ub;
        ub.Name = name;
        ub.FileId = Hex4(counter++);
        ARR_ENIG_UB& ubs = BouquetArray(kind);
        ubs.insert(ubs.begin() + at, std::move(ub));
    }
    Modified = true;
    return at;
}

std::size_t DeleteBouquet(TListKind kind, const std::vector<std::int32_t>& indexes)
{
    const auto size = static_cast<std::size_t>(ElementCount(kind));
    std::vector<bool> taken(size, false);
    if (kind == TListKind::Providers)
        CutProviders.clear();
    else
        CutBouquets.clear();
    for (std::int32_t i : indexes) {
        if (i < 0 || static_cast<std::size_t>(i) >= size || taken[static_cast<std::size_t>(i)])
            continue;
        taken[static_cast<std::size_t>(i)] = true;
        if (kind == TListKind::Providers)
            CutProviders.push_back(Providers[static_cast<std::size_t>(i)]);
        else
            CutBouquets.push_back(BouquetArray(kind)[static_cast<std::size_t>(i)]);
    }
    const std::vector<std::int32_t> sorted = SortedValid(indexes, size);
    if (kind == TListKind::Providers)
        RemoveAt(Providers, sorted);
    else
        RemoveAt(BouquetArray(kind), sorted);
    if (!sorted.empty())
        Modified = true;
    return sorted.size();
}

std::int32_t PasteCutElements(TListKind kind, std::int32_t position)
{
    if (!HasCutElements(kind))
        return -1;
    std::int32_t at = 0;
    if (kind == TListKind::Providers) {
        at = static_cast<std::int32_t>(Providers.size());
        Providers.insert(Providers.end(), std::make_move_iterator(CutProviders.begin()),
                         std::make_move_iterator(CutProviders.end()));
        CutProviders.clear();
    } else {
        ARR_ENIG_UB& ubs = BouquetArray(kind);
        at = Clamp(position, ubs.size());
        ubs.insert(ubs.begin() + at, std::make_move_iterator(CutBouquets.begin()),
                   std::make_move_iterator(CutBouquets.end()));
        CutBouquets.clear();
    }
    Modified = true;
    return at;
}

bool RenameElement(TListKind kind, std::int32_t index, const std::string& name)
{
    if (name.empty() || !ValidElement(kind, index))
        return false;
    const auto at = static_cast<std::size_t>(index);
    (kind == TListKind::Providers ? Providers[at].Name : BouquetArray(kind)[at].Name) = name;
    Modified = true;
    return true;
}

std::size_t RemoveEmptyElements(TListKind kind)
{
    const std::size_t removed =
        kind == TListKind::Providers
            ? std::erase_if(Providers, [](const TY_ENIG_PR& pr) { return pr.Members.empty(); })
            : std::erase_if(BouquetArray(kind), [](const TY_ENIG_UB& ub) { return ub.Entries.empty(); });
    if (removed > 0)
        Modified = true;
    return removed;
}

bool InsertIntoDetails(TListKind kind, std::int32_t listIndex, std::int32_t position, const std::string& entryKind,
                       const std::string& value)
{
    return InsertEntries(kind, listIndex, position, {{entryKind, value}}) == 1;
}

std::size_t InsertEntries(TListKind kind, std::int32_t listIndex, std::int32_t position,
                          const ARR_ARR_OF_STRING& entries)
{
    if (!ValidElement(kind, listIndex) || entries.empty())
        return 0;
    const auto at = static_cast<std::size_t>(listIndex);
    std::size_t inserted = 0;
    if (kind == TListKind::Providers) {
        // A provider holds service numbers only: markers and anything that
        // is no number have no place in it.
        ARR_OF_INTEGER members;
        for (const auto& e : entries) {
            std::int32_t number = 0;
            if (e.size() >= 2 && e[0] == UB_ENTRY_SERVICE && TryParseInt(e[1], number))
                members.push_back(number);
        }
        ARR_OF_INTEGER& dst = Providers[at].Members;
        dst.insert(dst.begin() + Clamp(position, dst.size()), members.begin(), members.end());
        inserted = members.size();
    } else {
        ARR_ARR_OF_STRING add;
        add.reserve(entries.size());
        for (const auto& e : entries) {
            if (e.size() < 2 || (e[0] != UB_ENTRY_SERVICE && e[0] != UB_ENTRY_MARKER))
                continue;
            add.push_back(e);
        }
        TY_ENIG_UB& ub = BouquetArray(kind)[at];
        ub.Entries.insert(ub.Entries.begin() + Clamp(position, ub.Entries.size()), std::make_move_iterator(add.begin()),
                          std::make_move_iterator(add.end()));
        Recount(ub);
        inserted = add.size();
    }
    if (inserted > 0)
        Modified = true;
    return inserted;
}

std::size_t RemoveFromDetails(TListKind kind, std::int32_t listIndex, const std::vector<std::int32_t>& entryIndexes)
{
    if (!ValidElement(kind, listIndex))
        return 0;
    const std::vector<std::int32_t> sorted = SortedValid(entryIndexes, EntryCount(kind, listIndex));
    const auto at = static_cast<std::size_t>(listIndex);
    if (kind == TListKind::Providers) {
        RemoveAt(Providers[at].Members, sorted);
    } else {
        RemoveAt(BouquetArray(kind)[at].Entries, sorted);
        Recount(BouquetArray(kind)[at]);
    }
    if (!sorted.empty())
        Modified = true;
    return sorted.size();
}

ARR_ARR_OF_STRING TakeEntries(TListKind kind, std::int32_t listIndex, const std::vector<std::int32_t>& entryIndexes)
{
    ARR_ARR_OF_STRING out;
    if (!ValidElement(kind, listIndex))
        return out;
    const auto at = static_cast<std::size_t>(listIndex);
    const std::size_t count = EntryCount(kind, listIndex);
    for (std::int32_t e : entryIndexes) {
        if (e < 0 || static_cast<std::size_t>(e) >= count)
            continue;
        const auto ei = static_cast<std::size_t>(e);
        if (kind == TListKind::Providers) {
            out.push_back({UB_ENTRY_SERVICE, std::to_string(Providers[at].Members[ei]), std::string()});
        } else {
            out.push_back(BouquetArray(kind)[at].Entries[ei]);
        }
    }
    return out;
}

bool RenameEntry(TListKind kind, std::int32_t listIndex, std::int32_t entryIndex, const std::string& answer)
{
    if (answer.empty() || kind == TListKind::Providers || !ValidElement(kind, listIndex))
        return false;
    ARR_ARR_OF_STRING& entries = BouquetArray(kind)[static_cast<std::size_t>(listIndex)].Entries;
    if (entryIndex < 0 || static_cast<std::size_t>(entryIndex) >= entries.size())
        return false;
    TY_TEXT_TRIPLE& entry = entries[static_cast<std::size_t>(entryIndex)];
    if (entry[0] == UB_ENTRY_MARKER) {
        entry[1] = answer;
    } else {
        std::int32_t number = 0;
        const std::int32_t i = TryParseInt(entry[1], number) ? FindServiceIndexById(number) : -1;
        const bool sameAsService = i >= 0 && Services[static_cast<std::size_t>(i)].Name == answer;
        entry[2] = sameAsService ? std::string() : answer;
    }
    Modified = true;
    return true;
}

std::int32_t DropRowAfterRemoval(std::int32_t rowUnderMouse, const std::vector<std::int32_t>& movedRows)
{
    const std::int32_t row = rowUnderMouse < 0 ? 0 : rowUnderMouse;
    std::set<std::int32_t> above;
    for (std::int32_t r : movedRows)
        if (r >= 0 && r < row)
            above.insert(r);
    return row - static_cast<std::int32_t>(above.size());
}

std::int32_t MoveEntries(TListKind kind, std::int32_t listIndex, const std::vector<std::int32_t>& entryIndexes,
                         std::int32_t targetRow)
{
    if (!ValidElement(kind, listIndex))
        return -1;
    const std::vector<std::int32_t> sorted = SortedValid(entryIndexes, EntryCount(kind, listIndex));
    const ARR_ARR_OF_STRING moved = TakeEntries(kind, listIndex, sorted);
    RemoveFromDetails(kind, listIndex, sorted);
    const std::int32_t at = Clamp(DropRowAfterRemoval(targetRow, sorted), EntryCount(kind, listIndex));
    InsertEntries(kind, listIndex, at, moved);
    return at;
}

std::size_t MoveEntriesToElement(TListKind kind, std::int32_t fromIndex, const std::vector<std::int32_t>& entryIndexes,
                                 std::int32_t toIndex)
{
    if (!ValidElement(kind, fromIndex) || !ValidElement(kind, toIndex))
        return 0;
    const std::vector<std::int32_t> sorted = SortedValid(entryIndexes, EntryCount(kind, fromIndex));
    const ARR_ARR_OF_STRING moved = TakeEntries(kind, fromIndex, sorted);
    RemoveFromDetails(kind, fromIndex, sorted);
    return InsertEntries(kind, toIndex, 0, moved);
}

std::int32_t MoveElements(TListKind kind, const std::vector<std::int32_t>& indexes, std::int32_t targetRow)
{
    const std::vector<std::int32_t> sorted = SortedValid(indexes, static_cast<std::size_t>(ElementCount(kind)));
    if (sorted.empty())
        return -1;
    const std::int32_t at = DropRowAfterRemoval(targetRow, sorted);
    DeleteBouquet(kind, sorted);
    const std::int32_t first = PasteCutElements(kind, at);
    return first;
}
