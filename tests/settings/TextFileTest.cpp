// Writing a settings file: a new file is written where it stands, an
// existing one is only replaced by a complete new one, and a failed write
// leaves neither a partial file nor a temporary one behind.

#include "SettingsTestUtil.h"

#include "settings/Errors.h"
#include "settings/TextFile.h"

#include <csignal>
#include <filesystem>
#include <iterator>
#include <thread>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
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

namespace {

std::vector<std::string> LinesOf(TTextFile file)
{
    std::vector<std::string> lines;
    while (!file.Eof())
        lines.emplace_back(file.ReadLine());
    return lines;
}

} // namespace

TEST(TextFile, ReadsTheLinesOfAFileAsWritten)
{
    struct Case {
        std::string content;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"\n", {""}},
        {"a\r\nb\r\r\n\nc", {"a", "b", "", "c"}},
        {"services\nend\n", {"services", "end"}},
    };
    cftest::ScratchDir dir;
    for (const Case& c : cases) {
        const fs::path file = dir / "lamedb";
        WriteFileReplacing(file.string(), c.content);
        EXPECT_EQ(LinesOf(TTextFile(file.string())), c.lines) << c.content;
    }
}

TEST(TextFile, ALargeFileIsReadWhole)
{
    // Larger than the block that is read in large pages.
    std::string content;
    for (int i = 0; content.size() < (6u << 20); ++i)
        content += "0000:00c00000:0001:0001:" + std::to_string(i) + ":0\n";
    cftest::ScratchDir dir;
    const fs::path file = dir / "lamedb";
    WriteFileReplacing(file.string(), content);
    const std::vector<std::string> lines = LinesOf(TTextFile(file.string()));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "0000:00c00000:0001:0001:0:0");
    EXPECT_EQ(lines.back(), "0000:00c00000:0001:0001:" + std::to_string(lines.size() - 1) + ":0");
}

TEST(TextFile, AFileThatDoesNotTellItsSizeIsReadToItsEnd)
{
    // The kernel's files give their size as 0 and have content all the same.
    const std::vector<std::string> lines = LinesOf(TTextFile("/proc/self/status"));
    ASSERT_GT(lines.size(), 3u);
    EXPECT_EQ(lines.front().rfind("Name:", 0), 0u);
}

TEST(TextFile, APipeIsReadOnceToItsEnd)
{
    // A pipe has no size and cannot be opened a second time for what its
    // writer already sent: it is read through the one opening.
    cftest::ScratchDir dir;
    const fs::path fifo = dir / "lamedb";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string content;
    for (int i = 0; i < 5000; ++i)
        content += "line " + std::to_string(i) + "\n";
    std::thread writer([&] {
        std::FILE* f = std::fopen(fifo.c_str(), "wb");
        if (f) {
            std::fwrite(content.data(), 1, content.size(), f);
            std::fclose(f);
        }
    });
    const std::vector<std::string> lines = LinesOf(TTextFile(fifo.string()));
    writer.join();
    ASSERT_EQ(lines.size(), 5000u);
    EXPECT_EQ(lines.front(), "line 0");
    EXPECT_EQ(lines.back(), "line 4999");
    EXPECT_EQ(ReadWholeFile(fs::path("/proc/self/status").string()).rfind("Name:", 0), 0u);
}

TEST(TextFile, AMissingFileIsAnInOutError)
{
    cftest::ScratchDir dir;
    try {
        TTextFile file((dir / "lamedb").string());
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("Cannot open file"), std::string::npos) << e.what();
    }
}

TEST(TextFile, ACopyReadsOnFromWhereTheFileWas)
{
    cftest::ScratchDir dir;
    const fs::path file = dir / "lamedb";
    WriteFileReplacing(file.string(), "one\ntwo\nthree\n");
    TTextFile original(file.string());
    EXPECT_EQ(original.ReadLine(), "one");
    TTextFile copy = original;
    EXPECT_EQ(original.ReadLine(), "two");
    EXPECT_EQ(copy.ReadLine(), "two");
    EXPECT_EQ(copy.ReadLine(), "three");
    copy.Rewind();
    EXPECT_EQ(copy.ReadLine(), "one");
    EXPECT_EQ(original.ReadLine(), "three");
}
