#include "controls/CfScrollControl.h"
#include "platform/Screen.h"
#include "platform/ScreenArea.h"
#include "platform/Timer.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace cf;

namespace {

// A scroll control whose content is rows of 10 px that scroll with the
// vertical bar; it records what the base asks of its hooks.
class RowScroller : public TCfScrollControl {
public:
    std::vector<std::string> log;
    int rowHeight = 10;

    int GetVertScrollDelta(int oldPosition, int newPosition) override
    {
        log.push_back("delta " + std::to_string(oldPosition) + "->" + std::to_string(newPosition));
        return (oldPosition - newPosition) * rowHeight;
    }
    void BeforeScroll(int kind) override { log.push_back("before " + std::to_string(kind)); }
    void AfterScroll(int kind) override { log.push_back("after " + std::to_string(kind)); }
    void ScrollContent(TCfCustomScrollBar* bar, int dx, int dy) override
    {
        log.push_back("scroll " + std::to_string(dx) + "," + std::to_string(dy));
        TCfScrollControl::ScrollContent(bar, dx, dy);
    }
    void Paint(TCanvas& canvas) override
    {
        // A fixed strip on top, then rows that move with the bar.
        TRect c = ClientRect();
        canvas.FillRect(TRect(0, 0, c.Right, 10), clBtnFace);
        VertScrollArea = TRect(0, 10, c.Right, c.Bottom);
        int first = VertScrollBar()->Position();
        for (int y = 10, row = first; y < c.Bottom; y += rowHeight, ++row) {
            TColor colour = RGB((row * 37) % 256, (row * 91) % 256, (row * 13) % 256);
            canvas.FillRect(TRect(0, y, c.Right, std::min(y + rowHeight, c.Bottom)), colour);
            canvas.FillRect(TRect(row % 7, y + 2, row % 7 + 5, std::min(y + 5, c.Bottom)), clBlack);
        }
    }
};

QImage FreshPaint(TControl& c)
{
    QImage image(c.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    TCanvas canvas(&image);
    canvas.Font = c.Font;
    c.PaintTo(canvas);
    return image;
}

bool SamePixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
    return true;
}

class ScrollModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetClock(&clock);
        control = std::make_unique<RowScroller>();
        control->SetBounds(0, 0, 200, 120);
        bar = control->VertScrollBar();
    }
    void TearDown() override
    {
        control.reset();
        SetClock(nullptr);
        SetCursorPosOverride(std::nullopt);
    }
    TManualClock clock;
    std::unique_ptr<RowScroller> control;
    TCfScrollBar* bar = nullptr;
};

} // namespace

TEST_F(ScrollModel, MaxNeverBelowZeroAndPageNeverBelowOne)
{
    bar->SetMax(-5);
    EXPECT_EQ(bar->Max(), 0);
    bar->SetPageSize(0);
    EXPECT_EQ(bar->PageSize(), 1);
    bar->SetPageSize(-3);
    EXPECT_EQ(bar->PageSize(), 1);
}

TEST_F(ScrollModel, PositionIsClamped)
{
    struct Case {
        int min, max, value, expected;
    } cases[] = {
        {0, 100, 150, 100}, {0, 100, -3, 0}, {5, 100, 3, 5}, {-10, 100, -5, 0}, {0, 100, 50, 50}, {0, 0, 7, 0},
    };
    for (const Case& c : cases) {
        bar->SetMax(c.max);
        bar->SetMin(c.min);
        bar->SetPosition(c.value);
        EXPECT_EQ(bar->Position(), c.expected) << c.min << " " << c.max << " " << c.value;
    }
}

TEST_F(ScrollModel, LastStopsAPageBeforeTheEndWhileSetPositionReachesMax)
{
    bar->SetMax(100);
    bar->SetPageSize(10);
    bar->Last();
    EXPECT_EQ(bar->Position(), 91);
    bar->SetPosition(100);
    EXPECT_EQ(bar->Position(), 100);
    bar->First();
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_TRUE(bar->AtStart());
    bar->SetPosition(90);
    EXPECT_TRUE(bar->AtEnd());
}

