#include "link/NetworkLink.h"

#include "settings/MessageTexts.h"

#include <algorithm>

namespace {

std::string TrimLineEnds(std::string s)
{
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n'))
        s.pop_back();
    std::size_t start = 0;
    while (start < s.size() && (s[start] == '\r' || s[start] == '\n'))
        ++start;
    return s.substr(start);
}

} // namespace

void TNetworkLink::TelnetCmd(const std::string& text)
{
    try {
        for (char c : text)
            IdTelnet.SendCh(c);
        IdTelnet.SendCh('\r');
    } catch (const cf::net::ENetError&) {
        // The dialogue loop sees the dropped connection and ends.
    }
}

void TNetworkLink::TelnetDataAvailable(const std::string& text)
{
    Log(TrimLineEnds(text));
    const TY_PROFILES& p = Profile();
    if (text.find("login:") != std::string::npos) {
        Log(LoadRs(rs::SendingUserName));
        TelnetCmd(p.User);
    } else if (text.find("Password:") != std::string::npos) {
        Log(LoadRs(rs::SendingPassword));
        TelnetCmd(p.Password);
    } else if (telnetState_ == 0 && (text.find('~') != std::string::npos || text.find('#') != std::string::npos)) {
        Log(LoadRs(rs::SendingReloadCommand));
        TelnetCmd("killall -9 enigma2");
        telnetState_ = 1;
    } else if (telnetState_ == 1) {
        timerRunning_ = true;
        timerDue_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(Timeouts.TelnetSettle);
        telnetState_ = 2;
    }
}

void TNetworkLink::TelnetTimer()
{
    timerRunning_ = false;
    timerFired_ = true;
    IdTelnet.Disconnect();
    telnetResult_ = telnetState_ == 2;
    Log(LoadRs(telnetResult_ ? rs::ReloadCommandSent : rs::TelnetCommandFailed));
}

bool TNetworkLink::ReloadRecTelnet()
{
    using clock = std::chrono::steady_clock;
    telnetState_ = 0;
    timerRunning_ = false;
    timerFired_ = false;
    telnetResult_ = false;
    IdTelnet.Disconnect();
    IdTelnet.Host = Profile().Address;
    IdTelnet.Port = TelnetPort;
    IdTelnet.ConnectTimeout = Timeouts.TelnetConnect;
    IdTelnet.WriteTimeout = Timeouts.TelnetConnect;
    IdTelnet.OnStatus = [this](const std::string& s) { Log(LoadRsFmt(rs::TelnetStatus, {s})); };
    IdTelnet.OnDataAvailable = [this](const std::string& t) { TelnetDataAvailable(t); };
    try {
        IdTelnet.Connect();
    } catch (const cf::net::ENetError&) {
        Log(LoadRs(rs::TelnetConnectFailed));
        return false;
    }
    // The result is known only at the end of the dialogue: the command must
    // have been answered before the deadline, then the settle time passes.
    const auto deadline = clock::now() + std::chrono::milliseconds(Timeouts.TelnetDialogue);
    while (!timerFired_) {
        auto now = clock::now();
        auto until = timerRunning_ ? timerDue_ : deadline;
        if (now >= until || !IdTelnet.Connected()) {
            TelnetTimer();
            break;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - now).count();
        IdTelnet.Poll(static_cast<int>(std::min<long long>(left, 50)));
        ui_.ProcessMessages();
    }
    return telnetResult_;
}
