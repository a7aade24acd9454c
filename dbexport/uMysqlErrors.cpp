#include "dbexport/uMysqlErrors.h"

namespace {

const char* const kTexts[] = {
    "Unknown MySQL error",
    "Can't create UNIX socket (%d)",
    "Can't connect to local MySQL server through socket '%-.64s' (%d)",
    "Can't connect to MySQL server on '%-.64s' (%d)",
    "Can't create TCP/IP socket (%d)",
    "Unknown MySQL Server Host '%-.64s' (%d)",
    "MySQL server has gone away",
    "Protocol mismatch. Server Version = %d Client Version = %d",
    "MySQL client run out of memory",
    "Wrong host info",
    "Localhost via UNIX socket",
    "%-.64s via TCP/IP",
    "Error in server handshake",
    "Lost connection to MySQL server during query",
    "Commands out of sync;  You can't run this command now",
    "%-.64s via named pipe",
    "Can't wait for named pipe to host: %-.64s  pipe: %-.32s (%lu)",
    "Can't open named pipe to host: %-.64s  pipe: %-.32s (%u)",
    "Can't set state of named pipe to host: %-.64s  pipe: %-.32s (%lu)",
    "Can't initialize character set %-.64s (path: %-.64s)",
    "Got packet bigger than 'max_allowed_packet'",
};

} // namespace

const char* ClientErrorFormat(int number)
{
    if (number < kClientErrorFirst || number > kClientErrorLast)
        number = kClientErrorFirst;
    return kTexts[number - kClientErrorFirst];
}

std::string ClientErrorText(int number, const std::string& s1, const std::string& s2, long long n1,
                            long long n2)
{
    const std::string fmt = ClientErrorFormat(number);
    const std::string* texts[2] = {&s1, &s2};
    const long long nums[2] = {n1, n2};
    int ti = 0, ni = 0;
    std::string out;
    for (size_t i = 0; i < fmt.size(); ++i) {
        if (fmt[i] != '%') {
            out += fmt[i];
            continue;
        }
        // %-.NNs, %d, %u, %lu
        size_t j = i + 1;
        size_t width = std::string::npos;
        if (fmt.compare(j, 2, "-.") == 0) {
            j += 2;
            size_t w = 0;
            while (j < fmt.size() && fmt[j] >= '0' && fmt[j] <= '9')
                w = w * 10 + static_cast<size_t>(fmt[j++] - '0');
            width = w;
        }
        if (fmt[j] == 'l')
            ++j;
        if (fmt[j] == 's') {
            const std::string& s = ti < 2 ? *texts[ti] : s1;
            ++ti;
            out += s.substr(0, width);
        } else {
            out += std::to_string(ni < 2 ? nums[ni] : 0);
            ++ni;
        }
        i = j;
    }
    return out;
}
