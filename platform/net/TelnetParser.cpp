#include "platform/net/TelnetParser.h"

namespace cf::net {

namespace {

constexpr unsigned char IAC = 255, DONT = 254, DO = 253, WONT = 252, WILL = 251, SB = 250, SE = 240;
constexpr unsigned char OPT_TTYPE = 24;
constexpr unsigned char TTYPE_IS = 0, TTYPE_SEND = 1;
constexpr std::size_t MaxSub = 256;

enum ParseState { Data, GotIac, GotVerb, InSub, InSubIac };

void Answer(std::string& out, unsigned char cmd, unsigned char option)
{
    out += static_cast<char>(IAC);
    out += static_cast<char>(cmd);
    out += static_cast<char>(option);
}

} // namespace

void TTelnetParser::Reset()
{
    state_ = Data;
    verb_ = 0;
    sub_.clear();
}

void TTelnetParser::Feed(const unsigned char* data, std::size_t n, std::string& text, std::string& answers)
{
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char b = data[i];
        switch (state_) {
        case Data:
            if (b == IAC)
                state_ = GotIac;
            else
                text += static_cast<char>(b);
            break;
        case GotIac:
            if (b == IAC) {
                text += static_cast<char>(b);
                state_ = Data;
            } else if (b == WILL || b == WONT || b == DO || b == DONT) {
                verb_ = b;
                state_ = GotVerb;
            } else if (b == SB) {
                sub_.clear();
                state_ = InSub;
            } else {
                state_ = Data; // NOP, GA and the like carry nothing for us
            }
            break;
        case GotVerb:
            // Refusals of what is already off (WONT/DONT) need no answer.
            if (verb_ == DO)
                Answer(answers, b == OPT_TTYPE ? WILL : WONT, b);
            else if (verb_ == WILL)
                Answer(answers, DONT, b);
            state_ = Data;
            break;
        case InSub:
            if (b == IAC)
                state_ = InSubIac;
            else if (sub_.size() < MaxSub)
                sub_ += static_cast<char>(b);
            break;
        case InSubIac:
            if (b == SE) {
                if (sub_.size() >= 2 && static_cast<unsigned char>(sub_[0]) == OPT_TTYPE &&
                    static_cast<unsigned char>(sub_[1]) == TTYPE_SEND) {
                    answers += static_cast<char>(IAC);
                    answers += static_cast<char>(SB);
                    answers += static_cast<char>(OPT_TTYPE);
                    answers += static_cast<char>(TTYPE_IS);
                    answers += terminalType_;
                    answers += static_cast<char>(IAC);
                    answers += static_cast<char>(SE);
                }
                sub_.clear();
                state_ = Data;
            } else {
                if (b == IAC && sub_.size() < MaxSub)
                    sub_ += static_cast<char>(b);
                state_ = InSub;
            }
            break;
        }
    }
}

} // namespace cf::net
