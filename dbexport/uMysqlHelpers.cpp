#include "dbexport/uMysqlHelpers.h"

size_t MySQLEscapeInto(char* to, const char* from, size_t len)
{
    char* out = to;
    for (size_t i = 0; i < len; ++i) {
        const char c = from[i];
        switch (c) {
        case '\0': *out++ = '\\'; *out++ = '0'; break;
        case '\t': *out++ = '\\'; *out++ = 't'; break;
        case '\n': *out++ = '\\'; *out++ = 'n'; break;
        case '\r': *out++ = '\\'; *out++ = 'r'; break;
        case '"':
        case '\'':
        case '\\': *out++ = '\\'; *out++ = c; break;
        default: *out++ = c;
        }
    }
    *out = '\0';
    return static_cast<size_t>(out - to);
}

std::string MySQLEscape(std::string_view text)
{
    std::string out(text.size() * 2 + 1, '\0');
    out.resize(MySQLEscapeInto(out.data(), text.data(), text.size()));
    return out;
}
