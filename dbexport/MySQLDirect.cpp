// The operation table filled with the program's own client.

#include "dbexport/MySQLDrivers.h"
#include "dbexport/uMysqlClient.h"
#include "dbexport/uMysqlHelpers.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace direct {

// Read and write time-outs set through the options apply to every client
// made afterwards.
std::atomic<int> gDefaultTimeout{kMysqlDefaultTimeout};

struct DirectClient {
    TMysqlClient client;
    std::string serverInfo;
};

struct DirectResult {
    std::unique_ptr<TMysqlResult> result;
    std::vector<TMySQLField41> fields;
    std::vector<std::string> texts; // the names the column records point at
    std::vector<char*> row;
    std::vector<unsigned long> lengths;
    size_t nextField = 0;
    bool started = false;
};

DirectClient* C(TMySQLHandle h) { return static_cast<DirectClient*>(h); }
DirectResult* R(TMySQLResultHandle r) { return static_cast<DirectResult*>(r); }

TMySQLHandle Init(TMySQLHandle)
{
    auto* c = new DirectClient;
    c->client.SetReconnect(false);
    c->client.SetCompress(false);
    c->client.SetTimeout(gDefaultTimeout.load());
    return c;
}

int Options(TMySQLHandle h, int option, const void* arg)
{
    const int value = arg ? static_cast<int>(*static_cast<const unsigned*>(arg)) : 0;
    switch (option) {
    case 0: C(h)->client.SetTimeout(value); break;
    case 1: C(h)->client.SetCompress(true); break;
    case 2: C(h)->client.SetNamedPipe(true, true); break;
    case 11:
    case 12: gDefaultTimeout = value; break;
    default: break;
    }
    return 0;
}

TMySQLHandle RealConnect(TMySQLHandle h, const char* host, const char* user, const char* pass,
                         const char* db, unsigned port, const char*, unsigned long flags)
{
    DirectClient* c = C(h);
    const bool ok = c->client.RealConnect(host ? host : "", user ? user : "", pass ? pass : "",
                                          db ? db : "", static_cast<int>(port),
                                          static_cast<uint32_t>(flags), c->client.UseNamedPipe());
    return ok ? h : nullptr;
}

void Close(TMySQLHandle h) { delete C(h); }
unsigned ErrNo(TMySQLHandle h) { return h ? static_cast<unsigned>(C(h)->client.ErrorNo()) : 1; }
const char* Error(TMySQLHandle h) { return h ? C(h)->client.Error().c_str() : ""; }
const char* HostInfo(TMySQLHandle) { return nullptr; }
const char* ClientInfo() { return "4.1.14"; }
const char* ServerInfo(TMySQLHandle h) { return C(h)->client.ServerVersion().c_str(); }
unsigned ProtoInfo(TMySQLHandle h) { return C(h)->client.Connected() ? 10u : 0u; }
int Ping(TMySQLHandle h) { return C(h)->client.Ping() ? 0 : 1; }
unsigned long ThreadId(TMySQLHandle h) { return C(h)->client.ThreadId(); }
int Kill(TMySQLHandle h, unsigned long id) { return C(h)->client.Kill(static_cast<uint32_t>(id)) ? 0 : 1; }
const char* Info(TMySQLHandle h) { return C(h)->client.Info().c_str(); }
int CreateDb(TMySQLHandle h, const char* n) { return C(h)->client.CreateDb(n) ? 0 : 1; }
int SelectDb(TMySQLHandle h, const char* n) { return C(h)->client.SelectDb(n) ? 0 : 1; }
int DropDb(TMySQLHandle h, const char* n) { return C(h)->client.DropDb(n) ? 0 : 1; }
int RealQuery(TMySQLHandle h, const char* q, unsigned long len)
{
    return C(h)->client.Query(std::string_view(q, len));
}

TMySQLResultHandle UseResult(TMySQLHandle h)
{
    auto r = C(h)->client.UseResult();
    if (!r)
        return nullptr;
    auto* d = new DirectResult;
    d->result = std::move(r);
    const auto& fs = d->result->Fields();
    d->texts.reserve(fs.size() * 7);
    auto keep = [&](const std::optional<std::string>& s) -> char* {
        if (!s)
            return nullptr;
        d->texts.push_back(*s);
        return d->texts.back().data();
    };
    for (const TMysqlField& f : fs) {
        TMySQLField41 rec{};
        rec.name = keep(f.Name);
        rec.org_name = keep(f.OrgName);
        rec.table = keep(f.Table);
        rec.org_table = keep(f.OrgTable);
        rec.db = keep(f.Db);
        rec.catalog = keep(f.Catalog);
        rec.def = keep(f.Def);
        rec.length = f.Length;
        rec.max_length = f.MaxLength;
        rec.flags = f.Flags;
        rec.decimals = f.Decimals;
        rec.charsetnr = f.CharsetNr;
        rec.type = f.Type;
        d->fields.push_back(rec);
    }
    return d;
}

void FreeResult(TMySQLResultHandle r) { delete R(r); }
unsigned NumFields(TMySQLResultHandle r) { return static_cast<unsigned>(R(r)->fields.size()); }
uint64_t NumRows(TMySQLResultHandle r) { return R(r)->result->RowCount(); }
unsigned long* FetchLengths(TMySQLResultHandle r) { return R(r)->lengths.data(); }

void* FetchField(TMySQLResultHandle r)
{
    DirectResult* d = R(r);
    return d->nextField < d->fields.size() ? &d->fields[d->nextField++] : nullptr;
}

char** FetchRow(TMySQLResultHandle r)
{
    DirectResult* d = R(r);
    TMysqlResult& res = *d->result;
    if (d->started) {
        if (res.Eof() || !res.Next())
            return nullptr;
    }
    d->started = true;
    if (res.Eof())
        return nullptr;
    const TMysqlRow& row = res.Row();
    d->row.resize(row.size());
    d->lengths.resize(row.size());
    for (size_t i = 0; i < row.size(); ++i) {
        // The row's texts stay put until the next fetch.
        d->row[i] = row[i] ? const_cast<char*>(row[i]->data()) : nullptr;
        d->lengths[i] = row[i] ? static_cast<unsigned long>(row[i]->size()) : 0;
    }
    return d->row.data();
}

unsigned long Escape(TMySQLHandle, char* to, const char* from, unsigned long len)
{
    return static_cast<unsigned long>(MySQLEscapeInto(to, from, len));
}

uint64_t InsertId(TMySQLHandle h) { return C(h)->client.InsertId(); }
int Refresh(TMySQLHandle, unsigned) { return 0; }
uint64_t AffectedRows(TMySQLHandle h) { return C(h)->client.AffectedRows(); }

} // namespace direct

void TMySQLDirect::BindTable()
{
    TMySQLBase::BindTable();
    ops_ = TMySQLOps{direct::Init, direct::Options, direct::RealConnect, direct::Close, direct::ErrNo, direct::Error, direct::HostInfo, direct::ClientInfo, direct::ServerInfo, direct::ProtoInfo, direct::Ping, direct::ThreadId, direct::Kill, direct::Info, direct::CreateDb, direct::SelectDb, direct::DropDb, direct::RealQuery, direct::UseResult, direct::FreeResult, direct::NumFields, direct::NumRows, direct::FetchLengths, direct::FetchField, direct::FetchRow, direct::Escape, direct::InsertId, direct::Refresh, direct::AffectedRows};
}