TEST_F(ScrollModel, EachScrollCode)
{
    bar->SetMax(100);
    bar->SetPageSize(10);
    bar->LargeChange = 10;
    std::vector<int> reported;
    control->OnVerticalScroll = [&](QObject*, int pos) { reported.push_back(pos); };
    struct Case {
        int start, code, expected;
    } cases[] = {
        {50, SB_LINEUP, 49},   {50, SB_LINEDOWN, 51}, {50, SB_PAGEUP, 40},  {50, SB_PAGEDOWN, 60},
        {85, SB_PAGEDOWN, 91}, {91, SB_LINEDOWN, 91}, {5, SB_PAGEUP, 0},    {0, SB_LINEUP, 0},
        {50, SB_TOP, 0},       {50, SB_BOTTOM, 91},   {50, SB_ENDSCROLL, 50},
    };
    for (const Case& c : cases) {
        bar->SetPosition(c.start);
        reported.clear();
        control->ScrollMessage(1, c.code);
        EXPECT_EQ(bar->Position(), c.expected) << "code " << c.code << " from " << c.start;
        // Every message reports, the end of a scroll included.
        ASSERT_EQ(reported.size(), 1u);
        EXPECT_EQ(reported[0], c.expected);
    }
}

TEST_F(ScrollModel, ThumbTrackReadsTheFull32BitPosition)
{
    bar->SetMax(200000);
    bar->SetPageSize(100);
    std::vector<int> reported;
    control->OnVerticalScroll = [&](QObject*, int pos) { reported.push_back(pos); };
    // Dragging the window bar's thumb: Qt reports the move as the slider moving.
    control->WindowScrollBar(1)->setSliderPosition(70000);
    EXPECT_EQ(bar->Position(), 70000);
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(reported.back(), 70000);
    EXPECT_EQ(control->GetTrackPosition(bar), 70000);
}

TEST_F(ScrollModel, WindowBarMirrorsTheModel)
{
    bar->SetMax(100);
    bar->SetPageSize(10);
    bar->SetPosition(30);
    QScrollBar* w = control->WindowScrollBar(1);
    EXPECT_EQ(w->minimum(), 0);
    EXPECT_EQ(w->maximum(), 91);
    EXPECT_EQ(w->pageStep(), 10);
    EXPECT_EQ(w->value(), 30);
    EXPECT_FALSE(w->isHidden());
    EXPECT_EQ(control->FrameInsets().Right, VScrollArrowWidth());
}

// Border and 3-D changes made through the plain windowed-control type must keep
// the window bar's strip in the frame, or the bar would cover the content.
TEST_F(ScrollModel, BorderChangesKeepTheWindowBarStrip)
{
    bar->SetMax(100);
    bar->SetPageSize(10);
    TWinControl* plain = control.get();
    plain->SetBorderStyle(TBorderStyle::bsSingle);
    EXPECT_EQ(control->FrameInsets().Right, 2 + VScrollArrowWidth());
    EXPECT_EQ(control->FrameInsets().Left, 2);
    plain->SetCtl3D(false);
    EXPECT_EQ(control->FrameInsets().Right, 1 + VScrollArrowWidth());
    plain->SetBorderStyle(TBorderStyle::bsNone);
    EXPECT_EQ(control->FrameInsets().Right, VScrollArrowWidth());
}

TEST_F(ScrollModel, AutoHideHidesAndWithoutItTheBarStaysDisabled)
{
    bar->SetPageSize(10);
    bar->SetMax(5);
    EXPECT_FALSE(bar->Visible());
    EXPECT_TRUE(control->WindowScrollBar(1)->isHidden());
    EXPECT_EQ(control->FrameInsets().Right, 0);

    bar->SetAutoHide(false);
    EXPECT_TRUE(bar->Visible());
    EXPECT_FALSE(control->WindowScrollBar(1)->isHidden());
    EXPECT_FALSE(control->WindowScrollBar(1)->isEnabled());

    bar->SetMax(-5);
    EXPECT_EQ(bar->Max(), 0);
    EXPECT_FALSE(control->WindowScrollBar(1)->isHidden());
    EXPECT_FALSE(control->WindowScrollBar(1)->isEnabled());
}

