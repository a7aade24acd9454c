// Loading a settings folder: the version check, the order of the steps, the
// model that results and the error report the user sees.

#include "FolderRecorders.h"
#include "FolderTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace cftest;

namespace {

class FolderLoad : public ::testing::Test {
protected:
    void SetUp() override { ResetModel(); }
    void TearDown() override { ClearModel(); }
    cftest::ScratchDir tmp;

    fs::path Copy(const std::string& fixture)
    {
        fs::path dir = tmp / fixture;
        CopyTree(Fixture(fixture), dir);
        return dir;
    }
};

const std::vector<std::string> kLoadLines = {
    "Processing transponder",        "Processing services",          "Processing bouquets",
    "Processing TV User Bouquet",    "Processing Radio User Bouquet", "Processing BlackList",
    "Processing WhiteList",          "Processing satellite XML file", "Processing terrestrial XML file",
    "Filling List",
};

// What every successful load does, in this order.
const std::vector<std::string> kLoadCalls = {
    "window:load-starting", "progress:start", "window:disable",
    "progress:step 1",      "progress:step 2", "progress:serve",
    "progress:step 3",      "progress:step 4", "progress:step 5",
    "progress:step 6",      "progress:step 7", "progress:step 8",
    "progress:step 9",      "progress:step 10", "window:fillsat",
    "window:filllists",     "progress:finish", "window:enable",
    "window:load-finished",
};

} // namespace

TEST_F(FolderLoad, VerFileDecidesTheGenerationFromTheFilesPresent)
{
    struct Case {
        std::vector<std::string> files;
        bool ok;
        int version;
    };
    const Case cases[] = {
        {{"services", "bouquets"}, true, 2},
        {{"lamedb"}, true, 3},
        {{"lamedb", "bouquets.tv"}, true, 3},
        {{"services", "bouquets", "lamedb"}, true, 2}, // Enigma 1 first; the header decides later
        {{"SERVICES", "Bouquets"}, true, 2},           // names in any case
        {{"LameDB"}, true, 3},
        {{"services"}, false, 0},
        {{"bouquets"}, false, 0},
        {{"services", "bouquets.tv"}, false, 0},
        {{}, false, 0},
    };
    int n = 0;
    for (const auto& c : cases) {
        TRecordingUi ui;
        fs::path dir = tmp / ("case" + std::to_string(n++));
        fs::create_directory(dir);
        for (const auto& f : c.files)
            WriteBytes(dir / f, "x\n");
        EnigmaVersion = 0;
        TheLoadDir = dir.string();
        EXPECT_EQ(VerFile(), c.ok) << dir;
        if (c.ok) {
            EXPECT_EQ(EnigmaVersion, c.version);
            EXPECT_TRUE(ui.dialogs.errors.empty());
        } else {
            EXPECT_EQ(ui.dialogs.errors, std::vector<std::string>{"File(s) not found : cannot proceed"});
        }
    }
    // A folder in place of a file does not count.
    TRecordingUi ui;
    fs::create_directory(tmp / "dirs");
    fs::create_directory(tmp / "dirs" / "lamedb");
    TheLoadDir = (tmp / "dirs").string();
    EXPECT_FALSE(VerFile());
}

