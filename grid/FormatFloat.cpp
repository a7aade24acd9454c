#include "grid/FormatFloat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
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

// The value's digits with the given number of decimals, rounded half away
// from zero from its shortest exact text (so 2.5 gives 3 and 1.005 gives
// 1.01, as the number reads).
void DecimalDigits(double value, int decimals, std::string& intDigits, std::string& fracDigits) {
  intDigits.assign(1, '0');
  fracDigits.assign(static_cast<size_t>(decimals), '0');
  if (value == 0 || !std::isfinite(value)) return;
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
  std::string sci(buf, res.ptr);
  const size_t e = sci.find('e');
  std::string digits;
  for (size_t i = 0; i < e; ++i)
    if (sci[i] != '.') digits += sci[i];
  const int pointPos = std::stoi(sci.substr(e + 1)) + 1;  // digits before the point
  if (pointPos <= 0) {
    intDigits.assign(1, '0');
    fracDigits = std::string(static_cast<size_t>(-pointPos), '0') + digits;
  } else if (static_cast<size_t>(pointPos) >= digits.size()) {
    intDigits = digits + std::string(static_cast<size_t>(pointPos) - digits.size(), '0');
    fracDigits.clear();
  } else {
    intDigits = digits.substr(0, static_cast<size_t>(pointPos));
    fracDigits = digits.substr(static_cast<size_t>(pointPos));
  }
  if (fracDigits.size() > static_cast<size_t>(decimals)) {
    const bool up = fracDigits[static_cast<size_t>(decimals)] >= '5';
    fracDigits.resize(static_cast<size_t>(decimals));
    if (up) {
      std::string all = intDigits + fracDigits;
      size_t i = all.size();
      while (i > 0 && all[i - 1] == '9') all[--i] = '0';
      if (i == 0)
        all.insert(all.begin(), '1');
      else
        ++all[i - 1];
      intDigits = all.substr(0, all.size() - fracDigits.size());
      fracDigits = all.substr(all.size() - fracDigits.size());
    }
  }
  fracDigits.resize(static_cast<size_t>(decimals), '0');
}

// "E+", "E-", "e+" or "e-" at i, outside quotes: an exponent.
bool IsExponentAt(std::string_view mask, size_t i) {
  return (mask[i] == 'E' || mask[i] == 'e') && i + 1 < mask.size() && (mask[i + 1] == '+' || mask[i + 1] == '-');
}

// The value's first `count` significant digits, rounded half away from zero
// as the number reads, and the power of ten of the first of them.
void SignificantDigits(double value, int count, std::string& digits, int& exponent) {
  digits.assign(static_cast<size_t>(count), '0');
  exponent = 0;
  if (value == 0 || !std::isfinite(value)) return;
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
  const std::string sci(buf, res.ptr);
  const size_t e = sci.find('e');
  std::string all;
  for (size_t i = 0; i < e; ++i)
    if (sci[i] != '.') all += sci[i];
  exponent = std::stoi(sci.substr(e + 1));
  if (all.size() > static_cast<size_t>(count)) {
    const bool up = all[static_cast<size_t>(count)] >= '5';
    all.resize(static_cast<size_t>(count));
    if (up) {
      size_t i = all.size();
      while (i > 0 && all[i - 1] == '9') all[--i] = '0';
      if (i == 0) {
        all.insert(all.begin(), '1');  // 9.99 -> 10.0: one place further
        all.pop_back();
        ++exponent;
      } else {
        ++all[i - 1];
      }
    }
  }
  all.resize(static_cast<size_t>(count), '0');
  digits = all;
}

std::string FormatSection(std::string_view mask, double value, bool withSign) {
  // First pass: what the placeholders ask for.
  int intPlaces = 0, minInt = 0, fracPlaces = 0, minFrac = 0;
  bool seenDot = false, thousands = false, seenIntZero = false;
  // An exponent: its sign rule ('+' always, '-' only when negative) and the
  // fewest digits it is written with.
  char expSign = 0;
  int expDigits = 0;
  char quote = 0;
  for (size_t i = 0; i < mask.size(); ++i) {
    const char c = mask[i];
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (!expSign && IsExponentAt(mask, i)) {
      expSign = mask[i + 1];
      i += 2;
      while (i < mask.size() && mask[i] == '0') {
        ++expDigits;
        ++i;
      }
      --i;
    } else if (c == '"' || c == '\'') {
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

  std::string intDigits, fracDigits, expText;
  if (expSign) {
    // As many significant digits as placeholders, the integer part filling
    // its placeholders; the power of ten makes up the rest.
    std::string digits;
    int exponent = 0;
    SignificantDigits(value, std::max(1, intPlaces + fracPlaces), digits, exponent);
    const size_t split = static_cast<size_t>(std::min<int>(intPlaces, static_cast<int>(digits.size())));
    intDigits = split > 0 ? digits.substr(0, split) : std::string("0");
    fracDigits = digits.substr(split);
    if (value != 0 && std::isfinite(value)) exponent -= intPlaces > 0 ? intPlaces - 1 : -1;
    std::string number = std::to_string(exponent < 0 ? -exponent : exponent);
    if (static_cast<int>(number.size()) < expDigits)
      number.insert(number.begin(), static_cast<size_t>(expDigits) - number.size(), '0');
    expText = (exponent < 0 ? "-" : expSign == '+' ? "+" : "") + number;
    thousands = false;
  }
  if (hasDigits) {
    if (!expSign) DecimalDigits(value, fracPlaces, intDigits, fracDigits);
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
  bool expDone = false;
  for (size_t i = 0; i < mask.size(); ++i) {
    const char c = mask[i];
    if (quote) {
      if (c == quote)
        quote = 0;
      else
        out += c;
      continue;
    }
    if (expSign && !expDone && IsExponentAt(mask, i)) {
      if (hasDigits) emitInt();
      if (!dotDone && !fracDigits.empty()) out += "." + fracDigits;
      dotDone = true;
      out += c;
      out += expText;
      expDone = true;
      i += 2;
      while (i < mask.size() && mask[i] == '0') ++i;
      --i;
    } else if (c == '"' || c == '\'') {
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
