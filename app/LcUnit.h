#pragma once

// The language module: a resource-only module file beside the program
// (program name + ".lcf") holding, as RCDATA resources, a header naming its
// languages, one string resource per message id and one resource per form
// class with the translated texts of its components. The file is read as data
// and never trusted: a damaged header means no module, a damaged entry is
// skipped, and no count or size in it makes us read or allocate past the
// resource that holds it.
//
// One language at most is active. While it is, message texts (LoadResString)
// come from its column of the string resources; TranslateForm rewrites a
// window's texts from it.

#include <functional>
#include <string>

namespace cf {
class TForm;
}

// Called once per language of the module, in header order, with its LCID;
// returns nonzero to go on, 0 to stop.
using TLcCallback = std::function<int(int lcid)>;

// Drops the active language, then opens `modulePath` for `lcid`:
//  1  the module and the language were found; the language is now active,
//  0  the module is sound but has no such language; none is active,
// -1  the module cannot be read or its header is missing, short or damaged.
// The callback sees the module's languages before the search.
int LoadLanguage(const std::string& modulePath, int lcid, const TLcCallback& callback = {});

// Puts the built-in texts back for message texts and closes the module.
void DropLanguage();
bool LanguageActive();

// Applies the active language to a window: the resources of the window's
// class and of its ancestors TControl, TWinControl and TForm, ancestors
// first and each resource's entries last to first; nothing without an
// active language or without a resource for the window's own class.
void TranslateForm(cf::TForm& form);

// The class name the module's form resource of a window is named after
// ("TForm_Main"), as the class library reports it.
std::string FormClassName(const cf::TForm& form);

// Where the module is looked for: beside the program as its file name +
// ".lcf", else in the per-user data folder; the first path when neither exists.
std::string LanguageModulePath();