TEST_F(ScrollModel, PositionChangeRunsTheHooksInOrderEvenForAZeroDelta)
{
    bar->SetMax(100);
    bar->SetPosition(4);
    EXPECT_EQ(control->log, (std::vector<std::string>{"delta 0->4", "scroll 0,-40", "before 1", "after 1"}));
    control->log.clear();
    bar->SetPosition(4);
    EXPECT_EQ(control->log, (std::vector<std::string>{"delta 4->4", "scroll 0,0", "before 1", "after 1"}));
}

TEST_F(ScrollModel, UpdatesBetweenBeginAndEndMoveTheBarButScrollNoPixels)
{
    bar->SetMax(100);
    bar->SetPageSize(10);
    bar->BeginUpdate();
    bar->SetPosition(20);
    bar->EndUpdate();
    EXPECT_EQ(bar->Position(), 20);
    EXPECT_EQ(control->WindowScrollBar(1)->value(), 20);
    EXPECT_TRUE(control->log.empty());
}

TEST_F(ScrollModel, PriorAndNextNeedSomethingToScroll)
{
    std::vector<int> reported;
    control->OnVerticalScroll = [&](QObject*, int pos) { reported.push_back(pos); };
    bar->Next();
    bar->Prior();
    bar->PageDown();
    EXPECT_TRUE(reported.empty());
    bar->SetMax(10);
    bar->Prior();  // already at the start
    EXPECT_TRUE(reported.empty());
    bar->Next();
    EXPECT_EQ(bar->Position(), 1);
    bar->Prior();
    EXPECT_EQ(bar->Position(), 0);
}

TEST_F(ScrollModel, AfterEveryScrollThePixelsEqualAFreshPaint)
{
    bar->SetMax(100);
    bar->SetPageSize(10);
    control->Render();
    for (int pos : {3, 5, 2, 40, 39, 0, 91, 90, 100, 0}) {
        bar->SetPosition(pos);
        ASSERT_TRUE(SamePixels(control->BackBuffer(), FreshPaint(*control))) << "after position " << pos;
    }
}

TEST_F(ScrollModel, WheelIsSwallowedWhileEnabled)
{
    EXPECT_TRUE(control->MouseWheel(0, -120, TPoint(0, 0)));
    control->MouseWheelEnabled = false;
    EXPECT_FALSE(control->MouseWheel(0, -120, TPoint(0, 0)));
}

// ---------------------------------------------------------------- roll

TEST_F(ScrollModel, MiddleButtonRollOnAFakeClock)
{
    bar->SetMax(200);
    bar->SetPageSize(10);
    bar->SetPosition(50);
    control->MouseDown(mbMiddle, 0, 50, 100);
    ASSERT_TRUE(control->Rolling());
    EXPECT_EQ(control->RollShadow()->Cursor(), crRoll);
    TPoint anchor = control->ClientToScreen(TPoint(50, 100));
    EXPECT_EQ(control->RollShadow()->Anchor(), anchor);
    EXPECT_EQ(control->RollShadow()->Left(), anchor.X - 7);
    EXPECT_EQ(control->RollShadow()->Top(), anchor.Y - 11);
    EXPECT_TRUE(control->RollTimer().Enabled());
    EXPECT_EQ(control->RollTimer().Interval(), 1);

    struct Case {
        int dy;
        int cursor;
        int expectedInterval;
        int step;  // position change per tick
    } cases[] = {
        {-5, crRoll, 95, 0},        // neutral band: no scrolling
        {5, crRoll, 95, 0},
        {-6, crRollUp, 94, -1},     // just outside: slowest
        {6, crRollDown, 94, +1},
        {150, crRollDown, 1, +1},   // far away: as fast as the timer goes
        {-99, crRollUp, 1, -1},
    };
    for (const Case& c : cases) {
        SetCursorPosOverride(control->ClientToScreen(TPoint(50, 100 + c.dy)));
        control->MouseMove(0, 50, 100 + c.dy);
        EXPECT_EQ(ScreenCursor(), c.cursor) << c.dy;
        EXPECT_EQ(control->RollShadow()->Cursor(), c.cursor);
        int before = bar->Position();
        control->RollStep();
        EXPECT_EQ(bar->Position(), before + c.step) << c.dy;
        EXPECT_EQ(control->RollTimer().Interval(), c.expectedInterval) << c.dy;
    }

    // The timer drives the steps: 6 px below, one line every 94 ms.
    SetCursorPosOverride(control->ClientToScreen(TPoint(50, 106)));
    control->MouseMove(0, 50, 106);
    control->RollStep();
    int before = bar->Position();
    clock.Advance(93);
    EXPECT_EQ(bar->Position(), before);
    clock.Advance(1);
    EXPECT_EQ(bar->Position(), before + 1);
    clock.Advance(94 * 3);
    EXPECT_EQ(bar->Position(), before + 4);

    control->MouseUp(mbMiddle, 0, 50, 106);
    EXPECT_FALSE(control->Rolling());
    EXPECT_FALSE(control->RollTimer().Enabled());
    EXPECT_EQ(ScreenCursor(), crDefault);
    EXPECT_TRUE(control->RollShadow()->isHidden());
    clock.Advance(1000);
    EXPECT_EQ(bar->Position(), before + 4);
}

