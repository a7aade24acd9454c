#include "LinkFixture.h"

#include <chrono>

namespace {

void FillEnigma2(const Receiver& r)
{
    WriteText(r.root / "etc/enigma2/lamedb", "eDVB services /4/\n");
    WriteText(r.root / "etc/enigma2/bouquets.tv", "#NAME tv\n");
    WriteText(r.root / "etc/enigma2/userbouquet.dbe00.tv", "#NAME Sport\n");
    WriteText(r.root / "etc/enigma2/userbouquet.dbe01.tv", "#NAME News\n");
}

const char* const ConnectMsg =
    "Could not connect to receiver. Check IP Address,network settings and status of receiver";
const char* const LoginMsg = "Could not login to receiver. Check username and password";

} // namespace

class LinkFaults : public LinkTestBase {
protected:
    // Whatever the user had loaded stays as it was.
    void ExpectSetUntouched()
    {
        EXPECT_EQ(host.OpenedDir, "");
        EXPECT_EQ(EnigmaVersion, 4);
        EXPECT_EQ(Services.size(), 1u);
    }
    void LoadSomething()
    {
        Services.resize(1);
        SetEnigmaVer(4);
    }
};

TEST_F(LinkFaults, RefusedPort)
{
    LoadSomething();
    Receiver r;
    TY_PROFILES p = r.Profile(3);
    RefusedPort refused;
    p.FtpPort = refused.port();
    auto link = MakeLink(p);
    EXPECT_FALSE(link->Read());
    EXPECT_TRUE(Logged(*link, ConnectMsg));
    EXPECT_FALSE(link->Write());
    EXPECT_EQ(host.Saves, 0);
    EXPECT_FALSE(fs::exists(TempDir));
    ExpectSetUntouched();
}

TEST_F(LinkFaults, WrongPassword)
{
    LoadSomething();
    ReceiverOptions o;
    o.profilePassword = "guess";
    Receiver r(o);
    auto link = MakeLink(r.Profile(3));
    EXPECT_FALSE(link->Read());
    EXPECT_TRUE(Logged(*link, LoginMsg));
    EXPECT_FALSE(Logged(*link, ConnectMsg));
    EXPECT_FALSE(link->FTP.Connected());
    EXPECT_FALSE(link->Write());
    EXPECT_EQ(host.Saves, 0);
    ExpectSetUntouched();
}

TEST_F(LinkFaults, ServerThatNeverAnswersIsBoundedByTheTimeout)
{
    LoadSomething();
    Receiver r;
    TY_PROFILES p = r.Profile(3);
    SilentListener silent;
    p.FtpPort = silent.port();
    auto link = MakeLink(p);
    link->Timeouts.FtpRead = 300;
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_FALSE(link->Read());
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(), 5.0);
    EXPECT_TRUE(Logged(*link, ConnectMsg));
    ExpectSetUntouched();
}

TEST_F(LinkFaults, ServerThatStopsAnsweringDuringTheReadFailsTheRead)
{
    LoadSomething();
    ReceiverOptions o;
    o.ftpArgs = {"--hang", "RETR"};
    Receiver r(o);
    FillEnigma2(r);
    auto link = MakeLink(r.Profile(3));
    link->Timeouts.FtpRead = 300;
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_FALSE(link->Read());
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(), 5.0);
    EXPECT_TRUE(Logged(*link, "Read timed out"));
    EXPECT_FALSE(fs::exists(TempDir));
    EXPECT_EQ(host.OpenedDir, "");
    EXPECT_EQ(Services.size(), 1u);
}

TEST_F(LinkFaults, FailedListingKeepsTheDialogOpen)
{
    LoadSomething();
    ReceiverOptions o;
    o.ftpArgs = {"--fail", "NLST"};
    Receiver r(o);
    FillEnigma2(r);
    auto link = MakeLink(r.Profile(3));
    EXPECT_FALSE(link->Read());
    EXPECT_TRUE(Logged(*link, "550 Listing refused."));
    // The other entries were still fetched (and then cleaned up).
    EXPECT_TRUE(Logged(*link, "/etc/enigma2/lamedb"));
    EXPECT_FALSE(fs::exists(TempDir));
    EXPECT_EQ(Services.size(), 1u);
}

