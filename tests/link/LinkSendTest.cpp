// Sending a real set to a receiver whose FTP server dies part way: after an
// upload, inside a file, during the renames; that refuses renames; whose disk
// is full; that stalls. Afterwards the receiver's folders hold the old set or
// the new set byte for byte, and the message says which.

#include "LinkFixture.h"

#include <chrono>
#include <cstring>

namespace {

using TFiles = std::map<std::string, std::string>;

const std::string Retry = "Please retry sending settings to your receiver";
const std::string StillOld = Retry + "\nYour receiver still holds its previous settings.";
const std::string MaybePart =
    Retry + "\nYour receiver may hold only part of the new settings: send them again before restarting it.";
const char* const TempSuffix = ".chanforge-new";

TFiles ReadSet(const fs::path& dir)
{
    TFiles files;
    for (auto& e : fs::directory_iterator(dir))
        files[e.path().filename().string()] = ReadText(e.path());
    return files;
}

// Both folders a send writes to, as "folder/name" -> bytes.
TFiles ReceiverFiles(const Receiver& r)
{
    TFiles all;
    for (const char* dir : {"etc/enigma2", "etc/tuxbox"})
        for (const auto& [name, text] : ReadSet(r.root / dir))
            all[std::string(dir) + "/" + name] = text;
    return all;
}

bool IsTemporary(const std::string& path)
{
    return path.size() > std::strlen(TempSuffix) &&
           path.compare(path.size() - std::strlen(TempSuffix), std::string::npos, TempSuffix) == 0;
}

TFiles WithoutTemporaries(TFiles files)
{
    std::erase_if(files, [](const auto& f) { return IsTemporary(f.first); });
    return files;
}

// Equal sets, or the names that differ (the files are too large to print).
::testing::AssertionResult Same(const TFiles& got, const TFiles& want)
{
    std::string diff;
    for (const auto& [name, text] : got)
        if (!want.count(name))
            diff += " extra:" + name;
        else if (want.at(name) != text)
            diff += " differs:" + name + "(" + std::to_string(text.size()) + " bytes)";
    for (const auto& [name, text] : want)
        if (!got.count(name))
            diff += " missing:" + name;
    if (diff.empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << diff;
}

class LinkSend : public LinkTestBase {
protected:
    // The receiver holds a real set (the old one); the editor sends another
    // real set (the new one, which has a satellites.xml for the XML folder).
    void SetUp() override
    {
        LinkTestBase::SetUp();
        Services.resize(1);
        SetEnigmaVer(4);
        Modified = true;
        host.SaveFiles = ReadSet(cftest::RealSet("enigma2-v4-multisat"));
        for (const auto& [name, text] : host.SaveFiles)
            newFiles[(name == "satellites.xml" ? "etc/tuxbox/" : "etc/enigma2/") + name] = text;
        newFiles["etc/tuxbox/terrestrial.xml"] = "<locations old=\"1\"/>\n";
    }

    void FillOld(const Receiver& r)
    {
        cftest::CopyTree(cftest::RealSet("enigma2-v4-astra-bouquets"), r.root / "etc/enigma2");
        WriteText(r.root / "etc/tuxbox/satellites.xml", "<satellites old=\"1\"/>\n");
        WriteText(r.root / "etc/tuxbox/terrestrial.xml", "<locations old=\"1\"/>\n");
        oldFiles = ReceiverFiles(r);
    }

    // The receiver comes back (same folders, a fresh server).
    static void Restart(Receiver& r)
    {
        r.ftp = std::make_unique<cftest::Peer>(
            "ftp_peer.py",
            std::vector<std::string>{"--root", r.root.path().string(), "--user", "root", "--password", "secret"});
    }

    std::unique_ptr<TNetworkLink> Link(const Receiver& r)
    {
        auto link = MakeLink(r.Profile(3));
        link->ReloadAfterWrite = false;
        link->Timeouts.FtpConnect = 1000;
        link->Timeouts.FtpRead = 1000;
        return link;
    }

    // A send after the receiver came back completes the new set and leaves
    // nothing of the broken one.
    void ExpectASecondSendCompletes(Receiver& r)
    {
        Restart(r);
        ui.Errors.clear();
        auto again = Link(r);
        EXPECT_TRUE(again->Write());
        EXPECT_TRUE(ui.Errors.empty());
        EXPECT_TRUE(Same(ReceiverFiles(r), newFiles));
        EXPECT_FALSE(Modified);
    }

    TFiles oldFiles, newFiles;
};

} // namespace

TEST_F(LinkSend, AnUndisturbedSendLeavesExactlyTheNewSet)
{
    Receiver r;
    FillOld(r);
    ASSERT_FALSE(Same(oldFiles, newFiles));
    auto link = Link(r);
    EXPECT_TRUE(link->Write());
    EXPECT_TRUE(ui.Errors.empty());
    // The old set's bouquets are gone, no temporary file is left.
    EXPECT_TRUE(Same(ReceiverFiles(r), newFiles));
    EXPECT_TRUE(Logged(*link, "userbouquet.bbc.tv -> Unused bouquet removed"));
}

TEST_F(LinkSend, AServerThatDiesAfterSomeUploadsKeepsTheOldSet)
{
    // 21 files go up: blacklist, bouquets.radio, bouquets.tv, lamedb, the 16
    // bouquet files, satellites.xml.
    for (int n : {0, 1, 3, 4, 12, 20}) {
        SCOPED_TRACE("dies after upload " + std::to_string(n));
        Receiver r(ReceiverOptions().Ftp({"--die-after-stor", std::to_string(n)}));
        FillOld(r);
        Modified = true;
        ui.Errors.clear();
        auto link = Link(r);
        EXPECT_FALSE(link->Write());
        EXPECT_EQ(ui.Errors, std::vector<std::string>{StillOld});
        // Only unfinished files under temporary names are there besides the
        // old set, which the receiver never reads.
        EXPECT_TRUE(Same(WithoutTemporaries(ReceiverFiles(r)), oldFiles));
        EXPECT_EQ(ReceiverFiles(r).size() - oldFiles.size(), static_cast<size_t>(n));
        EXPECT_TRUE(Modified);
        ExpectASecondSendCompletes(r);
    }
}

TEST_F(LinkSend, AServerThatDiesInsideAFileKeepsTheOldSet)
{
    // lamedb (300 KB), a bouquet file, satellites.xml (160 KB, the last one).
    for (int n : {3, 9, 20}) {
        SCOPED_TRACE("dies inside upload " + std::to_string(n + 1));
        Receiver r(ReceiverOptions().Ftp({"--die-inside-stor", std::to_string(n)}));
        FillOld(r);
        ui.Errors.clear();
        auto link = Link(r);
        EXPECT_FALSE(link->Write());
        EXPECT_EQ(ui.Errors, std::vector<std::string>{StillOld});
        EXPECT_TRUE(Same(WithoutTemporaries(ReceiverFiles(r)), oldFiles));
        ExpectASecondSendCompletes(r);
    }
}

TEST_F(LinkSend, AConnectionLostWhileTheServerLivesLeavesNoTemporaryFile)
{
    // The server swallows the first upload command: the client gives up,
    // connects again and removes what it had put.
    Receiver r(ReceiverOptions().Ftp({"--hang", "STOR"}));
    FillOld(r);
    auto link = Link(r);
    link->Timeouts.FtpRead = 300;
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_FALSE(link->Write());
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(), 5.0);
    EXPECT_EQ(ui.Errors, std::vector<std::string>{StillOld});
    EXPECT_TRUE(Same(ReceiverFiles(r), oldFiles));
}

