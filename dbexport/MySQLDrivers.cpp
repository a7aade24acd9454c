#include "dbexport/MySQLDrivers.h"
#include "dbexport/MySQLFieldLayouts.h"
#include "dbexport/MySQLStrUtils.h"
#include "dbexport/uMysqlHelpers.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

const char* const kMySQLOpNames[kMySQLOpCount] = {
    "mysql_init", "mysql_options", "mysql_real_connect", "mysql_close", "mysql_errno",
    "mysql_error", "mysql_get_host_info", "mysql_get_client_info", "mysql_get_server_info",
    "mysql_get_proto_info", "mysql_ping", "mysql_thread_id", "mysql_kill", "mysql_info",
    "mysql_create_db", "mysql_select_db", "mysql_drop_db", "mysql_real_query",
    "mysql_use_result", "mysql_free_result", "mysql_num_fields", "mysql_num_rows",
    "mysql_fetch_lengths", "mysql_fetch_field", "mysql_fetch_row", "mysql_real_escape_string",
    "mysql_insert_id", "mysql_refresh", "mysql_affected_rows"};

namespace {

const char* const kReservedWords =
    ",ACTION,ADD,ALL,ALTER,ANALYZE,AND,AS,ASC,ASENSITIVE,BEFORE,BETWEEN,BIGINT,BINARY,BLOB,BOTH,"
    "BY,CALL,CASCADE,CASE,CHANGE,CHAR,CHARACTER,CHECK,COLLATE,COLUMN,CONDITION,CONSTRAINT,"
    "CONTINUE,CONVERT,CREATE,CROSS,CURRENT_DATE,CURRENT_TIME,CURRENT_TIMESTAMP,CURRENT_USER,"
    "CURSOR,DATABASE,DATABASES,DATE,DAY_HOUR,DAY_MICROSECOND,DAY_MINUTE,DAY_SECOND,DEC,DECIMAL,"
    "DECLARE,DEFAULT,DELAYED,DELETE,DESC,DESCRIBE,DETERMINISTIC,DISTINCT,DISTINCTROW,DIV,DOUBLE,"
    "DROP,DUAL,EACH,ELSE,ELSEIF,ENCLOSED,ENUM,ESCAPED,EXISTS,EXIT,EXPLAIN,FALSE,FETCH,FLOAT,FOR,"
    "FORCE,FOREIGN,FROM,FULLTEXT,GRANT,GROUP,HAVING,HIGH_PRIORITY,HOUR_MICROSECOND,HOUR_MINUTE,"
    "HOUR_SECOND,IF,IGNORE,IN,INDEX,INFILE,INNER,INOUT,INSENSITIVE,INSERT,INT,INTEGER,INTERVAL,"
    "INTO,IS,ITERATE,JOIN,KEY,KEYS,KILL,LEADING,LEAVE,LEFT,LIKE,LIMIT,LINES,LOAD,LOCALTIME,"
    "LOCALTIMESTAMP,LOCK,LONG,LONGBLOB,LONGTEXT,LOOP,LOW_PRIORITY,MATCH,MEDIUMBLOB,MEDIUMINT,"
    "MEDIUMTEXT,MIDDLEINT,MINUTE_MICROSECOND,MINUTE_SECOND,MOD,MODIFIES,NATURAL,NO,NOT,"
    "NO_WRITE_TO_BINLOG,NULL,NUMERIC,ON,OPTIMIZE,OPTION,OPTIONALLY,OR,ORDER,OUT,OUTER,OUTFILE,"
    "PRECISION,PRIMARY,PROCEDURE,PURGE,READ,READS,REAL,REFERENCES,REGEXP,RENAME,REPEAT,REPLACE,"
    "REQUIRE,RESTRICT,RETURN,REVOKE,RIGHT,RLIKE,SCHEMA,SCHEMAS,SECOND_MICROSECOND,SELECT,"
    "SENSITIVE,SEPARATOR,SET,SHOW,SMALLINT,SONAME,SPATIAL,SPECIFIC,SQL,SQLEXCEPTION,SQLSTATE,"
    "SQLWARNING,SQL_BIG_RESULT,SQL_CALC_FOUND_ROWS,SQL_SMALL_RESULT,SSL,STARTING,STRAIGHT_JOIN,"
    "TABLE,TERMINATED,TEXT,THEN,TIME,TIMESTAMP,TINYBLOB,TINYINT,TINYTEXT,TO,TRAILING,TRIGGER,"
    "TRUE,UNDO,UNION,UNIQUE,UNLOCK,UNSIGNED,UPDATE,USAGE,USE,USING,UTC_DATE,UTC_TIME,"
    "UTC_TIMESTAMP,VALUES,VARBINARY,VARCHAR,VARCHARACTER,VARYING,WHEN,WHERE,WHILE,WITH,WRITE,"
    "XOR,YEAR_MONTH,ZEROFILL,";

std::string Text(const char* p) { return p ? std::string(p) : std::string(); }

// The slot of a table entry that a library did not provide: the call says so.
template <class F>
F Need(F f, int slot, const std::string& library)
{
    if (!f)
        throw std::runtime_error(std::string("The client call ") + kMySQLOpNames[slot] +
                                 " is not implemented in the client library " + library +
                                 ". Please update the library.");
    return f;
}

} // namespace

