#pragma once

// Whole-file text reading and safe replacement of a file, shared by the
// readers and writers of the settings files.

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
    // Over a text read before, shared rather than copied.
    static TTextFile FromShared(std::shared_ptr<const std::string> text);

    bool Eof() const { return pos_ >= data_.size(); }
    // The next line, or an empty line at the end of the file.
    std::string_view ReadLine();
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
    // Back to the first line.
    void Rewind() { pos_ = 0; }
    const std::string& Text() const;
    const std::shared_ptr<const std::string>& Shared() const { return owner_; }

private:
    std::shared_ptr<const std::string> owner_;
    std::string_view data_; // *owner_
    std::size_t pos_ = 0;
};

// Writes `content` to `path`. An existing file is replaced through a
// temporary file in the same folder only once that is complete, so a failed
// write leaves the old file as it was; a new file is written directly and
// removed again when the write fails. EInOutError on failure.
void WriteFileReplacing(const std::string& path, std::string_view content);
