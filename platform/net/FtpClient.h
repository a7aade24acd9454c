#pragma once

#include "platform/net/NetError.h"
#include "platform/net/TcpSocket.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace cf::net {

// The server refused a command; Code is the reply code (0 when the reply
// could not be read at all).
class EFtpReplyError : public ENetError {
public:
    EFtpReplyError(int code, const std::string& text) : ENetError(text), Code(code) {}
    int Code;
};

// A small FTP client over our own sockets. Connecting and logging in are
// separate steps so the caller can tell a dead receiver from a wrong password.
// Every wait (connect, each reply, each block of a transfer, the data
// connection) is bounded by ConnectTimeout or ReadTimeout. After a time-out or
// a broken reply the control connection is closed, because its replies can
// no longer be matched to commands; later calls then fail at once.
class TIdFTP {
public:
    TIdFTP() = default;
    ~TIdFTP();
    TIdFTP(const TIdFTP&) = delete;
    TIdFTP& operator=(const TIdFTP&) = delete;

    std::string Host;
    int Port = 21;
    std::string Username;
    std::string Password;
    bool Passive = true;
    int ConnectTimeout = 5000;   // ms, name resolution and TCP connect
    int ReadTimeout = 5000;      // ms, every later wait
    // A name listing is read into memory: one larger than this (no receiver's
    // folder comes near it) is refused with an error, and the connection,
    // whose final reply is then out of step, is closed.
    std::size_t MaxListingBytes = 8 * 1024 * 1024;

    // Status texts of the connection ("Connecting to ...", "Connected.", ...).
    std::function<void(const std::string&)> OnStatus;

    // Opens the control connection and reads the greeting.
    void Connect();
    // USER / PASS. Throws EFtpReplyError when the server refuses.
    void Login();
    bool Connected() const { return control_.IsOpen(); }
    // QUIT (briefly waited for) and close; harmless when not connected.
    void Disconnect();

    // Plain names of the entries matching pattern. A pattern whose last part
    // holds "*" or "?" is matched here against the name listing of its folder,
    // because servers differ in whether they expand masks themselves.
    void List(const std::string& pattern, std::vector<std::string>& names);
    // Downloads into localPath, replacing it only when the whole file arrived.
    void Get(const std::string& remotePath, const std::string& localPath);
    // Uploads localPath to remotePath (replacing, never appending).
    void Put(const std::string& localPath, const std::string& remotePath);
    void Delete(const std::string& remotePath);
    // RNFR / RNTO: gives the file `from` the name `to`, replacing a file of
    // that name where the server allows it. EFtpReplyError when refused.
    void Rename(const std::string& from, const std::string& to);
    // The size in bytes of a remote file (SIZE), or -1 when the server does
    // not know the command. EFtpReplyError for a missing file.
    long long Size(const std::string& remotePath);

    // Text lines of the last reply, without their reply codes.
    const std::vector<std::string>& LastReplyText() const { return lastText_; }
    int LastReplyCode() const { return lastCode_; }

private:
    struct Reply {
        int code = 0;
        std::vector<std::string> lines;
    };

    void Status(const std::string& text);
    void RequireConnected();
    Reply ReadReply();
    Reply Command(const std::string& line);
    void Fail(const Reply& r);
    std::string ReadLine();
    TcpSocket OpenDataChannel(TcpSocket& listener);
    TcpSocket AcceptData(TcpSocket& listener);
    void EnsureBinary();
    void DropConnection();
    void NameList(const std::string& path, std::vector<std::string>& names);

    TcpSocket control_;
    std::string inbuf_;
    std::vector<std::string> lastText_;
    int lastCode_ = 0;
    bool binary_ = false;
};

} // namespace cf::net
