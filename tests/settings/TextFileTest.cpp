// Writing a settings file: a new file is written where it stands, an
// existing one is only replaced by a complete new one, and a failed write
// leaves neither a partial file nor a temporary one behind.

#include "SettingsTestUtil.h"

#include "settings/Errors.h"
#include "settings/TextFile.h"

#include <csignal>
#include <filesystem>
#include <iterator>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace cftest;

namespace {

std::size_t EntriesIn(const fs::path& dir) { return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {})); }

// Runs `body` in a child process that may write at most `limit` bytes into
// any one file; the child's exit code.
template <class F>
int InChildWithFileLimit(rlim_t limit, F body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN); // an over-long write fails instead of killing
        const rlimit lim{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &lim);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(WriteFileReplacing, NewAndExistingFilesGetTheWholeContent)
{
    cftest::ScratchDir dir;
    const fs::path file = dir / "lamedb";
    WriteFileReplacing(file.string(), "first\n");
    EXPECT_EQ(ReadBytes(file), "first\n");
    WriteFileReplacing(file.string(), "second, longer\n");
    EXPECT_EQ(ReadBytes(file), "second, longer\n");
    WriteFileReplacing(file.string(), "");
    EXPECT_EQ(ReadBytes(file), "");
    EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

TEST(WriteFileReplacing, FailedWriteOfANewFileLeavesNothing)
{
    cftest::ScratchDir dir;
    const fs::path file = dir / "userbouquet.abcd.tv";
    const int code = InChildWithFileLimit(1000, [&] {
        try {
            WriteFileReplacing(file.string(), std::string(200000, 'x'));
        } catch (const EInOutError&) {
            return fs::exists(file) ? 2 : 0;
        }
        return 1;
    });
    EXPECT_EQ(code, 0) << "1: no error raised, 2: the partial file was left";
    EXPECT_EQ(EntriesIn(dir.path()), 0u);
}

TEST(WriteFileReplacing, FailedWriteOverAnExistingFileKeepsIt)
{
    cftest::ScratchDir dir;
    const fs::path file = dir / "bouquets.tv";
    WriteBytes(file, "old\n");
    const int code = InChildWithFileLimit(1000, [&] {
        try {
            WriteFileReplacing(file.string(), std::string(200000, 'x'));
        } catch (const EInOutError&) {
            return 0;
        }
        return 1;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadBytes(file), "old\n");
    EXPECT_EQ(EntriesIn(dir.path()), 1u);
}
