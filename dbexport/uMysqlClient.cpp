#include "dbexport/uMysqlClient.h"

#include "dbexport/MySQLParser.h"
#include "dbexport/uMysqlErrors.h"
#include "dbexport/uMysqlNewPassword.h"
#include "platform/SameText.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace {

constexpr size_t kLocalFileChunk = 61440;
const char kNoSecureAuth[] = "No secure authentication available to this MySQL server.";

// Bounded reading of one packet payload.
struct PacketReader {
    const uint8_t* p;
    size_t len;
    size_t pos = 0;
    bool ok = true;

    size_t Left() const { return pos < len ? len - pos : 0; }
    uint64_t Fixed(size_t n)
    {
        if (Left() < n) {
            ok = false;
            pos = len;
            return 0;
        }
        uint64_t v = 0;
        for (size_t i = 0; i < n; ++i)
            v |= uint64_t(p[pos + i]) << (8 * i);
        pos += n;
        return v;
    }
    // Length-coded integer; NULL (251) gives -1.
    int64_t LenInt()
    {
        if (Left() < 1) {
            ok = false;
            return 0;
        }
        uint8_t c = p[pos++];
        if (c < 251)
            return c;
        switch (c) {
        case 251: return -1;
        case 252: return static_cast<int64_t>(Fixed(2));
        case 253: return static_cast<int64_t>(Fixed(3));
        case 254: return static_cast<int64_t>(Fixed(8));
        default: ok = false; return 0;
        }
    }
    std::optional<std::string> LenText()
    {
        int64_t n = LenInt();
        if (!ok || n < 0)
            return std::nullopt;
        if (static_cast<uint64_t>(n) > Left()) {
            ok = false;
            pos = len;
            return std::nullopt;
        }
        std::string s(reinterpret_cast<const char*>(p + pos), static_cast<size_t>(n));
        pos += static_cast<size_t>(n);
        return s;
    }
};

