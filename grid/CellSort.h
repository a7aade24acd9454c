#pragma once
// Comparisons and the ordering routine behind TCells::Sort.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cellsort {

// Compares two UTF-8 texts in the order of their UTF-16 code units, so
// characters above U+FFFF sort before U+E000..U+FFFF as they do in UTF-16.
int CompareCodeUnits(std::string_view a, std::string_view b);
// The same with ASCII letters taken as lower case.
int CompareCodeUnitsFolded(std::string_view a, std::string_view b);

// The first eight bytes of a text as a number whose order agrees with
// CompareCodeUnits: different prefixes decide, equal ones need the full
// comparison.
std::uint64_t CodeUnitPrefix(std::string_view text, bool fold = false);

// Appends the text with each byte replaced by its weight (ASCII letters
// folded when asked), so that plain byte order of two such texts, shorter
// first on a common start, is CompareCodeUnits (or CompareCodeUnitsFolded)
// order of the originals. Sorting many texts compares these from one buffer.
void AppendWeights(std::string& out, std::string_view text, bool fold);
// Byte order of two texts made by AppendWeights.
int CompareWeights(std::string_view a, std::string_view b);
// The first eight bytes of a text made by AppendWeights as a number, equal
// to CodeUnitPrefix of the original.
std::uint64_t WeightPrefix(std::string_view weights);


// A dotted address: digits collect into the current part, a "." or the last
// character ends it; other characters are skipped. A part without digits
// raises EConvertError. Parts after the fourth are ignored.
using TIpAddress = std::array<std::int32_t, 4>;
TIpAddress ParseIp(std::string_view text);
// Fourth number first, then the third, second and first.
int CompareIp(const TIpAddress& a, const TIpAddress& b);

// Sorts the items with a merge sort that keeps equal items in their order.
// Before(a, b) says whether item a must come before item b. Any answer,
// even an inconsistent one, still gives a permutation of the items.
template <class T, class Before>
void StableOrder(std::vector<T>& items, Before before) {
  const size_t n = items.size();
  constexpr size_t kRun = 24;
  for (size_t lo = 0; lo < n; lo += kRun) {
    const size_t hi = std::min(n, lo + kRun);
    for (size_t i = lo + 1; i < hi; ++i) {
      T v = items[i];
      size_t j = i;
      while (j > lo && before(v, items[j - 1])) {
        items[j] = items[j - 1];
        --j;
      }
      items[j] = v;
    }
  }
  if (n <= kRun) return;
  std::vector<T> buf(n);
  for (size_t width = kRun; width < n; width *= 2) {
    for (size_t lo = 0; lo < n; lo += 2 * width) {
      const size_t mid = std::min(n, lo + width), hi = std::min(n, lo + 2 * width);
      size_t i = lo, j = mid, k = lo;
      while (i < mid && j < hi) buf[k++] = before(items[j], items[i]) ? items[j++] : items[i++];
      while (i < mid) buf[k++] = items[i++];
      while (j < hi) buf[k++] = items[j++];
    }
    items.swap(buf);
  }
}

}  // namespace cellsort
