#pragma once

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// A save never writes into the target folder directly: the writers fill a
// staging folder on the same file system, and only when every file is there
// (and flushed to the disk) are the old settings files moved aside and the
// new ones renamed in. Any failure on the way puts the target back exactly as
// it was, so a full disk, a read-only folder or a file that cannot be
// replaced never leaves half a set.
//
// The swap itself is recorded first: a small journal in the staging area
// names every file it moves. When the program dies in the middle of the swap
// (killed, crashed, power lost), the next load or save of that folder finds
// the staging area with its journal and completes the swap, or undoes it when
// it had already started to go back; either way the folder holds one whole
// set again. Staging areas of a save that died before its swap began hold
// nothing the folder needs and are simply removed.

// Raised for every failure of a staged save; the text is meant for the user.
class ESaveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TSaveStaging {
public:
    // Checks that the target exists, is a folder and can be written, then
    // creates the staging folder beside it (or, when the parent cannot be
    // written or lies on another file system, hidden inside it). The staging
    // folder is locked for the life of this object, so a second program
    // saving or loading meanwhile never takes it for a leftover.
    explicit TSaveStaging(const std::filesystem::path& target);
    ~TSaveStaging(); // removes whatever is left of the staging area
    TSaveStaging(const TSaveStaging&) = delete;
    TSaveStaging& operator=(const TSaveStaging&) = delete;

    // The folder the writers write into.
    const std::filesystem::path& Dir() const { return newDir_; }
    const std::filesystem::path& Target() const { return target_; }

    // Swaps the staged files in. Regular files of the target for which
    // replaceOld(name) holds are removed, and so is any file with the name of a
    // staged one; then every staged file takes its place. All or nothing; the
    // new files and the folder are on the disk when it returns.
    void Commit(const std::function<bool(const std::string& name)>& replaceOld);

    // Called with 1, 2, 3, ... before each step of a swap or of its undoing
    // (writing the journal, each rename, dropping the journal, removing the
    // staging area). Tests stop the process there to prove every moment
    // leaves a recoverable folder; nothing else sets it.
    static std::function<void(int step)> StepHook;

private:
    void Step();
    void KeepArea(); // something could not be put back: leave it for recovery

    std::filesystem::path target_;
    std::filesystem::path root_;   // the staging area: new/ and old/ below it
    std::filesystem::path newDir_;
    std::filesystem::path oldDir_;
    int lockFd_ = -1;
    int step_ = 0;
};

// Looks for staging areas that saves into `folder` left behind when the
// program died, completes or undoes their swaps and removes them. Needs no
// free disk space. Gives the text to tell the user when a swap was completed
// or undone (or could not be), empty when there was nothing to tell. Never
// throws.
std::string RecoverInterruptedSaves(const std::filesystem::path& folder);

// The staging areas that belong to `folder` (beside it and inside it), live
// ones included.
std::vector<std::filesystem::path> StagingAreasOf(const std::filesystem::path& folder);
