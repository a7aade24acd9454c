#include "settings/SaveStaging.h"

#include "settings/MessageTexts.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

std::function<void(int)> TSaveStaging::StepHook;

namespace {

const char* const AreaMark = ".chanforge-save-";
// The journal's name says which way an interrupted swap goes: "swap" until
// the swap has failed and begun to go back, "undo" from then on.
const char* const ForwardJournal = "swap";
const char* const BackJournal = "undo";
const char* const JournalHeader = "chanforge save journal 1";

std::string Reason(const std::error_code& ec)
{
    return ec ? ec.message() : std::string("unknown error");
}

bool SameDevice(const fs::path& a, const fs::path& b)
{
    struct stat sa{}, sb{};
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev;
}

std::string UniqueSuffix()
{
    static std::atomic<unsigned> counter{0};
    return std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

// Flushes a file or folder to the disk; 0 or the error number.
int SyncPath(const fs::path& p, bool folder)
{
    const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC | (folder ? O_DIRECTORY : 0));
    if (fd < 0)
        return errno;
    int err = 0;
    if (::fsync(fd) != 0)
        err = errno;
    ::close(fd);
    // Some file systems cannot flush a folder; that is no reason to fail.
    return err == EINVAL || err == EROFS ? 0 : err;
}

bool Exists(const fs::path& p)
{
    std::error_code ec;
    return fs::symlink_status(p, ec).type() != fs::file_type::not_found && !ec;
}

// Creates root with new/ and old/ below it and locks it; false (and nothing
// left) on failure.
bool MakeArea(const fs::path& root, int& lockFd, std::error_code& ec)
{
    if (!fs::create_directory(root, ec) || ec) {
        if (!ec)
            ec = std::make_error_code(std::errc::file_exists);
        return false;
    }
    lockFd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (lockFd >= 0 && ::flock(lockFd, LOCK_EX | LOCK_NB) == 0 && fs::create_directory(root / "new", ec) && !ec &&
        fs::create_directory(root / "old", ec) && !ec)
        return true;
    if (!ec)
        ec = std::error_code(errno, std::generic_category());
    if (lockFd >= 0)
        ::close(lockFd);
    lockFd = -1;
    std::error_code ignore;
    fs::remove_all(root, ignore);
    return false;
}

struct TJournal {
    fs::path target;
    std::vector<std::string> oldNames, newNames;
};

std::string JournalText(const TJournal& j)
{
    std::string s = JournalHeader;
    s += "\ntarget\t" + j.target.string() + "\n";
    for (const auto& n : j.oldNames)
        s += "old\t" + n + "\n";
    for (const auto& n : j.newNames)
        s += "new\t" + n + "\n";
    s += "end\n";
    return s;
}

// False for a journal that is not complete (its writing was cut short).
bool ReadJournal(const fs::path& path, TJournal& j)
{
    std::ifstream in(path, std::ios::binary);
    std::string line;
    if (!std::getline(in, line) || line != JournalHeader)
        return false;
    while (std::getline(in, line)) {
        if (line == "end")
            return !j.target.empty();
        const auto tab = line.find('\t');
        if (tab == std::string::npos)
            return false;
        const std::string key = line.substr(0, tab), value = line.substr(tab + 1);
        if (value.empty() || (key != "target" && value.find('/') != std::string::npos))
            return false;
        if (key == "target")
            j.target = value;
        else if (key == "old")
            j.oldNames.push_back(value);
        else if (key == "new")
            j.newNames.push_back(value);
        else
            return false;
    }
    return false;
}

// Writes the journal under its final name through a temporary one, both
// flushed, so it is either there whole or not at all.
void WriteJournal(const fs::path& root, const TJournal& j, const std::function<void()>& beforeRename)
{
    const fs::path temp = root / "journal.new";
    const std::string text = JournalText(j);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw ESaveError(LoadRsFmt(rs::SaveNotRecorded, {std::strerror(errno)}));
    int err = 0;
    for (std::size_t done = 0; done < text.size() && err == 0;) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            err = n < 0 ? errno : EIO;
        else
            done += static_cast<std::size_t>(n);
    }
    if (err == 0 && ::fsync(fd) != 0)
        err = errno;
    ::close(fd);
    if (err != 0) {
        std::error_code ignore;
        fs::remove(temp, ignore);
        throw ESaveError(LoadRsFmt(rs::SaveNotRecorded, {std::strerror(err)}));
    }
    beforeRename();
    std::error_code ec;
    fs::rename(temp, root / ForwardJournal, ec);
    if (ec) {
        fs::remove(temp, ec);
        throw ESaveError(LoadRsFmt(rs::SaveNotRecorded, {Reason(ec)}));
    }
    SyncPath(root, true);
}