TEST_F(FolderLoad, Enigma1FolderInStepOrderWithReport)
{
    TRecordingUi ui;
    fs::path dir = Copy("v2");
    ASSERT_TRUE(LoadFolder(dir));

    EXPECT_EQ(ui.log.calls, [] {
        auto c = kLoadCalls;
        c.push_back("dialog:error");
        return c;
    }());
    EXPECT_EQ(ui.progress.caption, dir.string());
    EXPECT_EQ(ui.progress.title, "Chanforge is performing following tasks ");
    EXPECT_EQ(ui.progress.lines, kLoadLines);
    EXPECT_GT(ui.progress.positions, 0) << "the services step drives the bar";
    EXPECT_EQ(ui.window.caption, "Chanforge Ver.1.3.7 - " + dir.string());

    const std::string report = " Error report\n\n"
                               "\n- Some channels in services not loaded (no tp reference)"
                               "\n- File <satellites.xml> not found : only the sat in settings willl be used"
                               "\n\n All errors were fixed";
    EXPECT_EQ(ui.dialogs.errors, std::vector<std::string>{report});
    EXPECT_EQ(ErrorReport, report);

    EXPECT_EQ(EnigmaVersion, 2);
    EXPECT_EQ(ServicesFileName, "services");
    EXPECT_TRUE(FolderLoaded);
    EXPECT_FALSE(Modified);
    EXPECT_EQ(ServiceSortColumn, 4);
    ASSERT_EQ(Transponders.size(), 2u);
    ASSERT_EQ(Services.size(), 3u);
    EXPECT_EQ(Services[0].Key, "0A1F00C00000000100011");
    EXPECT_EQ(Services[0].Name, "Das Erste");
    EXPECT_EQ(Services[0].Pids[PID_VIDEO], "0065");
    EXPECT_EQ(Services[0].Pids[PID_AUDIO], "006e") << "PIDs stay as written";
    EXPECT_EQ(Services[0].Flags, 1);
    EXPECT_EQ(Services[2].Name, ".");
    EXPECT_EQ(Services[2].Number, 202);
    EXPECT_EQ(Services[2].Black, 1) << "services.locked";
    EXPECT_EQ(ServiceCounter, 203);
    ASSERT_EQ(Providers.size(), 1u);
    EXPECT_EQ(Providers[0].Members, (ARR_OF_INTEGER{200, 201}));
    ASSERT_EQ(TvBouquets.size(), 1u);
    EXPECT_EQ(TvBouquets[0].Name, "Favourites");
    EXPECT_EQ(TvBouquets[0].FileId, "ED00");
    ASSERT_EQ(TvBouquets[0].Entries.size(), 2u);
    EXPECT_EQ(TvBouquets[0].Entries[1][1], "202");
    EXPECT_TRUE(RadioBouquets.empty());
    EXPECT_TRUE(Satellites.empty());
    EXPECT_FALSE(SatListHeld);
}

TEST_F(FolderLoad, Enigma23FolderWithEveryListAndReport)
{
    TRecordingUi ui;
    ASSERT_TRUE(LoadFolder(Copy("v3")));
    EXPECT_EQ(ui.log.Only("progress:step").size(), 10u);
    const std::string report =
        " Error report\n\n"
        "\n- Some providers not loaded (no channel reference)"
        "\n- Some channels in Radio Bouquet <Favourites (Radio)> not loaded (no channel reference)"
        "\n\n All errors were fixed";
    EXPECT_EQ(ui.dialogs.errors, std::vector<std::string>{report});

    EXPECT_EQ(EnigmaVersion, 3);
    ASSERT_EQ(Transponders.size(), 2u);
    EXPECT_EQ(Transponders[1].System, 1);
    EXPECT_EQ(Transponders[1].Modulation, 2);
    ASSERT_EQ(Services.size(), 3u);
    EXPECT_EQ(Services[2].Key, "2B6600C000000002000125");
    EXPECT_EQ(Services[2].Black, 1);
    EXPECT_EQ(Services[1].White, 1);
    ASSERT_EQ(Providers.size(), 2u);
    EXPECT_EQ(Providers[1].Name, "ARTE");
    EXPECT_EQ(Providers[1].Members, ARR_OF_INTEGER{202});
    ASSERT_EQ(TvBouquets.size(), 2u);
    EXPECT_EQ(TvBouquets[0].Name, "Favourites (TV)");
    ARR_ARR_OF_STRING fav = {{"S", "200", ""}, {"D", "--- Culture ---", ""}, {"S", "202", "Arte in HD"}};
    EXPECT_EQ(TvBouquets[0].Entries, fav);
    EXPECT_EQ(TvBouquets[0].ServiceCount, 2);
    EXPECT_EQ(TvBouquets[1].Name, "News");
    EXPECT_EQ(TvBouquets[1].Black, 1);
    ASSERT_EQ(RadioBouquets.size(), 1u);
    EXPECT_EQ(RadioBouquets[0].ServiceCount, 1);
    ASSERT_EQ(Satellites.size(), 2u);
    EXPECT_EQ(Satellites[0].PositionText, "019.2E") << "sorted East first";
    EXPECT_EQ(Satellites[1].PositionText, "013.0E");
    ASSERT_EQ(Terrestrials.size(), 1u);
    EXPECT_EQ(Terrestrials[0].Flags, 5);
    EXPECT_TRUE(SatListHeld);
    EXPECT_TRUE(TerListHeld);
}