int MySQLVersionNumber(std::string_view text)
{
    int parts[3] = {3, 21, 0};
    size_t i = 0;
    for (int p = 0; p < 3 && i <= text.size(); ++p) {
        std::string word;
        while (i < text.size() && text[i] != '.' && text[i] != '-' && text[i] != ' ') {
            if (p == 2 && std::isalpha(static_cast<unsigned char>(text[i])))
                break;
            word += text[i++];
        }
        // The release ends at a letter; skip the rest of it.
        while (i < text.size() && text[i] != '.' && text[i] != '-' && text[i] != ' ')
            ++i;
        ++i;
        if (!word.empty() && word.size() < 6 &&
            word.find_first_not_of("0123456789") == std::string::npos)
            parts[p] = std::stoi(word);
    }
    return parts[0] * 10000 + parts[1] * 100 + parts[2];
}

TMySQLBase::TMySQLBase(const std::string& options) : ReservedWords(kReservedWords), options_(options)
{
}

TMySQLBase::~TMySQLBase() = default;

void TMySQLBase::Load()
{
    if (loaded_)
        Unload();
    loaded_ = true;
    BindTable();
}

void TMySQLBase::Unload()
{
    if (!loaded_)
        return;
    loaded_ = false;
    handle_ = nullptr;
    clientVer_ = 0;
    clientText_.clear();
}

void TMySQLBase::BindTable()
{
    clientVer_ = 0;
}

void TMySQLBase::EnsureLoaded()
{
    if (!loaded_)
        Load();
}

std::string TMySQLBase::OptionValue(const std::string& key) const
{
    size_t start = 0;
    while (start < options_.size()) {
        size_t end = options_.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = options_.size();
        const std::string line = options_.substr(start, end - start);
        const size_t eq = line.find('=');
        const std::string name = eq == std::string::npos ? line : line.substr(0, eq);
        if (!name.empty() && cf::SameText(name, key))
            return eq == std::string::npos ? std::string("\x01") : line.substr(eq + 1);
        start = end + 1;
    }
    return {};
}

int TMySQLBase::ErrorNo(TMySQLHandle h)
{
    if (!h || !loaded_)
        return 0;
    return static_cast<int>(Need(ops_.mysql_errno, 4, ClientLibrary())(h));
}

std::string TMySQLBase::ErrorText(TMySQLHandle h)
{
    if (!h || !loaded_)
        return {};
    return Text(Need(ops_.mysql_error, 5, ClientLibrary())(h));
}

void TMySQLBase::RaiseError(const std::string& message, TMySQLHandle h, int errorNo)
{
    std::string text = message;
    int number = errorNo;
    if (h) {
        text = ErrorText(h) + ": " + message;
        if (number == kNumberFromHandle)
            number = ErrorNo(h);
    } else if (number == kNumberFromHandle) {
        number = -1;
    }
    if (!clientText_.empty() && !serverText_.empty())
        text += "\r\nClient:" + clientText_ + "\r\nServer:" + serverText_;
    else if (!clientText_.empty())
        text += "\r\nClient:" + clientText_;
    if (number >= 0) {
        char head[24];
        std::snprintf(head, sizeof head, "[%d] ", number);
        text = head + text;
    }
    throw EMySQLError(text, number);
}

