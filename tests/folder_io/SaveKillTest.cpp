// A save killed at any moment: a child process saves a real set over an older
// one and is killed (SIGKILL, no clean-up of any kind) at the Nth step of the
// swap, for every N in turn. The next load must find exactly the old set or
// exactly the new one, and nothing of the dead save may be left behind.

#include "FolderRecorders.h"
#include "FolderTestSupport.h"

#include "settings/SaveStaging.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace cftest;

namespace {

const char* const Interrupted = "was interrupted";

class SaveKill : public ::testing::Test {
protected:
    void SetUp() override { ResetModel(); }
    void TearDown() override
    {
        TSaveStaging::StepHook = nullptr;
        ClearModel();
    }
    cftest::ScratchDir tmp;

    fs::path Copy(const fs::path& from, const std::string& name)
    {
        fs::path dir = tmp / name;
        CopyTree(from, dir);
        return dir;
    }

    // How many steps an undisturbed save of the loaded model into a copy of
    // `old` takes, and what it leaves there.
    int CountSteps(const fs::path& old, int version, std::map<std::string, std::string>& after, bool& saved)
    {
        fs::path ref = Copy(old, "reference");
        int steps = 0;
        TSaveStaging::StepHook = [&steps](int) { ++steps; };
        saved = SaveFolder(ref, version);
        TSaveStaging::StepHook = nullptr;
        after = FolderContents(ref);
        return steps;
    }

