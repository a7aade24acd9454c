#include "dbexport/MySQLParser.h"

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c)
{
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
// Bytes of multi-byte UTF-8 characters count as letters, so names in any
// script stay one identifier.
bool IsIdentStart(char c)
{
    return IsLetter(c) || c == '_' || c == '$' || c == '&' || c == '|' ||
           static_cast<unsigned char>(c) >= 0x80;
}
bool IsIdentChar(char c) { return IsIdentStart(c) || IsDigit(c); }

} // namespace

TBasicParser::TBasicParser(std::string_view text) { SetText(text); }

void TBasicParser::SetText(std::string_view text)
{
    text_ = std::string(text);
    pos_ = 0;
    lineCount_ = 0;
    token_ = TToken{};
    numberSuffix_ = 0;
}

bool TBasicParser::StartsAt(size_t i, std::string_view s) const
{
    return !s.empty() && std::string_view(text_).substr(i, s.size()) == s;
}

size_t TBasicParser::MatchAny(size_t i, const std::vector<std::string>& list) const
{
    for (const auto& s : list)
        if (StartsAt(i, s))
            return s.size();
    return 0;
}

void TBasicParser::Finish(size_t start, int kind)
{
    token_.Position = static_cast<int>(start);
    token_.Text = text_.substr(start, pos_ - start);
    token_.Kind = kind;
}

const TToken& TBasicParser::NextToken(bool skipLineBreaks)
{
    // 1. Blanks and control characters.
    for (;;) {
        unsigned char c = static_cast<unsigned char>(At(pos_));
        if (c < 1 || c > 32)
            break;
        if (c == '\n') {
            if (!skipLineBreaks)
                break;
            ++lineCount_;
        }
        ++pos_;
    }
    const size_t start = pos_;
    const char c = At(pos_);

    // 2. A line feed that is not skipped.
    if (c == '\n') {
        ++pos_;
        token_ = {static_cast<int>(start), " ", tkLineBreak};
        return token_;
    }
    // 3. Statement end.
    if (pos_ < text_.size() && StartsAt(pos_, StatementEnd)) {
        pos_ += StatementEnd.size();
        Finish(start, tkStatementEnd);
        return token_;
    }
    // 4. Hexadecimal number after the prefix.
    if (!HexPrefix.empty() && StartsAt(pos_, HexPrefix) && IsHexDigit(At(pos_ + HexPrefix.size()))) {
        pos_ += HexPrefix.size();
        while (IsHexDigit(At(pos_)))
            ++pos_;
        Finish(start, tkHex);
        return token_;
    }
    // 5. Line comment, up to the end of the line.
    if (size_t n = MatchAny(pos_, LineComments)) {
        pos_ += n;
        while (pos_ < text_.size() && text_[pos_] != '\n' && text_[pos_] != '\r')
            ++pos_;
        Finish(start, tkLineComment);
        return token_;
    }
    // 6. Block comment, up to and including its end; an end standing alone.
    if (size_t n = MatchAny(pos_, BlockCommentStarts)) {
        pos_ += n;
        for (;;) {
            if (pos_ >= text_.size())
                break;
            if (size_t e = MatchAny(pos_, BlockCommentEnds)) {
                pos_ += e;
                break;
            }
            ++pos_;
        }
        Finish(start, tkBlockComment);
        return token_;
    }
    if (size_t n = MatchAny(pos_, BlockCommentEnds)) {
        pos_ += n;
        Finish(start, tkBlockCommentEnd);
        return token_;
    }
    // 7. Macro reference, up to its closer or the first blank or line end.
    if (size_t n = MatchAny(pos_, MacroOpeners)) {
        pos_ += n;
        for (;;) {
            char d = At(pos_);
            if (pos_ >= text_.size() || d == '\0' || d == '\n' || d == '\r' || d == ' ')
                break;
            if (size_t e = MatchAny(pos_, MacroClosers)) {
                pos_ += e;
                break;
            }
            ++pos_;
        }
        Finish(start, tkMacro);
        return token_;
    }
    if (size_t n = MatchAny(pos_, MacroClosers)) {
        pos_ += n;
        Finish(start, tkMacro);
        return token_;
    }
    // 8. Parameter reference: the prefix directly followed by a name.
    for (const auto& p : ParamPrefixes) {
        if (!StartsAt(pos_, p))
            continue;
        char d = At(pos_ + p.size());
        if (!(IsLetter(d) || IsDigit(d) || d == '_'))
            continue;
        pos_ += p.size();
        while (IsLetter(At(pos_)) || IsDigit(At(pos_)) || At(pos_) == '_')
            ++pos_;
        Finish(start, tkParameter);
        return token_;
    }
    // 9. Operators, first match in list order.
    if (size_t n = MatchAny(pos_, Operators)) {
        pos_ += n;
        Finish(start, tkOperator);
        return token_;
    }
    // 10. By the first character.
    if (pos_ >= text_.size() || c == '\0') {
        token_ = {static_cast<int>(start), "", tkEnd};
        return token_;
    }
    if (c == '"' || c == '\'') {
        ++pos_;
        for (;;) {
            char d = At(pos_);
            if (pos_ >= text_.size() || d == '\0' || d == '\n' || d == '\r')
                break;
            if (d == c) {
                // Escaped by one backslash, but not by a doubled one.
                bool escaped = pos_ >= 1 && text_[pos_ - 1] == '\\' &&
                               !(pos_ >= 2 && text_[pos_ - 2] == '\\');
                ++pos_;
                if (!escaped)
                    break;
                continue;
            }
            ++pos_;
        }
        Finish(start, tkString);
        return token_;
    }
    if (IsIdentStart(c)) {
        while (IsIdentChar(At(pos_)))
            ++pos_;
        Finish(start, tkIdentifier);
        return token_;
    }
    if (IsDigit(c)) {
        numberSuffix_ = 0;
        while (IsDigit(At(pos_)))
            ++pos_;
        int kind = tkInteger;
        char d = At(pos_);
        if (d == '.' || d == 'E' || d == 'e') {
            kind = tkFloat;
            bool signSeen = false;
            for (;;) {
                char e = At(pos_);
                if (IsDigit(e) || e == '.' || e == 'E' || e == 'e') {
                    ++pos_;
                } else if ((e == '+' || e == '-') && !signSeen) {
                    signSeen = true;
                    ++pos_;
                } else {
                    break;
                }
            }
            char s = At(pos_);
            if (s == 'C' || s == 'c' || s == 'D' || s == 'd' || s == 'S' || s == 's') {
                numberSuffix_ = static_cast<char>(s & ~0x20);
                ++pos_;
            }
        }
        Finish(start, kind);
        return token_;
    }
    if (c == '`') {
        ++pos_;
        while (pos_ < text_.size() && text_[pos_] != '`')
            ++pos_;
        if (pos_ < text_.size())
            ++pos_;
        Finish(start, tkIdentifier);
        return token_;
    }
    ++pos_;
    Finish(start, static_cast<unsigned char>(c));
    return token_;
}
