#include "settings/Lookups.h"
#include "settings/Fields.h"
#include "settings/HexDigits.h"
#include "settings/NameTables.h"
#include "settings/Unit_lib.h"

bool TTpKeyIndex::Pack(std::string_view key, std::uint64_t& packed)
{
    std::uint32_t high = 0, low = 0;
    if (key.size() != 16 || !PackEight(key.data(), high) || !PackEight(key.data() + 8, low))
        return false;
    packed = std::uint64_t{high} << 32 | low;
    return true;
}

namespace {
std::size_t HomeOf(std::uint64_t key, std::size_t mask)
{
    key ^= key >> 33;
    key *= 0xff51afd7ed558ccdULL;
    key ^= key >> 33;
    return static_cast<std::size_t>(key) & mask;
}
} // namespace

void TTpKeyIndex::Build(const ARR_ENIG_TP& arr)
{
    map_.clear();
    std::size_t capacity = 16;
    while (capacity < arr.size() * 2)
        capacity <<= 1;
    slots_.assign(capacity, Slot{});
    mask_ = capacity - 1;
    byIndex_.assign(arr.size(), Slot{});
    for (std::size_t i = 0; i < arr.size(); ++i) {
        std::uint64_t key = 0;
        if (!Pack(arr[i].Key, key)) {
            map_.try_emplace(arr[i].Key, static_cast<std::int32_t>(i)); // keeps the first
            continue;
        }
        for (std::size_t at = HomeOf(key, mask_);; at = (at + 1) & mask_) {
            Slot& slot = slots_[at];
            if (slot.index < 0) {
                slot = {key, static_cast<std::int32_t>(i)};
                byIndex_[i] = slot;
                break;
            }
            if (slot.key == key)
                break; // keeps the first
        }
    }
}

std::int32_t TTpKeyIndex::Find(std::string_view key) const
{
    std::uint64_t packed = 0;
    if (!Pack(key, packed)) {
        if (map_.empty())
            return -1;
        auto it = map_.find(key);
        return it == map_.end() ? -1 : it->second;
    }
    return FindPacked(packed);
}

std::int32_t TTpKeyIndex::FindPacked(std::uint64_t packed) const
{
    if (slots_.empty())
        return -1;
    for (std::size_t at = HomeOf(packed, mask_);; at = (at + 1) & mask_) {
        const Slot& slot = slots_[at];
        if (slot.index < 0)
            return -1;
        if (slot.key == packed)
            return slot.index;
    }
}

void TChKeyIndex::Build(const ARR_ENIG_CH& arr)
{
    map_.clear();
    map_.reserve(arr.size());
    for (std::size_t i = 0; i < arr.size(); ++i)
        map_.try_emplace(arr[i].Key, static_cast<std::int32_t>(i));
}

std::int32_t TChKeyIndex::Find(std::string_view key) const
{
    auto it = map_.find(key);
    return it == map_.end() ? -1 : it->second;
}

void TChNumberIndex::Build(const ARR_ENIG_CH& arr)
{
    map_.clear();
    map_.reserve(arr.size());
    for (std::size_t i = 0; i < arr.size(); ++i)
        map_.try_emplace(arr[i].Number, static_cast<std::int32_t>(i));
}

std::int32_t TChNumberIndex::Find(std::int32_t number) const
{
    auto it = map_.find(number);
    return it == map_.end() ? -1 : it->second;
}

int FindServiceByKey(std::string_view key, const ARR_ENIG_CH& arr, std::int32_t& number)
{
    for (const auto& s : arr)
        if (s.Key == key) {
            number = s.Number;
            return 0;
        }
    return 1;
}

int FindServiceByKey(std::string_view key, const ARR_ENIG_CH& arr, const TChKeyIndex& index,
                     std::int32_t& number)
{
    const std::int32_t i = index.Find(key);
    if (i < 0 || static_cast<std::size_t>(i) >= arr.size())
        return 1;
    number = arr[static_cast<std::size_t>(i)].Number;
    return 0;
}

