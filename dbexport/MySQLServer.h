#pragma once

// The connection component: settings, connect and disconnect through a
// driver, the database script, and statements run on its own connection.

#include "dbexport/DbConnection.h"
#include "dbexport/MySQLDrivers.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum TMySQLDriverType { dtDirect, dtEmbedded, dtLibrary };
enum TMySQLProtocolType { ptTCP, ptPipe };

// Members that go to the server carry their capability flag; the s-members
// act in the component only.
enum TMySQLServerOption : uint32_t {
    coLongPassword = 1,
    coFoundRows = 2,
    coLongFlag = 4,
    coConnectWithDB = 8,
    coNoSchema = 16,
    coCompress = 32,
    coODBC = 64,
    coLocalFiles = 128,
    coIgnoreSpace = 256,
    coProtocol41 = 512,
    coInteractive = 1024,
    coIgnoreSigpipe = 4096,
    coTransactions = 8192,
    coSecureConnection = 32768,
    coMultiQueries = 65536,
    soAutoCreate = 1u << 24,
    soDropIfExists = 1u << 25,
    soCloseOnChildren = 1u << 26,
};
using TMySQLServerOptions = uint32_t;
constexpr TMySQLServerOptions kServerFlagMask = 0x00FFFFFF;

// The values the login dialog shows and takes back.
struct TMySQLLoginValues {
    std::string Host;
    std::string Port;
    std::string UserName;
    std::string Password;
};
// The login dialog; the program installs its own. Returns false on cancel.
// Without one installed the connect goes on with the values as they are.
extern std::function<bool(TMySQLLoginValues&)> MySQLLoginDialog;

class TPropertyStream;

class TMySQLServer : public TCustomConnection {
public:
    TMySQLServer();
    ~TMySQLServer() override;
    TMySQLServer(const TMySQLServer&) = delete;
    TMySQLServer& operator=(const TMySQLServer&) = delete;

    const std::string& DatabaseName() const { return databaseName_; }
    void SetDatabaseName(const std::string& name);
    const std::string& Host() const { return host_; }
    void SetHost(const std::string& v);
    uint16_t Port() const { return port_; }
    void SetPort(uint16_t v);
    const std::string& UserName() const { return userName_; }
    void SetUserName(const std::string& v);
    const std::string& Password() const { return password_; }
    void SetPassword(const std::string& v);
    bool LoginPrompt = false;
    TMySQLDriverType DriverKind() const { return driverKind_; }
    void SetDriverKind(TMySQLDriverType kind);
    TMySQLProtocolType Protocol() const { return protocol_; }
    void SetProtocol(TMySQLProtocolType p);
    TMySQLServerOptions Options() const { return options_; }
    void SetOptions(TMySQLServerOptions o);
    bool Compression() const { return (options_ & coCompress) != 0; }
    void SetCompression(bool on);
    const std::string& Params() const { return params_; }
    void SetParams(const std::string& text);
    std::string ClientVersion();
    std::string ServerVersion();
    int ClientVer() const { return driver_->ClientVer(); }
    int ServerVer() const { return driver_->ServerVer(); }
    TMySQLBase& DriverProperties() { return *driver_; }
    void SetDriverProperties(std::unique_ptr<TMySQLBase> driver);
    TMySQLHandle Handle() const { return handle_; }

    std::function<void(TMySQLServer*, std::string& params)> OnLogin;

    void Assign(const TMySQLServer& source);
    // After loading from a stored form: connect when Connected was stored
    // true. In the designer a failure goes to DesignerMessage instead of
    // being raised.
    void Loaded(bool storedConnected);
    bool Designing = false;
    std::function<void(const std::string&)> DesignerMessage;
    // The stored form: only what differs from a new component (and
    // Connected when connected); reading ends with Loaded.
    void WriteProperties(TPropertyStream& stream) const;
    void ReadProperties(const TPropertyStream& stream);
    static constexpr TMySQLServerOptions kDefaultOptions = coInteractive | coTransactions | coProtocol41;
    void ConnectWhenNeeded();

    // Runs one statement on the component's own connection; false without one.
    bool Execute(const std::string& statement);
    // Splits the lines into statements and runs them until one gives false.
    bool Execute(const std::vector<std::string>& lines);

    bool CreateDatabase(const std::string& name);
    bool DropDatabase(const std::string& name);
    bool UseDatabase(const std::string& name);

    std::string QuoteName(const std::string& name) { return driver_->QuoteName(name); }
    std::string Escape(const std::string& text) { return driver_->Escape(text); }

    // A dataset closed: with soCloseOnChildren the last one takes the connection along.
    void ChildClosed();

protected:
    void DoConnect() override;
    void DoDisconnect() override;
    bool GetConnected() const override { return handle_ != nullptr; }

private:
    std::string SectionName() const;
    void ReloadDriverOptions();
    void WriteProtocol();
    void MakeDriver();
    void RunDatabaseScript();
    bool AnyClientActive() const;

    std::string databaseName_;
    std::string host_ = "localhost";
    uint16_t port_ = 3306;
    std::string userName_ = "root";
    std::string password_;
    TMySQLDriverType driverKind_ = dtDirect;
    TMySQLProtocolType protocol_ = ptTCP;
    TMySQLServerOptions options_ = kDefaultOptions;
    std::string params_;
    std::unique_ptr<TMySQLBase> driver_;
    TMySQLHandle handle_ = nullptr;
};
