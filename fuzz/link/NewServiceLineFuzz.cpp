#include "link/NewServices.h"

#include <cstddef>
#include <cstdint>
#include <string>

// A line of the receiver's service list, as untrusted as any reply.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string line(reinterpret_cast<const char*>(data), size);
    TY_ENIG_NEW_CH ch;
    if (ParseNewServiceLine(line, ch)) {
        if (ch.Sid.size() != 4 || ch.Tsid.size() != 4 || ch.Onid.size() != 4 || ch.Namespace.size() != 8)
            __builtin_trap();
    }
    return 0;
}
