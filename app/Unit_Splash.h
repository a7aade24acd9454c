#pragma once

// The start-up splash: before any other window, a picture is revealed over a
// copy of the desktop by a randomly chosen transition; while it stands the
// alert text is fetched from the maker's web server, then the picture goes
// the way it came. The main window shows the text in its alert box on its
// first show (StartupAlert.h).

#include "platform/Forms.h"
#include "platform/net/HttpClient.h"

#include <random>
#include <string>

class TRevealView;
class TCustomRevealView;

// The text for the main window's alert box; may hold "<br>" line breaks.
extern std::string AlertText;

// Used when the splash is off or the fetch fails.
inline constexpr const char* FallbackAlertText = "<br>A new wonderfull work by Tivomar<br>";
// Where the alert text lies on the server.
inline constexpr const char* AlertPath = "/banner/ChanforgeAlert.txt";
// The server, unless the configuration value "AlertServer" names another
// (scheme, host and port, as "http://127.0.0.1:8080").
inline constexpr const char* DefaultAlertServer = "http://www.chanforge.org";

class TForm_Splash : public cf::TForm {
public:
    TForm_Splash();
    ~TForm_Splash() override;

    TRevealView* RevealView;
    cf::net::TIdHTTP HTTP;

    // Shows the splash, or sets the fallback text when "ShowSplash" is off.
    void Splash();
    // Centres the window and takes the desktop under it as the background.
    void CreateBackground();
    void RevealViewProgress(TCustomRevealView* Sender);
    // Fetches AlertText; every failure gives the fallback text.
    void Try2Connect();

    // The full address fetched (server from the configuration + AlertPath).
    std::string AlertUrl;

private:
    int RandomStyle();
    // The splash's own generator: the program-wide one is neither used nor
    // reseeded.
    std::mt19937 random_;
};
