#include "settings/TextFile.h"
#include "settings/Errors.h"

#include "platform/LargeMemory.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::string IoMessage(const std::string& what, const std::string& path, int err)
{
    return what + " \"" + path + "\": " + std::strerror(err);
}

} // namespace

namespace {

FilePtr OpenForReading(const std::string& path)
{
    FilePtr f(std::fopen(path.c_str(), "rb"));
    if (!f)
        throw EInOutError(IoMessage("Cannot open file", path, errno));
    return f;
}

// The size the file tells, or 0 for files that do not (pipes, special
// files); the file is left at its start.
std::size_t KnownSize(std::FILE* f)
{
    if (std::fseek(f, 0, SEEK_END) != 0)
        return 0;
    const long size = std::ftell(f);
    std::rewind(f);
    return size > 0 ? static_cast<std::size_t>(size) : 0;
}

// Appends what is left of `f` to `data`, in chunks; EInOutError when any
// read of `f` failed.
void AppendRest(std::FILE* f, const std::string& path, std::string& data)
{
    char buf[1 << 16];
    for (;;) {
        const std::size_t n = std::fread(buf, 1, sizeof buf, f);
        data.append(buf, n);
        if (n < sizeof buf)
            break;
    }
    if (std::ferror(f))
        throw EInOutError(IoMessage("Cannot read file", path, errno));
}

} // namespace

std::string ReadWholeFile(const std::string& path)
{
    const FilePtr f = OpenForReading(path);
    std::string data;
    // One read of the whole file when its size is known, then whatever
    // follows (a file that grew meanwhile, or one that does not tell).
    if (const std::size_t size = KnownSize(f.get())) {
        data.reserve(size);
        cf::AdviseLargePages(data.data(), data.capacity());
        data.resize(size);
        data.resize(std::fread(data.data(), 1, data.size(), f.get()));
    }
    AppendRest(f.get(), path, data);
    return data;
}

TTextFile::TTextFile(const std::string& path)
{
    const FilePtr f = OpenForReading(path);
    // A file of known size is read once into memory that is not cleared
    // first: for a large services file the clearing costs a third of the
    // read. A file that does not tell its size, or that changes size while
    // it is read, ends up in a string with the rest of what it gives.
    std::string data;
    if (const std::size_t size = KnownSize(f.get())) {
        std::shared_ptr<char[]> buffer = std::make_shared_for_overwrite<char[]>(size);
        cf::AdviseLargePages(buffer.get(), size);
        const std::size_t n = std::fread(buffer.get(), 1, size, f.get());
        char more = 0;
        const std::size_t extra = n == size && !std::ferror(f.get()) ? std::fread(&more, 1, 1, f.get()) : 0;
        if (n == size && extra == 0 && !std::ferror(f.get())) {
            data_ = std::string_view(buffer.get(), size);
            owner_ = std::move(buffer);
            return;
        }
        data.assign(buffer.get(), n);
        data.append(extra, more);
    }
    AppendRest(f.get(), path, data);
    *this = FromText(std::move(data));
}

TTextFile TTextFile::FromText(std::string text)
{
    TTextFile t;
    auto owner = std::make_shared<const std::string>(std::move(text));
    t.data_ = *owner;
    t.owner_ = std::move(owner);
    return t;
}

namespace {

// Writes `content` into `f` and closes it; 0 or the error number.
int WriteAndClose(FilePtr f, std::string_view content)
{
    const std::size_t n = std::fwrite(content.data(), 1, content.size(), f.get());
    int err = n == content.size() ? 0 : (errno ? errno : EIO);
    if (std::fflush(f.get()) != 0 && err == 0)
        err = errno ? errno : EIO;
    if (std::fclose(f.release()) != 0 && err == 0)
        err = errno ? errno : EIO;
    return err;
}

} // namespace

void WriteFileReplacing(const std::string& path, std::string_view content)
{
    namespace fs = std::filesystem;
    // A file that is not there yet (every file of a save's staging folder)
    // is written in place: there is nothing to keep, and a rename over a
    // file costs a flush of its data on some file systems. Created
    // exclusively, so a file that turns up meanwhile takes the safe way.
    if (FilePtr f{std::fopen(path.c_str(), "wbx")}) {
        if (const int err = WriteAndClose(std::move(f), content)) {
            std::error_code ec;
            fs::remove(path, ec);
            throw EInOutError(IoMessage("Cannot write file", path, err));
        }
        return;
    }

    const fs::path target(path);
    fs::path temp = target;
    temp += ".chanforge-new";
    {
        FilePtr f(std::fopen(temp.c_str(), "wb"));
        if (!f)
            throw EInOutError(IoMessage("Cannot create file", temp.string(), errno));
        if (const int err = WriteAndClose(std::move(f), content)) {
            std::error_code ec;
            fs::remove(temp, ec);
            throw EInOutError(IoMessage("Cannot write file", path, err));
        }
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        throw EInOutError("Cannot write file \"" + path + "\": " + ec.message());
    }
}