TEST(CfRollShadow, ShapeIsArrowsAndDot)
{
    TRegion shape = TRollShadow::Shape();
    EXPECT_TRUE(shape.Contains(TPoint(7, 3)));    // inside the up arrow
    EXPECT_TRUE(shape.Contains(TPoint(7, 11)));   // the dot
    EXPECT_TRUE(shape.Contains(TPoint(6, 18)));   // inside the down arrow
    EXPECT_FALSE(shape.Contains(TPoint(20, 20)));
    EXPECT_FALSE(shape.Contains(TPoint(0, 11)));  // between the arrows, beside the dot
}

// ---------------------------------------------------------------- self-drawn bar

namespace {

class OwnBar : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetClock(&clock);
        control = std::make_unique<TCfControl>();
        control->SetBounds(0, 0, 100, 204);
        bar = control->ScrollBar();
        bar->SetVisible(true);
        bar->SetBounds(81, 2, 17, 200);
        bar->SetMax(50);
        bar->SetPageSize(20);
    }
    void TearDown() override
    {
        control.reset();
        SetClock(nullptr);
    }
    TManualClock clock;
    std::unique_ptr<TCfControl> control;
    TCfVertScrollBar* bar = nullptr;
};

} // namespace

TEST_F(OwnBar, ThumbGeometry)
{
    // B = 17, track = 200 - 34 = 166; thumb top = round(P * (166 - 20) / 50) + 17 + 2, from the bar's top (2).
    ASSERT_EQ(bar->ButtonSize(), 17);
    EXPECT_EQ(bar->TrackLength(), 166);
    EXPECT_EQ(bar->BackButtonRect(), TRect(81, 2, 98, 19));
    EXPECT_EQ(bar->ForwardButtonRect(), TRect(81, 185, 98, 202));
    struct Case {
        int position, top;
    } cases[] = {{0, 21}, {25, 2 + 73 + 19}, {10, 2 + 29 + 19}};  // 10 * 146 / 50 = 29.2
    for (const Case& c : cases) {
        bar->SetPosition(c.position);
        EXPECT_EQ(bar->ThumbRect(), TRect(81, c.top, 98, c.top + 20)) << c.position;
    }
    bar->SetPosition(25);
    EXPECT_EQ(bar->PageUpRect(), TRect(81, 19, 98, 94));
    EXPECT_EQ(bar->PageDownRect(), TRect(81, 114, 98, 185));
}

TEST_F(OwnBar, ThumbNeverRunsOverTheArrows)
{
    // The formula puts the end thumb 2 px into the forward arrow; it stops at the track's end.
    bar->SetPosition(50);
    TRect t = bar->ThumbRect();
    EXPECT_EQ(t.Bottom, bar->ForwardButtonRect().Top);
    EXPECT_EQ(t.Height(), 20);
}

