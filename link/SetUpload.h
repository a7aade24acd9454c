#pragma once

#include "platform/net/FtpClient.h"

#include <functional>
#include <string>
#include <vector>

// Sends a whole settings set to the receiver so that it never holds a mix of
// old and new files: every file goes up under a temporary name beside its
// final one and its size is checked; only when all arrived are they renamed
// over the final names, one rename each. Before that, any failure removes the
// temporaries again and the receiver's set is untouched. A server that
// refuses renames gets the files over their old names, one after another.

// Added to a final name while a file is on its way.
inline constexpr const char* UploadTempSuffix = ".chanforge-new";

struct TUploadFile {
    std::string Local;  // the file in the transfer folder
    std::string Remote; // its final path on the receiver
};

enum class TUploadOutcome {
    NewSet,    // every file stands under its final name
    Unchanged, // nothing final was touched
    Partial,   // some final names hold new files, some old ones
};

class TSetUpload {
public:
    TSetUpload(cf::net::TIdFTP& ftp, std::function<void(const std::string&)> log,
               std::function<bool()> reconnect, std::function<void()> serve);

    TUploadOutcome Send(const std::vector<TUploadFile>& files);

    // A 552 (or 452) was among the replies: the receiver's disk is full.
    bool DiskFull() const { return !diskFullReply_.empty(); }
    const std::string& DiskFullReply() const { return diskFullReply_; }
    // The server refused renames and the files went over their old names.
    bool SentInPlace() const { return inPlace_; }

private:
    bool Upload(const TUploadFile& f, const std::string& to, bool checkSize);
    void Abandon(const std::vector<std::string>& temps);
    TUploadOutcome SendInPlace(const std::vector<TUploadFile>& files, const std::vector<std::string>& temps);
    bool EnsureConnected();

    cf::net::TIdFTP& ftp_;
    std::function<void(const std::string&)> log_;
    std::function<bool()> reconnect_;
    std::function<void()> serve_;
    std::string diskFullReply_;
    bool sizeUnknownTold_ = false;
    bool inPlace_ = false;
};

// The part of a remote path after its last "/".
std::string RemoteName(const std::string& remotePath);
