#include "platform/net/TelnetClient.h"

namespace cf::net {

namespace {

constexpr unsigned char IAC = 255, DONT = 254, DO = 253, WONT = 252, WILL = 251, SB = 250, SE = 240;
constexpr unsigned char OPT_TTYPE = 24;
constexpr unsigned char TTYPE_IS = 0, TTYPE_SEND = 1;

enum ParseState { Data, GotIac, GotVerb, InSub, InSubIac };

} // namespace

void TIdTelnet::Status(const std::string& text)
{
    if (OnStatus)
        OnStatus(text);
}

void TIdTelnet::Connect()
{
    Disconnect();
    state_ = Data;
    sub_.clear();
    Status("Connecting to " + Host + ".");
    socket_ = TcpSocket::Connect(Host, Port, ConnectTimeout);
    Status("Connected.");
}

void TIdTelnet::Disconnect()
{
    if (!socket_.IsOpen())
        return;
    Status("Disconnecting.");
    socket_.Close();
    Status("Disconnected.");
}

void TIdTelnet::Send(const std::string& text)
{
    if (!socket_.IsOpen())
        throw ENetError("Not connected.");
    // A data byte 255 must be doubled so it is not read as a command.
    std::string wire;
    for (char c : text) {
        wire += c;
        if (static_cast<unsigned char>(c) == IAC)
            wire += c;
    }
    try {
        socket_.SendAll(wire, WriteTimeout);
    } catch (const ENetError&) {
        Disconnect();
        throw;
    }
}

void TIdTelnet::SendCh(char c)
{
    Send(std::string(1, c));
}

void TIdTelnet::Reply(unsigned char cmd, unsigned char option)
{
    out_ += static_cast<char>(IAC);
    out_ += static_cast<char>(cmd);
    out_ += static_cast<char>(option);
}

void TIdTelnet::Feed(const unsigned char* data, std::size_t n, std::string& text)
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
            // Only the terminal type is agreed to; everything else refused.
            // Refusals of what is already off (WONT/DONT) need no answer.
            if (verb_ == DO)
                Reply(b == OPT_TTYPE ? WILL : WONT, b);
            else if (verb_ == WILL)
                Reply(DONT, b);
            state_ = Data;
            break;
        case InSub:
            if (b == IAC)
                state_ = InSubIac;
            else if (sub_.size() < 256)
                sub_ += static_cast<char>(b);
            break;
        case InSubIac:
            if (b == SE) {
                if (sub_.size() >= 2 && static_cast<unsigned char>(sub_[0]) == OPT_TTYPE &&
                    static_cast<unsigned char>(sub_[1]) == TTYPE_SEND) {
                    out_ += static_cast<char>(IAC);
                    out_ += static_cast<char>(SB);
                    out_ += static_cast<char>(OPT_TTYPE);
                    out_ += static_cast<char>(TTYPE_IS);
                    out_ += TerminalType;
                    out_ += static_cast<char>(IAC);
                    out_ += static_cast<char>(SE);
                }
                state_ = Data;
            } else {
                if (b == IAC && sub_.size() < 256)
                    sub_ += static_cast<char>(b);
                state_ = InSub;
            }
            break;
        }
    }
}

bool TIdTelnet::Poll(int timeoutMs)
{
    if (!socket_.IsOpen())
        return false;
    if (!socket_.WaitReadable(timeoutMs))
        return false;
    unsigned char buf[4096];
    std::size_t n = 0;
    try {
        n = socket_.Receive(buf, sizeof buf, 0);
    } catch (const ENetError&) {
        Disconnect();
        return false;
    }
    if (n == 0) {
        Disconnect();
        return false;
    }
    std::string text;
    Feed(buf, n, text);
    if (!out_.empty()) {
        std::string answers;
        answers.swap(out_);
        try {
            socket_.SendAll(answers, WriteTimeout);
        } catch (const ENetError&) {
            Disconnect();
            return false;
        }
    }
    if (!text.empty() && OnDataAvailable)
        OnDataAvailable(text);
    return true;
}

} // namespace cf::net
