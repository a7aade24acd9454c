#pragma once

// Text fields of the model records. A set of 100,000 services holds over a
// million short texts (ids, PIDs, keys, names); as std::string each takes 32
// bytes and, past 15 characters, a heap block of its own. TInlineText keeps
// up to N - 2 characters inside its N bytes and only longer texts on the
// heap, so a record is one block and nothing read is ever cut.
//
// It stands in for std::string where the records are used: it converts to
// std::string_view and std::string, compares with either and with C texts,
// and offers the read-only members code calls on a text.

#include <compare>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <new>
#include <ostream>
#include <string>
#include <string_view>

template <std::size_t N>
class TInlineText {
    static_assert(N >= 8 && N <= 128 && N % 8 == 0);

public:
    static constexpr std::size_t npos = std::string_view::npos;
    static constexpr std::size_t kInline = N - 2; // characters kept in place

    TInlineText() noexcept { SetInlineSize(0); }
    TInlineText(const char* s) { Init(std::string_view(s)); }
    TInlineText(const char* s, std::size_t n) { Init(std::string_view(s, n)); }
    TInlineText(std::string_view s) { Init(s); }
    TInlineText(const std::string& s) { Init(std::string_view(s)); }
    TInlineText(const TInlineText& o) { Init(o.view()); }
    TInlineText(TInlineText&& o) noexcept
    {
        std::memcpy(buf_, o.buf_, N);
        o.SetInlineSize(0);
    }
    ~TInlineText() { Release(); }

    TInlineText& operator=(const TInlineText& o)
    {
        if (this != &o)
            assign(o.view());
        return *this;
    }
    TInlineText& operator=(TInlineText&& o) noexcept
    {
        if (this != &o) {
            Release();
            std::memcpy(buf_, o.buf_, N);
            o.SetInlineSize(0);
        }
        return *this;
    }
    TInlineText& operator=(std::string_view s) { return assign(s); }
    TInlineText& operator=(const std::string& s) { return assign(std::string_view(s)); }
    TInlineText& operator=(const char* s) { return assign(std::string_view(s)); }
    TInlineText& operator=(char c) { return assign(std::string_view(&c, 1)); }

    TInlineText& assign(std::string_view s)
    {
        if (OnHeap() && s.size() == size()) {
            std::memmove(HeapPtr(), s.data(), s.size()); // s may be a part of this text
            return *this;
        }
        if (!OnHeap() && s.size() <= kInline) {
            CopyShort(buf_, s.data(), s.size());
            SetInlineSize(s.size());
            return *this;
        }
        TInlineText copy(s); // s may point into this text
        *this = std::move(copy);
        return *this;
    }
    TInlineText& assign(const char* s, std::size_t n) { return assign(std::string_view(s, n)); }
    // Makes the text n characters long (n <= kInline) and gives them to be
    // written in place: a reader formatting a value need not build it
    // elsewhere and copy it in.
    char* WriteInPlace(std::size_t n) noexcept
    {
        Release();
        SetInlineSize(n);
        return buf_;
    }

    TInlineText& append(std::string_view s)
    {
        std::string joined;
        joined.reserve(size() + s.size());
        joined.append(view()).append(s);
        return assign(std::string_view(joined));
    }
    TInlineText& append(const char* s, std::size_t n) { return append(std::string_view(s, n)); }
    TInlineText& operator+=(std::string_view s) { return append(s); }
    TInlineText& operator+=(const std::string& s) { return append(std::string_view(s)); }
    TInlineText& operator+=(const char* s) { return append(std::string_view(s)); }
    TInlineText& operator+=(char c) { return append(std::string_view(&c, 1)); }
    void push_back(char c) { append(std::string_view(&c, 1)); }
    void clear() noexcept
    {
        Release();
        SetInlineSize(0);
    }

    std::size_t size() const noexcept
    {
        if (!OnHeap())
            return static_cast<unsigned char>(buf_[N - 1]);
        std::uint32_t n;
        if constexpr (kSizeOnHeap)
            std::memcpy(&n, HeapPtr() - sizeof n, sizeof n);
        else
            std::memcpy(&n, buf_ + sizeof(char*), sizeof n);
        return n;
    }
    std::size_t length() const noexcept { return size(); }
    bool empty() const noexcept { return size() == 0; }
    const char* data() const noexcept { return OnHeap() ? HeapPtr() : buf_; }
    char* data() noexcept { return OnHeap() ? HeapPtr() : buf_; }
    const char* c_str() const noexcept { return data(); }
    std::string_view view() const noexcept { return {data(), size()}; }
    std::string str() const { return std::string(view()); }
    operator std::string_view() const noexcept { return view(); }
    operator std::string() const { return str(); }

