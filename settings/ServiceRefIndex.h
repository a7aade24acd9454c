#pragma once

// Fast resolution of service references for the list readers and writers.
// A bouquet set names hundreds of thousands of services; string-keyed hash
// maps spend most of their time on cache misses there. These indexes pack
// the identifying fields into integers in one flat table and hand back the
// same service a front-to-back search of the array would (the first one).

#include "settings/Model.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The transponder of `ch`, or nullptr when its index points at none.
const TY_ENIG_TP* TransponderOf(const TY_ENIG_CH& ch, const ARR_ENIG_TP& transponders);

// Appends "SID:namespace:TSID:ONID:type", the way the services and the
// providers file name a service.
void AppendServiceRef(std::string& out, const TY_ENIG_CH& ch, const TY_ENIG_TP& tp);

// Service key (SID + namespace + TSID + ONID + type in decimal, as
// TY_ENIG_CH::Key) -> number of the first service with that key.
class TServiceKeyIndex {
public:
    explicit TServiceKeyIndex(const ARR_ENIG_CH& services);
    // The service's number, or false when no service has that key.
    bool Find(std::string_view key, std::int32_t& number) const;

    // A reference given as its fields (as a bouquet line holds them: hex
    // texts of any case and length, padded or cut as the services file
    // keys are) and the type. Readers that resolve many references prepare
    // them all first and then find them: the table is fetched from memory
    // for all of them at once instead of one after the other.
    struct TProbe {
        std::uint64_t hi = 0;
        std::uint32_t lo = 0;
        std::size_t home = 0;
        bool packed = false;
        std::string key; // only when the fields do not pack
    };
    void Prepare(std::string_view sid, std::string_view ns, std::string_view tsid, std::string_view onid,
                 std::int32_t type, TProbe& probe) const;
    void Prefetch(const TProbe& probe) const;
    bool Find(const TProbe& probe, std::int32_t& number) const;

private:
    // Sixteen bytes, four to a cache line: the table of a large set is
    // larger than the caches, and a lookup costs what it fetches. `lo` is
    // the ONID and the type plus one (never zero in a used slot).
    struct Slot {
        std::uint64_t hi = 0;
        std::uint32_t lo = 0;
        std::int32_t number = 0;
        bool Used() const noexcept { return lo != 0; }
    };
    static_assert(sizeof(Slot) == 16);
    static bool Pack(std::string_view key, std::uint64_t& hi, std::uint32_t& lo);
    size_t Home(std::uint64_t hi, std::uint32_t lo) const;

    std::vector<Slot> slots_;
    size_t mask_ = 0;
    // Keys that do not have the usual form or a type of the usual range
    // (not in files receivers write, but the model allows them).
    std::unordered_map<std::string, std::int32_t> odd_;
};

// Service number -> index of the first service with that number.
class TServiceNumberMap {
public:
    explicit TServiceNumberMap(const ARR_ENIG_CH& services);
    // Index, or -1.
    std::int32_t Find(std::int32_t number) const;

private:
    std::int64_t base_ = 0;
    std::vector<std::int32_t> dense_; // numbers are mostly consecutive
    std::unordered_map<std::int32_t, std::int32_t> sparse_;
};

// Service reference as a lock list names it (SID, namespace, TSID and ONID;
// the type does not count) -> index of the first such service.
class TServiceRefIndex {
public:
    TServiceRefIndex(const ARR_ENIG_CH& services, const ARR_ENIG_TP& transponders);
    // The fields as a lock-list line holds them, padded as the key fields
    // of the services file; -1 when no service has that reference.
    std::int32_t Find(std::string_view sid, std::string_view ns, std::string_view tsid, std::string_view onid) const;

private:
    struct Slot {
        std::uint64_t hi = 0;
        std::uint32_t lo = 0;
        std::int32_t index = -1;
    };
    size_t Home(std::uint64_t hi, std::uint32_t lo) const;

    std::vector<Slot> slots_;
    size_t mask_ = 0;
    std::unordered_map<std::string, std::int32_t> odd_; // texts that are not hex numbers
};

// The indexes over the services that several readers of one folder load
// need, each built the first time one asks for it and then shared: the TV
// and the radio bouquets, the providers and both lock lists.
class TSharedServiceIndexes {
public:
    TSharedServiceIndexes(const ARR_ENIG_CH& services, const ARR_ENIG_TP& transponders);
    // True when the indexes were made over this very array as it is now.
    bool Covers(const ARR_ENIG_CH& services) const;
    const TServiceKeyIndex& Keys();
    const TServiceRefIndex& Refs();

private:
    const ARR_ENIG_CH& services_;
    const ARR_ENIG_TP& transponders_;
    const TY_ENIG_CH* data_;
    size_t size_;
    std::unique_ptr<TServiceKeyIndex> keys_;
    std::unique_ptr<TServiceRefIndex> refs_;
};

// The shared indexes of the folder load in progress, or nullptr. A load
// opens a scope once its services are read; readers called outside one
// build their own.
TSharedServiceIndexes* LoadIndexes();

class TLoadIndexScope {
public:
    TLoadIndexScope(const ARR_ENIG_CH& services, const ARR_ENIG_TP& transponders);
    ~TLoadIndexScope();
    TLoadIndexScope(const TLoadIndexScope&) = delete;
    TLoadIndexScope& operator=(const TLoadIndexScope&) = delete;

private:
    TSharedServiceIndexes indexes_;
    TSharedServiceIndexes* previous_;
};
