#pragma once

// Whole-file text reading and safe replacement of a file, shared by the
// readers and writers of the settings files.

#include "settings/ByteScan.h"

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

// The whole file `path`; EInOutError when it cannot be opened or read.
std::string ReadWholeFile(const std::string& path);

// A text file read into memory, handed out line by line. Lines end with LF
// or CR LF; the line end (and any further CR before it) is not part of the
// line.
class TTextFile {
public:
    TTextFile() = default;
    // Reads `path`; EInOutError when it cannot be opened or read.
    explicit TTextFile(const std::string& path);
    static TTextFile FromText(std::string text);

    bool Eof() const { return pos_ >= data_.size(); }
    // The next line, or an empty line at the end of the file. In the class:
    // a large file is read a line at a time, several hundred thousand calls.
    std::string_view ReadLine()
    {
        if (pos_ >= data_.size())
            return {};
        const char* const begin = data_.data() + pos_;
        const char* const textEnd = data_.data() + data_.size();
        // Lines of settings files are short: a compare of 64 bytes at a time
        // finds their end sooner than a library search set up for long runs.
        const char* const nl = bytescan::Find(begin, textEnd, '\n');
        std::size_t len = static_cast<std::size_t>(nl - begin);
        pos_ += nl < textEnd ? len + 1 : len;
        // CR LF ends a line too; a file converted to CR LF twice has more CRs.
        while (len > 0 && begin[len - 1] == '\r')
            --len;
        return {begin, len};
    }
    // The next line without moving on.
    std::string_view PeekLine()
    {
        const std::size_t keep = pos_;
        const std::string_view line = ReadLine();
        pos_ = keep;
        return line;
    }
    // The text not read yet.
    std::string_view Rest() const { return data_.substr(pos_); }
    // Moves on by `bytes` of Rest() that a caller read in place.
    void Skip(std::size_t bytes) { pos_ = std::min(pos_ + bytes, data_.size()); }
    // Back to the first line. A copy of a file shares its text and reads
    // on from where the original was.
    void Rewind() { pos_ = 0; }

private:
    // Whatever holds the text: a string given, or the bytes of a file read
    // into memory that was never cleared first.
    std::shared_ptr<const void> owner_;
    std::string_view data_;
    std::size_t pos_ = 0;
};

// Writes `content` to `path`. An existing file is replaced through a
// temporary file in the same folder only once that is complete, so a failed
// write leaves the old file as it was; a new file is written directly and
// removed again when the write fails. EInOutError on failure.
void WriteFileReplacing(const std::string& path, std::string_view content);
