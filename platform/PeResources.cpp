#include "platform/PeResources.h"

#include "platform/SameText.h"
#include "platform/Utf8.h"

#include <fstream>
#include <iterator>

namespace cf {

namespace {

constexpr std::size_t MaxModuleBytes = 64u << 20;

std::uint32_t U16(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8);
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return std::uint32_t(b[at]) | (std::uint32_t(b[at + 1]) << 8) | (std::uint32_t(b[at + 2]) << 16) |
           (std::uint32_t(b[at + 3]) << 24);
}

bool Fits(std::size_t total, std::size_t at, std::size_t size)
{
    return at <= total && size <= total - at;
}

} // namespace

std::optional<TPeResources> TPeResources::Open(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size <= 0 || std::size_t(size) > MaxModuleBytes)
        return std::nullopt;
    in.seekg(0);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size))
        return std::nullopt;
    return FromBytes(std::move(bytes));
}

std::optional<TPeResources> TPeResources::FromBytes(std::vector<std::uint8_t> bytes)
{
    TPeResources pe;
    pe.bytes_ = std::move(bytes);
    const auto& b = pe.bytes_;
    const std::size_t n = b.size();
    if (!Fits(n, 0, 64) || b[0] != 'M' || b[1] != 'Z')
        return std::nullopt;
    const std::size_t peAt = U32(b, 0x3C);
    if (!Fits(n, peAt, 24) || b[peAt] != 'P' || b[peAt + 1] != 'E' || b[peAt + 2] != 0 || b[peAt + 3] != 0)
        return std::nullopt;
    const std::size_t sectionCount = U16(b, peAt + 6);
    const std::size_t optionalSize = U16(b, peAt + 20);
    const std::size_t optAt = peAt + 24;
    if (!Fits(n, optAt, optionalSize) || optionalSize < 2)
        return std::nullopt;
    const std::uint32_t magic = U16(b, optAt);
    std::size_t countAt = 0;
    if (magic == 0x10B)
        countAt = 92;
    else if (magic == 0x20B)
        countAt = 108;
    else
        return std::nullopt;
    // The resource directory is data directory 2 (8 bytes each, after the count).
    const std::size_t dirAt = countAt + 4 + 2 * 8;
    if (optionalSize < dirAt + 8 || U32(b, optAt + countAt) < 3)
        return std::nullopt;
    const std::uint32_t rsrcRva = U32(b, optAt + dirAt);
    const std::uint32_t rsrcSize = U32(b, optAt + dirAt + 4);
    if (rsrcRva == 0 || rsrcSize < 16)
        return std::nullopt;

    const std::size_t sectionsAt = optAt + optionalSize;
    if (!Fits(n, sectionsAt, sectionCount * 40))
        return std::nullopt;
    for (std::size_t i = 0; i < sectionCount; ++i) {
        const std::size_t at = sectionsAt + 40 * i;
        TSection s;
        s.VirtualSize = U32(b, at + 8);
        s.VirtualAddress = U32(b, at + 12);
        s.RawSize = U32(b, at + 16);
        s.RawOffset = U32(b, at + 20);
        // A section whose raw bytes run past the file keeps only what is there.
        if (s.RawOffset >= n)
            s.RawSize = 0;
        else if (s.RawSize > n - s.RawOffset)
            s.RawSize = std::uint32_t(n - s.RawOffset);
        pe.sections_.push_back(s);
    }
    const auto at = pe.FileOffset(rsrcRva, 16);
    if (!at)
        return std::nullopt;
    pe.rsrcOffset_ = *at;
    // The directory may claim more than its section holds: only the section's bytes count.
    for (const TSection& s : pe.sections_)
        if (rsrcRva >= s.VirtualAddress && rsrcRva - s.VirtualAddress < s.RawSize)
            pe.rsrcSize_ = s.RawSize - (rsrcRva - s.VirtualAddress);
    return pe;
}

std::optional<std::size_t> TPeResources::FileOffset(std::uint32_t rva, std::uint32_t size) const
{
    for (const TSection& s : sections_) {
        if (rva < s.VirtualAddress)
            continue;
        const std::uint64_t into = std::uint64_t(rva) - s.VirtualAddress;
        if (into + size <= s.RawSize)
            return std::size_t(s.RawOffset + into);
    }
    return std::nullopt;
}

std::optional<std::span<const std::uint8_t>> TPeResources::FindRcData(const std::string& name) const
{
    const auto& b = bytes_;
    const std::size_t base = rsrcOffset_;
    const std::size_t total = rsrcSize_;
    // Entries of the directory at `dir` (relative to the resource base);
    // `wantId` >= 0 looks for an id, else for `name`; returns the entry's
    // second word, or nullopt.
    auto find = [&](std::size_t dir, int wantId, const std::string* wantName) -> std::optional<std::uint32_t> {
        if (!Fits(total, dir, 16))
            return std::nullopt;
        const std::size_t named = U16(b, base + dir + 12);
        const std::size_t ids = U16(b, base + dir + 14);
        const std::size_t count = named + ids;
        if (!Fits(total, dir + 16, count * 8))
            return std::nullopt;
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t e = base + dir + 16 + 8 * i;
            const std::uint32_t id = U32(b, e);
            const std::uint32_t target = U32(b, e + 4);
            if (wantName == nullptr) {
                if (wantId < 0 || ((id & 0x80000000u) == 0 && id == std::uint32_t(wantId)))
                    return target;
                continue;
            }
            if ((id & 0x80000000u) == 0)
                continue;
            const std::size_t nameAt = id & 0x7FFFFFFFu;
            if (!Fits(total, nameAt, 2))
                continue;
            const std::size_t length = U16(b, base + nameAt);
            if (!Fits(total, nameAt + 2, length * 2))
                continue;
            if (SameText(Utf16LeToUtf8(b.data() + base + nameAt + 2, length * 2), *wantName))
                return target;
        }
        return std::nullopt;
    };
    auto subdirectory = [](std::optional<std::uint32_t> target) -> std::optional<std::size_t> {
        if (!target || (*target & 0x80000000u) == 0)
            return std::nullopt;
        return *target & 0x7FFFFFFFu;
    };

    const auto types = subdirectory(find(0, RT_RCDATA, nullptr));
    if (!types)
        return std::nullopt;
    const auto languages = subdirectory(find(*types, -1, &name));
    if (!languages)
        return std::nullopt;
    const auto entry = find(*languages, -1, nullptr);
    if (!entry || (*entry & 0x80000000u) != 0 || !Fits(total, *entry, 16))
        return std::nullopt;
    const std::uint32_t dataRva = U32(b, base + *entry);
    const std::uint32_t dataSize = U32(b, base + *entry + 4);
    const auto at = FileOffset(dataRva, dataSize);
    if (!at)
        return std::nullopt;
    return std::span<const std::uint8_t>(b.data() + *at, dataSize);
}

} // namespace cf
