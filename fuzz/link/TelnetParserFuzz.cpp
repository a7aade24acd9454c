#include "platform/net/TelnetParser.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Whatever a Telnet server sends, fed in two pieces split at the first byte's
// value: the parser must neither crash nor grow without bound, and the same
// bytes must give the same text and answers however they are split.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string whole, wholeAnswers;
    cf::net::TTelnetParser a;
    a.Feed(data, size, whole, wholeAnswers);

    std::size_t cut = size ? data[0] % (size + 1) : 0;
    std::string split, splitAnswers;
    cf::net::TTelnetParser b;
    b.Feed(data, cut, split, splitAnswers);
    b.Feed(data + cut, size - cut, split, splitAnswers);
    if (whole != split || wholeAnswers != splitAnswers)
        __builtin_trap();
    if (whole.size() > size || wholeAnswers.size() > 3 * size + 16)
        __builtin_trap();
    return 0;
}
