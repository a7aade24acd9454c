#include "PixelHelpers.h"

#include "platform/Forms.h"
#include "platform/ImageList.h"
#include "platform/Screen.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <gtest/gtest.h>

using namespace cf;

TEST(PlatformAlignTest, ChildrenShareTheClientArea)
{
    TWinControl parent;
    parent.SetBounds(0, 0, 200, 100);
    parent.SetBorderStyle(TBorderStyle::bsSingle);  // client 196 x 96 from (2, 2)
    auto* top = new TControl(&parent);
    auto* bottom = new TControl(&parent);
    auto* left = new TControl(&parent);
    auto* client = new TControl(&parent);
    top->SetHeight(20);
    bottom->SetHeight(10);
    left->SetWidth(30);
    client->SetAlign(alClient);
    top->SetAlign(alTop);
    bottom->SetAlign(alBottom);
    left->SetAlign(alLeft);
    EXPECT_EQ(top->BoundsRect(), TRect(0, 0, 196, 20));
    EXPECT_EQ(bottom->BoundsRect(), TRect(0, 86, 196, 96));
    EXPECT_EQ(left->BoundsRect(), TRect(0, 20, 30, 86));
    EXPECT_EQ(client->BoundsRect(), TRect(30, 20, 196, 86));
    EXPECT_EQ(top->geometry(), QRect(2, 2, 196, 20));  // the parent's frame lies outside

    parent.SetBounds(0, 0, 300, 100);
    EXPECT_EQ(client->BoundsRect(), TRect(30, 20, 296, 86));
    top->SetHeight(30);  // a resized aligned child makes room
    EXPECT_EQ(left->BoundsRect(), TRect(0, 30, 30, 86));
    top->hide();
    EXPECT_EQ(client->BoundsRect(), TRect(30, 0, 296, 86));

    // Children keep their client position when the parent's frame changes.
    auto* fixed = new TControl(&parent);
    fixed->SetBounds(5, 6, 10, 10);
    parent.SetBorderStyle(TBorderStyle::bsNone);
    EXPECT_EQ(fixed->BoundsRect(), TRect(5, 6, 15, 16));
    EXPECT_EQ(fixed->geometry(), QRect(5, 6, 10, 10));
}

namespace {

class Button : public TWinControl {
public:
    Button(QWidget* p, bool def, bool cancel) : TWinControl(p), def_(def), cancel_(cancel) {}
    int clicks = 0;
    bool DialogKey(uint16_t key, TShiftState) override
    {
        if ((key == VK_RETURN && def_) || (key == VK_ESCAPE && cancel_)) {
            ++clicks;
            if (auto* f = GetParentForm(this))
                f->SetModalResult(def_ ? mrOk : mrCancel);
            return true;
        }
        return false;
    }

private:
    bool def_, cancel_;
};

class Memo : public TWinControl {
public:
    using TWinControl::TWinControl;
    int returns = 0;
    bool ClaimsDialogKey(uint16_t key, TShiftState) const override { return key == VK_RETURN; }
    void KeyDown(uint16_t& key, TShiftState) override { returns += key == VK_RETURN; }
};

void Press(QWidget* w, int key)
{
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_Return ? "\r" : "\x1b");
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST(PlatformDialogKeyTest, ReturnAndEscapeReachDefaultAndCancelButtons)
{
    TForm form;
    form.resize(200, 100);
    auto* ok = new Button(&form, true, false);
    auto* cancel = new Button(&form, false, true);
    auto* memo = new Memo(&form);
    auto* other = new TWinControl(&form);
    form.Show();
    Press(other, Qt::Key_Return);
    EXPECT_EQ(ok->clicks, 1);
    Press(other, Qt::Key_Escape);
    EXPECT_EQ(cancel->clicks, 1);
    Press(memo, Qt::Key_Return);  // the memo wants Return for itself
    EXPECT_EQ(ok->clicks, 1);
    EXPECT_EQ(memo->returns, 1);
    EXPECT_EQ(GetParentForm(memo), &form);
    form.Hide();

    QTimer::singleShot(0, [&] { Press(other, Qt::Key_Escape); });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    QTimer::singleShot(0, [&] { Press(other, Qt::Key_Return); });
    EXPECT_EQ(form.ShowModal(), mrOk);
}

TEST(PlatformImageListTest, StripsMasksAndDrawing)
{
    TBitmap strip(8, 4, pf24bit);
    strip.Canvas().FillRect(TRect(0, 0, 8, 4), clFuchsia);
    strip.Canvas().FillRect(TRect(1, 1, 3, 3), clRed);   // picture 0
    strip.Canvas().FillRect(TRect(5, 1, 7, 3), clBlue);  // picture 1
    TCustomImageList list(4, 4);
    EXPECT_EQ(list.AddMasked(strip, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 2);
    QImage img = WhiteImage(10, 6);
    TCanvas c(&img);
    c.FillRect(TRect(0, 0, 10, 6), clLime);
    list.Draw(c, 2, 1, 1);
    EXPECT_EQ(Px(img, 2, 1), clLime);  // masked: the background shows
    EXPECT_EQ(Px(img, 3, 2), clBlue);
    EXPECT_EQ(Px(img, 4, 3), clBlue);
    EXPECT_EQ(Px(img, 5, 4), clLime);
    list.Draw(c, 0, 0, 5);  // no such picture: nothing
    list.Draw(c, 6, 1, 0, false);  // disabled: grey, half faded over the lime
    TColor g = Px(img, 7, 2);
    EXPECT_EQ(GetRValue(g), GetBValue(g));
    EXPECT_NE(g, clLime);
    EXPECT_TRUE(list.GetBitmap(9).Empty());
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
}

TEST(PlatformScreenTest, SizeFontAndCursor)
{
    EXPECT_GT(ScreenWidth(), 0);
    EXPECT_GT(ScreenHeight(), 0);
    EXPECT_FALSE(WorkAreaRect().IsEmpty());
    EXPECT_EQ(MessageFont().Name, "Tahoma");
    SetScreenCursor(crHourGlass);
    EXPECT_EQ(ScreenCursor(), crHourGlass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    SetScreenCursor(crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
