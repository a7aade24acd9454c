#pragma once

// Room in a model array before many records are appended to it. A loaded
// set fills its arrays to the last slot, so the first append moves every
// record into a new block; for a hundred thousand services that block is
// tens of megabytes, and faulting it in page by page costs far more than
// the moves themselves. The new block gets huge pages before the first
// record lands in it, and room for the usual doubling, so the appends after
// this one move nothing.

#include "platform/LargeMemory.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <vector>

template <typename T>
void MakeRoomFor(std::vector<T>& records, std::size_t more)
{
    const std::size_t needed = records.size() + more;
    if (needed <= records.capacity())
        return;
    std::vector<T> grown;
    grown.reserve(std::max(needed, records.size() * 2));
    cf::AdviseLargePages(grown.data(), grown.capacity() * sizeof(T));
    grown.insert(grown.end(), std::make_move_iterator(records.begin()), std::make_move_iterator(records.end()));
    records.swap(grown);
}
