#include "grid/CellText.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <limits>
#include <random>

namespace celltext {

namespace {

std::string Quoted(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out.push_back('\'');
  out.append(text);
  out.push_back('\'');
  return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Days between 0001-01-01 style civil dates and 1899-12-30, after H. Hinnant.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;  // days since 1970-01-01
}

void CivilFromDays(std::int64_t z, std::int64_t& y, unsigned& m, unsigned& d) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = static_cast<std::int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp + (mp < 10 ? 3 : -9);
  y += m <= 2;
}

// 1899-12-30 as days since 1970-01-01.
const std::int64_t kDelphiEpoch = DaysFromCivil(1899, 12, 30);

bool ValidDate(int y, int m, int d) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
  bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  int days = kDays[m - 1] + (m == 2 && leap ? 1 : 0);
  return d <= days;
}

double Combine(double date, double time) { return date >= 0 ? date + time : date - time; }

// Reads up to maxDigits digits (at least one) into value.
bool ReadNumber(std::string_view s, size_t& pos, size_t maxDigits, int& value) {
  size_t start = pos;
  value = 0;
  while (pos < s.size() && IsDigit(s[pos]) && pos - start < maxDigits) value = value * 10 + (s[pos++] - '0');
  return pos > start;
}

bool ParseTime(std::string_view s, double& time) {
  size_t pos = 0;
  int h = 0, n = 0, sec = 0;
  if (!ReadNumber(s, pos, 2, h) || pos >= s.size() || s[pos++] != ':') return false;
  if (!ReadNumber(s, pos, 2, n)) return false;
  if (pos < s.size()) {
    if (s[pos++] != ':' || !ReadNumber(s, pos, 2, sec)) return false;
  }
  if (pos != s.size() || h > 23 || n > 59 || sec > 59) return false;
  time = (h * 3600.0 + n * 60.0 + sec) / 86400.0;
  return true;
}

bool ParseDate(std::string_view s, double& date) {
  size_t pos = 0;
  int y = 0, m = 0, d = 0;
  if (!ReadNumber(s, pos, 4, y) || pos >= s.size() || s[pos++] != '-') return false;
  if (!ReadNumber(s, pos, 2, m) || pos >= s.size() || s[pos++] != '-') return false;
  if (!ReadNumber(s, pos, 2, d) || pos != s.size()) return false;
  if (!ValidDate(y, m, d)) return false;
  date = EncodeDate(y, m, d);
  return true;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string IntToText(std::int32_t value) { return std::to_string(value); }

std::int32_t TextToInt(std::string_view text) {
  std::string_view s = text;
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (s.empty()) throw cf::EConvertError(Quoted(text) + " is not a valid integer value");
  std::int64_t value = 0;
  for (char c : s) {
    if (!IsDigit(c)) throw cf::EConvertError(Quoted(text) + " is not a valid integer value");
    value = value * 10 + (c - '0');
    if (value > std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1)
      throw cf::EConvertError(Quoted(text) + " is not a valid integer value");
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max())
    throw cf::EConvertError(Quoted(text) + " is not a valid integer value");
  return static_cast<std::int32_t>(value);
}

std::string FloatToText(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
  std::string sci(buf, res.ptr);  // e.g. "-1.5e+20"
  size_t ePos = sci.find('e');
  std::string mant = sci.substr(0, ePos);
  int exp = std::stoi(sci.substr(ePos + 1));
  bool negative = mant[0] == '-';
  if (negative) mant.erase(0, 1);
  std::string digits;
  for (char c : mant)
    if (IsDigit(c)) digits += c;
  std::string out;
  if (negative) out.push_back('-');
  if (exp >= 15 || exp < -4) {
    out.push_back(digits[0]);
    if (digits.size() > 1) {
      out.push_back('.');
      out.append(digits, 1, std::string::npos);
    }
    out.push_back('E');
    out.append(std::to_string(exp));
    return out;
  }
  if (exp < 0) {
    out.append("0.");
    out.append(static_cast<size_t>(-exp - 1), '0');
    out.append(digits);
  } else if (static_cast<size_t>(exp) + 1 >= digits.size()) {
    out.append(digits);
    out.append(static_cast<size_t>(exp) + 1 - digits.size(), '0');
  } else {
    out.append(digits, 0, static_cast<size_t>(exp) + 1);
    out.push_back('.');
    out.append(digits, static_cast<size_t>(exp) + 1, std::string::npos);
  }
  return out;
}

double TextToFloat(std::string_view text) {
  std::string_view s = Trim(text);
  // Only plain decimal notation: from_chars alone would take "inf" and "nan".
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  bool ok = digits > 0;
  if (ok && i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++expDigits;
    ok = expDigits > 0;
  }
  if (!ok || i != s.size()) throw cf::EConvertError(Quoted(text) + " is not a valid floating point value");
  std::string_view body = s;
  if (!body.empty() && body.front() == '+') body.remove_prefix(1);
  double value = 0;
  auto res = std::from_chars(body.data(), body.data() + body.size(), value);
  if (res.ec == std::errc::result_out_of_range) {
    // Too small reads as zero; too large does not fit a double.
    size_t e = body.find_first_of("eE");
    std::string_view mant = body.substr(0, e);
    if (!mant.empty() && mant.front() == '-') mant.remove_prefix(1);
    long long exp = 0;
    if (e != std::string_view::npos) {
      std::string_view ex = body.substr(e + 1);
      bool neg = !ex.empty() && ex.front() == '-';
      if (!ex.empty() && (ex.front() == '-' || ex.front() == '+')) ex.remove_prefix(1);
      for (char c : ex) exp = std::min<long long>(exp * 10 + (c - '0'), 1000000);
      if (neg) exp = -exp;
    }
    size_t dot = mant.find('.');
    std::string_view intPart = mant.substr(0, dot);
    while (!intPart.empty() && intPart.front() == '0') intPart.remove_prefix(1);
    if (static_cast<long long>(intPart.size()) + exp > 0)
      throw cf::EConvertError(Quoted(text) + " is not a valid floating point value");
    return body.front() == '-' ? -0.0 : 0.0;
  }
  if (res.ec != std::errc() || res.ptr != body.data() + body.size())
    throw cf::EConvertError(Quoted(text) + " is not a valid floating point value");
  return value;
}

std::string BoolToText(bool value) { return value ? "True" : "False"; }

bool TextToBool(std::string_view text) {
  try {
    return TextToFloat(text) != 0;
  } catch (const cf::EConvertError&) {
  }
  auto same = [&](std::string_view word) {
    if (text.size() != word.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
      char c = text[i];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      if (c != word[i]) return false;
    }
    return true;
  };
  if (same("true")) return true;
  if (same("false")) return false;
  throw cf::EConvertError(Quoted(text) + " is not a valid boolean value");
}

std::int32_t RoundToInt(double value) {
  // nearbyint rounds ties to even in the default rounding mode.
  double r = std::nearbyint(value);
  if (!(r >= -2147483648.0 && r <= 2147483647.0))
    throw cf::EConvertError(FloatToText(value) + " is out of the integer range");
  return static_cast<std::int32_t>(r);
}

std::int32_t TruncToInt(double value) {
  double r = std::trunc(value);
  if (!(r >= -2147483648.0 && r <= 2147483647.0))
    throw cf::EConvertError(FloatToText(value) + " is out of the integer range");
  return static_cast<std::int32_t>(r);
}

double EncodeDate(int year, int month, int day) {
  return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                             kDelphiEpoch);
}

