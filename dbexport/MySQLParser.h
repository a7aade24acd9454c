#pragma once

// Cuts an SQL text into tokens. The vocabulary (operators, comment markers,
// macro delimiters, parameter prefix) is set by each user of an instance.
// It never fails: every character ends in exactly one token, a skipped
// blank or the end.

#include <string>
#include <string_view>
#include <vector>

enum TTokenKind : int {
    tkEnd = 0,
    tkIdentifier = 1,
    tkString = 2,
    tkInteger = 3,
    tkFloat = 4,
    tkHex = 6,
    tkOperator = 7,
    tkLineComment = 8,
    tkBlockComment = 9,
    tkLineBreak = 10,
    tkBlockCommentEnd = 11,
    tkStatementEnd = 12,
    tkMacro = 13,
    tkParameter = 14,
    tkNone = 99,
    // Any other value: a single character, the kind being its code.
};

struct TToken {
    int Position = 0; // offset of the token's start in the text
    std::string Text;
    int Kind = tkNone;
};

class TBasicParser {
public:
    explicit TBasicParser(std::string_view text = {});

    void SetText(std::string_view text);
    const std::string& Text() const { return text_; }

    // Reads one token; line feeds are skipped (and counted) when skipLineBreaks.
    const TToken& NextToken(bool skipLineBreaks = true);
    const TToken& Token() const { return token_; }
    int Position() const { return token_.Position; }
    int LineCount() const { return lineCount_; }
    // The letter that closed the last decimal number ('C', 'D', 'S'), or 0.
    char NumberSuffix() const { return numberSuffix_; }

    std::vector<std::string> Operators;
    std::string HexPrefix;
    std::string StatementEnd = ";";
    std::vector<std::string> LineComments;
    std::vector<std::string> BlockCommentStarts;
    std::vector<std::string> BlockCommentEnds;
    std::vector<std::string> MacroOpeners;
    std::vector<std::string> ParamPrefixes;
    std::vector<std::string> MacroClosers;

private:
    char At(size_t i) const { return i < text_.size() ? text_[i] : '\0'; }
    bool StartsAt(size_t i, std::string_view s) const;
    // Length of the first list entry found at i, 0 when none.
    size_t MatchAny(size_t i, const std::vector<std::string>& list) const;
    void Finish(size_t start, int kind);

    std::string text_;
    size_t pos_ = 0;
    int lineCount_ = 0;
    TToken token_;
    char numberSuffix_ = 0;
};
