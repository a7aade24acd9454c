#include "platform/Errors.h"
#include "platform/Memo.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

using namespace cf;

namespace {

void Type(QWidget* w, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

} // namespace

TEST(Memo, LinesAreAddedReadAndCleared)
{
    TMemo memo;
    EXPECT_EQ(memo.Lines().Count(), 0);
    memo.Lines().Add("FTP connected");
    memo.Lines().Add("Größe 12 kB"); // UTF-8 both ways
    memo.Lines().Add("");
    ASSERT_EQ(memo.Lines().Count(), 3);
    EXPECT_EQ(memo.Lines()[0], "FTP connected");
    EXPECT_EQ(memo.Lines()[1], "Größe 12 kB");
    EXPECT_EQ(memo.Lines()[2], "");
    // Each added line ends with a break; that break starts no line of its own.
    EXPECT_EQ(memo.Text(), "FTP connected\nGröße 12 kB\n\n");
    EXPECT_THROW(memo.Lines()[3], EListError);
    EXPECT_THROW(memo.Lines()[-1], EListError);

    memo.Lines().Clear();
    EXPECT_EQ(memo.Lines().Count(), 0);
    EXPECT_EQ(memo.Text(), "");
    memo.Lines().Add("again");
    EXPECT_EQ(memo.Text(), "again\n");
}

TEST(Memo, AddStartsANewLineAfterTextWithoutABreak)
{
    struct Case { const char* text; int count; const char* afterAdd; };
    const Case cases[] = {
        {"", 0, "x\n"},
        {"a", 1, "a\nx\n"},
        {"a\n", 1, "a\nx\n"},
        {"a\nb", 2, "a\nb\nx\n"},
        {"a\n\n", 2, "a\n\nx\n"},
    };
    for (const Case& c : cases) {
        TMemo memo;
        memo.SetText(c.text);
        EXPECT_EQ(memo.Lines().Count(), c.count) << c.text;
        memo.Lines().Add("x");
        EXPECT_EQ(memo.Text(), c.afterAdd) << c.text;
        EXPECT_EQ(memo.Lines()[memo.Lines().Count() - 1], "x") << c.text;
    }
}

TEST(Memo, ReadOnlyRefusesTypingButTakesAddedLines)
{
    TMemo memo;
    memo.SetText("log");
    memo.SetReadOnly(true);
    EXPECT_TRUE(memo.ReadOnly());
    Type(memo.Editor(), "x");
    EXPECT_EQ(memo.Text(), "log");
    memo.Lines().Add("more");
    EXPECT_EQ(memo.Text(), "log\nmore\n");

    memo.SetReadOnly(false);
    memo.Editor()->moveCursor(QTextCursor::Start);
    Type(memo.Editor(), "x");
    EXPECT_EQ(memo.Text(), "xlog\nmore\n");
}

TEST(Memo, AnAddedLineIsScrolledIntoView)
{
    TWinControl parent;
    parent.SetBounds(0, 0, 300, 200);
    auto* memo = new TMemo(&parent);
    memo->SetScrollBars(ssVertical);
    memo->SetBounds(8, 8, 200, 80);
    parent.show();
    for (int i = 0; i < 60; ++i) {
        memo->Lines().Add("line " + std::to_string(i));
        ASSERT_TRUE(memo->LineVisible(i)) << i;
    }
    EXPECT_FALSE(memo->LineVisible(0));
    EXPECT_GT(memo->TopLine(), 40); // 80 pixels hold far fewer than 20 lines
    memo->Lines().Clear();
    EXPECT_EQ(memo->TopLine(), 0);
}

TEST(Memo, PlacedInTheParentsClientAreaWithTheEditInsideItsEdge)
{
    TWinControl parent;
    parent.SetBorderStyle(TBorderStyle::bsSingle); // 2-pixel client edge
    parent.SetBounds(0, 0, 300, 200);
    auto* memo = new TMemo(&parent);
    memo->SetBounds(8, 10, 100, 50);
    parent.show(); // a hidden window lays out its children when shown
    EXPECT_EQ(memo->Left(), 8);
    EXPECT_EQ(memo->Top(), 10);
    EXPECT_EQ(memo->geometry(), QRect(10, 12, 100, 50));
    EXPECT_EQ(memo->ClientWidth(), 96);
    EXPECT_EQ(memo->Editor()->geometry(), QRect(2, 2, 96, 46));
    memo->SetBorderStyle(TBorderStyle::bsNone);
    EXPECT_EQ(memo->Editor()->geometry(), QRect(0, 0, 100, 50));
    memo->SetBounds(8, 10, 120, 60);
    EXPECT_EQ(memo->Editor()->geometry(), QRect(0, 0, 120, 60));
}

TEST(Memo, ScrollBarsAndWordWrapReachTheEditor)
{
    TMemo memo;
    const struct { TScrollStyle style; Qt::ScrollBarPolicy h, v; } cases[] = {
        {ssNone, Qt::ScrollBarAlwaysOff, Qt::ScrollBarAlwaysOff},
        {ssHorizontal, Qt::ScrollBarAlwaysOn, Qt::ScrollBarAlwaysOff},
        {ssVertical, Qt::ScrollBarAlwaysOff, Qt::ScrollBarAlwaysOn},
        {ssBoth, Qt::ScrollBarAlwaysOn, Qt::ScrollBarAlwaysOn},
    };
    for (const auto& c : cases) {
        memo.SetScrollBars(c.style);
        EXPECT_EQ(memo.ScrollBars(), c.style);
        EXPECT_EQ(memo.Editor()->horizontalScrollBarPolicy(), c.h);
        EXPECT_EQ(memo.Editor()->verticalScrollBarPolicy(), c.v);
    }
    EXPECT_EQ(memo.Editor()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    memo.SetWordWrap(false);
    EXPECT_EQ(memo.Editor()->lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST(Memo, ColourAndFontReachTheEditor)
{
    TMemo memo;
    EXPECT_EQ(memo.Editor()->palette().color(QPalette::Base), QColor(255, 255, 255)); // clWindow
    memo.SetColor(TColor(0x00336699)); // BGR
    EXPECT_EQ(memo.Editor()->palette().color(QPalette::Base), QColor(0x99, 0x66, 0x33));
    TFont f;
    f.Size = 12;
    f.Color = TColor(0x000000FF);
    memo.SetFont(f);
    EXPECT_EQ(memo.Editor()->font().pixelSize(), 16); // 12 points at 96 DPI
    EXPECT_EQ(memo.Editor()->palette().color(QPalette::Text), QColor(255, 0, 0));
}
