#pragma once

#include "link/NetworkHost.h"
#include "platform/net/FtpClient.h"
#include "platform/net/HttpClient.h"
#include "platform/net/TelnetClient.h"
#include "settings/Model.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The receiver link: reads a receiver's settings files into the transfer
// folder, sends the set back, asks the web interface for the services the
// receiver found by itself, and makes the receiver reload its settings over
// HTTP or, for Enigma 2, over Telnet. It runs on the caller's thread; every
// network wait is bounded by the time-outs below.
class TNetworkLink {
public:
    struct TTimeouts {
        int FtpConnect = 5000;   // ms
        int FtpRead = 5000;      // ms
        int HttpConnect = 5000;  // ms
        int HttpRead = 5000;     // ms
        int TelnetConnect = 5000; // ms
        // After the reload command was answered the connection stays open
        // this long so the command takes effect before we hang up.
        int TelnetSettle = 5000; // ms
        // The whole Telnet dialogue up to the answer to the reload command.
        int TelnetDialogue = 20000; // ms
    };

    TNetworkLink(TNetworkHost& host, TNetworkUi& ui);

    TTimeouts Timeouts;
    int TelnetPort = 23;

    // Index into Profiles of the profile chosen in the dialog (-1: none,
    // SelectedProfile is then taken).
    std::int32_t ProfileIndex = -1;
    // "Reload settings" after a successful write.
    bool ReloadAfterWrite = true;

    // Every line added to the log; the dialog shows them.
    std::function<void(const std::string&)> OnLog;
    const std::vector<std::string>& LogLines() const { return log_; }
    std::string LogText() const;
    void ClearLog() { log_.clear(); }

    // The clients, reachable for the compare dialog's single download.
    cf::net::TIdFTP FTP;
    cf::net::TIdHTTP IdHTTP;
    cf::net::TIdTelnet IdTelnet;

    // Sets up the FTP client from the chosen profile, connects and logs in.
    bool Connect2Rec();
    // Downloads the profile's files into TempDir. True when the folder is
    // complete enough to be loaded (the dialog then closes with OK).
    bool Read();
    // Saves the set into TempDir in the profile's format and uploads it.
    // True when every file arrived (and the reload, if asked, succeeded).
    bool Write();

    // Appends the receiver's running services (Enigma 1 web interface) to
    // NewChannels.
    void GetNews();
    // Asks the receiver to reload; for Enigma 2 falls back to Telnet.
    bool ReloadRec();
    // Logs in over Telnet and restarts the receiver's user interface. True
    // only when the reload command was sent and answered.
    bool ReloadRecTelnet();

    // The Telnet dialogue, one step per received text, and its timer. Public
    // so the dialogue can be driven without a peer.
    void TelnetDataAvailable(const std::string& text);
    void TelnetTimer();
    void TelnetCmd(const std::string& text);
    std::int32_t TelnetState() const { return telnetState_; }
    bool TelnetTimerRunning() const { return timerRunning_; }

    // The profile the operations use.
    const TY_PROFILES& Profile() const;

    void Log(const std::string& line);

private:
    // The hourglass for the length of one operation (operations nest).
    struct Busy {
        explicit Busy(TNetworkUi& ui) : ui_(ui) { ui_.SetBusy(true); }
        ~Busy() { ui_.SetBusy(false); }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;
        TNetworkUi& ui_;
    };
    std::string BaseUrl() const;
    // GET with the profile's credentials; an error's message becomes the
    // reply and `ok` false.
    std::string HttpGet(const std::string& pathAndQuery, bool& ok, bool& answered);
    bool ReloadEnigma2();
    bool ReloadEnigma1();
    void ReadNewServices(const std::string& bouquetListPath);
    void EmptyTransferFolder();
    // Connects and logs in again after the receiver dropped the connection.
    bool Reconnect();
    void RemoveUnfinishedUploads(const TY_PROFILES& profile, const std::vector<std::string>& settingsListing,
                                 const std::vector<std::string>& files);

    TNetworkHost& host_;
    TNetworkUi& ui_;
    std::vector<std::string> log_;

    std::int32_t telnetState_ = 0;
    bool timerRunning_ = false;
    bool timerFired_ = false;
    bool telnetResult_ = false;
    std::chrono::steady_clock::time_point timerDue_;
};
