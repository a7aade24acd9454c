#include "dbexport/MySQLParser.h"
#include "dbexport/MySQLPlaceholders.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using Tokens = std::vector<std::pair<int, std::string>>;

// The set-up the statement splitter uses.
void ConfigureSplitter(TBasicParser& p)
{
    p.Operators = {"+", "-", "*", "/", "=", "||", "&&", "&", "<>", "|", "<<", ">>", ">", "<", "~", "!", "%"};
    p.HexPrefix = "0x";
    p.LineComments = {"-- ", "#"};
    p.BlockCommentStarts = {"/*"};
    p.BlockCommentEnds = {"*/"};
    p.MacroOpeners = {"["};
    p.MacroClosers = {"]"};
    p.ParamPrefixes = {":"};
}

Tokens Tokenize(const std::string& text, bool skipLineBreaks = true)
{
    TBasicParser p(text);
    ConfigureSplitter(p);
    Tokens out;
    for (int guard = 0; guard < 1000; ++guard) {
        const TToken& t = p.NextToken(skipLineBreaks);
        out.emplace_back(t.Kind, t.Text);
        if (t.Kind == tkEnd)
            break;
    }
    return out;
}

TEST(DbTokenizer, Table)
{
    struct Case {
        const char* text;
        Tokens tokens;
    } cases[] = {
        {"a;b", {{tkIdentifier, "a"}, {tkStatementEnd, ";"}, {tkIdentifier, "b"}, {tkEnd, ""}}},
        {"'it''s'", {{tkString, "'it'"}, {tkString, "'s'"}, {tkEnd, ""}}},
        {"'a\\'b'", {{tkString, "'a\\'b'"}, {tkEnd, ""}}},
        {"'a\\\\'b", {{tkString, "'a\\\\'"}, {tkIdentifier, "b"}, {tkEnd, ""}}},
        {"\"dq\" 'open", {{tkString, "\"dq\""}, {tkString, "'open"}, {tkEnd, ""}}},
        {"12.5e-3", {{tkFloat, "12.5e-3"}, {tkEnd, ""}}},
        {"12.5e-3-1", {{tkFloat, "12.5e-3"}, {tkOperator, "-"}, {tkInteger, "1"}, {tkEnd, ""}}},
        {"42 7.5D", {{tkInteger, "42"}, {tkFloat, "7.5D"}, {tkEnd, ""}}},
        {"0x1aF 0xg", {{tkHex, "0x1aF"}, {tkInteger, "0"}, {tkIdentifier, "xg"}, {tkEnd, ""}}},
        {"[WHERE]", {{tkMacro, "[WHERE]"}, {tkEnd, ""}}},
        {"[WHERE x]", {{tkMacro, "[WHERE"}, {tkIdentifier, "x"}, {tkMacro, "]"}, {tkEnd, ""}}},
        {":id=:_x2 : a",
         {{tkParameter, ":id"}, {tkOperator, "="}, {tkParameter, ":_x2"}, {':', ":"},
          {tkIdentifier, "a"}, {tkEnd, ""}}},
        {"a -- note\nb", {{tkIdentifier, "a"}, {tkLineComment, "-- note"}, {tkIdentifier, "b"}, {tkEnd, ""}}},
        {"a --b", {{tkIdentifier, "a"}, {tkOperator, "-"}, {tkOperator, "-"}, {tkIdentifier, "b"}, {tkEnd, ""}}},
        {"# all\r\nx", {{tkLineComment, "# all"}, {tkIdentifier, "x"}, {tkEnd, ""}}},
        {"/* c */x", {{tkBlockComment, "/* c */"}, {tkIdentifier, "x"}, {tkEnd, ""}}},
        {"x /* open", {{tkIdentifier, "x"}, {tkBlockComment, "/* open"}, {tkEnd, ""}}},
        {"x */", {{tkIdentifier, "x"}, {tkBlockCommentEnd, "*/"}, {tkEnd, ""}}},
        {"a<>b||c", {{tkIdentifier, "a"}, {tkOperator, "<>"}, {tkIdentifier, "b||c"}, {tkEnd, ""}}},
        {"a <> b || c", {{tkIdentifier, "a"}, {tkOperator, "<>"}, {tkIdentifier, "b"},
                         {tkOperator, "||"}, {tkIdentifier, "c"}, {tkEnd, ""}}},
        {"`my table`.`x`", {{tkIdentifier, "`my table`"}, {'.', "."}, {tkIdentifier, "`x`"}, {tkEnd, ""}}},
        {"f(a,$b)", {{tkIdentifier, "f"}, {'(', "("}, {tkIdentifier, "a"}, {',', ","},
                     {tkIdentifier, "$b"}, {')', ")"}, {tkEnd, ""}}},
        {"", {{tkEnd, ""}}},
        {"  \t\r\n ", {{tkEnd, ""}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Tokenize(c.text), c.tokens) << c.text;
}

TEST(DbTokenizer, LineBreaksAreTokensWhenNotSkipped)
{
    Tokens t = Tokenize("a\r\nb", false);
    EXPECT_EQ(t, (Tokens{{tkIdentifier, "a"}, {tkLineBreak, " "}, {tkIdentifier, "b"}, {tkEnd, ""}}));

    TBasicParser p("a\n\nb\nc");
    EXPECT_EQ(p.NextToken().Text, "a");
    EXPECT_EQ(p.NextToken().Text, "b");
    EXPECT_EQ(p.LineCount(), 2);
    EXPECT_EQ(p.NextToken().Text, "c");
    EXPECT_EQ(p.LineCount(), 3);
}

TEST(DbTokenizer, PositionsAndEndDoesNotMove)
{
    TBasicParser p("ab  'x' 1");
    ConfigureSplitter(p);
    EXPECT_EQ(p.NextToken().Position, 0);
    EXPECT_EQ(p.NextToken().Position, 4);
    EXPECT_EQ(p.NextToken().Position, 8);
    EXPECT_EQ(p.NextToken().Kind, tkEnd);
    EXPECT_EQ(p.Position(), 9);
    EXPECT_EQ(p.NextToken().Kind, tkEnd);
    EXPECT_EQ(p.Position(), 9);
}

TEST(DbTokenizer, NumberSuffixRemembered)
{
    TBasicParser p("1.5c 2.0");
    EXPECT_EQ(p.NextToken().Text, "1.5c");
    EXPECT_EQ(p.NumberSuffix(), 'C');
    EXPECT_EQ(p.NextToken().Text, "2.0");
    EXPECT_EQ(p.NumberSuffix(), 0);
}

TEST(DbTokenizer, EveryCharacterIsCoveredOnce)
{
    // Tokens plus skipped blanks rebuild the text exactly, whatever it holds.
    const std::string text = "SELECT a.b, 'x;y' /* ; */ FROM t -- c\nWHERE [m] = :p AND `q` <> 0x1F; @ ? \x01";
    TBasicParser p(text);
    ConfigureSplitter(p);
    std::string rebuilt;
    size_t last = 0;
    for (;;) {
        const TToken& t = p.NextToken();
        if (t.Kind == tkEnd)
            break;
        ASSERT_GE(static_cast<size_t>(t.Position), last);
        for (size_t i = last; i < static_cast<size_t>(t.Position); ++i)
            ASSERT_LE(static_cast<unsigned char>(text[i]), 32) << i;
        rebuilt += text.substr(last, static_cast<size_t>(t.Position) - last) + t.Text;
        last = static_cast<size_t>(t.Position) + t.Text.size();
    }
    EXPECT_EQ(rebuilt + text.substr(last), text);
}

TEST(DbTokenizer, SetTextResets)
{
    TBasicParser p("a\nb");
    p.NextToken();
    p.NextToken();
    p.SetText("c");
    EXPECT_EQ(p.LineCount(), 0);
    EXPECT_EQ(p.Token().Kind, tkNone);
    EXPECT_EQ(p.NextToken().Text, "c");
}

} // namespace

namespace {

TEST(DbPlaceholders, QuestionMarksBecomeNumberedReferences)
{
    const struct {
        const char* in;
        const char* out;
        int count;
    } cases[] = {
        {"insert into t values (?, ?)", "insert into t values ([1], [2])", 2},
        {"update t set c='why?' where id=?", "update t set c='why?' where id=[1]", 1},
        {"select \"a?\", `b?` from t where x=?", "select \"a?\", `b?` from t where x=[1]", 1},
        {"select 'it''s?', 'a\\'?' , ?", "select 'it''s?', 'a\\'?' , [1]", 1},
        {"select ? -- why?\n, ?", "select [1] -- why?\n, [2]", 2},
        {"select ? # why?\n/* ? */ ?", "select [1] # why?\n/* ? */ [2]", 2},
        {"select 'open ?", "select 'open ?", 0},
        {"", "", 0},
    };
    for (const auto& c : cases) {
        int n = -1;
        EXPECT_EQ(NumberPlaceholders(c.in, "[", "]", &n), c.out) << c.in;
        EXPECT_EQ(n, c.count) << c.in;
    }
    EXPECT_EQ(NumberPlaceholders("a=? and b=?", "<<", ">>"), "a=<<1>> and b=<<2>>");
}

} // namespace
