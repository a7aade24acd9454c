#include "settings/ListFileIo.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include "settings/Errors.h"
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string LowerAscii(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

} // namespace

std::string ReadListFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EInOutError("Cannot open file " + path);
    std::string text;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size > 0) {
        text.resize(static_cast<size_t>(size));
        in.seekg(0, std::ios::beg);
        in.read(text.data(), size);
        text.resize(static_cast<size_t>(in.gcount()));
    }
    if (in.bad())
        throw EInOutError("Cannot read file " + path);
    return text;
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

void WriteListFile(const std::string& path, std::string_view text)
{
    std::string tmp = path + ".cf-tmp";
    {
        std::FILE* f = std::fopen(tmp.c_str(), "wb");
        if (!f)
            throw EInOutError("Cannot create file " + path + ": " + std::strerror(errno));
        bool ok = text.empty() || std::fwrite(text.data(), 1, text.size(), f) == text.size();
        int err = ok ? 0 : errno;
        if (std::fclose(f) != 0 && ok) {
            ok = false;
            err = errno;
        }
        if (!ok) {
            std::remove(tmp.c_str());
            throw EInOutError("Cannot write file " + path + ": " + std::strerror(err));
        }
    }
    std::error_code ec;
    fs::rename(tmp, path, ec);
    if (ec) {
        std::remove(tmp.c_str());
        throw EInOutError("Cannot write file " + path + ": " + ec.message());
    }
}

std::string FindFileNoCase(const std::string& dir, const std::string& name)
{
    std::error_code ec;
    fs::path exact = fs::path(dir) / name;
    if (fs::is_regular_file(exact, ec))
        return exact.string();
    std::string wanted = LowerAscii(name);
    std::vector<std::string> matches;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (LowerAscii(entry) == wanted && it->is_regular_file(ec))
            matches.push_back(entry);
    }
    if (matches.empty())
        return {};
    std::sort(matches.begin(), matches.end());
    return (fs::path(dir) / matches.front()).string();
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
        names_.emplace(LowerAscii(e), e);
    }
}

std::string TFolderNames::Find(const std::string& name) const
{
    if (exact_.contains(name))
        return (fs::path(dir_) / name).string();
    auto it = names_.find(LowerAscii(name));
    if (it == names_.end())
        return {};
    return (fs::path(dir_) / it->second).string();
}
