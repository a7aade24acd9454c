#pragma once

// Starts one of the scripted peers of peers/ (FTP, web interface, Telnet) on
// 127.0.0.1 and a free port chosen by the peer itself, and stops it again.

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/socket.h>
#include <netinet/in.h>
#include <arpa/inet.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace cftest {

class Peer {
public:
    // script: file name in the peers folder; args: its arguments.
    Peer(const std::string& script, const std::vector<std::string>& args)
    {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe");
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_adddup2(&fa, fds[1], 1);
        std::vector<std::string> argv_s{CF_PYTHON, std::string(CF_PEERS_DIR) + "/" + script};
        argv_s.insert(argv_s.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& a : argv_s)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        int rc = posix_spawn(&pid_, CF_PYTHON, &fa, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&fa);
        close(fds[1]);
        if (rc != 0) {
            close(fds[0]);
            throw std::runtime_error("cannot start " + script);
        }
        // The peer prints "PORT <n>" once it listens.
        std::string line;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (line.find('\n') == std::string::npos) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                            deadline - std::chrono::steady_clock::now()).count();
            pollfd p{fds[0], POLLIN, 0};
            if (left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0)
                break;
            char c;
            if (read(fds[0], &c, 1) != 1)
                break;
            line += c;
        }
        close(fds[0]);
        if (std::sscanf(line.c_str(), "PORT %d", &port_) != 1) {
            Stop();
            throw std::runtime_error(script + " did not start: " + line);
        }
    }
    ~Peer() { Stop(); }
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;

    int port() const { return port_; }

    void Stop()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            int st;
            waitpid(pid_, &st, 0);
            pid_ = -1;
        }
    }

private:
    pid_t pid_ = -1;
    int port_ = 0;
};

// A port on 127.0.0.1 that listens but never accepts or answers: connecting
// succeeds (the kernel queues it) and then nothing ever comes.
class SilentListener {
public:
    SilentListener()
    {
        fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(fd_, 8) != 0)
            throw std::runtime_error("listen");
        socklen_t len = sizeof a;
        getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
    }
    ~SilentListener() { close(fd_); }
    int port() const { return port_; }

private:
    int fd_ = -1;
    int port_ = 0;
};

// A port on 127.0.0.1 that nobody listens on (bound, never listening, so no
// other test can take it while it is held).
class RefusedPort {
public:
    RefusedPort()
    {
        fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0)
            throw std::runtime_error("bind");
        socklen_t len = sizeof a;
        getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
    }
    ~RefusedPort() { close(fd_); }
    int port() const { return port_; }

private:
    int fd_ = -1;
    int port_ = 0;
};

} // namespace cftest
