#include "MariaServer.h"

#include "FakeServer.h"
#include "dbexport/uMysqlClient.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace cftest {

namespace fs = std::filesystem;

namespace {

const char kInitSql[] =
    "SET old_passwords=1;\n"
    "CREATE USER 'cf_old'@'%' IDENTIFIED BY 'old pw';\n"
    "SET old_passwords=0;\n"
    "CREATE USER 'cf_new'@'%' IDENTIFIED BY 'new-secret';\n"
    "CREATE USER 'cf_empty'@'%';\n"
    "CREATE USER 'cf_a_very_long_user_name'@'%' IDENTIFIED BY 'long-secret';\n"
    "CREATE USER 'cf_a_very_long_u'@'%' IDENTIFIED BY 'long-secret';\n"
    "GRANT ALL ON *.* TO 'cf_old'@'%', 'cf_new'@'%', 'cf_empty'@'%',"
    " 'cf_a_very_long_user_name'@'%', 'cf_a_very_long_u'@'%';\n"
    "CREATE DATABASE cf_db;\n";

int Run(const std::vector<std::string>& args, const std::string& log, bool wait)
{
    pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        ::setsid();
        int in = ::open("/dev/null", O_RDONLY);
        int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(out, 2);
        std::vector<char*> argv;
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    if (!wait)
        return pid;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadFile(const fs::path& p)
{
    std::ifstream in(p);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

MariaInfo StartMaria(const std::string& root)
{
    MariaInfo info;
    std::string tmpl = (fs::temp_directory_path() / "chanforge-mariadb-XXXXXX").string();
    if (!::mkdtemp(tmpl.data()))
        throw std::runtime_error("cannot create a temporary folder");
    info.dataRoot = tmpl;
    const fs::path dir = tmpl;
    const std::string log = (dir / "server.log").string();
    (void)root;
    const bool asRoot = ::geteuid() == 0;
    // A temporary folder of its own: servers set up side by side must not
    // share temporary table names in /tmp.
    const std::string tmpArg = "--tmpdir=" + (dir / "tmp").string();
    fs::create_directories(dir / "tmp");
    auto cleanUp = [&] {
        std::error_code ec;
        fs::remove_all(dir, ec);
    };

    std::vector<std::string> install = {"mariadb-install-db", "--no-defaults",
                                        "--datadir=" + (dir / "data").string(),
                                        "--auth-root-authentication-method=normal",
                                        "--skip-test-db", "--skip-name-resolve", tmpArg};
    if (asRoot)
        install.push_back("--user=root");
    if (Run(install, log, true) != 0) {
        std::string text = ReadFile(log);
        cleanUp();
        throw std::runtime_error("mariadb-install-db failed: " + text);
    }
    {
        std::ofstream init(dir / "init.sql");
        init << kInitSql;
    }
    for (int attempt = 0; attempt < 5; ++attempt) {
        info.port = UnusedPort();
        info.socket = (dir / "mysqld.sock").string();
        std::vector<std::string> server = {
            "mariadbd", "--no-defaults",
            "--datadir=" + (dir / "data").string(),
            "--port=" + std::to_string(info.port),
            "--bind-address=127.0.0.1", "--skip-networking=0",
            "--socket=" + info.socket,
            "--pid-file=" + (dir / "mysqld.pid").string(),
            "--log-error=" + (dir / "error.log").string(),
            "--init-file=" + (dir / "init.sql").string(),
            "--secure-auth=0",
            "--sql-mode=STRICT_ALL_TABLES,NO_ENGINE_SUBSTITUTION",
            "--character-set-server=utf8mb4", "--collation-server=utf8mb4_general_ci",
            "--skip-character-set-client-handshake",
            "--max-allowed-packet=64M", "--skip-name-resolve", "--skip-log-bin",
            "--innodb-buffer-pool-size=16M", "--performance-schema=OFF",
            "--skip-grant-tables=0", tmpArg};
        if (asRoot)
            server.push_back("--user=root");
        info.pid = Run(server, log, false);
        if (info.pid <= 0) {
            cleanUp();
            throw std::runtime_error("cannot start mariadbd");
        }
        // Ready when one of the test accounts answers a ping.
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (::waitpid(info.pid, &status, WNOHANG) == info.pid) {
                info.pid = 0;
                break;
            }
            TMysqlClient c;
            c.SetTimeout(2);
            c.SetReconnect(false);
            if (c.RealConnect("127.0.0.1", kUserNew, kPassNew, {}, info.port) && c.Ping())
                return info;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        if (info.pid > 0) {
            ::kill(info.pid, SIGKILL);
            ::waitpid(info.pid, nullptr, 0);
            info.pid = 0;
        }
        // Most likely the port was taken in between: try another one.
    }
    std::string err = ReadFile(dir / "error.log");
    cleanUp();
    throw std::runtime_error("mariadbd did not come up: " + err);
}

void StopMaria(const MariaInfo& info)
{
    if (info.pid > 0 && ::kill(info.pid, SIGTERM) == 0) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (std::chrono::steady_clock::now() < deadline) {
            // Our own child: reap it; a server started by another process: poll for it.
            if (::waitpid(info.pid, nullptr, WNOHANG) == info.pid || ::kill(info.pid, 0) != 0)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (::kill(info.pid, 0) == 0) {
            ::kill(info.pid, SIGKILL);
            ::waitpid(info.pid, nullptr, WNOHANG);
        }
    }
    if (!info.dataRoot.empty() && info.dataRoot.find("chanforge-mariadb-") != std::string::npos) {
        std::error_code ec;
        fs::remove_all(info.dataRoot, ec);
    }
}

bool WriteMariaState(const std::string& path, const MariaInfo& info)
{
    std::ofstream out(path);
    out << info.port << "\n" << info.socket << "\n" << info.dataRoot << "\n" << info.pid << "\n";
    return static_cast<bool>(out);
}

bool ReadMariaState(const std::string& path, MariaInfo& info)
{
    std::ifstream in(path);
    if (!(in >> info.port))
        return false;
    in.ignore();
    std::getline(in, info.socket);
    std::getline(in, info.dataRoot);
    in >> info.pid;
    return info.port > 0;
}

namespace {

struct OwnServer {
    MariaInfo info;
    bool own = false;
    ~OwnServer()
    {
        if (own)
            StopMaria(info);
    }
};

} // namespace

const MariaInfo& SharedMaria()
{
    static OwnServer server = [] {
        OwnServer s;
        const char* state = std::getenv("CF_MARIADB_STATE");
        if (state && ReadMariaState(state, s.info))
            return s;
        s.info = StartMaria({});
        s.own = true;
        return s;
    }();
    return server.info;
}

} // namespace cftest
