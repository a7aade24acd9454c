#include "LinkFixture.h"
#include "link/Unit_Network.h"

#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/CfLabel.h"
#include "controls/ScriptedMessages.h"
#include "controls_panels/DialogTestHelpers.h"
#include "controls_panels/SyntheticInput.h"
#include "platform/Memo.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>

using namespace cf;

namespace {

// On the check box's square, where a click always toggles.
void ClickBox(TCfCheckBox& c)
{
    const TRect box = c.BoxRect();
    Click(c, QPointF((box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2));
}

} // namespace

class LinkNetworkWindow : public LinkTestBase {
protected:
    void FillEnigma2(const Receiver& r)
    {
        WriteText(r.root / "etc/enigma2/lamedb", "eDVB services /4/\n");
        WriteText(r.root / "etc/enigma2/userbouquet.old.tv", "#NAME Old\n");
    }
    // Two profiles; the second is the receiver, the first points nowhere.
    void TwoProfiles(const Receiver& r)
    {
        TY_PROFILES nowhere = r.Profile(1);
        nowhere.Name = "Box 600";
        nowhere.FtpPort = 1;
        Profiles = {nowhere, r.Profile(3)};
        SelectedProfile = 1;
    }
};

TEST_F(LinkNetworkWindow, ShowsProfilesAndReadsWithTheChosenOne)
{
    Receiver r;
    FillEnigma2(r);
    TwoProfiles(r);
    StubUi messages;
    TForm_Network form(host, &messages);
    EXPECT_EQ(form.Caption(), "Chanforge - Network");
    EXPECT_TRUE(form.CfCb_Reload->Checked());
    EXPECT_EQ(form.CfCb_Reload->Caption(), "Reload settings");
    EXPECT_EQ(form.Label_Profile->Caption(), "Network operation will use  profile");
    EXPECT_EQ(form.BitBtn_FTP_Read->Caption(), "Read");
    EXPECT_EQ(form.BitBtn_FTP_Write->Caption(), "Write");
    EXPECT_EQ(form.BitBtn_Exit->Caption(), "Exit");

    bool shownRight = false;
    QTimer::singleShot(0, [&] {
        ActivateModal();
        shownRight = form.CB_Profile->Items() == std::vector<std::string>{"Box 600", r.Profile(3).Name} &&
                     form.CB_Profile->ItemIndex() == 1 && QString::fromStdString(form.Memo1->Text()).isEmpty();
        Click(*form.BitBtn_FTP_Read);
    });
    CloseModalsAfter(10000);
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_TRUE(shownRight);
    EXPECT_FALSE(form.isVisible());
    const QString log = QString::fromStdString(form.Memo1->Text());
    EXPECT_TRUE(log.contains("Receiver response: Login successful.")) << log.toStdString();
    EXPECT_TRUE(log.contains("/etc/enigma2/lamedb"));
    EXPECT_TRUE(fs::exists(fs::path(TempDir) / "lamedb"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(LinkNetworkWindow, FailedReadKeepsTheWindowOpenWithTheMessage)
{
    Receiver r;
    TwoProfiles(r);
    StubUi messages;
    TForm_Network form(host, &messages);
    bool stillOpen = false;
    QString log;
    QTimer::singleShot(0, [&] {
        ActivateModal();
        Key(form.CB_Profile, Qt::Key_Up); // the profile that points nowhere
        Click(*form.BitBtn_FTP_Read);
        stillOpen = form.isVisible();
        log = QString::fromStdString(form.Memo1->Text());
        Click(*form.BitBtn_Exit);
    });
    CloseModalsAfter(10000);
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(log.contains(
        "Could not connect to receiver. Check IP Address,network settings and status of receiver"))
        << log.toStdString();
}

TEST_F(LinkNetworkWindow, WriteWithoutReloadWhenUnchecked)
{
    Receiver r;
    FillEnigma2(r);
    TwoProfiles(r);
    Services.resize(1);
    SetEnigmaVer(4);
    host.SaveFiles = {{"lamedb", "new"}};
    StubUi messages;
    TForm_Network form(host, &messages);
    form.show();
    Click(*form.CfCb_Reload); // on the caption
    EXPECT_FALSE(form.CfCb_Reload->Checked());
    ClickBox(*form.CfCb_Reload);
    EXPECT_TRUE(form.CfCb_Reload->Checked());
    Click(*form.CfCb_Reload);
    EXPECT_FALSE(form.CfCb_Reload->Checked());
    Click(*form.BitBtn_FTP_Write);
    EXPECT_TRUE(form.isVisible()); // the window stays open after a write
    EXPECT_TRUE(messages.Errors.empty());
    EXPECT_TRUE(r.WebRequests().empty());
    EXPECT_FALSE(fs::exists(r.root / "etc/enigma2/userbouquet.old.tv"));
    EXPECT_TRUE(QString::fromStdString(form.Memo1->Text()).contains("userbouquet.old.tv -> Unused bouquet removed"));
    form.Close();
}

TEST_F(LinkNetworkWindow, QuestionsAndErrorsGoThroughTheMessageService)
{
    ReceiverOptions o;
    o.ftpArgs = {"--readonly", "etc/enigma2"};
    Receiver r(o);
    FillEnigma2(r);
    TwoProfiles(r);
    Services.resize(1);
    SetEnigmaVer(4);
    Modified = true;
    host.SaveFiles = {{"lamedb", "new"}};
    TScriptedMessages scripted;
    scripted.Unscripted = TScriptedMessages::TUnscripted::Fail;
    TMessageServiceScope scope(scripted);
    TForm_Network form(host); // no messages of its own: the service answers
    form.show();

    scripted.Answer(mrNo);
    Click(*form.BitBtn_FTP_Read);
    ASSERT_EQ(scripted.Log().size(), 1u);
    EXPECT_EQ(scripted.Log()[0].Text, "Your changes have not been saved : Proceeed anyway ?");
    EXPECT_EQ(scripted.Log()[0].Type, mtConfirmation);
    EXPECT_TRUE(QString::fromStdString(form.Memo1->Text()).isEmpty()) << "never connected";

    scripted.PressEnter();
    Click(*form.BitBtn_FTP_Write);
    ASSERT_EQ(scripted.Log().size(), 2u);
    EXPECT_EQ(scripted.Log()[1].Text, "Please retry sending settings to your receiver\nYour receiver still holds its previous settings.");
    EXPECT_EQ(scripted.Log()[1].Type, mtError);
    EXPECT_EQ(scripted.Log()[1].Buttons, TMsgDlgButtons{mbOK});
    EXPECT_TRUE(Modified);
    form.Close();
}

TEST_F(LinkNetworkWindow, EscIsExit)
{
    Receiver r;
    TwoProfiles(r);
    StubUi messages;
    TForm_Network form(host, &messages);
    PressKeysLater({Qt::Key_Escape});
    CloseModalsAfter(5000);
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_TRUE(QString::fromStdString(form.Memo1->Text()).isEmpty()) << "nothing was started";
}