    // Saves the loaded model into `dir` in a child process that dies at step
    // `killAt`; true when it was killed there (false: it finished first).
    static bool SaveAndDieAt(const fs::path& dir, int version, int killAt)
    {
        const pid_t pid = fork();
        if (pid == 0) {
            TSaveStaging::StepHook = [killAt](int step) {
                if (step == killAt)
                    ::raise(SIGKILL);
            };
            SaveFolder(dir, version);
            _exit(0);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    }

    // Nothing of a staging area of this folder, beside or inside it.
    static void ExpectNoStaging(const fs::path& dir)
    {
        const std::string mine = "." + dir.filename().string() + ".chanforge-save";
        for (auto& e : fs::directory_iterator(dir.parent_path()))
            EXPECT_NE(e.path().filename().string().rfind(mine, 0), 0u) << e.path();
        for (auto& e : fs::directory_iterator(dir))
            EXPECT_EQ(e.path().filename().string().find("chanforge-save"), std::string::npos) << e.path();
    }

    static int CountInterrupted(const std::vector<std::string>& errors)
    {
        int n = 0;
        for (const auto& e : errors)
            n += e.find(Interrupted) != std::string::npos;
        return n;
    }
};

} // namespace

TEST_F(SaveKill, KilledAtEveryStepOfTheSwapTheNextLoadFindsTheOldOrTheNewSet)
{
    // The old set: the v4 fixture (bouquet files dbe00, dbe01); the new one:
    // a real receiver's set, written as ED00, ED01, ... over it.
    const fs::path old = Copy(Fixture("v4"), "old");
    const auto oldFiles = FolderContents(old);
    TRecordingUi ui;
    ASSERT_TRUE(LoadFolder(old));
    const TModelState oldModel = CurrentModel();

    ASSERT_TRUE(LoadFolder(Copy(RealSet("enigma2-v4-astra-bouquets"), "in")));
    std::map<std::string, std::string> newFiles;
    bool saved = false;
    const int steps = CountSteps(old, 4, newFiles, saved);
    ASSERT_TRUE(saved);
    ASSERT_NE(newFiles, oldFiles);
    // Journal, one rename per old and per new file, dropping the journal,
    // removing the staging area.
    ASSERT_GT(steps, 10);

    std::vector<fs::path> boxes;
    for (int k = 1; k <= steps; ++k) {
        boxes.push_back(Copy(old, "box" + std::to_string(k)));
        ASSERT_TRUE(SaveAndDieAt(boxes.back(), 4, k)) << "step " << k;
    }
    ASSERT_FALSE(SaveAndDieAt(Copy(old, "whole"), 4, steps + 1));

    ResetModel();
    ASSERT_TRUE(LoadFolder(tmp / "reference"));
    const TModelState newModel = CurrentModel();

    int sawOld = 0, sawNew = 0;
    for (int k = 1; k <= steps; ++k) {
        SCOPED_TRACE("killed at step " + std::to_string(k));
        const fs::path& box = boxes[static_cast<size_t>(k - 1)];
        ResetModel();
        ui.dialogs.errors.clear();
        ASSERT_TRUE(LoadFolder(box));
        const int told = CountInterrupted(ui.dialogs.errors);
        const auto files = FolderContents(box);
        const TModelState model = CurrentModel();
        if (files == oldFiles) {
            ++sawOld;
            EXPECT_TRUE(model == oldModel);
        } else {
            ++sawNew;
            EXPECT_EQ(files, newFiles);
            EXPECT_TRUE(model == newModel);
        }
        // Told once, and only when the folder was changed on the way.
        EXPECT_LE(told, 1);
        if (k == 1 || k == steps)
            EXPECT_EQ(told, 0);
        else
            EXPECT_EQ(told, 1) << (ui.dialogs.errors.empty() ? "" : ui.dialogs.errors[0]);
        ExpectNoStaging(box);
        ui.dialogs.errors.clear();
        ResetModel();
        ASSERT_TRUE(LoadFolder(box));
        EXPECT_EQ(CountInterrupted(ui.dialogs.errors), 0);
        EXPECT_EQ(FolderContents(box), files);
    }
    // Before the journal the folder is untouched; once it is written the
    // swap is completed.
    EXPECT_EQ(sawOld, 1);
    EXPECT_EQ(sawNew, steps - 1);
}

TEST_F(SaveKill, ASwapThatFailsAndIsKilledWhileGoingBackLeavesTheOldSet)
{
    // A folder stands where the new radio list must go: the swap fails there
    // and puts the old files back, step by step.
    TRecordingUi ui;
    ASSERT_TRUE(LoadFolder(Copy(Fixture("v3"), "in")));
    const fs::path old = Copy(Fixture("v4"), "old");
    fs::remove(old / "bouquets.radio");
    fs::create_directory(old / "bouquets.radio");
    WriteBytes(old / "bouquets.radio" / "keep", "keep");
    const auto oldFiles = FolderContents(old);

    std::map<std::string, std::string> after;
    bool saved = true;
    const int steps = CountSteps(old, 3, after, saved);
    ASSERT_FALSE(saved);
    ASSERT_EQ(after, oldFiles);

    int told = 0;
    for (int k = 1; k <= steps; ++k) {
        SCOPED_TRACE("killed at step " + std::to_string(k));
        const fs::path box = Copy(old, "box" + std::to_string(k));
        ASSERT_TRUE(SaveAndDieAt(box, 3, k));
        ui.dialogs.errors.clear();
        TheLoadDir = box.string();
        VerFile();
        told += CountInterrupted(ui.dialogs.errors);
        EXPECT_EQ(FolderContents(box), oldFiles);
        EXPECT_EQ(ReadBytes(box / "bouquets.radio" / "keep"), "keep");
        ExpectNoStaging(box);
    }
    EXPECT_GT(told, 0);
}

TEST_F(SaveKill, LeftoversAreSettledWithoutAnyFreeSpace)
{
    TRecordingUi ui;
    const fs::path old = Copy(Fixture("v4"), "old");
    ASSERT_TRUE(LoadFolder(Copy(RealSet("enigma2-v4-multisat"), "in")));
    std::map<std::string, std::string> newFiles;
    bool saved = false;
    const int steps = CountSteps(old, 4, newFiles, saved);
    ASSERT_TRUE(saved);

    // Killed half way through its renames, the save leaves its staging area
    // with every new file of the set (the lamedb alone is larger than 64 KiB).
    const fs::path box = Copy(old, "box");
    ASSERT_TRUE(SaveAndDieAt(box, 4, steps / 2));
    ASSERT_EQ(StagingAreasOf(box).size(), 1u);

    // Not one byte may be written now, as on a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit keep{};
    getrlimit(RLIMIT_FSIZE, &keep);
    rlimit none = keep;
    none.rlim_cur = 0;
    setrlimit(RLIMIT_FSIZE, &none);
    ui.dialogs.errors.clear();
    const bool loaded = LoadFolder(box);
    // A save on the full disk fails and leaves the folder and no staging.
    const bool savedFull = SaveFolder(box, 4);
    setrlimit(RLIMIT_FSIZE, &keep);

    EXPECT_TRUE(loaded);
    EXPECT_FALSE(savedFull);
    EXPECT_EQ(CountInterrupted(ui.dialogs.errors), 1);
    EXPECT_EQ(FolderContents(box), newFiles);
    ExpectNoStaging(box);
}
