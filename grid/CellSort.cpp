#include "grid/CellSort.h"

#include <cstring>

#include "grid/CellText.h"

namespace cellsort {

namespace {

// UTF-8 byte order is code point order. It differs from UTF-16 order only
// where a character above U+FFFF (lead byte F0..F4, a surrogate pair in
// UTF-16) meets one of U+E000..U+FFFF (lead byte EE or EF): moving the lead
// bytes F0..F4 below EE and EF gives UTF-16 order. A first difference in a
// continuation byte (80..BF) lies inside characters of one length.
inline unsigned Weight(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b < 0xEE || b > 0xF4) return b;
  return b <= 0xEF ? b + 5u : b - 2u;
}

}  // namespace

inline char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

int CompareCodeUnits(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  size_t i = 0;
  while (i < n && a[i] == b[i]) ++i;
  if (i == n) return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
  return Weight(a[i]) < Weight(b[i]) ? -1 : 1;
}

int CompareCodeUnitsFolded(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  size_t i = 0;
  while (i < n && Fold(a[i]) == Fold(b[i])) ++i;
  if (i == n) return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
  return Weight(Fold(a[i])) < Weight(Fold(b[i])) ? -1 : 1;
}

std::uint64_t CodeUnitPrefix(std::string_view text, bool fold) {
  std::uint64_t key = 0;
  for (size_t i = 0; i < 8; ++i) {
    const char c = i < text.size() ? (fold ? Fold(text[i]) : text[i]) : '\0';
    key = (key << 8) | (i < text.size() ? Weight(c) : 0u);
  }
  return key;
}

void AppendWeights(std::string& out, std::string_view text, bool fold) {
  const size_t at = out.size();
  out.resize(at + text.size());
  char* p = out.data() + at;
  for (char c : text) *p++ = static_cast<char>(Weight(fold ? Fold(c) : c));
}

int CompareWeights(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  if (n > 0) {
    const int r = std::memcmp(a.data(), b.data(), n);
    if (r != 0) return r < 0 ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

std::uint64_t WeightPrefix(std::string_view weights) {
  std::uint64_t key = 0;
  for (size_t i = 0; i < 8; ++i)
    key = (key << 8) | (i < weights.size() ? static_cast<unsigned char>(weights[i]) : 0u);
  return key;
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
