#include "EditTestSupport.h"

#include "platform/Clipboard.h"
#include "platform/Timer.h"

#include <QAction>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include <memory>

using namespace cf;
using namespace cf::testing;

namespace {

class NumberEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetClipboard(&clipboard);
        edit = std::make_unique<TCfNumberEdit>();
        edit->SetBounds(0, 0, 120, 20);
    }
    void TearDown() override
    {
        edit.reset();
        SetClipboard(nullptr);
    }
    TMemoryClipboard clipboard;
    std::unique_ptr<TCfNumberEdit> edit;
};

} // namespace

TEST_F(NumberEdit, Formatting)
{
    struct Case {
        TCfNumberEditOptions options;
        int precision;
        const char* before;
        const char* after;
        const char* nullText;
        double value;
        const char* text;
    } cases[] = {
        {eoAllowFloat | eoAllowSigns, 2, "", " dB", "", 3, "3.00 dB"},
        {eoAllowFloat, 0, "", "", "", 2.5, "2.5"},
        {eoAllowFloat, 0, "", "", "", 0.1, "0.1"},
        {eoAllowFloat, 0, "", "", "", 1e9, "1000000000"},
        {eoAllowFloat, -1, "", "", "", 1e20, "1E20"},
        {eoAllowSigns, 2, "", "", "", 2.6, "3"},
        {eoAllowFloat, 2, "", "", "n/a", 0, "n/a"},
        {eoAllowFloat, 3, "$", "", "", -1.5, "$-1.500"},
        {eoAllowFloat, 2, "", "", "", 1.005, "1.00"},  // 1.005 is stored a little below 1.005
    };
    for (const Case& c : cases) {
        edit->SetOptions(c.options);
        edit->SetNullText(c.nullText);
        edit->SetTextBefore(c.before);
        edit->SetTextAfter(c.after);
        edit->SetPrecision(c.precision);
        edit->SetValue(c.value);
        EXPECT_EQ(edit->Text(), c.text) << c.value;
    }
}

TEST_F(NumberEdit, ReadingTheValue)
{
    struct Case {
        TCfNumberEditOptions options;
        double min, max;
        const char* text;
        double value;
    } cases[] = {
        {eoAllowFloat | eoAllowSigns, 0, 0, "3.00 dB", 3},
        {eoAllowFloat | eoAllowSigns, 0, 0, "-", 0},
        {eoAllowFloat | eoAllowSigns, 0, 0, "+", 0},
        {eoAllowFloat | eoAllowSigns, 0, 0, "12-3", 123},
        {eoAllowFloat | eoAllowSigns, 0, 0, "1.2.3", 1.23},
        {eoAllowSigns, 0, 0, "1.2.3", 123},
        {eoAllowFloat, 0, 0, "-5", 5},  // no signs: the sign is cleaned away
        {eoAllowFloat | eoAllowSigns, 5, 10, "", 5},
        {eoAllowFloat | eoAllowSigns, 5, 10, "50", 10},
        {eoAllowFloat | eoAllowSigns, 5, 10, "1", 5},
        {eoAllowFloat | eoAllowSigns, 0, 0, "1000000000", 1e9},
        {eoAllowFloat | eoAllowSigns, 0, 0, "abc", 0},
        {eoAllowFloat | eoAllowSigns, 0, 0, "1\b2", 12},  // control characters are not digits
    };
    for (const Case& c : cases) {
        edit->SetOptions(c.options);
        edit->Min = c.min;
        edit->Max = c.max;
        edit->SetText(c.text);
        EXPECT_DOUBLE_EQ(edit->Value(), c.value) << c.text;
    }
}

TEST_F(NumberEdit, ReadingTheValueWritesNothing)
{
    int changes = 0;
    edit->SetNullText("none");
    edit->SetText("12-3");
    edit->OnChange = [&](QObject*) { ++changes; };
    EXPECT_EQ(edit->Value(), 123);
    EXPECT_EQ(edit->Text(), "12-3");
    edit->SetText("none");
    changes = 0;
    EXPECT_EQ(edit->Value(), 0);
    EXPECT_EQ(edit->Text(), "none");
    EXPECT_EQ(changes, 0);
}

