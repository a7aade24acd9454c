#pragma once

// The one road every message text of the program takes: a text is named by a
// record holding a fixed id and its built-in English wording, and is fetched
// through LoadResString. While a language is active its loader answers first
// (app/LcUnit installs it); a loader that has no text for an id, or no loader
// at all, gives the built-in wording.

#include <functional>
#include <optional>
#include <string>

namespace cf {

struct TResStringRec {
    int Id;
    const char* Text;
};

// Returns the active language's text of an id, or nullopt to fall back.
using TResStringLoader = std::function<std::optional<std::string>(int id)>;

// Installs (or, with an empty function, removes) the active loader.
void SetResStringLoader(TResStringLoader loader);
bool HasResStringLoader();

std::string LoadResString(const TResStringRec& rec);

} // namespace cf
