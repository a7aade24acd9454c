#include "dbexport/DbPropertyStream.h"
#include "dbexport/DbErrors.h"

#include <cctype>

namespace {

// Printable runs in quotes (a quote doubled), other bytes as #n.
std::string Quote(const std::string& s)
{
    if (s.empty())
        return "''";
    std::string out;
    bool open = false;
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 32) {
            if (open)
                out += '\'';
            open = false;
            out += '#' + std::to_string(c);
        } else {
            if (!open)
                out += '\'';
            open = true;
            out += ch;
            if (ch == '\'')
                out += '\'';
        }
    }
    if (open)
        out += '\'';
    return out;
}

class Parser {
public:
    explicit Parser(const std::string& text) : t_(text) {}

    TPropertyStream Run()
    {
        TPropertyStream out;
        for (;;) {
            SkipBlanks();
            if (i_ >= t_.size())
                return out;
            std::string name = Word(true);
            if (name.empty())
                Fail("a property name");
            SkipSpaces();
            if (!Take('='))
                Fail("'='");
            SkipSpaces();
            Value(out, name);
        }
    }

private:
    [[noreturn]] void Fail(const char* expected)
    {
        int line = 1;
        for (size_t k = 0; k < i_ && k < t_.size(); ++k)
            line += t_[k] == '\n';
        throw EDatabaseError("Stored properties damaged in line " + std::to_string(line) + ": " +
                             expected + " expected");
    }
    void SkipSpaces()
    {
        while (i_ < t_.size() && (t_[i_] == ' ' || t_[i_] == '\t'))
            ++i_;
    }
    void SkipBlanks()
    {
        while (i_ < t_.size() && std::isspace(static_cast<unsigned char>(t_[i_])))
            ++i_;
    }
    bool Take(char c)
    {
        if (i_ < t_.size() && t_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    std::string Word(bool dotted)
    {
        const size_t start = i_;
        while (i_ < t_.size() && (std::isalnum(static_cast<unsigned char>(t_[i_])) || t_[i_] == '_' ||
                                  (dotted && t_[i_] == '.')))
            ++i_;
        return t_.substr(start, i_ - start);
    }
    bool StartsString() const { return i_ < t_.size() && (t_[i_] == '\'' || t_[i_] == '#'); }
    std::string String()
    {
        std::string s;
        while (StartsString()) {
            if (Take('#')) {
                const size_t start = i_;
                while (i_ < t_.size() && std::isdigit(static_cast<unsigned char>(t_[i_])))
                    ++i_;
                if (start == i_ || i_ - start > 3)
                    Fail("a character number");
                const int c = std::stoi(t_.substr(start, i_ - start));
                if (c > 255)
                    Fail("a character number");
                s += static_cast<char>(c);
                continue;
            }
            ++i_; // opening quote
            for (;;) {
                if (i_ >= t_.size() || t_[i_] == '\n' || t_[i_] == '\r')
                    Fail("a closing quote");
                if (t_[i_] == '\'') {
                    if (i_ + 1 < t_.size() && t_[i_ + 1] == '\'') {
                        s += '\'';
                        i_ += 2;
                        continue;
                    }
                    ++i_;
                    break;
                }
                s += t_[i_++];
            }
        }
        return s;
    }
    void Value(TPropertyStream& out, const std::string& name)
    {
        if (StartsString()) {
            out.WriteString(name, String());
        } else if (Take('(')) {
            std::vector<std::string> lines;
            for (;;) {
                SkipBlanks();
                if (Take(')'))
                    break;
                if (!StartsString())
                    Fail("a quoted line or ')'");
                lines.push_back(String());
            }
            out.WriteLines(name, lines);
        } else if (Take('[')) {
            std::vector<std::string> members;
            SkipSpaces();
            while (!Take(']')) {
                const std::string m = Word(false);
                if (m.empty())
                    Fail("a set member or ']'");
                members.push_back(m);
                SkipSpaces();
                if (Take(','))
                    SkipSpaces();
            }
            out.WriteSet(name, members);
        } else if (i_ < t_.size() && (t_[i_] == '-' || std::isdigit(static_cast<unsigned char>(t_[i_])))) {
            const size_t start = i_;
            ++i_;
            while (i_ < t_.size() && std::isdigit(static_cast<unsigned char>(t_[i_])))
                ++i_;
            try {
                out.WriteInteger(name, std::stoll(t_.substr(start, i_ - start)));
            } catch (...) {
                Fail("a number");
            }
        } else {
            const std::string w = Word(false);
            if (w.empty())
                Fail("a value");
            if (w == "True" || w == "False")
                out.WriteBoolean(name, w == "True");
            else
                out.WriteIdent(name, w);
        }
        SkipSpaces();
        if (i_ < t_.size() && t_[i_] != '\n' && t_[i_] != '\r')
            Fail("the end of the line");
    }

    const std::string& t_;
    size_t i_ = 0;
};

TStoredProperty Make(const std::string& name, TStoredProperty::Kind kind)
{
    TStoredProperty p;
    p.Name = name;
    p.Type = kind;
    return p;
}

} // namespace

void TPropertyStream::WriteBoolean(const std::string& name, bool value)
{
    TStoredProperty p = Make(name, TStoredProperty::Boolean);
    p.Flag = value;
    props_.push_back(p);
}

void TPropertyStream::WriteInteger(const std::string& name, int64_t value)
{
    TStoredProperty p = Make(name, TStoredProperty::Integer);
    p.Number = value;
    props_.push_back(p);
}

void TPropertyStream::WriteString(const std::string& name, const std::string& value)
{
    TStoredProperty p = Make(name, TStoredProperty::Text);
    p.String = value;
    props_.push_back(p);
}

void TPropertyStream::WriteLines(const std::string& name, const std::vector<std::string>& lines)
{
    TStoredProperty p = Make(name, TStoredProperty::Lines);
    p.Items = lines;
    props_.push_back(p);
}

void TPropertyStream::WriteIdent(const std::string& name, const std::string& ident)
{
    TStoredProperty p = Make(name, TStoredProperty::Ident);
    p.String = ident;
    props_.push_back(p);
}

void TPropertyStream::WriteSet(const std::string& name, const std::vector<std::string>& members)
{
    TStoredProperty p = Make(name, TStoredProperty::Set);
    p.Items = members;
    props_.push_back(p);
}

const TStoredProperty* TPropertyStream::Find(const std::string& name) const
{
    for (const TStoredProperty& p : props_)
        if (p.Name == name)
            return &p;
    return nullptr;
}

std::string TPropertyStream::Text() const
{
    std::string out;
    for (const TStoredProperty& p : props_) {
        out += p.Name + " = ";
        switch (p.Type) {
        case TStoredProperty::Boolean: out += p.Flag ? "True" : "False"; break;
        case TStoredProperty::Integer: out += std::to_string(p.Number); break;
        case TStoredProperty::Text: out += Quote(p.String); break;
        case TStoredProperty::Ident: out += p.String; break;
        case TStoredProperty::Lines:
            out += "(";
            for (const std::string& l : p.Items)
                out += "\n  " + Quote(l);
            out += ")";
            break;
        case TStoredProperty::Set:
            out += "[";
            for (size_t k = 0; k < p.Items.size(); ++k)
                out += (k ? ", " : "") + p.Items[k];
            out += "]";
            break;
        }
        out += "\n";
    }
    return out;
}

TPropertyStream TPropertyStream::Parse(const std::string& text)
{
    return Parser(text).Run();
}

std::vector<std::string> SplitStoredLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos)
            end = text.size();
        size_t stop = end;
        if (stop > start && text[stop - 1] == '\r')
            --stop;
        lines.push_back(text.substr(start, stop - start));
        start = next;
    }
    return lines;
}
