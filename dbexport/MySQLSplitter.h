#pragma once

// Cuts an SQL text into statements: ";" ends one (and stays with it),
// comments vanish, runs of blanks and line breaks become one blank; a ";"
// inside quotes or comments does not split.

#include <string>
#include <string_view>
#include <vector>

class TBasicParser;

std::vector<std::string> SplitStatements(std::string_view text);

// Sets a tokenizer up with the vocabulary of the component set; the macro
// delimiters are the dataset's own.
void ConfigureSqlParser(TBasicParser& parser, const std::string& macroOpen = "[",
                        const std::string& macroClose = "]");
