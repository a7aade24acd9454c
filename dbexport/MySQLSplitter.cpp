#include "dbexport/MySQLSplitter.h"
#include "dbexport/MySQLParser.h"

void ConfigureSqlParser(TBasicParser& p, const std::string& macroOpen, const std::string& macroClose)
{
    p.Operators = {"+", "-", "*", "/", "=", "||", "&&", "&", "<>", "|", "<<", ">>", ">", "<", "~", "!", "%"};
    p.HexPrefix = "0x";
    p.LineComments = {"-- ", "#"};
    p.BlockCommentStarts = {"/*"};
    p.BlockCommentEnds = {"*/"};
    p.MacroOpeners = {macroOpen};
    p.MacroClosers = {macroClose};
    p.ParamPrefixes = {":"};
}

namespace {

void Keep(std::string& current, std::vector<std::string>& out)
{
    const size_t first = current.find_first_not_of(' ');
    const size_t last = current.find_last_not_of(' ');
    if (first != std::string::npos)
        out.push_back(current.substr(first, last - first + 1));
    current.clear();
}

} // namespace

std::vector<std::string> SplitStatements(std::string_view text)
{
    std::vector<std::string> out;
    TBasicParser p(text);
    ConfigureSqlParser(p);
    const std::string& src = p.Text();
    std::string current;
    for (;;) {
        const TToken& t = p.NextToken(false);
        if (t.Kind == tkEnd)
            break;
        if (t.Kind == tkLineComment || t.Kind == tkBlockComment)
            continue;
        if (t.Kind == tkLineBreak) {
            if (!current.empty() && current.back() != ' ')
                current += ' ';
            continue;
        }
        current += t.Text;
        const size_t after = static_cast<size_t>(t.Position) + t.Text.size();
        if (after < src.size() && (src[after] == ' ' || src[after] == '\t'))
            current += ' ';
        if (t.Kind == tkStatementEnd)
            Keep(current, out);
    }
    Keep(current, out);
    return out;
}
