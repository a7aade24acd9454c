#include "link/SetUpload.h"

#include "settings/MessageTexts.h"

#include <filesystem>
#include <system_error>

std::string RemoteName(const std::string& remotePath)
{
    const auto slash = remotePath.rfind('/');
    return slash == std::string::npos ? remotePath : remotePath.substr(slash + 1);
}

TSetUpload::TSetUpload(cf::net::TIdFTP& ftp, std::function<void(const std::string&)> log,
                       std::function<bool()> reconnect, std::function<void()> serve)
    : ftp_(ftp), log_(std::move(log)), reconnect_(std::move(reconnect)), serve_(std::move(serve))
{
}

bool TSetUpload::EnsureConnected()
{
    return ftp_.Connected() || (reconnect_ && reconnect_());
}

// Puts one file to `to`; false (logged) when it did not arrive whole.
bool TSetUpload::Upload(const TUploadFile& f, const std::string& to, bool checkSize)
{
    const std::string name = RemoteName(f.Remote);
    try {
        ftp_.Put(f.Local, to);
        if (checkSize) {
            std::error_code ec;
            const auto local = std::filesystem::file_size(f.Local, ec);
            const long long remote = ftp_.Size(to);
            if (remote < 0) {
                if (!sizeUnknownTold_)
                    log_(LoadRs(rs::SizesUntold));
                sizeUnknownTold_ = true;
            } else if (!ec && static_cast<unsigned long long>(remote) != local) {
                throw cf::net::ENetError(
                    LoadRsFmt(rs::ReceiverHoldsPart, {std::to_string(remote), std::to_string(local), name}));
            }
        }
        return true;
    } catch (const cf::net::EFtpReplyError& e) {
        if (e.Code == 552 || e.Code == 452)
            diskFullReply_ = e.what();
        log_(LoadRsFmt(rs::SendingFailed, {name}));
        log_(e.what());
    } catch (const cf::net::ENetError& e) {
        log_(LoadRsFmt(rs::SendingFailed, {name}));
        log_(e.what());
    }
    return false;
}

void TSetUpload::Abandon(const std::vector<std::string>& temps)
{
    if (temps.empty())
        return;
    if (!EnsureConnected()) {
        std::string names;
        for (const auto& t : temps)
            names += (names.empty() ? "" : ", ") + RemoteName(t);
        log_(LoadRsFmt(rs::UnfinishedUnreachable, {names}));
        return;
    }
    for (const auto& t : temps) {
        try {
            ftp_.Delete(t);
        } catch (const cf::net::EFtpReplyError&) {
            // Never created (the upload was refused before it began).
        } catch (const cf::net::ENetError& e) {
            log_(LoadRsFmt(rs::UnfinishedNotRemoved, {RemoteName(t), e.what()}));
            if (!EnsureConnected())
                return;
        }
    }
}

TUploadOutcome TSetUpload::Send(const std::vector<TUploadFile>& files)
{
    std::vector<std::string> temps;
    for (const auto& f : files) {
        if (serve_)
            serve_();
        log_(LoadRsFmt(rs::SendingFile, {RemoteName(f.Remote)}));
        const std::string temp = f.Remote + UploadTempSuffix;
        // A refused or broken upload may still have left part of the file.
        temps.push_back(temp);
        if (!Upload(f, temp, true)) {
            Abandon(temps);
            return TUploadOutcome::Unchanged;
        }
    }

    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string temp = files[i].Remote + UploadTempSuffix;
        try {
            ftp_.Rename(temp, files[i].Remote);
            continue;
        } catch (const cf::net::EFtpReplyError& e) {
            if (i == 0 && ftp_.Connected()) {
                log_(LoadRsFmt(rs::NoRenameOnReceiver, {e.what()}));
                return SendInPlace(files, temps);
            }
            log_(LoadRsFmt(rs::SendingFailed, {RemoteName(files[i].Remote)}));
            log_(e.what());
        } catch (const cf::net::ENetError& e) {
            log_(LoadRsFmt(rs::SendingFailed, {RemoteName(files[i].Remote)}));
            log_(e.what());
        }
        // Every new file is complete on the receiver: finish the renames on
        // a new connection rather than leave a mix. Without one, not even
        // the rename that was cut is known to have happened or not.
        if (!EnsureConnected())
            return TUploadOutcome::Partial;
        for (std::size_t k = i; k < files.size(); ++k) {
            const std::string t = files[k].Remote + UploadTempSuffix;
            try {
                ftp_.Rename(t, files[k].Remote);
            } catch (const cf::net::EFtpReplyError&) {
                // Renamed already when the connection broke after the rename
                // was done; anything else shows in the size check below.
            } catch (const cf::net::ENetError& e) {
                log_(e.what());
                return TUploadOutcome::Partial;
            }
        }
        // Whatever stands under a temporary name now was not renamed.
        for (std::size_t k = i; k < files.size(); ++k) {
            try {
                ftp_.Size(files[k].Remote + UploadTempSuffix);
                log_(LoadRsFmt(rs::SendingFailed, {RemoteName(files[k].Remote)}));
                return TUploadOutcome::Partial;
            } catch (const cf::net::EFtpReplyError&) {
            } catch (const cf::net::ENetError&) {
                return TUploadOutcome::Partial;
            }
        }
        return TUploadOutcome::NewSet;
    }
    return TUploadOutcome::NewSet;
}

TUploadOutcome TSetUpload::SendInPlace(const std::vector<TUploadFile>& files, const std::vector<std::string>& temps)
{
    inPlace_ = true;
    TUploadOutcome outcome = TUploadOutcome::NewSet;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (serve_)
            serve_();
        if (!Upload(files[i], files[i].Remote, false)) {
            outcome = i == 0 ? TUploadOutcome::Unchanged : TUploadOutcome::Partial;
            // A broken upload over a final name may have cut that file.
            if (i == 0 && !ftp_.Connected())
                outcome = TUploadOutcome::Partial;
            break;
        }
    }
    Abandon(temps);
    return outcome;
}
