#pragma once

// The number fields the service details dialog and the transponder editor
// share: service, stream and network ids and PIDs shown and typed either as
// decimal or as four hexadecimal digits (the Dec_Format option), and the
// one-line text of a transponder in their lists. Free of widgets, so the
// checks are tested on their own.

#include "settings/Model.h"

#include <optional>
#include <string>

inline constexpr const char* OnlyNumericText = "Only numeric value allowed";
inline constexpr const char* OnlyHexText = "Only Hexadecimal (max FFFF) value allowed";

// The stored hexadecimal text as the user sees it: decimal with Dec_Format,
// else unchanged.
std::string ShowId(const std::string& hex, bool decimal);

// A typed id or PID as the model stores it: four upper-case hexadecimal
// digits. Decimal text must be 0..65535, hexadecimal one to four digits; a
// sign, a blank or anything longer is refused (nullopt). An empty text is
// refused unless `emptyAllowed` (a PID that stays absent), when it stays "".
std::optional<std::string> IdFromText(const std::string& text, bool decimal, bool emptyAllowed);

// The message an id or PID refused by IdFromText gets.
inline const char* IdErrorText(bool decimal) { return decimal ? OnlyNumericText : OnlyHexText; }

// "019.2E 11778000 V  27500000 3/4": position, frequency, "H " or "V " and a
// blank, symbol rate, FEC name.
std::string TpListText(const TY_ENIG_TP& tp);

// "'x' is not a valid integer value": what a number field that is none says.
std::string NotIntegerText(const std::string& text);
