#include "LinkFixture.h"
#include "link/FilePlan.h"
#include "link/TransferFolder.h"

namespace {

// Remote paths the log shows before each download, in order (the lines
// starting with "/" after "Receiver response: ").
std::vector<std::string> DownloadedPaths(const TNetworkLink& link, bool skipUpfrontList)
{
    std::vector<std::string> out;
    bool started = false;
    std::size_t skip = 0;
    const auto& log = link.LogLines();
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (log[i].rfind("Receiver response: ", 0) == 0) {
            started = true;
            continue;
        }
        if (started && !log[i].empty() && log[i][0] == '/')
            out.push_back(log[i]);
    }
    if (skipUpfrontList) {
        skip = out.size() / 2;
        out.erase(out.begin(), out.begin() + static_cast<long>(skip));
    }
    return out;
}

void FillEnigma2(const Receiver& r)
{
    WriteText(r.root / "etc/enigma2/lamedb", "eDVB services /4/\n");
    WriteText(r.root / "etc/enigma2/bouquets.tv", "#NAME User - bouquets (TV)\n");
    WriteText(r.root / "etc/enigma2/bouquets.radio", "#NAME User - bouquets (Radio)\n");
    WriteText(r.root / "etc/enigma2/userbouquet.dbe00.tv", "#NAME Sport\n");
    WriteText(r.root / "etc/enigma2/userbouquet.favourites.radio", "#NAME Fav\n");
    WriteText(r.root / "etc/enigma2/blacklist", "");
    WriteText(r.root / "etc/tuxbox/satellites.xml", "<satellites/>\n");
    WriteText(r.root / "etc/tuxbox/terrestrial.xml", "<locations/>\n");
    // The receiver's own configuration, which every Enigma 2 receiver has.
    WriteText(r.root / "etc/enigma2/settings", "config.misc.firstrun=false\n");
    // no "whitelist": an optional file the receiver lacks
}

void FillEnigma1(const Receiver& r)
{
    const fs::path s = r.root / "var/tuxbox/config/enigma";
    WriteText(s / "services", "eDVB services /3/\n");
    WriteText(s / "bouquets", "eDVB bouquets /3/\n");
    WriteText(s / "userbouquets.tv.epl", "#NAME User - bouquets (TV)\n");
    WriteText(s / "userbouquets.radio.epl", "#NAME User - bouquets (Radio)\n");
    WriteText(s / "userbouquet.ed00.tv", "#NAME News\n");
    WriteText(r.root / "var/etc/satellites.xml", "<satellites/>\n");
    // no services.locked, no terrestrial.xml
}

} // namespace

class LinkRead : public LinkTestBase {};

TEST_F(LinkRead, Enigma2ProfilesDownloadTheirFilesInOrder)
{
    // Profile type -> version set before the download.
    for (auto [type, version] : {std::pair{2, 3}, std::pair{3, 4}}) {
        SCOPED_TRACE(type);
        Receiver r;
        FillEnigma2(r);
        auto link = MakeLink(r.Profile(type));
        ASSERT_TRUE(link->Read());
        EXPECT_EQ(EnigmaVersion, version);
        EXPECT_TRUE(Logged(*link, "Receiver response: Login successful."));
        const std::vector<std::string> expected{
            "/etc/enigma2/settings",       "/etc/enigma2/lamedb",        "/etc/tuxbox/satellites.xml",
            "/etc/tuxbox/terrestrial.xml", "/etc/enigma2/blacklist",     "/etc/enigma2/whitelist",
            "/etc/enigma2/bouquets.radio", "/etc/enigma2/bouquets.tv",   "/etc/enigma2/bouquets.tv",
            "/etc/enigma2/userbouquet.dbe00.tv", "/etc/enigma2/bouquets.radio",
            "/etc/enigma2/userbouquet.favourites.radio"};
        // Enigma 2 logs the whole list once, then each path before its download.
        auto all = DownloadedPaths(*link, false);
        ASSERT_EQ(all.size(), 2 * expected.size());
        EXPECT_EQ(std::vector<std::string>(all.begin(), all.begin() + 12), expected);
        EXPECT_EQ(std::vector<std::string>(all.begin() + 12, all.end()), expected);
        EXPECT_EQ(FileNames(TempDir),
                  (std::vector<std::string>{"blacklist", "bouquets.radio", "bouquets.tv", "lamedb", "satellites.xml",
                                            "settings", "terrestrial.xml", "userbouquet.dbe00.tv",
                                            "userbouquet.favourites.radio"}));
        EXPECT_EQ(ReadText(fs::path(TempDir) / "lamedb"), "eDVB services /4/\n");
        EXPECT_FALSE(link->FTP.Connected());
        EXPECT_EQ(host.DebugLog, link->LogText());
        EXPECT_EQ(ui.BusyDepth, 0);
    }
}