TEST_F(FolderLoad, Enigma24FolderWithoutProblemsShowsNoReport)
{
    TRecordingUi ui;
    ASSERT_TRUE(LoadFolder(Copy("v4")));
    EXPECT_EQ(ui.log.calls, kLoadCalls);
    EXPECT_TRUE(ui.dialogs.errors.empty());
    EXPECT_TRUE(ErrorReport.empty());
    EXPECT_EQ(EnigmaVersion, 4);
    ASSERT_EQ(Transponders.size(), 3u);
    EXPECT_EQ(Transponders[2].Key, "00820000000301" "3E");
    EXPECT_EQ(Transponders[2].RollOff, 3);
    EXPECT_EQ(Transponders[2].Pilot, 1);
    ASSERT_EQ(Services.size(), 4u);
    EXPECT_EQ(Services[3].Black, 1);
    ASSERT_EQ(Providers.size(), 2u);
    EXPECT_EQ(Providers[1].Id, 5);
    EXPECT_EQ(Providers[1].Black, 1);
    ASSERT_EQ(TvBouquets.size(), 2u);
    EXPECT_EQ(TvBouquets[1].Entries, (ARR_ARR_OF_STRING{{"S", "203", ""}}));
    ASSERT_EQ(RadioBouquets.size(), 1u);
    EXPECT_EQ(RadioBouquets[0].White, 1);
}

TEST_F(FolderLoad, QboneFolderTakesItsVersionFromTheHeader)
{
    TRecordingUi ui;
    ASSERT_TRUE(LoadFolder(Copy("v5")));
    EXPECT_EQ(ui.log.calls, kLoadCalls);
    EXPECT_EQ(EnigmaVersion, 5);
    ASSERT_EQ(Transponders.size(), 2u);
    EXPECT_EQ(Transponders[1].Kind, "t");
    EXPECT_EQ(Transponders[1].Position, "Terrestrial");
    EXPECT_EQ(Transponders[1].Frequency, "474000000");
    ASSERT_EQ(Services.size(), 2u);
    EXPECT_EQ(Services[1].Name, "DVB-T Eins");
}

TEST_F(FolderLoad, RealSetsLoad)
{
    for (const char* name : {"enigma2-v4-multisat", "enigma2-v4-astra-bouquets"}) {
        ResetModel();
        TRecordingUi ui;
        fs::path dir = tmp / name;
        CopyTree(RealSet(name), dir);
        ASSERT_TRUE(LoadFolder(dir)) << name;
        EXPECT_EQ(ui.log.Only("progress:step").size(), 10u);
        EXPECT_TRUE(ui.window.enabled);
        EXPECT_EQ(EnigmaVersion, 4) << name;
        EXPECT_GT(Services.size(), 1000u) << name;
        EXPECT_FALSE(TvBouquets.empty()) << name;
        for (const auto& b : TvBouquets) {
            for (const auto& e : b.Entries) {
                if (e[0] == "S") {
                    EXPECT_GE(FindServiceIndexById(std::stoi(e[1])), 0) << name << " " << b.Name;
                }
            }
        }
    }
    // The Enigma 1 set holds bouquet files only: there is nothing to load.
    ResetModel();
    TRecordingUi ui;
    fs::path dir = tmp / "e1";
    CopyTree(RealSet("enigma1-bouquets"), dir);
    EXPECT_FALSE(LoadFolder(dir));
    EXPECT_EQ(ui.dialogs.errors, std::vector<std::string>{"File(s) not found : cannot proceed"});
    EXPECT_TRUE(ui.log.Only("progress:").empty());
}

