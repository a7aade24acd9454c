#pragma once

// Titles and button captions of the message dialogs in twelve languages.
// Entry 0: the input query's cancel button; 1-5: the titles of mtWarning,
// mtError, mtInformation, mtConfirmation, mtCustom (always empty); 6-16: the
// buttons Yes, No, OK, Cancel, Abort, Retry, Ignore, All, No to all,
// Yes to all, Help.

#include <array>
#include <cstddef>
#include <string>

namespace cf {

constexpr int DlgLanguageCount = 12;
constexpr int DlgTextCount = 17;

// Language numbers.
constexpr int dlEnglish = 0, dlRussian = 1, dlPortuguese = 2, dlTurkish = 3, dlGerman = 4, dlDutch = 5,
              dlFrench = 6, dlGreek = 7, dlSpanish = 8, dlItalian = 9, dlHungarian = 10, dlRomanian = 11;

extern const std::array<std::array<const char*, DlgTextCount>, DlgLanguageCount> MessageDlgTexts;

// Text entry of a language; an unknown language number reads English.
const char* DlgText(int lang, int entry);

// Message texts of the dialogs have the ids DlgTextIdBase + entry, so a
// language module can translate titles and buttons as well.
constexpr int DlgTextIdBase = 900;

// The text a dialog shows: the active language's, else DlgText.
std::string ShownDlgText(int lang, int entry);

} // namespace cf
