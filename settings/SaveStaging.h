#pragma once

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// A save never writes into the target folder directly: the writers fill a
// staging folder on the same file system, and only when every file is there
// are the old settings files moved aside and the new ones renamed in. Any
// failure on the way puts the target back exactly as it was, so a full disk,
// a read-only folder or a file that cannot be replaced never leaves half a set.

// Raised for every failure of a staged save; the text is meant for the user.
class ESaveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TSaveStaging {
public:
    // Checks that the target exists, is a folder and can be written, then
    // creates the staging folder beside it (or, when the parent cannot be
    // written or lies on another file system, hidden inside it).
    explicit TSaveStaging(const std::filesystem::path& target);
    ~TSaveStaging(); // removes whatever is left of the staging area
    TSaveStaging(const TSaveStaging&) = delete;
    TSaveStaging& operator=(const TSaveStaging&) = delete;

    // The folder the writers write into.
    const std::filesystem::path& Dir() const { return newDir_; }
    const std::filesystem::path& Target() const { return target_; }

    // Swaps the staged files in. Regular files of the target for which
    // replaceOld(name) holds are removed, and so is any file with the name of a
    // staged one; then every staged file takes its place. All or nothing.
    void Commit(const std::function<bool(const std::string& name)>& replaceOld);

private:
    std::filesystem::path target_;
    std::filesystem::path root_;   // the staging area: new/ and old/ below it
    std::filesystem::path newDir_;
    std::filesystem::path oldDir_;
};
