#pragma once

// A private MariaDB server for the client tests: its own data folder in a
// temporary folder, 127.0.0.1 on a free port, its own socket, pinned SQL
// mode and character set, and the test accounts.

#include <string>

namespace cftest {

// Accounts created at start.
inline const char* const kUserNew = "cf_new";          // 4.1 scheme
inline const char* const kPassNew = "new-secret";
inline const char* const kUserOld = "cf_old";          // pre-4.1 scheme
inline const char* const kPassOld = "old pw";
inline const char* const kUserEmpty = "cf_empty";      // no password
inline const char* const kUserLong = "cf_a_very_long_user_name"; // 24 bytes
inline const char* const kUserLongCut = "cf_a_very_long_u";      // its first 16 bytes
inline const char* const kPassLong = "long-secret";
inline const char* const kDatabase = "cf_db";

struct MariaInfo {
    int port = 0;
    std::string socket;
    std::string dataRoot; // removed at stop
    int pid = 0;
};

// Starts the server; throws std::runtime_error with the reason on failure.
MariaInfo StartMaria(const std::string& root);
void StopMaria(const MariaInfo& info);

bool WriteMariaState(const std::string& path, const MariaInfo& info);
bool ReadMariaState(const std::string& path, MariaInfo& info);

// The running server for this test binary: the one the CTest fixture
// started (CF_MARIADB_STATE), else one started here on first use and
// stopped when the binary ends.
const MariaInfo& SharedMaria();

} // namespace cftest
