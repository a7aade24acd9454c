#pragma once

// The one road every message text of the program takes: a text is named by a
// record holding a fixed id and its built-in English wording, and is fetched
// through LoadResString. While a language is active its loader answers first
// (app/LcUnit installs it); a loader that has no text for an id, or no loader
// at all, gives the built-in wording.
//
// Header only: the model (settings/) fetches its texts here as well and links
// no platform library.

#include "platform/FormatText.h"

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace cf {

struct TResStringRec {
    int Id;
    const char* Text;
};

// Returns the active language's text of an id, or nullopt to fall back.
using TResStringLoader = std::function<std::optional<std::string>(int id)>;

inline TResStringLoader& ActiveResStringLoader()
{
    static TResStringLoader loader;
    return loader;
}

// Installs (or, with an empty function, removes) the active loader.
inline void SetResStringLoader(TResStringLoader loader)
{
    ActiveResStringLoader() = std::move(loader);
}

inline bool HasResStringLoader()
{
    return static_cast<bool>(ActiveResStringLoader());
}

inline std::string LoadResString(const TResStringRec& rec)
{
    if (const TResStringLoader& loader = ActiveResStringLoader()) {
        // An empty translation would show an empty message: a module's
        // unfilled slot reads as no translation.
        if (std::optional<std::string> text = loader(rec.Id); text && !text->empty())
            return *std::move(text);
    }
    return rec.Text;
}

// A text with placeholders (FormatText) filled with `args`. A translation
// whose placeholders do not fit the arguments gives way to the built-in
// wording, so a damaged module never costs the user the message.
inline std::string FormatResString(const TResStringRec& rec, std::initializer_list<std::string_view> args)
{
    if (std::optional<std::string> text = FormatText(LoadResString(rec), args))
        return *std::move(text);
    return FormatText(rec.Text, args).value_or(rec.Text);
}

} // namespace cf
