// The in-application drag: armed by BeginDrag, started past the threshold,
// heard by the control under the mouse, dropped or cancelled.

#include "platform/DragDrop.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace cf;

namespace {

std::vector<std::string>* journal = nullptr;

void Note(const std::string& s)
{
    if (journal)
        journal->push_back(s);
}

std::string Pt(int x, int y)
{
    return std::to_string(x) + "," + std::to_string(y);
}

// A control that logs what the drag tells it; its mouse-down arms a drag.
class Box : public TWinControl {
public:
    Box(QWidget* parent, std::string name, bool accepts) : TWinControl(parent), accepts_(accepts)
    {
        Name = std::move(name);
    }
    int threshold = -1;
    bool immediate = false;
    void MouseDown(TMouseButton, TShiftState, int, int) override { BeginDrag(immediate, threshold); }
    void MouseMove(TShiftState, int x, int y) override { Note(Name + " move " + Pt(x, y)); }
    void MouseUp(TMouseButton, TShiftState, int x, int y) override { Note(Name + " up " + Pt(x, y)); }
    void DragOver(TControl* source, int x, int y, TDragState state, bool& accept) override
    {
        static const char* names[] = {"enter", "leave", "over"};
        Note(Name + " " + names[int(state)] + " " + Pt(x, y) + " from " + source->Name);
        accept = accepts_;
    }
    void DragDrop(TControl* source, int x, int y) override
    {
        Note(Name + " drop " + Pt(x, y) + " from " + source->Name + (DragPending() ? " (still pending)" : ""));
    }
    void DragCanceled() override { Note(Name + " canceled"); }
    void DoEndDrag(TControl* target, int x, int y) override
    {
        Note(Name + " end " + (target ? target->Name : std::string("none")) + " " + Pt(x, y));
    }

private:
    bool accepts_;
};

class DragDropTest : public ::testing::Test {
public:
    void SetUp() override
    {
        journal = &log;
        form = std::make_unique<TWinControl>();
        form->SetBounds(100, 100, 300, 100);
        source = new Box(form.get(), "src", false);
        source->SetBounds(0, 0, 100, 100);
        taker = new Box(form.get(), "taker", true);
        taker->SetBounds(100, 0, 100, 100);
        refuser = new Box(form.get(), "refuser", false);
        refuser->SetBounds(200, 0, 100, 100);
        form->show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        CancelDrag();
        journal = nullptr;
    }

    // Mouse events at a point in form coordinates, sent to the source as
    // the window system does while the source holds the implicit grab.
    void Send(QEvent::Type t, int x, int y, Qt::MouseButton b, Qt::MouseButtons held)
    {
        QPointF local = QPointF(source->mapFrom(form.get(), QPoint(x, y)));
        QMouseEvent e(t, local, QPointF(form->mapToGlobal(QPoint(x, y))), b, held, Qt::NoModifier);
        QApplication::sendEvent(source, &e);
    }
    void Press(int x, int y) { Send(QEvent::MouseButtonPress, x, y, Qt::LeftButton, Qt::LeftButton); }
    void Move(int x, int y) { Send(QEvent::MouseMove, x, y, Qt::NoButton, Qt::LeftButton); }
    void Release(int x, int y) { Send(QEvent::MouseButtonRelease, x, y, Qt::LeftButton, Qt::NoButton); }

    std::vector<std::string> log;
    std::unique_ptr<TWinControl> form;
    Box* source = nullptr;
    Box* taker = nullptr;
    Box* refuser = nullptr;
};

} // namespace

TEST_F(DragDropTest, ADropOnAnAcceptingControlReachesItInItsOwnCoordinates)
{
    Press(10, 10);
    EXPECT_TRUE(DragPending());
    EXPECT_FALSE(DragActive());
    Move(150, 40);  // starts the drag right over the taker
    EXPECT_TRUE(DragActive());
    EXPECT_EQ(DragTarget(), taker);
    EXPECT_TRUE(DragAccepted());
    Move(160, 45);
    Release(170, 50);
    EXPECT_FALSE(DragPending());
    EXPECT_EQ(log, (std::vector<std::string>{"taker enter 50,40 from src", "taker over 60,45 from src",
                                             "taker over 70,50 from src", "taker drop 70,50 from src",
                                             "src end taker 70,50"}));
}