TEST_F(OwnBar, ShortBarsNeitherDivideByZeroNorOverlapTheArrows)
{
    for (int height : {0, 20, 33, 34, 35, 40}) {
        bar->SetBounds(81, 2, 17, height);
        bar->SetPosition(25);
        TRect t = bar->ThumbRect();
        int track = height - 34;
        if (track <= 0) {
            EXPECT_TRUE(t.IsEmpty()) << height;
            EXPECT_FALSE(bar->DragPosition(100).has_value()) << height;
        } else {
            EXPECT_GE(t.Top, bar->BackButtonRect().Bottom) << height;
            EXPECT_LE(t.Bottom, bar->ForwardButtonRect().Top) << height;
        }
        // Pressing and dragging anywhere stays harmless.
        control->MouseDown(mbLeft, 0, 85, 20);
        control->MouseMove(ssLeft, 85, 60);
        control->MouseUp(mbLeft, 0, 85, 60);
    }
}

TEST_F(OwnBar, DraggingTheThumb)
{
    bar->SetPosition(0);
    control->MouseDown(mbLeft, 0, 85, 25);  // on the thumb (21..41)
    EXPECT_TRUE(bar->ThumbState & TCfVertScrollBar::stPressed);
    // (100 - 2 - 17 - 2) / (166 / 50) = 79 / 3.32 = 23.8
    control->MouseMove(ssLeft, 5, 100);  // left of the bar: the pressed thumb still follows
    EXPECT_EQ(bar->Position(), 24);
    control->MouseUp(mbLeft, 0, 5, 100);
    EXPECT_FALSE(bar->ThumbState & TCfVertScrollBar::stPressed);
    control->MouseMove(0, 5, 150);
    EXPECT_EQ(bar->Position(), 24);
}

TEST_F(OwnBar, ArrowAutoRepeatTiming)
{
    bar->SetPosition(10);
    control->MouseDown(mbLeft, 0, 85, 190);  // forward arrow
    EXPECT_EQ(bar->Position(), 11);          // the first step at once
    EXPECT_TRUE(bar->ForwardState & TCfVertScrollBar::stPressed);
    clock.Advance(299);
    EXPECT_EQ(bar->Position(), 11);
    clock.Advance(1);  // the delay is over; the repeat timer starts
    EXPECT_EQ(bar->Position(), 11);
    clock.Advance(49);
    EXPECT_EQ(bar->Position(), 11);
    clock.Advance(1);
    EXPECT_EQ(bar->Position(), 12);
    clock.Advance(100);
    EXPECT_EQ(bar->Position(), 14);
    control->MouseUp(mbLeft, 0, 85, 190);
    EXPECT_EQ(bar->ForwardState & TCfVertScrollBar::stPressed, 0);
    EXPECT_FALSE(control->RepeatTimer().Enabled());
    EXPECT_FALSE(control->DelayTimer().Enabled());
    clock.Advance(1000);
    EXPECT_EQ(bar->Position(), 14);
}

TEST_F(OwnBar, PageAreasAndBackArrow)
{
    bar->LargeChange = 10;
    bar->SetPosition(25);                   // thumb 94..114
    control->MouseDown(mbLeft, 0, 85, 150);  // page-down area
    EXPECT_EQ(bar->Position(), 35);
    control->MouseUp(mbLeft, 0, 85, 150);
    control->MouseDown(mbLeft, 0, 85, 25);  // page-up area (thumb now lower)
    EXPECT_EQ(bar->Position(), 25);
    control->MouseUp(mbLeft, 0, 85, 25);
    control->MouseDown(mbLeft, 0, 85, 5);  // back arrow
    EXPECT_EQ(bar->Position(), 24);
    control->MouseUp(mbLeft, 0, 85, 5);
}

TEST_F(OwnBar, HotPartsFollowThePointer)
{
    control->MouseMove(0, 85, 5);
    EXPECT_TRUE(bar->BackState & TCfVertScrollBar::stHot);
    EXPECT_FALSE(bar->ForwardState & TCfVertScrollBar::stHot);
    control->MouseMove(0, 85, 190);
    EXPECT_FALSE(bar->BackState & TCfVertScrollBar::stHot);
    EXPECT_TRUE(bar->ForwardState & TCfVertScrollBar::stHot);
    control->MouseMove(0, 20, 100);  // off the bar
    EXPECT_FALSE(bar->ForwardState & TCfVertScrollBar::stHot);
    control->MouseMove(0, 85, 190);
    control->MouseLeave();
    EXPECT_FALSE(bar->ForwardState & TCfVertScrollBar::stHot);
}