TEST_F(LinkRead, Enigma1ProfilesDownloadTheirFilesInOrder)
{
    for (auto [type, version] : {std::pair{1, 2}, std::pair{4, 4}}) {
        SCOPED_TRACE(type);
        Receiver r;
        FillEnigma1(r);
        if (type == 4) // a QB-One profile reads like Enigma 2 from its folders
            FillEnigma2(r);
        TY_PROFILES p = r.Profile(type);
        auto link = MakeLink(p);
        const int before = EnigmaVersion;
        bool ok = link->Read();
        // A failed read leaves the version of the set still in memory.
        EXPECT_EQ(EnigmaVersion, ok ? version : before);
        if (type == 1) {
            ASSERT_TRUE(ok);
            const std::string s = "/var/tuxbox/config/enigma";
            EXPECT_EQ(DownloadedPaths(*link, false),
                      (std::vector<std::string>{s + "/services", s + "/bouquets", s + "/services.locked",
                                                "/var/etc/satellites.xml", "/var/etc/terrestrial.xml",
                                                s + "/userbouquets.tv.epl", s + "/userbouquets.radio.epl",
                                                s + "/userbouquet.ed00.tv"}));
            EXPECT_EQ(FileNames(TempDir),
                      (std::vector<std::string>{"bouquets", "satellites.xml", "services", "userbouquet.ed00.tv",
                                                "userbouquets.radio.epl", "userbouquets.tv.epl"}));
        } else {
            // Type 4 asks for the lamedb file set in the profile's folders,
            // which here hold Enigma 1 files only: nothing loadable came.
            EXPECT_FALSE(ok);
            EXPECT_TRUE(Logged(*link, "/var/tuxbox/config/enigma/lamedb"));
            EXPECT_TRUE(Logged(*link, "File(s) not found : cannot proceed"));
        }
    }
}

TEST_F(LinkRead, XmlListsMissingInTheXmlFolderComeFromShare)
{
    Receiver r;
    FillEnigma2(r);
    fs::remove(r.root / "etc/tuxbox/satellites.xml");
    fs::remove(r.root / "etc/tuxbox/terrestrial.xml");
    WriteText(r.root / "share/satellites.xml", "<satellites from=\"share\"/>\n");
    auto link = MakeLink(r.Profile(3));
    ASSERT_TRUE(link->Read());
    EXPECT_EQ(ReadText(fs::path(TempDir) / "satellites.xml"), "<satellites from=\"share\"/>\n");
    // Not under /share either: skipped without harm.
    EXPECT_FALSE(fs::exists(fs::path(TempDir) / "terrestrial.xml"));
}

TEST_F(LinkRead, UnsavedChangesAreConfirmedFirst)
{
    Receiver r;
    FillEnigma2(r);
    auto link = MakeLink(r.Profile(3));
    Modified = true;
    ui.Answer = false;
    EXPECT_FALSE(link->Read());
    EXPECT_EQ(ui.Questions, std::vector<std::string>{"Your changes have not been saved : Proceeed anyway ?"});
    EXPECT_TRUE(link->LogLines().empty()); // never connected
    EXPECT_FALSE(fs::exists(TempDir));

    ui.Answer = true;
    EXPECT_TRUE(link->Read());
}

TEST_F(LinkRead, TransferFolderIsEmptiedBeforeReading)
{
    // An Enigma 1 set left behind would make the folder look like Enigma 1.
    WriteText(fs::path(TempDir) / "services", "old");
    WriteText(fs::path(TempDir) / "bouquets", "old");
    WriteText(fs::path(TempDir) / "userbouquet.old.tv", "old");
    Receiver r;
    FillEnigma2(r);
    auto link = MakeLink(r.Profile(3));
    ASSERT_TRUE(link->Read());
    auto names = FileNames(TempDir);
    EXPECT_EQ(std::count(names.begin(), names.end(), "services"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "bouquets"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "userbouquet.old.tv"), 0);
}

