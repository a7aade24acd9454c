// The progress window's OK and Cancel buttons and its edit box: where they
// stand, what they show, what a click and typing leave behind.

#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/CfNativeEdit.h"
#include "controls/CfProgress.h"

#include "platform/Forms.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

using namespace cf;

namespace {

void Click(TControl& c)
{
    const QPointF at(c.width() / 2, c.height() / 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, c.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&c, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, c.mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&c, &release);
}

void Type(QWidget* w, const std::string& text)
{
    for (char ch : text) {
        const QString s(QChar::fromLatin1(ch));
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, s);
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, s);
        QApplication::sendEvent(w, &release);
    }
}

TRect Geometry(TControl* c) { return c->BoundsRect(); }

class CfProgressControls : public ::testing::Test {
protected:
    TCfProgress p;
    void SetUp() override
    {
        p.SetFormWidth(500);
        p.SetFormHeight(400);
        p.SetLines({"Step one", "Step two"});
        p.SetProgress(1);
    }
    void TearDown() override { p.SetVisible(false); }
    int CW() { return p.Form()->ClientWidth(); }
    int CH() { return p.Form()->ClientHeight(); }
    bool Shown(TControl* c) { return c->isVisibleTo(p.Form()); }
};

} // namespace

TEST_F(CfProgressControls, TheControlsStandWhereTheLayoutPutsThem)
{
    struct Case {
        TCfProgressOptions options;
        bool ok, cancel, edit;
    };
    const Case cases[] = {
        {poFixedImage | poModal, false, false, false}, // the editor's own options
        {poShowEdit | poAllowCancel, false, false, false}, // nothing without the OK button
        {poShowButtons, true, false, false},
        {poShowButtons | poAllowCancel, true, true, false},
        {poShowButtons | poShowEdit, true, false, true},
        {poShowButtons | poAllowCancel | poShowEdit, true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        p.SetOptions(c.options);
        p.SetVisible(true);
        const int w = CW(), h = CH();
        const int barTop = h - TCfProgress::BarHeight;
        // OK: 20 pixels from the right, 10 above the bar; Cancel 10 to its left.
        const TRect ok = Bounds(w - 75 - 20, barTop - TCfProgress::ButtonHeight - 10, 75, TCfProgress::ButtonHeight);
        const TRect cancel = Bounds(ok.Left - 75 - 10, ok.Top, 75, TCfProgress::ButtonHeight);
        EXPECT_EQ(Shown(p.OkButton()), c.ok);
        EXPECT_EQ(Shown(p.CancelButton()), c.cancel);
        EXPECT_EQ(Shown(p.Edit()), c.edit);
        EXPECT_EQ(Geometry(p.OkButton()), ok);
        EXPECT_EQ(Geometry(p.CancelButton()), cancel);
        // The edit box: at the left, bottoms aligned with the buttons, up to
        // 20 pixels before the leftmost button shown.
        const TRect edit = Geometry(p.Edit());
        EXPECT_EQ(edit.Left, 10);
        EXPECT_EQ(edit.Bottom, ok.Bottom);
        EXPECT_EQ(edit.Right, (c.cancel ? cancel.Left : ok.Left) - 20);
        p.SetVisible(false);
    }
}

TEST_F(CfProgressControls, ButtonsFollowAResizeAndTheButtonWidth)
{
    p.SetOptions(poShowButtons | poAllowCancel | poShowEdit);
    p.SetVisible(true);
    p.SetButtonWidth(100);
    EXPECT_EQ(p.OkButton()->Width(), 100);
    EXPECT_EQ(p.OkButton()->Left(), CW() - 100 - 20);
    EXPECT_EQ(p.CancelButton()->Left(), CW() - 100 - 20 - 100 - 10);
    EXPECT_EQ(Geometry(p.Edit()).Right, p.CancelButton()->Left() - 20);
    p.SetFormWidth(600);
    p.SetFormHeight(300);
    EXPECT_EQ(p.OkButton()->Left(), CW() - 100 - 20);
    EXPECT_EQ(p.OkButton()->Top(), CH() - TCfProgress::BarHeight - TCfProgress::ButtonHeight - 10);
    EXPECT_EQ(Geometry(p.OkButton()), p.OkBounds());
}

TEST_F(CfProgressControls, CaptionsAreTheButtonsOwn)
{
    EXPECT_EQ(p.OkButton()->Caption(), "Ok");
    EXPECT_EQ(p.CancelButton()->Caption(), "Cancel");
    p.SetOkCaption("Go on");
    p.SetCancelCaption("Stop");
    EXPECT_EQ(p.OkButton()->Caption(), "Go on");
    EXPECT_EQ(p.CancelButton()->Caption(), "Stop");
    EXPECT_EQ(p.OkCaption(), "Go on");
    // A caption given to a button directly is what the component reads back.
    p.CancelButton()->SetCaption("Abort");
    EXPECT_EQ(p.CancelCaption(), "Abort");
    // With the window gone the defaults are read.
    delete p.Form();
    EXPECT_EQ(p.OkCaption(), "Ok");
    EXPECT_EQ(p.CancelCaption(), "Cancel");
    EXPECT_EQ(p.OkButton(), nullptr);
    EXPECT_EQ(p.Edit(), nullptr);
    p.SetOkCaption("x"); // nothing to set: no harm
    p.SetInput("y");
    EXPECT_EQ(p.Input(), "");
}

TEST_F(CfProgressControls, AClickLeavesItsResultAndTheWindowOpen)
{
    p.SetOptions(poShowButtons | poAllowCancel);
    p.SetVisible(true);
    Click(*p.OkButton());
    EXPECT_EQ(p.Form()->ModalResult(), mrOk);
    EXPECT_TRUE(p.Visible()) << "the buttons carry no action of their own";
    Click(*p.CancelButton());
    EXPECT_EQ(p.Form()->ModalResult(), mrCancel);
    EXPECT_TRUE(p.Visible());
}

TEST_F(CfProgressControls, InputIsTheEditBoxText)
{
    p.SetOptions(poShowButtons | poShowEdit | poShowPrompt);
    p.SetVisible(true);
    EXPECT_EQ(p.Input(), "");
    p.SetInput("first");
    EXPECT_EQ(p.Edit()->Text(), "first");
    p.Edit()->SetText("");
    Type(p.Edit()->NativeEdit(), "typed");
    EXPECT_EQ(p.Input(), "typed");
}

TEST_F(CfProgressControls, TheButtonsArePaintedInTheWindow)
{
    p.SetOptions(poShowButtons);
    p.SetColor(clWhite);
    p.SetVisible(true);
    p.Form()->Render();
    QImage shot = p.Form()->grab().toImage();
    // The button face differs from the window colour at the OK button only.
    const TRect ok = p.OkBounds();
    const TPoint o = p.Form()->ClientOffset();
    auto isWhite = [&](int x, int y) { return (shot.pixel(x + o.X, y + o.Y) & 0xFFFFFF) == 0xFFFFFF; };
    EXPECT_FALSE(isWhite(ok.Left + 3, ok.Top + 3));
    EXPECT_TRUE(isWhite(p.CancelBounds().Left + 3, p.CancelBounds().Top + 3)) << "no Cancel without the option";
}
