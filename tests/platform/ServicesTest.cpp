#include "common/TestData.h"

#include "platform/Clipboard.h"
#include "platform/AppState.h"
#include "platform/Cursors.h"
#include "platform/DateTimeText.h"
#include "platform/Forms.h"
#include "platform/GraphicsObjects.h"
#include "platform/StockIcons.h"
#include "platform/WidgetPaint.h"
#include "platform/Registry.h"
#include "platform/Themes.h"
#include "platform/Timer.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QTimer>
#include <QWidget>
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

TEST(PlatformDateTimeTest, DaysSince1899AndBack)
{
    // Day 36526 is 2000-01-01; fractions are the time of day.
    struct Case {
        double days;
        const char* text;
    };
    for (const Case c : {Case{0, "1899-12-30"}, Case{1.5, "1899-12-31 12:00:00"}, Case{36526, "2000-01-01"},
                         Case{36526.75, "2000-01-01 18:00:00"}, Case{-1, "1899-12-29"}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DateTimeText(c.days), c.text);
        double back = -99;
        ASSERT_TRUE(ReadDateTimeText(c.text, back));
        EXPECT_NEAR(back, c.days, 1e-9);
    }
    for (const Case c : {Case{36526.75, "2000-01-01 18:00"}, Case{0.25, "06:00:00"}, Case{0.75, "18:00"}}) {
        double read = -99;
        ASSERT_TRUE(ReadDateTimeText(c.text, read)) << c.text;
        EXPECT_NEAR(read, c.days, 1e-9) << c.text;
    }
    for (const char* bad : {"", "2000-13-01", "yesterday", " 2000-01-01", "2000-01-01 25:00"}) {
        double kept = 7;
        EXPECT_FALSE(ReadDateTimeText(bad, kept)) << bad;
        EXPECT_EQ(kept, 7) << bad;
    }
}

TEST(PlatformFontTest, OnlyInstalledFamiliesAreKnown)
{
    const bool tahoma = RegisterProgramFonts();
    EXPECT_FALSE(IsFontFamilyInstalled("No Such Family 7f3a"));
    EXPECT_FALSE(IsFontFamilyInstalled(""));
    if (tahoma) {
        EXPECT_TRUE(IsFontFamilyInstalled("Tahoma"));
    }
}

TEST(PlatformStockIconTest, EachKindIsAPictureOfTheAskedSize)
{
    for (TStockIcon kind :
         {TStockIcon::siWarning, TStockIcon::siError, TStockIcon::siInformation, TStockIcon::siQuestion})
        for (int size : {16, 32}) {
            const TBitmap b = StockIcon(kind, size);
            EXPECT_EQ(b.Width(), size);
            EXPECT_EQ(b.Height(), size);
            EXPECT_EQ(b.PixelFormat(), pf32bit);
        }
}

TEST(PlatformAppStateTest, DeactivationReachesTheOwnerWhileItLives)
{
    int calls = 0;
    auto* owner = new QObject;
    WhenApplicationDeactivates(owner, [&] { ++calls; });
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_EQ(calls, 1);
    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_EQ(calls, 1) << "becoming active again is no deactivation";
    emit qGuiApp->applicationStateChanged(Qt::ApplicationHidden);
    EXPECT_EQ(calls, 2);
    delete owner;
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_EQ(calls, 2) << "a gone owner hears nothing";
}

TEST(PlatformWidgetPaintTest, APlainWidgetPaintsItsBackgroundAtTheOrigin)
{
    QWidget w;
    w.resize(20, 10);
    w.setAutoFillBackground(true);
    QPalette pal = w.palette();
    pal.setColor(QPalette::Window, QColor(10, 20, 30));
    w.setPalette(pal);
    QImage img(30, 20, QImage::Format_RGB32);
    img.fill(QColor(255, 255, 255));
    TCanvas canvas(&img);
    PaintWidgetBackground(&w, canvas);
    EXPECT_EQ(img.pixel(5, 5) & 0xFFFFFF, 0x0A141Eu);
    EXPECT_EQ(img.pixel(18, 8) & 0xFFFFFF, 0x0A141Eu);
    EXPECT_EQ(img.pixel(25, 15) & 0xFFFFFF, 0xFFFFFFu) << "beyond the widget nothing is painted";
}
