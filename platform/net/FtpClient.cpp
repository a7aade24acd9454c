#include "platform/net/FtpClient.h"
#include "platform/net/FtpReplies.h"

#include <cctype>
#include <filesystem>
#include <fnmatch.h>
#include <fstream>
#include <system_error>

namespace cf::net {

namespace {

constexpr std::size_t MaxReplyLine = 64 * 1024;
constexpr std::size_t MaxReplyLines = 1000;

bool IsCodeLine(const std::string& l)
{
    return l.size() >= 3 && std::isdigit(static_cast<unsigned char>(l[0])) &&
           std::isdigit(static_cast<unsigned char>(l[1])) && std::isdigit(static_cast<unsigned char>(l[2]));
}

std::string Join(const std::vector<std::string>& lines)
{
    std::string s;
    for (const auto& l : lines) {
        if (!s.empty())
            s += ' ';
        s += l;
    }
    return s;
}

} // namespace

TIdFTP::~TIdFTP()
{
    control_.Close();
}

void TIdFTP::Status(const std::string& text)
{
    if (OnStatus)
        OnStatus(text);
}

void TIdFTP::RequireConnected()
{
    if (!control_.IsOpen())
        throw ENetError("Not connected.");
}

void TIdFTP::DropConnection()
{
    if (control_.IsOpen()) {
        control_.Close();
        inbuf_.clear();
        Status("Disconnected.");
    }
}

std::string TIdFTP::ReadLine()
{
    for (;;) {
        auto nl = inbuf_.find('\n');
        if (nl != std::string::npos) {
            std::string line = inbuf_.substr(0, nl);
            inbuf_.erase(0, nl + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return line;
        }
        if (inbuf_.size() > MaxReplyLine)
            throw ENetError("Reply line too long");
        char buf[4096];
        std::size_t n = control_.Receive(buf, sizeof buf, ReadTimeout);
        if (n == 0)
            throw ENetError("Connection closed gracefully.");
        inbuf_.append(buf, n);
    }
}

TIdFTP::Reply TIdFTP::ReadReply()
{
    Reply r;
    try {
        std::string line = ReadLine();
        if (!IsCodeLine(line))
            throw ENetError("Invalid reply from server: " + line);
        r.code = std::stoi(line.substr(0, 3));
        bool multi = line.size() > 3 && line[3] == '-';
        r.lines.push_back(line.size() > 4 ? line.substr(4) : std::string());
        while (multi) {
            line = ReadLine();
            if (r.lines.size() > MaxReplyLines)
                throw ENetError("Reply too long");
            if (line.size() >= 4 && IsCodeLine(line) && std::stoi(line.substr(0, 3)) == r.code && line[3] == ' ') {
                r.lines.push_back(line.substr(4));
                break;
            }
            // Inner lines may repeat the code with "-" or stand alone.
            if (line.size() >= 4 && IsCodeLine(line) && line[3] == '-')
                r.lines.push_back(line.substr(4));
            else
                r.lines.push_back(line);
        }
    } catch (const ENetError&) {
        DropConnection();
        throw;
    }
    lastCode_ = r.code;
    lastText_ = r.lines;
    return r;
}

TIdFTP::Reply TIdFTP::Command(const std::string& line)
{
    RequireConnected();
    try {
        control_.SendAll(line + "\r\n", ReadTimeout);
    } catch (const ENetError&) {
        DropConnection();
        throw;
    }
    return ReadReply();
}

void TIdFTP::Fail(const Reply& r)
{
    throw EFtpReplyError(r.code, std::to_string(r.code) + " " + Join(r.lines));
}

void TIdFTP::Connect()
{
    Disconnect();
    binary_ = false;
    Status("Connecting to " + Host + ".");
    control_ = TcpSocket::Connect(Host, Port, ConnectTimeout);
    Reply r;
    try {
        // The greeting belongs to connecting: a server that accepts but
        // never greets is as unreachable as one that refuses.
        r = ReadReply();
    } catch (const ENetError&) {
        DropConnection();
        throw;
    }
    // 120 "service ready in n minutes" is followed by the real greeting.
    while (r.code == 120)
        r = ReadReply();
    if (r.code / 100 != 2) {
        DropConnection();
        Fail(r);
    }
    Status("Connected.");
}

void TIdFTP::Login()
{
    RequireConnected();
    Reply r = Command("USER " + Username);
    if (r.code == 331 || r.code == 332)
        r = Command("PASS " + Password);
    if (r.code / 100 != 2)
        Fail(r);
}

void TIdFTP::Disconnect()
{
    if (!control_.IsOpen())
        return;
    Status("Disconnecting.");
    try {
        control_.SendAll(std::string("QUIT\r\n"), ReadTimeout);
        // The goodbye is polite, not needed: wait only briefly.
        if (control_.WaitReadable(ReadTimeout < 1000 ? ReadTimeout : 1000))
            ReadReply();
    } catch (const ENetError&) {
    }
    DropConnection();
}

void TIdFTP::EnsureBinary()
{
    if (binary_)
        return;
    Reply r = Command("TYPE I");
    if (r.code / 100 != 2)
        Fail(r);
    binary_ = true;
}

// Prepares a data connection: in passive mode it is already connected, in
// active mode `listener` waits for the server and the returned socket is empty.
TcpSocket TIdFTP::OpenDataChannel(TcpSocket& listener)
{
    bool v6 = control_.IsIPv6();
    if (Passive) {
        Reply r = Command(v6 ? "EPSV" : "PASV");
        if (r.code / 100 != 2)
            Fail(r);
        std::string text = Join(r.lines);
        int port = v6 ? ExtendedPassivePort(text) : PassivePort(text);
        if (port <= 0)
            throw EFtpReplyError(r.code, "Invalid passive reply: " + text);
        // The data connection goes to the host we are talking to, never to
        // an address the reply names (which could point anywhere).
        return TcpSocket::Connect(control_.PeerAddress(), port, ConnectTimeout);
    }
    listener = TcpSocket::ListenBeside(control_);
    int port = listener.LocalPort();
    std::string addr = listener.LocalAddress();
    std::string cmd;
    if (v6) {
        cmd = "EPRT |2|" + addr + "|" + std::to_string(port) + "|";
    } else {
        for (char& c : addr)
            if (c == '.')
                c = ',';
        cmd = "PORT " + addr + "," + std::to_string(port / 256) + "," + std::to_string(port % 256);
    }
    Reply r = Command(cmd);
    if (r.code / 100 != 2)
        Fail(r);
    return TcpSocket();
}

// Active mode: the server connects to us. Only the server we talk to may
// deliver the data.
TcpSocket TIdFTP::AcceptData(TcpSocket& listener)
{
    TcpSocket data = listener.Accept(ReadTimeout);
    if (data.PeerAddress() != control_.PeerAddress())
        throw ENetError("Data connection from an unexpected address " + data.PeerAddress());
    return data;
}

void TIdFTP::NameList(const std::string& path, std::vector<std::string>& names)
{
    RequireConnected();
    EnsureBinary();
    TcpSocket listener;
    TcpSocket data = OpenDataChannel(listener);
    Reply r = Command(path.empty() ? "NLST" : "NLST " + path);
    if (r.code / 100 != 1) {
        // 450/550 for a folder that is missing or unreadable; some servers
        // say 226 straight away for nothing to list.
        if (r.code / 100 == 2)
            return;
        Fail(r);
    }
    std::string all;
    char buf[16384];
    try {
        if (!Passive)
            data = AcceptData(listener);
        for (;;) {
            std::size_t n = data.Receive(buf, sizeof buf, ReadTimeout);
            if (n == 0)
                break;
            if (all.size() + n > MaxListingBytes)
                throw ENetError("The listing of " + (path.empty() ? std::string(".") : path) + " is larger than " +
                                std::to_string(MaxListingBytes) + " bytes");
            all.append(buf, n);
        }
    } catch (const ENetError&) {
        // The final reply is still due at an unknown time: out of step.
        DropConnection();
        throw;
    }
    data.Close();
    r = ReadReply();
    if (r.code / 100 != 2)
        Fail(r);
    std::size_t start = 0;
    while (start < all.size()) {
        auto nl = all.find('\n', start);
        std::string line = all.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
        start = nl == std::string::npos ? all.size() : nl + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            names.push_back(line);
    }
}

void TIdFTP::List(const std::string& pattern, std::vector<std::string>& names)
{
    auto slash = pattern.rfind('/');
    std::string mask = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
    if (mask.find_first_of("*?[") == std::string::npos) {
        NameList(pattern, names);
        return;
    }
    std::string folder = slash == std::string::npos ? std::string() : pattern.substr(0, slash);
    if (slash == 0)
        folder = "/";
    std::vector<std::string> all;
    NameList(folder, all);
    for (auto& entry : all) {
        auto s = entry.rfind('/');
        std::string base = s == std::string::npos ? entry : entry.substr(s + 1);
        if (fnmatch(mask.c_str(), base.c_str(), FNM_PERIOD) == 0)
            names.push_back(entry);
    }
}

void TIdFTP::Get(const std::string& remotePath, const std::string& localPath)
{
    RequireConnected();
    EnsureBinary();
    std::filesystem::path part = localPath + ".cfpart";
    TcpSocket listener;
    TcpSocket data = OpenDataChannel(listener);
    Reply r = Command("RETR " + remotePath);
    if (r.code / 100 != 1)
        Fail(r);
    struct PartFile {
        std::filesystem::path path;
        bool keep = false;
        ~PartFile()
        {
            if (!keep) {
                std::error_code ec;
                std::filesystem::remove(path, ec);
            }
        }
    } guard{part};
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    if (!out)
        throw ENetError("Cannot create " + localPath);
    try {
        if (!Passive)
            data = AcceptData(listener);
        char buf[65536];
        for (;;) {
            std::size_t n = data.Receive(buf, sizeof buf, ReadTimeout);
            if (n == 0)
                break;
            out.write(buf, static_cast<std::streamsize>(n));
            if (!out)
                throw ENetError("Cannot write " + localPath);
        }
    } catch (const ENetError&) {
        // The server's final reply is still due; we cannot tell when, so the
        // connection is out of step.
        DropConnection();
        throw;
    }
    data.Close();
    out.close();
    if (!out)
        throw ENetError("Cannot write " + localPath);
    r = ReadReply();
    if (r.code / 100 != 2)
        Fail(r);
    std::error_code ec;
    std::filesystem::rename(part, localPath, ec);
    if (ec)
        throw ENetError("Cannot write " + localPath + ": " + ec.message());
    guard.keep = true;
}

void TIdFTP::Put(const std::string& localPath, const std::string& remotePath)
{
    RequireConnected();
    std::ifstream in(localPath, std::ios::binary);
    if (!in)
        throw ENetError("Cannot open " + localPath);
    EnsureBinary();
    TcpSocket listener;
    TcpSocket data = OpenDataChannel(listener);
    Reply r = Command("STOR " + remotePath);
    if (r.code / 100 != 1)
        Fail(r);
    try {
        if (!Passive)
            data = AcceptData(listener);
        char buf[65536];
        while (in) {
            in.read(buf, sizeof buf);
            std::streamsize n = in.gcount();
            if (n > 0)
                data.SendAll(buf, static_cast<std::size_t>(n), ReadTimeout);
        }
        if (in.bad())
            throw ENetError("Cannot read " + localPath);
    } catch (const ENetError&) {
        DropConnection();
        throw;
    }
    data.ShutdownWrite();
    data.Close();
    r = ReadReply();
    if (r.code / 100 != 2)
        Fail(r);
}

void TIdFTP::Delete(const std::string& remotePath)
{
    Reply r = Command("DELE " + remotePath);
    if (r.code / 100 != 2)
        Fail(r);
}

void TIdFTP::Rename(const std::string& from, const std::string& to)
{
    Reply r = Command("RNFR " + from);
    if (r.code / 100 != 3)
        Fail(r);
    r = Command("RNTO " + to);
    if (r.code / 100 != 2)
        Fail(r);
}

long long TIdFTP::Size(const std::string& remotePath)
{
    // Sizes are only meaningful for binary transfers.
    EnsureBinary();
    Reply r = Command("SIZE " + remotePath);
    if (r.code == 500 || r.code == 502 || r.code == 504)
        return -1;
    if (r.code != 213)
        Fail(r);
    const std::string text = r.lines.empty() ? std::string() : r.lines.back();
    long long size = 0;
    std::size_t digits = 0;
    for (char c : text) {
        if (c == ' ' && digits == 0)
            continue;
        if (c < '0' || c > '9' || digits >= 18)
            break;
        size = size * 10 + (c - '0');
        ++digits;
    }
    if (digits == 0)
        throw EFtpReplyError(r.code, "Invalid size reply: " + text);
    return size;
}

} // namespace cf::net