TEST_F(LinkRead, ListedNamesThatAreNoPlainFileNamesAreRefused)
{
    Receiver r;
    FillEnigma2(r);
    // A legal name on the receiver that would climb out of the transfer
    // folder on a system that takes "\" as a separator.
    WriteText(r.root / "etc/enigma2/up\\..\\..\\evil.tv", "x");
    auto link = MakeLink(r.Profile(3));
    ASSERT_TRUE(link->Read());
    EXPECT_TRUE(Logged(*link, "up\\..\\..\\evil.tv -> file name refused"));
    for (const auto& n : FileNames(TempDir))
        EXPECT_EQ(n.find('\\'), std::string::npos) << n;
    EXPECT_TRUE(FileNames(program.path()) == std::vector<std::string>{"TmpDirForFtp"});
}

TEST(LinkFilePlan, NameChecks)
{
    struct Case {
        const char* name;
        bool safe;
    };
    for (auto c : {Case{"userbouquet.dbe00.tv", true}, Case{"", false}, Case{".", false}, Case{"..", false},
                   Case{"a/b.tv", false}, Case{"..\\x.tv", false}, Case{"a\nb.tv", false},
                   Case{"name..tv", true}})
        EXPECT_EQ(IsSafeFileName(c.name), c.safe) << c.name;
    // A listing entry with a path keeps only its last part.
    EXPECT_EQ(BaseName("../../etc/passwd"), "passwd");
    EXPECT_EQ(BaseName("/etc/enigma2/userbouquet.a.tv"), "userbouquet.a.tv");
    EXPECT_TRUE(IsUserBouquetFileName("userbouquet.favourites.tv"));
    EXPECT_TRUE(IsUserBouquetFileName("UserBouquet.Sport.RADIO"));
    EXPECT_FALSE(IsUserBouquetFileName("bouquets.tv"));
    EXPECT_FALSE(IsUserBouquetFileName("userbouquet.dbe00.tv.bak"));
    EXPECT_FALSE(IsUserBouquetFileName("userbouquets.tv.epl"));
}

TEST_F(LinkRead, MainWindowLoadsTheTransferFolderThenRemovesIt)
{
    Receiver r;
    FillEnigma2(r);
    auto link = MakeLink(r.Profile(3));
    ASSERT_TRUE(link->Read());
    TheLoadDir = "/home/user/settings";
    OpenTransferFolder(host);
    EXPECT_EQ(host.OpenedDir, TempDir);
    EXPECT_EQ(std::count(host.OpenedFiles.begin(), host.OpenedFiles.end(), "lamedb"), 1);
    EXPECT_EQ(std::count(host.OpenedFiles.begin(), host.OpenedFiles.end(), "settings"), 1);
    EXPECT_EQ(TheLoadDir, "/home/user/settings");
    EXPECT_FALSE(fs::exists(TempDir));
}

TEST_F(LinkRead, TransferFolderIsRemovedWhateverItHolds)
{
    // The transfer folder is the program's own: after each transfer it is
    // gone, even when it holds files that are no settings files (the
    // receiver's "settings", or anything put there meanwhile).
    enum class Step { ReadThenLoad, FailedRead, Write };
    for (Step step : {Step::ReadThenLoad, Step::FailedRead, Step::Write}) {
        SCOPED_TRACE(static_cast<int>(step));
        Receiver r;
        FillEnigma2(r);
        auto link = MakeLink(r.Profile(3));
        link->ReloadAfterWrite = false;
        switch (step) {
        case Step::ReadThenLoad:
            ASSERT_TRUE(link->Read());
            WriteText(fs::path(TempDir) / "notes.txt", "dropped in meanwhile");
            OpenTransferFolder(host);
            break;
        case Step::FailedRead:
            fs::remove(r.root / "etc/enigma2/lamedb"); // nothing loadable comes
            ASSERT_FALSE(link->Read());
            break;
        case Step::Write:
            Services.resize(1);
            host.SaveFiles = {{"lamedb", "x"}, {"settings", "not written by the settings writers"}};
            ASSERT_TRUE(link->Write());
            break;
        }
        EXPECT_FALSE(fs::exists(TempDir)) << FileNames(TempDir).size() << " files left";
    }
}

