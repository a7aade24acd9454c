#include "settings/SaveStaging.h"

#include <atomic>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

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

// Creates root with new/ and old/ below it; false (and nothing left) on failure.
bool MakeArea(const fs::path& root, std::error_code& ec)
{
    if (!fs::create_directory(root, ec) || ec) {
        if (!ec)
            ec = std::make_error_code(std::errc::file_exists);
        return false;
    }
    if (fs::create_directory(root / "new", ec) && !ec && fs::create_directory(root / "old", ec) && !ec)
        return true;
    std::error_code ignore;
    fs::remove_all(root, ignore);
    return false;
}

} // namespace

TSaveStaging::TSaveStaging(const fs::path& target)
{
    std::error_code ec;
    if (target.empty() || !fs::is_directory(target, ec))
        throw ESaveError("The folder " + target.string() + " does not exist : nothing was saved");
    target_ = fs::canonical(target, ec);
    if (ec)
        throw ESaveError("The folder " + target.string() + " cannot be used : " + Reason(ec));
    if (::access(target_.c_str(), W_OK | X_OK) != 0)
        throw ESaveError("The folder " + target_.string() + " cannot be written : " +
                         std::strerror(errno) + " : nothing was saved");

    // Beside the target first, so nothing of ours ever appears inside it; the
    // renames of the swap need the same file system, hence the device check.
    const std::string suffix = UniqueSuffix();
    fs::path parent = target_.parent_path();
    if (!parent.empty() && parent != target_ && SameDevice(parent, target_)) {
        std::string name = ".";
        name += target_.filename().string();
        name += ".chanforge-save-";
        name += suffix;
        fs::path root = parent / name;
        if (MakeArea(root, ec))
            root_ = root;
    }
    if (root_.empty()) {
        fs::path root = target_ / (".chanforge-save-" + suffix);
        if (!MakeArea(root, ec))
            throw ESaveError("The folder " + target_.string() + " cannot be written : " + Reason(ec) +
                             " : nothing was saved");
        root_ = root;
    }
    newDir_ = root_ / "new";
    oldDir_ = root_ / "old";
}

TSaveStaging::~TSaveStaging()
{
    std::error_code ec;
    if (!root_.empty())
        fs::remove_all(root_, ec);
}

void TSaveStaging::Commit(const std::function<bool(const std::string& name)>& replaceOld)
{
    std::error_code ec;
    std::vector<std::string> staged;
    for (fs::directory_iterator it(newDir_, ec), end; !ec && it != end; it.increment(ec))
        staged.push_back(it->path().filename().string());
    if (ec)
        throw ESaveError("The new settings files cannot be listed : " + Reason(ec) + " : nothing was saved");

    std::vector<std::string> old;
    for (fs::directory_iterator it(target_, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fec;
        if (!it->is_regular_file(fec) || fec)
            continue;
        const std::string name = it->path().filename().string();
        bool clash = false;
        for (const auto& s : staged)
            clash = clash || s == name;
        if (clash || replaceOld(name))
            old.push_back(name);
    }
    if (ec)
        throw ESaveError("The folder " + target_.string() + " cannot be read : " + Reason(ec) +
                         " : nothing was saved");

    std::vector<std::string> movedOld, movedNew;
    auto rollback = [&]() -> std::string {
        std::string trouble;
        for (const auto& n : movedNew) {
            std::error_code rec;
            fs::rename(target_ / n, newDir_ / n, rec);
            if (rec) {
                trouble += '\n';
                trouble += (target_ / n).string() + " : " + rec.message();
            }
        }
        for (const auto& n : movedOld) {
            std::error_code rec;
            fs::rename(oldDir_ / n, target_ / n, rec);
            if (rec) {
                trouble += '\n';
                trouble += (target_ / n).string() + " could not be restored from " + (oldDir_ / n).string() +
                           " : " + rec.message();
            }
        }
        if (!trouble.empty())
            root_.clear(); // keep the staging area: it holds what could not be put back
        return trouble;
    };
    auto fail = [&](const fs::path& file, const std::error_code& why) {
        const std::string trouble = rollback();
        std::string text = "Cannot save " + file.string() + " : " + Reason(why);
        if (trouble.empty())
            text += "\nThe folder " + target_.string() + " was left as it was.";
        else
            text += "\nThe folder could not be fully restored:" + trouble;
        throw ESaveError(text);
    };

    for (const auto& n : old) {
        fs::rename(target_ / n, oldDir_ / n, ec);
        if (ec)
            fail(target_ / n, ec);
        movedOld.push_back(n);
    }
    for (const auto& n : staged) {
        // rename() would silently replace an empty folder of that name.
        std::error_code sec;
        if (fs::symlink_status(target_ / n, sec).type() != fs::file_type::not_found)
            fail(target_ / n, std::make_error_code(std::errc::file_exists));
        fs::rename(newDir_ / n, target_ / n, ec);
        if (ec)
            fail(target_ / n, ec);
        movedNew.push_back(n);
    }
}
