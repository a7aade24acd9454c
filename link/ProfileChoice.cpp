#include "link/ProfileChoice.h"

#include "controls/CfEdit.h"
#include "settings/Unit_lib.h"

#include <string>
#include <vector>

void ShowProfileChoice(cf::TCfComboBox& combo)
{
    std::vector<std::string> names;
    names.reserve(Profiles.size());
    for (const auto& p : Profiles)
        names.push_back(p.Name);
    combo.SetItems(names);
    combo.SetItemIndex(SelectedProfile >= 0 && SelectedProfile < static_cast<int>(names.size())
                           ? SelectedProfile
                           : -1);
}