TMySQLHandle TMySQLBase::Connect(const std::string& host, const std::string& user,
                                 const std::string& db, uint32_t flags, int port,
                                 const std::string& password)
{
    EnsureLoaded();
    TMySQLHandle h = Need(ops_.mysql_init, 0, ClientLibrary())(nullptr);
    if (!h)
        RaiseError("Could not initialize mysql driver.");
    if (clientVer_ == 0) {
        clientText_ = ClientInfo();
        clientVer_ = MySQLVersionNumber(clientText_);
    }
    auto seconds = [&](const char* key, unsigned def) {
        const std::string v = OptionValue(key);
        unsigned n = def;
        if (!v.empty() && v.find_first_not_of("0123456789") == std::string::npos && v.size() < 9)
            n = static_cast<unsigned>(std::stoul(v));
        return n;
    };
    const unsigned connectTimeout = seconds("connect_timeout", 60);
    const unsigned readTimeout = seconds("read_timeout", 300);
    const unsigned writeTimeout = seconds("write_timeout", 300);
    auto options = Need(ops_.mysql_options, 1, ClientLibrary());
    options(h, 0, &connectTimeout);
    options(h, 11, &readTimeout);
    options(h, 12, &writeTimeout);
    if (!OptionValue("pipe").empty() || UpperCase(OptionValue("protocol")) == "PIPE")
        options(h, 2, nullptr);

    const TMySQLHandle connected = Need(ops_.mysql_real_connect, 2, ClientLibrary())(
        h, host.c_str(), user.c_str(), password.c_str(), db.empty() ? nullptr : db.c_str(),
        static_cast<unsigned>(port), nullptr, flags);
    if (!connected) {
        // Keep the reason, then let the half-made connection go before raising.
        std::string text = ErrorText(h);
        const int number = ErrorNo(h);
        Need(ops_.mysql_close, 3, ClientLibrary())(h);
        RaiseError(text + ": " +
                       "Could not connect to mysql server using:\r\nUser: " + user + "\r\nHost:" +
                       host + "\r\n" + "Port:" + std::to_string(port) + "\r\nDB:" + db + "\r\n" +
                       "Please check the following:\r\n" +
                       "> MySQL Server is running on the host and port specified and that you "
                       "can access it through possible firewalls\r\n" +
                       "> If the server is available and on a remote machine, check that this "
                       "username (with password) may access it from a remote IP, see MySQL "
                       "Manual (Security)",
                   nullptr, number);
    }
    handle_ = connected;
    serverText_ = ServerVersion(handle_);
    serverVer_ = MySQLVersionNumber(serverText_);
    return handle_;
}

void TMySQLBase::Close(TMySQLHandle& h)
{
    if (!h || !loaded_)
        return;
    Need(ops_.mysql_close, 3, ClientLibrary())(h);
    if (h == handle_) {
        handle_ = nullptr;
        Unload();
        serverVer_ = 0;
        serverText_.clear();
    }
    h = nullptr;
}

std::string TMySQLBase::ClientVersion()
{
    EnsureLoaded();
    return ClientInfo();
}

std::string TMySQLBase::ClientInfo()
{
    EnsureLoaded();
    return Text(Need(ops_.mysql_get_client_info, 7, ClientLibrary())());
}

std::string TMySQLBase::HostInfo(TMySQLHandle h)
{
    if (!h || !loaded_)
        return "No server connection";
    return Text(Need(ops_.mysql_get_host_info, 6, ClientLibrary())(h));
}

std::string TMySQLBase::ServerVersion(TMySQLHandle h)
{
    if (!h || !loaded_)
        return "-1";
    return Text(Need(ops_.mysql_get_server_info, 8, ClientLibrary())(h));
}

unsigned TMySQLBase::ProtoInfo(TMySQLHandle h)
{
    if (!h || !loaded_)
        return 0;
    return Need(ops_.mysql_get_proto_info, 9, ClientLibrary())(h);
}

bool TMySQLBase::Ping(TMySQLHandle h)
{
    if (!h)
        return false;
    EnsureLoaded();
    if (Need(ops_.mysql_ping, 10, ClientLibrary())(h) != 0)
        RaiseError("", h);
    return true;
}

unsigned long TMySQLBase::ThreadId(TMySQLHandle h)
{
    if (!h || !loaded_)
        return 0;
    return Need(ops_.mysql_thread_id, 11, ClientLibrary())(h);
}

bool TMySQLBase::Kill(TMySQLHandle h, unsigned long id)
{
    if (!h)
        return false;
    EnsureLoaded();
    if (Need(ops_.mysql_kill, 12, ClientLibrary())(h, id) != 0)
        RaiseError("", h);
    return true;
}

std::string TMySQLBase::Info(TMySQLHandle h)
{
    if (!h || !loaded_)
        return {};
    return Text(Need(ops_.mysql_info, 13, ClientLibrary())(h));
}

bool TMySQLBase::CreateDb(TMySQLHandle h, const std::string& name)
{
    if (!h)
        return false;
    EnsureLoaded();
    if (Need(ops_.mysql_create_db, 14, ClientLibrary())(h, name.c_str()) != 0)
        RaiseError("", h);
    return true;
}

bool TMySQLBase::SelectDb(TMySQLHandle h, const std::string& name)
{
    if (!h)
        return false;
    EnsureLoaded();
    if (Need(ops_.mysql_select_db, 15, ClientLibrary())(h, name.c_str()) != 0)
        RaiseError("", h);
    return true;
}

