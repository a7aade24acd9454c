#pragma once

// Picks a language in the Options window's list by its name, as a user does.

#include "app/Unit_Option.h"
#include "controls/CfEdit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace cftest {

inline void ChooseLanguage(TForm_Option& o, const std::string& name)
{
    const auto& items = o.CB_Languages->Items();
    const auto at = std::find(items.begin(), items.end(), name);
    ASSERT_NE(at, items.end()) << name;
    o.CB_Languages->SetItemIndex(int(at - items.begin()));
    o.CB_LanguagesChange();
}

} // namespace cftest
