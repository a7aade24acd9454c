#pragma once

// The fields of a services-file data line that the editor keeps without
// interpreting them ("C:" CA ids, cached values beyond c:04, ...). They are
// held as the one text they are written back as, the fields joined by ",",
// so that a service needs no list of its own. A field is never empty and
// never holds a comma: the data line was split at its commas.

#include "settings/InlineText.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

class TFieldList {
public:
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        const_iterator() = default;
        const_iterator(std::string_view rest) : rest_(rest) { Cut(); }
        std::string_view operator*() const { return field_; }
        const_iterator& operator++()
        {
            rest_ = rest_.substr(field_.size() < rest_.size() ? field_.size() + 1 : rest_.size());
            Cut();
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator old = *this;
            ++*this;
            return old;
        }
        bool operator==(const const_iterator& o) const { return rest_.data() == o.rest_.data() && rest_.size() == o.rest_.size(); }

    private:
        void Cut() { field_ = rest_.substr(0, rest_.find(',')); }
        std::string_view rest_;
        std::string_view field_;
    };

    TFieldList() = default;
    TFieldList(std::initializer_list<std::string_view> fields) { assign(fields.begin(), fields.end()); }

    // Keeps the fields of [first, last), skipping empty ones.
    template <class It>
    void assign(It first, It last)
    {
        // Joined on the stack: a data line's fields rarely fill it.
        char local[256];
        std::size_t n = 0;
        std::string joined;
        for (; first != last; ++first) {
            const std::string_view f(*first);
            if (f.empty())
                continue;
            if (joined.empty() && n + 1 + f.size() <= sizeof local) {
                if (n != 0)
                    local[n++] = ',';
                std::memcpy(local + n, f.data(), f.size());
                n += f.size();
                continue;
            }
            if (joined.empty())
                joined.assign(local, n);
            if (!joined.empty())
                joined += ',';
            joined += f;
        }
        text_ = joined.empty() ? std::string_view(local, n) : std::string_view(joined);
    }
    // Keeps fields already joined as they are written: by single commas,
    // none of them empty (a run of a data line between two fields the
    // editor reads).
    void AssignJoined(std::string_view joined) { text_.assign(joined); }
    void clear() { text_.clear(); }

    const_iterator begin() const { return text_.empty() ? end() : const_iterator(text_.view()); }
    const_iterator end() const { return const_iterator(std::string_view(text_.data() + text_.size(), 0)); }
    bool empty() const { return text_.empty(); }
    std::size_t size() const
    {
        if (text_.empty())
            return 0;
        std::size_t n = 1;
        for (char c : text_)
            n += c == ',' ? 1 : 0;
        return n;
    }
    // The fields as written in the file, joined by ",".
    std::string_view Joined() const { return text_.view(); }

    friend bool operator==(const TFieldList& a, const TFieldList& b) { return a.text_ == b.text_; }
    friend bool operator==(const TFieldList& a, const std::vector<std::string>& b)
    {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                          [](std::string_view x, const std::string& y) { return x == y; });
    }
    friend std::ostream& operator<<(std::ostream& os, const TFieldList& l) { return os << '{' << l.Joined() << '}'; }

private:
    TText32 text_;
};
