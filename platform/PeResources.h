#pragma once

// The RCDATA resources of a Windows module file, read as data: nothing of the
// file runs and nothing in it is trusted. Every offset, count and size is
// checked against the bytes that are there before it is followed, so a
// damaged or hostile file finds no resource instead of reading out of bounds.
//
// What is read: the DOS header's pointer to the PE header, the optional
// header (PE32 or PE32+) and its resource data directory, the section that
// holds it, and the three-level resource tree type / name / language, whose
// data entries give an address and size of the resource bytes.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace cf {

constexpr int RT_RCDATA = 10;

class TPeResources {
public:
    // Reads the module; nullopt when the file cannot be read or is no PE
    // file with a resource directory.
    static std::optional<TPeResources> Open(const std::string& path);
    static std::optional<TPeResources> FromBytes(std::vector<std::uint8_t> bytes);

    // The bytes of the RCDATA resource named `name` (names compare with
    // ASCII letters folded, as the platform upper-cases resource names),
    // the first language found under it; nullopt when there is none or its
    // data entry points outside the file. The span lives as long as this object.
    std::optional<std::span<const std::uint8_t>> FindRcData(const std::string& name) const;

private:
    TPeResources() = default;
    // File offset of a relative virtual address, with at least `size` bytes
    // of the same section behind it; nullopt when no section holds it.
    std::optional<std::size_t> FileOffset(std::uint32_t rva, std::uint32_t size) const;

    struct TSection {
        std::uint32_t VirtualAddress = 0;
        std::uint32_t VirtualSize = 0;
        std::uint32_t RawSize = 0;
        std::uint32_t RawOffset = 0;
    };
    std::vector<std::uint8_t> bytes_;
    std::vector<TSection> sections_;
    std::size_t rsrcOffset_ = 0; // file offset of the resource directory
    std::size_t rsrcSize_ = 0;   // bytes of the section from there on
};

} // namespace cf