TEST_F(OwnBar, BorderAndBarPixels)
{
    bar->SetPosition(0);
    control->Color = clWhite;
    control->Render();
    const QImage& img = control->BackBuffer();
    EXPECT_EQ(img.pixel(0, 50) & 0xFFFFFF, 0x000000u);   // black outer frame
    EXPECT_EQ(img.pixel(1, 50) & 0xFFFFFF, 0xFFFFFFu);   // frame in the control's colour
    // Thumb face (button face 0xF0F0F0 or the table's value) differs from the chequered track.
    TColor face = ColorToRGB(clBtnFace);
    QRgb thumbPixel = img.pixel(89, 30);
    EXPECT_EQ(thumbPixel & 0xFFFFFF, QRgb((GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face)));
    TColor hi = ColorToRGB(clBtnHighlight), sb = ColorToRGB(clScrollBar);
    auto rgb = [](TColor c) { return QRgb((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c)); };
    EXPECT_EQ(img.pixel(90, 100) & 0xFFFFFF, rgb(((90 + 100) & 1) ? sb : hi));
    EXPECT_EQ(img.pixel(91, 100) & 0xFFFFFF, rgb(((91 + 100) & 1) ? sb : hi));
}

TEST_F(ScrollModel, NoRollWhenNotAllowed)
{
    control->RollAllowed = false;
    control->MouseDown(mbMiddle, 0, 50, 100);
    EXPECT_FALSE(control->Rolling());
    EXPECT_FALSE(control->RollTimer().Enabled());
}

namespace {

// Columns of 12 px that move with the horizontal bar under a fixed left strip.
class ColumnScroller : public TCfScrollControl {
public:
    int GetHorzScrollDelta(int oldPosition, int newPosition) override { return (oldPosition - newPosition) * 12; }
    void Paint(TCanvas& canvas) override
    {
        TRect c = ClientRect();
        canvas.FillRect(TRect(0, 0, 15, c.Bottom), clBtnFace);
        HorzScrollArea = TRect(15, 0, c.Right, c.Bottom);
        int first = HorzScrollBar()->Position();
        for (int x = 15, col = first; x < c.Right; x += 12, ++col) {
            canvas.FillRect(TRect(x, 0, std::min(x + 12, c.Right), c.Bottom),
                            RGB((col * 53) % 256, (col * 17) % 256, 200));
            canvas.FillRect(TRect(x + 2, col % 9 + 3, std::min(x + 6, c.Right), col % 9 + 8), clBlack);
        }
    }
};

} // namespace

TEST(CfScrollPixels, HorizontalScrollEqualsAFreshPaint)
{
    ColumnScroller control;
    control.SetBounds(0, 0, 157, 60);
    control.SetBorderStyle(TBorderStyle::bsSingle);
    TCfScrollBar* bar = control.HorzScrollBar();
    bar->SetMax(60);
    bar->SetPageSize(5);
    control.Render();
    for (int pos : {1, 4, 3, 20, 0, 56, 55, 60}) {
        bar->SetPosition(pos);
        ASSERT_TRUE(SamePixels(control.BackBuffer(), FreshPaint(control))) << "after position " << pos;
    }
}

TEST(CfScrollPixels, TabToNeighboursPostsKeysToTheParent)
{
    struct Catcher : QWidget {
        std::vector<std::pair<int, int>> keys;
        bool event(QEvent* e) override
        {
            if (e->type() == QEvent::KeyPress) {
                auto* k = static_cast<QKeyEvent*>(e);
                keys.push_back({k->key(), int(k->modifiers())});
                return true;
            }
            return QWidget::event(e);
        }
    } parent;
    auto* c = new TCfScrollControl(&parent);
    c->TabToNextControl();
    c->TabToPriorControl();
    QCoreApplication::sendPostedEvents(&parent);
    ASSERT_EQ(parent.keys.size(), 3u);
    EXPECT_EQ(parent.keys[0], std::make_pair(int(Qt::Key_Tab), 0));
    EXPECT_EQ(parent.keys[1].first, int(Qt::Key_Shift));
    EXPECT_EQ(parent.keys[2], std::make_pair(int(Qt::Key_Tab), int(Qt::ShiftModifier)));
}

