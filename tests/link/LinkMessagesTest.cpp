// The receiver link's questions and error boxes through the program's
// message dialogs, answered from a script as a user would.

#include "LinkFixture.h"

#include "controls/ScriptedMessages.h"
#include "link/NetworkMessages.h"

using cf::TScriptedMessages;

namespace {

void FillEnigma2(const Receiver& r)
{
    WriteText(r.root / "etc/enigma2/lamedb", "eDVB services /4/\n");
    WriteText(r.root / "etc/enigma2/userbouquet.dbe00.tv", "#NAME Sport\n");
}

class LinkMessages : public LinkTestBase {
protected:
    void SetUp() override
    {
        LinkTestBase::SetUp();
        messages.Unscripted = TScriptedMessages::TUnscripted::Fail;
    }
    static bool IsErrorBox(const TScriptedMessages::TEntry& e, const std::string& text)
    {
        return e.Kind == TScriptedMessages::TKind::Message && e.Type == cf::mtError &&
               e.Buttons == cf::TMsgDlgButtons{cf::mbOK} && e.Text == text;
    }

    TMessageNetworkUi dialogs;
    TScriptedMessages messages;
    cf::TMessageServiceScope scope{messages};
};

} // namespace

TEST_F(LinkMessages, NoToTheUnsavedChangesQuestionReadsNothing)
{
    Receiver r;
    FillEnigma2(r);
    auto link = MakeLink(r.Profile(3), nullptr, &dialogs);
    Modified = true;

    messages.Answer(7);
    EXPECT_FALSE(link->Read());
    ASSERT_EQ(messages.Log().size(), 1u);
    const auto& q = messages.Log()[0];
    EXPECT_EQ(q.Text, "Your changes have not been saved : Proceeed anyway ?");
    EXPECT_EQ(q.Type, cf::mtConfirmation);
    EXPECT_EQ(q.Buttons, (cf::TMsgDlgButtons{cf::mbYes, cf::mbNo}));
    EXPECT_TRUE(link->LogLines().empty()) << "never connected";
    EXPECT_FALSE(fs::exists(TempDir));

    messages.PressEscape(); // Esc answers No
    EXPECT_FALSE(link->Read());
    EXPECT_TRUE(link->LogLines().empty());

    messages.Answer(6);
    EXPECT_TRUE(link->Read());
    EXPECT_TRUE(fs::exists(fs::path(TempDir) / "lamedb"));
    EXPECT_TRUE(messages.ScriptDone());
}

TEST_F(LinkMessages, AFailedUploadEndsInTheRetryErrorBox)
{
    ReceiverOptions o;
    o.ftpArgs = {"--readonly", "etc/tuxbox"};
    Receiver r(o);
    FillEnigma2(r);
    Services.resize(1);
    SetEnigmaVer(4);
    host.SaveFiles = {{"lamedb", "new"}, {"satellites.xml", "<satellites/>"}};
    auto link = MakeLink(r.Profile(3), nullptr, &dialogs);
    messages.PressEnter();
    EXPECT_FALSE(link->Write());
    ASSERT_EQ(messages.Log().size(), 1u);
    EXPECT_TRUE(IsErrorBox(messages.Log()[0], "Please retry sending settings to your receiver\nYour receiver still holds its previous settings."))
        << messages.Log()[0].Text;
}

TEST_F(LinkMessages, ARefusedReloadEndsInTheRebootErrorBox)
{
    Receiver r;
    Services.resize(1);
    SetEnigmaVer(2);
    host.SaveFiles = {{"services", "x"}, {"bouquets", "y"}};
    Receiver web401(ReceiverOptions().Password("other"));
    TY_PROFILES p = r.Profile(1);
    p.HttpPort = web401.web->port();
    auto link = MakeLink(p, nullptr, &dialogs);
    messages.PressEnter();
    EXPECT_FALSE(link->Write());
    ASSERT_EQ(messages.Log().size(), 1u);
    EXPECT_TRUE(IsErrorBox(messages.Log()[0], "Some errors occours sending reload command : reboot the receiver"))
        << messages.Log()[0].Text;
}