// ---- write -------------------------------------------------------------

class LinkWrite : public LinkTestBase {
protected:
    void SetUpSet()
    {
        Services.resize(1);
        Modified = true;
    }
};

TEST_F(LinkWrite, Enigma2UploadReplacesBouquetsAndReloads)
{
    for (int type : {2, 3}) {
        SCOPED_TRACE(type);
        Receiver r;
        FillEnigma2(r);
        WriteText(r.root / "etc/enigma2/userbouquet.old.tv", "#NAME Deleted in the editor\n");
        WriteText(r.root / "etc/enigma2/readme.txt", "keep me");
        SetUpSet();
        SetEnigmaVer(2); // an Enigma 1 set is loaded; the profile decides
        host.SaveFiles = {{"lamedb", "eDVB services /4/\nnew\n"},
                          {"bouquets.tv", "#NAME tv\n"},
                          {"bouquets.radio", "#NAME radio\n"},
                          {"userbouquet.dbe00.tv", "#NAME New Sport\n"},
                          {"blacklist", ""},
                          {"whitelist", ""},
                          {"satellites.xml", "<satellites new=\"1\"/>\n"},
                          {"terrestrial.xml", "<locations new=\"1\"/>\n"}};
        auto link = MakeLink(r.Profile(type));
        ASSERT_TRUE(link->Write());
        EXPECT_EQ(host.SavedVersion, type + 1);
        EXPECT_EQ(host.SavedProfile, 0);
        const fs::path s = r.root / "etc/enigma2";
        EXPECT_EQ(ReadText(s / "lamedb"), "eDVB services /4/\nnew\n");
        EXPECT_EQ(ReadText(s / "userbouquet.dbe00.tv"), "#NAME New Sport\n");
        EXPECT_TRUE(fs::exists(s / "whitelist"));
        EXPECT_FALSE(fs::exists(s / "userbouquet.old.tv"));
        EXPECT_FALSE(fs::exists(s / "userbouquet.favourites.radio"));
        EXPECT_TRUE(fs::exists(s / "readme.txt"));
        EXPECT_FALSE(fs::exists(s / "satellites.xml"));
        EXPECT_EQ(ReadText(r.root / "etc/tuxbox/satellites.xml"), "<satellites new=\"1\"/>\n");
        EXPECT_EQ(ReadText(r.root / "etc/tuxbox/terrestrial.xml"), "<locations new=\"1\"/>\n");
        EXPECT_TRUE(Logged(*link, "lamedb -> sending file to your receiver"));
        EXPECT_TRUE(Logged(*link, "userbouquet.dbe00.tv -> sending file to your receiver"));
        EXPECT_TRUE(Logged(*link, "userbouquet.old.tv -> Unused bouquet removed"));
        EXPECT_TRUE(Logged(*link, "userbouquet.favourites.radio -> Unused bouquet removed"));
        EXPECT_FALSE(Logged(*link, "userbouquet.dbe00.tv -> Unused bouquet removed"));
        // Reload over the Enigma 2 web interface.
        auto req = r.WebRequests();
        ASSERT_EQ(req.size(), 3u);
        EXPECT_EQ(req[1], "/web/servicelistreload?mode=0");
        EXPECT_TRUE(ui.Errors.empty());
        EXPECT_FALSE(fs::exists(TempDir));
        EXPECT_EQ(EnigmaVersion, 2);
        EXPECT_FALSE(Modified);
        ClearModel();
        ::TempDir = (program / "TmpDirForFtp").string();
        VersionText = "Ver.1.3.7";
    }
}

