#pragma once

// What the Options window does to the receiver profiles and options, apart
// from the window, so tests drive it without clicking. Every routine writes
// through the configuration key already open on `reg` and keeps the stored
// profiles 00 .. NoOfProfiles-1 equal to the list in memory.

#include "settings/Model.h"

#include <optional>
#include <string>

namespace cf {
class TRegistry;
}

// The first profiles are the built-in ones and cannot be deleted.
inline constexpr int BuiltInProfileCount = 6;

// The values a profile added in the Options window starts with.
TY_PROFILES NewProfileDefaults();

// Appends a profile with the defaults, stores "NoOfProfiles" and its ten
// values at once; returns its index.
int AddProfile(cf::TRegistry& reg);

enum class TDeleteProfile { Deleted, BuiltIn, NoSuchProfile };

// Removes profile `row` (later ones move down one place), stores the new
// count, renumbers the stored profiles and deletes the ten values of the
// former last number. The default profile stays the same profile: deleting
// one before it moves it down one; deleting the default itself makes
// profile 0 the default; "SelectedProfile" is stored with the count.
TDeleteProfile DeleteProfile(cf::TRegistry& reg, int row);

// A port as typed: a whole decimal number from 1 to 65535 (blanks around it
// allowed), else nothing.
std::optional<int> ParsePort(const std::string& text);

// Stores profile `row` of the list with `values` in memory and under its
// prefix, with "SelectedProfile" and "NoOfProfiles". Nothing is written for
// a row outside the list.
bool StoreProfile(cf::TRegistry& reg, int row, const TY_PROFILES& values);

struct TOptionValues {
    bool RememberW = false;
    bool ShowSplash = true;
    bool Dec_Format = false;
    bool ShowGrid = false;
    bool ReadNew = true;
    std::string Languages;
};

// Stores the options of the Various page and sets the in-memory ones.
void StoreOptions(cf::TRegistry& reg, const TOptionValues& values);
