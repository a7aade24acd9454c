#pragma once

// How the program asks the system for the memory of a large settings set.
// Header-only and free of Qt, so the readers can use it as well.
//
// A 100,000-service folder fills some 80 MB, and on first use every 4 KiB
// page of that is a page fault of its own; on a virtual machine a fault
// costs as much as reading a few kilobytes of the files. Large blocks get
// transparent huge pages (one fault per 2 MiB) where the system offers them
// on request, and the allocator keeps freed memory instead of giving it back
// and faulting it in again on the next load.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>

#if defined(__linux__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace cf {

// Asks for huge pages for the whole 2 MiB blocks inside [p, p + bytes), a
// fresh allocation not written to yet. A hint: where the system does not
// follow it, nothing changes.
inline void AdviseLargePages(const void* p, std::size_t bytes)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t huge = std::uintptr_t{2} << 20;
    if (bytes < 2 * huge)
        return;
    const auto start = (reinterpret_cast<std::uintptr_t>(p) + huge - 1) & ~(huge - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(p) + bytes) & ~(huge - 1);
    if (end > start)
        ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#else
    (void)p;
    (void)bytes;
#endif
}

// Once at program start, before the first allocation of note: the heap
// grows in large steps and keeps what a load frees for the next one, and
// blocks up to 32 MiB (a file text, a list of lines, an index) come from
// the heap rather than from mappings of their own that are faulted in
// afresh every time.
inline void TuneAllocatorForLargeSets()
{
#if defined(__linux__) && defined(M_MMAP_THRESHOLD)
    ::mallopt(M_MMAP_THRESHOLD, 32 << 20);
    ::mallopt(M_TRIM_THRESHOLD, 512 << 20);
    ::mallopt(M_TOP_PAD, 16 << 20);
#endif
}

// Before a load that will allocate about `bytes`: the heap gets that much
// free room at its top at once (up to 256 MiB; a larger load takes its
// largest blocks from mappings), with huge pages asked for the whole heap
// (room it had and room it gets here, not yet written to, take them when
// first used). With TuneAllocatorForLargeSets, blocks above the mapping
// threshold are served from that room too, and stay for the next load.
inline void PrepareHeapFor(std::size_t bytes)
{
#if defined(__linux__) && defined(M_MMAP_THRESHOLD) && defined(MADV_HUGEPAGE)
    bytes = bytes < (std::size_t{256} << 20) ? bytes : (std::size_t{256} << 20);
    // Large steps: each block's header is written at once, and that first
    // touch gives its 2 MiB range small pages before the advice below.
    constexpr std::size_t step = std::size_t{24} << 20; // below the mapping threshold
    const std::size_t room = ::mallinfo2().keepcost;
    if (room < bytes) {
        // Blocks the heap cannot serve from what it has make it grow; freed
        // again, they join the free room at its top.
        void* blocks[16] = {};
        std::size_t n = 0;
        for (std::size_t got = 0; got < bytes - room && n < std::size(blocks); got += step)
            if (!(blocks[n++] = std::malloc(step)))
                break;
        while (n > 0)
            std::free(blocks[--n]);
    }
    const std::size_t heap = ::mallinfo2().arena;
    const auto* top = static_cast<const char*>(::sbrk(0));
    if (top != reinterpret_cast<const char*>(-1) && heap > 0)
        AdviseLargePages(top - heap, heap);
#else
    (void)bytes;
#endif
}

} // namespace cf
