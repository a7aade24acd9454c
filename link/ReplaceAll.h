#pragma once

#include <cstddef>
#include <string>

// `s` with every `from` replaced by `to`, scanning left to right; what a
// replacement puts in is not searched again.
inline std::string ReplaceAll(std::string s, const std::string& from, const std::string& to)
{
    if (from.empty())
        return s;
    std::size_t pos = 0;
    while ((pos = s.find(from, pos)) != std::string::npos) {
        s.replace(pos, from.size(), to);
        pos += to.size();
    }
    return s;
}
