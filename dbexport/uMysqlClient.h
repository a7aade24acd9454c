#pragma once

// The connection object of the database client: handshake and login (4.1
// and pre-4.1 password schemes), commands, result headers, column
// definitions and unbuffered rows.

#include "dbexport/uMysqlNet.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Capability flags of the protocol.
enum : uint32_t {
    CLIENT_LONG_PASSWORD = 1,
    CLIENT_LONG_FLAG = 4,
    CLIENT_CONNECT_WITH_DB = 8,
    CLIENT_COMPRESS = 32,
    CLIENT_LOCAL_FILES = 128,
    CLIENT_PROTOCOL_41 = 512,
    CLIENT_SSL = 2048,
    CLIENT_TRANSACTIONS = 8192,
    CLIENT_SECURE_CONNECTION = 32768,
    CLIENT_MULTI_STATEMENTS = 65536,
    CLIENT_MULTI_RESULTS = 131072,
};
// Long password, long column flags, protocol 4.1, transactions, secure
// authentication; local files are added only when asked for.
constexpr uint32_t kDefaultClientFlags = 0xA285 & ~CLIENT_LOCAL_FILES;

enum : uint16_t { SERVER_STATUS_IN_TRANS = 1, SERVER_STATUS_AUTOCOMMIT = 2, SERVER_MORE_RESULTS_EXISTS = 8 };

enum : uint8_t {
    COM_QUIT = 1,
    COM_INIT_DB = 2,
    COM_QUERY = 3,
    COM_CREATE_DB = 5,
    COM_DROP_DB = 6,
    COM_PROCESS_KILL = 12,
    COM_PING = 14,
};

// Column flags and types used here.
enum : uint32_t { NOT_NULL_FLAG = 1, BLOB_FLAG = 16, NUM_FLAG = 32768 };
enum : uint8_t {
    FIELD_TYPE_DECIMAL = 0,
    FIELD_TYPE_TINY = 1,
    FIELD_TYPE_SHORT = 2,
    FIELD_TYPE_LONG = 3,
    FIELD_TYPE_FLOAT = 4,
    FIELD_TYPE_DOUBLE = 5,
    FIELD_TYPE_NULL = 6,
    FIELD_TYPE_TIMESTAMP = 7,
    FIELD_TYPE_LONGLONG = 8,
    FIELD_TYPE_INT24 = 9,
    FIELD_TYPE_DATE = 10,
    FIELD_TYPE_TIME = 11,
    FIELD_TYPE_DATETIME = 12,
    FIELD_TYPE_YEAR = 13,
    FIELD_TYPE_NEWDATE = 14,
    FIELD_TYPE_VARCHAR = 15,
    FIELD_TYPE_BIT = 16,
    FIELD_TYPE_NEWDECIMAL = 246,
    FIELD_TYPE_ENUM = 247,
    FIELD_TYPE_SET = 248,
    FIELD_TYPE_TINY_BLOB = 249,
    FIELD_TYPE_MEDIUM_BLOB = 250,
    FIELD_TYPE_LONG_BLOB = 251,
    FIELD_TYPE_BLOB = 252,
    FIELD_TYPE_VAR_STRING = 253,
    FIELD_TYPE_STRING = 254,
};

struct TMysqlField {
    std::optional<std::string> Name, OrgName, Table, OrgTable, Db, Catalog, Def;
    uint32_t Length = 0;
    uint32_t MaxLength = 0;
    uint32_t Flags = 0;
    uint8_t Decimals = 0;
    uint16_t CharsetNr = 0;
    uint8_t Type = 0;
};

using TMysqlRow = std::vector<std::optional<std::string>>;

class TMysqlClient;

// One result set read row by row from the connection.
class TMysqlResult {
public:
    TMysqlResult(TMysqlClient* client, std::vector<TMysqlField> fields);
    virtual ~TMysqlResult();
    TMysqlResult(const TMysqlResult&) = delete;
    TMysqlResult& operator=(const TMysqlResult&) = delete;

    const std::vector<TMysqlField>& Fields() const { return fields_; }
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    // The current row (NULL values absent); valid while !Eof().
    const TMysqlRow& Row() const { return row_; }
    const std::vector<unsigned long>& Lengths() const { return lengths_; }
    // Moves to the next row; false at the end or on a failure (see the client's error).
    bool Next();
    bool Eof() const { return eof_; }
    uint64_t RowCount() const { return rowCount_; }

private:
    friend class TMysqlClient;
    void Detach() { client_ = nullptr; }

    // The client's lock, shared so that it outlives a client closed or
    // destroyed on another thread; client_ is read and changed only under it.
    std::shared_ptr<std::recursive_mutex> lock_;
    TMysqlClient* client_;
    std::vector<TMysqlField> fields_;
    TMysqlRow row_;
    std::vector<unsigned long> lengths_;
    uint64_t rowCount_ = 0;
    bool eof_ = false;
};

class TMysqlClient {
public:
    TMysqlClient();
    virtual ~TMysqlClient();
    TMysqlClient(const TMysqlClient&) = delete;
    TMysqlClient& operator=(const TMysqlClient&) = delete;

