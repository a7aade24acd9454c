// Saving a settings folder: round trips for every version, identical bytes on
// a second save, all-or-nothing on failure, and what a save leaves alone.

#include "FolderRecorders.h"
#include "FolderTestSupport.h"

#include "settings/SettingsDir.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <csignal>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace cftest;

namespace {

class FolderSave : public ::testing::Test {
protected:
    void SetUp() override { ResetModel(); }
    void TearDown() override { ClearModel(); }
    cftest::ScratchDir tmp;

    fs::path Copy(const fs::path& from, const std::string& name)
    {
        fs::path dir = tmp / name;
        CopyTree(from, dir);
        return dir;
    }
    fs::path NewDir(const std::string& name)
    {
        fs::path dir = tmp / name;
        fs::create_directories(dir);
        return dir;
    }
    std::vector<std::string> FileIds() const
    {
        std::vector<std::string> ids;
        for (const auto& b : TvBouquets)
            ids.push_back(b.FileId);
        for (const auto& b : RadioBouquets)
            ids.push_back(b.FileId);
        return ids;
    }
};

struct SetCase {
    std::string name;
    fs::path source;
    int version;
};

std::vector<SetCase> AllSets()
{
    return {
        {"v2", Fixture("v2"), 2},
        {"v3", Fixture("v3"), 3},
        {"v4", Fixture("v4"), 4},
        {"v5", Fixture("v5"), 5},
        {"multisat", RealSet("enigma2-v4-multisat"), 4},
        {"astra", RealSet("enigma2-v4-astra-bouquets"), 4},
    };
}

const std::vector<std::string> kSaveLines = {
    "Processing transponders and services", "Processing bouquets",   "Processing user bouquet list",
    "Processing User Bouquet",              "Processing Radio User Bouquet", "Processing BlackList",
    "Processing WhiteList",                 "Processing XML files",
};

} // namespace

TEST_F(FolderSave, LoadSaveLoadGivesTheSameModelAndASecondSaveTheSameBytes)
{
    for (const auto& set : AllSets()) {
        SCOPED_TRACE(set.name);
        ResetModel();
        TRecordingUi ui;
        ASSERT_TRUE(LoadFolder(Copy(set.source, set.name + "-in")));
        fs::path out1 = NewDir(set.name + "-out1");
        ASSERT_TRUE(SaveFolder(out1, set.version)) << (ui.dialogs.errors.empty() ? "" : ui.dialogs.errors.back());
        const TModelState saved = CurrentModel(); // bouquets renumbered by the save

        ResetModel();
        ASSERT_TRUE(LoadFolder(out1));
        EXPECT_TRUE(CurrentModel() == saved) << "reloaded model differs";
        EXPECT_EQ(Services, saved.ch);
        EXPECT_EQ(Transponders, saved.tp);
        EXPECT_EQ(TvBouquets, saved.tv);
        EXPECT_EQ(RadioBouquets, saved.radio);
        EXPECT_EQ(Providers, saved.pr);
        EXPECT_EQ(Satellites, saved.sat);

        fs::path out2 = NewDir(set.name + "-out2");
        ASSERT_TRUE(SaveFolder(out2, set.version));
        EXPECT_EQ(FolderContents(out1), FolderContents(out2));
    }
}

TEST_F(FolderSave, StepsProgressAndCaption)
{
    TRecordingUi ui;
    ASSERT_TRUE(LoadFolder(Copy(Fixture("v3"), "in")));
    Modified = true;
    fs::path out = NewDir("out");
    ui.log.calls.clear();
    ASSERT_TRUE(SaveFolder(out, 3));
    const std::vector<std::string> want = {
        "window:save-starting", "progress:start",  "window:disable",  "progress:step 1",
        "progress:step 2",      "progress:step 3", "progress:step 4", "progress:step 6",
        "progress:step 7",      "progress:step 8", "progress:finish", "window:enable",
        "window:save-finished",
    };
    EXPECT_EQ(ui.log.calls, want);
    EXPECT_EQ(ui.progress.caption, out.string());
    EXPECT_EQ(ui.progress.title, "Chanforge is performing following tasks ");
    EXPECT_EQ(ui.progress.lines, kSaveLines);
    EXPECT_EQ(ui.window.caption, "Chanforge Ver.1.3.7 - " + out.string());
    EXPECT_FALSE(Modified);

    // Enigma 1 writes no white list: its step is not shown.
    ui.log.calls.clear();
    ASSERT_TRUE(SaveFolder(NewDir("out-e1"), 2));
    EXPECT_EQ(ui.log.Only("progress:step"),
              (std::vector<std::string>{"progress:step 1", "progress:step 2", "progress:step 3", "progress:step 4",
                                        "progress:step 6", "progress:step 8"}));
}