// Puts the folder into one whole state after a swap that was cut short.
// Forward: every staged file in, every old file out. Back: the reverse. A
// file is always in exactly one of its two places (renames do not copy), and
// which one tells how far the swap had come. Gives an empty text or what
// went wrong.
std::string Settle(const fs::path& root, const TJournal& j, bool forward)
{
    const fs::path newDir = root / "new", oldDir = root / "old";
    std::string trouble;
    auto move = [&](const fs::path& from, const fs::path& to) {
        std::error_code ec;
        fs::rename(from, to, ec);
        if (ec)
            trouble += "\n" + to.string() + " : " + ec.message();
    };
    const std::set<std::string> staged(j.newNames.begin(), j.newNames.end());
    const std::set<std::string> replaced(j.oldNames.begin(), j.oldNames.end());
    if (forward) {
        for (const auto& n : j.oldNames)
            if (!staged.count(n) && !Exists(oldDir / n) && Exists(j.target / n))
                move(j.target / n, oldDir / n);
        for (const auto& n : j.newNames) {
            if (!Exists(newDir / n))
                continue;
            // The old file of that name goes aside first; anything else in
            // the way (a folder made meanwhile) is not ours to move.
            if (Exists(j.target / n)) {
                if (!replaced.count(n) || Exists(oldDir / n)) {
                    trouble += "\n" + (j.target / n).string() + " : " +
                               std::make_error_code(std::errc::file_exists).message();
                    continue;
                }
                move(j.target / n, oldDir / n);
            }
            move(newDir / n, j.target / n);
        }
    } else {
        for (const auto& n : j.newNames)
            if (!Exists(newDir / n) && Exists(j.target / n))
                move(j.target / n, newDir / n);
        for (const auto& n : j.oldNames)
            if (Exists(oldDir / n))
                move(oldDir / n, j.target / n);
    }
    if (trouble.empty())
        SyncPath(j.target, true);
    return trouble;
}

} // namespace

TSaveStaging::TSaveStaging(const fs::path& target)
{
    std::error_code ec;
    if (target.empty() || !fs::is_directory(target, ec))
        throw ESaveError(LoadRsFmt(rs::SaveFolderMissing, {target.string()}));
    target_ = fs::canonical(target, ec);
    if (ec)
        throw ESaveError(LoadRsFmt(rs::SaveFolderUnusable, {target.string(), Reason(ec)}));
    if (::access(target_.c_str(), W_OK | X_OK) != 0)
        throw ESaveError(LoadRsFmt(rs::SaveFolderNotWritable, {target_.string(), std::strerror(errno)}));

    // Beside the target first, so nothing of ours ever appears inside it; the
    // renames of the swap need the same file system, hence the device check.
    const std::string suffix = UniqueSuffix();
    fs::path parent = target_.parent_path();
    if (!parent.empty() && parent != target_ && SameDevice(parent, target_)) {
        std::string name = ".";
        name += target_.filename().string();
        name += AreaMark;
        name += suffix;
        fs::path root = parent / name;
        if (MakeArea(root, lockFd_, ec))
            root_ = root;
    }
    if (root_.empty()) {
        fs::path root = target_ / (AreaMark + suffix);
        if (!MakeArea(root, lockFd_, ec))
            throw ESaveError(LoadRsFmt(rs::SaveFolderNotWritable, {target_.string(), Reason(ec)}));
        root_ = root;
    }
    newDir_ = root_ / "new";
    oldDir_ = root_ / "old";
}

