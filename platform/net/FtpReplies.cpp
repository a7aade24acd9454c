#include "platform/net/FtpReplies.h"

namespace cf::net {

namespace {

// Reads a run of at most five digits at pos (a reply number is never longer;
// a hostile server's huge numbers must not overflow), moving pos past it.
bool ReadReplyNumber(const std::string& text, std::size_t& pos, int& value)
{
    std::size_t start = pos;
    value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        if (pos - start == 5)
            return false;
        value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    return pos > start;
}

} // namespace

int PassivePort(const std::string& text)
{
    auto open = text.find('(');
    std::size_t pos;
    if (open != std::string::npos)
        pos = open + 1;
    else {
        // Some servers leave out the brackets: take the first digit run.
        pos = text.find_first_of("0123456789", 4);
        if (pos == std::string::npos)
            return -1;
    }
    int v[6];
    for (int i = 0; i < 6; ++i) {
        while (i == 0 && pos < text.size() && text[pos] == ' ')
            ++pos;
        if (!ReadReplyNumber(text, pos, v[i]))
            return -1;
        if (i < 5) {
            if (pos >= text.size() || text[pos] != ',')
                return -1;
            ++pos;
        }
    }
    if (v[4] > 255 || v[5] > 255)
        return -1;
    return v[4] * 256 + v[5];
}

// EPSV reply: "... (|||port|)".
int ExtendedPassivePort(const std::string& text)
{
    auto open = text.find("(|||");
    if (open == std::string::npos)
        return -1;
    std::size_t pos = open + 4;
    int port = 0;
    if (!ReadReplyNumber(text, pos, port) || port <= 0 || port > 65535)
        return -1;
    return port;
}

} // namespace cf::net