TEST_F(FolderSave, WhatEachVersionWritesAndWhatItRemoves)
{
    TRecordingUi ui;
    ASSERT_TRUE(LoadFolder(Copy(Fixture("v3"), "in")));
    fs::path out = NewDir("out");
    // Another generation's files and the user's own files in the target.
    for (const char* f : {"services", "userbouquets.tv.epl", "userbouquet.ed05.tv", "Lamedb", "whitelist",
                          "readme.txt", "holiday.tv.txt", "notes.epl", "my.radio.stations", "settings"})
        WriteBytes(out / f, std::string("old ") + f + "\n");
    fs::create_directory(out / "backup.tv");

    ASSERT_TRUE(SaveFolder(out, 3));
    auto files = FolderContents(out);
    for (const char* gone : {"services", "userbouquets.tv.epl", "Lamedb"})
        EXPECT_EQ(files.count(gone), 0u) << gone;
    // A user-bouquet file the load did not read is not the save's to remove.
    for (const char* kept :
         {"readme.txt", "holiday.tv.txt", "notes.epl", "my.radio.stations", "settings", "userbouquet.ed05.tv"})
        EXPECT_EQ(files[kept], std::string("old ") + kept + "\n") << kept;
    EXPECT_EQ(files["backup.tv"], "<dir>");
    for (const char* written : {"lamedb", "bouquets", "bouquets.tv", "bouquets.radio", "userbouquet.ED00.tv",
                                "userbouquet.ED01.tv", "userbouquet.ED00.radio", "blacklist", "whitelist",
                                "satellites.xml", "terrestrial.xml"})
        EXPECT_EQ(files.count(written), 1u) << written;
    EXPECT_NE(files["whitelist"], "old whitelist\n");

    // Enigma 1: no white list is written and the old one goes.
    ASSERT_TRUE(SaveFolder(out, 2));
    files = FolderContents(out);
    EXPECT_EQ(files.count("whitelist"), 0u);
    EXPECT_EQ(files.count("lamedb"), 0u);
    for (const char* written : {"services", "bouquets", "userbouquets.tv.epl", "userbouquets.radio.epl",
                                "services.locked", "userbouquet.ED00.tv"})
        EXPECT_EQ(files.count(written), 1u) << written;
    EXPECT_EQ(files["readme.txt"], "old readme.txt\n");

    // Nothing of the staging area is left anywhere.
    for (auto& e : fs::directory_iterator(tmp.path()))
        EXPECT_EQ(e.path().filename().string().find("chanforge-save"), std::string::npos) << e.path();
}

TEST_F(FolderSave, CleanSettingsDirRemovesOnlyWhatTheProgramWrites)
{
    fs::path dir = NewDir("d");
    const std::vector<std::string> removed = {
        "lamedb", "Lamedb", "services", "bouquets", "bouquets.tv", "BOUQUETS.RADIO", "userbouquets.tv.epl",
        "userbouquets.radio.epl", "blacklist", "whitelist", "services.locked", "satellites.xml", "terrestrial.xml",
        "userbouquet.favourites.tv", "userbouquet.ED00.radio", "userbouquet.dbe01.tv"};
    const std::vector<std::string> kept = {
        "readme.txt", "settings", "holiday.tv.txt", "notes.epl", "tv", "x.radio", "my.tv", "userbouquet.tv",
        "userbouquet..txt", "userbouquet.ed00.tv.bak", "lamedb.bak", "satellites.xml.orig"};
    for (const auto& f : removed)
        WriteBytes(dir / f, "x");
    for (const auto& f : kept)
        WriteBytes(dir / f, "x");
    CleanSettingsDir(dir.string());
    for (const auto& f : removed)
        EXPECT_FALSE(fs::exists(dir / f)) << f;
    for (const auto& f : kept)
        EXPECT_TRUE(fs::exists(dir / f)) << f;
}

