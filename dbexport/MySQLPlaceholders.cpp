#include "dbexport/MySQLPlaceholders.h"

#include <algorithm>

std::string NumberPlaceholders(const std::string& sql, const std::string& open, const std::string& close,
                               int* count)
{
    std::string out;
    out.reserve(sql.size() + 16);
    int n = 0;
    size_t i = 0;
    auto copyUntil = [&](size_t end) {
        out.append(sql, i, end - i);
        i = end;
    };
    while (i < sql.size()) {
        const char c = sql[i];
        if (c == '\'' || c == '"' || c == '`') {
            // To the closing quote; a backslash (not in a quoted name) or a
            // doubled quote keeps the text going.
            size_t j = i + 1;
            while (j < sql.size()) {
                if (sql[j] == '\\' && c != '`') {
                    j += 2;
                    continue;
                }
                if (sql[j] == c) {
                    if (j + 1 < sql.size() && sql[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            copyUntil(std::min(j + 1, sql.size()));
        } else if (c == '#' || (c == '-' && sql.compare(i, 3, "-- ") == 0)) {
            const size_t end = sql.find('\n', i);
            copyUntil(end == std::string::npos ? sql.size() : end);
        } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
            const size_t end = sql.find("*/", i + 2);
            copyUntil(end == std::string::npos ? sql.size() : end + 2);
        } else if (c == '?') {
            out += open + std::to_string(++n) + close;
            ++i;
        } else {
            out += c;
            ++i;
        }
    }
    if (count)
        *count = n;
    return out;
}
