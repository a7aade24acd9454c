// Tokenizer, sectioned texts and value parsing on arbitrary text.

#include "dbexport/MySQLParser.h"
#include "dbexport/MySQLStrUtils.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    TBasicParser p(text);
    p.Operators = {"+", "-", "*", "/", "=", "||", "&&", "&", "<>", "|", "<<", ">>", ">", "<", "~", "!", "%"};
    p.HexPrefix = "0x";
    p.LineComments = {"-- ", "#"};
    p.BlockCommentStarts = {"/*"};
    p.BlockCommentEnds = {"*/"};
    p.MacroOpeners = {"["};
    p.MacroClosers = {"]"};
    p.ParamPrefixes = {":"};
    size_t covered = 0;
    for (size_t guard = 0; guard <= size + 1; ++guard) {
        const TToken& t = p.NextToken(guard % 2 == 0);
        if (t.Kind == tkEnd)
            break;
        // Every token starts where the last one ended or after skipped blanks.
        if (static_cast<size_t>(t.Position) < covered || t.Text.empty())
            std::abort();
        covered = static_cast<size_t>(t.Position) + (t.Kind == tkLineBreak ? 1 : t.Text.size());
        if (guard == size + 1)
            std::abort(); // no progress
    }

    std::string written = SetSectionValue(text, "direct", "protocol", "tcp");
    if (ReadSectionValue(written, "direct", "protocol", "") != "tcp")
        std::abort();
    ExtractSection(text, "client", "");
    ReadSectionInteger(text, "w", "timeout", 5);
    MySQLStrToDateTime(text);
    MySQLTimeStampToDateTime(text);
    double v;
    TryStrToFloatDot(text, v);
    TSBStringList l;
    l.SetText(text);
    return 0;
}