std::string DateTimeToText(double value) {
  if (!std::isfinite(value) || value < -693594.0 || value >= 2958466.0)
    throw cf::EConvertError(FloatToText(value) + " is not a valid date and time");
  double days = std::trunc(value);
  std::int64_t ms = std::llround(std::fabs(value - days) * 86400000.0);
  std::int64_t day = static_cast<std::int64_t>(days);
  if (ms >= 86400000) {  // the fraction rounded up to a whole day
    ms -= 86400000;
    day += value >= 0 ? 1 : -1;
  }
  std::int64_t y;
  unsigned m, d;
  CivilFromDays(day + kDelphiEpoch, y, m, d);
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04lld-%02u-%02u", static_cast<long long>(y), m, d);
  std::string out = buf;
  std::int64_t secs = ms / 1000;
  if (ms != 0) {
    std::snprintf(buf, sizeof buf, " %02d:%02d:%02d", static_cast<int>(secs / 3600),
                  static_cast<int>(secs / 60 % 60), static_cast<int>(secs % 60));
    out += buf;
  }
  return out;
}

std::optional<double> TryTextToDateTime(std::string_view text) {
  std::string_view s = Trim(text);
  if (s.empty()) return std::nullopt;
  double date = 0, time = 0;
  size_t space = s.find(' ');
  if (space == std::string_view::npos) {
    if (ParseDate(s, date)) return date;
    if (ParseTime(s, time)) return time;
    return std::nullopt;
  }
  if (!ParseDate(s.substr(0, space), date) || !ParseTime(Trim(s.substr(space)), time)) return std::nullopt;
  return Combine(date, time);
}

double TextToDateTime(std::string_view text) {
  auto v = TryTextToDateTime(text);
  if (!v) throw cf::EConvertError(Quoted(text) + " is not a valid date and time");
  return *v;
}

double Today() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

TGuid NewGuid() {
  thread_local std::mt19937_64 gen{std::random_device{}()};
  TGuid g;
  for (size_t i = 0; i < g.size(); i += 8) {
    std::uint64_t r = gen();
    for (size_t k = 0; k < 8; ++k) g[i + k] = static_cast<std::uint8_t>(r >> (8 * k));
  }
  g[6] = static_cast<std::uint8_t>((g[6] & 0x0F) | 0x40);  // version 4
  g[8] = static_cast<std::uint8_t>((g[8] & 0x3F) | 0x80);  // RFC 4122 variant
  return g;
}

std::string GuidToText(const TGuid& guid) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out = "{";
  for (size_t i = 0; i < guid.size(); ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) out += '-';
    out += kHex[guid[i] >> 4];
    out += kHex[guid[i] & 15];
  }
  out += '}';
  return out;
}

TGuid TextToGuid(std::string_view text) {
  auto fail = [&]() { return cf::EConvertError(Quoted(text) + " is not a valid GUID value"); };
  if (text.size() != 38 || text.front() != '{' || text.back() != '}') throw fail();
  TGuid g{};
  size_t pos = 1;
  for (size_t i = 0; i < g.size(); ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) {
      if (text[pos++] != '-') throw fail();
    }
    int hi = HexValue(text[pos]), lo = HexValue(text[pos + 1]);
    if (hi < 0 || lo < 0) throw fail();
    g[i] = static_cast<std::uint8_t>(hi * 16 + lo);
    pos += 2;
  }
  return g;
}

}  // namespace celltext
