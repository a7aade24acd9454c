#pragma once

// The driver layer between the connection component and a client
// implementation: a table of client operations shaped after the published
// C API, wrapped so that failures raise EMySQLError and operations without
// a handle give neutral answers.

#include "dbexport/DbErrors.h"

#include <cstdint>
#include <string>
#include <string_view>

using TMySQLHandle = void*;
using TMySQLResultHandle = void*;

// The column record of the published 4.1 client API (also libmariadb's).
struct TMySQLField41 {
    char* name;
    char* org_name;
    char* table;
    char* org_table;
    char* db;
    char* catalog;
    char* def;
    unsigned long length;
    unsigned long max_length;
    unsigned int name_length, org_name_length, table_length, org_table_length, db_length,
        catalog_length, def_length;
    unsigned int flags;
    unsigned int decimals;
    unsigned int charsetnr;
    int type;
    void* extension;
};

// What the dataset reads of a column; Name is empty past the last column.
struct TMySQLFieldDesc {
    std::string Name, OrgName, Table, OrgTable, Database, Default;
    bool HasDefault = false;
    uint32_t Length = 0, MaxLength = 0, Flags = 0, Decimals = 0;
    uint8_t Type = 0;
};

// The operation table, in slot order; each takes the connection or result first.
struct TMySQLOps {
    TMySQLHandle (*mysql_init)(TMySQLHandle);
    int (*mysql_options)(TMySQLHandle, int, const void*);
    TMySQLHandle (*mysql_real_connect)(TMySQLHandle, const char*, const char*, const char*,
                                       const char*, unsigned int, const char*, unsigned long);
    void (*mysql_close)(TMySQLHandle);
    unsigned int (*mysql_errno)(TMySQLHandle);
    const char* (*mysql_error)(TMySQLHandle);
    const char* (*mysql_get_host_info)(TMySQLHandle);
    const char* (*mysql_get_client_info)();
    const char* (*mysql_get_server_info)(TMySQLHandle);
    unsigned int (*mysql_get_proto_info)(TMySQLHandle);
    int (*mysql_ping)(TMySQLHandle);
    unsigned long (*mysql_thread_id)(TMySQLHandle);
    int (*mysql_kill)(TMySQLHandle, unsigned long);
    const char* (*mysql_info)(TMySQLHandle);
    int (*mysql_create_db)(TMySQLHandle, const char*);
    int (*mysql_select_db)(TMySQLHandle, const char*);
    int (*mysql_drop_db)(TMySQLHandle, const char*);
    int (*mysql_real_query)(TMySQLHandle, const char*, unsigned long);
    TMySQLResultHandle (*mysql_use_result)(TMySQLHandle);
    void (*mysql_free_result)(TMySQLResultHandle);
    unsigned int (*mysql_num_fields)(TMySQLResultHandle);
    uint64_t (*mysql_num_rows)(TMySQLResultHandle);
    unsigned long* (*mysql_fetch_lengths)(TMySQLResultHandle);
    // The column record in the library's own layout (see MySQLFieldLayouts.h).
    void* (*mysql_fetch_field)(TMySQLResultHandle);
    char** (*mysql_fetch_row)(TMySQLResultHandle);
    unsigned long (*mysql_real_escape_string)(TMySQLHandle, char*, const char*, unsigned long);
    uint64_t (*mysql_insert_id)(TMySQLHandle);
    int (*mysql_refresh)(TMySQLHandle, unsigned int);
    uint64_t (*mysql_affected_rows)(TMySQLHandle);
};
inline constexpr int kMySQLOpCount = 29;
extern const char* const kMySQLOpNames[kMySQLOpCount];

// major * 10000 + minor * 100 + release from a version text; 3, 21 and 0
// stand in for parts that are missing.
int MySQLVersionNumber(std::string_view text);

class TMySQLBase {
public:
    explicit TMySQLBase(const std::string& options = {});
    virtual ~TMySQLBase();
    TMySQLBase(const TMySQLBase&) = delete;
    TMySQLBase& operator=(const TMySQLBase&) = delete;

