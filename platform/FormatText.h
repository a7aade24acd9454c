#pragma once

// Fills the placeholders of a message text: "%s" takes the next argument,
// "%n:s" argument n (so a translation may put the values in its own order;
// a following "%s" goes on with n + 1), "%%" is one percent sign.
//
// The text may come from a language module and is not trusted: a
// placeholder naming an argument that is not there, or any other use of "%",
// makes the text unusable and the result is nullopt, never a read past the
// arguments. Header only, as the model uses it too.

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cf {

inline std::optional<std::string> FormatText(std::string_view format, std::initializer_list<std::string_view> args)
{
    const std::vector<std::string_view> values(args);
    std::string out;
    out.reserve(format.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%') {
            out += c;
            continue;
        }
        if (++i >= format.size())
            return std::nullopt;
        if (format[i] == '%') {
            out += '%';
            continue;
        }
        std::size_t index = next;
        if (format[i] >= '0' && format[i] <= '9') {
            index = 0;
            for (; i < format.size() && format[i] >= '0' && format[i] <= '9'; ++i) {
                index = index * 10 + std::size_t(format[i] - '0');
                if (index > values.size())
                    return std::nullopt; // also keeps a long run of digits from overflowing
            }
            if (i >= format.size() || format[i] != ':')
                return std::nullopt;
            ++i;
        }
        if (i >= format.size() || (format[i] != 's' && format[i] != 'S') || index >= values.size())
            return std::nullopt;
        out += values[index];
        next = index + 1;
    }
    return out;
}

} // namespace cf
