#pragma once

#include "platform/net/NetError.h"
#include "platform/net/TcpSocket.h"
#include "platform/net/TelnetParser.h"

#include <functional>
#include <string>

namespace cf::net {

// A Telnet client for short scripted dialogues. It refuses every option the
// server proposes except the terminal type, which it answers with
// TerminalType. Reading is driven by Poll(): the owner calls it from its own
// loop or when the descriptor (Handle) becomes readable, so the data and
// status events always arrive on the owner's thread.
class TIdTelnet {
public:
    TIdTelnet() = default;
    TIdTelnet(const TIdTelnet&) = delete;
    TIdTelnet& operator=(const TIdTelnet&) = delete;

    std::string Host;
    int Port = 23;
    std::string TerminalType = "dumb";
    int ConnectTimeout = 5000; // ms
    int WriteTimeout = 5000;   // ms

    std::function<void(const std::string&)> OnDataAvailable; // text without negotiation
    std::function<void(const std::string&)> OnStatus;

    void Connect();
    void Disconnect();
    bool Connected() const { return socket_.IsOpen(); }
    int Handle() const { return socket_.Handle(); }

    void SendCh(char c);
    void Send(const std::string& text);

    // Waits up to timeoutMs for data, answers negotiation and hands the text
    // to OnDataAvailable. Returns false when nothing came. When the server
    // closes the connection the client disconnects (status "Disconnected.").
    bool Poll(int timeoutMs);

private:
    void Status(const std::string& text);

    TcpSocket socket_;
    TTelnetParser parser_;
};

} // namespace cf::net