    const char* begin() const noexcept { return data(); }
    const char* end() const noexcept { return data() + size(); }
    char operator[](std::size_t i) const noexcept { return data()[i]; }
    char& operator[](std::size_t i) noexcept { return data()[i]; }
    char front() const noexcept { return data()[0]; }
    char back() const noexcept { return data()[size() - 1]; }

    std::size_t find(std::string_view s, std::size_t pos = 0) const noexcept { return view().find(s, pos); }
    std::size_t find(char c, std::size_t pos = 0) const noexcept { return view().find(c, pos); }
    std::size_t rfind(char c, std::size_t pos = npos) const noexcept { return view().rfind(c, pos); }
    std::size_t find_first_of(std::string_view s, std::size_t pos = 0) const noexcept
    {
        return view().find_first_of(s, pos);
    }
    std::size_t find_first_not_of(std::string_view s, std::size_t pos = 0) const noexcept
    {
        return view().find_first_not_of(s, pos);
    }
    std::string substr(std::size_t pos = 0, std::size_t n = npos) const { return std::string(view().substr(pos, n)); }
    bool starts_with(std::string_view s) const noexcept { return view().starts_with(s); }
    bool starts_with(char c) const noexcept { return view().starts_with(c); }
    bool ends_with(std::string_view s) const noexcept { return view().ends_with(s); }
    int compare(std::string_view s) const noexcept { return view().compare(s); }

    friend bool operator==(const TInlineText& a, const TInlineText& b) noexcept { return a.view() == b.view(); }
    friend bool operator==(const TInlineText& a, std::string_view b) noexcept { return a.view() == b; }
    friend bool operator==(const TInlineText& a, const std::string& b) noexcept { return a.view() == b; }
    friend bool operator==(const TInlineText& a, const char* b) noexcept { return a.view() == b; }
    friend std::strong_ordering operator<=>(const TInlineText& a, const TInlineText& b) noexcept
    {
        return a.view() <=> b.view();
    }
    friend std::strong_ordering operator<=>(const TInlineText& a, std::string_view b) noexcept
    {
        return a.view() <=> b;
    }
    friend std::strong_ordering operator<=>(const TInlineText& a, const std::string& b) noexcept
    {
        return a.view() <=> std::string_view(b);
    }
    friend std::strong_ordering operator<=>(const TInlineText& a, const char* b) noexcept
    {
        return a.view() <=> std::string_view(b);
    }

    friend std::string operator+(const TInlineText& a, const TInlineText& b) { return Join(a.view(), b.view()); }
    friend std::string operator+(const TInlineText& a, const std::string& b) { return Join(a.view(), b); }
    friend std::string operator+(const std::string& a, const TInlineText& b) { return Join(a, b.view()); }
    friend std::string operator+(std::string&& a, const TInlineText& b) { return std::move(a.append(b.view())); }
    friend std::string operator+(const TInlineText& a, std::string_view b) { return Join(a.view(), b); }
    friend std::string operator+(std::string_view a, const TInlineText& b) { return Join(a, b.view()); }
    friend std::string operator+(const TInlineText& a, const char* b) { return Join(a.view(), b); }
    friend std::string operator+(const char* a, const TInlineText& b) { return Join(a, b.view()); }
    friend std::string operator+(const TInlineText& a, char b) { return Join(a.view(), std::string_view(&b, 1)); }
    friend std::string operator+(char a, const TInlineText& b) { return Join(std::string_view(&a, 1), b.view()); }

    friend std::ostream& operator<<(std::ostream& os, const TInlineText& t) { return os << t.view(); }

private:
    static constexpr unsigned char kHeapTag = 0xFF;

    // Inline: the characters, a terminating NUL, the size in the last
    // byte. Heap: a pointer to the characters (NUL-terminated), their
    // count, and kHeapTag in the last byte. Eight bytes have no room for
    // both: there the count is kept in front of the characters and the
    // pointer in the seven bytes before the tag, which hold every user-space
    // address of the 64-bit systems the editor runs on (at most 56 bits,
    // also with five-level page tables).
    static constexpr bool kSizeOnHeap = N < sizeof(char*) + sizeof(std::uint32_t) + 1;
    static constexpr std::size_t kPointerBytes = N - 1;
    alignas(8) char buf_[N];

