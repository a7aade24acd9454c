#include "common/TestData.h"

#include "platform/Clipboard.h"
#include "platform/Cursors.h"
#include "platform/Forms.h"
#include "platform/Registry.h"
#include "platform/Themes.h"
#include "platform/Timer.h"

#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace cf;

TEST(PlatformTimerTest, ManualClockDrivesTimers)
{
    TManualClock clock;
    SetClock(&clock);
    uint32_t t0 = GetTickCount();
    {
        TTimer t;
        int fired = 0;
        t.SetInterval(5);  // raised to 10 ms
        t.SetOnTimer([&](TTimer*) { ++fired; });
        clock.Advance(9);
        EXPECT_EQ(fired, 0);
        clock.Advance(1);
        EXPECT_EQ(fired, 1);
        clock.Advance(25);
        EXPECT_EQ(fired, 3);
        EXPECT_EQ(t.Interval(), 5);
        t.SetEnabled(false);
        clock.Advance(100);
        EXPECT_EQ(fired, 3);
        t.SetEnabled(true);
        t.SetInterval(0);  // no interval: does not run
        clock.Advance(100);
        EXPECT_EQ(fired, 3);
        t.SetInterval(50);
        clock.Advance(49);
        EXPECT_EQ(fired, 3);
        clock.Advance(1);
        EXPECT_EQ(fired, 4);
        // A timer that stops itself from its own handler.
        t.SetOnTimer([&](TTimer* self) {
            ++fired;
            self->SetEnabled(false);
        });
        clock.Advance(500);
        EXPECT_EQ(fired, 5);
    }
    EXPECT_EQ(clock.ActiveTimers(), 0);
    EXPECT_EQ(GetTickCount() - t0, 9u + 1 + 25 + 100 + 100 + 49 + 1 + 500);
    SetClock(nullptr);
}

TEST(PlatformRegistryTest, TypedValuesBehaveAsOnWindows)
{
    cftest::ScratchDir dir;
    std::string file = (dir / "cfg" / "test.ini").string();
    setenv("CHANFORGE_CONFIG", file.c_str(), 1);
    {
        TRegistry r;
        EXPECT_FALSE(r.OpenKey("\\Software\\Chanforge", false));
        ASSERT_TRUE(r.OpenKey("\\Software\\Chanforge", true));
        r.WriteString("TheLoadDir", "C:\\");
        r.WriteInteger("MainW_Height", 700);
        r.WriteInteger("Negative", -5);
        r.WriteBool("RememberW", true);
        r.WriteString("Odd, text = with \"quotes\"", "a,b;c=d");
        r.WriteBinaryData("Blob", {0, 1, 0xFF});
        r.CloseKey();
    }
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    TRegistry r;
    EXPECT_TRUE(r.KeyExists("\\Software\\Chanforge"));
    ASSERT_TRUE(r.OpenKey("\\Software\\Chanforge", false));
    EXPECT_EQ(r.ReadString("TheLoadDir"), "C:\\");
    EXPECT_EQ(r.ReadInteger("MainW_Height"), 700);
    EXPECT_EQ(r.ReadInteger("Negative"), -5);
    EXPECT_TRUE(r.ReadBool("RememberW"));
    EXPECT_EQ(r.ReadString("Odd, text = with \"quotes\""), "a,b;c=d");
    EXPECT_EQ(r.ReadBinaryData("Blob"), (std::vector<uint8_t>{0, 1, 0xFF}));
    // Missing values: an error for numbers and booleans, empty text for strings.
    EXPECT_THROW(r.ReadInteger("Missing"), ERegistryException);
    EXPECT_THROW(r.ReadBool("Missing"), ERegistryException);
    EXPECT_EQ(r.ReadString("Missing"), "");
    // Mistyped values are errors.
    EXPECT_THROW(r.ReadInteger("TheLoadDir"), ERegistryException);
    EXPECT_THROW(r.ReadString("MainW_Height"), ERegistryException);
    EXPECT_EQ(r.GetDataType("MainW_Height"), TRegDataType::rdInteger);
    EXPECT_EQ(r.GetDataType("Missing"), TRegDataType::rdUnknown);
    auto names = r.GetValueNames();
    EXPECT_EQ(names.size(), 6u);
    EXPECT_TRUE(r.DeleteValue("Negative"));
    EXPECT_FALSE(r.ValueExists("Negative"));
    // Relative keys open below the current one.
    ASSERT_TRUE(r.OpenKey("Profiles", true));
    EXPECT_EQ(r.CurrentPath(), "Software\\Chanforge\\Profiles");
    unsetenv("CHANFORGE_CONFIG");
}

