// The start-up splash against a stand-in of the maker's alert server on
// 127.0.0.1, and the main window's alert box made from what it fetched.

#include "app/StartupAlert.h"
#include "app/Unit_Splash.h"
#include "app/Configuration.h"
#include "common/TestData.h"
#include "controls/CfAlertWindow.h"
#include "link/Peer.h"
#include "platform/Registry.h"
#include "platform/Screen.h"
#include "platform/ScreenArea.h"
#include "platform/Timer.h"
#include "transitions/RevealView.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string ReadAll(const std::filesystem::path& p)
{
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

double SecondsSince(std::chrono::steady_clock::time_point t0)
{
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// The configuration names the server and the splash switch; the clock is
// a hand-moved one, so the transition and its two-second hold take no time
// and only the network is waited for.
struct SplashFixture : ::testing::Test {
  cftest::ScratchDir dir;
  cf::TManualClock clock;
  std::unique_ptr<cftest::Peer> peer;

  SplashFixture()
  {
    // A configuration of its own: the tests run side by side.
    setenv("CHANFORGE_CONFIG", (dir / "config.ini").c_str(), 1);
    cf::SetClock(&clock);
    AlertText.clear();
  }
  ~SplashFixture() override { cf::SetClock(nullptr); }

  void Configure(const std::string& server, bool showSplash = true)
  {
    cf::TRegistry reg;
    reg.OpenKey(ConfigurationKey, true);
    reg.WriteString("AlertServer", server);
    reg.WriteBool("ShowSplash", showSplash);
    reg.Flush();
  }
  void Serve(const std::string& body, std::vector<std::string> extra = {})
  {
    {
      std::ofstream f(dir / "body", std::ios::binary);
      f << body;
    }
    std::vector<std::string> args{"--body", (dir / "body").string(), "--log", (dir / "log").string()};
    args.insert(args.end(), extra.begin(), extra.end());
    peer = std::make_unique<cftest::Peer>("alert_peer.py", args);
    Configure("http://127.0.0.1:" + std::to_string(peer->port()));
  }
  std::string Log() { return ReadAll(dir / "log"); }
  // Runs the splash and says how long the start-up was held.
  double RunSplash()
  {
    const auto t0 = std::chrono::steady_clock::now();
    TForm_Splash splash;
    splash.Splash();
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(splash.RevealView->Busy());
    return SecondsSince(t0);
  }
};

}  // namespace

TEST_F(SplashFixture, FetchesTheTextWithTheHeadersAndDropsCrLfPairs)
{
  Serve("<b>News</b>\r\n<br>Second line\r\n<br>third\nline\r\n");
  RunSplash();
  EXPECT_EQ(AlertText, "<b>News</b><br>Second line<br>third\nline");
  const std::string log = Log();
  EXPECT_NE(log.find("GET /banner/ChanforgeAlert.txt\n"), std::string::npos) << log;
  EXPECT_NE(log.find("Accept: text/html, */*\n"), std::string::npos) << log;
  EXPECT_NE(log.find("User-Agent: Mozilla/3.0 (compatible; Indy Library)\n"), std::string::npos) << log;
}

TEST_F(SplashFixture, ATextWithoutBreaksIsTakenAsItIs)
{
  Serve("Just one line\r\n");
  RunSplash();
  EXPECT_EQ(AlertText, "Just one line");
}

TEST_F(SplashFixture, TheTransitionGoesForwardHoldsAndComesBack)
{
  Serve("x");
  TForm_Splash splash;
  std::vector<int> seen;
  auto fetch = splash.RevealView->OnProgress;
  splash.RevealView->OnProgress = [&](TCustomRevealView* s) {
    seen.push_back(s->Progress());
    fetch(s);
  };
  const uint64_t t0 = clock.NowMs();
  splash.Splash();
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), 4);
  EXPECT_EQ(seen[24], 100);
  EXPECT_EQ(seen.back(), 0);
  EXPECT_EQ(seen.size(), 50u);
  // 24 pauses forward, 2 s at the top, 24 pauses back.
  EXPECT_EQ(clock.NowMs() - t0, 48u * 40u + 2000u);
  EXPECT_GE(splash.RevealView->Style(), 1);
  EXPECT_LE(splash.RevealView->Style(), 172);
}