TSaveStaging::~TSaveStaging()
{
    if (!root_.empty()) {
        Step();
        std::error_code ec;
        fs::remove_all(root_, ec);
        SyncPath(root_.parent_path(), true);
    }
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

void TSaveStaging::Step()
{
    ++step_;
    if (StepHook)
        StepHook(step_);
}

void TSaveStaging::KeepArea()
{
    root_.clear();
}

void TSaveStaging::Commit(const std::function<bool(const std::string& name)>& replaceOld)
{
    std::error_code ec;
    std::vector<std::string> staged;
    for (fs::directory_iterator it(newDir_, ec), end; !ec && it != end; it.increment(ec))
        staged.push_back(it->path().filename().string());
    if (ec)
        throw ESaveError(LoadRsFmt(rs::NewFilesNotListed, {Reason(ec)}));
    std::sort(staged.begin(), staged.end());

    std::vector<std::string> old;
    for (fs::directory_iterator it(target_, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fec;
        if (!it->is_regular_file(fec) || fec)
            continue;
        const std::string name = it->path().filename().string();
        // The journal holds one name a line.
        if (name.find('\n') != std::string::npos)
            continue;
        if (std::binary_search(staged.begin(), staged.end(), name) || replaceOld(name))
            old.push_back(name);
    }
    if (ec)
        throw ESaveError(LoadRsFmt(rs::SaveFolderNotReadable, {target_.string(), Reason(ec)}));

    // The new files reach the disk before anything of the old set moves.
    for (const auto& n : staged)
        if (const int err = SyncPath(newDir_ / n, false))
            throw ESaveError(LoadRsFmt(rs::CannotSaveFile, {(target_ / n).string(), std::strerror(err)}) +
                             LoadRsFmt(rs::FolderLeftAsItWas, {target_.string()}));
    SyncPath(newDir_, true);

    TJournal journal{target_, old, staged};
    WriteJournal(root_, journal, [this] { Step(); });

    std::vector<std::string> movedOld, movedNew;
    auto rollback = [&]() -> std::string {
        // From here an interrupted undo must go on undoing.
        std::error_code jec;
        fs::rename(root_ / ForwardJournal, root_ / BackJournal, jec);
        SyncPath(root_, true);
        std::string trouble;
        for (const auto& n : movedNew) {
            Step();
            std::error_code rec;
            fs::rename(target_ / n, newDir_ / n, rec);
            if (rec) {
                trouble += '\n';
                trouble += (target_ / n).string() + " : " + rec.message();
            }
        }
        for (const auto& n : movedOld) {
            Step();
            std::error_code rec;
            fs::rename(oldDir_ / n, target_ / n, rec);
            if (rec) {
                trouble += '\n';
                trouble += LoadRsFmt(rs::FileNotRestored, {(target_ / n).string(), (oldDir_ / n).string(), rec.message()});
            }
        }
        SyncPath(target_, true);
        if (!trouble.empty())
            KeepArea(); // it holds what could not be put back, with its journal
        else
            fs::remove(root_ / BackJournal, jec);
        return trouble;
    };
    auto fail = [&](const fs::path& file, const std::error_code& why) {
        const std::string trouble = rollback();
        std::string text = LoadRsFmt(rs::CannotSaveFile, {file.string(), Reason(why)});
        if (trouble.empty())
            text += LoadRsFmt(rs::FolderLeftAsItWas, {target_.string()});
        else
            text += LoadRsFmt(rs::FolderNotFullyRestored, {trouble});
        throw ESaveError(text);
    };

    for (const auto& n : old) {
        Step();
        fs::rename(target_ / n, oldDir_ / n, ec);
        if (ec)
            fail(target_ / n, ec);
        movedOld.push_back(n);
    }
    for (const auto& n : staged) {
        // rename() would silently replace an empty folder of that name.
        if (Exists(target_ / n))
            fail(target_ / n, std::make_error_code(std::errc::file_exists));
        Step();
        fs::rename(newDir_ / n, target_ / n, ec);
        if (ec)
            fail(target_ / n, ec);
        movedNew.push_back(n);
    }
    // A success is reported only once the new names are on the disk.
    if (const int err = SyncPath(target_, true)) {
        const std::error_code why(err, std::generic_category());
        fail(target_, why);
    }
    Step();
    fs::remove(root_ / ForwardJournal, ec);
}

std::vector<fs::path> StagingAreasOf(const fs::path& folder)
{
    std::vector<fs::path> areas;
    std::error_code ec;
    const fs::path target = fs::canonical(folder, ec);
    if (ec || target.filename().empty())
        return areas;
    auto scan = [&](const fs::path& dir, const std::string& prefix) {
        std::error_code lec;
        for (fs::directory_iterator it(dir, lec), end; !lec && it != end; it.increment(lec)) {
            const std::string name = it->path().filename().string();
            std::error_code dec;
            if (name.compare(0, prefix.size(), prefix) == 0 && name.size() > prefix.size() &&
                it->is_directory(dec) && !dec && !it->is_symlink(dec))
                areas.push_back(it->path());
        }
    };
    scan(target.parent_path(), "." + target.filename().string() + AreaMark);
    scan(target, AreaMark);
    return areas;
}

std::string RecoverInterruptedSaves(const fs::path& folder)
{
    std::string told;
    std::error_code ec;
    const fs::path target = fs::canonical(folder, ec);
    if (ec)
        return told;
    for (const fs::path& root : StagingAreasOf(target)) {
        // A staging area in use by a save that is still running is locked.
        const int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            continue;
        }
        const bool forward = Exists(root / ForwardJournal);
        const bool back = !forward && Exists(root / BackJournal);
        TJournal journal;
        bool settled = true;
        if (forward || back) {
            const bool read = ReadJournal(root / (forward ? ForwardJournal : BackJournal), journal);
            if (!read || fs::canonical(journal.target, ec) != target) {
                // Not ours to judge: leave it as it is.
                ::close(fd);
                continue;
            }
            std::string trouble = Settle(root, journal, forward);
            bool done = forward;
            if (!trouble.empty() && forward) {
                // What kept the swap from finishing (a folder in the way)
                // must not cost the old set as well.
                trouble = Settle(root, journal, false);
                done = false;
            }
            if (!trouble.empty()) {
                settled = false;
                told += LoadRsFmt(rs::SaveNotSettled, {target.string(), trouble, root.string()});
            } else {
                told += LoadRsFmt(done ? rs::SaveCompleted : rs::SaveUndone, {target.string()});
            }
            told += '\n';
        }
        // Nothing more in the area belongs to the folder (a save that died
        // before its swap began never touched it).
        if (settled) {
            std::error_code rec;
            fs::remove(root / ForwardJournal, rec);
            fs::remove(root / BackJournal, rec);
            fs::remove_all(root, rec);
            SyncPath(root.parent_path(), true);
        }
        ::close(fd);
    }
    if (!told.empty() && told.back() == '\n')
        told.pop_back();
    return told;
}