TEST_F(FolderLoad, AFailedLoadPutsTheEarlierModelBackAndFreesTheWindow)
{
    // Any error thrown part-way (here made by the progress window at a given
    // step) stops the load.
    struct Case {
        std::string what;
        int failAt;
    };
    const Case cases[] = {{"step 1", 1}, {"step 5", 5}, {"step 9", 9}, {"step 10", 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetModel();
        TRecordingUi ui;
        ASSERT_TRUE(LoadFolder(Copy("v4")));
        Services[0].Name = "edited, not saved";
        Modified = true;
        const TModelState before = CurrentModel();
        const std::string loadDirBefore = TheLoadDir;

        fs::path bad = tmp / ("bad" + std::to_string(c.failAt));
        CopyTree(Fixture("v3"), bad);
        ui.progress.onStep = [&](int n) {
            if (n == c.failAt)
                throw EInOutError("Cannot read file");
        };
        ui.log.calls.clear();
        ui.dialogs.errors.clear();
        EXPECT_FALSE(LoadFolder(bad));

        EXPECT_TRUE(CurrentModel() == before);
        EXPECT_EQ(Services[0].Name, "edited, not saved");
        EXPECT_TRUE(Modified);
        EXPECT_TRUE(FolderLoaded);
        EXPECT_EQ(EnigmaVersion, 4);
        EXPECT_EQ(ServicesFileName, "lamedb");
        EXPECT_EQ(LockedFileName, "blacklist");
        EXPECT_EQ(ServiceCounter, 204);
        EXPECT_TRUE(SatListHeld);
        EXPECT_TRUE(ErrorReport.empty());

        EXPECT_TRUE(ui.window.enabled);
        EXPECT_FALSE(ui.progress.visible);
        const auto tail = std::vector<std::string>(ui.log.calls.end() - 4, ui.log.calls.end());
        EXPECT_EQ(tail, (std::vector<std::string>{"progress:finish", "window:enable", "window:load-failed",
                                                  "dialog:error"}));
        ASSERT_EQ(ui.dialogs.errors.size(), 1u);
        EXPECT_EQ(ui.dialogs.errors[0].rfind("Cannot load the folder " + bad.string() + " : ", 0), 0u)
            << ui.dialogs.errors[0];
        EXPECT_NE(ui.dialogs.errors[0].find("\nThe settings shown before are kept."), std::string::npos);

        // The program goes on: the next load works.
        ui.progress.onStep = nullptr;
        ASSERT_TRUE(LoadFolder(Copy("v3")));
        EXPECT_EQ(EnigmaVersion, 3);
        fs::remove_all(tmp / "v3");
    }
}

TEST_F(FolderLoad, NewServicesAreMarkedOnlyFromTheListReadForThisLoad)
{
    TY_ENIG_NEW_CH arte;
    arte.Sid = "2B66";
    arte.ServiceType = 25;
    arte.Namespace = "00C00000";
    arte.Tsid = "0002";
    arte.Onid = "0001";
    TY_ENIG_NEW_CH unknown = arte;
    unknown.Sid = "7777";
    const ARR_ENIG_NEW_CH fromReceiver = {arte, unknown, arte};

    auto flagsAfter = [&](bool readNew, const ARR_ENIG_NEW_CH* list) {
        ResetModel();
        TRecordingUi ui;
        ReadNew = readNew;
        NewChannels = fromReceiver; // an earlier read of the receiver, still in memory
        TheLoadDir = Copy("v4").string();
        EXPECT_TRUE(VerFile());
        EXPECT_TRUE(OpenFile(list));
        std::vector<std::int32_t> flags;
        for (const auto& s : Services)
            flags.push_back(s.Flags);
        fs::remove_all(tmp / "v4");
        return flags;
    };
    // Services: 0A1F flags 1, 0A20 0, 2B66 4, 3201 0.
    EXPECT_EQ(flagsAfter(true, nullptr), (std::vector<std::int32_t>{1, 0, 4, 0})) << "a plain folder load";
    EXPECT_EQ(flagsAfter(true, &fromReceiver), (std::vector<std::int32_t>{1, 0, 4 | 0x80, 0}))
        << "listed twice, marked once";
    EXPECT_EQ(flagsAfter(false, &fromReceiver), (std::vector<std::int32_t>{1, 0, 4, 0})) << "ReadNew off";
}

TEST_F(FolderLoad, AnUnreadableFileStopsTheLoadAndKeepsTheEarlierModel)
{
    TRecordingUi ui;
    ASSERT_TRUE(LoadFolder(Copy("v4")));
    Modified = true;
    const TModelState before = CurrentModel();
    fs::path bad = Copy("v3");
    fs::permissions(bad / "bouquets.tv", fs::perms::none);
    ui.dialogs.errors.clear();
    ui.log.calls.clear();
    auto check = [&]() {
        const bool ok = LoadFolder(bad);
        return !ok && CurrentModel() == before && Modified && ui.window.enabled && !ui.progress.visible &&
               ui.dialogs.errors.size() == 1 &&
               ui.dialogs.errors[0].rfind("Cannot load the folder " + bad.string() + " : ", 0) == 0 &&
               ui.log.Only("window:load-failed").size() == 1;
    };
    if (geteuid() != 0) {
        EXPECT_TRUE(check()) << (ui.dialogs.errors.empty() ? "" : ui.dialogs.errors[0]);
        return;
    }
    // Root reads anything: load as an ordinary user in a child process.
    fs::permissions(tmp.path(), fs::perms::others_exec, fs::perm_options::add);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(3);
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(FolderLoad, FileNamesInAnyCaseLoadAsTheUsualNames)
{
    // As copied from a Windows share or a receiver's FAT stick.
    const std::map<std::string, std::map<std::string, std::string>> renames = {
        {"v2", {{"services", "SERVICES"}, {"bouquets", "Bouquets"}, {"services.locked", "Services.Locked"},
                {"userbouquets.tv.epl", "USERBOUQUETS.TV.EPL"}, {"userbouquet.ed00.tv", "UserBouquet.ED00.tv"}}},
        {"v3", {{"lamedb", "LAMEDB"}, {"bouquets", "Bouquets"}, {"bouquets.tv", "BOUQUETS.TV"},
                {"bouquets.radio", "Bouquets.Radio"}, {"blacklist", "BlackList"}, {"whitelist", "WHITELIST"},
                {"satellites.xml", "Satellites.XML"}, {"terrestrial.xml", "TERRESTRIAL.xml"},
                {"userbouquet.news.tv", "USERBOUQUET.NEWS.TV"}}},
    };
    for (const auto& [fixture, names] : renames) {
        SCOPED_TRACE(fixture);
        ResetModel();
        TRecordingUi usualUi;
        ASSERT_TRUE(LoadFolder(Copy(fixture)));
        const TModelState usual = CurrentModel();
        const std::string usualReport = ErrorReport;

        const fs::path dir = tmp / (fixture + "-case");
        CopyTree(Fixture(fixture), dir);
        for (const auto& [from, to] : names)
            fs::rename(dir / from, dir / to);
        ResetModel();
        TRecordingUi ui;
        TheLoadDir = dir.string();
        ASSERT_TRUE(VerFile());
        ASSERT_TRUE(OpenFile());
        EXPECT_TRUE(CurrentModel() == usual);
        EXPECT_EQ(ErrorReport, usualReport);
        EXPECT_EQ(ui.log.calls, usualUi.log.calls);
    }
}

namespace {

// Runs `body` as an ordinary user when the tests run as root (root reads
// every file, so an unreadable one needs someone else); gives what `body`
// gave: empty for success, else what went wrong.
std::string AsOrdinaryUser(const fs::path& scratch, const std::function<std::string()>& body)
{
    if (geteuid() != 0)
        return body();
    const fs::path result = scratch / "result.txt";
    fs::permissions(scratch, fs::perms::all, fs::perm_options::add);
    const pid_t pid = fork();
    if (pid == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(3);
        const std::string failure = body();
        std::ofstream(result) << (failure.empty() ? "ok" : failure);
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "the ordinary user's process failed";
    return ReadBytes(result) == "ok" ? std::string() : ReadBytes(result);
}

} // namespace

TEST_F(FolderLoad, EveryBouquetOrLineALoadLeavesOutIsNamedAndAnUnreadFileOutlivesASave)
{
    TRecordingUi ui;
    const fs::path dir = Copy("v4");
    // The TV list names a file that is not there; one bouquet file cannot
    // be read; another has two lines no reader takes.
    WriteBytes(dir / "bouquets.tv",
               ReadBytes(dir / "bouquets.tv") +
                   "#SERVICE: 1:7:1:0:0:0:0:0:0:0:FROM BOUQUET \"userbouquet.gone.tv\" ORDER BY bouquet\n");
    WriteBytes(dir / "userbouquet.dbe00.tv", ReadBytes(dir / "userbouquet.dbe00.tv") +
                                                 "1:0:1:A1F:1:1:C00000:0:0:0:\n\n  \x01\x02garbage\n"
                                                 "#SERVICE 1:7:1:0:0:0:0:0:0:0:FROM BOUQUET \"subbouquet.sub.tv\" "
                                                 "ORDER BY bouquet\n");
    // The sub-bouquet it names cannot be read either.
    const std::string unreadableSub = "#NAME Sub\n#SERVICE 1:0:1:A1F:1:1:C00000:0:0:0:\n";
    WriteBytes(dir / "subbouquet.sub.tv", unreadableSub);
    fs::permissions(dir / "subbouquet.sub.tv", fs::perms::none);
    const std::string unreadable = ReadBytes(dir / "userbouquet.dbe01.tv");
    fs::permissions(dir / "userbouquet.dbe01.tv", fs::perms::none);
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path().filename() != "userbouquet.dbe01.tv" && e.path().filename() != "subbouquet.sub.tv")
            fs::permissions(e.path(), fs::perms::all, fs::perm_options::add);
    fs::permissions(dir, fs::perms::all, fs::perm_options::add);

    const std::string failure = AsOrdinaryUser(tmp.path(), [&]() -> std::string {
        if (!LoadFolder(dir))
            return "load failed";
        const std::string want =
            " Error report\n\n"
            "\n- Tv Bouquet file <USERBOUQUET.GONE.TV> not found : bouquet not loaded"
            "\n- Tv Bouquet <Germany> : damaged lines 4, 6 not loaded"
            "\n- Sub-bouquet file <subbouquet.sub.tv> cannot be read : not loaded (Cannot open file \"" +
            (dir / "subbouquet.sub.tv").string() +
            "\": Permission denied)"
            "\n- Tv Bouquet file <userbouquet.dbe01.tv> cannot be read : bouquet not loaded (Cannot open file \"" +
            (dir / "userbouquet.dbe01.tv").string() +
            "\": Permission denied)"
            "\n\n All errors were fixed";
        if (ErrorReport != want)
            return "report:\n" + ErrorReport;
        if (TvBouquets.size() != 1 || TvBouquets[0].Name != "Germany" || TvBouquets[0].ServiceCount != 2)
            return "the readable bouquet was not loaded whole";
        if (!SaveFolder(dir, 4))
            return "save failed";
        if (fs::exists(dir / "userbouquet.dbe00.tv") || !fs::exists(dir / "userbouquet.ED00.tv"))
            return "the bouquet that was read was not replaced";
        return {};
    });
    EXPECT_EQ(failure, "");
    fs::permissions(dir / "userbouquet.dbe01.tv", fs::perms::owner_read, fs::perm_options::add);
    EXPECT_EQ(ReadBytes(dir / "userbouquet.dbe01.tv"), unreadable);
    fs::permissions(dir / "subbouquet.sub.tv", fs::perms::owner_read, fs::perm_options::add);
    EXPECT_EQ(ReadBytes(dir / "subbouquet.sub.tv"), unreadableSub);
}
