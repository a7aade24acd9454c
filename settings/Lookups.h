#pragma once

// Lookups by key and by number. Each answers with the first element in array
// order, as a scan from the front would. For bulk work (a reader resolving
// thousands of references) build one of the indexes below once: it gives
// the same first match in constant time. An index describes the array as it
// was when built; rebuild it after keys or numbers change.

#include "settings/Model.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct TStringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
};
using TKeyMap = std::unordered_map<std::string, std::int32_t, TStringHash, std::equal_to<>>;

// Transponder key -> index of the first transponder with that key.
class TTpKeyIndex {
public:
    TTpKeyIndex() = default;
    explicit TTpKeyIndex(const ARR_ENIG_TP& arr) { Build(arr); }
    void Build(const ARR_ENIG_TP& arr);
    // Index or -1.
    std::int32_t Find(std::string_view key) const;
    // The same for a key of 16 upper-case hex digits given as their value
    // (namespace << 32 | TSID << 16 | ONID): a reader that parsed the
    // digits need not make the text.
    std::int32_t FindPacked(std::uint64_t packed) const;
    // The same, trying first the transponder after index `previous`: the
    // services of a file follow their transponders' order as receivers
    // write them, and that look costs no jump into the table.
    std::int32_t FindPacked(std::uint64_t packed, std::int32_t previous) const
    {
        const auto next = static_cast<std::size_t>(previous) + 1;
        if (previous >= -1 && next < byIndex_.size() && byIndex_[next].key == packed && byIndex_[next].index >= 0)
            return byIndex_[next].index;
        return FindPacked(packed);
    }
private:
    // Keys of 16 upper-case hex digits (all that the readers make) packed
    // into one number in a flat table; any other text in map_.
    static bool Pack(std::string_view key, std::uint64_t& packed);
    struct Slot {
        std::uint64_t key = 0;
        std::int32_t index = -1;
    };
    std::vector<Slot> slots_;
    // Per transponder its packed key, with its own index when it is the
    // first with that key (-1 otherwise).
    std::vector<Slot> byIndex_;
    std::size_t mask_ = 0;
    TKeyMap map_;
};

// Service key -> index of the first service with that key.
class TChKeyIndex {
public:
    TChKeyIndex() = default;
    explicit TChKeyIndex(const ARR_ENIG_CH& arr) { Build(arr); }
    void Build(const ARR_ENIG_CH& arr);
    std::int32_t Find(std::string_view key) const;
private:
    TKeyMap map_;
};

// Service number -> index of the first service with that number.
class TChNumberIndex {
public:
    TChNumberIndex() = default;
    explicit TChNumberIndex(const ARR_ENIG_CH& arr) { Build(arr); }
    void Build(const ARR_ENIG_CH& arr);
    std::int32_t Find(std::int32_t number) const;
private:
    std::unordered_map<std::int32_t, std::int32_t> map_;
};

// 0 and the number of the first service whose key equals `key` exactly, or 1
// (absent) leaving `number` alone.
int FindServiceByKey(std::string_view key, const ARR_ENIG_CH& arr, std::int32_t& number);
int FindServiceByKey(std::string_view key, const ARR_ENIG_CH& arr, const TChKeyIndex& index,
                     std::int32_t& number);
// 0 and the index of the first transponder with that key, or 1 (absent).
int FindTransponderByKey(std::string_view key, const ARR_ENIG_TP& arr, std::int32_t& index);
int FindTransponderByKey(std::string_view key, const TTpKeyIndex& tpIndex, std::int32_t& index);
// Index of the first element of Services with that number, or -1.
std::int32_t FindServiceIndexById(std::int32_t number);
std::int32_t FindServiceIndexById(std::int32_t number, const TChNumberIndex& index);

// What the provider/bouquet view of the main window shows.
enum class TListKind { Providers, TvBouquets, RadioBouquets };
// Service index behind cell (column, row) of the provider or bouquet view:
// with providers the member at position `column` of provider `row`; with
// user bouquets entry `column` of bouquet `row` (its [1] text as a number).
// -1 when there is none.
std::int32_t ServiceIndexOfCell(TListKind kind, std::int32_t row, std::int32_t column);

// "11778V 27500 3/4": frequency / 1000, "H " or "V ", symbol rate / 1000,
// a blank and the FEC name (indexes 0..9 and 15). Empty for a bad index.
std::string TransponderSummary(std::int32_t tpIndex, const ARR_ENIG_TP& arr);

// True when some element of `services` (Services by default) uses
// transponder `tpIndex`.
bool TpHasChannel(std::int32_t tpIndex);
bool TpHasChannel(std::int32_t tpIndex, const ARR_ENIG_CH& services);

// Services passing the main window's filters: type filter index (0 all;
// 1 types 1, 4, 25; 2 type 2; 3 type 3 or any type above 4 other than 25)
// and satellite filter (empty = all; else the transponder's position text).
std::int32_t CountServicesFromArray(const ARR_ENIG_CH& services, const ARR_ENIG_TP& transponders,
                                    std::int32_t typeFilter, const std::string& satFilter);

// Sum of the service counts of the bouquets above row `selectedRow` (the
// number of the first channel of that bouquet, less one).
std::int32_t CountNoOfCha(const ARR_ENIG_UB& bouquets, std::int32_t selectedRow);
