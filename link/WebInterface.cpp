#include "link/NetworkLink.h"

#include "link/FilePlan.h"
#include "link/NewServices.h"
#include "link/ReplaceAll.h"
#include "link/UrlText.h"
#include "settings/MessageTexts.h"
#include "settings/Unit_lib.h"

namespace {

const char* const E2Ok = "<e2state>True</e2state>";
const char* const E1Ok = "+ok";

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto nl = text.find('\n', start);
        std::string line = text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = nl == std::string::npos ? text.size() : nl + 1;
    }
    return lines;
}

bool Contains(const std::string& text, const char* what)
{
    return text.find(what) != std::string::npos;
}

} // namespace

std::string TNetworkLink::BaseUrl() const
{
    const TY_PROFILES& p = Profile();
    return "http://" + p.Address + ":" + std::to_string(p.HttpPort);
}

std::string TNetworkLink::HttpGet(const std::string& pathAndQuery, bool& ok, bool& answered)
{
    const TY_PROFILES& p = Profile();
    IdHTTP.BasicAuthentication = true;
    IdHTTP.Username = p.User;
    IdHTTP.Password = p.Password;
    IdHTTP.ConnectTimeout = Timeouts.HttpConnect;
    IdHTTP.ReadTimeout = Timeouts.HttpRead;
    try {
        std::string body = IdHTTP.Get(BaseUrl() + pathAndQuery);
        ok = answered = true;
        return body;
    } catch (const cf::net::EIdHTTPError& e) {
        ok = false;
        answered = e.ResponseCode != 0;
        return e.what();
    }
}

void TNetworkLink::ReadNewServices(const std::string& bouquetListPath)
{
    bool ok = false, answered = false;
    std::string list = HttpGet(bouquetListPath, ok, answered);
    if (!ok)
        return;
    for (const auto& line : Lines(list)) {
        if (line.find("1:31:fffffffb") == std::string::npos)
            continue;
        std::string ref = line.substr(0, line.find(';'));
        std::string reply = HttpGet("/cgi-bin/getServices?ref=" + EscapeQueryValue(ref), ok, answered);
        // A failed request lists no services (its error text is no service).
        if (!ok)
            continue;
        for (const auto& svc : Lines(reply)) {
            TY_ENIG_NEW_CH ch;
            if (ParseNewServiceLine(svc, ch))
                NewChannels.push_back(std::move(ch));
        }
    }
}

void TNetworkLink::GetNews()
{
    Busy busy(ui_);
    Log(LoadRs(rs::GettingNewChannels));
    ReadNewServices("/cgi-bin/getServices?ref=1:15:fffffffc:12:0:0:0:0:0:0:");
    ReadNewServices("/cgi-bin/getServices?ref=1:15:fffffffc:4:0:0:0:0:0:0:");
}

// The messages on the receiver's screen are courtesy; whether the reload
// worked is what its own requests answer.
bool TNetworkLink::ReloadEnigma2()
{
    const std::string v = ReplaceAll(VersionText, " ", "%20");
    bool ok = false, answered = false;
    HttpGet("/web/message?timeout=4&type=1&text=Chanforge%20" + v + ":%20Reloading%20your%20settings%20...", ok,
            answered);
    if (!answered)
        return false; // nobody is there to take the reload either
    std::string reply = HttpGet("/web/servicelistreload?mode=0", ok, answered);
    if (!ok || !Contains(reply, E2Ok))
        return false;
    HttpGet("/web/message?timeout=4&type=1&text=Chanforge%20" + v + ":%20Setting%20reload%20succesfully", ok,
            answered);
    return true;
}

bool TNetworkLink::ReloadEnigma1()
{
    const std::string v = ReplaceAll(VersionText, " ", "%20");
    bool ok = false, answered = false;
    HttpGet("/cgi-bin/xmessage?timeout=4&caption=Chanforge%20" + v + "&body=Reloading%20your%20settings%20...", ok,
            answered);
    if (!answered)
        return false;
    std::string reply = HttpGet("/cgi-bin/reloadSettings", ok, answered);
    if (!ok || !Contains(reply, E1Ok))
        return false;
    reply = HttpGet("/cgi-bin/reloadUserBouquets", ok, answered);
    if (!ok || !Contains(reply, E1Ok))
        return false;
    HttpGet("/cgi-bin/xmessage?timeout=4&caption=Chanforge%20" + v + "&body=Setting%20reload%20succesfully", ok,
            answered);
    return true;
}

bool TNetworkLink::ReloadRec()
{
    Busy busy(ui_);
    Log(LoadRs(rs::ReloadingSettings));
    // The receiver we talk to decides the requests, not the set in memory.
    bool enigma2 = IsEnigma2ProfileType(Profile().Type);
    bool result = enigma2 ? ReloadEnigma2() : ReloadEnigma1();
    if (enigma2 && !result)
        result = ReloadRecTelnet();
    return result;
}