TEST_F(NumberEdit, BadTextGivesTheLastGoodValue)
{
    edit->SetValue(7);
    edit->SetText(".");
    EXPECT_EQ(edit->Value(), 7);
    edit->SetText("8.5");
    edit->SetText("..");
    EXPECT_EQ(edit->Value(), 8.5);
}

TEST_F(NumberEdit, NullTextShownForZero)
{
    edit->SetNullText("off");
    edit->SetValue(0);
    EXPECT_EQ(edit->Text(), "off");
    EXPECT_EQ(edit->Value(), 0);
    edit->SetValue(2);
    EXPECT_EQ(edit->Text(), "2.00");
}

TEST_F(NumberEdit, KeyFilter)
{
    struct Case {
        TCfNumberEditOptions options;
        const char* text;
        int selStart, selLength;
        char32_t key;
        const char* result;
    } cases[] = {
        {eoAllowFloat | eoAllowSigns, "5", 0, 0, U'-', "-5"},
        {eoAllowFloat | eoAllowSigns, "-5", 0, 0, U'-', "-5"},   // a second sign
        {eoAllowFloat | eoAllowSigns, "-5", 0, 1, U'+', "+5"},   // typing over the sign
        {eoAllowFloat | eoAllowSigns, "12", 1, 0, U'-', "12"},   // not at the start
        {eoAllowFloat, "5", 0, 0, U'-', "5"},                    // signs not allowed
        {eoAllowFloat | eoAllowSigns, "1.5", 3, 0, U'.', "1.5"}, // one separator only
        {eoAllowFloat | eoAllowSigns, "1.5", 0, 3, U'.', "."},   // unless it is being replaced
        {eoAllowSigns, "12", 2, 0, U'.', "12"},                  // no floats
        {eoAllowFloat | eoAllowSigns, "12", 2, 0, U'7', "127"},
        {eoAllowFloat | eoAllowSigns, "12", 2, 0, U'a', "12"},
        {eoAllowFloat | eoAllowSigns, "12", 2, 0, U' ', "12"},
        {eoAllowAll, "12", 2, 0, U'a', "12a"},
        {eoDisableTyping | eoAllowFloat, "12", 2, 0, U'3', "12"},
    };
    for (const Case& c : cases) {
        edit->SetOptions(c.options);
        edit->SetText(c.text);
        edit->SetSelStart(c.selStart);
        edit->SetSelLength(c.selLength);
        Type(*edit, std::u32string(1, c.key));
        EXPECT_EQ(edit->Text(), c.result) << c.text << " + " << char(c.key);
    }
}

TEST_F(NumberEdit, DisabledTypingSwallowsDeletingKeys)
{
    edit->SetOptions(eoDisableTyping | eoAllowFloat);
    edit->SetText("123");
    edit->SetSelStart(3);
    SendKey(edit->NativeEdit(), Qt::Key_Backspace, "\b");
    edit->SetSelStart(0);
    SendKey(edit->NativeEdit(), Qt::Key_Delete);
    EXPECT_EQ(edit->Text(), "123");
    // Without the option the same keys edit the text.
    edit->SetOptions(eoAllowFloat);
    SendKey(edit->NativeEdit(), Qt::Key_Delete);
    EXPECT_EQ(edit->Text(), "23");
}

