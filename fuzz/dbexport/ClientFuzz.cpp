// The client against a server that sends arbitrary bytes: greeting, login
// answer, result headers, column definitions and rows, plain or compressed.
// The fake server sends the input, then closes, so every wait ends at once.

#include "dbexport/uMysqlClient.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

std::string SocketPath()
{
    static const std::string path = "/tmp/chanforge-fuzz-" + std::to_string(::getpid()) + ".sock";
    return path;
}

int Listener()
{
    static int fd = [] {
        int s = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un a{};
        a.sun_family = AF_UNIX;
        std::strncpy(a.sun_path, SocketPath().c_str(), sizeof a.sun_path - 1);
        ::unlink(a.sun_path);
        if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(s, 4) != 0)
            std::abort();
        std::atexit([] { ::unlink(SocketPath().c_str()); });
        return s;
    }();
    return fd;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const bool compress = data[0] & 1;
    const bool localInfile = data[0] & 2;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const int listener = Listener();
    std::thread server([&] {
        int c = ::accept(listener, nullptr, nullptr);
        if (c < 0)
            return;
        size_t sent = 0;
        while (sent < bytes.size()) {
            ssize_t n = ::send(c, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                break;
            sent += static_cast<size_t>(n);
        }
        ::shutdown(c, SHUT_WR);
        char sink[4096];
        while (::recv(c, sink, sizeof sink, 0) > 0) {
        }
        ::close(c);
    });
    {
        TMysqlClient client;
        client.SetTimeout(1);
        client.SetReconnect(false);
        client.SetCompress(compress);
        client.SetLocalInfile(localInfile);
        client.SetNamedPipe(true, false);
        if (client.RealConnect({}, "user", "password", "db", 0, 0, false, SocketPath())) {
            if (client.Query("SELECT a FROM t") == 0) {
                if (auto r = client.UseResult())
                    while (r->Next()) {
                    }
            }
            client.Query("LOAD DATA LOCAL INFILE '/nonexistent/x' INTO TABLE t");
            client.Ping();
        }
        client.Close();
    }
    server.join();
    return 0;
}