TEST_F(SplashFixture, NotFoundGivesTheFallbackText)
{
  Serve("unused", {"--status", "404"});
  RunSplash();
  EXPECT_EQ(AlertText, FallbackAlertText);
}

TEST_F(SplashFixture, ARefusedPortGivesTheFallbackAtOnce)
{
  cftest::RefusedPort port;
  Configure("http://127.0.0.1:" + std::to_string(port.port()));
  EXPECT_LT(RunSplash(), 2.0);
  EXPECT_EQ(AlertText, FallbackAlertText);
}

TEST_F(SplashFixture, AServerThatNeverAnswersHoldsTheStartUpABoundedTime)
{
  cftest::SilentListener silent;
  Configure("http://127.0.0.1:" + std::to_string(silent.port()));
  const double held = RunSplash();
  EXPECT_LT(held, 6.0);
  EXPECT_EQ(AlertText, FallbackAlertText);
}

TEST_F(SplashFixture, AServerThatTricklesIsCutOffByTheWholeRequestBound)
{
  Serve("", {"--trickle"});
  const double held = RunSplash();
  EXPECT_GT(held, 3.0);
  EXPECT_LT(held, 7.0);
  EXPECT_EQ(AlertText, FallbackAlertText);
}

TEST_F(SplashFixture, AnEndlessBodyIsCutAt64KB)
{
  Serve("", {"--huge"});
  EXPECT_LT(RunSplash(), 6.0);
  EXPECT_EQ(AlertText.size(), 64u * 1024u);
  EXPECT_EQ(AlertText.substr(0, 12), "<b>flood</b>");
}

TEST_F(SplashFixture, SplashOffMakesNoConnection)
{
  Serve("should not be fetched");
  Configure("http://127.0.0.1:" + std::to_string(peer->port()), false);
  TForm_Splash splash;
  bool shown = false;
  splash.RevealView->OnStart = [&](TCustomRevealView*, TFxBitmap&, TFxBitmap&) { shown = true; };
  splash.Splash();
  EXPECT_FALSE(shown);
  EXPECT_EQ(AlertText, FallbackAlertText);
  EXPECT_FALSE(std::filesystem::exists(dir / "log"));
}

TEST_F(SplashFixture, TheProgramsOwnRandomSequenceIsLeftAlone)
{
  Serve("x");
  std::srand(1234);
  const int first = std::rand();
  std::srand(1234);
  RunSplash();
  EXPECT_EQ(std::rand(), first);
}

TEST(StartupAlert, HeightFollowsTheLineBreaksAndItClosesByItself)
{
  cf::TManualClock clock;
  cf::SetClock(&clock);
  {
    auto alert = MakeMainAlert(nullptr);
    EXPECT_EQ(alert->Caption(), "Chanforge Alert");
    EXPECT_EQ(alert->Width(), 248);
    EXPECT_EQ(alert->Options, unsigned(cf::aoCloseButton | cf::aoHtmlText));
    PopStartupAlert(*alert, FallbackAlertText);
    EXPECT_EQ(alert->FullHeight(), 90);  // two "<br>"
    EXPECT_EQ(alert->CloseDelay(), 10);
    EXPECT_EQ(alert->Text, FallbackAlertText);
    // A flood of line breaks from the server stops at the screen's height.
    alert->CloseAlert();
    std::string flood;
    for (int i = 0; i < 20000; ++i)
      flood += "<br>";
    PopStartupAlert(*alert, flood);
    EXPECT_EQ(alert->FullHeight(), cf::WorkAreaRect().Height());
    alert->CloseAlert();
    PopStartupAlert(*alert, FallbackAlertText);
    for (int i = 0; i < 100 && !alert->ShownFully(); ++i)
      clock.Advance(10);
    EXPECT_TRUE(alert->ShownFully());
    // The close timer keeps the interval of the property (5000 ms).
    cf::SetCursorPosOverride(cf::TPoint(-100, -100));
    clock.Advance(5000);
    EXPECT_EQ(alert->Animation(), cf::TCfAlertWindow::TAnimation::Shrinking);
    cf::SetCursorPosOverride(std::nullopt);
  }
  cf::SetClock(nullptr);
}
