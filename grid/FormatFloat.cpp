#include "grid/FormatFloat.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "grid/CellText.h"

namespace {

std::vector<std::string_view> SplitSections(std::string_view mask) {
  std::vector<std::string_view> out;
  size_t start = 0;
  char quote = 0;
  for (size_t i = 0; i < mask.size(); ++i) {
    char c = mask[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      out.push_back(mask.substr(start, i - start));
      start = i + 1;
    }
  }
  out.push_back(mask.substr(start));
  return out;
}

std::string Group(const std::string& digits) {
  std::string out;
  const size_t n = digits.size();
  for (size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string FormatSection(std::string_view mask, double value, bool withSign) {
  // First pass: what the placeholders ask for.
  int intPlaces = 0, minInt = 0, fracPlaces = 0, minFrac = 0;
  bool seenDot = false, thousands = false, seenIntZero = false;
  char quote = 0;
  for (char c : mask) {
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '.') {
      seenDot = true;
    } else if (c == ',' && !seenDot) {
      thousands = true;
    } else if (c == '0' || c == '#') {
      if (seenDot) {
        ++fracPlaces;
        if (c == '0') minFrac = fracPlaces;
      } else {
        ++intPlaces;
        if (c == '0') seenIntZero = true;
        if (seenIntZero) ++minInt;
      }
    }
  }
  const bool hasDigits = intPlaces + fracPlaces > 0;

  std::string intDigits, fracDigits;
  if (hasDigits) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", fracPlaces, std::fabs(value));
    std::string text = buf;
    size_t dot = text.find('.');
    intDigits = text.substr(0, dot);
    if (dot != std::string::npos) fracDigits = text.substr(dot + 1);
    while (static_cast<int>(fracDigits.size()) > minFrac && fracDigits.back() == '0') fracDigits.pop_back();
    if (intDigits == "0" && minInt == 0) intDigits.clear();
    while (static_cast<int>(intDigits.size()) < minInt) intDigits.insert(intDigits.begin(), '0');
    if (thousands) intDigits = Group(intDigits);
  }
  bool nonZero = false;
  for (char c : intDigits + fracDigits)
    if (c >= '1' && c <= '9') nonZero = true;

  // Second pass: copy literals, put the digits at the first placeholder of each part.
  std::string out = withSign && value < 0 && nonZero ? "-" : "";
  bool intDone = false, dotDone = false;
  quote = 0;
  auto emitInt = [&] {
    if (!intDone) out += intDigits;
    intDone = true;
  };
  for (char c : mask) {
    if (quote) {
      if (c == quote)
        quote = 0;
      else
        out += c;
      continue;
    }
    if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '.' && hasDigits && !dotDone) {
      emitInt();
      dotDone = true;
      if (!fracDigits.empty()) out += "." + fracDigits;
    } else if ((c == '0' || c == '#') && !dotDone) {
      emitInt();
    } else if (c == '0' || c == '#' || (c == ',' && hasDigits)) {
      // consumed by the digits already written
    } else {
      out += c;
    }
  }
  if (hasDigits) emitInt();
  return out;
}

}  // namespace

std::string FormatFloat(std::string_view mask, double value) {
  if (mask.empty()) return celltext::FloatToText(value);
  std::vector<std::string_view> sections = SplitSections(mask);
  if (value < 0 && sections.size() >= 2 && !sections[1].empty()) return FormatSection(sections[1], value, false);
  if (value == 0 && sections.size() >= 3 && !sections[2].empty()) return FormatSection(sections[2], value, false);
  return FormatSection(sections[0], value, true);
}