namespace {

enum class PastePath { CtrlV, ShiftInsert, ContextMenu, MiddleClick, Drop };

void PasteBy(TCfCustomEdit& edit, PastePath path, const std::string& clipText)
{
    QWidget* line = edit.NativeEdit();
    switch (path) {
    case PastePath::CtrlV: SendKey(line, Qt::Key_V, QString(QChar(22)), Qt::ControlModifier); break;
    case PastePath::ShiftInsert: SendKey(line, Qt::Key_Insert, QString(), Qt::ShiftModifier); break;
    case PastePath::ContextMenu: {
        std::unique_ptr<QMenu> menu(edit.CreateContextMenu());
        for (QAction* a : menu->actions())
            if (a->objectName() == QLatin1String("edit-paste"))
                a->trigger();
        break;
    }
    case PastePath::MiddleClick: {
        // Put the caret where the test wants it first; a click lands at the end of the text.
        QPointF at(line->width() - 1, line->height() / 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, line->mapToGlobal(at), Qt::MiddleButton,
                          Qt::MiddleButton, Qt::NoModifier);
        QApplication::sendEvent(line, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, line->mapToGlobal(at), Qt::MiddleButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(line, &release);
        break;
    }
    case PastePath::Drop: {
        QMimeData mime;
        mime.setText(QString::fromStdString(clipText));
        QPointF at(line->width() - 1, line->height() / 2);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        // Delivered as the platform's drag manager delivers it to the widget under the pointer.
        static_cast<QObject*>(line)->event(&drop);
        break;
    }
    }
}

const PastePath kAllPaths[] = {PastePath::CtrlV, PastePath::ShiftInsert, PastePath::ContextMenu,
                               PastePath::MiddleClick, PastePath::Drop};

} // namespace

TEST_F(NumberEdit, PasteIsCleanedOnEveryPath)
{
    edit->SetOptions(eoAllowFloat | eoAllowSigns);
    clipboard.SetText("x-1.5y");
    for (PastePath path : kAllPaths) {
        edit->SetText("");
        PasteBy(*edit, path, "x-1.5y");
        EXPECT_EQ(edit->Text(), "-1.5") << int(path);
        // At the end of "12" a sign may not come in, and the separator may.
        edit->SetText("12");
        edit->SetSelStart(2);
        PasteBy(*edit, path, "x-1.5y");
        EXPECT_EQ(edit->Text(), "121.5") << int(path);
    }
}

TEST_F(NumberEdit, PasteRespectsTheLimitsAndAnExistingSeparator)
{
    edit->SetOptions(eoAllowFloat | eoAllowSigns);
    edit->Min = 0;
    edit->Max = 50;
    clipboard.SetText("75");
    edit->SetText("");
    PasteBy(*edit, PastePath::CtrlV, "");
    EXPECT_EQ(edit->Text(), "50");
    clipboard.SetText("2.5");
    edit->SetText("1.0");
    edit->SetSelStart(3);
    PasteBy(*edit, PastePath::CtrlV, "");
    EXPECT_EQ(edit->Text(), "1.025");
}

TEST_F(NumberEdit, PasteThatDoesNotConvertIsIgnored)
{
    edit->SetOptions(eoAllowFloat | eoAllowSigns);
    edit->SetText("42");
    edit->SetSelStart(2);
    for (const char* bad : {".", "..x"}) {
        clipboard.SetText(bad);
        for (PastePath path : kAllPaths) {
            EXPECT_NO_THROW(PasteBy(*edit, path, bad));
            EXPECT_EQ(edit->Text(), "42") << bad << " " << int(path);
        }
    }
}

TEST_F(NumberEdit, DisabledPasteIgnoresEveryPath)
{
    edit->SetOptions(eoAllowFloat | eoDisablePaste);
    clipboard.SetText("7");
    for (PastePath path : kAllPaths) {
        edit->SetText("1");
        edit->SetSelStart(1);
        PasteBy(*edit, path, "7");
        EXPECT_EQ(edit->Text(), "1") << int(path);
    }
}

TEST_F(NumberEdit, InputMethodTextGoesThroughTheKeyFilter)
{
    edit->SetOptions(eoAllowFloat | eoAllowSigns);
    edit->SetText("");
    QInputMethodEvent ime;
    ime.setCommitString(QStringLiteral("x-1.5y"));
    QApplication::sendEvent(edit->NativeEdit(), &ime);
    EXPECT_EQ(edit->Text(), "-1.5");
}

TEST_F(NumberEdit, PlainEditPasteDropsControlCharactersAndFurtherLines)
{
    TCfEdit plain;
    clipboard.SetText("ab\x01" "c\tkm\nsecond line");
    for (PastePath path : kAllPaths) {
        plain.SetText("");
        PasteBy(plain, path, "ab\x01" "c\tkm\nsecond line");
        EXPECT_EQ(plain.Text(), "abckm") << int(path);
    }
}

TEST_F(NumberEdit, FocusLossAndEditingDoneNormalise)
{
    edit->SetText("7");
    edit->EditingDone();
    EXPECT_EQ(edit->Text(), "7.00");
    edit->SetText("8");
    edit->DoExit();
    EXPECT_EQ(edit->Text(), "8.00");
    // While a grid edits through it the text is left alone.
    edit->InplaceEdit = true;
    edit->SetText("9");
    edit->EditingDone();
    EXPECT_EQ(edit->Text(), "9");
    edit->InplaceEdit = false;
    // eoAllowAll leaves the user's text as typed.
    edit->SetOptions(eoAllowAll);
    edit->SetText("9 kg");
    edit->EditingDone();
    EXPECT_EQ(edit->Text(), "9 kg");
}

// ---------------------------------------------------------------- spin edit

namespace {

class SpinEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetClock(&clock);
        spin = std::make_unique<TCfSpinEdit>();
        spin->SetBounds(0, 0, 100, 21);
        spin->OnSpin = [this](QObject*, TSpinButtonSet b) { spins.push_back(int(b)); };
    }
    void TearDown() override
    {
        spin.reset();
        SetClock(nullptr);
    }
    TManualClock clock;
    std::unique_ptr<TCfSpinEdit> spin;
    std::vector<int> spins;
};

} // namespace

