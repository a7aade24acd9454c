#include "settings/ListFileIo.h"

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
    size_t start = 0;
    while (start < text.size()) {
        size_t lf = text.find('\n', start);
        size_t end = lf == std::string_view::npos ? text.size() : lf;
        size_t len = end - start;
        if (len > 0 && text[end - 1] == '\r')
            --len;
        lines.push_back(text.substr(start, len));
        if (lf == std::string_view::npos)
            break;
        start = lf + 1;
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
