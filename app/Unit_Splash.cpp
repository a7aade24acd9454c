#include "app/Unit_Splash.h"

#include "app/Configuration.h"
#include "app/SplashPicture.h"
#include "platform/Registry.h"
#include "platform/Screen.h"
#include "platform/ScreenGrab.h"
#include "platform/Timer.h"
#include "transitions/RevealFx.h"
#include "transitions/RevealView.h"

#include <chrono>

std::string AlertText;

namespace {

constexpr int SplashWidth = 237, SplashHeight = 280;
// The whole fetch, connect to last byte, may hold the start-up this long.
constexpr int FetchTimeoutMs = 4000;
// Alert texts are a few lines; anything longer is cut here.
constexpr std::size_t AlertTextLimit = 64 * 1024;

struct TSplashSettings {
    bool Show = true;
    std::string Server = DefaultAlertServer;
};

// The key is only read, never created; a missing key or value keeps the default.
TSplashSettings ReadSplashSettings()
{
    TSplashSettings s;
    cf::TRegistry reg;
    if (!reg.OpenKey(ConfigurationKey, false))
        return s;
    try {
        if (reg.ValueExists("ShowSplash"))
            s.Show = reg.ReadBool("ShowSplash");
    } catch (const std::exception&) {
    }
    if (reg.ValueExists("AlertServer")) {
        const std::string server = reg.ReadString("AlertServer");
        if (!server.empty())
            s.Server = server;
    }
    return s;
}

void RemoveAll(std::string& text, const std::string& what)
{
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at))
        text.erase(at, what.size());
}

} // namespace

TForm_Splash::TForm_Splash() : random_(static_cast<std::mt19937::result_type>(
                                   std::chrono::steady_clock::now().time_since_epoch().count()))
{
    Name = "Form_Splash";
    SetBorderStyle(cf::TFormBorderStyle::bsNone);
    SetStayOnTop(true);
    SetClientSize(SplashWidth, SplashHeight);
    RevealView = new TRevealView(this);
    RevealView->Name = "RevealView";
    RevealView->SetAlign(cf::alClient);
    RevealView->SetStretch(true);
    RevealView->SetThreaded(false);
    RevealView->SetPicture(SplashPicture(SplashWidth, SplashHeight));
    RevealView->OnProgress = [this](TCustomRevealView* s) { RevealViewProgress(s); };
    HTTP.Accept = "text/html, */*";
    HTTP.UserAgent = "Mozilla/3.0 (compatible; Indy Library)";
}

TForm_Splash::~TForm_Splash() = default;

int TForm_Splash::RandomStyle()
{
    return std::uniform_int_distribution<int>(1, EffectCount)(random_);
}

void TForm_Splash::Splash()
{
    const TSplashSettings settings = ReadSplashSettings();
    AlertUrl = settings.Server + AlertPath;
    if (!settings.Show) {
        AlertText = FallbackAlertText;
        return;
    }
    CreateBackground();
    Show();
    Repaint();
    RevealView->SetStyle(RandomStyle());
    // Not threaded: returns once the picture has come and gone.
    RevealView->Execute();
    Hide();
}

void TForm_Splash::CreateBackground()
{
    SetBounds((cf::ScreenWidth() - Width()) / 2, (cf::ScreenHeight() - Height()) / 2, Width(), Height());
    cf::TBitmap desktop;
    // Where the screen cannot be read the window colour stands behind.
    if (cf::GrabScreen(BoundsRect(), desktop))
        RevealView->SetBgPicture(desktop);
}

void TForm_Splash::RevealViewProgress(TCustomRevealView* Sender)
{
    if (Sender->Progress() != 100 || Sender->Reverse())
        return;
    Try2Connect();
    Sender->SetStyle(RandomStyle());
    Sender->SetReverse(true);
    cf::Clock().Sleep(2000);
}

void TForm_Splash::Try2Connect()
{
    HTTP.ConnectTimeout = 1000;
    HTTP.ReadTimeout = FetchTimeoutMs;
    HTTP.TotalTimeout = FetchTimeoutMs;
    HTTP.BodyLimit = AlertTextLimit;
    if (AlertUrl.empty())
        AlertUrl = std::string(DefaultAlertServer) + AlertPath;
    try {
        AlertText = HTTP.Get(AlertUrl);
    } catch (const std::exception&) {
        AlertText = FallbackAlertText;
    }
    RemoveAll(AlertText, "\r\n");
}