TEST_F(SpinEdit, StepsAndLimits)
{
    struct Case {
        double min, max, value, increment;
        TCfNumberEditOptions options;
        TSpinButtonSet button;
        double expected;
        bool spun;
    } cases[] = {
        {0, 10, 9.5, 1, eoAllowFloat | eoAllowSigns, 1, 9.5, false},
        {0, 10, 9, 1, eoAllowFloat | eoAllowSigns, 1, 10, true},
        {0, 0, 1e9, 1, eoAllowFloat | eoAllowSigns, 1, 1e9 + 1, true},
        {0, 0, 0, 1, eoAllowFloat, 2, 0, false},
        {0, 0, 0.5, 1, eoAllowFloat, 2, 0.5, false},  // never below 0 without signs
        {0, 0, 3, 1, eoAllowFloat, 2, 2, true},
        {0, 0, 0, 1, eoAllowFloat | eoAllowSigns, 2, -1, true},
        {-2, 10, -1.5, 1, eoAllowFloat | eoAllowSigns, 2, -1.5, false},
        {-2, 10, -1, 1, eoAllowFloat | eoAllowSigns, 2, -2, true},
        {0, 0, 5, 0.25, eoAllowFloat | eoAllowSigns, 1, 5.25, true},
    };
    for (const Case& c : cases) {
        spin->SetOptions(c.options);
        spin->SetPrecision(2);
        spin->Min = c.min;
        spin->Max = c.max;
        spin->Increment = c.increment;
        spin->SetValue(c.value);
        spins.clear();
        spin->Spin(c.button);
        EXPECT_DOUBLE_EQ(spin->Value(), c.expected) << c.value << " by " << c.button;
        EXPECT_EQ(spins.size(), c.spun ? 1u : 0u) << c.value;
    }
}

TEST_F(SpinEdit, ReadOnlyDoesNotSpin)
{
    spin->SetReadOnly(true);
    spin->Spin(1);
    EXPECT_EQ(spin->Value(), 0);
    EXPECT_TRUE(spins.empty());
}