TEST_F(DragDropTest, EveryOtherEndCancelsAndTellsTheSource)
{
    struct Case {
        const char* name;
        std::function<void(DragDropTest&)> script;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"released before the threshold",
         [](DragDropTest& t) {
             t.Press(10, 10);
             t.Move(13, 14);
             t.Release(13, 14);
         },
         {"src canceled", "src end none 13,14"}},
        {"dropped on a control that refuses",
         [](DragDropTest& t) {
             t.Press(10, 10);
             t.Move(250, 50);
             t.Release(250, 50);
         },
         {"refuser enter 50,50 from src", "refuser over 50,50 from src", "refuser leave 50,50 from src",
          "src canceled", "src end none 250,50"}},
        {"dropped on nothing",
         [](DragDropTest& t) {
             t.Press(10, 10);
             t.Move(150, 50);
             t.Release(150, 300);  // below the window
         },
         {"taker enter 50,50 from src", "taker leave 50,300 from src", "src canceled", "src end none 150,300"}},
        {"Esc over an accepting control",
         [](DragDropTest& t) {
             t.Press(10, 10);
             t.Move(150, 50);
             QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QApplication::sendEvent(t.source, &esc);
             t.Release(150, 50);  // the release after Esc is the source's own again
         },
         {"taker enter 50,50 from src", "taker leave 50,50 from src", "src canceled", "src end none 150,50",
          "src up 150,50"}},
    };
    for (const Case& c : cases) {
        log.clear();
        c.script(*this);
        EXPECT_EQ(log, c.expected) << c.name;
        EXPECT_FALSE(DragPending()) << c.name;
    }
}

TEST_F(DragDropTest, TheDragStartsOnlyPastTheThresholdAlongEitherAxis)
{
    struct Case {
        int threshold, dx, dy;
        bool starts;
    };
    const Case cases[] = {
        {-1, 4, 4, false}, {-1, 5, 0, true},  {-1, 0, -5, true}, {-1, -4, 0, false},
        {10, 9, 9, false}, {10, 0, 10, true}, {0, 0, 0, true},
    };
    for (const Case& c : cases) {
        source->threshold = c.threshold;
        Press(50, 50);
        Move(50 + c.dx, 50 + c.dy);
        EXPECT_EQ(DragActive(), c.starts) << c.threshold << " " << c.dx << "," << c.dy;
        CancelDrag();
    }
    source->threshold = -1;
}

TEST_F(DragDropTest, TheDragOwnsTheMouseUntilTheRelease)
{
    Press(10, 10);
    Move(12, 12);
    Move(150, 50);
    Release(150, 50);
    for (const std::string& s : log)
        EXPECT_EQ(s.find("src move"), std::string::npos) << s;
    EXPECT_EQ(std::count(log.begin(), log.end(), "src up 150,50"), 0);
    // Afterwards the mouse is the controls' own again.
    log.clear();
    Move(20, 20);
    EXPECT_EQ(log, std::vector<std::string>{"src move 20,20"});
}

TEST_F(DragDropTest, MovingBetweenControlsLeavesOneAndEntersTheOther)
{
    source->immediate = true;
    Press(150, 50);  // an immediate drag takes its target at once
    source->immediate = false;
    Move(250, 60);
    Release(250, 60);
    EXPECT_EQ(log, (std::vector<std::string>{"taker enter 50,50 from src", "taker leave 150,60 from src",
                                             "refuser enter 50,60 from src", "refuser over 50,60 from src",
                                             "refuser leave 50,60 from src", "src canceled", "src end none 250,60"}));
}

TEST_F(DragDropTest, TheDropHandlerRunsWithTheDragAlreadyOver)
{
    Press(10, 10);
    Move(150, 50);
    Release(150, 50);
    ASSERT_FALSE(log.empty());
    EXPECT_NE(std::find(log.begin(), log.end(), "taker drop 50,50 from src"), log.end());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(DragDropTest, TheDefaultDragOverAcceptsOnlyWithAHandler)
{
    TWinControl plain;
    bool accept = true;
    plain.DragOver(source, 1, 1, dsDragMove, accept);
    EXPECT_FALSE(accept);
    plain.OnDragOver = [](TControl*, TControl*, int x, int, TDragState, bool& a) { a = x < 10; };
    plain.DragOver(source, 5, 1, dsDragMove, accept);
    EXPECT_TRUE(accept);
    plain.DragOver(source, 50, 1, dsDragMove, accept);
    EXPECT_FALSE(accept);
}
