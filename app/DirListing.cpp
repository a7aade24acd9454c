#include "app/DirListing.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <utility>

namespace fs = std::filesystem;

namespace {

// Kernel and pseudo file systems hold no user folders.
const std::set<std::string> PseudoFs = {
    "autofs", "binfmt_misc", "bpf", "cgroup", "cgroup2", "configfs", "debugfs", "devpts",
    "devtmpfs", "efivarfs", "fusectl", "hugetlbfs", "mqueue", "nsfs", "proc", "pstore",
    "rpc_pipefs", "securityfs", "selinuxfs", "sysfs", "tracefs", "ramfs", "nfsd",
};

// Mount tables escape blanks, tabs, newlines and backslashes as \ooo.
std::string Unescape(const std::string& s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() &&
            std::isdigit(static_cast<unsigned char>(s[i + 1])) &&
            std::isdigit(static_cast<unsigned char>(s[i + 2])) &&
            std::isdigit(static_cast<unsigned char>(s[i + 3]))) {
            out += static_cast<char>((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0'));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::vector<std::string> List(const std::string& folder, bool folders)
{
    // Each name with its lower-case key, made once rather than per comparison.
    std::vector<std::pair<std::string, std::string>> keyed;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.')
            continue;
        std::error_code tec;
        const bool isDir = it->is_directory(tec);
        if (tec)
            continue;
        if (isDir == folders && (isDir || it->is_regular_file(tec)))
            keyed.emplace_back(Lower(name), std::move(name));
    }
    // Case-blind order; names that differ only in case in byte order.
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::string> names;
    names.reserve(keyed.size());
    for (auto& k : keyed)
        names.push_back(std::move(k.second));
    return names;
}

} // namespace

std::vector<std::string> DriveRootsFromMounts(const std::string& mountsText)
{
    std::set<std::string> roots = {"/"};
    std::istringstream in(mountsText);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string device, mountPoint, type;
        if (!(fields >> device >> mountPoint >> type))
            continue;
        if (PseudoFs.count(type) || mountPoint.empty() || mountPoint[0] != '/')
            continue;
        roots.insert(Unescape(mountPoint));
    }
    return {roots.begin(), roots.end()};
}

std::vector<std::string> DriveRoots()
{
    std::ifstream f("/proc/self/mounts");
    std::stringstream s;
    s << f.rdbuf();
    return DriveRootsFromMounts(s.str());
}

std::string DriveOf(const std::string& folder, const std::vector<std::string>& drives)
{
    std::string best = "/";
    for (const auto& d : drives) {
        const bool inside = folder == d || d == "/" ||
                            (folder.size() > d.size() && folder.compare(0, d.size(), d) == 0 &&
                             folder[d.size()] == '/');
        if (inside && d.size() > best.size())
            best = d;
    }
    return best;
}

std::vector<std::string> SubFolders(const std::string& folder) { return List(folder, true); }
std::vector<std::string> FilesOf(const std::string& folder) { return List(folder, false); }

bool IsValidNewDirName(const std::string& name)
{
    if (name.empty() || name.size() > 255 || name == "." || name == "..")
        return false;
    for (unsigned char c : name)
        if (c == '/' || c == '\\' || c < 0x20 || c == 0x7F)
            return false;
    return true;
}
