// The receiver link together with the real folder drivers and readers and
// writers: what comes from the receiver is loaded as the Open button would,
// and what goes to it is exactly what the Save button writes.

#include "LinkFixture.h"
#include "link/FolderNetworkHost.h"
#include "link/TransferFolder.h"
#include "settings/FolderIO.h"
#include "folder_io/FolderTestSupport.h"

#include <cstdio>

class LinkEndToEnd : public ::testing::Test {
protected:
    cftest::ScratchDir program;
    TFolderNetworkHost host;
    StubUi ui;

    void SetUp() override
    {
        ClearModel();
        SetFolderUi({});
        ::TempDir = (program / "TmpDirForFtp").string();
        VersionText = "Ver.1.3.7";
        ReadNew = false;
        Modified = false;
    }
    void TearDown() override { ClearModel(); }

    std::unique_ptr<TNetworkLink> MakeLink(const TY_PROFILES& p)
    {
        Profiles = {p};
        SelectedProfile = 0;
        auto link = std::make_unique<TNetworkLink>(host, ui);
        link->ProfileIndex = 0;
        return link;
    }

    // Loads a folder as the Open button does.
    static void LoadFolder(const fs::path& dir)
    {
        TheLoadDir = dir.string();
        ASSERT_TRUE(VerFile());
        ASSERT_TRUE(OpenFile());
    }

    static std::size_t CountNew()
    {
        return static_cast<std::size_t>(std::count_if(Services.begin(), Services.end(),
                                                       [](const TY_ENIG_CH& c) { return (c.Flags & 0x80) != 0; }));
    }
};

TEST_F(LinkEndToEnd, ReadLoadsTheReceiversSetAndMarksItsNewServices)
{
    // What the set holds when loaded straight from its folder.
    cftest::ScratchDir local;
    cftest::CopyTree(cftest::RealSet("enigma2-v4-multisat"), local.path());
    LoadFolder(local.path());
    const std::size_t services = Services.size();
    const std::size_t tvBouquets = TvBouquets.size();
    ASSERT_GT(services, 100u);
    // The receiver reports one of them as found by its own scan.
    const TY_ENIG_CH pick = Services[services / 2];
    const TY_ENIG_TP tp = Transponders[static_cast<std::size_t>(pick.TpIndex)];
    char line[200];
    std::snprintf(line, sizeof line, "1:0:%x:%s:%s:%s:%s:0:0:0:;Found;Prov\n", pick.ServiceType, pick.Sid.c_str(),
                  tp.Tsid.c_str(), tp.Onid.c_str(), tp.Namespace.c_str());
    cftest::ScratchDir work;
    WriteText(work / "tv-services", line);

    Receiver r(ReceiverOptions().Web({"--tv-services", (work / "tv-services").string()}));
    cftest::CopyTree(cftest::RealSet("enigma2-v4-multisat"), r.root / "etc/enigma2");
    fs::rename(r.root / "etc/enigma2/satellites.xml", r.root / "etc/tuxbox/satellites.xml");

    ClearModel();
    ::TempDir = (program / "TmpDirForFtp").string();
    VersionText = "Ver.1.3.7";
    ReadNew = true;
    auto link = MakeLink(r.Profile(3));
    ASSERT_TRUE(link->Read());
    ASSERT_EQ(NewChannels.size(), 2u); // the picked TV service and the radio peer's
    OpenTransferFolder(host);
    ASSERT_TRUE(host.LastOpenSucceeded);
    EXPECT_EQ(Services.size(), services);
    EXPECT_EQ(TvBouquets.size(), tvBouquets);
    EXPECT_EQ(EnigmaVersion, 4);
    EXPECT_EQ(CountNew(), 1u);
    auto it = std::find_if(Services.begin(), Services.end(), [&](const TY_ENIG_CH& c) { return c.Key == pick.Key; });
    ASSERT_NE(it, Services.end());
    EXPECT_TRUE(it->Flags & 0x80);
    EXPECT_FALSE(fs::exists(::TempDir));
}

TEST_F(LinkEndToEnd, WriteSendsExactlyWhatSaveWrites)
{
    cftest::ScratchDir local;
    cftest::CopyTree(cftest::RealSet("enigma2-v4-astra-bouquets"), local.path());
    LoadFolder(local.path());
    ASSERT_FALSE(Services.empty());

    Receiver r;
    WriteText(r.root / "etc/enigma2/userbouquet.gone.tv", "#NAME Deleted\n");
    TY_PROFILES profile = r.Profile(3);
    Profiles = {profile};
    // The reference: the same set saved by the Save button's driver.
    cftest::ScratchDir reference;
    TheSaveDir = reference.path().string();
    SaveProfile = 0;
    ASSERT_TRUE(SaveFile());
    Modified = true;

    auto link = MakeLink(profile);
    ASSERT_TRUE(link->Write());
    EXPECT_TRUE(ui.Errors.empty());
    const fs::path s = r.root / "etc/enigma2";
    for (const auto& name : FileNames(reference.path())) {
        fs::path sent = (name == "satellites.xml" || name == "terrestrial.xml") ? r.root / "etc/tuxbox" / name
                                                                                : s / name;
        ASSERT_TRUE(fs::exists(sent)) << name;
        EXPECT_EQ(ReadText(sent), ReadText(reference / name)) << name;
    }
    EXPECT_FALSE(fs::exists(s / "userbouquet.gone.tv"));
    EXPECT_FALSE(Modified);
    EXPECT_FALSE(fs::exists(::TempDir));
    EXPECT_EQ(TheSaveDir, reference.path().string());
}

namespace {

// A progress window whose step `failAt` fails, as a file that cannot be read
// makes a load fail part-way.
class FailingProgress : public TFolderProgress {
public:
    explicit FailingProgress(int failAt) : failAt_(failAt) {}
    void Step(int n) override
    {
        if (n == failAt_)
            throw std::runtime_error("Cannot read file");
    }

private:
    int failAt_;
};

} // namespace

TEST_F(LinkEndToEnd, ALoadThatFailsAfterAReadKeepsTheFormatOfTheEarlierSet)
{
    // An Enigma 1 set is loaded; an Enigma 2 receiver is read, which sets the
    // lamedb format for the files to come; then their load fails.
    cftest::ScratchDir local;
    cftest::CopyTree(cftest::Fixture("v2"), local.path());
    LoadFolder(local.path());
    ASSERT_EQ(EnigmaVersion, 2);
    const std::size_t services = Services.size();
    ASSERT_GT(services, 0u);

    Receiver r;
    cftest::CopyTree(cftest::Fixture("v4"), r.root / "etc/enigma2");
    auto link = MakeLink(r.Profile(3));
    for (int failAt : {1, 2, 10}) {
        SCOPED_TRACE(failAt);
        ASSERT_TRUE(link->Read());
        ASSERT_EQ(EnigmaVersion, 4);
        FailingProgress progress(failAt);
        SetFolderUi({&progress, nullptr, nullptr});
        OpenTransferFolder(host);
        SetFolderUi({});
        EXPECT_FALSE(host.LastOpenSucceeded);
        EXPECT_EQ(Services.size(), services);
        EXPECT_EQ(EnigmaVersion, 2);
        EXPECT_EQ(ServicesFileName, "services");
        EXPECT_EQ(TvListFileName, "userbouquets.tv.epl");
        EXPECT_EQ(RadioListFileName, "userbouquets.radio.epl");
        EXPECT_EQ(LockedFileName, "services.locked");
        EXPECT_FALSE(fs::exists(::TempDir));
    }
}