TEST_F(SpinEdit, ButtonGeometryAndMargin)
{
    SendResize(spin.get());
    TCfSpinButtons* b = spin->Buttons();
    // Client area 96 x 17 inside the 2 px edge; buttons at client x = 96 - 17,
    // y = 1, height 17 - 2 + 1, so in the whole window at (2 + 79, 2 + 1): the
    // right edge lands on the client's right edge (x 98), inside the border.
    EXPECT_EQ(b->Width(), 17);
    EXPECT_EQ(b->Left(), 79);
    EXPECT_EQ(b->Top(), 1);
    EXPECT_EQ(b->Height(), 16);
    EXPECT_EQ(b->geometry(), QRect(81, 3, 17, 16));
    EXPECT_EQ(spin->TextRect().Right, 96 - 17);
    spin->SetSpinButtons(false);
    EXPECT_TRUE(b->isHidden());
    EXPECT_EQ(spin->TextRect().Right, 96);
}

TEST_F(SpinEdit, PressAndHoldRepeats)
{
    TCfSpinButtons* b = spin->Buttons();
    b->MouseDown(mbLeft, 0, 5, 2);  // upper half
    EXPECT_EQ(spin->Value(), 1);
    clock.Advance(399);
    EXPECT_EQ(spin->Value(), 1);
    clock.Advance(1);  // delay over, repeating starts
    clock.Advance(19);
    EXPECT_EQ(spin->Value(), 1);
    clock.Advance(1);
    EXPECT_EQ(spin->Value(), 2);
    clock.Advance(40);
    EXPECT_EQ(spin->Value(), 4);
    b->MouseUp(mbLeft, 0, 5, 2);
    clock.Advance(500);
    EXPECT_EQ(spin->Value(), 4);
    b->MouseDown(mbLeft, 0, 5, 12);  // lower half
    b->MouseUp(mbLeft, 0, 5, 12);
    EXPECT_EQ(spin->Value(), 3);
    EXPECT_EQ(spins, (std::vector<int>{1, 1, 1, 1, 2}));
}

TEST_F(SpinEdit, ArrowKeysAndWheel)
{
    spin->SetOptions(eoAllowFloat);
    SendKey(spin->NativeEdit(), Qt::Key_Up);
    EXPECT_EQ(spin->Value(), 1);
    EXPECT_EQ(spin->Buttons()->PressedPart(), 0);  // released with the key
    SendKey(spin->NativeEdit(), Qt::Key_Down);
    SendKey(spin->NativeEdit(), Qt::Key_Down);
    EXPECT_EQ(spin->Value(), 0);  // no lower without signs
    spin->SetOptions(eoAllowFloat | eoAllowSigns);
    EXPECT_TRUE(spin->MouseWheel(0, -120, TPoint()));
    EXPECT_EQ(spin->Value(), -1);
    EXPECT_TRUE(spin->MouseWheel(0, 120, TPoint()));
    EXPECT_EQ(spin->Value(), 0);
    // In a grid the keys and the wheel belong to the grid.
    spin->Embedded = true;
    SendKey(spin->NativeEdit(), Qt::Key_Up);
    EXPECT_FALSE(spin->MouseWheel(0, 120, TPoint()));
    EXPECT_EQ(spin->Value(), 0);
}

// ---------------------------------------------------------------- in-place protocol

TEST(CfEditInplace, TypedAccessors)
{
    TCfEdit e;
    e.SetAsInteger(42);
    EXPECT_EQ(e.Text(), "42");
    EXPECT_EQ(e.GetAsInteger(), 42);
    EXPECT_DOUBLE_EQ(e.GetAsFloat(), 42);
    e.SetAsFloat(2.5);
    EXPECT_EQ(e.Text(), "2.5");
    e.SetAsBoolean(true);
    EXPECT_EQ(e.Text(), "True");
    EXPECT_TRUE(e.GetAsBoolean());
    e.SetAsBoolean(false);
    EXPECT_FALSE(e.GetAsBoolean());
    e.SetText("");
    EXPECT_EQ(e.GetAsDateTime(), 0);
    e.SetAsDateTime(2.5);  // 1 January 1900, noon
    EXPECT_EQ(e.Text(), "1900-01-01 12:00:00");
    EXPECT_DOUBLE_EQ(e.GetAsDateTime(), 2.5);
    e.SetText("06:00");
    EXPECT_DOUBLE_EQ(e.GetAsDateTime(), 0.25);
    e.SetText("2024-02-29");
    EXPECT_EQ(e.Text(), "2024-02-29");
    e.SetAsDateTime(e.GetAsDateTime());
    EXPECT_EQ(e.Text(), "2024-02-29");
    e.SetText("2024-02-30");
    EXPECT_THROW(e.GetAsDateTime(), EConvertError);
    e.SetText("abc");
    EXPECT_THROW(e.GetAsFloat(), EConvertError);
    EXPECT_THROW(e.GetAsInteger(), EConvertError);
    EXPECT_THROW(e.GetAsBoolean(), EConvertError);
    // Text stays Unicode.
    e.SetAsString("Ärger \u2713 \u65e5\u672c");
    EXPECT_EQ(e.GetAsString(), "Ärger \u2713 \u65e5\u672c");
}