TEST_F(LinkSend, AFullReceiverDiskIsNamedAndTheOldSetStays)
{
    Receiver r(ReceiverOptions().Ftp({"--full-after", "5"}));
    FillOld(r);
    auto link = Link(r);
    EXPECT_FALSE(link->Write());
    EXPECT_EQ(ui.Errors,
              std::vector<std::string>{StillOld + "\nThe receiver has no room left for the new files: 552 Requested "
                                                  "file action aborted. Exceeded storage allocation."});
    // The five that arrived were taken away again.
    EXPECT_TRUE(Same(ReceiverFiles(r), oldFiles));
    EXPECT_TRUE(Logged(*link, "userbouquet.dbe00.tv -> errore sending file to your receiver"));
}

TEST_F(LinkSend, AServerThatDiesDuringTheRenamesIsToldAndASecondSendCompletes)
{
    for (int n : {0, 7}) {
        SCOPED_TRACE("dies at rename " + std::to_string(n + 1));
        Receiver r(ReceiverOptions().Ftp({"--die-after-rnto", std::to_string(n)}));
        FillOld(r);
        ui.Errors.clear();
        auto link = Link(r);
        EXPECT_FALSE(link->Write());
        EXPECT_EQ(ui.Errors, std::vector<std::string>{MaybePart});
        ExpectASecondSendCompletes(r);
    }
}

TEST_F(LinkSend, AServerThatRefusesRenamesGetsTheFilesOverTheOldOnes)
{
    Receiver r(ReceiverOptions().Ftp({"--refuse", "RNFR"}));
    FillOld(r);
    auto link = Link(r);
    EXPECT_TRUE(link->Write());
    EXPECT_TRUE(ui.Errors.empty());
    EXPECT_TRUE(Logged(*link, "The receiver does not rename files (502 Command not implemented.): each file is sent "
                              "over its old one instead"));
    EXPECT_TRUE(Same(ReceiverFiles(r), newFiles));
}

TEST_F(LinkSend, UnusedBouquetsThatCannotBeRemovedAreReported)
{
    Receiver r(ReceiverOptions().Ftp({"--fail", "DELE"}));
    FillOld(r);
    auto link = Link(r);
    EXPECT_TRUE(link->Write());
    // The new set stands (with its own favourites); the old set's five
    // other bouquet files could not go.
    ASSERT_EQ(ui.Errors.size(), 1u);
    EXPECT_EQ(ui.Errors[0],
              "These unused bouquet files could not be removed from your receiver:\nuserbouquet.bbc.tv\n"
              "userbouquet.hdplus.tv\nuserbouquet.orf.tv\nuserbouquet.rai.tv\nuserbouquet.srg.tv");
    EXPECT_TRUE(Logged(*link, "userbouquet.bbc.tv -> unused bouquet could not be removed: 550 Listing refused."));
    TFiles expected = newFiles;
    for (const auto& [path, text] : oldFiles)
        if (path.find("userbouquet.") != std::string::npos && !newFiles.count(path))
            expected[path] = text;
    EXPECT_TRUE(Same(ReceiverFiles(r), expected));
}
