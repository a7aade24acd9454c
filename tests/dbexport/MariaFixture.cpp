// CTest fixture: "start <state file>" brings a private server up and records
// it; "stop <state file>" ends it and removes its folder.

#include "MariaServer.h"

#include <cstdio>
#include <cstring>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s start|stop <state file>\n", argv[0]);
        return 2;
    }
    try {
        if (std::strcmp(argv[1], "start") == 0) {
            cftest::MariaInfo info = cftest::StartMaria({});
            if (!cftest::WriteMariaState(argv[2], info)) {
                cftest::StopMaria(info);
                return 1;
            }
            std::printf("mariadbd on 127.0.0.1:%d\n", info.port);
            return 0;
        }
        cftest::MariaInfo info;
        if (cftest::ReadMariaState(argv[2], info))
            cftest::StopMaria(info);
        std::remove(argv[2]);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
