#pragma once

namespace cf {
class TCfComboBox;
} // namespace cf

// Lists the receiver profiles in `combo` and selects the current one (none
// when the remembered index no longer names a profile). Shared by the windows
// that let the user pick the profile a load, save or transfer uses.
void ShowProfileChoice(cf::TCfComboBox& combo);
