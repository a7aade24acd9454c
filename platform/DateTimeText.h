#pragma once

// Dates and times as the program shows and reads them. A value counts days
// from 1899-12-30 00:00 (UTC, no time zone); its fraction is the time of day.

#include <string>

namespace cf {

// "yyyy-MM-dd" for a value at midnight, else "yyyy-MM-dd HH:mm:ss"; times
// are rounded to the millisecond first.
std::string DateTimeText(double days);

// Reads "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy-MM-dd", or a time
// alone ("HH:mm:ss", "HH:mm") as a fraction of a day. False, with `days`
// unchanged, for any other text (blanks around it included).
bool ReadDateTimeText(const std::string& text, double& days);

} // namespace cf
