#pragma once
// A text laid into an edit mask for display: placeholders take the text's
// characters in turn, literals are copied, "\" makes the next character a
// literal, ">" and "<" switch to upper or lower case and "<>" back. The
// mask may end in ";save;blank" fields; blank (default "_") fills the
// placeholders the text does not reach. Only ASCII is case-mapped.

#include <string>
#include <string_view>

std::string FormatMaskText(std::string_view mask, std::string_view text);