TEST_F(LinkWrite, Enigma1UploadPutsFilesIntoTheProfilesFolders)
{
    Receiver r;
    FillEnigma1(r);
    WriteText(r.root / "var/tuxbox/config/enigma/userbouquet.dbe07.radio", "#NAME old radio\n");
    SetUpSet();
    SetEnigmaVer(4);
    host.SaveFiles = {{"services", "new services"},
                      {"bouquets", "new bouquets"},
                      {"userbouquets.tv.epl", "tv list"},
                      {"userbouquets.radio.epl", "radio list"},
                      {"userbouquet.ed00.tv", "#NAME News"},
                      {"services.locked", ""},
                      {"satellites.xml", "<satellites/>"},
                      {"terrestrial.xml", "<locations/>"}};
    auto link = MakeLink(r.Profile(1));
    ASSERT_TRUE(link->Write());
    EXPECT_EQ(host.SavedVersion, 2);
    const fs::path s = r.root / "var/tuxbox/config/enigma";
    EXPECT_EQ(ReadText(s / "services"), "new services");
    EXPECT_EQ(ReadText(s / "userbouquet.ed00.tv"), "#NAME News");
    EXPECT_FALSE(fs::exists(s / "userbouquet.dbe07.radio"));
    EXPECT_EQ(ReadText(r.root / "var/etc/terrestrial.xml"), "<locations/>");
    EXPECT_EQ(r.WebRequests(),
              (std::vector<std::string>{
                  "/cgi-bin/xmessage?timeout=4&caption=Chanforge%20Ver.1.3.7&body=Reloading%20your%20settings%20...",
                  "/cgi-bin/reloadSettings", "/cgi-bin/reloadUserBouquets",
                  "/cgi-bin/xmessage?timeout=4&caption=Chanforge%20Ver.1.3.7&body=Setting%20reload%20succesfully"}));
    EXPECT_EQ(EnigmaVersion, 4);
}

TEST_F(LinkWrite, QbOneProfileWritesTheLoadedVersion)
{
    Receiver r;
    FillEnigma1(r);
    SetUpSet();
    SetEnigmaVer(5);
    host.SaveFiles = {{"services", "x"}, {"bouquets", "y"}};
    auto link = MakeLink(r.Profile(4));
    link->ReloadAfterWrite = false;
    ASSERT_TRUE(link->Write());
    EXPECT_EQ(host.SavedVersion, 5);
    EXPECT_TRUE(r.WebRequests().empty()); // "Reload settings" unchecked
}

TEST_F(LinkWrite, NothingHappensWithoutServices)
{
    Receiver r;
    auto link = MakeLink(r.Profile(3));
    EXPECT_FALSE(link->Write());
    EXPECT_EQ(host.Saves, 0);
    EXPECT_TRUE(link->LogLines().empty());
}

TEST_F(LinkWrite, LeftoversInTheTransferFolderAreNotUploaded)
{
    Receiver r;
    FillEnigma2(r);
    WriteText(fs::path(TempDir) / "userbouquet.stale.tv", "from an earlier receiver");
    SetUpSet();
    host.SaveFiles = {{"lamedb", "x"}};
    auto link = MakeLink(r.Profile(3));
    ASSERT_TRUE(link->Write());
    EXPECT_FALSE(fs::exists(r.root / "etc/enigma2/userbouquet.stale.tv"));
}

TEST_F(LinkRead, ActiveModeProfileReadsAndWrites)
{
    Receiver r;
    FillEnigma2(r);
    TY_PROFILES p = r.Profile(3);
    p.Passive = false;
    auto link = MakeLink(p);
    ASSERT_TRUE(link->Read());
    EXPECT_EQ(ReadText(fs::path(TempDir) / "userbouquet.dbe00.tv"), "#NAME Sport\n");

    Services.resize(1);
    host.SaveFiles = {{"lamedb", "written actively"}};
    link->ReloadAfterWrite = false;
    ASSERT_TRUE(link->Write());
    EXPECT_EQ(ReadText(r.root / "etc/enigma2/lamedb"), "written actively");
}

TEST_F(LinkRead, RealEnigma2SetArrivesByteForByte)
{
    Receiver r;
    cftest::CopyTree(cftest::RealSet("enigma2-v4-multisat"), r.root / "etc/enigma2");
    fs::rename(r.root / "etc/enigma2/satellites.xml", r.root / "etc/tuxbox/satellites.xml");
    auto link = MakeLink(r.Profile(3));
    ASSERT_TRUE(link->Read());
    std::size_t compared = 0;
    for (const auto& e : fs::directory_iterator(cftest::RealSet("enigma2-v4-multisat"))) {
        std::string name = e.path().filename().string();
        fs::path got = fs::path(TempDir) / name;
        ASSERT_TRUE(fs::exists(got)) << name;
        EXPECT_EQ(ReadText(got), ReadText(e.path())) << name;
        ++compared;
    }
    EXPECT_EQ(FileNames(TempDir).size(), compared);
}
