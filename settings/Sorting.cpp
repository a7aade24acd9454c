#include "settings/Sorting.h"
#include "settings/Fields.h"
#include "settings/Unit_lib.h"

#include <utility>

// Both are selection sorts on purpose: on ties the first remaining element
// wins, and the lists are short (satellites of one dish, their positions).

void SortStringArray()
{
    std::vector<std::string> keys;
    keys.reserve(SatPositions.size());
    for (const auto& s : SatPositions)
        keys.push_back(ToUpperAscii(s));
    for (std::size_t i = 0; i + 1 < SatPositions.size(); ++i) {
        std::size_t best = i;
        for (std::size_t j = i + 1; j < SatPositions.size(); ++j)
            if (keys[j] < keys[best])
                best = j;
        if (best != i) {
            std::swap(SatPositions[i], SatPositions[best]);
            std::swap(keys[i], keys[best]);
        }
    }
}

void SortSatellitesByPosition()
{
    for (std::size_t i = 0; i + 1 < Satellites.size(); ++i) {
        std::size_t best = i;
        for (std::size_t j = i + 1; j < Satellites.size(); ++j)
            if (Satellites[j].Position > Satellites[best].Position)
                best = j;
        if (best != i)
            std::swap(Satellites[i], Satellites[best]);
    }
}