    // Flags may add CLIENT_SECURE_CONNECTION (refuse the old scheme),
    // CLIENT_MULTI_STATEMENTS, CLIENT_COMPRESS.
    bool RealConnect(const std::string& host, const std::string& user, const std::string& password,
                     const std::string& database = {}, int port = kMysqlDefaultPort,
                     uint32_t clientFlags = 0, bool tcpFallback = false,
                     const std::string& pipeName = {});
    // 0 success, nonzero failure; reads the result header. With
    // CLIENT_MULTI_STATEMENTS a text may hold several statements: the first
    // one's result is the one given; the results of the others are read
    // and dropped (after the rows of a result set, as its last row is read),
    // and the first of them that fails makes this call, or that read, fail.
    int Query(std::string_view statement);
    bool SelectDb(const std::string& name);
    bool CreateDb(const std::string& name);
    bool DropDb(const std::string& name);
    bool Kill(uint32_t threadId);
    bool Ping();
    void Close();
    // The pending result set (after a Query that returned columns), its first row fetched.
    std::unique_ptr<TMysqlResult> UseResult();

    // Options: take effect at the next connect.
    void SetTimeout(int seconds) { timeout_ = seconds; }
    void SetCompress(bool on);
    void SetNamedPipe(bool use, bool tcpFallback);
    void SetReconnect(bool on) { reconnect_ = on; }
    // Announce local-file support; the server then gets only the file the
    // current LOAD DATA LOCAL statement names.
    void SetLocalInfile(bool on) { localInfile_ = on; }

    bool Connected() const { return net_.IsOpen(); }
    int ErrorNo() const { return net_.LastErrorNo(); }
    const std::string& Error() const { return net_.LastError(); }
    uint64_t AffectedRows() const { return affectedRows_; }
    uint64_t InsertId() const { return insertId_; }
    uint16_t WarningCount() const { return warningCount_; }
    const std::string& Info() const { return info_; }
    uint64_t ExtraInfo() const { return extraInfo_; }
    const std::string& ServerVersion() const { return serverVersion_; }
    uint16_t ServerCapabilities() const { return serverCaps_; }
    uint16_t ServerStatus() const { return serverStatus_; }
    uint8_t ServerCharset() const { return serverCharset_; }
    uint32_t ThreadId() const { return threadId_; }
    uint32_t ClientFlags() const { return clientFlags_; }
    uint8_t Status() const { return status_; }
    const std::string& Database() const { return db_; }
    const std::string& Host() const { return host_; }
    const std::string& PipeName() const { return pipeName_; }
    bool UseNamedPipe() const { return usePipe_; }
    const std::string& Salt() const { return salt_; }
    TMysqlNet& Net() { return net_; }

protected:
    virtual std::unique_ptr<TMysqlResult> CreateResult(std::vector<TMysqlField> fields);

private:
    friend class TMysqlResult;
    bool DoConnect();
    bool Reconnect();
    int SimpleCommand(uint8_t command, const void* arg, size_t len, bool retry, bool skipReply);
    int ReadQueryResult();
    bool ReadFieldDefs(uint64_t count);
    bool SendLocalFile(const std::string& requested);
    bool DatabaseCommand(uint8_t command, const std::string& name, const char* statement);
    // 1 row read, 0 end of rows, -1 failure.
    int FetchRow(TMysqlResult& result);
    void EndResult(TMysqlResult& result);
    // Reads and drops the further results of a multi-statement query while
    // the server announces more; false (its error kept) when one fails.
    bool DiscardMoreResults();
    void CloseLocked();
    void SetError(int number, const std::string& text);

    std::shared_ptr<std::recursive_mutex> lock_ = std::make_shared<std::recursive_mutex>();
    TMysqlNet net_;
    std::string host_, user_, password_, pipeName_, db_;
    int port_ = kMysqlDefaultPort;
    uint32_t givenFlags_ = 0;
    bool tcpFallback_ = false;
    std::string salt_;
    uint32_t threadId_ = 0;
    uint64_t affectedRows_ = 0, insertId_ = 0, extraInfo_ = 0;
    uint16_t warningCount_ = 0;
    std::string info_;
    uint8_t status_ = 0; // 0 ready, 1 columns read and rows pending, 2 rows being fetched
    bool reconnect_ = true;
    bool usePipe_ = false;
    int timeout_ = kMysqlDefaultTimeout;
    bool secureWanted_ = false;
    bool compressWanted_ = true;
    bool localInfile_ = false;
    uint32_t clientFlags_ = kDefaultClientFlags;
    std::string serverVersion_;
    uint16_t serverCaps_ = 0;
    uint16_t serverStatus_ = SERVER_STATUS_AUTOCOMMIT;
    uint8_t serverCharset_ = 0;
    std::vector<TMysqlField> fields_;
    TMysqlResult* current_ = nullptr;
    std::string statement_; // the statement being run, for local-file requests
};

// The file a LOAD DATA ... LOCAL INFILE statement names, unquoted; empty
// when the statement is no such load.
std::string NamedLocalFile(std::string_view statement);
