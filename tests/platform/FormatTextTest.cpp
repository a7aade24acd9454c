// Message texts with values: placeholders filled in order or by number, and
// a translated text whose placeholders do not fit never costs the message.

#include "platform/FormatText.h"
#include "platform/ResStrings.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace cf;

namespace {

TEST(FormatText, PlaceholdersTakeTheValuesAndBadOnesMakeNoText)
{
    struct Case {
        const char* format;
        std::optional<std::string> result; // with the values "dir" and "why"
    };
    const Case cases[] = {
        {"Cannot save into the folder %s : %s", "Cannot save into the folder dir : why"},
        {"%1:s, then %0:s", "why, then dir"},
        {"%0:s again %0:s and %s", "dir again dir and why"}, // a plain one goes on after the numbered
        {"100%% of %S", "100% of dir"},
        {"no values", "no values"},
        {"", ""},
        {"%s %s %s", std::nullopt},     // a third value that is not there
        {"%2:s", std::nullopt},
        {"%99999999999999999999999:s", std::nullopt},
        {"%d", std::nullopt},
        {"%1s", std::nullopt},
        {"ends in %", std::nullopt},
        {"%0:", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatText(c.format, {"dir", "why"}), c.result) << c.format;
}

TEST(FormatText, TranslationThatDoesNotFitGivesTheBuiltInWording)
{
    constexpr TResStringRec rec{4242, "The folder %s cannot be read : %s"};
    const struct {
        std::optional<std::string> translated;
        std::string shown;
    } cases[] = {
        {std::nullopt, "The folder /x cannot be read : denied"},
        {"%1:s : la cartella %0:s non si legge", "denied : la cartella /x non si legge"},
        {"Cartella illeggibile", "Cartella illeggibile"}, // leaving out the values is the translator's choice
        {"La cartella %s %s %s", "The folder /x cannot be read : denied"},
        {"La cartella %d", "The folder /x cannot be read : denied"},
        {"", "The folder /x cannot be read : denied"}, // an empty slot would show an empty box
    };
    for (const auto& c : cases) {
        SetResStringLoader([&c](int id) { return id == 4242 ? c.translated : std::nullopt; });
        EXPECT_EQ(FormatResString(rec, {"/x", "denied"}), c.shown) << c.translated.value_or("(none)");
    }
    SetResStringLoader({});
}

} // namespace
