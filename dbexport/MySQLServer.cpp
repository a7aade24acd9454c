#include "dbexport/MySQLServer.h"
#include "dbexport/MySQLSplitter.h"
#include "dbexport/MySQLStrUtils.h"

#include <exception>
#include <string>

std::function<bool(TMySQLLoginValues&)> MySQLLoginDialog;

TMySQLServer::TMySQLServer()
{
    MakeDriver();
}

TMySQLServer::~TMySQLServer()
{
    try {
        Close();
    } catch (...) {
        // Closing a connection never stops the component going away.
    }
    for (TConnectionClient* c : std::vector<TConnectionClient*>(clients_))
        c->ConnectionGone();
    clients_.clear();
}

std::string TMySQLServer::SectionName() const
{
    switch (driverKind_) {
    case dtEmbedded: return "embedded";
    case dtLibrary: return "client";
    default: return "direct";
    }
}

void TMySQLServer::ReloadDriverOptions()
{
    driver_->SetOptions(ExtractSection(params_, SectionName(), ""));
}

void TMySQLServer::WriteProtocol()
{
    params_ = SetSectionValue(params_, SectionName(), "protocol", protocol_ == ptPipe ? "pipe" : "tcp");
}

void TMySQLServer::MakeDriver()
{
    switch (driverKind_) {
    case dtEmbedded: driver_ = std::make_unique<TMySQLEmbedded>(); break;
    case dtLibrary: driver_ = std::make_unique<TMySQLLibrary>(); break;
    default: driver_ = std::make_unique<TMySQLDirect>(); break;
    }
    ReloadDriverOptions();
}

void TMySQLServer::SetDatabaseName(const std::string& name)
{
    databaseName_ = name;
    if (handle_ && !name.empty())
        driver_->SelectDb(handle_, name);
}

void TMySQLServer::SetHost(const std::string& v)
{
    if (v == host_)
        return;
    Close();
    host_ = v;
}

void TMySQLServer::SetPort(uint16_t v)
{
    if (v == port_)
        return;
    Close();
    port_ = v;
}

void TMySQLServer::SetUserName(const std::string& v)
{
    if (v == userName_)
        return;
    Close();
    userName_ = v;
}

void TMySQLServer::SetPassword(const std::string& v)
{
    if (v == password_)
        return;
    Close();
    password_ = v;
}

void TMySQLServer::SetDriverKind(TMySQLDriverType kind)
{
    if (kind == driverKind_)
        return;
    Close();
    driverKind_ = kind;
    MakeDriver();
    WriteProtocol();
    ReloadDriverOptions();
}

void TMySQLServer::SetProtocol(TMySQLProtocolType p)
{
    if (p == protocol_)
        return;
    Close();
    protocol_ = p;
    WriteProtocol();
    ReloadDriverOptions();
}

void TMySQLServer::SetOptions(TMySQLServerOptions o)
{
    if (o == options_)
        return;
    Close();
    options_ = o;
}

void TMySQLServer::SetCompression(bool on)
{
    SetOptions(on ? (options_ | coCompress) : (options_ & ~static_cast<uint32_t>(coCompress)));
}

void TMySQLServer::SetParams(const std::string& text)
{
    Close();
    params_ = text;
    ReloadDriverOptions();
}

void TMySQLServer::SetDriverProperties(std::unique_ptr<TMySQLBase> driver)
{
    if (!driver || driver.get() == driver_.get())
        return;
    Close();
    driver_ = std::move(driver);
    ReloadDriverOptions();
}

std::string TMySQLServer::ClientVersion()
{
    return driver_->ClientVersion();
}

std::string TMySQLServer::ServerVersion()
{
    return driver_->ServerVersion(handle_);
}