void PutLe(std::string& out, uint64_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

using cf::SameText;

std::string UnquoteSql(std::string_view quoted)
{
    if (quoted.size() < 2)
        return {};
    char q = quoted.front();
    std::string_view body = quoted.substr(1, quoted.size() - (quoted.back() == q ? 2 : 1));
    std::string out;
    for (size_t i = 0; i < body.size(); ++i) {
        char c = body[i];
        if (c == '\\' && i + 1 < body.size()) {
            char n = body[++i];
            switch (n) {
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case '0': out += '\0'; break;
            case 'Z': out += '\x1A'; break;
            case 'b': out += '\b'; break;
            default: out += n; break;
            }
        } else if (c == q && i + 1 < body.size() && body[i + 1] == q) {
            out += q;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

std::string NamedLocalFile(std::string_view statement)
{
    TBasicParser p(statement);
    p.LineComments = {"-- ", "#"};
    p.BlockCommentStarts = {"/*"};
    p.BlockCommentEnds = {"*/"};
    std::vector<TToken> tokens;
    for (;;) {
        const TToken& t = p.NextToken(true);
        if (t.Kind == tkEnd || t.Kind == tkStatementEnd)
            break;
        if (t.Kind == tkLineComment || t.Kind == tkBlockComment)
            continue;
        // A quoted text split at a line end by the tokenizer cannot name a file we trust.
        tokens.push_back(t);
    }
    if (tokens.empty() || tokens[0].Kind != tkIdentifier || !SameText(tokens[0].Text, "LOAD"))
        return {};
    for (size_t i = 1; i + 2 < tokens.size(); ++i) {
        if (tokens[i].Kind == tkIdentifier && SameText(tokens[i].Text, "LOCAL") &&
            tokens[i + 1].Kind == tkIdentifier && SameText(tokens[i + 1].Text, "INFILE") &&
            tokens[i + 2].Kind == tkString) {
            // 'it''s' comes as two quoted texts that touch: one name.
            std::string raw = tokens[i + 2].Text;
            for (size_t j = i + 3; j < tokens.size() && tokens[j].Kind == tkString &&
                                   tokens[j].Text[0] == raw[0] &&
                                   tokens[j].Position == tokens[j - 1].Position +
                                                            static_cast<int>(tokens[j - 1].Text.size());
                 ++j)
                raw += tokens[j].Text;
            return UnquoteSql(raw);
        }
    }
    return {};
}

// ---------------------------------------------------------------- result

TMysqlResult::TMysqlResult(TMysqlClient* client, std::vector<TMysqlField> fields)
    : lock_(client ? client->lock_ : std::make_shared<std::recursive_mutex>()), client_(client),
      fields_(std::move(fields))
{
    row_.resize(fields_.size());
    lengths_.resize(fields_.size());
}

TMysqlResult::~TMysqlResult()
{
    // Rows still on the wire are read and dropped so the connection can go on.
    std::lock_guard<std::recursive_mutex> g(*lock_);
    while (client_ && client_->FetchRow(*this) > 0) {
    }
    if (client_)
        client_->EndResult(*this);
}

bool TMysqlResult::Next()
{
    // The lock first: a Close on another thread detaches this result, and
    // the client must not be looked at before that is settled.
    std::lock_guard<std::recursive_mutex> g(*lock_);
    if (eof_ || !client_) {
        eof_ = true;
        return false;
    }
    TMysqlClient* c = client_;
    int r = c->FetchRow(*this);
    if (r > 0)
        return true;
    if (client_)
        c->EndResult(*this);
    return false;
}

// ---------------------------------------------------------------- client

TMysqlClient::TMysqlClient() = default;

TMysqlClient::~TMysqlClient()
{
    std::lock_guard<std::recursive_mutex> g(*lock_);
    CloseLocked();
}

std::unique_ptr<TMysqlResult> TMysqlClient::CreateResult(std::vector<TMysqlField> fields)
{
    return std::make_unique<TMysqlResult>(this, std::move(fields));
}

void TMysqlClient::SetError(int number, const std::string& text) { net_.SetLastError(number, text); }

void TMysqlClient::SetCompress(bool on)
{
    std::lock_guard<std::recursive_mutex> g(*lock_);
    if (on != compressWanted_ && net_.IsOpen())
        CloseLocked();
    compressWanted_ = on;
}

void TMysqlClient::SetNamedPipe(bool use, bool tcpFallback)
{
    std::lock_guard<std::recursive_mutex> g(*lock_);
    if ((use != usePipe_ || tcpFallback != tcpFallback_) && net_.IsOpen())
        CloseLocked();
    usePipe_ = use;
    tcpFallback_ = tcpFallback;
}

bool TMysqlClient::RealConnect(const std::string& host, const std::string& user,
                               const std::string& password, const std::string& database, int port,
                               uint32_t clientFlags, bool tcpFallback, const std::string& pipeName)
{
    std::lock_guard<std::recursive_mutex> g(*lock_);
    if (net_.IsOpen())
        return true;
    if (host.empty() && host_.empty() && !usePipe_)
        return false;
    if (!host.empty())
        host_ = host;
    user_ = user;
    password_ = password;
    db_ = database;
    port_ = port;
    givenFlags_ = clientFlags;
    if (tcpFallback)
        tcpFallback_ = true;
    if (!pipeName.empty())
        pipeName_ = pipeName;
    return DoConnect();
}

bool TMysqlClient::Reconnect()
{
    if (!reconnect_ || (serverStatus_ & SERVER_STATUS_IN_TRANS)) {
        serverStatus_ &= static_cast<uint16_t>(~SERVER_STATUS_IN_TRANS);
        SetError(CR_SERVER_GONE_ERROR, ClientErrorText(CR_SERVER_GONE_ERROR));
        return false;
    }
    if (!DoConnect()) {
        if (net_.LastErrorNo() == 0)
            SetError(CR_SERVER_GONE_ERROR, ClientErrorText(CR_SERVER_GONE_ERROR));
        return false;
    }
    return true;
}

bool TMysqlClient::DoConnect()
{
    secureWanted_ = (givenFlags_ & CLIENT_SECURE_CONNECTION) != 0;
    fields_.clear();
    status_ = 0;

    // Transport.
    int r;
    if (usePipe_) {
        r = net_.Open(vkNamedPipe, host_, tcpFallback_, timeout_, port_, pipeName_);
        if (r == 0 && net_.Kind() != vkNamedPipe) {
            usePipe_ = false;
            pipeName_.clear();
        }
    } else {
        r = net_.Open(vkTcpIp, host_, false, timeout_, port_, {});
    }
    if (r != 0 || !net_.IsOpen())
        return false;

    auto fail = [&](int number, const std::string& text) {
        net_.Close();
        if (number != 0)
            SetError(number, text);
        return false;
    };

    // Greeting.
    long len = net_.ReadReply();
    if (len < 0)
        return fail(0, {});
    const uint8_t* p = net_.ReadPos();
    const size_t n = static_cast<size_t>(len);
    uint8_t protocol = p[0];
    net_.SetProtocolVersion(protocol);
    if (protocol != 10 && protocol != 9)
        return fail(CR_VERSION_ERROR, ClientErrorText(CR_VERSION_ERROR, {}, {}, protocol, 10));
    const uint8_t* vEnd = static_cast<const uint8_t*>(std::memchr(p + 1, 0, n - 1));
    if (!vEnd)
        return fail(CR_SERVER_HANDSHAKE_ERR, ClientErrorText(CR_SERVER_HANDSHAKE_ERR));
    const size_t v = static_cast<size_t>(vEnd - (p + 1));
    if (n < v + 6)
        return fail(CR_SERVER_HANDSHAKE_ERR, ClientErrorText(CR_SERVER_HANDSHAKE_ERR));
    serverVersion_.assign(reinterpret_cast<const char*>(p + 1), v);
    threadId_ = p[v + 2] | (uint32_t(p[v + 3]) << 8) | (uint32_t(p[v + 4]) << 16) |
                (uint32_t(p[v + 5]) << 24);
    salt_.clear();
    for (size_t i = v + 6; i < n && i < v + 14 && p[i] != 0; ++i)
        salt_ += static_cast<char>(p[i]);
    serverCaps_ = 0;
    if (n >= v + 17)
        serverCaps_ = static_cast<uint16_t>(p[v + 15] | (p[v + 16] << 8));
    if (n >= v + 33) {
        serverCharset_ = p[v + 17];
        serverStatus_ = static_cast<uint16_t>(p[v + 18] | (p[v + 19] << 8));
    }
    if (n > v + 33) {
        for (size_t i = v + 33; i < n && i < v + 45 && p[i] != 0; ++i)
            salt_ += static_cast<char>(p[i]);
    } else {
        serverCaps_ &= static_cast<uint16_t>(~CLIENT_SECURE_CONNECTION);
    }

    if (secureWanted_ && !password_.empty() && !(serverCaps_ & CLIENT_SECURE_CONNECTION))
        return fail(CR_SECURE_AUTH, kNoSecureAuth);

    // Capabilities.
    uint32_t flags = (givenFlags_ | kDefaultClientFlags) & ~uint32_t(CLIENT_LOCAL_FILES | CLIENT_SSL);
    if (localInfile_)
        flags |= CLIENT_LOCAL_FILES;
    if (flags & CLIENT_MULTI_STATEMENTS)
        flags |= CLIENT_MULTI_RESULTS;
    if (!db_.empty())
        flags |= CLIENT_CONNECT_WITH_DB;
    const uint32_t negotiated = CLIENT_SECURE_CONNECTION | CLIENT_SSL | CLIENT_PROTOCOL_41 | CLIENT_COMPRESS;
    flags &= ~negotiated | serverCaps_;
    if ((serverCaps_ & CLIENT_COMPRESS) && (compressWanted_ || (givenFlags_ & CLIENT_COMPRESS)))
        flags |= CLIENT_COMPRESS;
    else
        flags &= ~uint32_t(CLIENT_COMPRESS);
    clientFlags_ = flags;

    // Login packet.
    std::string login;
    if (flags & CLIENT_PROTOCOL_41) {
        PutLe(login, flags, 4);
        PutLe(login, 0x1000000, 4);
        login += '\0';                 // character set: the server's own
        login.append(23, '\0');
    } else {
        PutLe(login, flags, 2);
        PutLe(login, 0, 3);
    }
    // The whole name: cutting it would log in as another account.
    login += user_;
    login += '\0';
    if (flags & CLIENT_SECURE_CONNECTION) {
        if (password_.empty()) {
            login += '\0';
        } else {
            std::string scramble = Scramble41(password_, salt_);
            if (scramble.size() != 20)
                return fail(CR_UNKNOWN_ERROR, "SHA-1 self-test failed: no login sent");
            login += static_cast<char>(20);
            login += scramble;
        }
    } else {
        salt_ = salt_.substr(0, 8);
        if (!password_.empty())
            login += ScrambleOld(password_, salt_);
        login += '\0';
    }
    bool dbSent = false;
    if ((serverCaps_ & CLIENT_CONNECT_WITH_DB) && !db_.empty()) {
        login += db_;
        dbSent = true;
    }
    login += '\0';
    if (!net_.WritePacket(login.data(), login.size()) || !net_.Flush())
        return fail(CR_SERVER_LOST, ClientErrorText(CR_SERVER_LOST));
    len = net_.ReadReply();
    if (len < 0)
        return fail(0, {});

    // The account uses the old scheme: the server asks for its scramble.
    if (len == 1 && net_.ReadPos()[0] == 254 && (serverCaps_ & CLIENT_SECURE_CONNECTION)) {
        if (secureWanted_)
            return fail(CR_SECURE_AUTH, kNoSecureAuth);
        salt_ = salt_.substr(0, 8);
        std::string reply = password_.empty() ? std::string() : ScrambleOld(password_, salt_);
        reply += '\0';
        if (!net_.WritePacket(reply.data(), reply.size()) || !net_.Flush())
            return fail(CR_SERVER_LOST, ClientErrorText(CR_SERVER_LOST));
        len = net_.ReadReply();
        if (len < 0)
            return fail(0, {});
    }
    if (net_.ReadPos()[0] != 0)
        return fail(CR_SERVER_HANDSHAKE_ERR, ClientErrorText(CR_SERVER_HANDSHAKE_ERR));

    net_.SetCompression((flags & CLIENT_COMPRESS) != 0);
    status_ = 0;
    net_.ClearLastError();
    if (!db_.empty() && !dbSent) {
        std::string db = db_;
        if (!SelectDb(db)) {
            int no = net_.LastErrorNo();
            std::string text = net_.LastError();
            CloseLocked();
            SetError(no, text);
            return false;
        }
    }
    return true;
}

int TMysqlClient::SimpleCommand(uint8_t command, const void* arg, size_t len, bool retry,
                                bool skipReply)
{
    if (!net_.IsOpen() && !Reconnect())
        return -1;
    if (status_ != 0) {
        SetError(CR_COMMANDS_OUT_OF_SYNC, ClientErrorText(CR_COMMANDS_OUT_OF_SYNC));
        return -1;
    }
    net_.ClearLastError();
    info_.clear();
    affectedRows_ = insertId_ = 0;
    warningCount_ = 0;
    net_.Clear();
    if (!net_.WriteCommand(command, arg, len)) {
        if (net_.LastErrorNo() == ER_NET_PACKET_TOO_LARGE) {
            // Refused before anything went out: the connection is still fine.
            SetError(CR_NET_PACKET_TOO_LARGE, ClientErrorText(CR_NET_PACKET_TOO_LARGE));
            return -1;
        }
        net_.Close();
        fields_.clear();
        bool resent = false;
        if (Reconnect()) {
            net_.Clear();
            resent = net_.WriteCommand(command, arg, len);
        }
        if (!resent) {
            SetError(CR_SERVER_GONE_ERROR, ClientErrorText(CR_SERVER_GONE_ERROR));
            return -1;
        }
    }
    if (skipReply)
        return 0;
    if (net_.ReadReply() >= 0)
        return 0;
    if (net_.LastErrorNo() == CR_SERVER_LOST) {
        int no = net_.LastErrorNo();
        std::string text = net_.LastError();
        // A transaction died with the connection: keep that known so the
        // retry does not quietly go on outside it on a new connection.
        const bool inTransaction = serverStatus_ & SERVER_STATUS_IN_TRANS;
        CloseLocked();
        if (inTransaction)
            serverStatus_ |= SERVER_STATUS_IN_TRANS;
        SetError(no, text);
        if (retry)
            return SimpleCommand(command, arg, len, false, skipReply);
    }
    return -1;
}

int TMysqlClient::Query(std::string_view statement)
{
    std::lock_guard<std::recursive_mutex> g(*lock_);
    if (statement.empty())
        return 0;
    if (reconnect_ && !Ping())
        return 1;
    statement_ = std::string(statement);
    if (SimpleCommand(COM_QUERY, statement.data(), statement.size(), reconnect_, true) != 0)
        return 1;
    return ReadQueryResult();
}

int TMysqlClient::ReadQueryResult()
{
    for (;;) {
        long len = net_.ReadReply();
        fields_.clear();
        if (len < 0) {
            if (!net_.IsOpen())
                status_ = 0;
            return 1;
        }
        PacketReader r{net_.ReadPos(), static_cast<size_t>(len)};
        int64_t count = r.LenInt();
        if (count == -1) {
            // The server wants a client file for LOAD DATA LOCAL.
            std::string requested(reinterpret_cast<const char*>(net_.ReadPos() + 1),
                                  static_cast<size_t>(len - 1));
            if (!SendLocalFile(requested))
                return 1;
            continue;
        }
        if (count == 0) {
            affectedRows_ = static_cast<uint64_t>(r.LenInt());
            insertId_ = static_cast<uint64_t>(r.LenInt());
            if ((serverCaps_ & CLIENT_TRANSACTIONS) && r.Left() >= 2)
                serverStatus_ = static_cast<uint16_t>(r.Fixed(2));
            // 4.1 servers put the warning count before the message.
            if ((clientFlags_ & CLIENT_PROTOCOL_41) && r.Left() >= 2)
                warningCount_ = static_cast<uint16_t>(r.Fixed(2));
            if (r.Left() > 0) {
                int64_t infoLen = r.LenInt();
                if (r.ok && infoLen > 0) {
                    size_t take = std::min<size_t>(static_cast<size_t>(infoLen), r.Left());
                    info_.assign(reinterpret_cast<const char*>(r.p + r.pos), take);
                }
            }
            return DiscardMoreResults() ? 0 : 1;
        }
        if (!r.ok) {
            SetError(CR_UNKNOWN_ERROR, "Malformed packet");
            return 1;
        }
        if (!(serverStatus_ & SERVER_STATUS_AUTOCOMMIT))
            serverStatus_ |= SERVER_STATUS_IN_TRANS;
        extraInfo_ = r.Left() > 0 ? static_cast<uint64_t>(r.LenInt()) : 0;
        if (!ReadFieldDefs(static_cast<uint64_t>(count)))
            return 1;
        status_ = 1;
        return 0;
    }
}

bool TMysqlClient::ReadFieldDefs(uint64_t count)
{
    const bool proto41 = (serverCaps_ & CLIENT_PROTOCOL_41) && (clientFlags_ & CLIENT_PROTOCOL_41);
    std::vector<TMysqlField> fields;
    for (;;) {
        long len = net_.ReadReply();
        if (len < 0)
            return false;
        const uint8_t* p = net_.ReadPos();
        if (p[0] == 254 && len < 8)
            break;
        PacketReader r{p, static_cast<size_t>(len)};
        TMysqlField f;
        if (proto41) {
            f.Catalog = r.LenText();
            f.Db = r.LenText();
            f.Table = r.LenText();
            f.OrgTable = r.LenText();
            f.Name = r.LenText();
            f.OrgName = r.LenText();
            auto block = r.LenText();
            if (!r.ok || !block || block->size() < 10) {
                SetError(CR_UNKNOWN_ERROR, "Malformed packet");
                return false;
            }
            const auto* b = reinterpret_cast<const uint8_t*>(block->data());
            f.CharsetNr = static_cast<uint16_t>(b[0] | (b[1] << 8));
            f.Length = b[2] | (uint32_t(b[3]) << 8) | (uint32_t(b[4]) << 16) | (uint32_t(b[5]) << 24);
            f.Type = b[6];
            f.Flags = static_cast<uint32_t>(b[7] | (b[8] << 8));
            f.Decimals = b[9];
            if (r.Left() > 0)
                f.Def = r.LenText();
        } else {
            f.Table = r.LenText();
            f.Name = r.LenText();
            auto length = r.LenText();
            auto type = r.LenText();
            auto fl = r.LenText();
            if (!r.ok || !length || !type || !fl || length->size() < 3 || type->empty()) {
                SetError(CR_UNKNOWN_ERROR, "Malformed packet");
                return false;
            }
            const auto* l = reinterpret_cast<const uint8_t*>(length->data());
            f.Length = l[0] | (uint32_t(l[1]) << 8) | (uint32_t(l[2]) << 16);
            f.Type = static_cast<uint8_t>((*type)[0]);
            const auto* b = reinterpret_cast<const uint8_t*>(fl->data());
            if ((serverCaps_ & CLIENT_LONG_FLAG) && fl->size() >= 3) {
                f.Flags = static_cast<uint32_t>(b[0] | (b[1] << 8));
                f.Decimals = b[2];
            } else if (fl->size() >= 2) {
                f.Flags = b[0];
                f.Decimals = b[1];
            }
            if (r.Left() > 0)
                f.Def = r.LenText();
        }
        if (f.Type >= FIELD_TYPE_TINY_BLOB && f.Type <= FIELD_TYPE_BLOB)
            f.Flags |= BLOB_FLAG;
        if ((f.Type <= FIELD_TYPE_INT24 &&
             (f.Type != FIELD_TYPE_TIMESTAMP || f.Length == 14 || f.Length == 8)) ||
            f.Type == FIELD_TYPE_YEAR)
            f.Flags |= NUM_FLAG;
        fields.push_back(std::move(f));
    }
    if (fields.size() != count) {
        SetError(CR_UNKNOWN_ERROR, "Malformed packet");
        return false;
    }
    fields_ = std::move(fields);
    return true;
}

bool TMysqlClient::SendLocalFile(const std::string& requested)
{
    auto endAndFail = [&](int number, const std::string& text) {
        // Tell the server there is no data, read its answer to stay in step,
        // and report our own reason.
        net_.WritePacket("", 0);
        net_.Flush();
        net_.ReadReply();
        SetError(number, text);
        return false;
    };
    const std::string named = NamedLocalFile(statement_);
    if (!localInfile_ || named.empty() || requested != named)
        return endAndFail(CR_UNKNOWN_ERROR,
                          "The server asked for the local file '" + requested +
                              "', which the statement did not name");
    std::ifstream in(requested, std::ios::binary);
    if (!in)
        return endAndFail(0, "File '" + requested + "' not found (Errcode: " +
                                 std::to_string(errno) + ")");
    std::vector<char> chunk(kLocalFileChunk);
    for (;;) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        std::streamsize got = in.gcount();
        if (got > 0 && !net_.WritePacket(chunk.data(), static_cast<size_t>(got))) {
            net_.Close();
            SetError(CR_SERVER_LOST, ClientErrorText(CR_SERVER_LOST));
            return false;
        }
        if (in.eof())
            break;
        if (!in)
            return endAndFail(2, "Error reading file '" + requested + "' (Errcode: " +
                                     std::to_string(errno) + ")");
    }
    if (!net_.WritePacket("", 0) || !net_.Flush()) {
        net_.Close();
        SetError(CR_SERVER_LOST, ClientErrorText(CR_SERVER_LOST));
        return false;
    }
    return true;
}

bool TMysqlClient::SelectDb(const std::string& name)
{
    std::lock_guard<std::recursive_mutex> g(*lock_);
    if (SimpleCommand(COM_INIT_DB, name.data(), name.size(), false, false) != 0)
        return false;
    db_ = name;
    return true;
}

bool TMysqlClient::DatabaseCommand(uint8_t command, const std::string& name, const char* statement)
{
    if (SimpleCommand(command, name.data(), name.size(), false, false) == 0)
        return true;
    // Current servers no longer know these commands; the statement does the same.
    if (net_.LastErrorNo() != ER_UNKNOWN_COM_ERROR || !net_.IsOpen())
        return false;
    std::string sql = std::string(statement) + " `";
    for (char c : name)
        sql += c == '`' ? std::string("``") : std::string(1, c);
    sql += '`';
    if (SimpleCommand(COM_QUERY, sql.data(), sql.size(), false, false) != 0)
        return false;
    return true;
}

bool TMysqlClient::CreateDb(const std::string& name)
{
    std::lock_guard<std::recursive_mutex> g(*lock_);
    return DatabaseCommand(COM_CREATE_DB, name, "CREATE DATABASE");
}

bool TMysqlClient::DropDb(const std::string& name)
{
    std::lock_guard<std::recursive_mutex> g(*lock_);
    return DatabaseCommand(COM_DROP_DB, name, "DROP DATABASE");
}

bool TMysqlClient::Kill(uint32_t threadId)
{
    std::lock_guard<std::recursive_mutex> g(*lock_);
    std::string arg;
    PutLe(arg, threadId, 4);
    return SimpleCommand(COM_PROCESS_KILL, arg.data(), arg.size(), false, false) == 0;
}

bool TMysqlClient::Ping()
{
    std::lock_guard<std::recursive_mutex> g(*lock_);
    return SimpleCommand(COM_PING, nullptr, 0, reconnect_, false) == 0;
}

void TMysqlClient::Close()
{
    std::lock_guard<std::recursive_mutex> g(*lock_);
    CloseLocked();
}

void TMysqlClient::CloseLocked()
{
    salt_.clear();
    threadId_ = 0;
    affectedRows_ = insertId_ = 0;
    serverVersion_.clear();
    serverCaps_ = 0;
    serverStatus_ = SERVER_STATUS_AUTOCOMMIT;
    serverCharset_ = 0;
    extraInfo_ = 0;
    info_.clear();
    warningCount_ = 0;
    if (net_.IsOpen()) {
        fields_.clear();
        status_ = 0;
        net_.Clear();
        net_.WriteCommand(COM_QUIT, nullptr, 0);
        net_.Close();
    }
    fields_.clear();
    status_ = 0;
    if (current_) {
        current_->Detach();
        current_->eof_ = true;
        current_ = nullptr;
    }
}

std::unique_ptr<TMysqlResult> TMysqlClient::UseResult()
{
    std::lock_guard<std::recursive_mutex> g(*lock_);
    if (status_ != 1) {
        SetError(CR_COMMANDS_OUT_OF_SYNC, ClientErrorText(CR_COMMANDS_OUT_OF_SYNC));
        return nullptr;
    }
    std::unique_ptr<TMysqlResult> result = CreateResult(std::move(fields_));
    fields_.clear();
    if (!result) {
        SetError(CR_OUT_OF_MEMORY, ClientErrorText(CR_OUT_OF_MEMORY));
        return nullptr;
    }
    status_ = 2;
    current_ = result.get();
    if (FetchRow(*result) <= 0 && current_ == result.get())
        EndResult(*result);
    return result;
}

int TMysqlClient::FetchRow(TMysqlResult& result)
{
    long len = net_.ReadReply();
    if (len < 0)
        return -1;
    const uint8_t* p = net_.ReadPos();
    if (p[0] == 254 && len < 8) {
        affectedRows_ = result.rowCount_;
        if ((clientFlags_ & CLIENT_PROTOCOL_41) && len >= 5)
            serverStatus_ = static_cast<uint16_t>(p[3] | (p[4] << 8));
        return DiscardMoreResults() ? 0 : -1;
    }
    PacketReader r{p, static_cast<size_t>(len)};
    for (size_t i = 0; i < result.row_.size(); ++i) {
        result.row_[i] = r.LenText();
        if (!r.ok) {
            // The row is unusable; read the rest of the result so the next
            // command finds the connection in step.
            for (;;) {
                long n = net_.ReadReply();
                if (n < 0 || (net_.ReadPos()[0] == 254 && n < 8))
                    break;
            }
            SetError(CR_UNKNOWN_ERROR, "Malformed packet");
            return -1;
        }
        result.lengths_[i] = result.row_[i] ? static_cast<unsigned long>(result.row_[i]->size()) : 0;
        if (result.lengths_[i] > result.fields_[i].MaxLength)
            result.fields_[i].MaxLength = static_cast<uint32_t>(result.lengths_[i]);
    }
    ++result.rowCount_;
    return 1;
}

bool TMysqlClient::DiscardMoreResults()
{
    const bool proto41 = (clientFlags_ & CLIENT_PROTOCOL_41) != 0;
    auto isEof = [&](long n) { return net_.ReadPos()[0] == 254 && n < 8; };
    while (serverStatus_ & SERVER_MORE_RESULTS_EXISTS) {
        // Cleared first: a reply that carries no status ends the chain.
        serverStatus_ &= static_cast<uint16_t>(~SERVER_MORE_RESULTS_EXISTS);
        long len = net_.ReadReply();
        if (len < 0)
            return false; // the failing statement is the last: its error stays
        PacketReader r{net_.ReadPos(), static_cast<size_t>(len)};
        const int64_t count = r.LenInt();
        if (!r.ok) {
            SetError(CR_UNKNOWN_ERROR, "Malformed packet");
            return false;
        }
        if (count == -1) {
            // LOAD DATA LOCAL further on: refused unless the first statement named
            // the file; either way the server answers once more.
            std::string requested(reinterpret_cast<const char*>(net_.ReadPos() + 1), static_cast<size_t>(len - 1));
            if (!SendLocalFile(requested))
                return false;
            serverStatus_ |= SERVER_MORE_RESULTS_EXISTS;
            continue;
        }
        if (count == 0) {
            r.LenInt(); // affected rows and insert id belong to the first statement
            r.LenInt();
            if (r.ok && r.Left() >= 2)
                serverStatus_ = static_cast<uint16_t>(r.Fixed(2));
            continue;
        }
        // A result set: its column definitions, then its rows, each up to an EOF packet.
        for (int part = 0; part < 2; ++part) {
            for (;;) {
                const long n = net_.ReadReply();
                if (n < 0)
                    return false;
                if (!isEof(n))
                    continue;
                if (part == 1 && proto41 && n >= 5)
                    serverStatus_ = static_cast<uint16_t>(net_.ReadPos()[3] | (net_.ReadPos()[4] << 8));
                break;
            }
        }
    }
    return true;
}

void TMysqlClient::EndResult(TMysqlResult& result)
{
    result.eof_ = true;
    for (auto& v : result.row_)
        v.reset();
    result.Detach();
    if (current_ == &result)
        current_ = nullptr;
    status_ = 0;
    net_.ShrinkBuffer();
}