TEST_F(ScrollModel, DisablingTheControlDisablesItsBars)
{
    bar->SetMax(100);
    bar->SetPageSize(10);
    QScrollBar* w = control->WindowScrollBar(1);
    EXPECT_TRUE(w->isEnabled());
    control->SetEnabled(false);
    EXPECT_FALSE(w->isEnabled());
    control->SetEnabled(true);
    EXPECT_TRUE(w->isEnabled());
    bar->SetEnabled(false);
    EXPECT_FALSE(w->isEnabled());
}

TEST(CfFlyout, FloatsAboveEverythingAndStartsHidden)
{
    TWinControl owner;
    TCfFlyoutControl fly(&owner);
    EXPECT_TRUE(fly.isWindow());
    EXPECT_TRUE(fly.isHidden());
    EXPECT_TRUE(fly.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(fly.CanFocus());
    TRollShadow shadow(&owner);
    shadow.ShowAt(TPoint(100, 200));
    EXPECT_EQ(shadow.BoundsRect(), Bounds(93, 189, 32, 32));
    EXPECT_EQ(shadow.WindowRegion(), TRollShadow::Shape());
    shadow.Render();
    TColor g = ColorToRGB(clGrayText);
    EXPECT_EQ(shadow.BackBuffer().pixel(7, 11) & 0xFFFFFF,
              QRgb((GetRValue(g) << 16) | (GetGValue(g) << 8) | GetBValue(g)));
}

TEST_F(ScrollModel, WindowBarsHaveTheClassicLook)
{
    // Arrow buttons with the raised edge (3-D light outside, highlight
    // inside) and a dark arrow, the chequered track of highlight and
    // scroll-bar colour, and a raised thumb: the look of the set's own bar.
    bar->SetMax(100);
    bar->SetPageSize(10);
    bar->SetPosition(50);
    QScrollBar* w = control->WindowScrollBar(1);
    ASSERT_FALSE(w->isHidden());
    QImage img = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QStyleOptionSlider opt;
    opt.initFrom(w);
    opt.orientation = Qt::Vertical;
    opt.minimum = w->minimum();
    opt.maximum = w->maximum();
    opt.sliderPosition = opt.sliderValue = w->value();
    opt.pageStep = w->pageStep();
    opt.singleStep = w->singleStep();
    opt.subControls = QStyle::SC_All;
    auto rect = [&](QStyle::SubControl sc) { return w->style()->subControlRect(QStyle::CC_ScrollBar, &opt, sc, w); };
    auto at = [&](QPoint p) { return img.pixel(p) & 0xFFFFFF; };
    const QRgb light = 0xE3E3E3, highlight = 0xFFFFFF, dark = 0x696969, track = 0xC8C8C8, face = 0xF0F0F0;
    for (QStyle::SubControl sc : {QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine}) {
        QRect r = rect(sc);
        if (r.isEmpty())
            continue;  // a style without arrow buttons
        SCOPED_TRACE(sc == QStyle::SC_ScrollBarSubLine ? "up arrow" : "down arrow");
        EXPECT_EQ(at(r.topLeft()), light);
        EXPECT_EQ(at(r.topLeft() + QPoint(1, 1)), highlight);
        EXPECT_EQ(at(r.bottomRight()), dark);
        EXPECT_EQ(at(r.center()), 0x000000u);  // the arrow's middle
    }
    QRect thumb = rect(QStyle::SC_ScrollBarSlider);
    ASSERT_FALSE(thumb.isEmpty());
    EXPECT_EQ(at(thumb.topLeft()), light);
    EXPECT_EQ(at(thumb.bottomRight()), dark);
    EXPECT_EQ(at(thumb.center()), face);
    // Track above the thumb: neighbouring pixels alternate.
    QRect page = rect(QStyle::SC_ScrollBarSubPage);
    ASSERT_GT(page.height(), 2);
    QPoint p = page.center();
    QRgb a = at(p), b = at(p + QPoint(1, 0));
    EXPECT_TRUE((a == highlight && b == track) || (a == track && b == highlight)) << std::hex << a << " " << b;
    EXPECT_EQ(at(p + QPoint(1, 1)), a);
}
