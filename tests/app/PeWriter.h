#pragma once

// Writes small Windows module files for the tests: a DOS header pointing at
// the PE header, a PE32 optional header whose resource data directory points
// at the one ".rsrc" section, and in it the three-level resource tree
// RCDATA (10) / named entries in UTF-16 / one language (1033) leading to a
// data entry. Also builds the language-module resources themselves (header,
// string resources, form resources) so each test states only its texts.

#include <cstdint>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pe {

using TBytes = std::vector<std::uint8_t>;

inline void Put16(TBytes& b, std::size_t at, std::uint32_t v)
{
    b[at] = std::uint8_t(v);
    b[at + 1] = std::uint8_t(v >> 8);
}

inline void Put32(TBytes& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

inline void Add32(TBytes& b, std::int64_t v)
{
    const std::size_t at = b.size();
    b.resize(at + 4);
    Put32(b, at, std::uint32_t(v));
}

// UTF-16LE of UTF-8 text (the tests' texts are in the basic plane, plus
// any surrogate pair written by hand with Utf16Units).
inline TBytes Utf16(const std::string& s)
{
    TBytes out;
    for (std::size_t i = 0; i < s.size();) {
        std::uint32_t c = std::uint8_t(s[i]);
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (extra)
            c &= (0x3F >> extra);
        for (int k = 1; k <= extra; ++k)
            c = (c << 6) | (std::uint8_t(s[i + std::size_t(k)]) & 0x3F);
        i += std::size_t(extra) + 1;
        auto unit = [&out](std::uint32_t u) {
            out.push_back(std::uint8_t(u));
            out.push_back(std::uint8_t(u >> 8));
        };
        if (c >= 0x10000) {
            c -= 0x10000;
            unit(0xD800 + (c >> 10));
            unit(0xDC00 + (c & 0x3FF));
        } else {
            unit(c);
        }
    }
    return out;
}

// A module holding the RCDATA resources `resources` (name -> bytes).
inline TBytes Module(const std::vector<std::pair<std::string, TBytes>>& resources)
{
    constexpr std::uint32_t FileAlign = 0x200, SectionRva = 0x1000;
    constexpr std::size_t PeAt = 0x80, OptSize = 224;
    const std::size_t n = resources.size();
    // Resource section layout: root dir, type dir, one language dir per
    // name, data entries, name strings, data.
    TBytes r;
    auto dir = [&r](std::uint16_t named, std::uint16_t ids) {
        const std::size_t at = r.size();
        r.resize(at + 16 + 8 * (named + ids));
        Put16(r, at + 12, named);
        Put16(r, at + 14, ids);
        return at;
    };
    const std::size_t root = dir(0, 1);
    const std::size_t types = dir(std::uint16_t(n), 0);
    std::vector<std::size_t> langs;
    for (std::size_t i = 0; i < n; ++i)
        langs.push_back(dir(0, 1));
    std::vector<std::size_t> entries;
    for (std::size_t i = 0; i < n; ++i) {
        entries.push_back(r.size());
        r.resize(r.size() + 16);
    }
    std::vector<std::size_t> names;
    for (const auto& res : resources) {
        names.push_back(r.size());
        const TBytes u = Utf16(res.first);
        r.resize(r.size() + 2);
        Put16(r, names.back(), std::uint32_t(u.size() / 2));
        r.insert(r.end(), u.begin(), u.end());
    }
    std::vector<std::size_t> data;
    for (const auto& res : resources) {
        while (r.size() % 4)
            r.push_back(0);
        data.push_back(r.size());
        r.insert(r.end(), res.second.begin(), res.second.end());
    }
    Put32(r, root + 16, 10);
    Put32(r, root + 20, 0x80000000u | std::uint32_t(types));
    for (std::size_t i = 0; i < n; ++i) {
        Put32(r, types + 16 + 8 * i, 0x80000000u | std::uint32_t(names[i]));
        Put32(r, types + 20 + 8 * i, 0x80000000u | std::uint32_t(langs[i]));
        Put32(r, langs[i] + 16, 1033);
        Put32(r, langs[i] + 20, std::uint32_t(entries[i]));
        Put32(r, entries[i], SectionRva + std::uint32_t(data[i]));
        Put32(r, entries[i] + 4, std::uint32_t(resources[i].second.size()));
    }
    const std::uint32_t rawSize = (std::uint32_t(r.size()) + FileAlign - 1) / FileAlign * FileAlign;

    TBytes b(FileAlign, 0);
    b[0] = 'M';
    b[1] = 'Z';
    Put32(b, 0x3C, PeAt);
    b[PeAt] = 'P';
    b[PeAt + 1] = 'E';
    Put16(b, PeAt + 4, 0x14C); // i386
    Put16(b, PeAt + 6, 1);     // one section
    Put16(b, PeAt + 20, OptSize);
    Put16(b, PeAt + 22, 0x2102); // executable image, 32-bit, DLL
    const std::size_t opt = PeAt + 24;
    Put16(b, opt, 0x10B);
    Put32(b, opt + 32, 0x1000);        // section alignment
    Put32(b, opt + 36, FileAlign);     // file alignment
    Put32(b, opt + 56, SectionRva + rawSize); // size of image
    Put32(b, opt + 60, FileAlign);     // size of headers
    Put32(b, opt + 92, 16);            // data directories
    Put32(b, opt + 96 + 16, SectionRva);
    Put32(b, opt + 96 + 20, std::uint32_t(r.size()));
    const std::size_t sec = opt + OptSize;
    const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
    for (int i = 0; i < 8; ++i)
        b[sec + std::size_t(i)] = std::uint8_t(name[i]);
    Put32(b, sec + 8, std::uint32_t(r.size()));
    Put32(b, sec + 12, SectionRva);
    Put32(b, sec + 16, rawSize);
    Put32(b, sec + 20, FileAlign);
    Put32(b, sec + 36, 0x40000040); // initialised data, readable
    r.resize(rawSize, 0);
    b.insert(b.end(), r.begin(), r.end());
    return b;
}

// ---- language-module resources

// The header: "LCHEADER" magic, flags, the languages; with `codePages`
// (for the "LCHEADE2" form) one code page per language after them.
inline TBytes Header(std::int32_t flags, const std::vector<std::int32_t>& lcids, bool codePages = false)
{
    TBytes b{'L', 'C', 'H', 'E', 'A', 'D', 'E', 'R'};
    Add32(b, flags);
    Add32(b, std::int64_t(lcids.size()));
    for (auto id : lcids)
        Add32(b, id);
    if (codePages)
        for (std::size_t i = 0; i < lcids.size(); ++i)
            Add32(b, 1252);
    return b;
}

// A string resource: one column per entry; nullopt writes size -1.
inline TBytes Strings(const std::vector<std::optional<std::string>>& columns)
{
    TBytes b(columns.size() * 8, 0);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (!columns[i]) {
            Put32(b, 8 * i, 0);
            Put32(b, 8 * i + 4, 0xFFFFFFFFu);
            continue;
        }
        const TBytes u = Utf16(*columns[i]);
        Put32(b, 8 * i, std::uint32_t(b.size()));
        Put32(b, 8 * i + 4, std::uint32_t(u.size()));
        b.insert(b.end(), u.begin(), u.end());
    }
    return b;
}

