#include "settings/ServiceRefIndex.h"

#include "settings/HexDigits.h"

#include "platform/LargeMemory.h"

#include <algorithm>
#include <charconv>

namespace {

std::uint64_t Mix(std::uint64_t x)
{
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    x ^= x >> 33;
    return x;
}

// Types a slot holds: 0 to 65534, kept as type + 1 beside the ONID so that
// a used slot is never all zero.
bool PackableType(std::int64_t type)
{
    return type >= 0 && type < 0xFFFF;
}

std::uint32_t PackLow(std::uint64_t onid, std::int64_t type)
{
    return static_cast<std::uint32_t>(onid << 16 | static_cast<std::uint64_t>(type + 1));
}

} // namespace

// The usual key: 20 upper-case hex digits and the type as std::to_string
// writes it (no leading zeros), a type below 65535 as receivers use them.
// Packing is one-to-one on such keys, so equal packs mean equal texts;
// other keys are looked up by their text.
bool TServiceKeyIndex::Pack(std::string_view key, std::uint64_t& hi, std::uint32_t& lo)
{
    if (key.size() < 21 || key.size() > 25)
        return false;
    std::uint32_t high, low;
    if (!PackEight(key.data(), high) || !PackEight(key.data() + 8, low))
        return false;
    const std::uint64_t h = std::uint64_t{high} << 32 | low;
    std::uint64_t onid = 0;
    int bad = 0;
    for (size_t i = 16; i < 20; ++i) {
        const unsigned char c = static_cast<unsigned char>(key[i]);
        const int d = kHexDigit[c];
        bad |= d | (c >= 'a' ? -1 : 0); // upper case only
        onid = (onid << 4) | static_cast<std::uint64_t>(d & 15);
    }
    if (bad < 0)
        return false;
    // One to five digits without a leading zero; a sign never packs.
    const std::string_view type = key.substr(20);
    if (type.size() > 1 && type.front() == '0')
        return false;
    std::int64_t v = 0;
    for (char c : type) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    if (!PackableType(v))
        return false;
    hi = h;
    lo = PackLow(onid, v);
    return true;
}

size_t TServiceKeyIndex::Home(std::uint64_t hi, std::uint32_t lo) const
{
    return static_cast<size_t>(Mix(hi ^ Mix(lo))) & mask_;
}

TServiceKeyIndex::TServiceKeyIndex(const ARR_ENIG_CH& services)
{
    size_t capacity = 16;
    while (capacity < services.size() * 2)
        capacity <<= 1;
    slots_.reserve(capacity);
    cf::AdviseLargePages(slots_.data(), capacity * sizeof(Slot));
    slots_.resize(capacity);
    mask_ = capacity - 1;
    // In batches: the keys of a batch are packed and their slots fetched
    // ahead, then put in, in array order (the first service with a key
    // stays), so the table's cache misses overlap instead of queueing.
    constexpr size_t kBatch = 32;
    struct TPending {
        std::uint64_t hi;
        std::uint32_t lo;
        size_t home;
        bool packed;
    } pending[kBatch];
    for (size_t base = 0; base < services.size(); base += kBatch) {
        const size_t n = std::min(kBatch, services.size() - base);
        // The next batch's keys are on their way while this one is packed:
        // a record spans cache lines, every key a miss of its own.
        for (size_t k = base + kBatch; k < std::min(base + 2 * kBatch, services.size()); ++k)
            __builtin_prefetch(&services[k].Key);
        for (size_t k = 0; k < n; ++k) {
            TPending& p = pending[k];
            p.packed = Pack(services[base + k].Key, p.hi, p.lo);
            if (p.packed) {
                p.home = Home(p.hi, p.lo);
                __builtin_prefetch(&slots_[p.home], 1);
            }
        }
        for (size_t k = 0; k < n; ++k) {
            const TY_ENIG_CH& ch = services[base + k];
            const TPending& p = pending[k];
            if (!p.packed) {
                odd_.emplace(ch.Key, ch.Number); // keeps the first
                continue;
            }
            for (size_t i = p.home;; i = (i + 1) & mask_) {
                Slot& s = slots_[i];
                if (!s.Used()) {
                    s = {p.hi, p.lo, ch.Number};
                    break;
                }
                if (s.hi == p.hi && s.lo == p.lo)
                    break; // the first service with this key stays
            }
        }
    }
}

bool TServiceKeyIndex::Find(std::string_view key, std::int32_t& number) const
{
    std::uint64_t hi;
    std::uint32_t lo;
    if (!Pack(key, hi, lo)) {
        if (odd_.empty())
            return false;
        auto it = odd_.find(std::string(key));
        if (it == odd_.end())
            return false;
        number = it->second;
        return true;
    }
    for (size_t i = Home(hi, lo);; i = (i + 1) & mask_) {
        const Slot& s = slots_[i];
        if (!s.Used())
            return false;
        if (s.hi == hi && s.lo == lo) {
            number = s.number;
            return true;
        }
    }
}

