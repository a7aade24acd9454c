#include "DialogTestHelpers.h"

#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/MessDlgs.h"
#include "platform/Label.h"

#include <QLineEdit>
#include <gtest/gtest.h>

using namespace cf;

namespace {

struct LookScope {
    LookScope(bool app = true)
    {
        ResetDialogLook();
        if (app)
            SetApplicationDialogLook();
    }
    ~LookScope() { ResetDialogLook(); }
};

// ---------------------------------------------------------------- keys and results

struct KeyCase {
    const char* name;
    TMsgDlgButtons buttons;
    std::vector<int> keys;
    int expected;
};

TEST(PanelsMessageDlgKeys, ResultsPerKeyAndButtonSet)
{
    LookScope look;
    const KeyCase cases[] = {
        {"yes/no Enter", {mbYes, mbNo}, {Qt::Key_Return}, mrYes},
        {"yes/no Esc", {mbYes, mbNo}, {Qt::Key_Escape}, mrNo},
        {"yes/no Tab Enter", {mbYes, mbNo}, {Qt::Key_Tab, Qt::Key_Return}, mrNo},
        {"yes/no Tab Tab Enter", {mbYes, mbNo}, {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return}, mrYes},
        {"ok Enter", {mbOK}, {Qt::Key_Return}, mrOk},
        {"ok Esc", {mbOK}, {Qt::Key_Escape}, mrOk},
        {"no buttons Enter", {}, {Qt::Key_Return}, mrOk},
        {"no buttons Esc", {}, {Qt::Key_Escape}, mrOk},
        {"ok/cancel Esc", mbOKCancel, {Qt::Key_Escape}, mrCancel},
        {"ok/cancel Tab Enter", mbOKCancel, {Qt::Key_Tab, Qt::Key_Return}, mrCancel},
        {"yes/no/cancel Esc", mbYesNoCancel, {Qt::Key_Escape}, mrCancel},
        {"abort/retry/ignore Enter", mbAbortRetryIgnore, {Qt::Key_Return}, mrRetry},
        {"abort/retry/ignore Tab Enter", mbAbortRetryIgnore, {Qt::Key_Tab, Qt::Key_Return}, mrIgnore},
    };
    for (const KeyCase& c : cases) {
        PressKeysLater(c.keys);
        CloseModalsAfter(3000);
        EXPECT_EQ(MessageDlg("Question?", mtConfirmation, c.buttons), c.expected) << c.name;
    }
}

TEST(PanelsMessageDlgKeys, EscWithoutCancelButtonDoesNothing)
{
    LookScope look;
    // Esc is ignored, then Enter answers with the default Retry.
    PressKeysLater({Qt::Key_Escape, Qt::Key_Return});
    CloseModalsAfter(3000);
    EXPECT_EQ(MessageDlg("Disk?", mtWarning, mbAbortRetryIgnore), mrRetry);
}

TEST(PanelsMessageDlgKeys, ClassicLookAnswersTheSame)
{
    LookScope look(false);
    PressKeysLater({Qt::Key_Tab, Qt::Key_Return});
    CloseModalsAfter(3000);
    EXPECT_EQ(MessageDlg("Question?", mtConfirmation, {mbYes, mbNo}), mrNo);
    PressKeysLater({Qt::Key_Escape});
    CloseModalsAfter(3000);
    EXPECT_EQ(MessageDlg("Question?", mtConfirmation, {mbYes, mbNo}), mrNo);
    PressKeysLater({Qt::Key_Return});
    CloseModalsAfter(3000);
    EXPECT_EQ(MessageDlg("Question?", mtConfirmation, {mbYes, mbNo}), mrYes);
}

TEST(PanelsInputQueryKeys, EnterEscAndTab)
{
    LookScope look;
    std::string v = "Old name";
    PressKeysLater({Qt::Key_Return});
    CloseModalsAfter(3000);
    EXPECT_TRUE(InputQuery("Rename", "Name:", v));
    EXPECT_EQ(v, "Old name");

    PressKeysLater({Qt::Key_X, Qt::Key_Escape});
    CloseModalsAfter(3000);
    EXPECT_FALSE(InputQuery("Rename", "Name:", v));
    EXPECT_EQ(v, "Old name");

    // Tab to OK, Enter: OK.  Tab, Tab to Cancel, Enter: Cancel.
    PressKeysLater({Qt::Key_Tab, Qt::Key_Return});
    CloseModalsAfter(3000);
    EXPECT_TRUE(InputQuery("Rename", "Name:", v));
    PressKeysLater({Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return});
    CloseModalsAfter(3000);
    EXPECT_FALSE(InputQuery("Rename", "Name:", v));

    std::string d = "unchanged";
    PressKeysLater({Qt::Key_Escape});
    CloseModalsAfter(3000);
    EXPECT_FALSE(InputQueryDefault("New bouquet", "Name:", "Favourites", d));
    EXPECT_EQ(d, "Favourites");
}

TEST(PanelsInputQueryKeys, TypedTextIsReturnedAndLimitedTo255)
{
    LookScope look;
    std::string v;
    QTimer::singleShot(0, [] {
        ActivateModal();
        auto* e = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(e, nullptr);
        e->selectAll();
        e->insert(QString(300, QChar('z')));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        QApplication::sendEvent(e, &press);
    });
    CloseModalsAfter(3000);
    EXPECT_TRUE(InputQuery("Find", "Text:", v));
    EXPECT_EQ(v, std::string(255, 'z'));
}

// ---------------------------------------------------------------- layout tables

struct Placed {
    TMsgDlgBtn button;
    TRect rect;
};

TEST(PanelsMessageDlgLayout, TableWithFixedCharacterSizes)
{
    // X = 7, Y = 13: margins 14 / 13, spacing 18 / 16, buttons 88 x 23 spaced 7.
    struct Case {
        const char* what;
        std::string msg;
        TMsgDlgType type;
        TMsgDlgButtons buttons;
        TSize client;
        TPoint position;
        TRect icon;
        TRect message;
        std::vector<Placed> placed;
    } cases[] = {
        {"confirmation", "Delete?", mtConfirmation, {mbYes, mbNo}, {211, 97}, {407, 336}, Bounds(14, 13, 32, 32),
         Bounds(64, 13, 49, 13), {{mbYes, Bounds(14, 61, 88, 23)}, {mbNo, Bounds(109, 61, 88, 23)}}},
        {"custom without buttons", "Hello", mtCustom, {}, {116, 78}, {454, 345}, TRect(), Bounds(14, 13, 35, 13),
         {{mbOK, Bounds(14, 42, 88, 23)}}},
        {"long word", std::string(200, 'W'), mtError, {mbOK}, {589, 104}, {218, 332}, Bounds(14, 13, 32, 32),
         Bounds(64, 13, 511, 39), {{mbOK, Bounds(250, 68, 88, 23)}}},
        {"four buttons", "Save changes?", mtWarning, {mbYes, mbNo, mbCancel, mbHelp}, {401, 97}, {312, 336},
         Bounds(14, 13, 32, 32), Bounds(64, 13, 91, 13),
         {{mbYes, Bounds(14, 61, 88, 23)}, {mbNo, Bounds(109, 61, 88, 23)}, {mbCancel, Bounds(204, 61, 88, 23)},
          {mbHelp, Bounds(299, 61, 88, 23)}}},
    };
    for (const Case& c : cases) {
        FixedMeasurer m;
        TMessageLayout L = LayoutMessageDialog(m, c.msg, c.type, c.buttons, {1024, 768});
        EXPECT_EQ(L.Client, c.client) << c.what;
        EXPECT_EQ(L.Position, c.position) << c.what;
        EXPECT_EQ(L.HasIcon, c.type != mtCustom) << c.what;
        EXPECT_EQ(L.Icon, c.icon) << c.what;
        EXPECT_EQ(L.Message, c.message) << c.what;
        ASSERT_EQ(L.Buttons.size(), c.placed.size()) << c.what;
        for (size_t i = 0; i < c.placed.size(); ++i) {
            EXPECT_EQ(L.Buttons[i].first, c.placed[i].button) << c.what << " " << i;
            EXPECT_EQ(L.Buttons[i].second, c.placed[i].rect) << c.what << " " << i;
        }
    }
}

TEST(PanelsMessageDlgLayout, LongTextNeverWidensBeyondHalfTheScreen)
{
    FixedMeasurer m;
    for (int screen : {640, 800, 1024, 1920}) {
        TMessageLayout L = LayoutMessageDialog(m, std::string(1000, 'x') + " tail", mtInformation, {mbOK},
                                               {screen, 1000});
        EXPECT_LE(L.Message.Width(), screen / 2) << screen;
        EXPECT_LE(L.Client.cx, screen / 2 + 32 + 18 + 2 * 14) << screen;
    }
}

TEST(PanelsInputQueryLayout, TableWithFixedCharacterSizes)
{
    FixedMeasurer m;
    TQueryLayout L = LayoutInputQuery(m, "Name:", {1024, 768});
    EXPECT_EQ(L.Prompt, Bounds(14, 13, 35, 13));
    EXPECT_EQ(L.Edit, Bounds(14, 36, 287, 21));
    EXPECT_EQ(L.Ok, Bounds(67, 67, 88, 23));
    EXPECT_EQ(L.Cancel, Bounds(161, 67, 88, 23));
    // The client area, not the outer window, ends 10 pixels under the buttons.
    EXPECT_EQ(L.Client, TSize(315, 100));
    EXPECT_EQ(L.Position, TPoint(355, 334));
}

// ---------------------------------------------------------------- the built dialog

TEST(PanelsCreateMessageDialog, ApplicationLookAndItalianTexts)
{
    LookScope look;
    auto f = CreateMessageDialog("Cancellare R&D?", mtConfirmation, {mbYes, mbNo}, DlgLanguage);
    EXPECT_EQ(f->Caption(), "Conferma");
    EXPECT_TRUE(f->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(f->mask().isEmpty());  // no rounded region with the panel
    auto* panel = dynamic_cast<TGlossPanel*>(f->FindComponent("ThePanel"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->ColorScheme(), TGlossPanelScheme::csSilver);
    EXPECT_EQ(panel->geometry(), f->rect());
    auto* yes = dynamic_cast<TGlossButton*>(f->FindComponent("Yes"));
    auto* no = dynamic_cast<TGlossButton*>(f->FindComponent("No"));
    ASSERT_TRUE(yes && no);
    EXPECT_EQ(yes->Caption(), "Si");
    EXPECT_EQ(no->Caption(), "No");
    EXPECT_EQ(yes->ModalResult, mrYes);
    EXPECT_EQ(no->ModalResult, mrNo);
    EXPECT_TRUE(yes->Default());
    EXPECT_TRUE(no->Cancel);
    EXPECT_EQ(yes->ColorScheme(), TGlossButtonScheme::csSilver);
    EXPECT_EQ(yes->parentWidget(), panel);
    EXPECT_EQ(f->ActiveControl, yes);
    auto* label = dynamic_cast<TLabel*>(f->FindComponent("Message"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Caption(), "Cancellare R&D?");
    EXPECT_FALSE(label->ShowAccelChar());
    EXPECT_EQ(label->Font.Name, "Tahoma");
    EXPECT_EQ(label->Font.Size, 10);
    EXPECT_EQ(label->Font.Style, unsigned(fsBold));
    EXPECT_EQ(label->Font.Color, TColor(0x626262));
    EXPECT_EQ(f->Font.Name, "Tahoma");
    EXPECT_NE(f->FindComponent("Image"), nullptr);
}

TEST(PanelsCreateMessageDialog, AmpersandIsMeasuredAsWritten)
{
    LookScope look;
    auto a = CreateMessageDialog("R&&D && Co", mtCustom, {mbOK}, 0);
    auto b = CreateMessageDialog("RR&&DD &&& Co", mtCustom, {mbOK}, 0);
    auto* la = dynamic_cast<TLabel*>(a->FindComponent("Message"));
    auto* lb = dynamic_cast<TLabel*>(b->FindComponent("Message"));
    ASSERT_TRUE(la && lb);
    // Each "&" takes room as a character: the label is as wide as the text
    // measured with no prefix processing at all.
    TCanvasTextMeasurer m(DlgFont, DlgFont);
    EXPECT_EQ(la->Width(), m.LineText("R&&D && Co").cx);
    EXPECT_GT(la->Width(), m.LineText("R&D & Co").cx);
    EXPECT_EQ(lb->Width(), m.LineText("RR&&DD &&& Co").cx);
}

TEST(PanelsCreateMessageDialog, ButtonsMatchTheLayoutOfTheRealFont)
{
    LookScope look;
    TFont textFont = DlgFont;
    TCanvasTextMeasurer m(DlgFont, textFont);
    TMessageLayout L = LayoutMessageDialog(m, "Salvare?", mtConfirmation, mbYesNoCancel, DialogScreenSize());
    auto f = CreateMessageDialog("Salvare?", mtConfirmation, mbYesNoCancel, dlItalian);
    EXPECT_EQ(f->ClientWidth(), L.Client.cx);
    EXPECT_EQ(f->ClientHeight(), L.Client.cy);
    for (const auto& [b, r] : L.Buttons) {
        const char* names[] = {"Yes", "No", "OK", "Cancel"};
        QWidget* w = f->FindComponent(names[int(b)]);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->geometry(), QRect(r.Left, r.Top, r.Width(), r.Height()));
    }
    EXPECT_EQ(dynamic_cast<TControl*>(f->FindComponent("Cancel"))->Caption(), "Annulla");
}

TEST(PanelsCreateMessageDialog, LongPathWrapsWithinHalfTheScreen)
{
    LookScope look;
    std::string path = "/media/hdd/settings/" + std::string(300, 'q') + "/lamedb";
    auto f = CreateMessageDialog(path, mtError, {mbOK}, 0);
    int half = DialogScreenSize().cx / 2;
    auto* label = dynamic_cast<TLabel*>(f->FindComponent("Message"));
    ASSERT_NE(label, nullptr);
    EXPECT_LE(label->Width(), half);
    EXPECT_GT(label->Height(), 3 * 13);  // several lines
    EXPECT_LE(f->ClientWidth(), half + 32 + 200);
}

TEST(PanelsCreateMessageDialog, CustomTypeHasNoIconAndTheApplicationTitle)
{
    LookScope look;
    QGuiApplication::setApplicationDisplayName("Chanforge");
    auto f = CreateMessageDialog("x", mtCustom, {mbOK}, dlItalian);
    EXPECT_EQ(f->Caption(), "Chanforge");
    EXPECT_EQ(f->FindComponent("Image"), nullptr);
}

TEST(PanelsCreateMessageDialog, ClassicLookHasFrameAndPushButtons)
{
    LookScope look(false);
    auto f = CreateMessageDialog("x", mtInformation, {mbOK}, DlgLanguage);
    EXPECT_EQ(f->Caption(), "Information");
    EXPECT_FALSE(f->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(f->FindComponent("ThePanel"), nullptr);
    EXPECT_NE(dynamic_cast<TCfButton*>(f->FindComponent("OK")), nullptr);
}

TEST(PanelsCreateMessageDialog, RoundedRegionOnlyWithoutThePanel)
{
    LookScope look(false);
    DlgRounded = true;
    DlgRoundRadius = 40;
    auto f = CreateMessageDialog("x", mtInformation, {mbOK}, 0);
    EXPECT_TRUE(f->windowFlags() & Qt::FramelessWindowHint);
    QRegion m = f->mask();
    ASSERT_FALSE(m.isEmpty());
    EXPECT_FALSE(m.contains(QPoint(0, 0)));
    EXPECT_TRUE(m.contains(QPoint(f->width() / 2, f->height() / 2)));
}

TEST(PanelsInputQueryDialog, ClientSizedAndEditLimited)
{
    LookScope look;
    auto f = CreateInputQueryDialog("Rinomina", "Nome:", "abc", dlItalian);
    // The control set's own edit (framed like every other), not a bare line edit.
    auto* edit = dynamic_cast<TCfEdit*>(f->FindComponent("Edit"));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->MaxLength(), 255);
    EXPECT_EQ(edit->Text(), "abc");
    EXPECT_EQ(edit->SelText(), "abc");
    EXPECT_EQ(edit->BorderStyle(), TBorderStyle::bsSingle);
    EXPECT_EQ(edit->Font, f->Font);
    QWidget* cancel = f->FindComponent("Cancel");
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(dynamic_cast<TControl*>(cancel)->Caption(), "Annulla");
    EXPECT_EQ(dynamic_cast<TControl*>(f->FindComponent("OK"))->Caption(), "OK");
    // Client height ends 10 pixels under the buttons.
    EXPECT_EQ(f->ClientHeight(), cancel->geometry().bottom() + 1 + 10);
    TCanvasTextMeasurer m(f->Font, f->Font);
    auto* prompt = dynamic_cast<TLabel*>(f->FindComponent("Prompt"));
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(prompt->Width(), m.LineText("Nome:").cx);
    EXPECT_EQ(prompt->Font, f->Font);
}

TEST(PanelsMessageService, DialogServiceShowsTheRealDialog)
{
    LookScope look;
    UseDialogMessages();
    PressKeysLater({Qt::Key_Tab, Qt::Key_Return});
    CloseModalsAfter(3000);
    EXPECT_FALSE(Messages().Confirm("Sovrascrivere?"));
    SetMessageService(nullptr);
}

} // namespace

namespace {

QPoint ShownPosition(std::function<int()> show)
{
    QPoint at(-1000, -1000);
    QTimer::singleShot(0, [&at] {
        if (QWidget* w = QApplication::activeModalWidget())
            at = w->pos();
    });
    PressKeysLater({Qt::Key_Return});
    CloseModalsAfter(3000);
    show();
    return at;
}

TEST(PanelsMessageDlgPosition, GivenPointCentredOverAControlOrCentredOnTheScreen)
{
    LookScope look;
    EXPECT_EQ(ShownPosition([] { return MessageDlgPosHelp("x", mtInformation, {mbOK}, 0, 10, 20, 0); }),
              QPoint(10, 20));
    auto f = CreateMessageDialog("x", mtInformation, {mbOK}, 0);
    TSize screen = DialogScreenSize();
    QPoint centred(screen.cx / 2 - f->Width() / 2, screen.cy / 2 - f->Height() / 2);
    EXPECT_EQ(ShownPosition([] { return MessageDlgPosHelp("x", mtInformation, {mbOK}, 0, -1, -1, 0); }), centred);
    // Only the negative coordinate keeps the centred value.
    EXPECT_EQ(ShownPosition([] { return MessageDlgPosHelp("x", mtInformation, {mbOK}, 0, 10, -1, 0); }),
              QPoint(10, centred.y()));

    TForm over;
    over.SetBounds(100, 100, 200, 100);
    QPoint expected(100 + 100 - f->Width() / 2, 100 + 50 - f->Height() / 2);
    EXPECT_EQ(ShownPosition([&] { return MessageDlg("x", mtInformation, {mbOK}, 0, &over); }), expected);
    EXPECT_EQ(DlgCenterOver, &over);  // kept until the next call
    EXPECT_EQ(ShownPosition([] { return MessageDlg("x", mtInformation, {mbOK}); }), centred);

    // A control destroyed after centring a dialog is forgotten, not read.
    auto gone = std::make_unique<TForm>();
    gone->SetBounds(0, 0, 50, 50);
    EXPECT_NE(ShownPosition([&] { return MessageDlg("x", mtInformation, {mbOK}, 0, gone.get()); }), centred);
    gone.reset();
    EXPECT_EQ(ShownPosition([] { return MessageDlgLang("x", mtInformation, {mbOK}, 0, 0); }), centred);
}

TEST(PanelsMessageDlgHelp, HelpButtonAsksForTheTopicAndLeavesTheDialogOpen)
{
    LookScope look;
    int topic = -1;
    DlgHelpHandler = [&](int t) { topic = t; };
    QTimer::singleShot(0, [] {
        auto* help = dynamic_cast<TGlossButton*>(QApplication::activeModalWidget()->findChild<QWidget*>("Help"));
        ASSERT_NE(help, nullptr);
        help->Click();
        EXPECT_NE(QApplication::activeModalWidget(), nullptr);  // Help closes nothing
        PressKeysLater({Qt::Key_Escape});
    });
    CloseModalsAfter(3000);
    EXPECT_EQ(MessageDlg("x", mtInformation, {mbOK, mbHelp}, 42), mrOk);
    EXPECT_EQ(topic, 42);
    DlgHelpHandler = nullptr;
}

} // namespace

namespace {

TEST(PanelsMessageForm, GradientBackgroundWithoutThePanel)
{
    LookScope look(false);
    DlgGradient = true;
    DlgGradientFrom = clNavy;
    DlgGradientTo = clBlack;
    auto f = CreateMessageDialog("x", mtCustom, {mbOK}, 0);
    f->Render();
    const QImage& img = f->BackBuffer();
    // Top to bottom from navy to black, one colour per row.
    EXPECT_EQ(FromPixel(ReadPixel(img, 2, 0)), clNavy);
    TColor last = FromPixel(ReadPixel(img, 2, img.height() - 1));
    EXPECT_LE(GetBValue(last), 4);
    TColor mid = FromPixel(ReadPixel(img, 2, img.height() / 2));
    EXPECT_NEAR(GetBValue(mid), 64, 4);
    EXPECT_EQ(GetRValue(mid), 0);
}

} // namespace

namespace {

TEST(PanelsMessageDlgTexts, LanguageRows)
{
    const std::vector<std::string> english = {"Cancel", "Warning", "Error", "Information", "Confirm", "",
                                              "Yes", "No", "OK", "Cancel", "Abort", "Retry", "Ignore", "All",
                                              "No to all", "Yes to all", "Help"};
    const std::vector<std::string> italian = {"Annulla", "Attenzione", "Errore", "Informazione", "Conferma", "",
                                              "Si", "No", "OK", "Annulla", "Termina", "Riprova", "Ignora",
                                              "Tutti", "No a tutti", "Si a tutti", "Aiuto!"};
    for (int i = 0; i < DlgTextCount; ++i) {
        EXPECT_EQ(DlgText(dlEnglish, i), english[size_t(i)]) << i;
        EXPECT_EQ(DlgText(dlItalian, i), italian[size_t(i)]) << i;
    }
    EXPECT_STREQ(DlgText(dlGerman, 4), "Bestätigung");
    EXPECT_STREQ(DlgText(dlGerman, 14), "Nein zu allen");
    EXPECT_STREQ(DlgText(dlFrench, 11), "Réessayer");
    EXPECT_STREQ(DlgText(dlSpanish, 1), "Precaución");
    EXPECT_STREQ(DlgText(dlDutch, 16), "?");
    for (int lang = 0; lang < DlgLanguageCount; ++lang) {
        EXPECT_STREQ(DlgText(lang, 5), "") << lang;
        for (int i = 0; i < DlgTextCount; ++i)
            if (i != 5) {
                EXPECT_STRNE(DlgText(lang, i), "") << lang << " " << i;
            }
    }
    EXPECT_STREQ(DlgText(99, 6), "Yes");  // an unknown language reads English
}

TEST(PanelsMessageDlgTexts, ButtonCaptionsFollowTheLanguage)
{
    LookScope look(false);
    auto f = CreateMessageDialog("x", mtWarning, mbYesAllNoAllCancel, dlFrench);
    EXPECT_EQ(f->Caption(), "Avertissement");
    const std::pair<const char*, const char*> expected[] = {
        {"Yes", "Oui"}, {"No", "Non"}, {"Cancel", "Annuler"}, {"NoToAll", "Non pour tous"}, {"YesToAll", "Oui pour tous"}};
    for (const auto& [name, caption] : expected) {
        auto* b = dynamic_cast<TControl*>(f->FindComponent(name));
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->Caption(), caption);
    }
    // Left to right in the order of the button table.
    EXPECT_LT(f->FindComponent("No")->x(), f->FindComponent("Cancel")->x());
    EXPECT_LT(f->FindComponent("Cancel")->x(), f->FindComponent("NoToAll")->x());
    EXPECT_LT(f->FindComponent("NoToAll")->x(), f->FindComponent("YesToAll")->x());
}

} // namespace

namespace {

TEST(PanelsInputQueryKeys, ALongerOfferedValueComesBackWhole)
{
    LookScope look;
    std::string v(300, 'n');
    PressKeysLater({Qt::Key_Return});
    CloseModalsAfter(3000);
    EXPECT_TRUE(InputQuery("Rename", "Name:", v));
    EXPECT_EQ(v, std::string(300, 'n'));
}

TEST(PanelsCreateMessageDialog, TabsAreMeasuredAsTheyAreDrawn)
{
    LookScope look;
    auto f = CreateMessageDialog("Name\tValue", mtCustom, {mbOK}, 0);
    auto* label = dynamic_cast<TLabel*>(f->FindComponent("Message"));
    ASSERT_NE(label, nullptr);
    QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas c(&scratch);
    c.Font = label->Font;
    TRect r(0, 0, 1000, 0);
    DrawText(c, "Name\tValue", r, DT_CALCRECT | label->DrawFlags());
    EXPECT_EQ(label->Width(), r.Right);
}

} // namespace

namespace {

TEST(PanelsInputQueryDialog, ControlsWhereTheLayoutPutsThem)
{
    LookScope look;
    TFont font = DlgFont;
    TCanvasTextMeasurer m(font, font);
    TQueryLayout L = LayoutInputQuery(m, "Nome del bouquet:", DialogScreenSize());
    auto f = CreateInputQueryDialog("Nuovo", "Nome del bouquet:", "", dlItalian);
    auto rectOf = [&](const char* name) {
        QRect g = f->FindComponent(name)->geometry();
        return Bounds(g.x(), g.y(), g.width(), g.height());
    };
    EXPECT_EQ(rectOf("Prompt"), L.Prompt);
    EXPECT_EQ(rectOf("Edit"), L.Edit);
    EXPECT_EQ(rectOf("OK"), L.Ok);
    EXPECT_EQ(rectOf("Cancel"), L.Cancel);
    EXPECT_EQ(TSize(f->ClientWidth(), f->ClientHeight()), L.Client);
    EXPECT_EQ(TPoint(f->x(), f->y()), L.Position);
    // With Tahoma 10 bold: X and Y from the alphabet, the edit box 8 pixels
    // taller than a line of text.
    EXPECT_EQ(L.Edit.Height(), L.Units.Y + 8);
    EXPECT_EQ(L.Client.cx, MulDiv(180, L.Units.X, 4));
}

} // namespace
