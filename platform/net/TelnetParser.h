#pragma once

#include <string>

namespace cf::net {

// Splits what a Telnet server sends into text and option negotiation, and
// prepares our answers: every option is refused except the terminal type,
// which is agreed to and answered with `terminalType`. State is kept across
// calls, so a command split between two reads is still recognised.
class TTelnetParser {
public:
    explicit TTelnetParser(std::string terminalType = "dumb") : terminalType_(std::move(terminalType)) {}

    // Appends the plain text of `data` to `text` and the answers to send to
    // `answers`.
    void Feed(const unsigned char* data, std::size_t n, std::string& text, std::string& answers);
    void Reset();

private:
    std::string terminalType_;
    int state_ = 0;
    unsigned char verb_ = 0;
    std::string sub_;
};

} // namespace cf::net