TEST_F(FolderSave, XmlListsAreWrittenOnlyWhenTheModelHoldsThem)
{
    TRecordingUi ui;
    fs::path in = Copy(Fixture("v4"), "in");
    fs::remove(in / "satellites.xml");
    fs::remove(in / "terrestrial.xml");
    ASSERT_TRUE(LoadFolder(in));
    EXPECT_FALSE(SatListHeld);
    EXPECT_FALSE(TerListHeld);

    fs::path out = NewDir("out");
    WriteBytes(out / "satellites.xml", "the receiver's own list\n");
    WriteBytes(out / "terrestrial.xml", "the receiver's terrestrial list\n");
    ASSERT_TRUE(SaveFolder(out, 4));
    EXPECT_EQ(ReadBytes(out / "satellites.xml"), "the receiver's own list\n");
    EXPECT_EQ(ReadBytes(out / "terrestrial.xml"), "the receiver's terrestrial list\n");
    fs::path empty = NewDir("empty");
    ASSERT_TRUE(SaveFolder(empty, 4));
    EXPECT_FALSE(fs::exists(empty / "satellites.xml"));
    EXPECT_FALSE(fs::exists(empty / "terrestrial.xml"));

    // An edited list is written (the list editor marks it held).
    Satellites.push_back(TY_ENIG_SAT{"Astra 19.2E", 1, "019.2E", 192, {}});
    ASSERT_TRUE(SaveFolder(out, 4));
    EXPECT_NE(ReadBytes(out / "satellites.xml").find("Astra 19.2E"), std::string::npos);
    EXPECT_EQ(ReadBytes(out / "terrestrial.xml"), "the receiver's terrestrial list\n");

    // A list read with the folder is written even when emptied by the user.
    ResetModel();
    ASSERT_TRUE(LoadFolder(Copy(Fixture("v4"), "in2")));
    Satellites.clear();
    ASSERT_TRUE(SaveFolder(out, 4));
    EXPECT_EQ(ReadBytes(out / "satellites.xml").find("<sat "), std::string::npos);
    EXPECT_NE(ReadBytes(out / "terrestrial.xml").find("<terrestrial "), std::string::npos);
}

// The checks every failed save must pass: the target as it was, the model's
// bouquet numbering as it was, the windows restored and the user told.
#define EXPECT_FAILED_SAVE(ui, target, before, ids, text)                                   \
    do {                                                                                    \
        EXPECT_EQ(FolderContents(target), before);                                          \
        EXPECT_EQ(FileIds(), ids);                                                          \
        EXPECT_TRUE(Modified) << "a failed save leaves the changes unsaved";                \
        EXPECT_TRUE((ui).window.enabled);                                                   \
        EXPECT_FALSE((ui).progress.visible);                                                \
        ASSERT_EQ((ui).dialogs.errors.size(), 1u);                                          \
        EXPECT_NE((ui).dialogs.errors[0].find(text), std::string::npos) << (ui).dialogs.errors[0]; \
        EXPECT_TRUE((ui).log.Only("window:save-finished").empty());                         \
    } while (0)