TEST(CfEditInplace, NumberAccessors)
{
    TCfNumberEdit n;
    n.SetAsFloat(2.7);
    EXPECT_EQ(n.Text(), "2.70");
    EXPECT_DOUBLE_EQ(n.GetAsFloat(), 2.7);
    EXPECT_EQ(n.GetAsInteger(), 2);  // truncated
    n.SetAsInteger(5);
    EXPECT_EQ(n.Value(), 5);
    TCfSpinEdit s;
    s.SetPrecision(1);
    s.SetAsFloat(2.5);
    EXPECT_EQ(s.GetAsInteger(), 2);  // rounded, halves to even
    s.SetAsFloat(3.5);
    EXPECT_EQ(s.GetAsInteger(), 4);
    s.SetAsFloat(2.7);
    EXPECT_EQ(s.GetAsInteger(), 3);
}

TEST(CfEditInplace, EditingStartedPutsTheCaretAtTheEnd)
{
    TCfEdit e;
    e.SetText("hello");
    e.SetSelStart(0);
    e.EditingStarted();
    EXPECT_EQ(e.SelStart(), 5);
    EXPECT_EQ(e.SelLength(), 0);
}

TEST(CfEditLayout, GlyphAndPreviewStrip)
{
    TCfEdit e;
    e.SetBounds(0, 0, 150, 22);
    TBitmap glyph;
    glyph.SetSize(16, 16);
    e.SetGlyph(glyph);
    e.SetShowPreview(true);
    EXPECT_EQ(e.Info()->Width(), 40);
    EXPECT_FALSE(e.Info()->isHidden());
    EXPECT_EQ(e.GetPreviewRect().Left, 20);
    EXPECT_EQ(e.GetPreviewRect().Width(), 20);
    // Glyph + 4, then the 20 px box and a gap of 5 before the text.
    EXPECT_EQ(e.TextRect().Left, 16 + 4 + 25);
    e.SetShowPreview(false);
    e.SetGlyph(TBitmap());
    EXPECT_TRUE(e.Info()->isHidden());
    EXPECT_EQ(e.TextRect().Left, 0);
}

TEST(CfEditLayout, GlyphClickAndPreviewDraw)
{
    TCfEdit e;
    e.SetBounds(0, 0, 150, 22);
    TBitmap glyph;
    glyph.SetSize(16, 16);
    e.SetGlyph(glyph);
    e.SetShowPreview(true);
    int clicks = 0;
    TRect drawn;
    e.OnGlyphClick = [&](QObject*) { ++clicks; };
    e.OnCustomPreviewDraw = [&](QObject*, TRect r) { drawn = r; };
    e.Info()->MouseDown(mbLeft, 0, 5, 5);
    e.Info()->MouseDown(mbLeft, 0, 25, 5);  // on the preview, not the glyph
    EXPECT_EQ(clicks, 1);
    e.Info()->Render();
    // The box is framed and shrunk by one.
    EXPECT_EQ(drawn, TRect(21, 1, 39, e.ClientHeight() - 1));
}

