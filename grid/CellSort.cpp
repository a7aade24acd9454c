#include "grid/CellSort.h"

#include <cstring>

#include "grid/CellText.h"

namespace cellsort {

int CompareCodeUnits(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  size_t i = 0;
  while (i < n && a[i] == b[i]) ++i;
  if (i == n) return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
  // Byte order of UTF-8 is code point order. It differs from UTF-16 order
  // only where a character above U+FFFF (lead byte F0..F4, a surrogate pair
  // in UTF-16) meets one of U+E000..U+FFFF (lead byte EE or EF). A first
  // difference in a continuation byte lies inside characters of one length.
  const auto ca = static_cast<unsigned char>(a[i]);
  const auto cb = static_cast<unsigned char>(b[i]);
  if (ca >= 0xF0 && (cb == 0xEE || cb == 0xEF)) return -1;
  if (cb >= 0xF0 && (ca == 0xEE || ca == 0xEF)) return 1;
  return ca < cb ? -1 : 1;
}

bool HasAsciiUpper(std::string_view text) {
  for (char c : text)
    if (c >= 'A' && c <= 'Z') return true;
  return false;
}

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

TIpAddress ParseIp(std::string_view text) {
  TIpAddress n{0, 0, 0, 0};
  size_t next = 0;
  std::string part;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') part += c;
    if (c == '.' || i + 1 == text.size()) {
      if (next < n.size()) n[next] = celltext::TextToInt(part);
      ++next;
      part.clear();
    }
  }
  return n;
}

int CompareIp(const TIpAddress& a, const TIpAddress& b) {
  for (int k = 3; k >= 0; --k)
    if (a[k] != b[k]) return a[k] < b[k] ? -1 : 1;
  return 0;
}

}  // namespace cellsort
