#include "settings/XmlScanner.h"

#include "settings/Fields.h"

#include <cstdint>

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsNameChar(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.' || c == ':' || u >= 0x80;
}

// Length of the UTF-8 sequence at s[i] and its code point; 0 when invalid.
size_t Utf8Sequence(std::string_view s, size_t i, uint32_t& cp)
{
    unsigned char c = static_cast<unsigned char>(s[i]);
    size_t len;
    uint32_t min;
    if (c < 0x80) {
        cp = c;
        return 1;
    } else if ((c & 0xE0) == 0xC0) {
        len = 2;
        cp = c & 0x1F;
        min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        len = 3;
        cp = c & 0x0F;
        min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        len = 4;
        cp = c & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > s.size())
        return 0;
    for (size_t k = 1; k < len; ++k) {
        unsigned char d = static_cast<unsigned char>(s[i + k]);
        if ((d & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (d & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

// A reference the reader resolves: any character but NUL and the UTF-16
// surrogates (stricter XML rules would turn a writer's reference for an
// unusual character back into literal text).
bool ReferableChar(uint32_t cp)
{
    return cp != 0 && !(cp >= 0xD800 && cp <= 0xDFFF) && cp <= 0x10FFFF;
}

} // namespace

const std::string* XmlTag::Find(std::string_view attrName) const
{
    for (const auto& a : attributes)
        if (a.name == attrName)
            return &a.value;
    return nullptr;
}

XmlScanner::XmlScanner(std::string_view text) : text_(text)
{
    // A byte order mark says UTF-8 whatever the declaration claims.
    if (text_.substr(0, 3) == "\xEF\xBB\xBF")
        pos_ = 3;
}

bool XmlScanner::Next(XmlTag& tag)
{
    while (pos_ < text_.size()) {
        size_t lt = text_.find('<', pos_);
        if (lt == std::string_view::npos) {
            pos_ = text_.size();
            return false;
        }
        pos_ = lt;
        if (ParseTag(tag))
            return true;
    }
    return false;
}

void XmlScanner::SkipTo(std::string_view terminator)
{
    size_t end = text_.find(terminator, pos_);
    if (end == std::string_view::npos) {
        errors_ = true;
        pos_ = text_.size();
    } else {
        pos_ = end + terminator.size();
    }
}

void XmlScanner::SkipBrokenTag()
{
    // Resume at the next "<" so a damaged element costs only itself.
    errors_ = true;
    size_t next = text_.find('<', pos_ + 1);
    pos_ = next == std::string_view::npos ? text_.size() : next;
}

bool XmlScanner::ParseTag(XmlTag& tag)
{
    std::string_view rest = text_.substr(pos_);
    if (rest.starts_with("<?")) {
        bool isDecl = rest.size() > 5 && ToLowerAscii(rest.substr(2, 3)) == "xml" && IsSpace(rest[5]);
        if (isDecl) {
            XmlTag decl;
            size_t start = pos_;
            pos_ += 5;
            if (ParseAttributes(decl, true)) {
                if (const std::string* enc = decl.Find("encoding")) {
                    std::string e = ToLowerAscii(*enc);
                    latin1_ = e == "iso-8859-1" || e == "iso8859-1" || e == "latin1" ||
                              e == "latin-1" || e == "l1" || e == "iso_8859-1";
                }
                return false;
            }
            pos_ = start;
        }
        SkipTo("?>");
        return false;
    }
    if (rest.starts_with("<!--")) {
        pos_ += 4;
        SkipTo("-->");
        return false;
    }
    if (rest.starts_with("<![CDATA[")) {
        pos_ += 9;
        SkipTo("]]>");
        return false;
    }
    if (rest.starts_with("<!")) {
        // Document type: an internal subset in brackets may hold ">".
        size_t gt = text_.find('>', pos_);
        size_t br = text_.find('[', pos_);
        if (br != std::string_view::npos && (gt == std::string_view::npos || br < gt)) {
            pos_ = br;
            SkipTo("]");
        }
        SkipTo(">");
        return false;
    }

    tag = XmlTag{};
    size_t p = pos_ + 1;
    bool closing = false;
    if (p < text_.size() && text_[p] == '/') {
        closing = true;
        ++p;
    }
    size_t nameStart = p;
    while (p < text_.size() && IsNameChar(text_[p]))
        ++p;
    if (p == nameStart) {
        SkipBrokenTag();
        return false;
    }
    tag.name = std::string(text_.substr(nameStart, p - nameStart));
    if (closing) {
        while (p < text_.size() && IsSpace(text_[p]))
            ++p;
        if (p >= text_.size() || text_[p] != '>') {
            SkipBrokenTag();
            return false;
        }
        tag.kind = XmlTag::End;
        pos_ = p + 1;
        return true;
    }
    size_t start = pos_;
    pos_ = p;
    if (!ParseAttributes(tag, false)) {
        pos_ = start;
        SkipBrokenTag();
        return false;
    }
    return true;
}

// Reads attributes from pos_ up to and including the tag's end; sets the
// tag's kind from that end. False when the tag is malformed.
bool XmlScanner::ParseAttributes(XmlTag& tag, bool declaration)
{
    size_t p = pos_;
    const size_t n = text_.size();
    for (;;) {
        bool spaced = false;
        while (p < n && IsSpace(text_[p])) {
            ++p;
            spaced = true;
        }
        if (p >= n)
            return false;
        char c = text_[p];
        if (declaration) {
            if (c == '?' && p + 1 < n && text_[p + 1] == '>') {
                pos_ = p + 2;
                return true;
            }
        } else if (c == '>') {
            tag.kind = XmlTag::Start;
            pos_ = p + 1;
            return true;
        } else if (c == '/' && p + 1 < n && text_[p + 1] == '>') {
            tag.kind = XmlTag::Empty;
            pos_ = p + 2;
            return true;
        }
        if (!spaced || !IsNameChar(c))
            return false;
        size_t nameStart = p;
        while (p < n && IsNameChar(text_[p]))
            ++p;
        std::string_view name = text_.substr(nameStart, p - nameStart);
        while (p < n && IsSpace(text_[p]))
            ++p;
        if (p >= n || text_[p] != '=')
            return false;
        ++p;
        while (p < n && IsSpace(text_[p]))
            ++p;
        if (p >= n || (text_[p] != '"' && text_[p] != '\''))
            return false;
        char quote = text_[p++];
        size_t valueStart = p;
        while (p < n && text_[p] != quote && text_[p] != '<')
            ++p;
        if (p >= n || text_[p] != quote)
            return false;
        std::string_view raw = text_.substr(valueStart, p - valueStart);
        ++p;
        bool seen = false;
        for (const auto& a : tag.attributes)
            seen = seen || a.name == name;
        if (!seen)
            tag.attributes.push_back({std::string(name), Decode(raw)});
    }
}

std::string XmlScanner::Decode(std::string_view raw) const
{
    // Characters first, then references, so "&#233;" and a Latin-1 byte give
    // the same UTF-8 text. Attribute values normalise tabs and line breaks
    // to blanks, as any XML reader does.
    std::string text;
    if (latin1_ || !IsValidUtf8(raw))
        text = Latin1ToUtf8(raw);
    else
        text = std::string(raw);
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return XmlUnescape(text);
}

std::string XmlEscape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string XmlUnescape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c != '&') {
            out += c;
            ++i;
            continue;
        }
        size_t semi = text.find(';', i + 1);
        if (semi == std::string_view::npos || semi - i > 12) {
            out += c;
            ++i;
            continue;
        }
        std::string_view ref = text.substr(i + 1, semi - i - 1);
        bool done = true;
        if (ref == "amp")
            out += '&';
        else if (ref == "lt")
            out += '<';
        else if (ref == "gt")
            out += '>';
        else if (ref == "quot")
            out += '"';
        else if (ref == "apos")
            out += '\'';
        else if (ref.size() >= 2 && ref[0] == '#') {
            bool hex = ref[1] == 'x' || ref[1] == 'X';
            std::string_view digits = ref.substr(hex ? 2 : 1);
            uint32_t cp = 0;
            bool ok = !digits.empty();
            for (char d : digits) {
                int v;
                if (d >= '0' && d <= '9')
                    v = d - '0';
                else if (hex && d >= 'a' && d <= 'f')
                    v = d - 'a' + 10;
                else if (hex && d >= 'A' && d <= 'F')
                    v = d - 'A' + 10;
                else {
                    ok = false;
                    break;
                }
                cp = cp * (hex ? 16 : 10) + static_cast<uint32_t>(v);
                if (cp > 0x10FFFF) {
                    ok = false;
                    break;
                }
            }
            if (ok && ReferableChar(cp))
                AppendUtf8(out, cp);
            else
                done = false;
        } else {
            done = false;
        }
        if (done) {
            i = semi + 1;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

std::string Latin1ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text)
        AppendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

std::string Utf8ToLatin1Xml(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        uint32_t cp;
        size_t len = Utf8Sequence(text, i, cp);
        if (len == 0) {
            out += text[i++];
            continue;
        }
        if (cp <= 0xFF)
            out += static_cast<char>(cp);
        else
            out += "&#" + std::to_string(cp) + ";";
        i += len;
    }
    return out;
}

bool IsValidUtf8(std::string_view text)
{
    size_t i = 0;
    while (i < text.size()) {
        uint32_t cp;
        size_t len = Utf8Sequence(text, i, cp);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