TEST_F(FolderSave, AFileThatCannotBeReplacedLeavesTheFolderAsItWas)
{
    TRecordingUi ui;
    ASSERT_TRUE(LoadFolder(Copy(Fixture("v3"), "in")));
    fs::path out = Copy(Fixture("v2"), "out");
    // A folder stands where the radio list must go.
    fs::create_directory(out / "bouquets.radio");
    WriteBytes(out / "bouquets.radio" / "keep", "keep");
    const auto before = FolderContents(out);
    const auto ids = FileIds();
    Modified = true;
    ui.log.calls.clear();
    ui.dialogs.errors.clear(); // the load's report
    EXPECT_FALSE(SaveFolder(out, 3));
    EXPECT_FAILED_SAVE(ui, out, before, ids, "Cannot save " + (fs::canonical(out) / "bouquets.radio").string());
    EXPECT_NE(ui.dialogs.errors[0].find("was left as it was"), std::string::npos);
    EXPECT_EQ(ReadBytes(out / "bouquets.radio" / "keep"), "keep");
    for (auto& e : fs::directory_iterator(tmp.path()))
        EXPECT_EQ(e.path().filename().string().find("chanforge-save"), std::string::npos) << e.path();
}

TEST_F(FolderSave, AWriterFailingPartWayLeavesTheFolderAsItWas)
{
    for (int failAt : {1, 4, 8}) {
        SCOPED_TRACE(failAt);
        ResetModel();
        TRecordingUi ui;
        ASSERT_TRUE(LoadFolder(Copy(Fixture("v4"), "in" + std::to_string(failAt))));
        fs::path out = Copy(Fixture("v3"), "out" + std::to_string(failAt));
        const auto before = FolderContents(out);
        const auto ids = FileIds();
        Modified = true;
        ui.progress.onStep = [failAt](int n) {
            if (n == failAt)
                throw EInOutError("No space left on device");
        };
        EXPECT_FALSE(SaveFolder(out, 4));
        EXPECT_FAILED_SAVE(ui, out, before, ids, "No space left on device");
        EXPECT_EQ(ui.dialogs.errors[0],
                  "Cannot save into the folder " + out.string() + " : No space left on device\nThe folder " +
                      out.string() + " was left as it was.");
    }
}

TEST_F(FolderSave, AFullDiskLeavesTheFolderAsItWas)
{
    TRecordingUi ui;
    ASSERT_TRUE(LoadFolder(Copy(RealSet("enigma2-v4-multisat"), "in")));
    fs::path out = Copy(Fixture("v4"), "out");
    const auto before = FolderContents(out);
    const auto ids = FileIds();
    Modified = true;
    // Files above 64 KiB cannot be written (the lamedb is larger), as on a
    // full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 64 * 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = SaveFolder(out, 4);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(saved);
    EXPECT_FAILED_SAVE(ui, out, before, ids, "Cannot save into the folder " + out.string() + " : ");
    // The file is named as the user knows it, not by the staging area.
    EXPECT_NE(ui.dialogs.errors[0].find((out / "lamedb").string()), std::string::npos) << ui.dialogs.errors[0];
    EXPECT_EQ(ui.dialogs.errors[0].find("chanforge-save"), std::string::npos) << ui.dialogs.errors[0];
}