TEST_F(LinkFaults, FailedUploadKeepsTheReceiversBouquetsAndTheUnsavedMark)
{
    ReceiverOptions o;
    o.ftpArgs = {"--readonly", "etc/tuxbox"};
    Receiver r(o);
    FillEnigma2(r);
    Services.resize(1);
    SetEnigmaVer(4);
    Modified = true;
    host.SaveFiles = {{"lamedb", "new"}, {"bouquets.tv", "#NAME tv\n"}, {"satellites.xml", "<satellites/>"}};
    auto link = MakeLink(r.Profile(3));
    EXPECT_FALSE(link->Write());
    EXPECT_EQ(ui.Errors, std::vector<std::string>{"Please retry sending settings to your receiver\nYour receiver still holds its previous settings."});
    EXPECT_TRUE(Logged(*link, "satellites.xml -> errore sending file to your receiver"));
    // The old bouquets are still there; no reload was asked for.
    EXPECT_TRUE(fs::exists(r.root / "etc/enigma2/userbouquet.dbe00.tv"));
    EXPECT_TRUE(fs::exists(r.root / "etc/enigma2/userbouquet.dbe01.tv"));
    EXPECT_TRUE(r.WebRequests().empty());
    EXPECT_TRUE(Modified);
    EXPECT_FALSE(fs::exists(TempDir));
    EXPECT_EQ(EnigmaVersion, 4);
}

TEST_F(LinkFaults, SaveFailureUploadsNothing)
{
    Receiver r;
    FillEnigma2(r);
    Services.resize(1);
    SetEnigmaVer(4);
    Modified = true;
    host.SaveThrows = true;
    auto link = MakeLink(r.Profile(3));
    EXPECT_FALSE(link->Write());
    EXPECT_TRUE(Logged(*link, "Disk full"));
    EXPECT_EQ(ui.Errors, std::vector<std::string>{"Please retry sending settings to your receiver\nYour receiver still holds its previous settings."});
    EXPECT_EQ(ReadText(r.root / "etc/enigma2/lamedb"), "eDVB services /4/\n");
    EXPECT_TRUE(fs::exists(r.root / "etc/enigma2/userbouquet.dbe00.tv"));
    EXPECT_TRUE(Modified);
}

TEST_F(LinkFaults, WebInterfaceRefusingThePasswordEndsInTheReloadMessage)
{
    // FTP takes the password, the web interface does not (HTTP 401).
    ReceiverOptions o;
    Receiver r(o);
    Services.resize(1);
    SetEnigmaVer(2);
    host.SaveFiles = {{"services", "x"}, {"bouquets", "y"}};
    Receiver web401(ReceiverOptions().Password("other"));
    TY_PROFILES p = r.Profile(1);
    p.HttpPort = web401.web->port();
    auto link = MakeLink(p);
    EXPECT_FALSE(link->Write());
    EXPECT_EQ(ui.Errors, std::vector<std::string>{"Some errors occours sending reload command : reboot the receiver"});
    // The reload itself was asked for and refused.
    auto req = web401.WebRequests();
    ASSERT_EQ(req.size(), 2u);
    EXPECT_EQ(req[1], "/cgi-bin/reloadSettings");
    // The files did arrive: the set is saved on the receiver.
    EXPECT_EQ(ReadText(r.root / "var/tuxbox/config/enigma/services"), "x");
    EXPECT_FALSE(Modified);
}

TEST_F(LinkFaults, FailedReadKeepsTheVersionOfTheLoadedSet)
{
    LoadSomething(); // an Enigma 2.4 set is loaded
    Receiver r(ReceiverOptions().Ftp({"--fail", "NLST"}));
    WriteText(r.root / "var/tuxbox/config/enigma/services", "s");
    WriteText(r.root / "var/tuxbox/config/enigma/bouquets", "b");
    auto link = MakeLink(r.Profile(1)); // reading an Enigma 1 receiver
    EXPECT_FALSE(link->Read());
    EXPECT_EQ(EnigmaVersion, 4);
    EXPECT_EQ(ServicesFileName, "lamedb");
}

TEST_F(LinkFaults, ReceiverLostAtTheLastDownloadFailsTheRead)
{
    LoadSomething();
    Receiver r(ReceiverOptions().Ftp({"--hang-retr-of", "userbouquet.dbe01.tv"}));
    FillEnigma2(r);
    auto link = MakeLink(r.Profile(3));
    link->Timeouts.FtpRead = 300;
    EXPECT_FALSE(link->Read());
    // Everything before it arrived; the read still counts as failed.
    EXPECT_TRUE(Logged(*link, "/etc/enigma2/userbouquet.dbe01.tv"));
    EXPECT_EQ(link->LogLines().back().find("/etc/enigma2/userbouquet.dbe01.tv"), std::string::npos);
    EXPECT_FALSE(fs::exists(TempDir));
    EXPECT_EQ(host.OpenedDir, "");
}
