#include "LinkFixture.h"
#include "link/Unit_Network.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

using cftest::FileNames;
using cftest::LinkTestBase;
using cftest::Receiver;
using cftest::ReceiverOptions;
using cftest::StubUi;
using cftest::WriteText;
namespace fs = std::filesystem;

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
    EXPECT_EQ(form.windowTitle(), "Chanforge - Network");
    EXPECT_TRUE(form.CfCb_Reload->isChecked());
    form.show();
    ASSERT_EQ(form.CB_Profile->count(), 2);
    EXPECT_EQ(form.CB_Profile->itemText(0), "Box 600");
    EXPECT_EQ(form.CB_Profile->currentIndex(), 1);
    EXPECT_TRUE(form.Memo1->toPlainText().isEmpty());

    form.BitBtn_FTP_Read->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
    const QString log = form.Memo1->toPlainText();
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
    form.show();
    form.CB_Profile->setCurrentIndex(0);
    form.BitBtn_FTP_Read->click();
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.Memo1->toPlainText().contains(
        "Could not connect to receiver. Check IP Address,network settings and status of receiver"));
    form.BitBtn_Exit->click();
    EXPECT_EQ(form.result(), QDialog::Rejected);
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
    form.CfCb_Reload->setChecked(false);
    form.BitBtn_FTP_Write->click();
    EXPECT_TRUE(form.isVisible()); // the window stays open after a write
    EXPECT_TRUE(messages.Errors.empty());
    EXPECT_TRUE(r.WebRequests().empty());
    EXPECT_FALSE(fs::exists(r.root / "etc/enigma2/userbouquet.old.tv"));
    EXPECT_TRUE(form.Memo1->toPlainText().contains("userbouquet.old.tv -> Unused bouquet removed"));
    form.close();
}