void TMySQLServer::DoConnect()
{
    if (handle_)
        DoDisconnect();
    if (OnLogin)
        OnLogin(this, params_);

    // The "client" section overrides the properties at each connect.
    host_ = ReadSectionValue(params_, "client", "host", host_);
    userName_ = ReadSectionValue(params_, "client", "user", userName_);
    password_ = ReadSectionValue(params_, "client", "password", password_);
    int port = 0;
    if (TryStrToInt(ReadSectionValue(params_, "client", "port", std::to_string(port_)), port) &&
        port >= 0 && port <= 65535)
        port_ = static_cast<uint16_t>(port);

    if (LoginPrompt && MySQLLoginDialog) {
        TMySQLLoginValues v{host_, std::to_string(port_), userName_, password_};
        if (!MySQLLoginDialog(v))
            return;
        host_ = v.Host;
        userName_ = v.UserName;
        password_ = v.Password;
        if (TryStrToInt(v.Port, port) && port >= 0 && port <= 65535)
            port_ = static_cast<uint16_t>(port);
    }

    const bool autoCreate = (options_ & soAutoCreate) && !databaseName_.empty();
    const std::string database = autoCreate ? std::string() : databaseName_;
    const uint32_t flags = options_ & kServerFlagMask;
    handle_ = driver_->Connect(host_, userName_, (flags & coConnectWithDB) ? database : std::string(),
                               flags, port_, password_);
    try {
        if (driver_->ServerVer() < 32100)
            driver_->RaiseError("Only compatible with MySQL Server 3.21.xx and higher. Your version: " +
                                std::to_string(driver_->ServerVer()));
        if (autoCreate)
            RunDatabaseScript();
        if (!(flags & coConnectWithDB) && !databaseName_.empty())
            driver_->SelectDb(handle_, databaseName_);
    } catch (...) {
        DoDisconnect();
        throw;
    }
}

void TMySQLServer::RunDatabaseScript()
{
    const std::string name = driver_->QuoteName(databaseName_);
    std::vector<std::string> script;
    if (options_ & soDropIfExists)
        script.push_back("drop database if exists " + name + ";");
    script.push_back("create database if not exists " + name + ";");
    script.push_back("use " + name + ";");
    for (TConnectionClient* c : clients_)
        for (const std::string& s : c->AutoCreateStatements())
            script.push_back(s);
    script.push_back("use " + name + ";");
    for (const std::string& s : script)
        driver_->Query(handle_, s);
}

void TMySQLServer::DoDisconnect()
{
    driver_->Close(handle_);
    handle_ = nullptr;
}

bool TMySQLServer::AnyClientActive() const
{
    for (TConnectionClient* c : clients_)
        if (c->ClientActive())
            return true;
    return false;
}

void TMySQLServer::ChildClosed()
{
    if ((options_ & soCloseOnChildren) && handle_ && !AnyClientActive())
        Close();
}

void TMySQLServer::Assign(const TMySQLServer& source)
{
    if (&source == this)
        return;
    Close();
    LoginPrompt = source.LoginPrompt;
    options_ = source.options_;
    params_ = source.params_;
    if (source.driverKind_ != driverKind_) {
        driverKind_ = source.driverKind_;
        MakeDriver();
    }
    ReloadDriverOptions();
    if (auto* lib = dynamic_cast<TMySQLLibrary*>(driver_.get()))
        if (auto* from = dynamic_cast<const TMySQLLibrary*>(source.driver_.get()))
            lib->LibraryName = from->LibraryName;
    SetHost(source.host_);
    SetPort(source.port_);
    SetUserName(source.userName_);
    SetPassword(source.password_);
    SetDatabaseName(source.databaseName_);
}

void TMySQLServer::Loaded(bool storedConnected)
{
    if (!storedConnected)
        return;
    try {
        Open();
    } catch (const std::exception& e) {
        if (!Designing)
            throw;
        if (DesignerMessage)
            DesignerMessage(e.what());
    }
}

void TMySQLServer::ConnectWhenNeeded()
{
    if (!handle_)
        Open();
}

bool TMySQLServer::Execute(const std::string& statement)
{
    bool result = false;
    try {
        ConnectWhenNeeded();
        if (handle_) {
            std::string text = statement;
            if (driver_->ServerVer() < 32200 && !text.empty() && text.back() == ';')
                text.pop_back();
            driver_->Query(handle_, text);
            TMySQLResultHandle res = driver_->UseResult(handle_);
            driver_->FreeResult(res);
            result = true;
        }
    } catch (...) {
        ChildClosed();
        throw;
    }
    ChildClosed();
    return result;
}

bool TMySQLServer::Execute(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& l : lines)
        text += l + "\r\n";
    const std::vector<std::string> statements = SplitStatements(text);
    if (statements.empty())
        return false;
    for (const std::string& s : statements)
        if (!Execute(s))
            return false;
    return true;
}

bool TMySQLServer::CreateDatabase(const std::string& name)
{
    return Execute("create database " + driver_->QuoteName(name) + ";");
}

bool TMySQLServer::DropDatabase(const std::string& name)
{
    return Execute("drop database " + driver_->QuoteName(name) + ";");
}

bool TMySQLServer::UseDatabase(const std::string& name)
{
    return Execute("use " + driver_->QuoteName(name) + ";");
}