TEST(PlatformClipboardTest, TwoCopiesExchangeBlocks)
{
    TMemoryClipboard a(101);
    TMemoryClipboard b(a, 202);
    std::vector<uint8_t> block = {1, 0, 0, 0, 2, 0, 0, 0, 'x'};
    a.SetBlock("Kestro software", block);
    EXPECT_TRUE(b.HasFormat("Kestro software"));
    EXPECT_EQ(b.GetBlock("Kestro software"), block);
    EXPECT_NE(a.OwnerHandle(), b.OwnerHandle());
    b.SetText("plain");
    EXPECT_FALSE(a.HasFormat("Kestro software"));
    EXPECT_EQ(a.Text(), "plain");

    SetClipboard(&a);
    EXPECT_EQ(Clipboard().OwnerHandle(), 101);
    SetClipboard(nullptr);
    // The desktop clipboard carries the block unchanged too.
    Clipboard().SetBlock("Kestro software", block);
    EXPECT_TRUE(Clipboard().HasFormat("Kestro software"));
    EXPECT_EQ(Clipboard().GetBlock("Kestro software"), block);
    EXPECT_NE(Clipboard().OwnerHandle(), 0);
}

TEST(PlatformResourceTest, NamedCursorsAndBitmapsExist)
{
    for (const char* n : {"ROLL", "ROLLUP", "ROLLDOWN", "REVERSEDARROW", "HORZSPLIT", "COLUMNNODRAG", "VERTSPLIT",
                          "INDICATORSELECT"}) {
        auto c = ProgramCursor(n);
        ASSERT_TRUE(c.has_value()) << n;
        EXPECT_FALSE(c->pixmap().isNull()) << n;
        EXPECT_GE(c->hotSpot().x(), 0);
        EXPECT_LT(c->hotSpot().x(), 16);
    }
    EXPECT_FALSE(ProgramCursor("NOSUCH").has_value());
    for (const char* n : {"CLOSEBTN", "ALERTCLOSE", "ALERTCLOSEHOVER"}) {
        TBitmap b = ProgramBitmap(n);
        EXPECT_FALSE(b.Empty()) << n;
    }
    // The alert window's glyphs use lime as their transparent colour, the
    // page control's close button white.
    TBitmap alert = ProgramBitmap("ALERTCLOSE");
    EXPECT_EQ(alert.Canvas().GetPixel(0, alert.Height() - 1), clLime);
    TBitmap close = ProgramBitmap("CLOSEBTN");
    EXPECT_EQ(close.Canvas().GetPixel(0, close.Height() - 1), clWhite);
    EXPECT_TRUE(ProgramBitmap("NOSUCH").Empty());
}

TEST(PlatformThemeTest, InactiveByDefault)
{
    EXPECT_FALSE(ThemeServices().Active());
    EXPECT_FALSE(ThemeServices().Available());
}

TEST(PlatformFormTest, ShowModalReturnsModalResult)
{
    TForm f;
    f.resize(100, 80);
    QTimer::singleShot(0, [&] { f.SetModalResult(mrOk); });
    EXPECT_EQ(f.ShowModal(), mrOk);
    EXPECT_FALSE(f.isVisible());

    // Closing the window gives mrCancel.
    QTimer::singleShot(0, [&] { f.Close(); });
    EXPECT_EQ(f.ShowModal(), mrCancel);

    // A refusing CloseQuery keeps the form open until it agrees.
    int asked = 0;
    f.OnCloseQuery = [&](TForm*, bool& can) { can = ++asked > 1; };
    QTimer::singleShot(0, [&] {
        f.SetModalResult(mrYes);
        EXPECT_EQ(f.ModalResult(), mrNone);
        EXPECT_TRUE(f.isVisible());
        f.SetModalResult(mrNo);
    });
    EXPECT_EQ(f.ShowModal(), mrNo);
    EXPECT_EQ(asked, 2);
}

TEST(PlatformFormTest, WindowRegionAndCentring)
{
    TForm f;
    f.resize(100, 80);
    f.SetWindowRegion(TRegion::FromRoundRect(TRect(0, 0, 100, 80), 10, 10));
    EXPECT_FALSE(f.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(f.mask().contains(QPoint(50, 40)));
    f.SetWindowRegion(TRegion());
    EXPECT_TRUE(f.mask().isEmpty());
    f.SetCaption("Title");
    EXPECT_EQ(f.windowTitle(), "Title");
}