TEST_F(FolderSave, AReadOnlyFolderIsRefusedUntouched)
{
    TRecordingUi ui;
    ASSERT_TRUE(LoadFolder(Copy(Fixture("v4"), "in")));
    fs::path out = Copy(Fixture("v3"), "out");
    const auto before = FolderContents(out);
    const auto ids = FileIds();
    Modified = true;
    fs::permissions(out, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    if (geteuid() != 0) {
        EXPECT_FALSE(SaveFolder(out, 4));
    } else {
        // Root writes anywhere: save as an ordinary user in a child process.
        fs::permissions(tmp.path(), fs::perms::others_exec, fs::perm_options::add);
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(3);
            const bool ok = SaveFolder(out, 4);
            const bool told = ui.dialogs.errors.size() == 1 &&
                              ui.dialogs.errors[0].find("cannot be written") != std::string::npos;
            _exit(!ok && told && ui.window.enabled ? 0 : 1);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
        fs::permissions(out, fs::perms::owner_write, fs::perm_options::add);
        EXPECT_EQ(FolderContents(out), before);
        return;
    }
    fs::permissions(out, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_FAILED_SAVE(ui, out, before, ids, "cannot be written");
}

TEST_F(FolderSave, AMissingFolderIsRefusedWithoutCreatingIt)
{
    TRecordingUi ui;
    ASSERT_TRUE(LoadFolder(Copy(Fixture("v3"), "in")));
    Modified = true;
    ui.dialogs.errors.clear(); // the load's report
    EXPECT_FALSE(SaveFolder(tmp / "gone", 3));
    EXPECT_FALSE(fs::exists(tmp / "gone"));
    ASSERT_EQ(ui.dialogs.errors.size(), 1u);
    EXPECT_EQ(ui.dialogs.errors[0], "The folder " + (tmp / "gone").string() + " does not exist : nothing was saved");
    EXPECT_TRUE(ui.window.enabled);
    EXPECT_TRUE(Modified);
}

TEST_F(FolderSave, ConfirmSaveFormat)
{
    struct Case {
        int loaded, profile;
        bool asks;
        std::string question;
    };
    const std::string nbsp = "\xC2\xA0";
    const Case cases[] = {
        {2, 0, false, ""},
        {3, 1, false, ""},
        {4, 2, false, ""},
        {5, 3, false, ""},
        {4, 0, true, "Loaded file is ENIGMA 2.4" + nbsp + "but you are saving ENIGMA.Are you sure ?"},
        {2, 2, true, "Loaded file is ENIGMA" + nbsp + "but you are saving ENIGMA 2.4.Are you sure ?"},
        {3, 3, true, "Loaded file is ENIGMA 2.3" + nbsp + "but you are saving ENIGMA QB-ONE.Are you sure ?"},
        // No profile chosen (an empty profile list): the loaded format is written.
        {4, -1, false, ""},
        {4, 9, false, ""},
    };
    for (const auto& c : cases) {
        for (bool yes : {true, false}) {
            TRecordingUi ui;
            ui.dialogs.answer = yes;
            SetEnigmaVer(c.loaded);
            const bool go = ConfirmSaveFormat(c.profile);
            if (c.asks) {
                EXPECT_EQ(ui.dialogs.questions, std::vector<std::string>{c.question});
                EXPECT_EQ(go, yes);
            } else {
                EXPECT_TRUE(ui.dialogs.questions.empty());
                EXPECT_TRUE(go);
            }
        }
    }
}

TEST_F(FolderSave, KeptXmlAttributesNeverPassToTheListOfALaterLoad)
{
    TRecordingUi ui;
    fs::path first = Copy(Fixture("v4"), "first");
    const auto addAttribute = [](const fs::path& file, const std::string& after, const std::string& attribute) {
        std::string text = ReadBytes(file);
        const std::size_t at = text.find(after);
        ASSERT_NE(at, std::string::npos);
        text.insert(at + after.size(), attribute);
        WriteBytes(file, text);
    };
    addAttribute(first / "satellites.xml", "fec_inner=\"3\" inversion=\"2\" modulation=\"1\" system=\"0\"",
                 " is_id=\"7\"");
    addAttribute(first / "terrestrial.xml", "constellation=\"3\"", " system=\"1\"");
    ASSERT_TRUE(LoadFolder(first));

    // The second folder has no tuning lists: both go with the first folder.
    fs::path second = Copy(Fixture("v4"), "second");
    fs::remove(second / "satellites.xml");
    fs::remove(second / "terrestrial.xml");
    ASSERT_TRUE(LoadFolder(second));
    EXPECT_TRUE(Satellites.empty());
    EXPECT_TRUE(Terrestrials.empty());

    // The user enters the same satellite again by hand.
    TY_ENIG_SAT astra;
    astra.Name = "Astra 19.2E";
    astra.Flags = 1;
    astra.PositionText = "019.2E";
    astra.Position = 192;
    astra.Transponders.push_back({11778000, 27500000, 1, 3, 2, 1, 0, 0, 0});
    Satellites.push_back(astra);
    SatListHeld = true;

    fs::path out = NewDir("out");
    ASSERT_TRUE(SaveFolder(out, 4));
    const std::string sat = ReadBytes(out / "satellites.xml");
    EXPECT_NE(sat.find("frequency=\"11778000\""), std::string::npos);
    EXPECT_EQ(sat.find("is_id"), std::string::npos);
    EXPECT_FALSE(fs::exists(out / "terrestrial.xml"));
}