// One form entry: its key ("Label1-Caption") and a translation per
// language slot (nullopt: size -1).
struct TFormEntry {
    std::string Key;
    std::vector<std::optional<std::string>> Texts;
};

inline TBytes Form(const std::vector<TFormEntry>& entries, const std::string& name = "Form")
{
    TBytes b;
    const TBytes n = Utf16(name);
    Add32(b, std::int64_t(n.size()));
    b.insert(b.end(), n.begin(), n.end());
    Add32(b, std::int64_t(entries.size()));
    const std::size_t pairs = b.size();
    b.resize(pairs + 8 * entries.size(), 0);
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const std::size_t e = b.size();
        Put32(b, pairs + 8 * k, std::uint32_t(e - pairs));
        const auto& texts = entries[k].Texts;
        const std::size_t head = 8 * (texts.size() + 1);
        b.resize(e + head, 0);
        const TBytes key = Utf16(entries[k].Key);
        Put32(b, e, std::uint32_t(b.size() - e));
        Put32(b, e + 4, std::uint32_t(key.size()));
        b.insert(b.end(), key.begin(), key.end());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (!texts[i]) {
                Put32(b, e + 8 * (i + 1) + 4, 0xFFFFFFFFu);
                continue;
            }
            const TBytes u = Utf16(*texts[i]);
            Put32(b, e + 8 * (i + 1), std::uint32_t(b.size() - e));
            Put32(b, e + 8 * (i + 1) + 4, std::uint32_t(u.size()));
            b.insert(b.end(), u.begin(), u.end());
        }
    }
    return b;
}

// Puts a module where the program looks for it.
inline void WriteFile(const std::string& path, const TBytes& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

} // namespace pe
