#include "app/ServiceCommands.h"

#include "app/BouquetCommands.h"
#include "settings/FolderIO.h"
#include "settings/Unit_lib.h"

#include <algorithm>
#include <unordered_set>

namespace {

using TNumberSet = std::unordered_set<std::int32_t>;

bool EntryNames(const TY_TEXT_TRIPLE& entry, const TNumberSet& numbers)
{
    std::int32_t number = 0;
    return entry.size() >= 2 && entry[0] == UB_ENTRY_SERVICE && TryParseInt(entry[1], number) &&
           numbers.count(number) != 0;
}

// Drops the references to `numbers` from one set of providers and bouquets;
// true when any went.
bool SweepReferences(ARR_ENIG_PR& providers, ARR_ENIG_UB& bouquets, const TNumberSet& numbers)
{
    bool changed = false;
    for (auto& pr : providers)
        changed |= std::erase_if(pr.Members, [&](std::int32_t n) { return numbers.count(n) != 0; }) > 0;
    for (auto& ub : bouquets) {
        if (std::erase_if(ub.Entries, [&](const TY_TEXT_TRIPLE& e) { return EntryNames(e, numbers); }) == 0)
            continue;
        changed = true;
        ub.ServiceCount = static_cast<std::int32_t>(std::count_if(
            ub.Entries.begin(), ub.Entries.end(),
            [](const TY_TEXT_TRIPLE& e) { return e[0] == UB_ENTRY_SERVICE; }));
    }
    return changed;
}

bool SweepAll(const TNumberSet& numbers)
{
    ARR_ENIG_UB none;
    ARR_ENIG_PR noProviders;
    bool changed = SweepReferences(Providers, TvBouquets, numbers);
    changed |= SweepReferences(noProviders, RadioBouquets, numbers);
    // Cut elements may come back with a paste; they must not bring back
    // services deleted meanwhile. They are not saved, so Modified stays.
    SweepReferences(CutProviders, CutBouquets, numbers);
    return changed;
}

// Each selected service once, by array index (the first with its number).
template <typename Fn>
void ForEachService(const std::vector<std::int32_t>& numbers, Fn&& fn)
{
    if (numbers.empty())
        return;
    const TChNumberIndex index(Services);
    for (std::int32_t n : numbers) {
        const std::int32_t i = index.Find(n);
        if (i >= 0)
            fn(Services[static_cast<std::size_t>(i)]);
    }
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (AsciiLower(text[i]) != AsciiLower(prefix[i]))
            return false;
    return true;
}

} // namespace

std::int32_t AppendNewService()
{
    if (Transponders.empty())
        return -1;
    TY_ENIG_CH ch;
    ch.Number = ServiceCounter++;
    ch.Sid = "0000";
    ch.TpIndex = 0;
    ch.ServiceType = 1;
    ch.Key = "0000" + Transponders[0].Key + "1";
    ch.Provider = NewServiceProvider;
    ch.Name = NewServiceName;
    Services.push_back(std::move(ch));
    Modified = true;
    return Services.back().Number;
}

std::size_t DeleteServices(const std::vector<std::int32_t>& numbers)
{
    if (numbers.empty())
        return 0;
    const TNumberSet gone(numbers.begin(), numbers.end());
    const bool references = SweepAll(gone);
    const std::size_t removed =
        std::erase_if(Services, [&](const TY_ENIG_CH& ch) { return gone.count(ch.Number) != 0; });
    if (removed > 0 || references)
        Modified = true;
    return removed;
}

void RemoveFromBouquets(const std::vector<std::int32_t>& numbers)
{
    if (numbers.empty())
        return;
    if (SweepAll(TNumberSet(numbers.begin(), numbers.end())))
        Modified = true;
}

void DelCh(std::int32_t number)
{
    const auto it = std::find_if(Services.begin(), Services.end(),
                                 [number](const TY_ENIG_CH& ch) { return ch.Number == number; });
    if (it == Services.end())
        return;
    Services.erase(it);
    Modified = true;
}

void DelFromBouquets(std::int32_t number) { RemoveFromBouquets({number}); }

std::size_t DeleteSatellite(const std::string& position)
{
    const std::size_t tpCount = Transponders.size();
    std::vector<bool> atPosition(tpCount, false);
    for (std::size_t i = 0; i < tpCount; ++i)
        atPosition[i] = Transponders[i].Position == position;

    std::vector<std::int32_t> numbers;
    for (const auto& ch : Services)
        if (ch.TpIndex >= 0 && static_cast<std::size_t>(ch.TpIndex) < tpCount &&
            atPosition[static_cast<std::size_t>(ch.TpIndex)])
            numbers.push_back(ch.Number);
    const std::size_t removed = DeleteServices(numbers);

    // Old index -> new index of each kept transponder.
    std::vector<std::int32_t> newIndex(tpCount, -1);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < tpCount; ++i)
        if (!atPosition[i]) {
            newIndex[i] = static_cast<std::int32_t>(kept);
            if (kept != i)
                Transponders[kept] = std::move(Transponders[i]);
            ++kept;
        }
    if (kept == tpCount)
        return removed;
    Transponders.resize(kept);
    for (auto& ch : Services)
        if (ch.TpIndex >= 0 && static_cast<std::size_t>(ch.TpIndex) < tpCount)
            ch.TpIndex = newIndex[static_cast<std::size_t>(ch.TpIndex)];
    Modified = true;
    return removed;
}

TCommandTarget LockItemTarget(const std::string& itemName)
{
    const std::string name = ToUpperAscii(itemName);
    if (name.starts_with("TY_"))
        return TCommandTarget::List;
    if (name.starts_with("DET_"))
        return TCommandTarget::Entries;
    return TCommandTarget::Services;
}

