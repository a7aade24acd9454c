#pragma once

// The program's options, window geometry, last folders and receiver profiles
// as kept in the per-user configuration key. GetConfiguration reads them once
// at start-up and writes every missing value with its default at the same
// time, so after the first start every value exists; later writes go through
// the same open key (the Open and Save buttons, closing, the Options window).

#include "settings/Model.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cf {
class TRegistry;
}

inline constexpr const char* ConfigurationKey = "\\Software\\Chanforge";

// Options read at start-up.
extern bool RememberW;
extern bool Dec_Format;
extern bool ShowGrid;
extern bool ShowSplash;
// The stored language name; empty when the value was missing (the language
// list then keeps its first choice).
extern std::string LanguageName;

// The stored geometry of the main window and its two right-hand panels.
struct TMainGeometry {
    int Height = 700;
    int Width = 1070;
    int Top = 0;
    int Left = 0;
    int PanelDX_Width = 539;
    int PanelDX_T_Height = 164;
    bool operator==(const TMainGeometry&) const = default;
};
extern TMainGeometry MainGeometry;

// The folder that stands for "C:\" here: the user's home folder. A remembered
// load or save folder that has vanished falls back to it as well.
std::string DefaultFolder();

// The six built-in receiver profiles, in their stored order 00 .. 05.
std::vector<TY_PROFILES> DefaultProfiles();

// Prefix of profile i's value names: two upper-case hex digits and "_"
// (profile 10 is "0A_").
std::string ProfilePrefix(int index);

// Writes profile `p` as the ten values of prefix `index`.
void WriteProfile(cf::TRegistry& reg, int index, const TY_PROFILES& p);

// What GetConfiguration had to mend, for the one message shown after it.
struct TConfigurationReport {
    // Values that were missing or of the wrong type and now hold their default.
    std::vector<std::string> DefaultsWritten;
    // Prefixes ("03_") of stored profiles skipped because a number or switch
    // of theirs was missing or damaged.
    std::vector<std::string> SkippedProfiles;
};

// Opens (creating) the configuration key on `reg`, leaves it open, reads every
// program value and the receiver profiles into the globals (TheLoadDir,
// TheSaveDir, ReadNew, SelectedProfile, Profiles and the options above),
// writing defaults where a value is missing. A damaged configuration never
// stops the start: a value of the wrong type is treated as missing; a
// negative profile count counts as none; a profile whose number or switch
// values are missing is skipped, and one message names the skipped ones
// (through the message service, when one is installed). Returns what it mended.
TConfigurationReport GetConfiguration(cf::TRegistry& reg);

// The message naming the skipped profiles (empty when none was skipped).
std::string SkippedProfilesText(const TConfigurationReport& report);
