#include "settings/ListFileIo.h"
#include "settings/ByteScan.h"

#include "settings/Fields.h"
#include "settings/TextFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string ReadListFile(const std::string& path)
{
    return ReadWholeFile(path);
}

std::vector<std::string_view> SplitListLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    // Room for every line at once: a list of a hundred thousand lines
    // would otherwise be copied a dozen times while it grows.
    lines.reserve(bytescan::Count(begin, end, '\n') + 1);
    for (const char* p = begin; p < end;) {
        const char* const lf = bytescan::Find(p, end, '\n');
        std::size_t len = static_cast<std::size_t>(lf - p);
        if (len > 0 && p[len - 1] == '\r')
            --len;
        lines.emplace_back(p, len);
        if (lf == end)
            break;
        p = lf + 1;
    }
    return lines;
}

std::string FindFileNoCase(const std::string& dir, const std::string& name)
{
    std::error_code ec;
    fs::path exact = fs::path(dir) / name;
    if (fs::is_regular_file(exact, ec))
        return exact.string();
    std::string wanted = ToLowerAscii(name);
    std::vector<std::string> matches;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (ToLowerAscii(entry) == wanted && it->is_regular_file(ec))
            matches.push_back(entry);
    }
    if (matches.empty())
        return {};
    std::sort(matches.begin(), matches.end());
    return (fs::path(dir) / matches.front()).string();
}

std::string PathInFolder(const std::string& dir, const std::string& name)
{
    std::string path = FindFileNoCase(dir, name);
    return path.empty() ? dir + "/" + name : path;
}

TFolderNames::TFolderNames(const std::string& dir) : dir_(dir)
{
    std::error_code ec;
    std::vector<std::string> entries;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec))
            entries.push_back(it->path().filename().string());
    std::sort(entries.begin(), entries.end());
    for (const auto& e : entries) {
        exact_.insert(e);
        names_.emplace(ToLowerAscii(e), e);
    }
}

std::string TFolderNames::Find(const std::string& name) const
{
    if (exact_.contains(name))
        return (fs::path(dir_) / name).string();
    auto it = names_.find(ToLowerAscii(name));
    if (it == names_.end())
        return {};
    return (fs::path(dir_) / it->second).string();
}