TCommandTarget FlagItemTarget(const std::string& itemName)
{
    return ToUpperAscii(itemName).starts_with("DET") ? TCommandTarget::Entries : TCommandTarget::Services;
}

TCommandTarget ItemTargetByPrefix(const std::string& itemName)
{
    const std::string name = ToLowerAscii(itemName);
    if (name.starts_with("pop_ty_"))
        return TCommandTarget::List;
    if (name.starts_with("pop_det_"))
        return TCommandTarget::Entries;
    return TCommandTarget::Services;
}

void SetServiceLock(const std::vector<std::int32_t>& numbers, TLockList list, std::int32_t value)
{
    ForEachService(numbers, [&](TY_ENIG_CH& ch) {
        (list == TLockList::Black ? ch.Black : ch.White) = value;
        Modified = true;
    });
}

void SetListLock(TListKind kind, const std::vector<std::int32_t>& indexes, TLockList list, std::int32_t value)
{
    for (std::int32_t i : indexes) {
        if (i < 0 || i >= ElementCount(kind))
            continue;
        const auto at = static_cast<std::size_t>(i);
        if (kind == TListKind::Providers)
            (list == TLockList::Black ? Providers[at].Black : Providers[at].White) = value;
        else
            (list == TLockList::Black ? BouquetArray(kind)[at].Black : BouquetArray(kind)[at].White) = value;
        Modified = true;
    }
}

void SetServiceFlag(const std::vector<std::int32_t>& numbers, std::int32_t bit, bool on)
{
    ForEachService(numbers, [&](TY_ENIG_CH& ch) {
        ch.Flags = on ? (ch.Flags | bit) : (ch.Flags & ~bit);
        Modified = true;
    });
}

std::vector<std::int32_t> EntryServiceNumbers(TListKind kind, std::int32_t listIndex,
                                              const std::vector<std::int32_t>& entryIndexes)
{
    std::vector<std::int32_t> numbers;
    if (listIndex < 0 || listIndex >= ElementCount(kind))
        return numbers;
    const auto at = static_cast<std::size_t>(listIndex);
    for (std::int32_t e : entryIndexes) {
        if (e < 0)
            continue;
        const auto ei = static_cast<std::size_t>(e);
        if (kind == TListKind::Providers) {
            if (ei < Providers[at].Members.size())
                numbers.push_back(Providers[at].Members[ei]);
            continue;
        }
        const ARR_ENIG_UB& ubs = BouquetArray(kind);
        if (ei >= ubs[at].Entries.size())
            continue;
        const TY_TEXT_TRIPLE& entry = ubs[at].Entries[ei];
        std::int32_t number = 0;
        if (entry.size() >= 2 && entry[0] == UB_ENTRY_SERVICE && TryParseInt(entry[1], number))
            numbers.push_back(number);
    }
    return numbers;
}

void AddNewFlag() { MarkNewServices(NewChannels); }

bool RemoveNewFlag(std::int32_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= Services.size())
        return false;
    TY_ENIG_CH& ch = Services[static_cast<std::size_t>(index)];
    if ((ch.Flags & FLAG_NEW) == 0)
        return false;
    ch.Flags &= 0x7F;
    return true;
}

void CapitalizeServices(const std::vector<std::int32_t>& numbers)
{
    ForEachService(numbers, [](TY_ENIG_CH& ch) {
        TitleCase(ch.Name);
        Modified = true;
    });
}

void CapitalizeList(TListKind kind, const std::vector<std::int32_t>& indexes)
{
    for (std::int32_t i : indexes) {
        if (i < 0 || i >= ElementCount(kind))
            continue;
        const auto at = static_cast<std::size_t>(i);
        TitleCase(kind == TListKind::Providers ? Providers[at].Name : BouquetArray(kind)[at].Name);
        Modified = true;
    }
}

void CapitalizeEntries(TListKind kind, std::int32_t listIndex, const std::vector<std::int32_t>& entryIndexes)
{
    CapitalizeServices(EntryServiceNumbers(kind, listIndex, entryIndexes));
    if (kind == TListKind::Providers || listIndex < 0 || listIndex >= ElementCount(kind))
        return;
    ARR_ARR_OF_STRING& entries = BouquetArray(kind)[static_cast<std::size_t>(listIndex)].Entries;
    for (std::int32_t e : entryIndexes) {
        if (e < 0 || static_cast<std::size_t>(e) >= entries.size())
            continue;
        TY_TEXT_TRIPLE& entry = entries[static_cast<std::size_t>(e)];
        if (entry.size() >= 2 && entry[0] == UB_ENTRY_MARKER) {
            TitleCase(entry[1]);
            Modified = true;
        }
    }
}

void ClearPids(const std::vector<std::int32_t>& numbers)
{
    ForEachService(numbers, [](TY_ENIG_CH& ch) {
        for (int k : {PID_VIDEO, PID_AUDIO, PID_PCR})
            ch.Pids[static_cast<std::size_t>(k)] = "0000";
        Modified = true;
    });
}

std::int32_t FindRowByPrefix(const std::vector<std::string>& texts, std::int32_t selectedRow,
                             const std::string& pattern)
{
    const auto rows = static_cast<std::int32_t>(texts.size());
    if (pattern.empty() || rows == 0)
        return -1;
    const std::int32_t from = selectedRow < 0 || selectedRow >= rows ? 0 : selectedRow + 1;
    for (std::int32_t k = 0; k < rows; ++k) {
        const std::int32_t row = (from + k) % rows;
        if (StartsWithNoCase(texts[static_cast<std::size_t>(row)], pattern))
            return row;
    }
    return -1;
}