    TMySQLHandle Handle() const { return handle_; }
    // The lines of the driver's Params section.
    virtual void SetOptions(const std::string& text) { options_ = text; }
    const std::string& Options() const { return options_; }
    virtual void Load();
    virtual void Unload();
    bool Loaded() const { return loaded_; }
    virtual std::string ClientLibrary() const { return {}; }

    int ErrorNo(TMySQLHandle h);
    std::string ErrorText(TMySQLHandle h);
    // Raises EMySQLError; a failed connect leaves nothing open behind it.
    TMySQLHandle Connect(const std::string& host, const std::string& user, const std::string& db,
                         uint32_t flags, int port, const std::string& password);
    void Close(TMySQLHandle& h);
    std::string ClientVersion();
    std::string ClientInfo();
    std::string HostInfo(TMySQLHandle h);
    std::string ServerVersion(TMySQLHandle h);
    unsigned ProtoInfo(TMySQLHandle h);
    bool Ping(TMySQLHandle h);
    unsigned long ThreadId(TMySQLHandle h);
    bool Kill(TMySQLHandle h, unsigned long id);
    std::string Info(TMySQLHandle h);
    bool CreateDb(TMySQLHandle h, const std::string& name);
    bool SelectDb(TMySQLHandle h, const std::string& name);
    bool DropDb(TMySQLHandle h, const std::string& name);
    bool Refresh(TMySQLHandle h, unsigned options);
    // Sends one statement; a failure raises with the server's number and text.
    void Query(TMySQLHandle h, std::string_view statement);
    TMySQLResultHandle UseResult(TMySQLHandle h);
    void FreeResult(TMySQLResultHandle& res);
    unsigned NumFields(TMySQLResultHandle res);
    uint64_t NumRows(TMySQLResultHandle res);
    TMySQLFieldDesc FetchField(TMySQLResultHandle res);
    char** FetchRow(TMySQLResultHandle res);
    unsigned long* FetchLengths(TMySQLResultHandle res);
    std::string InsertId(TMySQLHandle h);
    std::string AffectedRows(TMySQLHandle h);

    std::string Escape(std::string_view text);
    std::string QuoteName(const std::string& name);
    bool IsReservedWord(const std::string& name) const;

    int ClientVer() const { return clientVer_; }
    int ServerVer() const { return serverVer_; }

    // Handle known: its error text + ": " + message; then the version texts;
    // "[n] " in front when the number is 0 or more.
    [[noreturn]] void RaiseError(const std::string& message, TMySQLHandle h = nullptr,
                                 int errorNo = kNumberFromHandle);
    static constexpr int kNumberFromHandle = -2;

    std::string ReservedWords;

protected:
    virtual void BindTable();
    TMySQLOps ops_{};

private:
    void EnsureLoaded();
    std::string OptionValue(const std::string& key) const;

    std::string options_;
    TMySQLHandle handle_ = nullptr;
    bool loaded_ = false;
    int clientVer_ = 0;
    int serverVer_ = 0;
    std::string clientText_, serverText_;
};

// The program's own client.
class TMySQLDirect : public TMySQLBase {
public:
    using TMySQLBase::TMySQLBase;

protected:
    void BindTable() override;
};

// The operation table from an external client library.
class TMySQLLibrary : public TMySQLBase {
public:
    using TMySQLBase::TMySQLBase;
    ~TMySQLLibrary() override;
    void Load() override;
    void Unload() override;
    std::string ClientLibrary() const override;
    std::string LibraryName; // empty: the default

protected:
    virtual std::string DefaultLibrary() const { return "libmysql.dll"; }
    void BindTable() override;
    void* Symbol(const char* name) const;
    void* module_ = nullptr;
};

// A client library that carries the server itself.
class TMySQLEmbedded : public TMySQLLibrary {
public:
    using TMySQLLibrary::TMySQLLibrary;
    void Load() override;
    void Unload() override;

protected:
    std::string DefaultLibrary() const override { return "libmysqld.dll"; }
    void BindTable() override;

private:
    int (*serverInit_)(int, char**, char**) = nullptr;
    void (*serverEnd_)() = nullptr;
};