namespace {

// Appends `field` as the settings splitter pads a key field (zeros in front,
// the rightmost `width` characters) to the packed value; false when a
// character is not a hex digit.
bool PackField(std::uint64_t& v, std::string_view field, size_t width)
{
    if (field.size() > width)
        field = field.substr(field.size() - width);
    v <<= 4 * (width - field.size());
    return AppendHexDigits(v, field.data(), field.size());
}

void AppendPaddedUpper(std::string& key, std::string_view field, size_t width)
{
    if (field.size() < width)
        key.append(width - field.size(), '0');
    else
        field = field.substr(field.size() - width);
    for (char c : field)
        key += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

void TServiceKeyIndex::Prepare(std::string_view sid, std::string_view ns, std::string_view tsid,
                               std::string_view onid, std::int32_t type, TProbe& probe) const
{
    std::uint64_t hi = 0;
    std::uint64_t on = 0;
    probe.packed = PackableType(type) && PackField(hi, sid, 4) && PackField(hi, ns, 8) && PackField(hi, tsid, 4) &&
                   PackField(on, onid, 4);
    if (probe.packed) {
        probe.hi = hi;
        probe.lo = PackLow(on, type);
        probe.home = Home(probe.hi, probe.lo);
        return;
    }
    // The key text the fields make, looked up as such.
    probe.key.clear();
    AppendPaddedUpper(probe.key, sid, 4);
    AppendPaddedUpper(probe.key, ns, 8);
    AppendPaddedUpper(probe.key, tsid, 4);
    AppendPaddedUpper(probe.key, onid, 4);
    probe.key += std::to_string(type);
}

void TServiceKeyIndex::Prefetch(const TProbe& probe) const
{
    if (probe.packed)
        __builtin_prefetch(&slots_[probe.home]);
}

bool TServiceKeyIndex::Find(const TProbe& probe, std::int32_t& number) const
{
    if (!probe.packed)
        return Find(probe.key, number);
    for (size_t i = probe.home;; i = (i + 1) & mask_) {
        const Slot& s = slots_[i];
        if (!s.Used())
            return false;
        if (s.hi == probe.hi && s.lo == probe.lo) {
            number = s.number;
            return true;
        }
    }
}

TServiceNumberMap::TServiceNumberMap(const ARR_ENIG_CH& services)
{
    if (services.empty())
        return;
    auto [lo, hi] = std::minmax_element(services.begin(), services.end(),
                                        [](const TY_ENIG_CH& a, const TY_ENIG_CH& b) { return a.Number < b.Number; });
    std::int64_t range = static_cast<std::int64_t>(hi->Number) - lo->Number + 1;
    if (range <= static_cast<std::int64_t>(services.size()) * 4 + 1024) {
        base_ = lo->Number;
        dense_.assign(static_cast<size_t>(range), -1);
        for (size_t i = 0; i < services.size(); ++i) {
            std::int32_t& slot = dense_[static_cast<size_t>(services[i].Number - base_)];
            if (slot < 0)
                slot = static_cast<std::int32_t>(i);
        }
    } else {
        for (size_t i = 0; i < services.size(); ++i)
            sparse_.emplace(services[i].Number, static_cast<std::int32_t>(i));
    }
}

std::int32_t TServiceNumberMap::Find(std::int32_t number) const
{
    if (!dense_.empty()) {
        std::int64_t at = static_cast<std::int64_t>(number) - base_;
        if (at < 0 || at >= static_cast<std::int64_t>(dense_.size()))
            return -1;
        return dense_[static_cast<size_t>(at)];
    }
    auto it = sparse_.find(number);
    return it == sparse_.end() ? -1 : it->second;
}

const TY_ENIG_TP* TransponderOf(const TY_ENIG_CH& ch, const ARR_ENIG_TP& transponders)
{
    if (ch.TpIndex < 0 || static_cast<std::size_t>(ch.TpIndex) >= transponders.size())
        return nullptr;
    return &transponders[static_cast<std::size_t>(ch.TpIndex)];
}

void AppendServiceRef(std::string& out, const TY_ENIG_CH& ch, const TY_ENIG_TP& tp)
{
    out += ch.Sid;
    out += ':';
    out += tp.Namespace;
    out += ':';
    out += tp.Tsid;
    out += ':';
    out += tp.Onid;
    out += ':';
    char type[16];
    out.append(type, std::to_chars(type, type + sizeof type, ch.ServiceType).ptr);
}

namespace {

// A key field of the services file as a number: `width` hex digits after
// the padding and cutting the key fields get. False for other characters.
bool HexField(std::string_view field, size_t width, std::uint64_t& v)
{
    v = 0;
    return PackField(v, field, width);
}

} // namespace

TServiceRefIndex::TServiceRefIndex(const ARR_ENIG_CH& services, const ARR_ENIG_TP& transponders)
{
    size_t capacity = 16;
    while (capacity < services.size() * 2)
        capacity <<= 1;
    slots_.resize(capacity);
    mask_ = capacity - 1;
    for (size_t i = 0; i < services.size(); ++i) {
        const TY_ENIG_CH& ch = services[i];
        const TY_ENIG_TP* tp = TransponderOf(ch, transponders);
        if (!tp)
            continue;
        std::uint64_t sid, ns, tsid, onid;
        if (!HexField(ch.Sid, 4, sid) || !HexField(tp->Namespace, 8, ns) || !HexField(tp->Tsid, 4, tsid) ||
            !HexField(tp->Onid, 4, onid) || ch.Sid.size() != 4 || tp->Namespace.size() != 8 ||
            tp->Tsid.size() != 4 || tp->Onid.size() != 4) {
            odd_.emplace(ch.Sid + ":" + tp->Tsid + ":" + tp->Onid + ":" + tp->Namespace, static_cast<std::int32_t>(i));
            continue;
        }
        const std::uint64_t hi = sid << 48 | ns << 16 | tsid;
        const auto lo = static_cast<std::uint32_t>(onid);
        for (size_t at = Home(hi, lo);; at = (at + 1) & mask_) {
            Slot& slot = slots_[at];
            if (slot.index < 0) {
                slot = {hi, lo, static_cast<std::int32_t>(i)};
                break;
            }
            if (slot.hi == hi && slot.lo == lo)
                break; // the first service keeps the reference
        }
    }
}

size_t TServiceRefIndex::Home(std::uint64_t hi, std::uint32_t lo) const
{
    return static_cast<size_t>(Mix(hi ^ Mix(lo))) & mask_;
}

std::int32_t TServiceRefIndex::Find(std::string_view sid, std::string_view ns, std::string_view tsid,
                                    std::string_view onid) const
{
    std::uint64_t s, n, t, o;
    if (!HexField(sid, 4, s) || !HexField(ns, 8, n) || !HexField(tsid, 4, t) || !HexField(onid, 4, o)) {
        if (odd_.empty())
            return -1;
        std::string key;
        AppendPaddedUpper(key, sid, 4);
        key += ':';
        AppendPaddedUpper(key, tsid, 4);
        key += ':';
        AppendPaddedUpper(key, onid, 4);
        key += ':';
        AppendPaddedUpper(key, ns, 8);
        auto it = odd_.find(key);
        return it == odd_.end() ? -1 : it->second;
    }
    const std::uint64_t hi = s << 48 | n << 16 | t;
    const auto lo = static_cast<std::uint32_t>(o);
    for (size_t at = Home(hi, lo);; at = (at + 1) & mask_) {
        const Slot& slot = slots_[at];
        if (slot.index < 0)
            return -1;
        if (slot.hi == hi && slot.lo == lo)
            return slot.index;
    }
}

TSharedServiceIndexes::TSharedServiceIndexes(const ARR_ENIG_CH& services, const ARR_ENIG_TP& transponders)
    : services_(services), transponders_(transponders), data_(services.data()), size_(services.size())
{
}

bool TSharedServiceIndexes::Covers(const ARR_ENIG_CH& services) const
{
    return &services == &services_ && services.data() == data_ && services.size() == size_;
}

const TServiceKeyIndex& TSharedServiceIndexes::Keys()
{
    if (!keys_)
        keys_ = std::make_unique<TServiceKeyIndex>(services_);
    return *keys_;
}

const TServiceRefIndex& TSharedServiceIndexes::Refs()
{
    if (!refs_)
        refs_ = std::make_unique<TServiceRefIndex>(services_, transponders_);
    return *refs_;
}

namespace {
TSharedServiceIndexes* g_loadIndexes = nullptr;
}

TSharedServiceIndexes* LoadIndexes() { return g_loadIndexes; }

TLoadIndexScope::TLoadIndexScope(const ARR_ENIG_CH& services, const ARR_ENIG_TP& transponders)
    : indexes_(services, transponders), previous_(g_loadIndexes)
{
    g_loadIndexes = &indexes_;
}

TLoadIndexScope::~TLoadIndexScope() { g_loadIndexes = previous_; }