int FindTransponderByKey(std::string_view key, const ARR_ENIG_TP& arr, std::int32_t& index)
{
    for (std::size_t i = 0; i < arr.size(); ++i)
        if (arr[i].Key == key) {
            index = static_cast<std::int32_t>(i);
            return 0;
        }
    return 1;
}

int FindTransponderByKey(std::string_view key, const TTpKeyIndex& tpIndex, std::int32_t& index)
{
    const std::int32_t i = tpIndex.Find(key);
    if (i < 0)
        return 1;
    index = i;
    return 0;
}

std::int32_t FindServiceIndexById(std::int32_t number)
{
    for (std::size_t i = 0; i < Services.size(); ++i)
        if (Services[i].Number == number)
            return static_cast<std::int32_t>(i);
    return -1;
}

std::int32_t FindServiceIndexById(std::int32_t number, const TChNumberIndex& index)
{
    return index.Find(number);
}

std::int32_t ServiceIndexOfCell(TListKind kind, std::int32_t row, std::int32_t column)
{
    if (row < 0 || column < 0)
        return -1;
    const auto r = static_cast<std::size_t>(row);
    const auto c = static_cast<std::size_t>(column);
    if (kind == TListKind::Providers) {
        if (r >= Providers.size() || c >= Providers[r].Members.size())
            return -1;
        return FindServiceIndexById(Providers[r].Members[c]);
    }
    const ARR_ENIG_UB& bouquets = kind == TListKind::TvBouquets ? TvBouquets : RadioBouquets;
    if (r >= bouquets.size() || c >= bouquets[r].Entries.size())
        return -1;
    const TY_TEXT_TRIPLE& entry = bouquets[r].Entries[c];
    std::int32_t number = 0;
    if (entry.size() < 2 || !TryParseInt(entry[1], number))
        return -1;
    return FindServiceIndexById(number);
}

std::string TransponderSummary(std::int32_t tpIndex, const ARR_ENIG_TP& arr)
{
    if (tpIndex < 0 || static_cast<std::size_t>(tpIndex) >= arr.size())
        return {};
    const TY_ENIG_TP& tp = arr[static_cast<std::size_t>(tpIndex)];
    std::int32_t freq = 0, sr = 0;
    TryParseInt(Trim(tp.Frequency), freq);
    TryParseInt(Trim(tp.SymbolRate), sr);
    std::string s = std::to_string(freq / 1000);
    s += tp.Polarisation == "0" ? "H " : "V ";
    s += std::to_string(sr / 1000);
    s += ' ';
    s += FecIndexToText(tp.Fec);
    return s;
}

bool TpHasChannel(std::int32_t tpIndex, const ARR_ENIG_CH& services)
{
    for (const auto& s : services)
        if (s.TpIndex == tpIndex)
            return true;
    return false;
}

bool TpHasChannel(std::int32_t tpIndex) { return TpHasChannel(tpIndex, Services); }

std::int32_t CountServicesFromArray(const ARR_ENIG_CH& services, const ARR_ENIG_TP& transponders,
                                    std::int32_t typeFilter, const std::string& satFilter)
{
    std::int32_t count = 0;
    for (const auto& s : services) {
        const std::int32_t t = s.ServiceType;
        bool typeOk = true;
        switch (typeFilter) {
        case 1: typeOk = t == 1 || t == 4 || t == 25; break;
        case 2: typeOk = t == 2; break;
        case 3: typeOk = t == 3 || (t > 4 && t != 25); break;
        default: break;
        }
        if (!typeOk)
            continue;
        if (!satFilter.empty()) {
            if (s.TpIndex < 0 || static_cast<std::size_t>(s.TpIndex) >= transponders.size() ||
                transponders[static_cast<std::size_t>(s.TpIndex)].Position != satFilter)
                continue;
        }
        ++count;
    }
    return count;
}

std::int32_t CountNoOfCha(const ARR_ENIG_UB& bouquets, std::int32_t selectedRow)
{
    std::int32_t base = 0;
    for (std::int32_t r = 0; r < selectedRow && static_cast<std::size_t>(r) < bouquets.size(); ++r)
        base += bouquets[static_cast<std::size_t>(r)].ServiceCount;
    return base;
}