bool TMySQLBase::DropDb(TMySQLHandle h, const std::string& name)
{
    if (!h)
        return false;
    EnsureLoaded();
    if (Need(ops_.mysql_drop_db, 16, ClientLibrary())(h, name.c_str()) != 0)
        RaiseError("", h);
    return true;
}

bool TMySQLBase::Refresh(TMySQLHandle h, unsigned options)
{
    if (!h)
        return false;
    EnsureLoaded();
    if (Need(ops_.mysql_refresh, 27, ClientLibrary())(h, options) != 0)
        RaiseError("", h);
    return true;
}

void TMySQLBase::Query(TMySQLHandle h, std::string_view statement)
{
    if (!h)
        RaiseError("No server connection");
    EnsureLoaded();
    if (Need(ops_.mysql_real_query, 17, ClientLibrary())(h, statement.data(),
                                                          static_cast<unsigned long>(statement.size())) != 0)
        RaiseError("", h);
}

TMySQLResultHandle TMySQLBase::UseResult(TMySQLHandle h)
{
    if (!h || !loaded_)
        return nullptr;
    return Need(ops_.mysql_use_result, 18, ClientLibrary())(h);
}

void TMySQLBase::FreeResult(TMySQLResultHandle& res)
{
    if (!res)
        return;
    if (loaded_)
        Need(ops_.mysql_free_result, 19, ClientLibrary())(res);
    res = nullptr;
}

unsigned TMySQLBase::NumFields(TMySQLResultHandle res)
{
    if (!res || !loaded_)
        return 0;
    return Need(ops_.mysql_num_fields, 20, ClientLibrary())(res);
}

uint64_t TMySQLBase::NumRows(TMySQLResultHandle res)
{
    if (!res || !loaded_)
        return 0;
    return Need(ops_.mysql_num_rows, 21, ClientLibrary())(res);
}

TMySQLFieldDesc TMySQLBase::FetchField(TMySQLResultHandle res)
{
    if (!res || !loaded_)
        return {};
    // The record is laid out as the library's own version says.
    return ReadFieldRecord(Need(ops_.mysql_fetch_field, 23, ClientLibrary())(res), clientVer_);
}

char** TMySQLBase::FetchRow(TMySQLResultHandle res)
{
    if (!res || !loaded_)
        return nullptr;
    return Need(ops_.mysql_fetch_row, 24, ClientLibrary())(res);
}

unsigned long* TMySQLBase::FetchLengths(TMySQLResultHandle res)
{
    if (!res || !loaded_)
        return nullptr;
    return Need(ops_.mysql_fetch_lengths, 22, ClientLibrary())(res);
}

std::string TMySQLBase::InsertId(TMySQLHandle h)
{
    if (!h || !loaded_)
        return "0";
    return std::to_string(Need(ops_.mysql_insert_id, 26, ClientLibrary())(h));
}

std::string TMySQLBase::AffectedRows(TMySQLHandle h)
{
    if (!h || !loaded_)
        return "0";
    return std::to_string(Need(ops_.mysql_affected_rows, 28, ClientLibrary())(h));
}

std::string TMySQLBase::Escape(std::string_view text)
{
    EnsureLoaded();
    // An external library needs a live connection to escape against.
    if (!handle_ && !ClientLibrary().empty())
        return MySQLEscape(text);
    std::string out(text.size() * 2 + 1, '\0');
    const unsigned long n = Need(ops_.mysql_real_escape_string, 25, ClientLibrary())(
        handle_, out.data(), text.data(), static_cast<unsigned long>(text.size()));
    out.resize(n);
    return out;
}

bool TMySQLBase::IsReservedWord(const std::string& name) const
{
    return ReservedWords.find("," + UpperCase(name) + ",") != std::string::npos;
}

std::string TMySQLBase::QuoteName(const std::string& name)
{
    EnsureLoaded();
    // Empty names and names already in back-quotes are left as they come.
    if (name.empty() || name[0] == '`')
        return name;
    if (name.find('.') != std::string::npos) {
        std::string out;
        size_t start = 0;
        while (true) {
            const size_t dot = name.find('.', start);
            const std::string part = name.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
            out += part.empty() ? part : QuoteName(part);
            if (dot == std::string::npos)
                break;
            out += '.';
            start = dot + 1;
        }
        return out;
    }
    if (IsReservedWord(name) || std::isdigit(static_cast<unsigned char>(name[0])))
        return "`" + name + "`";
    for (char c : name) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '_' || c == '$';
        if (!plain) {
            // A back-quote inside the name is doubled so it cannot end the quoting.
            std::string quoted = "`";
            for (char q : name)
                quoted += q == '`' ? std::string("``") : std::string(1, q);
            return quoted + "`";
        }
    }
    return name;
}