TEST(CfButtonEditTest, ButtonPlacementEventsAndTypingOption)
{
    TCfCustomButtonEdit e;
    e.SetBounds(0, 0, 150, 22);
    SendResize(&e);
    TCfSmallButton* b = e.Button();
    EXPECT_FALSE(b->isHidden());
    EXPECT_EQ(b->Width(), 21);
    // Client area 146 x 18 inside the 2 px edge: the button fills its right
    // 21 columns, client x 125..145, that is window x 127..147.
    EXPECT_EQ(b->Left(), 125);
    EXPECT_EQ(b->Top(), 0);
    EXPECT_EQ(b->Height(), 18);
    EXPECT_EQ(b->geometry(), QRect(127, 2, 21, 18));
    EXPECT_EQ(e.TextRect().Right, e.ClientWidth() - 21);
    std::vector<std::string> log;
    e.OnButtonDown = [&](QObject*) { log.push_back("down"); };
    e.OnButtonClick = [&](QObject*) { log.push_back("click"); };
    b->MouseDown(mbLeft, 0, 3, 3);
    EXPECT_TRUE(b->Down);
    b->MouseUp(mbLeft, 0, 3, 3);
    EXPECT_FALSE(b->Down);
    EXPECT_EQ(log, (std::vector<std::string>{"down", "click"}));

    e.Options = epDisableTyping;
    e.SetText("ab");
    e.SetSelStart(2);
    Type(e, std::string("c"));
    SendKey(e.NativeEdit(), Qt::Key_Backspace, "\b");
    EXPECT_EQ(e.Text(), "ab");
    e.SetShowButton(false);
    EXPECT_TRUE(b->isHidden());
    EXPECT_EQ(e.TextRect().Right, e.ClientWidth());
}

TEST_F(SpinEdit, SpinningMarksTheEditModified)
{
    spin->SetModified(false);
    spin->Spin(1);
    EXPECT_TRUE(spin->Modified());
    EXPECT_EQ(spin->SelStart(), int(spin->Text().size()));
}

TEST(CfEditLayout, PressLeftOfTheTextSelectsAll)
{
    TCfEdit e;
    e.SetBounds(0, 0, 150, 22);
    TBitmap glyph;
    glyph.SetSize(16, 16);
    e.SetGlyph(glyph);
    e.SetText("hello");
    e.MouseMove(0, 21, 5);  // info strip (20 px) + 2
    EXPECT_EQ(e.Cursor(), 1000);
    e.MouseMove(0, 22, 5);
    EXPECT_EQ(e.Cursor(), crDefault);
    e.MouseDown(mbLeft, 0, 21, 5);
    EXPECT_EQ(e.SelText(), "hello");
}

TEST(CfEditLayout, BorderWidthRingsInTheEditColour)
{
    TCfEdit e;
    e.SetBounds(0, 0, 100, 24);
    e.Color = clYellow;
    e.SetBorderWidth(2);
    EXPECT_EQ(e.ClientOffset(), TPoint(4, 4));
    e.Render();
    const QImage& img = e.BackBuffer();
    EXPECT_EQ(img.pixel(2, 12) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_EQ(img.pixel(3, 12) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_EQ(img.pixel(50, 2) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_NE(img.pixel(1, 12) & 0xFFFFFF, 0xFFFF00u);  // the sunken edge
}

TEST(CfEditFocus, LeavingANumberEditNormalisesItsText)
{
    QWidget window;
    window.resize(300, 100);
    auto* first = new TCfNumberEdit(&window);
    auto* second = new TCfNumberEdit(&window);
    first->SetBounds(0, 0, 120, 21);
    second->SetBounds(0, 30, 120, 21);
    int enters = 0, exits = 0;
    first->OnEnter = [&](TControl*) { ++enters; };
    first->OnExit = [&](TControl*) { ++exits; };
    second->SetFocus();
    window.show();
    window.activateWindow();
    QApplication::processEvents();
    if (!window.isActiveWindow())
        GTEST_SKIP() << "the platform gives no window the focus";
    first->SetFocus();
    QApplication::processEvents();
    EXPECT_TRUE(first->Focused());
    first->SetText("12-3");
    second->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(first->Text(), "123.00");
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(exits, 1);
}
