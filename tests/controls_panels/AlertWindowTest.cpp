// The alert window: its grow, stay and shrink sequence on a hand-moved
// clock, the stack of open alerts, its painting and its mouse handling.

#include "controls/CfAlertWindow.h"
#include "platform/Color.h"
#include "platform/Cursors.h"
#include "platform/Screen.h"
#include "platform/ScreenArea.h"
#include "platform/Sound.h"
#include "platform/TaskBar.h"
#include "platform/Timer.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace cf;

namespace {

constexpr int BarHeight = 40;

// A manual clock, a 40-pixel task bar along the bottom and the mouse far
// away from any alert.
struct AlertFixture : ::testing::Test {
  TManualClock clock;
  AlertFixture()
  {
    SetClock(&clock);
    SetTaskBarOverride([] {
      return std::optional<TAppBarData>(TAppBarData{
          TRect(0, ScreenHeight() - BarHeight, ScreenWidth(), ScreenHeight()), TAppBarEdge::abeBottom});
    });
    SetCursorPosOverride(TPoint(0, 0));
  }
  ~AlertFixture() override
  {
    SetTaskBarOverride(nullptr);
    SetCursorPosOverride(std::nullopt);
    SetMessageBeepListener(nullptr);
    SetClock(nullptr);
  }
  // One animation tick (the 1 ms timer runs at 10 ms).
  void Tick(int n = 1) { clock.Advance(10u * static_cast<uint64_t>(n)); }
  void GrowFully(TCfAlertWindow& a)
  {
    for (int i = 0; i < 200 && !a.ShownFully(); ++i)
      Tick();
  }
  static TPoint Middle(const TCfAlertWindow& a)
  {
    return TPoint(a.geometry().center().x(), a.geometry().center().y());
  }
};

void MoveMouse(TControl& c, int x, int y)
{
  QMouseEvent e(QEvent::MouseMove, QPointF(x, y), c.mapToGlobal(QPointF(x, y)), Qt::NoButton, Qt::NoButton,
                Qt::NoModifier);
  QApplication::sendEvent(&c, &e);
}

void ClickAt(TControl& c, int x, int y)
{
  const QPointF at(x, y);
  QMouseEvent press(QEvent::MouseButtonPress, at, c.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(&c, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, c.mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(&c, &release);
}

uint32_t At(const QImage& img, int x, int y) { return img.pixel(x, y) | 0xFF000000u; }

}  // namespace

TEST_F(AlertFixture, GrowsInFivePixelStepsStaysUnderTheMouseThenShrinksAndCloses)
{
  TCfAlertWindow a;
  int popups = 0, closes = 0;
  a.OnPopup = [&](TCfAlertWindow*) { ++popups; };
  a.OnClose = [&](TCfAlertWindow*) { ++closes; };
  a.Popup("Hello");
  EXPECT_EQ(a.Animation(), TCfAlertWindow::TAnimation::Growing);
  EXPECT_EQ(a.Height(), 0);
  const int barTop = ScreenHeight() - BarHeight;

  Tick();
  EXPECT_EQ(a.Height(), 5);
  EXPECT_EQ(a.Top(), barTop - 5);
  EXPECT_EQ(a.Left(), ScreenWidth() - 211 - 16);
  EXPECT_TRUE(a.isVisible());
  Tick(22);
  EXPECT_EQ(a.Height(), 115);
  EXPECT_EQ(a.Top(), barTop - 115);
  EXPECT_EQ(popups, 0);
  Tick();  // 120 would pass 116: the full height
  EXPECT_EQ(a.Height(), 116);
  EXPECT_EQ(a.Top(), ScreenHeight() - BarHeight - 116);
  EXPECT_TRUE(a.ShownFully());
  EXPECT_EQ(popups, 1);

  // The mouse rests on it: the close delay passes many times, it stays.
  SetCursorPosOverride(Middle(a));
  clock.Advance(30000);
  EXPECT_TRUE(a.ShownFully());
  EXPECT_EQ(a.Height(), 116);

  // The mouse leaves: the next close-timer tick starts the shrinking.
  SetCursorPosOverride(TPoint(0, 0));
  clock.Advance(4990);
  EXPECT_TRUE(a.ShownFully());
  clock.Advance(10);
  EXPECT_EQ(a.Animation(), TCfAlertWindow::TAnimation::Shrinking);
  Tick();
  EXPECT_EQ(a.Height(), 111);
  EXPECT_EQ(a.Top(), barTop - 111);
  Tick(22);
  EXPECT_EQ(a.Height(), 1);
  Tick();
  EXPECT_EQ(a.Height(), 0);
  EXPECT_FALSE(a.isVisible());
  EXPECT_EQ(closes, 0);
  Tick();
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(a.Animation(), TCfAlertWindow::TAnimation::Idle);
  EXPECT_EQ(a.Height(), 116);  // ready for the next pop-up
  EXPECT_TRUE(TCfAlertWindow::Stack().empty());
  EXPECT_EQ(clock.ActiveTimers(), 0);
}

TEST_F(AlertFixture, TwoAlertsStandOneAboveTheOther)
{
  TCfAlertWindow lower, upper;
  upper.SetHeight(80);
  lower.Popup("first");
  upper.Popup("second");
  GrowFully(lower);
  GrowFully(upper);
  const int base = ScreenHeight() - BarHeight;
  EXPECT_EQ(lower.Top(), base - 116);
  EXPECT_EQ(upper.Top(), base - 116 - 80);
  EXPECT_EQ(TCfAlertWindow::Stack(), (std::vector<int>{116, 196}));

  // Closing the lower one frees its entry; the upper one stays where it is.
  lower.CloseAlert();
  EXPECT_EQ(TCfAlertWindow::Stack(), (std::vector<int>{196}));
  Tick(5);
  EXPECT_EQ(upper.Top(), base - 116 - 80);
  // A new alert goes above the highest one still open.
  TCfAlertWindow third;
  third.Popup("third");
  EXPECT_EQ(third.StackOffset(), 196);
  third.CloseAlert();
  upper.CloseAlert();
  // With nothing open the next one stands on the task bar again.
  lower.Popup("again");
  EXPECT_EQ(lower.StackOffset(), 0);
  lower.CloseAlert();
  EXPECT_TRUE(TCfAlertWindow::Stack().empty());
}

TEST_F(AlertFixture, CloseDelayMinusOneKeepsTheAlertUntilItsCloseButton)
{
  TCfAlertWindow a;
  std::vector<std::string> events;
  a.OnCloseClick = [&](TCfAlertWindow*) { events.push_back("closeclick"); };
  a.OnClose = [&](TCfAlertWindow*) { events.push_back("close"); };
  a.Popup("stays", -1);
  GrowFully(a);
  clock.Advance(120000);
  EXPECT_TRUE(a.ShownFully());
  const TRect r = a.CloseRect();
  ClickAt(a, r.Left + r.Width() / 2, r.Top + r.Height() / 2);
  EXPECT_EQ(events, (std::vector<std::string>{"closeclick", "close"}));
  EXPECT_FALSE(a.isVisible());
}

TEST_F(AlertFixture, PopupDelayDecidesClosingButTheIntervalStaysTheProperty)
{
  TCfAlertWindow a;
  a.SetCloseDelay(3000);
  a.Popup("x", 10);
  EXPECT_EQ(a.CloseDelay(), 10);
  GrowFully(a);
  clock.Advance(2990);
  EXPECT_TRUE(a.ShownFully());
  clock.Advance(10);
  EXPECT_EQ(a.Animation(), TCfAlertWindow::TAnimation::Shrinking);
}

TEST_F(AlertFixture, AnEmptyTextKeepsThePreviousOne)
{
  TCfAlertWindow a;
  a.Popup("News of the day");
  a.CloseAlert();
  a.Popup("");
  EXPECT_EQ(a.Text, "News of the day");
}

TEST_F(AlertFixture, APopupWhileGrowingRestartsFromZeroInItsPlace)
{
  TCfAlertWindow a;
  a.Popup("one");
  Tick(4);
  EXPECT_EQ(a.Height(), 20);
  a.Popup("two");
  EXPECT_EQ(a.Height(), 0);
  EXPECT_EQ(a.StackOffset(), 0);
  EXPECT_EQ(TCfAlertWindow::Stack(), (std::vector<int>{116}));
  GrowFully(a);
  EXPECT_EQ(a.Height(), 116);
  a.CloseAlert();
}

TEST_F(AlertFixture, WithoutATaskBarItRisesFromTheBottomOfTheScreen)
{
  SetTaskBarOverride([] { return std::optional<TAppBarData>(); });
  TCfAlertWindow a;
  a.PopupLocation = plLeft;
  a.Popup("bottom");
  Tick();
  EXPECT_EQ(a.Top(), ScreenHeight() - 5);
  EXPECT_EQ(a.Left(), 16);
  GrowFully(a);
  EXPECT_EQ(a.Top(), ScreenHeight() - 116);
  a.CloseAlert();
}

TEST_F(AlertFixture, WithTheTaskBarAtTheTopItHangsBelowIt)
{
  SetTaskBarOverride(
      [] { return std::optional<TAppBarData>(TAppBarData{TRect(0, 0, ScreenWidth(), 30), TAppBarEdge::abeTop}); });
  TCfAlertWindow a;
  a.Popup("top");
  Tick(3);
  EXPECT_EQ(a.Top(), 30);
  EXPECT_EQ(a.Height(), 15);
  GrowFully(a);
  EXPECT_EQ(a.Top(), 30);
  a.CloseAlert();
}

TEST_F(AlertFixture, ThePopupSoundIsThePlatformsBeep)
{
  std::vector<TMessageBeep> heard;
  SetMessageBeepListener([&](TMessageBeep b) { heard.push_back(b); });
  TCfAlertWindow a;
  a.Popup("quiet");
  GrowFully(a);
  EXPECT_TRUE(heard.empty());
  a.CloseAlert();
  a.PopupSound = msIconHand;
  a.Popup("loud");
  GrowFully(a);
  a.CloseAlert();
  a.PopupSound = msOk;
  a.Popup("ok");
  GrowFully(a);
  a.CloseAlert();
  EXPECT_EQ(heard, (std::vector<TMessageBeep>{TMessageBeep::mbHand, TMessageBeep::mbDefault}));
}

// The main window's alert: 248 x 200, header 50, HTML text, the default
// scheme's foreground 0xFFEFE3 (red 227, green 239, blue 255).
struct PaintedAlert : AlertFixture {
  TCfAlertWindow a;
  PaintedAlert()
  {
    a.SetBounds(0, 0, 248, 200);
    a.HeaderSize = 50;
    a.Options = aoCloseButton | aoHtmlText;
    a.Color = clWhite;
    a.SetCaption("Chanforge Alert");
    a.Text = "<a href=\"http://example.invalid/news\">News</a><br>more";
    a.Render();
  }
  const QImage& img() { return a.BackBuffer(); }
};

TEST_F(PaintedAlert, FrameHeaderAndMessageRows)
{
  const uint32_t fg = ToPixel(RGB(227, 239, 255));
  EXPECT_EQ(a.EffectiveForeground(), TColor(0xFFEFE3));
  // Outer frame: foreground less 53 a channel; inside it white.
  EXPECT_EQ(At(img(), 0, 100), ToPixel(RGB(174, 186, 202)));
  EXPECT_EQ(At(img(), 247, 100), ToPixel(RGB(174, 186, 202)));
  EXPECT_EQ(At(img(), 120, 199), ToPixel(RGB(174, 186, 202)));
  EXPECT_EQ(At(img(), 1, 100), ToPixel(clWhite));
  // Header: gradient from the foreground (first row) towards white, then a
  // foreground line and a white line.
  EXPECT_EQ(At(img(), 3, 2), fg);
  EXPECT_EQ(At(img(), 3, 50), fg);
  EXPECT_EQ(At(img(), 3, 51), ToPixel(clWhite));
  // Message rows: r = |150 div 2 - y| / 150 * 0.5 from the area's top.
  // y = 0: r = 0.25: white * 0.75 + foreground * 0.25 = (248, 251, 255).
  EXPECT_EQ(At(img(), 3, 52), ToPixel(RGB(248, 251, 255)));
  // y = 75: r = 0, the window colour.
  EXPECT_EQ(At(img(), 3, 127), ToPixel(clWhite));
  // y = 15: r = 0.2: 255 * 0.8 + 227 * 0.2 = 249.4 -> 249; 255 * 0.8 + 239 * 0.2 = 251.8 -> 252.
  EXPECT_EQ(At(img(), 3, 67), ToPixel(RGB(249, 252, 255)));
}

TEST_F(PaintedAlert, CloseGlyphAndItsHoverPicture)
{
  // 11 x 11 glyph at (248 - 11 - 7, 50 div 2 - 11 div 2 + 2) = (230, 22).
  EXPECT_EQ(a.CloseRect(), Bounds(230, 22, 11, 11));
  EXPECT_EQ(At(img(), 235, 27), ToPixel(RGB(96, 96, 96)));
  const uint32_t under = At(img(), 231, 23);  // lime drops out: the header shows
  EXPECT_NE(under, ToPixel(clLime));
  MoveMouse(a, 235, 27);
  a.Render();
  EXPECT_EQ(At(img(), 235, 27), ToPixel(clBlack));
  EXPECT_EQ(At(img(), 231, 23), ToPixel(clBlack));
  MoveMouse(a, 100, 100);
  a.Render();
  EXPECT_EQ(At(img(), 235, 27), ToPixel(RGB(96, 96, 96)));
}

TEST_F(PaintedAlert, ALinkOnlyReportsItsHrefAndShowsTheHand)
{
  std::vector<std::string> clicked;
  a.OnLinkClick = [&](TCfAlertWindow*, const std::string& href) { clicked.push_back(href); };
  // The text starts at (9 + 2, 50 + 5 + 2).
  MoveMouse(a, 14, 62);
  EXPECT_EQ(a.cursor().shape(), Qt::PointingHandCursor);
  ClickAt(a, 14, 62);
  EXPECT_EQ(clicked, (std::vector<std::string>{"http://example.invalid/news"}));
  MoveMouse(a, 120, 180);
  EXPECT_NE(a.cursor().shape(), Qt::PointingHandCursor);
  ClickAt(a, 120, 180);
  EXPECT_EQ(clicked.size(), 1u);
}

TEST_F(PaintedAlert, OptionsLinkFiresItsEvent)
{
  a.Options |= aoOptionsLink;
  int clicks = 0;
  a.OnOptionsClick = [&](TCfAlertWindow*) { ++clicks; };
  const TRect r = a.OptionsRect();
  EXPECT_EQ(r.Right, 248);
  EXPECT_EQ(r.Bottom, 196);
  ClickAt(a, r.Left + 2, r.Top + 2);
  EXPECT_EQ(clicks, 1);
}
