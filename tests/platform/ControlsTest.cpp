#include "PixelHelpers.h"

#include "platform/Controls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace cf;

namespace {

class Recorder : public TWinControl {
public:
    using TWinControl::TWinControl;
    std::vector<std::string> log;
    bool eatKey = false;
    bool handleWheel = true;

    void Paint(TCanvas& c) override
    {
        c.Brush.Color = clRed;
        c.FillRect(ClientRect());
        c.SetPixel(0, 0, clBlue);  // client origin
    }
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override
    {
        log.push_back("down " + std::to_string(int(b)) + " " + std::to_string(s) + " " + std::to_string(x) + "," +
                      std::to_string(y));
    }
    void MouseMove(TShiftState s, int x, int y) override
    {
        log.push_back("move " + std::to_string(s) + " " + std::to_string(x) + "," + std::to_string(y));
    }
    void MouseUp(TMouseButton b, TShiftState s, int x, int y) override
    {
        log.push_back("up " + std::to_string(int(b)) + " " + std::to_string(s) + " " + std::to_string(x) + "," +
                      std::to_string(y));
    }
    void Click() override { log.push_back("click"); }
    void DblClick() override { log.push_back("dblclick"); }
    bool MouseWheel(TShiftState, int delta, TPoint) override
    {
        log.push_back("wheel " + std::to_string(delta));
        return handleWheel;
    }
    void KeyDown(uint16_t& key, TShiftState s) override
    {
        log.push_back("keydown " + std::to_string(key) + " " + std::to_string(s));
        if (eatKey)
            key = 0;
    }
    void KeyPress(char32_t& key) override { log.push_back("keypress " + std::to_string(uint32_t(key))); }
    void KeyUp(uint16_t& key, TShiftState) override { log.push_back("keyup " + std::to_string(key)); }
    void Resize() override { log.push_back("resize " + std::to_string(ClientWidth()) + "x" + std::to_string(ClientHeight())); }
};

void Mouse(QWidget* w, QEvent::Type t, QPointF pos, Qt::MouseButton b, Qt::MouseButtons held,
           Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QMouseEvent e(t, pos, w->mapToGlobal(pos), b, held, mods);
    QApplication::sendEvent(w, &e);
}

void Key(QWidget* w, QEvent::Type t, int key, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent e(t, key, mods, text);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST(PlatformControlTest, ClientCoordinatesExcludeTheFrame)
{
    Recorder c;
    c.SetBounds(0, 0, 40, 30);
    c.SetBorderStyle(TBorderStyle::bsSingle);  // 3-D client edge: two pixels
    EXPECT_EQ(c.FrameInsets(), TRect(2, 2, 2, 2));
    EXPECT_EQ(c.ClientRect(), TRect(0, 0, 36, 26));
    c.Render();
    const QImage& b = c.BackBuffer();
    EXPECT_EQ(Px(b, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Px(b, 39, 29), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Px(b, 1, 1), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(Px(b, 38, 28), ColorToRGB(cl3DLight));
    EXPECT_EQ(Px(b, 2, 2), clBlue);  // client (0, 0)
    EXPECT_EQ(Px(b, 3, 3), clRed);
    EXPECT_EQ(Px(b, 37, 27), clRed);

    Mouse(&c, QEvent::MouseButtonPress, {12, 7}, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    ASSERT_FALSE(c.log.empty());
    EXPECT_EQ(c.log.back(), "down 0 " + std::to_string(ssShift | ssLeft) + " 10,5");
    c.SetClientSize(50, 50);
    EXPECT_EQ(c.Width(), 54);
}

TEST(PlatformControlTest, MouseSequenceAsWindowsDeliversIt)
{
    Recorder c;
    c.SetBounds(0, 0, 40, 30);
    Mouse(&c, QEvent::MouseButtonPress, {5, 6}, Qt::LeftButton, Qt::LeftButton);
    Mouse(&c, QEvent::MouseMove, {7, 6}, Qt::NoButton, Qt::LeftButton);
    Mouse(&c, QEvent::MouseButtonRelease, {7, 6}, Qt::LeftButton, Qt::NoButton);
    // The second press of a double click arrives as a double click.
    Mouse(&c, QEvent::MouseButtonDblClick, {7, 6}, Qt::LeftButton, Qt::LeftButton);
    Mouse(&c, QEvent::MouseButtonRelease, {7, 6}, Qt::LeftButton, Qt::NoButton);
    // Released outside: no click.
    Mouse(&c, QEvent::MouseButtonPress, {5, 6}, Qt::RightButton, Qt::RightButton);
    Mouse(&c, QEvent::MouseButtonRelease, {5, 6}, Qt::RightButton, Qt::NoButton);
    std::vector<std::string> expected = {
        "down 0 8 5,6", "move 8 7,6", "up 0 0 7,6", "click",
        "dblclick", "down 0 72 7,6", "up 0 0 7,6",
        "down 1 16 5,6", "up 1 0 5,6",
    };
    EXPECT_EQ(c.log, expected);
}

TEST(PlatformControlTest, WheelAddsFractionsUpToWholeNotches)
{
    Recorder c;
    auto wheel = [&](int dy) {
        QWheelEvent e(QPointF(1, 1), QPointF(1, 1), QPoint(), QPoint(0, dy), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(&c, &e);
    };
    wheel(60);
    EXPECT_TRUE(c.log.empty());
    wheel(60);
    wheel(-240);
    wheel(-30);
    std::vector<std::string> expected = {"wheel 120", "wheel -240"};
    EXPECT_EQ(c.log, expected);
}

TEST(PlatformControlTest, KeysSplitIntoDownPressUp)
{
    Recorder c;
    Key(&c, QEvent::KeyPress, Qt::Key_A, "a");
    Key(&c, QEvent::KeyRelease, Qt::Key_A, "a");
    Key(&c, QEvent::KeyPress, Qt::Key_Left, "", Qt::ControlModifier);
    Key(&c, QEvent::KeyPress, Qt::Key_Return, "\r");
    c.eatKey = true;  // a handled key sends no character
    Key(&c, QEvent::KeyPress, Qt::Key_B, "b");
    std::vector<std::string> expected = {
        "keydown 65 0", "keypress 97", "keyup 65", "keydown 37 4", "keydown 13 0", "keypress 13", "keydown 66 0",
    };
    EXPECT_EQ(c.log, expected);
    EXPECT_EQ(QtKeyOf(VK_LEFT), int(Qt::Key_Left));
    EXPECT_EQ(QtKeyOf('Q'), int(Qt::Key_Q));
}

TEST(PlatformControlTest, ResizeAndFocus)
{
    QWidget top;
    top.resize(100, 100);
    auto* a = new Recorder(&top);
    auto* b = new Recorder(&top);
    a->SetBounds(0, 0, 20, 20);
    b->SetBounds(30, 0, 20, 20);
    EXPECT_EQ(b->ClientToParent({1, 2}), TPoint(31, 2));
    std::vector<std::string> focus;
    a->OnEnter = [&](TControl*) { focus.push_back("a enter"); };
    a->OnExit = [&](TControl*) { focus.push_back("a exit"); };
    top.show();
    QApplication::setActiveWindow(&top);
    a->SetFocus();
    b->SetFocus();
    QApplication::processEvents();
    if (top.isActiveWindow()) {
        std::vector<std::string> expected = {"a enter", "a exit"};
        EXPECT_EQ(focus, expected);
        EXPECT_TRUE(b->Focused());
    }
    a->log.clear();
    a->SetBounds(0, 0, 25, 21);
    ASSERT_FALSE(a->log.empty());
    EXPECT_EQ(a->log.back(), "resize 25x21");
}