    static std::string Join(std::string_view a, std::string_view b)
    {
        std::string s;
        s.reserve(a.size() + b.size());
        s.append(a).append(b);
        return s;
    }

    // A loader fills a hundred thousand records with texts of a few bytes:
    // two fixed-size copies that overlap instead of a library call each.
    // Every byte is loaded before the first is stored, so `src` may lie
    // inside `dst`'s text.
    static void CopyShort(char* dst, const char* src, std::size_t n) noexcept
    {
        if (n > 32) {
            std::memmove(dst, src, n);
        } else if (n >= 16) {
            char head[16], tail[16];
            std::memcpy(head, src, 16);
            std::memcpy(tail, src + n - 16, 16);
            std::memcpy(dst, head, 16);
            std::memcpy(dst + n - 16, tail, 16);
        } else if (n >= 8) {
            std::uint64_t head, tail;
            std::memcpy(&head, src, 8);
            std::memcpy(&tail, src + n - 8, 8);
            std::memcpy(dst, &head, 8);
            std::memcpy(dst + n - 8, &tail, 8);
        } else if (n >= 4) {
            std::uint32_t head, tail;
            std::memcpy(&head, src, 4);
            std::memcpy(&tail, src + n - 4, 4);
            std::memcpy(dst, &head, 4);
            std::memcpy(dst + n - 4, &tail, 4);
        } else if (n > 0) {
            const char first = src[0], middle = src[n / 2], last = src[n - 1];
            dst[0] = first;
            dst[n / 2] = middle;
            dst[n - 1] = last;
        }
    }

    bool OnHeap() const noexcept { return static_cast<unsigned char>(buf_[N - 1]) == kHeapTag; }
    char* HeapPtr() const noexcept
    {
        if constexpr (kSizeOnHeap) {
            std::uintptr_t v = 0;
            for (std::size_t i = 0; i < kPointerBytes; ++i)
                v |= static_cast<std::uintptr_t>(static_cast<unsigned char>(buf_[i])) << (8 * i);
            return reinterpret_cast<char*>(v);
        } else {
            char* p;
            std::memcpy(&p, buf_, sizeof p);
            return p;
        }
    }
    void SetInlineSize(std::size_t n) noexcept
    {
        buf_[n] = '\0';
        buf_[N - 1] = static_cast<char>(n);
    }
    void Init(std::string_view s)
    {
        if (s.size() <= kInline) {
            CopyShort(buf_, s.data(), s.size());
            SetInlineSize(s.size());
            return;
        }
        const auto n = static_cast<std::uint32_t>(s.size());
        if constexpr (kSizeOnHeap) {
            char* const block = new char[sizeof n + s.size() + 1];
            const auto v = reinterpret_cast<std::uintptr_t>(block + sizeof n);
            if (v >> (8 * kPointerBytes) != 0) {
                delete[] block;
                throw std::bad_alloc();
            }
            std::memcpy(block, &n, sizeof n);
            std::memcpy(block + sizeof n, s.data(), s.size());
            block[sizeof n + s.size()] = '\0';
            for (std::size_t i = 0; i < kPointerBytes; ++i)
                buf_[i] = static_cast<char>(v >> (8 * i));
        } else {
            char* p = new char[s.size() + 1];
            std::memcpy(p, s.data(), s.size());
            p[s.size()] = '\0';
            std::memcpy(buf_, &p, sizeof p);
            std::memcpy(buf_ + sizeof p, &n, sizeof n);
        }
        buf_[N - 1] = static_cast<char>(kHeapTag);
    }
    void Release() noexcept
    {
        if (!OnHeap())
            return;
        if constexpr (kSizeOnHeap)
            delete[] (HeapPtr() - sizeof(std::uint32_t));
        else
            delete[] HeapPtr();
    }
};

// Sids, PIDs and marks: a few characters (6 in place).
using TText8 = TInlineText<8>;
// Ids and other short texts (14 in place).
using TText16 = TInlineText<16>;
// Keys, names and providers (30 in place).
using TText32 = TInlineText<32>;

template <std::size_t N>
struct std::hash<TInlineText<N>> {
    std::size_t operator()(const TInlineText<N>& t) const noexcept { return std::hash<std::string_view>()(t.view()); }
};
