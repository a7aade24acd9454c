#include "controls/MessageService.h"
#include "controls/ScriptedMessages.h"

#include <gtest/gtest.h>

using namespace cf;

namespace {

TEST(PanelsMessageService, AskingWithoutAServiceIsReportedNotAnswered)
{
    ASSERT_FALSE(HasMessageService());
    EXPECT_THROW(Messages(), std::logic_error);
}

TEST(PanelsMessageService, ScopeInstallsAndRestores)
{
    TScriptedMessages outer, inner;
    {
        TMessageServiceScope a(outer);
        {
            TMessageServiceScope b(inner);
            EXPECT_EQ(&Messages(), &inner);
        }
        EXPECT_EQ(&Messages(), &outer);
    }
    EXPECT_FALSE(HasMessageService());
}

TEST(PanelsMessageService, DefaultCancelAndFocusRules)
{
    struct Case {
        TMsgDlgButtons set;
        int enter;   // result of Enter on the opening focus
        int escape;  // -1: Esc closes nothing
    } cases[] = {
        {{mbYes, mbNo}, 6, 7},
        {{mbOK}, 1, 1},
        {{}, 1, 1},  // no buttons: OK is added
        {mbOKCancel, 1, 2},
        {mbYesNoCancel, 6, 2},
        {mbAbortRetryIgnore, 4, -1},
        {mbAbortIgnore, 3, -1},
        {{mbNo, mbCancel}, 7, 2},
        {{mbHelp, mbIgnore}, 5, -1},
    };
    for (const Case& c : cases) {
        TScriptedMessages m;
        m.PressEnter();
        EXPECT_EQ(m.MessageDlg("q", mtConfirmation, c.set), c.enter) << c.set.Bits();
        m.PressEscape();
        if (c.escape < 0)
            EXPECT_THROW(m.MessageDlg("q", mtConfirmation, c.set), std::logic_error) << c.set.Bits();
        else
            EXPECT_EQ(m.MessageDlg("q", mtConfirmation, c.set), c.escape) << c.set.Bits();
    }
}

TEST(PanelsMessageService, RecordsEveryTextAndAnswersInOrder)
{
    TScriptedMessages m;
    TMessageServiceScope scope(m);
    m.Answer(7).Answer(6).AnswerQuery("New name");
    EXPECT_FALSE(Messages().Confirm("Delete 3 services?"));
    EXPECT_TRUE(Messages().Confirm("Overwrite R&D bouquet?"));
    std::string v = "Old";
    EXPECT_TRUE(Messages().InputQuery("Rename", "Name:", v));
    EXPECT_EQ(v, "New name");
    Messages().ShowError("Cannot open \"services\"");  // unscripted: Enter
    EXPECT_TRUE(m.ScriptDone());
    EXPECT_EQ(m.Texts(), (std::vector<std::string>{"Delete 3 services?", "Overwrite R&D bouquet?", "Name:",
                                                   "Cannot open \"services\""}));
    ASSERT_EQ(m.Log().size(), 4u);
    EXPECT_EQ(m.Log()[2].Caption, "Rename");
    EXPECT_EQ(m.Log()[2].Offered, "Old");
    EXPECT_EQ(m.Log()[3].Type, mtError);
    EXPECT_EQ(m.Log()[3].Result, 1);
}

TEST(PanelsMessageService, ScriptOutOfStepFails)
{
    TScriptedMessages m;
    m.Answer(2);  // no Cancel in a Yes/No question
    EXPECT_THROW(m.MessageDlg("q", mtConfirmation, {mbYes, mbNo}), std::logic_error);
    m.AnswerQuery("x");
    EXPECT_THROW(m.MessageDlg("q", mtInformation, {mbOK}), std::logic_error);
    m.Unscripted = TScriptedMessages::TUnscripted::Fail;
    std::string v;
    EXPECT_THROW(m.InputQuery("c", "p", v), std::logic_error);
}

TEST(PanelsMessageService, QueryCancelKeepsValueAndDefaultStays)
{
    TScriptedMessages m;
    std::string v = "keep";
    m.CancelQuery().PressEscape().PressEnter();
    EXPECT_FALSE(m.InputQuery("c", "p", v));
    EXPECT_EQ(v, "keep");
    EXPECT_FALSE(m.InputQueryDefault("c", "p", "Default", v));
    EXPECT_EQ(v, "Default");
    std::string w = "x";
    EXPECT_TRUE(m.InputQueryDefault("c", "p", "Offered", w));
    EXPECT_EQ(w, "Offered");
}

TEST(PanelsMessageService, TypedAnswerIsLimitedTo255Characters)
{
    TScriptedMessages m;
    std::string v;
    m.AnswerQuery(std::string(300, 'a'));
    EXPECT_TRUE(m.InputQuery("c", "p", v));
    EXPECT_EQ(v.size(), 255u);
    // Two-byte characters count once each.
    std::string e;
    for (int i = 0; i < 260; ++i)
        e += "\xC3\xA8";
    m.AnswerQuery(e);
    EXPECT_TRUE(m.InputQuery("c", "p", v));
    EXPECT_EQ(v.size(), 510u);
}

} // namespace
