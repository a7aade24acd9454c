#include "platform/net/TelnetClient.h"

namespace cf::net {

namespace {
constexpr unsigned char IAC = 255;
} // namespace

void TIdTelnet::Status(const std::string& text)
{
    if (OnStatus)
        OnStatus(text);
}

void TIdTelnet::Connect()
{
    Disconnect();
    parser_ = TTelnetParser(TerminalType);
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
    std::string text, answers;
    parser_.Feed(buf, n, text, answers);
    if (!answers.empty()) {
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
